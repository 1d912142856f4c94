// What the framework's unit tests share: a scratch directory per test, whole
// files as text, and an applet class with nothing but stubs, through which
// the base class's configuration and XML operations are driven.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "FgPlWrapper.h"
#include "Fg_ConfigFileParser.h"

namespace velm::units {

class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::random_device random;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("velm_units_" + std::string(test != nullptr ? test->name() : "any") + "_" +
                 std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Read as text: the framework writes its files as text, which on Windows
// ends every line with "\r\n" where Linux has "\n"; read as text, both are
// the same lines.
inline std::string readWhole(const std::string& fileName)
{
    std::ifstream file(fileName);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void writeWhole(const std::string& fileName, const std::string& text)
{
    std::ofstream file(fileName, std::ios::binary);
    file << text;
}

inline std::string expectedFile(const std::string& name)
{
    return std::string(VELM_UNITS_EXPECTED_DIR) + "/" + name;
}

class StubApplet : public FgPlWrapper {
public:
    std::function<bool(Fg_ConfigFileParser&)> onRead;
    std::function<void(Fg_ConfigFileParser&)> onWrite;
    const char* appletName = "Testlet";

    bool readParametersFromConfig(Fg_ConfigFileParser& parser) override { return onRead ? onRead(parser) : true; }
    void writeParametersToConfig(Fg_ConfigFileParser& parser) override
    {
        if (onWrite) {
            onWrite(parser);
        }
    }
    void processChannelToDma() override {}
    void mapDmaToFormat() override {}
    void setDmaAlignment() override {}
    void getDmaAlignment() override {}
    void buildParameterInfo() override {}
    std::int32_t setParameterWithType(std::int32_t, const void*, std::uint32_t) override { return 0; }
    std::int32_t getParameterWithType(std::int32_t, void*, std::uint32_t) override { return 0; }
    std::int32_t getParameterIdByName(const char*) override { return 0; }
    const char* getParameterName(std::int32_t) override { return nullptr; }
    std::int32_t getParameterId(std::int32_t) override { return 0; }
    std::int32_t getNrOfParameter() override { return 0; }
    const char* getVendorName() override { return "Velmarint"; }
    const char* getAppletName() override { return appletName; }
    const char* getAppletVersion() override { return "1.0"; }
    std::int32_t getAppletId() override { return 42; }
};

}  // namespace velm::units
