#include "actions/BlockMarker.h"

#include <algorithm>

namespace orvane {

namespace {

/// Orders the heap so that its front holds the smallest target (the earliest marker on ties).
struct LaterDue {
  template <class Due>
  bool operator()(const Due& a, const Due& b) const {
    return a.target != b.target ? a.target > b.target : a.sequence > b.sequence;
  }
};

}  // namespace

void BlockMarkerQueue::add(const BlockMarker& added) {
  const auto sequence = static_cast<std::uint32_t>(m_markers.size());
  m_markers.push_back(added);
  m_heap.push_back({added.target, sequence});
  std::push_heap(m_heap.begin(), m_heap.end(), LaterDue{});
}

std::vector<BlockMarker> BlockMarkerQueue::takeDue(std::uint32_t offset) {
  std::vector<std::uint32_t> due;
  while (!m_heap.empty() && m_heap.front().target <= offset) {
    std::pop_heap(m_heap.begin(), m_heap.end(), LaterDue{});
    due.push_back(m_heap.back().sequence);
    m_heap.pop_back();
  }
  return inCreationOrder(due);
}

std::vector<BlockMarker> BlockMarkerQueue::takeAll() {
  std::vector<std::uint32_t> due;
  due.reserve(m_heap.size());
  for (const Due& pending : m_heap) due.push_back(pending.sequence);
  std::vector<BlockMarker> markers = inCreationOrder(due);
  clear();
  return markers;
}

std::vector<BlockMarker> BlockMarkerQueue::inCreationOrder(std::vector<std::uint32_t>& due) const {
  std::sort(due.begin(), due.end());
  std::vector<BlockMarker> markers;
  markers.reserve(due.size());
  for (const std::uint32_t sequence : due) markers.push_back(m_markers[sequence]);
  return markers;
}

void BlockMarkerQueue::clear() {
  m_markers.clear();
  m_heap.clear();
}

}  // namespace orvane
