#include "abc/AbcObjects.h"

#include "abc/AbcNames.h"
#include "abc/AbcParser.h"
#include "movie/ScanResult.h"

namespace orvane {

namespace {

/// A new object of `timeline` that takes the tag's place in the movie; none when it cannot be allocated.
AbcObject* addObject(ScanResult& result, TimelineNode& timeline, const AbcTag& tag, AbcObject::Kind kind,
                     std::uint32_t index) {
  AbcObject* object = timeline.addAbcObject(static_cast<std::int32_t>(result.nextSerial()));
  if (object == nullptr) return nullptr;
  object->kind = kind;
  object->index = index;
  object->tag = &tag;
  object->characterId = static_cast<std::uint16_t>(tag.number);
  object->typeName = tag.typeName();
  object->frame = tag.frame;
  object->label = tag.label;
  object->headerOffset = tag.headerOffset;
  object->bodyEnd = tag.bodyEnd;
  object->bodyLength = tag.bodyLength;
  return object;
}

/// False when an object could not be allocated.
bool collectTag(ScanResult& result, TimelineNode& timeline, const AbcTag& tag, std::uint32_t& scriptNumber) {
  const AbcFile file = parseAbc(tag.block);
  AbcNames names(file);
  for (std::uint32_t i = 0; i < file.instances.size(); ++i) {
    AbcObject* object = addObject(result, timeline, tag, AbcObject::Kind::Class, i);
    if (object == nullptr) return false;
    object->className = names.multiname(file.instances[i].name);
  }
  for (std::uint32_t i = 0; i < file.scripts.size(); ++i) {
    AbcObject* object = addObject(result, timeline, tag, AbcObject::Kind::Script, i);
    if (object == nullptr) return false;
    object->scriptNumber = scriptNumber++;
  }
  return true;
}

}  // namespace

bool isClassNamed(const AbcObject& object, const std::string& name) {
  if (object.kind != AbcObject::Kind::Class) return false;
  if (object.className == name) return true;
  const std::size_t separator = object.className.rfind("::");
  return separator != std::string::npos && object.className.compare(separator + 2, std::string::npos, name) == 0;
}

void collectAbcObjects(ScanResult& result) {
  std::uint32_t scriptNumber = 0;
  for (const auto& timeline : result.timelines())
    for (const auto& tag : timeline->abcTags)
      if (!collectTag(result, *timeline, *tag, scriptNumber)) return;
}

}  // namespace orvane
