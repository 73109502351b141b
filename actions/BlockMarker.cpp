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
  m_taken.push_back(false);
  m_heap.push_back({added.target, sequence});
  std::push_heap(m_heap.begin(), m_heap.end(), LaterDue{});
  ++m_pending;
}

std::vector<BlockMarker> BlockMarkerQueue::takeDue(std::uint32_t offset) {
  std::vector<std::uint32_t> due;
  while (!m_heap.empty() && m_heap.front().target <= offset) {
    std::pop_heap(m_heap.begin(), m_heap.end(), LaterDue{});
    const std::uint32_t sequence = m_heap.back().sequence;
    m_heap.pop_back();
    if (!m_taken[sequence]) due.push_back(sequence);
  }
  std::sort(due.begin(), due.end());
  std::vector<BlockMarker> markers;
  markers.reserve(due.size());
  for (const std::uint32_t sequence : due) {
    m_taken[sequence] = true;
    markers.push_back(m_markers[sequence]);
  }
  m_pending -= markers.size();
  return markers;
}

std::vector<BlockMarker> BlockMarkerQueue::takeAll() {
  std::vector<BlockMarker> markers;
  markers.reserve(m_pending);
  for (std::size_t i = 0; i < m_markers.size(); ++i) {
    if (!m_taken[i]) markers.push_back(m_markers[i]);
  }
  clear();
  return markers;
}

void BlockMarkerQueue::clear() {
  m_markers.clear();
  m_taken.clear();
  m_heap.clear();
  m_pending = 0;
}

}  // namespace orvane
