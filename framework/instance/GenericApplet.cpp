#include "GenericApplet.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "AppletDescription.h"
#include "ErrorCodes.h"
#include "ParameterInfoTree.h"
#include "Platform.h"
#include "SetterPattern.h"

namespace velm {

namespace {

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

GenericApplet::GenericApplet(const AppletDescription& description)
    : description_(description),
      hapFileName_(std::string(description.name) + ".hap"),
      settings_(true, true),
      moduleName_("none"),
      registers_(description.registers)
{
    setDirectRegisterAccess(environmentSwitch("VELM_ENABLE_DRA"));

    const SettingsLocation location =
        locateSettings(os::modulePathOf(reinterpret_cast<const void*>(&moduleAnchor)));
    if (location.found) {
        moduleName_ = location.sectionName;
        settings_.loadFile(location.settingsFile, true, true);
    }

    const TableOf<ParameterRow>& rows = description_.parameters;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rowIndexById_[rows[i].id] = i;
    }
    kept_.resize(description_.cameraCount);
    for (auto& values : kept_) {
        values.resize(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const ParameterRow& row = rows[i];
            values[i].integer = static_cast<std::uint32_t>(row.initial);
            values[i].real = row.initial;
            values[i].elements.assign(row.elements, 0);
        }
    }
}

GenericApplet::~GenericApplet() noexcept(false) = default;

const char* GenericApplet::getVendorName()
{
    return description_.vendor;
}

const char* GenericApplet::getAppletName()
{
    return description_.name;
}

const char* GenericApplet::getAppletVersion()
{
    return description_.version;
}

std::int32_t GenericApplet::getAppletId()
{
    return description_.id;
}

std::uint32_t GenericApplet::cameraCount() const
{
    return description_.cameraCount;
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
    buildParameterInfoTree(*this, description_.infoTree);
}

// ---- kept values ----

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
    return found == rowIndexById_.end() ? nullptr : &description_.parameters[found->second];
}

bool GenericApplet::acceptAllowed(const ParameterRow& row, std::uint32_t value, bool throwFlag) const
{
    return accept(allows(row.allowed, value), kErrOutOfRange, throwFlag);
}

KeptValue& GenericApplet::keptAt(std::size_t index, std::uint32_t camera)
{
    const std::uint32_t owner = description_.parameters[index].scope == ParameterScope::Shared ? 0 : camera;
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
    const TableOf<ParameterRow>& rows = description_.parameters;
    if (&row >= rows.begin() && &row < rows.end()) {
        return keptAt(static_cast<std::size_t>(&row - rows.begin()), camera);
    }
    return kept(camera, row.id);
}

void GenericApplet::set(std::int32_t id, std::uint32_t camera, const ParameterValue& value, bool throwFlag)
{
    const ParameterRow& row = description_.parameters[rowIndex(id)];
    if (row.access != ParameterAccess::ReadWrite || row.set == nullptr) {
        throw std::int32_t{kErrHostFunctionMissing};
    }
    row.set(*this, row, camera, value, throwFlag);
}

std::uint32_t GenericApplet::cameraOfPort(std::uint32_t port) const
{
    const std::int32_t process = getProcessIndexOfDma(static_cast<std::int32_t>(port));
    if (process < 0 || static_cast<std::uint32_t>(process) >= description_.cameraCount) {
        throw std::int32_t{kErrInvalidArgument};
    }
    return static_cast<std::uint32_t>(process);
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
