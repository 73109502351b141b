// The two-operand operator actions (one source file each).
#pragma once

#include "actions/OperatorAction.h"

namespace orvane {

class ActionAdd final : public OperatorAction {
 public:
  ActionAdd(const std::uint8_t* data, std::uint32_t size);
};

class ActionSubtract final : public OperatorAction {
 public:
  ActionSubtract(const std::uint8_t* data, std::uint32_t size);
};

class ActionMultiply final : public OperatorAction {
 public:
  ActionMultiply(const std::uint8_t* data, std::uint32_t size);
};

class ActionDivide final : public OperatorAction {
 public:
  ActionDivide(const std::uint8_t* data, std::uint32_t size);
};

class ActionEquals final : public OperatorAction {
 public:
  ActionEquals(const std::uint8_t* data, std::uint32_t size);
};

class ActionLess final : public OperatorAction {
 public:
  ActionLess(const std::uint8_t* data, std::uint32_t size);
};

class ActionAnd final : public OperatorAction {
 public:
  ActionAnd(const std::uint8_t* data, std::uint32_t size);
};

class ActionOr final : public OperatorAction {
 public:
  ActionOr(const std::uint8_t* data, std::uint32_t size);
};

class ActionStringAdd final : public OperatorAction {
 public:
  ActionStringAdd(const std::uint8_t* data, std::uint32_t size);
};

class ActionStringLess final : public OperatorAction {
 public:
  ActionStringLess(const std::uint8_t* data, std::uint32_t size);
};

class ActionModulo final : public OperatorAction {
 public:
  ActionModulo(const std::uint8_t* data, std::uint32_t size);
};

class ActionAdd2 final : public OperatorAction {
 public:
  ActionAdd2(const std::uint8_t* data, std::uint32_t size);
};

class ActionLess2 final : public OperatorAction {
 public:
  ActionLess2(const std::uint8_t* data, std::uint32_t size);
};

class ActionEquals2 final : public OperatorAction {
 public:
  ActionEquals2(const std::uint8_t* data, std::uint32_t size);
};

class ActionBitAnd final : public OperatorAction {
 public:
  ActionBitAnd(const std::uint8_t* data, std::uint32_t size);
};

class ActionBitOr final : public OperatorAction {
 public:
  ActionBitOr(const std::uint8_t* data, std::uint32_t size);
};

class ActionXor final : public OperatorAction {
 public:
  ActionXor(const std::uint8_t* data, std::uint32_t size);
};

class ActionBitLShift final : public OperatorAction {
 public:
  ActionBitLShift(const std::uint8_t* data, std::uint32_t size);
};

class ActionBitRShift final : public OperatorAction {
 public:
  ActionBitRShift(const std::uint8_t* data, std::uint32_t size);
};

class ActionBitURShift final : public OperatorAction {
 public:
  ActionBitURShift(const std::uint8_t* data, std::uint32_t size);
};
class ActionStrictEquals final : public OperatorAction {
 public:
  ActionStrictEquals(const std::uint8_t* data, std::uint32_t size);
};

class ActionGreater final : public OperatorAction {
 public:
  ActionGreater(const std::uint8_t* data, std::uint32_t size);
};

class ActionStringGreater final : public OperatorAction {
 public:
  ActionStringGreater(const std::uint8_t* data, std::uint32_t size);
};

}  // namespace orvane
