// Writes one port's parameter-info tree as an XML register description in
// the GenICam GenApi 1.0 schema: a register node and a feature node for
// every visible integer, enumeration, string and double entry, then the
// categories. Built anew for every request; nothing is cached.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace velm {

class ParameterInfoRegistry;

class ParameterInfoBuilderXML {
public:
    // Both are borrowed for the builder's life. The instance that owns the
    // registry gives its applet name, so that the tree and its XML need
    // nothing of the instance itself.
    ParameterInfoBuilderXML(ParameterInfoRegistry& registry, const char* appletName, std::uint32_t port);
    virtual ~ParameterInfoBuilderXML();
    ParameterInfoBuilderXML(const ParameterInfoBuilderXML&) = delete;
    ParameterInfoBuilderXML& operator=(const ParameterInfoBuilderXML&) = delete;

    std::string build();

private:
    struct Private;
    std::unique_ptr<Private> d_;
};

}  // namespace velm
