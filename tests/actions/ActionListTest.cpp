#include "actions/ActionList.h"

#include <gtest/gtest.h>

#include <map>

#include "actions/ExpressionTable.h"
#include "tests/actions/ActionBytes.h"
#include "tests/actions/ActionScriptDriver.h"

namespace orvane {
namespace {

using test::Bytes;
using test::longAction;

const Message kSizeMessage{"", "Error During Action Script Translation.. Invalid Instruction size found",
                           MessageIcon::Error};

ActionList decode(const Bytes& block, RecordingMessageSink& messages) {
  ActionList records;
  DecodeBlock(block, records, messages);
  return records;
}

TEST(DecodeBlock, WalksEveryRecordPastActionEnd) {
  RecordingMessageSink messages;
  EXPECT_TRUE(decode({}, messages).empty());
  const ActionList ends = decode({0, 0, 0}, messages);
  ASSERT_EQ(ends.size(), 3u);
  EXPECT_EQ(ends[2]->ByteCodeText(), "CODE:0 ActionEnd\n");
  // A long action of length 0 is three bytes; the next record follows its length field.
  const ActionList empty = decode({0xC8, 0x00, 0x00, 0x04}, messages);
  ASSERT_EQ(empty.size(), 2u);
  EXPECT_EQ(empty[0]->size(), 3u);
  EXPECT_EQ(empty[1]->code(), 0x04);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(DecodeBlock, OversizedRecordEndsTheWalkWithItsMessage) {
  for (const Bytes& block : {Bytes{0x04, 0x96}, Bytes{0x04, 0x96, 0x01}, Bytes{0x04, 0x96, 0x05, 0x00, 0x00}}) {
    RecordingMessageSink messages;
    const ActionList records = decode(block, messages);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->code(), 0x04);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0], kSizeMessage);
  }
}

TEST(CreateRecord, CodesAndFirstVersions) {
  // Every class of the catalogue with the version it is tagged with.
  const std::map<int, int> firstVersions = {
      {0x04, 2}, {0x05, 2}, {0x06, 2}, {0x07, 2}, {0x08, 2}, {0x09, 2}, {0x0A, 4}, {0x0B, 4}, {0x0C, 4}, {0x0D, 4},
      {0x0E, 4}, {0x0F, 4}, {0x10, 4}, {0x11, 4}, {0x12, 4}, {0x14, 4}, {0x15, 4}, {0x17, 4}, {0x18, 4}, {0x1C, 4},
      {0x1D, 4}, {0x20, 4}, {0x21, 4}, {0x22, 4}, {0x23, 4}, {0x24, 4}, {0x25, 4}, {0x26, 4}, {0x27, 4}, {0x28, 4},
      {0x29, 4}, {0x30, 4}, {0x31, 4}, {0x32, 4}, {0x33, 4}, {0x34, 4}, {0x35, 4}, {0x36, 4}, {0x37, 4}, {0x3A, 5},
      {0x3B, 5}, {0x3C, 5}, {0x3D, 5}, {0x3E, 5}, {0x3F, 5}, {0x40, 5}, {0x41, 5}, {0x42, 5}, {0x43, 5}, {0x44, 5},
      {0x45, 5}, {0x46, 5}, {0x47, 5}, {0x48, 5}, {0x49, 5}, {0x4A, 5}, {0x4B, 5}, {0x4C, 5}, {0x4D, 5}, {0x4E, 5},
      {0x4F, 5}, {0x50, 5}, {0x51, 5}, {0x52, 5}, {0x53, 5}, {0x60, 5}, {0x61, 5}, {0x62, 5}, {0x63, 5}, {0x64, 5},
      {0x65, 5}, {0x80, 2}, {0x81, 2}, {0x83, 2}, {0x87, 5}, {0x88, 5}, {0x8A, 2}, {0x8B, 3}, {0x8C, 3}, {0x8D, 4},
      {0x94, 5}, {0x96, 4}, {0x99, 4}, {0x9A, 4}, {0x9B, 5}, {0x9D, 4}, {0x9E, 4}, {0x9F, 4},
      // The actions of versions 6 and 7.
      {0x2A, 7}, {0x2B, 7}, {0x2C, 7}, {0x54, 6}, {0x55, 6}, {0x66, 6}, {0x67, 6}, {0x68, 6}, {0x69, 7}, {0x89, 7},
      {0x8E, 7}, {0x8F, 7}};
  ASSERT_EQ(firstVersions.size(), 100u);
  for (int code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    const std::uint8_t record[3] = {byte, 0, 0};
    const std::unique_ptr<ActionRecord> created = CreateRecord(byte, record, code < 0x80 ? 1 : 3);
    ASSERT_TRUE(created);
    const auto known = firstVersions.find(code);
    const int expected = known != firstVersions.end() ? known->second : (code == 0x13 ? 4 : -1);
    EXPECT_EQ(created->FirstVersion(), expected) << "code " << code;
    EXPECT_EQ(created->code(), code == 0x13 ? 0x0E : code);
    EXPECT_EQ(created->Render(nullptr, 5), 0) << "code " << code;
    const std::string listing = created->ByteCodeText();
    EXPECT_EQ(listing.back() == '\n', expected != -1 || code == 0) << "code " << code;
  }
  const std::uint8_t unknown = 0x2D;
  EXPECT_EQ(CreateRecord(unknown, &unknown, 1)->ByteCodeText(), "CODE:45");
}

TEST(ActionRecord, RawBytesInThreeForms) {
  const std::uint8_t bytes[] = {0x81, 0x02, 0x00, 0x41, 0x00};
  const std::unique_ptr<ActionRecord> record = CreateRecord(0x81, bytes, 5);
  EXPECT_EQ(record->RawBytesText(ByteCodeKind::Hex), "0x81 0x2 0x0 0x41 0x0 \n");
  EXPECT_EQ(record->RawBytesText(ByteCodeKind::Integer), "129 2 0 65 0 \n");
  EXPECT_EQ(record->RawBytesText(ByteCodeKind::Character), "\x81 \x02 A \n");
}

TEST(ActionRecord, QuotedIntegers) {
  EXPECT_TRUE(ActionRecord::IsQuotedInteger("\"12\""));
  EXPECT_TRUE(ActionRecord::IsQuotedInteger("x"));
  EXPECT_TRUE(ActionRecord::IsQuotedInteger("ab"));
  EXPECT_FALSE(ActionRecord::IsQuotedInteger("\"1.5\""));
  EXPECT_FALSE(ActionRecord::IsQuotedInteger("\"-5\""));
}

TEST(ActionRecord, TruncatedBodiesListAndRenderWithoutReadingPastTheRecord) {
  struct Case {
    Bytes block;
    const char* listing;
  };
  const std::vector<Case> cases = {
      {longAction(0x81, {0x05}), "[0] CODE:129 ActionGotoFrame\n\t[Truncated Record]\n"},
      {longAction(0x8C, {'a', 'b'}), "[0] CODE:140 ActionGotoLabel\n\t[Truncated Record]\n"},
      {longAction(0x83, {'u'}), "[0] CODE:131 ActionGetURL\n\t[Truncated Record]\n"},
      {longAction(0x96, {0x07, 0x01}), "[0] CODE:150 ActionPush\n\t[Truncated Record]\n"},
      {longAction(0x96, {0x00, 'a'}), "[0] CODE:150 ActionPush\n\t[Truncated Record]\n"},
      {longAction(0x9A, {}), "[0] CODE:154 ActionGetURL2\n\t[Truncated Record]\n"},
      {longAction(0x9D, {0x01}), "[0] CODE:157 ActionIf\n\t[Truncated Record]\n"},
      {longAction(0x9B, {'f', 0, 0x02, 0x00, 'a', 0}), "[0] CODE:155 ActionDefineFunction\n\t[Truncated Record]\n"},
      {longAction(0x8A, {0x01, 0x00}), "[0] CODE:138 ActionWaitForFrame\n\t[Truncated Record]\n"},
  };
  for (const Case& c : cases) {
    // The block is copied into a buffer of exactly its size, so a read past it trips ASan.
    const auto owned = std::make_unique<std::uint8_t[]>(c.block.size());
    std::copy(c.block.begin(), c.block.end(), owned.get());
    RecordingMessageSink messages;
    ActionList records;
    DecodeBlock({owned.get(), c.block.size()}, records, messages);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(test::functionCode(records), c.listing);
    ExpressionTable table;
    const std::string expected = "(CODE:" + std::to_string(c.block[0]) + " TRUNCATED ACTION)\n";
    EXPECT_EQ(test::actionScript(records, 5, table, messages), expected);
  }
}

TEST(ActionRecord, StructuralListings) {
  const Bytes block = test::join({longAction(0x9D, {0x05, 0x00}), longAction(0x99, {0xFE, 0xFF}),
                                     longAction(0x8A, {0x03, 0x00, 0x01}), longAction(0x8D, {0xFF}),
                                     longAction(0x8B, {'m', 'c', 0}), longAction(0x94, {0x03, 0x00, 'a', 'b', 0, 'c'}),
                                     longAction(0x9B, {'f', 0, 0x02, 0x00, 'a', 0, 'b', 0, 0x0A, 0x00}), {0x20}});
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block, records, messages);
  EXPECT_EQ(test::functionCode(records),
            "[0] CODE:157 ActionIf\n\t[BranchOffset: 5]\n"
            "[5] CODE:153 ActionJump\n\t[BranchOffset: -2]\n"
            "[10] CODE:138 ActionWaitForFrame\n\t[Frame: 3,Skip: 1]\n"
            "[16] CODE:141 ActionWaitForFrame2\n\t[SkipCount: -1]\n"
            "[20] CODE:139 ActionSetTarget\n\t[Target: mc]\n"
            "[26] CODE:148 ActionWith\n\t[ Size = 3, Block = ab ]\n"
            "[35] CODE:155 ActionDefineFunction\n\t[Name = f, NumParams = 2,CodeSize = 10,Param1 = a,Param2 = b ]\n"
            "[48] CODE:32 ActionSetTarget2\n");
  EXPECT_TRUE(messages.messages().empty());
}

}  // namespace
}  // namespace orvane
