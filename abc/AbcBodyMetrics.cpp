#include "abc/AbcBodyMetrics.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace orvane {

namespace {

constexpr std::uint32_t kPushScope = 0x30;
constexpr std::uint32_t kPushWith = 0x1C;
constexpr std::uint32_t kPopScope = 0x1D;

AbcStackEffect fixedEffect(std::uint8_t code) {
  switch (code) {
    case 0x03: return {1, 0};  // throw
    case 0x07: return {1, 0};  // dxnslate
    case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x13: case 0x14: case 0x15: case 0x16: case 0x17:
    case 0x18: case 0x19: case 0x1A: return {2, 0};  // two-value conditional branches
    case 0x11: case 0x12: return {1, 0};             // iftrue, iffalse
    case 0x1B: return {1, 0};                        // lookupswitch
    case kPushWith: case kPushScope: return {1, 0};
    case 0x1E: case 0x1F: case 0x23: return {2, 1};  // nextname, hasnext, nextvalue
    case 0x20: case 0x21: case 0x24: case 0x25: case 0x26: case 0x27: case 0x28: case 0x2C: case 0x2D:
    case 0x2E: case 0x2F: case 0x31: case 0x32: return {0, 1};  // pushes, hasnext2
    case 0x29: return {1, 0};  // pop
    case 0x2A: return {1, 2};  // dup
    case 0x2B: return {2, 2};  // swap
    case 0x35: case 0x36: case 0x37: case 0x38: case 0x39: case 0x50: case 0x51: case 0x52: return {1, 1};
    case 0x3A: case 0x3B: case 0x3C: case 0x3D: case 0x3E: return {2, 0};  // domain memory stores
    case 0x40: case 0x57: case 0x5A: case 0x5F: case 0x60: case 0x62: case 0x64: case 0x65: case 0x6E:
    case 0xD0: case 0xD1: case 0xD2: case 0xD3: return {0, 1};
    case 0x48: return {1, 0};  // returnvalue
    case 0x58: return {1, 1};  // newclass
    case 0x63: case 0x6F: case 0xD4: case 0xD5: case 0xD6: case 0xD7: return {1, 0};  // stores
    case 0x6C: return {1, 1};  // getslot
    case 0x6D: return {2, 0};  // setslot
    case 0x87: return {2, 1};  // astypelate
    default:
      if ((code >= 0x70 && code <= 0x78) || (code >= 0x80 && code <= 0x89) || (code >= 0x90 && code <= 0x91) ||
          code == 0x93 || (code >= 0x95 && code <= 0x97) || code == 0xB2 || code == 0xC0 || code == 0xC1 ||
          code == 0xC4)
        return {1, 1};  // conversions, coercions and unary operators
      if ((code >= 0xA0 && code <= 0xB4) || (code >= 0xC5 && code <= 0xC7)) return {2, 1};  // binary operators
      return {0, 0};
  }
}

// The register of `debug` names a local for the debugger only; compilers do not count it.
bool namesRegister(AbcOperandKind kind) { return kind == AbcOperandKind::kRegister; }

}  // namespace

std::uint32_t multinameRuntimeParts(std::uint8_t kind) {
  switch (kind) {
    case mnkind::kRTQNameL:
    case mnkind::kRTQNameLA: return 2;
    case mnkind::kRTQName:
    case mnkind::kRTQNameA:
    case mnkind::kMultinameL:
    case mnkind::kMultinameLA: return 1;
    default: return 0;
  }
}

AbcStackEffect abcStackEffect(const AbcInstruction& instruction,
                              const std::function<std::uint32_t(std::uint32_t)>& runtimeParts) {
  const auto operand = [&](std::size_t i) { return static_cast<std::uint32_t>(instruction.operands[i]); };
  const auto name = [&]() { return runtimeParts(operand(0)); };
  switch (instruction.code) {
    case 0x04: return {1 + name(), 1};                    // getsuper
    case 0x05: return {2 + name(), 0};                    // setsuper
    case 0x41: return {2 + operand(0), 1};                // call
    case 0x42: return {1 + operand(0), 1};                // construct
    case 0x43: case 0x44: return {1 + operand(1), 1};     // callmethod, callstatic
    case 0x45: case 0x46: case 0x4A: case 0x4C: return {1 + operand(1) + name(), 1};
    case 0x4E: case 0x4F: return {1 + operand(1) + name(), 0};  // callsupervoid, callpropvoid
    case 0x49: return {1 + operand(0), 0};                // constructsuper
    case 0x53: return {1 + operand(0), 1};                // applytype
    case 0x55: return {2 * operand(0), 1};                // newobject
    case 0x56: return {operand(0), 1};                    // newarray
    case 0x59: case 0x66: case 0x6A: return {1 + name(), 1};  // getdescendants, getproperty, deleteproperty
    case 0x5D: case 0x5E: return {name(), 1};             // findpropstrict, findproperty
    case 0x61: case 0x68: return {2 + name(), 0};         // setproperty, initproperty
    case 0x80: case 0x86: case 0xB2: return {1, 1};       // coerce, astype, istype
    default: return fixedEffect(instruction.code);
  }
}

AbcBodyMetrics measureBody(const AbcDecodedCode& code, std::span<const AbcException> exceptions,
                           std::uint32_t firstFreeRegister,
                           const std::function<std::uint32_t(std::uint32_t)>& runtimeParts) {
  AbcBodyMetrics metrics;
  metrics.localCount = firstFreeRegister;
  const std::vector<AbcInstruction>& instructions = code.instructions;
  std::unordered_map<std::int64_t, std::size_t> at;
  at.reserve(instructions.size());
  for (std::size_t i = 0; i < instructions.size(); ++i) {
    const AbcInstruction& instruction = instructions[i];
    at.emplace(instruction.offset, i);
    const AbcOpcode& opcode = instruction.opcode();
    std::uint32_t highest = 0;
    bool names = false;
    for (std::uint8_t k = 0; k < opcode.operandCount; ++k)
      if (namesRegister(opcode.operands[k])) {
        names = true;
        highest = std::max(highest, static_cast<std::uint32_t>(instruction.operands[k]));
      }
    if (instruction.code >= 0xD0 && instruction.code <= 0xD7) {
      names = true;
      highest = (instruction.code - 0xD0) % 4;
    }
    if (names) metrics.localCount = std::max(metrics.localCount, highest + 1);
  }

  struct Depth {
    std::uint32_t stack = 0;
    std::uint32_t scope = 0;
  };
  std::vector<bool> seen(instructions.size(), false);
  std::vector<std::pair<std::size_t, Depth>> work;
  const auto reach = [&](std::int64_t offset, Depth depth) {
    const auto found = at.find(offset);
    if (found == at.end() || seen[found->second]) return;
    seen[found->second] = true;
    work.emplace_back(found->second, depth);
  };
  reach(0, {});
  for (const AbcException& handler : exceptions) reach(handler.target, {1, 0});
  metrics.maxStack = exceptions.empty() ? 0 : 1;
  while (!work.empty()) {
    auto [index, depth] = work.back();
    work.pop_back();
    const AbcInstruction& instruction = instructions[index];
    const AbcStackEffect effect = abcStackEffect(instruction, runtimeParts);
    depth.stack = depth.stack >= effect.pops ? depth.stack - effect.pops : 0;
    depth.stack += effect.pushes;
    metrics.maxStack = std::max(metrics.maxStack, depth.stack);
    if (instruction.code == kPushScope || instruction.code == kPushWith) ++depth.scope;
    if (instruction.code == kPopScope && depth.scope > 0) --depth.scope;
    metrics.scopeHeight = std::max(metrics.scopeHeight, depth.scope);

    const AbcOpcode& opcode = instruction.opcode();
    for (const std::int64_t target : instruction.switchTargets) reach(target, depth);
    for (std::uint8_t k = 0; k < opcode.operandCount; ++k)
      if (opcode.operands[k] == AbcOperandKind::kBranch) reach(instruction.operands[k], depth);
    const bool ends = opcode.isSwitch || instruction.code == 0x10 || instruction.code == 0x03 ||
                      instruction.code == 0x47 || instruction.code == 0x48;  // jump, throw, returns
    if (!ends) reach(instruction.offset + instruction.length, depth);
  }
  return metrics;
}

}  // namespace orvane
