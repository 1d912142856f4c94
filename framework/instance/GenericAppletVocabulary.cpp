// The instance's vocabulary, built once in Std_entry and only read
// afterwards: parameter names, ids, index order and descriptions, the
// "DRA_" and "DPLA_" names, the ports and the events.
#include <algorithm>
#include <cstring>
#include <deque>

#include "AppletDescription.h"
#include "DesignLoader.h"
#include "GenericApplet.h"
#include "ParameterInfoRegistry.h"

namespace velm {

namespace {

constexpr const char* kDirectRegisterPrefix = "DRA_";
constexpr const char* kHostParameterPrefix = "DPLA_";
// A 64-bit mask has a bit for event positions 0 to 63 only.
constexpr std::int32_t kMaskablePositions = 64;
// The design's event list is probed up to this index.
constexpr std::int32_t kLastProbedEvent = 64;

}  // namespace

void GenericApplet::buildParameterTable()
{
    if (environmentSwitch("VELM_ENABLE_DPLA")) {
        seedHostParametersFromHostTree();
    }

    // Camera port p is served by design process p.
    for (std::uint32_t camera = 0; camera < description_.cameraCount; ++camera) {
        processIndexByDmaPort_.push_back(static_cast<std::int32_t>(camera));
    }

    for (const ParameterRow& row : description_.parameters) {
        parameterIdByName_[row.name] = row.id;
        parameterNameByIndex_.emplace_back(row.name);
    }

    if (isDirectRegisterAccess()) {
        addDirectRegisterParameters();
    }
    admitHostParameters();

    parameterDescriptionByName_.resize(description_.cameraCount);
    for (auto& descriptions : parameterDescriptionByName_) {
        for (const ParameterRow& row : description_.parameters) {
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

    std::uint8_t passes = 1;
    for (const EventAlias& alias : description_.eventAliases) {
        passes = std::max<std::uint8_t>(passes, static_cast<std::uint8_t>(alias.pass + 1));
    }
    for (std::uint8_t pass = 0; pass < passes; ++pass) {
        for (std::size_t i = 0; i < maskable; ++i) {
            if (events[i]->kind == 1 && events[i]->name != nullptr) {
                const std::uint64_t mask = std::uint64_t{1} << i;
                eventMaskByName_[events[i]->name] = mask;
                eventNameByMask_[mask] = events[i]->name;
            }
        }
        for (const EventAlias& alias : description_.eventAliases) {
            if (alias.pass != pass) {
                continue;
            }
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
}

}  // namespace velm
