// Base of the actions that pop one operand and wrap it in a fixed prefix and suffix.
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

class UnaryAction : public ActionRecord {
 public:
  using Form = ResultForm;
  struct Wrapping {
    const char* prefix;  // null: a version 5 action shown in its version 4 form
    const char* suffix;
  };
  struct Texts {
    int firstVersion;
    const char* label;
    Form form;
    Wrapping version4;
    Wrapping version5;
  };

  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return m_texts.firstVersion; }
  std::string ByteCodeText() const override { return codeText() + m_texts.label; }

 protected:
  UnaryAction(std::uint8_t code, const std::uint8_t* data, std::uint32_t size, const Texts& texts)
      : ActionRecord(code, data, size), m_texts(texts) {}

 private:
  const Texts& m_texts;
};

}  // namespace orvane
