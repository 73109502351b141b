// The actions that wrap one operand in a function or statement form (one source file each).
#pragma once

#include "actions/UnaryAction.h"

namespace orvane {

class ActionNot final : public UnaryAction {
 public:
  ActionNot(const std::uint8_t* data, std::uint32_t size);
};

class ActionStringLength final : public UnaryAction {
 public:
  ActionStringLength(const std::uint8_t* data, std::uint32_t size);
};

class ActionToInteger final : public UnaryAction {
 public:
  ActionToInteger(const std::uint8_t* data, std::uint32_t size);
};

class ActionRemoveSprite final : public UnaryAction {
 public:
  ActionRemoveSprite(const std::uint8_t* data, std::uint32_t size);
};

class ActionTrace final : public UnaryAction {
 public:
  ActionTrace(const std::uint8_t* data, std::uint32_t size);
};

class ActionMBStringLength final : public UnaryAction {
 public:
  ActionMBStringLength(const std::uint8_t* data, std::uint32_t size);
};

class ActionCharToAscii final : public UnaryAction {
 public:
  ActionCharToAscii(const std::uint8_t* data, std::uint32_t size);
};

class ActionAsciiToChar final : public UnaryAction {
 public:
  ActionAsciiToChar(const std::uint8_t* data, std::uint32_t size);
};

class ActionMBCharToAscii final : public UnaryAction {
 public:
  ActionMBCharToAscii(const std::uint8_t* data, std::uint32_t size);
};

class ActionMBAsciiToChar final : public UnaryAction {
 public:
  ActionMBAsciiToChar(const std::uint8_t* data, std::uint32_t size);
};

class ActionReturn final : public UnaryAction {
 public:
  ActionReturn(const std::uint8_t* data, std::uint32_t size);
};

class ActionTypeOf final : public UnaryAction {
 public:
  ActionTypeOf(const std::uint8_t* data, std::uint32_t size);
};

class ActionToNumber final : public UnaryAction {
 public:
  ActionToNumber(const std::uint8_t* data, std::uint32_t size);
};

class ActionToString final : public UnaryAction {
 public:
  ActionToString(const std::uint8_t* data, std::uint32_t size);
};

class ActionIncrement final : public UnaryAction {
 public:
  ActionIncrement(const std::uint8_t* data, std::uint32_t size);
};

class ActionDecrement final : public UnaryAction {
 public:
  ActionDecrement(const std::uint8_t* data, std::uint32_t size);
};

class ActionCall final : public UnaryAction {
 public:
  ActionCall(const std::uint8_t* data, std::uint32_t size);
};

class ActionThrow final : public UnaryAction {
 public:
  ActionThrow(const std::uint8_t* data, std::uint32_t size);
};
}  // namespace orvane
