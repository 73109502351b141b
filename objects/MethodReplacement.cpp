#include "objects/MethodReplacement.h"

#include "abc/AbcBodyReplacement.h"
#include "abc/AbcMethodLookup.h"
#include "abc/AbcNames.h"
#include "abc/AbcParser.h"
#include "movie/BitReader.h"
#include "movie/MovieObject.h"
#include "movie/ScanResult.h"
#include "movie/TagHeader.h"
#include "movie/TagSplice.h"

namespace orvane {

namespace {

bool fail(AssemblyError& error, std::string message) {
  error = {0, 0, std::move(message)};
  return false;
}

}  // namespace

bool replaceMethodInImage(std::span<const std::uint8_t> image, const ScanResult& scan, const AbcObject& object,
                          const std::string& method, std::string_view text, std::vector<std::uint8_t>& out,
                          AssemblyError& error) {
  const AbcTag* tag = object.tag;
  if (tag == nullptr || object.kind != AbcObject::Kind::Class) return fail(error, "the object is not a class");
  BitReader reader(image);
  reader.setPosition(tag->headerOffset);
  const TagHeader header = readTagHeader(reader);
  if (reader.exhausted() || header.bodyEnd > image.size() || header.code != tag->code ||
      header.length != tag->bodyLength || tag->block.size() > header.length)
    return fail(error, "the movie no longer holds the class's tag where the scan found it");
  // DoABC's flags and name stay in front of the block.
  const std::size_t prefix = header.length - tag->block.size();
  const std::span<const std::uint8_t> body = image.subspan(header.bodyOffset, header.length);
  const std::span<const std::uint8_t> block = body.subspan(prefix);

  const AbcFile file = parseAbc(block);
  AbcNames names(file);
  AbcMethodMatch match;
  std::string message;
  if (!findClassMethod(file, names, object.index, method, match, message)) return fail(error, message);
  if (match.body < 0) return fail(error, "the method " + method + " has no body (an interface's or a native one)");

  std::vector<std::uint8_t> newBody(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(prefix));
  std::vector<std::uint8_t> newBlock;
  if (!replaceAbcBody(block, file, static_cast<std::uint32_t>(match.body), text, newBlock, error)) return false;
  newBody.insert(newBody.end(), newBlock.begin(), newBlock.end());
  std::string spliceError;
  std::optional<std::vector<std::uint8_t>> spliced =
      replaceTagBody(image, scan.headerLength, tag->headerOffset, newBody, spliceError);
  if (!spliced) return fail(error, spliceError);
  out = std::move(*spliced);
  return true;
}

}  // namespace orvane
