#include "actions/ExpressionTable.h"
#include "actions/FrameActions.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionGetURL\n";
constexpr std::uint32_t kBodyOffset = 3;
}  // namespace

ActionGetURL::ActionGetURL(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x83, data, size) {
  const std::optional<std::string_view> url = terminatedTextAt(kBodyOffset);
  if (!url) {
    markTruncated();
    return;
  }
  m_url = *url;
  const std::span<const std::uint8_t> bytes = body();
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0 && bytes[i + 1] != 0) m_target = textAt(kBodyOffset + static_cast<std::uint32_t>(i) + 1);
  }
}

int ActionGetURL::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  const std::string url(m_url);
  const std::string target(m_target.value_or(std::string_view()));
  const bool v4 = isVersion4(version);
  if (url == "\"\"" || (url.empty() && m_target)) {
    table->AppendLine((v4 ? "UnLoad Movie(\"" : "unloadMovieNum (\"") + target + (v4 ? "\")" : "\");"));
  } else {
    table->AppendLine((v4 ? "Get URL(\"" : "getURL (\"") + url + "\" , Target = \"" + target + (v4 ? "\")" : "\");"));
  }
  return 1;
}

std::string ActionGetURL::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  return codeText() + kLabel + "\t[url: " + std::string(m_url) + ", target: " +
         std::string(m_target.value_or(std::string_view())) + "]\n";
}

}  // namespace orvane
