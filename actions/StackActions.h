// The actions that put values on the stack or shuffle them: push, pop, duplicate, swap,
// store register and the constant pool (one source file each).
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

class ExpressionTable;

/// Pushes typed values. Its items are walked from offset 3 to the end of the record; a
/// record whose last item is cut off by the end of the record counts as truncated.
class ActionPush final : public ActionRecord {
 public:
  ActionPush(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;

 private:
  /// One decoded item.
  struct Item {
    std::uint8_t type = 0;
    std::string string;
    double number = 0;
    std::int32_t integer = 0;
    std::uint8_t boolean = 0;
    std::uint16_t index = 0;  // a register number or a constant-pool index
  };
  /// Reads the item at the reader's position; false when the record ends inside it.
  static bool readItem(BitReader& reader, Item& item);
  /// The item's text, none for unknown types (which carry no value). `table` looks up
  /// constant-pool indices (the listing shows the index itself when it is null).
  static std::optional<std::string> itemText(const Item& item, const ExpressionTable* table);
};

/// Drops the top value; an expression result (a discarded call) is written as a line.
class ActionPop final : public ActionRecord {
 public:
  ActionPop(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;
};

class ActionPushDuplicate final : public ActionRecord {
 public:
  ActionPushDuplicate(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 5; }
  std::string ByteCodeText() const override;
};

class ActionStackSwap final : public ActionRecord {
 public:
  ActionStackSwap(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 5; }
  std::string ByteCodeText() const override;
};

/// Renders nothing in version 5: registers are not tracked.
class ActionStoreRegister final : public ActionRecord {
 public:
  ActionStoreRegister(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 5; }
  std::string ByteCodeText() const override;

  std::uint8_t registerNumber() const { return m_register; }

 private:
  std::uint8_t m_register = 0;
};

/// Loads the table's constant pool, in both versions. The 16-bit count is not used.
class ActionConstantPool final : public ActionRecord {
 public:
  ActionConstantPool(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 5; }
  std::string ByteCodeText() const override;

  /// The pool's bytes: the zero-terminated strings after the count.
  std::span<const std::uint8_t> strings() const;
};

}  // namespace orvane
