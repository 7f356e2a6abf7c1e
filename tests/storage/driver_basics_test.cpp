// Error classes and numbers, EDBError, the operation stack and driver names.
#include <gtest/gtest.h>

#include "storage/db_error.h"
#include "storage/driver_errors.h"
#include "storage/driver_names.h"
#include "storage/operation_stack.h"

namespace storage {
namespace {

struct ClassRow {
  const char* name;
  int error;
  int cls;
  int shown;
};

class ClassTest : public ::testing::TestWithParam<ClassRow> {};

TEST_P(ClassTest, ClassAndShownNumber) {
  EXPECT_EQ(DriverResultClass(GetParam().error), GetParam().cls);
  EXPECT_EQ(DriverErrorNumber(GetParam().error), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ClassTest,
    ::testing::Values(
        ClassRow{"Success", 0, 0, 0}, ClassRow{"FileNotFound", 9903, 1, 9903},
        ClassRow{"KeyNotFound", 10200, 1, 10200}, ClassRow{"EndOfKey", 10250, 1, 10250},
        ClassRow{"PathNotFound", 9900, 2, 9900}, ClassRow{"RecordLock", 10335, 2, 10335},
        ClassRow{"WriteLock", 10330, 2, 10330}, ClassRow{"TempReadLock", 10399, 2, 10399},
        ClassRow{"JournalRestored", 10003, 3, 10003}, ClassRow{"IndexDefective", 10070, 4, 10070},
        ClassRow{"DuplicateKey", 10230, 1, 10230}, ClassRow{"Negative", -5, 4, -5},
        ClassRow{"RecordGone", 12289, 1, 1}, ClassRow{"FindNoMatch", 12292, 1, 4},
        ClassRow{"EraseLocked", 16385, 2, 1}, ClassRow{"AutoKeyNotNumber", 24592, 4, 16},
        ClassRow{"RecordLengthDiffers", 24591, 4, 15}, ClassRow{"StopWhileOpen", 28724, 5, 52},
        ClassRow{"Reentry", 28770, 1, 98}, ClassRow{"High", 0x8000, 99, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EDBErrorTest, EmptyStackGivesEmptyNumber) {
  DebugStack stack;
  EXPECT_STREQ(EDBError::FromStack(4, "LB5", stack).what(), "Datenbankfehler 4() LB5");
}

TEST(DebugStackTest, FifthErrorReplacesFourthAndDeepestIsFirstOfHighestClass) {
  DebugStack stack;
  stack.SetOperationCode(0x400E);
  for (int n : {12289, 10230, 24592, 10230, 28724}) {
    ErrorEntry e;
    e.error_class = -1;
    e.error_number = n;
    stack.AddError(e);
  }
  EXPECT_EQ(stack.EntryCount(), 4);
  EXPECT_EQ(stack.GetEntry(4).error_number, 28724);
  EXPECT_EQ(stack.GetEntry(4).operation_code, 0x400E);
  EXPECT_EQ(stack.ErrorClass(), 5);
  EXPECT_EQ(stack.DeepestEntry(), 4);
}

TEST(DebugStackTest, TraceEnteredAgainRecords28760AndStopsTracing) {
  DebugStack stack;
  int calls = 0;
  stack.SetTrace(
      [&](const DebugStack&) {
        ++calls;
        stack.CallErrorProc();
      },
      true);
  stack.CallErrorProc();
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(stack.TraceOn());
  EXPECT_EQ(stack.GetEntry(1).error_number, 28760);
}

TEST(DriverNameTest, UpperCasedInWindows1252) {
  EXPECT_EQ(NormaliseDriverName("a\x84o\x94\xE4"), "A\x8EO\x99\xE4");
}

}  // namespace
}  // namespace storage
