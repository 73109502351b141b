#include "abcsource/AbcDeclarations.h"

#include <algorithm>
#include <array>

#include "abcsource/AbcDefinitions.h"
#include "abcsource/AbcIdentifiers.h"
#include "abcsource/AbcParameterNames.h"

namespace orvane {

namespace {

const std::string kStep = "    ";
constexpr unsigned kTypeNameDepth = 8;  // as deep as the disassembly follows type names

/// Metadata the authoring tools write for their own editors.
constexpr std::array<std::string_view, 2> kEditorMetadata = {"__go_to_definition_help",
                                                              "__go_to_ctor_definition_help"};

std::string typeTextAt(const AbcFile& file, const AbcNames& names, const AbcSourceNames& sourceNames,
                       std::uint32_t index, unsigned depth) {
  const auto& multinames = file.pool.multinames;
  if (index == 0 || index >= multinames.size() || depth > kTypeNameDepth) return "*";
  const AbcMultiname& name = multinames[index];
  switch (name.kind) {
    case mnkind::kQName:
    case mnkind::kQNameA: {
      const std::string& local = names.string(name.name);
      if (local == "void") return local;  // the one type whose name is a reserved word
      if (name.ns < file.pool.namespaces.size() && file.pool.namespaces[name.ns].kind == nskind::kPackage)
        return sourceNames.reference(names.string(file.pool.namespaces[name.ns].name), local);
      return sourceIdentifier(local);
    }
    case mnkind::kMultiname:
    case mnkind::kMultinameA:
    case mnkind::kRTQName:
    case mnkind::kRTQNameA: return sourceIdentifier(names.string(name.name));
    case mnkind::kTypeName: {
      std::string text = typeTextAt(file, names, sourceNames, name.base, depth + 1) + ".<";
      for (std::size_t i = 0; i < name.parameters.size(); ++i) {
        if (i > 0) text += ", ";
        text += typeTextAt(file, names, sourceNames, name.parameters[i], depth + 1);
      }
      return text + ">";
    }
    default: return "*";
  }
}

}  // namespace

AbcDeclarations::AbcDeclarations(const AbcFile& file, AbcNames& names, AbcBodyDecompiler& bodies,
                                 const AbcSourceNames& sourceNames)
    : m_file(file), m_names(names), m_bodies(bodies), m_sourceNames(sourceNames) {
  for (const AbcScript& script : file.scripts)
    for (const AbcTrait& trait : script.traits) {
      const auto& multinames = file.pool.multinames;
      if (trait.name >= multinames.size() || multinames[trait.name].ns >= file.pool.namespaces.size()) continue;
      const AbcNamespace& ns = file.pool.namespaces[multinames[trait.name].ns];
      if (ns.kind == nskind::kPrivate) m_fileNamespaces.insert(ns.name);
    }
}

std::string AbcDeclarations::typeText(std::uint32_t multiname) const {
  return typeTextAt(m_file, m_names, m_sourceNames, multiname, 0);
}

std::string AbcDeclarations::accessKeyword(std::uint32_t traitName) const {
  const auto& multinames = m_file.pool.multinames;
  if (traitName >= multinames.size()) return "public";
  const AbcMultiname& name = multinames[traitName];
  if ((name.kind != mnkind::kQName && name.kind != mnkind::kQNameA) || name.ns >= m_file.pool.namespaces.size())
    return "public";
  const AbcNamespace& ns = m_file.pool.namespaces[name.ns];
  switch (ns.kind) {
    // The definitions outside the packages of a file are in its own namespace, and so are
    // the internal members of its classes.
    case nskind::kPrivate: return m_fileNamespaces.count(ns.name) != 0 ? "internal" : "private";
    case nskind::kProtected:
    case nskind::kStaticProtected: return "protected";
    case nskind::kPackageInternal: return "internal";
    case nskind::kNamespace:
    case nskind::kExplicit: return m_sourceNames.namespaceReference(m_names.string(ns.name));
    default: return "public";
  }
}

void AbcDeclarations::appendMetadata(std::string& out, const std::vector<std::uint32_t>& entries,
                                     const std::string& indent) const {
  for (const std::uint32_t index : entries) {
    if (index >= m_file.metadata.size()) continue;  // recorded as a fault when read
    const AbcMetadata& entry = m_file.metadata[index];
    const std::string& name = m_names.string(entry.name);
    if (!isIdentifier(name) ||
        std::find(kEditorMetadata.begin(), kEditorMetadata.end(), name) != kEditorMetadata.end())
      continue;
    out += indent + "[" + name;
    if (!entry.items.empty()) {
      out += "(";
      for (std::size_t i = 0; i < entry.items.size(); ++i) {
        if (i > 0) out += ", ";
        const std::string& key = m_names.string(entry.items[i].first);
        if (!key.empty()) out += sourceIdentifier(key) + "=";
        out += quotedString(m_names.string(entry.items[i].second));
      }
      out += ")";
    }
    out += "]\n";
  }
}

std::string AbcDeclarations::modifiers(const AbcTrait& trait, bool isStatic, AbcDeclarationPlace place) const {
  switch (place) {
    case AbcDeclarationPlace::kInterface:
    case AbcDeclarationPlace::kTopLevel: return {};
    case AbcDeclarationPlace::kPackage: return accessKeyword(trait.name) + " ";
    case AbcDeclarationPlace::kClass: break;
  }
  std::string words;
  const bool isMethod = trait.kind == traitkind::kMethod || trait.kind == traitkind::kGetter ||
                        trait.kind == traitkind::kSetter;
  if (isMethod && (trait.attributes & traitattr::kOverride)) words += "override ";
  // The compiler marks every static method final, and rejects `final static` in source.
  if (isMethod && !isStatic && (trait.attributes & traitattr::kFinal)) words += "final ";
  words += accessKeyword(trait.name) + " ";
  if (isStatic) words += "static ";
  if (isMethod && trait.index < m_file.methods.size() && m_file.methods[trait.index].body < 0) words += "native ";
  return words;
}

std::string AbcDeclarations::defaultValue(const AbcValue& value) const {
  if (isNamespaceValue(value) && value.index < m_file.pool.namespaces.size())
    return quotedString(m_names.string(m_file.pool.namespaces[value.index].name));
  return m_names.constant(value);
}

void AbcDeclarations::appendVariable(std::string& out, const AbcTrait& trait, bool isStatic,
                                     AbcDeclarationPlace place, const std::string& indent,
                                     const std::string* folded) const {
  appendMetadata(out, trait.metadata, indent);
  const std::string name = sourceIdentifier(m_names.simpleName(trait.name));
  if (trait.kind == traitkind::kConst && isNamespaceValue(trait.value) && folded == nullptr) {
    // A class's namespace is a trait of the class object, which its source does not say.
    out += indent + modifiers(trait, false, place) + "namespace " + name + " = " + defaultValue(trait.value) + ";\n";
    return;
  }
  std::string line = indent + modifiers(trait, isStatic, place);
  line += (trait.kind == traitkind::kConst ? "const " : "var ") + name + ":" + typeText(trait.type);
  if (folded != nullptr)
    line += " = " + *folded;
  else if (trait.value.index != 0 || trait.value.kind != constkind::kUndefined)
    line += " = " + defaultValue(trait.value);
  out += line + ";\n";
}

std::string AbcDeclarations::signature(std::uint32_t method, bool returnType, AbcMethodContext& context) const {
  if (method >= m_file.methods.size()) return "()";
  const AbcMethod& entry = m_file.methods[method];
  const std::size_t count = entry.parameterTypes.size();
  const std::size_t firstOptional = count - std::min(count, entry.optionalValues.size());
  context.parameterNames = parameterNames(m_file, m_names, method);
  context.parameterTypes.clear();
  std::string text = "(";
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += ", ";
    context.parameterTypes.push_back(typeText(entry.parameterTypes[i]));
    text += context.parameterNames[i] + ":" + context.parameterTypes.back();
    if (i >= firstOptional) text += " = " + defaultValue(entry.optionalValues[i - firstOptional]);
  }
  if (entry.flags & methodflag::kNeedRest) {
    context.restName = "rest";
    text += (count > 0 ? ", ..." : "...") + context.restName;
  }
  text += ")";
  if (returnType) text += ":" + typeText(entry.returnType);
  return text;
}

void AbcDeclarations::appendFunction(std::string& out, const std::string& head, std::uint32_t method,
                                     bool returnType, const AbcMethodContext& baseContext,
                                     const std::string& indent, std::size_t foldedStores) {
  AbcMethodContext context = baseContext;
  const std::string line = indent + head + signature(method, returnType, context);
  const AbcDecompiledBody* body = m_bodies.body(method, context);
  if (body == nullptr) {
    out += line + ";\n";
    return;
  }
  out += line + " {\n";
  if (body->failed()) out += indent + kStep + "// not decompiled: " + body->failure() + "\n";
  body->appendText(out, indent + kStep, foldedStores, m_sourceNames);
  out += indent + "}\n";
}

void AbcDeclarations::appendMethod(std::string& out, const AbcTrait& trait, bool isStatic,
                                   AbcDeclarationPlace place, std::int64_t classIndex, const std::string& indent) {
  appendMetadata(out, trait.metadata, indent);
  const std::string name = sourceIdentifier(m_names.simpleName(trait.name));
  std::string head = modifiers(trait, isStatic, place) + "function ";
  if (trait.kind == traitkind::kGetter) head += "get ";
  if (trait.kind == traitkind::kSetter) head += "set ";
  AbcMethodContext context;
  context.role = classIndex >= 0 ? AbcMethodRole::kMethod : AbcMethodRole::kFunction;
  context.isStatic = isStatic;
  context.classIndex = classIndex;
  if (place == AbcDeclarationPlace::kInterface) {
    out += indent + head + name + signature(trait.index, true, context) + ";\n";
    return;
  }
  appendFunction(out, head + name, trait.index, true, context, indent);
}

}  // namespace orvane
