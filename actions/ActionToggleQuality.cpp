#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr LineAction::Texts kTexts{2, " ActionToggleQuality\n", "Toggle High Quality", "toggleHighQuality ();"};
}  // namespace

ActionToggleQuality::ActionToggleQuality(const std::uint8_t* data, std::uint32_t size) : LineAction(0x08, data, size, kTexts) {}

}  // namespace orvane
