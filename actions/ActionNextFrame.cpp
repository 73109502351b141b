#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr LineAction::Texts kTexts{2, " ActionNextFrame\n", "Goto Next Frame", "nextFrame ();"};
}  // namespace

ActionNextFrame::ActionNextFrame(const std::uint8_t* data, std::uint32_t size) : LineAction(0x04, data, size, kTexts) {}

}  // namespace orvane
