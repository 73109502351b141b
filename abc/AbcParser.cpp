#include "abc/AbcParser.h"

#include <string>

namespace orvane {

namespace {

bool isKnownNamespaceKind(std::uint8_t kind) {
  switch (kind) {
    case nskind::kPrivate:
    case nskind::kNamespace:
    case nskind::kPackage:
    case nskind::kPackageInternal:
    case nskind::kProtected:
    case nskind::kExplicit:
    case nskind::kStaticProtected: return true;
    default: return false;
  }
}

class Parser {
 public:
  explicit Parser(std::span<const std::uint8_t> block) : m_reader(block) {}

  AbcFile run() {
    m_file.minorVersion = m_reader.readU16();
    m_file.majorVersion = m_reader.readU16();
    readPool();
    readMethods();
    readMetadata();
    readClasses();
    readScripts();
    readBodies();
    if (m_reader.failed()) m_file.errors.push_back(m_reader.error());
    return std::move(m_file);
  }

 private:
  using Errors = std::vector<AbcError>;

  /// Reads every entry of `table` with `read`; after a fault the table keeps only the
  /// entries read whole before it.
  template <typename Entry, typename Read>
  void readEntries(std::vector<Entry>& table, Read read) {
    std::size_t whole = 0;
    for (Entry& entry : table) {
      if (m_reader.failed()) break;
      read(entry);
      if (m_reader.failed()) break;
      ++whole;
    }
    if (m_reader.failed()) table.resize(whole);
  }

  std::uint32_t readIndex(std::size_t tableSize, const char* what, Errors& errors) {
    const std::uint32_t offset = m_reader.position();
    const std::uint32_t index = m_reader.readU30();
    if (!m_reader.failed() && index >= tableSize)
      errors.push_back({offset, std::string(what) + " index " + std::to_string(index) + " is past its table of " +
                                    std::to_string(tableSize)});
    return index;
  }
  std::uint32_t stringIndex(Errors& errors) { return readIndex(m_file.pool.strings.size(), "string", errors); }
  std::uint32_t multinameIndex(Errors& errors) {
    return readIndex(m_file.pool.multinames.size(), "multiname", errors);
  }
  std::uint32_t methodIndex(Errors& errors) { return readIndex(m_file.methods.size(), "method", errors); }

  std::uint32_t poolCount(std::size_t table, const char* what, std::uint32_t minimumEntrySize) {
    m_file.poolTables[table].countOffset = m_reader.position();
    const std::uint32_t count = m_reader.readPoolCount(what, minimumEntrySize);
    m_file.poolTables[table].entriesOffset = m_reader.position();
    return count;
  }
  void endTable(std::size_t table) { m_file.poolTables[table].end = m_reader.position(); }

  void readPool() {
    AbcConstantPool& pool = m_file.pool;
    for (std::uint32_t n = poolCount(0, "integer", 1); n > 0 && !m_reader.failed(); --n)
      pool.integers.push_back(m_reader.readS32());
    endTable(0);
    for (std::uint32_t n = poolCount(1, "unsigned integer", 1); n > 0 && !m_reader.failed(); --n)
      pool.unsignedIntegers.push_back(m_reader.readU32());
    endTable(1);
    for (std::uint32_t n = poolCount(2, "double", 8); n > 0 && !m_reader.failed(); --n)
      pool.doubles.push_back(m_reader.readD64());
    endTable(2);
    for (std::uint32_t n = poolCount(3, "string", 1); n > 0 && !m_reader.failed(); --n)
      pool.strings.push_back(m_reader.readString());
    endTable(3);
    for (std::uint32_t n = poolCount(4, "namespace", 2); n > 0 && !m_reader.failed(); --n) {
      const std::uint32_t offset = m_reader.position();
      AbcNamespace ns;
      ns.kind = m_reader.readU8();
      if (!m_reader.failed() && !isKnownNamespaceKind(ns.kind))
        m_file.errors.push_back({offset, "unknown namespace kind " + std::to_string(ns.kind)});
      ns.name = stringIndex(m_file.errors);
      pool.namespaces.push_back(ns);
    }
    endTable(4);
    for (std::uint32_t n = poolCount(5, "namespace set", 1); n > 0 && !m_reader.failed(); --n) {
      std::vector<std::uint32_t> set(m_reader.readCount("namespace set entry"));
      for (std::uint32_t& ns : set) ns = readIndex(pool.namespaces.size(), "namespace", m_file.errors);
      pool.namespaceSets.push_back(std::move(set));
    }
    endTable(5);
    std::vector<std::uint32_t> offsets{0};
    for (std::uint32_t n = poolCount(6, "multiname", 1); n > 0 && !m_reader.failed(); --n) {
      offsets.push_back(m_reader.position());
      pool.multinames.push_back(readMultiname());
    }
    endTable(6);
    checkTypeNames(offsets);
  }

  AbcMultiname readMultiname() {
    const std::uint32_t offset = m_reader.position();
    AbcMultiname name;
    name.kind = m_reader.readU8();
    const std::size_t namespaceCount = m_file.pool.namespaces.size();
    const std::size_t setCount = m_file.pool.namespaceSets.size();
    switch (name.kind) {
      case mnkind::kQName:
      case mnkind::kQNameA:
        name.ns = readIndex(namespaceCount, "namespace", m_file.errors);
        name.name = stringIndex(m_file.errors);
        break;
      case mnkind::kRTQName:
      case mnkind::kRTQNameA: name.name = stringIndex(m_file.errors); break;
      case mnkind::kRTQNameL:
      case mnkind::kRTQNameLA: break;
      case mnkind::kMultiname:
      case mnkind::kMultinameA:
        name.name = stringIndex(m_file.errors);
        name.nsSet = readIndex(setCount, "namespace set", m_file.errors);
        break;
      case mnkind::kMultinameL:
      case mnkind::kMultinameLA: name.nsSet = readIndex(setCount, "namespace set", m_file.errors); break;
      case mnkind::kTypeName:
        // The generic type and its parameters may be later entries: checked once all are read.
        name.base = m_reader.readU30();
        name.parameters.resize(m_reader.readCount("type parameter"));
        for (std::uint32_t& parameter : name.parameters) parameter = m_reader.readU30();
        break;
      default:
        if (!m_reader.failed()) m_reader.fail(offset, "unknown multiname kind " + std::to_string(name.kind));
        break;
    }
    return name;
  }

  void checkTypeNames(const std::vector<std::uint32_t>& offsets) {
    const auto& names = m_file.pool.multinames;
    for (std::size_t i = 1; i < names.size(); ++i) {
      if (names[i].kind != mnkind::kTypeName) continue;
      const std::uint32_t offset = offsets[i];
      bool inRange = names[i].base < names.size();
      for (std::uint32_t parameter : names[i].parameters) inRange = inRange && parameter < names.size();
      if (!inRange)
        m_file.errors.push_back({offset, "type name " + std::to_string(i) + " refers past the multiname table of " +
                                             std::to_string(names.size())});
    }
  }

  /// A slot's default has no kind byte when its index is 0; an optional value always has one.
  AbcValue readValue(Errors& errors, bool kindAlways) {
    AbcValue value;
    const std::uint32_t offset = m_reader.position();
    value.index = m_reader.readU30();
    if (value.index == 0 && !kindAlways) return value;
    value.kind = m_reader.readU8();
    if (m_reader.failed()) return value;
    const AbcConstantPool& pool = m_file.pool;
    std::size_t tableSize = 0;
    switch (value.kind) {
      case constkind::kInt: tableSize = pool.integers.size(); break;
      case constkind::kUInt: tableSize = pool.unsignedIntegers.size(); break;
      case constkind::kDouble: tableSize = pool.doubles.size(); break;
      case constkind::kUtf8: tableSize = pool.strings.size(); break;
      case constkind::kUndefined:
      case constkind::kTrue:
      case constkind::kFalse:
      case constkind::kNull: return value;
      default:
        if (!isKnownNamespaceKind(value.kind)) {
          errors.push_back({offset, "unknown constant kind " + std::to_string(value.kind)});
          return value;
        }
        tableSize = pool.namespaces.size();
        break;
    }
    if (value.index >= tableSize)
      errors.push_back({offset, "constant index " + std::to_string(value.index) + " is past its table of " +
                                    std::to_string(tableSize)});
    return value;
  }

  void readMethods() {
    m_file.methods.resize(m_reader.readCount("method", 4));
    readEntries(m_file.methods, [this](AbcMethod& method) {
      method.parameterTypes.resize(m_reader.readCount("parameter"));
      method.returnType = multinameIndex(m_file.errors);
      for (std::uint32_t& type : method.parameterTypes) type = multinameIndex(m_file.errors);
      method.name = stringIndex(m_file.errors);
      method.flags = m_reader.readU8();
      if (method.flags & methodflag::kHasOptional) {
        method.optionalValues.resize(m_reader.readCount("optional value", 2));
        if (method.optionalValues.size() > method.parameterTypes.size())
          m_file.errors.push_back({m_reader.position(), "more optional values than parameters"});
        for (AbcValue& value : method.optionalValues) value = readValue(m_file.errors, true);
      }
      if (method.flags & methodflag::kHasParamNames) {
        method.parameterNames.resize(method.parameterTypes.size());
        for (std::uint32_t& name : method.parameterNames) name = stringIndex(m_file.errors);
      }
    });
  }

  void readMetadata() {
    m_file.metadata.resize(m_reader.readCount("metadata", 2));
    readEntries(m_file.metadata, [this](AbcMetadata& entry) {
      entry.name = stringIndex(m_file.errors);
      entry.items.resize(m_reader.readCount("metadata item", 2));
      // Compilers write all the keys, then all the values.
      for (auto& item : entry.items) item.first = stringIndex(m_file.errors);
      for (auto& item : entry.items) item.second = stringIndex(m_file.errors);
    });
  }

  std::vector<AbcTrait> readTraits(Errors& errors) {
    std::vector<AbcTrait> traits(m_reader.readCount("trait", 3));
    for (AbcTrait& trait : traits) {
      if (m_reader.failed()) break;
      trait.name = multinameIndex(errors);
      const std::uint32_t kindOffset = m_reader.position();
      const std::uint8_t kindByte = m_reader.readU8();
      trait.kind = kindByte & 0x0F;
      trait.attributes = kindByte >> 4;
      trait.slotId = m_reader.readU30();
      switch (trait.kind) {
        case traitkind::kSlot:
        case traitkind::kConst:
          trait.type = multinameIndex(errors);
          trait.value = readValue(errors, false);
          break;
        case traitkind::kClass: trait.index = readIndex(m_file.classes.size(), "class", errors); break;
        case traitkind::kMethod:
        case traitkind::kGetter:
        case traitkind::kSetter:
        case traitkind::kFunction: trait.index = methodIndex(errors); break;
        default: m_reader.fail(kindOffset, "unknown trait kind " + std::to_string(trait.kind)); break;
      }
      if (trait.attributes & traitattr::kMetadata) {
        trait.metadata.resize(m_reader.readCount("trait metadata"));
        for (std::uint32_t& entry : trait.metadata) entry = readIndex(m_file.metadata.size(), "metadata", errors);
      }
    }
    return traits;
  }

  void readClasses() {
    const std::uint32_t count = m_reader.readCount("class", 7);
    m_file.instances.resize(count);
    m_file.classes.resize(count);
    readEntries(m_file.instances, [this](AbcInstance& instance) {
      instance.name = multinameIndex(m_file.errors);
      instance.superName = multinameIndex(m_file.errors);
      instance.flags = m_reader.readU8();
      if (instance.flags & classflag::kProtectedNs)
        instance.protectedNs = readIndex(m_file.pool.namespaces.size(), "namespace", m_file.errors);
      instance.interfaces.resize(m_reader.readCount("interface"));
      for (std::uint32_t& name : instance.interfaces) name = multinameIndex(m_file.errors);
      instance.initialiser = methodIndex(m_file.errors);
      instance.traits = readTraits(m_file.errors);
    });
    readEntries(m_file.classes, [this](AbcClass& entry) {
      entry.initialiser = methodIndex(m_file.errors);
      entry.traits = readTraits(m_file.errors);
    });
  }

  void readScripts() {
    m_file.scripts.resize(m_reader.readCount("script", 2));
    readEntries(m_file.scripts, [this](AbcScript& script) {
      script.initialiser = methodIndex(m_file.errors);
      script.traits = readTraits(m_file.errors);
    });
  }

  void readBodies() {
    const std::uint32_t count = m_reader.readCount("method body", 8);
    m_file.bodies.reserve(count);
    for (std::uint32_t i = 0; i < count && !m_reader.failed(); ++i) {
      AbcMethodBody body;
      const std::uint32_t methodOffset = m_reader.position();
      body.entryOffset = methodOffset;
      body.method = methodIndex(body.errors);
      body.maxStack = m_reader.readU30();
      body.localCount = m_reader.readU30();
      body.initScopeDepth = m_reader.readU30();
      body.maxScopeDepth = m_reader.readU30();
      const std::uint32_t codeLength = m_reader.readU30();
      body.codeOffset = m_reader.position();
      m_reader.skip(codeLength, "method code");
      if (m_reader.failed()) break;
      body.code = m_reader.bytesAt(body.codeOffset, codeLength);
      body.exceptions.resize(m_reader.readCount("exception", 5));
      for (AbcException& entry : body.exceptions) {
        entry.from = m_reader.readU30();
        entry.to = m_reader.readU30();
        entry.target = m_reader.readU30();
        entry.type = multinameIndex(body.errors);
        entry.variable = multinameIndex(body.errors);
        if (!m_reader.failed() && (entry.from > codeLength || entry.to > codeLength || entry.target >= codeLength))
          body.errors.push_back({methodOffset, "exception range lies outside the code"});
      }
      body.traitsOffset = m_reader.position();
      body.traits = readTraits(body.errors);
      if (m_reader.failed()) break;
      body.entryEnd = m_reader.position();
      if (body.method < m_file.methods.size()) {
        AbcMethod& method = m_file.methods[body.method];
        if (method.body >= 0)
          body.errors.push_back({methodOffset, "method " + std::to_string(body.method) + " already has a body"});
        else
          method.body = static_cast<std::int32_t>(m_file.bodies.size());
      }
      m_file.bodies.push_back(std::move(body));
    }
  }

  AbcReader m_reader;
  AbcFile m_file;
};

}  // namespace

AbcFile parseAbc(std::span<const std::uint8_t> block) { return Parser(block).run(); }

}  // namespace orvane
