#include "abc/AbcOutline.h"

#include "abc/AbcDisassembly.h"

namespace orvane {

namespace {

const std::string kStep = "    ";

std::string flagsComment(const AbcInstance& instance, AbcNames& names) {
  std::string flags;
  const auto add = [&flags](const std::string& flag) { flags += (flags.empty() ? "" : ", ") + flag; };
  if (instance.flags & classflag::kSealed) add("sealed");
  if (instance.flags & classflag::kFinal) add("final");
  if (instance.flags & classflag::kInterface) add("interface");
  if (instance.flags & classflag::kProtectedNs) add("protected namespace " + names.namespaceText(instance.protectedNs));
  return flags.empty() ? std::string() : "// " + flags + "\n";
}

}  // namespace

AbcOutline::AbcOutline(const AbcFile& file)
    : m_file(file),
      m_names(file),
      m_classMetadata(file.instances.size(), nullptr),
      m_shownInText(file.methods.size(), 0) {
  for (const AbcScript& script : m_file.scripts)
    for (const AbcTrait& trait : script.traits)
      if (trait.kind == traitkind::kClass && trait.index < m_classMetadata.size() &&
          m_classMetadata[trait.index] == nullptr)
        m_classMetadata[trait.index] = &trait.metadata;
}

void AbcOutline::beginText() {
  ++m_textNumber;
  m_functionLiterals.clear();
}

bool AbcOutline::shownInThisText(std::uint32_t methodIndex) const {
  return methodIndex < m_shownInText.size() && m_shownInText[methodIndex] == m_textNumber;
}

std::string AbcOutline::errorsText() const {
  std::string text;
  for (const AbcError& error : m_file.errors)
    text += "// error at offset " + std::to_string(error.offset) + ": " + error.message + "\n";
  return text;
}

std::string AbcOutline::className(std::uint32_t classIndex) {
  if (classIndex >= m_file.instances.size()) return {};
  return m_names.multiname(m_file.instances[classIndex].name);
}

void AbcOutline::appendMetadata(std::string& out, const std::vector<std::uint32_t>& entries,
                                const std::string& indent) {
  for (const std::uint32_t index : entries) {
    if (index >= m_file.metadata.size()) continue;  // recorded as a fault when read
    const AbcMetadata& entry = m_file.metadata[index];
    out += indent + "[" + m_names.string(entry.name);
    if (!entry.items.empty()) {
      out += "(";
      for (std::size_t i = 0; i < entry.items.size(); ++i) {
        if (i > 0) out += ", ";
        if (entry.items[i].first != 0) out += m_names.string(entry.items[i].first) + "=";
        out += quotedString(m_names.string(entry.items[i].second));
      }
      out += ")";
    }
    out += "]\n";
  }
}

std::string AbcOutline::signature(std::uint32_t methodIndex, bool withReturnType) {
  if (methodIndex >= m_file.methods.size()) return "(<method " + std::to_string(methodIndex) + "?>)";
  const AbcMethod& method = m_file.methods[methodIndex];
  const std::size_t count = method.parameterTypes.size();
  const std::size_t firstOptional = count - std::min(count, method.optionalValues.size());
  std::string text = "(";
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += ", ";
    const std::string& given = i < method.parameterNames.size() ? m_names.string(method.parameterNames[i]) : "";
    text += given.empty() ? "param" + std::to_string(i + 1) : given;
    text += ":";
    m_names.appendMultiname(text, method.parameterTypes[i]);
    if (i >= firstOptional) text += " = " + m_names.constant(method.optionalValues[i - firstOptional]);
  }
  if (method.flags & methodflag::kNeedRest) text += count > 0 ? ", ...rest" : "...rest";
  text += ")";
  if (withReturnType) {
    text += ":";
    m_names.appendMultiname(text, method.returnType);
  }
  return text;
}

void AbcOutline::appendMethod(std::string& out, const std::string& declaration, std::uint32_t methodIndex,
                              const std::string& indent) {
  const std::int32_t body = methodIndex < m_file.methods.size() ? m_file.methods[methodIndex].body : -1;
  if (methodIndex < m_shownInText.size()) m_shownInText[methodIndex] = m_textNumber;
  if (body < 0) {
    out += indent + declaration + ";\n";
    return;
  }
  out += indent + declaration + "\n" + indent + "{\n";
  const auto bodyIndex = static_cast<std::uint32_t>(body);
  if (m_bodyBytes)
    appendBodyBytes(out, m_file, bodyIndex, indent + kStep, *m_bodyBytes, &m_functionLiterals);
  else
    appendBodyListing(out, m_file, m_names, bodyIndex, indent + kStep, &m_functionLiterals);
  out += indent + "}\n";
}

void AbcOutline::appendFunctionLiterals(std::string& out, const std::string& indent) {
  // Showing a literal may find more; each is shown once per text, so the walk ends.
  for (std::size_t i = 0; i < m_functionLiterals.size(); ++i) {
    const std::uint32_t method = m_functionLiterals[i];
    if (method >= m_file.methods.size() || shownInThisText(method)) continue;
    out += indent + "// function literal\n";
    const std::string& name = m_names.string(m_file.methods[method].name);
    appendMethod(out, "function" + (name.empty() ? "" : " " + name) + signature(method, true), method, indent);
  }
  m_functionLiterals.clear();
}

void AbcOutline::appendTrait(std::string& out, const AbcTrait& trait, bool isStatic, const std::string& indent) {
  appendMetadata(out, trait.metadata, indent);
  std::string modifiers;
  if (trait.attributes & traitattr::kOverride) modifiers += "override ";
  if (trait.attributes & traitattr::kFinal) modifiers += "final ";
  modifiers += m_names.accessKeyword(trait.name) + " ";
  if (isStatic) modifiers += "static ";
  const std::string name = m_names.simpleName(trait.name);
  switch (trait.kind) {
    case traitkind::kSlot:
    case traitkind::kConst: {
      std::string line = indent + modifiers + (trait.kind == traitkind::kConst ? "const " : "var ") + name + ":";
      m_names.appendMultiname(line, trait.type);
      if (trait.value.index != 0) line += " = " + m_names.constant(trait.value);
      out += line + ";\n";
      break;
    }
    case traitkind::kMethod:
    case traitkind::kFunction:
      appendMethod(out, modifiers + "function " + name + signature(trait.index, true), trait.index, indent);
      break;
    case traitkind::kGetter:
      appendMethod(out, modifiers + "function get " + name + signature(trait.index, true), trait.index, indent);
      break;
    case traitkind::kSetter:
      appendMethod(out, modifiers + "function set " + name + signature(trait.index, true), trait.index, indent);
      break;
    case traitkind::kClass:
      out += indent + modifiers + "class " + name + "  // class " + std::to_string(trait.index) + ", " +
             className(trait.index) + "\n";
      break;
    default: break;
  }
}

void AbcOutline::appendTraits(std::string& out, const std::vector<AbcTrait>& traits, bool isStatic,
                              const std::string& indent) {
  for (const AbcTrait& trait : traits) appendTrait(out, trait, isStatic, indent);
}

std::string AbcOutline::classHeader(std::uint32_t classIndex) {
  const AbcInstance& instance = m_file.instances[classIndex];
  const bool isInterface = instance.flags & classflag::kInterface;
  std::string line = m_names.accessKeyword(instance.name) + " ";
  if (!(instance.flags & classflag::kSealed) && !isInterface) line += "dynamic ";
  if (instance.flags & classflag::kFinal) line += "final ";
  line += (isInterface ? "interface " : "class ") + m_names.simpleName(instance.name);
  if (instance.superName != 0) line += " extends " + m_names.multiname(instance.superName);
  for (std::size_t i = 0; i < instance.interfaces.size(); ++i) {
    line += i == 0 ? (isInterface ? " extends " : " implements ") : ", ";
    m_names.appendMultiname(line, instance.interfaces[i]);
  }
  return line;
}

std::string AbcOutline::classText(std::uint32_t classIndex) {
  if (classIndex >= m_file.instances.size()) return {};
  const AbcInstance& instance = m_file.instances[classIndex];
  const std::string package = m_names.packageName(instance.name);
  const std::string name = m_names.simpleName(instance.name);
  beginText();
  std::string text = package.empty() ? "package {\n" : "package " + package + " {\n";
  const std::string inner = kStep + kStep;
  if (m_classMetadata[classIndex] != nullptr) appendMetadata(text, *m_classMetadata[classIndex], kStep);
  text += kStep + classHeader(classIndex) + "\n" + kStep + flagsComment(instance, m_names) + kStep + "{\n";
  if (classIndex < m_file.classes.size()) {
    const AbcClass& entry = m_file.classes[classIndex];
    appendTraits(text, entry.traits, true, inner);
    text += inner + "// class initialiser\n";
    appendMethod(text, "static function " + name + "$cinit" + signature(entry.initialiser, false),
                 entry.initialiser, inner);
  }
  text += inner + "// constructor\n";
  appendMethod(text, m_names.accessKeyword(instance.name) + " function " + name + signature(instance.initialiser, false),
               instance.initialiser, inner);
  appendTraits(text, instance.traits, false, inner);
  appendFunctionLiterals(text, inner);
  text += kStep + "}\n}\n";
  return text;
}

std::string AbcOutline::scriptText(std::uint32_t scriptIndex) {
  if (scriptIndex >= m_file.scripts.size()) return {};
  beginText();
  const AbcScript& script = m_file.scripts[scriptIndex];
  const std::string name = "script" + std::to_string(scriptIndex);
  std::string text = name + " {\n";
  appendTraits(text, script.traits, false, kStep);
  text += kStep + "// script initialiser\n";
  appendMethod(text, "function " + name + "$init" + signature(script.initialiser, true), script.initialiser, kStep);
  appendFunctionLiterals(text, kStep);
  text += "}\n";
  return text;
}

std::string AbcOutline::remainingMethodsText() {
  beginText();
  std::string text;
  for (std::uint32_t method = 0; method < m_file.methods.size(); ++method) {
    // Marked: shown by an earlier text, or by this one as a function literal.
    if (m_file.methods[method].body < 0 || m_shownInText[method] != 0) continue;
    const std::string& name = m_names.methodName(method);
    appendMethod(text, "function" + (name.empty() ? "" : " " + name) + signature(method, true), method, "");
    appendFunctionLiterals(text, "");
  }
  return text.empty() ? text : "// methods that no class or script shows\n" + text;
}

}  // namespace orvane
