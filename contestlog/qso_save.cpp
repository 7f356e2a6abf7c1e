#include "contestlog/qso_save.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "contestlog/log_lock.h"
#include "contestlog/log_start.h"
#include "contestlog/new_entry.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/prefix.h"

namespace contestlog {
namespace {

constexpr std::size_t kSerialWidth = 3;
constexpr int kDokLength = 8;

bool CountsSerial(std::int32_t kind) { return kind == 7 || kind == 11 || kind == 13; }

// The serial part of an exchange text filled with zeros; `kinds` are the direction's kinds of
// exchange fields 2 and 3.
std::string WithZeroFilledSerial(const std::string& text, std::int32_t kind2, std::int32_t kind3) {
  if (!CountsSerial(kind2) && !CountsSerial(kind3)) return text;
  std::string rst;
  std::string parts[3];
  contest::TContLogAlle::SplitCall(text, rst, parts[0], parts[1], parts[2]);
  std::string& serial = CountsSerial(kind2) ? parts[0] : parts[1];
  const std::string filled = ZeroFilledSerial(serial);
  if (filled == serial) return text;
  serial = filled;
  return contest::TContLogAlle::JoinCall(rst, parts[0], parts[1], parts[2]);
}

// Replaces the first `mark` by "/" when the text holds one and no "/".
void SlashForFirst(std::string& text, char mark) {
  const std::size_t at = text.find(mark);
  if (at != std::string::npos && text.find('/') == std::string::npos) text[at] = '/';
}

}  // namespace

std::string SeparatedNumber(std::string text) {
  SlashForFirst(text, '-');
  SlashForFirst(text, '+');
  const auto digit = std::find_if(
      text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  if (digit == text.end()) return text;
  if (digit == text.begin() || *(digit - 1) != '/') text.insert(digit, '/');
  return text;
}

std::string ZeroFilledToThree(std::string text) {
  if (text.empty()) return text;
  while (text.size() < kSerialWidth) text.insert(text.begin(), '0');
  return text;
}

std::string ZeroFilledSerial(const std::string& value) {
  const std::string trimmed = common::Trim(value);
  if (trimmed.empty() || trimmed.size() >= kSerialWidth) return value;
  if (!common::IsNumberText(trimmed, false)) return value;
  return std::string(kSerialWidth - trimmed.size(), '0') + trimmed;
}

void FillSerialsWithZeros(const contest::TContestRec& definition, contest::TContestLKRec& qso) {
  using contest::TContestFkt;
  TContestFkt::SetSentExchange(
      WithZeroFilledSerial(TContestFkt::SentExchangeText(qso), definition.ExchangeKindsSent[0],
                           definition.ExchangeKindsSent[1]),
      qso);
  TContestFkt::SetRcvdExchange(
      WithZeroFilledSerial(TContestFkt::RcvdExchangeText(qso), definition.ExchangeKindsRcvd[0],
                           definition.ExchangeKindsRcvd[1]),
      qso);
}

bool InsertNewQso(ContestLogCore& core, contest::TContestLKRec& qso, int moves) {
  const contest::TContestLKRec entry = EntryRecord(core);
  qso = entry;
  qso.Nummer = 0;
  qso.wagNummer = static_cast<std::uint32_t>(core.NextOverallNo);
  qso.wagBandNr = static_cast<std::uint32_t>(core.NextBandNo);
  qso.ModeNr = static_cast<std::uint16_t>(core.NextModeNo & 0xFFFF);
  qso.wagBandNrIntern = static_cast<std::uint32_t>(core.NextBandNoIntern);
  qso.QslSent = core.QslSent;
  // The log keys its QSOs on their moment: a moment taken (by this station or another) moves
  // the QSO on by a second.
  contest::TdbContest moments(contest::kTableLK, core.LogNumber);
  for (int attempt = 0; attempt <= moves; ++attempt) {
    if (attempt > 0) qso.Zeit = qso.Zeit + 1;
    if (moments.FindDateTime(qso.Datum, qso.Zeit)) continue;
    core.LogTable->ClearRec();
    core.LogTable->SetLKRec(qso);
    if (core.LogTable->InsertRec()) {
      core.LogTable->GetLKRec(qso);
      return true;
    }
  }
  core.LogTable->ClearRec();
  SetEntryRecord(core, entry);
  qso = entry;
  return false;
}

StoredQso StoreNewQso(ContestLogCore& core, contest::TContestLKRec& qso, int moves) {
  const LogLock lock(*core.LogTable);
  StoredQso result;
  result.taken = TakeNumbersForSave(core);
  result.stored = InsertNewQso(core, qso, moves);
  return result;
}

void CountSavedQso(ContestLogCore& core, contest::TContestLKRec& qso) {
  const std::uint32_t points =
      ContestLogCore::QsoPoints(core, core.Definition, *core.Catalogue, *core.LogTable);
  qso.Points = static_cast<std::uint16_t>(
      std::min<std::uint32_t>(points, std::numeric_limits<std::uint16_t>::max()));
  core.LogTable->SetLKRec(qso);
  if (qso.SkipMark != 0) return;
  const auto value = static_cast<std::int32_t>(points);
  core.TotalPoints += value;
  core.NextQsoNumber += 1;
  core.CurrentBandQsos += 1;
  const auto slot = static_cast<unsigned char>(core.CurrentBand);
  if (slot == 0) return;
  core.BandPoints[slot] += value;
  core.BandQsos[slot] += 1;
}

void LearnFromQso(ContestLogCore& core, const contest::TContestLKRec& qso,
                  const LearnedTexts& texts) {
  const std::string call = common::Trim(qso.Call.view());
  if (call.size() <= 2) return;
  const char code = ContestCode(*core.Catalogue);
  {
    logbook::TdbCall calls(logbook::kCallData);
    const std::string base = common::Service<logbook::ToPrefix>::Get().GetPrefix(call);
    if (!calls.FindCall(base)) {
      calls.ClearRecord();
      calls.SetCall(base);
      calls.Insert();
    }
    const std::string dok = common::LeftStr(qso.DOK1.str() + qso.DOK2.str(), kDokLength);
    if (!qso.DOK1.empty()) {
      if (code == 'A') {
        calls.SetLDK(dok);
      } else {
        calls.SetDOK(dok);
      }
      calls.Update();
    }
    const auto learn = [&calls](bool when, const std::string& value,
                                void (logbook::TdbCallBase::*set)(std::string_view)) {
      if (!when || value.empty()) return;
      (calls.*set)(value);
      calls.Update();
    };
    learn(code == '7', texts.exchange2, &logbook::TdbCallBase::SetDIG);
    learn(code == 'f', texts.exchange3, &logbook::TdbCallBase::SetAGCW);
    learn(code == 'w', texts.exchange4, &logbook::TdbCallBase::SetAGCW);
    if (code == 'i' && !texts.exchange2.empty()) {
      // A naval member number is "MF" and the number, as the prefill writes it; the call data
      // keep the number.
      if (texts.exchange2.starts_with("MF")) calls.SetMF(texts.exchange2.substr(2));
      calls.Update();
    }
    learn(true, texts.name, &logbook::TdbCallBase::SetName);
    learn(true, texts.qth, &logbook::TdbCallBase::SetQTH);
  }

  struct ListRow {
    char code;
    const std::string LearnedTexts::*field;
    const char* file;
    int list;
    int column;
  };
  static constexpr ListRow kLists[] = {
      {'k', &LearnedTexts::exchange2, "qcwa.csv", 1, 3},
      {'6', &LearnedTexts::exchange2, "hsc.csv", 1, 3},
      {'i', &LearnedTexts::exchange2, "naval.csv", 1, 3},
      {'n', &LearnedTexts::exchange2, "ibfd.csv", 1, 3},
      {'v', &LearnedTexts::exchange2, "mrr.csv", 1, 2},
      {'v', &LearnedTexts::exchange3, "mrr-rig.csv", 2, 2},
  };
  for (const ListRow& row : kLists) {
    const std::string& value = texts.*row.field;
    if (row.code != code || value.empty()) continue;
    core.Service->AddMember(value, row.file, row.list, row.column, call);
  }
}

}  // namespace contestlog
