// For tests only, built as velm_child_process, which no deliverable links,
// and only where processes fork (not on Windows): a function run in a child
// process, under a limit the test process itself must not take on.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace velm::os {

// Runs `work` in a child process in which a file may grow to
// `fileSizeLimit` bytes only: a write past that fails, as on a full disk,
// instead of ending the process. Answers the numbers `work` returned;
// nullopt when the child could not be made or did not end normally.
std::optional<std::vector<std::int32_t>> runWithFileSizeLimit(
    std::uint64_t fileSizeLimit, const std::function<std::vector<std::int32_t>()>& work);

}  // namespace velm::os
