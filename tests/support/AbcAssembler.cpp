#include "tests/support/AbcAssembler.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <stdexcept>

#include "abc/AbcOpcodes.h"
#include "tests/support/AbcBuilder.h"

namespace orvane::test {

namespace {

std::string trim(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> parts;
  std::string part;
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      parts.push_back(trim(part));
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!trim(part).empty()) parts.push_back(trim(part));
  return parts;
}

/// The pools the assembly fills as it names things.
class Pools {
 public:
  std::uint32_t string(const std::string& text) { return intern(m_strings, text); }
  std::uint32_t integer(std::int32_t value) { return intern(m_integers, value); }
  std::uint32_t unsignedInteger(std::uint32_t value) { return intern(m_unsigned, value); }
  std::uint32_t number(double value) { return intern(m_doubles, value); }
  std::uint32_t namespaceOf(const std::string& package) { return intern(m_namespaces, {0x16, package}); }
  /// `pkg::name` or `name`, `@` first for an attribute, `ns:URI::name` in a user namespace,
  /// `?name` a runtime lookup in the public namespace (a Multiname), `[]` one by a name on
  /// the stack (a MultinameL), `(ns)::name` a name in a namespace on the stack (an RTQName);
  /// "*" is the any name.
  std::uint32_t multiname(const std::string& text) {
    if (text == "*") return 0;
    return intern(m_multinames, text);
  }

  void write(AbcWriter& abc) {
    abc.u30(static_cast<std::uint32_t>(m_integers.size() + 1));
    for (const std::int32_t value : m_integers) abc.s32(value);
    abc.u30(static_cast<std::uint32_t>(m_unsigned.size() + 1));
    for (const std::uint32_t value : m_unsigned) abc.u30(value);
    abc.u30(static_cast<std::uint32_t>(m_doubles.size() + 1));
    for (const double value : m_doubles) abc.d64(value);
    // Names first: they add strings and namespaces.
    // Each name's kind and fields: a QName's namespace and name, a Multiname's name and
    // namespace set, a MultinameL's namespace set, an RTQName's name.
    std::vector<std::pair<std::uint8_t, std::vector<std::uint32_t>>> names;
    bool runtime = false;
    for (const std::string& text : std::vector<std::string>(m_multinames)) {
      const bool attribute = text.front() == '@';
      std::string plain = attribute ? text.substr(1) : text;
      if (plain.front() == '?') {
        // A Multiname over the one namespace set {public}.
        names.push_back({attribute ? std::uint8_t{0x0E} : std::uint8_t{0x09}, {string(plain.substr(1)), 1}});
        runtime = true;
        continue;
      }
      if (plain == "[]") {
        names.push_back({attribute ? std::uint8_t{0x1C} : std::uint8_t{0x1B}, {1}});
        runtime = true;
        continue;
      }
      if (plain.rfind("(ns)::", 0) == 0) {
        names.push_back({attribute ? std::uint8_t{0x10} : std::uint8_t{0x0F}, {string(plain.substr(6))}});
        continue;
      }
      const bool user = plain.rfind("ns:", 0) == 0;
      if (user) plain = plain.substr(3);
      const std::size_t colons = plain.rfind("::");
      const std::string package = colons == std::string::npos ? "" : plain.substr(0, colons);
      const std::string local = colons == std::string::npos ? plain : plain.substr(colons + 2);
      const std::uint32_t ns = user ? intern(m_namespaces, {0x08, package}) : namespaceOf(package);
      names.push_back({attribute ? std::uint8_t{0x0D} : std::uint8_t{0x07}, {ns, string(local)}});
    }
    const std::uint32_t publicNamespace = runtime ? namespaceOf("") : 0;
    std::vector<std::pair<std::uint8_t, std::uint32_t>> namespaces;
    for (const auto& [kind, name] : std::vector<std::pair<std::uint8_t, std::string>>(m_namespaces))
      namespaces.emplace_back(kind, string(name));
    abc.u30(static_cast<std::uint32_t>(m_strings.size() + 1));
    for (const std::string& text : m_strings) abc.string(text);
    abc.u30(static_cast<std::uint32_t>(namespaces.size() + 1));
    for (const auto& [kind, name] : namespaces) abc.u8(kind).u30(name);
    abc.u30(runtime ? 2 : 0);
    if (runtime) abc.u30(1).u30(publicNamespace);
    abc.u30(static_cast<std::uint32_t>(names.size() + 1));
    for (const auto& [kind, fields] : names) {
      abc.u8(kind);
      for (const std::uint32_t field : fields) abc.u30(field);
    }
  }

 private:
  template <typename T>
  static std::uint32_t intern(std::vector<T>& table, const T& value) {
    for (std::size_t i = 0; i < table.size(); ++i)
      if (table[i] == value) return static_cast<std::uint32_t>(i + 1);
    table.push_back(value);
    return static_cast<std::uint32_t>(table.size());
  }

  std::vector<std::string> m_strings;
  std::vector<std::int32_t> m_integers;
  std::vector<std::uint32_t> m_unsigned;
  std::vector<double> m_doubles;
  std::vector<std::pair<std::uint8_t, std::string>> m_namespaces;  // kind, name
  std::vector<std::string> m_multinames;
};

std::uint8_t opcodeNamed(const std::string& mnemonic) {
  for (int code = 0; code < 256; ++code) {
    const AbcOpcode& entry = abcOpcode(static_cast<std::uint8_t>(code));
    if (entry.mnemonic != nullptr && mnemonic == entry.mnemonic) return static_cast<std::uint8_t>(code);
  }
  throw std::invalid_argument("no instruction " + mnemonic);
}

struct Exception {
  std::string from, to, target, type, name;
};

/// Two passes: the first lays out the instructions with placeholder branches to find the
/// labels, the second writes them.
class Assembler {
 public:
  explicit Assembler(Pools& pools) : m_pools(pools) {}

  Bytes run(const std::string& source, std::vector<Exception>& exceptions) {
    std::istringstream lines(source);
    std::string line;
    while (std::getline(lines, line)) {
      line = trim(line);
      if (line.empty()) continue;
      if (line.rfind("exception ", 0) == 0) {
        std::istringstream fields(line.substr(10));
        Exception entry;
        fields >> entry.from >> entry.to >> entry.target >> entry.type >> entry.name;
        exceptions.push_back(entry);
        continue;
      }
      m_lines.push_back(line);
    }
    assemble();  // the labels
    return assemble();
  }

  std::uint32_t label(const std::string& name) const {
    const auto found = m_labels.find(name);
    if (found == m_labels.end()) throw std::invalid_argument("no label " + name);
    return found->second;
  }

 private:
  std::int32_t target(const std::string& name) const {
    const auto found = m_labels.find(name);
    return found == m_labels.end() ? 0 : static_cast<std::int32_t>(found->second);
  }

  Bytes assemble() {
    AbcWriter code;
    for (const std::string& line : m_lines) {
      if (line.back() == ':') {
        m_labels[line.substr(0, line.size() - 1)] = code.size();
        continue;
      }
      const std::size_t blank = line.find(' ');
      const std::string mnemonic = line.substr(0, blank);
      const std::vector<std::string> operands = blank == std::string::npos ? std::vector<std::string>{} : split(line.substr(blank + 1));
      const std::uint8_t op = opcodeNamed(mnemonic);
      const AbcOpcode& entry = abcOpcode(op);
      const std::uint32_t start = code.size();
      code.u8(op);
      if (entry.isSwitch) {
        // lookupswitch Ldefault, [La, Lb]
        code.s24(target(operands.at(0)) - static_cast<std::int32_t>(start));
        std::vector<std::string> cases;
        for (std::size_t k = 1; k < operands.size(); ++k) {
          std::string name = operands[k];
          name.erase(std::remove(name.begin(), name.end(), '['), name.end());
          name.erase(std::remove(name.begin(), name.end(), ']'), name.end());
          cases.push_back(trim(name));
        }
        code.u30(static_cast<std::uint32_t>(cases.size() - 1));
        for (const std::string& name : cases) code.s24(target(name) - static_cast<std::int32_t>(start));
        continue;
      }
      for (std::uint8_t k = 0; k < entry.operandCount; ++k) writeOperand(code, entry.operands[k], operands.at(k), start);
    }
    return code.data();
  }

  void writeOperand(AbcWriter& code, AbcOperandKind kind, const std::string& text, std::uint32_t start) {
    (void)start;
    switch (kind) {
      case AbcOperandKind::kByte:
      case AbcOperandKind::kRegisterByte:
      case AbcOperandKind::kSignedByte: code.u8(static_cast<std::uint32_t>(std::stoi(text)) & 0xFF); break;
      case AbcOperandKind::kShort: code.u30(static_cast<std::uint32_t>(std::stoi(text)) & 0xFFFF); break;
      case AbcOperandKind::kInt: code.u30(m_pools.integer(std::stoi(text))); break;
      case AbcOperandKind::kUInt: code.u30(m_pools.unsignedInteger(static_cast<std::uint32_t>(std::stoul(text)))); break;
      case AbcOperandKind::kDouble: code.u30(m_pools.number(std::stod(text))); break;
      case AbcOperandKind::kString: code.u30(m_pools.string(text.substr(1, text.size() - 2))); break;
      case AbcOperandKind::kNamespace: code.u30(m_pools.namespaceOf(text)); break;
      case AbcOperandKind::kMultiname: code.u30(m_pools.multiname(text)); break;
      case AbcOperandKind::kBranch: {
        // From the end of the instruction: the opcode byte and the three of the offset.
        const auto end = static_cast<std::int32_t>(code.size() + 3);
        code.s24(target(text) - end);
        break;
      }
      default: code.u30(static_cast<std::uint32_t>(std::stoul(text))); break;
    }
  }

  Pools& m_pools;
  std::vector<std::string> m_lines;
  std::map<std::string, std::uint32_t> m_labels;
};

using Slots = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

/// One method's parts with their pool indices.
struct AssembledMethod {
  Bytes code;
  std::vector<std::uint32_t> parameterTypes;
  std::vector<std::uint32_t> parameterNames;
  std::uint32_t returnType = 0;
  std::vector<std::array<std::uint32_t, 5>> handlers;
  Slots slots;
};

Slots slotsOf(Pools& pools, const std::vector<std::string>& declared) {
  Slots slots;
  for (const std::string& slot : declared) {
    const std::size_t colon = slot.find(':');
    slots.emplace_back(pools.multiname(slot.substr(0, colon)), pools.multiname(slot.substr(colon + 1)));
  }
  return slots;
}

AssembledMethod assembleMethod(Pools& pools, const AbcMethodSource& method) {
  AssembledMethod result;
  std::vector<Exception> exceptions;
  Assembler assembler(pools);
  result.code = assembler.run(method.code, exceptions);
  for (const std::string& type : method.parameterTypes) result.parameterTypes.push_back(pools.multiname(type));
  for (const std::string& name : method.parameterNames) result.parameterNames.push_back(pools.string(name));
  result.returnType = pools.multiname(method.returnType);
  result.slots = slotsOf(pools, method.slots);
  for (const Exception& entry : exceptions)
    result.handlers.push_back({assembler.label(entry.from), assembler.label(entry.to), assembler.label(entry.target),
                               pools.multiname(entry.type), pools.multiname(entry.name)});
  return result;
}

void writeSlots(AbcWriter& abc, const Slots& traits) {
  abc.u30(static_cast<std::uint32_t>(traits.size()));
  for (std::size_t k = 0; k < traits.size(); ++k)
    abc.u30(traits[k].first).u8(0x00).u30(static_cast<std::uint32_t>(k + 1)).u30(traits[k].second).u30(0);
}

}  // namespace

Bytes assembleAbc(const AbcMethodSource& method) { return assembleAbc(std::vector<AbcMethodSource>{method}); }

Bytes assembleAbc(const std::vector<AbcMethodSource>& methods) {
  Pools pools;
  std::vector<AssembledMethod> assembled;
  for (const AbcMethodSource& method : methods) assembled.push_back(assembleMethod(pools, method));
  const Slots scriptSlots = slotsOf(pools, methods.front().scriptSlots);

  AbcWriter abc;
  abc.u16(16).u16(46);
  pools.write(abc);
  abc.u30(static_cast<std::uint32_t>(methods.size()));
  for (std::size_t m = 0; m < methods.size(); ++m) {
    const AssembledMethod& method = assembled[m];
    const std::uint8_t flags = static_cast<std::uint8_t>(methods[m].flags | (method.parameterNames.empty() ? 0 : 0x80));
    abc.u30(static_cast<std::uint32_t>(method.parameterTypes.size())).u30(method.returnType);
    for (const std::uint32_t type : method.parameterTypes) abc.u30(type);
    abc.u30(0).u8(flags);
    for (const std::uint32_t name : method.parameterNames) abc.u30(name);
  }
  abc.u30(0);  // metadata
  abc.u30(0);  // classes
  abc.u30(1).u30(0);  // one script: method 0, its slots
  writeSlots(abc, scriptSlots);
  abc.u30(static_cast<std::uint32_t>(methods.size()));
  for (std::size_t m = 0; m < methods.size(); ++m) {
    const AssembledMethod& method = assembled[m];
    abc.u30(static_cast<std::uint32_t>(m)).u30(16).u30(methods[m].localCount).u30(0).u30(8);
    abc.u30(static_cast<std::uint32_t>(method.code.size())).bytes(method.code);
    abc.u30(static_cast<std::uint32_t>(method.handlers.size()));
    for (const auto& handler : method.handlers)
      for (const std::uint32_t field : handler) abc.u30(field);
    writeSlots(abc, method.slots);
  }
  return abc.data();
}

}  // namespace orvane::test
