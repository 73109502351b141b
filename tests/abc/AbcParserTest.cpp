#include "abc/AbcParser.h"

#include <gtest/gtest.h>

#include "abc/AbcNames.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

using test::AbcWriter;

/// The tables after the constant pool, all empty.
AbcWriter& noMethodsToBodies(AbcWriter& abc) { return abc.u30(0).u30(0).u30(0).u30(0).u30(0); }

TEST(AbcParser, ReadsEveryConstantPoolAndMultinameKind) {
  AbcWriter abc;
  abc.u16(16).u16(46);
  abc.u30(3).s32(-5).s32(300);         // integers 1, 2
  abc.u30(2).u30(0xFFFFFFFFu);         // unsigned 1
  abc.u30(2).d64(0.25);                // double 1
  abc.u30(8).string("flash.display").string("Sprite").string("x").string("int").string("Vector")
      .string("__AS3__.vec").string("http://ns");  // strings 1 to 7
  abc.u30(10)
      .u8(0x16).u30(1)   // 1 package flash.display
      .u8(0x16).u30(0)   // 2 the public package
      .u8(0x05).u30(0)   // 3 private
      .u8(0x18).u30(1)   // 4 protected
      .u8(0x17).u30(1)   // 5 package internal
      .u8(0x08).u30(7)   // 6 a user namespace
      .u8(0x1A).u30(0)   // 7 static protected
      .u8(0x19).u30(1)   // 8 explicit
      .u8(0x16).u30(6);  // 9 package __AS3__.vec
  abc.u30(2).u30(2).u30(1).u30(2);  // set 1: {flash.display, public}
  abc.u30(17)
      .u8(0x07).u30(1).u30(2)  // 1 QName flash.display::Sprite
      .u8(0x0D).u30(2).u30(3)  // 2 QNameA @x
      .u8(0x0F).u30(3)         // 3 RTQName
      .u8(0x10).u30(3)         // 4 RTQNameA
      .u8(0x11)                // 5 RTQNameL
      .u8(0x12)                // 6 RTQNameLA
      .u8(0x09).u30(3).u30(1)  // 7 Multiname x in set 1
      .u8(0x0E).u30(3).u30(1)  // 8 MultinameA
      .u8(0x1B).u30(1)         // 9 MultinameL
      .u8(0x1C).u30(1)         // 10 MultinameLA
      .u8(0x07).u30(9).u30(5)  // 11 QName __AS3__.vec::Vector
      .u8(0x07).u30(2).u30(4)  // 12 QName int
      .u8(0x1D).u30(11).u30(1).u30(12)  // 13 TypeName Vector.<int>
      .u8(0x07).u30(3).u30(3)  // 14 private::x
      .u8(0x07).u30(6).u30(3)  // 15 http://ns::x
      .u8(0x1D).u30(11).u30(1).u30(16)  // 16 a type name of itself
      ;
  noMethodsToBodies(abc);

  const AbcFile file = parseAbc(abc.data());
  ASSERT_TRUE(file.errors.empty()) << file.errors.front().message;
  EXPECT_EQ(file.minorVersion, 16);
  EXPECT_EQ(file.majorVersion, 46);
  EXPECT_EQ(file.pool.integers, (std::vector<std::int32_t>{0, -5, 300}));
  EXPECT_EQ(file.pool.unsignedIntegers, (std::vector<std::uint32_t>{0, 0xFFFFFFFFu}));
  EXPECT_EQ(file.pool.doubles.at(1), 0.25);
  EXPECT_EQ(file.pool.strings.at(7), "http://ns");
  ASSERT_EQ(file.pool.namespaces.size(), 10u);
  EXPECT_EQ(file.pool.namespaces[8].kind, nskind::kExplicit);
  EXPECT_EQ(file.pool.namespaceSets.at(1), (std::vector<std::uint32_t>{1, 2}));
  ASSERT_EQ(file.pool.multinames.size(), 17u);

  AbcNames names(file);
  const std::vector<std::string> expected{
      "*",
      "flash.display::Sprite",
      "@x",
      "[ns]::x",
      "@[ns]::x",
      "[ns]::[name]",
      "@[ns]::[name]",
      "{flash.display, public}::x",
      "@{flash.display, public}::x",
      "{flash.display, public}::[name]",
      "@{flash.display, public}::[name]",
      "__AS3__.vec::Vector",
      "int",
      "__AS3__.vec::Vector.<int>",
      "private::x",
      "http://ns::x",
      "__AS3__.vec::Vector.<__AS3__.vec::Vector.<__AS3__.vec::Vector.<__AS3__.vec::Vector.<__AS3__.vec::Vector."
      "<__AS3__.vec::Vector.<__AS3__.vec::Vector.<__AS3__.vec::Vector.<<type name 16?>>>>>>>>>",
  };
  for (std::uint32_t i = 0; i < expected.size(); ++i) EXPECT_EQ(names.multiname(i), expected[i]) << i;
  EXPECT_EQ(names.multiname(17), "<multiname 17?>");
  EXPECT_EQ(names.namespaceText(3), "private");
  EXPECT_EQ(names.namespaceText(7), "protected");
  EXPECT_EQ(names.namespaceText(12), "<namespace 12?>");
  EXPECT_EQ(names.accessKeyword(15), "\"http://ns\"");
  EXPECT_EQ(names.accessKeyword(12), "public");
}

TEST(AbcParser, CountsAndIndicesPastTheirTables) {
  {
    AbcWriter abc;  // a string pool of 2^30 - 1 entries in a block of a few bytes
    abc.u16(16).u16(46).u30(0).u30(0).u30(0).u30((1u << 30) - 1).string("a");
    const AbcFile file = parseAbc(abc.data());
    ASSERT_EQ(file.errors.size(), 1u);
    EXPECT_EQ(file.errors[0].offset, 7u);
    EXPECT_EQ(file.errors[0].message, "string count 1073741823 runs past the end of the block");
  }
  {
    AbcWriter abc;  // a method count of 2^30, which no u30 holds
    abc.u16(16).u16(46).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0).u30(1u << 30);
    const AbcFile file = parseAbc(abc.data());
    ASSERT_EQ(file.errors.size(), 1u);
    EXPECT_EQ(file.errors[0].offset, 11u);
    EXPECT_EQ(file.errors[0].message, "u30 value 1073741824 is out of range");
  }
  {
    AbcWriter abc;  // truncated in the middle of the double pool
    abc.u16(16).u16(46).u30(0).u30(0).u30(3).d64(1.0).u8(0);
    const AbcFile file = parseAbc(abc.data());
    ASSERT_EQ(file.errors.size(), 1u);
    EXPECT_EQ(file.errors[0].message, "double count 3 runs past the end of the block");
    EXPECT_TRUE(file.methods.empty());
  }
  {
    AbcWriter abc;  // a QName whose namespace and name lie past their tables
    abc.u16(16).u16(46).u30(0).u30(0).u30(0).u30(2).string("a").u30(0).u30(0);
    abc.u30(2).u8(0x07).u30(4).u30(9);
    noMethodsToBodies(abc);
    const AbcFile file = parseAbc(abc.data());
    ASSERT_EQ(file.errors.size(), 2u);
    EXPECT_EQ(file.errors[0].offset, 14u);
    EXPECT_EQ(file.errors[0].message, "namespace index 4 is past its table of 1");
    EXPECT_EQ(file.errors[1].offset, 15u);
    EXPECT_EQ(file.errors[1].message, "string index 9 is past its table of 2");
    EXPECT_EQ(AbcNames(file).multiname(1), "<namespace 4?>::");
  }
  {
    AbcWriter abc;  // an unknown multiname kind ends the reading
    abc.u16(16).u16(46).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0).u30(2).u8(0x42);
    const AbcFile file = parseAbc(abc.data());
    ASSERT_EQ(file.errors.size(), 1u);
    EXPECT_EQ(file.errors[0].offset, 11u);
    EXPECT_EQ(file.errors[0].message, "unknown multiname kind 66");
  }
}

/// An empty pool and `methods` methods without parameters, no classes, no scripts.
AbcWriter blockWithMethods(std::uint32_t methods) {
  AbcWriter abc;
  abc.u16(16).u16(46).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0).u30(0);
  abc.u30(methods);
  for (std::uint32_t i = 0; i < methods; ++i) abc.u30(0).u30(0).u30(0).u8(0);
  return abc.u30(0).u30(0).u30(0);
}

TEST(AbcParser, OneBadBodyDoesNotHideTheOthers) {
  AbcWriter abc = blockWithMethods(2);
  abc.u30(3);
  abc.u30(0).u30(1).u30(1).u30(0).u30(1).u30(1).u8(0x47).u30(0).u30(0);     // method 0: returnvoid
  abc.u30(7).u30(1).u30(1).u30(0).u30(1).u30(1).u8(0x47)                     // method 7 does not exist
      .u30(1).u30(0).u30(1).u30(5).u30(3).u30(0)                             // an exception past the code
      .u30(0);
  abc.u30(1).u30(1).u30(1).u30(0).u30(1).u30(2).u8(0xD0).u8(0x48).u30(0).u30(0);  // method 1
  const AbcFile file = parseAbc(abc.data());
  EXPECT_TRUE(file.errors.empty());
  ASSERT_EQ(file.bodies.size(), 3u);
  EXPECT_TRUE(file.bodies[0].errors.empty());
  ASSERT_EQ(file.bodies[1].errors.size(), 3u);
  EXPECT_EQ(file.bodies[1].errors[0].message, "method index 7 is past its table of 2");
  EXPECT_EQ(file.bodies[1].errors[1].message, "multiname index 3 is past its table of 1");
  EXPECT_EQ(file.bodies[1].errors[2].message, "exception range lies outside the code");
  EXPECT_TRUE(file.bodies[2].errors.empty());
  EXPECT_EQ(file.methods[0].body, 0);
  EXPECT_EQ(file.methods[1].body, 2);
  EXPECT_EQ(file.bodies[2].code.size(), 2u);
  EXPECT_EQ(file.bodies[2].code[1], 0x48);
}

TEST(AbcParser, BodyWhoseCodeRunsPastTheBlock) {
  AbcWriter abc = blockWithMethods(2);
  abc.u30(2);
  abc.u30(0).u30(1).u30(1).u30(0).u30(1).u30(1).u8(0x47).u30(0).u30(0);
  const std::uint32_t secondBody = abc.size();
  abc.u30(1).u30(1).u30(1).u30(0).u30(1).u30(200).u8(0x47);  // 200 bytes of code announced, 1 present
  const AbcFile file = parseAbc(abc.data());
  ASSERT_EQ(file.bodies.size(), 1u);
  ASSERT_EQ(file.errors.size(), 1u);
  EXPECT_EQ(file.errors[0].offset, secondBody + 7);
  EXPECT_EQ(file.errors[0].message, "method code runs past the end of the block");
}

}  // namespace
}  // namespace orvane
