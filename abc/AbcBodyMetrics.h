// What a method body needs of the machine: the deepest operand stack, the registers and the
// deepest scope stack its code reaches.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "abc/AbcFile.h"
#include "abc/AbcInstruction.h"

namespace orvane {

/// How many values an instruction takes from the operand stack and leaves on it.
struct AbcStackEffect {
  std::uint32_t pops = 0;
  std::uint32_t pushes = 0;
};

/// `runtimeParts` tells how many values a multiname's runtime parts take (namespace, name).
AbcStackEffect abcStackEffect(const AbcInstruction& instruction,
                              const std::function<std::uint32_t(std::uint32_t)>& runtimeParts);

/// The values a multiname of this kind takes from the stack at run time: 2 for [ns]::[name],
/// 1 for [ns]::name and {..}::[name], 0 otherwise.
std::uint32_t multinameRuntimeParts(std::uint8_t kind);

struct AbcBodyMetrics {
  std::uint32_t maxStack = 0;
  std::uint32_t localCount = 0;
  /// The scope stack's own growth above the body's initial depth.
  std::uint32_t scopeHeight = 0;
};

/// Walks the code from its start and from every handler (which starts with the caught value
/// on an empty stack and scope stack) along branches, switches and fall-through, each
/// instruction once at the depths it is first reached with; code that no path reaches does
/// not count. Registers count from every instruction that names one (but `debug`). `firstFreeRegister` is
/// the count the parameters take (this, the parameters, the rest or arguments array).
AbcBodyMetrics measureBody(const AbcDecodedCode& code, std::span<const AbcException> exceptions,
                           std::uint32_t firstFreeRegister,
                           const std::function<std::uint32_t(std::uint32_t)>& runtimeParts);

}  // namespace orvane
