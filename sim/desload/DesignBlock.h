// Our design block: the bytes that a deliverable embeds as its design and
// that its ".hap" file holds. A text block so that a reviewer can read a
// design beside the applet's register table:
//
//   QRTB
//   # comment
//   register <id> <width-in-bits> <rw|ro> <name>
//   event <kind> <name>
//   end
//
// The block carries no terminating zero and the loader is given its length,
// so parsing must stop at that length. A block without the magic, with a
// line it does not understand, or without its closing "end" (a cut-off
// block) is refused as a whole.
#pragma once

#include <memory>
#include <string_view>

#include "SimBoard.h"

namespace velm::sim {

// Null when the block is refused.
std::unique_ptr<Design> parseDesignBlock(std::string_view block);

}  // namespace velm::sim
