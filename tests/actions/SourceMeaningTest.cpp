// The decompiled source of scanned movies says what their byte code does in the movie's
// version: operations that print alike stay apart, counts, names and registers keep the
// meaning the player gives them. Each expected text is worked out from the records.
#include <gtest/gtest.h>

#include "actions/ActionTranslator.h"
#include "tests/actions/SourceAssembler.h"
#include "tests/support/ScanFixture.h"

namespace orvane {
namespace {

using namespace test::assembly;  // NOLINT: the assembler's vocabulary reads as the byte code
using test::Bytes;
using test::ifJump;
using test::join;
using test::push;
using test::str;

const Bytes kAdd{0x0A}, kEquals{0x0E}, kLess{0x0F}, kAnd{0x10}, kOr{0x11}, kNot{0x12}, kStringEquals{0x13};
const Bytes kPop{0x17}, kGetVariable{0x1C}, kSetVariable{0x1D}, kStringAdd{0x21}, kTrace{0x26}, kStringLess{0x29};
const Bytes kDefineLocal{0x3C}, kInitArray{0x42}, kInitObject{0x43}, kAdd2{0x47}, kLess2{0x48}, kGetMember{0x4E};
const Bytes kSetMember{0x4F}, kIncrement{0x50}, kStringGreater{0x68}, kCallFunction{0x3D}, kEquals2{0x49};
const Bytes kPushDuplicate{0x4C}, kEnumerate{0x46}, kEnumerate2{0x55};

Bytes v(const std::string& name) { return join({push({str(name)}), kGetVariable}); }
Bytes set(const std::string& name, const Bytes& value) { return join({push({str(name)}), value, kSetVariable}); }

/// The Source text of the one frame action of a movie of `version` that holds `actions`.
std::string sourceOf(std::uint8_t version, const Bytes& actions) {
  test::MovieBuilder movie(version);
  movie.doAction(join({actions, {0x00}})).showFrame().end();
  test::ScanFixture fixture;
  EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  const auto& frameActions = fixture.timeline(0).actions;
  if (frameActions.empty()) return "no frame action";
  RecordingMessageSink messages;
  return ActionWindowText(frameActions.front().get(), TranslationMode::Source, messages);
}

TEST(SourceMeaning, Flash4OperationsConvertTheirOperandsToNumbersInEveryVersion) {
  const Bytes code = join({
      set("a", join({push({str("ab"), str("cd")}), kAdd})),
      set("b", join({push({undef(), num(0)}), kEquals})),
      set("c", join({v("x"), v("y"), kEquals})),
      set("d", join({v("x"), v("y"), kLess})),
      set("e", join({v("x"), v("y"), kLess, kNot})),
      set("x", join({v("x"), push({num(1)}), kAdd})),
      set("f", join({v("x"), kIncrement})),
      // if (x < y) trace("lt");
      v("x"), v("y"), kLess, kNot, ifJump(static_cast<std::int64_t>(push({str("lt")}).size() + kTrace.size())),
      push({str("lt")}), kTrace,
  });
  // + == and < mean the numeric operations in the Flash 4 language.
  EXPECT_EQ(sourceOf(4, code),
            "a = \"ab\" + \"cd\";\nb = undefined == 0;\nc = x == y;\nd = x < y;\ne = x >= y;\nx += 1;\nf = x + 1;\n"
            "if (x < y) {\n    trace(\"lt\");\n}\n");
  // Later, == of two NaN holds and < where NaN takes part is undefined, not false: the
  // difference stands for an equality without a number literal, !(>=) for a < that is a
  // value; the test of an if takes the truth of < as it is.
  EXPECT_EQ(sourceOf(5, code),
            "a = Number(\"ab\") + Number(\"cd\");\nb = Number(undefined) == 0;\nc = x - y == 0;\n"
            "d = !(Number(x) >= Number(y));\ne = Number(x) >= Number(y);\nx = Number(x) + 1;\nf = Number(x) + 1;\n"
            "if (Number(x) < Number(y)) {\n    trace(\"lt\");\n}\n");
  // A version 4 block that uses the later operators is written in the later language.
  EXPECT_EQ(sourceOf(4, join({set("g", join({v("x"), v("y"), kAdd2})), set("h", join({v("x"), v("y"), kAdd}))})),
            "g = x + y;\nh = Number(x) + Number(y);\n");
}

TEST(SourceMeaning, AndAndOrEvaluateBothOperandsAndYieldABoolean) {
  const Bytes code = join({
      push({boolean(true), str("0x10")}), kAnd, kTrace,
      push({null(), undef()}), kOr, kTrace,
      set("z", join({v("a"), v("b"), kLess2, v("c"), kAnd})),
  });
  const char* text = "trace(true and \"0x10\");\ntrace(null or undefined);\nz = a < b and c;\n";
  EXPECT_EQ(sourceOf(8, code), text);
  EXPECT_EQ(sourceOf(4, code), text);
}

TEST(SourceMeaning, StringOperationsKeepTheirWordsAndComparisonsBindAsPrinted) {
  const Bytes code = join({
      set("s", join({v("a"), v("b"), kStringAdd})),
      set("t", join({v("a"), v("b"), kStringEquals})),
      set("u", join({v("a"), v("b"), kStringLess})),
      set("w", join({v("a"), v("b"), kStringGreater})),
      set("n", join({v("a"), v("b"), kStringEquals, kNot})),
      set("p", join({v("a"), v("b"), kAdd2})),
      // !(a < b) + 1: the negation prints as a >= b, which binds looser than +.
      set("q", join({v("a"), v("b"), kLess2, kNot, push({num(1)}), kAdd2})),
  });
  EXPECT_EQ(sourceOf(7, code),
            "s = a add b;\nt = a eq b;\nu = a lt b;\nw = a gt b;\nn = !(a eq b);\np = a + b;\nq = (a >= b) + 1;\n");
}

TEST(SourceMeaning, NegativeZeroKeepsItsSign) {
  // 1 / -0 is -Infinity.
  EXPECT_EQ(sourceOf(6, set("r", join({push({num(1), dbl(-0.0)}), {0x0D}}))), "r = 1 / -0;\n");
}

TEST(SourceMeaning, ArraysAndObjectsOfACountTheStackCannotHoldAreUndefined) {
  // The player takes nothing for a count beyond the stack, or a negative one, and pushes
  // undefined; the values stay for the records after it.
  const Bytes tooMany = join({push({str("c"), str("b"), str("a"), dbl(4294967297.0)}), kInitArray, kTrace, kTrace,
                              kTrace, kTrace});
  EXPECT_EQ(sourceOf(6, tooMany), "trace(undefined);\ntrace(\"a\");\ntrace(\"b\");\ntrace(\"c\");\n");
  const Bytes negative = join({push({str("a"), num(1), num(-1)}), kInitObject, kTrace, kTrace, kTrace});
  EXPECT_EQ(sourceOf(6, negative), "trace(undefined);\ntrace(1);\ntrace(\"a\");\n");
  // A count the stack holds takes the top value first.
  const Bytes fits = join({push({str("b"), str("a"), num(2)}), kInitArray, kTrace,
                           push({str("k"), num(1), num(1)}), kInitObject, kTrace});
  EXPECT_EQ(sourceOf(6, fits), "trace([\"a\", \"b\"]);\ntrace({k: 1});\n");
}

TEST(SourceMeaning, NamesNoDeclarationSpellsKeepTheirLookup) {
  const Bytes timeline = join({
      defineFunction("/:f1", {}, join({push({num(1)}), kTrace})),
      set("this", push({null()})),
      push({str("true")}), kGetVariable, kTrace,
      push({str("null"), num(1)}), kDefineLocal,
      push({str("/:abc"), str("ABC")}), kDefineLocal,
  });
  EXPECT_EQ(sourceOf(7, timeline),
            "set(\"/:f1\", function () {\n    trace(1);\n});\nset(\"this\", null);\ntrace(eval(\"true\"));\n"
            "set(\"null\", 1);\nset(\"/:abc\", \"ABC\");\n");
  // In a function a path names a local of exactly that name, which no lookup reaches.
  const Bytes local = defineFunction("g", {}, join({push({str("/:v"), str("x")}), kDefineLocal}));
  EXPECT_EQ(sourceOf(7, local), "function g() {\n    // var \"/:v\" = \"x\";\n}\n");
}

TEST(SourceMeaning, RegistersOfAFunctionNeverWriteTimelineVariables) {
  // Preloads arguments (register 1) and _root (register 2); the body stores into both,
  // and into register 0 without a declaration.
  const Bytes body = join({
      push({num(5)}), storeRegister(2), kPop,
      push({num(7)}), storeRegister(1), kPop,
      push({str("x"), num(1)}), storeRegister(0), kSetVariable,
      push({reg(2)}), kTrace,
  });
  EXPECT_EQ(sourceOf(7, defineFunction2("f", 3, 0x44, 0, {}, body)),
            "function f() {\n    var _loc1_ = arguments;\n    var _loc2_ = _root;\n    var _loc0_;\n"
            "    _loc2_ = 5;\n    _loc1_ = 7;\n    x = _loc0_ = 1;\n    trace(_loc2_);\n}\n");
}

TEST(SourceMeaning, AStepOfAPlaceReadBeforeItIsAPostfixStep) {
  // y = o.n++ where o is the variable "a b": the old value stays below the store.
  const Bytes object = join({push({str("a b")}), kGetVariable});
  const Bytes code = join({push({str("y")}), object, push({str("n")}), kGetMember, object, push({str("n")}), object,
                           push({str("n")}), kGetMember, kIncrement, kSetMember, kSetVariable});
  EXPECT_EQ(sourceOf(6, code), "y = eval(\"a b\").n++;\n");
}

TEST(SourceMeaning, ADuplicatedValueThatChangesSomethingIsEvaluatedOnce) {
  const Bytes callF = join({push({num(0), str("f")}), kCallFunction});
  // f() + f() would call f twice; the byte code calls it once and adds the result to itself.
  EXPECT_EQ(sourceOf(6, join({callF, kPushDuplicate, kAdd2, kTrace})), "var _dup1_ = f();\ntrace(_dup1_ + _dup1_);\n");
  // A register that was just stored already holds the value.
  EXPECT_EQ(sourceOf(6, join({callF, storeRegister(1), kPushDuplicate, kAdd2, kTrace})),
            "var _loc1_ = f();\ntrace(_loc1_ + _loc1_);\n");
  // The pool names _dup1_ and _dup2_, so the variable takes the next free number.
  EXPECT_EQ(sourceOf(6, join({constantPool({"_dup2_", "_dup1_"}), push({constant(0), constant(1)}), kGetVariable,
                              kSetVariable, callF, kPushDuplicate, kAdd2, kTrace})),
            "_dup2_ = _dup1_;\nvar _dup3_ = f();\ntrace(_dup3_ + _dup3_);\n");
  // f() || g() tests the duplicated f() and prints it once, as the left operand.
  EXPECT_EQ(sourceOf(6, assemble({callF, kPushDuplicate, ifTo("done"), kPop, push({num(0), str("g")}), kCallFunction,
                                  at("done"), kTrace})),
            "trace(f() || g());\n");
  // Duplicated and dropped twice: the call stays, once.
  EXPECT_EQ(sourceOf(6, join({callF, kPushDuplicate, kPop, kPop})), "var _dup1_ = f();\n");
}

/// A switch as another compiler writes it: each case duplicates the value and compares the
/// copy, the value is dropped once after the cases.
Bytes duplicatingSwitch(const Bytes& value) {
  return assemble({value, kPushDuplicate, push({num(1)}), kEquals2, kNot, ifTo("second"),
                   push({str("one")}), kTrace, jumpTo("end"),
                   at("second"), kPushDuplicate, push({num(2)}), kEquals2, kNot, ifTo("end"),
                   push({str("two")}), kTrace,
                   at("end"), kPop, push({str("after")}), kTrace});
}

TEST(SourceMeaning, ASwitchThatDuplicatesItsValueComparesOneEvaluation) {
  // Over a call: f runs once, before the compares.
  EXPECT_EQ(sourceOf(6, duplicatingSwitch(join({push({num(0), str("f")}), kCallFunction}))),
            "var _dup1_ = f();\n"
            "if (_dup1_ == 1) {\n    trace(\"one\");\n} else if (_dup1_ == 2) {\n    trace(\"two\");\n}\n"
            "trace(\"after\");\n");
  // Over a variable the compares read it; the drop at the end means nothing.
  EXPECT_EQ(sourceOf(6, duplicatingSwitch(v("x"))),
            "if (x == 1) {\n    trace(\"one\");\n} else if (x == 2) {\n    trace(\"two\");\n}\n"
            "trace(\"after\");\n");
}

/// What an enumeration of `object` that no loop reads leaves on the stack: the array that
/// keeps the stack (numbered `stack`), the names above the end marker.
std::string keptNames(const std::string& indent, int stack, int names, const std::string& object = "o") {
  const std::string kept = "_stack" + std::to_string(stack) + "_";
  const std::string list = "_enum" + std::to_string(names) + "_";
  const std::string key = "_key" + std::to_string(names) + "_";
  return indent + "var " + list + " = [];\n" + indent + "for (var " + key + " in " + object + ") {\n" + indent + "    " + list +
         ".push(" + key + ");\n" + indent + "}\n" + indent + kept + " = " + list + ".concat([undefined], " + kept +
         ");\n";
}

TEST(SourceMeaning, NamesOfAnEnumerationThatNoLoopReadsAreTakenFromAnArrayThatKeepsTheStack) {
  // Each pop takes the next name, then the end marker (undefined), then what was below;
  // a copy of the top goes in beside it.
  EXPECT_EQ(sourceOf(6, join({push({str("o")}), kEnumerate, kTrace, kPushDuplicate, kPop, kTrace})),
            "var _stack1_ = [];\n" + keptNames("", 1, 2) +
                "trace(_stack1_.shift());\n_stack1_.unshift(_stack1_[0]);\n_stack1_.shift();\n"
                "trace(_stack1_.shift());\n");
  // The values pushed before go in under the names, the first pushed deepest; a record
  // that takes two reads them in the order it takes them (the right operand first).
  EXPECT_EQ(sourceOf(6, join({push({str("a"), str("b")}), v("o"), kEnumerate2, kAdd2, kTrace, kTrace})),
            "var _stack1_ = [];\n_stack1_.unshift(\"a\");\n_stack1_.unshift(\"b\");\n" + keptNames("", 1, 2) +
                "var _pop3_ = _stack1_.shift();\nvar _pop4_ = _stack1_.shift();\ntrace(_pop4_ + _pop3_);\n"
                "trace(_stack1_.shift());\n");
  // A call takes as many arguments as its count says, from the array once its own values
  // run out; an array whose count reaches into the names needs a count only the running
  // code knows (the InitArray is at offset 7 + 1 + 8).
  EXPECT_EQ(sourceOf(6, join({v("o"), kEnumerate2, push({num(2), str("f")}), kCallFunction, kTrace})),
            "var _stack1_ = [];\n" + keptNames("", 1, 2) +
                "var _pop3_ = _stack1_.shift();\nvar _pop4_ = _stack1_.shift();\ntrace(f(_pop3_, _pop4_));\n");
  EXPECT_EQ(sourceOf(6, join({v("o"), kEnumerate2, push({num(2)}), kInitArray, kTrace})),
            "// Not translated: the count that the record at offset 16 takes reaches into the names an enumeration "
            "left on the stack, which only the running code can count.\n");
  // A second enumeration goes above the first in the same array; names the pool holds are
  // not taken.
  EXPECT_EQ(sourceOf(6, join({constantPool({"_enum2_"}), v("o"), kEnumerate2, v("o"), kEnumerate2, kTrace})),
            "var _stack3_ = [];\n" + keptNames("", 3, 4) + keptNames("", 3, 5) + "trace(_stack3_.shift());\n");
  // In a function the array is a local of the function.
  EXPECT_EQ(sourceOf(6, defineFunction("f", {}, join({v("o"), kEnumerate2, kTrace}))),
            "function f() {\n    var _stack1_ = [];\n" + keptNames("    ", 1, 2) + "    trace(_stack1_.shift());\n}\n");
  // ActionEnumerate of an empty name (undefined before version 7) enumerates nothing, where
  // eval("") would be the timeline.
  EXPECT_EQ(sourceOf(6, join({push({undef()}), kEnumerate, push({str("")}), kEnumerate, push({str("n")}), kEnumerate})),
            "var _stack1_ = [];\n" + keptNames("", 1, 2, "undefined") + keptNames("", 1, 3, "undefined") +
                keptNames("", 1, 4, "n"));
  // Inside a branch the names stay on a stack that the code after the branch shares with
  // the path that did not push them: the block is not translated. The Enumerate2 is at
  // offset 7 + 5 + 7.
  EXPECT_EQ(sourceOf(6, assemble({v("c"), ifTo("skip"), v("o"), kEnumerate2, at("skip"), kTrace})),
            "// Not translated: ActionEnumerate2 at offset 19 leaves its names on the stack inside a branch, loop or "
            "block, where no statement can say which values the code after it reads.\n");
  // So does a try block, whose values the code after it reads too: the Try record takes
  // 3 + 1 + 6 + 2 bytes, the push and GetVariable 7.
  EXPECT_EQ(sourceOf(7, join({tryBlock(1, test::zstr("e"), join({v("o"), kEnumerate2}), join({push({str("x")}), kTrace}),
                                       {}),
                              kTrace})),
            "// Not translated: ActionEnumerate2 at offset 19 leaves its names on the stack inside a branch, loop or "
            "block, where no statement can say which values the code after it reads.\n");
}

TEST(SourceMeaning, BytesOfAStringThatAreNoUtf8KeepTheirValueAsEscapes) {
  // A version 5 movie's text is in the system's code page: 0xC5 alone is a letter there,
  // and a sequence cut short is two bytes, not one character. Valid UTF-8 stays as it is;
  // surrogates encoded one by one are the code units the player reads them as.
  EXPECT_EQ(sourceOf(5, join({push({str("test\xC5test")}), kTrace, push({str("\xC3\xA9\xE2\x82")}), kTrace,
                              push({str("a\x01\xFF")}), kTrace})),
            "trace(\"test\\xc5test\");\ntrace(\"\xC3\xA9\\xe2\\x82\");\ntrace(\"a\\u0001\\xff\");\n");
  EXPECT_EQ(sourceOf(7, join({push({str("\xED\xA0\x80\xED\xB0\x82"), str("\xED\xA0")}), kStringAdd, kTrace})),
            "trace(\"\\ud800\\udc02\" add \"\\xed\\xa0\");\n");
}

}  // namespace
}  // namespace orvane
