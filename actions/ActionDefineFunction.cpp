#include "actions/ControlActions.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionDefineFunction\n";
}  // namespace

ActionDefineFunction::ActionDefineFunction(const std::uint8_t* data, std::uint32_t size)
    : FunctionDefinition(0x9B, data, size) {
  std::uint32_t offset = 3;
  const std::optional<std::string_view> name = readText(offset);
  if (!name) return;
  m_name = *name;
  BitReader count = readerAt(offset);
  m_parameterCount = count.readU16();
  offset += 2;
  for (std::uint16_t i = 0; i < m_parameterCount && !count.exhausted(); ++i) {
    const std::optional<std::string_view> parameter = readText(offset);
    if (!parameter) return;
    m_parameterNames.push_back(*parameter);
  }
  BitReader codeSize = readerAt(offset);
  m_codeSize = codeSize.readU16();
  if (count.exhausted() || codeSize.exhausted()) markTruncated();
}

std::string ActionDefineFunction::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  std::string listing = codeText() + kLabel + "\t[" +
                        formatText("Name = %s, NumParams = %d,CodeSize = %d", std::string(m_name).c_str(),
                                   m_parameterCount, m_codeSize);
  for (std::size_t i = 0; i < m_parameterNames.size(); ++i) {
    listing += ",Param" + std::to_string(i + 1) + " = " + std::string(m_parameterNames[i]);
  }
  return listing + " ]\n";
}

}  // namespace orvane
