// Assembles whole ABC blocks for tests and benchmarks: a constant pool whose entries are
// asked for by value, then methods, metadata, classes, scripts and bodies by their fields.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/AbcBuilder.h"

namespace orvane::test {

/// A constant of an optional parameter or a trait's default: a kind and its pool index.
struct AbcConstantValue {
  std::uint8_t kind = 0;
  std::uint32_t index = 0;
};

struct AbcMethodFields {
  std::vector<std::uint32_t> parameterTypes;  // multinames, 0: any
  std::uint32_t returnType = 0;
  std::uint8_t flags = 0;  // optional values and parameter names set their own flags
  std::vector<AbcConstantValue> optionalValues;
  std::vector<std::string> parameterNames;
  std::string name;
};

struct AbcTraitFields {
  std::uint32_t name = 0;
  std::uint8_t kind = 0;
  std::uint8_t attributes = 0;  // final, override; metadata is set by `metadata`
  std::uint32_t slotId = 0;
  std::uint32_t type = 0;      // slot, const
  AbcConstantValue value;      // slot, const; index 0: none
  std::uint32_t index = 0;     // class or method
  std::vector<std::uint32_t> metadata;
};

struct AbcClassFields {
  std::uint32_t name = 0;
  std::uint32_t superName = 0;
  std::uint8_t flags = 0x01;  // sealed
  std::uint32_t protectedNs = 0;
  std::vector<std::uint32_t> interfaces;
  std::uint32_t constructor = 0;
  std::vector<AbcTraitFields> instanceTraits;
  std::uint32_t staticInitialiser = 0;
  std::vector<AbcTraitFields> staticTraits;
};

struct AbcExceptionFields {
  std::uint32_t from = 0, to = 0, target = 0, type = 0, variable = 0;
};

/// Fields without the ones left at their defaults (brace lists would have to name them all).
AbcMethodFields methodFields(std::vector<std::uint32_t> parameterTypes = {}, std::uint32_t returnType = 0);
AbcTraitFields traitFields(std::uint32_t name, std::uint8_t kind);
/// A class of `name` whose initialisers are `constructor` and `staticInitialiser`, sealed.
AbcClassFields classFields(std::uint32_t name, std::uint32_t constructor, std::uint32_t staticInitialiser);

class AbcBlockAssembler {
 public:
  // The pool: each value is entered once; the index of its entry.
  std::uint32_t string(const std::string& text);
  std::uint32_t integer(std::int32_t value);
  std::uint32_t unsignedInteger(std::uint32_t value);
  std::uint32_t number(double value);
  std::uint32_t ns(std::uint8_t kind, const std::string& name);
  std::uint32_t nsSet(const std::vector<std::uint32_t>& namespaces);
  std::uint32_t qname(std::uint32_t ns, const std::string& name);
  /// `a.b::C` as a QName in the package namespace a.b, `C` in the public namespace.
  std::uint32_t qname(const std::string& qualified);
  std::uint32_t multiname(const std::string& name, std::uint32_t nsSet);
  std::uint32_t typeName(std::uint32_t base, const std::vector<std::uint32_t>& parameters);

  std::uint32_t method(const AbcMethodFields& fields);
  std::uint32_t metadata(const std::string& name, const std::vector<std::pair<std::string, std::string>>& items);
  std::uint32_t addClass(const AbcClassFields& fields);
  void script(std::uint32_t initialiser, const std::vector<AbcTraitFields>& traits);
  void body(std::uint32_t method, const Bytes& code, std::uint32_t localCount = 1,
            const std::vector<AbcExceptionFields>& exceptions = {}, const std::vector<AbcTraitFields>& traits = {});

  Bytes build() const;

 private:
  void writeTraits(AbcWriter& out, const std::vector<AbcTraitFields>& traits) const;

  std::map<std::string, std::uint32_t> m_strings;
  std::map<std::int32_t, std::uint32_t> m_integers;
  std::map<std::uint32_t, std::uint32_t> m_unsignedIntegers;
  std::map<double, std::uint32_t> m_numbers;
  std::map<std::pair<std::uint8_t, std::uint32_t>, std::uint32_t> m_namespaces;
  std::map<std::vector<std::uint32_t>, std::uint32_t> m_nsSets;
  std::map<std::vector<std::uint32_t>, std::uint32_t> m_multinames;
  AbcWriter m_stringTable, m_integerTable, m_unsignedTable, m_numberTable, m_namespaceTable, m_nsSetTable,
      m_multinameTable, m_methodTable, m_metadataTable, m_instanceTable, m_classTable, m_scriptTable, m_bodyTable;
  std::uint32_t m_methods = 0, m_metadataCount = 0, m_classes = 0, m_scripts = 0, m_bodies = 0;
};

}  // namespace orvane::test
