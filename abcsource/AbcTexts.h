// What the windows, the search and the extraction show of an ActionScript 3 script or class
// in a translation mode: its decompiled source, or its disassembly. (Light to include: the
// desktop program includes it beside Qt.)
#pragma once

#include <memory>
#include <string>

#include "actions/TranslationMode.h"
#include "movie/MovieObject.h"

namespace orvane {

/// The Source mode shows the object's source text (see `AbcSourceText`: a class in its
/// package block, a script's own parts), the byte-code modes the bytes of its bodies,
/// every other mode its outline with the listings. Keeps the tag it read last, so that a
/// run over a scan's objects in tree order reads and decompiles each block once; it must
/// not outlive the scan result whose objects it is given.
class AbcTexts {
 public:
  AbcTexts();
  ~AbcTexts();
  AbcTexts(const AbcTexts&) = delete;
  AbcTexts& operator=(const AbcTexts&) = delete;

  std::string windowText(const AbcObject& object, TranslationMode mode);

 private:
  /// One reading of a tag: its disassembly and, once asked for, its source.
  struct TagTexts;
  TagTexts& textsOf(const AbcTag& tag);

  std::unique_ptr<TagTexts> m_last;
};

}  // namespace orvane
