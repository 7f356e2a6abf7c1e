// Table tests with named rows: a row holds its case name, what goes in and what must come out.
#pragma once

#include <ostream>
#include <string>

namespace common::testing {

template <typename In, typename Out = In>
struct Row {
  const char* name;
  In in;
  Out out;
};

template <typename A, typename B, typename Out>
struct Row2 {
  const char* name;
  A a;
  B b;
  Out out;
};

// Rows print as their names (in the failure messages too, instead of a byte dump).
template <typename In, typename Out>
void PrintTo(const Row<In, Out>& row, std::ostream* os) {
  *os << row.name;
}
template <typename A, typename B, typename Out>
void PrintTo(const Row2<A, B, Out>& row, std::ostream* os) {
  *os << row.name;
}

// Names each instantiated case after its row.
inline constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace common::testing
