// The structural actions: branches, frame-loaded tests, tell-target, with, function
// definitions and exception blocks (one source file each).
#pragma once

#include <string_view>
#include <vector>

#include "actions/ActionRecord.h"

namespace orvane {

/// Base of ActionIf and ActionJump: a signed 16-bit offset counted from the next record.
class BranchAction : public ActionRecord {
 public:
  /// Counted from the offset of the record that follows.
  std::int16_t branchOffset() const { return m_branchOffset; }
  /// False for a record too short to hold its offset.
  bool hasBranchOffset() const { return !truncated(); }
  std::string ByteCodeText() const override;
  int FirstVersion() const override { return 4; }

 protected:
  BranchAction(std::uint8_t code, const std::uint8_t* data, std::uint32_t size, const char* label);

 private:
  const char* m_label;
  std::int16_t m_branchOffset = 0;
};

class ActionIf final : public BranchAction {
 public:
  static constexpr std::uint8_t kCode = 0x9D;
  ActionIf(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
};

/// Renders nothing itself; its effect comes from the block markers of its target.
class ActionJump final : public BranchAction {
 public:
  static constexpr std::uint8_t kCode = 0x99;
  ActionJump(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
};

class ActionWaitForFrame final : public ActionRecord {
 public:
  ActionWaitForFrame(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 2; }
  std::string ByteCodeText() const override;

  std::uint16_t frame() const { return m_frame; }
  /// The number of actions that run when the frame is loaded.
  std::uint8_t skipCount() const { return m_skipCount; }

 private:
  std::uint16_t m_frame = 0;
  std::uint8_t m_skipCount = 0;
};

/// Frame-loaded test of the frame on the stack.
class ActionWaitForFrame2 final : public ActionRecord {
 public:
  ActionWaitForFrame2(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;

  /// The number of actions that run when the frame is loaded (the listing shows the byte
  /// as a signed value).
  std::uint8_t skipCount() const { return m_skipCount; }

 private:
  std::uint8_t m_skipCount = 0;
};

class ActionSetTarget final : public ActionRecord {
 public:
  ActionSetTarget(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 3; }
  std::string ByteCodeText() const override;

  std::string_view targetName() const { return m_targetName; }

 private:
  std::string_view m_targetName;
};

/// Tell-target with the target on the stack.
class ActionSetTarget2 final : public ActionRecord {
 public:
  ActionSetTarget2(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;
};

class ActionWith final : public ActionRecord {
 public:
  ActionWith(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 5; }
  std::string ByteCodeText() const override;

  std::uint16_t blockSize() const { return m_blockSize; }
  /// The bytes from offset 5 as text, up to the first zero byte inside the record.
  std::string_view blockText() const { return textAt(5); }

 private:
  std::uint16_t m_blockSize = 0;
};

/// Base of ActionDefineFunction and ActionDefineFunction2: a named function whose body is
/// the `codeSize` bytes that follow the record. Version 5 renders the function line and
/// leaves a marker that closes the body where it ends.
class FunctionDefinition : public ActionRecord {
 public:
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;

  std::string_view name() const { return m_name; }
  /// The parameter names in declaration order.
  const std::vector<std::string_view>& parameterNames() const { return m_parameterNames; }
  /// The byte length of the function body that follows the record.
  std::uint16_t codeSize() const { return m_codeSize; }

 protected:
  FunctionDefinition(std::uint8_t code, const std::uint8_t* data, std::uint32_t size)
      : ActionRecord(code, data, size) {}
  /// The registers the body's records see under a name (none for ActionDefineFunction).
  virtual std::vector<NamedRegister> bodyRegisters() const { return {}; }
  /// Reads the zero-terminated text at `offset` and moves `offset` past its zero byte; none
  /// (and the record marked truncated) when the record ends first.
  std::optional<std::string_view> readText(std::uint32_t& offset);

  std::string_view m_name;
  std::vector<std::string_view> m_parameterNames;
  std::uint16_t m_codeSize = 0;
};

class ActionDefineFunction final : public FunctionDefinition {
 public:
  ActionDefineFunction(const std::uint8_t* data, std::uint32_t size);
  int FirstVersion() const override { return 5; }
  std::string ByteCodeText() const override;

 private:
  std::uint16_t m_parameterCount = 0;
};

/// A function with registers of its own: its parameters may live in registers, and the
/// flags preload `this`, `arguments`, `super`, `_root`, `_parent` and `_global` into the
/// registers from 1, in that order.
class ActionDefineFunction2 final : public FunctionDefinition {
 public:
  static constexpr std::uint8_t kCode = 0x8E;
  // The flags word.
  static constexpr std::uint16_t kPreloadThis = 0x0001;
  static constexpr std::uint16_t kSuppressThis = 0x0002;
  static constexpr std::uint16_t kPreloadArguments = 0x0004;
  static constexpr std::uint16_t kSuppressArguments = 0x0008;
  static constexpr std::uint16_t kPreloadSuper = 0x0010;
  static constexpr std::uint16_t kSuppressSuper = 0x0020;
  static constexpr std::uint16_t kPreloadRoot = 0x0040;
  static constexpr std::uint16_t kPreloadParent = 0x0080;
  static constexpr std::uint16_t kPreloadGlobal = 0x0100;

  ActionDefineFunction2(const std::uint8_t* data, std::uint32_t size);
  int FirstVersion() const override { return 7; }
  std::string ByteCodeText() const override;

  /// The declared parameter count (the parameters read may be fewer in a truncated record).
  std::uint16_t parameterCount() const { return m_parameterCount; }
  /// The number of registers the function allocates.
  std::uint8_t registerCount() const { return m_registerCount; }
  std::uint16_t flags() const { return m_flags; }
  /// Each parameter with its register; register 0: the parameter is a plain variable.
  const std::vector<NamedRegister>& parameters() const { return m_parameters; }
  /// The registers the flags preload, with the names they hold, from register 1.
  std::vector<NamedRegister> preloadedRegisters() const;

 protected:
  /// The preloaded registers, then the parameters held in registers.
  std::vector<NamedRegister> bodyRegisters() const override;

 private:
  std::uint16_t m_parameterCount = 0;
  std::uint8_t m_registerCount = 0;
  std::uint16_t m_flags = 0;
  std::vector<NamedRegister> m_parameters;
};

/// A try block followed by a catch block, a finally block or both, their sizes counted in
/// bytes after the record. The caught value goes into a variable or a register.
class ActionTry final : public ActionRecord {
 public:
  static constexpr std::uint8_t kCode = 0x8F;
  static constexpr std::uint8_t kHasCatchBlock = 0x01;
  static constexpr std::uint8_t kHasFinallyBlock = 0x02;
  static constexpr std::uint8_t kCatchInRegister = 0x04;

  ActionTry(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 7; }
  std::string ByteCodeText() const override;

  std::uint8_t flags() const { return m_flags; }
  bool hasCatchBlock() const { return (m_flags & kHasCatchBlock) != 0; }
  bool hasFinallyBlock() const { return (m_flags & kHasFinallyBlock) != 0; }
  bool catchesInRegister() const { return (m_flags & kCatchInRegister) != 0; }
  std::uint16_t trySize() const { return m_trySize; }
  std::uint16_t catchSize() const { return m_catchSize; }
  std::uint16_t finallySize() const { return m_finallySize; }
  /// The variable that takes the caught value (empty when it goes into a register).
  std::string_view catchName() const { return m_catchName; }
  /// The register that takes the caught value, when `catchesInRegister`.
  std::uint8_t catchRegister() const { return m_catchRegister; }
  /// The catch variable as the listing shows it: its name, "register%d" or "none".
  const std::string& catchText() const { return m_catchText; }

 private:
  std::uint8_t m_flags = 0;
  std::uint16_t m_trySize = 0;
  std::uint16_t m_catchSize = 0;
  std::uint16_t m_finallySize = 0;
  std::string_view m_catchName;
  std::uint8_t m_catchRegister = 0;
  std::string m_catchText = "none";
  std::string m_catchLine;  // the line that opens the catch block
};

}  // namespace orvane
