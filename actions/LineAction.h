// Base of the actions that render as one fixed line and touch no operands.
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

class LineAction : public ActionRecord {
 public:
  struct Texts {
    int firstVersion;
    const char* label;     // follows "CODE:%d" in the listing
    const char* version4;  // the line for version 4 or below
    const char* version5;
  };

  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return m_texts.firstVersion; }
  std::string ByteCodeText() const override { return codeText() + m_texts.label; }

 protected:
  LineAction(std::uint8_t code, const std::uint8_t* data, std::uint32_t size, const Texts& texts)
      : ActionRecord(code, data, size), m_texts(texts) {}

 private:
  const Texts& m_texts;
};

}  // namespace orvane
