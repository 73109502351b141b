// The movie clip actions with several operands: duplicating and dragging clips
// (one source file each).
#pragma once

#include "actions/ActionRecord.h"

namespace orvane {

class ActionCloneSprite final : public ActionRecord {
 public:
  ActionCloneSprite(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;
};

class ActionStartDrag final : public ActionRecord {
 public:
  ActionStartDrag(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;
};

}  // namespace orvane
