// What an action window in its Edit mode asks of the loaded movie: whether a text fits the
// window's object, and the object's blocks replaced by it.
#pragma once

#include <string_view>

#include "actions/assembly/AssemblyLexer.h"

namespace orvane {

class MovieObject;

class ActionBlockEditor {
 public:
  virtual ~ActionBlockEditor() = default;

  /// Whether `text` would replace the blocks of `object`; `error` says where and why not.
  /// Nothing changes either way.
  [[nodiscard]] virtual bool checkActions(const MovieObject& object, std::string_view text,
                                          AssemblyError& error) const = 0;
  /// Replaces the blocks of `object` in the loaded movie by `text`. On success every object
  /// window has been replaced by a new one over the new scan: the asking window is deleted
  /// once control is back in the event loop and must not touch `object` again. On failure
  /// (`error` set) the movie and the windows are as they were.
  [[nodiscard]] virtual bool applyActions(const MovieObject& object, std::string_view text,
                                          AssemblyError& error) = 0;
};

}  // namespace orvane
