// A test that works on one instance of a loaded library, freed at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "AppletLibrary.h"
#include "ParameterInfoSearch.h"
#include "RegisterAccesses.h"

namespace velm::test {

// Checks with xmllint that a document is well-formed XML. xmllint runs on the
// build machine only; where it cannot run, the calling test is skipped after
// its other checks.
inline void expectWellFormedXml(const std::string& document)
{
#ifdef _WIN32
    (void)document;
    GTEST_SKIP() << "xmllint runs on the build machine only";
#else
    if (std::system("xmllint --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xmllint is not installed";
    }
    ScratchDirectory scratch;
    const std::string written = scratch.file("document.xml");
    std::ofstream(written, std::ios::binary) << document;
    EXPECT_EQ(std::system(("xmllint --noout " + written).c_str()), 0);
#endif
}

// The text of an XML document from `open` up to the end of the first
// `close` after it; "" when `open` is not there.
inline std::string xmlPart(const std::string& document, const std::string& open, const std::string& close)
{
    const std::size_t start = document.find(open);
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t end = document.find(close, start);
    return document.substr(start, end == std::string::npos ? std::string::npos : end + close.size() - start);
}

// One change of a file's text: `from` replaced by `to` at its first
// occurrence or, with `last`, at its last (that of the last port's section).
struct Replacement {
    std::string from;
    std::string to;
    bool last = false;
};

// Writes `content` with the replacements made to `path`; gives the path.
inline std::string writeEdited(const std::string& path, std::string content,
                               const std::vector<Replacement>& replacements)
{
    for (const Replacement& r : replacements) {
        const std::size_t at = r.last ? content.rfind(r.from) : content.find(r.from);
        EXPECT_NE(at, std::string::npos) << r.from;
        if (at != std::string::npos) {
            content.replace(at, r.from.size(), r.to);
        }
    }
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// A value set on a port, its answer, the value kept afterwards and the
// register accesses it made.
template <typename Value, typename Kept>
struct SetCaseOf {
    const char* what;
    int32_t id;
    Value value;
    int32_t result;
    Kept keptAfter;
    std::vector<Access> accesses;
    uint32_t port = 0;
};
using SetCase = SetCaseOf<int32_t, int64_t>;
using DoubleSetCase = SetCaseOf<double, double>;

// A set on a port and the maximum it moves its partner's entry to.
struct LimitCase {
    const char* what;
    int32_t id;
    int32_t value;
    const char* moved;
    int32_t max;
    uint32_t port = 0;
};

class InstanceFixture : public ::testing::Test {
protected:
    // Loads the library (a path, or a file of the build's library directory)
    // and creates an instance on board 0; the logs start empty afterwards.
    void create(const std::string& library)
    {
        const std::string path = library.find_first_of("/\\") == std::string::npos ? libraryPath(library) : library;
        library_ = std::make_unique<AppletLibrary>(path);
        int32_t error = 0;
        handle_.instance = library_->Std_entry(0, &error, 0);
        ASSERT_NE(handle_.instance, nullptr) << "Std_entry: " << error;
        simClearLog();
    }

    // The same from a copy of the library in a directory of its own, beside
    // an "inspect.conf" holding `settings`. The copy's name (the library's
    // own when none is given) is its settings section's.
    void createBesideSettings(const std::string& library, const std::string& settings,
                              const std::string& copyName = {})
    {
        settingsDirectory_ = std::make_unique<ScratchDirectory>();
        copy_ = std::make_unique<IsolatedLibrary>(*settingsDirectory_, library,
                                                  copyName.empty() ? library : copyName);
        std::ofstream(settingsDirectory_->file("inspect.conf")) << settings;
        create(copy_->path());
    }

    void free()
    {
        if (library_ && handle_.instance != nullptr) {
            library_->Fg_FreeGrabber(&handle_);
        }
    }

    void TearDown() override { free(); }

    AppletLibrary& lib() { return *library_; }
    AppletHandle* handle() { return &handle_; }

    // Parameter calls on a port; port 0 is the only one of a one-camera
    // applet.
    int64_t getInt(int32_t id, uint32_t port = 0) { return lib().getInt(handle(), id, port); }
    double getDouble(int32_t id, uint32_t port = 0) { return lib().getDouble(handle(), id, port); }
    std::string getText(int32_t id, uint32_t port = 0) { return lib().getText(handle(), id, port); }
    int32_t setInt(int32_t id, int32_t value, uint32_t port = 0) { return lib().setInt(handle(), id, value, port); }
    int32_t setDouble(int32_t id, double value, uint32_t port = 0)
    {
        return lib().setDouble(handle(), id, value, port);
    }
    int32_t setText(int32_t id, const std::string& value, uint32_t port = 0)
    {
        return lib().setText(handle(), id, value.c_str(), port);
    }
    int32_t setElement(int32_t id, uint32_t value, uint32_t index, uint32_t port = 0)
    {
        AppletFieldElement element{value, index};
        return lib().Fg_setParameterWithType(handle(), id, &element, port, 4098);
    }
    int64_t getElement(int32_t id, uint32_t index, uint32_t port = 0)
    {
        return lib().getElement(handle(), id, index, port);
    }
    // Each case runs on the state the cases before it left.
    void runSetCases(const std::vector<SetCase>& cases)
    {
        for (const SetCase& c : cases) {
            simClearLog();
            EXPECT_EQ(setInt(c.id, c.value, c.port), c.result) << c.what;
            expectAfterSet(c, [&] { return getInt(c.id, c.port); });
        }
    }
    void runDoubleSetCases(const std::vector<DoubleSetCase>& cases)
    {
        for (const DoubleSetCase& c : cases) {
            simClearLog();
            EXPECT_EQ(setDouble(c.id, c.value, c.port), c.result) << c.what;
            expectAfterSet(c, [&] { return getDouble(c.id, c.port); });
        }
    }

    // Each set must succeed and move the partner's maximum in the port's
    // tree and XML description alike.
    void runLimitCases(const std::vector<LimitCase>& cases)
    {
        for (const LimitCase& c : cases) {
            ASSERT_EQ(setInt(c.id, c.value, c.port), 0) << c.what;
            EXPECT_EQ(info(c.moved, c.port)->value.integer.max, c.max) << c.what;
            const std::string entry =
                xmlPart(xml(c.port), std::string("<Integer Name='") + c.moved + "'>", "</Integer>");
            EXPECT_NE(entry.find("<Max>" + std::to_string(c.max) + "</Max>"), std::string::npos) << c.what << entry;
        }
    }

    // A parameter's entry (or a category) in a port's tree.
    const ParameterInfoEntry* info(const std::string& name, uint32_t port = 0)
    {
        return findInfo(lib().Fg_getParameterInfo(handle(), port), name);
    }

    // The whole XML description of a port, or "" when there is none.
    std::string xml(uint32_t port = 0)
    {
        size_t size = 0;
        if (lib().Fg_getParameterInfoXML(handle(), port, nullptr, &size) != 0) {
            return {};
        }
        std::string text(size, '\0');
        lib().Fg_getParameterInfoXML(handle(), port, text.data(), &size);
        text.resize(size - 1);
        return text;
    }

private:
    // The last error before anything else: a get sets it anew.
    template <typename Case, typename Get>
    void expectAfterSet(const Case& c, Get kept)
    {
        EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), c.result) << c.what;
        EXPECT_EQ(kept(), c.keptAfter) << c.what;
        EXPECT_EQ(accesses(), c.accesses) << c.what;
    }

    // Declared before the library, so that the library is unloaded before
    // its copy and directory go.
    std::unique_ptr<ScratchDirectory> settingsDirectory_;
    std::unique_ptr<IsolatedLibrary> copy_;
    std::unique_ptr<AppletLibrary> library_;
    AppletHandle handle_{nullptr};
};

}  // namespace velm::test
