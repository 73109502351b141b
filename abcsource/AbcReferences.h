// Collects what the classes and script parts of a source file name, so that the file can
// import it: the types of their declarations and every multiname their bodies' code uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abcsource/AbcSourceNames.h"

namespace orvane {

/// Works on a parsed file it does not own; notes into one file's names. Each method's code
/// is read once however many classes or literals lead to it.
class AbcReferences {
 public:
  AbcReferences(const AbcFile& file, AbcSourceNames& names);

  /// The class's base class, interfaces, the types of its traits, and its methods (with
  /// the function literals they create).
  void noteClass(std::uint32_t classIndex);
  /// The script's traits other than classes, and what its decompiled initialiser names:
  /// `namedTypes` (the code that defines the classes names their base classes, which the
  /// text does not) and the namespace sets of its code.
  void noteScript(std::uint32_t scriptIndex, const std::vector<std::string>& namedTypes);

 private:
  void noteTrait(const AbcTrait& trait);
  void noteMethod(std::uint32_t method);
  /// The code's multinames (only those of namespace sets unless `qualified`) and, into
  /// `literals`, the methods of its function literals.
  void noteCode(const AbcMethodBody& body, bool qualified, std::vector<std::uint32_t>& literals);

  const AbcFile& m_file;
  AbcSourceNames& m_names;
  std::vector<bool> m_noted;  // per method
};

}  // namespace orvane
