#include "usage/CommandLine.h"

namespace orvane {

std::vector<std::string_view> optionChoices(const OptionHelp& option) {
  std::vector<std::string_view> choices;
  std::string_view rest = option.choices;
  while (!rest.empty()) {
    const std::size_t bar = rest.find('|');
    choices.push_back(rest.substr(0, bar));
    rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
  }
  return choices;
}

std::vector<OptionHelp> completedOptions(const CommandHelp& verb) {
  std::vector<OptionHelp> options = verb.options;
  options.push_back(kVerbHelpOption);
  return options;
}

bool isRepeated(const OperandHelp& operand) { return operand.name.ends_with("..."); }

}  // namespace orvane
