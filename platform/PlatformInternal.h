// Calls that the platform layer's common part makes on its platform-specific
// part and that nothing outside platform/ needs.
#pragma once

#include <cstdint>
#include <cstdio>

namespace velm::os {

// The platform's part of createFileBeside: creates `name` only when no such
// file exists (`taken` says when one did), to take the place of `target`
// later: with its permissions where the platform keeps them in the file,
// and not at all when `target` exists but may not be written.
std::FILE* createNewTextFile(const char* name, const char* target, bool& taken);
std::uint32_t processId();

}  // namespace velm::os
