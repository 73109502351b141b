#include "actions/source/SourceDecompiler.h"

#include "actions/source/SourceExpressionBuilder.h"
#include "actions/source/SourceInstructions.h"
#include "actions/source/SourceStructurer.h"

namespace orvane {

StatementList decompileBlock(const ActionList& records) {
  const InstructionStream code(records);
  ExpressionBuilder values(code);
  return Structurer(code, values).run();
}

}  // namespace orvane
