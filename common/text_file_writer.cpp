#include "common/text_file_writer.h"

#include <cstdio>
#include <exception>
#include <string>

#include "common/current_folder.h"
#include "common/messages.h"
#include "common/service.h"

namespace common {

std::string NotWrittenText(std::string_view file_name) {
  return "Die Datei " + std::string(file_name) + " konnte nicht geschrieben werden.";
}

TextFileWriter::~TextFileWriter() { EndUndecided(); }

void TextFileWriter::EndUndecided() {
  if (!replacement_.Active()) return;
  replacement_.Discard();
  if (std::uncaught_exceptions() > exceptions_) return;
  const std::string text = NotWrittenText(name_);
  try {
    if (Service<ToMessages>::Exists()) return Service<ToMessages>::Get().Fehler(text);
  } catch (...) {
    // Told below instead.
  }
  std::fprintf(stderr, "%s\n", text.c_str());
}

bool TextFileWriter::Replace(std::string_view name) {
  EndUndecided();
  name_ = std::string(name);
  exceptions_ = std::uncaught_exceptions();
  error_ = replacement_.Begin(ResolvePath(name));
  return !Failed();
}

bool TextFileWriter::WriteLine(std::string_view text) {
  std::string line;
  line.reserve(text.size() + kLineEnd.size());
  line.append(text).append(kLineEnd);
  return Write(line);
}

bool TextFileWriter::Write(std::string_view bytes) {
  if (Failed() || !IsOpen()) return false;
  error_ = replacement_.Write(bytes);
  return !Failed();
}

bool TextFileWriter::Commit() {
  if (!IsOpen()) return false;
  if (Failed()) {
    replacement_.Discard();
  } else {
    error_ = replacement_.Commit();
  }
  return !Failed();
}

void TextFileWriter::Discard() { replacement_.Discard(); }

bool WriteTextFile(std::string_view name, const std::vector<std::string>& lines) {
  TextFileWriter file;
  if (!file.Replace(name)) return false;
  for (const std::string& line : lines) {
    if (!file.WriteLine(line)) break;
  }
  return file.Commit();
}

}  // namespace common
