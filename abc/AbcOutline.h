// The outline of an ABC block's classes and scripts, in ActionScript 3 form, with the
// listing of every method body under its declaration.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "actions/ActionRecord.h"

namespace orvane {

/// Works on a parsed file it does not own. Indices are checked as in `AbcNames`.
class AbcOutline {
 public:
  explicit AbcOutline(const AbcFile& file);

  /// Shows the bodies as raw byte lines of that kind instead of listings (none: listings).
  void setBodyBytes(std::optional<ByteCodeKind> kind) { m_bodyBytes = kind; }

  /// `package p {`, the metadata, `public class C extends B implements I`, a comment
  /// with the flags, the static traits and the class initialiser, the constructor, the
  /// instance traits; each method with its body; then the function literals that those
  /// bodies create (`newfunction`), each once. Empty for an index past the classes.
  std::string classText(std::uint32_t classIndex);
  /// The script's traits and its initialiser with its body, then its function literals.
  std::string scriptText(std::uint32_t scriptIndex);
  /// Every method with a body that no text of this outline has shown yet, each as a
  /// function with its body (and its function literals); empty when there is none.
  std::string remainingMethodsText();
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
  /// The function literals found in the bodies shown since the text began, and theirs.
  void appendFunctionLiterals(std::string& out, const std::string& indent);
  /// Starts a new text: nothing is shown in it yet.
  void beginText();
  bool shownInThisText(std::uint32_t methodIndex) const;
  std::string classHeader(std::uint32_t classIndex);

  const AbcFile& m_file;
  AbcNames m_names;
  std::optional<ByteCodeKind> m_bodyBytes;
  /// The metadata of the script trait that defines each class (none: no such trait).
  std::vector<const std::vector<std::uint32_t>*> m_classMetadata;
  /// Per method: the number of the last text that showed it (0: none yet).
  std::vector<std::uint32_t> m_shownInText;
  std::uint32_t m_textNumber = 0;
  std::vector<std::uint32_t> m_functionLiterals;
};

}  // namespace orvane
