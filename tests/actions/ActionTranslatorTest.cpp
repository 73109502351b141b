// The translation engine: listings with their headers, event names, the on-block layout
// of buttons and clips, and the text of an action window.
#include <gtest/gtest.h>

#include "actions/ActionTranslator.h"
#include "movie/MovieObject.h"
#include "platform/MessageSink.h"
#include "tests/actions/ActionBytes.h"

namespace orvane {
namespace {

using test::Bytes;
using test::join;
using test::longAction;
using test::push;

const std::string kFirstLines =
    "// Action Script Translation Engine V1.5.2\n// Orvane, the SWF movie inspector\n//\n";

ActionObject pushThenEnd() {
  ActionObject object;
  object.bytes = {0x96, 0x03, 0x00, 0x00, 0x61, 0x00, 0x00};
  object.frame = 1;
  return object;
}

TEST(ActionTranslator, FunctionCodeWithTheFullHeader) {
  const ActionObject object = pushThenEnd();
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  translator.SetSource(&object);
  EXPECT_EQ(translator.FunctionCodeListing(true),
            kFirstLines +
                "// Mode : Translate To Function Code\n// Frame : 1\n// Label : \n// Instruction Count : 2\n"
                "// Action Script Size : 7 bytes\n//\n\n"
                "[0] CODE:150 ActionPush\n\t[Type: 0,Data: \"a\" ]\n\n[6] CODE:0 ActionEnd\n");
  EXPECT_EQ(translator.DecodedLength(), 7u);
}

TEST(ActionTranslator, ByteCodeKindsAndActionScriptHeaders) {
  ActionObject object = pushThenEnd();
  object.label = "intro";
  object.frame = 4;
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  translator.SetSource(&object);
  EXPECT_EQ(translator.ByteCodeListing(ByteCodeKind::Hex, false), "0x96 0x3 0x0 0x0 0x61 0x0 \n0x0 \n");
  const std::string header = "// Frame : 4\n// Label : intro\n// Instruction Count : 2\n// Action Script Size : 7 bytes\n//\n\n";
  EXPECT_EQ(translator.ByteCodeListing(ByteCodeKind::Integer, true),
            kFirstLines + "// Mode : Translate To Byte Code : Integer\n" + header + "150 3 0 0 97 0 \n0 \n");
  EXPECT_EQ(translator.ByteCodeListing(ByteCodeKind::Character, true).substr(0, kFirstLines.size() + 45),
            kFirstLines + "// Mode : Translate To Byte Code : Character\n");
  // Listings can be asked for repeatedly and in any order.
  const std::string script = "// END Action Script\nDumping Items Still On Stack {\n stk[ \"a\" ]\n} End Stack Dump\n";
  EXPECT_EQ(translator.ActionScriptListing(5, true),
            kFirstLines + "// Mode : Translate to Action Script, Version 5\n" + header + script);
  EXPECT_EQ(translator.ActionScriptListing(5, false), script);
  EXPECT_EQ(ActionTranslator::ShortHeaderText("M"), kFirstLines + "// Mode : M\n");
}

TEST(ActionTranslator, UnknownCodesAndOversizedRecords) {
  ActionObject object;
  object.bytes = {0x2D, 0x96, 0x09, 0x00, 0x00};
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  translator.SetSource(&object);
  EXPECT_EQ(translator.ByteCodeListing(ByteCodeKind::Hex, false), "0x2d \n");
  EXPECT_EQ(translator.FunctionCodeListing(false), "[0] CODE:45 UNKNOWN ACTION\n");
  EXPECT_EQ(translator.DecodedLength(), 1u);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Error During Action Script Translation.. Invalid Instruction size found");
}

TEST(ActionTranslator, EveryListingSaysErrorWithoutRecords) {
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  EXPECT_EQ(translator.ActionScriptListing(5, true), "error");
  ActionObject empty;
  translator.SetSource(&empty);
  translator.SetSource(nullptr);  // ignored: the empty object stays attached
  for (const TranslationMode mode :
       {TranslationMode::ByteCodeHex, TranslationMode::ByteCodeInteger, TranslationMode::ByteCodeCharacter,
        TranslationMode::FunctionCode, TranslationMode::ActionScript4, TranslationMode::ActionScript5}) {
    EXPECT_EQ(translator.Listing(mode, true), "error");
  }
}

TEST(ActionTranslator, ButtonEventNames) {
  EXPECT_EQ(ActionTranslator::EventNames(0x0008, true), "release");
  EXPECT_EQ(ActionTranslator::EventNames(0x0009, true), "release,rollOver");
  EXPECT_EQ(ActionTranslator::EventNames(0x00A0, true), "dragOver");
  EXPECT_EQ(ActionTranslator::EventNames(0x0110, true), "dragOut");
  EXPECT_EQ(ActionTranslator::EventNames(0x0030, true), "");  // half of dragOver and half of dragOut
  EXPECT_EQ(ActionTranslator::EventNames(0x0046, true), "releaseOutside,press,rollOut");
  EXPECT_EQ(ActionTranslator::EventNames((65 << 9) | 0x01, true), "KeyPress \"A\",rollOver");
  EXPECT_EQ(ActionTranslator::EventNames(13 << 9, true), "KeyPress <Enter>");
  EXPECT_EQ(ActionTranslator::EventNames(32 << 9, true), "KeyPress <Space>");
  EXPECT_EQ(ActionTranslator::EventNames(8 << 9, true), "KeyPress <BackSpace>");
  EXPECT_EQ(ActionTranslator::EventNames(18 << 9, true), "KeyPress <Tab>");
  EXPECT_EQ(ActionTranslator::EventNames(0, true), "");
}

TEST(ActionTranslator, ClipEventNames) {
  EXPECT_EQ(ActionTranslator::EventNames(0x0103, false), "data,enterframe,load");
  EXPECT_EQ(ActionTranslator::EventNames(0x00A0, false), "keyUp,mouseUp");
  EXPECT_EQ(ActionTranslator::EventNames(0x005C, false), "keyDown,mouseDown,mouseMove,unLoad");
  EXPECT_EQ(ActionTranslator::EventNames((14 << 9) | 0x40, false), "KeyPress <Up>,keyDown");
  EXPECT_EQ(ActionTranslator::EventNames(1 << 9, false), "KeyPress <Left>");
}

/// A button whose first condition loads the constant pool "k" and stops, and whose second
/// traces constant 0: the pool stays in force across the conditions.
ButtonObject twoConditionButton() {
  ButtonObject button;
  const Bytes first = join({longAction(0x88, {0x01, 0x00, 'k', 0x00}), {0x07, 0x00}});
  const Bytes second = join({push({Bytes{0x08, 0x00}}), {0x26, 0x00}});
  button.addConditionAction(0x0008, first.data(), first.size());
  button.addConditionAction(0x0001, second.data(), second.size());
  return button;
}

TEST(ActionTranslator, ButtonOnBlocksInTheActionView) {
  const ButtonObject button = twoConditionButton();
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  EXPECT_EQ(translator.ConditionBlockListing(button, TranslationMode::ActionScript4, ConditionLayout::ActionView),
            kFirstLines + "// Mode : Translate To Action Script, Version 4\n\n"
                          "on (release) {\n\tCODE:136FLASH 5 Action\n\t\n\tStop()\n\t// END Action Script\n\n}\n\n"
                          "on (rollOver) {\n\tTRACE(\"k\");\n\t// END Action Script\n\n}\n\n");
  EXPECT_EQ(translator.ConditionBlockListing(button, TranslationMode::ActionScript5, ConditionLayout::ActionView),
            kFirstLines + "// Mode : Translate To Action Script, Version 5\n\n"
                          "on (release) {\n\tstop ();\n\t// END Action Script\n}\n\n"
                          "on (rollOver) {\n\tTRACE(\"k\");\n\t// END Action Script\n}\n\n");
  EXPECT_EQ(translator.ConditionBlockListing(button, TranslationMode::ByteCodeHex, ConditionLayout::ActionView),
            kFirstLines + "// Mode : Translate To Byte Code\n\n"
                          "on (release) {\n\t0x88 0x4 0x0 0x1 0x0 0x6b 0x0 \n\t0x7 \n\t0x0 \n\n}\n\n"
                          "on (rollOver) {\n\t0x96 0x2 0x0 0x8 0x0 \n\t0x26 \n\t0x0 \n\n}\n\n");
  EXPECT_TRUE(messages.messages().empty());
}

TEST(ActionTranslator, ScriptFileLayoutHasNoBlankLineAndStopsAtAnEmptyEntry) {
  ButtonObject button = twoConditionButton();
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  EXPECT_EQ(translator.ConditionBlockListing(button, TranslationMode::FunctionCode, ConditionLayout::ScriptFile),
            kFirstLines + "// Mode : Translate To Action Script\n\n"
                          "on (release) {\n\t[0] CODE:136 ActionConstantPool\n\t \t[0 : k]\n\t\n\t[7] CODE:7 ActionStop\n"
                          "\t[8] CODE:0 ActionEnd\n}\n\n"
                          "on (rollOver) {\n\t[0] CODE:150 ActionPush\n\t\t[Type: 8,Data: \"0\" ]\n\t\n"
                          "\t[5] CODE:38 ActionTrace\n\t[6] CODE:0 ActionEnd\n}\n\n");
  button.conditionActions.insert(button.conditionActions.begin() + 1, nullptr);
  EXPECT_FALSE(translator.ConditionBlockListing(button, TranslationMode::ActionScript5, ConditionLayout::ScriptFile));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Error, Null pointer referrenced in iteration of button actions");
  // The view skips the empty entry.
  const std::optional<std::string> view =
      translator.ConditionBlockListing(button, TranslationMode::ActionScript5, ConditionLayout::ActionView);
  ASSERT_TRUE(view);
  EXPECT_TRUE(view->ends_with("on (rollOver) {\n\tTRACE(\"k\");\n\t// END Action Script\n}\n\n"));
}

TEST(ActionTranslator, DefineButtonBlockAndClipEventsAndEmptyBlocks) {
  ButtonObject button;
  const Bytes stop = {0x07, 0x00};
  button.addConditionAction(0, stop.data(), stop.size());
  InstanceObject clip;
  clip.addConditionAction(0x0103, stop.data(), stop.size());
  clip.addConditionAction(0x0004, nullptr, 0);
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  const std::string header5 = kFirstLines + "// Mode : Translate To Action Script, Version 5\n\n";
  EXPECT_EQ(translator.ConditionBlockListing(button, TranslationMode::ActionScript5, ConditionLayout::ActionView),
            header5 + "on () {\n\tstop ();\n\t// END Action Script\n}\n\n");
  // An empty block lists as "error", kept whole on its own line.
  EXPECT_EQ(translator.ConditionBlockListing(clip, TranslationMode::ActionScript5, ConditionLayout::ActionView),
            header5 + "on (data,enterframe,load) {\n\tstop ();\n\t// END Action Script\n}\n\non (unLoad) {\n\terror\n}\n\n");
}

TEST(ActionTranslator, ActionWindowTexts) {
  const ActionObject object = pushThenEnd();
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  translator.SetSource(&object);
  EXPECT_EQ(ActionWindowText(&object, TranslationMode::ActionScript4, messages),
            translator.ActionScriptListing(4, true) + "\n");
  EXPECT_EQ(ActionWindowText(&object, TranslationMode::FunctionCode, messages), translator.FunctionCodeListing(true));
  EXPECT_EQ(ActionWindowText(&object, TranslationMode::ByteCodeCharacter, messages),
            translator.ByteCodeListing(ByteCodeKind::Character, true));
  const ButtonObject button = twoConditionButton();
  EXPECT_EQ(ActionWindowText(&button, TranslationMode::ActionScript5, messages),
            translator.ConditionBlockListing(button, TranslationMode::ActionScript5, ConditionLayout::ActionView));
  EXPECT_EQ(ActionWindowText(nullptr, TranslationMode::ActionScript5, messages), "ERROR : No Action To Decode...");
  EXPECT_EQ(initialMode(5), TranslationMode::ActionScript5);
  EXPECT_EQ(initialMode(6), TranslationMode::ActionScript4);
  EXPECT_EQ(modeStatusPrompt(TranslationMode::ByteCodeInteger), "Translate To Byte Code - Interger Mode");
}

}  // namespace
}  // namespace orvane
