#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr LineAction::Texts kTexts{2, " ActionStop\n", "Stop()", "stop ();"};
}  // namespace

ActionStop::ActionStop(const std::uint8_t* data, std::uint32_t size) : LineAction(0x07, data, size, kTexts) {}

}  // namespace orvane
