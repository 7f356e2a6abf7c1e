// TPrefAuswahl: the window "Auswahl DXCC" in which the user picks one of the DXCC entities an
// ambiguous prefix stands for. It shows the candidates the DXCC selection collected (one row each,
// under a heading row), for a QSO (call and date, name and QTH) or for a bare prefix, and answers
// the number of the candidate taken; which entry that is, and what is learnt from it, stays with
// the selection (logbook::RunPrefAuswahl).
//
// A click on a row highlights it and enables "Übernahme"; a double click, the button or Enter
// takes the highlighted row (modal result 1). The arrow keys move the highlight round the rows;
// Escape and "Abbrechen" end with 2.
#pragma once

#include <string>
#include <vector>

#include "logbook/reference/dxcc_selection.h"
#include "platform/qt/edit.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "ui/bit_btn.h"
#include "ui/kv_form.h"

namespace app {

class TPrefAuswahl : public ui::TkvForm {
 public:
  // The rows of the table: the heading and one per candidate.
  static constexpr int kMaxRows = 31;
  // Where the cells start, in widths of "X" from the row's left edge (1-based columns).
  static constexpr int kCellColumns[] = {2, 6, 14, 17, 21, 46};
  static constexpr platform::qt::TColor kHighlight = 0x800000;  // navy, RGB 0,0,128

  // `owner` may be null (the application). The request's date 0 or below shows today.
  TPrefAuswahl(platform::qt::TComponent* owner, const logbook::DxccSelectionRequest& request);

  // The candidate taken (its number), 0 while none is.
  int Chosen() const { return chosen_; }
  // The table's rows: 0 is the heading, 1.. the candidates shown.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  platform::qt::TPanel* Row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
  // The highlighted row (0: none).
  int Highlighted() const { return highlighted_; }

  // Lays the buttons and the arrow-key hint along the bottom edge.
  void FormResize();

  platform::qt::TPanel* Panel1;
  platform::qt::TLabel* ltext3;
  platform::qt::TLabel* ltext1;
  platform::qt::TLabel* Label2;
  platform::qt::TLabel* lQSO1;
  platform::qt::TLabel* lQSO2;
  platform::qt::TPanel* ptab;
  platform::qt::TLabel* Label1;
  platform::qt::TLabel* Label3;
  platform::qt::TEdit* Edit1;
  ui::TkvBitBtn* btnEndeho4;
  ui::TkvBitBtn* btnabbruchho4;

 private:
  void MakeControls();
  void ShowTexts(const logbook::DxccSelectionRequest& request);
  void FormCreate();
  // The table panel's rows, each as high as 1.1 "X"; the form grows with them.
  void BuildTable();
  platform::qt::TPanel* AddRow(int top, int height, int number);
  void AddCell(platform::qt::TPanel& row, int column, int char_width, const std::string& text);
  // Wraps a text to the panel's width and answers its height.
  int Measure(platform::qt::TLabel& label);

  void RowClick(platform::qt::TComponent* sender);
  void RowDoubleClick(platform::qt::TComponent* sender);
  void TakeHighlighted();
  void Highlight(int index);
  void Edit1KeyDown(std::uint16_t& key);
  void FormKeyDown(std::uint16_t& key);
  // The row a clicked row panel or cell belongs to; 0 for the heading or anything else.
  int RowOf(platform::qt::TComponent* sender) const;

  std::vector<logbook::DxccCandidate> candidates_;
  platform::qt::TPanel* inner_ = nullptr;
  std::vector<platform::qt::TPanel*> rows_;
  int highlighted_ = 0;
  int chosen_ = 0;
};

}  // namespace app
