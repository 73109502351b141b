#include "movie/MoviePanels.h"

#include <gtest/gtest.h>

#include "movie/ScanStatus.h"

namespace orvane {
namespace {

std::vector<std::string> flatten(const std::vector<ObjectTreeItem>& items, int level = 0) {
  std::vector<std::string> lines;
  for (const ObjectTreeItem& item : items) {
    lines.push_back(std::string(static_cast<std::size_t>(level) * 2, ' ') + item.text);
    for (const std::string& line : flatten(item.children, level + 1)) lines.push_back(line);
  }
  return lines;
}

TEST(MoviePanels, PropertyRowsCountEveryTimeline) {
  ScanResult result;
  result.fileLength = 1234;
  result.version = 5;
  result.width = 550;
  result.height = 400;
  result.frameRate = 12;
  result.frameCount = 50;
  TimelineNode* main = result.addTimeline();
  TimelineNode* sprite = result.addTimeline();
  main->addAction(1);
  sprite->addAction(2);
  sprite->addImage(3);
  main->addInstance(4);
  const std::vector<PropertyRow> rows = moviePropertyRows(result);
  ASSERT_EQ(rows.size(), 15u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"File Size", " 1234 Bytes"}, {"SWF Movie Version", " 5"}, {"Movie Width", " 550 pixels"},
      {"Movie Height", " 400 pixels"}, {"Frame Rate", " 12 frames\\sec"}, {"Frame Count", " 50"},
      {" ", ""}, {"Images Count", " 1"}, {"Sounds Count", " 0"}, {"Actions Count", " 2"},
      {"Buttons Count", " 0"}, {"Sprite Definition Count", "2"}, {"Sprite Instances with Actions Count", "1"},
      {" ", ""}, {"Approx Playing Time", " 4 sec"}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].property, expected[i].first) << i;
    EXPECT_EQ(rows[i].value, expected[i].second) << i;
  }
  result.frameRate = 0;
  EXPECT_EQ(moviePropertyRows(result)[14].value, " 0 sec");
}

TEST(MoviePanels, TreeListsFoldersAndHidesEmptySprites) {
  ScanResult result;
  EXPECT_EQ(flatten(objectTree(result, false, false)), std::vector<std::string>{"No Movie Objects"});

  TimelineNode* main = result.addTimeline();
  main->addAction(1)->frame = 0;
  TimelineNode* empty = result.addTimeline();
  empty->frameCount = 2;
  empty->spriteId = 9;
  EXPECT_EQ(flatten(objectTree(result, false, false)),
            (std::vector<std::string>{"Main Movie Stage", "  Actions (1)", "    Action Script For  Frame[0] "}));
  EXPECT_EQ(flatten(objectTree(result, true, true)),
            (std::vector<std::string>{"Main Movie Stage", "  Actions (1)",
                                      "    Action Script For  Frame[0] tagID[0]  Size:0 ",
                                      "  Movie Object (ID 1) 2 Frames tagid 9", "    No Supported Objects Found"}));

  // Buttons without actions and single-block streams are not listed; a JPEG tables object
  // is never listed, but its folder stays.
  ScanResult mixed;
  TimelineNode* node = mixed.addTimeline();
  node->addButton(1);
  ButtonObject* withActions = node->addButton(2);
  withActions->addConditionAction(0, nullptr, 0);
  SoundObject* stream = node->addSound(3);
  stream->typeName = "DefineStreamingSound";
  stream->hasFile = true;
  stream->blockCount = 1;
  ImageObject* tables = node->addImage(4);
  tables->typeName = "DefineJPEGTable";
  const std::vector<ObjectTreeItem> tree = objectTree(mixed, false, false);
  EXPECT_EQ(flatten(tree), (std::vector<std::string>{"Main Movie Stage", "  Buttons (1)",
                                                     "    Button Defined at Frame[0] ", "  Images (0)"}));
  EXPECT_EQ(tree[0].children[0].children[0].data, 2);
  stream->blockCount = 2;
  EXPECT_EQ(flatten(objectTree(mixed, false, false))[3], "  Sounds (1)");
}

TEST(MoviePanels, InitActionsHaveAFolderAfterTheFrameActionsAndOpenAsActions) {
  ScanResult result;
  TimelineNode* main = result.addTimeline();
  InitActionObject* init = main->addInitAction(1);
  init->characterId = 4;
  init->typeName = "DoInitAction";
  init->bodyLength = 9;
  main->addButton(2)->addConditionAction(0, nullptr, 0);
  main->addAction(3)->frame = 2;
  const std::vector<ObjectTreeItem> tree = objectTree(result, false, false);
  EXPECT_EQ(flatten(tree), (std::vector<std::string>{"Main Movie Stage", "  Actions (1)", "    Action Script For  Frame[2] ",
                                                     "  Init Actions (1)", "    Init Actions For Movie Object (ID 4) ",
                                                     "  Buttons (1)", "    Button Defined at Frame[0] "}));
  EXPECT_EQ(tree[0].children[1].children[0].data, 1);
  EXPECT_EQ(flatten(objectTree(result, true, false))[4],
            "    Init Actions For Movie Object (ID 4) tagID[4] DoInitAction Size:9 ");
  EXPECT_EQ(changeViewKind(tree[0].children[1].children[0].text), 259);
  // Init actions alone are objects of their own: no "No Supported Objects Found".
  ScanResult initOnly;
  initOnly.addTimeline()->addInitAction(1);
  EXPECT_EQ(flatten(objectTree(initOnly, false, false)).size(), 3u);
}

TEST(MoviePanels, ActionScript3ObjectsHaveAFolderAfterTheInitActionsAndAreCounted) {
  ScanResult result;
  TimelineNode* main = result.addTimeline();
  AbcTag* tag = main->addAbcTag();
  main->addInitAction(1)->characterId = 4;
  AbcObject* sprite = main->addAbcObject(2);
  sprite->kind = AbcObject::Kind::Class;
  sprite->className = "game::ActionButton";  // holds words that other items are known by
  sprite->frame = 1;
  sprite->label = "go";
  sprite->typeName = "DoABC";
  sprite->bodyLength = 300;
  AbcObject* script = main->addAbcObject(3);
  script->scriptNumber = 7;
  script->tag = sprite->tag = tag;
  main->addButton(4)->addConditionAction(0, nullptr, 0);
  const std::vector<ObjectTreeItem> tree = objectTree(result, false, false);
  EXPECT_EQ(flatten(tree),
            (std::vector<std::string>{"Main Movie Stage", "  Init Actions (1)",
                                      "    Init Actions For Movie Object (ID 4) ", "  ActionScript 3 (2)",
                                      "    Class game::ActionButton ", "    Script 7 ", "  Buttons (1)",
                                      "    Button Defined at Frame[0] "}));
  EXPECT_EQ(tree[0].children[1].children[0].data, 2);
  EXPECT_EQ(flatten(objectTree(result, true, false))[4],
            "    Class game::ActionButton Frame[1] Label: go tagID[0] DoABC Size:300 ");
  EXPECT_EQ(changeViewKind(tree[0].children[1].children[0].text), 265);
  EXPECT_EQ(changeViewKind(tree[0].children[1].children[1].text), 265);
  EXPECT_EQ(changeViewKind(tree[0].children[1].text), 259);  // a folder: no object has serial 0
  EXPECT_EQ(result.findAbcObject(3, true), script);

  // The two counts stand before the second blank row, for movies with ABC tags only.
  std::vector<PropertyRow> rows = moviePropertyRows(result);
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_EQ(rows[12].property, "Sprite Instances with Actions Count");
  EXPECT_EQ(rows[13].property, "ActionScript 3 Classes Count");
  EXPECT_EQ(rows[13].value, " 1");
  EXPECT_EQ(rows[14].property, "ActionScript 3 Scripts Count");
  EXPECT_EQ(rows[14].value, " 1");
  EXPECT_EQ(rows[15].property, " ");
  main->abcObjects.clear();
  rows = moviePropertyRows(result);
  ASSERT_EQ(rows.size(), 17u);  // a tag whose block holds nothing still has its counts
  EXPECT_EQ(rows[13].value, " 0");
  main->abcTags.clear();
  EXPECT_EQ(moviePropertyRows(result).size(), 15u);
}

TEST(MoviePanels, VideoStreamsHaveAFolderOfTheirOwnAndShowTheirSprite) {
  ScanResult result;
  TimelineNode* main = result.addTimeline();
  main->addImage(1)->frame = 0;
  TimelineNode* sprite = result.addTimeline();
  sprite->spriteId = 4;
  VideoObject* video = sprite->addVideo(2);
  video->frame = 3;
  video->characterId = 7;
  video->typeName = "DefineVideoStream";
  video->bodyLength = 10;
  EXPECT_EQ(flatten(objectTree(result, false, false)),
            (std::vector<std::string>{"Main Movie Stage", "  Images (1)", "    Image Defined at Frame[0] ",
                                      "  Movie Object (ID 1)", "    Videos (1)", "      Video Defined at Frame[3] "}));
  EXPECT_EQ(objectTree(result, true, false)[0].children[1].children[0].children[0].text,
            "Video Defined at Frame[3] tagID[7] DefineVideoStream Size:10 ");
  EXPECT_EQ(result.findVideo(2, true), video);
  EXPECT_EQ(result.findVideo(7, false), video);
}

TEST(MoviePanels, ChangeViewKindFollowsTheLastMatchingWord) {
  EXPECT_EQ(changeViewKind("Action Script For  Frame[0] "), 259);
  EXPECT_EQ(changeViewKind("Sound Defined at Frame[0] "), 261);
  EXPECT_EQ(changeViewKind("Image Defined at Frame[0] "), 260);
  EXPECT_EQ(changeViewKind("Button Defined at Frame[0] "), 263);
  EXPECT_EQ(changeViewKind("Action Button"), 263);
  EXPECT_EQ(changeViewKind("Main Movie Stage"), 255);
}

TEST(MoviePanels, InstanceRowsNameWhatTheyPlace) {
  ScanResult result;
  EXPECT_EQ(instanceRows(result, false).size(), 1u);
  EXPECT_EQ(instanceRows(result, false)[0].instanceName, "No Items");
  EXPECT_EQ(instanceRows(result, false)[0].id, "0");

  TimelineNode* main = result.addTimeline();
  TimelineNode* sprite = result.addTimeline();
  sprite->spriteId = 30;
  sprite->frameCount = 4;
  ButtonObject* button = main->addButton(1);
  button->characterId = 12;
  button->typeName = "DefineButton2";
  button->bodyLength = 40;
  InstanceObject* ofSprite = main->addInstance(2);
  ofSprite->placedCharacterId = 30;
  ofSprite->instanceName = "ball";
  ofSprite->clipDepth = 3;
  ofSprite->frame = 5;
  ofSprite->label = "start";
  InstanceObject* ofButton = sprite->addInstance(3);
  ofButton->placedCharacterId = 12;
  InstanceObject* ofNothing = sprite->addInstance(4);
  ofNothing->placedCharacterId = 99;

  const std::vector<InstanceRow> rows = instanceRows(result, false);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].id, "2");
  EXPECT_EQ(rows[0].instanceName, "ball");
  EXPECT_EQ(rows[0].frame, "start [5]");
  EXPECT_EQ(rows[0].details, "ClipDepth: 3 Place Character: 30 [ Instance Of Movie Object (ID 1) 4 Frames tagid 30]");
  EXPECT_EQ(rows[1].instanceName, "Sprite Instance ");
  EXPECT_EQ(rows[1].frame, " [0]");
  EXPECT_EQ(rows[1].details, "Place Character: 12 [Button Defined at Frame[0] tagID[12] DefineButton2 Size:40 ]");
  EXPECT_EQ(rows[2].details, "Place Character: 99 ");
}

TEST(ScanStatus, TitlesAndTexts) {
  EXPECT_EQ(statusTitle(ScanStatus::FormatNotSupported), "ERROR : Format Not Supported");
  EXPECT_EQ(statusText(ScanStatus::FormatNotSupported, ""), "This format is not supported in this version");
  EXPECT_EQ(statusTitle(ScanStatus::InvalidFileFormat), "ERROR : Invalid File Format");
  EXPECT_EQ(statusText(ScanStatus::InvalidFileFormat, ""), "The SWF File is Invalid and can not be scanned");
  EXPECT_EQ(statusTitle(ScanStatus::MemoryError), "ERROR : Memory Allocation Error");
  EXPECT_EQ(statusText(ScanStatus::MemoryError, ""),
            "Unable to Allocate memory, close some windows to free up some memory");
  EXPECT_EQ(statusTitle(ScanStatus::OpenError), "ERROR : Unable To Open File");
  EXPECT_EQ(statusText(ScanStatus::OpenError, ""), "Unable to open file, the file may not exist or is read/write only");
  EXPECT_EQ(statusTitle(ScanStatus::WriteError), "ERROR : Unable To Write File");
  EXPECT_EQ(statusText(ScanStatus::WriteError, ""), "Unable to write to file, Disk may be full");
  EXPECT_EQ(statusTitle(ScanStatus::ReadError), "ERROR : Unable To Read File");
  EXPECT_EQ(statusText(ScanStatus::ReadError, ""), "Unable to read from file");
  EXPECT_EQ(statusTitle(ScanStatus::GeneralError), "ERROR: An Error Occured");
  EXPECT_EQ(statusText(ScanStatus::GeneralError, "zlib said no"), "zlib said no");
  EXPECT_EQ(statusTitle(static_cast<ScanStatus>(42)), "ERROR: An Unknown Error has occured");
  EXPECT_EQ(statusText(static_cast<ScanStatus>(42), ""), "ERROR : unknown error code has been generated");
  EXPECT_EQ(statusTitle(ScanStatus::Success), "No Error");
}

}  // namespace
}  // namespace orvane
