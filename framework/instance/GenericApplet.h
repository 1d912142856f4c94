// The part of every applet class that is the same in all four libraries:
// the instance lock, the settings store, the kept parameter values, the
// design registers, the parameter vocabulary built from the applet's
// constant tables, the dispatch of parameter ids to the host, to direct
// register access or to the applet's own setters and getters, the lookups by
// name, index, id and event, the configuration keys and the initial writes.
// An applet class derives from it and supplies its tables and the setters
// that are its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "AllowedValues.h"
#include "DesignRegisters.h"
#include "FgPlWrapper.h"
#include "InspectConfig.h"
#include "LockTemplates.h"

namespace velm {

class GenericApplet;
struct AppletDescription;

// The three id windows of the parameter calls.
constexpr std::int32_t kDirectRegisterIdBase = 1000000;
constexpr std::int32_t kHostParameterIdBase = 2000000;
// A get of this id answers the description of the parameter whose name the
// buffer holds; the id has no name and no index.
constexpr std::int32_t kDescriptionQueryId = 24114;

// How a parameter's value travels in the caller's buffer, whatever value
// type the caller names.
enum class ValueForm : std::uint8_t {
    Int,      // 32-bit integer
    Double,   // IEEE 64-bit
    String,   // zero-terminated text
    Element,  // FieldElement {value, index}
};

enum class ParameterAccess : std::uint8_t {
    ReadWrite,
    ReadOnly,  // a set answers -12
    Host,      // get only, answered by the acquisition host library for the same id
};

// Per-camera parameters exist once per camera port; shared ones (the line
// generator) once per instance, kept with camera 0.
enum class ParameterScope : std::uint8_t {
    PerCamera,
    Shared,
};

// A value handed to a setter, in the parameter's own form.
struct ParameterValue {
    std::uint32_t integer = 0;
    double real = 0.0;
    const char* text = nullptr;
    const FieldElement* element = nullptr;

    static ParameterValue ofInt(std::uint32_t v)
    {
        ParameterValue value;
        value.integer = v;
        return value;
    }
    static ParameterValue ofDouble(double v)
    {
        ParameterValue value;
        value.real = v;
        return value;
    }
    static ParameterValue ofText(const char* v)
    {
        ParameterValue value;
        value.text = v;
        return value;
    }
    static ParameterValue ofElement(const FieldElement* v)
    {
        ParameterValue value;
        value.element = v;
        return value;
    }
};

struct ParameterRow;

// A setter checks, keeps and applies one parameter of one camera; a getter
// writes a value that is not simply the kept one into the caller's buffer.
using SetterFn = void (*)(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag);
using GetterFn = void (*)(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);

// One row of an applet's parameter table, in index order.
struct ParameterRow {
    const char* name;
    std::int32_t id;
    ValueForm form;
    ParameterAccess access;
    const char* description;
    // The value kept at construction (Int and Double), or the constant a
    // read-only parameter without getter answers.
    double initial = 0.0;
    // Length of an Element parameter's kept array.
    std::uint32_t elements = 0;
    ParameterScope scope = ParameterScope::PerCamera;
    AllowedRun allowed = {};
    SetterFn set = nullptr;  // ReadWrite rows
    GetterFn get = nullptr;  // rows whose value is not simply the kept one
};

// Row makers that keep an applet's table readable.
constexpr ParameterRow readWrite(const char* name, std::int32_t id, ValueForm form, const char* description,
                                 double initial, SetterFn set, AllowedRun allowed = {}, std::uint32_t elements = 0,
                                 ParameterScope scope = ParameterScope::PerCamera)
{
    return ParameterRow{name, id, form, ParameterAccess::ReadWrite, description, initial, elements, scope, allowed,
                        set, nullptr};
}

constexpr ParameterRow readOnly(const char* name, std::int32_t id, ValueForm form, const char* description,
                                GetterFn get, double constant = 0.0, AllowedRun allowed = {})
{
    return ParameterRow{name,     id,       form,    ParameterAccess::ReadOnly, description, constant, 0,
                        ParameterScope::PerCamera, allowed, nullptr, get};
}

constexpr ParameterRow fromHost(const char* name, std::int32_t id, const char* description, GetterFn get)
{
    return ParameterRow{name, id, ValueForm::Int, ParameterAccess::Host, description, 0.0, 0,
                        ParameterScope::PerCamera, {}, nullptr, get};
}

// An event name that stands for a design event of another name. The event
// maps are built in passes: each pass enters the design's own names again,
// then its aliases in table order, so that an alias of a later pass takes
// the mask's name over from the design name.
struct EventAlias {
    const char* alias;
    const char* designEvent;
    std::uint8_t pass = 0;
};

// How a parameter takes part in configuration files.
enum ConfigKeyUse : std::uint8_t {
    kConfigWritten = 1,          // written by a save
    kConfigStored = 2,           // first pass of a load: stored without checks
    kConfigApplied = 4,          // second pass: handed to the setter
    kConfigFirstCameraOnly = 8,  // stands only in the first camera's section
};

// A key stored and applied on loading, and one only stored: what it stands
// for takes effect through another key's setter.
constexpr std::uint8_t kConfigStoredAndApplied = kConfigWritten | kConfigStored | kConfigApplied;
constexpr std::uint8_t kConfigStoredOnly = kConfigWritten | kConfigStored;

struct ConfigKey {
    std::int32_t id;
    std::uint8_t use;
};

// Whether the key stands in the camera's section of a configuration file.
constexpr bool inCameraSection(const ConfigKey& key, std::uint32_t camera)
{
    return (key.use & kConfigFirstCameraOnly) == 0 || camera == 0;
}

// One default the initial register writes hand to a setter.
struct InitialWrite {
    std::int32_t id;
    double value;
    bool firstCameraOnly = false;
};

// One kept parameter value; which field is used follows the row's form.
struct KeptValue {
    std::uint32_t integer = 0;
    double real = 0.0;
    std::string text;
    std::vector<std::uint32_t> elements;
};

// True for "yes", "true", "on" and "1" in any case.
bool isEnabledValue(const std::string& value);
// An environment switch: set and enabled.
bool environmentSwitch(const char* name);

class GenericApplet : public FgPlWrapper {
public:
    ~GenericApplet() noexcept(false) override;

    // ---- hooks called by Std_entry, in this order ----
    void buildParameterTable();
    void initRegisterHandles();
    void buildParameterInfo() override;
    virtual void applyAllParameters();

    // The design file: the applet's name with ".hap".
    const char* getHapFileName() const { return hapFileName_.c_str(); }

    // ---- generic bodies of FgPlWrapper's slots ----
    bool readParametersFromConfig(Fg_ConfigFileParser& parser) override;
    void writeParametersToConfig(Fg_ConfigFileParser& parser) override;
    void processChannelToDma() override;
    void mapDmaToFormat() override;
    void setDmaAlignment() override;
    void getDmaAlignment() override;
    std::int32_t setParameterWithType(std::int32_t id, const void* value, std::uint32_t port) override;
    std::int32_t getParameterWithType(std::int32_t id, void* value, std::uint32_t port) override;
    std::int32_t getParameterIdByName(const char* name) override;
    const char* getParameterName(std::int32_t index) override;
    std::int32_t getParameterId(std::int32_t index) override;
    std::int32_t getNrOfParameter() override;
    std::int32_t saveConfig(void* hostHandle, const char* fileName) override;
    std::int32_t loadConfig(void* hostHandle, const char* fileName) override;
    std::int32_t getParameterInfoXML(void* handleRecord, std::uint32_t port, char* buffer,
                                     std::size_t* size) override;
    std::uint64_t getEventMask(const char* name) override;
    const char* getEventName(std::uint64_t mask) override;
    const char* getVendorName() override;
    const char* getAppletName() override;
    const char* getAppletVersion() override;
    std::int32_t getAppletId() override;

    // Design process of a DMA port; raises -2070 for a port the applet does
    // not serve.
    std::int32_t getProcessIndexOfDma(std::int32_t port) const;
    // The camera a port addresses; raises -2070 for a port the applet does
    // not serve.
    std::uint32_t cameraOfPort(std::uint32_t port) const;
    std::uint32_t cameraCount() const;
    const AppletDescription& description() const { return description_; }

    // ---- for the setters and getters ----
    // The kept value of a parameter of the applet's table; shared parameters
    // are kept with camera 0.
    KeptValue& kept(std::uint32_t camera, std::int32_t id);
    // The same for a row of the applet's table, without a lookup.
    KeptValue& kept(std::uint32_t camera, const ParameterRow& row);
    DesignRegisters& registers() { return registers_; }
    // Step 1 of a setter whose values are a run of the allowed-value table.
    bool acceptAllowed(const ParameterRow& row, std::uint32_t value, bool throwFlag) const;
    const ParameterRow* parameterRow(std::int32_t id) const;
    // Calls the setter of a parameter of the applet's table.
    void set(std::int32_t id, std::uint32_t camera, const ParameterValue& value, bool throwFlag);
    // The set and get switches, reachable from a setter without the lock.
    void applyParameter(std::int32_t id, const void* value, std::uint32_t port);
    void queryParameter(std::int32_t id, void* value, std::uint32_t port);

    InspectConfig& settings() { return settings_; }
    const std::string& moduleName() const { return moduleName_; }
    // Host parameters admitted as "DPLA_" names, name -> 2000000 + host id.
    const std::map<std::string, std::int32_t>& hostParameterIdByName() const { return hostParameterIdByName_; }

protected:
    explicit GenericApplet(const AppletDescription& description);

    // Runs after every camera's keys of a configuration file were applied.
    virtual void finishConfigurationLoad() {}

private:
    void seedHostParametersFromHostTree();
    void addDirectRegisterParameters();
    void admitHostParameters();
    void buildEventMaps();
    std::size_t rowIndex(std::int32_t id) const;
    KeptValue& keptAt(std::size_t index, std::uint32_t camera);
    void copyKeptValue(const ParameterRow& row, std::uint32_t camera, void* buffer);
    void answerDescription(std::uint32_t camera, void* buffer) const;
    bool readCameraKeys(Fg_ConfigFileParser& parser, std::uint32_t camera);

    const AppletDescription& description_;
    const std::string hapFileName_;
    templates::platform::CriticalSection objectLock_;
    InspectConfig settings_;
    std::string moduleName_;
    DesignRegisters registers_;

    // Indexed by DMA port: few ports, asked on every parameter call.
    std::vector<std::int32_t> processIndexByDmaPort_;
    std::map<std::string, std::int32_t> parameterIdByName_;
    std::map<std::string, std::int32_t> hostParameterIdByName_;
    std::vector<std::string> parameterNameByIndex_;
    std::vector<std::map<std::string, std::string>> parameterDescriptionByName_;
    std::map<std::string, std::uint64_t> eventMaskByName_;
    std::map<std::uint64_t, std::string> eventNameByMask_;

    std::unordered_map<std::int32_t, std::size_t> rowIndexById_;
    // [camera][row index]
    std::vector<std::vector<KeptValue>> kept_;
};

}  // namespace velm
