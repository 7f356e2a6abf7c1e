// The ADI reader on damaged files: seeded mutants of the hand-written files (bytes flipped,
// files cut, huge lengths, lone "<", tags and line ends put in, pieces doubled or taken out)
// never crash it, and every value it gives stands in the file, right after its tag.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/adif_reader.h"
#include "tests/common/adif_invariants.h"

namespace common {
namespace {

using testing::BrokenAdifRule;

constexpr int kMutants = 100'000;

std::vector<std::string> Fixtures() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(COMMON_ADIF_FIXTURES)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files.push_back(bytes.str());
  }
  std::sort(files.begin(), files.end());  // the same mutants whatever the directory order
  return files;
}

class Mutator {
 public:
  explicit Mutator(unsigned seed) : random_(seed) {}

  std::string Mutate(std::string bytes, const std::string& other) {
    const int steps = Pick(1, 4);
    for (int i = 0; i < steps; ++i) Step(bytes, other);
    return bytes;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::size_t At(const std::string& bytes) {
    return bytes.empty() ? 0 : static_cast<std::size_t>(Pick(0, static_cast<int>(bytes.size())));
  }

  void Step(std::string& bytes, const std::string& other) {
    static const std::vector<std::string> kPieces = {
        "<", ">", ":", "<EOR>", "<eoh>", "#", "\n#", "\r\n", "<CALL:999999999>",
        "<NOTES:4294967295>", "<X:0000000001>", "<CALL:1:>", "\xEF\xBB\xBF", "\xC3", "\xF6",
        std::string(1, '\0')};
    const std::size_t at = At(bytes);
    switch (Pick(0, 5)) {
      case 0:  // flip a byte
        if (!bytes.empty()) bytes[std::min(at, bytes.size() - 1)] = static_cast<char>(Pick(0, 255));
        break;
      case 1:  // cut the file
        bytes.resize(at);
        break;
      case 2:  // a piece that means something to the reader
        bytes.insert(at, kPieces[static_cast<std::size_t>(Pick(0, int(kPieces.size()) - 1))]);
        break;
      case 3: {  // a length made huge or odd
        const std::size_t colon = bytes.find(':', at);
        if (colon != std::string::npos)
          bytes.insert(colon + 1, std::to_string(Pick(0, 1'000'000'000)));
        break;
      }
      case 4: {  // take a piece out or double it
        const std::size_t size = static_cast<std::size_t>(Pick(1, 40));
        const std::string piece = bytes.substr(at, size);
        if (Pick(0, 1) == 0)
          bytes.erase(at, size);
        else
          bytes.insert(at, piece);
        break;
      }
      default:  // the head of one file on the tail of another
        bytes = bytes.substr(0, at) + other.substr(std::min(other.size(), At(other)));
        break;
    }
  }

  std::mt19937 random_;
};

TEST(AdifMutationTest, NoMutantBreaksTheReader) {
  const std::vector<std::string> fixtures = Fixtures();
  ASSERT_GE(fixtures.size(), 4u);
  Mutator mutator(20240302);
  std::size_t records = 0;
  for (int i = 0; i < kMutants; ++i) {
    const std::string& base = fixtures[static_cast<std::size_t>(i) % fixtures.size()];
    const std::string& other = fixtures[static_cast<std::size_t>(i / 7) % fixtures.size()];
    const std::string mutant = mutator.Mutate(base, other);
    const AdifFile file = ReadAdif(mutant);
    records += file.records.size();
    const std::string broken = BrokenAdifRule(mutant, file);
    ASSERT_TRUE(broken.empty()) << broken << " in mutant " << i << ":\n" << mutant;
  }
  // The mutants are mostly readable files: a mutator that ruined every file would test little.
  EXPECT_GT(records, static_cast<std::size_t>(kMutants));
}

}  // namespace
}  // namespace common
