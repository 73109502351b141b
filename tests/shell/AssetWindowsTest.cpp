#include <gtest/gtest.h>

#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

#include "fonts/TrueTypeWriter.h"
#include "movie/AssetTree.h"
#include "movie/TagHeader.h"
#include "shell/CAssetFrameWnd.h"
#include "shell/CAssetPictureView.h"
#include "shell/CFontFrameWnd.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "shell/MoviePanelWidgets.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/AssetMovie.h"
#include "tests/support/FontBuilder.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/ShapeBuilder.h"

namespace orvane {
namespace {

using test::Bytes;
using test::ByteWriter;

struct AssetFixture : test::FrameFixture {
  AssetFixture() {
    const std::string path = temp.file("assets.swf");
    test::writeFile(path, test::assetMovie());
    frame->openMovie(path);
  }

  /// Selects the item of the "Assets" tab with this text.
  void select(const QString& text) {
    QTreeWidget* tree = frame->objectsPanel()->assetTree();
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    tree->setCurrentItem(found.front());
  }
  template <typename Window>
  Window* active() const {
    QMdiSubWindow* window = frame->mdiArea()->activeSubWindow();
    return window == nullptr ? nullptr : qobject_cast<Window*>(window->widget());
  }
  std::size_t windowCount() const { return static_cast<std::size_t>(frame->mdiArea()->subWindowList().size()); }
};

QColor centreColour(const QImage& image) { return image.pixelColor(image.width() / 2, image.height() / 2); }

std::pair<std::uint32_t, std::uint32_t> pngSize(const std::vector<std::uint8_t>& png) {
  const auto at = [&png](std::size_t offset) {
    return std::uint32_t{png.at(offset)} << 24 | std::uint32_t{png.at(offset + 1)} << 16 |
           std::uint32_t{png.at(offset + 2)} << 8 | png.at(offset + 3);
  };
  return {at(16), at(20)};
}

std::string readText(const std::string& path) {
  const Bytes bytes = test::readFile(path);
  return {bytes.begin(), bytes.end()};
}

TEST(AssetWindows, AShapeOpensScaledToFitWithItsBoundsAndSavesAsSvgOrPng) {
  AssetFixture fixture;
  ASSERT_TRUE(fixture.frame->movieLoaded());
  fixture.select(QStringLiteral("Shape (ID 1) "));
  auto* window = fixture.active<CAssetFrameWnd>();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Shape (ID 1) "));
  EXPECT_EQ(window->slider(), nullptr);
  EXPECT_EQ(window->view()->lines(), QStringList{QStringLiteral("ID : 1 , X : 0 , Y : 0 , Width : 10 , Height : 10")});
  EXPECT_TRUE(window->view()->notes().isEmpty());
  // Ten pixels fit the window many times over: drawn at the largest scale, 20.
  EXPECT_EQ(window->view()->picture().size(), QSize(200, 200));
  EXPECT_EQ(centreColour(window->view()->picture()), QColor(255, 0, 0));

  // Selecting it again brings the same window back.
  fixture.select(QStringLiteral("Frames (3)"));
  fixture.select(QStringLiteral("Shape (ID 1) "));
  EXPECT_EQ(fixture.windowCount(), 1u);

  // Extract Object: the document as shown, or its picture at scale 1 under a ".png" name.
  fixture.prompts.savePaths = {fixture.temp.file("square"), fixture.temp.file("square.png")};
  fixture.frame->command(cmd::kExtractObject)->trigger();
  EXPECT_EQ(readText(fixture.temp.file("square.svg")), window->picture().svg);
  fixture.frame->command(cmd::kExtractObject)->trigger();
  EXPECT_EQ(pngSize(test::readFile(fixture.temp.file("square.png"))), (std::pair<std::uint32_t, std::uint32_t>{10, 10}));
  EXPECT_TRUE(fixture.messages.messages().empty());

  // A folder that cannot be written says so.
  fixture.prompts.savePaths = {fixture.temp.file("missing/square.svg")};
  window->runCommand(cmd::kExtractObject);
  ASSERT_EQ(fixture.messages.messages().size(), 1u);
  EXPECT_EQ(fixture.messages.messages()[0].text, "Error writing output file, Disk may be full or write protected");
}

TEST(AssetWindows, AFillOfAMissingBitmapLeavesANoteInTheShapeAndFrameWindows) {
  AssetFixture fixture;
  fixture.select(QStringLiteral("Shape (ID 9) "));
  auto* shape = fixture.active<CAssetFrameWnd>();
  ASSERT_NE(shape, nullptr);
  ASSERT_EQ(shape->view()->notes().size(), 1);
  EXPECT_TRUE(shape->view()->notes()[0].contains(QStringLiteral("77"))) << shape->view()->notes()[0].toStdString();
  // Nothing is filled, as the player leaves it.
  EXPECT_EQ(centreColour(shape->view()->picture()).alpha(), 0);

  fixture.select(QStringLiteral("Frame[0] "));
  auto* frames = fixture.active<CAssetFrameWnd>();
  ASSERT_NE(frames, nullptr);
  EXPECT_TRUE(frames->view()->notes().isEmpty());
  frames->showPosition(1);
  EXPECT_EQ(frames->view()->notes(), shape->view()->notes());
}

TEST(AssetWindows, TheMorphShapeSliderRunsOverEveryRatio) {
  AssetFixture fixture;
  fixture.select(QStringLiteral("Morph Shape (ID 2) "));
  auto* window = fixture.active<CAssetFrameWnd>();
  ASSERT_NE(window, nullptr);
  ASSERT_NE(window->slider(), nullptr);
  EXPECT_EQ(window->slider()->minimum(), 0);
  EXPECT_EQ(window->slider()->maximum(), 65535);
  EXPECT_EQ(window->positionLabel()->text(), QStringLiteral("Ratio : 0"));
  EXPECT_EQ(window->view()->lines()[0], QStringLiteral("ID : 2 , X : 0 , Y : 0 , Width : 10 , Height : 10"));
  EXPECT_EQ(centreColour(window->view()->picture()), QColor(255, 0, 0));

  // The slider draws once the event loop runs: the end shape, twice as large and blue.
  window->slider()->setValue(65535);
  QTRY_COMPARE(window->positionLabel()->text(), QStringLiteral("Ratio : 65535"));
  EXPECT_EQ(window->view()->lines()[0], QStringLiteral("ID : 2 , X : 0 , Y : 0 , Width : 20 , Height : 20"));
  EXPECT_EQ(centreColour(window->view()->picture()), QColor(0, 0, 255));
  // Half way: 15 pixels, the colour between.
  window->showPosition(32768);
  EXPECT_EQ(window->view()->lines()[0], QStringLiteral("ID : 2 , X : 0 , Y : 0 , Width : 15 , Height : 15"));
  const QColor between = centreColour(window->view()->picture());
  EXPECT_NEAR(between.red(), 127, 2);
  EXPECT_NEAR(between.blue(), 128, 2);

  // Save Animated SVG: the red square turning into the blue one.
  fixture.prompts.savePaths = {fixture.temp.file("growing")};
  window->runCommand(cmd::kSaveAnimation);
  EXPECT_NE(readText(fixture.temp.file("growing.svg")).find(R"(<animate attributeName="fill" values="#ff0000;#0000ff")"),
            std::string::npos);
  EXPECT_TRUE(fixture.messages.messages().empty());
}

TEST(AssetWindows, OneFrameWindowPerTimelineFollowsTheFrameChosen) {
  AssetFixture fixture;
  fixture.select(QStringLiteral("Frame[1] "));
  auto* window = fixture.active<CAssetFrameWnd>();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Frames Of Main Movie Stage"));
  ASSERT_NE(window->slider(), nullptr);
  EXPECT_EQ(window->slider()->maximum(), 2);
  EXPECT_EQ(window->slider()->value(), 1);
  EXPECT_EQ(window->positionLabel()->text(), QStringLiteral("Frame[1] of 3 Frames"));
  EXPECT_EQ(window->view()->lines()[0], QStringLiteral("X : 0 , Y : 0 , Width : 100 , Height : 100"));

  fixture.select(QStringLiteral("Frame[0] "));
  EXPECT_EQ(fixture.windowCount(), 1u);
  EXPECT_EQ(window->slider()->value(), 0);
  // The square's middle, at 5 pixels of the stage, on the picture drawn to fit.
  const QImage& picture = window->view()->picture();
  ASSERT_FALSE(picture.isNull());
  const double scale = picture.width() / 100.0;
  EXPECT_EQ(picture.pixelColor(static_cast<int>(5 * scale), static_cast<int>(5 * scale)), QColor(255, 0, 0));
  // Frame 2 removed it: the stage's white shows.
  window->slider()->setValue(2);
  QTRY_COMPARE(window->positionLabel()->text(), QStringLiteral("Frame[2] of 3 Frames"));
  EXPECT_EQ(window->view()->picture().pixelColor(static_cast<int>(5 * scale), static_cast<int>(5 * scale)),
            QColor(255, 255, 255));

  // Saved as PNG at the stage's size unless a name asks for SVG.
  fixture.prompts.savePaths = {fixture.temp.file("frame")};
  window->runCommand(cmd::kExtractObject);
  EXPECT_EQ(pngSize(test::readFile(fixture.temp.file("frame.png"))), (std::pair<std::uint32_t, std::uint32_t>{100, 100}));

  // A rescan closes the window; the tree's id of another timeline's frame opens its own.
  fixture.frame->command(cmd::kRescan)->trigger();
  EXPECT_EQ(fixture.windowCount(), 0u);
  fixture.frame->changeView(viewkind::kFrame, 99);
  EXPECT_EQ(fixture.windowCount(), 0u);
}

TEST(AssetWindows, TheFontWindowShowsEveryGlyphWithItsCodeAndSavesTheFont) {
  AssetFixture fixture;
  fixture.select(QStringLiteral("Font (ID 3) "));
  auto* window = fixture.active<CFontFrameWnd>();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->summary()->text().startsWith(QStringLiteral("Font Name : Boxes\nGlyphs : 2\n")));
  QAbstractItemModel* glyphs = window->glyphs()->model();
  ASSERT_EQ(glyphs->rowCount(), 2);
  EXPECT_EQ(glyphs->index(0, 0).data().toString(), QStringLiteral("U+0041 A"));
  EXPECT_EQ(glyphs->index(1, 0).data().toString(), QStringLiteral("U+0042 B"));
  const QPixmap picture = glyphs->index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
  ASSERT_EQ(picture.size(), QSize(GlyphListModel::kGlyphPixels, GlyphListModel::kGlyphPixels));
  // The box glyph fills the middle of its picture, black on white.
  const QImage pixels = picture.toImage();
  EXPECT_EQ(pixels.pixelColor(GlyphListModel::kGlyphPixels / 4 + 2, GlyphListModel::kGlyphPixels / 2), QColor(0, 0, 0));
  EXPECT_EQ(pixels.pixelColor(1, 1), QColor(255, 255, 255));

  fixture.prompts.savePaths = {fixture.temp.file("boxes")};
  window->runCommand(cmd::kExtractObject);
  EXPECT_EQ(test::readFile(fixture.temp.file("boxes.ttf")), fontFileOf(window->font()).bytes);
  EXPECT_EQ(test::readFile(fixture.temp.file("boxes.ttf")).at(1), 0x01);  // sfnt version 1.0
}

TEST(AssetWindows, TextWindowsShowTheCharactersAndAnEditTextsProperties) {
  AssetFixture fixture;
  fixture.select(QStringLiteral("Text (ID 4) "));
  auto* text = fixture.active<CAssetFrameWnd>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->findChild<QPlainTextEdit*>(QStringLiteral("textCharacters"))->toPlainText(), QStringLiteral("AB"));
  EXPECT_EQ(text->findChild<QTreeWidget*>(QStringLiteral("textProperties")), nullptr);
  EXPECT_FALSE(text->view()->picture().isNull());

  fixture.select(QStringLiteral("Edit Text (ID 5) "));
  auto* edit = fixture.active<CAssetFrameWnd>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->findChild<QPlainTextEdit*>(QStringLiteral("textCharacters"))->toPlainText(), QStringLiteral("Hello"));
  const auto* properties = edit->findChild<QTreeWidget*>(QStringLiteral("textProperties"));
  ASSERT_NE(properties, nullptr);
  const QList<QTreeWidgetItem*> variable = properties->findItems(QStringLiteral("Variable"), Qt::MatchExactly);
  ASSERT_EQ(variable.size(), 1);
  EXPECT_TRUE(variable.front()->text(1).contains(QStringLiteral("score")));
  EXPECT_EQ(fixture.windowCount(), 2u);
}

}  // namespace
}  // namespace orvane
