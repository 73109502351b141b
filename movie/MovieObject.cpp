#include "movie/MovieObject.h"

#include <cstdio>

#include "movie/TagHeader.h"

namespace orvane {

std::string MovieObject::baseText(bool details) const {
  const std::string text = " Frame[" + std::to_string(frame) + "] ";
  return details ? text + detailText() : text;
}

std::string MovieObject::detailText() const {
  std::string text = label.empty() ? "" : "Label: " + label + " ";
  return text + "tagID[" + std::to_string(characterId) + "] " + typeName + " Size:" +
         std::to_string(static_cast<std::int32_t>(bodyLength)) + " ";
}

std::string MovieObject::describe(bool details) const { return baseText(details); }

std::string ActionObject::describe(bool details) const { return "Action Script For " + baseText(details); }

std::string InitActionObject::describe(bool details) const {
  const std::string text = "Init Actions For Movie Object (ID " + std::to_string(characterId) + ") ";
  return details ? text + detailText() : text;
}

std::string ImageObject::describe(bool details) const { return "Image Defined at" + baseText(details); }

void ImageObject::releaseResources() {
  if (viewable && !tempFilePath.empty()) std::remove(tempFilePath.c_str());
}

std::string SoundObject::describe(bool details) const { return "Sound Defined at" + baseText(details); }

std::string VideoObject::describe(bool details) const { return "Video Defined at" + baseText(details); }

std::string ButtonObject::describe(bool details) const { return "Button Defined at" + baseText(details); }

ConditionAction* ButtonObject::addConditionAction(std::uint16_t word, const std::uint8_t* bytes,
                                                  std::size_t length) {
  auto action = std::make_unique<ConditionAction>();
  action->conditionWord = word;
  action->bytes.assign(bytes, bytes + length);
  action->frame = frame;
  action->headerOffset = headerOffset;
  action->bodyEnd = bodyEnd;
  action->bodyLength = bodyLength;
  action->movieVersion = movieVersion;
  conditionActions.push_back(std::move(action));
  return conditionActions.back().get();
}

const char* AbcTag::typeName() const { return code == tag::kDoAbc1 ? "DoABC1" : "DoABC"; }

std::string AbcObject::describe(bool details) const {
  const std::string text = kind == Kind::Class ? "Class " + className : "Script " + std::to_string(scriptNumber);
  return text + (details ? baseText(true) : " ");
}

std::string InstanceObject::describe(bool) const {
  if (instanceName.empty()) return "Sprite Instance ";
  return "Sprite Instance " + instanceName + " ";
}

}  // namespace orvane
