#include "abc/AbcMethodLookup.h"

#include <vector>

namespace orvane {

namespace {

struct Candidate {
  std::string name;  // as the declaration shows it, with "static " for the class's own traits
  std::uint32_t method = 0;
  bool isStatic = false;
};

void addTraits(std::vector<Candidate>& candidates, const std::vector<AbcTrait>& traits, AbcNames& names,
               bool isStatic) {
  for (const AbcTrait& trait : traits) {
    std::string word;
    switch (trait.kind) {
      case traitkind::kMethod:
      case traitkind::kFunction: break;
      case traitkind::kGetter: word = "get "; break;
      case traitkind::kSetter: word = "set "; break;
      default: continue;
    }
    candidates.push_back({(isStatic ? "static " : "") + word + names.simpleName(trait.name), trait.index, isStatic});
  }
}

}  // namespace

bool findClassMethod(const AbcFile& file, AbcNames& names, std::uint32_t classIndex, const std::string& name,
                     AbcMethodMatch& match, std::string& error) {
  if (classIndex >= file.instances.size() || classIndex >= file.classes.size()) {
    error = "the block has no class " + std::to_string(classIndex);
    return false;
  }
  const AbcInstance& instance = file.instances[classIndex];
  const std::string className = names.simpleName(instance.name);
  std::vector<Candidate> candidates{{className, instance.initialiser, false},
                                    {className + "$cinit", file.classes[classIndex].initialiser, true}};
  addTraits(candidates, instance.traits, names, false);
  addTraits(candidates, file.classes[classIndex].traits, names, true);

  std::vector<const Candidate*> found;
  for (const Candidate& candidate : candidates)
    if (candidate.name == name) found.push_back(&candidate);
  if (found.empty())
    for (const Candidate& candidate : candidates)
      if (candidate.isStatic && candidate.name == "static " + name) found.push_back(&candidate);
  if (found.size() != 1) {
    std::string known;
    for (const Candidate& candidate : candidates) known += (known.empty() ? "" : ", ") + candidate.name;
    error = found.empty() ? "class " + names.multiname(instance.name) + " has no method named " + name +
                                " (it has " + known + ")"
                          : "class " + names.multiname(instance.name) + " has several methods named " + name;
    return false;
  }
  match.method = found.front()->method;
  match.body = match.method < file.methods.size() ? file.methods[match.method].body : -1;
  return true;
}

}  // namespace orvane
