// The actions on variables, properties and object members (one source file each).
#pragma once

#include "actions/DiscardAction.h"

namespace orvane {

class ActionDelete final : public DiscardAction {
 public:
  ActionDelete(const std::uint8_t* data, std::uint32_t size);
};

class ActionDelete2 final : public DiscardAction {
 public:
  ActionDelete2(const std::uint8_t* data, std::uint32_t size);
};

class ActionDefineLocal final : public DiscardAction {
 public:
  ActionDefineLocal(const std::uint8_t* data, std::uint32_t size);
};

class ActionDefineLocal2 final : public DiscardAction {
 public:
  ActionDefineLocal2(const std::uint8_t* data, std::uint32_t size);
};

class ActionEnumerate final : public DiscardAction {
 public:
  ActionEnumerate(const std::uint8_t* data, std::uint32_t size);
};

/// Enumerates the members of the object on the stack (instead of a named variable).
class ActionEnumerate2 final : public DiscardAction {
 public:
  ActionEnumerate2(const std::uint8_t* data, std::uint32_t size);
};
class ActionGetVariable final : public ActionRecord {
 public:
  ActionGetVariable(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionSetVariable final : public ActionRecord {
 public:
  ActionSetVariable(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionGetProperty final : public ActionRecord {
 public:
  ActionGetProperty(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionSetProperty final : public ActionRecord {
 public:
  ActionSetProperty(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionGetMember final : public ActionRecord {
 public:
  ActionGetMember(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionSetMember final : public ActionRecord {
 public:
  ActionSetMember(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionTargetPath final : public ActionRecord {
 public:
  ActionTargetPath(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

}  // namespace orvane
