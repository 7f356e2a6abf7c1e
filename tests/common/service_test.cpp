#include "common/service.h"

#include <gtest/gtest.h>

namespace common {
namespace {

struct Counter {
  explicit Counter(int start = 0) : value(start) {}
  int value;
};

TEST(ServiceDeathTest, ScopedServiceCreatesKeepsAndDestroys) {
  {
    ScopedService<Counter> counter(5);
    Service<Counter>::Get().value++;
    EXPECT_EQ(Service<Counter>::Create(100).value, 6);  // creating again keeps the object
  }
  EXPECT_FALSE(Service<Counter>::Exists());
  EXPECT_DEATH(Service<Counter>::Get(), "used before it was created");
}

}  // namespace
}  // namespace common
