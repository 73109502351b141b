// The declarations of a source file's traits: types, access, metadata, variables and
// constants with their initial values, functions with their signatures and bodies.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "abcsource/AbcBodySource.h"
#include "abcsource/AbcSourceNames.h"

namespace orvane {

/// Where a declaration stands, which decides the words in front of it.
enum class AbcDeclarationPlace : std::uint8_t {
  kClass,      // a class member: access keyword, `static`, `override`, `final`, `native`
  kInterface,  // an interface member: no keyword, no body
  kPackage,    // a package-level definition of a script: access keyword
  kTopLevel,   // outside every package (a file-private definition): no keyword
};

/// Works on a parsed file, its names, its body decompiler and the file's names, none of
/// which it owns. Indices are checked as in `AbcNames`.
class AbcDeclarations {
 public:
  AbcDeclarations(const AbcFile& file, AbcNames& names, AbcBodyDecompiler& bodies, const AbcSourceNames& sourceNames);

  /// A type as the source writes it: `int`, `Sprite` (or qualified), `Vector.<String>`,
  /// `*` for any.
  std::string typeText(std::uint32_t multiname) const;
  /// `public`, `private`, `protected`, `internal`, or a user namespace's identifier.
  std::string accessKeyword(std::uint32_t traitName) const;
  /// One line per metadata entry: `[Event(name="change", type="flash.events.Event")]`. The
  /// entries the authoring tools add for their editors are left out.
  void appendMetadata(std::string& out, const std::vector<std::uint32_t>& entries, const std::string& indent) const;

  /// `public static var count:int = 5;` (or `const`, or `namespace N = "uri";`). `folded`:
  /// the initial value a store of the initialiser gave it, which takes the place of the
  /// trait's own value.
  void appendVariable(std::string& out, const AbcTrait& trait, bool isStatic, AbcDeclarationPlace place,
                      const std::string& indent, const std::string* folded = nullptr) const;
  /// A method, getter, setter or function trait with its body (or `;` without one).
  void appendMethod(std::string& out, const AbcTrait& trait, bool isStatic, AbcDeclarationPlace place,
                    std::int64_t classIndex, const std::string& indent);
  /// `head` (such as `public function Foo`) and the method's parameters, then `:type`
  /// unless `returnType` is unset, then the body with `foldedStores` of its initial stores
  /// left out (or `;` when the method has none).
  void appendFunction(std::string& out, const std::string& head, std::uint32_t method, bool returnType,
                      const AbcMethodContext& baseContext, const std::string& indent, std::size_t foldedStores = 0);

  AbcBodyDecompiler& bodies() { return m_bodies; }
  AbcNames& names() { return m_names; }
  const AbcSourceNames& sourceNames() const { return m_sourceNames; }

 private:
  /// `(a:int, b:String = "x", ...rest):void`; fills the context's parameters.
  std::string signature(std::uint32_t method, bool returnType, AbcMethodContext& context) const;
  std::string modifiers(const AbcTrait& trait, bool isStatic, AbcDeclarationPlace place) const;
  std::string defaultValue(const AbcValue& value) const;

  const AbcFile& m_file;
  AbcNames& m_names;
  AbcBodyDecompiler& m_bodies;
  const AbcSourceNames& m_sourceNames;
  /// The names (string indices) of the private namespaces that scripts define names in.
  std::set<std::uint32_t> m_fileNamespaces;
};

}  // namespace orvane
