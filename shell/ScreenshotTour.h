// A scripted walk through the main window for documentation screenshots: one object window
// of each kind and the dialogs, each saved as a PNG picture.
#pragma once

#include <QString>

namespace orvane {

class CMainFrame;

/// Plays the movie in the preview panel for a moment and grabs the main window, then opens
/// the first frame action, button, sprite instance, image and sound of the loaded
/// movie, grabbing the main window after each, then the options dialog, the image
/// replacement dialog and the report of an extraction, and last the find bar of the frame
/// action's window and the "Search Results" panel; writes main.png, action-frame.png,
/// action-button.png, action-instance.png, image.png, sound.png, preview.png, tiled.png,
/// options.png, replace-image.png, extraction-report.png, find-bar.png and
/// search-results.png into `folder`.
/// False when a picture could not be written.
[[nodiscard]] bool takeScreenshots(CMainFrame& frame, const QString& folder);

}  // namespace orvane
