#include "objects/PreviewPage.h"

#include "platform/DefaultApplication.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

constexpr const char* kControlCabinet = "https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab";
constexpr const char* kPluginPage = "https://www.macromedia.com/go/getflashplayer";
constexpr const char* kNoBrowser = "Error, no defualt Browser Found on your system";

std::string escapeHtml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string previewPageText(const std::string& moviePath, std::int32_t width, std::int32_t height) {
  const std::string path = escapeHtml(moviePath);
  const std::string size = "WIDTH=" + std::to_string(width) + " HEIGHT=" + std::to_string(height);
  return std::string("<HTML><BODY bgcolor=\"#000000\"><OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\""
                     "codebase=\"") +
         kControlCabinet + "#version=4,0,0,0\"" + "ID=temp " + size + ">" + "<PARAM NAME=movie VALUE=\"" + path +
         "\">" + "<PARAM NAME=quality VALUE=high> " + "<EMBED src=\"" + path + "\" quality=high " + size + " " +
         "TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\"" + kPluginPage + "\"></EMBED>" +
         "</OBJECT></BODY></HTML>";
}

std::string previewPagePath(const std::string& tempFolder) { return tempFolder + "/tmphtml.htm"; }

bool writePreviewPage(const std::string& pagePath, const std::string& text) {
  FileHandle page = openFile(pagePath, "w");
  if (!page) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), page.get()) == text.size();
  return closeFile(page) && written;
}

bool previewInBrowser(const std::string& moviePath, std::int32_t width, std::int32_t height,
                      const std::string& pagePath, ProgramLauncher& launcher, MessageSink& sink) {
  // A page that cannot be written is not reported; the browser shows the old one, if any.
  static_cast<void>(writePreviewPage(pagePath, previewPageText(moviePath, width, height)));
  if (OpenWithDefaultBrowser(pagePath, launcher) != 0) return true;
  sink.show({"", kNoBrowser, MessageIcon::Error});
  return false;
}

}  // namespace orvane
