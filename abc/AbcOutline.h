// The outline of an ABC block's classes and scripts, in ActionScript 3 form, with the
// listing of every method body under its declaration.
#pragma once

#include <cstdint>
#include <string>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"

namespace orvane {

/// Works on a parsed file it does not own. Indices are checked as in `AbcNames`.
class AbcOutline {
 public:
  explicit AbcOutline(const AbcFile& file) : m_file(file), m_names(file) {}

  /// `package p {`, the metadata, `public class C extends B implements I`, a comment
  /// with the flags, the static traits and the class initialiser, the constructor, the
  /// instance traits; each method with its body. Empty for an index past the classes.
  std::string classText(std::uint32_t classIndex);
  /// The script's traits and its initialiser with its body.
  std::string scriptText(std::uint32_t scriptIndex);
  /// One "// error at offset N: text" line per fault of the file outside the bodies.
  std::string errorsText() const;
  /// The class's qualified name (`flash.display::Sprite`).
  std::string className(std::uint32_t classIndex);

  AbcNames& names() { return m_names; }

 private:
  void appendMetadata(std::string& out, const std::vector<std::uint32_t>& entries, const std::string& indent);
  void appendTraits(std::string& out, const std::vector<AbcTrait>& traits, bool isStatic, const std::string& indent);
  void appendTrait(std::string& out, const AbcTrait& trait, bool isStatic, const std::string& indent);
  /// `(a:int, b:String = "x", ...rest):void`
  std::string signature(std::uint32_t methodIndex, bool withReturnType);
  /// The declaration line, then the body in braces (or ";" for a method without one).
  void appendMethod(std::string& out, const std::string& declaration, std::uint32_t methodIndex,
                    const std::string& indent);
  std::string classHeader(std::uint32_t classIndex);

  const AbcFile& m_file;
  AbcNames m_names;
};

}  // namespace orvane
