// The structuring decompiler: one action block's records turned into statement trees.
#pragma once

#include "actions/ActionList.h"
#include "decompiler/SourceStatement.h"

namespace orvane {

/// The statements of the block. Every record is accounted for: flow that no statement
/// form expresses becomes goto comments and labels, and any block, however broken, gives
/// a result in time linear in its size (nesting beyond a fixed depth is laid out flat).
StatementList decompileBlock(const ActionList& records);

}  // namespace orvane
