// The decompiled source of an action block, and of a button's or clip's event blocks.
#pragma once

#include <cstdint>
#include <string>

#include "actions/ActionList.h"

namespace orvane {

class ButtonObject;
class MessageSink;

/// The block's script as its author wrote it, without a header; empty for an empty block.
std::string SourceListing(const ActionList& records);

/// The events of one condition in the authoring language: for buttons "release,
/// keyPress \"<Enter>\"" (press, release, releaseOutside, rollOver, rollOut, dragOver,
/// dragOut, then the key), for clips "enterFrame" (load, enterFrame, unload, mouseMove,
/// mouseDown, mouseUp, keyDown, keyUp, data, initialize, and the button events a clip can
/// have, press to dragOver, which open an "on (...)" block).
std::string SourceEventNames(std::uint16_t conditionWord, bool isButton);

/// A button's or clip's condition actions as "on (...) {" or "onClipEvent (...) {" blocks,
/// one empty line between them.
std::string SourceConditionListing(const ButtonObject& owner, MessageSink& messages);

}  // namespace orvane
