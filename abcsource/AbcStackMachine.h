// The ActionScript 3 decompiler's stack machine: the expressions and plain statements of
// single ABC instructions, over the shared structurer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcInstruction.h"
#include "abc/AbcNames.h"
#include "abcsource/AbcBlockStatements.h"
#include "abcsource/AbcBodySource.h"
#include "abcsource/AbcNameExpressions.h"
#include "decompiler/FlowFrontEnd.h"
#include "decompiler/FlowStream.h"

namespace orvane {

/// Decompiles the function literals a body creates (`newfunction`), each once.
class AbcFunctionLiterals {
 public:
  virtual ~AbcFunctionLiterals() = default;
  /// The function of `method`, or none when it cannot be read here (no body, a literal
  /// that creates itself).
  virtual std::shared_ptr<const SourceFunction> literal(std::uint32_t method) = 0;
};

/// Runs the instructions that neither branch nor open a statement over the value stack:
/// values become expression trees, what they do (calls, stores, return, throw) statements.
/// Knows the method's registers (parameters, debug names, `_loc1_`), its scope stack
/// (this, the activation object, catch scopes) and the names of slots.
class AbcStackMachine : public FlowFrontEnd {
 public:
  /// `globalTraits`: the traits of the script the method belongs to (its global object's
  /// slots), none when not known.
  AbcStackMachine(const AbcFile& file, AbcNames& names, const AbcMethodBody& body, const AbcDecodedCode& decoded,
                  const FlowStream& flow, const AbcMethodContext& context, const std::vector<AbcTrait>* globalTraits,
                  AbcFunctionLiterals& literals);

  std::size_t readInstruction(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out) override;
  ExpressionPtr branchCondition(std::size_t i, ValueStack& stack) override;
  std::size_t branchOperands(std::size_t i) const override;
  bool isDiscard(std::size_t i) const override;
  bool isExpressionCode(std::size_t i) const override;
  void emitValue(const ExpressionPtr& value, StatementList& out, std::size_t at) override;
  std::size_t structure(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                        const FlowContext& context) override;
  void refineLoop(Statement& loop) override;

  /// The qualified names of the types and classes the body named, sorted, each once.
  std::vector<std::string> namedTypes() const { return {m_namedTypes.begin(), m_namedTypes.end()}; }
  /// What could not be decompiled, empty when everything could.
  const std::string& failure() const { return m_failure; }
  /// Records a fault; the first one is kept.
  void fail(const std::string& what);

  const AbcInstruction& instruction(std::size_t i) const { return m_decoded.instructions[i]; }
  const AbcFile& file() const { return m_file; }
  /// The name of register `number`, declared from here on (a catch variable).
  std::string localName(std::uint32_t number) const;
  /// A type multiname as source text, recorded for the imports (`Sprite`, `Vector.<int>`, `*`).
  ExpressionPtr typeName(std::uint32_t multiname);
  /// The value of the exception that enters handler `exception` of the body.
  ExpressionPtr caughtValue(std::uint32_t exception);
  /// The scope stack, kept around a handler, whose code builds it again from nothing.
  std::vector<ExpressionPtr> scopes() const { return m_scopes; }
  void setScopes(std::vector<ExpressionPtr> scopes) { m_scopes = std::move(scopes); }
  /// The value last stored into register `number` (the compiler's switch register), or none.
  ExpressionPtr storedValue(std::uint32_t number) const;

 private:
  enum class Marker : std::uint8_t { kScopeLookup, kActivation, kCatchScope, kGlobal, kHasNext, kNextName, kNextValue, kClassObject };
  struct MarkerInfo {
    ExpressionPtr node;  // kept alive: the map is keyed by its address
    Marker marker = Marker::kScopeLookup;
    std::uint32_t number = 0;  // kCatchScope: the exception; kHasNext...: the object register
    std::uint32_t index = 0;   // kHasNext...: the index register
  };

  ExpressionPtr marked(ExpressionPtr node, Marker marker, std::uint32_t number = 0, std::uint32_t index = 0);
  /// `e` with the store of the enumeration `test` walks into a variable, which the value
  /// of `e` evaluates first, replaced by the variable; the variable and the enumeration's
  /// kind (names or values) into `variable` and `kind`. `e` itself when it has none.
  ExpressionPtr withoutEnumerationStore(const ExpressionPtr& e, const MarkerInfo& test, ExpressionPtr& variable,
                                        Marker& kind) const;
  const MarkerInfo* markerOf(const Expression& e) const;
  bool isMarker(const Expression& e, Marker marker) const;

  ExpressionPtr local(std::uint32_t number);
  /// with (o) { ... }: pushwith at i puts the object on the scope stack, the popscope that
  /// matches it takes it off. kNoIndex when no popscope before `end` does.
  std::size_t withStatement(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                            StatementList& out, const FlowContext& context);
  /// Marks the compiler's temporaries among the first `tracked` registers: those it kills
  /// that hold no parameter, no named local and no counter, each value read once.
  void findTemporaries(std::uint32_t tracked);
  /// Whether instruction i, a read of register `number`, is a compare of a switch's chain.
  bool isCompareRead(std::size_t i, std::uint32_t number) const;
  /// Whether instruction i, a read of register `number`, reads a temporary's value.
  bool isTemporaryRead(std::size_t i, std::uint32_t number) const;
  /// The value temporary `number` holds; the assignment just made into `out` when it
  /// stored that value (taken back out of `out`).
  ExpressionPtr temporaryValue(std::uint32_t number, StatementList& out);
  /// The instructions that make values or plain statements.
  std::size_t readValue(std::size_t i, const AbcInstruction& ins, ValueStack& stack, StatementList& out);
  void storeLocal(std::size_t i, std::uint32_t number, ValueStack& stack, StatementList& out);
  /// new <T>[a, b]: the compiler makes a vector of the literal's length, then stores each
  /// element at its index into a copy of it. Whether the setproperty of `value` under
  /// `multiname` is such a store; it then leaves the literal so far on the stack.
  bool storeVectorElement(std::uint32_t multiname, const ExpressionPtr& value, ValueStack& stack);
  /// The store of `value` into `target` by instruction i: a statement, a var at the
  /// register's first store, or the value of an assignment a dup kept.
  void store(const ExpressionPtr& target, const ExpressionPtr& value, std::size_t i, ValueStack& stack,
             StatementList& out, std::int64_t declareRegister, const ExpressionPtr& declaredType);
  /// The runtime parts of a multiname taken off the stack, then the object: the property
  /// `object.name`, `name` for a scope lookup, `object[key]`.
  ExpressionPtr property(std::uint32_t multiname, ValueStack& stack);
  ExpressionPtr propertyOf(const ExpressionPtr& object, std::uint32_t multiname, const ExpressionPtr& key);
  /// The name of slot `slotId` of `object` (the activation, a catch scope, this, the
  /// global object), or none.
  ExpressionPtr slot(const ExpressionPtr& object, std::uint32_t slotId, ExpressionPtr* type, std::int64_t* declareAs);
  std::vector<ExpressionPtr> popArguments(ValueStack& stack, std::int64_t count);
  ExpressionPtr conversion(const char* type, ExpressionPtr value, std::size_t at);
  ExpressionPtr withoutConversion(const ExpressionPtr& value, const ExpressionPtr& type) const;
  ExpressionPtr functionLiteral(std::uint32_t method);
  /// The static type of a value where it is known, else none.
  ExpressionPtr typeOf(const ExpressionPtr& value) const;
  void setType(const ExpressionPtr& value, ExpressionPtr type);
  /// A top-level type (int, Number, ...).
  void setType(const ExpressionPtr& value, const char* type);
  void recordType(std::uint32_t multiname);

  const AbcFile& m_file;
  AbcNames& m_names;
  const AbcMethodBody& m_body;
  const AbcDecodedCode& m_decoded;
  const FlowStream& m_flow;
  const AbcMethodContext& m_context;
  const std::vector<AbcTrait>* m_globalTraits;
  AbcFunctionLiterals& m_literals;
  AbcNameExpressions m_nameExpressions;
  AbcBlockStatements m_blocks;
  std::vector<std::string> m_localNames;
  std::vector<bool> m_declared;
  std::vector<ExpressionPtr> m_localTypes;
  std::vector<bool> m_slotDeclared;  // slots of the activation object
  std::vector<ExpressionPtr> m_scopes;
  std::unordered_map<std::uint32_t, ExpressionPtr> m_scopeRegisters;
  std::unordered_map<std::uint32_t, ExpressionPtr> m_stored;  // the last value of each register
  std::set<std::uint32_t> m_enumerationRegisters;  // hasnext2's object and index registers
  std::unordered_map<std::uint32_t, ExpressionPtr> m_enumerated;  // the object each walks  // registers that keep a scope object
  std::unordered_map<const Expression*, MarkerInfo> m_markers;
  /// The vector literals being read, each with the length its vector was made with; each
  /// entry keeps its node alive.
  std::unordered_map<const Expression*, std::pair<ExpressionPtr, std::size_t>> m_vectorLengths;
  std::vector<bool> m_temporary;  // per tracked register
  std::vector<bool> m_switchRegisters;  // per tracked register: a switch's discriminant
  std::unordered_map<std::uint32_t, ExpressionPtr> m_temporaries;  // the value of each
  std::uint32_t m_completionRegister = 0;  // a script's value of its last statement; 0: none
  /// The last store made as a statement: the value it was given, into which list, the
  /// list's size after it, the target and the value as stored.
  struct LastStore {
    ExpressionPtr value;
    const StatementList* list = nullptr;
    std::size_t count = 0;
    ExpressionPtr target;
    ExpressionPtr stored;
  };
  LastStore m_lastStore;
  /// The static types of values, where known, by node; each entry keeps its node alive, so
  /// that no later node reuses the address.
  std::unordered_map<const Expression*, std::pair<ExpressionPtr, ExpressionPtr>> m_types;
  std::unordered_map<const Expression*, std::pair<ExpressionPtr, ExpressionPtr>> m_conversions;  // int(x): x
  std::set<std::string> m_namedTypes;
  std::string m_failure;
  std::uint32_t m_parameterCount = 0;
  bool m_returnsVoid = false;  // the method's return type is void
};

}  // namespace orvane
