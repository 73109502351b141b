// The timeline actions: frame navigation, playback, quality, sounds and URLs
// (one source file each).
#pragma once

#include <optional>
#include <string_view>

#include "actions/LineAction.h"

namespace orvane {

class ActionNextFrame final : public LineAction {
 public:
  ActionNextFrame(const std::uint8_t* data, std::uint32_t size);
};

class ActionPrevFrame final : public LineAction {
 public:
  ActionPrevFrame(const std::uint8_t* data, std::uint32_t size);
};

class ActionStop final : public LineAction {
 public:
  ActionStop(const std::uint8_t* data, std::uint32_t size);
};

class ActionToggleQuality final : public LineAction {
 public:
  ActionToggleQuality(const std::uint8_t* data, std::uint32_t size);
};

class ActionStopSounds final : public LineAction {
 public:
  ActionStopSounds(const std::uint8_t* data, std::uint32_t size);
};

class ActionEndDrag final : public LineAction {
 public:
  ActionEndDrag(const std::uint8_t* data, std::uint32_t size);
};
/// Play; directly after a jump to a frame or label it turns that line into its play form.
class ActionPlay final : public ActionRecord {
 public:
  ActionPlay(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 2; }
  std::string ByteCodeText() const override;
};

/// Renders nothing.
class ActionHasLength final : public ActionRecord {
 public:
  ActionHasLength(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 2; }
  std::string ByteCodeText() const override;
};

class ActionGotoFrame final : public ActionRecord {
 public:
  ActionGotoFrame(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 2; }
  std::string ByteCodeText() const override;

  std::uint16_t frameIndex() const { return m_frameIndex; }

 private:
  std::uint16_t m_frameIndex = 0;
};

class ActionGotoLabel final : public ActionRecord {
 public:
  ActionGotoLabel(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 3; }
  std::string ByteCodeText() const override;

  std::string_view label() const { return m_label; }

 private:
  std::string_view m_label;
};

/// Go to the frame on the stack; the flag's play bit chooses play or stop.
class ActionGotoFrame2 final : public ActionRecord {
 public:
  ActionGotoFrame2(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;

  std::int8_t flag() const { return m_flag; }

 private:
  std::int8_t m_flag = 0;
};

class ActionGetURL final : public ActionRecord {
 public:
  ActionGetURL(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 2; }
  std::string ByteCodeText() const override;

  std::string_view url() const { return m_url; }
  /// The last non-empty string after a zero byte of the body; none when there is none.
  std::optional<std::string_view> target() const { return m_target; }

 private:
  std::string_view m_url;
  std::optional<std::string_view> m_target;
};

/// Get URL with url and target from the stack; the method byte adds GET or POST.
class ActionGetURL2 final : public ActionRecord {
 public:
  ActionGetURL2(const std::uint8_t* data, std::uint32_t size);
  [[nodiscard]] int Render(ExpressionTable* table, int version) override;
  int FirstVersion() const override { return 4; }
  std::string ByteCodeText() const override;

  std::int8_t method() const { return m_method; }

 private:
  std::int8_t m_method = 0;
};

}  // namespace orvane
