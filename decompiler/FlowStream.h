// The instructions of one body as the structurer walks them, whatever byte code they come
// from: offsets, the kind of control flow each has, branch targets and loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace orvane {

/// No instruction. A body or block has fewer than 2^32 instructions, so indices fit in 32 bits.
inline constexpr std::size_t kNoIndex = std::numeric_limits<std::uint32_t>::max();

/// What an instruction does to the flow of control.
enum class FlowKind : std::uint8_t {
  kPlain,   // goes on to the next one
  kBranch,  // goes to its target when its condition holds, else to the next one
  kJump,    // always goes to its target
  kSwitch,  // goes to one of its targets
  kEnd,     // returns or throws
};

struct FlowInstruction {
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
  /// kBranch / kJump: the target's index (kNoIndex when it is no instruction's start).
  std::uint32_t target = kNoIndex;
  /// A loop header: the last instruction branching back to it.
  std::uint32_t loopEnd = kNoIndex;
  FlowKind kind = FlowKind::kPlain;
  bool isTarget = false;  // some branch, switch or handler lands here
};

/// The front-end lists its instructions with raw target offsets; the stream resolves
/// them to indices. Targets that are no instruction's start inside the body (or its
/// end) have no index.
class FlowStream {
 public:
  /// `targets[k]`: the raw target offset of instruction k (branches and jumps; ignored
  /// for the others). `landings`: further offsets where control arrives (switch cases,
  /// exception handlers).
  FlowStream(std::vector<FlowInstruction> code, const std::vector<std::int64_t>& targets,
             const std::vector<std::int64_t>& landings, std::uint32_t length);

  std::size_t size() const { return m_code.size(); }
  const FlowInstruction& operator[](std::size_t index) const { return m_code[index]; }
  bool isBranch(std::size_t index) const {
    return m_code[index].kind == FlowKind::kBranch || m_code[index].kind == FlowKind::kJump;
  }
  /// The index of the instruction at `offset`, size() at the body's end, else kNoIndex.
  std::size_t indexAt(std::int64_t offset) const;
  /// The first instruction that starts at or after `offset` (size() past the end).
  std::size_t indexFrom(std::int64_t offset) const;
  /// The byte offset of an index (the body's length for size()).
  std::uint32_t offsetOf(std::size_t index) const;
  /// The raw offset branch `index` names, whether or not an instruction starts there.
  std::int64_t branchOffset(std::size_t index) const { return m_rawTargets[index]; }

 private:
  std::vector<FlowInstruction> m_code;
  std::vector<std::int64_t> m_rawTargets;
  std::uint32_t m_length = 0;
};

}  // namespace orvane
