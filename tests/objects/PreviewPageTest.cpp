#include "objects/PreviewPage.h"

#include <gtest/gtest.h>

#include "platform/MessageSink.h"
#include "tests/platform/RecordingLauncher.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

TEST(PreviewPage, OneLineAtTheMovieSize) {
  const std::string expected =
      "<HTML><BODY bgcolor=\"#000000\"><OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"codebase=\""
      "https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=4,0,0,0\""
      "ID=temp WIDTH=550 HEIGHT=400>"
      "<PARAM NAME=movie VALUE=\"/home/u/clip.swf\">"
      "<PARAM NAME=quality VALUE=high> "
      "<EMBED src=\"/home/u/clip.swf\" quality=high WIDTH=550 HEIGHT=400 "
      "TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\"https://www.macromedia.com/go/getflashplayer\"></EMBED>"
      "</OBJECT></BODY></HTML>";
  EXPECT_EQ(previewPageText("/home/u/clip.swf", 550, 400), expected);

  // The movie path is escaped so that it cannot end the attribute or open an element.
  const std::string page = previewPageText("/tmp/a&b \"c\" <d>.swf", 1, 2);
  EXPECT_NE(page.find("VALUE=\"/tmp/a&amp;b &quot;c&quot; &lt;d&gt;.swf\""), std::string::npos);
  EXPECT_NE(page.find("src=\"/tmp/a&amp;b &quot;c&quot; &lt;d&gt;.swf\""), std::string::npos);
}

TEST(PreviewPage, WritesThePageAndReportsAMissingBrowser) {
  test::ScratchFolder folder;
  const std::string pagePath = previewPagePath(folder.path());
  EXPECT_EQ(pagePath, folder.path() + "/tmphtml.htm");
  test::RecordingLauncher launcher;  // xdg-mime knows no browser
  RecordingMessageSink sink;
  EXPECT_FALSE(previewInBrowser("/m.swf", 550, 400, pagePath, launcher, sink));
  const std::string text = previewPageText("/m.swf", 550, 400);
  EXPECT_EQ(test::readFile(pagePath), std::vector<std::uint8_t>(text.begin(), text.end()));
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, "Error, no defualt Browser Found on your system");
}

}  // namespace
}  // namespace orvane
