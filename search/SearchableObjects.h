// The objects of a scan whose actions can be read as text, in the object tree's order.
#pragma once

#include <vector>

namespace orvane {

class MovieObject;
class ScanResult;

struct SearchableObject {
  const MovieObject* object = nullptr;
  int viewKind = 0;  // the "ChangeView" kind that opens the object's window
};

/// Every timeline in order, each with its frame actions, its init actions, its buttons that have condition
/// actions (as the object tree lists them) and its sprite instances.
std::vector<SearchableObject> searchableObjects(const ScanResult& result);

}  // namespace orvane
