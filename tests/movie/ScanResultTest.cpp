#include "movie/ScanResult.h"

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

TEST(ScanResult, CountersStartAfresh) {
  ScanResult result;
  result.addTimeline();
  result.nextSerial();
  result.nextSerial();
  result.clear();
  EXPECT_TRUE(result.timelines().empty());
  EXPECT_EQ(result.addTimeline()->nodeId, 0u);
  EXPECT_EQ(result.addTimeline()->nodeId, 1u);
  EXPECT_EQ(result.nextSerial(), 1u);
  EXPECT_EQ(result.firstTimeline()->spriteId, 0xFFFF);
  EXPECT_EQ(result.firstTimeline()->frameCount, 0);
}

TEST(ScanResult, LookupsSearchNodesInOrderAndPreferSounds) {
  ScanResult result;
  TimelineNode* main = result.addTimeline();
  TimelineNode* sprite = result.addTimeline();
  ImageObject* image = main->addImage(1);
  image->characterId = 7;
  SoundObject* sound = sprite->addSound(2);
  sound->characterId = 7;
  ButtonObject* button = sprite->addButton(3);
  button->characterId = 8;
  ImageObject* later = sprite->addImage(4);
  later->characterId = 7;

  EXPECT_EQ(result.findByCharacterId(7), sound);
  EXPECT_EQ(result.findByCharacterId(8), button);
  EXPECT_EQ(result.findImage(7, false), image);
  EXPECT_EQ(result.findImage(4, true), later);
  EXPECT_EQ(result.findImage(4, false), nullptr);
  EXPECT_EQ(result.findByCharacterId(9), nullptr);
  EXPECT_EQ(sprite->buttonCount(), 1u);
}

TEST(ScanResult, ClearingDeletesTheFilesOfViewableImagesOnly) {
  test::ScratchFolder folder;
  const std::string viewable = folder.file("a.jpg");
  const std::string hidden = folder.file("b.jpg");
  const std::string sound = folder.file("c.wav");
  for (const auto& path : {viewable, hidden, sound}) test::writeFile(path, {1});
  ScanResult result;
  TimelineNode* node = result.addTimeline();
  ImageObject* first = node->addImage(1);
  first->tempFilePath = viewable;
  first->viewable = true;
  node->addImage(2)->tempFilePath = hidden;
  node->addSound(3)->tempFilePath = sound;
  result.clear();
  EXPECT_FALSE(test::fileExists(viewable));
  EXPECT_TRUE(test::fileExists(hidden));
  EXPECT_TRUE(test::fileExists(sound));
}

TEST(MovieObject, DescribesItselfWithAndWithoutDetails) {
  ActionObject action;
  action.frame = 2;
  action.label = "intro";
  action.characterId = 0;
  action.typeName = "DefineAction";
  action.bodyLength = 17;
  EXPECT_EQ(action.describe(false), "Action Script For  Frame[2] ");
  EXPECT_EQ(action.describe(true), "Action Script For  Frame[2] Label: intro tagID[0] DefineAction Size:17 ");

  ImageObject image;
  image.frame = 0;
  image.characterId = 5;
  image.typeName = "DefineBitsJPEG2";
  image.bodyLength = 100;
  EXPECT_EQ(image.describe(false), "Image Defined at Frame[0] ");
  EXPECT_EQ(image.describe(true), "Image Defined at Frame[0] tagID[5] DefineBitsJPEG2 Size:100 ");

  SoundObject sound;
  EXPECT_EQ(sound.describe(false), "Sound Defined at Frame[0] ");
  ButtonObject button;
  button.frame = 12;
  EXPECT_EQ(button.describe(false), "Button Defined at Frame[12] ");

  ConditionAction condition;
  EXPECT_EQ(condition.serial, -1);
  EXPECT_EQ(condition.characterId, 0);

  InstanceObject instance;
  EXPECT_EQ(instance.placedCharacterId, 0xFFFF);
  EXPECT_EQ(instance.describe(true), "Sprite Instance ");
  instance.instanceName = "ball";
  EXPECT_EQ(instance.describe(false), "Sprite Instance ball ");

  TimelineNode node;
  EXPECT_EQ(node.displayName(true), "Main Movie Stage");
  node.nodeId = 3;
  node.frameCount = 10;
  node.spriteId = 44;
  EXPECT_EQ(node.displayName(false), "Movie Object (ID 3)");
  EXPECT_EQ(node.displayName(true), "Movie Object (ID 3) 10 Frames tagid 44");
}

}  // namespace
}  // namespace orvane
