// ActionScript 2 classes from the compiler's pattern of class definitions.
#pragma once

#include "decompiler/SourceStatement.h"

namespace orvane {

/// The statements with every class definition written the way the compiler writes one
/// (the package guards, the constructor stored into _global, the prototype members,
/// ASSetPropFlags) replaced by a class statement; anything that deviates from the
/// pattern stays as the plain statements.
StatementList reconstructClasses(StatementList statements);

}  // namespace orvane
