// The movie the search tests read: the variable "score" set in a frame action, a button
// and a sprite instance.
#pragma once

#include "tests/actions/ActionBytes.h"
#include "tests/support/MovieBuilder.h"

namespace orvane::test {

/// A version 5 movie: frame action `score = "5"; stop ();`, a button whose release sets
/// score to "0", a sprite instance "ball" whose load sets it to "9".
inline Bytes scoreMovie() {
  const auto setScore = [](std::int32_t value) { return join({push({str("score"), i32(value)}), {0x1D}}); };
  TagList sprite;
  sprite.showFrame().end();
  MovieBuilder movie(5);
  movie.frameLabel("start")
      .doAction(join({setScore(5), {0x07, 0x00}}))
      .defineButton2(2, {{0x0008, join({setScore(0), {0x00}})}})
      .defineSprite(3, 1, sprite)
      .placeObject2(5, 1, 3, "ball", 0, {{0x0001, join({setScore(9), {0x00}})}})
      .showFrame()
      .end();
  return movie.build();
}

}  // namespace orvane::test
