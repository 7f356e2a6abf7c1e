#include "common/service.h"

#include <gtest/gtest.h>

namespace common {
namespace {

struct Counter {
  explicit Counter(int start = 0) : value(start) {}
  int value;
};

TEST(Service, ScopedServiceCreatesAndDestroys) {
  EXPECT_FALSE(Service<Counter>::Exists());
  {
    ScopedService<Counter> counter(5);
    EXPECT_TRUE(Service<Counter>::Exists());
    Service<Counter>::Get().value++;
    EXPECT_EQ(counter->value, 6);
    // Creating again keeps the existing object.
    EXPECT_EQ(Service<Counter>::Create(100).value, 6);
  }
  EXPECT_FALSE(Service<Counter>::Exists());
}

TEST(ServiceDeathTest, UseBeforeCreationEndsWithAMessage) {
  EXPECT_DEATH(Service<Counter>::Get(), "used before it was created");
}

}  // namespace
}  // namespace common
