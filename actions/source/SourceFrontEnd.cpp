#include "actions/source/SourceFrontEnd.h"

#include "actions/source/SourceExpressionBuilder.h"
#include "decompiler/SourceWriter.h"

namespace orvane {

namespace {

/// The test of a for-in loop: (register = enumeration) == null.
bool isEnumerationTest(const Expression& test) {
  if (test.operation != Operation::Equal || !isLiteral(*test.operands[1], "null")) return false;
  const Expression& stored = *test.operands[0];
  return stored.kind == ExpressionKind::Assign && stored.operands[1]->kind == ExpressionKind::Enumeration;
}

}  // namespace

SourceFrontEnd::SourceFrontEnd(const InstructionStream& code, ExpressionBuilder& values)
    : m_code(code),
      m_values(values),
      m_walk(code.flow(), *this),
      m_blocks(m_walk, code, values),
      m_switches(m_walk, code, values) {}

std::size_t SourceFrontEnd::readInstruction(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out) {
  return m_values.readRecord(i, end, stack, out);
}

ExpressionPtr SourceFrontEnd::branchCondition(std::size_t /*i*/, ValueStack& stack) { return stack.pop(); }

std::size_t SourceFrontEnd::branchOperands(std::size_t /*i*/) const { return 1; }

bool SourceFrontEnd::isDiscard(std::size_t i) const { return m_code[i].code == op::kPop; }

bool SourceFrontEnd::isExpressionCode(std::size_t i) const { return m_code.isExpressionCode(i); }

void SourceFrontEnd::emitValue(const ExpressionPtr& value, StatementList& out, std::size_t at) {
  m_values.emitValue(value, out, at);
}

std::size_t SourceFrontEnd::structure(FlowStructurer& /*walk*/, std::size_t i, std::size_t end, ValueStack& stack,
                                      StatementList& out, const FlowContext& context) {
  switch (m_code[i].code) {
    case 0x9B:
    case 0x8E:
      return m_blocks.function(i, end, stack, out, context);
    case 0x8F:
      return m_blocks.tryStatement(i, end, out, context);
    case 0x94:
      return m_blocks.withStatement(i, end, stack, out, context);
    case 0x8A:
    case 0x8D:
      return m_blocks.ifFrameLoaded(i, end, stack, out, context);
    case op::kSetTarget:
    case op::kSetTarget2:
      return m_blocks.tellTarget(i, end, stack, out, context);
    default:
      return kNoIndex;
  }
}

std::size_t SourceFrontEnd::branchStatement(FlowStructurer& /*walk*/, std::size_t i, std::size_t end,
                                            ValueStack& stack, StatementList& out, const FlowContext& context,
                                            const ExpressionPtr& test) {
  // The first compare of a switch stores the value into a register: (r = v) === label.
  if ((test->operation == Operation::StrictEqual || test->operation == Operation::Equal) &&
      test->operands[0]->kind == ExpressionKind::Assign && test->operands[0]->operands[0]->kind == ExpressionKind::Register)
    return m_switches.switchChain(i, end, stack, out, context, test);
  return kNoIndex;
}

std::size_t SourceFrontEnd::cleanupLoop(std::size_t i) const {
  // The compiler's loop that drops what a for-in loop left on the stack:
  // push null; equals2; not; if back to the push.
  const bool cleanup = i + 3 < m_code.size() && m_code[i].code == op::kPush && m_code.body(i).size() == 1 &&
                       m_code.body(i)[0] == 2 && m_code[i + 1].code == op::kEquals2 && m_code[i + 2].code == op::kNot &&
                       m_code[i + 3].code == op::kIf && m_code[i + 3].target == i;
  return cleanup ? 4 : 0;
}

bool SourceFrontEnd::isEntryTest(const ValueStack& stack) const {
  return stack.top() != nullptr && isEnumerationTest(*stack.top());
}

void SourceFrontEnd::refineLoop(Statement& loop) {
  // while (!((r = enumeration(o)) == null)) { name = r; ... } is for (name in o) { ... }.
  if (loop.kind != StatementKind::While || loop.value->operation != Operation::Not ||
      !isEnumerationTest(*loop.value->operands[0]))
    return;
  const Expression* compared = loop.value->operands[0]->operands[0].get();
  loop.kind = StatementKind::ForIn;
  loop.name = compared->operands[0]->text;
  const int number = compared->operands[0]->registerNumber;
  loop.value = compared->operands[1]->operands[0];
  Statement* first = nullptr;
  for (Statement& candidate : loop.body) {
    if (candidate.kind != StatementKind::Label) {
      first = &candidate;
      break;
    }
  }
  const bool assigns = first != nullptr && first->kind == StatementKind::Expression && first->value &&
                       first->value->kind == ExpressionKind::Assign;
  const Expression* taken = first == nullptr                      ? nullptr
                            : first->kind == StatementKind::Var ? first->value.get()
                            : assigns                           ? first->value->operands[1].get()
                                                                : nullptr;
  if (taken != nullptr && taken->kind == ExpressionKind::Register && taken->registerNumber == number) {
    loop.declares = first->kind == StatementKind::Var;
    loop.name = loop.declares ? first->name : expressionText(*first->value->operands[0], 0);
    loop.body.erase(loop.body.begin() + (first - loop.body.data()));
  }
}

}  // namespace orvane
