#include "FgPlWrapper.h"

#include <atomic>
#include <cstring>
#include <string>
#include <string_view>

#include "DesignLoader.h"
#include "ErrorCodes.h"
#include "FgPlWrapperPrivate.h"
#include "ParameterInfoBuilderXML.h"
#include "ParameterInfoRegistry.h"

namespace velm {

namespace {

// Constant-initialised: loading the library runs no constructor. Atomic,
// because Info may read them while another thread creates an instance.
std::atomic<std::uintptr_t> rememberedBoard{0};
std::atomic<std::uintptr_t> rememberedDesign{0};

std::uintptr_t remember(std::atomic<std::uintptr_t>& slot, std::uintptr_t value)
{
    if (value != 0) {
        slot.store(value, std::memory_order_relaxed);
    }
    return slot.load(std::memory_order_relaxed);
}

}  // namespace

std::uintptr_t lastBoardHandle(std::uintptr_t board)
{
    return remember(rememberedBoard, board);
}

std::uintptr_t lastDesignHandle(std::uintptr_t design)
{
    return remember(rememberedDesign, design);
}

FgPlWrapperPrivate::FgPlWrapperPrivate()
    : hostFunctionTable(std::make_unique<HostFunctionTable>()),
      parameterInfoRegistry(std::make_unique<ParameterInfoRegistry>())
{
}

FgPlWrapperPrivate::~FgPlWrapperPrivate()
{
    if (hostModule != nullptr) {
        os::freeLibrary(hostModule);
    }
    if (designHandle != nullptr) {
        releaseDesign(designHandle);
    }
}

FgPlWrapper::FgPlWrapper() : d_(std::make_unique<FgPlWrapperPrivate>()) {}

FgPlWrapper::~FgPlWrapper() noexcept(false) = default;

const HostFunctionTable& FgPlWrapper::getHostFunctionTable() const
{
    return *d_->hostFunctionTable;
}

void* FgPlWrapper::getHostHandle() const
{
    return d_->hostHandle;
}

std::uintptr_t FgPlWrapper::getBoardHandle() const
{
    return d_->boardHandle;
}

void* FgPlWrapper::getDesignHandle() const
{
    return d_->designHandle;
}

LastError& FgPlWrapper::getLastErrorHolder()
{
    return d_->lastError;
}

std::int32_t FgPlWrapper::getLastError() const
{
    return d_->lastError.get();
}

std::int32_t FgPlWrapper::setLastError(std::int32_t code)
{
    return d_->lastError.store(code);
}

ParameterInfoRegistry& FgPlWrapper::getParameterInfoRegistry()
{
    return *d_->parameterInfoRegistry;
}

void FgPlWrapper::setHandles(std::uintptr_t board, void* design)
{
    d_->boardHandle = board;
    d_->designHandle = design;
}

std::int32_t FgPlWrapper::getHostLastError()
{
    auto hostLastError = d_->hostFunctionTable->get<HostGetLastErrorNumber>(HostFunction::GetLastErrorNumber);
    if (hostLastError == nullptr || d_->hostHandle == nullptr) {
        return kErrHostFunctionMissing;
    }
    return hostLastError(d_->hostHandle);
}

std::int32_t FgPlWrapper::getHostParameterIdByName(const char* name)
{
    if (d_->hostGetParameterIdByName == nullptr || d_->hostHandle == nullptr || name == nullptr) {
        return 0;
    }
    return d_->hostGetParameterIdByName(d_->hostHandle, name);
}

std::int32_t FgPlWrapper::setHostParameter(std::int32_t id, const void* value, std::uint32_t port)
{
    auto set = d_->hostFunctionTable->get<HostSetParameter>(HostFunction::SetParameter);
    if (set == nullptr || d_->hostHandle == nullptr) {
        return kErrHostFunctionMissing;
    }
    return set(d_->hostHandle, id, value, port);
}

std::int32_t FgPlWrapper::getHostParameter(std::int32_t id, void* value, std::uint32_t port)
{
    auto get = d_->hostFunctionTable->get<HostGetParameter>(HostFunction::GetParameter);
    if (get == nullptr || d_->hostHandle == nullptr) {
        return kErrHostFunctionMissing;
    }
    return get(d_->hostHandle, id, value, port);
}

ParameterInfoEntry* FgPlWrapper::getHostParameterInfo()
{
    auto info = d_->hostFunctionTable->get<HostGetParameterInfo>(HostFunction::GetParameterInfo);
    if (info == nullptr || d_->hostHandle == nullptr) {
        return nullptr;
    }
    return info(d_->hostHandle, 0);
}

ParameterInfoEntry* FgPlWrapper::getParameterInfo(std::uint32_t port)
{
    return d_->parameterInfoRegistry->getRoot(port);
}

std::int32_t FgPlWrapper::loadAcqhostExports(const char* libraryName)
{
    d_->hostModule = os::loadLibrary(libraryName);
    if (d_->hostModule == nullptr) {
        return setLastError(kErrHostLibraryMissing);
    }
    for (const HostFunctionBinding& binding : kHostFunctionBindings) {
        d_->hostFunctionTable->set(binding.position, os::findSymbol(d_->hostModule, binding.name));
    }
    d_->hostGetParameterIdByName =
        reinterpret_cast<HostGetParameterIdByName>(os::findSymbol(d_->hostModule, "Fg_getParameterIdByName"));
    return 0;
}

std::int32_t FgPlWrapper::initInnerHandle(const char* designFile, std::uintptr_t board, void* design, bool slave)
{
    d_->initHandleSlaveAware =
        reinterpret_cast<HostInitHandleSlaveAware>(os::findSymbol(d_->hostModule, "Fg_InitHandleSlaveAware"));
    d_->initHandle = reinterpret_cast<HostInitHandle>(os::findSymbol(d_->hostModule, "Fg_InitHandle"));
    d_->hostGetLastErrorNumber =
        reinterpret_cast<HostGetLastErrorNumber>(os::findSymbol(d_->hostModule, "Fg_getLastErrorNumber"));

    if (d_->initHandleSlaveAware == nullptr && d_->initHandle == nullptr) {
        return setLastError(kErrHostLibraryMissing);
    }
    if (d_->initHandleSlaveAware != nullptr) {
        d_->hostHandle = d_->initHandleSlaveAware(designFile, board, design, slave);
    } else {
        d_->hostHandle = d_->initHandle(designFile, board, design);
    }
    if (d_->hostHandle != nullptr) {
        lastBoardHandle(board);
        lastDesignHandle(reinterpret_cast<std::uintptr_t>(design));
        return 0;
    }
    std::int32_t code = d_->hostGetLastErrorNumber != nullptr ? d_->hostGetLastErrorNumber(nullptr)
                                                                : kErrDesignNotOpened;
    return setLastError(code);
}

ParameterInfoEntry* FgPlWrapper::findParameterInfo(std::uint32_t port, std::int32_t id) const
{
    auto portEntries = parameterInfoById_.find(port);
    if (portEntries == parameterInfoById_.end()) {
        return nullptr;
    }
    auto entry = portEntries->second.find(id);
    return entry == portEntries->second.end() ? nullptr : entry->second;
}

void FgPlWrapper::registerParameterInfo(std::uint32_t port, std::int32_t id, ParameterInfoEntry* entry)
{
    if (entry != nullptr) {
        parameterInfoById_[port][id] = entry;
    }
}

void FgPlWrapper::storeFieldElement(std::uint32_t* array, std::size_t length, const FieldElement* element)
{
    if (element != nullptr && element->index < length) {
        array[element->index] = element->value;
    }
}

void FgPlWrapper::loadFieldElement(const std::uint32_t* array, std::size_t length, FieldElement* element)
{
    if (element != nullptr && element->index < length) {
        element->value = array[element->index];
    }
}

// ---- shading: the framework has none ----

void* FgPlWrapper::allocShading(std::int32_t, std::uint32_t)
{
    return nullptr;
}

std::int32_t FgPlWrapper::freeShading(void*)
{
    return kErrNotSupported;
}

std::int32_t FgPlWrapper::setSubValueLine(void*, std::int32_t, std::int32_t, float)
{
    return kErrNotSupported;
}

std::int32_t FgPlWrapper::setMultValueLine(void*, std::int32_t, std::int32_t, float)
{
    return kErrNotSupported;
}

std::int32_t FgPlWrapper::setFixedPatternNoiseLine(void*, std::int32_t, std::int32_t, std::int32_t)
{
    return kErrNotSupported;
}

std::int32_t FgPlWrapper::getMaxLine(void*)
{
    return kErrNotSupported;
}

std::int32_t FgPlWrapper::getAccess(void*)
{
    return kErrNotSupported;
}

std::int32_t FgPlWrapper::freeAccess(void*)
{
    return kErrNotSupported;
}

std::int32_t FgPlWrapper::writeActLine(void*, std::int32_t)
{
    return kErrNotSupported;
}

// ---- events straight from the design ----

namespace {

// Only positions 0 to 63 have a bit in a 64-bit mask.
constexpr std::int32_t kEventPositions = 64;

}  // namespace

std::uint64_t FgPlWrapper::getEventMask(const char* name)
{
    if (name == nullptr) {
        return 0;
    }
    for (std::int32_t index = 0; index < kEventPositions; ++index) {
        const DesignEvent* event = getDesignEvent(d_->designHandle, index);
        if (event != nullptr && event->name != nullptr && std::string_view(event->name) == name) {
            return std::uint64_t{1} << index;
        }
    }
    return 0;
}

const char* FgPlWrapper::getEventName(std::uint64_t mask)
{
    for (std::int32_t index = 0; index < kEventPositions; ++index) {
        const DesignEvent* event = getDesignEvent(d_->designHandle, index);
        if (event != nullptr && (std::uint64_t{1} << index) == mask) {
            return event->name;
        }
    }
    return nullptr;
}

// Asked first with a null buffer for the size, then with a buffer of that
// size. Every answer is also the instance's last error.
std::int32_t FgPlWrapper::getParameterInfoXML(void* /*handleRecord*/, std::uint32_t port, char* buffer,
                                              std::size_t* size)
{
    if (size == nullptr) {
        return setLastError(kErrInvalidArgument);
    }
    if (buffer != nullptr && *size == 0) {
        return setLastError(kErrBufferTooSmall);
    }
    ParameterInfoRegistry& registry = getParameterInfoRegistry();
    if (registry.getRoot(port) == nullptr) {
        return setLastError(kErrNotAllowed);
    }
    std::string document;
    try {
        document = ParameterInfoBuilderXML(registry, getAppletName(), port).build();
    } catch (...) {
        // Memory ran out, or the applet's name could not be had.
        return setLastError(kErrBufferTooSmall);
    }
    if (buffer != nullptr) {
        if (document.size() >= *size) {
            return setLastError(kErrBufferTooSmall);
        }
        std::memcpy(buffer, document.data(), document.size());
        std::memset(buffer + document.size(), 0, *size - document.size());
    }
    *size = document.size() + 1;
    return setLastError(0);
}

}  // namespace velm
