// The assembly text of an action block: one record a line, nested bodies in braces,
// branch targets as labels, and whatever the fields cannot say as bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

class ButtonObject;

/// Appends the text of `block` to `out`, every line starting with `indent` (a tab more per
/// nested body). Assembling the text gives `block` back byte for byte:
/// - a record whose fields encode back to its body is written by name with its operands;
///   any other record as `Record 0xCC` and its body bytes, and bytes the walk could not
///   take as a record (one cut off by the end of the block) as `Bytes`;
/// - a function, with or try body that ends on a record boundary inside the body around it
///   is written in braces, any other with its sizes;
/// - a branch to a record boundary (or the end of the block) names the label `L` + offset
///   there, any other its offset.
/// An empty block gives no text.
void appendBlockAssembly(std::string& out, std::span<const std::uint8_t> block, std::string_view indent = {});

/// The text of a button's condition actions or a clip's events: under the short header
/// with the mode "Translate To Assembly", one `on 0xWORD {` block per condition of a button
/// (`onClipEvent 0xFLAGS {`, with `key N` for key presses, per event of a clip), each with
/// its events' names in a comment.
std::string conditionAssembly(const ButtonObject& owner);

}  // namespace orvane
