#include "abcsource/AbcClassSource.h"

#include "abcsource/AbcFolding.h"
#include "abcsource/AbcIdentifiers.h"

namespace orvane {

namespace {

const std::string kStep = "    ";
/// The static method that holds a class initialiser's code when that code has locals: a
/// `var` in the class body would declare a variable of the class instead.
const std::string kStaticCodeMethod = "$cinit";

bool isVariable(const AbcTrait& trait) { return trait.kind == traitkind::kSlot || trait.kind == traitkind::kConst; }

bool isBaseObject(const AbcFile& file, std::uint32_t superName) {
  const auto& multinames = file.pool.multinames;
  if (superName == 0) return true;
  if (superName >= multinames.size() || multinames[superName].kind != mnkind::kQName) return false;
  const AbcMultiname& name = multinames[superName];
  return name.name < file.pool.strings.size() && file.pool.strings[name.name] == "Object" &&
         name.ns < file.pool.namespaces.size() && file.pool.namespaces[name.ns].name < file.pool.strings.size() &&
         file.pool.strings[file.pool.namespaces[name.ns].name].empty();
}

}  // namespace

AbcClassSource::AbcClassSource(const AbcFile& file, AbcDeclarations& declarations,
                               const std::vector<const std::vector<std::uint32_t>*>& classMetadata)
    : m_file(file), m_declarations(declarations), m_classMetadata(classMetadata) {}

std::string AbcClassSource::header(std::uint32_t classIndex, AbcDeclarationPlace place) const {
  const AbcInstance& instance = m_file.instances[classIndex];
  const bool isInterface = instance.flags & classflag::kInterface;
  std::string line;
  if (place == AbcDeclarationPlace::kPackage) line = m_declarations.accessKeyword(instance.name) + " ";
  if (!(instance.flags & classflag::kSealed) && !isInterface) line += "dynamic ";
  if ((instance.flags & classflag::kFinal) && !isInterface) line += "final ";
  line += (isInterface ? "interface " : "class ") +
          sourceIdentifier(m_declarations.names().simpleName(instance.name));
  if (!isInterface && !isBaseObject(m_file, instance.superName))
    line += " extends " + m_declarations.typeText(instance.superName);
  for (std::size_t i = 0; i < instance.interfaces.size(); ++i) {
    line += i == 0 ? (isInterface ? " extends " : " implements ") : ", ";
    line += m_declarations.typeText(instance.interfaces[i]);
  }
  return line;
}

void AbcClassSource::appendInterfaceBody(std::string& out, const AbcInstance& instance, const std::string& indent) {
  for (const AbcTrait& trait : instance.traits)
    if (!isVariable(trait)) m_declarations.appendMethod(out, trait, false, AbcDeclarationPlace::kInterface, -1, indent);
}

void AbcClassSource::appendStaticCode(std::string& out, std::uint32_t classIndex, const AbcDecompiledBody& body,
                                      std::size_t folded, const std::string& indent) {
  const AbcClass& entry = m_file.classes[classIndex];
  const bool hasLocals = entry.initialiser < m_file.methods.size() &&
                         m_file.methods[entry.initialiser].body >= 0 &&
                         m_file.bodies[static_cast<std::size_t>(m_file.methods[entry.initialiser].body)].localCount > 1;
  std::string code;
  body.appendText(code, indent + (hasLocals ? kStep : ""), folded, m_declarations.sourceNames());
  if (code.empty()) return;
  out += indent + "// static initialiser\n";
  if (!hasLocals) {
    out += code;
    return;
  }
  out += indent + "private static function " + kStaticCodeMethod + "():void {\n" + code + indent + "}\n";
  out += indent + kStaticCodeMethod + "();\n";
}

void AbcClassSource::appendClass(std::string& out, std::uint32_t classIndex, AbcDeclarationPlace place,
                                 const std::string& indent) {
  if (classIndex >= m_file.instances.size()) return;
  const AbcInstance& instance = m_file.instances[classIndex];
  const std::string inner = indent + kStep;
  if (classIndex < m_classMetadata.size() && m_classMetadata[classIndex] != nullptr)
    m_declarations.appendMetadata(out, *m_classMetadata[classIndex], indent);
  out += indent + header(classIndex, place) + " {\n";
  if (instance.flags & classflag::kInterface) {
    appendInterfaceBody(out, instance, inner);
    out += indent + "}\n";
    return;
  }
  m_declarations.sourceNames().appendNamespaceDeclarations(out, inner, true);

  const auto index = static_cast<std::int64_t>(classIndex);
  AbcMethodContext staticContext;
  staticContext.role = AbcMethodRole::kClassInitialiser;
  staticContext.isStatic = true;
  staticContext.classIndex = index;
  const std::vector<AbcTrait> noTraits;
  const AbcClass* entry = classIndex < m_file.classes.size() ? &m_file.classes[classIndex] : nullptr;
  const std::vector<AbcTrait>& staticTraits = entry != nullptr ? entry->traits : noTraits;
  const AbcDecompiledBody* staticBody =
      entry != nullptr ? m_declarations.bodies().body(entry->initialiser, staticContext) : nullptr;
  const AbcFoldedValues staticValues = foldInitialStores(m_file, staticTraits, staticBody, m_declarations.sourceNames());

  AbcMethodContext constructorContext;
  constructorContext.role = AbcMethodRole::kConstructor;
  constructorContext.classIndex = index;
  const AbcFoldedValues instanceValues = foldInitialStores(
      m_file, instance.traits, m_declarations.bodies().body(instance.initialiser, constructorContext),
      m_declarations.sourceNames());

  for (std::size_t i = 0; i < staticTraits.size(); ++i)
    if (isVariable(staticTraits[i]))
      m_declarations.appendVariable(out, staticTraits[i], true, AbcDeclarationPlace::kClass, inner,
                                    staticValues.value(i));
  for (std::size_t i = 0; i < instance.traits.size(); ++i)
    if (isVariable(instance.traits[i]))
      m_declarations.appendVariable(out, instance.traits[i], false, AbcDeclarationPlace::kClass, inner,
                                    instanceValues.value(i));
  if (staticBody != nullptr) appendStaticCode(out, classIndex, *staticBody, staticValues.count, inner);

  std::string constructor;
  m_declarations.appendFunction(constructor, "public function " + sourceIdentifier(m_declarations.names().simpleName(instance.name)),
                                instance.initialiser, false, constructorContext, inner, instanceValues.count);
  out += constructor;

  for (const AbcTrait& trait : staticTraits)
    if (!isVariable(trait)) m_declarations.appendMethod(out, trait, true, AbcDeclarationPlace::kClass, index, inner);
  for (const AbcTrait& trait : instance.traits)
    if (!isVariable(trait)) m_declarations.appendMethod(out, trait, false, AbcDeclarationPlace::kClass, index, inner);
  out += indent + "}\n";
}

}  // namespace orvane
