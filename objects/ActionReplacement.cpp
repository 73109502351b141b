#include "objects/ActionReplacement.h"

#include "actions/assembly/ActionAssembler.h"
#include "movie/ActionTagLayout.h"
#include "movie/MovieCompressor.h"
#include "movie/MovieObject.h"
#include "movie/MovieRewriter.h"
#include "movie/ProjectorSearch.h"
#include "movie/ScanResult.h"
#include "movie/TagHeader.h"
#include "movie/TagSplice.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

bool fail(AssemblyError& error, std::uint32_t line, std::uint32_t column, std::string message) {
  error = {line, column, std::move(message)};
  return false;
}

/// The tag codes an object of this kind is read from.
bool tagFitsObject(std::uint16_t code, const MovieObject& object) {
  if (dynamic_cast<const InstanceObject*>(&object) != nullptr)
    return code == tag::kPlaceObject2 || code == tag::kPlaceObject3;
  if (dynamic_cast<const ButtonObject*>(&object) != nullptr)
    return code == tag::kDefineButton || code == tag::kDefineButton2;
  if (dynamic_cast<const InitActionObject*>(&object) != nullptr) return code == tag::kDoInitAction;
  return dynamic_cast<const ActionObject*>(&object) != nullptr && code == tag::kDoAction;
}

/// A text without records or on blocks, which a button or clip reads as having no
/// conditions.
bool isEmptyText(const AssembledText& text) {
  return text.kind == AssembledText::Kind::Block && text.blocks.size() == 1 && text.blocks.front().bytes.empty();
}

/// Whether the text's form is the one the tag takes; a DefineButton's one block may come
/// as plain records or as its one on block.
bool textFitsTag(const AssembledText& text, std::uint16_t code, AssemblyError& error) {
  const AssembledBlock& first = text.blocks.front();
  if (code != tag::kDefineButton && isEmptyText(text)) return true;
  switch (code) {
    case tag::kDoAction:
    case tag::kDoInitAction:
      if (text.kind == AssembledText::Kind::Block) return true;
      return fail(error, first.line, first.column, "a frame or init action takes the records of one block, not on blocks");
    case tag::kDefineButton:
      if (text.kind == AssembledText::Kind::Block) return true;
      if (text.kind == AssembledText::Kind::ButtonConditions && text.blocks.size() == 1 && first.events == 0)
        return true;
      return fail(error, first.line, first.column, "a DefineButton has one block and no conditions: on 0x0000 { ... }");
    case tag::kDefineButton2:
      if (text.kind == AssembledText::Kind::ButtonConditions) return true;
      return fail(error, first.line, first.column, "a button takes its conditions as on 0xWORD { ... } blocks");
    default:
      if (text.kind == AssembledText::Kind::ClipEvents) return true;
      return fail(error, first.line, first.column, "a clip takes its events as onClipEvent 0xFLAGS { ... } blocks");
  }
}

}  // namespace

bool rebuildActionBody(std::span<const std::uint8_t> image, const ScanResult& scan, const MovieObject& object,
                       std::string_view text, std::vector<std::uint8_t>& newBody, AssemblyError& error) {
  BitReader reader(image);
  reader.setPosition(object.headerOffset);
  const TagHeader header = readTagHeader(reader);
  if (reader.exhausted() || header.bodyEnd > image.size() || header.length != object.bodyLength ||
      !tagFitsObject(header.code, object))
    return fail(error, 1, 1, "the movie no longer holds the object's tag where the scan found it");

  AssembledText assembled;
  if (!assembleActionText(text, assembled, error)) return false;
  if (!textFitsTag(assembled, header.code, error)) return false;

  const std::span<const std::uint8_t> body = image.subspan(header.bodyOffset, header.length);
  const ActionTagLayout layout = actionTagLayout(header.code, body, scan.version);
  // An empty text leaves a button or clip without conditions; a DoAction keeps its one
  // (empty) block.
  if (!isPlainActionTag(header.code) && isEmptyText(assembled)) assembled.blocks.clear();
  std::vector<NewActionBlock> blocks;
  blocks.reserve(assembled.blocks.size());
  for (const AssembledBlock& block : assembled.blocks) {
    if (block.hasKeyCode && (!layout.wideEvents || (block.events & 0x00020000) == 0))
      return fail(error, block.line, block.column,
                  layout.wideEvents ? "only a key-press event (0x00020000) has a key code"
                                    : "the clip events of a movie before version 6 have no key code");
    blocks.push_back({block.bytes, block.events, block.keyCode});
  }
  RebuildFault fault;
  if (rebuildActionTag(layout, body, blocks, newBody, fault)) return true;
  if (!fault.block) return fail(error, 1, 1, fault.message);
  const AssembledBlock& block = assembled.blocks[*fault.block];
  return fail(error, block.line, block.column, fault.message);
}

bool replaceActionsInImage(std::span<const std::uint8_t> image, const ScanResult& scan, const MovieObject& object,
                           std::string_view text, std::vector<std::uint8_t>& out, AssemblyError& error) {
  std::vector<std::uint8_t> newBody;
  if (!rebuildActionBody(image, scan, object, text, newBody, error)) return false;
  std::string spliceError;
  std::optional<std::vector<std::uint8_t>> spliced =
      replaceTagBody(image, scan.headerLength, object.headerOffset, newBody, spliceError);
  if (!spliced) return fail(error, 1, 1, spliceError);
  out = std::move(*spliced);
  return true;
}

bool writeMovieImage(const std::string& path, std::span<const std::uint8_t> image, MovieCompression compression) {
  if (compression == MovieCompression::None) return writeFileAtomically(path, image);
  const std::optional<std::vector<std::uint8_t>> stored = compressMovieImage(image, compression);
  return stored && writeFileAtomically(path, *stored);
}

std::optional<SavedMovie> saveMovieImageAs(std::span<const std::uint8_t> image, MovieCompression compression,
                                           const std::string& currentPath, const std::string& name,
                                           MessageSink& sink) {
  SavedMovie saved{name.size() > 1 ? withSwfExtension(name) : name, false};
  // Asked before the write: the rename gives the movie's file a new identity.
  saved.ontoCurrent = isSameFile(currentPath, saved.path);
  if (!writeMovieImage(saved.path, image, compression)) {
    sink.show({"", kSaveFailed, MessageIcon::Error});
    return std::nullopt;
  }
  sink.show({"Orvane", kSaveAsSucceeded, MessageIcon::Information});
  return saved;
}

}  // namespace orvane
