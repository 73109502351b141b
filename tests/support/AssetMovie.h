// The movie of the vector asset tests: shapes, a morph shape, a font, texts and frames.
#pragma once

#include "tests/support/MovieBuilder.h"

namespace orvane::test {

/// A 100 x 100 pixel stage over three frames: the red square shape 1 (10 pixels) at depth 1
/// in frame 0, the square shape 9 whose bitmap fill names a bitmap the movie lacks (77)
/// added in frame 1, the red square removed in frame 2. Beside them the morph shape 2 (a red
/// 10-pixel square growing into a blue 20-pixel one), the font 3 "Boxes" (A and B, two
/// 20-pixel boxes), the text 4 ("AB" in it) and the edit text 5 ("Hello", variable score).
Bytes assetMovie();

}  // namespace orvane::test
