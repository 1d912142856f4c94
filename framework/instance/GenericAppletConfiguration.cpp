// The applet's parameters in configuration files, and the defaults of a new
// instance: both walk the applet's key tables, one camera section at a time.
#include "AppletDescription.h"
#include "Fg_ConfigFileParser.h"
#include "GenericApplet.h"

namespace velm {

namespace {

// Configuration files keep texts in a 1024-byte field.
constexpr std::size_t kConfigTextLimit = 1023;

}  // namespace

void GenericApplet::writeParametersToConfig(Fg_ConfigFileParser& parser)
{
    for (std::uint32_t camera = 0; camera < description_.cameraCount; ++camera) {
        parser.writePortSection(camera);
        for (const ConfigKey& key : description_.configKeys) {
            if ((key.use & kConfigWritten) == 0 || !inCameraSection(key, camera)) {
                continue;
            }
            // Each key stands alone: one that cannot be had is left out.
            try {
                const ParameterRow& row = description_.parameters[rowIndex(key.id)];
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
        for (std::uint32_t camera = 0; camera < description_.cameraCount; ++camera) {
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
            char buffer[kConfigTextLimit + 1] = {};
            if (parser.parsePortKey(camera, row.name, buffer, sizeof buffer) != 0) {
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
        for (const ConfigKey& key : description_.configKeys) {
            if ((key.use & pass) == 0 || !inCameraSection(key, camera)) {
                continue;
            }
            const ParameterRow& row = description_.parameters[rowIndex(key.id)];
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
    for (std::uint32_t camera = 0; camera < description_.cameraCount; ++camera) {
        for (const InitialWrite& write : description_.initialWrites) {
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

}  // namespace velm
