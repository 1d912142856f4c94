#include "ParameterInfoBuilderXML.h"

#include <cstring>
#include <locale>
#include <map>
#include <sstream>
#include <vector>

#include "ErrorCodes.h"
#include "ParameterInfoRegistry.h"

namespace velm {

namespace {

constexpr const char* kGenApiNameSpace = "http://www.genicam.org/GenApi/Version_1_0";
constexpr const char* kSchemaInstanceNameSpace = "http://www.w3.org/2001/XMLSchema-instance";
constexpr const char* kSchemaFile = "GenApiSchema_Version_1_0.xsd";
constexpr const char* kVendorName = "Velmarint";
constexpr const char* kRootCategory = "Root";
constexpr const char* kHiddenCategory = "Direct Register Access";
constexpr const char* kPortName = "DevicePort";
constexpr const char* kRegisterSuffix = "_Reg";
constexpr const char* kEntrySeparator = "\n\r";
constexpr int kDoublePrecision = 12;
constexpr std::int32_t kIntegerLength = 4;
constexpr std::int32_t kWideIntegerLength = 8;
constexpr const char* kWideIntegerParameter = "FG_TRANSFER_LEN";
constexpr std::int32_t kFloatLength = 8;
constexpr std::int32_t kStringLength = 4096;
constexpr std::int32_t kEnumerationLength = 4;
constexpr std::int32_t kReadable = 1;
constexpr std::int32_t kWritable = 2;

constexpr char kDoubleQuote = '"';
constexpr char kSingleQuote = '\'';

std::string textOf(const char* text)
{
    return text != nullptr ? std::string(text) : std::string();
}

std::string escaped(const char* text)
{
    std::string result;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
        switch (*c) {
        case '&': result += "&amp;"; break;
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        case '\'': result += "&apos;"; break;
        case '"': result += "&quot;"; break;
        default: result += *c; break;
        }
    }
    return result;
}

// Letters anywhere; digits and underscores only once a letter has started
// the name, so that the result is always a valid name.
std::string cleaned(const char* text)
{
    std::string result;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
        const bool letter = (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z');
        const bool digitOrUnderscore = (*c >= '0' && *c <= '9') || *c == '_';
        if (letter || (digitOrUnderscore && !result.empty())) {
            result += *c;
        }
    }
    return result;
}

const char* accessMode(std::int32_t access)
{
    const bool readable = (access & kReadable) != 0;
    const bool writable = (access & kWritable) != 0;
    if (readable && writable) {
        return "RW";
    }
    if (readable) {
        return "RO";
    }
    return writable ? "WO" : "";
}

struct CategoryNode {
    explicit CategoryNode(std::string nodeName) : name(std::move(nodeName)) {}

    std::string name;
    std::vector<std::unique_ptr<CategoryNode>> children;
    std::vector<std::string> features;
};

}  // namespace

struct ParameterInfoBuilderXML::Private {
    Private(ParameterInfoRegistry& registryIn, const char* appletNameIn, std::uint32_t portIn)
        : registry(registryIn), appletName(appletNameIn), port(portIn)
    {
    }

    void reset();
    void writeHeader();
    void walk(const ParameterInfoEntry& category);
    void writeEntry(const ParameterInfoEntry& entry, const ParameterInfoEntry& parent);
    void writeInteger(const ParameterInfoEntry& entry);
    void writeFloat(const ParameterInfoEntry& entry);
    void writeString(const ParameterInfoEntry& entry);
    void writeEnumeration(const ParameterInfoEntry& entry);
    void writeRegisterPart(const ParameterInfoEntry& entry, std::int32_t length);
    void writeDescription(const ParameterInfoEntry& entry);
    void addFeature(const ParameterInfoEntry& parent, const ParameterInfoEntry& entry);
    void writeCategory(const CategoryNode& node, bool isRoot);
    void writeFooter();

    void openTag(const char* element, const std::string& name, char quote);
    void closeTag(const char* element);
    template <typename Content>
    void element(const char* element, const Content& content);

    ParameterInfoRegistry& registry;
    const char* appletName;
    const std::uint32_t port;
    std::unique_ptr<CategoryNode> root;
    std::ostringstream out;
};

void ParameterInfoBuilderXML::Private::reset()
{
    root = std::make_unique<CategoryNode>(kRootCategory);
    out.str(std::string());
    out.clear();
    // The host's numeric locale must not reach the document.
    out.imbue(std::locale::classic());
    out.precision(kDoublePrecision);
}

void ParameterInfoBuilderXML::Private::openTag(const char* elementName, const std::string& name, char quote)
{
    out << '<' << elementName << " Name=" << quote << name << quote << ">\n";
}

void ParameterInfoBuilderXML::Private::closeTag(const char* elementName)
{
    out << "</" << elementName << ">\n";
}

template <typename Content>
void ParameterInfoBuilderXML::Private::element(const char* elementName, const Content& content)
{
    out << '<' << elementName << '>' << content << "</" << elementName << ">\n";
}

void ParameterInfoBuilderXML::Private::writeHeader()
{
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        << "\n"
        << "<RegisterDescription\n"
        << "ModelName=\"" << escaped(appletName) << "\"\n"
        << "VendorName=\"" << kVendorName << "\"\n"
        << "StandardNameSpace=\"None\"\n"
        << "SchemaMajorVersion=\"1\"\n"
        << "SchemaMinorVersion=\"0\"\n"
        << "SchemaSubMinorVersion=\"1\"\n"
        << "MajorVersion=\"1\"\n"
        << "MinorVersion=\"0\"\n"
        << "SubMinorVersion=\"0\"\n"
        << "ProductGuid=\"0\"\n"
        << "VersionGuid=\"0\"\n"
        << "xmlns=\"" << kGenApiNameSpace << "\"\n"
        << "xmlns:xsi=\"" << kSchemaInstanceNameSpace << "\"\n"
        << "xsi:schemaLocation=\"" << kGenApiNameSpace << ' ' << kSchemaFile << "\">\n";
}

void ParameterInfoBuilderXML::Private::walk(const ParameterInfoEntry& category)
{
    const ParameterInfoCategoryValue& value = category.value.category;
    if (value.children == nullptr) {
        return;
    }
    for (std::int32_t i = 0; i < value.childCount; ++i) {
        const ParameterInfoEntry* child = value.children[i];
        if (child == nullptr) {
            continue;
        }
        if (child->type == kInfoCategory) {
            walk(*child);
        } else {
            writeEntry(*child, category);
        }
    }
}

void ParameterInfoBuilderXML::Private::writeEntry(const ParameterInfoEntry& entry, const ParameterInfoEntry& parent)
{
    if (entry.attributeB == 0 || textOf(parent.displayName) == kHiddenCategory) {
        return;
    }
    switch (entry.type) {
    case kInfoInt:
    case kInfoRegisterInt:
        writeInteger(entry);
        break;
    case kInfoEnum:
        writeEnumeration(entry);
        break;
    case kInfoString:
        writeString(entry);
        break;
    case kInfoDouble:
        writeFloat(entry);
        break;
    default:
        return;
    }
    addFeature(parent, entry);
    out << kEntrySeparator;
}

void ParameterInfoBuilderXML::Private::writeRegisterPart(const ParameterInfoEntry& entry, std::int32_t length)
{
    if (entry.id != 0) {
        element("Address", entry.id);
    }
    element("Length", length);
    element("AccessMode", accessMode(entry.access));
    element("pPort", kPortName);
}

void ParameterInfoBuilderXML::Private::writeDescription(const ParameterInfoEntry& entry)
{
    if (entry.displayName != nullptr && entry.displayName[0] != '\0') {
        element("Description", escaped(entry.displayName));
    }
}

void ParameterInfoBuilderXML::Private::writeInteger(const ParameterInfoEntry& entry)
{
    const std::string name = escaped(entry.name);
    const std::string registerName = name + kRegisterSuffix;
    const std::int32_t length = textOf(entry.name) == kWideIntegerParameter ? kWideIntegerLength : kIntegerLength;
    openTag("IntReg", registerName, kDoubleQuote);
    writeRegisterPart(entry, length);
    element("Sign", "Signed");
    element("Endianess", "LittleEndian");
    closeTag("IntReg");

    const ParameterInfoIntValue& value = entry.value.integer;
    openTag("Integer", name, kSingleQuote);
    writeDescription(entry);
    element("pValue", registerName);
    element("Min", value.min);
    element("Max", value.max);
    if (value.increment != 0) {
        element("Inc", value.increment);
    }
    // The entry separator follows the closing tag directly.
    out << "</Integer>";
}

void ParameterInfoBuilderXML::Private::writeFloat(const ParameterInfoEntry& entry)
{
    const std::string name = escaped(entry.name);
    const std::string registerName = name + kRegisterSuffix;
    openTag("FloatReg", registerName, kDoubleQuote);
    writeRegisterPart(entry, kFloatLength);
    element("Endianess", "LittleEndian");
    closeTag("FloatReg");

    const ParameterInfoDoubleValue& value = entry.value.floating;
    openTag("Float", name, kDoubleQuote);
    writeDescription(entry);
    element("pValue", registerName);
    element("Min", value.min);
    element("Max", value.max);
    closeTag("Float");
}

void ParameterInfoBuilderXML::Private::writeString(const ParameterInfoEntry& entry)
{
    openTag("StringReg", escaped(entry.name), kDoubleQuote);
    writeDescription(entry);
    writeRegisterPart(entry, kStringLength);
    closeTag("StringReg");
}

void ParameterInfoBuilderXML::Private::writeEnumeration(const ParameterInfoEntry& entry)
{
    const std::string name = escaped(entry.name);
    const std::string registerName = name + kRegisterSuffix;
    openTag("Enumeration", name, kSingleQuote);
    writeDescription(entry);

    // In value order; a later slot with the same value replaces an earlier.
    std::map<std::int32_t, const char*> described;
    const ParameterInfoEnumValue& value = entry.value.enumeration;
    if (value.values != nullptr && value.valueDescriptions != nullptr) {
        for (std::int32_t slot = 0; slot < value.count; ++slot) {
            if (value.valueDescriptions[slot] != nullptr) {
                described[value.values[slot]] = value.valueDescriptions[slot];
            }
        }
    }
    for (const auto& [number, description] : described) {
        openTag("EnumEntry", escaped(description), kDoubleQuote);
        element("Value", number);
        closeTag("EnumEntry");
    }
    element("pValue", registerName);
    out << "</Enumeration>\n\n";

    openTag("IntReg", registerName, kDoubleQuote);
    writeRegisterPart(entry, kEnumerationLength);
    element("Sign", "Unsigned");
    element("Endianess", "LittleEndian");
    closeTag("IntReg");
}

// Every category node is a direct child of "Root". A parent whose display
// name cleans to nothing files its features under "Root", as an empty
// display name does.
void ParameterInfoBuilderXML::Private::addFeature(const ParameterInfoEntry& parent, const ParameterInfoEntry& entry)
{
    const std::string nodeName = cleaned(parent.displayName);
    CategoryNode* node = root.get();
    if (!nodeName.empty()) {
        node = nullptr;
        for (const auto& child : root->children) {
            if (child->name == nodeName) {
                node = child.get();
                break;
            }
        }
        if (node == nullptr) {
            root->children.push_back(std::make_unique<CategoryNode>(nodeName));
            node = root->children.back().get();
        }
    }
    node->features.push_back(cleaned(entry.name));
}

void ParameterInfoBuilderXML::Private::writeCategory(const CategoryNode& node, bool isRoot)
{
    out << "<Category Name='" << node.name << "' ";
    if (isRoot) {
        out << "NameSpace='Standard'";
    }
    out << " >\n";
    for (const auto& child : node.children) {
        element("pFeature", child->name);
    }
    for (const std::string& feature : node.features) {
        element("pFeature", feature);
    }
    closeTag("Category");
    for (const auto& child : node.children) {
        writeCategory(*child, false);
    }
}

void ParameterInfoBuilderXML::Private::writeFooter()
{
    out << "<Port Name=\"" << kPortName << "\"></Port>\n"
        << "</RegisterDescription>\n";
}

ParameterInfoBuilderXML::ParameterInfoBuilderXML(ParameterInfoRegistry& registry, const char* appletName,
                                                 std::uint32_t port)
    : d_(std::make_unique<Private>(registry, appletName, port))
{
}

ParameterInfoBuilderXML::~ParameterInfoBuilderXML() = default;

std::string ParameterInfoBuilderXML::build()
{
    d_->reset();
    d_->writeHeader();
    for (const ParameterInfoEntry* root = d_->registry.getRoot(d_->port); root != nullptr; root = root->next) {
        d_->walk(*root);
    }
    d_->writeCategory(*d_->root, true);
    d_->writeFooter();
    return d_->out.str();
}

}  // namespace velm
