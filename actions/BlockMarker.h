// Pending structural lines bound to byte offsets of an action block, and the queue that
// hands them out when the translation reaches their offsets.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvane {

/// The texts that stand for structure in the output buffer until the text is finished.
namespace marker {
inline constexpr std::string_view kIf = "<_IF>";
inline constexpr std::string_view kElse = "<_ELSE>";
inline constexpr std::string_view kElseIf = "<_ELSEIF>";
inline constexpr std::string_view kEndIf = "<_ENDIF>";
inline constexpr std::string_view kLoopStart = "<_LOOPSTART>";
inline constexpr std::string_view kLoopEnd = "<_LOOPEND>";
inline constexpr std::string_view kLoopDo = "<_LOOPDO>";
inline constexpr std::string_view kFrameLoadedStart = "<_IFFRAMELOADEDSTART>";
inline constexpr std::string_view kFrameLoadedEnd = "<_IFFRAMELOADEDEND>";
inline constexpr std::string_view kFunctionEnd = "<_FUNCTION_END>";
inline constexpr std::string_view kQuoteMark = "<_QUOTE_MARK>";
}  // namespace marker

/// A line that is emitted once the translation reaches `target`.
struct BlockMarker {
  /// The code of the action that created it (ActionIf, ActionJump, ActionDefineFunction,
  /// ActionDefineFunction2, ActionTry, ActionWaitForFrame or ActionWaitForFrame2).
  std::uint8_t code = 0;
  /// Byte offset from the start of the block.
  std::uint32_t target = 0;
  std::string_view text;
};

/// The markers of one translation. Each marker is handed out once, at O(log n) cost, so a
/// block with many branches never scans its pending markers per record.
class BlockMarkerQueue {
 public:
  void add(const BlockMarker& added);
  /// Removes the markers whose target is not greater than `offset` and returns them in
  /// the order they were added.
  std::vector<BlockMarker> takeDue(std::uint32_t offset);
  /// Removes every marker and returns them in the order they were added.
  std::vector<BlockMarker> takeAll();
  bool empty() const { return m_heap.empty(); }
  void clear();

 private:
  /// A marker's place in `m_markers`, kept in a min-heap by target.
  struct Due {
    std::uint32_t target;
    std::uint32_t sequence;
  };

  /// The markers of `due`, sorted into creation order.
  std::vector<BlockMarker> inCreationOrder(std::vector<std::uint32_t>& due) const;

  std::vector<BlockMarker> m_markers;  // in creation order, taken ones included
  std::vector<Due> m_heap;             // the markers not taken yet
};

}  // namespace orvane
