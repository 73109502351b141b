// The decompiled source mode over hand-assembled blocks: each row is a snippet of source,
// the byte code the authoring compiler emits for it (its well-known patterns, written out
// record by record) and the exact text the mode prints.
#include <gtest/gtest.h>

#include "actions/ActionList.h"
#include "actions/source/SourceTranslator.h"
#include "movie/MovieObject.h"
#include "platform/MessageSink.h"
#include "tests/actions/SourceAssembler.h"

namespace orvane {
namespace {

using namespace test::assembly;  // NOLINT: the assembler's vocabulary reads as the byte code
using test::Bytes;
using test::join;
using test::push;
using test::str;

std::string sourceOf(const Bytes& block) {
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block, records, messages);
  return SourceListing(records, 0);
}

// Records without fields.
const Bytes kNextFrame{0x04}, kPrevFrame{0x05}, kPlay{0x06}, kStop{0x07}, kToggleQuality{0x08}, kStopSounds{0x09};
const Bytes kSubtract{0x0B}, kMultiply{0x0C}, kDivide{0x0D}, kNot{0x12}, kStringLength{0x14}, kStringExtract{0x15};
const Bytes kPop{0x17}, kToInteger{0x18}, kGetVariable{0x1C}, kSetVariable{0x1D}, kSetTarget2{0x20};
const Bytes kStringAdd{0x21}, kGetProperty{0x22}, kSetProperty{0x23}, kCloneSprite{0x24}, kRemoveSprite{0x25};
const Bytes kTrace{0x26}, kStartDrag{0x27}, kEndDrag{0x28}, kThrow{0x2A}, kRandom{0x30}, kMBStringLength{0x31};
const Bytes kCharToAscii{0x32}, kAsciiToChar{0x33}, kGetTime{0x34}, kMBStringExtract{0x35}, kMBCharToAscii{0x36};
const Bytes kMBAsciiToChar{0x37}, kDelete{0x3A}, kDelete2{0x3B}, kDefineLocal{0x3C}, kCallFunction{0x3D};
const Bytes kReturn{0x3E}, kModulo{0x3F}, kNewObject{0x40}, kDefineLocal2{0x41}, kInitArray{0x42};
const Bytes kInitObject{0x43}, kTypeOf{0x44}, kTargetPath{0x45}, kEnumerate{0x46}, kAdd2{0x47}, kLess2{0x48};
const Bytes kEquals2{0x49}, kPushDuplicate{0x4C}, kGetMember{0x4E}, kSetMember{0x4F}, kIncrement{0x50};
const Bytes kDecrement{0x51}, kCallMethod{0x52}, kNewMethod{0x53}, kInstanceOf{0x54}, kEnumerate2{0x55};
const Bytes kBitAnd{0x60}, kBitOr{0x61}, kBitXor{0x62}, kShiftLeft{0x63}, kShiftRight{0x64}, kShiftRight2{0x65};
const Bytes kStrictEquals{0x66}, kGreater{0x67};

/// Reading a variable: push its name, ActionGetVariable.
Bytes v(const std::string& name) { return join({push({str(name)}), kGetVariable}); }
/// name = value; with ActionSetVariable.
Bytes set(const std::string& name, const Bytes& value) { return join({push({str(name)}), value, kSetVariable}); }
Bytes traceOf(const Bytes& value) { return join({value, kTrace}); }

struct Row {
  const char* name;
  Bytes code;
  const char* text;
};

std::string rowName(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class SourceSnippet : public ::testing::TestWithParam<Row> {};

TEST_P(SourceSnippet, PrintsTheScriptAsWritten) { EXPECT_EQ(sourceOf(GetParam().code), GetParam().text); }

// Expressions: precedence and associativity with parentheses only where needed.
const Row kExpressions[] = {
    // x = a + b * c;  y = (a + b) * c;
    {"Precedence",
     join({set("x", join({v("a"), v("b"), v("c"), kMultiply, kAdd2})),
           set("y", join({v("a"), v("b"), kAdd2, v("c"), kMultiply}))}),
     "x = a + b * c;\ny = (a + b) * c;\n"},
    // x = a - b - c;  y = a - (b - c);  z = a / (b * c) % d;
    {"Associativity",
     join({set("x", join({v("a"), v("b"), kSubtract, v("c"), kSubtract})),
           set("y", join({v("a"), v("b"), v("c"), kSubtract, kSubtract})),
           set("z", join({v("a"), v("b"), v("c"), kMultiply, kDivide, v("d"), kModulo}))}),
     "x = a - b - c;\ny = a - (b - c);\nz = a / (b * c) % d;\n"},
    // The compiler writes a >= b as !(a < b), a <= b as !(a > b), a != b as !(a == b).
    {"Comparisons",
     join({set("p", join({v("a"), v("b"), kLess2, kNot})), set("q", join({v("a"), v("b"), kGreater, kNot})),
           set("r", join({v("a"), v("b"), kEquals2, kNot})), set("s", join({v("a"), v("b"), kStrictEquals, kNot})),
           set("t", join({v("a"), v("b"), kGreater})), set("u", join({v("a"), v("b"), kLess2, v("c"), kEquals2}))}),
     "p = a >= b;\nq = a <= b;\nr = a != b;\ns = a !== b;\nt = a > b;\nu = a < b == c;\n"},
    // -a is 0 - a, ~b is b ^ 4294967295.
    {"UnaryOperators",
     join({set("x", join({push({dbl(0)}), v("a"), kSubtract})), set("y", join({v("b"), push({dbl(4294967295.0)}), kBitXor})),
           set("z", join({v("c"), kNot})), set("w", join({push({dbl(0)}), v("a"), v("b"), kAdd2, kSubtract})),
           set("n", join({v("a"), push({num(-5)}), kSubtract}))}),
     "x = -a;\ny = ~b;\nz = !c;\nw = -(a + b);\nn = a - -5;\n"},
    // x = a & b | c ^ d;  y = a << 2 >>> 1;  z = (a | b) & c >> 1;
    {"BitwiseOperators",
     join({set("x", join({v("a"), v("b"), kBitAnd, v("c"), v("d"), kBitXor, kBitOr})),
           set("y", join({v("a"), push({num(2)}), kShiftLeft, push({num(1)}), kShiftRight2})),
           set("z", join({v("a"), v("b"), kBitOr, v("c"), push({num(1)}), kShiftRight, kBitAnd}))}),
     "x = a & b | c ^ d;\ny = a << 2 >>> 1;\nz = (a | b) & c >> 1;\n"},
    // x = a && b || c;  y = a && (b || c);  the left value is kept, tested and dropped.
    {"LogicalOperators",
     assemble({push({str("x")}), v("a"), kPushDuplicate, kNot, ifTo("and"), kPop, v("b"), at("and"), kPushDuplicate,
               ifTo("or"), kPop, v("c"), at("or"), kSetVariable,
               push({str("y")}), v("a"), kPushDuplicate, kNot, ifTo("end"), kPop, v("b"), kPushDuplicate, ifTo("end"),
               kPop, v("c"), at("end"), kSetVariable}),
     "x = a && b || c;\ny = a && (b || c);\n"},
    // x = "n" + (a + 1);  y = "n" add a;  the string add of older scripts
    {"Concatenation",
     join({set("x", join({push({str("n")}), v("a"), push({num(1)}), kAdd2, kAdd2})),
           set("y", join({push({str("n")}), v("a"), kStringAdd}))}),
     "x = \"n\" + (a + 1);\ny = \"n\" add a;\n"},
    // x = a ? 1 : 2;  y = a ? b : c ? d : e;  z = (a ? b : c) + 1;  the compiler tests the
    // condition itself and jumps to the value for true.
    {"Conditional",
     assemble({push({str("x")}), v("a"), ifTo("one"), push({num(2)}), jumpTo("x"), at("one"), push({num(1)}), at("x"),
               kSetVariable,
               push({str("y")}), v("a"), ifTo("b"), v("c"), ifTo("d"), v("e"), jumpTo("ce"), at("d"), v("d"), at("ce"),
               jumpTo("y"), at("b"), v("b"), at("y"), kSetVariable,
               push({str("z")}), v("a"), ifTo("zb"), v("c"), jumpTo("z"), at("zb"), v("b"), at("z"), push({num(1)}), kAdd2,
               kSetVariable}),
     "x = a ? 1 : 2;\ny = a ? b : c ? d : e;\nz = (a ? b : c) + 1;\n"},
};
INSTANTIATE_TEST_SUITE_P(Expressions, SourceSnippet, ::testing::ValuesIn(kExpressions), rowName);

// Values: numbers in the script language's own form, escaped strings, the other literals.
const Row kValues[] = {
    {"Numbers",
     join({traceOf(push({dbl(0.1)})), traceOf(push({dbl(1e21)})), traceOf(push({dbl(-0.0)})), traceOf(push({dbl(1.5e-7)})),
           traceOf(push({dbl(0.000001)})), traceOf(push({dbl(123456789012.0)})), traceOf(push({dbl(-2.5)})),
           traceOf(push({flt(0.1f)})), traceOf(push({flt(6.0f)})), traceOf(push({num(-7)})), traceOf(push({dbl(1e100)}))}),
     "trace(0.1);\ntrace(1e+21);\ntrace(-0);\ntrace(1.5e-7);\ntrace(0.000001);\ntrace(123456789012);\ntrace(-2.5);\n"
     "trace(0.1);\ntrace(6);\ntrace(-7);\ntrace(1e+100);\n"},
    {"Strings", traceOf(push({str("a\"b\\c\n\r\t\x01z")})), "trace(\"a\\\"b\\\\c\\n\\r\\t\\u0001z\");\n"},
    {"OtherLiterals",
     join({traceOf(push({boolean(true)})), traceOf(push({boolean(false)})), traceOf(push({null()})),
           traceOf(push({undef()}))}),
     "trace(true);\ntrace(false);\ntrace(null);\ntrace(undefined);\n"},
    // Names from the constant pool, by 8-bit and 16-bit index.
    {"ConstantPool",
     join({constantPool({"x", "hello"}), push({constant(0), constant16(1)}), kSetVariable}), "x = \"hello\";\n"},
};
INSTANTIATE_TEST_SUITE_P(Values, SourceSnippet, ::testing::ValuesIn(kValues), rowName);

// Members, calls, new, literals and the operators on places.
const Row kObjects[] = {
    // a.b = c.d;  x = a["x-y"];  y = a[i];  z = a[0];  w = _root.clip._x;  v = a.b.c;
    {"MemberAccess",
     join({v("a"), push({str("b")}), v("c"), push({str("d")}), kGetMember, kSetMember,
           set("x", join({v("a"), push({str("x-y")}), kGetMember})), set("y", join({v("a"), v("i"), kGetMember})),
           set("z", join({v("a"), push({num(0)}), kGetMember})),
           set("w", join({v("_root"), push({str("clip")}), kGetMember, push({str("_x")}), kGetMember})),
           set("v", v("a.b.c"))}),
     "a.b = c.d;\nx = a[\"x-y\"];\ny = a[i];\nz = a[0];\nw = _root.clip._x;\nv = a.b.c;\n"},
    // eval for computed names, set() for computed stores.
    {"ComputedNames",
     join({set("x", join({push({str("v")}), v("n"), kAdd2, kGetVariable})),
           join({push({str("v")}), v("n"), kAdd2, push({num(5)}), kSetVariable})}),
     "x = eval(\"v\" + n);\nset(\"v\" + n, 5);\n"},
    // f(1, "a");  x = o.m(2);  o.m();  y = a.b[c]();  arguments are pushed last first.
    {"Calls",
     join({push({str("a"), num(1), num(2), str("f")}), kCallFunction, kPop,
           set("x", join({push({num(2), num(1)}), v("o"), push({str("m")}), kCallMethod})),
           push({num(0)}), v("o"), push({str("m")}), kCallMethod, kPop,
           set("y", join({push({num(0)}), v("a"), push({str("b")}), kGetMember, v("c"), kCallMethod}))}),
     "f(1, \"a\");\nx = o.m(2);\no.m();\ny = a.b[c]();\n"},
    // x = new Foo(1);  y = new a.B();
    {"New",
     join({set("x", join({push({num(1), num(1), str("Foo")}), kNewObject})),
           set("y", join({push({num(0)}), v("a"), push({str("B")}), kNewMethod}))}),
     "x = new Foo(1);\ny = new a.B();\n"},
    // a = [1, "b", c];  e = [];  o = {x: 1, "y-z": 2};  p = {};
    {"Literals",
     join({set("a", join({v("c"), push({str("b"), num(1), num(3)}), kInitArray})), set("e", join({push({num(0)}), kInitArray})),
           set("o", join({push({str("x"), num(1), str("y-z"), num(2), num(2)}), kInitObject})),
           set("p", join({push({num(0)}), kInitObject}))}),
     "a = [1, \"b\", c];\ne = [];\no = {x: 1, \"y-z\": 2};\np = {};\n"},
    // x = typeof a;  y = typeof (a + b);  z = a instanceof Foo;  delete o.p;  delete o["x-y"];  delete v;
    {"TypeofInstanceofDelete",
     join({set("x", join({v("a"), kTypeOf})), set("y", join({v("a"), v("b"), kAdd2, kTypeOf})),
           set("z", join({v("a"), v("Foo"), kInstanceOf})), v("o"), push({str("p")}), kDelete, kPop, v("o"),
           push({str("x-y")}), kDelete, kPop, push({str("v")}), kDelete2, kPop}),
     "x = typeof a;\ny = typeof (a + b);\nz = a instanceof Foo;\ndelete o.p;\ndelete o[\"x-y\"];\ndelete v;\n"},
    // i++;  i--;  o.n++;  the compiler stores the stepped value.
    {"IncrementDecrement",
     join({set("i", join({v("i"), kIncrement})), set("i", join({v("i"), kDecrement})), v("o"), push({str("n")}), v("o"),
           push({str("n")}), kGetMember, kIncrement, kSetMember}),
     "i++;\ni--;\no.n++;\n"},
    // x += 2;  x -= y;  x *= 3;  x /= 2;  x %= 5;  x &= m;  x |= m;  x ^= m;  x <<= 1;  x >>= 1;
    // x >>>= 1;  o.n += 5;
    {"CompoundAssignments",
     join({set("x", join({v("x"), push({num(2)}), kAdd2})), set("x", join({v("x"), v("y"), kSubtract})),
           set("x", join({v("x"), push({num(3)}), kMultiply})), set("x", join({v("x"), push({num(2)}), kDivide})),
           set("x", join({v("x"), push({num(5)}), kModulo})), set("x", join({v("x"), v("m"), kBitAnd})),
           set("x", join({v("x"), v("m"), kBitOr})), set("x", join({v("x"), v("m"), kBitXor})),
           set("x", join({v("x"), push({num(1)}), kShiftLeft})), set("x", join({v("x"), push({num(1)}), kShiftRight})),
           set("x", join({v("x"), push({num(1)}), kShiftRight2})), v("o"), push({str("n")}), v("o"), push({str("n")}),
           kGetMember, push({num(5)}), kAdd2, kSetMember}),
     "x += 2;\nx -= y;\nx *= 3;\nx /= 2;\nx %= 5;\nx &= m;\nx |= m;\nx ^= m;\nx <<= 1;\nx >>= 1;\nx >>>= 1;\n"
     "o.n += 5;\n"},
    // y = x++;  the value read before the step stays on the stack.  z = ++x;  a = b = 5;
    // an assignment used as a value goes through register 0.
    {"AssignmentsAsValues",
     join({push({str("y")}), v("x"), set("x", join({v("x"), kIncrement})), kSetVariable,
           push({str("z"), str("x")}), v("x"), kIncrement, storeRegister(0), kSetVariable, push({reg(0)}), kSetVariable,
           push({str("a"), str("b"), num(5)}), storeRegister(0), kSetVariable, push({reg(0)}), kSetVariable}),
     "y = x++;\nz = ++x;\na = b = 5;\n"},
};
INSTANTIATE_TEST_SUITE_P(Objects, SourceSnippet, ::testing::ValuesIn(kObjects), rowName);


// Statements and the global functions in their authoring forms.
const Row kStatements[] = {
    // var x = 5;  var y;  x = y;
    {"VarAndAssignment", join({push({str("x"), num(5)}), kDefineLocal, push({str("y")}), kDefineLocal2, set("x", v("y"))}),
     "var x = 5;\nvar y;\nx = y;\n"},
    // function f(a) { if (a) { return; } throw new Error("bad"); }
    {"ReturnAndThrow",
     defineFunction("f", {"a"}, assemble({v("a"), kNot, ifTo("on"), push({undef()}), kReturn, at("on"),
                                           push({str("bad"), num(1), str("Error")}), kNewObject, kThrow})),
     "function f(a) {\n    if (a) {\n        return;\n    }\n    throw new Error(\"bad\");\n}\n"},
    // Frame numbers as the author wrote them, from 1; labels as strings.
    {"FrameControl",
     join({gotoFrame(2), kPlay, gotoFrame(4), gotoLabel("intro"), kPlay, gotoLabel("end"), v("n"), gotoFrame2(true), v("n"),
           push({num(1)}), kAdd2, gotoFrame2(false), kNextFrame, kPrevFrame, kPlay, kStop}),
     "gotoAndPlay(3);\ngotoAndStop(5);\ngotoAndPlay(\"intro\");\ngotoAndStop(\"end\");\ngotoAndPlay(n);\n"
     "gotoAndStop(n + 1);\nnextFrame();\nprevFrame();\nplay();\nstop();\n"},
    // nextScene() is compiled into a goto of the first frame of the next scene (here frame
    // 11): the block cannot tell it from gotoAndStop(11).
    {"SceneChangeIsAFrameNumber", gotoFrame(10), "gotoAndStop(11);\n"},
    {"UrlsAndMovies",
     join({getUrl("http://a.org/", ""), getUrl("page.html", "_blank"), v("u"), push({str("_self")}), getUrl2(2),
           push({str("a.swf"), str("mc")}), getUrl2(0x40), push({str("a.swf")}), v("mc"), getUrl2(0x41),
           getUrl("a.swf", "_level2"), push({str("d.txt"), str("mc")}), getUrl2(0xC2), push({str("d.txt"), str("_level1")}),
           getUrl2(0x80), push({str(""), str("mc")}), getUrl2(0x40), getUrl("", "_level3"), v("file"),
           push({str("_level")}), v("n"), kStringAdd, getUrl2(0), getUrl("FSCommand:fullscreen", "true"),
           getUrl("FSCommand:quit", ""), push({str("print:#bmax"), str("mc")}), getUrl2(0),
           push({str("printasbitmap:#bframe"), str("_level1")}), getUrl2(0)}),
     "getURL(\"http://a.org/\");\ngetURL(\"page.html\", \"_blank\");\ngetURL(u, \"_self\", \"POST\");\n"
     "loadMovie(\"a.swf\", \"mc\");\nloadMovie(\"a.swf\", mc, \"GET\");\nloadMovieNum(\"a.swf\", 2);\n"
     "loadVariables(\"d.txt\", \"mc\", \"POST\");\nloadVariablesNum(\"d.txt\", 1);\nunloadMovie(\"mc\");\n"
     "unloadMovieNum(3);\nloadMovieNum(file, n);\nfscommand(\"fullscreen\", \"true\");\nfscommand(\"quit\");\n"
     "print(\"mc\", \"bmax\");\nprintAsBitmapNum(1, \"bframe\");\n"},
    // startDrag pops the target, the lock flag, the constrain flag, then the rectangle;
    // duplicateMovieClip's depth is the author's plus 16384.
    {"Clips",
     join({push({dbl(0), num(0), str("mc")}), kStartDrag, push({dbl(0), num(1), str("mc")}), kStartDrag,
           push({num(0), num(0), num(100), num(50), num(1), num(0), str("mc")}), kStartDrag, kEndDrag,
           push({str("a"), str("b"), num(16387)}), kCloneSprite, push({str("a"), str("c")}), v("i"), kAdd2,
           push({num(16384)}), v("i"), kAdd2, kCloneSprite, push({str("b")}), kRemoveSprite}),
     "startDrag(\"mc\");\nstartDrag(\"mc\", true);\nstartDrag(\"mc\", false, 0, 0, 100, 50);\nstopDrag();\n"
     "duplicateMovieClip(\"a\", \"b\", 3);\nduplicateMovieClip(\"a\", \"c\" + i, i);\nremoveMovieClip(\"b\");\n"},
    // Properties of a named clip read as its members, of a computed one through
    // setProperty / getProperty, of the clip itself bare.
    {"Properties",
     join({push({str("mc"), flt(6), num(50)}), kSetProperty, v("mc"), push({flt(0), num(10)}), kSetProperty,
           push({str(""), flt(0), num(5)}), kSetProperty, set("x", join({push({str("_root.clip"), flt(1)}), kGetProperty})),
           set("y", join({v("mc"), push({num(10)}), kGetProperty})),
           set("z", join({push({str(""), num(4)}), kGetProperty}))}),
     "mc._alpha = 50;\nsetProperty(mc, _x, 10);\n_x = 5;\nx = _root.clip._y;\ny = getProperty(mc, _rotation);\n"
     "z = _currentframe;\n"},
    {"OtherGlobalFunctions",
     join({traceOf(v("x")), set("x", kGetTime), set("x", join({push({num(10)}), kRandom})),
           set("x", join({v("y"), kToInteger})), set("x", join({v("s"), kStringLength})),
           set("x", join({push({num(65)}), kAsciiToChar})), set("x", join({push({str("A")}), kCharToAscii})),
           set("x", join({push({num(65)}), kMBAsciiToChar})), set("x", join({push({str("A")}), kMBCharToAscii})),
           set("x", join({v("s"), push({num(2), num(3)}), kStringExtract})),
           set("x", join({v("s"), push({num(1), num(2)}), kMBStringExtract})), set("x", join({v("s"), kMBStringLength})),
           kToggleQuality, kStopSounds, push({str("sub")}), call(), set("x", join({v("mc"), kTargetPath}))}),
     "trace(x);\nx = getTimer();\nx = random(10);\nx = int(y);\nx = length(s);\nx = chr(65);\nx = ord(\"A\");\n"
     "x = mbchr(65);\nx = mbord(\"A\");\nx = substring(s, 2, 3);\nx = mbsubstring(s, 1, 2);\nx = mblength(s);\n"
     "toggleHighQuality();\nstopAllSounds();\ncall(\"sub\");\nx = targetPath(mc);\n"},
};
INSTANTIATE_TEST_SUITE_P(Statements, SourceSnippet, ::testing::ValuesIn(kStatements), rowName);

/// The jump at the end of a try block over the catch block that follows it.
Bytes jumpOver(const Bytes& block) { return test::longAction(0x99, u16(static_cast<std::uint32_t>(block.size()))); }

// Control flow from the branches: if / else if, loops with break and continue, switch,
// for-in, with, tellTarget, ifFrameLoaded, try.
const Row kControlFlow[] = {
    {"IfElseIf",
     assemble({v("a"), push({num(1)}), kEquals2, kNot, ifTo("two"), traceOf(push({str("one")})), jumpTo("end"),
               at("two"), v("a"), push({num(2)}), kEquals2, kNot, ifTo("many"), traceOf(push({str("two")})), jumpTo("end"),
               at("many"), traceOf(push({str("many")})), at("end")}),
     "if (a == 1) {\n    trace(\"one\");\n} else if (a == 2) {\n    trace(\"two\");\n} else {\n    trace(\"many\");\n}\n"},
    // A for loop inside a while loop, each left early and continued: continue goes to the
    // while test and to the for update, break past each loop.
    {"NestedLoopsBreakAndContinue",
     assemble({at("w"), v("i"), push({num(10)}), kLess2, kNot, ifTo("wend"), set("i", join({v("i"), kIncrement})),
               v("i"), push({num(3)}), kEquals2, kNot, ifTo("a"), jumpTo("w"), at("a"), set("j", push({num(0)})),
               at("f"), v("j"), v("i"), kLess2, kNot, ifTo("fend"),
               v("j"), push({num(5)}), kEquals2, kNot, ifTo("b"), jumpTo("fend"), at("b"),
               v("j"), push({num(2)}), kEquals2, kNot, ifTo("c"), jumpTo("fstep"), at("c"), traceOf(v("j")),
               at("fstep"), set("j", join({v("j"), kIncrement})), jumpTo("f"), at("fend"),
               v("i"), push({num(8)}), kEquals2, kNot, ifTo("d"), jumpTo("wend"), at("d"), jumpTo("w"), at("wend")}),
     "while (i < 10) {\n    i++;\n    if (i == 3) {\n        continue;\n    }\n    for (j = 0; j < i; j++) {\n"
     "        if (j == 5) {\n            break;\n        }\n        if (j == 2) {\n            continue;\n        }\n"
     "        trace(j);\n    }\n    if (i == 8) {\n        break;\n    }\n}\n"},
    // do { i--; } while (i > 0);  do { if (a) { continue; } b(); } while (c);  continue
    // goes to the test.
    {"DoWhile",
     assemble({at("top"), set("i", join({v("i"), kDecrement})), v("i"), push({num(0)}), kGreater, ifTo("top"),
               at("again"), v("a"), kNot, ifTo("call"), jumpTo("test"), at("call"), push({num(0), str("b")}),
               kCallFunction, kPop, at("test"), v("c"), ifTo("again")}),
     "do {\n    i--;\n} while (i > 0);\ndo {\n    if (a) {\n        continue;\n    }\n    b();\n} while (c);\n"},
    {"For",
     assemble({push({str("k"), num(0)}), kDefineLocal, at("f"), v("k"), push({num(3)}), kLess2, kNot, ifTo("end"),
               traceOf(v("k")), set("k", join({v("k"), kIncrement})), jumpTo("f"), at("end")}),
     "for (var k = 0; k < 3; k++) {\n    trace(k);\n}\n"},
    // The enumeration's names come off the stack into register 0 until the null below them.
    {"ForIn",
     assemble({v("o"), kEnumerate2, at("next"), storeRegister(0), push({null()}), kEquals2, ifTo("end"),
               push({str("p"), reg(0)}), kDefineLocal, traceOf(v("p")), jumpTo("next"), at("end"),
               push({str("o")}), kEnumerate, at("next2"), storeRegister(0), push({null()}), kEquals2, ifTo("end2"),
               push({str("q"), reg(0)}), kSetVariable, traceOf(v("q")), jumpTo("next2"), at("end2")}),
     "for (var p in o) {\n    trace(p);\n}\nfor (q in o) {\n    trace(q);\n}\n"},
    // A break leaves through the compiler's loop that drops the names still on the stack.
    {"ForInWithBreak",
     assemble({v("o"), kEnumerate2, at("next"), storeRegister(0), push({null()}), kEquals2, ifTo("end"),
               push({str("p"), reg(0)}), kDefineLocal, v("p"), push({str("x")}), kEquals2, kNot, ifTo("on"),
               jumpTo("drop"), at("on"), jumpTo("next"), at("drop"), push({null()}), kEquals2, kNot, ifTo("drop"),
               at("end")}),
     "for (var p in o) {\n    if (p == \"x\") {\n        break;\n    }\n}\n"},
    // function f(o) { for (var k in o) { trace(k); } }  with k and o in registers.
    {"ForInOverRegisters",
     defineFunction2("f", 3, 0x2A, 0, {{1, "o"}},
                     assemble({push({reg(1)}), kEnumerate2, at("next"), storeRegister(0), push({null()}), kEquals2,
                               ifTo("end"), push({reg(0)}), storeRegister(2), kPop, traceOf(push({reg(2)})), jumpTo("next"),
                               at("end")})),
     "function f(o) {\n    for (var _loc2_ in o) {\n        trace(_loc2_);\n    }\n}\n"},
    // The value goes to register 0 and is compared with each label in turn; case 3 and 4
    // share a body, case 1 falls through.
    {"Switch",
     assemble({v("n"), storeRegister(0), push({num(1)}), kStrictEquals, ifTo("c1"), push({reg(0), num(2)}), kStrictEquals,
               ifTo("c2"), push({reg(0), num(3)}), kStrictEquals, ifTo("c3"), push({reg(0), num(4)}), kStrictEquals,
               ifTo("c3"), jumpTo("other"), at("c1"), traceOf(push({str("one")})), at("c2"),
               traceOf(push({str("one or two")})), jumpTo("end"), at("c3"), traceOf(push({str("three or four")})),
               jumpTo("end"), at("other"), traceOf(push({str("other")})), at("end")}),
     "switch (n) {\n    case 1:\n        trace(\"one\");\n    case 2:\n        trace(\"one or two\");\n        break;\n"
     "    case 3:\n    case 4:\n        trace(\"three or four\");\n        break;\n    default:\n"
     "        trace(\"other\");\n}\n"},
    // switch (n) { default: trace("d"); case 1: trace("one"); } trace("after");  without a
    // break the end of the last case is not in the code: it ends where it begins, and what
    // follows it runs after the switch either way.
    {"SwitchWithoutBreaks",
     assemble({v("n"), storeRegister(0), push({num(1)}), kStrictEquals, ifTo("c1"), jumpTo("other"), at("other"),
               traceOf(push({str("d")})), at("c1"), traceOf(push({str("one")})), traceOf(push({str("after")}))}),
     "switch (n) {\n    default:\n        trace(\"d\");\n    case 1:\n}\ntrace(\"one\");\ntrace(\"after\");\n"},
    // In a loop, continue inside a switch goes to the loop's update, break to the end of
    // the switch.
    {"SwitchInLoop",
     assemble({push({str("i"), num(0)}), kDefineLocal, at("loop"), v("i"), v("n"), kLess2, kNot, ifTo("end"), v("a"),
               v("i"), kGetMember, storeRegister(0), push({num(0)}), kStrictEquals, ifTo("c0"), push({reg(0), num(1)}),
               kStrictEquals, ifTo("c1"), jumpTo("after"), at("c0"), jumpTo("step"), at("c1"),
               traceOf(push({str("one")})), jumpTo("after"), at("after"), traceOf(v("i")), at("step"),
               set("i", join({v("i"), kIncrement})), jumpTo("loop"), at("end")}),
     "for (var i = 0; i < n; i++) {\n    switch (a[i]) {\n        case 0:\n            continue;\n        case 1:\n"
     "            trace(\"one\");\n            break;\n    }\n    trace(i);\n}\n"},
    // A case that leaves the enclosing loop has no break of its own in the language: the
    // cases read as an if / else if chain over the register that holds the value.
    {"SwitchLeavingItsLoop",
     assemble({at("loop"), push({boolean(true)}), kNot, ifTo("end"), push({num(0), str("next")}), kCallFunction,
               storeRegister(0), push({num(0)}), kStrictEquals, ifTo("c0"), push({reg(0), num(1)}), kStrictEquals,
               ifTo("c1"), jumpTo("after"), at("c0"), jumpTo("end"), at("c1"), traceOf(push({str("one")})),
               jumpTo("after"), at("after"), jumpTo("loop"), at("end")}),
     "while (true) {\n    var _loc0_ = next();\n    if (_loc0_ === 0) {\n        break;\n    } else if (_loc0_ === 1) {\n"
     "        trace(\"one\");\n    }\n}\n"},
    {"With", join({v("o"), withBlock(set("x", push({num(1)})))}), "with (o) {\n    x = 1;\n}\n"},
    // tellTarget ("mc") { play(); }  tellTarget (a) { stop(); tellTarget (b) { play(); } }
    // the nested block saves the outer target (_target) and sets it again after its end.
    {"TellTarget",
     join({setTarget("mc"), kPlay, setTarget(""), v("a"), kSetTarget2, kStop, push({str(""), num(11)}), kGetProperty,
           v("b"), kSetTarget2, kPlay, setTarget(""), kSetTarget2, setTarget("")}),
     "tellTarget (\"mc\") {\n    play();\n}\ntellTarget (a) {\n    stop();\n    tellTarget (b) {\n        play();\n"
     "    }\n}\n"},
    // do { tellTarget ("mc") { play(); } } while (a);  the loop's first record opens a
    // block: the loop is read first, the block inside it.
    {"BlockAtLoopHeader",
     assemble({at("top"), setTarget("mc"), kPlay, setTarget(""), v("a"), ifTo("top")}),
     "do {\n    tellTarget (\"mc\") {\n        play();\n    }\n} while (a);\n"},
    // ifFrameLoaded (5) over the next two records; ifFrameLoaded ("end") over one.
    {"IfFrameLoaded",
     join({waitForFrame(4, 2), gotoFrame(1), kPlay, push({str("end")}), waitForFrame2(1), kStop}),
     "ifFrameLoaded (5) {\n    gotoAndPlay(2);\n}\nifFrameLoaded (\"end\") {\n    stop();\n}\n"},
};
INSTANTIATE_TEST_SUITE_P(ControlFlow, SourceSnippet, ::testing::ValuesIn(kControlFlow), rowName);

const Bytes kCallDone = join({push({num(0), str("done")}), kCallFunction, kPop});
const Bytes kTraceE = traceOf(v("e"));

// try / catch / finally: the try block ends with a jump over the catch block.
const Row kTry[] = {
    {"TryCatchFinally",
     tryBlock(3, test::zstr("e"), join({push({num(0), str("f")}), kCallFunction, kPop, jumpOver(kTraceE)}), kTraceE,
              kCallDone),
     "try {\n    f();\n} catch (e) {\n    trace(e);\n} finally {\n    done();\n}\n"},
    {"TryFinally", tryBlock(2, test::zstr(""), join({push({num(0), str("f")}), kCallFunction, kPop}), {}, kCallDone),
     "try {\n    f();\n} finally {\n    done();\n}\n"},
    // The caught value in register 2 of a function.
    {"CatchIntoARegister",
     defineFunction2("g", 3, 0x2A, 0, {},
                     tryBlock(5, {2}, join({push({num(0), str("risky")}), kCallFunction, kPop,
                                            jumpOver(traceOf(push({reg(2)})))}),
                              traceOf(push({reg(2)})), {})),
     "function g() {\n    try {\n        risky();\n    } catch (_loc2_) {\n        trace(_loc2_);\n    }\n}\n"},
};
INSTANTIATE_TEST_SUITE_P(Try, SourceSnippet, ::testing::ValuesIn(kTry), rowName);

// Functions: statements and expressions, parameters and locals in registers, preloaded
// registers, one empty line around top-level functions.
const Row kFunctions[] = {
    {"FunctionStatement",
     defineFunction("add", {"a", "b"}, join({v("a"), v("b"), kAdd2, kReturn})),
     "function add(a, b) {\n    return a + b;\n}\n"},
    {"LocalsInRegisters",
     defineFunction2("area", 4, 0x2A, 0, {{1, "w"}, {2, "h"}},
                     join({push({reg(1), reg(2)}), kMultiply, storeRegister(3), kPop, push({reg(3)}), kReturn})),
     "function area(w, h) {\n    var _loc3_ = w * h;\n    return _loc3_;\n}\n"},
    // Parameters held in registers whose names are empty (one compiler writes them so) or
    // no script could use (obfuscated) read as their registers.
    {"ParametersWithoutUsableNames",
     defineFunction2("f", 4, 0x2A, 0, {{1, ""}, {2, "=rJ"}, {3, "ok"}},
                     join({push({reg(1), reg(2)}), kAdd2, push({reg(3)}), kAdd2, kReturn})),
     "function f(_loc1_, _loc2_, ok) {\n    return _loc1_ + _loc2_ + ok;\n}\n"},
    // Registers get _locN_ names, declared with var where they are first stored.
    {"UnnamedRegisters",
     defineFunction2("r", 3, 0x2A, 0, {},
                     join({push({num(5)}), storeRegister(1), kPop, push({str("a")}), storeRegister(2), kPop, push({reg(2)}),
                           storeRegister(1), kPop, push({reg(1)}), kIncrement, storeRegister(1), kPop,
                           traceOf(push({reg(1)})), push({num(2), num(1), reg(1), undef()}), kCallMethod, kPop})),
     "function r() {\n    var _loc1_ = 5;\n    var _loc2_ = \"a\";\n    _loc1_ = _loc2_;\n    _loc1_++;\n"
     "    trace(_loc1_);\n    _loc1_(2);\n}\n"},
    // Preloaded this and _root (flags 0x41, arguments and super suppressed), _parent and
    // _global (flags 0x80 and the global bit).
    {"PreloadedRegisters",
     join({defineFunction2("move", 3, 0x69, 0, {},
                           join({push({reg(1), str("_x"), reg(2), str("mouseX")}), kGetMember, kSetMember})),
           defineFunction2("reset", 3, 0xAA, 1, {},
                           join({push({reg(2), str("count"), num(0)}), kSetMember, push({num(0), reg(1), str("play")}),
                                 kCallMethod, kPop}))}),
     "function move() {\n    this._x = _root.mouseX;\n}\n\nfunction reset() {\n    _global.count = 0;\n"
     "    _parent.play();\n}\n"},
    {"FunctionExpressions",
     join({set("onEnterFrame", defineFunction("", {}, traceOf(push({str("tick")})))), v("o"), push({str("m")}),
           defineFunction2("", 2, 0x2A, 0, {{1, "x"}}, join({push({reg(1), num(2)}), kMultiply, kReturn})), kSetMember}),
     "onEnterFrame = function () {\n    trace(\"tick\");\n};\no.m = function (x) {\n    return x * 2;\n};\n"},
    {"EmptyLinesAroundFunctions",
     join({defineFunction("a", {}, {}), defineFunction("b", {}, join({push({str("t"), num(1)}), kDefineLocal})),
           traceOf(push({num(1)}))}),
     "function a() {\n}\n\nfunction b() {\n    var t = 1;\n}\n\ntrace(1);\n"},
};
INSTANTIATE_TEST_SUITE_P(Functions, SourceSnippet, ::testing::ValuesIn(kFunctions), rowName);

// Flow no statement expresses: a jump into an else part. Every record stays, the jump as
// a goto comment to the label of its target's offset (62).
const Row kUnstructured[] = {
    {"JumpIntoAnElsePart",
     assemble({v("b"), ifTo("inside"), v("a"), kNot, ifTo("else"), traceOf(push({str("then")})), jumpTo("end"),
               at("else"), traceOf(push({str("else1")})), at("inside"), traceOf(push({str("else2")})), at("end"),
               traceOf(push({str("end")}))}),
     "if (!b) {\n    if (a) {\n        trace(\"then\");\n        // goto label_62;\n    }\n    trace(\"else1\");\n}\n"
     "trace(\"else2\");\n// label_62:\ntrace(\"end\");\n"},
};
INSTANTIATE_TEST_SUITE_P(Unstructured, SourceSnippet, ::testing::ValuesIn(kUnstructured), rowName);

// Button and clip events in the authoring language.
struct ButtonEventRow {
  std::uint16_t word;
  const char* text;
};

TEST(SourceEvents, ButtonConditionsReadAsTheirEvents) {
  const ButtonEventRow rows[] = {
      {0x0004, "press"},
      {0x0008, "release"},
      {0x0040, "releaseOutside"},
      {0x0001, "rollOver"},
      {0x0002, "rollOut"},
      {0x00A0, "dragOver"},  // OutDown to OverDown and Idle to OverDown
      {0x0110, "dragOut"},   // OverDown to OutDown and OverDown to Idle
      {0x01FF, "press, release, releaseOutside, rollOver, rollOut, dragOver, dragOut"},
      {0x0008 | 13 << 9, "release, keyPress \"<Enter>\""},
      {1 << 9, "keyPress \"<Left>\""},
      {2 << 9, "keyPress \"<Right>\""},
      {3 << 9, "keyPress \"<Home>\""},
      {4 << 9, "keyPress \"<End>\""},
      {5 << 9, "keyPress \"<Insert>\""},
      {6 << 9, "keyPress \"<Delete>\""},
      {8 << 9, "keyPress \"<Backspace>\""},
      {14 << 9, "keyPress \"<Up>\""},
      {15 << 9, "keyPress \"<Down>\""},
      {16 << 9, "keyPress \"<PageUp>\""},
      {17 << 9, "keyPress \"<PageDown>\""},
      {18 << 9, "keyPress \"<Tab>\""},
      {19 << 9, "keyPress \"<Escape>\""},
      {32 << 9, "keyPress \"<Space>\""},
      {'a' << 9, "keyPress \"a\""},
      {'"' << 9, "keyPress \"\\\"\""},
      {'\\' << 9, "keyPress \"\\\\\""},
  };
  for (const ButtonEventRow& row : rows) EXPECT_EQ(SourceButtonEvents(row.word), row.text) << row.word;
}

struct ClipEventRow {
  std::uint32_t flags;
  std::uint8_t key;
  const char* text;
};

TEST(SourceEvents, ClipEventFlagsReadAsOnClipEventOrOn) {
  const ClipEventRow rows[] = {
      {0x00001, 0, "onClipEvent (load)"},
      {0x00002, 0, "onClipEvent (enterFrame)"},
      {0x00004, 0, "onClipEvent (unload)"},
      {0x00008, 0, "onClipEvent (mouseMove)"},
      {0x00010, 0, "onClipEvent (mouseDown)"},
      {0x00020, 0, "onClipEvent (mouseUp)"},
      {0x00040, 0, "onClipEvent (keyDown)"},
      {0x00080, 0, "onClipEvent (keyUp)"},
      {0x00100, 0, "onClipEvent (data)"},
      {0x00200, 0, "onClipEvent (initialize)"},
      {0x40000, 0, "onClipEvent (construct)"},
      {0x00003, 0, "onClipEvent (load, enterFrame)"},
      // The events a clip shares with buttons.
      {0x00400, 0, "on (press)"},
      {0x00800, 0, "on (release)"},
      {0x01000, 0, "on (releaseOutside)"},
      {0x02000, 0, "on (rollOver)"},
      {0x04000, 0, "on (rollOut)"},
      {0x08000, 0, "on (dragOver)"},
      {0x10000, 0, "on (dragOut)"},
      {0x20000, 14, "on (keyPress \"<Up>\")"},
      {0x00C00, 0, "on (press, release)"},
  };
  for (const ClipEventRow& row : rows) EXPECT_EQ(SourceClipEventHeader(row.flags, row.key), row.text) << row.flags;
}

TEST(SourceEvents, ButtonsAndClipsPrintTheirEventBlocks) {
  RecordingMessageSink messages;
  const Bytes goTrace = traceOf(push({str("go")}));
  ButtonObject button;
  button.typeName = "DefineButton2";
  button.addConditionAction(0x0008 | 13 << 9, goTrace.data(), goTrace.size());
  button.addConditionAction(0x0001, kPlay.data(), kPlay.size());
  EXPECT_EQ(SourceConditionListing(button, messages),
            "on (release, keyPress \"<Enter>\") {\n    trace(\"go\");\n}\n\non (rollOver) {\n    play();\n}\n");

  // The one action list of a first-version button runs on release.
  ButtonObject first;
  first.typeName = "DefineButton";
  first.addConditionAction(0, kStop.data(), kStop.size());
  EXPECT_EQ(SourceConditionListing(first, messages), "on (release) {\n    stop();\n}\n");

  // _x += 1 on the clip itself; construct lies beyond the low 16 bits of the flags.
  const Bytes step = join({push({str(""), flt(0), str(""), flt(0)}), kGetProperty, push({num(1)}), kAdd2, kSetProperty});
  const Bytes local = join({push({str("n"), num(0)}), kDefineLocal});
  InstanceObject clip;
  clip.addConditionAction(0x0002, step.data(), step.size())->eventFlags = 0x0002;
  clip.addConditionAction(0, local.data(), local.size())->eventFlags = 0x40000;
  ConditionAction* key = clip.addConditionAction(0, kPlay.data(), kPlay.size());
  key->eventFlags = 0x20000;
  key->keyCode = 'k';
  EXPECT_EQ(SourceConditionListing(clip, messages),
            "onClipEvent (enterFrame) {\n    _x += 1;\n}\n\nonClipEvent (construct) {\n    var n = 0;\n}\n\n"
            "on (keyPress \"k\") {\n    play();\n}\n");
}

/// x = y, then `steps` times: duplicate the value and add the copies.
Bytes doublingBlock(int steps) {
  Bytes block = join({push({str("x")}), v("y")});
  for (int k = 0; k < steps; ++k) block.insert(block.end(), {0x4C, 0x47});
  block.push_back(0x1D);
  return block;
}

// A block can share one value so that its text doubles with every record. A printed form
// longer than 1 MB reads "$tooLong" instead, so the text stays small.
TEST(SourceBounds, ValuesThatDoubleAreCut) {
  // Sixteen doublings of y: 65536 leaves, 5 * 2^16 - 5 characters.
  const std::string sixteen = sourceOf(doublingBlock(16));
  EXPECT_EQ(sixteen.size(), 4u + 327675u + 2u);
  EXPECT_EQ(sixteen.rfind("x = y + y + (y + y) + (y + y + (y + y)) + ", 0), 0u);
  // The seventeenth passes the bound (its length estimate is 14 * 2^17 - 9).
  EXPECT_EQ(sourceOf(doublingBlock(17)), "x = $tooLong;\n");
  // Forty: cut again after the 33rd, seven doublings of the marker are left.
  const std::string forty = sourceOf(doublingBlock(40));
  EXPECT_EQ(forty.size(), 4u + 12u * 128u - 5u + 2u);  // "$tooLong + $tooLong" doubled six times
  EXPECT_EQ(forty.rfind("x = $tooLong + $tooLong + ($tooLong + $tooLong) + ", 0), 0u);
}

// Statements that print the same long string again and again: the text stops once it
// passes 64 MB, as the translation of the specified modes does.
TEST(SourceBounds, TheTextStopsAt64Megabytes) {
  const std::string letters(60000, 'a');
  Bytes block = push({str(letters)});
  // 1200 times: v = the string, keeping it on the stack.
  for (int k = 0; k < 1200; ++k) block.insert(block.end(), {0x4C, 0x96, 0x03, 0x00, 0x00, 'v', 0x00, 0x4D, 0x1D});
  const std::string text = sourceOf(block);
  const std::string ending = "// the text ends here: it would grow beyond 64 MB\n";
  ASSERT_GT(text.size(), ending.size());
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
  // Statements are printed while the text is at most 64 MB: one more passes it.
  const std::size_t line = 4 + 60002 + 2;  // v = "...";
  EXPECT_EQ(text.size(), ((std::size_t{64} << 20) / line + 1) * line + ending.size());
}

}  // namespace
}  // namespace orvane
