// The "inspect.conf" settings store: key-value pairs that several applet
// libraries can share in one file, each reading the section named after its
// own file.
#pragma once

#include <map>
#include <set>
#include <string>

#include "LockTemplates.h"

namespace velm {

class InspectConfig {
public:
    // Without case sensitivity every key, section names included, is stored
    // and looked up upper-cased.
    InspectConfig(bool useSections, bool caseSensitive);
    ~InspectConfig();
    InspectConfig(const InspectConfig&) = delete;
    InspectConfig& operator=(const InspectConfig&) = delete;

    // False when the file cannot be opened; the store is then untouched.
    // Without keepExisting the store is emptied first. Without overwrite the
    // first definition of a key wins, also against values held before.
    bool loadFile(const std::string& fileName, bool keepExisting, bool overwrite);

    // The reference points into the store: it stays valid only while no
    // other thread changes that key. Keys that are not there answer an empty
    // text. `found` may be null.
    const std::string& getValue(const std::string& key, bool* found);

    // With sections the key must read "section::name" with both parts
    // non-empty at the ends.
    bool setValue(const std::string& key, const std::string& value);

    // The key names stored under the section; empty without sections.
    std::set<std::string> getSectionKeys(const std::string& section);

private:
    std::string storedForm(const std::string& key) const;
    void store(const std::string& key, const std::string& value, bool overwrite);

    std::map<std::string, std::string> values_;  // guarded by mutex_
    const bool useSections_;
    const bool caseSensitive_;
    templates::platform::RecursiveMutex mutex_;
    const std::string empty_;
};

// Where a library finds its settings: the directory of its own file, the
// section named after that file without extension, and the settings file in
// that directory.
struct SettingsLocation {
    bool found = false;  // false: no file is read and the section stays "none"
    std::string directory;
    std::string sectionName = "none";
    std::string settingsFile;
};

// From the library's own path (os::modulePathOf). An empty path, a path
// without any directory separator, or one whose directory part or file name
// part is empty gives no location.
SettingsLocation locateSettings(const std::string& modulePath);

}  // namespace velm
