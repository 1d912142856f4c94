#include "GenericApplet.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <stdexcept>

#include "DesignLoader.h"
#include "Fg_ConfigFileParser.h"
#include "ParameterInfoTree.h"
#include "SetterPattern.h"
#include "ErrorCodes.h"
#include "ParameterInfoRegistry.h"
#include "Platform.h"

namespace velm {

namespace {

constexpr const char* kDirectRegisterPrefix = "DRA_";
constexpr const char* kHostParameterPrefix = "DPLA_";
// A 64-bit mask has a bit for event positions 0 to 63 only.
constexpr std::int32_t kMaskablePositions = 64;
// The design's event list is probed up to this index.
constexpr std::int32_t kLastProbedEvent = 64;

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Something inside this library, to ask the platform which file it is.
void moduleAnchor() {}

}  // namespace

bool isEnabledValue(const std::string& value)
{
    const std::string lower = lowerCase(value);
    return lower == "yes" || lower == "true" || lower == "on" || lower == "1";
}

bool environmentSwitch(const char* name)
{
    const std::optional<std::string> value = os::environmentValue(name);
    return value.has_value() && isEnabledValue(*value);
}

GenericApplet::GenericApplet(const AppletTables& tables)
    : tables_(tables), settings_(true, true), moduleName_("none"), registers_(tables.registers)
{
    setDirectRegisterAccess(environmentSwitch("VELM_ENABLE_DRA"));

    const SettingsLocation location =
        locateSettings(os::modulePathOf(reinterpret_cast<const void*>(&moduleAnchor)));
    if (location.found) {
        moduleName_ = location.sectionName;
        settings_.loadFile(location.settingsFile, true, true);
    }

    for (std::size_t i = 0; i < tables_.rowCount; ++i) {
        rowIndexById_[tables_.rows[i].id] = i;
    }
    kept_.resize(tables_.cameraCount);
    for (auto& values : kept_) {
        values.resize(tables_.rowCount);
        for (std::size_t i = 0; i < tables_.rowCount; ++i) {
            const ParameterRow& row = tables_.rows[i];
            values[i].integer = static_cast<std::uint32_t>(row.initial);
            values[i].real = row.initial;
            values[i].elements.assign(row.elements, 0);
        }
    }
}

GenericApplet::~GenericApplet() noexcept(false) = default;

// ---- the parameter vocabulary ----

void GenericApplet::buildParameterTable()
{
    if (environmentSwitch("VELM_ENABLE_DPLA")) {
        seedHostParametersFromHostTree();
    }

    // Camera port p is served by design process p.
    for (std::uint32_t camera = 0; camera < tables_.cameraCount; ++camera) {
        processIndexByDmaPort_.push_back(static_cast<std::int32_t>(camera));
    }

    for (std::size_t i = 0; i < tables_.rowCount; ++i) {
        const ParameterRow& row = tables_.rows[i];
        parameterIdByName_[row.name] = row.id;
        parameterNameByIndex_.emplace_back(row.name);
    }

    if (isDirectRegisterAccess()) {
        addDirectRegisterParameters();
    }
    admitHostParameters();

    parameterDescriptionByName_.resize(tables_.cameraCount);
    for (auto& descriptions : parameterDescriptionByName_) {
        for (std::size_t i = 0; i < tables_.rowCount; ++i) {
            const ParameterRow& row = tables_.rows[i];
            descriptions[row.name] = row.description != nullptr ? row.description : "";
        }
    }

    buildEventMaps();
}

// Every 32-bit, enumeration, 64-bit and register parameter of the host's own
// tree is entered into the applet's settings section as enabled, so that the
// admission below takes it. The walk is breadth-first over categories and
// follows the chain of older roots.
void GenericApplet::seedHostParametersFromHostTree()
{
    ParameterInfoEntry* root = getHostParameterInfo();
    if (root == nullptr) {
        return;
    }
    std::deque<const ParameterInfoEntry*> queue{root};
    while (!queue.empty()) {
        const ParameterInfoEntry* entry = queue.front();
        queue.pop_front();
        if (entry->type == kInfoCategory) {
            for (std::int32_t i = 0; i < entry->value.category.childCount; ++i) {
                const ParameterInfoEntry* child = entry->value.category.children[i];
                if (child == nullptr) {
                    continue;
                }
                switch (child->type) {
                case kInfoInt:
                case kInfoEnum:
                case kInfoInt64:
                case kInfoRegisterInt:
                case kInfoRegisterInt64:
                    if (child->name != nullptr) {
                        settings_.setValue(moduleName_ + "::" + child->name, "On");
                    }
                    break;
                case kInfoCategory:
                    queue.push_back(child);
                    break;
                default:
                    break;
                }
            }
        }
        if (entry->next != nullptr && entry->next->type == kInfoCategory) {
            queue.push_back(entry->next);
        }
    }
}

void GenericApplet::addDirectRegisterParameters()
{
    void* design = getDesignHandle();
    const std::int32_t count = getRegisterCount(design);
    for (std::int32_t number = 1; number <= count; ++number) {
        const char* name = getRegisterName(design, number);
        if (name == nullptr) {
            continue;
        }
        const std::uint32_t id = getRegisterId(design, name);
        const std::string parameter = std::string(kDirectRegisterPrefix) + name;
        parameterIdByName_[parameter] = static_cast<std::int32_t>(id + kDirectRegisterIdBase);
        parameterNameByIndex_.push_back(parameter);
    }
}

// Keys of the applet's settings section whose value is enabled and whose name
// the host knows become "DPLA_" parameters, in ascending key order.
void GenericApplet::admitHostParameters()
{
    for (const std::string& key : settings_.getSectionKeys(moduleName_)) {
        bool found = false;
        const std::string& value = settings_.getValue(moduleName_ + "::" + key, &found);
        if (!found || !isEnabledValue(value)) {
            continue;
        }
        const std::int32_t hostId = getHostParameterIdByName(key.c_str());
        if (hostId == 0) {
            continue;
        }
        const std::string parameter = kHostParameterPrefix + key;
        hostParameterIdByName_[parameter] =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(hostId) + kHostParameterIdBase);
        parameterNameByIndex_.push_back(parameter);
    }
}

void GenericApplet::buildEventMaps()
{
    void* design = getDesignHandle();
    std::vector<const DesignEvent*> events;
    for (std::int32_t index = 0; index <= kLastProbedEvent; ++index) {
        const DesignEvent* event = getDesignEvent(design, index);
        if (event == nullptr) {
            break;
        }
        events.push_back(event);
    }
    const std::size_t maskable = std::min<std::size_t>(events.size(), kMaskablePositions);

    for (std::size_t i = 0; i < maskable; ++i) {
        if (events[i]->kind == 1 && events[i]->name != nullptr) {
            const std::uint64_t mask = std::uint64_t{1} << i;
            eventMaskByName_[events[i]->name] = mask;
            eventNameByMask_[mask] = events[i]->name;
        }
    }
    for (std::size_t a = 0; a < tables_.aliasCount; ++a) {
        const EventAlias& alias = tables_.aliases[a];
        for (std::size_t i = 0; i < maskable; ++i) {
            if (events[i]->name != nullptr && std::strcmp(events[i]->name, alias.designEvent) == 0) {
                const std::uint64_t mask = std::uint64_t{1} << i;
                eventMaskByName_[alias.alias] = mask;
                eventNameByMask_[mask] = alias.alias;
                break;
            }
        }
    }
}

// ---- dispatch ----

std::int32_t GenericApplet::setParameterWithType(std::int32_t id, const void* value, std::uint32_t port)
{
    if (value == nullptr) {
        return setLastError(kErrInvalidArgument);
    }
    templates::platform::CriticalSectionGuard guard(&objectLock_);
    std::int32_t result = 0;
    if (id > kHostParameterIdBase) {
        result = setHostParameter(id - kHostParameterIdBase, value, port);
    } else if (isDirectRegisterAccess() && id > kDirectRegisterIdBase) {
        // A direct write always takes 32 bits from the caller, whatever the
        // register's width.
        std::uint32_t low = 0;
        std::memcpy(&low, value, sizeof low);
        result = writeRegister(getBoardHandle(), static_cast<std::uint32_t>(id - kDirectRegisterIdBase), low);
    } else {
        try {
            applyParameter(id, value, port);
        } catch (std::int32_t code) {
            result = code;
        }
    }
    return setLastError(result);
}

std::int32_t GenericApplet::getParameterWithType(std::int32_t id, void* value, std::uint32_t port)
{
    if (value == nullptr) {
        return setLastError(kErrInvalidArgument);
    }
    templates::platform::CriticalSectionGuard guard(&objectLock_);
    std::int32_t result = 0;
    if (id > kHostParameterIdBase) {
        result = getHostParameter(id - kHostParameterIdBase, value, port);
    } else if (isDirectRegisterAccess() && id > kDirectRegisterIdBase) {
        const auto registerId = static_cast<std::uint32_t>(id - kDirectRegisterIdBase);
        std::uint64_t read = 0;
        result = readRegister(getBoardHandle(), registerId, &read);
        if (result == 0) {
            if (::getRegisterWidth(getDesignHandle(), registerId) <= 32) {
                const auto low = static_cast<std::uint32_t>(read);
                std::memcpy(value, &low, sizeof low);
            } else {
                std::memcpy(value, &read, sizeof read);
            }
        }
    } else {
        try {
            queryParameter(id, value, port);
        } catch (std::int32_t code) {
            result = code;
        }
    }
    return setLastError(result);
}

std::int32_t GenericApplet::saveConfig(void* hostHandle, const char* fileName)
{
    templates::platform::CriticalSectionGuard guard(&objectLock_);
    return FgPlWrapper::saveConfig(hostHandle, fileName);
}

std::int32_t GenericApplet::loadConfig(void* hostHandle, const char* fileName)
{
    templates::platform::CriticalSectionGuard guard(&objectLock_);
    return FgPlWrapper::loadConfig(hostHandle, fileName);
}

// Setters move the limits the description shows; it is written while none
// of them runs.
std::int32_t GenericApplet::getParameterInfoXML(void* handleRecord, std::uint32_t port, char* buffer,
                                                std::size_t* size)
{
    templates::platform::CriticalSectionGuard guard(&objectLock_);
    return FgPlWrapper::getParameterInfoXML(handleRecord, port, buffer, size);
}

// ---- lookups ----

std::int32_t GenericApplet::getParameterIdByName(const char* name)
{
    if (name == nullptr || *name == '\0') {
        return setLastError(kErrInvalidArgument);
    }
    auto found = parameterIdByName_.find(name);
    if (found == parameterIdByName_.end()) {
        return setLastError(kErrInvalidArgument);
    }
    setLastError(0);
    return found->second;
}

const char* GenericApplet::getParameterName(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= parameterNameByIndex_.size()) {
        setLastError(kErrInvalidArgument);
        return nullptr;
    }
    setLastError(0);
    return parameterNameByIndex_[static_cast<std::size_t>(index)].c_str();
}

std::int32_t GenericApplet::getParameterId(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= parameterNameByIndex_.size()) {
        return setLastError(kErrInvalidArgument);
    }
    auto found = parameterIdByName_.find(parameterNameByIndex_[static_cast<std::size_t>(index)]);
    if (found == parameterIdByName_.end()) {
        return setLastError(kErrInvalidArgument);
    }
    setLastError(0);
    return found->second;
}

std::int32_t GenericApplet::getNrOfParameter()
{
    return static_cast<std::int32_t>(parameterNameByIndex_.size());
}

std::uint64_t GenericApplet::getEventMask(const char* name)
{
    auto found = name != nullptr ? eventMaskByName_.find(name) : eventMaskByName_.end();
    if (found == eventMaskByName_.end()) {
        setLastError(kErrInvalidArgument);
        return 0;
    }
    setLastError(0);
    return found->second;
}

const char* GenericApplet::getEventName(std::uint64_t mask)
{
    auto found = eventNameByMask_.find(mask);
    if (found == eventNameByMask_.end()) {
        setLastError(kErrInvalidArgument);
        return nullptr;
    }
    setLastError(0);
    return found->second.c_str();
}

std::int32_t GenericApplet::getProcessIndexOfDma(std::int32_t port) const
{
    if (port < 0 || static_cast<std::size_t>(port) >= processIndexByDmaPort_.size()) {
        throw std::int32_t{kErrInvalidArgument};
    }
    return processIndexByDmaPort_[static_cast<std::size_t>(port)];
}

// ---- the rest of creation ----

void GenericApplet::initRegisterHandles()
{
    registers_.resolve(*this);
}

void GenericApplet::buildParameterInfo()
{
    buildParameterInfoTree(*this, tables_.infoItems, tables_.infoItemCount);
}

// The generator registers are cleared first (a failed clear is ignored), then
// every default goes through its setter without the throw flag, so that a
// refused default or a failed register write is dropped.
void GenericApplet::applyAllParameters()
{
    for (RegisterRole role : {RegisterRole::GenEnable, RegisterRole::GenStart, RegisterRole::GenWidth,
                              RegisterRole::GenLineWidth, RegisterRole::GenHeight, RegisterRole::GenActive,
                              RegisterRole::GenPassive, RegisterRole::GenMask, RegisterRole::GenRoll}) {
        if (!registers_.ids(role, 0).empty()) {
            registers_.tryWriteGenerator(*this, role, 0);
        }
    }
    for (std::uint32_t camera = 0; camera < tables_.cameraCount; ++camera) {
        for (std::size_t i = 0; i < tables_.initialWriteCount; ++i) {
            const InitialWrite& write = tables_.initialWrites[i];
            if (write.firstCameraOnly && camera != 0) {
                continue;
            }
            ParameterValue value;
            value.integer = static_cast<std::uint32_t>(static_cast<std::int64_t>(write.value));
            value.real = write.value;
            try {
                set(write.id, camera, value, false);
            } catch (...) {
                // Nothing from the defaults may stop the creation.
            }
        }
    }
}

// ---- kept values and the switches ----

std::size_t GenericApplet::rowIndex(std::int32_t id) const
{
    auto found = rowIndexById_.find(id);
    if (found == rowIndexById_.end()) {
        throw std::int32_t{kErrInvalidArgument};
    }
    return found->second;
}

const ParameterRow* GenericApplet::parameterRow(std::int32_t id) const
{
    auto found = rowIndexById_.find(id);
    return found == rowIndexById_.end() ? nullptr : &tables_.rows[found->second];
}

bool GenericApplet::acceptAllowed(const ParameterRow& row, std::uint32_t value, bool throwFlag) const
{
    return accept(tables_.allowed.contains(row.allowed, value), kErrOutOfRange, throwFlag);
}

KeptValue& GenericApplet::keptAt(std::size_t index, std::uint32_t camera)
{
    const std::uint32_t owner = tables_.rows[index].scope == ParameterScope::Shared ? 0 : camera;
    if (owner >= kept_.size()) {
        throw std::int32_t{kErrInvalidArgument};
    }
    return kept_[owner][index];
}

KeptValue& GenericApplet::kept(std::uint32_t camera, std::int32_t id)
{
    return keptAt(rowIndex(id), camera);
}

KeptValue& GenericApplet::kept(std::uint32_t camera, const ParameterRow& row)
{
    const ParameterRow* first = tables_.rows;
    if (&row >= first && &row < first + tables_.rowCount) {
        return keptAt(static_cast<std::size_t>(&row - first), camera);
    }
    return kept(camera, row.id);
}

void GenericApplet::set(std::int32_t id, std::uint32_t camera, const ParameterValue& value, bool throwFlag)
{
    const ParameterRow& row = tables_.rows[rowIndex(id)];
    if (row.access != ParameterAccess::ReadWrite || row.set == nullptr) {
        throw std::int32_t{kErrHostFunctionMissing};
    }
    row.set(*this, row, camera, value, throwFlag);
}

std::uint32_t GenericApplet::cameraOfPort(std::uint32_t port) const
{
    const std::int32_t process = getProcessIndexOfDma(static_cast<std::int32_t>(port));
    if (process < 0 || static_cast<std::uint32_t>(process) >= tables_.cameraCount) {
        throw std::int32_t{kErrInvalidArgument};
    }
    return static_cast<std::uint32_t>(process);
}

void GenericApplet::applyParameter(std::int32_t id, const void* value, std::uint32_t port)
{
    const std::uint32_t camera = cameraOfPort(port);
    const ParameterRow* row = parameterRow(id);
    if (row == nullptr) {
        throw std::int32_t{id == kDescriptionQueryId ? kErrHostFunctionMissing : kErrInvalidArgument};
    }
    if (row->access != ParameterAccess::ReadWrite || row->set == nullptr) {
        throw std::int32_t{kErrHostFunctionMissing};
    }
    // Every parameter travels in its own form, whatever type the caller named.
    ParameterValue decoded;
    switch (row->form) {
    case ValueForm::Int:
        std::memcpy(&decoded.integer, value, sizeof decoded.integer);
        break;
    case ValueForm::Double:
        std::memcpy(&decoded.real, value, sizeof decoded.real);
        break;
    case ValueForm::String:
        decoded.text = static_cast<const char*>(value);
        break;
    case ValueForm::Element:
        decoded.element = static_cast<const FieldElement*>(value);
        break;
    }
    row->set(*this, *row, camera, decoded, true);
}

void GenericApplet::queryParameter(std::int32_t id, void* value, std::uint32_t port)
{
    const std::uint32_t camera = cameraOfPort(port);
    if (id == kDescriptionQueryId) {
        answerDescription(camera, value);
        return;
    }
    const ParameterRow* row = parameterRow(id);
    if (row == nullptr) {
        throw std::int32_t{kErrInvalidArgument};
    }
    if (row->get != nullptr) {
        row->get(*this, *row, camera, value);
    } else if (row->access == ParameterAccess::ReadWrite) {
        copyKeptValue(*row, camera, value);
    } else {
        const auto constant = static_cast<std::int32_t>(row->initial);
        std::memcpy(value, &constant, sizeof constant);
    }
}

void GenericApplet::copyKeptValue(const ParameterRow& row, std::uint32_t camera, void* buffer)
{
    const KeptValue& value = kept(camera, row);
    switch (row.form) {
    case ValueForm::Int:
        std::memcpy(buffer, &value.integer, sizeof value.integer);
        break;
    case ValueForm::Double:
        std::memcpy(buffer, &value.real, sizeof value.real);
        break;
    case ValueForm::String:
        // Copied without a length, as callers of these libraries expect:
        // their buffer must hold the text and its terminating zero.
        std::memcpy(buffer, value.text.c_str(), value.text.size() + 1);
        break;
    case ValueForm::Element: {
        FieldElement element;
        std::memcpy(&element, buffer, sizeof element);
        if (element.index >= value.elements.size()) {
            throw std::int32_t{kErrInvalidArgument};
        }
        loadFieldElement(value.elements.data(), value.elements.size(), &element);
        std::memcpy(buffer, &element, sizeof element);
        break;
    }
    }
}

void GenericApplet::answerDescription(std::uint32_t camera, void* buffer) const
{
    const char* name = static_cast<const char*>(buffer);
    if (camera >= parameterDescriptionByName_.size()) {
        throw std::int32_t{kErrInvalidArgument};
    }
    const auto& descriptions = parameterDescriptionByName_[camera];
    auto found = descriptions.find(name);
    if (found == descriptions.end()) {
        throw std::int32_t{kErrInvalidArgument};
    }
    std::memcpy(buffer, found->second.c_str(), found->second.size() + 1);
}

// ---- configuration files ----

namespace {

// Configuration files keep texts in a 1024-byte field.
constexpr std::size_t kConfigTextLimit = 1023;

}  // namespace

void GenericApplet::writeParametersToConfig(Fg_ConfigFileParser& parser)
{
    for (std::uint32_t camera = 0; camera < tables_.cameraCount; ++camera) {
        parser.writePortSection(camera);
        for (std::size_t i = 0; i < tables_.configKeyCount; ++i) {
            const ConfigKey& key = tables_.configKeys[i];
            if ((key.use & kConfigWritten) == 0 || ((key.use & kConfigFirstCameraOnly) != 0 && camera != 0)) {
                continue;
            }
            // Each key stands alone: one that cannot be had is left out.
            try {
                const ParameterRow& row = tables_.rows[rowIndex(key.id)];
                switch (row.form) {
                case ValueForm::Int: {
                    std::int32_t value = 0;
                    queryParameter(key.id, &value, camera);
                    parser.writeConfigFileIntKey(row.name, value);
                    break;
                }
                case ValueForm::Double: {
                    double value = 0.0;
                    queryParameter(key.id, &value, camera);
                    parser.wrtiteConfigFileDoubleKey(row.name, value);
                    break;
                }
                case ValueForm::String:
                    parser.writeConfigFile(row.name, kept(camera, key.id).text.substr(0, kConfigTextLimit).c_str());
                    break;
                case ValueForm::Element:
                    break;
                }
            } catch (...) {
            }
        }
    }
}

bool GenericApplet::readParametersFromConfig(Fg_ConfigFileParser& parser)
{
    try {
        for (std::uint32_t camera = 0; camera < tables_.cameraCount; ++camera) {
            if (!readCameraKeys(parser, camera)) {
                return false;
            }
        }
        finishConfigurationLoad();
        return true;
    } catch (...) {
        return false;
    }
}

// First every key of the camera's section is stored as it stands, then the
// keys are read again and handed to their setters without the throw flag:
// a value a setter refuses stays stored but reaches no register.
bool GenericApplet::readCameraKeys(Fg_ConfigFileParser& parser, std::uint32_t camera)
{
    auto inSection = [camera](const ConfigKey& key) {
        return (key.use & kConfigFirstCameraOnly) == 0 || camera == 0;
    };
    auto readValue = [&](const ParameterRow& row, ParameterValue& value, std::string& text) {
        switch (row.form) {
        case ValueForm::Int: {
            std::int32_t number = 0;
            if (parser.parsePortIntKey(camera, row.name, &number) != 0) {
                return false;
            }
            value.integer = static_cast<std::uint32_t>(number);
            return true;
        }
        case ValueForm::Double:
            return parser.parsePortDoubleKey(camera, row.name, &value.real) == 0;
        case ValueForm::String: {
            char buffer[Fg_ConfigFileParser::kValueBufferSize] = {};
            if (parser.parsePortKey(camera, row.name, buffer) != 0) {
                return false;
            }
            text = buffer;
            value.text = text.c_str();
            return true;
        }
        case ValueForm::Element:
            break;
        }
        return false;
    };

    // Every key of the pass, in table order: the first missing one ends the
    // load.
    auto eachKey = [&](std::uint8_t pass, auto&& take) {
        for (std::size_t i = 0; i < tables_.configKeyCount; ++i) {
            const ConfigKey& key = tables_.configKeys[i];
            if ((key.use & pass) == 0 || !inSection(key)) {
                continue;
            }
            const ParameterRow& row = tables_.rows[rowIndex(key.id)];
            ParameterValue value;
            std::string text;
            if (!readValue(row, value, text)) {
                return false;
            }
            take(row, value, text);
        }
        return true;
    };

    const bool stored = eachKey(kConfigStored, [&](const ParameterRow& row, const ParameterValue& value,
                                                   const std::string& text) {
        KeptValue& target = kept(camera, row);
        if (row.form == ValueForm::Int) {
            target.integer = value.integer;
        } else if (row.form == ValueForm::Double) {
            target.real = value.real;
        } else {
            target.text = text.substr(0, kConfigTextLimit);
        }
    });
    return stored && eachKey(kConfigApplied, [&](const ParameterRow& row, const ParameterValue& value,
                                                 const std::string&) { set(row.id, camera, value, false); });
}

// ---- DMA operations the applets do not support ----

void GenericApplet::processChannelToDma()
{
    throw std::runtime_error("processChannelToDma() is not implemented.");
}

void GenericApplet::mapDmaToFormat()
{
    throw std::runtime_error("mapDmaToFormat() is not implemented.");
}

void GenericApplet::setDmaAlignment()
{
    throw std::runtime_error("setDmaAlignment() is not implemented.");
}

void GenericApplet::getDmaAlignment()
{
    throw std::runtime_error("getDmaAlignment() is not implemented.");
}

}  // namespace velm
