// The golden table of action blocks: each row is a block with the function-code listing
// and the version 4 and 5 renderings it must produce, worked out by hand. The test that
// checks a row is in ActionCatalogueTest.cpp; other files add rows of their own.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/actions/ActionBytes.h"

namespace orvane::test {

struct GoldenRow {
  const char* name;
  Bytes block;
  const char* functionCode;  // null: not checked for this row
  const char* as4;
  const char* as5;
};

class GoldenTable : public ::testing::TestWithParam<GoldenRow> {};

inline std::string goldenRowName(const ::testing::TestParamInfo<GoldenRow>& info) { return info.param.name; }

}  // namespace orvane::test
