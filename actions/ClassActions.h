// The actions of ActionScript 2 classes: casts, instance tests, interfaces, inheritance
// and the strict mode switch (one source file each).
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

/// Base of the version 6 and later actions that pop two operands and join them, the
/// lower one first: lower + infix + top + suffix. Version 4 shows their later-version line.
class PairAction : public ActionRecord {
 public:
  using Form = ResultForm;
  struct Texts {
    int firstVersion;
    const char* label;
    Form form;
    const char* infix;
    const char* suffix;
  };

  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return m_texts.firstVersion; }
  std::string ByteCodeText() const override { return codeText() + m_texts.label; }

 protected:
  PairAction(std::uint8_t code, const std::uint8_t* data, std::uint32_t size, const Texts& texts)
      : ActionRecord(code, data, size), m_texts(texts) {}

 private:
  const Texts& m_texts;
};

/// Pops the object, then the constructor: constructor(object).
class ActionCastOp final : public PairAction {
 public:
  ActionCastOp(const std::uint8_t* data, std::uint32_t size);
};

/// Pops the constructor, then the object: object instanceof constructor.
class ActionInstanceOf final : public PairAction {
 public:
  ActionInstanceOf(const std::uint8_t* data, std::uint32_t size);
};

/// Pops the superclass, then the subclass: subclass extends superclass;
class ActionExtends final : public PairAction {
 public:
  ActionExtends(const std::uint8_t* data, std::uint32_t size);
};

/// Pops the constructor and a counted list of interfaces.
class ActionImplementsOp final : public ActionRecord {
 public:
  ActionImplementsOp(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 7; }
  std::string ByteCodeText() const override;
};

/// Switches the player's strict mode; renders nothing.
class ActionStrictMode final : public ActionRecord {
 public:
  ActionStrictMode(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 7; }
  std::string ByteCodeText() const override;

  std::uint8_t mode() const { return m_mode; }

 private:
  std::uint8_t m_mode = 0;
};

}  // namespace orvane
