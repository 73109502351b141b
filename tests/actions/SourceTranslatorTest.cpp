// The decompiled source mode over hand-assembled blocks: each row is a snippet of source,
// the byte code the authoring compiler emits for it and the exact text the mode prints.
#include <gtest/gtest.h>

#include <cstring>

#include "actions/ActionList.h"
#include "actions/source/SourceTranslator.h"
#include "platform/MessageSink.h"
#include "tests/actions/ActionBytes.h"

namespace orvane {
namespace {

using test::Bytes;
using test::join;
using test::longAction;
using test::push;
using test::str;
using test::var;
using test::zstr;

std::string sourceOf(const Bytes& block) {
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block, records, messages);
  return SourceListing(records);
}

Bytes u16(std::int64_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)};
}
Bytes branch(std::uint8_t code, std::int64_t offset) { return longAction(code, u16(offset)); }
Bytes jump(std::int64_t offset) { return branch(0x99, offset); }
Bytes ifJump(std::int64_t offset) { return branch(0x9D, offset); }
std::int64_t length(const Bytes& bytes) { return static_cast<std::int64_t>(bytes.size()); }
Bytes reg(std::uint8_t number) { return {4, number}; }
Bytes boolean(bool value) { return {5, static_cast<std::uint8_t>(value ? 1 : 0)}; }
Bytes null() { return {2}; }
Bytes undef() { return {3}; }
Bytes dbl(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, 8);
  Bytes item{6};
  for (int shift : {32, 40, 48, 56, 0, 8, 16, 24}) item.push_back(static_cast<std::uint8_t>(bits >> shift));
  return item;
}
Bytes num(std::int32_t value) { return test::i32(value); }
const Bytes kNot{0x12};
const Bytes kPop{0x17};
const Bytes kSetVariable{0x1D};
const Bytes kTrace{0x26};
Bytes storeRegister(std::uint8_t number) { return longAction(0x87, {number}); }
Bytes trace(const Bytes& value) { return join({value, kTrace}); }

/// if (!cond) jump over the body: the compiler's if.
Bytes ifThen(const Bytes& condition, const Bytes& body) { return join({condition, kNot, ifJump(length(body)), body}); }
Bytes ifElse(const Bytes& condition, const Bytes& then, const Bytes& otherwise) {
  return join({condition, kNot, ifJump(length(then) + 5), then, jump(length(otherwise)), otherwise});
}
Bytes whileLoop(const Bytes& condition, const Bytes& body) {
  const Bytes head = join({condition, kNot, ifJump(length(body) + 5)});
  return join({head, body, jump(-(length(head) + length(body) + 5))});
}
Bytes assign(const std::string& name, const Bytes& value) { return join({push({str(name)}), value, kSetVariable}); }

struct Row {
  const char* name;
  Bytes code;
  const char* text;
};

class SourceSnippet : public ::testing::TestWithParam<Row> {};

TEST_P(SourceSnippet, PrintsTheScriptAsWritten) { EXPECT_EQ(sourceOf(GetParam().code), GetParam().text); }

const Row kRows[] = {
    {"SetVariableAndTrace", join({assign("x", push({num(5)})), push({str("x")}), {0x1C}, {0x26}}),
     "x = 5;\ntrace(x);\n"},
    {"IfElse", ifElse(join({var("a"), push({num(1)}), {0x48}}), assign("b", push({num(1)})), assign("b", push({num(2)}))),
     "if (a < 1) {\n    b = 1;\n} else {\n    b = 2;\n}\n"},
    {"While", whileLoop(join({var("i"), push({num(10)}), {0x48}}), join({push({str("i")}), var("i"), {0x50}, kSetVariable})),
     "while (i < 10) {\n    i++;\n}\n"},
    {"Ternary",
     join({push({str("x")}), var("a"), ifJump(length(push({num(2)})) + 5), push({num(2)}), jump(length(push({num(1)}))),
           push({num(1)}), kSetVariable}),
     "x = a ? 1 : 2;\n"},
    {"LogicalAndOr",
     join({push({str("x")}), var("a"), {0x4C}, kNot, ifJump(1 + length(var("b"))), kPop, var("b"), {0x4C},
           ifJump(1 + length(var("c"))), kPop, var("c"), kSetVariable}),
     "x = a && b || c;\n"},
    {"IfWithoutElse", ifThen(var("done"), join({push({num(0)}), {0x9F, 1, 0, 0}})),
     "if (done) {\n    gotoAndStop(0);\n}\n"},
    {"LiteralsAndRegisters",
     join({push({null()}), storeRegister(1), kPop, trace(push({undef()})), trace(push({boolean(true)})),
           trace(push({reg(1)})), trace(push({dbl(0.1)})), trace(push({dbl(1e21)})), trace(push({dbl(-0.0)})),
           trace(push({dbl(-2.5)})), trace(push({str("a\"b\\c\n\t\x01")}))}),
     "var _loc1_ = null;\ntrace(undefined);\ntrace(true);\ntrace(_loc1_);\ntrace(0.1);\ntrace(1e+21);\n"
     "trace(0);\ntrace(-2.5);\ntrace(\"a\\\"b\\\\c\\n\\t\\u0001\");\n"},
};

INSTANTIATE_TEST_SUITE_P(Table, SourceSnippet, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvane
