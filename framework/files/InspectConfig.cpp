#include "InspectConfig.h"

#include <fstream>

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/trim.hpp>

#include "Platform.h"

namespace velm {

namespace {

constexpr const char* kSectionSeparator = "::";
constexpr std::size_t kSectionSeparatorLength = 2;
constexpr const char* kSettingsFileName = "inspect.conf";

}  // namespace

InspectConfig::InspectConfig(bool useSections, bool caseSensitive)
    : useSections_(useSections), caseSensitive_(caseSensitive)
{
}

InspectConfig::~InspectConfig() = default;

std::string InspectConfig::storedForm(const std::string& key) const
{
    return caseSensitive_ ? key : boost::algorithm::to_upper_copy(key);
}

void InspectConfig::store(const std::string& key, const std::string& value, bool overwrite)
{
    if (overwrite) {
        values_[key] = value;
    } else {
        values_.emplace(key, value);
    }
}

// Lines are taken whole, whatever their length: cutting a long comment into
// pieces could turn its tail into a key line.
bool InspectConfig::loadFile(const std::string& fileName, bool keepExisting, bool overwrite)
{
    templates::platform::RecursiveMutexGuard guard(&mutex_);
    std::ifstream file(fileName);
    if (!file.is_open()) {
        return false;
    }
    if (!keepExisting) {
        values_.clear();
    }

    bool inSection = false;
    std::string section;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t comment = line.find('#');
        if (comment != std::string::npos) {
            line.erase(comment);
        }
        boost::algorithm::trim(line);
        if (line.empty()) {
            continue;
        }
        if (useSections_ && line.front() == '[') {
            if (line.size() < 3) {
                continue;
            }
            if (line.back() == ']') {
                section = boost::algorithm::trim_copy(line.substr(1, line.size() - 2));
                inSection = true;
                continue;
            }
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        if (useSections_ && !inSection) {
            continue;
        }
        const std::string name = boost::algorithm::trim_copy(line.substr(0, equals));
        const std::string value = boost::algorithm::trim_copy(line.substr(equals + 1));
        const std::string key = useSections_ ? section + kSectionSeparator + name : name;
        store(storedForm(key), value, overwrite);
    }
    return true;
}

const std::string& InspectConfig::getValue(const std::string& key, bool* found)
{
    templates::platform::RecursiveMutexGuard guard(&mutex_);
    const auto entry = values_.find(storedForm(key));
    const bool present = entry != values_.end();
    if (found != nullptr) {
        *found = present;
    }
    return present ? entry->second : empty_;
}

bool InspectConfig::setValue(const std::string& key, const std::string& value)
{
    templates::platform::RecursiveMutexGuard guard(&mutex_);
    if (key.empty()) {
        return false;
    }
    if (useSections_) {
        const std::size_t separator = key.find(kSectionSeparator);
        if (separator == std::string::npos || separator == 0 ||
            boost::algorithm::ends_with(key, kSectionSeparator)) {
            return false;
        }
    }
    values_[storedForm(key)] = value;
    return true;
}

// Locked like the other operations: the store may be changed by another
// thread while the keys are collected.
std::set<std::string> InspectConfig::getSectionKeys(const std::string& section)
{
    std::set<std::string> keys;
    if (!useSections_) {
        return keys;
    }
    templates::platform::RecursiveMutexGuard guard(&mutex_);
    const std::string wanted = storedForm(section);
    for (const auto& entry : values_) {
        const std::string& key = entry.first;
        const std::size_t separator = key.find(kSectionSeparator);
        if (separator != std::string::npos && key.compare(0, separator, wanted) == 0) {
            keys.insert(key.substr(separator + kSectionSeparatorLength));
        }
    }
    return keys;
}

SettingsLocation locateSettings(const std::string& modulePath)
{
    SettingsLocation location;
    const std::size_t separator = modulePath.find_last_of("\\/");
    if (separator == std::string::npos) {
        return location;
    }
    std::string section = modulePath.substr(separator + 1);
    const std::size_t extension = section.rfind('.');
    if (extension != std::string::npos) {
        section.erase(extension);
    }
    // A file name such as ".so" leaves no name to read a section by, and a
    // file at the root ("/x.so") no directory to read the settings from.
    if (section.empty() || separator == 0) {
        return location;
    }
    location.found = true;
    location.directory = modulePath.substr(0, separator);
    location.sectionName = section;
    location.settingsFile = location.directory + os::kPathSeparator + kSettingsFileName;
    return location;
}

}  // namespace velm
