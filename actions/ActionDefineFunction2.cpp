#include <array>

#include "actions/ControlActions.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {

constexpr const char* kLabel = " ActionDefineFunction2\n";

struct Preload {
  std::uint16_t flag;
  std::string_view name;
};
// The order in which preloaded values take their registers.
constexpr std::array<Preload, 6> kPreloads = {{
    {ActionDefineFunction2::kPreloadThis, "this"},
    {ActionDefineFunction2::kPreloadArguments, "arguments"},
    {ActionDefineFunction2::kPreloadSuper, "super"},
    {ActionDefineFunction2::kPreloadRoot, "_root"},
    {ActionDefineFunction2::kPreloadParent, "_parent"},
    {ActionDefineFunction2::kPreloadGlobal, "_global"},
}};

}  // namespace

ActionDefineFunction2::ActionDefineFunction2(const std::uint8_t* data, std::uint32_t size)
    : FunctionDefinition(kCode, data, size) {
  std::uint32_t offset = 3;
  const std::optional<std::string_view> name = readText(offset);
  if (!name) return;
  m_name = *name;
  BitReader fields = readerAt(offset);
  m_parameterCount = fields.readU16();
  m_registerCount = fields.readU8();
  m_flags = fields.readU16();
  if (fields.exhausted()) {
    markTruncated();
    return;
  }
  offset += 5;
  for (std::uint16_t i = 0; i < m_parameterCount; ++i) {
    BitReader registerField = readerAt(offset);
    const std::uint8_t number = registerField.readU8();
    if (registerField.exhausted()) {
      markTruncated();
      return;
    }
    ++offset;
    const std::optional<std::string_view> parameter = readText(offset);
    if (!parameter) return;
    m_parameters.push_back({number, *parameter});
    m_parameterNames.push_back(*parameter);
  }
  BitReader codeSize = readerAt(offset);
  m_codeSize = codeSize.readU16();
  if (codeSize.exhausted()) markTruncated();
}

std::vector<NamedRegister> ActionDefineFunction2::preloadedRegisters() const {
  std::vector<NamedRegister> preloaded;
  std::uint8_t next = 1;
  for (const Preload& preload : kPreloads) {
    if ((m_flags & preload.flag) != 0) preloaded.push_back({next++, preload.name});
  }
  return preloaded;
}

std::vector<NamedRegister> ActionDefineFunction2::bodyRegisters() const {
  std::vector<NamedRegister> named = preloadedRegisters();
  for (const NamedRegister& parameter : m_parameters) {
    if (parameter.number != 0) named.push_back(parameter);
  }
  return named;
}

std::string ActionDefineFunction2::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  std::string listing = codeText() + kLabel +
                        formatText("\t[Name = %s, NumParams = %d, RegisterCount = %d, Flags = 0x%04X, CodeSize = %d]\n",
                                   std::string(m_name).c_str(), m_parameterCount, m_registerCount, m_flags, m_codeSize);
  for (std::size_t i = 0; i < m_parameters.size(); ++i) {
    listing += formatText("\t[Param %d: Register %d, Name = ", static_cast<int>(i), m_parameters[i].number) +
               std::string(m_parameters[i].name) + "]\n";
  }
  return listing;
}

}  // namespace orvane
