#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "abcsource/AbcTexts.h"
#include "movie/MoviePanels.h"
#include "shell/CActionFrameWnd.h"
#include "shell/CActionView.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "shell/MoviePanelWidgets.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/AbcBuilder.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

/// A version 10 movie whose DoABC tag holds com.example::Foo and its script.
std::string writeAbcMovie(const test::ScratchFolder& folder) {
  test::MovieBuilder movie(10);
  movie.doAbc(1, "frame1", test::exampleAbc()).showFrame().end();
  const std::string path = folder.file("as3.swf");
  test::writeFile(path, movie.build());
  return path;
}

std::string propertyValue(const QTreeWidget* panel, const QString& property) {
  const QList<QTreeWidgetItem*> found = panel->findItems(property, Qt::MatchExactly);
  return found.isEmpty() ? std::string("(none)") : found.front()->text(1).toStdString();
}

TEST(AbcWindow, AClassOpensFromTheTreeInAnActionWindowColouredAsActionScript3) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  frame.openMovie(writeAbcMovie(fixture.temp));
  EXPECT_EQ(propertyValue(frame.propertiesPanel(), QStringLiteral("ActionScript 3 Classes Count")), " 1");
  EXPECT_EQ(propertyValue(frame.propertiesPanel(), QStringLiteral("ActionScript 3 Scripts Count")), " 1");

  QTreeWidget* tree = frame.objectsPanel()->objectTree();
  const QList<QTreeWidgetItem*> folders =
      tree->findItems(QStringLiteral("ActionScript 3 (2)"), Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(folders.size(), 1);
  QTreeWidgetItem* classItem = folders.front()->child(0);
  ASSERT_EQ(classItem->text(0), QStringLiteral("Class com.example::Foo "));
  tree->setCurrentItem(classItem);
  CActionFrameWnd* window = frame.activeActionWindow();
  ASSERT_NE(window, nullptr);
  const auto serial = static_cast<std::uint32_t>(classItem->data(0, Qt::UserRole).toInt());
  const AbcObject* object = frame.scanResult().findAbcObject(serial, true);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Class com.example::Foo "));
  AbcTexts texts;
  EXPECT_EQ(window->view()->bytes(), texts.windowText(*object, window->mode()));
  EXPECT_EQ(window->shownVersion(), 3);

  // "Let Orvane Decide" opens ActionScript 3 in the source, whose first line is the package.
  EXPECT_EQ(window->mode(), TranslationMode::Source);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  window->view()->viewport()->repaint();
  const QTextBlock packageLine = window->view()->document()->findBlockByNumber(0);
  ASSERT_EQ(packageLine.text(), QStringLiteral("package com.example {"));
  const QList<QTextLayout::FormatRange> formats = packageLine.layout()->formats();
  ASSERT_FALSE(formats.isEmpty());
  EXPECT_EQ(formats[0].start, 0);
  EXPECT_EQ(formats[0].length, 7);
  const Rgb keyword = frame.settings().colours.keywords;
  EXPECT_EQ(formats[0].format.foreground().color(),
            QColor((keyword >> 16) & 0xFF, (keyword >> 8) & 0xFF, keyword & 0xFF));

  // The byte-code modes show the bytes of the bodies; the colours stay those of version 3.
  window->runCommand(cmd::kByteCodeHex);
  EXPECT_EQ(window->view()->bytes(), texts.windowText(*object, TranslationMode::ByteCodeHex));
  EXPECT_NE(window->view()->bytes().find("                0  0xd0 \n"), std::string::npos);
  EXPECT_EQ(window->shownVersion(), 3);

  // The script opens by its serial like any object; a serial of another kind opens nothing.
  const AbcObject* script = frame.scanResult().firstTimeline()->abcObjects.at(1).get();
  frame.changeView(viewkind::kAbc, script->serial);
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(frame.activeActionWindow()->view()->bytes(), texts.windowText(*script, frame.activeActionWindow()->mode()));
  frame.changeView(viewkind::kAbc, 9999);
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
  EXPECT_TRUE(fixture.messages.messages().empty());
}

}  // namespace
}  // namespace orvane
