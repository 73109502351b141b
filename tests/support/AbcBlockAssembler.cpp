#include "tests/support/AbcBlockAssembler.h"

namespace orvane::test {

namespace {

constexpr std::uint8_t kQName = 0x07;
constexpr std::uint8_t kMultiname = 0x09;
constexpr std::uint8_t kTypeName = 0x1D;
constexpr std::uint8_t kPackageNamespace = 0x16;
constexpr std::uint8_t kHasOptional = 0x08;
constexpr std::uint8_t kHasParamNames = 0x80;
constexpr std::uint8_t kSlot = 0, kClass = 4, kConst = 6;
constexpr std::uint8_t kTraitMetadata = 0x4;

/// The index of `key` in a pool table, entering it with `write` when it is new.
template <typename Key, typename Write>
std::uint32_t poolEntry(std::map<Key, std::uint32_t>& entries, const Key& key, Write write) {
  const auto found = entries.find(key);
  if (found != entries.end()) return found->second;
  const auto index = static_cast<std::uint32_t>(entries.size() + 1);
  entries.emplace(key, index);
  write();
  return index;
}

void writeCount(AbcWriter& out, std::size_t entries) { out.u30(entries == 0 ? 0 : static_cast<std::uint32_t>(entries + 1)); }

}  // namespace

AbcMethodFields methodFields(std::vector<std::uint32_t> parameterTypes, std::uint32_t returnType) {
  AbcMethodFields fields;
  fields.parameterTypes = std::move(parameterTypes);
  fields.returnType = returnType;
  return fields;
}

AbcTraitFields traitFields(std::uint32_t name, std::uint8_t kind) {
  AbcTraitFields fields;
  fields.name = name;
  fields.kind = kind;
  return fields;
}

AbcClassFields classFields(std::uint32_t name, std::uint32_t constructor, std::uint32_t staticInitialiser) {
  AbcClassFields fields;
  fields.name = name;
  fields.constructor = constructor;
  fields.staticInitialiser = staticInitialiser;
  return fields;
}

std::uint32_t AbcBlockAssembler::string(const std::string& text) {
  return poolEntry(m_strings, text, [&] { m_stringTable.string(text); });
}

std::uint32_t AbcBlockAssembler::integer(std::int32_t value) {
  return poolEntry(m_integers, value, [&] { m_integerTable.s32(value); });
}

std::uint32_t AbcBlockAssembler::unsignedInteger(std::uint32_t value) {
  return poolEntry(m_unsignedIntegers, value, [&] { m_unsignedTable.u30(value); });
}

std::uint32_t AbcBlockAssembler::number(double value) {
  return poolEntry(m_numbers, value, [&] { m_numberTable.d64(value); });
}

std::uint32_t AbcBlockAssembler::ns(std::uint8_t kind, const std::string& name) {
  const std::uint32_t text = string(name);
  return poolEntry(m_namespaces, std::pair{kind, text}, [&] { m_namespaceTable.u8(kind).u30(text); });
}

std::uint32_t AbcBlockAssembler::nsSet(const std::vector<std::uint32_t>& namespaces) {
  return poolEntry(m_nsSets, namespaces, [&] {
    m_nsSetTable.u30(static_cast<std::uint32_t>(namespaces.size()));
    for (const std::uint32_t entry : namespaces) m_nsSetTable.u30(entry);
  });
}

std::uint32_t AbcBlockAssembler::qname(std::uint32_t namespaceIndex, const std::string& name) {
  const std::uint32_t text = string(name);
  return poolEntry(m_multinames, std::vector<std::uint32_t>{kQName, namespaceIndex, text},
                   [&] { m_multinameTable.u8(kQName).u30(namespaceIndex).u30(text); });
}

std::uint32_t AbcBlockAssembler::qname(const std::string& qualified) {
  const std::size_t separator = qualified.rfind("::");
  if (separator == std::string::npos) return qname(ns(kPackageNamespace, ""), qualified);
  return qname(ns(kPackageNamespace, qualified.substr(0, separator)), qualified.substr(separator + 2));
}

std::uint32_t AbcBlockAssembler::multiname(const std::string& name, std::uint32_t set) {
  const std::uint32_t text = string(name);
  return poolEntry(m_multinames, std::vector<std::uint32_t>{kMultiname, text, set},
                   [&] { m_multinameTable.u8(kMultiname).u30(text).u30(set); });
}

std::uint32_t AbcBlockAssembler::typeName(std::uint32_t base, const std::vector<std::uint32_t>& parameters) {
  std::vector<std::uint32_t> key{kTypeName, base};
  key.insert(key.end(), parameters.begin(), parameters.end());
  return poolEntry(m_multinames, key, [&] {
    m_multinameTable.u8(kTypeName).u30(base).u30(static_cast<std::uint32_t>(parameters.size()));
    for (const std::uint32_t parameter : parameters) m_multinameTable.u30(parameter);
  });
}

std::uint32_t AbcBlockAssembler::method(const AbcMethodFields& fields) {
  std::uint8_t flags = fields.flags;
  if (!fields.optionalValues.empty()) flags |= kHasOptional;
  if (!fields.parameterNames.empty()) flags |= kHasParamNames;
  std::vector<std::uint32_t> names;
  for (const std::string& name : fields.parameterNames) names.push_back(string(name));
  const std::uint32_t name = string(fields.name);
  m_methodTable.u30(static_cast<std::uint32_t>(fields.parameterTypes.size())).u30(fields.returnType);
  for (const std::uint32_t type : fields.parameterTypes) m_methodTable.u30(type);
  m_methodTable.u30(name).u8(flags);
  if (flags & kHasOptional) {
    m_methodTable.u30(static_cast<std::uint32_t>(fields.optionalValues.size()));
    for (const AbcConstantValue& value : fields.optionalValues) m_methodTable.u30(value.index).u8(value.kind);
  }
  for (const std::uint32_t parameter : names) m_methodTable.u30(parameter);
  return m_methods++;
}

std::uint32_t AbcBlockAssembler::metadata(const std::string& name,
                                          const std::vector<std::pair<std::string, std::string>>& items) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> entries;
  for (const auto& [key, value] : items) entries.emplace_back(key.empty() ? 0 : string(key), string(value));
  m_metadataTable.u30(string(name)).u30(static_cast<std::uint32_t>(entries.size()));
  for (const auto& entry : entries) m_metadataTable.u30(entry.first);
  for (const auto& entry : entries) m_metadataTable.u30(entry.second);
  return m_metadataCount++;
}

void AbcBlockAssembler::writeTraits(AbcWriter& out, const std::vector<AbcTraitFields>& traits) const {
  out.u30(static_cast<std::uint32_t>(traits.size()));
  for (const AbcTraitFields& trait : traits) {
    const std::uint8_t attributes = trait.attributes | (trait.metadata.empty() ? 0 : kTraitMetadata);
    out.u30(trait.name).u8(static_cast<std::uint32_t>(trait.kind | (attributes << 4))).u30(trait.slotId);
    if (trait.kind == kSlot || trait.kind == kConst) {
      out.u30(trait.type).u30(trait.value.index);
      if (trait.value.index != 0) out.u8(trait.value.kind);
    } else {
      out.u30(trait.index);
    }
    if (!trait.metadata.empty()) {
      out.u30(static_cast<std::uint32_t>(trait.metadata.size()));
      for (const std::uint32_t entry : trait.metadata) out.u30(entry);
    }
  }
}

std::uint32_t AbcBlockAssembler::addClass(const AbcClassFields& fields) {
  m_instanceTable.u30(fields.name).u30(fields.superName).u8(fields.flags);
  if (fields.flags & 0x08) m_instanceTable.u30(fields.protectedNs);
  m_instanceTable.u30(static_cast<std::uint32_t>(fields.interfaces.size()));
  for (const std::uint32_t name : fields.interfaces) m_instanceTable.u30(name);
  m_instanceTable.u30(fields.constructor);
  writeTraits(m_instanceTable, fields.instanceTraits);
  m_classTable.u30(fields.staticInitialiser);
  writeTraits(m_classTable, fields.staticTraits);
  return m_classes++;
}

void AbcBlockAssembler::script(std::uint32_t initialiser, const std::vector<AbcTraitFields>& traits) {
  m_scriptTable.u30(initialiser);
  writeTraits(m_scriptTable, traits);
  ++m_scripts;
}

void AbcBlockAssembler::body(std::uint32_t methodIndex, const Bytes& code, std::uint32_t localCount,
                             const std::vector<AbcExceptionFields>& exceptions,
                             const std::vector<AbcTraitFields>& traits) {
  m_bodyTable.u30(methodIndex).u30(8).u30(localCount).u30(0).u30(8);
  m_bodyTable.u30(static_cast<std::uint32_t>(code.size())).bytes(code);
  m_bodyTable.u30(static_cast<std::uint32_t>(exceptions.size()));
  for (const AbcExceptionFields& entry : exceptions)
    m_bodyTable.u30(entry.from).u30(entry.to).u30(entry.target).u30(entry.type).u30(entry.variable);
  writeTraits(m_bodyTable, traits);
  ++m_bodies;
}

Bytes AbcBlockAssembler::build() const {
  AbcWriter block;
  block.u16(16).u16(46);
  writeCount(block, m_integers.size());
  block.bytes(m_integerTable.data());
  writeCount(block, m_unsignedIntegers.size());
  block.bytes(m_unsignedTable.data());
  writeCount(block, m_numbers.size());
  block.bytes(m_numberTable.data());
  writeCount(block, m_strings.size());
  block.bytes(m_stringTable.data());
  writeCount(block, m_namespaces.size());
  block.bytes(m_namespaceTable.data());
  writeCount(block, m_nsSets.size());
  block.bytes(m_nsSetTable.data());
  writeCount(block, m_multinames.size());
  block.bytes(m_multinameTable.data());
  block.u30(m_methods).bytes(m_methodTable.data());
  block.u30(m_metadataCount).bytes(m_metadataTable.data());
  block.u30(m_classes).bytes(m_instanceTable.data()).bytes(m_classTable.data());
  block.u30(m_scripts).bytes(m_scriptTable.data());
  block.u30(m_bodies).bytes(m_bodyTable.data());
  return block.data();
}

}  // namespace orvane::test
