#include "app/tools_memo_ctrl.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "app/rich_text_reader.h"
#include "app/tools_memo_fkt.h"
#include "app/tools_memo_form.h"
#include "common/current_folder.h"
#include "common/file_base_ss.h"
#include "common/file_paths.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/text_file_writer.h"
#include "logbook/databases/setup_folder.h"
#include "logbook/settings/setups.h"
#include "output/output_texts.h"
#include "platform/qt/application.h"
#include "platform/qt/strings.h"
#include "ui/kv_form.h"

namespace app {
namespace {

// The folder of the settings' folder list that takes the window's temporary files.
constexpr int kTempFolderEntry = 10;

common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

std::string OwnCall(bool file_name_form) {
  return common::Service<logbook::ToSetups>::Get().GetOwnCall(file_name_form);
}

// The own call's ".CFD" file name.
std::string CfdFileName() { return OwnCall(true) + ".CFD"; }

}  // namespace

std::optional<TextWindowFile> ReadTextWindowFile(const std::string& name) {
  std::ifstream in(common::OsPath(name), std::ios::binary);
  if (!in) return std::nullopt;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  if (IsRichText(text)) return TextWindowFile{RichTextLines(text), true};
  platform::qt::TStringList lines;
  lines.SetText(text);
  return TextWindowFile{lines.Lines(), false};
}

bool WriteTextWindowFile(const std::string& name, const std::vector<std::string>& lines) {
  return common::WriteTextFile(name, lines);
}

std::string MemoTempFile() {
  return common::ResolvePath(logbook::SetupFolder(kTempFolderEntry) + "MEMO.TMP");
}

TToolsMemoCtrl::TToolsMemoCtrl(platform::qt::TComponent* owner, contest::WindowRect* rect,
                               std::string default_address, bool mail_flag, bool print_flag,
                               bool save_flag, std::string rich_text_file, std::string short_text,
                               const std::vector<std::string>* lines, std::string caption)
    : Owner(owner),
      Caption(std::move(caption)),
      SaveFlag(save_flag),
      PrintFlag(print_flag),
      MailFlag(mail_flag),
      DefaultAddress(std::move(default_address)),
      RichTextFile(std::move(rich_text_file)),
      Rect(rect),
      Lines(lines != nullptr ? *lines : std::vector<std::string>{}),
      ShortText(std::move(short_text)) {}

bool TToolsMemoCtrl::Execute() {
  TToolsMemoForm form(Owner, *this);
  TToolsMemoParams params;
  FillParams(params);
  if (!form.LoadParams(params)) {
    Messages().Fehler(output::NotReadText(RichTextFile));
    return false;
  }
  if (Rect != nullptr && Rect->bottom >= 1) {
    ui::PlaceForm(form, {Rect->left, Rect->top, Rect->right + 1, Rect->bottom + 1});
  }
  const bool ok = form.RunModal() == platform::qt::mrOk;
  if (ok) {
    form.StoreParams(params);
    TakeResult(params);
  }
  if (Rect != nullptr) {
    *Rect = {form.Left(), form.Top(), form.Left() + form.Width() - 1,
             form.Top() + form.Height() - 1};
  }
  FreeParams(params);
  return ok;
}

void TToolsMemoCtrl::FillParams(TToolsMemoParams& params) const {
  params = {};
  params.caption = Caption;
  params.short_text = ShortText;
  params.print_button = PrintFlag;
  params.save_button = SaveFlag;
  params.mail_button = MailFlag;
  params.lines = Lines;
  params.rich_text_file = RichTextFile;
}

void TToolsMemoCtrl::TakeResult(const TToolsMemoParams& params) {
  Lines = params.lines;
  ShortText = params.short_text.str();
}

bool TToolsMemoCtrl::WriteTextCopy(const std::string& file_name) {
  if (WriteTextWindowFile(file_name, *TextCopy)) return true;
  Messages().Fehler(output::NotWrittenText(file_name));
  return false;
}

void TToolsMemoCtrl::SaveToFile(const std::vector<std::string>& lines,
                                const std::string& proposed_name) {
  std::string name = proposed_name;
  std::string extension;
  if (Caption == kCfdCaption) {
    name = CfdFileName();
    extension = "CFD";
  }
  TextCopy = std::make_unique<std::vector<std::string>>(lines);
  common::TFileBaseSS& files = common::Service<common::TFileBaseSS>::Get();
  std::string chosen = common::ExtractFileName(name);
  if (!files.FileDialog(true, common::ExtractFileDir(name), "", extension, true, chosen)) return;
  if (!WriteTextCopy(chosen)) return;
  TextCopy.reset();
  LastWritten = chosen;
}

void TToolsMemoCtrl::SendByMail(const std::vector<std::string>& lines,
                                const std::string& proposed_name) {
  TextCopy = std::make_unique<std::vector<std::string>>(lines);
  std::string file;
  if (Caption == kCfdCaption) {
    file = logbook::SetupFolder(kTempFolderEntry) + CfdFileName();
  } else {
    file = common::ExtractFileName(proposed_name);
    if (!common::Service<common::TFileBaseSS>::Get().FileDialog(
            true, common::ExtractFileDir(proposed_name), "", "", false, file)) {
      return;
    }
  }
  AskSendByMail(file);
}

void TToolsMemoCtrl::AskSendByMail(const std::string& file_name) {
  // A file that could not be written whole is not sent.
  if (file_name.empty() || !WriteTextCopy(file_name)) return;
  RichTextFile = file_name;
  LastWritten = file_name;
  if (!Messages().JaNeinFrage("Dateiexport", "EMail-Versand", "Datei per EMail versenden?", true)) {
    return;
  }
  SendFile(AskSendByMAPI());
}

bool TToolsMemoCtrl::AskSendByMAPI() {
  return Messages().JaNeinFrage(
      "Dateiexport", "Datei per MAPI versenden?",
      "Empfohlen \"JA\", aber: Falls diese Versandart beim ersten Versuch nicht funktioniert, "
      "drücken Sie hier beim nächsten Mal auf \"NEIN\"",
      true);
}

void TToolsMemoCtrl::SendFile(bool by_mapi) const {
  if (by_mapi) {
    TToolsMemoFkt::SendFileByMAPI(RichTextFile, DefaultAddress);
  } else {
    TToolsMemoFkt::SendFileByMailto(RichTextFile, DefaultAddress);
  }
}

void TToolsMemoCtrl::PrintText(const std::vector<std::string>& lines,
                               const platform::qt::TFont& font, const std::string& title) const {
  TToolsMemoFkt::PrintText(lines, font, title);
}

}  // namespace app
