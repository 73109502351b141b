// Reads the input as the ABC block of a DoABC tag and makes every text of it: the whole tag
// (every class and script, the methods they do not show), and each class and script with
// its bodies as bytes, which decodes and lists every method body.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "abc/AbcObjectText.h"
#include "movie/TagHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Every table and body is checked against the block's size, so a megabyte explores all
  // the structure a larger input could.
  if (size > (1u << 20)) return 0;
  orvane::AbcTag tag;
  tag.code = orvane::tag::kDoAbc;
  tag.block.assign(data, data + size);
  orvane::AbcTagTexts texts(tag);
  std::ostringstream everything;
  texts.writeEverything(everything);
  orvane::AbcObject object;
  object.tag = &tag;
  object.kind = orvane::AbcObject::Kind::Class;
  for (object.index = 0; object.index < texts.file().instances.size(); ++object.index)
    static_cast<void>(texts.objectText(object, orvane::ByteCodeKind::Character));
  object.kind = orvane::AbcObject::Kind::Script;
  for (object.index = 0; object.index < texts.file().scripts.size(); ++object.index)
    static_cast<void>(texts.objectText(object, orvane::ByteCodeKind::Integer));
  return 0;
}
