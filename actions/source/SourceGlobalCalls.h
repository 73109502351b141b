// The global functions that some records stand for, written as their author wrote them:
// getURL and the functions the compiler turns into it (loadMovie, loadVariables,
// unloadMovie, fscommand, print), property reads and writes, duplicateMovieClip's depth.
#pragma once

#include <cstdint>

#include "decompiler/SourceExpression.h"

namespace orvane {

/// The call of a getURL record; `method` is the flags of the stack form (0 for the form
/// with fixed strings): the send method in bits 0 and 1, 0x40 load into a clip, 0x80 load
/// variables.
ExpressionPtr urlCall(const ExpressionPtr& url, const ExpressionPtr& target, std::uint8_t method);
/// A property read: _x or clip._x when the index names a property and the target is a path,
/// else getProperty(target, index).
ExpressionPtr propertyRead(const ExpressionPtr& target, const ExpressionPtr& index);
/// The expression of a property write: an assignment to _x or clip._x, else
/// setProperty(target, index, value).
ExpressionPtr propertyWrite(const ExpressionPtr& target, const ExpressionPtr& index, const ExpressionPtr& value);
/// The depth the author gave duplicateMovieClip: the compiler adds 16384, the first depth
/// of clips made at run time.
ExpressionPtr clipDepth(const ExpressionPtr& depth);

}  // namespace orvane
