// The statements of ActionScript 3 bodies that the byte code marks out in its own way:
// switch from the compiler's compare chain and lookupswitch, try / catch from the
// exception table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "abc/AbcFile.h"
#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"
#include "decompiler/FlowStream.h"

namespace orvane {

class AbcStackMachine;
class FlowStructurer;

class AbcBlockStatements {
 public:
  AbcBlockStatements(const AbcMethodBody& body, const FlowStream& flow, AbcStackMachine& machine)
      : m_body(body), m_flow(flow), m_machine(machine) {}

  /// The statement instruction i begins, or kNoIndex.
  std::size_t structure(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                        const FlowContext& context);

 private:
  /// switch (v) { ... }: a jump over the case bodies to the compares of the discriminant,
  /// which push the case's number for the lookupswitch after them.
  std::size_t switchStatement(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                              StatementList& out, const FlowContext& context);
  /// switch (v) { ... } of a compiler without the lookupswitch: the compares after the case
  /// bodies branch to them, and a jump after the compares goes to the default.
  std::size_t branchingSwitch(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                              StatementList& out, const FlowContext& context);
  /// Where a switch's code ends (the compares, or the dispatch after the case bodies) and
  /// where its breaks go.
  struct SwitchExtent {
    std::size_t close = kNoIndex;
    std::size_t compares = kNoIndex;
  };
  /// Each case's labels by the instruction its code begins at; nullptr labels the default.
  using SwitchCases = std::map<std::size_t, std::vector<ExpressionPtr>>;
  /// The switch statement of the cases, each case's code running to the next one's.
  void emitSwitch(FlowStructurer& walk, std::size_t i, SwitchExtent extent, ExpressionPtr discriminant,
                  SwitchCases& cases, ValueStack& stack, StatementList& out, const FlowContext& context);
  /// try { ... } catch (e:T) { ... }: the handlers of the exception entries that cover
  /// the code from instruction i.
  std::size_t tryStatement(FlowStructurer& walk, std::size_t i, std::size_t end, StatementList& out,
                           const FlowContext& context);
  /// The parts of a try's finally, which every exit from the try and its catches runs
  /// first: each pushes its number and jumps to the finally code, whose dispatch on the
  /// number goes on at that exit's own code (a return, a break) or, for the normal exit,
  /// after the statement.
  struct Finally {
    std::size_t normalExit = kNoIndex;  // pushbyte -1 before the jump to the code
    std::size_t code = kNoIndex;
    std::size_t dispatch = kNoIndex;  // the lookupswitch
  };
  std::optional<Finally> finallyOf(std::size_t entry, std::size_t end) const;
  /// The instruction that an exit through an open finally, beginning at i, goes on at:
  /// its own code after the jump (for return v, the returnvalue), or kNoIndex.
  std::size_t finallyExit(std::size_t i, std::size_t end) const;
  /// The number an instruction pushes (pushbyte, pushshort, pushint), or -1.
  long long pushedNumber(std::size_t i) const;
  /// The register a setlocal stores into, or one a getlocal reads; -1 for other instructions.
  std::int64_t storedRegister(std::size_t i) const;
  std::int64_t readRegister(std::size_t i) const;

  const AbcMethodBody& m_body;
  const FlowStream& m_flow;
  AbcStackMachine& m_machine;
  std::set<std::size_t> m_openTries;  // exception entries whose try is being read
  std::vector<Finally> m_finallies;   // the finallies of the tries being read, innermost last
};

}  // namespace orvane
