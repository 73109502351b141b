#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr LineAction::Texts kTexts{2, " ActionStopSounds\n", "Stop All Sounds", "stopAllSounds ();"};
}  // namespace

ActionStopSounds::ActionStopSounds(const std::uint8_t* data, std::uint32_t size) : LineAction(0x09, data, size, kTexts) {}

}  // namespace orvane
