// Base of the version 5 actions whose translation only drops their operands.
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

class DiscardAction : public ActionRecord {
 public:
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return m_firstVersion; }
  std::string ByteCodeText() const override { return codeText() + m_label; }

 protected:
  DiscardAction(std::uint8_t code, const std::uint8_t* data, std::uint32_t size, const char* label, int popCount,
                int firstVersion = 5)
      : ActionRecord(code, data, size), m_label(label), m_popCount(popCount), m_firstVersion(firstVersion) {}

 private:
  const char* m_label;
  int m_popCount;
  int m_firstVersion;
};

}  // namespace orvane
