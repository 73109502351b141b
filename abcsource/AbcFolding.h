// Which leading stores of an initialiser become the initial values of the variables they
// store into, as the compiler wrote them from the declarations.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "abc/AbcFile.h"
#include "abcsource/AbcBodySource.h"

namespace orvane {

struct AbcFoldedValues {
  /// Per trait of the list: the value folded into its declaration, or none.
  std::vector<std::optional<std::string>> values;
  /// How many of the initialiser's leading stores were folded.
  std::size_t count = 0;

  /// The value folded into trait `trait`'s declaration, or none.
  const std::string* value(std::size_t trait) const {
    return trait < values.size() && values[trait] ? &*values[trait] : nullptr;
  }
};

/// Takes the initialiser's leading stores while each names a variable or constant of
/// `traits` that comes after the one the store before it named: the compiler stores the
/// initial values in the order of the declarations, so printing them as declarations keeps
/// the order of evaluation. The values are written as the file of `names` writes them;
/// nothing is folded for a body that is none.
AbcFoldedValues foldInitialStores(const AbcFile& file, const std::vector<AbcTrait>& traits,
                                  const AbcDecompiledBody* body, const SourceNames& names);

}  // namespace orvane
