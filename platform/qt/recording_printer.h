// TRecordingPrinter: a printer for tests that records every text printed, with its page,
// place and font, and every job. It measures with the real fonts (the application object must
// exist), so a layout computed on it is the layout a real printer of its resolution gets.
#pragma once

#include <string>
#include <vector>

#include "platform/qt/printer.h"

namespace platform::qt {

// The paper of a recording printer in portrait; landscape turns it.
struct TRecordedPaper {
  int dpi_x = 600;
  int dpi_y = 600;
  double width_mm = 210.0;  // A4
  double height_mm = 297.0;
  int offset_x = 0;  // unprintable edge on each side, dots
  int offset_y = 0;
};

struct TPrintedText {
  int page = 0;
  int x = 0;
  int y = 0;
  std::string font;  // the name as the canvas had it
  int size = 0;      // points
  TFontStyles style = 0;
  TColor color = 0;
  std::string text;
  bool Bold() const { return (style & fsBold) != 0; }
};

struct TPrintJob {
  std::string title;
  int pages = 0;
  bool ended = false;    // EndDoc sent it
  bool aborted = false;  // Abort dropped it
};

class TRecordingPrinter final : public TPrinter {
 public:
  explicit TRecordingPrinter(TRecordedPaper paper = {},
                             std::vector<std::string> printers = {"Aufzeichnung"});

  std::vector<std::string> Printers() const override { return printers_; }

  // Every text of every job, in the order printed.
  const std::vector<TPrintedText>& Texts() const { return texts_; }
  // The texts of one page of the last job.
  std::vector<TPrintedText> PageTexts(int page) const;
  const std::vector<TPrintJob>& Jobs() const { return jobs_; }
  // While set, BeginDoc fails (a printer that is offline).
  bool refuse_jobs = false;

 protected:
  bool Start() override;
  void StartPage() override;
  bool Finish() override;
  void Drop() override;
  void Draw(int x, int y, const TFont& font, std::string_view text) override;
  TPoint Measure(const TFont& font, std::string_view text) const override;
  Geometry PageGeometry() const override;

 private:
  TRecordedPaper paper_;
  std::vector<std::string> printers_;
  std::vector<TPrintedText> texts_;
  std::vector<TPrintJob> jobs_;
  std::size_t job_start_ = 0;  // first text of the last job
};

}  // namespace platform::qt
