#include "movie/TagHeader.h"

namespace orvane {

TagHeader readTagHeader(BitReader& reader) {
  TagHeader header;
  header.headerOffset = reader.position();
  const std::uint16_t codeAndLength = reader.readU16();
  header.code = static_cast<std::uint16_t>(codeAndLength >> 6);
  header.length = codeAndLength & 0x3Fu;
  // A long-form header whose length is below 63 is valid and read the same way.
  if (header.length == 0x3F) header.length = reader.readU32();
  header.bodyOffset = reader.position();
  header.bodyEnd = static_cast<std::uint64_t>(header.bodyOffset) + header.length;
  return header;
}

}  // namespace orvane
