#pragma once

#include <gtest/gtest.h>

#include <string>

namespace pellamy::testing {

// Names each instance of a parameterised test after its case's `name` field.
template <typename Case>
std::string case_name(const ::testing::TestParamInfo<Case>& param) {
    return std::string{param.param.name};
}

}  // namespace pellamy::testing
