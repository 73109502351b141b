#include "shell/RecentFilesMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <filesystem>

#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using Paths = std::vector<std::string>;

std::vector<QString> menuTexts(const QMenu& menu) {
  std::vector<QString> texts;
  for (const QAction* action : menu.actions()) texts.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
  return texts;
}

QMenu* fileMenu(const CMainFrame& frame) { return frame.menuBar()->actions().front()->menu(); }

std::string writeMovie(const test::ScratchFolder& folder, const std::string& name) {
  test::MovieBuilder movie(5);
  movie.doAction({0x07, 0x00}).showFrame().end();
  const std::string path = folder.file(name);
  test::writeFile(path, movie.build());
  return path;
}

TEST(RecentFilesMenu, KeepsFourNewestFirstInFrontOfItsAnchorAndInTheProfile) {
  test::qtApplication();
  QMenu menu;
  QAction* open = menu.addAction(QStringLiteral("Open"));
  QAction* exit = menu.addAction(QStringLiteral("Exit"));
  RecentFilesMenu recent(&menu, exit);
  EXPECT_EQ(menuTexts(menu), (std::vector<QString>{QStringLiteral("Open"), QStringLiteral("Exit")}));

  for (const char* path : {"/m/a.swf", "/m/b.swf", "/m/c.swf", "/m/a.swf", "/m/d&e.swf", "/m/f.swf"}) recent.add(path);
  // a moved to the front when opened again; then b, the oldest, fell off.
  EXPECT_EQ(recent.paths(), (Paths{"/m/f.swf", "/m/d&e.swf", "/m/a.swf", "/m/c.swf"}));
  EXPECT_EQ(menuTexts(menu), (std::vector<QString>{QStringLiteral("Open"), QStringLiteral("&1 /m/f.swf"),
                                                   QStringLiteral("&2 /m/d&&e.swf"), QStringLiteral("&3 /m/a.swf"),
                                                   QStringLiteral("&4 /m/c.swf"), QStringLiteral("-"),
                                                   QStringLiteral("Exit")}));
  std::vector<std::string> chosen;
  QObject::connect(&recent, &RecentFilesMenu::fileChosen, [&chosen](const std::string& path) { chosen.push_back(path); });
  recent.actions()[2]->trigger();
  EXPECT_EQ(chosen, Paths{"/m/a.swf"});

  test::ScratchFolder folder;
  const QString profilePath = QString::fromStdString(folder.file("layout.ini"));
  {
    QSettings profile(profilePath, QSettings::IniFormat);
    recent.save(profile);
  }
  recent.remove("/m/d&e.swf");
  recent.remove("/m/c.swf");
  EXPECT_EQ(recent.paths(), (Paths{"/m/f.swf", "/m/a.swf"}));
  {
    // Fewer entries than before: the keys of the missing ones go.
    QSettings profile(profilePath, QSettings::IniFormat);
    recent.save(profile);
    profile.sync();
    EXPECT_EQ(profile.value(QStringLiteral("Recent File List/File2")).toString(), QStringLiteral("/m/a.swf"));
    EXPECT_FALSE(profile.contains(QStringLiteral("Recent File List/File3")));
    profile.setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/m/f.swf"));
    profile.setValue(QStringLiteral("Recent File List/File4"), QStringLiteral("/m/g.swf"));
  }
  QMenu other;
  QAction* anchor = other.addAction(QStringLiteral("Exit"));
  RecentFilesMenu loaded(&other, anchor);
  loaded.load(QSettings(profilePath, QSettings::IniFormat));
  // The repeated entry is read once.
  EXPECT_EQ(loaded.paths(), (Paths{"/m/f.swf", "/m/a.swf", "/m/g.swf"}));
  EXPECT_EQ(menuTexts(other).size(), 5u);

  recent.remove("/m/f.swf");
  recent.remove("/m/a.swf");
  EXPECT_EQ(menuTexts(menu), (std::vector<QString>{QStringLiteral("Open"), QStringLiteral("Exit")}));
  EXPECT_EQ(menu.actions().front(), open);
}

TEST(RecentFilesMenu, TheFrameListsOpenedMoviesAndDropsVanishedOnes) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  const std::string first = writeMovie(fixture.temp, "first.swf");
  const std::string second = writeMovie(fixture.temp, "second.swf");
  frame.openMovie(first);
  frame.openMovie(second);
  // A file that does not scan, and a cancelled projector, are not listed.
  const std::string broken = fixture.temp.file("broken.swf");
  test::writeFile(broken, {'F', 'W', 'S'});
  frame.openMovie(broken);
  frame.openMovie(fixture.temp.file("game.exe"));
  EXPECT_EQ(frame.recentFiles()->paths(), (Paths{second, first}));
  const std::vector<QString> texts = menuTexts(*fileMenu(frame));
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[texts.size() - 4], QStringLiteral("&1 ") + QString::fromStdString(second));
  EXPECT_EQ(texts[texts.size() - 3], QStringLiteral("&2 ") + QString::fromStdString(first));
  EXPECT_EQ(texts[texts.size() - 2], QStringLiteral("-"));
  EXPECT_EQ(texts.back(), QStringLiteral("E&xit"));

  // An entry opens its movie like File Open, and comes first.
  frame.recentFiles()->actions()[1]->trigger();
  EXPECT_EQ(frame.currentPath(), first);
  EXPECT_TRUE(frame.movieLoaded());
  EXPECT_EQ(frame.recentFiles()->paths(), (Paths{first, second}));

  // An entry whose file is gone leaves the list with a message; the loaded movie stays.
  const std::size_t messagesBefore = fixture.messages.messages().size();
  std::filesystem::remove(second);
  frame.recentFiles()->actions()[1]->trigger();
  ASSERT_EQ(fixture.messages.messages().size(), messagesBefore + 1);
  EXPECT_EQ(fixture.messages.messages().back(),
            (Message{"", "Error : The File " + second + " no longer exists, it was removed from the Recent File List",
                     MessageIcon::Error}));
  EXPECT_EQ(frame.recentFiles()->paths(), Paths{first});
  EXPECT_EQ(frame.currentPath(), first);
  EXPECT_TRUE(frame.movieLoaded());

  // The list outlives the run.
  frame.close();
  CMainFrame again(
      FrameServices{fixture.messages, fixture.prompts, fixture.launcher, fixture.config.path(), fixture.temp.path()});
  EXPECT_EQ(again.recentFiles()->paths(), Paths{first});
  EXPECT_EQ(again.recentFiles()->actions().size(), 1u);
}

}  // namespace
}  // namespace orvane
