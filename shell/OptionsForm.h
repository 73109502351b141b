// The marks of the options dialog and how they map to and from the scan options.
#pragma once

#include <array>
#include <cstdint>

#include "movie/ScanOptions.h"

namespace orvane {

/// The three groups of kind check boxes.
enum class KindGroup { Images, Actions, Sounds };

/// The flag bits of one group: Images 0x1F, Actions 0xE0, Sounds 0xF00.
std::uint32_t groupBits(KindGroup group);
/// The group a flag bit (0 to 11) belongs to.
KindGroup groupOfBit(int bit);

/// The translation modes of the radio buttons in the order OK looks at them (the six
/// specified ones, then "Source").
inline constexpr std::array<int, 7> kModeRadioOrder = {10, 12, 11, 13, 14, 15, 16};
inline constexpr int kLetOrvaneDecide = 17;

struct OptionsForm {
  bool showAdvancedDetails = false;
  bool showEmptyMovieObjects = false;
  std::array<bool, 12> kindChecked{};  // by flag bit
  std::array<bool, 3> groupChecked{};  // by KindGroup; a checked group disables its boxes
  std::array<bool, 7> modeChecked{};   // in kModeRadioOrder
  bool letOrvaneDecide = false;        // disables the radio buttons

  /// The marks the dialog opens with.
  static OptionsForm fromOptions(const ScanOptions& options);
  /// What OK stores: the display options, the flags from groups and boxes, and the mode
  /// (unchanged when neither "Let Orvane Decide" nor a radio button is checked).
  void applyTo(ScanOptions& options) const;
};

}  // namespace orvane
