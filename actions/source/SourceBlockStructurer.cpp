#include "actions/source/SourceBlockStructurer.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "actions/source/SourceExpressionBuilder.h"
#include "decompiler/SourceNumber.h"
#include "actions/source/SourceStructurer.h"

namespace orvane {

BlockStructurer::BlockStructurer(Structurer& walk, const InstructionStream& code, ExpressionBuilder& values)
    : m_walk(walk), m_code(code), m_values(values) {}

std::size_t BlockStructurer::withStatement(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                           const FlowContext& context) {
  // The body is the next Size bytes.
  const Instruction& instruction = m_code[i];
  BitReader fields = m_code.reader(i);
  const std::uint16_t size = fields.readU16();
  const std::size_t bodyEnd = m_code.indexFrom(std::int64_t{instruction.offset} + instruction.size + size);
  return blockStatement(StatementKind::With, stack.pop(), i, std::min(bodyEnd, end), stack, out, context);
}

std::size_t BlockStructurer::ifFrameLoaded(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                           const FlowContext& context) {
  // The body is the next `skip` records; the first form holds the frame counted from 0.
  BitReader fields = m_code.reader(i);
  ExpressionPtr frame = m_code[i].code == 0x8A ? makeNumber(fields.readU16() + 1.0) : stack.pop();
  const std::uint8_t skip = fields.readU8();
  return blockStatement(StatementKind::IfFrameLoaded, std::move(frame), i, std::min(i + 1 + skip, end), stack, out,
                        context);
}

std::size_t BlockStructurer::tellTarget(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                        const FlowContext& context) {
  ExpressionPtr target;
  if (m_code[i].code == op::kSetTarget) {
    target = makeString(m_code.reader(i).readString());
  } else {
    target = stack.pop();
    // The outer target set again after a nested tellTarget.
    if (restoresTellTarget(i) && target->kind == ExpressionKind::Identifier && target->text == "_target")
      return i + 1;
  }
  if (const std::string* text = stringValue(*target); text != nullptr && text->empty()) {
    emit(out, makeComment("tellTarget ends here"), i);
    return i + 1;
  }
  const std::size_t close = tellTargetEnd(i + 1, end);
  const std::size_t next = blockStatement(StatementKind::TellTarget, std::move(target), i, close, stack, out, context);
  return close < end ? close + 1 : next;
}

bool BlockStructurer::endsTellTarget(std::size_t k) const {
  const Instruction& candidate = m_code[k];
  if (candidate.code == op::kSetTarget) return m_code.body(k).empty() || m_code.body(k)[0] == 0;
  // push ""; ActionSetTarget2: the end marker's push is the item type 0 and a zero byte.
  return candidate.code == op::kSetTarget2 && k > 0 && m_code[k - 1].code == op::kPush &&
         m_code.body(k - 1).size() == 2 && m_code.body(k - 1)[0] == 0 && m_code.body(k - 1)[1] == 0;
}

bool BlockStructurer::restoresTellTarget(std::size_t k) const {
  return k > 0 && m_code[k].code == op::kSetTarget2 && endsTellTarget(k - 1);
}

std::size_t BlockStructurer::tellTargetEnd(std::size_t from, std::size_t end) const {
  // A tellTarget inside another saves the outer target on the stack, and after its own end
  // marker sets it again with ActionSetTarget2.
  std::size_t depth = 0;
  for (std::size_t k = from; k < end; ++k) {
    if (endsTellTarget(k)) {
      if (depth == 0) return k;
      --depth;
      if (k + 1 < end && restoresTellTarget(k + 1)) ++k;
    } else if (m_code[k].code == op::kSetTarget || m_code[k].code == op::kSetTarget2) {
      ++depth;
    }
  }
  return end;
}

std::size_t BlockStructurer::blockStatement(StatementKind kind, ExpressionPtr value, std::size_t i, std::size_t bodyEnd,
                                            ValueStack& stack, StatementList& out, const FlowContext& context) {
  Statement s = makeStatement(kind, std::move(value));
  bodyEnd = std::max(bodyEnd, i + 1);
  if (context.depth >= kMaxNesting) {
    emit(out, std::move(s), i);
    return i + 1;
  }
  {
    FloorGuard guard(stack);
    const std::size_t base = stack.size();
    m_walk.decodeRange(i + 1, bodyEnd, stack, s.body, context.nested());
    m_values.flush(stack, base, s.body, bodyEnd);
  }
  emit(out, std::move(s), i);
  return bodyEnd;
}

std::size_t BlockStructurer::function(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                      const FlowContext& context) {
  const Instruction& instruction = m_code[i];
  BitReader fields = m_code.reader(i);
  auto definition = std::make_shared<SourceFunction>();
  definition->name = fields.readString();
  const std::uint16_t count = fields.readU16();
  RegisterScope local;
  if (instruction.code == 0x8E) {
    fields.readU8();  // the register count
    const std::uint8_t flags = fields.readU8();
    const std::uint8_t globalFlag = fields.readU8();
    // Preloaded registers from 1 on, in this order.
    std::size_t next = 1;
    for (const auto& [bit, name] : {std::pair{0x01, "this"}, {0x04, "arguments"}, {0x10, "super"}, {0x40, "_root"},
                                    {0x80, "_parent"}}) {
      if ((flags & bit) == 0) continue;
      local.names[next] = name;
      local.declared[next++] = true;
    }
    if ((globalFlag & 1) != 0) {
      local.names[next] = "_global";
      local.declared[next] = true;
    }
  }
  for (std::uint16_t k = 0; k < count && !fields.exhausted(); ++k) {
    const std::uint8_t number = instruction.code == 0x8E ? fields.readU8() : 0;
    std::string name = fields.readString();
    // Some compilers leave the names of parameters held in registers empty, and obfuscators
    // give them names no script could use: the register's own name stands in.
    if (number != 0 && !isIdentifierName(name)) name = "_loc" + std::to_string(number) + "_";
    if (number != 0) {
      local.names[number] = name;
      local.declared[number] = true;
    }
    definition->parameters.push_back(std::move(name));
  }
  const std::uint16_t codeSize = fields.readU16();
  if (fields.exhausted()) {
    emit(out, makeComment("function record cut short"), i);
    return i + 1;
  }
  const std::size_t bodyEnd =
      std::min(m_code.indexFrom(std::int64_t{instruction.offset} + instruction.size + codeSize), end);
  if (context.depth < kMaxNesting) {
    m_values.enterFunction(std::move(local));
    ValueStack inner;
    FlowContext fresh;
    fresh.depth = context.depth + 1;
    m_walk.decodeRange(i + 1, bodyEnd, inner, definition->body, fresh);
    m_values.flush(inner, 0, definition->body, bodyEnd);
    m_values.leaveFunction();
  }
  const std::size_t next = context.depth < kMaxNesting ? bodyEnd : i + 1;
  if (definition->name.empty()) {
    stack.push(makeFunction(std::move(definition)));
  } else {
    Statement s = makeStatement(StatementKind::Function);
    s.function = std::move(definition);
    emit(out, std::move(s), i);
  }
  return next;
}

std::size_t BlockStructurer::tryStatement(std::size_t i, std::size_t end, StatementList& out,
                                          const FlowContext& context) {
  const Instruction& instruction = m_code[i];
  BitReader fields = m_code.reader(i);
  const std::uint8_t flags = fields.readU8();
  const std::int64_t trySize = fields.readU16();
  const std::int64_t catchSize = fields.readU16();
  const std::int64_t finallySize = fields.readU16();
  Statement s = makeStatement(StatementKind::Try);
  if ((flags & 4) != 0) {
    const std::uint8_t number = fields.readU8();
    s.name = m_values.declareRegister(number);
  } else {
    s.name = fields.readString();
  }
  if (fields.exhausted() || context.depth >= kMaxNesting) {
    emit(out, makeComment("try"), i);
    return i + 1;
  }
  s.hasCatch = (flags & 1) != 0;
  s.hasFinally = (flags & 2) != 0;
  const std::int64_t start = std::int64_t{instruction.offset} + instruction.size;
  const std::size_t tryEnd = std::min(m_code.indexFrom(start + trySize), end);
  const std::size_t catchEnd = std::min(std::max(m_code.indexFrom(start + trySize + catchSize), tryEnd), end);
  const std::size_t finallyEnd =
      std::min(std::max(m_code.indexFrom(start + trySize + catchSize + finallySize), catchEnd), end);
  // The try block ends with a jump over the catch block.
  std::size_t body = tryEnd;
  if (s.hasCatch && body > i + 1 && m_code[body - 1].code == op::kJump && m_code[body - 1].target != kNoIndex &&
      m_code[body - 1].target >= catchEnd)
    --body;
  const FlowContext inner = context.nested();
  ValueStack local;
  m_walk.decodeRange(i + 1, body, local, s.body, inner);
  m_values.flush(local, 0, s.body, body);
  m_walk.decodeRange(tryEnd, catchEnd, local, s.alternative, inner);
  m_values.flush(local, 0, s.alternative, catchEnd);
  m_walk.decodeRange(catchEnd, finallyEnd, local, s.finally, inner);
  m_values.flush(local, 0, s.finally, finallyEnd);
  emit(out, std::move(s), i);
  return std::max(finallyEnd, i + 1);
}

}  // namespace orvane
