// The ActionScript 3 statements of method bodies, for the class and script texts that
// hold them: each body decompiled once, printed at any indent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWriter.h"

namespace orvane {

/// What a method is to the text that declares it.
enum class AbcMethodRole : std::uint8_t {
  kScriptInitialiser,  // a script's init: its code runs when the script loads
  kClassInitialiser,   // a class's cinit: static initial values and static code
  kConstructor,        // a class's iinit: instance initial values, super(...), the constructor's code
  kMethod,             // a method, getter or setter of a class (static or instance)
  kFunction,           // a function of a script, or a function literal (newfunction)
};

/// What the caller knows about the method whose body is decompiled.
struct AbcMethodContext {
  AbcMethodRole role = AbcMethodRole::kFunction;
  bool isStatic = false;
  /// The class the method belongs to (instances/classes index), -1 for none. Gives the
  /// names `this`, `super` and the class's own traits are read with.
  std::int64_t classIndex = -1;
  /// The parameters as the declaration printed them: names (registers 1..n) and types.
  std::vector<std::string> parameterNames;
  std::vector<std::string> parameterTypes;
  /// Whether the declaration ends with `...rest` (register n+1) and its name.
  std::string restName;
};

/// One leading store of a script, class or constructor initialiser into a variable or
/// constant trait of the script or class: `MAX = 5` before any other statement. The caller may print it as the trait's initial
/// value instead (`public static const MAX:int = 5;`) and leave it out of the body.
struct AbcInitialStore {
  /// The trait's multiname as the store names it (0 when it stores by slot).
  std::uint32_t name = 0;
  /// The slot id a setslot store names (0 when it stores by name).
  std::uint32_t slotId = 0;
  /// The stored value as source text (`5`, `new Array()`, `"a" + B.C`), names as they
  /// stand (see `AbcDecompiledBody::initialValueText`).
  std::string value;
  /// Whether the value reads nothing but constants, so that it can stand in a declaration
  /// wherever the declaration is placed.
  bool isConstant = false;
};

class AbcBodyTree;

/// The decompiled body of one method. Cheap to keep: the statements are a tree that is
/// printed on request.
class AbcDecompiledBody {
 public:
  AbcDecompiledBody();
  ~AbcDecompiledBody();
  AbcDecompiledBody(AbcDecompiledBody&&) noexcept;
  AbcDecompiledBody& operator=(AbcDecompiledBody&&) noexcept;

  /// Appends the statements to `out`, one per line, each line starting with `indent`
  /// plus its nesting, the first `foldedStores` of `initialStores()` left out. Text past
  /// the bound of a decompiled text (64 MB in `out`) is left out with a comment line.
  /// Names of packages and user namespaces print as they stand (`Sprite`, `x`).
  void appendText(std::string& out, const std::string& indent, std::size_t foldedStores = 0) const;
  /// The same with names printed as the file `names` refers to them: a package's
  /// definitions imported or qualified (`Sprite`, `flash.display.Sprite`), names in user
  /// namespaces `N::x`.
  void appendText(std::string& out, const std::string& indent, std::size_t foldedStores, const SourceNames& names) const;

  /// Whether some of the body could not be decompiled (a fault of the block, code the
  /// decompiler could not follow): `failure` says what; the text then shows what could
  /// be read and the disassembly of the rest as comments.
  bool failed() const { return !m_failure.empty(); }
  const std::string& failure() const { return m_failure; }

  /// The leading stores of an initialiser, in order (empty for other roles).
  const std::vector<AbcInitialStore>& initialStores() const { return m_initialStores; }
  /// The value of initial store `store` as the file `names` writes it (empty past the stores).
  std::string initialValueText(std::size_t store, const SourceNames& names) const;
  /// The qualified names (`flash.display::Sprite`) of every type and class the body names
  /// by a package name, sorted, each once: what the text must import.
  const std::vector<std::string>& namedTypes() const { return m_namedTypes; }
  /// The methods of the function literals (`newfunction`) the body creates; their bodies
  /// are printed inside it as function expressions.
  const std::vector<std::uint32_t>& functionLiterals() const { return m_functionLiterals; }

 private:
  friend class AbcBodyDecompiler;

  void appendStatements(std::string& out, const std::string& indent, std::size_t foldedStores,
                        const SourceStyle& style) const;

  std::unique_ptr<AbcBodyTree> m_tree;
  std::string m_failure;
  std::vector<AbcInitialStore> m_initialStores;
  std::vector<std::string> m_namedTypes;
  std::vector<std::uint32_t> m_functionLiterals;
};

/// Decompiles the bodies of one parsed block. Works on a file and names it does not own;
/// every index is checked as in `AbcNames`. Each body is decompiled once, with the context
/// of its first request: a block can share one body among many methods.
class AbcBodyDecompiler {
 public:
  AbcBodyDecompiler(const AbcFile& file, AbcNames& names);
  ~AbcBodyDecompiler();
  AbcBodyDecompiler(const AbcBodyDecompiler&) = delete;
  AbcBodyDecompiler& operator=(const AbcBodyDecompiler&) = delete;

  /// The decompiled body of `methodIndex`; none for a method without a body (native,
  /// interface) or an index past the methods. The reference stays valid as long as the
  /// decompiler.
  const AbcDecompiledBody* body(std::uint32_t methodIndex, const AbcMethodContext& context);

  /// Every body of the block in the context its trait gives it (the classes' initialisers,
  /// constructors and methods, the scripts', then the rest as functions), each after a
  /// line "// method N", appended to `out`; what the corpus checks, the benchmarks and
  /// the fuzz target read. Returns how many bodies failed.
  std::size_t appendEveryBody(std::string& out);

  /// Lets go of the decompiled bodies that only one method has, once the texts that show
  /// them are written: a tree of files keeps one file's bodies, not the block's. Bodies
  /// that several methods share stay, and so does a body asked for again after it was let
  /// go: each is decompiled twice at most.
  void releaseUnsharedBodies();

 private:
  class Literals;

  /// The traits of the script whose initialiser or function the method is, or that
  /// defines the class the method belongs to; none for other methods.
  const std::vector<AbcTrait>* scriptTraits(std::uint32_t methodIndex);
  /// The body of a method, -1 for none.
  std::int64_t bodyOf(std::uint32_t methodIndex) const;
  StatementList decompile(std::size_t bodyIndex, const AbcMethodContext& context, std::string& failure,
                          std::vector<std::string>& namedTypes);
  /// A function literal's function, decompiled once; none for a literal that creates
  /// itself, nests too deep or has no body.
  std::shared_ptr<const SourceFunction> functionLiteral(std::uint32_t methodIndex);
  /// The traits whose initial values an initialiser stores: the script's, the class's or
  /// the instances'; none for other methods.
  const std::vector<AbcTrait>* initialisedTraits(std::uint32_t methodIndex, const AbcMethodContext& context) const;
  void findInitialStores(AbcDecompiledBody& result, std::uint32_t methodIndex, const AbcMethodContext& context);
  void appendTraitBodies(std::string& out, const std::vector<AbcTrait>& traits, AbcMethodContext context,
                         std::size_t& failed);
  void appendBody(std::string& out, std::uint32_t methodIndex, const AbcMethodContext& context, std::size_t& failed);

  const AbcFile& m_file;
  AbcNames& m_names;
  std::vector<std::unique_ptr<AbcDecompiledBody>> m_bodies;  // per body index, once decompiled
  std::vector<std::shared_ptr<const SourceFunction>> m_literals;  // per body index
  std::vector<bool> m_reading;  // the bodies being decompiled now
  std::vector<std::uint8_t> m_users;  // per body: how many methods have it, counted to 2
  std::vector<bool> m_released;  // the bodies let go of once
  std::vector<std::int64_t> m_scriptOfMethod;  // per method: its script, -1 for none; made on first use
  int m_literalDepth = 0;
  const std::vector<AbcTrait>* m_globalTraits = nullptr;  // those of the body being read
  std::vector<std::string> m_literalTypes;  // what the literals of the body being read name
  std::string m_literalFailure;
};

}  // namespace orvane
