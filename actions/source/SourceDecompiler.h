// The structuring decompiler: one action block's records turned into statement trees.
#pragma once

#include "actions/ActionList.h"
#include "decompiler/SourceStatement.h"

namespace orvane {

/// The statements of the block. Every record is accounted for: flow that no statement
/// form expresses becomes goto comments and labels, and any block, however broken, gives
/// a result in time linear in its size (nesting beyond a fixed depth is laid out flat).
/// A block whose code no program can say (names of an enumeration left on the stack
/// inside a branch) is one comment that says so.
StatementList decompileBlock(const ActionList& records);

}  // namespace orvane
