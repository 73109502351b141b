// The windows of the vector assets and frames: which window each kind opens, and what it
// draws through the movie's artwork.
#pragma once

#include <string>

namespace orvane {

class AssetObject;
class CAssetFrameWnd;
class CObjectFrameWnd;
class MessageSink;
class MovieArtwork;
class ShellPrompts;
class TimelineNode;

/// The window of a shape (266), morph shape (267), font (268) or text (269); `title` is
/// the object's display text. `artwork` must outlive the window.
CObjectFrameWnd* createAssetWindow(int kind, const AssetObject& object, const std::string& title,
                                   MovieArtwork& artwork, MessageSink& messages, ShellPrompts& prompts);

/// The "Frame" window of `timeline`, at its first frame, with a slider over its frames.
CAssetFrameWnd* createFrameWindow(const TimelineNode& timeline, const std::string& title, MovieArtwork& artwork,
                                  MessageSink& messages, ShellPrompts& prompts);

}  // namespace orvane
