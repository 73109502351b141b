// The statements of ActionScript 3 bodies that the byte code marks out in its own way:
// switch from the compiler's compare chain and lookupswitch, try / catch from the
// exception table.
#pragma once

#include <cstddef>
#include <set>

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
  /// try { ... } catch (e:T) { ... }: the handlers of the exception entries that cover
  /// the code from instruction i.
  std::size_t tryStatement(FlowStructurer& walk, std::size_t i, std::size_t end, StatementList& out,
                           const FlowContext& context);
  /// The number an instruction pushes (pushbyte, pushshort, pushint), or -1.
  long long pushedNumber(std::size_t i) const;

  const AbcMethodBody& m_body;
  const FlowStream& m_flow;
  AbcStackMachine& m_machine;
  std::set<std::size_t> m_openTries;  // exception entries whose try is being read
};

}  // namespace orvane
