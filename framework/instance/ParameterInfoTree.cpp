#include "ParameterInfoTree.h"

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "AppletDescription.h"
#include "DesignLoader.h"
#include "GenericApplet.h"
#include "ParameterInfoRegistry.h"

namespace velm {

namespace {

// A double limit of the table as the integer field of an entry; the tables
// only hold values that fit.
std::int32_t integerLimit(double value)
{
    if (!std::isfinite(value) || value < -2147483648.0 || value > 2147483647.0) {
        return 0;
    }
    return static_cast<std::int32_t>(value);
}

class TreeBuilder {
public:
    TreeBuilder(GenericApplet& applet, std::uint32_t port)
        : applet_(applet), registry_(applet.getParameterInfoRegistry()), port_(port)
    {
    }

    void addTable(const TableOf<InfoItem>& items)
    {
        for (const InfoItem& item : items) {
            add(item);
        }
    }

    void addDirectRegisterAccess();
    void addDirectPlAccess();

private:
    void add(const InfoItem& item);
    ParameterInfoEntry* categoryNamed(const char* displayName) const;
    void record(std::int32_t id, ParameterInfoEntry* entry) { applet_.registerParameterInfo(port_, id, entry); }
    ParameterInfoEntry* mirrorCategory(ParameterInfoEntry* root, const ParameterInfoEntry* hostCategory);
    void mirrorEntry(ParameterInfoEntry* parent, const ParameterInfoEntry& host, std::int32_t id);

    GenericApplet& applet_;
    ParameterInfoRegistry& registry_;
    std::uint32_t port_;
    std::map<std::string, ParameterInfoEntry*> categories_;
    std::map<const ParameterInfoEntry*, ParameterInfoEntry*> mirroredCategories_;
};

ParameterInfoEntry* TreeBuilder::categoryNamed(const char* displayName) const
{
    if (displayName == nullptr) {
        return nullptr;
    }
    auto found = categories_.find(displayName);
    return found == categories_.end() ? nullptr : found->second;
}

void TreeBuilder::add(const InfoItem& item)
{
    ParameterInfoEntry* parent = categoryNamed(item.category);
    if (item.kind == InfoItemKind::Category) {
        categories_[item.displayName] = registry_.addCategory(port_, parent, item.displayName);
        return;
    }
    const ParameterRow* row = applet_.parameterRow(item.id);
    const char* name = row != nullptr ? row->name : "";
    ParameterInfoEntry* entry = nullptr;
    switch (item.kind) {
    case InfoItemKind::Int:
        entry = registry_.addIntInfo(parent, item.displayName, name, integerLimit(item.min), integerLimit(item.max),
                                     integerLimit(item.increment), item.access, item.attributeA, 1, item.unit,
                                     item.id, port_);
        break;
    case InfoItemKind::Double:
        entry = registry_.addDoubleInfo(parent, item.displayName, name, item.min, item.max, item.increment,
                                        item.access, item.attributeA, 1, item.unit, item.id, port_);
        break;
    case InfoItemKind::IntArray:
        entry = registry_.addIntArrayInfo(parent, item.displayName, name, item.count, integerLimit(item.min),
                                          integerLimit(item.max), 1, item.access, item.attributeA, 1, item.unit,
                                          item.id, port_);
        break;
    case InfoItemKind::String:
        entry = registry_.addStringInfo(parent, item.displayName, name, item.text, item.access, item.attributeA, 1,
                                        item.unit, item.id, port_);
        break;
    case InfoItemKind::Enum: {
        const AllowedRun run = row != nullptr ? row->allowed : AllowedRun{};
        entry = registry_.addEnumInfo(parent, item.displayName, name, static_cast<std::int32_t>(run.size()),
                                      item.access, item.attributeA, 1, item.unit, item.id, port_);
        std::int32_t slot = 0;
        for (const AllowedValue* value = run.begin(); entry != nullptr && value != run.end(); ++value, ++slot) {
            registry_.setEnumEntry(entry, slot, value->display, static_cast<std::int32_t>(value->value),
                                   value->name);
        }
        break;
    }
    case InfoItemKind::Category:
        break;
    }
    record(item.id, entry);
}

// One entry per design register; the XML description leaves the category
// out, the tree walked by the host shows it.
void TreeBuilder::addDirectRegisterAccess()
{
    ParameterInfoEntry* category = registry_.addCategory(port_, nullptr, "Direct Register Access");
    void* design = applet_.getDesignHandle();
    const std::int32_t count = getRegisterCount(design);
    for (std::int32_t number = 1; number <= count; ++number) {
        const char* registerName = getRegisterName(design, number);
        if (registerName == nullptr) {
            continue;
        }
        const std::uint32_t registerId = getRegisterId(design, registerName);
        const std::int32_t width = getRegisterWidth(design, registerId);
        const std::int32_t access = isRegisterWritable(design, registerId) != 0 ? kReadWriteFlagged : kReadOnly;
        const std::string name = std::string("DRA_") + registerName;
        const std::string display = std::string(registerName) + " (" + std::to_string(width) + ")";
        const auto id = static_cast<std::int32_t>(registerId + static_cast<std::uint32_t>(kDirectRegisterIdBase));

        // All bits of the register set; the signed field of a 32-bit entry
        // reads that as -1.
        const std::uint64_t max = width <= 0 ? 0 : width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
        ParameterInfoEntry* entry = nullptr;
        if (width < 33) {
            entry = registry_.addIntInfo(category, display.c_str(), name.c_str(), 0,
                                         static_cast<std::int32_t>(static_cast<std::uint32_t>(max)), 1, access, 1, 1,
                                         nullptr, id, port_);
        } else {
            entry = registry_.addInt64Info(category, display.c_str(), name.c_str(), 0, static_cast<std::int64_t>(max),
                                           1, access, 1, 1, nullptr, id, port_);
        }
        record(id, entry);
    }
}

// The chain of host categories that leads to the entry with `hostId`, from
// the root down; empty when the host tree has no such entry.
bool findHostPath(const ParameterInfoEntry* category, std::int32_t hostId,
                  std::vector<const ParameterInfoEntry*>& path, const ParameterInfoEntry*& found)
{
    path.push_back(category);
    for (std::int32_t i = 0; i < category->value.category.childCount; ++i) {
        const ParameterInfoEntry* child = category->value.category.children[i];
        if (child == nullptr) {
            continue;
        }
        if (child->type == kInfoCategory) {
            if (findHostPath(child, hostId, path, found)) {
                return true;
            }
        } else if (child->id == hostId) {
            found = child;
            return true;
        }
    }
    path.pop_back();
    return false;
}

ParameterInfoEntry* TreeBuilder::mirrorCategory(ParameterInfoEntry* parent, const ParameterInfoEntry* hostCategory)
{
    auto known = mirroredCategories_.find(hostCategory);
    if (known != mirroredCategories_.end()) {
        return known->second;
    }
    ParameterInfoEntry* category =
        registry_.addCategory(port_, parent, hostCategory->displayName, hostCategory->name);
    mirroredCategories_[hostCategory] = category;
    return category;
}

void TreeBuilder::mirrorEntry(ParameterInfoEntry* parent, const ParameterInfoEntry& host, std::int32_t id)
{
    const std::string name = std::string("DPLA_") + (host.name != nullptr ? host.name : "");
    ParameterInfoEntry* entry = nullptr;
    switch (host.type) {
    case kInfoInt:
    case kInfoRegisterInt: {
        auto add = host.type == kInfoInt ? &ParameterInfoRegistry::addIntInfo
                                         : &ParameterInfoRegistry::addRegisterIntInfo;
        entry = (registry_.*add)(parent, host.displayName, name.c_str(), host.value.integer.min,
                                 host.value.integer.max, host.value.integer.increment, host.access, host.attributeA,
                                 host.attributeB, host.description, id, port_);
        break;
    }
    case kInfoInt64:
    case kInfoRegisterInt64: {
        auto add = host.type == kInfoInt64 ? &ParameterInfoRegistry::addInt64Info
                                           : &ParameterInfoRegistry::addRegisterInt64Info;
        entry = (registry_.*add)(parent, host.displayName, name.c_str(), host.value.int64.min,
                                 host.value.int64.max, host.value.int64.increment, host.access,
                                 host.attributeA, host.attributeB, host.description, id, port_);
        break;
    }
    case kInfoEnum: {
        const std::int32_t slots = host.value.enumeration.count;
        entry = registry_.addEnumInfo(parent, host.displayName, name.c_str(), slots, host.access, host.attributeA,
                                      host.attributeB, host.description, id, port_);
        for (std::int32_t slot = 0; entry != nullptr && slot < slots; ++slot) {
            const char* valueName = host.value.enumeration.valueNames != nullptr ? host.value.enumeration.valueNames[slot]
                                                                            : nullptr;
            registry_.setEnumEntry(entry, slot, valueName != nullptr ? valueName : "",
                                   host.value.enumeration.values != nullptr ? host.value.enumeration.values[slot] : 0,
                                   host.value.enumeration.valueDescriptions != nullptr
                                       ? host.value.enumeration.valueDescriptions[slot]
                                       : nullptr);
        }
        break;
    }
    default:
        return;
    }
    // Registered under the entry's own id, where a lookup by parameter id
    // finds it.
    record(id, entry);
}

void TreeBuilder::addDirectPlAccess()
{
    ParameterInfoEntry* root = registry_.addCategory(port_, nullptr, "Direct PL Access");
    for (const auto& [parameterName, parameterId] : applet_.hostParameterIdByName()) {
        const std::int32_t hostId = parameterId - kHostParameterIdBase;
        std::vector<const ParameterInfoEntry*> path;
        const ParameterInfoEntry* found = nullptr;
        for (const ParameterInfoEntry* hostRoot = applet_.getHostParameterInfo();
             hostRoot != nullptr && found == nullptr; hostRoot = hostRoot->next) {
            path.clear();
            if (hostRoot->type == kInfoCategory) {
                findHostPath(hostRoot, hostId, path, found);
            }
        }
        if (found == nullptr) {
            continue;
        }
        ParameterInfoEntry* parent = root;
        for (const ParameterInfoEntry* hostCategory : path) {
            parent = mirrorCategory(parent, hostCategory);
        }
        mirrorEntry(parent, *found, parameterId);
    }
}

}  // namespace

void buildParameterInfoTree(GenericApplet& applet, const TableOf<InfoItem>& items)
{
    const bool mirrorHost = applet.description().hostMirrorCategory == HostMirrorCategory::WhenMirrorSwitchOn
                                ? environmentSwitch("VELM_ENABLE_DPLA")
                                : !applet.hostParameterIdByName().empty();
    for (std::uint32_t port = 0; port < applet.cameraCount(); ++port) {
        TreeBuilder builder(applet, port);
        builder.addTable(items);
        if (applet.isDirectRegisterAccess()) {
            builder.addDirectRegisterAccess();
        }
        if (mirrorHost) {
            builder.addDirectPlAccess();
        }
    }
}

namespace {

// A host may walk the tree without a lock while a setter moves a limit:
// each field is stored whole, as one atomic store, so that a reader sees
// the value from before or from after, never a torn one. Relaxed: no other
// memory is published with it.
template <typename Field>
void storeField(Field& field, Field value)
{
    __atomic_store(&field, &value, __ATOMIC_RELAXED);
}

}  // namespace

void moveInfoIntMax(GenericApplet& applet, std::uint32_t port, std::int32_t id, std::int32_t max)
{
    if (ParameterInfoEntry* entry = applet.findParameterInfo(port, id)) {
        storeField(entry->value.integer.max, max);
    }
}

void moveInfoIntMin(GenericApplet& applet, std::uint32_t port, std::int32_t id, std::int32_t min)
{
    if (ParameterInfoEntry* entry = applet.findParameterInfo(port, id)) {
        storeField(entry->value.integer.min, min);
    }
}

void moveInfoDoubleMin(GenericApplet& applet, std::uint32_t port, std::int32_t id, double min)
{
    if (ParameterInfoEntry* entry = applet.findParameterInfo(port, id)) {
        storeField(entry->value.floating.min, min);
    }
}

void moveInfoAccess(GenericApplet& applet, std::uint32_t port, std::int32_t id, std::int32_t access)
{
    if (ParameterInfoEntry* entry = applet.findParameterInfo(port, id)) {
        storeField(entry->access, access);
    }
}

}  // namespace velm
