// The HTML page that shows the loaded movie in the default web browser.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

class MessageSink;
class ProgramLauncher;

/// The one-line page embedding the movie through the ActiveX control and the plug-in, at
/// the movie's size. The movie path is written with &, ", < and > escaped for HTML.
std::string previewPageText(const std::string& moviePath, std::int32_t width, std::int32_t height);

/// The page file in the temp folder: "tmphtml.htm", overwritten by every preview.
std::string previewPagePath(const std::string& tempFolder);

/// Writes the page text to `pagePath`; false when the file cannot be written.
[[nodiscard]] bool writePreviewPage(const std::string& pagePath, const std::string& text);

/// The preview: writes the page (a page that cannot be written is skipped silently) and
/// starts the default browser on it; without a browser shows "Error, no defualt Browser
/// Found on your system" and gives false.
bool previewInBrowser(const std::string& moviePath, std::int32_t width, std::int32_t height,
                      const std::string& pagePath, ProgramLauncher& launcher, MessageSink& sink);

}  // namespace orvane
