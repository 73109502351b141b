#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr LineAction::Texts kTexts{2, " ActionPrevFrame\n", "Goto Prev Frame", "prevFrame ();"};
}  // namespace

ActionPrevFrame::ActionPrevFrame(const std::uint8_t* data, std::uint32_t size) : LineAction(0x05, data, size, kTexts) {}

}  // namespace orvane
