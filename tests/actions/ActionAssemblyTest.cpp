// The assembly text of action blocks: each operand type and nesting written exactly and read
// back into the same bytes, hand-written variants, and the faults with their places.
#include <gtest/gtest.h>

#include "actions/assembly/ActionAssembler.h"
#include "actions/assembly/ActionDisassembler.h"
#include "movie/MovieObject.h"
#include "tests/actions/ActionBytes.h"

namespace orvane {
namespace {

using test::Bytes;
using test::join;
using test::longAction;

Bytes assembled(const std::string& text) {
  AssembledText result;
  AssemblyError error;
  EXPECT_TRUE(assembleActionText(text, result, error)) << error.line << ":" << error.column << ": " << error.message;
  if (result.blocks.size() != 1) return {};
  return result.blocks[0].bytes;
}

std::string disassembled(const Bytes& block) {
  std::string text;
  appendBlockAssembly(text, block);
  return text;
}

struct Sample {
  const char* what;
  Bytes block;
  const char* text;
};

// Each block, worked out field by field, with the exact text it is written as.
const Sample kSamples[] = {
    {"short records", {0x06, 0x07, 0x00, 0x13}, "Play\nStop\nEnd\nStringEquals\n"},
    {"frame and label", join({longAction(0x81, {0x05, 0x00}), longAction(0x8C, {'s', 0})}),
     "GotoFrame 5\nGotoLabel \"s\"\n"},
    {"url and target", longAction(0x83, {'u', 0, '_', 'l', '1', 0}), "GetURL \"u\", \"_l1\"\n"},
    {"byte fields",
     join({longAction(0x87, {2}), longAction(0x8D, {3}), longAction(0x9A, {0x40}), longAction(0x89, {1})}),
     "StoreRegister 2\nWaitForFrame2 3\nGetURL2 64\nStrictMode 1\n"},
    {"frame and skip", longAction(0x8A, {0x0A, 0x00, 0x02}), "WaitForFrame 10, 2\n"},
    {"scene bias only with flag 2", join({longAction(0x9F, {0x01}), longAction(0x9F, {0x03, 0x0A, 0x00})}),
     "GotoFrame2 1\nGotoFrame2 3, 10\n"},
    {"pool and its comment",
     join({longAction(0x88, {0x02, 0x00, 'x', 0, 'y', 0}), longAction(0x96, {0x08, 0x01, 0x09, 0x00, 0x00})}),
     "ConstantPool \"x\", \"y\"\nPush pool 1, pool16 0  // \"y\", \"x\"\n"},
    {"strings with escapes",
     longAction(0x96, {0x00, 'a', '"', 'b', '\\', '\n', '\t', '\r', 0x01, 0x7F, 0,  // control bytes
                       0x00, 0xC3, 0xA9, 0xE9, 0}),                                   // UTF-8 é, then a lone 0xE9
     "Push \"a\\\"b\\\\\\n\\t\\r\\x01\\x7F\", \"\xC3\xA9\\xE9\"\n"},
    {"integers",
     longAction(0x96, {0x07, 0x01, 0x00, 0x00, 0x00, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x00, 0x00, 0x00, 0x80}),
     "Push 1, -1, -2147483648\n"},
    {"doubles, their high word first",
     longAction(0x96, {0x06, 0x00, 0x00, 0x04, 0x40, 0x00, 0x00, 0x00, 0x00,    // 2.5
                       0x06, 0x00, 0x00, 0x14, 0x40, 0x00, 0x00, 0x00, 0x00,    // 5
                       0x06, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00,    // -0
                       0x06, 0x99, 0x99, 0xB9, 0x3F, 0x9A, 0x99, 0x99, 0x99,    // 0.1
                       0x06, 0x00, 0x00, 0xF8, 0x7F, 0x00, 0x00, 0x00, 0x00,    // NaN
                       0x06, 0x00, 0x00, 0xF0, 0xFF, 0x00, 0x00, 0x00, 0x00,    // -Infinity
                       0x06, 0x00, 0x00, 0xF8, 0x7F, 0x01, 0x00, 0x00, 0x00}),  // a NaN with a payload
     "Push 2.5, 5.0, -0.0, 0.1, NaN, -Infinity, bits 0x7FF8000000000001\n"},
    {"the other item types",
     longAction(0x96, {0x01, 0x00, 0x00, 0xC0, 0x3F,  // float 1.5
                       0x01, 0x01, 0x00, 0xC0, 0x7F,  // float NaN with a payload
                       0x02, 0x03, 0x04, 0x03, 0x05, 0x01, 0x05, 0x00, 0x05, 0x02, 0x0C}),
     "Push float 1.5, float bits 0x7FC00001, null, undefined, reg 3, true, false, bool 2, type 12\n"},
    {"branches to labels, back and forward, and to the end",
     join({{0x06}, longAction(0x9D, {0xFA, 0xFF}), longAction(0x99, {0x01, 0x00}), {0x07},
           longAction(0x99, {0x00, 0x00})}),
     "L0:\nPlay\nIf L0\nJump L12\nStop\nL12:\nJump L17\nL17:\n"},
    {"a branch into a record keeps its offset", join({longAction(0x99, {0xFE, 0xFF}), {0x07}}),
     "Jump offset -2\nStop\n"},
    {"a function body in braces",
     join({longAction(0x9B, {'f', 0, 0x02, 0x00, 'a', 0, 'b', 0, 0x02, 0x00}), {0x06}, {0x3E}, {0x07}}),
     "DefineFunction \"f\" (\"a\", \"b\") {\n\tPlay\n\tReturn\n}\nStop\n"},
    {"a function with registers",
     join({longAction(0x8E, {'g', 0, 0x02, 0x00, 0x04, 0x2A, 0x00, 0x03, 'x', 0, 0x00, 'y', 0, 0x01, 0x00}),
           {0x3E}}),
     "DefineFunction2 \"g\" (\"x\" reg 3, \"y\") registers 4 flags 0x002A {\n\tReturn\n}\n"},
    {"with, nested in a function",
     join({longAction(0x9B, {0, 0x00, 0x00, 0x07, 0x00}), longAction(0x94, {0x01, 0x00}), {0x06}, {0x07},
           {0x06}}),
     "DefineFunction \"\" () {\n\tWith {\n\t\tPlay\n\t}\n\tStop\n}\nPlay\n"},
    {"try, catch and finally",
     join({longAction(0x8F, {0x03, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 'e', 0}), {0x06}, {0x07}, {0x08}}),
     "Try \"e\" {\n\tPlay\n} catch {\n\tStop\n} finally {\n\tToggleQuality\n}\n"},
    {"try with the catch variable in a register and an empty catch",
     join({longAction(0x8F, {0x05, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02}), {0x06}}),
     "Try reg 2 {\n\tPlay\n} catch {\n}\n"},
    {"try whose flags the sections do not say",
     join({longAction(0x8F, {0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0}), {0x06}}),
     "Try flags 0x00 {\n} catch {\n\tPlay\n}\n"},
    {"bodies that end inside a record keep their sizes",
     join({longAction(0x94, {0x02, 0x00}), longAction(0x96, {0x02}),
           longAction(0x8F, {0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0})}),
     "With size 2\nPush null\nTry sizes 5, 0, 0\n"},
    {"records whose fields do not match their length",
     join({longAction(0x81, {0x05, 0x00, 0x07}), longAction(0x9E, {0x01}), {0x2D}, longAction(0xC8, {0x01, 0x02})}),
     "Record 0x81 05 00 07  // GotoFrame whose fields do not match its length\n"
     "Record 0x9E 01  // Call whose fields do not match its length\nRecord 0x2D\nRecord 0xC8 01 02\n"},
    {"a record cut off by the end of the block", {0x07, 0x96, 0x05, 0x00, 0x00},
     "Stop\nBytes 96 05 00 00  // a record cut off by the end of the block\n"},
};

TEST(ActionAssembly, EachFormIsWrittenExactlyAndReadBackIntoItsBytes) {
  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(sample.what);
    EXPECT_EQ(disassembled(sample.block), sample.text);
    EXPECT_EQ(assembled(sample.text), sample.block);
  }
  EXPECT_EQ(disassembled({}), "");
  EXPECT_EQ(assembled(""), Bytes{});
}

TEST(ActionAssembly, HandWrittenTextsMayVaryTheirSpelling) {
  // Names in any case, hexadecimal numbers, comments, blank lines, a label beside its record.
  EXPECT_EQ(assembled("  // a comment\n\ngotoframe 0x10 // frame 16\r\nback: PLAY\nif back\n"),
            join({longAction(0x81, {0x10, 0x00}), {0x06}, longAction(0x9D, {0xFA, 0xFF})}));
  // A try's catch may be left out, a finally follows the try directly.
  EXPECT_EQ(assembled("Try \"e\" {\n} finally {\nStop\n}\n"),
            join({longAction(0x8F, {0x02, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 'e', 0}), {0x07}}));
  // Push items of every spelling a person may use.
  EXPECT_EQ(assembled("Push +1e3, 0x10, .5, Infinity, NULL, True\n"),
            longAction(0x96, {0x06, 0x00, 0x40, 0x8F, 0x40, 0x00, 0x00, 0x00, 0x00, 0x07, 0x10, 0x00, 0x00, 0x00,
                              0x06, 0x00, 0x00, 0xE0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0xF0, 0x7F,
                              0x00, 0x00, 0x00, 0x00, 0x02, 0x05, 0x01}));
  // A record's length is worked out from the fields written.
  EXPECT_EQ(assembled("Record 0x9E\nBytes\n"), longAction(0x9E, {}));
}

TEST(ActionAssembly, ConditionTextsKeepTheirWordsAndKeys) {
  ButtonObject button;
  button.addConditionAction(0x0008, Bytes{0x06, 0x00}.data(), 2);
  button.addConditionAction(0x4001, Bytes{}.data(), 0);
  const std::string buttonText = conditionAssembly(button);
  EXPECT_EQ(buttonText.substr(buttonText.find("\non")), "\non 0x0008 {  // release\n\tPlay\n\tEnd\n}\n\non 0x4001 {"
                                                        "  // KeyPress <Space>,rollOver\n}\n\n")
      << buttonText;

  InstanceObject clip;
  ConditionAction* keyPress = clip.addConditionAction(0, Bytes{0x07}.data(), 1);
  keyPress->eventFlags = 0x00020000;
  keyPress->keyCode = 65;
  clip.addConditionAction(0x0001, Bytes{}.data(), 0)->eventFlags = 0x0001;
  AssembledText result;
  AssemblyError error;
  ASSERT_TRUE(assembleActionText(conditionAssembly(clip), result, error)) << error.message;
  EXPECT_EQ(result.kind, AssembledText::Kind::ClipEvents);
  ASSERT_EQ(result.blocks.size(), 2u);
  EXPECT_EQ(result.blocks[0].events, 0x00020000u);
  EXPECT_TRUE(result.blocks[0].hasKeyCode);
  EXPECT_EQ(result.blocks[0].keyCode, 65);
  EXPECT_EQ(result.blocks[0].bytes, Bytes{0x07});
  EXPECT_EQ(result.blocks[1].events, 1u);
  EXPECT_FALSE(result.blocks[1].hasKeyCode);
  EXPECT_TRUE(result.blocks[1].bytes.empty());
}

struct Fault {
  const char* text;
  std::uint32_t line;
  std::uint32_t column;
  const char* message;
};

const Fault kFaults[] = {
    {"Play\n  Pus 1\n", 2, 3, "unknown record name \"Pus\""},
    {"GotoFrame \"a\"\n", 1, 11, "expected a number, not a string"},
    {"GotoFrame 70000\n", 1, 11, "the value 70000 is not between 0 and 65535"},
    {"StoreRegister\n", 1, 14, "expected a number"},
    {"GetURL \"a\" \"b\"\n", 1, 12, "expected \",\", not a string"},
    {"Push 1, ,\n", 1, 9, "expected a push item, not \",\""},
    {"Push reg 256\n", 1, 10, "the value 256 is not between 0 and 255"},
    {"Push 4294967296\n", 1, 6, "the integer 4294967296 does not fit in 32 bits"},
    {"Push \"abc\n", 1, 6, "the string is not closed"},
    {"Push \"a\\x00\"\n", 1, 8, "a string cannot hold a zero byte"},
    {"Push \"a\\q\"\n", 1, 8, "unknown escape '\\q'"},
    {"Play Stop\n", 1, 6, "unexpected \"Stop\" at the end of the record"},
    {"Jump nowhere\n", 1, 6, "no label \"nowhere\" in this block"},
    {"a:\na:\n", 2, 1, "the label \"a\" is already defined on line 1"},
    {"With {\nPlay\n", 1, 1, "the body of With opened here is not closed"},
    {"}\n", 1, 1, "\"}\" closes no body"},
    {"Try {\n} finally {\n} catch {\n}\n", 3, 3, "\"catch\" cannot follow this section"},
    {"GotoFrame2 1, 5\n", 1, 12, "a scene bias needs flag 2"},
    {"Record 0x06 01\n", 1, 13, "a record of a code below 0x80 is one byte long and holds no fields"},
    {"Bytes 1\n", 1, 7, "expected a byte as two hexadecimal digits, not 1"},
    {"on 0x0008 {\nPlay\n", 1, 1, "the on block opened here is not closed"},
    {"Play\non 0x0008 {\n}\n", 2, 1, "an on block cannot follow the records of a block"},
    {"on 0x0008 {\n}\nPlay\n", 3, 1, "records must stand inside an on block in a text of on blocks"},
    {"on 0x0008 {\n}\nonClipEvent 1 {\n}\n", 3, 1,
     "a text holds either button conditions (on) or clip events (onClipEvent)"},
    {"Push # 1\n", 1, 6, "unexpected character '#'"},
};

TEST(ActionAssembly, FaultsNameTheirLineAndColumn) {
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.text);
    AssembledText result;
    AssemblyError error;
    ASSERT_FALSE(assembleActionText(fault.text, result, error));
    EXPECT_EQ(error.line, fault.line);
    EXPECT_EQ(error.column, fault.column);
    EXPECT_EQ(error.message, fault.message);
  }
}

TEST(ActionAssembly, SizesPastTheirFieldsAreFaults) {
  AssembledText result;
  AssemblyError error;
  // 13 400 records of 3 bytes: 40 200 bytes between the branch and its label.
  std::string farText = "Jump far\n";
  for (int i = 0; i < 13400; ++i) farText += "Record 0x80\n";
  ASSERT_FALSE(assembleActionText(farText + "far:\n", result, error));
  EXPECT_EQ(error.line, 1u);
  EXPECT_EQ(error.column, 6u);
  EXPECT_EQ(error.message, "the branch to \"far\" spans 40200 bytes; a branch reaches at most 32767 bytes forward and 32768 back");
  ASSERT_TRUE(assembleActionText(farText.substr(0, 9 + 12 * 10922) + "far:\n", result, error));  // 32 766 bytes

  // 22 000 records of 3 bytes: a with body of 66 000 bytes.
  std::string bigBody = "\n\nWith {\n";
  for (int i = 0; i < 22000; ++i) bigBody += "Record 0x80\n";
  ASSERT_FALSE(assembleActionText(bigBody + "}\n", result, error));
  EXPECT_EQ(error.line, 3u);
  EXPECT_EQ(error.column, 1u);
  EXPECT_EQ(error.message, "the body of With opened here holds 66000 bytes; its size field holds at most 65535");

  const std::string hugePush = "Push \"" + std::string(70000, 'a') + "\"\n";
  ASSERT_FALSE(assembleActionText(hugePush, result, error));
  EXPECT_EQ(error.message, "the record holds 70002 bytes after its length field; at most 65535 fit");
}

}  // namespace
}  // namespace orvane
