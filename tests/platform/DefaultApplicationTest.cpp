#include "platform/DefaultApplication.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/platform/RecordingLauncher.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using Words = std::vector<std::string>;

TEST(DefaultApplication, ExecLineIsCutAtTheFirstFieldCode) {
  // A quoted field code is cut at its opening quotation mark; the blank before it stays.
  EXPECT_EQ(cutAtFieldCode("\"/opt/my browser/run\" \"%u\""), "\"/opt/my browser/run\" ");
  EXPECT_EQ(cutAtFieldCode("firefox -url %U --new"), "firefox -url ");
  EXPECT_EQ(cutAtFieldCode("viewer --single"), "viewer --single");
  EXPECT_EQ(cutAtFieldCode("tool --rate=100%% %f %u"), "tool --rate=100%% ");
  EXPECT_EQ(cutAtFieldCode("tool %"), "tool %");

  EXPECT_EQ(splitExecLine("\"/opt/my browser/run\" "), (Words{"/opt/my browser/run"}));
  EXPECT_EQ(splitExecLine("firefox -url "), (Words{"firefox", "-url"}));
  EXPECT_EQ(splitExecLine("app --name \"a \\\"b\\\" c\" %i --rate=100%%"),
            (Words{"app", "--name", "a \"b\" c", "--rate=100%"}));
  EXPECT_FALSE(splitExecLine("app \"unclosed"));
}

TEST(DefaultApplication, ExecValueOfTheDesktopEntryGroup) {
  const std::string entry =
      "[Desktop Action new]\nExec=wrong %u\n"
      "[Desktop Entry]\n# comment\nName=Web\nExec[de]=lokal\nExec = /usr/bin/web\\sbrowser %U\nExec=second\n";
  EXPECT_EQ(desktopEntryExec(entry), "/usr/bin/web browser %U");
  EXPECT_FALSE(desktopEntryExec("[Desktop Entry]\nName=x\n"));
}

TEST(DefaultApplication, DesktopEntriesInFoldersAndSubFolders) {
  test::ScratchFolder folder;
  std::filesystem::create_directories(folder.file("first/vendor"));
  std::filesystem::create_directories(folder.file("second"));
  test::writeFile(folder.file("first/vendor/my-web.desktop"), {'x'});
  test::writeFile(folder.file("second/plain.desktop"), {'x'});
  const Words folders = {folder.file("first"), folder.file("second")};
  EXPECT_EQ(findDesktopEntry("vendor-my-web.desktop", folders), folder.file("first/vendor/my-web.desktop"));
  EXPECT_EQ(findDesktopEntry("plain.desktop", folders), folder.file("second/plain.desktop"));
  EXPECT_FALSE(findDesktopEntry("missing.desktop", folders));
  EXPECT_FALSE(findDesktopEntry("../second/plain.desktop", folders));
}

TEST(DefaultApplication, BrowserIsStartedWithThePageAsOneArgument) {
  test::ScratchFolder folder;
  std::filesystem::create_directories(folder.file("share/applications"));
  const std::string entry = "[Desktop Entry]\nExec=web -n \"%u\"\n";
  test::writeFile(folder.file("share/applications/web.desktop"), {entry.begin(), entry.end()});
  ASSERT_EQ(setenv("XDG_DATA_HOME", folder.file("share").c_str(), 1), 0);

  test::RecordingLauncher launcher;
  EXPECT_EQ(OpenWithDefaultBrowser("/tmp/a page.htm", launcher), 0);  // xdg-mime gives no answer
  const Words query = {"xdg-mime", "query", "default", "text/html"};
  launcher.answers[query] = "web.desktop\n";
  EXPECT_NE(OpenWithDefaultBrowser("/tmp/a page.htm", launcher), 0);
  EXPECT_EQ(launcher.started, (std::vector<Words>{{"web", "-n", "/tmp/a page.htm"}}));
  launcher.startSucceeds = false;
  EXPECT_EQ(OpenWithDefaultBrowser("/tmp/a page.htm", launcher), 0);
  launcher.answers[query] = "../web.desktop\n";  // not a plain file name
  EXPECT_EQ(OpenWithDefaultBrowser("/tmp/a page.htm", launcher), 0);
  EXPECT_EQ(launcher.started.size(), 2u);
  unsetenv("XDG_DATA_HOME");

  EXPECT_FALSE(openWithDefaultProgram("/tmp/x y.swf", launcher));
  EXPECT_EQ(launcher.started.back(), (Words{"xdg-open", "/tmp/x y.swf"}));
}

TEST(SystemLauncher, CapturesOutputAndReportsFailureToStart) {
  SystemLauncher launcher;
  EXPECT_EQ(launcher.capture({"printf", "%s|", "a b", "c"}), "a b|c|");
  EXPECT_FALSE(launcher.capture({"false"}));
  EXPECT_FALSE(launcher.capture({"/nonexistent/orvane-program"}));
  EXPECT_FALSE(launcher.start({"/nonexistent/orvane-program"}));
  EXPECT_TRUE(launcher.start({"true"}));
}

}  // namespace
}  // namespace orvane
