#include "actions/ExpressionTable.h"
#include "actions/StackActions.h"

namespace orvane {

namespace {
constexpr std::uint32_t kStringsOffset = 5;  // after the header and the 16-bit count
}  // namespace

ActionConstantPool::ActionConstantPool(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(0x88, data, size) {}

std::span<const std::uint8_t> ActionConstantPool::strings() const {
  return size() > kStringsOffset ? bytes().subspan(kStringsOffset) : std::span<const std::uint8_t>();
}

int ActionConstantPool::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  // The pool is read without the record's last byte, the terminator of the last string.
  const std::span<const std::uint8_t> pool = strings();
  table->LoadConstantPool(pool.empty() ? pool : pool.first(pool.size() - 1));
  if (isVersion4(version)) renderLaterAction(*table);
  return 1;
}

std::string ActionConstantPool::ByteCodeText() const {
  std::string listing = codeText() + " ActionConstantPool\n ";
  std::string current;
  int index = 0;
  for (const std::uint8_t byte : strings()) {
    if (byte == 0) {
      listing += "\t[" + std::to_string(index++) + " : " + current + "]\n";
      current.clear();
    } else {
      current.push_back(static_cast<char>(byte));
    }
  }
  return listing + "\n";
}

}  // namespace orvane
