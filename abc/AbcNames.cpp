#include "abc/AbcNames.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvane {

namespace {

constexpr unsigned kTypeNameDepth = 8;  // type names nest this deep at most; deeper ones are cycles
const std::string kEmpty;

std::string marker(const char* what, std::uint32_t index) {
  return std::string("<") + what + " " + std::to_string(index) + "?>";
}

const char* kindWord(std::uint8_t kind) {
  switch (kind) {
    case nskind::kPrivate: return "private";
    case nskind::kProtected:
    case nskind::kStaticProtected: return "protected";
    case nskind::kPackageInternal: return "internal";
    default: return "public";
  }
}

bool isAttribute(std::uint8_t kind) {
  return kind == mnkind::kQNameA || kind == mnkind::kRTQNameA || kind == mnkind::kRTQNameLA ||
         kind == mnkind::kMultinameA || kind == mnkind::kMultinameLA;
}

}  // namespace

std::string quotedString(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('"');
  for (const char c : text) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
          quoted += escape;
        } else {
          quoted.push_back(c);
        }
    }
  }
  quoted.push_back('"');
  return quoted;
}

std::string doubleText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char text[32];
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(text, sizeof text, "%.*g", precision, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

AbcNames::AbcNames(const AbcFile& file)
    : m_file(file),
      m_multinames(file.pool.multinames.size()),
      m_multinameBuilt(file.pool.multinames.size(), false) {
  nameMethods();
}

const std::string& AbcNames::string(std::uint32_t index) const {
  return index < m_file.pool.strings.size() ? m_file.pool.strings[index] : kEmpty;
}

std::string AbcNames::namespaceText(std::uint32_t index) const {
  const auto& namespaces = m_file.pool.namespaces;
  if (index >= namespaces.size()) return marker("namespace", index);
  if (index == 0) return "*";
  const AbcNamespace& ns = namespaces[index];
  const std::string& name = string(ns.name);
  return name.empty() ? kindWord(ns.kind) : name;
}

std::string AbcNames::namespaceSetText(std::uint32_t index) const {
  const auto& sets = m_file.pool.namespaceSets;
  if (index >= sets.size()) return marker("namespace set", index);
  std::string text = "{";
  for (std::size_t i = 0; i < sets[index].size(); ++i) {
    if (i > 0) text += ", ";
    text += namespaceText(sets[index][i]);
  }
  return text + "}";
}

std::string AbcNames::multiname(std::uint32_t index) {
  std::string text;
  appendMultiname(text, index);
  return text;
}

void AbcNames::appendMultiname(std::string& out, std::uint32_t index) {
  if (index >= m_multinames.size()) {
    out += marker("multiname", index);
    return;
  }
  if (!m_multinameBuilt[index]) {
    m_multinames[index] = buildMultiname(index, 0);
    m_multinameBuilt[index] = true;
  }
  out += m_multinames[index];
}

std::string AbcNames::buildMultiname(std::uint32_t index, unsigned depth) const {
  const auto& names = m_file.pool.multinames;
  if (index >= names.size()) return marker("multiname", index);
  if (index == 0) return "*";
  const AbcMultiname& name = names[index];
  const std::string prefix = isAttribute(name.kind) ? "@" : "";
  switch (name.kind) {
    case mnkind::kQName:
    case mnkind::kQNameA: {
      const auto& namespaces = m_file.pool.namespaces;
      const std::string& local = string(name.name);
      if (name.ns >= namespaces.size()) return prefix + marker("namespace", name.ns) + "::" + local;
      const AbcNamespace& ns = namespaces[name.ns];
      const std::string& qualifier = string(ns.name);
      if (!qualifier.empty()) return prefix + qualifier + "::" + local;
      if (name.ns == 0 || ns.kind == nskind::kPackage || ns.kind == nskind::kNamespace ||
          ns.kind == nskind::kExplicit)
        return prefix + local;
      return prefix + kindWord(ns.kind) + "::" + local;
    }
    case mnkind::kRTQName:
    case mnkind::kRTQNameA: return prefix + "[ns]::" + string(name.name);
    case mnkind::kRTQNameL:
    case mnkind::kRTQNameLA: return prefix + "[ns]::[name]";
    case mnkind::kMultiname:
    case mnkind::kMultinameA: {
      const auto& sets = m_file.pool.namespaceSets;
      if (name.nsSet < sets.size() && sets[name.nsSet].size() == 1) {
        const std::uint32_t only = sets[name.nsSet][0];
        const std::string qualifier = namespaceText(only);
        const bool plain = only < m_file.pool.namespaces.size() &&
                           m_file.pool.namespaces[only].kind == nskind::kPackage &&
                           string(m_file.pool.namespaces[only].name).empty();
        return prefix + (plain ? "" : qualifier + "::") + string(name.name);
      }
      return prefix + namespaceSetText(name.nsSet) + "::" + string(name.name);
    }
    case mnkind::kMultinameL:
    case mnkind::kMultinameLA: return prefix + namespaceSetText(name.nsSet) + "::[name]";
    case mnkind::kTypeName: {
      if (depth >= kTypeNameDepth) return marker("type name", index);
      std::string text = buildMultiname(name.base, depth + 1) + ".<";
      for (std::size_t i = 0; i < name.parameters.size(); ++i) {
        if (i > 0) text += ",";
        text += buildMultiname(name.parameters[i], depth + 1);
      }
      return text + ">";
    }
    default: return marker("multiname", index);
  }
}

std::string AbcNames::simpleName(std::uint32_t index) const {
  const auto& names = m_file.pool.multinames;
  if (index >= names.size()) return marker("multiname", index);
  const AbcMultiname& name = names[index];
  if (name.kind == mnkind::kTypeName) return buildMultiname(index, 0);
  if (name.kind == mnkind::kRTQNameL || name.kind == mnkind::kRTQNameLA || name.kind == mnkind::kMultinameL ||
      name.kind == mnkind::kMultinameLA || index == 0)
    return "*";
  return string(name.name);
}

std::string AbcNames::packageName(std::uint32_t index) const {
  const auto& names = m_file.pool.multinames;
  if (index >= names.size()) return {};
  const AbcMultiname& name = names[index];
  if (name.kind != mnkind::kQName || name.ns >= m_file.pool.namespaces.size()) return {};
  const AbcNamespace& ns = m_file.pool.namespaces[name.ns];
  if (ns.kind != nskind::kPackage && ns.kind != nskind::kPackageInternal) return {};
  return string(ns.name);
}

std::string AbcNames::accessKeyword(std::uint32_t multinameIndex) const {
  const auto& names = m_file.pool.multinames;
  if (multinameIndex >= names.size()) return "public";
  const AbcMultiname& name = names[multinameIndex];
  if ((name.kind != mnkind::kQName && name.kind != mnkind::kQNameA) || name.ns >= m_file.pool.namespaces.size())
    return "public";
  const AbcNamespace& ns = m_file.pool.namespaces[name.ns];
  if (ns.kind == nskind::kNamespace || ns.kind == nskind::kExplicit) return quotedString(string(ns.name));
  return kindWord(ns.kind);
}

std::string AbcNames::constant(const AbcValue& value) const {
  const AbcConstantPool& pool = m_file.pool;
  switch (value.kind) {
    case constkind::kUndefined: return "undefined";
    case constkind::kNull: return "null";
    case constkind::kTrue: return "true";
    case constkind::kFalse: return "false";
    case constkind::kInt:
      return value.index < pool.integers.size() ? std::to_string(pool.integers[value.index])
                                                : marker("int", value.index);
    case constkind::kUInt:
      return value.index < pool.unsignedIntegers.size() ? std::to_string(pool.unsignedIntegers[value.index])
                                                        : marker("uint", value.index);
    case constkind::kDouble:
      return value.index < pool.doubles.size() ? doubleText(pool.doubles[value.index])
                                               : marker("double", value.index);
    case constkind::kUtf8:
      return value.index < pool.strings.size() ? quotedString(pool.strings[value.index])
                                               : marker("string", value.index);
    default: return quotedString(namespaceText(value.index));
  }
}

const std::string& AbcNames::methodName(std::uint32_t index) const {
  return index < m_methodNames.size() ? m_methodNames[index] : kEmpty;
}

void AbcNames::nameMethods() {
  m_methodNames.resize(m_file.methods.size());
  for (std::size_t i = 0; i < m_file.instances.size(); ++i) {
    const AbcInstance& instance = m_file.instances[i];
    const std::string owner = simpleName(instance.name);
    if (instance.initialiser < m_methodNames.size()) m_methodNames[instance.initialiser] = owner;
    nameTraitMethods(instance.traits, owner);
    if (i < m_file.classes.size()) {
      const AbcClass& entry = m_file.classes[i];
      if (entry.initialiser < m_methodNames.size()) m_methodNames[entry.initialiser] = owner + "$cinit";
      nameTraitMethods(entry.traits, owner + "$");
    }
  }
  for (std::size_t i = 0; i < m_file.scripts.size(); ++i) {
    const AbcScript& script = m_file.scripts[i];
    if (script.initialiser < m_methodNames.size())
      m_methodNames[script.initialiser] = "script" + std::to_string(i) + "$init";
    nameTraitMethods(script.traits, "");
  }
  for (std::size_t i = 0; i < m_methodNames.size(); ++i)
    if (m_methodNames[i].empty()) m_methodNames[i] = string(m_file.methods[i].name);
}

void AbcNames::nameTraitMethods(const std::vector<AbcTrait>& traits, const std::string& owner) {
  for (const AbcTrait& trait : traits) {
    if (trait.index >= m_methodNames.size() || !m_methodNames[trait.index].empty()) continue;
    const std::string prefix = owner.empty() ? "" : owner + "/";
    const std::string name = simpleName(trait.name);
    switch (trait.kind) {
      case traitkind::kMethod:
      case traitkind::kFunction: m_methodNames[trait.index] = prefix + name; break;
      case traitkind::kGetter: m_methodNames[trait.index] = prefix + "get " + name; break;
      case traitkind::kSetter: m_methodNames[trait.index] = prefix + "set " + name; break;
      default: break;
    }
  }
}

}  // namespace orvane
