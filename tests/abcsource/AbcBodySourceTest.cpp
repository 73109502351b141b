#include "abcsource/AbcBodySource.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

TEST(AbcBodyDecompiler, EachBodyOnceAndNoneWithoutOne) {
  const test::Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  AbcNames names(file);
  AbcBodyDecompiler decompiler(file, names);
  const AbcDecompiledBody* first = decompiler.body(2, {});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(decompiler.body(2, {}), first);
  EXPECT_EQ(decompiler.body(6, {}), nullptr);  // a() has no body
  EXPECT_EQ(decompiler.body(7, {}), nullptr);  // past the methods
}

}  // namespace
}  // namespace orvane
