#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr LineAction::Texts kTexts{4, " ActionEndDrag\n", "Stop Drag", "stopDrag ();"};
}  // namespace

ActionEndDrag::ActionEndDrag(const std::uint8_t* data, std::uint32_t size) : LineAction(0x28, data, size, kTexts) {}

}  // namespace orvane
