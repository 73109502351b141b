// Base of the two-operand operator actions.
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

class OperatorAction : public ActionRecord {
 public:
  /// When the combined text is enclosed in parentheses.
  enum class Parentheses {
    AfterOperator,  // when the action rendered just before is one of the parenthesising codes
    Always,
    Never,
  };
  struct Texts {
    int firstVersion;
    const char* label;
    const char* version4;  // the operator between the operands; null: a version 5 action
    const char* version5;
    Parentheses parentheses;
  };

  /// Codes 10 to 17, 19 and 41: after one of them an operator encloses its text.
  static bool IsParenthesisingCode(std::uint8_t code);

  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return m_texts.firstVersion; }
  std::string ByteCodeText() const override { return codeText() + m_texts.label; }

 protected:
  OperatorAction(std::uint8_t code, const std::uint8_t* data, std::uint32_t size, const Texts& texts)
      : ActionRecord(code, data, size), m_texts(texts) {}

 private:
  const Texts& m_texts;
};

}  // namespace orvane
