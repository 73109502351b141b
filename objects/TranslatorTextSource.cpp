#include "objects/ActionTextSource.h"

namespace orvane {

// The translation engine is not part of this build yet; the commands that write action
// texts say so instead of writing them.
std::unique_ptr<ActionTextSource> makeTranslatorTextSource(MessageSink&) { return nullptr; }

}  // namespace orvane
