#include "abc/AbcObjectText.h"

#include <cstdio>
#include <ostream>

#include "abc/AbcParser.h"
#include "movie/TagHeader.h"

namespace orvane {

namespace {

const char* byteCodeKindName(ByteCodeKind kind) {
  switch (kind) {
    case ByteCodeKind::Character: return "Character";
    case ByteCodeKind::Integer: return "Integer";
    default: return "Hex";
  }
}

std::string counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

AbcTagTexts::AbcTagTexts(const AbcTag& tag) : m_tag(tag), m_file(parseAbc(tag.block)), m_outline(m_file) {}

std::string AbcTagTexts::tagLine() const {
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%X", m_tag.flags);
  std::string line = m_tag.typeName();
  if (m_tag.code == tag::kDoAbc) line += " \"" + m_tag.name + "\" (flags " + flags + ")";
  return line + " in frame " + std::to_string(m_tag.frame) + " : ABC version " +
         std::to_string(m_file.majorVersion) + "." + std::to_string(m_file.minorVersion) + ", " +
         counted(m_file.instances.size(), "class", "classes") + ", " +
         counted(m_file.scripts.size(), "script", "scripts");
}

std::string AbcTagTexts::objectText(const AbcObject& object, std::optional<ByteCodeKind> bytes) {
  std::string name = object.describe(false);
  if (name.ends_with(' ')) name.pop_back();
  std::string text = "// ActionScript 3 : " + name + "\n// " + tagLine() + "\n";
  if (bytes) text += std::string("// Byte Code : ") + byteCodeKindName(*bytes) + "\n";
  text += "//\n" + m_outline.errorsText();
  m_outline.setBodyBytes(bytes);
  text += object.kind == AbcObject::Kind::Class ? m_outline.classText(object.index)
                                                : m_outline.scriptText(object.index);
  return text;
}

void AbcTagTexts::writeEverything(std::ostream& out) const {
  // An outline of its own: what it has shown decides which methods are left over.
  AbcOutline outline(m_file);
  out << "=== " << tagLine() << "\n" << outline.errorsText();
  for (std::uint32_t i = 0; i < m_file.instances.size(); ++i) out << outline.classText(i);
  for (std::uint32_t i = 0; i < m_file.scripts.size(); ++i) out << outline.scriptText(i);
  out << outline.remainingMethodsText();
}

}  // namespace orvane
