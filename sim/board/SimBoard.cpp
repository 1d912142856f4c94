#include "SimBoard.h"

#include "HostParameterTable.h"

#include <mutex>

namespace velm::sim {

const DesignRegister* Design::findById(std::uint32_t id) const
{
    auto found = indexById.find(id);
    return found == indexById.end() ? nullptr : &registers[found->second];
}

const DesignRegister* Design::findByName(std::string_view name) const
{
    auto found = indexByName.find(std::string(name));
    return found == indexByName.end() ? nullptr : &registers[found->second];
}

const DesignRegister* Design::accessible(std::uint32_t id, SimOperation operation) const
{
    const DesignRegister* reg = findById(id);
    return reg == nullptr || (operation == kSimWrite && !reg->writable) ? nullptr : reg;
}

void Design::add(DesignRegister reg)
{
    indexById[reg.id] = registers.size();
    indexByName[reg.name] = registers.size();
    registers.push_back(std::move(reg));
}

std::optional<std::int32_t> State::takeFailure(std::string_view function, std::uint32_t registerId)
{
    // Rules are asked in the order they were made; each one that matches
    // counts the call, until one of them makes it fail.
    for (FailureRule& rule : failures) {
        if (rule.function != function || (rule.registerId != 0 && rule.registerId != registerId)) {
            continue;
        }
        if (rule.times >= 0 && rule.failed >= rule.times) {
            continue;
        }
        ++rule.matched;
        if (rule.matched <= rule.skip) {
            continue;
        }
        ++rule.failed;
        return rule.code;
    }
    return std::nullopt;
}

void State::logCall(std::string line)
{
    calls.push_back(std::move(line));
}

void State::logAccess(const SimRegisterAccess& access, std::vector<std::uint32_t> table)
{
    accesses.push_back(LoggedAccess{access, std::move(table)});
}

const Design* State::findDesign(const void* handle) const
{
    auto found = designs.find(handle);
    return found == designs.end() ? nullptr : found->second.get();
}

HostHandle* State::findHostHandle(const void* handle)
{
    auto found = hostHandles.find(handle);
    return found == hostHandles.end() ? nullptr : found->second.get();
}

const Design* State::boardDesign(std::uintptr_t board) const
{
    // Inits count from 1, so any handle on the board is newer than none.
    const Design* newest = nullptr;
    std::uint64_t newestInit = 0;
    for (const auto& entry : hostHandles) {
        const HostHandle& handle = *entry.second;
        const Design* design = handle.board == board ? findDesign(handle.design) : nullptr;
        if (design != nullptr && handle.openedAs > newestInit) {
            newest = design;
            newestInit = handle.openedAs;
        }
    }
    return newest;
}

HostParameterSet& State::hostParameters(std::uint32_t port)
{
    auto [found, added] = hostParametersByPort.try_emplace(port);
    if (added) {
        for (const HostParameterDefinition& parameter : kHostParameters) {
            found->second[parameter.id] = parameter.defaultValue;
        }
    }
    return found->second;
}

void State::reset()
{
    boards.clear();
    accesses.clear();
    calls.clear();
    failures.clear();
    hostResults.clear();
    hostInitError = 0;
    pictureCounter = 0;
    for (auto& entry : hostHandles) {
        entry.second->lastError = 0;
    }
    hostParametersByPort.clear();
}

namespace {

std::mutex& boardMutex()
{
    // Constant-initialised, so it is usable from the host library's load
    // and unload hooks whatever the order of static construction.
    static std::mutex mutex;
    return mutex;
}

}  // namespace

void lockBoard()
{
    boardMutex().lock();
}

void unlockBoard()
{
    boardMutex().unlock();
}

State& boardStateLocked()
{
    // Never destroyed: the host library's unload hook may still count after
    // this library's static objects would have gone at process exit.
    static State* state = new State;
    return *state;
}

}  // namespace velm::sim
