// The parameter calls of an instance: the three id windows (host
// parameters, direct register access, the applet's own parameters) under
// the instance lock, and the set and get switches over the applet's table.
#include <cstring>

#include "AppletDescription.h"
#include "DesignLoader.h"
#include "ErrorCodes.h"
#include "GenericApplet.h"

namespace velm {

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

// ---- the switches ----

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

}  // namespace velm
