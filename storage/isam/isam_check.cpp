#include "storage/isam/isam_check.h"

#include <algorithm>
#include <sstream>

#include "common/le_int.h"

#include "storage/isam/btree_page.h"
#include "storage/isam/engine.h"
#include "storage/isam/isam_image.h"
#include "storage/isam/var_record.h"

namespace storage {
namespace {

constexpr std::size_t kMaxProblems = 200;

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      static const char* hex = "0123456789ABCDEF";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out + "\"";
}

class Checker {
 public:
  Checker(const CheckOptions& options, CheckReport& report) : options_(options), report_(report) {}

  void Run(std::string_view name) {
    std::string error;
    if (!image_.Open(name, &error)) {
      Problem(error);
      return;
    }
    if (!CheckData()) return;
    const ImageDataHeader& h = image_.data();
    if (h.key_count < 0 || h.key_count > kMaxKeys) return;
    report_.entries.assign(static_cast<std::size_t>(h.key_count) + 1, 0);
    if (h.key_count == 0) return;
    if (!image_.index_problem().empty()) {
      Problem(image_.index_problem());
      return;
    }
    for (int k = 1; k <= h.key_count; ++k) CheckKey(k);
  }

 private:
  struct Walk {
    int key = 0;
    ImageKeyHeader header;
    std::vector<std::uint8_t> seen;    // per page
    std::vector<std::uint8_t> in_key;  // per record slot: times found (capped)
    int leaf_depth = -1;
    bool have_previous = false;
    std::string previous_text;
    std::int32_t previous_ref = 0;
    std::int64_t entries = 0;
  };

  template <typename... Parts>
  void Problem(const Parts&... parts) {
    if (report_.problems.size() > kMaxProblems) return;
    if (report_.problems.size() == kMaxProblems) {
      report_.problems.push_back("... further problems not listed");
      return;
    }
    std::ostringstream line;
    (line << ... << parts);
    report_.problems.push_back(line.str());
  }

  bool UsedSlot(std::int32_t ref) const {
    return ref >= 1 && ref < static_cast<std::int32_t>(member_.size()) && member_[ref] != 0;
  }

  bool CheckData() {
    const ImageDataHeader& h = image_.data();
    if (h.record_length < kMinRecordLength || h.record_length > kMaxRecordLength) {
      Problem("data header: record length ", h.record_length, " outside 21..65535");
      return false;
    }
    if (h.key_count < 0 || h.key_count > kMaxKeys) {
      Problem("data header: ", h.key_count, " keys (0..110 allowed)");
    }
    if (h.slots < 0) {
      Problem("data header: negative slot count ", h.slots);
      return false;
    }
    if (h.free_count < 0 || h.free_count > h.slots) {
      Problem("data header: ", h.free_count, " free records of ", h.slots, " slots");
    }
    if (h.marker != 0 && options_.require_clean_marker) {
      Problem("data header: modified marker set (not closed properly)");
    }
    const std::int64_t needed = (static_cast<std::int64_t>(h.slots) + 1) * h.record_length;
    if (image_.data_size() < needed) {
      // The records are not all there: nothing more about them can be checked.
      Problem("data file: ", image_.data_size(), " bytes, ", needed, " needed for ", h.slots,
              " slots");
      return false;
    }

    std::vector<std::uint8_t> free(static_cast<std::size_t>(h.slots) + 1, 0);
    std::int32_t link = h.first_free;
    std::int32_t count = 0;
    while (link != -1) {
      if (link < 1 || link > h.slots) {
        Problem("record free chain: link ", link, " outside 1..", h.slots);
        break;
      }
      if (free[link] != 0) {
        Problem("record free chain: record ", link, " reached twice (cycle)");
        break;
      }
      free[link] = 1;
      ++count;
      if (!image_.ReadRecordLink(link, &link)) {
        Problem("record free chain: record ", link, " cannot be read");
        break;
      }
    }
    if (count != h.free_count) {
      Problem("record free chain: ", count, " records, header says ", h.free_count);
    }
    member_.assign(free.size(), 0);
    std::vector<std::uint8_t> record;
    for (std::int32_t r = 1; r <= h.slots; ++r) {
      if (free[r] != 0) continue;
      ++report_.used_records;
      bool member = true;
      if (options_.section_records) {
        member = image_.ReadRecord(r, &record) && IsHead(record);
      }
      member_[r] = member ? 1 : 0;
    }
    if (options_.section_records) CheckSections(free);
    return true;
  }

  static bool IsHead(const std::vector<std::uint8_t>& slot) {
    return slot.size() >= 4 && slot[0] == 0 && slot[1] == 0 && slot[2] == 0 && slot[3] == 0;
  }

  // The chains of the record heads; then the continuation sections no head refers to.
  void CheckSections(const std::vector<std::uint8_t>& free) {
    const std::int32_t length = image_.data().record_length;
    const std::int32_t slots = image_.data().slots;
    const std::int32_t limit = VarRecMaxSections(length);
    std::vector<std::int32_t> owner(free.size(), 0);
    std::vector<std::uint8_t> slot;
    for (std::int32_t r = 1; r <= slots; ++r) {
      if (member_[r] == 0) continue;
      ++report_.record_heads;
      if (!image_.ReadRecord(r, &slot)) continue;
      if (common::ReadLeUInt16(slot.data() + length - 6) > length - kSectionTrailer) {
        Problem("record ", r, ": head holds ", common::ReadLeUInt16(slot.data() + length - 6),
                " bytes (at most ", length - kSectionTrailer, ")");
      }
      std::int32_t next = common::ReadLeInt32(slot.data() + length - 4);
      for (std::int32_t sections = 1; next != 0; ++sections) {
        if (sections >= limit) {
          Problem("record ", r, ": chain longer than ", limit, " sections");
          break;
        }
        if (next < 1 || next > slots) {
          Problem("record ", r, ": chain link ", next, " outside 1..", slots);
          break;
        }
        if (free[next] != 0 || member_[next] != 0) {
          Problem("record ", r, ": chain link ", next, " names a ",
                  free[next] != 0 ? "free slot" : "record head");
          break;
        }
        if (owner[next] != 0) {
          Problem("record ", r, ": section ", next, " already in the chain of record ",
                  owner[next]);
          break;
        }
        owner[next] = r;
        if (!image_.ReadRecord(next, &slot)) break;
        if (slot[0] != kSectionMarker) {
          Problem("record ", r, ": section ", next, " lacks the continuation marker");
        }
        if (common::ReadLeUInt16(slot.data() + length - 6) > length - kSectionTrailer - 1) {
          Problem("record ", r, ": section ", next, " holds ",
                  common::ReadLeUInt16(slot.data() + length - 6), " bytes (at most ",
                  length - kSectionTrailer - 1, ")");
        }
        next = common::ReadLeInt32(slot.data() + length - 4);
      }
    }
    for (std::int32_t r = 1; r <= slots; ++r) {
      if (free[r] == 0 && member_[r] == 0 && owner[r] == 0) {
        Problem("section ", r, ": no record head refers to it");
      }
    }
  }

  // The record `ref` as a key builder sees it: one slot, or for variable-length records the
  // bytes of its chain (as far as the chain can be followed).
  bool ReadWholeRecord(std::int32_t ref, std::vector<std::uint8_t>* record) {
    if (!image_.ReadRecord(ref, record)) return false;
    if (!options_.section_records) return true;
    const std::int32_t length = image_.data().record_length;
    std::vector<std::uint8_t> slot = *record;
    const std::int32_t head = std::min<std::int32_t>(common::ReadLeUInt16(slot.data() + length - 6),
                                                     length - kSectionTrailer);
    record->assign(slot.begin(), slot.begin() + head);
    std::int32_t next = common::ReadLeInt32(slot.data() + length - 4);
    for (std::int32_t sections = 1; next != 0 && sections < VarRecMaxSections(length); ++sections) {
      if (!image_.ReadRecord(next, &slot) || slot[0] != kSectionMarker) break;
      const std::int32_t count = std::min<std::int32_t>(
          common::ReadLeUInt16(slot.data() + length - 6), length - kSectionTrailer - 1);
      record->insert(record->end(), slot.begin() + 1, slot.begin() + 1 + count);
      next = common::ReadLeInt32(slot.data() + length - 4);
    }
    return true;
  }

  void Entry(Walk& w, const ImageItem& item) {
    ++w.entries;
    const auto* text = reinterpret_cast<const std::uint8_t*>(item.text.data());
    if (w.have_previous) {
      int c = CompareText(reinterpret_cast<const std::uint8_t*>(w.previous_text.data()),
                          static_cast<int>(w.previous_text.size()), text,
                          static_cast<int>(item.text.size()));
      if (c == 0 && w.header.duplicates != 0) {
        c = w.previous_ref < item.ref ? -1 : (w.previous_ref > item.ref ? 1 : 0);
      }
      if (c >= 0) {
        Problem("key ", w.key, ": entry ", Quoted(item.text), "/", item.ref, " not after ",
                Quoted(w.previous_text), "/", w.previous_ref);
      }
    }
    w.have_previous = true;
    w.previous_text = item.text;
    w.previous_ref = item.ref;

    if (!options_.check_records_in_keys) return;
    if (!UsedSlot(item.ref)) {
      Problem("key ", w.key, ": entry ", Quoted(item.text), " names record ", item.ref,
              ", which is not in use");
      return;
    }
    if (w.in_key[item.ref] < 2) ++w.in_key[item.ref];
    // A record in use begins with four zero bytes: through this entry the engine would find a
    // free record's link and take the record for deleted.
    std::int32_t link = 0;
    if (!options_.section_records && image_.ReadRecordLink(item.ref, &link) && link != 0) {
      Problem("key ", w.key, ": entry ", Quoted(item.text), " names record ", item.ref,
              ", whose first four bytes are not zero");
    }
    if (options_.key_builder) {
      std::vector<std::uint8_t> record;
      if (!ReadWholeRecord(item.ref, &record)) {
        Problem("record ", item.ref, " cannot be read");
        return;
      }
      std::string expected = options_.key_builder(record.data(), record.size(), w.key);
      if (expected.size() > static_cast<std::size_t>(kMaxKeyLength)) expected.resize(kMaxKeyLength);
      if (expected != item.text) {
        Problem("key ", w.key, ": record ", item.ref, " is entered as ", Quoted(item.text),
                ", its key is ", Quoted(expected));
      }
    }
  }

  void Visit(Walk& w, std::int32_t page, int depth, bool is_root) {
    const ImageKeyHeader& h = w.header;
    if (depth >= kMaxDepth) {
      Problem("key ", w.key, ": tree deeper than ", kMaxDepth, " levels at page ", page);
      return;
    }
    if (page < 1 || page > h.allocated) {
      Problem("key ", w.key, ": page number ", page, " outside 1..", h.allocated);
      return;
    }
    if (w.seen[page] != 0) {
      Problem("key ", w.key, ": page ", page, " reachable twice");
      return;
    }
    w.seen[page] = 1;
    ImagePage p;
    if (!image_.ReadPage(w.key, page, &p)) {
      Problem("key ", w.key, ": page ", page, " lies beyond the end of the index file");
      return;
    }
    if (p.count > kItemsPerPage) {
      Problem("key ", w.key, ": page ", page, " claims ", p.count, " items (at most 62)");
    }
    if (p.count == 0 && !(is_root && h.entries == 0)) {
      Problem("key ", w.key, ": page ", page, " holds no items");
    }
    if (!is_root && p.count < kMinFill) {
      Problem("key ", w.key, ": page ", page, " holds ", p.count, " items (at least 31)");
    }
    const bool leaf = p.left == 0;
    if (leaf) {
      if (w.leaf_depth < 0) w.leaf_depth = depth;
      if (w.leaf_depth != depth) {
        Problem("key ", w.key, ": leaf page ", page, " at depth ", depth, ", others at ",
                w.leaf_depth);
      }
    }
    for (const ImageItem& item : p.items) {
      if (item.stored_length > h.key_length) {
        Problem("key ", w.key, ": page ", page, " has an item of length ", item.stored_length,
                " (key length ", h.key_length, ")");
      }
      if (leaf != (item.child == 0)) {
        Problem("key ", w.key, ": page ", page,
                (leaf ? " is a leaf with children" : " is an inner page with a missing child"));
      }
    }
    if (!leaf) Visit(w, p.left, depth + 1, false);
    for (const ImageItem& item : p.items) {
      Entry(w, item);
      if (!leaf && item.child != 0) Visit(w, item.child, depth + 1, false);
    }
  }

  void CheckKey(int k) {
    Walk w;
    w.key = k;
    w.header = image_.keys()[k];
    const ImageKeyHeader& h = w.header;
    // The rules the engine's open applies: a header it refuses is reported, and only those.
    const KeyHeaderVerdict verdict = JudgeKeyHeader(h);
    if (verdict.error != 0) {
      Problem("key ", k, ": ", verdict.problem);
      return;
    }
    const std::int64_t needed = (static_cast<std::int64_t>(h.allocated) + 1) * image_.frame_size();
    if (image_.index_size() < needed) {
      Problem("index file: ", image_.index_size(), " bytes, key ", k, " needs ", needed,
              " for its ", h.allocated, " pages");
      return;
    }
    w.seen.assign(static_cast<std::size_t>(h.allocated) + 1, 0);
    w.in_key.assign(member_.size(), 0);
    if (h.root != 0) Visit(w, h.root, 0, true);
    if (w.entries != h.entries) {
      Problem("key ", k, ": ", w.entries, " entries found, header says ", h.entries);
    }
    report_.entries[k] = static_cast<std::int32_t>(w.entries);

    std::int32_t link = h.first_free;
    std::int32_t count = 0;
    while (link != -1) {
      if (link < 1 || link > h.allocated) {
        Problem("key ", k, ": free page link ", link, " outside 1..", h.allocated);
        break;
      }
      if (w.seen[link] != 0) {
        Problem("key ", k, ": free page ", link, " is also in the tree or reached twice");
        break;
      }
      w.seen[link] = 1;
      ++count;
      if (!image_.ReadPageLink(k, link, &link)) {
        Problem("key ", k, ": free page cannot be read");
        break;
      }
    }
    if (count != h.free_count) {
      Problem("key ", k, ": ", count, " free pages on the chain, header says ", h.free_count);
    }
    for (std::int32_t p = 1; p <= h.allocated; ++p) {
      if (w.seen[p] == 0) Problem("key ", k, ": page ", p, " neither in the tree nor free");
    }
    if (!options_.check_records_in_keys) return;
    for (std::size_t r = 1; r < member_.size(); ++r) {
      if (member_[r] == 0) continue;
      if (w.in_key[r] == 0) Problem("key ", k, ": record ", r, " missing");
      if (w.in_key[r] > 1) Problem("key ", k, ": record ", r, " entered more than once");
    }
  }

  const CheckOptions& options_;
  CheckReport& report_;
  IsamImage image_;
  std::vector<std::uint8_t> member_;  // per slot: a used record that every key must hold
};

}  // namespace

std::string CheckReport::Text() const {
  std::string text;
  for (const std::string& p : problems) text += p + "\n";
  return text;
}

CheckReport IsamCheck(std::string_view name, const CheckOptions& options) {
  CheckReport report;
  Checker(options, report).Run(name);
  return report;
}

}  // namespace storage
