#include "abcsource/AbcBodySource.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "abcsource/AbcParameterNames.h"
#include "tests/support/AbcAssembler.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

using test::AbcMethodSource;

/// A file that imports every package but `other`, whose names it writes qualified, and
/// calls every user namespace N.
class FileNames : public SourceNames {
 public:
  std::string reference(std::string_view package, std::string_view name) const override {
    return package == "other" ? "other." + std::string(name) : std::string(name);
  }
  std::string namespaceReference(const std::string& uri) const override { return uri.empty() ? "?" : "N"; }
};

/// The statements of method 0 of the assembled block, at no indent, names as `FileNames`
/// writes them when `file` is true.
std::string bodyText(const std::vector<AbcMethodSource>& methods, const AbcMethodContext& context = {},
                     bool inFile = false) {
  const test::Bytes block = test::assembleAbc(methods);
  const AbcFile file = parseAbc(block);
  EXPECT_TRUE(file.errors.empty());
  AbcNames names(file);
  AbcBodyDecompiler decompiler(file, names);
  const AbcDecompiledBody* body = decompiler.body(0, context);
  EXPECT_NE(body, nullptr);
  if (body == nullptr) return {};
  EXPECT_FALSE(body->failed()) << body->failure();
  std::string text;
  if (inFile) body->appendText(text, "", 0, FileNames());
  else body->appendText(text, "");
  return text;
}

std::string bodyText(const AbcMethodSource& method, const AbcMethodContext& context = {}, bool inFile = false) {
  return bodyText(std::vector<AbcMethodSource>{method}, context, inFile);
}

AbcMethodSource withParameters(std::string code, std::vector<std::string> names) {
  AbcMethodSource method;
  method.code = std::move(code);
  method.parameterNames = names;
  method.parameterTypes.assign(names.size(), "int");
  return method;
}

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

TEST(AbcBodyDecompiler, BodiesLetGoOfReadAgainAlikeAndOnlyOnce) {
  const test::Bytes block = test::assembleAbc(withParameters("getlocal_1\nreturnvalue\n", {"a"}));
  const AbcFile file = parseAbc(block);
  AbcNames names(file);
  AbcBodyDecompiler decompiler(file, names);
  std::string before;
  decompiler.body(0, {})->appendText(before, "");
  EXPECT_EQ(before, "return a;\n");
  decompiler.releaseUnsharedBodies();
  const AbcDecompiledBody* again = decompiler.body(0, {});
  std::string after;
  again->appendText(after, "");
  EXPECT_EQ(after, before);
  // Asked for again after it was let go, the body stays from now on.
  decompiler.releaseUnsharedBodies();
  EXPECT_EQ(decompiler.body(0, {}), again);
}

TEST(AbcBodyDecompiler, LocalsCallsAndTypedVars) {
  // var s:String = "n" + a; trace(s, this.x); var k:int = int(a / 2); return k;
  EXPECT_EQ(bodyText(withParameters(R"(
      pushstring "n"
      getlocal_1
      add
      coerce_s
      setlocal_2
      findpropstrict trace
      getlocal_2
      getlocal_0
      getproperty x
      callpropvoid trace, 2
      getlocal_1
      pushbyte 2
      divide
      convert_i
      setlocal_3
      getlocal_3
      returnvalue
  )", {"a"})),
            "var _loc2_:String = \"n\" + a;\n"
            "trace(_loc2_, this.x);\n"
            "var _loc3_:int = a / 2;\n"
            "return _loc3_;\n");
}

TEST(AbcBodyDecompiler, IfElseAndShortCircuits) {
  // if (a < b && c) trace(1); else if (a || b) trace(2); else trace(3);
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_1
      getlocal_2
      lessthan
      dup
      iffalse Land
      pop
      getlocal_3
    Land:
      iffalse Lelse
      findpropstrict trace
      pushbyte 1
      callpropvoid trace, 1
      jump Lend
    Lelse:
      getlocal_1
      dup
      iftrue Lor
      pop
      getlocal_2
    Lor:
      iffalse Lelse2
      findpropstrict trace
      pushbyte 2
      callpropvoid trace, 1
      jump Lend
    Lelse2:
      findpropstrict trace
      pushbyte 3
      callpropvoid trace, 1
    Lend:
      returnvoid
  )", {"a", "b", "c"})),
            "if (a < b && c) {\n"
            "    trace(1);\n"
            "} else if (a || b) {\n"
            "    trace(2);\n"
            "} else {\n"
            "    trace(3);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, VoidMethodsReturnWithoutAValue) {
  // The debug compiler returns undefined from a void method, another one the value of a
  // call; only a method of another type may say so.
  const std::string code = R"(
      getlocal_1
      iftrue Lend
      pushundefined
      returnvalue
    Lend:
      findpropstrict f
      callproperty f, 0
      returnvalue
  )";
  AbcMethodSource method = withParameters(code, {"a"});
  method.returnType = "void";
  EXPECT_EQ(bodyText(method),
            "if (!a) {\n"
            "    return;\n"
            "}\n"
            "f();\n");
  method.returnType = "*";
  EXPECT_EQ(bodyText(method),
            "if (!a) {\n"
            "    return undefined;\n"
            "}\n"
            "return f();\n");
}

TEST(AbcBodyDecompiler, NoJumpAfterAReturn) {
  // for (var i:int = 0; i < a; i++) { if (i == 3) return i; } return -1;
  // The then part's jump past the loop lies after its return: nothing jumps there.
  EXPECT_EQ(bodyText(withParameters(R"(
      pushbyte 0
      setlocal_2
      jump Ltest
    Lbody:
      label
      getlocal_2
      pushbyte 3
      ifne Lelse
      getlocal_2
      returnvalue
      jump Lafter
    Lelse:
      inclocal_i 2
    Ltest:
      getlocal_2
      getlocal_1
      iflt Lbody
    Lafter:
      pushbyte -1
      returnvalue
  )", {"a"})),
            "for (var _loc2_:int = 0; _loc2_ < a; _loc2_++) {\n"
            "    if (_loc2_ == 3) {\n"
            "        return _loc2_;\n"
            "    }\n"
            "}\n"
            "return -1;\n");
}

TEST(AbcBodyDecompiler, ConditionalValue) {
  // return a > 0 ? a : -a;   (ifngt jumps when a > 0 is false, NaN included)
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_1
      pushbyte 0
      ifngt Lneg
      getlocal_1
      jump Lend
    Lneg:
      getlocal_1
      negate
    Lend:
      returnvalue
  )", {"a"})),
            "return a > 0 ? a : -a;\n");
}

TEST(AbcBodyDecompiler, LoopsOfTheCompiler) {
  // var i:int = 0; while (i < a) { if (i == 3) break; i++; }
  // for (var j:int = 0; j < 3; j++) { if (j == 1) continue; trace(j); }
  // do { a--; } while (a > 0);
  EXPECT_EQ(bodyText(withParameters(R"(
      pushbyte 0
      setlocal_2
      jump Ltest
    Lbody:
      label
      getlocal_2
      pushbyte 3
      ifne Lstep
      jump Lexit
    Lstep:
      inclocal_i 2
    Ltest:
      getlocal_2
      getlocal_1
      iflt Lbody
    Lexit:
      pushbyte 0
      setlocal_3
      jump Ltest2
    Lbody2:
      label
      getlocal_3
      pushbyte 1
      ifne Ltrace
      jump Lupdate
    Ltrace:
      findpropstrict trace
      getlocal_3
      callpropvoid trace, 1
    Lupdate:
      inclocal_i 3
    Ltest2:
      getlocal_3
      pushbyte 3
      iflt Lbody2
      jump Ldo
    Ldohead:
      label
    Ldo:
      declocal_i 1
      getlocal_1
      pushbyte 0
      ifgt Ldohead
      returnvoid
  )", {"a"})),
            // A loop that steps what the statement before it set reads as a for loop.
            "for (var _loc2_:int = 0; _loc2_ < a; _loc2_++) {\n"
            "    if (_loc2_ == 3) {\n"
            "        break;\n"
            "    }\n"
            "}\n"
            "for (var _loc3_:int = 0; _loc3_ < 3; _loc3_++) {\n"
            "    if (_loc3_ == 1) {\n"
            "        continue;\n"
            "    }\n"
            "    trace(_loc3_);\n"
            "}\n"
            "do {\n"
            "    a--;\n"
            "} while (a > 0);\n");
}

TEST(AbcBodyDecompiler, LoopTestsThatStepTheirCounter) {
  // while (--a > -1) trace(a); while (a--) trace(a);
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Ltest1
    Lbody1:
      label
      findpropstrict trace
      getlocal_1
      callpropvoid trace, 1
    Ltest1:
      getlocal_1
      decrement_i
      dup
      convert_i
      setlocal_1
      pushbyte -1
      ifgt Lbody1
      jump Ltest2
    Lbody2:
      label
      findpropstrict trace
      getlocal_1
      callpropvoid trace, 1
    Ltest2:
      getlocal_1
      dup
      decrement_i
      setlocal_1
      iftrue Lbody2
      returnvoid
  )", {"a"})),
            "while (--a > -1) {\n"
            "    trace(a);\n"
            "}\n"
            "while (a--) {\n"
            "    trace(a);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, PrefixStepOfAUintInALoopTest) {
  // var u:uint = 0; do { trace(u); } while (++u <= a); the step is converted after the
  // duplicate that the test compares.
  EXPECT_EQ(bodyText(withParameters(R"(
      pushbyte 0
      convert_u
      setlocal_2
      jump Lbody
    Lhead:
      label
    Lbody:
      findpropstrict trace
      getlocal_2
      callpropvoid trace, 1
      getlocal_2
      increment
      dup
      convert_u
      setlocal_2
      getlocal_1
      ifle Lhead
      returnvoid
  )", {"a"})),
            "var _loc2_:uint = 0;\n"
            "do {\n"
            "    trace(_loc2_);\n"
            "} while (++_loc2_ <= a);\n");
}

TEST(AbcBodyDecompiler, WhileTrueEnteredAndContinuedThroughItsClosingJump) {
  // while (true) { if (a == 1) continue; if (a == 2) break; a = f(); }
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Lclose
    Lhead:
      label
      getlocal_1
      pushbyte 1
      ifne Lnot1
      jump Lclose
    Lnot1:
      getlocal_1
      pushbyte 2
      ifne Lnot2
      jump Lexit
    Lnot2:
      findpropstrict f
      callproperty f, 0
      convert_i
      setlocal_1
    Lclose:
      jump Lhead
    Lexit:
      returnvoid
  )", {"a"})),
            "while (true) {\n"
            "    if (a == 1) {\n"
            "        continue;\n"
            "    }\n"
            "    if (a == 2) {\n"
            "        break;\n"
            "    }\n"
            "    a = f();\n"
            "}\n");
}

TEST(AbcBodyDecompiler, WhileTestThatAssignsThroughATemporary) {
  // while (a = a.parent) trace(a);: the value tested is kept in a temporary while the
  // store converts it, and the loop is entered at its test.
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Ltest
    Lbody:
      label
      findpropstrict trace
      getlocal_1
      callpropvoid trace, 1
    Ltest:
      getlocal_1
      getproperty parent
      dup
      setlocal_2
      coerce_a
      setlocal_1
      getlocal_2
      kill 2
      iftrue Lbody
      returnvoid
  )", {"a"})),
            "while (a = a.parent) {\n"
            "    trace(a);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, ForLoopContinueOverAKilledRegister) {
  // for (var i:int = 0; i < a; i++) { if (i == 2) continue; trace(i); }, the register
  // of a temporary of the body killed before the update.
  EXPECT_EQ(bodyText(withParameters(R"(
      pushbyte 0
      setlocal_2
      jump Ltest
    Lbody:
      label
      getlocal_2
      pushbyte 2
      ifne Ltrace
      jump Lupdate
    Ltrace:
      findpropstrict trace
      getlocal_2
      callpropvoid trace, 1
      kill 3
    Lupdate:
      inclocal_i 2
    Ltest:
      getlocal_2
      getlocal_1
      iflt Lbody
      returnvoid
  )", {"a"})),
            "for (var _loc2_:int = 0; _loc2_ < a; _loc2_++) {\n"
            "    if (_loc2_ == 2) {\n"
            "        continue;\n"
            "    }\n"
            "    trace(_loc2_);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, UpdateCodeThatIsMoreThanExpressionsEndsTheBody) {
  // The code a forward jump in while (true) goes to holds an if: no update list has it,
  // so the jump stays a goto to it (offset 17) and the if ends the body.
  EXPECT_EQ(bodyText(withParameters(R"(
    Ltop:
      label
      getlocal_1
      iffalse Lbody
      jump Lupdate
    Lbody:
      findpropstrict trace
      pushstring "x"
      callpropvoid trace, 1
    Lupdate:
      getlocal_2
      iffalse Lback
      findpropstrict trace
      pushstring "y"
      callpropvoid trace, 1
    Lback:
      jump Ltop
      returnvoid
  )", {"a", "b"})),
            "while (true) {\n"
            "    if (a) {\n"
            "        // goto label_17;\n"
            "    }\n"
            "    trace(\"x\");\n"
            "    // label_17:\n"
            "    if (b) {\n"
            "        trace(\"y\");\n"
            "    }\n"
            "}\n");
  // A loop entered at its test with the update code first: that code, an if, runs after the
  // body of while (a), and the continue that went to it (offset 4) is a goto there.
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Lentry
    Lhead:
      label
      getlocal_2
      iffalse Lentry
      findpropstrict trace
      pushstring "y"
      callpropvoid trace, 1
    Lentry:
      getlocal_1
      iffalse Lexit
      getlocal_3
      iffalse Lx
      jump Lhead
    Lx:
      findpropstrict trace
      pushstring "x"
      callpropvoid trace, 1
      jump Lhead
    Lexit:
      returnvoid
  )", {"a", "b", "c"})),
            "while (a) {\n"
            "    if (c) {\n"
            "        // goto label_4;\n"
            "    }\n"
            "    trace(\"x\");\n"
            "    // label_4:\n"
            "    if (b) {\n"
            "        trace(\"y\");\n"
            "    }\n"
            "}\n");
}

TEST(AbcBodyDecompiler, ForInAndForEachFromHasnext2) {
  // for (var k:String in o) trace(k); for each (var v:* in o) trace(v);
  AbcMethodSource method;
  method.parameterNames = {"o"};
  method.parameterTypes = {"Object"};
  method.code = R"(
      pushbyte 0
      setlocal_3
      getlocal_1
      coerce_a
      setlocal 4
      jump Ltest
    Lbody:
      label
      getlocal 4
      getlocal_3
      nextname
      coerce_s
      setlocal_2
      findpropstrict trace
      getlocal_2
      callpropvoid trace, 1
    Ltest:
      hasnext2 4, 3
      iftrue Lbody
      kill 4
      kill 3
      pushbyte 0
      setlocal_3
      getlocal_1
      setlocal 4
      jump Ltest2
    Lbody2:
      label
      getlocal 4
      getlocal_3
      nextvalue
      setlocal 5
      findpropstrict trace
      getlocal 5
      callpropvoid trace, 1
    Ltest2:
      hasnext2 4, 3
      iftrue Lbody2
      returnvoid
  )";
  EXPECT_EQ(bodyText(method),
            "for (var _loc2_:String in o) {\n"
            "    trace(_loc2_);\n"
            "}\n"
            "for each (var _loc5_ in o) {\n"
            "    trace(_loc5_);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, ForEachWhoseStoreIsTheValueOfTheFirstStatement) {
  // var v:Object = null; for each (v in o) v.speed = 1; the loop variable stored as the
  // object the first statement's target is a member of.
  AbcMethodSource method;
  method.parameterNames = {"o"};
  method.parameterTypes = {"*"};
  method.code = R"(
      pushnull
      coerce Object
      setlocal 4
      pushbyte 0
      setlocal 5
      getlocal_1
      coerce_a
      setlocal 6
      jump Ltest
    Lbody:
      label
      getlocal 6
      getlocal 5
      nextvalue
      coerce Object
      dup
      setlocal 4
      pushbyte 1
      setproperty speed
    Ltest:
      hasnext2 6, 5
      iftrue Lbody
      kill 6
      kill 5
      returnvoid
  )";
  EXPECT_EQ(bodyText(method),
            "var _loc4_:Object = null;\n"
            "for each (_loc4_ in o) {\n"
            "    _loc4_.speed = 1;\n"
            "}\n");
  // for each (v in o) n = v.length; the store the value of another store begins with.
  const std::string store = "pushbyte 1\n      setproperty speed\n";
  method.code.replace(method.code.find(store), store.size(), "getproperty length\n      setlocal_3\n");
  EXPECT_EQ(bodyText(method),
            "var _loc4_:Object = null;\n"
            "for each (_loc4_ in o) {\n"
            "    var _loc3_ = _loc4_.length;\n"
            "}\n");
}

TEST(AbcBodyDecompiler, SwitchFromTheCompareChainAndLookupswitch) {
  // switch (a) { case 1: trace("one"); break; case 2: case 3: trace("two"); break;
  //              default: trace("other"); }
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Lcompare
    Lone:
      label
      findpropstrict trace
      pushstring "one"
      callpropvoid trace, 1
      jump Lend
    Ltwo:
      label
      findpropstrict trace
      pushstring "two"
      callpropvoid trace, 1
      jump Lend
    Lother:
      label
      findpropstrict trace
      pushstring "other"
      callpropvoid trace, 1
      jump Lend
    Lcompare:
      getlocal_1
      setlocal_2
      pushbyte 1
      getlocal_2
      ifstrictne L2
      pushshort 0
      jump Ldispatch
    L2:
      pushbyte 2
      getlocal_2
      ifstrictne L3
      pushshort 1
      jump Ldispatch
    L3:
      pushbyte 3
      getlocal_2
      ifstrictne Ldefault
      pushshort 2
      jump Ldispatch
    Ldefault:
      pushfalse
      iffalse Lfallback
      pushshort 3
      jump Ldispatch
    Lfallback:
      pushshort 3
    Ldispatch:
      kill 2
      lookupswitch Lother, [Lone, Ltwo, Ltwo, Lother]
    Lend:
      returnvoid
  )", {"a"})),
            "switch (a) {\n"
            "    case 1:\n"
            "        trace(\"one\");\n"
            "        break;\n"
            "    case 2:\n"
            "    case 3:\n"
            "        trace(\"two\");\n"
            "        break;\n"
            "    default:\n"
            "        trace(\"other\");\n"
            "        break;\n"
            "}\n");
}

TEST(AbcBodyDecompiler, SwitchWithTheDefaultAmongTheCases) {
  // switch (a) { case 1: trace("one"); break; default: trace("other"); break;
  //              case 2: trace("two"); break; }: the default's number sits among the
  // compares, jumped over.
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Lcompare
    Lone:
      label
      findpropstrict trace
      pushstring "one"
      callpropvoid trace, 1
      jump Lend
    Lother:
      label
      findpropstrict trace
      pushstring "other"
      callpropvoid trace, 1
      jump Lend
    Ltwo:
      label
      findpropstrict trace
      pushstring "two"
      callpropvoid trace, 1
      jump Lend
    Lcompare:
      getlocal_1
      setlocal_2
      pushbyte 1
      getlocal_2
      ifstrictne Lnext
      pushbyte 0
      jump Ldispatch
    Lnext:
      jump L2
      pushbyte 1
      jump Ldispatch
    L2:
      pushbyte 2
      getlocal_2
      ifstrictne Lfallback
      pushbyte 2
      jump Ldispatch
    Lfallback:
      pushbyte 1
    Ldispatch:
      kill 2
      lookupswitch Lother, [Lone, Lother, Ltwo]
    Lend:
      returnvoid
  )", {"a"})),
            "switch (a) {\n"
            "    case 1:\n"
            "        trace(\"one\");\n"
            "        break;\n"
            "    default:\n"
            "        trace(\"other\");\n"
            "        break;\n"
            "    case 2:\n"
            "        trace(\"two\");\n"
            "        break;\n"
            "}\n");
}

TEST(AbcBodyDecompiler, SwitchWithTheDefaultFirst) {
  // switch (a) { default: break; case 3: trace("three"); break; case 5: trace("five"); break; }:
  // the default's number comes right after the store of the discriminant, jumped over; the
  // compiler's own jump to the end follows the last break.
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Lcompare
    Ldefault:
      label
      jump Lend
    Lthree:
      label
      findpropstrict trace
      pushstring "three"
      callpropvoid trace, 1
      jump Lend
    Lfive:
      label
      findpropstrict trace
      pushstring "five"
      callpropvoid trace, 1
      jump Lend
      jump Lend
    Lcompare:
      getlocal_1
      setlocal_2
      jump Lfirst
      pushbyte 0
      jump Ldispatch
    Lfirst:
      pushbyte 3
      getlocal_2
      ifstrictne Lsecond
      pushbyte 1
      jump Ldispatch
    Lsecond:
      pushbyte 5
      getlocal_2
      ifstrictne Lfallback
      pushbyte 2
      jump Ldispatch
    Lfallback:
      pushbyte 0
    Ldispatch:
      kill 2
      lookupswitch Ldefault, [Ldefault, Lthree, Lfive]
    Lend:
      returnvoid
  )", {"a"})),
            "switch (a) {\n"
            "    default:\n"
            "        break;\n"
            "    case 3:\n"
            "        trace(\"three\");\n"
            "        break;\n"
            "    case 5:\n"
            "        trace(\"five\");\n"
            "        break;\n"
            "}\n");
}

TEST(AbcBodyDecompiler, SwitchFromCompareBranchesWithoutALookupswitch) {
  // while (a < 10) { switch (b) { case "x": trace("x"); break; case "y": trace("y");
  // default: trace(b); } a++; }: the compares branch to the cases' code and a jump after
  // them goes to the default; the breaks go to the loop's update.
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Ltest
    Lbody:
      label
      getlocal_2
      setlocal_3
      jump Lcompare
    Lx:
      label
      findpropstrict trace
      pushstring "x"
      callpropvoid trace, 1
      jump Lupdate
    Ly:
      label
      findpropstrict trace
      pushstring "y"
      callpropvoid trace, 1
    Lother:
      label
      findpropstrict trace
      getlocal_2
      callpropvoid trace, 1
      jump Lupdate
    Lcompare:
      pushstring "x"
      getlocal_3
      ifstricteq Lx
      pushstring "y"
      getlocal_3
      ifstricteq Ly
      jump Lother
    Lupdate:
      inclocal_i 1
    Ltest:
      getlocal_1
      pushbyte 10
      iflt Lbody
      returnvoid
  )", {"a", "b"})),
            "while (a < 10) {\n"
            "    switch (b) {\n"
            "        case \"x\":\n"
            "            trace(\"x\");\n"
            "            break;\n"
            "        case \"y\":\n"
            "            trace(\"y\");\n"
            "        default:\n"
            "            trace(b);\n"
            "            break;\n"
            "    }\n"
            "    a++;\n"
            "}\n");
  // Without a default the last jump goes past the statement; a register that is read
  // again afterwards stays the discriminant.
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_1
      setlocal_2
      jump Lcompare
    Lone:
      label
      findpropstrict trace
      pushstring "one"
      callpropvoid trace, 1
      jump Lend
    Lcompare:
      pushbyte 1
      getlocal_2
      ifstricteq Lone
      jump Lend
    Lend:
      findpropstrict trace
      getlocal_2
      callpropvoid trace, 1
      returnvoid
  )", {"a"})),
            "var _loc2_ = a;\n"
            "switch (_loc2_) {\n"
            "    case 1:\n"
            "        trace(\"one\");\n"
            "        break;\n"
            "}\n"
            "trace(_loc2_);\n");
  // A compare that branches back to the head of a loop is the test of while (a === 1), even
  // with a jump after it.
  EXPECT_EQ(bodyText(withParameters(R"(
      jump Ltest
    Lbody:
      label
      findpropstrict trace
      getlocal_1
      callpropvoid trace, 1
    Ltest:
      pushbyte 1
      getlocal_1
      ifstricteq Lbody
      jump Lafter
    Lafter:
      returnvoid
  )", {"a"})),
            "while (1 === a) {\n"
            "    trace(a);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, FinallyExitsReadAsBreakReturnAndFallThrough) {
  // while (a < 10) { try { if (a == 5) break; if (a == 7) return a; a++; }
  //                  finally { trace("f"); } }  return 0;
  // Each exit pushes its number and jumps to the finally code, whose lookupswitch goes
  // on at the exit's own code; without a catch, a handler throws again what it caught.
  AbcMethodSource method = withParameters(R"(
      jump Ltest
    Lbody:
      label
    Lfrom:
      getlocal_1
      pushbyte 5
      ifne Lnot5
      pushbyte 0
      jump Lfinally
      label
      pop
    Lbreak:
      label
      jump Lexit
    Lnot5:
      getlocal_1
      pushbyte 7
      ifne Lnot7
      getlocal_1
      coerce_a
      setlocal_3
      pushbyte 1
      jump Lfinally
      label
      pop
    Lreturn:
      label
      getlocal_3
      kill 3
      returnvalue
    Lnot7:
      inclocal_i 1
    Lto:
      jump Lnormal
    Lrethrow:
      getlocal_0
      pushscope
      newcatch 0
      dup
      setlocal 4
      pushscope
      throw
      popscope
      kill 4
    Lnormal:
      pushbyte -1
    Lfinallyto:
      jump Lfinally
    Lcaught:
      getlocal_0
      pushscope
      newcatch 1
      dup
      setlocal 4
      pushscope
      popscope
      kill 4
      coerce_a
      setlocal_2
      pushbyte 2
      jump Lfinally
      label
      pop
    Lthrow:
      label
      getlocal_2
      kill 2
      throw
      pushbyte -1
      popscope
      kill 4
    Lfinally:
      findpropstrict trace
      pushstring "f"
      callpropvoid trace, 1
      lookupswitch Ltest, [Lbreak, Lreturn, Lthrow]
    Ltest:
      getlocal_1
      pushbyte 10
      iflt Lbody
    Lexit:
      pushbyte 0
      returnvalue
    exception Lfrom Lto Lrethrow * *
    exception Lfrom Lfinallyto Lcaught * *
  )", {"a"});
  EXPECT_EQ(bodyText(method),
            "while (a < 10) {\n"
            "    try {\n"
            "        if (a == 5) {\n"
            "            break;\n"
            "        }\n"
            "        if (a == 7) {\n"
            "            return a;\n"
            "        }\n"
            "        a++;\n"
            "    } finally {\n"
            "        trace(\"f\");\n"
            "    }\n"
            "}\n"
            "return 0;\n");
}

TEST(AbcBodyDecompiler, CatchAndFinallyWithAReturnFromTheCatch) {
  // try { f(); } catch (e:Error) { if (a > 0) return; trace(e); } finally { g(); }
  // trace("after");
  AbcMethodSource method = withParameters(R"(
    Lfrom:
      findpropstrict f
      callpropvoid f, 0
    Lto:
      jump Lnormal
    Lcatch:
      getlocal_0
      pushscope
      newcatch 0
      dup
      setlocal_2
      dup
      pushscope
      swap
      setslot 1
      getlocal_1
      pushbyte 0
      ifngt Ltrace
      pushbyte 1
      jump Lfinally
      label
      pop
    Lreturn:
      label
      returnvoid
    Ltrace:
      findpropstrict trace
      getscopeobject 1
      getslot 1
      callpropvoid trace, 1
      popscope
      kill 2
    Lnormal:
      pushbyte -1
    Lfinallyto:
      jump Lfinally
    Lcaught:
      getlocal_0
      pushscope
      newcatch 1
      dup
      setlocal_2
      pushscope
      popscope
      kill 2
      coerce_a
      setlocal_3
      pushbyte 0
      jump Lfinally
      label
      pop
    Lthrow:
      label
      getlocal_3
      kill 3
      throw
      pushbyte -1
      popscope
      kill 2
    Lfinally:
      findpropstrict g
      callpropvoid g, 0
      lookupswitch Lafter, [Lthrow, Lreturn]
    Lafter:
      findpropstrict trace
      pushstring "after"
      callpropvoid trace, 1
      returnvoid
    exception Lfrom Lto Lcatch Error e
    exception Lfrom Lfinallyto Lcaught * *
  )", {"a"});
  method.returnType = "void";
  EXPECT_EQ(bodyText(method),
            "try {\n"
            "    f();\n"
            "} catch (e:Error) {\n"
            "    if (a > 0) {\n"
            "        return;\n"
            "    }\n"
            "    trace(e);\n"
            "} finally {\n"
            "    g();\n"
            "}\n"
            "trace(\"after\");\n");
}

TEST(AbcBodyDecompiler, TryCatchFromTheExceptionTable) {
  // try { f(); } catch (e:Error) { trace(e.message); } catch (x:TypeError) { throw x; }
  AbcMethodSource method;
  method.code = R"(
    Lfrom:
      findpropstrict f
      callpropvoid f, 0
    Lto:
      jump Lafter
    Lcatch:
      getlocal_0
      pushscope
      newcatch 0
      dup
      setlocal_1
      dup
      pushscope
      swap
      setslot 1
      findpropstrict trace
      getscopeobject 1
      getslot 1
      getproperty message
      callpropvoid trace, 1
      popscope
      kill 1
      jump Lafter
    Lcatch2:
      getlocal_0
      pushscope
      newcatch 1
      dup
      setlocal_1
      dup
      pushscope
      swap
      setslot 1
      getscopeobject 1
      getslot 1
      throw
    Lafter:
      returnvoid
    exception Lfrom Lto Lcatch Error e
    exception Lfrom Lto Lcatch2 TypeError x
  )";
  EXPECT_EQ(bodyText(method),
            "try {\n"
            "    f();\n"
            "} catch (e:Error) {\n"
            "    trace(e.message);\n"
            "} catch (x:TypeError) {\n"
            "    throw x;\n"
            "}\n");
}

TEST(AbcBodyDecompiler, TryOfADebugBuild) {
  // try { f(); } catch (e:Error) { g(); } as a debug build writes it: the line record
  // of the jump past the handler lies where the try ends.
  AbcMethodSource method;
  method.code = R"(
    Lfrom:
      debugline 3
      findpropstrict f
      callpropvoid f, 0
    Lto:
      debugline 4
      jump Lafter
    Lcatch:
      getlocal_0
      pushscope
      newcatch 0
      dup
      setlocal_1
      dup
      pushscope
      swap
      setslot 1
      debugline 5
      findpropstrict g
      callpropvoid g, 0
      popscope
      kill 1
    Lafter:
      debugline 7
      returnvoid
    exception Lfrom Lto Lcatch Error e
  )";
  EXPECT_EQ(bodyText(method),
            "try {\n"
            "    f();\n"
            "} catch (e:Error) {\n"
            "    g();\n"
            "}\n");
}

TEST(AbcBodyDecompiler, ActivationSlotsReadAsLocals) {
  // var n:int = 1; n++; trace(typeof n, n is int, n as Number, "x" in this, delete this.y);
  AbcMethodSource method;
  method.slots = {"n:int"};
  method.code = R"(
      getlocal_0
      pushscope
      newactivation
      dup
      setlocal_1
      pushscope
      getscopeobject 1
      pushbyte 1
      setslot 1
      getscopeobject 1
      getslot 1
      increment_i
      getscopeobject 1
      swap
      setslot 1
      findpropstrict trace
      getscopeobject 1
      getslot 1
      typeof
      getscopeobject 1
      getslot 1
      istype int
      getscopeobject 1
      getslot 1
      astype Number
      pushstring "x"
      getlocal_0
      in
      getlocal_0
      deleteproperty y
      callpropvoid trace, 5
      returnvoid
  )";
  EXPECT_EQ(bodyText(method),
            "var n:int = 1;\n"
            "n++;\n"
            "trace(typeof n, n is int, n as Number, \"x\" in this, delete this.y);\n");
}

TEST(AbcBodyDecompiler, VectorOfAnyType) {
  // new Vector.<*>(): the compiler pushes null for the any type.
  AbcMethodSource method;
  method.code = R"(
      getlex __AS3__.vec::Vector
      pushnull
      applytype 1
      construct 0
      returnvalue
  )";
  EXPECT_EQ(bodyText(method), "return new Vector.<*>();\n");
}

TEST(AbcBodyDecompiler, ValuesLeftOnTheStackRunBeforeTheReturn) {
  // trace(""); return; with the call's value left on the stack, as the authoring tool
  // writes it; the same before a return of a value and before a throw.
  AbcMethodSource method;
  method.code = R"(
      getlocal_1
      iffalse Lvalue
      findpropstrict trace
      pushstring ""
      callproperty trace, 1
      returnvoid
    Lvalue:
      getlocal_2
      iffalse Lthrow
      findpropstrict f
      callproperty f, 0
      pushbyte 1
      returnvalue
    Lthrow:
      findpropstrict g
      callproperty g, 0
      getlocal_1
      throw
  )";
  method.parameterNames = {"a", "b"};
  method.parameterTypes = {"*", "*"};
  EXPECT_EQ(bodyText(method),
            "if (a) {\n"
            "    trace(\"\");\n"
            "    return;\n"
            "}\n"
            "if (b) {\n"
            "    f();\n"
            "    return 1;\n"
            "}\n"
            "g();\n"
            "throw a;\n");
}

TEST(AbcBodyDecompiler, PostfixStepOfAnUntypedVariable) {
  // trace(a++) over an untyped a: the number read before the step is traced, not a.
  AbcMethodSource method;
  method.code = R"(
      findpropstrict trace
      getlocal_1
      convert_d
      dup
      increment
      coerce_a
      setlocal_1
      callpropvoid trace, 1
      returnvoid
  )";
  method.parameterNames = {"a"};
  method.parameterTypes = {"*"};
  EXPECT_EQ(bodyText(method), "trace(a++);\n");
}

TEST(AbcBodyDecompiler, InitialiserStoresForTheirTraits) {
  // A script initialiser has no class: its stores stay statements.
  AbcMethodContext context;
  context.role = AbcMethodRole::kClassInitialiser;
  const test::Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  AbcNames names(file);
  AbcBodyDecompiler decompiler(file, names);
  // The example's constructor: getlocal_0; pushscope; getlocal_0; constructsuper 0.
  AbcMethodContext constructor;
  constructor.role = AbcMethodRole::kConstructor;
  constructor.classIndex = 0;
  const AbcDecompiledBody* body = decompiler.body(0, constructor);
  ASSERT_NE(body, nullptr);
  std::string text;
  body->appendText(text, "  ");
  EXPECT_EQ(text, "  super();\n");
  EXPECT_TRUE(body->initialStores().empty());
}

TEST(AbcBodyDecompiler, NamesAsTheFileWritesThem) {
  // Packages' definitions as the file refers to them, user namespaces as N::, names that
  // are no identifiers: a trait's as its declaration spells it, a runtime lookup's as a
  // string, attributes with @ and Vector.<T> as a type.
  AbcMethodSource method;
  method.code = R"(
      findpropstrict flash.display::Sprite
      constructprop flash.display::Sprite, 0
      coerce flash.display::Sprite
      setlocal_1
      findpropstrict trace
      getlocal_1
      astype other::Sprite
      callpropvoid trace, 1
      findpropstrict ns:http://example.com/n::helper
      getlocal_0
      getproperty ns:http://example.com/n::x
      getlocal_0
      getproperty ?content-type
      getlocal_0
      getproperty class
      getlocal_0
      getproperty @id
      callpropvoid ns:http://example.com/n::helper, 4
      getlex __AS3__.vec::Vector
      getlex other::Sprite
      applytype 1
      construct 0
      returnvalue
  )";
  EXPECT_EQ(bodyText(method, {}, true),
            "var _loc1_:Sprite = new Sprite();\n"
            "trace(_loc1_ as other.Sprite);\n"
            "N::helper(this.N::x, this[\"content-type\"], this.class$, this.@id);\n"
            "return new Vector.<other.Sprite>();\n");
  // Without a file the names stand as they are.
  EXPECT_EQ(bodyText(method),
            "var _loc1_:Sprite = new Sprite();\n"
            "trace(_loc1_ as Sprite);\n"
            "helper(this.x, this[\"content-type\"], this.class$, this.@id);\n"
            "return new Vector.<Sprite>();\n");
}

TEST(AbcBodyDecompiler, RelationalTestsKeepTheirMeaningOnNaN) {
  // iflt goes to its target when a < b: the code after it runs when !(a < b), which NaN
  // makes true where a >= b is false. ifnge's fall-through is a >= b exactly, and an
  // equality is the negation of its inequality whatever the values.
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_1
      getlocal_2
      iflt L1
      findpropstrict trace
      pushbyte 1
      callpropvoid trace, 1
    L1:
      getlocal_1
      getlocal_2
      ifnge L2
      findpropstrict trace
      pushbyte 2
      callpropvoid trace, 1
    L2:
      getlocal_1
      getlocal_2
      ifeq L3
      findpropstrict trace
      pushbyte 3
      callpropvoid trace, 1
    L3:
      getlocal_1
      getlocal_2
      greaterthan
      not
      returnvalue
  )", {"a", "b"})),
            "if (!(a < b)) {\n"
            "    trace(1);\n"
            "}\n"
            "if (a >= b) {\n"
            "    trace(2);\n"
            "}\n"
            "if (a != b) {\n"
            "    trace(3);\n"
            "}\n"
            "return !(a > b);\n");
}

TEST(AbcBodyDecompiler, ScriptInitialiserReturnsNothingItsSourceSays) {
  // The authoring tool's script code keeps the value of its last statement and returns it.
  const std::string code = R"(
      getlocal_0
      pushscope
      findpropstrict trace
      pushbyte 1
      callproperty trace, 1
      coerce_a
      setlocal_1
      getlocal_1
      returnvalue
  )";
  AbcMethodSource script;
  script.code = code;
  AbcMethodContext context;
  context.role = AbcMethodRole::kScriptInitialiser;
  // Each statement's value is stored there: the statement stands alone.
  EXPECT_EQ(bodyText(script, context), "trace(1);\n");
  EXPECT_EQ(bodyText(script), "var _loc1_ = trace(1);\nreturn _loc1_;\n");
  // The same with the register let go of after the return, code that never runs.
  script.code += "kill 1\n";
  EXPECT_EQ(bodyText(script, context), "trace(1);\n");
  EXPECT_EQ(bodyText(script), "var _loc1_ = trace(1);\nreturn _loc1_;\n");
}

TEST(AbcBodyDecompiler, ScriptCodeThroughTheCompilersTemporaries) {
  // o.prototype.p = "v"; for (name in x) trace(name); as script code: each statement's
  // value goes to register 1, an assignment's value through a temporary that is killed
  // after it is read back, and register 2 is the temporary and the loop's index in turn.
  AbcMethodSource script;
  script.code = R"(
      getlocal_0
      pushscope
      getlex o
      getproperty prototype
      pushstring "v"
      dup
      setlocal_2
      setproperty p
      getlocal_2
      kill 2
      coerce_a
      setlocal_1
      pushbyte 0
      setlocal_2
      getlex x
      coerce_a
      setlocal_3
      jump Ltest
    Lbody:
      label
      findpropstrict name
      getlocal_3
      getlocal_2
      nextname
      dup
      setlocal 4
      setproperty name
      getlocal 4
      kill 4
      coerce_a
      setlocal_1
      findpropstrict trace
      getlex name
      callproperty trace, 1
      coerce_a
      setlocal_1
    Ltest:
      hasnext2 3, 2
      iftrue Lbody
      kill 3
      kill 2
      getlocal_1
      returnvalue
  )";
  AbcMethodContext context;
  context.role = AbcMethodRole::kScriptInitialiser;
  EXPECT_EQ(bodyText(script, context),
            "o.prototype.p = \"v\";\n"
            "for (name in x) {\n"
            "    trace(name);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, TemporariesGiveBackTheirValues) {
  // return a.x = 5; the assignment's value kept in a temporary.
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_1
      pushbyte 5
      dup
      setlocal_2
      setproperty x
      getlocal_2
      kill 2
      returnvalue
  )", {"a"})),
            "return a.x = 5;\n");
  // return "#" + i++; over a variable of the scope chain: the scope object and the stepped
  // value in temporaries.
  AbcMethodSource step;
  step.code = R"(
      pushstring "#"
      findpropstrict i
      dup
      setlocal_1
      getproperty i
      dup
      increment_i
      setlocal_2
      getlocal_1
      getlocal_2
      setproperty i
      kill 2
      kill 1
      add
      returnvalue
  )";
  EXPECT_EQ(bodyText(step), "return \"#\" + i++;\n");
  // with (o) trace(a); the object kept for the handlers of the body.
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_1
      dup
      setlocal_2
      pushwith
      findpropstrict trace
      findpropstrict a
      getproperty a
      callpropvoid trace, 1
      popscope
      kill 2
      returnvoid
  )", {"o"})),
            "with (o) {\n"
            "    trace(a);\n"
            "}\n");
}

TEST(AbcBodyDecompiler, SwitchRegisterAlsoATemporary) {
  // this.n++; switch (this.n) { case 1: trace("one"); } with register 2 first the
  // temporary of the step, then the discriminant that the compares read.
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_0
      dup
      setlocal_2
      getproperty n
      increment
      setlocal_3
      getlocal_2
      getlocal_3
      setproperty n
      kill 3
      kill 2
      jump Lcompare
    Lone:
      label
      findpropstrict trace
      pushstring "one"
      callpropvoid trace, 1
      jump Lend
    Lcompare:
      getlocal_0
      getproperty n
      setlocal_2
      pushbyte 1
      getlocal_2
      ifstrictne Lnext
      pushshort 0
      jump Ldispatch
    Lnext:
      pushshort 1
    Ldispatch:
      kill 2
      lookupswitch Lend, [Lone, Lend]
    Lend:
      returnvoid
  )", {})),
            "this.n++;\n"
            "switch (this.n) {\n"
            "    case 1:\n"
            "        trace(\"one\");\n"
            "        break;\n"
            "}\n");
}

TEST(AbcBodyDecompiler, VectorLiteralsAndRuntimeNamespaces) {
  // return [new <Boolean>[true, false], avmplus::f, o.N::x]; the literal made of a vector
  // of its length and a store into each index of a copy.
  AbcMethodSource method;
  method.parameterNames = {"o"};
  method.parameterTypes = {"*"};
  method.code = R"(
      getlex __AS3__.vec::Vector
      getlex Boolean
      applytype 1
      pushbyte 2
      construct 1
      dup
      pushbyte 0
      pushtrue
      setproperty []
      dup
      pushbyte 1
      pushfalse
      setproperty []
      getlex avmplus
      coerce Namespace
      findpropstrict (ns)::f
      getlex avmplus
      coerce Namespace
      getproperty (ns)::f
      getlocal_1
      getlex N
      getproperty (ns)::x
      newarray 3
      returnvalue
  )";
  EXPECT_EQ(bodyText(method), "return [new <Boolean>[true, false], avmplus::f, o.N::x];\n");
  // Stores into a vector that is no literal's stay stores.
  EXPECT_EQ(bodyText(withParameters(R"(
      getlocal_1
      pushbyte 1
      pushtrue
      setproperty []
      returnvoid
  )", {"v"})),
            "v[1] = true;\n");
}

TEST(AbcBodyDecompiler, ParametersByTheNamesOfTheirDebugRecords) {
  // A method without parameter names: its body's debug records name them, as in the
  // declaration (registers count from 0 there); function literals the same way, the debug
  // record before a name of the method's own that the authoring tool got wrong.
  AbcMethodSource method;
  method.parameterTypes = {"flash.display::Stage", "*"};
  method.code = R"(
      debug 1, "stage", 0, 0
      getlocal_1
      getlocal_2
      newfunction 1
      callpropvoid addChild, 2
      returnvoid
  )";
  AbcMethodSource literal;
  literal.parameterTypes = {"*"};
  literal.parameterNames = {"getQualifiedClassName"};
  literal.code = R"(
      debug 1, "v", 0, 0
      getlocal_1
      returnvalue
  )";
  EXPECT_EQ(bodyText({method, literal}),
            "stage.addChild(param2, function (v) {\n"
            "    return v;\n"
            "});\n");
  const test::Bytes block = test::assembleAbc({method, literal});
  const AbcFile file = parseAbc(block);
  const AbcNames names(file);
  EXPECT_EQ(parameterNames(file, names, 0), (std::vector<std::string>{"stage", "param2"}));
  EXPECT_EQ(parameterNames(file, names, 1), std::vector<std::string>{"v"});
  EXPECT_TRUE(parameterNames(file, names, 2).empty());
}

TEST(AbcBodyDecompiler, ScriptInitialiserStoresItsVariables) {
  // var a:Array = [1, 2]; var n:int = 5; trace(a); with the compiler's two forms of store.
  AbcMethodSource script;
  script.scriptSlots = {"a:Array", "n:int"};
  script.code = R"(
      getlocal_0
      pushscope
      pushbyte 1
      pushbyte 2
      newarray 2
      getglobalscope
      swap
      setslot 1
      findproperty n
      pushbyte 5
      initproperty n
      findpropstrict trace
      getglobalscope
      getslot 1
      callpropvoid trace, 1
      returnvoid
  )";
  const test::Bytes block = test::assembleAbc(script);
  const AbcFile file = parseAbc(block);
  AbcNames names(file);
  AbcBodyDecompiler decompiler(file, names);
  AbcMethodContext context;
  context.role = AbcMethodRole::kScriptInitialiser;
  const AbcDecompiledBody* body = decompiler.body(0, context);
  ASSERT_NE(body, nullptr);
  ASSERT_EQ(body->initialStores().size(), 2u);
  EXPECT_EQ(body->initialStores()[0].value, "[1, 2]");
  EXPECT_TRUE(body->initialStores()[0].isConstant);
  EXPECT_EQ(names.simpleName(body->initialStores()[0].name), "a");
  EXPECT_EQ(body->initialValueText(1, FileNames()), "5");
  EXPECT_EQ(names.simpleName(body->initialStores()[1].name), "n");
  std::string text;
  body->appendText(text, "", 2);
  EXPECT_EQ(text, "trace(a);\n");
}

TEST(AbcBodyDecompiler, FunctionLiteralsWithTypesAndCatchTypesAsTheFileWritesThem) {
  // try { f = function (s:other.Sprite, n):int { return n; }; } catch (e:other.Error) { }
  // catch (e:Error) { }
  AbcMethodSource outer;
  outer.code = R"(
    L0:
      newfunction 1
      setlocal_1
    L1:
      jump L4
    L2:
      getlocal_0
      pushscope
      newcatch 0
      pop
      jump L4
    L3:
      getlocal_0
      pushscope
      newcatch 1
      pop
    L4:
      returnvoid
    exception L0 L1 L2 other::Error e
    exception L0 L1 L3 Error e
  )";
  AbcMethodSource literal;
  literal.parameterTypes = {"other::Sprite", "*"};
  literal.parameterNames = {"s", "n"};
  literal.returnType = "int";
  literal.code = R"(
      getlocal_2
      returnvalue
  )";
  EXPECT_EQ(bodyText({outer, literal}, {}, true),
            "try {\n"
            "    var _loc1_ = function (s:other.Sprite, n):int {\n"
            "        return n;\n"
            "    };\n"
            "} catch (e:other.Error) {\n"
            "} catch (e:Error) {\n"
            "}\n");
}

}  // namespace
}  // namespace orvane
