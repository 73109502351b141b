#include "actions/source/SourceGlobalCalls.h"

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

namespace {

constexpr std::array<const char*, 22> kProperties = {
    "_x",       "_y",          "_xscale",    "_yscale", "_currentframe", "_totalframes", "_alpha",  "_visible",
    "_width",   "_height",     "_rotation",  "_target", "_framesloaded", "_name",        "_droptarget", "_url",
    "_highquality", "_focusrect", "_soundbuftime", "_quality", "_xmouse", "_ymouse"};

/// What follows `prefix` in a text that begins with it: the rest of a literal, or the right
/// side of the compiler's `prefix add value`; else none.
ExpressionPtr afterPrefix(const Expression& text, std::string_view prefix) {
  if (const std::string* literal = stringValue(text); literal != nullptr && literal->starts_with(prefix))
    return makeString(literal->substr(prefix.size()));
  if (text.operation == Operation::StringAdd) {
    const std::string* left = stringValue(*text.operands[0]);
    if (left != nullptr && *left == prefix) return text.operands[1];
  }
  return nullptr;
}

/// The level number of a "_levelN" target (or "_level" add n), else none.
ExpressionPtr levelOf(const Expression& target) {
  ExpressionPtr level = afterPrefix(target, "_level");
  if (!level) return nullptr;
  const std::string* digits = stringValue(*level);
  if (digits == nullptr) return level;
  if (digits->empty() || digits->find_first_not_of("0123456789") != std::string::npos) return nullptr;
  return makeNumber(std::atof(digits->c_str()));
}

/// The property name of a property index, or none. A string names one only in plain
/// decimal digits: how the player reads "0x13", "013" or "11ABC" depends on the version.
const char* propertyName(const Expression& index) {
  double number = -1;
  if (index.isNumber) number = index.number;
  if (const std::string* text = stringValue(index)) {
    const bool decimal = !text->empty() && text->size() <= 2 && text->find_first_not_of("0123456789") == std::string::npos &&
                         (text->size() == 1 || text->front() != '0');
    number = decimal ? std::atof(text->c_str()) : -1;
  }
  if (!(number >= 0) || number >= static_cast<double>(kProperties.size()) || number != static_cast<int>(number))
    return nullptr;
  return kProperties[static_cast<std::size_t>(number)];
}

}  // namespace

ExpressionPtr urlCall(const ExpressionPtr& url, const ExpressionPtr& target, std::uint8_t method) {
  const std::string* urlText = stringValue(*url);
  const std::string* targetText = stringValue(*target);
  const bool noTarget = targetText != nullptr && targetText->empty();
  if (ExpressionPtr command = afterPrefix(*url, "FSCommand:"); command && method == 0) {
    if (noTarget) return makeGlobalCall("fscommand", {command});
    return makeGlobalCall("fscommand", {command, target});
  }
  const ExpressionPtr level = levelOf(*target);
  std::vector<ExpressionPtr> arguments{url, level ? level : target};
  if ((method & 3) == 1) arguments.push_back(makeString("GET"));
  if ((method & 3) == 2) arguments.push_back(makeString("POST"));
  // print (bounding box after "#") to a clip or a level, as a vector or a bitmap.
  for (const auto& [prefix, name] : {std::pair{"print:#", "print"}, {"printasbitmap:#", "printAsBitmap"}}) {
    if (method != 0 || urlText == nullptr || !urlText->starts_with(prefix)) continue;
    ExpressionPtr box = makeString(urlText->substr(std::string_view(prefix).size()));
    if (level) return makeGlobalCall((std::string(name) + "Num").c_str(), {level, box});
    return makeGlobalCall(name, {target, box});
  }
  const bool emptyUrl = urlText != nullptr && urlText->empty();
  if ((method & 0x80) != 0) return makeGlobalCall(level ? "loadVariablesNum" : "loadVariables", arguments);
  if ((method & 0x40) != 0) {
    if (emptyUrl) return makeGlobalCall("unloadMovie", {target});
    return makeGlobalCall("loadMovie", arguments);
  }
  if (level) {
    if (emptyUrl) return makeGlobalCall("unloadMovieNum", {level});
    return makeGlobalCall("loadMovieNum", arguments);
  }
  if (noTarget && arguments.size() == 2) arguments.pop_back();
  return makeGlobalCall("getURL", arguments);
}

ExpressionPtr propertyRead(const ExpressionPtr& target, const ExpressionPtr& index) {
  const char* name = propertyName(*index);
  if (name == nullptr) return makeGlobalCall("getProperty", {target, index});
  if (const std::string* path = stringValue(*target)) {
    if (path->empty()) return makeIdentifier(name);
    if (isNamePath(*path)) return makeIdentifier(*path + "." + name);
  }
  return makeGlobalCall("getProperty", {target, makeIdentifier(name)});
}

ExpressionPtr propertyWrite(const ExpressionPtr& target, const ExpressionPtr& index, const ExpressionPtr& value) {
  const char* name = propertyName(*index);
  if (name != nullptr) {
    if (const std::string* path = stringValue(*target)) {
      if (path->empty()) return assignmentValue(makeIdentifier(name), value, true);
      if (isNamePath(*path)) return assignmentValue(makeIdentifier(*path + "." + name), value, true);
    }
  }
  return makeGlobalCall("setProperty", {target, name != nullptr ? makeIdentifier(name) : index, value});
}

ExpressionPtr clipDepth(const ExpressionPtr& depth) {
  constexpr double kOffset = 16384;
  if (depth->isNumber) return makeNumber(depth->number - kOffset);
  if (depth->operation == Operation::Add || depth->operation == Operation::NumericAdd) {
    for (std::size_t k = 0; k < 2; ++k) {
      const Expression& part = *depth->operands[k];
      if (part.isNumber && part.number == kOffset) return depth->operands[1 - k];
    }
  }
  return makeBinary(Operation::Subtract, depth, makeNumber(kOffset));
}

}  // namespace orvane
