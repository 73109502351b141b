// A scripted walk through the main window for documentation screenshots: one action window
// of each kind and the options dialog, each saved as a PNG picture.
#pragma once

#include <QString>

namespace orvane {

class CMainFrame;

/// Opens the first frame action, button and sprite instance of the loaded movie, grabs
/// the main window after each, then the options dialog, and writes main.png,
/// action-frame.png, action-button.png, action-instance.png and options.png into
/// `folder`. False when a picture could not be written.
[[nodiscard]] bool takeScreenshots(CMainFrame& frame, const QString& folder);

}  // namespace orvane
