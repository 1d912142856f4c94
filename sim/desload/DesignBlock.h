// Our design block: the bytes that a deliverable embeds as its design and
// that its ".hap" file holds. A text block so that a reviewer can read a
// design beside the applet's register table:
//
//   QRTB
//   # comment
//   register <id> <width-in-bits> <rw|ro> <name> [table <entries>]
//   event <kind> <name>
//   gap
//   end
//
// "gap" takes an event index without an event: the loader answers none for
// it, and the events after it keep their indexes, as in designs whose
// event numbering has holes.
//
// "table <entries>" makes a register a table of that many entries (1 to
// 65536) of its width: the host then takes whole-table records and element
// accesses for it, within that length, and for no other register.
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
