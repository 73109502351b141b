#include "actions/UnaryActions.h"

namespace orvane {

namespace {
constexpr UnaryAction::Texts kTexts{4, " ActionRemoveSprite\n", UnaryAction::Form::Statement, {"Remove Movie Clip (", ")"},
                                    {"removeMovieClip (", ")"}};
}  // namespace

ActionRemoveSprite::ActionRemoveSprite(const std::uint8_t* data, std::uint32_t size) : UnaryAction(0x25, data, size, kTexts) {}

}  // namespace orvane
