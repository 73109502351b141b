// The structural actions: branches, frame-loaded tests, tell-target, with and function
// definitions (one source file each).
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

class ActionDefineFunction final : public ActionRecord {
 public:
  ActionDefineFunction(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 5; }
  std::string ByteCodeText() const override;

  std::string_view name() const { return m_name; }
  const std::vector<std::string_view>& parameterNames() const { return m_parameters; }
  /// The byte length of the function body that follows the record.
  std::uint16_t codeSize() const { return m_codeSize; }

 private:
  std::string_view m_name;
  std::uint16_t m_parameterCount = 0;
  std::vector<std::string_view> m_parameters;
  std::uint16_t m_codeSize = 0;
};

}  // namespace orvane
