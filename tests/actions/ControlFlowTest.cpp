// Golden ActionScript of conditions, loops, frame-loaded tests, tell-target blocks and
// function bodies, worked out by hand from the branch offsets and the marker rules.
#include <gtest/gtest.h>

#include "actions/ActionTranslator.h"
#include "movie/MovieObject.h"
#include "platform/MessageSink.h"
#include "tests/actions/ActionBytes.h"

namespace orvane {
namespace {

using test::Bytes;
using test::i32;
using test::join;
using test::longAction;
using test::push;
using test::str;
using test::var;
using test::zstr;

constexpr std::uint8_t kPlay = 0x06;
constexpr std::uint8_t kStop = 0x07;
constexpr std::uint8_t kNextFrame = 0x04;
constexpr std::uint8_t kPrevFrame = 0x05;

Bytes branch(std::uint8_t code, std::int16_t offset) {
  const auto bits = static_cast<std::uint16_t>(offset);
  return longAction(code, {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)});
}
Bytes actionIf(std::int16_t offset) { return branch(0x9D, offset); }
Bytes jump(std::int16_t offset) { return branch(0x99, offset); }
Bytes waitForFrame(std::uint16_t frame, std::uint8_t skip) {
  return longAction(0x8A, {static_cast<std::uint8_t>(frame), static_cast<std::uint8_t>(frame >> 8), skip});
}
Bytes setTarget(const std::string& name) { return longAction(0x8B, zstr(name)); }

struct Translation {
  std::string as4;
  std::string as5;
};

Translation translate(const Bytes& block) {
  ActionObject object;
  object.bytes = block;
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  translator.SetSource(&object);
  Translation translation{translator.ActionScriptListing(4, false), translator.ActionScriptListing(5, false)};
  EXPECT_TRUE(messages.messages().empty());
  return translation;
}

TEST(ControlFlow, IfClosesAtItsTarget) {
  // var x [0,7), if +1 [7,12) -> 13, play [12], stop [13].
  const Translation t = translate(join({var("x"), actionIf(1), {kPlay, kStop}}));
  EXPECT_EQ(t.as5, "if (x ){\n   play ();\n}\nstop ();\n");
  EXPECT_EQ(t.as4, "If (x )\n   Play()\nEnd If\nStop()\n");
}

TEST(ControlFlow, IfElseTurnsTheConditionEndAfterAJumpIntoElse) {
  // var x [0,7), if +6 [7,12) -> 18, play [12], jump +1 [13,18) -> 19, stop [18], next [19].
  const Translation t = translate(join({var("x"), actionIf(6), {kPlay}, jump(1), {kStop, kNextFrame}}));
  EXPECT_EQ(t.as5, "if (x ){\n   play ();\nelse\n   stop ();\n}\nnextFrame ();\n");
  EXPECT_EQ(t.as4, "If (x )\n   Play()\nElse\n   Stop()\nEnd If\nGoto Next Frame\n");
}

TEST(ControlFlow, ElseFollowedByIfBecomesElseIfAndBothJumpEndsFireAtOneRecord) {
  // var x [0,7), if +6 -> 18, play [12], jump +19 [13,18) -> 37,
  // var y [18,25), if +6 [25,30) -> 36, stop [30], jump +1 [31,36) -> 37, next [36], prev [37].
  const Translation t = translate(join({var("x"), actionIf(6), {kPlay}, jump(19), var("y"), actionIf(6), {kStop},
                                        jump(1), {kNextFrame, kPrevFrame}}));
  EXPECT_EQ(t.as5, "if (x ){\n   play ();\nelse if (y ){\n   stop ();\nelse\n   nextFrame ();\n}\n}\nprevFrame ();\n");
  EXPECT_EQ(t.as4,
            "If (x )\n   Play()\nElse If (y )\n   Stop()\nElse\n   Goto Next Frame\nEnd If\nEnd If\nGoto Prev Frame\n");
}

TEST(ControlFlow, WhileLoopFromABackwardJump) {
  // var x [0,7), if +6 [7,12) -> 18, play [12], jump -18 [13,18) -> 0, stop [18]. At 18 the
  // condition's else and the jump's loop end fire in one pass.
  const Translation t = translate(join({var("x"), actionIf(6), {kPlay}, jump(-18), {kStop}}));
  EXPECT_EQ(t.as5, "while (x ){\n   play ();\n}\nstop ();\n");
  EXPECT_EQ(t.as4, "Loop While (x )\n   Play()\nEnd Loop\nStop()\n");
}

TEST(ControlFlow, BackwardIfOpensADoLoopWithoutIndenting) {
  // play [0], var x [1,8), if -13 [8,13) -> 0, stop [13].
  const Translation t = translate(join({{kPlay}, var("x"), actionIf(-13), {kStop}}));
  EXPECT_EQ(t.as5, "do {\nplay ();\nif (x ){\n   stop ();\n");
  EXPECT_EQ(t.as4, "Do Loop\nPlay()\nIf (x )\n   Stop()\n");
}

TEST(ControlFlow, JumpByZeroCountsAsBackwardIfByZeroAsForward) {
  // play [0], jump 0 [1,6): loop end, then loop start, both at 6; stop [6].
  const Translation jumped = translate(join({{kPlay}, jump(0), {kStop}}));
  EXPECT_EQ(jumped.as5, "play ();\n}\nwhile\nstop ();\n");
  EXPECT_EQ(jumped.as4, "Play()\nEnd Loop\nLoop While\nStop()\n");
  // var x [0,7), not [7], if 0 [8,13) -> 13, play [13].
  const Translation condition = translate(join({var("x"), {0x12}, actionIf(0), {kPlay}}));
  EXPECT_EQ(condition.as5, "if (x ){\n}\nplay ();\n");
  EXPECT_EQ(condition.as4, "If (x )\nEnd If\nPlay()\n");
}

TEST(ControlFlow, NegationIsUndoneOnlyDirectlyAfterNot) {
  const Translation t = translate(join({var("x"), {0x12, kStop}, actionIf(0)}));
  EXPECT_EQ(t.as5, "stop ();\nif ( not (x) ){\n}\n");
  EXPECT_EQ(t.as4, "Stop()\nIf ( Not(x) )\nEnd If\n");
}

TEST(ControlFlow, UnreachedTargetsCloseAtTheEndAfterTheStackDump) {
  // The condition's end lies beyond the block; the value left on the stack is dumped first.
  const Translation t = translate(join({var("x"), actionIf(100), push({str("left")})}));
  EXPECT_EQ(t.as5, "if (x ){\n   Dumping Items Still On Stack {\n    stk[ \"left\" ]\n   } End Stack Dump\n}\n");
}

TEST(ControlFlow, FrameLoadedBlocksSpanTheirSkipCount) {
  // wait [0,6), play [6], stop [7].
  Translation t = translate(join({waitForFrame(3, 0), {kPlay, kStop}}));
  EXPECT_EQ(t.as5, "ifFrameLoaded (3){\n}\nplay ();\nstop ();\n");
  EXPECT_EQ(t.as4, "If Frame Is Loaded(3)\nEnd Frame Loaded\nPlay()\nStop()\n");
  t = translate(join({waitForFrame(3, 1), {kPlay, kStop}}));
  EXPECT_EQ(t.as5, "ifFrameLoaded (3){\n   play ();\n}\nstop ();\n");
  // Two records where five are counted: the block closes at the end.
  t = translate(join({waitForFrame(3, 5), {kPlay, kStop}}));
  EXPECT_EQ(t.as5, "ifFrameLoaded (3){\n   play ();\n   stop ();\n}\n");
  EXPECT_EQ(t.as4, "If Frame Is Loaded(3)\n   Play()\n   Stop()\nEnd Frame Loaded\n");
}

TEST(ControlFlow, FrameLoadedWithTheFrameOnTheStack) {
  // push 3 [0,8), wait2 skip 1 [8,12), play [12], stop [13].
  const Translation t = translate(join({push({i32(3)}), longAction(0x8D, {0x01}), {kPlay, kStop}}));
  EXPECT_EQ(t.as5, "ifFrameLoaded(\"3\"){\n   play ();\n}\nstop ();\n");
  EXPECT_EQ(t.as4, "If Frame Is Loaded(\"3\")\n   Play()\nEnd Frame Loaded\nStop()\n");
}

TEST(ControlFlow, LeavingATellTargetNeverGoesBelowTheFirstLevel) {
  const Translation t = translate(join({setTarget(""), {kPlay}, setTarget("mc"), {kPlay}, setTarget("")}));
  EXPECT_EQ(t.as5, "}\nplay ();\ntellTarget ( \"mc\" ){\n   play ();\n}\n");
  EXPECT_EQ(t.as4, "End Tell Target\nPlay()\nBegin Tell Target( \"mc\" )\n   Play()\nEnd Tell Target\n");
}

Bytes defineFunction(const std::string& name, std::initializer_list<std::string> parameters, std::uint16_t codeSize) {
  Bytes body = zstr(name);
  body.push_back(static_cast<std::uint8_t>(parameters.size()));
  body.push_back(0);
  for (const std::string& parameter : parameters) body = join({body, zstr(parameter)});
  body.push_back(static_cast<std::uint8_t>(codeSize));
  body.push_back(static_cast<std::uint8_t>(codeSize >> 8));
  return longAction(0x9B, body);
}

TEST(ControlFlow, FunctionBodyEndsAfterItsCodeSize) {
  // function [0,13), body: var a [13,20), trace [20]; stop [21].
  const Translation t = translate(join({defineFunction("f", {"a", "b"}, 8), var("a"), {0x26, kStop}}));
  EXPECT_EQ(t.as5, "function f(a ,b){\n   TRACE(a);\n}\nstop ();\n");
  EXPECT_EQ(t.as4, "CODE:155FLASH 5 Action\n\nTRACE(a);\nStop()\n");
}

TEST(ControlFlow, FunctionEndUsesTheFullOffsetBeyond32Kilobytes) {
  const Bytes stops(40000, kStop);
  const Translation t = translate(join({stops, defineFunction("g", {}, 8), var("a"), {0x26, kPlay}}));
  EXPECT_TRUE(t.as5.ends_with("stop ();\nfunction g(){\n   TRACE(a);\n}\nplay ();\n")) << t.as5.substr(t.as5.size() - 80);
}

TEST(ControlFlow, MarkerTextsInsideStringsAreFinishedToo) {
  const Translation t = translate(join({push({str("<_IF> and <_LOOPDO>")}), {0x26}}));
  EXPECT_EQ(t.as5, "TRACE(\"if and do {\");\n");
  EXPECT_EQ(t.as4, "TRACE(\"If and Do Loop\");\n");
}

TEST(ControlFlow, TruncatedBranchesLeaveNoMarker) {
  // A condition whose record has one byte of offset instead of two.
  const Translation t = translate(join({var("x"), longAction(0x9D, {0x05}), {kPlay}}));
  EXPECT_EQ(t.as5, "(CODE:157 TRUNCATED ACTION)\nplay ();\nDumping Items Still On Stack {\n stk[ x ]\n} End Stack Dump\n");
}

}  // namespace
}  // namespace orvane
