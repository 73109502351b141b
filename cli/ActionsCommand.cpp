// The `actions` verb: the text an action window shows for one object or for all of them.
#include <array>
#include <optional>
#include <ostream>

#include "actions/ActionTranslator.h"
#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"

namespace orvane {

namespace {

struct NamedMode {
  const char* name;
  TranslationMode mode;
};

constexpr std::array<NamedMode, 7> kModes = {{
    {"hex", TranslationMode::ByteCodeHex},
    {"char", TranslationMode::ByteCodeCharacter},
    {"int", TranslationMode::ByteCodeInteger},
    {"function", TranslationMode::FunctionCode},
    {"as4", TranslationMode::ActionScript4},
    {"as5", TranslationMode::ActionScript5},
    {"source", TranslationMode::Source},
}};

std::optional<TranslationMode> modeNamed(const std::string& name) {
  for (const NamedMode& named : kModes)
    if (name == named.name) return named.mode;
  return std::nullopt;
}

/// The frame action, button or sprite instance with that serial.
const MovieObject* actionObjectWithSerial(const ScanResult& result, std::uint32_t serial) {
  if (const MovieObject* action = result.findAction(serial, true)) return action;
  if (const MovieObject* button = result.findButton(serial, true)) return button;
  return result.findInstance(serial, true);
}

/// Every timeline in order, each with its frame actions, its init actions, its buttons that
/// have condition actions (as the object tree lists them) and its sprite instances.
std::vector<const MovieObject*> allActionObjects(const ScanResult& result) {
  std::vector<const MovieObject*> objects;
  for (const auto& node : result.timelines()) {
    for (const auto& action : node->actions) objects.push_back(action.get());
    for (const auto& action : node->initActions) objects.push_back(action.get());
    for (const auto& button : node->buttons)
      if (button->conditionCount() > 0) objects.push_back(button.get());
    for (const auto& instance : node->instances) objects.push_back(instance.get());
  }
  return objects;
}

}  // namespace

int runActions(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--serial=", "--all", "--mode="}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("actions takes one movie");
  if (parsed.has("--serial") == parsed.has("--all")) return context.usage("actions needs either --serial N or --all");
  std::uint32_t serial = 0;
  if (parsed.has("--serial") && !parseDecimal(parsed.value("--serial"), serial))
    return context.usage("--serial takes a number");
  std::optional<TranslationMode> mode;
  if (parsed.has("--mode")) {
    mode = modeNamed(parsed.value("--mode"));
    if (!mode) return context.usage("--mode takes hex, char, int, function, as4, as5 or source");
  }

  ScanResult result;
  const ScanStatus status = context.scanMovie(parsed.positional[0], result);
  const TranslationMode shown = mode.value_or(initialMode(result.version));
  if (parsed.has("--all")) {
    for (const MovieObject* object : allActionObjects(result))
      context.out() << "=== " << object->describe(false) << "\n" << ActionWindowText(object, shown, context.sink());
  } else {
    const MovieObject* object = actionObjectWithSerial(result, serial);
    if (object == nullptr) {
      if (status == ScanStatus::Success) context.err() << "no frame action, button or sprite instance has serial " << serial << "\n";
      return exitcode::kFailure;
    }
    context.out() << ActionWindowText(object, shown, context.sink());
  }
  return status == ScanStatus::Success ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
