#include "archive/ClassRecords.h"

#include <memory>

#include "abc/AbcNames.h"
#include "abc/AbcParser.h"
#include "movie/ScanResult.h"

namespace orvane {

namespace {

/// The names of one block, read again only when the next class comes from another tag.
class BlockNames {
 public:
  AbcNames& of(const AbcTag& tag) {
    if (m_tag != &tag) {
      m_names.reset();
      m_file = parseAbc(tag.block);
      m_names = std::make_unique<AbcNames>(m_file);
      m_tag = &tag;
    }
    return *m_names;
  }
  const AbcFile& file() const { return m_file; }

 private:
  const AbcTag* m_tag = nullptr;
  AbcFile m_file;
  std::unique_ptr<AbcNames> m_names;
};

}  // namespace

std::vector<ClassRecord> classRecords(const ScanResult& result) {
  std::vector<ClassRecord> records;
  BlockNames blocks;
  for (const auto& node : result.timelines()) {
    for (const auto& object : node->abcObjects) {
      if (object->kind != AbcObject::Kind::Class || object->tag == nullptr) continue;
      ClassRecord& record = records.emplace_back();
      record.serial = object->serial;
      const std::size_t separator = object->className.rfind("::");
      record.package = separator == std::string::npos ? "" : object->className.substr(0, separator);
      record.name = separator == std::string::npos ? object->className : object->className.substr(separator + 2);
      AbcNames& names = blocks.of(*object->tag);
      if (object->index >= blocks.file().instances.size()) continue;
      const AbcInstance& instance = blocks.file().instances[object->index];
      record.superClass = names.multiname(instance.superName);
      for (const std::uint32_t interface : instance.interfaces)
        record.interfaces += (record.interfaces.empty() ? "" : ", ") + names.multiname(interface);
    }
  }
  return records;
}

}  // namespace orvane
