#include "actions/source/SourceBlockStructurer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "actions/source/SourceExpressionBuilder.h"
#include "decompiler/SourceNumber.h"
#include "decompiler/FlowStructurer.h"

namespace orvane {

BlockStructurer::BlockStructurer(FlowStructurer& walk, const InstructionStream& code, ExpressionBuilder& values)
    : m_walk(walk), m_code(code), m_values(values) {}

std::size_t BlockStructurer::withStatement(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                           const FlowContext& context) {
  // The body is the next Size bytes.
  const std::uint16_t size = m_code.reader(i).readU16();
  return blockStatement(StatementKind::With, stack.pop(), i, bodyEnd(i, size, end), stack, out, context);
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

namespace {

/// The fields of a DefineFunction or DefineFunction2 record.
struct FunctionHeader {
  std::string name;
  std::vector<std::pair<std::uint8_t, std::string>> parameters;  // register (0: none) and name
  std::uint16_t preloads = 0;  // DefineFunction2's preload and suppress flags
  std::uint16_t codeSize = 0;
  bool complete = false;
};

FunctionHeader readFunctionHeader(const InstructionStream& code, std::size_t i) {
  const bool registers = code[i].code == 0x8E;
  BitReader fields = code.reader(i);
  FunctionHeader header;
  header.name = fields.readString();
  const std::uint16_t count = fields.readU16();
  if (registers) {
    fields.readU8();  // the register count
    header.preloads = fields.readU16();
  }
  for (std::uint16_t k = 0; k < count && !fields.exhausted(); ++k) {
    const std::uint8_t number = registers ? fields.readU8() : 0;
    header.parameters.emplace_back(number, fields.readString());
  }
  header.codeSize = fields.readU16();
  header.complete = !fields.exhausted();
  return header;
}

/// The registers that DefineFunction2 preloads, from register 1 on in this order.
constexpr std::array<std::pair<std::uint16_t, const char*>, 6> kPreloads = {{
    {0x001, "this"}, {0x004, "arguments"}, {0x010, "super"}, {0x040, "_root"}, {0x080, "_parent"}, {0x100, "_global"}}};

std::string registerVariable(std::size_t number) { return "_loc" + std::to_string(number) + "_"; }

/// The registers among `wanted` that the statements name, outside nested functions.
class RegisterUses {
 public:
  explicit RegisterUses(const std::bitset<256>& wanted) : m_wanted(wanted) {}

  std::bitset<256> in(const StatementList& list) {
    for (const Statement& s : list) statement(s);
    return m_found;
  }

 private:
  void statement(const Statement& s) {
    if (s.value) expression(*s.value);
    for (const StatementList* inner : {&s.body, &s.alternative, &s.finally, &s.head})
      for (const Statement& part : *inner) statement(part);
    for (const SwitchCase& entry : s.cases) {
      if (entry.label) expression(*entry.label);
      for (const Statement& part : entry.body) statement(part);
    }
  }
  void expression(const Expression& e) {
    std::vector<const Expression*> pending{&e};
    while (!pending.empty()) {
      const Expression* node = pending.back();
      pending.pop_back();
      if (node->kind == ExpressionKind::Function || !m_seen.insert(node).second) continue;
      if (node->kind == ExpressionKind::Register && m_wanted[static_cast<std::size_t>(node->registerNumber)])
        m_found.set(static_cast<std::size_t>(node->registerNumber));
      for (const ExpressionPtr& operand : node->operands) pending.push_back(operand.get());
    }
  }

  std::bitset<256> m_wanted;
  std::bitset<256> m_found;
  std::unordered_set<const Expression*> m_seen;  // a block may share one node many times
};

}  // namespace

std::size_t BlockStructurer::bodyEnd(std::size_t i, std::uint16_t size, std::size_t end) const {
  const Instruction& instruction = m_code[i];
  return std::min(m_code.indexFrom(std::int64_t{instruction.offset} + instruction.size + size), end);
}

std::bitset<256> BlockStructurer::storedRegisters(std::size_t begin, std::size_t end) const {
  std::bitset<256> stored;
  for (std::size_t k = begin; k < end; ++k) {
    const std::uint8_t code = m_code[k].code;
    if (code == op::kStoreRegister && !m_code.body(k).empty()) stored.set(m_code.body(k)[0]);
    // A nested function's registers are its own.
    if (code == 0x9B || code == 0x8E) {
      const FunctionHeader nested = readFunctionHeader(m_code, k);
      if (nested.complete) k = std::max(k, bodyEnd(k, nested.codeSize, end) - 1);
    }
  }
  return stored;
}

std::size_t BlockStructurer::function(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                      const FlowContext& context) {
  const FunctionHeader header = readFunctionHeader(m_code, i);
  if (!header.complete) {
    emit(out, makeComment("function record cut short"), i);
    return i + 1;
  }
  const std::size_t bodyEnd = this->bodyEnd(i, header.codeSize, end);
  const std::bitset<256> stored = storedRegisters(i + 1, bodyEnd);
  auto definition = std::make_shared<SourceFunction>();
  definition->name = header.name;
  RegisterScope local;
  std::size_t next = 1;
  for (const auto& [bit, name] : kPreloads) {
    if ((header.preloads & bit) == 0) continue;
    // A preloaded register the body stores into is a local that starts with the value.
    if (stored[next]) {
      Statement s = makeStatement(StatementKind::Var, makeIdentifier(name));
      s.name = registerVariable(next);
      emit(definition->body, std::move(s), i + 1);
    } else {
      local.names[next] = name;
    }
    local.declared[next++] = true;
  }
  for (const auto& [number, parameter] : header.parameters) {
    // Some compilers leave the names of parameters held in registers empty, and obfuscators
    // give them names no script could use: the register's own name stands in.
    std::string name = number != 0 && !isDeclarableName(parameter) ? registerVariable(number) : parameter;
    if (number != 0) {
      local.names[number] = name;
      local.declared[number] = true;
    }
    definition->parameters.push_back(std::move(name));
  }
  if (context.depth < kMaxNesting) {
    m_values.enterFunction(std::move(local));
    ValueStack inner;
    FlowContext fresh;
    fresh.depth = context.depth + 1;
    StatementList body;
    m_walk.decodeRange(i + 1, bodyEnd, inner, body, fresh);
    m_values.flush(inner, 0, body, bodyEnd);
    // Registers are the function's own: those the body stores and names without a
    // declaration are declared first, so that no text writes a variable of the timeline.
    std::bitset<256> undeclared;
    for (std::size_t number = 0; number < stored.size(); ++number)
      undeclared[number] = stored[number] && !m_values.isDeclared(static_cast<std::uint8_t>(number));
    if (undeclared.any()) undeclared = RegisterUses(undeclared).in(body);
    for (std::size_t number = 0; number < undeclared.size(); ++number) {
      if (!undeclared[number]) continue;
      Statement s = makeStatement(StatementKind::Var);
      s.name = m_values.declareRegister(static_cast<std::uint8_t>(number));
      emit(definition->body, std::move(s), i + 1);
    }
    for (Statement& s : body) definition->body.push_back(std::move(s));
    m_values.leaveFunction();
  }
  const std::size_t after = context.depth < kMaxNesting ? bodyEnd : i + 1;
  if (definition->name.empty()) {
    stack.push(makeFunction(std::move(definition)));
  } else if (!isDeclarableName(definition->name)) {
    // A name such as "/:f": the function is stored as a variable of that name is.
    ExpressionPtr name = makeString(definition->name);
    definition->name.clear();
    m_values.defineLocal(name, makeFunction(std::move(definition)), i, out);
  } else {
    Statement s = makeStatement(StatementKind::Function);
    s.function = std::move(definition);
    emit(out, std::move(s), i);
  }
  return after;
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
  local.depth = 1;  // what the blocks leave on the stack, the code after the try reads
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
