#include "abcsource/AbcParameterNames.h"

#include <algorithm>

#include "abc/AbcInstruction.h"
#include "abcsource/AbcIdentifiers.h"

namespace orvane {

namespace {

constexpr std::uint8_t kDebugCode = 0xEF;
constexpr std::int64_t kDebugLocal = 1;  // the debug record that names a register

}  // namespace

std::vector<std::string> parameterNames(const AbcFile& file, const AbcNames& names, std::uint32_t method) {
  if (method >= file.methods.size()) return {};
  const AbcMethod& entry = file.methods[method];
  const std::size_t count = entry.parameterTypes.size();
  std::vector<std::string> given(count);
  if (entry.body >= 0 && static_cast<std::size_t>(entry.body) < file.bodies.size()) {
    // A debug record names register r + 1; registers 1 to count hold the parameters. Its
    // names are those the code reads: the authoring tool can write other names into the
    // method's own list.
    for (const AbcInstruction& instruction :
         decodeInstructions(file.bodies[static_cast<std::size_t>(entry.body)].code).instructions) {
      if (instruction.code != kDebugCode || instruction.operands[0] != kDebugLocal) continue;
      const auto slot = static_cast<std::uint64_t>(instruction.operands[2]);
      if (slot < count && given[slot].empty()) given[slot] = names.string(static_cast<std::uint32_t>(instruction.operands[1]));
    }
  }
  for (std::size_t i = 0; i < count && i < entry.parameterNames.size(); ++i)
    if (given[i].empty()) given[i] = names.string(entry.parameterNames[i]);
  std::vector<std::string> result(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string name = given[i].empty() ? std::string() : sourceIdentifier(given[i]);
    // Two parameters of one name would not compile: the later one reads by its number.
    const auto earlier = result.begin() + static_cast<std::ptrdiff_t>(i);
    if (name.empty() || std::find(result.begin(), earlier, name) != earlier) name = "param" + std::to_string(i + 1);
    result[i] = std::move(name);
  }
  return result;
}

}  // namespace orvane
