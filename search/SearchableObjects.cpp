#include "search/SearchableObjects.h"

#include "actions/ActionTranslator.h"
#include "movie/MoviePanels.h"
#include "movie/ScanResult.h"

namespace orvane {

namespace {

constexpr auto kEvery = [](const MovieObject&) { return true; };

template <typename List, typename Wanted>
void addFrom(std::vector<SearchableObject>& objects, const List& list, int viewKind, Wanted wanted) {
  for (const auto& object : list)
    if (wanted(*object)) objects.push_back({object.get(), viewKind});
}

}  // namespace

std::vector<SearchableObject> searchableObjects(const ScanResult& result) {
  std::vector<SearchableObject> objects;
  for (const auto& node : result.timelines()) {
    // One line per kind of object that has actions.
    addFrom(objects, node->actions, viewkind::kAction, kEvery);
    addFrom(objects, node->initActions, viewkind::kAction, kEvery);
    addFrom(objects, node->abcObjects, viewkind::kAbc, kEvery);
    addFrom(objects, node->buttons, viewkind::kButton,
            [](const ButtonObject& button) { return button.conditionCount() > 0; });
    addFrom(objects, node->instances, viewkind::kInstance, kEvery);
  }
  return objects;
}

std::string ObjectWindowTexts::text(const MovieObject* object, TranslationMode mode, MessageSink& messages) {
  if (const auto* abc = dynamic_cast<const AbcObject*>(object)) return m_abc.windowText(*abc, mode);
  return ActionWindowText(object, mode, messages);
}

}  // namespace orvane
