// The instructions of an ActionScript 3 method body as the shared structurer walks them.
#pragma once

#include "abc/AbcFile.h"
#include "abc/AbcInstruction.h"
#include "decompiler/FlowStream.h"

namespace orvane {

/// One entry per decoded instruction, at the same index: branches, jumps, the
/// lookupswitch, returns and throw have their kinds; the exception handlers' targets are
/// landings.
FlowStream abcFlow(const AbcDecodedCode& decoded, const AbcMethodBody& body);

}  // namespace orvane
