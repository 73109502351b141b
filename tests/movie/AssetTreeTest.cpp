#include "movie/AssetTree.h"

#include <gtest/gtest.h>

#include "movie/TagHeader.h"

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

template <typename Object>
Object* withId(Object* object, std::uint16_t id) {
  object->characterId = id;
  return object;
}

/// The main timeline defines every kind of asset over three frames; one sprite places
/// something over two frames, another is empty.
struct AssetMovie {
  AssetMovie() {
    TimelineNode* main = result.addTimeline();
    main->shownFrames = 3;
    ShapeObject* shape = withId(main->addShape(), 1);
    shape->typeName = "DefineShape3";
    shape->bodyLength = 30;
    shape->frame = 1;
    withId(main->addShape(), 2);
    withId(main->addMorphShape(), 3);
    withId(main->addFont(), 4);
    withId(main->addText(), 7)->code = tag::kDefineText;
    withId(main->addText(), 8)->code = tag::kDefineEditText;
    placing = result.addTimeline();
    placing->spriteId = 20;
    placing->shownFrames = 2;
    placing->displayTags.push_back({tag::kShowFrame, {}});
    empty = result.addTimeline();
    empty->spriteId = 21;
    numberAssetObjects(result);
  }

  ScanResult result;
  TimelineNode* placing = nullptr;
  TimelineNode* empty = nullptr;
};

TEST(AssetTree, FoldersPerTimelineWithTheirCountsAndKinds) {
  EXPECT_EQ(flatten(assetTree(ScanResult(), false, false)), std::vector<std::string>{"No Movie Objects"});

  AssetMovie movie;
  const std::vector<ObjectTreeItem> tree = assetTree(movie.result, false, false);
  EXPECT_EQ(flatten(tree), (std::vector<std::string>{
                               "Main Movie Stage", "  Shapes (2)", "    Shape (ID 1) ", "    Shape (ID 2) ",
                               "  Morph Shapes (1)", "    Morph Shape (ID 3) ", "  Fonts (1)", "    Font (ID 4) ",
                               "  Texts (2)", "    Text (ID 7) ", "    Edit Text (ID 8) ", "  Frames (3)",
                               "    Frame[0] ", "    Frame[1] ", "    Frame[2] ", "  Movie Object (ID 1)",
                               "    Frames (2)", "      Frame[0] ", "      Frame[1] "}));
  // Objects carry their serials (shapes, morph shapes, fonts, texts in that order) and kinds.
  const ObjectTreeItem& root = tree[0];
  EXPECT_EQ(root.children[0].children[1].data, 2);
  EXPECT_EQ(root.children[0].children[1].viewKind, viewkind::kShape);
  EXPECT_EQ(root.children[1].children[0].viewKind, viewkind::kMorphShape);
  EXPECT_EQ(root.children[2].children[0].viewKind, viewkind::kFont);
  EXPECT_EQ(root.children[3].children[1].data, 6);
  EXPECT_EQ(root.children[3].children[1].viewKind, viewkind::kText);
  EXPECT_EQ(root.children[4].children[2].viewKind, viewkind::kFrame);
  // Folders and timelines open nothing.
  EXPECT_EQ(root.viewKind, viewkind::kNone);
  EXPECT_EQ(root.children[4].viewKind, viewkind::kNone);

  // Frame ids run on over every timeline, listed or not: 1-3 main, 4-5 the sprite, 6 the empty one.
  EXPECT_EQ(root.children[4].children[2].data, 3);
  EXPECT_EQ(root.children[5].children[0].children[1].data, 5);

  const std::vector<std::string> all = flatten(assetTree(movie.result, true, true));
  ASSERT_EQ(all.size(), 22u);
  EXPECT_EQ(all[2], "    Shape (ID 1) Frame[1] tagID[1] DefineShape3 Size:30 ");
  EXPECT_EQ(all[15], "  Movie Object (ID 1) 0 Frames tagid 20");
  // A sprite without ShowFrame still shows its one frame.
  EXPECT_EQ(std::vector<std::string>(all.begin() + 19, all.end()),
            (std::vector<std::string>{"  Movie Object (ID 2) 0 Frames tagid 21", "    Frames (1)", "      Frame[0] "}));
}

TEST(AssetTree, AnAssetItemNamesAnObjectOfItsOwnKind) {
  AssetMovie movie;
  const TimelineNode& main = *movie.result.firstTimeline();
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kShape, 2), main.shapes[1].get());
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kMorphShape, 3), main.morphShapes[0].get());
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kFont, 4), main.fonts[0].get());
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kText, 6), main.texts[1].get());
  // A serial of another kind, none, or a kind without objects.
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kFont, 2), nullptr);
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kShape, 99), nullptr);
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kShape, 0), nullptr);
  EXPECT_EQ(assetOfItem(movie.result, viewkind::kFrame, 2), nullptr);
}

TEST(AssetTree, FrameIdsNameOneFrameOfOneTimeline) {
  AssetMovie movie;
  const TimelineNode& main = *movie.result.firstTimeline();
  EXPECT_EQ(frameItemId(movie.result, main, 0), 1);
  EXPECT_EQ(frameItemId(movie.result, main, 2), 3);
  EXPECT_EQ(frameItemId(movie.result, *movie.placing, 1), 5);
  EXPECT_EQ(frameItemId(movie.result, *movie.empty, 0), 6);
  // Beyond the timeline's frames, or a timeline of another scan: no id.
  EXPECT_EQ(frameItemId(movie.result, main, 3), 0);
  TimelineNode stranger;
  EXPECT_EQ(frameItemId(movie.result, stranger, 0), 0);

  for (std::int32_t id = 1; id <= 6; ++id) {
    const std::optional<FrameReference> frame = frameOfItem(movie.result, id);
    ASSERT_TRUE(frame.has_value()) << id;
    EXPECT_EQ(frameItemId(movie.result, *frame->timeline, frame->frame), id);
  }
  EXPECT_EQ(frameOfItem(movie.result, 4)->timeline, movie.placing);
  EXPECT_EQ(frameOfItem(movie.result, 4)->frame, 0u);
  EXPECT_FALSE(frameOfItem(movie.result, 0).has_value());
  EXPECT_FALSE(frameOfItem(movie.result, 7).has_value());
  EXPECT_FALSE(frameOfItem(movie.result, -3).has_value());
}

}  // namespace
}  // namespace orvane
