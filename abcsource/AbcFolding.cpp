#include "abcsource/AbcFolding.h"

#include <optional>

namespace orvane {

namespace {

bool sameNamespace(const AbcFile& file, std::uint32_t first, std::uint32_t second) {
  const auto& namespaces = file.pool.namespaces;
  if (first == second) return true;
  if (first >= namespaces.size() || second >= namespaces.size()) return false;
  // A namespace may stand twice in the pool: the same kind and URI are the same namespace.
  return namespaces[first].kind == namespaces[second].kind && namespaces[first].name == namespaces[second].name;
}

/// Whether a store that names `stored` stores into the trait called `traitName`: the same
/// QName, or a namespace set that holds the trait's namespace.
bool namesTrait(const AbcFile& file, std::uint32_t stored, std::uint32_t traitName) {
  const auto& multinames = file.pool.multinames;
  if (stored == traitName) return stored != 0;
  if (stored == 0 || stored >= multinames.size() || traitName >= multinames.size()) return false;
  const AbcMultiname& store = multinames[stored];
  const AbcMultiname& trait = multinames[traitName];
  if (trait.kind != mnkind::kQName || store.name != trait.name) return false;
  if (store.kind == mnkind::kQName) return sameNamespace(file, store.ns, trait.ns);
  if (store.kind != mnkind::kMultiname || store.nsSet >= file.pool.namespaceSets.size()) return false;
  for (const std::uint32_t ns : file.pool.namespaceSets[store.nsSet])
    if (sameNamespace(file, ns, trait.ns)) return true;
  return false;
}

std::optional<std::size_t> storedTrait(const AbcFile& file, const std::vector<AbcTrait>& traits,
                                       const AbcInitialStore& store, std::size_t from) {
  for (std::size_t i = from; i < traits.size(); ++i) {
    const AbcTrait& trait = traits[i];
    if (trait.kind != traitkind::kSlot && trait.kind != traitkind::kConst) continue;
    const bool bySlot = store.slotId != 0 && store.slotId == trait.slotId;
    if (bySlot || (store.slotId == 0 && namesTrait(file, store.name, trait.name))) return i;
  }
  return std::nullopt;
}

}  // namespace

AbcFoldedValues foldInitialStores(const AbcFile& file, const std::vector<AbcTrait>& traits,
                                  const AbcDecompiledBody* body, const SourceNames& names) {
  AbcFoldedValues folded;
  folded.values.resize(traits.size());
  if (body == nullptr) return folded;
  std::size_t next = 0;
  for (const AbcInitialStore& store : body->initialStores()) {
    const std::optional<std::size_t> trait = storedTrait(file, traits, store, next);
    if (!trait) break;
    folded.values[*trait] = body->initialValueText(folded.count, names);
    next = *trait + 1;
    ++folded.count;
  }
  return folded;
}

}  // namespace orvane
