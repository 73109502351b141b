// The body assembler and the block rewrite: every operand kind from hand-written text, the
// pools growing behind their last entries, the machine needs worked out, the exact form where
// texts print alike, and the faults of a text at their line and column.
#include <gtest/gtest.h>

#include "abc/AbcBodyReplacement.h"
#include "abc/AbcDisassembly.h"
#include "abc/AbcParser.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

using test::Bytes;

constexpr std::uint32_t kRunBody = 2;  // run(n:Number = 1.5, ...rest):void of test::exampleAbc

AbcFile reparsed(const Bytes& block) {
  AbcFile file = parseAbc(block);
  EXPECT_TRUE(file.errors.empty());
  return file;
}

TEST(AbcBodyReplacement, EveryOperandKindAssemblesFromItsText) {
  const Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  const std::string text =
      "// body 2 of method 2: the offsets before the mnemonics are ignored\n"
      "    0  getlocal_0\n"
      "pushscope\n"
      "pushbyte -5\n"
      "pushshort -2\n"
      "pushint 5\n"
      "pushint 70000\n"
      "pushuint 7\n"
      "pushdouble 1.5\n"
      "pushdouble -0.25\n"
      "pushstring \"a\"\n"
      "pushstring \"new\\ttext\"\n"
      "getlex flash.display::Sprite\n"
      "getlex flash.net::navigateToURL\n"
      "pushnamespace com.example\n"
      "getlocal 2\n"
      "setlocal 3\n"
      "getslot 1\n"
      "callproperty x, 2\n"
      "newfunction 6 (a)\n"
      "newclass 0 (com.example::Foo)\n"
      "debug 1, \"n\", 0, 7\n"
      "iffalse L1\n"
      "L0:\n"
      "lookupswitch L0, [L1, +3]\n"
      "L1:\n"
      "newcatch 0\n"
      "returnvoid\n"
      "exception 0: from L0 to L1 target L1 type Error name e\n";
  std::vector<std::uint8_t> out;
  AssemblyError error;
  ASSERT_TRUE(replaceAbcBody(block, file, kRunBody, text, out, error)) << error.line << ":" << error.column << ": "
                                                                       << error.message;
  const AbcFile edited = reparsed(out);
  const AbcConstantPool& pool = edited.pool;
  // Every old entry keeps its index; the new ones follow the last of their table.
  EXPECT_EQ(std::vector<std::int32_t>(pool.integers.begin(), pool.integers.begin() + 2), file.pool.integers);
  EXPECT_EQ(pool.integers, (std::vector<std::int32_t>{0, 5, 70000}));
  EXPECT_EQ(pool.unsignedIntegers, (std::vector<std::uint32_t>{0, 7}));
  EXPECT_EQ(pool.doubles, (std::vector<double>{0.0, 1.5, -0.25}));
  ASSERT_EQ(pool.strings.size(), 24u);  // 19, then "new\ttext", "flash.net", "navigateToURL", "Error", "e"
  EXPECT_EQ(std::vector<std::string>(pool.strings.begin(), pool.strings.begin() + 19), file.pool.strings);
  EXPECT_EQ(std::vector<std::string>(pool.strings.begin() + 19, pool.strings.end()),
            (std::vector<std::string>{"new\ttext", "flash.net", "navigateToURL", "Error", "e"}));
  ASSERT_EQ(pool.namespaces.size(), 6u);
  EXPECT_EQ(pool.namespaces[5].kind, nskind::kPackage);
  EXPECT_EQ(pool.namespaces[5].name, 20u);
  ASSERT_EQ(pool.multinames.size(), 17u);
  EXPECT_EQ(pool.multinames[14].kind, mnkind::kQName);
  EXPECT_EQ(pool.multinames[14].ns, 5u);
  EXPECT_EQ(pool.multinames[14].name, 21u);
  EXPECT_EQ(pool.multinames[15].ns, 2u);  // Error in the public namespace
  EXPECT_EQ(pool.multinames[15].name, 22u);
  EXPECT_EQ(pool.multinames[16].name, 23u);

  const AbcMethodBody& body = edited.bodies[kRunBody];
  const Bytes code = {0xD0, 0x30, 0x24, 0xFB, 0x25, 0xFE, 0xFF, 0xFF, 0xFF, 0x0F,  // pushshort -2 as 32 bits
                      0x2D, 0x01, 0x2D, 0x02, 0x2E, 0x01, 0x2F, 0x01, 0x2F, 0x02, 0x2C, 0x07, 0x2C, 0x13,
                      0x60, 0x0A, 0x60, 0x0E, 0x31, 0x01, 0x62, 0x02, 0x63, 0x03, 0x6C, 0x01, 0x46, 0x02, 0x02,
                      0x40, 0x06, 0x58, 0x00, 0xEF, 0x01, 0x09, 0x00, 0x07,
                      0x12, 0x0B, 0x00, 0x00,                    // 48: iffalse to 63, from 52
                      0x1B, 0x00, 0x00, 0x00, 0x01,              // 52: lookupswitch, default 52, 2 cases
                      0x0B, 0x00, 0x00, 0x03, 0x00, 0x00,        //     to 63, and 3 as written
                      0x5A, 0x00, 0x47};                         // 63
  EXPECT_EQ(Bytes(body.code.begin(), body.code.end()), code);
  ASSERT_EQ(body.exceptions.size(), 1u);
  EXPECT_EQ(body.exceptions[0].from, 52u);
  EXPECT_EQ(body.exceptions[0].to, 63u);
  EXPECT_EQ(body.exceptions[0].target, 63u);
  EXPECT_EQ(body.exceptions[0].type, 15u);
  EXPECT_EQ(body.exceptions[0].variable, 16u);
  EXPECT_EQ(body.localCount, 4u);  // setlocal 3
  EXPECT_EQ(body.initScopeDepth, 4u);
  EXPECT_EQ(body.maxScopeDepth, 5u);
  // The other bodies, the methods and the classes are as they were.
  for (std::uint32_t i = 0; i < file.bodies.size(); ++i) {
    if (i == kRunBody) continue;
    EXPECT_EQ(Bytes(edited.bodies[i].code.begin(), edited.bodies[i].code.end()),
              Bytes(file.bodies[i].code.begin(), file.bodies[i].code.end()));
  }
  EXPECT_EQ(edited.methods.size(), file.methods.size());
  EXPECT_EQ(edited.instances.size(), 1u);
}

TEST(AbcBodyReplacement, MachineNeedsGrowAndADeclaredReserveStays) {
  const Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  std::vector<std::uint8_t> out;
  AssemblyError error;
  // Three values at once, two scopes above the initial depth of 4; the handler starts with
  // the caught value alone and pushes one more.
  const std::string deep =
      "getlocal_0\npushscope\ngetlocal_0\npushscope\nL0:\npushbyte 1\npushbyte 2\npushbyte 3\nadd\nadd\npop\n"
      "popscope\nL1:\nreturnvoid\nL2:\npushbyte 4\nthrow\n"
      "exception 0: from L0 to L1 target L2 type * name *\n";
  ASSERT_TRUE(replaceAbcBody(block, file, kRunBody, deep, out, error)) << error.message;
  const AbcFile grownFile = reparsed(out);
  const AbcMethodBody& grown = grownFile.bodies[kRunBody];
  EXPECT_EQ(grown.maxStack, 3u);
  EXPECT_EQ(grown.localCount, 3u);  // this, n and the rest array, though no register is named
  EXPECT_EQ(grown.maxScopeDepth, 6u);
  EXPECT_EQ(grown.exceptions.at(0).type, 0u);

  // get name declares max stack 1, locals 1, scope depth 4 to 5: an empty body keeps them.
  ASSERT_TRUE(replaceAbcBody(block, file, 3, "returnvoid\n", out, error)) << error.message;
  const AbcFile keptFile = reparsed(out);
  const AbcMethodBody& kept = keptFile.bodies[3];
  EXPECT_EQ(kept.maxStack, 1u);
  EXPECT_EQ(kept.localCount, 1u);
  EXPECT_EQ(kept.maxScopeDepth, 5u);

  // A late name takes its name from the stack: [ns]::[name] two values more.
  ASSERT_TRUE(replaceAbcBody(block, file, 3, "getlocal_0\ngetlocal_0\ngetlocal_0\ngetproperty [ns]::[name]\n"
                                             "returnvalue\n", out, error)) << error.message;
  const AbcFile late = reparsed(out);
  EXPECT_EQ(late.bodies[3].maxStack, 3u);
  EXPECT_EQ(late.pool.multinames.back().kind, mnkind::kRTQNameL);
}

TEST(AbcBodyReplacement, TextsThatPrintAlikeNeedTheirIndex) {
  // Strings 1 and 2 are both "a"; the body pushes each once, and gets a::b with a blank
  // at the end of its name.
  AbcWriter abc;
  abc.u16(16).u16(46).u30(0).u30(0).u30(0);
  abc.u30(4).string("a").string("a").string("b ");
  abc.u30(2).u8(0x16).u30(1);  // namespace 1: package a
  abc.u30(0);
  abc.u30(2).u8(0x07).u30(1).u30(3);  // multiname 1: a::b
  abc.u30(1).u30(0).u30(0).u30(0).u8(0);  // method 0
  abc.u30(0).u30(0).u30(0);               // no metadata, classes or scripts
  abc.u30(1).u30(0).u30(3).u30(1).u30(0).u30(1).u30(7);
  abc.bytes(Bytes{0x2C, 0x01, 0x2C, 0x02, 0x60, 0x01, 0x47}).u30(0).u30(0);
  const Bytes block = abc.data();
  const AbcFile file = parseAbc(block);
  ASSERT_TRUE(file.errors.empty());

  AbcBodyReplacement replacement(block, file);
  std::string exact;
  appendBodyAssembly(exact, file, replacement.names(), replacement.texts(), 0);
  EXPECT_NE(exact.find("    0  pushstring \"a\"#1\n    2  pushstring \"a\"#2\n    4  getlex a::b #1\n"),
            std::string::npos)
      << exact;
  AssemblyError error;
  ASSERT_TRUE(replacement.assemble(0, exact, error)) << error.message;
  EXPECT_EQ(replacement.block(), block);

  // The plain listing cannot say which "a" each push takes, nor can a new push.
  std::string plain;
  appendBodyListing(plain, file, replacement.names(), 0, "");
  EXPECT_FALSE(replacement.assemble(0, plain, error));
  EXPECT_EQ(error.line, 2u);
  EXPECT_EQ(error.column, 19u);
  EXPECT_EQ(error.message, "\"a\" is string 1, 2: write \"a\"#1 (or another index) to choose");
  // An index must name an entry of that text; "#N" alone names any.
  EXPECT_FALSE(replacement.assemble(0, "pushstring \"b\"#9\n", error));
  EXPECT_EQ(error.message, "string 9 is past the table of 4");
  ASSERT_TRUE(replacement.assemble(0, "pushstring #2\npushstring \"a\"#1\nreturnvoid\n", error))
      << error.line << ":" << error.column << ": " << error.message;
  EXPECT_FALSE(replacement.poolGrew());
  const Bytes swapped = {0x2C, 0x02, 0x2C, 0x01, 0x47};  // and the getlex left out
  const Bytes written = replacement.block();
  const AbcFile again = parseAbc(written);
  EXPECT_EQ(Bytes(again.bodies[0].code.begin(), again.bodies[0].code.end()), swapped);
}

TEST(AbcBodyReplacement, ANameThatBeginsWithAColonIsAnOperandNotALabel) {
  AbcWriter abc;
  abc.u16(16).u16(46).u30(0).u30(0).u30(0);
  abc.u30(3).string("").string(":b");
  abc.u30(2).u8(0x16).u30(1);  // namespace 1: public
  abc.u30(0);
  abc.u30(2).u8(0x07).u30(1).u30(2);  // multiname 1: :b
  abc.u30(1).u30(0).u30(0).u30(0).u8(0);
  abc.u30(0).u30(0).u30(0);
  abc.u30(1).u30(0).u30(1).u30(1).u30(0).u30(1).u30(3);
  abc.bytes(Bytes{0x60, 0x01, 0x47}).u30(0).u30(0);
  const Bytes block = abc.data();
  const AbcFile file = parseAbc(block);
  ASSERT_TRUE(file.errors.empty());

  AbcBodyReplacement replacement(block, file);
  std::string exact;
  appendBodyAssembly(exact, file, replacement.names(), replacement.texts(), 0);
  EXPECT_NE(exact.find("    0  getlex :b\n"), std::string::npos) << exact;
  AssemblyError error;
  ASSERT_TRUE(replacement.assemble(0, exact, error)) << error.line << ":" << error.column << ": " << error.message;
  EXPECT_FALSE(replacement.poolGrew());
  EXPECT_EQ(replacement.block(), block);
}

TEST(AbcBodyReplacement, FaultsOfTheTextStandAtTheirLineAndColumn) {
  const Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  struct Case {
    std::string text;
    std::uint32_t line, column;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"getlocal_0\nfrobnicate 3\n", 2, 1, "unknown instruction frobnicate"},
      {"  jump L9\nreturnvoid\n", 1, 8, "no label is named L9"},
      {"pushbyte 300\n", 1, 10, "expects a number from -128 to 127"},
      {"getlocal_0 5\n", 1, 12, "getlocal_0 takes no operands"},
      {"L1:\nL1:\n", 2, 1, "the label L1 is defined twice"},
      {"pushstring abc\n", 1, 12, "expects a string in double quotes (escapes \\\" \\\\ \\n \\r \\t \\xHH)"},
      {"callproperty x\n", 1, 15, "callproperty takes 2 operands"},
      {"newfunction 99\n", 1, 13, "expects a method number below 7"},
      {"newcatch 0\n", 1, 10, "newcatch names exception 0 of 0"},
      {"getlex private::y\n", 1, 8, "the block has no private namespace to qualify a new name with"},
      {"pushint 5#3\n", 1, 9, "int 3 is past the table of 2"},
      {"pushint 3000000000\n", 1, 9, "expects an integer from -2147483648 to 2147483647"},
      {"lookupswitch L0, L1\nL0:\nL1:\n", 1, 18,
       "lookupswitch takes a default label and the case labels in brackets: L1, [L2, L3]"},
      {"exception 0: from L0 to L1 target L2\nL0:\nL1:\nL2:\n", 1, 37, "expects type and the caught type (* for any)"},
      {"jump -8388609\n", 1, 6, "expects a label or a distance from -8388608 to +8388607"},
  };
  for (const Case& fault : cases) {
    SCOPED_TRACE(fault.text);
    std::vector<std::uint8_t> out{1, 2, 3};
    AssemblyError error;
    EXPECT_FALSE(replaceAbcBody(block, file, kRunBody, fault.text, out, error));
    EXPECT_EQ(error.line, fault.line);
    EXPECT_EQ(error.column, fault.column);
    EXPECT_EQ(error.message, fault.message);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));
  }
  AssemblyError error;
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(replaceAbcBody(block, file, 6, "returnvoid\n", out, error));
  EXPECT_EQ(error.line, 0u);
  EXPECT_EQ(error.message, "the block has no method body 6");
}

}  // namespace
}  // namespace orvane
