// The decompiled source of an action block, and of a button's or clip's event blocks.
#pragma once

#include <cstdint>
#include <string>

#include "actions/ActionList.h"

namespace orvane {

class ButtonObject;
class MessageSink;

/// The block's script as its author wrote it, without a header; empty for an empty block.
/// The movie's version (0 when not known) decides how the Flash 4 operations print.
std::string SourceListing(const ActionList& records, int movieVersion);

/// The events of a button condition in the authoring language, "release, keyPress
/// \"<Enter>\"": press, release, releaseOutside, rollOver, rollOut, dragOver, dragOut, then
/// the key (the authoring tool's key names, else the key's character).
std::string SourceButtonEvents(std::uint16_t conditionWord);

/// The opening of a clip event block without its brace: "onClipEvent (enterFrame)" for the
/// clip events (load, enterFrame, unload, mouseMove, mouseDown, mouseUp, keyDown, keyUp,
/// data, initialize, construct), "on (press)" for the events a clip shares with buttons
/// (press ... dragOut, keyPress with `key`).
std::string SourceClipEventHeader(std::uint32_t flags, std::uint8_t key);

/// A button's or clip's condition actions as "on (...) {" or "onClipEvent (...) {" blocks,
/// one empty line between them.
std::string SourceConditionListing(const ButtonObject& owner, MessageSink& messages);

}  // namespace orvane
