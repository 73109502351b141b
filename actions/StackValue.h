// One value of the symbolic stack of an ActionScript translation: the text it stands for.
#pragma once

#include <string>

namespace orvane {

/// Numbers, names and whole expressions are all carried as the text that will appear in
/// the output; an expression result is carried as the placeholder "<|%d|>" of its entry.
struct StackValue {
  std::string text;
};

}  // namespace orvane
