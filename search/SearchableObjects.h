// The objects of a scan whose actions can be read as text, in the object tree's order, and
// the text their windows show.
#pragma once

#include <string>
#include <vector>

#include "abcsource/AbcTexts.h"
#include "actions/TranslationMode.h"

namespace orvane {

class MessageSink;
class MovieObject;
class ScanResult;

struct SearchableObject {
  const MovieObject* object = nullptr;
  int viewKind = 0;  // the "ChangeView" kind that opens the object's window
};

/// Every timeline in order, each with its frame actions, its init actions, its ActionScript 3
/// scripts and classes, its buttons that have condition actions (as the object tree lists
/// them) and its sprite instances.
std::vector<SearchableObject> searchableObjects(const ScanResult& result);

/// What the window of a searchable object shows in a mode: `ActionWindowText` of frame
/// actions, buttons and instances, the ActionScript 3 text of scripts and classes. Reads
/// each ABC block once for a run over the objects in order; must not outlive their scan.
class ObjectWindowTexts {
 public:
  std::string text(const MovieObject* object, TranslationMode mode, MessageSink& messages);

 private:
  AbcTexts m_abc;
};

}  // namespace orvane
