#pragma once
// Parameterised tests whose cases carry a `name`: the test names and the
// listings show that name. Each case struct also gets a one-line
// PrintTo(const Case&, std::ostream*) beside it, so that test listings and
// failure messages print the name instead of the case's bytes.
#include <gtest/gtest.h>

#include <string>

namespace script::test {

// The name generator for INSTANTIATE_TEST_SUITE_P.
struct ByCaseName {
  template <typename Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

}  // namespace script::test
