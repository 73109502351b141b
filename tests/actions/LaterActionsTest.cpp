// Golden rows of the actions of movie versions 6 and 7, worked out by hand, and the
// registers a function of its own registers names.
#include <gtest/gtest.h>

#include "actions/ControlActions.h"
#include "tests/actions/ActionBytes.h"
#include "tests/actions/ActionScriptDriver.h"
#include "tests/actions/GoldenTable.h"

namespace orvane {
namespace {

using test::Bytes;
using test::GoldenRow;
using test::GoldenTable;
using test::i32;
using test::join;
using test::longAction;
using test::push;
using test::str;
using test::u16;
using test::var;
using test::zstr;

/// ActionDefineFunction2: name, parameter count, register count, flags, the parameters
/// (register and name each), code size.
Bytes function2(const std::string& name, std::initializer_list<std::pair<std::uint8_t, std::string>> parameters,
                std::uint8_t registerCount, std::uint16_t flags, std::uint16_t codeSize) {
  Bytes body = join({zstr(name), u16(static_cast<std::uint16_t>(parameters.size())), {registerCount}, u16(flags)});
  for (const auto& [number, parameter] : parameters) body = join({body, {number}, zstr(parameter)});
  return longAction(0x8E, join({body, u16(codeSize)}));
}

/// ActionTry: flags, the three block sizes, then the catch variable or register.
Bytes tryBlock(std::uint8_t flags, std::uint16_t trySize, std::uint16_t catchSize, std::uint16_t finallySize,
               const Bytes& catchTarget) {
  return longAction(0x8F, join({{flags}, u16(trySize), u16(catchSize), u16(finallySize), catchTarget}));
}

/// A push of one register.
Bytes pushRegister(std::uint8_t number) { return push({Bytes{0x04, number}}); }

std::vector<GoldenRow> laterRows() {
  return {
      {"Throw", join({var("e"), {0x2A}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"e\" ]\n\n[6] CODE:28 ActionGetVariable\n[7] CODE:42 ActionThrow\n",
       "CODE:42FLASH 7 Action\n\nDumping Items Still On Stack {\n stk[ e ]\n} End Stack Dump\n", "throw e;\n"},
      {"CastAndInstanceOf", join({var("C"), var("o"), {0x2B, 0x26}, var("o"), var("C"), {0x54, 0x26}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"C\" ]\n\n[6] CODE:28 ActionGetVariable\n"
       "[7] CODE:150 ActionPush\n\t[Type: 0,Data: \"o\" ]\n\n[13] CODE:28 ActionGetVariable\n"
       "[14] CODE:43 ActionCastOp\n[15] CODE:38 ActionTrace\n"
       "[16] CODE:150 ActionPush\n\t[Type: 0,Data: \"o\" ]\n\n[22] CODE:28 ActionGetVariable\n"
       "[23] CODE:150 ActionPush\n\t[Type: 0,Data: \"C\" ]\n\n[29] CODE:28 ActionGetVariable\n"
       "[30] CODE:84 ActionInstanceOf\n[31] CODE:38 ActionTrace\n",
       "CODE:43FLASH 7 Action\n\nTRACE(o);\nCODE:84FLASH 6 Action\n\nTRACE(C);\n"
       "Dumping Items Still On Stack {\n stk[ o ]\n stk[ C ]\n} End Stack Dump\n",
       "TRACE(C(o));\nTRACE(o instanceof C);\n"},
      {"StrictEqualsAndGreater",
       join({var("a"), var("b"), {0x66, 0x26}, var("a"), var("b"), {0x67, 0x26}, var("a"), var("b"), {0x68, 0x26}}),
       nullptr,
       "CODE:102FLASH 6 Action\n\nTRACE(b);\nCODE:103FLASH 6 Action\n\nTRACE(b);\nCODE:104FLASH 6 Action\n\nTRACE(b);\n"
       "Dumping Items Still On Stack {\n stk[ a ]\n stk[ a ]\n stk[ a ]\n} End Stack Dump\n",
       "TRACE(a === b);\nTRACE(a > b);\nTRACE(a  >  b);\n"},
      {"GreaterListsAndIsParenthesisedAfterAnOperator", join({var("a"), var("b"), var("c"), {0x0A, 0x67, 0x26}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\" ]\n\n[6] CODE:28 ActionGetVariable\n"
       "[7] CODE:150 ActionPush\n\t[Type: 0,Data: \"b\" ]\n\n[13] CODE:28 ActionGetVariable\n"
       "[14] CODE:150 ActionPush\n\t[Type: 0,Data: \"c\" ]\n\n[20] CODE:28 ActionGetVariable\n"
       "[21] CODE:10 ActionAdd\n[22] CODE:103 ActionGreater\n[23] CODE:38 ActionTrace\n",
       nullptr, "TRACE((a > (b + c)));\n"},
      {"ImplementsTakesACountedList", join({var("I2"), var("I1"), push({i32(2)}), var("C"), {0x2C}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"I2\" ]\n\n[7] CODE:28 ActionGetVariable\n"
       "[8] CODE:150 ActionPush\n\t[Type: 0,Data: \"I1\" ]\n\n[15] CODE:28 ActionGetVariable\n"
       "[16] CODE:150 ActionPush\n\t[Type: 7,Data: \"2\" ]\n\n"
       "[24] CODE:150 ActionPush\n\t[Type: 0,Data: \"C\" ]\n\n[30] CODE:28 ActionGetVariable\n"
       "[31] CODE:44 ActionImplementsOp\n",
       "CODE:44FLASH 7 Action\n\n"
       "Dumping Items Still On Stack {\n stk[ C ]\n stk[ \"2\" ]\n stk[ I1 ]\n stk[ I2 ]\n} End Stack Dump\n",
       "C implements I1 ,I2;\n"},
      {"Extends", join({var("Sub"), var("Base"), {0x69}}), nullptr,
       "CODE:105FLASH 7 Action\n\nDumping Items Still On Stack {\n stk[ Base ]\n stk[ Sub ]\n} End Stack Dump\n",
       "Sub extends Base;\n"},
      {"Enumerate2DropsItsObject", join({var("o"), {0x55}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"o\" ]\n\n[6] CODE:28 ActionGetVariable\n[7] CODE:85 ActionEnumerate2\n",
       "CODE:85FLASH 6 Action\n\nDumping Items Still On Stack {\n stk[ o ]\n} End Stack Dump\n", ""},
      {"StrictMode", join({longAction(0x89, {0x01}), longAction(0x89, {})}),
       "[0] CODE:137 ActionStrictMode\n\t[Mode: 1]\n[4] CODE:137 ActionStrictMode\n\t[Truncated Record]\n",
       "CODE:137FLASH 7 Action\n\nCODE:137FLASH 7 Action\n\n", "(CODE:137 TRUNCATED ACTION)\n"},
      {"DefineFunction2Listing", function2("f", {{2, "a"}, {3, "b"}}, 4, 0x0001, 0),
       "[0] CODE:142 ActionDefineFunction2\n"
       "\t[Name = f, NumParams = 2, RegisterCount = 4, Flags = 0x0001, CodeSize = 0]\n"
       "\t[Param 0: Register 2, Name = a]\n\t[Param 1: Register 3, Name = b]\n",
       "CODE:142FLASH 7 Action\n\n", "function f(a ,b){\n}\n"},
      {"DefineFunction2NamesRegistersInItsBody",
       join({function2("f", {{2, "a"}, {3, "b"}}, 4, 0x0001, 20), push({Bytes{0x04, 0x01}, str("x"), Bytes{0x04, 0x02}}),
             {0x4F}, push({Bytes{0x04, 0x03}, Bytes{0x04, 0x05}}), {0x0C, 0x26}, pushRegister(1), {0x26}}),
       nullptr,
       "CODE:142FLASH 7 Action\n\nCODE:79FLASH 5 Action\n\nTRACE(register3 * register5);\nTRACE(register1);\n"
       "Dumping Items Still On Stack {\n stk[ register2 ]\n stk[ \"x\" ]\n stk[ register1 ]\n} End Stack Dump\n",
       "function f(a ,b){\n   this.x = a\n   TRACE(b * register5);\n}\nTRACE(register1);\n"},
      {"DefineFunction2BodyEndsAtItsCodeSize",
       join({function2("f", {{0, "x"}}, 0, 0x0000, 2), {0x07, 0x06}, {0x04}}), nullptr,
       "CODE:142FLASH 7 Action\n\nStop()\nPlay()\nGoto Next Frame\n",
       "function f(x){\n   stop ();\n   play ();\n}\nnextFrame ();\n"},
      {"DefineFunction2BodyPastTheBlockClosesAtTheEnd", join({function2("f", {}, 0, 0x0000, 100), {0x07}}), nullptr,
       "CODE:142FLASH 7 Action\n\nStop()\n", "function f(){\n   stop ();\n}\n"},
      {"DefineFunction2Truncated",
       join({longAction(0x8E, {'f', 0x00, 0x02, 0x00}),
             longAction(0x8E, {'f', 0x00, 0x05, 0x00, 0x02, 0x00, 0x00, 0x01, 'a', 0x00, 0x00, 0x00}),
             longAction(0x8E, {'f', 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01})}),
       "[0] CODE:142 ActionDefineFunction2\n\t[Truncated Record]\n[7] CODE:142 ActionDefineFunction2\n\t[Truncated Record]\n"
       "[22] CODE:142 ActionDefineFunction2\n\t[Truncated Record]\n",
       "CODE:142FLASH 7 Action\n\nCODE:142FLASH 7 Action\n\nCODE:142FLASH 7 Action\n\n",
       "(CODE:142 TRUNCATED ACTION)\n(CODE:142 TRUNCATED ACTION)\n(CODE:142 TRUNCATED ACTION)\n"},
      {"TryCatchFinallyWithCatchVariable",
       join({tryBlock(0x03, 1, 8, 1, zstr("e")), {0x07}, var("e"), {0x26}, {0x06}, {0x04}}),
       "[0] CODE:143 ActionTry\n\t[TrySize = 1, CatchSize = 8, FinallySize = 1, Catch = e]\n[12] CODE:7 ActionStop\n"
       "[13] CODE:150 ActionPush\n\t[Type: 0,Data: \"e\" ]\n\n[19] CODE:28 ActionGetVariable\n[20] CODE:38 ActionTrace\n"
       "[21] CODE:6 ActionPlay\n[22] CODE:4 ActionNextFrame\n",
       "CODE:143FLASH 7 Action\n\nStop()\nTRACE(e);\nPlay()\nGoto Next Frame\n",
       "try {\n   stop ();\n}\ncatch (e) {\n   TRACE(e);\n}\nfinally {\n   play ();\n}\nnextFrame ();\n"},
      {"JumpOverTheCatchBlockBelongsToTheTry",
       join({tryBlock(0x03, 6, 1, 1, zstr("e")), {0x07}, longAction(0x99, u16(1)), {0x06}, {0x04}, {0x08}}), nullptr,
       "CODE:143FLASH 7 Action\n\nStop()\nPlay()\nGoto Next Frame\nToggle High Quality\n",
       "try {\n   stop ();\n}\ncatch (e) {\n   play ();\n}\nfinally {\n   nextFrame ();\n}\ntoggleHighQuality ();\n"},
      {"TryCatchInRegister", join({tryBlock(0x05, 1, 1, 0, {0x01}), {0x07}, {0x06}}),
       "[0] CODE:143 ActionTry\n\t[TrySize = 1, CatchSize = 1, FinallySize = 0, Catch = register1]\n"
       "[11] CODE:7 ActionStop\n[12] CODE:6 ActionPlay\n",
       nullptr, "try {\n   stop ();\n}\ncatch (register1) {\n   play ();\n}\n"},
      {"TryFinallyWithoutCatch", join({tryBlock(0x02, 1, 0, 1, zstr("")), {0x07}, {0x06}}),
       "[0] CODE:143 ActionTry\n\t[TrySize = 1, CatchSize = 0, FinallySize = 1, Catch = none]\n"
       "[11] CODE:7 ActionStop\n[12] CODE:6 ActionPlay\n",
       nullptr, "try {\n   stop ();\n}\nfinally {\n   play ();\n}\n"},
      {"TryBlockPastTheBlockClosesAtTheEnd", join({tryBlock(0x01, 0x100, 0, 0, zstr("e")), {0x07}}), nullptr, nullptr,
       "try {\n   stop ();\n}\ncatch (e) {\n}\n"},
      {"TryTruncated",
       join({longAction(0x8F, {0x01, 0x01, 0x00}), tryBlock(0x01, 1, 0, 0, {'e'}), tryBlock(0x05, 1, 0, 0, {})}),
       "[0] CODE:143 ActionTry\n\t[Truncated Record]\n[6] CODE:143 ActionTry\n\t[Truncated Record]\n"
       "[17] CODE:143 ActionTry\n\t[Truncated Record]\n",
       "CODE:143FLASH 7 Action\n\nCODE:143FLASH 7 Action\n\nCODE:143FLASH 7 Action\n\n",
       "(CODE:143 TRUNCATED ACTION)\n(CODE:143 TRUNCATED ACTION)\n(CODE:143 TRUNCATED ACTION)\n"},
  };
}

INSTANTIATE_TEST_SUITE_P(LaterActions, GoldenTable, ::testing::ValuesIn(laterRows()), test::goldenRowName);

TEST(ActionDefineFunction2, ReadsItsFieldsAndAllocatesPreloadedRegistersFromOne) {
  const Bytes block = function2("f", {{4, "a"}, {0, "b"}}, 6, 0x01D5, 0);
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block, records, messages);
  ASSERT_EQ(records.size(), 1u);
  const auto& function = dynamic_cast<const ActionDefineFunction2&>(*records[0]);
  EXPECT_EQ(function.name(), "f");
  EXPECT_EQ(function.parameterCount(), 2);
  EXPECT_EQ(function.registerCount(), 6);
  EXPECT_EQ(function.flags(), 0x01D5);
  ASSERT_EQ(function.parameters().size(), 2u);
  EXPECT_EQ(function.parameters()[0].number, 4);
  EXPECT_EQ(function.parameters()[1].name, "b");
  // 0x01D5: this, arguments, super, _root, _parent and _global, each suppress bit clear.
  const std::vector<NamedRegister> preloaded = function.preloadedRegisters();
  ASSERT_EQ(preloaded.size(), 6u);
  const char* names[] = {"this", "arguments", "super", "_root", "_parent", "_global"};
  for (std::size_t i = 0; i < preloaded.size(); ++i) {
    EXPECT_EQ(preloaded[i].number, i + 1);
    EXPECT_EQ(preloaded[i].name, names[i]);
  }
  // Suppress bits alone preload nothing; _root alone takes register 1.
  const Bytes suppressing = function2("g", {}, 0, 0x002A, 0);
  const Bytes rootOnly = function2("g", {}, 0, 0x0040, 0);
  EXPECT_TRUE(ActionDefineFunction2(suppressing.data(), static_cast<std::uint32_t>(suppressing.size()))
                  .preloadedRegisters()
                  .empty());
  const std::vector<NamedRegister> root =
      ActionDefineFunction2(rootOnly.data(), static_cast<std::uint32_t>(rootOnly.size())).preloadedRegisters();
  ASSERT_EQ(root.size(), 1u);
  EXPECT_EQ(root[0].number, 1);
  EXPECT_EQ(root[0].name, "_root");
}

TEST(ActionDefineFunction2, NamesTheRegistersOfItsBodyOnly) {
  // f(a in register 2) with `this` preloaded holds g(), whose registers have no names; after
  // g the registers of f are named again, and after f none is.
  const Bytes inner = join({function2("g", {}, 0, 0x0000, 1), {0x07}});
  const Bytes block = join({function2("f", {{2, "a"}}, 3, 0x0001, static_cast<std::uint16_t>(inner.size() + 1)), inner,
                            {0x06}, {0x04}});
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block, records, messages);
  ASSERT_EQ(records.size(), 5u);
  ExpressionTable table;
  std::vector<std::string> seen;
  for (const auto& record : records) {
    table.TranslateAction(*record, 5, messages);
    seen.push_back(table.RegisterName(1) + "," + table.RegisterName(2) + "," + table.RegisterName(3));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"this,a,register3", "register1,register2,register3",
                                            "register1,register2,register3", "this,a,register3",
                                            "register1,register2,register3"}));
}

}  // namespace
}  // namespace orvane
