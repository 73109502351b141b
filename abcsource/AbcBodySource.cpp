#include "abcsource/AbcBodySource.h"

#include "abc/AbcDisassembly.h"

namespace orvane {

namespace {

/// The bound of a decompiled text, as for the ActionScript 1 and 2 source.
constexpr std::size_t kMaxSourceText = std::size_t{64} << 20;

}  // namespace

/// The body's statements as printed lines without indent.
class AbcBodyTree {
 public:
  std::vector<std::string> lines;
};

AbcDecompiledBody::AbcDecompiledBody() = default;
AbcDecompiledBody::~AbcDecompiledBody() = default;
AbcDecompiledBody::AbcDecompiledBody(AbcDecompiledBody&&) noexcept = default;
AbcDecompiledBody& AbcDecompiledBody::operator=(AbcDecompiledBody&&) noexcept = default;

void AbcDecompiledBody::appendText(std::string& out, const std::string& indent, std::size_t) const {
  if (!m_tree) return;
  for (const std::string& line : m_tree->lines) {
    if (out.size() > kMaxSourceText) {
      out += indent + "// the text ends here: it would grow beyond 64 MB\n";
      return;
    }
    out += indent;
    out += line;
    out.push_back('\n');
  }
}

AbcBodyDecompiler::AbcBodyDecompiler(const AbcFile& file, AbcNames& names)
    : m_file(file), m_names(names), m_bodies(file.bodies.size()) {}

AbcBodyDecompiler::~AbcBodyDecompiler() = default;

const AbcDecompiledBody* AbcBodyDecompiler::body(std::uint32_t methodIndex, const AbcMethodContext&) {
  if (methodIndex >= m_file.methods.size()) return nullptr;
  const std::int32_t bodyIndex = m_file.methods[methodIndex].body;
  if (bodyIndex < 0 || static_cast<std::size_t>(bodyIndex) >= m_bodies.size()) return nullptr;
  std::unique_ptr<AbcDecompiledBody>& slot = m_bodies[static_cast<std::size_t>(bodyIndex)];
  if (slot) return slot.get();
  slot = std::make_unique<AbcDecompiledBody>();
  // Until the statements are read: the disassembly, commented.
  std::string listing;
  appendBodyListing(listing, m_file, m_names, static_cast<std::uint32_t>(bodyIndex), "", &slot->m_functionLiterals);
  slot->m_tree = std::make_unique<AbcBodyTree>();
  std::size_t start = 0;
  while (start < listing.size()) {
    const std::size_t end = listing.find('\n', start);
    slot->m_tree->lines.push_back("// " + listing.substr(start, end - start));
    start = end == std::string::npos ? listing.size() : end + 1;
  }
  slot->m_failure = "not decompiled yet";
  return slot.get();
}

}  // namespace orvane
