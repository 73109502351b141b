// Golden table: action blocks with the function-code listing and the version 4 and 5
// renderings they must produce, worked out by hand.
#include <gtest/gtest.h>

#include "tests/actions/ActionBytes.h"
#include "tests/actions/ActionScriptDriver.h"
#include "tests/actions/GoldenTable.h"

namespace orvane {
namespace {

using test::GoldenRow;
using test::GoldenTable;

using test::Bytes;
using test::i32;
using test::join;
using test::longAction;
using test::push;
using test::str;
using test::var;
using test::zstr;

std::vector<GoldenRow> goldenRows() {
  return {
      {"GotoFrameListing", {0x81, 0x02, 0x00, 0x05, 0x00},
       "[0] CODE:129 ActionGotoFrame\n\t[Frame Index: 5]\n", "Go to and Stop(5)\n", "gotoAndStop (5);\n"},
      {"PlayAfterGotoFrame", {0x81, 0x02, 0x00, 0x04, 0x00, 0x06},
       "[0] CODE:129 ActionGotoFrame\n\t[Frame Index: 4]\n[5] CODE:6 ActionPlay\n", "Go to and Play(4)\n",
       "gotoAndPlay (4);\n"},
      {"PlayAfterGotoLabelRewritesEveryStop", join({longAction(0x8C, zstr("StopStop")), {0x06}}),
       "[0] CODE:140 ActionGotoLabel\n\t[FrameLabel: StopStop]\n[12] CODE:6 ActionPlay\n",
       "Go to and Play(\"PlayPlay\")\n", "gotoAndPlay (\"PlayPlay\");\n"},
      {"PlayAfterGotoFrame2IsNotMerged", join({push({i32(3)}), longAction(0x9F, {0x03}), {0x06}}),
       "[0] CODE:150 ActionPush\n\t[Type: 7,Data: \"3\" ]\n\n[8] CODE:159 ActionGotoFrame2\n\t[Flag: 3]\n"
       "[12] CODE:6 ActionPlay\n",
       "Go to and Stop(\"3\")\nPlay()\n", "gotoAndStop (\"3\")\nplay ();\n"},
      {"GotoFrame2PlayFlag", join({push({i32(7)}), longAction(0x9F, {0x01})}), nullptr, "Go to and Play(\"7\")\n",
       "gotoAndPlay (\"7\")\n"},
      {"FixedLines", {0x04, 0x05, 0x07, 0x08, 0x09, 0x28},
       "[0] CODE:4 ActionNextFrame\n[1] CODE:5 ActionPrevFrame\n[2] CODE:7 ActionStop\n"
       "[3] CODE:8 ActionToggleQuality\n[4] CODE:9 ActionStopSounds\n[5] CODE:40 ActionEndDrag\n",
       "Goto Next Frame\nGoto Prev Frame\nStop()\nToggle High Quality\nStop All Sounds\nStop Drag\n",
       "nextFrame ();\nprevFrame ();\nstop ();\ntoggleHighQuality ();\nstopAllSounds ();\nstopDrag ();\n"},
      {"OperatorDirectlyAfterOperatorIsParenthesised", join({var("a"), var("b"), var("c"), {0x0C, 0x0A, 0x26}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\" ]\n\n[6] CODE:28 ActionGetVariable\n"
       "[7] CODE:150 ActionPush\n\t[Type: 0,Data: \"b\" ]\n\n[13] CODE:28 ActionGetVariable\n"
       "[14] CODE:150 ActionPush\n\t[Type: 0,Data: \"c\" ]\n\n[20] CODE:28 ActionGetVariable\n"
       "[21] CODE:12 ActionMultiply\n[22] CODE:10 ActionAdd\n[23] CODE:38 ActionTrace\n",
       "TRACE((a + b * c));\n", "TRACE((a + b * c));\n"},
      {"OperatorAfterOtherActionIsNotParenthesised", join({var("a"), var("b"), {0x0C}, var("c"), {0x0A, 0x26}}),
       nullptr, "TRACE(a * b + c);\n", "TRACE(a * b + c);\n"},
      {"ShortSumIsStoredInParentheses", join({var("a"), var("b"), {0x0B, 0x26}}), nullptr, "TRACE((a - b));\n",
       "TRACE((a - b));\n"},
      {"EqualsPerVersion", join({var("a"), var("b"), {0x0E, 0x26}}), "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\" ]\n\n"
       "[6] CODE:28 ActionGetVariable\n[7] CODE:150 ActionPush\n\t[Type: 0,Data: \"b\" ]\n\n[13] CODE:28 ActionGetVariable\n"
       "[14] CODE:14 ActionEquals\n[15] CODE:38 ActionTrace\n",
       "TRACE(a = b);\n", "TRACE(a == b);\n"},
      {"StringEqualityReadsAsEquals", join({var("a"), var("b"), {0x13}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\" ]\n\n[6] CODE:28 ActionGetVariable\n"
       "[7] CODE:150 ActionPush\n\t[Type: 0,Data: \"b\" ]\n\n[13] CODE:28 ActionGetVariable\n[14] CODE:14 ActionEquals\n",
       "Dumping Items Still On Stack {\n stk[ <|1|> ]\n} End Stack Dump\n",
       "Dumping Items Still On Stack {\n stk[ <|1|> ]\n} End Stack Dump\n"},
      {"AndOrAlwaysParenthesised", join({var("a"), var("b"), {0x10, 0x26}, var("c"), var("d"), {0x11, 0x26}}), nullptr,
       "TRACE((a ) and ( b));\nTRACE((c ) or ( d));\n", "TRACE((a ) and ( b));\nTRACE((c ) or ( d));\n"},
      {"StringAddNeverParenthesised", join({var("a"), var("b"), {0x0C}, var("c"), {0x21, 0x26}}), nullptr,
       "TRACE(a * b & c);\n", "TRACE(a * b add c);\n"},
      {"StringLessParenthesisesTheNextOperator", join({var("a"), var("b"), var("c"), {0x29, 0x0A, 0x26}}), nullptr,
       "TRACE((a + b  <  c));\n", "TRACE((a + b  <  c));\n"},
      {"Version5OperatorInVersion4", join({var("a"), var("b"), {0x47, 0x26}}),
       nullptr,
       "CODE:71FLASH 5 Action\n\nTRACE(b);\nDumping Items Still On Stack {\n stk[ a ]\n} End Stack Dump\n",
       "TRACE((a + b));\n"},
      {"Version5OperatorsAfterAnOperator", join({var("a"), var("b"), var("c"), {0x0C, 0x65, 0x26}}), nullptr,
       "CODE:101FLASH 5 Action\n\nTRACE(b * c);\nDumping Items Still On Stack {\n stk[ a ]\n} End Stack Dump\n",
       "TRACE((a >>> b * c));\n"},
      {"Less2RendersInBothVersions", join({var("a"), var("b"), {0x48, 0x26}}), "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\" ]\n\n"
       "[6] CODE:28 ActionGetVariable\n[7] CODE:150 ActionPush\n\t[Type: 0,Data: \"b\" ]\n\n[13] CODE:28 ActionGetVariable\n"
       "[14] CODE:72 ActionLess2\n[15] CODE:38 ActionTrace\n",
       "TRACE(a < b);\n", "TRACE(a < b);\n"},
      {"BitAndHasNoBlankInItsLabel", join({var("a"), var("b"), {0x60, 0x26}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\" ]\n\n[6] CODE:28 ActionGetVariable\n"
       "[7] CODE:150 ActionPush\n\t[Type: 0,Data: \"b\" ]\n\n[13] CODE:28 ActionGetVariable\n"
       "[14] CODE:96ActionBitAnd\n[15] CODE:38 ActionTrace\n",
       "CODE:96FLASH 5 Action\n\nTRACE(b);\nDumping Items Still On Stack {\n stk[ a ]\n} End Stack Dump\n",
       "TRACE(a & b);\n"},
      {"IntegersLoseTheirQuotesFloatsKeepThem",
       join({push({i32(12), Bytes{0x01, 0x00, 0x00, 0xC0, 0x3F}}), {0x0A, 0x26}}),
       "[0] CODE:150 ActionPush\n\t[Type: 7,Data: \"12\" ]\n\t[Type: 1,Data: \"1.500000\" ]\n\n[13] CODE:10 ActionAdd\n"
       "[14] CODE:38 ActionTrace\n",
       "TRACE(12 + \"1.500000\");\n", "TRACE(12 + \"1.500000\");\n"},
      {"AddOnEmptyStack", {0x0A, 0x26}, nullptr, "TRACE(?stackempty? + ?stackempty?);\n",
       "TRACE(?stackempty? + ?stackempty?);\n"},
      {"PushItemTypesAndStackDump",
       join({longAction(0x88, {0x02, 0x00, 'p', '0', 0x00, 'p', '1', 0x00}),
             push({str("x"), Bytes{0x01, 0x00, 0x00, 0xC0, 0x3F}, Bytes{0x02}, Bytes{0x03}, Bytes{0x04, 0x01},
                   Bytes{0x05, 0x01}, Bytes{0x05, 0x00}, Bytes{0x06, 0x00, 0x00, 0x04, 0x40, 0x00, 0x00, 0x00, 0x00},
                   i32(-7), Bytes{0x08, 0x01}, Bytes{0x09, 0x00, 0x00}, Bytes{0x0A}})}),
       "[0] CODE:136 ActionConstantPool\n \t[0 : p0]\n\t[1 : p1]\n\n"
       "[11] CODE:150 ActionPush\n"
       "\t[Type: 0,Data: \"x\" ]\n\t[Type: 1,Data: \"1.500000\" ]\n\t[Type: 2,Data: \"NULL\" ]\n"
       "\t[Type: 3,Data: \"OBJ\" ]\n\t[Type: 4,Data: \"1\" ]\n\t[Type: 5,Data: \"true\" ]\n"
       "\t[Type: 5,Data: \"false\" ]\n\t[Type: 6,Data: \"2.500000d\" ]\n\t[Type: 7,Data: \"-7\" ]\n"
       "\t[Type: 8,Data: \"1\" ]\n\t[Type: 9,Data: \"0\" ]\n\t[Type: 10,Data: \"0\" ]\n\n",
       "CODE:136FLASH 5 Action\n\n"
       "Dumping Items Still On Stack {\n stk[ \"p0\" ]\n stk[ \"p0\" ]\n stk[ \"p1\" ]\n"
       " stk[ \"-7\" ]\n stk[ \"2.500000\" ]\n stk[ \"false\" ]\n stk[ \"true\" ]\n stk[ register1 ]\n"
       " stk[ \"OBJ\" ]\n stk[ \"NULL\" ]\n stk[ \"1.500000\" ]\n stk[ \"x\" ]\n} End Stack Dump\n",
       "Dumping Items Still On Stack {\n stk[ \"p0\" ]\n stk[ \"p0\" ]\n stk[ \"p1\" ]\n"
       " stk[ \"-7\" ]\n stk[ \"2.500000\" ]\n stk[ \"false\" ]\n stk[ \"true\" ]\n stk[ register1 ]\n"
       " stk[ \"OBJ\" ]\n stk[ \"NULL\" ]\n stk[ \"1.500000\" ]\n stk[ \"x\" ]\n} End Stack Dump\n"},
      // The listing shows register and 16-bit index numbers; without a pool both indices
      // read as the pool's error text.
      {"RegisterAndSixteenBitIndexListing", push({Bytes{0x04, 0x01}, Bytes{0x09, 0x2C, 0x01}}),
       "[0] CODE:150 ActionPush\n\t[Type: 4,Data: \"1\" ]\n\t[Type: 9,Data: \"300\" ]\n\n",
       "Dumping Items Still On Stack {\n stk[ \"?DictionaryError?\" ]\n stk[ register1 ]\n} End Stack Dump\n",
       "Dumping Items Still On Stack {\n stk[ \"?DictionaryError?\" ]\n stk[ register1 ]\n} End Stack Dump\n"},
      // A pool of 301 strings: 300 empty ones, then k300. Index 300 (0x2C 0x01) is k300, 301
      // lies past the pool's end; register 2 is a name, never quoted.
      {"RegisterAndSixteenBitConstantPushes",
       join({longAction(0x88, join({{0x2D, 0x01}, Bytes(300, 0x00), zstr("k300")})),
             push({Bytes{0x09, 0x2C, 0x01}, Bytes{0x04, 0x02}}), {0x1D}, push({Bytes{0x09, 0x2D, 0x01}}), {0x26}}),
       nullptr, "CODE:136FLASH 5 Action\n\nSet Variable: \"k300\" = register2\nTRACE(\"?DictionaryError?\");\n",
       "k300 = register2;\nTRACE(\"?DictionaryError?\");\n"},
      {"ConstantIndexOutsideThePool", join({longAction(0x88, {0x01, 0x00, 'k', 0x00}), push({Bytes{0x08, 0x05}}), {0x26}}),
       nullptr, "CODE:136FLASH 5 Action\n\nTRACE(\"?DictionaryError?\");\n", "TRACE(\"?DictionaryError?\");\n"},
      {"StringEscapes", join({push({str("a\"b\nc\td\re")}), {0x26}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\"b\nc\td\re\" ]\n\n[14] CODE:38 ActionTrace\n",
       "TRACE(\"a\\\"b\\nc\\td\\re\");\n", "TRACE(\"a\\\"b\\nc\\td\\re\");\n"},
      {"EmptyStringShowsTwoQuotes", join({push({str("")}), {0x26}}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data:  ]\n\n[5] CODE:38 ActionTrace\n", "TRACE(\"\");\n", "TRACE(\"\");\n"},
      {"SetVariable", join({push({str("x"), i32(5)}), {0x1D}}), nullptr, "Set Variable: \"x\" = \"5\"\n", "x = \"5\";\n"},
      {"SetVariableWithComputedName", join({push({str("a"), str("b")}), {0x21}, push({i32(5)}), {0x1D}}), nullptr,
       "Set Variable: \"a\" & \"b\" = \"5\"\n", "set( \"a\" add \"b\" , \"5\");\n"},
      {"GetURL", longAction(0x83, join({zstr("page.html"), zstr("_self")})),
       "[0] CODE:131 ActionGetURL\n\t[url: page.html, target: _self]\n",
       "Get URL(\"page.html\" , Target = \"_self\")\n", "getURL (\"page.html\" , Target = \"_self\");\n"},
      {"GetURLUnload", longAction(0x83, {0x00, '_', 'l', 'e', 'v', 'e', 'l', '1', 0x00}),
       "[0] CODE:131 ActionGetURL\n\t[url: , target: _level1]\n", "UnLoad Movie(\"_level1\")\n",
       "unloadMovieNum (\"_level1\");\n"},
      {"GetURLWithoutTarget", longAction(0x83, {'u', 0x00, 0x00}), "[0] CODE:131 ActionGetURL\n\t[url: u, target: ]\n",
       "Get URL(\"u\" , Target = \"\")\n", "getURL (\"u\" , Target = \"\");\n"},
      {"GetURL2Get", join({push({str("page.html"), str("_blank")}), longAction(0x9A, {0x01})}), nullptr,
       "Get URL (\"page.html\" ,window=\"_blank\" , vars=GET)\n", " getURL (\"page.html\" ,window=\"_blank\" , vars=GET)\n"},
      {"GetURL2PostWithoutWindow", join({push({str("p"), str("")}), longAction(0x9A, {0x02})}),
       "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"p\" ]\n\t[Type: 0,Data:  ]\n\n[8] CODE:154 ActionGetURL2\n\t[Method: 2]\n",
       "Get URL (\"p\" , vars=POST)\n", " getURL (\"p\" , vars=POST)\n"},
      {"GetURL2Unload", join({push({str(""), str("_level1")}), longAction(0x9A, {0x40})}), nullptr,
       "UnLoad Movie( \"_level1\" )\n", "unloadMovie ( \"_level1\" )\n"},
      {"StartDragConstrained", join({push({i32(0), i32(0), i32(100), i32(50), i32(1), i32(1)}), var("t"), {0x27}}), nullptr,
       "Start Drag(t, L=0, T=0, R=100, B=50 , lockcenter)\n", " startDrag(t, L=0, T=0, R=100, B=50 , lockcenter)\n"},
      {"StartDragPlain", join({push({i32(0), i32(0), str("t")}), {0x27}}), nullptr, "Start Drag(\"t\" )\n",
       " startDrag(\"t\" )\n"},
      {"Properties", join({push({str("mc"), i32(7)}), {0x22, 0x26}, push({str("mc"), str("abc")}), {0x22, 0x26},
                           push({str("mc"), i32(2), i32(50)}), {0x23}, push({str("mc"), str("x"), i32(1)}), {0x23}}),
       nullptr,
       "TRACE(GetProperty(\"mc\",_visible));\nTRACE(GetProperty(\"mc\",error));\nSetProperty(\"mc\",_xscale) = \"50\"\n"
       "SetProperty(\"mc\",_X) = \"1\"\n",
       "TRACE(getProperty (\"mc\",_visible));\nTRACE(getProperty (\"mc\",error));\nsetProperty(\"mc\",_xscale,\"50\")\n"
       "setProperty(\"mc\",_X,\"1\")\n"},
      {"CloneAndRemoveSprite", join({push({str("src"), str("dst"), i32(3)}), {0x24}, push({str("dst")}), {0x25}}), nullptr,
       "Duplicate Movie Clip ( \"src\" , \"dst\" , \"3\" )\nRemove Movie Clip (\"dst\")\n",
       "duplicateMovieClip ( \"src\" , \"dst\" , \"3\" )\nremoveMovieClip (\"dst\")\n"},
      {"FunctionForms",
       join({push({str("s")}), {0x14, 0x26}, var("x"), {0x18, 0x26}, var("x"), {0x12, 0x26}, push({i32(10)}), {0x30, 0x26},
             {0x34, 0x26}, var("x"), {0x31, 0x26}, var("x"), {0x32, 0x26}, var("x"), {0x33, 0x26}, var("x"), {0x36, 0x26},
             var("x"), {0x37, 0x26}, push({str("abc"), i32(1), i32(2)}), {0x15, 0x26}, push({str("abc"), i32(1), i32(2)}),
             {0x35, 0x26}, var("f"), longAction(0x9E, {})}),
       nullptr,
       "TRACE(StringLength (\"s\"));\nTRACE( Int(x));\nTRACE( Not(x));\nTRACE( Random (\"10\"));\nTRACE( Get Timer );\n"
       "TRACE(MBStringLength (x));\nTRACE( Ord(x));\nTRACE( Chr(x));\nTRACE( MBOrd(x));\nTRACE( MBChr(x));\n"
       "TRACE(SubString(\"abc\",\"1\",\"2\"));\nTRACE(MBSubString(\"abc\",\"1\",\"2\"));\n Call(f)\n",
       "TRACE(stringlength (\"s\"));\nTRACE( int(x));\nTRACE( not (x));\nTRACE( random (\"10\"));\nTRACE( getTimer ());\n"
       "TRACE(mbstringlength (x));\nTRACE( ord(x));\nTRACE( chr (x));\nTRACE( mbord(x));\nTRACE( mbchr (x));\n"
       "TRACE(substring(\"abc\",\"1\",\"2\"));\nTRACE(mbsubstring(\"abc\",\"1\",\"2\"));\n call (f)\n"},
      {"PopEmitsOnlyExpressionResults", join({push({str("a")}), {0x17}, var("a"), var("b"), {0x0A, 0x17}}), nullptr,
       "(a + b)\n", "(a + b)\n"},
      {"CallFunctionDiscarded", join({var("b"), var("a"), push({i32(2), str("f")}), {0x3D, 0x17}}), nullptr,
       "CODE:61FLASH 5 Action\n\nDumping Items Still On Stack {\n stk[ \"2\" ]\n stk[ a ]\n stk[ b ]\n} End Stack Dump\n",
       "f(a , b)\n"},
      {"Constructors",
       join({var("b"), var("a"), push({i32(2), str("Date")}), {0x40, 0x17}, var("b"), var("a"), push({i32(2)}), var("obj"),
             push({str("m")}), {0x52, 0x17}, push({str("v")}), var("b"), var("a"), push({i32(2)}), var("obj"),
             push({str("m")}), {0x53, 0x1D}}),
       nullptr, nullptr, " new Date( a ,b )\nobj.m(a , b)\nv = obj.\"m\"(a , b );\n"},
      {"Literals",
       join({var("y"), var("x"), push({i32(2)}), {0x42, 0x26}, push({str("a"), i32(1), str("b"), i32(2), i32(2)}),
             {0x43, 0x26}}),
       nullptr, nullptr, "TRACE([x,y,]);\nTRACE({\"b\":\"2\"\"a\":\"1\"});\n"},
      {"Members", join({var("obj"), push({str("x")}), {0x4E, 0x26}, var("obj"), push({str("y"), i32(5)}), {0x4F}}),
       nullptr, nullptr, "TRACE(obj.x);\nobj.y = \"5\"\n"},
      {"Version5Wrappers",
       join({var("x"), {0x44, 0x26}, var("x"), {0x4A, 0x26}, var("x"), {0x4B, 0x26}, var("x"), {0x50, 0x26}, var("x"),
             {0x51, 0x26}, var("x"), {0x3E}}),
       nullptr, nullptr,
       "TRACE(x.valueOf());\nTRACE(x.toNumber());\nTRACE(x.toString());\nTRACE((x + 1));\nTRACE((x - 1));\nreturn (x)\n"},
      {"DiscardingActions", join({push({str("a"), str("b"), str("c"), str("d"), str("e"), str("f"), str("g"), str("h")}),
                                  {0x3A, 0x3B, 0x3C, 0x41, 0x46}}),
       nullptr, nullptr, "Dumping Items Still On Stack {\n stk[ \"a\" ]\n} End Stack Dump\n"},
      {"PushDuplicate", join({var("x"), {0x4C, 0x1D}}), nullptr,
       "CODE:76FLASH 5 Action\n\nSet Variable: ?stackempty? = x\n",
       "set( x , x);\n"},
      {"StackSwap", join({var("a"), var("b"), {0x4D, 0x1D}}), nullptr, "CODE:77FLASH 5 Action\n\nSet Variable: a = b\n",
       "set( b , a);\n"},
      {"StoreRegisterAndTargetPath", join({longAction(0x87, {0x01}), {0x45}}),
       "[0] CODE:135 ActionStoreRegister\n\t[Reg No. = 1 ]\n[4] CODE:69 ActionTargetPath\n",
       "CODE:135FLASH 5 Action\n\n", ""},
      {"ConditionAfterNotLosesItsNegation", join({var("x"), {0x12}, longAction(0x9D, {0x00, 0x00})}), nullptr,
       "If (x )\nEnd If\n", "if (x ){\n}\n"},
      {"TellTarget", join({longAction(0x8B, zstr("mc")), {0x07}, longAction(0x8B, zstr("")), var("t"), {0x20, 0x07},
                           push({str("")}), {0x20}}),
       nullptr, "Begin Tell Target( \"mc\" )\n   Stop()\nEnd Tell Target\nBegin Tell Target( t )\n   Stop()\nEnd Tell Target\n",
       "tellTarget ( \"mc\" ){\n   stop ();\n}\n tellTarget ( t ){\n   stop ();\n}\n"},
      {"With", join({var("obj"), longAction(0x94, {0x02, 0x00, 'a', 'b', 0x00})}), nullptr,
       "CODE:148FLASH 5 Action\n\nDumping Items Still On Stack {\n stk[ obj ]\n} End Stack Dump\n",
       "with(obj){\nab\n}\n"},
      {"EndAndUnknownCodes", {0x2D, 0xC8, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00},
       "[0] CODE:45 UNKNOWN ACTION\n[1] CODE:200 UNKNOWN ACTION\n[4] CODE:128 ActionHasLength\n[7] CODE:0 ActionEnd\n",
       "(CODE:45 UNKNOWN TRANSLATION)\n(CODE:200 UNKNOWN TRANSLATION)\n// END Action Script\n",
       "(CODE:45 UNKNOWN TRANSLATION)\n(CODE:200 UNKNOWN TRANSLATION)\n// END Action Script\n"},
  };
}

TEST_P(GoldenTable, ListsAndRendersAsWorkedOut) {
  const GoldenRow& row = GetParam();
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(row.block, records, messages);
  EXPECT_TRUE(messages.messages().empty());
  if (row.functionCode != nullptr) {
    EXPECT_EQ(test::functionCode(records), row.functionCode);
  }
  ExpressionTable table;
  if (row.as4 != nullptr) {
    EXPECT_EQ(test::actionScript(records, 4, table, messages), row.as4);
  }
  if (row.as5 != nullptr) {
    EXPECT_EQ(test::actionScript(records, 5, table, messages), row.as5);
  }
  EXPECT_TRUE(messages.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Actions, GoldenTable, ::testing::ValuesIn(goldenRows()), test::goldenRowName);

}  // namespace
}  // namespace orvane
