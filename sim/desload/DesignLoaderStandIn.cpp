// Stand-in for the design loader: opens our text design blocks and answers
// the libraries' questions about their registers and events. Opened designs
// live in the shared board state, so that the host stand-in can resolve the
// register names of the design handle it is given.
#include "CallingConvention.h"
#define VELM_OUTSIDE_API VELM_EXPORT
#include "DesignLoader.h"

#include <fstream>
#include <iterator>
#include <string>

#include "DesignBlock.h"
#include "SimBoard.h"

using velm::sim::Design;
using velm::sim::DesignRegister;
using velm::sim::State;
using velm::sim::withBoard;

namespace {

// A design handle is the address of its Design; the board state keeps it
// alive until it is released.
void* registerDesign(State& state, std::unique_ptr<Design> design)
{
    if (design == nullptr) {
        return nullptr;
    }
    std::shared_ptr<const Design> held(std::move(design));
    const void* handle = held.get();
    state.designs.emplace(handle, std::move(held));
    return const_cast<void*>(handle);
}

// Every query answers 0 or null for a handle that is null, released or was
// never ours, instead of following it.
template <typename Answer, typename F>
Answer askDesign(const void* handle, Answer none, F&& ask)
{
    return withBoard([&](State& state) -> Answer {
        const Design* design = state.findDesign(handle);
        return design == nullptr ? none : ask(*design);
    });
}

}  // namespace

extern "C" {

void* openDesignFile(const char* fileName, std::int32_t boardType, std::int32_t flag)
{
    std::string name = fileName != nullptr ? fileName : "(null)";
    // Read before taking the board lock: file access needs no shared state.
    std::string content;
    bool readable = false;
    if (fileName != nullptr) {
        std::ifstream file(fileName, std::ios::binary);
        if (file) {
            content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
            readable = !file.bad();
        }
    }
    return withBoard([&](State& state) -> void* {
        state.logCall("openDesignFile(" + name + "," + std::to_string(boardType) + "," + std::to_string(flag) + ")");
        if (auto code = state.takeFailure("openDesignFile")) {
            state.hostInitError = *code;
            return nullptr;
        }
        return readable ? registerDesign(state, velm::sim::parseDesignBlock(content)) : nullptr;
    });
}

void* openDesignMemory(const void* start, std::size_t length, std::int32_t flag)
{
    return withBoard([&](State& state) -> void* {
        state.logCall("openDesignMemory(" + std::to_string(length) + "," + std::to_string(flag) + ")");
        if (auto code = state.takeFailure("openDesignMemory")) {
            state.hostInitError = *code;
            return nullptr;
        }
        if (start == nullptr) {
            return nullptr;
        }
        std::string_view block(static_cast<const char*>(start), length);
        return registerDesign(state, velm::sim::parseDesignBlock(block));
    });
}

std::int32_t releaseDesign(void* design)
{
    return withBoard([&](State& state) -> std::int32_t {
        state.logCall("releaseDesign");
        return state.designs.erase(design) == 1 ? 0 : velm::sim::kSimInvalidArgument;
    });
}

std::int32_t getRegisterCount(void* design)
{
    return askDesign(design, std::int32_t{0},
                     [](const Design& d) { return static_cast<std::int32_t>(d.registers.size()); });
}

const char* getRegisterName(void* design, std::int32_t number)
{
    return askDesign(design, static_cast<const char*>(nullptr), [&](const Design& d) -> const char* {
        if (number < 1 || static_cast<std::size_t>(number) > d.registers.size()) {
            return nullptr;
        }
        return d.registers[static_cast<std::size_t>(number) - 1].name.c_str();
    });
}

std::uint32_t getRegisterId(void* design, const char* name)
{
    return askDesign(design, std::uint32_t{0}, [&](const Design& d) -> std::uint32_t {
        const DesignRegister* reg = name != nullptr ? d.findByName(name) : nullptr;
        return reg != nullptr ? reg->id : 0;
    });
}

std::int32_t getRegisterWidth(void* design, std::uint32_t registerId)
{
    return askDesign(design, std::int32_t{0}, [&](const Design& d) -> std::int32_t {
        const DesignRegister* reg = d.findById(registerId);
        return reg != nullptr ? reg->width : 0;
    });
}

std::int32_t isRegisterWritable(void* design, std::uint32_t registerId)
{
    return askDesign(design, std::int32_t{0}, [&](const Design& d) -> std::int32_t {
        const DesignRegister* reg = d.findById(registerId);
        return reg != nullptr && reg->writable ? 1 : 0;
    });
}

const DesignEvent* getDesignEvent(void* design, std::int32_t index)
{
    return askDesign(design, static_cast<const DesignEvent*>(nullptr), [&](const Design& d) -> const DesignEvent* {
        if (index < 0 || static_cast<std::size_t>(index) >= d.events.size() ||
            d.events[static_cast<std::size_t>(index)].name == nullptr) {
            return nullptr;
        }
        return &d.events[static_cast<std::size_t>(index)];
    });
}

}  // extern "C"
