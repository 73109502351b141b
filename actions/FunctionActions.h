// The function-like actions: calls, constructors, literals, random numbers, the timer
// and substrings (one source file each).
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

class ActionCallFunction final : public ActionRecord {
 public:
  ActionCallFunction(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionCallMethod final : public ActionRecord {
 public:
  ActionCallMethod(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionNewMethod final : public ActionRecord {
 public:
  ActionNewMethod(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionNewObject final : public ActionRecord {
 public:
  ActionNewObject(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionInitArray final : public ActionRecord {
 public:
  ActionInitArray(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionInitObject final : public ActionRecord {
 public:
  ActionInitObject(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionRandomNumber final : public ActionRecord {
 public:
  ActionRandomNumber(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionGetTime final : public ActionRecord {
 public:
  ActionGetTime(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionStringExtract final : public ActionRecord {
 public:
  ActionStringExtract(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

class ActionMBStringExtract final : public ActionRecord {
 public:
  ActionMBStringExtract(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override;
  std::string ByteCodeText() const override;
};

}  // namespace orvane
