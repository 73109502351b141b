#include "shell/OptionsForm.h"

namespace orvane {

std::uint32_t groupBits(KindGroup group) {
  switch (group) {
    case KindGroup::Images:
      return 0x1F;
    case KindGroup::Actions:
      return 0xE0;
    case KindGroup::Sounds:
      return 0xF00;
  }
  return 0;
}

KindGroup groupOfBit(int bit) {
  if (bit < 5) return KindGroup::Images;
  if (bit < 8) return KindGroup::Actions;
  return KindGroup::Sounds;
}

OptionsForm OptionsForm::fromOptions(const ScanOptions& options) {
  OptionsForm form;
  form.showAdvancedDetails = options.showAdvancedDetails != 0;
  form.showEmptyMovieObjects = options.showEmptyMovieObjects != 0;
  for (int bit = 0; bit < 12; ++bit) form.kindChecked[bit] = (options.scanFlags & (1u << bit)) != 0;
  for (const KindGroup group : {KindGroup::Images, KindGroup::Actions, KindGroup::Sounds}) {
    const std::uint32_t bits = groupBits(group);
    form.groupChecked[static_cast<int>(group)] = (options.scanFlags & bits) == bits;
  }
  form.letOrvaneDecide = options.defaultTranslationMode == kLetOrvaneDecide;
  for (std::size_t i = 0; i < kModeRadioOrder.size(); ++i) {
    form.modeChecked[i] = options.defaultTranslationMode == kModeRadioOrder[i];
  }
  return form;
}

void OptionsForm::applyTo(ScanOptions& options) const {
  options.showAdvancedDetails = showAdvancedDetails ? 1 : 0;
  options.showEmptyMovieObjects = showEmptyMovieObjects ? 1 : 0;
  std::uint32_t flags = 0;
  for (int bit = 0; bit < 12; ++bit) {
    const bool groupSet = groupChecked[static_cast<int>(groupOfBit(bit))];
    if (groupSet || kindChecked[bit]) flags |= 1u << bit;
  }
  options.scanFlags = flags;
  if (letOrvaneDecide) {
    options.defaultTranslationMode = kLetOrvaneDecide;
    return;
  }
  for (std::size_t i = 0; i < kModeRadioOrder.size(); ++i) {
    if (modeChecked[i]) {
      options.defaultTranslationMode = kModeRadioOrder[i];
      return;
    }
  }
}

}  // namespace orvane
