#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTabWidget>

#include "movie/AssetTree.h"
#include "movie/MoviePanels.h"
#include "shell/CMainFrame.h"
#include "shell/MoviePanelWidgets.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/ShapeBuilder.h"

namespace orvane {
namespace {

using test::Bytes;

/// A frame action, a square shape placed in two frames of the main timeline, a sprite that
/// places it too, an empty sprite, and a font, a text and an edit text that the tab lists
/// without reading them.
Bytes assetMovie() {
  test::ShapeBuilder square;
  square.fill(test::solidFill({255, 0, 0}, true))
      .change({.move = true, .x = 0, .y = 0, .fill1 = 1})
      .lineTo(200, 0)
      .lineTo(0, 200)
      .lineTo(-200, 0)
      .lineTo(0, -200);
  test::TagList placing;
  placing.placeObject2Plain(1, 1).showFrame().end();
  test::TagList empty;
  empty.end();
  test::MovieBuilder movie(8);
  movie.frameCount(2)
      .tag(32, square.defineShape(1, test::rectBytes(0, 200, 0, 200)))
      .tag(48, {0x02, 0x00, 0x00})
      .tag(11, {0x03, 0x00})
      .tag(37, {0x04, 0x00})
      .doAction({0x07, 0x00})
      .placeObject2Plain(1, 1)
      .showFrame()
      .defineSprite(5, 1, placing)
      .defineSprite(6, 1, empty)
      .showFrame()
      .end();
  return movie.build();
}

std::vector<std::string> treeTexts(const QTreeWidget* tree) {
  std::vector<std::string> texts;
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) texts.push_back((*it)->text(0).toStdString());
  return texts;
}

std::vector<std::string> coreTexts(const std::vector<ObjectTreeItem>& items) {
  std::vector<std::string> texts;
  for (const ObjectTreeItem& item : items) {
    texts.push_back(item.text);
    for (const std::string& text : coreTexts(item.children)) texts.push_back(text);
  }
  return texts;
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& text) {
  const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.front();
}

TEST(AssetsTab, AThirdTabListsTheAssetsAndFramesBesideTheSpecifiedTabs) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  CMovieObjectsPanel* panel = frame.objectsPanel();
  ASSERT_EQ(panel->count(), 3);
  EXPECT_EQ(panel->tabText(0), QStringLiteral("Object Library"));
  EXPECT_EQ(panel->tabText(1), QStringLiteral("Object Instances"));
  EXPECT_EQ(panel->tabText(2), QStringLiteral("Assets"));
  EXPECT_EQ(treeTexts(panel->assetTree()), std::vector<std::string>{"No Movie Objects"});

  const std::string path = fixture.temp.file("assets.swf");
  test::writeFile(path, assetMovie());
  frame.openMovie(path);
  ASSERT_TRUE(frame.movieLoaded());
  // The object library knows nothing of the assets.
  EXPECT_EQ(treeTexts(panel->objectTree()),
            (std::vector<std::string>{"Main Movie Stage", "Actions (1)", "Action Script For  Frame[0] "}));
  EXPECT_EQ(treeTexts(panel->assetTree()),
            (std::vector<std::string>{"Main Movie Stage", "Shapes (1)", "Shape (ID 1) ", "Fonts (1)", "Font (ID 2) ",
                                      "Texts (2)", "Text (ID 3) ", "Edit Text (ID 4) ", "Frames (2)", "Frame[0] ",
                                      "Frame[1] ", "Movie Object (ID 1)", "Frames (1)", "Frame[0] "}));
  EXPECT_TRUE(panel->assetTree()->topLevelItem(0)->isExpanded());

  // With the panel options on, the details and the empty sprite appear as in the library.
  frame.settings().options.showAdvancedDetails = 1;
  frame.settings().options.showEmptyMovieObjects = 1;
  frame.scan();
  EXPECT_EQ(treeTexts(panel->assetTree()), coreTexts(assetTree(frame.scanResult(), true, true)));
  EXPECT_NE(findItem(panel->assetTree(), QStringLiteral("Movie Object (ID 2) 1 Frames tagid 6")), nullptr);

  // Selecting an item asks for its window by its kind: the object's serial, or the frame's id.
  QSignalSpy views(panel, &CMovieObjectsPanel::changeView);
  QTreeWidget* assets = panel->assetTree();
  const ShapeObject& shape = *frame.scanResult().firstTimeline()->shapes.front();
  assets->setCurrentItem(findItem(assets, QString::fromStdString(shape.describe(true))));
  assets->setCurrentItem(findItem(assets, QStringLiteral("Frames (1)"))->child(0));
  assets->setCurrentItem(findItem(assets, QStringLiteral("Fonts (1)")));
  ASSERT_EQ(views.size(), 3);
  EXPECT_EQ(views[0], (QList<QVariant>{viewkind::kShape, shape.serial}));
  // The sprite's frame comes after the main timeline's two.
  EXPECT_EQ(views[1], (QList<QVariant>{viewkind::kFrame, 3}));
  EXPECT_EQ(views[2].at(0).toInt(), viewkind::kNone);
}

}  // namespace
}  // namespace orvane
