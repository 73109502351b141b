#include "abcsource/AbcSourceText.h"

#include "abcsource/AbcClassSource.h"
#include "abcsource/AbcDeclarations.h"
#include "abcsource/AbcFolding.h"
#include "abcsource/AbcReferences.h"
#include "abcsource/AbcSourceNames.h"

namespace orvane {

namespace {

const std::string kStep = "    ";

bool isPackageClass(const AbcFile& file, std::uint32_t classIndex) {
  return classIndex < file.instances.size() && packageNamespaceOf(file, file.instances[classIndex].name) != nullptr;
}

/// What one text holds, sorted into its package blocks and what stands outside them.
struct TextParts {
  struct PackageBlock {
    std::string package;
    std::vector<std::uint32_t> classes;
    std::vector<std::size_t> traits;  // indices into the script's traits
  };
  std::vector<PackageBlock> blocks;
  std::vector<std::uint32_t> topClasses;
  std::vector<std::size_t> topTraits;

  PackageBlock& block(const std::string& package) {
    for (PackageBlock& existing : blocks)
      if (existing.package == package) return existing;
    return blocks.emplace_back(PackageBlock{package, {}, {}});
  }
};

TextParts sortParts(const AbcFile& file, AbcNames& names, const std::vector<std::uint32_t>& classes,
                    const AbcScript* script) {
  TextParts parts;
  for (const std::uint32_t c : classes) {
    if (isPackageClass(file, c))
      parts.block(names.packageName(file.instances[c].name)).classes.push_back(c);
    else
      parts.topClasses.push_back(c);
  }
  if (script == nullptr) return parts;
  for (std::size_t i = 0; i < script->traits.size(); ++i) {
    const AbcTrait& trait = script->traits[i];
    if (trait.kind == traitkind::kClass) {
      if (trait.index < file.instances.size() && !isPackageClass(file, trait.index)) parts.topClasses.push_back(trait.index);
    } else if (packageNamespaceOf(file, trait.name) != nullptr) {
      parts.block(names.packageName(trait.name)).traits.push_back(i);
    } else {
      parts.topTraits.push_back(i);
    }
  }
  return parts;
}

}  // namespace

AbcSourceText::AbcSourceText(const AbcFile& file, const AbcDefinitions& definitions)
    : m_file(file),
      m_definitions(definitions),
      m_names(file),
      m_bodies(file, m_names),
      m_classMetadata(file.instances.size(), nullptr) {
  for (const AbcScript& script : m_file.scripts)
    for (const AbcTrait& trait : script.traits)
      if (trait.kind == traitkind::kClass && trait.index < m_classMetadata.size() &&
          m_classMetadata[trait.index] == nullptr)
        m_classMetadata[trait.index] = &trait.metadata;
}

void AbcSourceText::appendFaults(std::string& out) const {
  for (const AbcError& error : m_file.errors)
    out += "// fault of the block at offset " + std::to_string(error.offset) + ": " + error.message + "\n";
}

void AbcSourceText::appendParts(std::string& out, const std::vector<std::uint32_t>& classes, std::int64_t scriptIndex) {
  const AbcScript* script = scriptIndex >= 0 && static_cast<std::size_t>(scriptIndex) < m_file.scripts.size()
                                ? &m_file.scripts[static_cast<std::size_t>(scriptIndex)]
                                : nullptr;
  const TextParts parts = sortParts(m_file, m_names, classes, script);

  AbcSourceNames sourceNames(m_definitions, parts.blocks.empty() ? std::string() : parts.blocks.front().package);
  AbcReferences references(m_file, sourceNames);
  for (const TextParts::PackageBlock& block : parts.blocks)
    for (const std::uint32_t c : block.classes) references.noteClass(c);
  for (const std::uint32_t c : parts.topClasses) references.noteClass(c);
  const AbcDecompiledBody* code = nullptr;
  AbcFoldedValues folded;
  if (script != nullptr) {
    AbcMethodContext context;
    context.role = AbcMethodRole::kScriptInitialiser;
    code = m_bodies.body(script->initialiser, context);
    folded = foldInitialStores(m_file, script->traits, code, sourceNames);
    references.noteScript(static_cast<std::uint32_t>(scriptIndex), code != nullptr ? code->namedTypes() : std::vector<std::string>{});
  }

  AbcDeclarations declarations(m_file, m_names, m_bodies, sourceNames);
  AbcClassSource classSource(m_file, declarations, m_classMetadata);
  const auto appendDefinition = [&](std::size_t traitIndex, AbcDeclarationPlace place, const std::string& indent) {
    const AbcTrait& trait = script->traits[traitIndex];
    if (trait.kind == traitkind::kSlot || trait.kind == traitkind::kConst)
      declarations.appendVariable(out, trait, false, place, indent,
                                  folded.value(traitIndex));
    else
      declarations.appendMethod(out, trait, false, place, -1, indent);
  };

  for (const TextParts::PackageBlock& block : parts.blocks) {
    out += block.package.empty() ? "package {\n" : "package " + sourcePackage(block.package) + " {\n";
    const std::size_t start = out.size();
    sourceNames.appendImports(out, kStep, block.package);
    if (out.size() > start) out += "\n";
    for (const std::uint32_t c : block.classes) classSource.appendClass(out, c, AbcDeclarationPlace::kPackage, kStep);
    for (const std::size_t t : block.traits) appendDefinition(t, AbcDeclarationPlace::kPackage, kStep);
    out += "}\n";
  }

  std::string codeText;
  if (code != nullptr) {
    if (code->failed()) codeText += "// not decompiled: " + code->failure() + "\n";
    code->appendText(codeText, "", folded.count, sourceNames);
  }
  if (parts.topClasses.empty() && parts.topTraits.empty() && codeText.empty()) return;
  if (!parts.blocks.empty()) out += "\n";
  const std::size_t start = out.size();
  sourceNames.appendImports(out, "", "");
  sourceNames.appendNamespaceDeclarations(out, "", false);
  if (out.size() > start) out += "\n";
  for (const std::uint32_t c : parts.topClasses) classSource.appendClass(out, c, AbcDeclarationPlace::kTopLevel, "");
  for (const std::size_t t : parts.topTraits) appendDefinition(t, AbcDeclarationPlace::kTopLevel, "");
  out += codeText;
}

void AbcSourceText::appendFile(std::string& out, const AbcSourceFile& sourceFile) {
  appendFaults(out);
  appendParts(out, sourceFile.packageClasses, sourceFile.script);
}

std::string AbcSourceText::classText(std::uint32_t classIndex) {
  std::string text;
  appendFaults(text);
  if (classIndex < m_file.instances.size()) appendParts(text, {classIndex}, -1);
  return text;
}

std::string AbcSourceText::scriptText(std::uint32_t scriptIndex) {
  std::string text;
  appendFaults(text);
  if (scriptIndex >= m_file.scripts.size()) return text;
  const std::size_t start = text.size();
  appendParts(text, {}, scriptIndex);
  if (text.size() > start) return text;
  text += "// script" + std::to_string(scriptIndex) + " defines";
  for (const AbcTrait& trait : m_file.scripts[scriptIndex].traits)
    if (trait.kind == traitkind::kClass && trait.index < m_file.instances.size())
      text += " " + m_names.multiname(m_file.instances[trait.index].name);
  return text + "\n";
}

}  // namespace orvane
