// The disassembly of ActionScript 3 that the windows, the extraction and the command-line
// tool show: the text of a script or class object, and everything an ABC tag holds.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "abc/AbcFile.h"
#include "abc/AbcOutline.h"
#include "actions/ActionRecord.h"
#include "movie/MovieObject.h"

namespace orvane {

/// The texts of one tag's objects from one reading of its block. The tag must outlive it.
class AbcTagTexts {
 public:
  explicit AbcTagTexts(const AbcTag& tag);
  AbcTagTexts(const AbcTagTexts&) = delete;
  AbcTagTexts& operator=(const AbcTagTexts&) = delete;

  const AbcTag& tag() const { return m_tag; }
  const AbcFile& file() const { return m_file; }

  /// "// ActionScript 3 : " and the object's display name, the tag's line, with `bytes` a
  /// "// Byte Code : Hex" (Character, Integer) line, "//", the block's faults outside the
  /// bodies; then the class's or script's outline with each body listed, or with `bytes`
  /// shown as raw byte lines of that kind.
  std::string objectText(const AbcObject& object, std::optional<ByteCodeKind> bytes);
  /// Writes "=== " and the tag's line, the block's faults, every class, every script and the
  /// methods with a body that none of them shows, one piece at a time: the whole can be many
  /// times the block's size.
  void writeEverything(std::ostream& out) const;
  /// `DoABC "name" (flags 0x1) in frame 1 : ABC version 46.16, 2 classes, 3 scripts`.
  std::string tagLine() const;

 private:
  const AbcTag& m_tag;
  AbcFile m_file;
  AbcOutline m_outline;
};

}  // namespace orvane
