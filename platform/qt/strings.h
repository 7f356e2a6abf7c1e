// TStrings: the list of text lines behind memos, rich edits, list boxes and combo boxes, and
// TStringList, a plain list of its own.
//
// Lines are Windows-1252 texts without line ends. Index arguments outside the list are ignored
// (Get answers an empty text), so a caller's off-by-one never crashes. IndexOf compares without
// regard to letter case (the system's 1252 tables), as the framework's lists do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::qt {

class TStrings {
 public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& line) = 0;
  // Inserts before `index`; an index at or past the end appends.
  virtual void Insert(int index, const std::string& line) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  // Appends; answers the new line's index.
  int Add(const std::string& line);
  int IndexOf(std::string_view line) const;
  std::vector<std::string> Lines() const;
  void Assign(const std::vector<std::string>& lines);
  void Assign(const TStrings& other) { Assign(other.Lines()); }
  // Every line followed by CR LF.
  std::string Text() const;
  // Replaces the lines by the text split at CR LF, LF or CR; a last line end adds no empty line.
  void SetText(std::string_view text);
  // The file (a system name, resolved against the current folder) read as lines, or written as
  // lines with CR LF, a new version of it (common/text_file_writer.h); false when it cannot be
  // read or written (the list unchanged on reading, the file as it was on writing).
  bool LoadFromFile(const std::string& name);
  bool SaveToFile(const std::string& name) const;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& line) override;
  void Insert(int index, const std::string& line) override;
  void Delete(int index) override;
  void Clear() override { lines_.clear(); }

 private:
  std::vector<std::string> lines_;
};

// Splits a text at CR LF, LF or CR (the shared rule of SetText and the text controls).
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace platform::qt
