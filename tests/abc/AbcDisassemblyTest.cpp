#include "abc/AbcDisassembly.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

using test::AbcWriter;

/// A pool with one of each constant, one method with `code` and an exception handler.
test::Bytes blockWithCode(const test::Bytes& code, bool withException) {
  AbcWriter abc;
  abc.u16(16).u16(46);
  abc.u30(2).s32(-70000);
  abc.u30(2).u30(3000000000u);
  abc.u30(2).d64(0.1);
  abc.u30(5).string("say \"hi\"\n").string("Error").string("e").string("f");
  abc.u30(2).u8(0x08).u30(1);  // a user namespace named by string 1
  abc.u30(0);
  abc.u30(3).u8(0x07).u30(0).u30(2).u8(0x07).u30(0).u30(3);  // Error, e
  abc.u30(1).u30(0).u30(0).u30(4).u8(0);                     // method 0, named "f"
  abc.u30(0).u30(0).u30(0);
  abc.u30(1).u30(0).u30(3).u30(2).u30(0).u30(1).u30(static_cast<std::uint32_t>(code.size())).bytes(code);
  if (withException)
    abc.u30(1).u30(0).u30(2).u30(4).u30(1).u30(2);
  else
    abc.u30(0);
  abc.u30(0);
  return abc.data();
}

std::string listing(const test::Bytes& block) {
  const AbcFile file = parseAbc(block);
  EXPECT_TRUE(file.errors.empty());
  AbcNames names(file);
  std::string text;
  appendBodyListing(text, file, names, 0, "");
  return text;
}

TEST(AbcDisassembly, OperandsFromThePoolsAndTheirLabels) {
  const test::Bytes code{
      0x24, 0xFF,                    //  0 pushbyte -1
      0x25, 0xFE, 0xFF, 0x03,        //  2 pushshort -2
      0x2D, 0x01,                    //  6 pushint
      0x2E, 0x01,                    //  8 pushuint
      0x2F, 0x01,                    // 10 pushdouble
      0x2C, 0x01,                    // 12 pushstring
      0x31, 0x01,                    // 14 pushnamespace
      0x32, 0x02, 0x03,              // 16 hasnext2 2, 3
      0x40, 0x00,                    // 19 newfunction 0
      0x46, 0x01, 0x02,              // 21 callproperty Error, 2
      0x10, 0xF9, 0xFF, 0xFF,        // 24 jump back to 21
      0xEF, 0x01, 0x03, 0x04, 0x00,  // 28 debug 1, "e", 4, 0
      0x2C, 0x09,                    // 33 pushstring past the table
      0x47,                          // 35 returnvoid
  };
  EXPECT_EQ(listing(blockWithCode(code, true)),
            "// body 0 of method 0: max stack 3, locals 2, scope depth 0 to 1, code length 36\n"
            "L0:\n"
            "    0  pushbyte -1\n"
            "L2:\n"
            "    2  pushshort -2\n"
            // The handler at 4 starts inside pushshort: label lines stand only where instructions start.
            "    6  pushint -70000\n"
            "    8  pushuint 3000000000\n"
            "   10  pushdouble 0.1\n"
            "   12  pushstring \"say \\\"hi\\\"\\n\"\n"
            "   14  pushnamespace say \"hi\"\n\n"
            "   16  hasnext2 2, 3\n"
            "   19  newfunction 0 (f)\n"
            "L21:\n"
            "   21  callproperty Error, 2\n"
            "   24  jump L21\n"
            "   28  debug 1, \"e\", 4, 0\n"
            "   33  pushstring <string 9?>\n"
            "   35  returnvoid\n"
            "exception 0: from L0 to L2 target L4 type Error name e\n");
}

TEST(AbcDisassembly, LookupSwitchUnknownOpcodeAndTruncation) {
  const test::Bytes switchCode{
      0x1B, 0x0E, 0x00, 0x00, 0x01, 0x0B, 0x00, 0x00, 0x0D, 0x00, 0x00,  //  0 lookupswitch
      0x02,                                                              // 11 nop
      0x02,                                                              // 12 nop
      0x02,                                                              // 13 nop
      0x47,                                                              // 14 returnvoid
  };
  EXPECT_EQ(listing(blockWithCode(switchCode, false)),
            "// body 0 of method 0: max stack 3, locals 2, scope depth 0 to 1, code length 15\n"
            "    0  lookupswitch L14, [L11, L13]\n"
            "L11:\n"
            "   11  nop\n"
            "   12  nop\n"
            "L13:\n"
            "   13  nop\n"
            "L14:\n"
            "   14  returnvoid\n");

  test::Bytes unknown{0xD0, 0xFF};
  for (std::uint8_t i = 0; i < 18; ++i) unknown.push_back(i);
  EXPECT_EQ(listing(blockWithCode(unknown, false)),
            "// body 0 of method 0: max stack 3, locals 2, scope depth 0 to 1, code length 20\n"
            "    0  getlocal_0\n"
            "    1  op 0xFF\n"
            "    2  bytes 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n"
            "   18  bytes 10 11\n");

  EXPECT_EQ(listing(blockWithCode({0x47, 0x10, 0x01, 0x00}, false)),
            "// body 0 of method 0: max stack 3, locals 2, scope depth 0 to 1, code length 4\n"
            "    0  returnvoid\n"
            "    1  // truncated instruction: a 24-bit offset runs past the end of the block\n"
            "    1  bytes 10 01 00\n");

  // A switch that announces more cases than the code holds.
  EXPECT_EQ(listing(blockWithCode({0x1B, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00}, false)),
            "// body 0 of method 0: max stack 3, locals 2, scope depth 0 to 1, code length 8\n"
            "    0  // truncated instruction: lookupswitch cases run past the code\n"
            "    0  bytes 1B 00 00 00 05 00 00 00\n");
}

TEST(AbcOpcodes, TableCoversTheInstructionSet) {
  int defined = 0;
  for (int code = 0; code < 256; ++code) defined += abcOpcode(static_cast<std::uint8_t>(code)).mnemonic != nullptr;
  // 143 instructions of the published set, 10 more of its machine, 13 domain-memory ones.
  EXPECT_EQ(defined, 143 + 10 + 13);
  for (std::uint8_t code : {0x00, 0x0A, 0x0B, 0x22, 0x33, 0x34, 0x3F, 0x54, 0x67, 0x98, 0xFF})
    EXPECT_EQ(abcOpcode(code).mnemonic, nullptr) << int(code);
  EXPECT_STREQ(abcOpcode(0x35).mnemonic, "li8");
  EXPECT_STREQ(abcOpcode(0x3E).mnemonic, "sf64");
  EXPECT_STREQ(abcOpcode(0x52).mnemonic, "sxi16");
  EXPECT_STREQ(abcOpcode(0xD7).mnemonic, "setlocal_3");
  EXPECT_TRUE(abcOpcode(0x1B).isSwitch);
}

}  // namespace
}  // namespace orvane
