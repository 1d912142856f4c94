// The abstract applet class. One instance per Std_entry; the caller's handle
// record holds a pointer to it in its first word. The virtual operations are
// declared in the order of the class's slots; the base implements the
// configuration files, the XML description, the shading answers and the
// design-event walk, and leaves the rest to the applet class.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

#include "HostApi.h"
#include "HostFunctionTable.h"

namespace velm {

class Fg_ConfigFileParser;
class ParameterInfoRegistry;
struct FgPlWrapperPrivate;

// The instance's last error number. Written by calls that may run on several
// caller threads at once (forwarded acquisition calls take no lock), hence
// atomic; storing returns the stored value.
class LastError {
public:
    std::int32_t get() const { return value_.load(std::memory_order_relaxed); }
    std::int32_t store(std::int32_t code)
    {
        value_.store(code, std::memory_order_relaxed);
        return code;
    }

private:
    std::atomic<std::int32_t> value_{0};
};

// Port, then parameter id, to the info entry made for that parameter. The
// entries belong to the registry; setters find them here to move limits.
using ParameterInfoIndex = std::map<std::uint32_t, std::map<std::int32_t, ParameterInfoEntry*>>;

class FgPlWrapper {
public:
    FgPlWrapper();
    FgPlWrapper(const FgPlWrapper&) = delete;
    FgPlWrapper& operator=(const FgPlWrapper&) = delete;

    virtual bool readParametersFromConfig(Fg_ConfigFileParser& parser) = 0;
    virtual void writeParametersToConfig(Fg_ConfigFileParser& parser) = 0;
    virtual void processChannelToDma() = 0;
    virtual void mapDmaToFormat() = 0;
    virtual void setDmaAlignment() = 0;
    virtual void getDmaAlignment() = 0;
    // Raises std::logic_error when the instance lock is still held.
    virtual ~FgPlWrapper() noexcept(false);
    virtual void buildParameterInfo() = 0;
    virtual std::int32_t setParameterWithType(std::int32_t id, const void* value, std::uint32_t port) = 0;
    virtual std::int32_t getParameterWithType(std::int32_t id, void* value, std::uint32_t port) = 0;
    virtual std::int32_t getParameterIdByName(const char* name) = 0;
    virtual const char* getParameterName(std::int32_t index) = 0;
    virtual std::int32_t getParameterId(std::int32_t index) = 0;
    virtual std::int32_t getNrOfParameter() = 0;
    virtual std::int32_t saveConfig(void* hostHandle, const char* fileName);
    virtual std::int32_t loadConfig(void* hostHandle, const char* fileName);
    virtual std::int32_t getParameterInfoXML(void* handleRecord, std::uint32_t port, char* buffer,
                                             std::size_t* size);
    virtual void* allocShading(std::int32_t set, std::uint32_t port);
    virtual std::int32_t freeShading(void* shading);
    virtual std::int32_t setSubValueLine(void* access, std::int32_t x, std::int32_t channel, float sub);
    virtual std::int32_t setMultValueLine(void* access, std::int32_t x, std::int32_t channel, float mult);
    virtual std::int32_t setFixedPatternNoiseLine(void* access, std::int32_t x, std::int32_t channel,
                                                  std::int32_t on);
    virtual std::int32_t getMaxLine(void* access);
    virtual std::int32_t getAccess(void* shading);
    virtual std::int32_t freeAccess(void* shading);
    virtual std::int32_t writeActLine(void* access, std::int32_t line);
    virtual std::uint64_t getEventMask(const char* name);
    virtual const char* getEventName(std::uint64_t mask);
    virtual const char* getVendorName() = 0;
    virtual const char* getAppletName() = 0;
    virtual const char* getAppletVersion() = 0;
    virtual std::int32_t getAppletId() = 0;

    const HostFunctionTable& getHostFunctionTable() const;
    void* getHostHandle() const;
    std::uintptr_t getBoardHandle() const;
    void* getDesignHandle() const;
    LastError& getLastErrorHolder();
    std::int32_t getLastError() const;
    std::int32_t setLastError(std::int32_t code);
    ParameterInfoRegistry& getParameterInfoRegistry();
    void setHandles(std::uintptr_t board, void* design);

    // The host's last error for the inner handle; -12 when the host exports
    // no "Fg_getLastErrorNumber" or there is no inner handle.
    std::int32_t getHostLastError();
    // 0 when the host knows no such name, exports no lookup or has no handle.
    std::int32_t getHostParameterIdByName(const char* name);
    // -12 when the host function or the inner handle is missing.
    std::int32_t setHostParameter(std::int32_t id, const void* value, std::uint32_t port);
    std::int32_t getHostParameter(std::int32_t id, void* value, std::uint32_t port);
    // Null when the host function or the inner handle is missing.
    ParameterInfoEntry* getHostParameterInfo();
    // Root of the instance's own tree for the port; null outside 0 to 3.
    ParameterInfoEntry* getParameterInfo(std::uint32_t port);

    std::int32_t loadAcqhostExports(const char* libraryName);
    std::int32_t initInnerHandle(const char* designFile, std::uintptr_t board, void* design, bool slave);

    // The info entry made for (port, id), or null.
    ParameterInfoEntry* findParameterInfo(std::uint32_t port, std::int32_t id) const;
    // Records an entry that buildParameterInfo made (null entries are skipped).
    void registerParameterInfo(std::uint32_t port, std::int32_t id, ParameterInfoEntry* entry);

    bool isDirectRegisterAccess() const { return directRegisterAccess_; }

    // array[element.index] := element.value and the reverse; nothing happens
    // for a null element or an index at or past `length`.
    static void storeFieldElement(std::uint32_t* array, std::size_t length, const FieldElement* element);
    static void loadFieldElement(const std::uint32_t* array, std::size_t length, FieldElement* element);

protected:
    void setDirectRegisterAccess(bool on) { directRegisterAccess_ = on; }

private:
    std::unique_ptr<FgPlWrapperPrivate> d_;
    ParameterInfoIndex parameterInfoById_;
    bool directRegisterAccess_ = false;
};

// Process-wide values of the last successful opening of an inner host handle
// (one pair per loaded library). A non-zero argument replaces the remembered
// value; the remembered value is returned.
std::uintptr_t lastBoardHandle(std::uintptr_t board);
std::uintptr_t lastDesignHandle(std::uintptr_t design);

}  // namespace velm
