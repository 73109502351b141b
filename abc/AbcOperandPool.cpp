#include "abc/AbcOperandPool.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <limits>

#include "actions/assembly/AssemblyLiterals.h"

namespace orvane {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

/// Splits "TEXT#N" into the text and N; none when the operand does not end in '#' and digits.
std::optional<std::pair<std::string_view, std::uint32_t>> indexSuffix(std::string_view operand) {
  const std::size_t hash = operand.rfind('#');
  if (hash == std::string_view::npos || hash + 1 == operand.size() || operand.size() - hash > 11) return std::nullopt;
  std::uint64_t index = 0;
  for (std::size_t i = hash + 1; i < operand.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(operand[i]))) return std::nullopt;
    index = index * 10 + static_cast<std::uint64_t>(operand[i] - '0');
  }
  if (index > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return std::pair{trimmed(operand.substr(0, hash)), static_cast<std::uint32_t>(index)};
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

/// The bytes of a string in the listing's quotes and escapes (\" \\ \n \r \t \xHH).
std::optional<std::string> unquoted(std::string_view text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  std::string value;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') return std::nullopt;
    if (c != '\\') {
      value.push_back(c);
      continue;
    }
    if (++i + 1 >= text.size()) return std::nullopt;
    switch (text[i]) {
      case '"': value.push_back('"'); break;
      case '\\': value.push_back('\\'); break;
      case 'n': value.push_back('\n'); break;
      case 'r': value.push_back('\r'); break;
      case 't': value.push_back('\t'); break;
      case 'x': {
        if (i + 3 >= text.size()) return std::nullopt;
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        value.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return value;
}

/// The text as the listing would show the value it means; none when it is not of the form.
std::optional<std::string> canonicalText(AbcPoolTable table, std::string_view text, std::string& error) {
  switch (table) {
    case AbcPoolTable::kInt: {
      const auto value = parseInteger(text);
      if (value && *value >= std::numeric_limits<std::int32_t>::min() && *value <= std::numeric_limits<std::int32_t>::max())
        return std::to_string(*value);
      error = "expects an integer from -2147483648 to 2147483647";
      return std::nullopt;
    }
    case AbcPoolTable::kUInt: {
      const auto value = parseInteger(text);
      if (value && *value >= 0 && *value <= std::numeric_limits<std::uint32_t>::max()) return std::to_string(*value);
      error = "expects an integer from 0 to 4294967295";
      return std::nullopt;
    }
    case AbcPoolTable::kDouble: {
      const auto value = parseDouble(text);
      if (value) return doubleText(*value);
      error = "expects a number (1.5, -2e-7, NaN, Infinity)";
      return std::nullopt;
    }
    case AbcPoolTable::kString: {
      const auto value = unquoted(text);
      if (value) return quotedString(*value);
      error = "expects a string in double quotes (escapes \\\" \\\\ \\n \\r \\t \\xHH)";
      return std::nullopt;
    }
    default:
      if (!text.empty()) return std::string(text);
      error = std::string("expects a ") + poolTableName(table);
      return std::nullopt;
  }
}

/// Where `separator` stands last outside brackets, braces and angle brackets.
std::size_t lastTopLevel(std::string_view text, std::string_view separator) {
  int depth = 0;
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '[' || c == '{' || c == '<') ++depth;
    if (c == ']' || c == '}' || c == '>') --depth;
    if (depth == 0 && text.compare(i, separator.size(), separator) == 0) found = i;
  }
  return found;
}

/// The parts of a list separated by top-level commas, each trimmed.
std::vector<std::string> topLevelItems(std::string_view text) {
  std::vector<std::string> items;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ',';
    if (c == '[' || c == '{' || c == '<') ++depth;
    if (c == ']' || c == '}' || c == '>') --depth;
    if (c == ',' && depth == 0) {
      items.emplace_back(trimmed(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  return items;
}

}  // namespace

const char* poolTableName(AbcPoolTable table) {
  switch (table) {
    case AbcPoolTable::kInt: return "int";
    case AbcPoolTable::kUInt: return "uint";
    case AbcPoolTable::kDouble: return "double";
    case AbcPoolTable::kString: return "string";
    case AbcPoolTable::kNamespace: return "namespace";
    case AbcPoolTable::kNamespaceSet: return "namespace set";
    case AbcPoolTable::kMultiname: return "multiname";
  }
  return "";
}

AbcOperandPool::AbcOperandPool(const AbcFile& file, AbcNames& names, AbcPoolTexts& texts,
                               std::set<AbcPoolEntry> preferred)
    : m_file(file), m_names(names), m_texts(texts), m_preferred(std::move(preferred)) {}

std::size_t AbcOperandPool::size(AbcPoolTable table) const {
  const AbcConstantPool& pool = m_file.pool;
  std::size_t held = 0;
  switch (table) {
    case AbcPoolTable::kInt: held = pool.integers.size(); break;
    case AbcPoolTable::kUInt: held = pool.unsignedIntegers.size(); break;
    case AbcPoolTable::kDouble: held = pool.doubles.size(); break;
    case AbcPoolTable::kString: held = pool.strings.size(); break;
    case AbcPoolTable::kNamespace: held = pool.namespaces.size(); break;
    case AbcPoolTable::kNamespaceSet: held = pool.namespaceSets.size(); break;
    case AbcPoolTable::kMultiname: held = pool.multinames.size(); break;
  }
  return held + m_addedCount[static_cast<std::size_t>(table)];
}

bool AbcOperandPool::grew() const {
  for (const std::uint32_t count : m_addedCount)
    if (count != 0) return true;
  return false;
}

std::uint8_t AbcOperandPool::multinameKind(std::uint32_t index) const {
  const auto& held = m_file.pool.multinames;
  if (index < held.size()) return held[index].kind;
  const std::size_t added = index - held.size();
  return added < m_addedMultinameKinds.size() ? m_addedMultinameKinds[added] : 0;
}

bool AbcOperandPool::resolve(AbcPoolTable table, std::string_view operand, std::uint32_t& index, std::string& error) {
  operand = trimmed(operand);
  if (const auto suffix = indexSuffix(operand)) {
    const auto [text, chosen] = *suffix;
    if (chosen >= size(table)) {
      error = std::string(poolTableName(table)) + " " + std::to_string(chosen) + " is past the table of " +
              std::to_string(size(table));
      return false;
    }
    if (text.empty()) {
      index = chosen;
      return true;
    }
    std::string ignored;
    const auto wanted = canonicalText(table, text, ignored);
    // Compared without blanks at the ends, which the listing's texts may have.
    if (wanted && trimmed(m_texts.text(table, chosen)) == *wanted) {
      index = chosen;
      return true;
    }
    // A name may end in '#' and digits of its own; any other text is the entry's.
    if (wanted && table != AbcPoolTable::kMultiname && table != AbcPoolTable::kNamespace) {
      error = std::string(poolTableName(table)) + " " + std::to_string(chosen) + " is " +
              m_texts.text(table, chosen) + ", not " + *wanted;
      return false;
    }
  }
  const auto text = canonicalText(table, operand, error);
  if (!text) return false;
  return lookUp(table, *text, index, error) || (error.empty() && create(table, *text, index, error));
}

/// False with `error` empty when no entry has the text.
bool AbcOperandPool::lookUp(AbcPoolTable table, const std::string& text, std::uint32_t& index, std::string& error) {
  const std::vector<std::uint32_t>* same = m_texts.entries(table, text);
  if (same == nullptr) return false;
  std::vector<std::uint32_t> candidates;
  for (const std::uint32_t entry : *same)
    if (entry != 0) candidates.push_back(entry);
  if (candidates.empty()) {
    index = 0;  // the default entry: "*" for any name, "" for none
    return true;
  }
  if (candidates.size() > 1) {
    std::vector<std::uint32_t> used;
    for (const std::uint32_t entry : candidates)
      if (m_preferred.contains({table, entry})) used.push_back(entry);
    if (used.size() != 1) {
      error = text + " is " + poolTableName(table) + " ";
      for (std::size_t i = 0; i < candidates.size() && i < 8; ++i)
        error += (i > 0 ? ", " : "") + std::to_string(candidates[i]);
      error += candidates.size() > 8 ? ", ..." : "";
      error += ": write " + text + "#" + std::to_string(candidates.front()) + " (or another index) to choose";
      return false;
    }
    candidates = used;
  }
  index = candidates.front();
  return true;
}

std::uint32_t AbcOperandPool::append(AbcPoolTable table, const std::string& text, const AbcWriter& entry) {
  const auto slot = static_cast<std::size_t>(table);
  const auto index = static_cast<std::uint32_t>(size(table));
  m_added[slot].bytes(entry.data());
  ++m_addedCount[slot];
  m_texts.add(table, index, text);
  return index;
}

bool AbcOperandPool::create(AbcPoolTable table, const std::string& text, std::uint32_t& index, std::string& error) {
  AbcWriter entry;
  switch (table) {
    case AbcPoolTable::kInt: entry.s32(static_cast<std::int32_t>(*parseInteger(text))); break;
    case AbcPoolTable::kUInt: entry.u30(static_cast<std::uint32_t>(*parseInteger(text))); break;
    case AbcPoolTable::kDouble: entry.d64(*parseDouble(text)); break;
    case AbcPoolTable::kString: entry.string(*unquoted(text)); break;
    case AbcPoolTable::kNamespace: return namespaceEntry(text, nskind::kNamespace, index, error);
    case AbcPoolTable::kNamespaceSet: return namespaceSetEntry(text, index, error);
    case AbcPoolTable::kMultiname: return createMultiname(text, index, error);
  }
  index = append(table, text, entry);
  return true;
}

std::uint32_t AbcOperandPool::stringEntry(const std::string& value) {
  const std::string text = quotedString(value);
  if (const std::vector<std::uint32_t>* same = m_texts.entries(AbcPoolTable::kString, text))
    for (const std::uint32_t entry : *same)
      if (entry != 0) return entry;
  AbcWriter entry;
  entry.string(value);
  return append(AbcPoolTable::kString, text, entry);
}

/// An existing namespace of that text (a package one when several have it), or a new one of
/// `newKind`; the kind words name only existing namespaces.
bool AbcOperandPool::namespaceEntry(const std::string& text, std::uint8_t newKind, std::uint32_t& index,
                                    std::string& error) {
  std::vector<std::uint32_t> candidates;
  if (const std::vector<std::uint32_t>* same = m_texts.entries(AbcPoolTable::kNamespace, text))
    for (const std::uint32_t entry : *same)
      if (entry != 0) candidates.push_back(entry);
  if (candidates.size() > 1) {
    std::vector<std::uint32_t> packages;
    for (const std::uint32_t entry : candidates)
      if (entry < m_file.pool.namespaces.size() && m_file.pool.namespaces[entry].kind == nskind::kPackage)
        packages.push_back(entry);
    if (packages.size() != 1) {
      error = "the namespace " + text + " is one of " + std::to_string(candidates.size()) +
              " namespaces of that text: write a name that the block already holds";
      return false;
    }
    candidates = packages;
  }
  if (!candidates.empty()) {
    index = candidates.front();
    return true;
  }
  if (text == "private" || text == "protected" || text == "internal" || text == "*") {
    error = "the block has no " + text + " namespace to qualify a new name with";
    return false;
  }
  const bool isPublic = text == "public";
  AbcWriter entry;
  entry.u8(isPublic ? nskind::kPackage : newKind).u30(stringEntry(isPublic ? "" : text));
  index = append(AbcPoolTable::kNamespace, text, entry);
  return true;
}

bool AbcOperandPool::namespaceSetEntry(const std::string& text, std::uint32_t& index, std::string& error) {
  if (const std::vector<std::uint32_t>* same = m_texts.entries(AbcPoolTable::kNamespaceSet, text)) {
    if (same->size() > 1) {
      error = "the namespace set " + text + " is one of " + std::to_string(same->size()) +
              " sets of that text: write a name that the block already holds";
      return false;
    }
    index = same->front();
    return true;
  }
  if (text.size() < 2 || text.front() != '{' || text.back() != '}') {
    error = "a namespace set is written {ns, ns}";
    return false;
  }
  std::vector<std::uint32_t> namespaces;
  for (const std::string& item : topLevelItems(std::string_view(text).substr(1, text.size() - 2))) {
    std::uint32_t ns = 0;
    if (item.empty() || !namespaceEntry(item, nskind::kPackage, ns, error)) {
      if (error.empty()) error = "a namespace set is written {ns, ns}";
      return false;
    }
    namespaces.push_back(ns);
  }
  AbcWriter entry;
  entry.u30(static_cast<std::uint32_t>(namespaces.size()));
  for (const std::uint32_t ns : namespaces) entry.u30(ns);
  index = append(AbcPoolTable::kNamespaceSet, text, entry);
  return true;
}

bool AbcOperandPool::createMultiname(const std::string& text, std::uint32_t& index, std::string& error) {
  std::string_view rest = text;
  const bool attribute = rest.front() == '@';
  if (attribute) rest.remove_prefix(1);
  AbcWriter entry;
  std::uint8_t kind = 0;
  const std::size_t open = rest.find(".<");
  if (!attribute && !rest.empty() && rest.back() == '>' && open != std::string_view::npos) {
    // Base.<P, Q>: the type and its parameters are names of their own.
    std::uint32_t base = 0;
    if (!resolve(AbcPoolTable::kMultiname, rest.substr(0, open), base, error)) return false;
    std::vector<std::uint32_t> parameters;
    for (const std::string& item : topLevelItems(rest.substr(open + 2, rest.size() - open - 3))) {
      std::uint32_t parameter = 0;
      if (item.empty() || !resolve(AbcPoolTable::kMultiname, item, parameter, error)) {
        if (error.empty()) error = "a type name is written Type.<Parameter>";
        return false;
      }
      parameters.push_back(parameter);
    }
    kind = mnkind::kTypeName;
    entry.u8(kind).u30(base).u30(static_cast<std::uint32_t>(parameters.size()));
    for (const std::uint32_t parameter : parameters) entry.u30(parameter);
  } else {
    const std::size_t separator = lastTopLevel(rest, "::");
    const std::string_view qualifier = separator == std::string_view::npos ? std::string_view() : rest.substr(0, separator);
    const std::string_view local = separator == std::string_view::npos ? rest : rest.substr(separator + 2);
    const bool lateName = local == "[name]";
    if (qualifier == "[ns]") {
      kind = lateName ? (attribute ? mnkind::kRTQNameLA : mnkind::kRTQNameL) : (attribute ? mnkind::kRTQNameA : mnkind::kRTQName);
      entry.u8(kind);
      if (!lateName) entry.u30(stringEntry(std::string(local)));
    } else if (!qualifier.empty() && qualifier.front() == '{') {
      std::uint32_t set = 0;
      if (!namespaceSetEntry(std::string(qualifier), set, error)) return false;
      kind = lateName ? (attribute ? mnkind::kMultinameLA : mnkind::kMultinameL) : (attribute ? mnkind::kMultinameA : mnkind::kMultiname);
      entry.u8(kind);
      if (!lateName) entry.u30(stringEntry(std::string(local)));
      entry.u30(set);
    } else {
      std::uint32_t ns = 0;
      if (!namespaceEntry(qualifier.empty() ? "public" : std::string(qualifier), nskind::kPackage, ns, error))
        return false;
      kind = attribute ? mnkind::kQNameA : mnkind::kQName;
      entry.u8(kind).u30(ns).u30(stringEntry(std::string(local)));
    }
  }
  m_addedMultinameKinds.push_back(kind);
  index = append(AbcPoolTable::kMultiname, text, entry);
  return true;
}

void AbcOperandPool::writeTable(AbcPoolTable table, std::span<const std::uint8_t> block, AbcWriter& out) const {
  const auto slot = static_cast<std::size_t>(table);
  const AbcTableSpan& span = m_file.poolTables[slot];
  if (m_addedCount[slot] == 0) {
    out.bytes(block.subspan(span.countOffset, span.end - span.countOffset));
    return;
  }
  out.u30(static_cast<std::uint32_t>(size(table)));
  out.bytes(block.subspan(span.entriesOffset, span.end - span.entriesOffset));
  out.bytes(m_added[slot].data());
}

}  // namespace orvane
