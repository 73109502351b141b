// The source text of one class or interface: metadata, header, variables and constants
// with their initial values, static code, constructor, methods, getters and setters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abcsource/AbcDeclarations.h"

namespace orvane {

/// Works on declarations it does not own. `classMetadata` holds, per class, the metadata
/// of the script trait that defines it (none: no such trait).
class AbcClassSource {
 public:
  AbcClassSource(const AbcFile& file, AbcDeclarations& declarations,
                 const std::vector<const std::vector<std::uint32_t>*>& classMetadata);

  /// Appends the class at `indent`, from its metadata to its closing brace; `place` is the
  /// package block (kPackage) or the top level outside it (kTopLevel, for a class of a
  /// file's private namespace). Nothing for an index past the classes.
  void appendClass(std::string& out, std::uint32_t classIndex, AbcDeclarationPlace place, const std::string& indent);

 private:
  std::string header(std::uint32_t classIndex, AbcDeclarationPlace place) const;
  void appendInterfaceBody(std::string& out, const AbcInstance& instance, const std::string& indent);
  void appendStaticCode(std::string& out, std::uint32_t classIndex, const AbcDecompiledBody& body,
                        std::size_t folded, const std::string& indent);

  const AbcFile& m_file;
  AbcDeclarations& m_declarations;
  const std::vector<const std::vector<std::uint32_t>*>& m_classMetadata;
};

}  // namespace orvane
