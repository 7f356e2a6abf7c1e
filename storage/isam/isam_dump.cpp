#include "storage/isam/isam_dump.h"

#include <string>
#include <vector>

#include "storage/isam/btree_page.h"
#include "storage/isam/isam_image.h"

namespace storage {
namespace {

std::string Quoted(const std::string& text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

class Dumper {
 public:
  Dumper(IsamImage& image, std::ostream& out) : image_(image), out_(out) {}

  void Key(int k) {
    const ImageKeyHeader& h = image_.keys()[k];
    out_ << "Key " << k << ": length " << h.key_length << ", duplicates "
         << (h.duplicates != 0 ? "yes" : "no") << ", entries " << h.entries << ", pages "
         << h.allocated << " (free " << h.free_count << ", first free " << h.first_free
         << "), root " << h.root << ", page size " << h.page_size << "\n";
    if (h.key_length == 0 || h.allocated < 0) {
      out_ << "  (header unusable)\n";
      return;
    }
    const std::int64_t pages_in_file =
        image_.frame_size() > 0 ? image_.index_size() / image_.frame_size() : 0;
    seen_.assign(static_cast<std::size_t>(std::min<std::int64_t>(h.allocated, pages_in_file)) + 1,
                 0);
    if (h.root != 0) Walk(k, h.root, 0);
  }

 private:
  void Walk(int k, std::int32_t page, int depth) {
    if (depth >= kMaxDepth || page < 1 || page >= static_cast<std::int32_t>(seen_.size()) ||
        seen_[page] != 0) {
      out_ << "  (page " << page << " skipped: out of range, too deep or reached twice)\n";
      return;
    }
    seen_[page] = 1;
    ImagePage p;
    if (!image_.ReadPage(k, page, &p)) {
      out_ << "  (page " << page << " unreadable)\n";
      return;
    }
    if (p.left != 0) Walk(k, p.left, depth + 1);
    for (const ImageItem& item : p.items) {
      out_ << "  " << Quoted(item.text) << " " << item.ref << "\n";
      if (item.child != 0) Walk(k, item.child, depth + 1);
    }
  }

  IsamImage& image_;
  std::ostream& out_;
  std::vector<std::uint8_t> seen_;
};

}  // namespace

bool IsamDump(std::string_view name, std::ostream& out) {
  IsamImage image;
  std::string error;
  if (!image.Open(name, &error)) {
    out << error << "\n";
    return false;
  }
  const ImageDataHeader& d = image.data();
  out << "Data file: record length " << d.record_length << ", keys " << d.key_count << ", slots "
      << d.slots << ", free records " << d.free_count << " (first free " << d.first_free
      << "), modified marker " << static_cast<int>(d.marker) << "\n";
  if (!image.index_problem().empty()) out << image.index_problem() << "\n";
  Dumper dumper(image, out);
  for (int k = 1; k < static_cast<int>(image.keys().size()); ++k) dumper.Key(k);
  return true;
}

}  // namespace storage
