// Several callers at once, as an acquisition program with many threads would
// be: eight threads setting and getting parameters on one instance, others
// working on instances of their own, one saving and loading configuration
// files, one creating and freeing instances, one walking the instance's
// parameter-info tree without a lock, as a host does. Built under
// ThreadSanitizer in CI, where any data race fails the run; here it also
// checks that every value read back is one that some thread set.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "AppletLibrary.h"
#include "BuiltDeliverables.h"
#include "ParameterIds.h"
#include "ParameterInfoRegistry.h"

namespace velm::test {
namespace {

// A field of the tree as a host may read it while setters move limits: whole,
// never torn.
template <typename Field>
double loadField(const Field& field)
{
    Field value{};
    __atomic_load(&field, &value, __ATOMIC_RELAXED);
    return static_cast<double>(value);
}

// Every access flag and limit of an entry and of everything under it; the
// sum only keeps the reads.
double walkEntry(const ParameterInfoEntry& entry)
{
    double sum = loadField(entry.access);
    switch (entry.type) {
    case kInfoCategory:
        for (int32_t i = 0; i < entry.value.category.childCount; ++i) {
            sum += walkEntry(*entry.value.category.children[i]);
        }
        break;
    case kInfoInt:
    case kInfoRegisterInt:
        sum += loadField(entry.value.integer.min) + loadField(entry.value.integer.max);
        break;
    case kInfoDouble:
        sum += loadField(entry.value.floating.min) + loadField(entry.value.floating.max);
        break;
    default:
        break;
    }
    return sum;
}

// Values the threads set: a read must give one of these (or the default).
const std::set<int32_t> kWidths = {1024, 512, 768, 2048, 4096, 256};
const std::set<double> kFrequencies = {40.0, 20.0, 60.0, 80.0};
const std::set<int32_t> kSources = {5, 0, 1, 2, 3, 4};

#ifdef VELM_STRESS_ROUNDS
constexpr int kRounds = VELM_STRESS_ROUNDS;
#else
constexpr int kRounds = 200;
#endif

// Every deliverable of the build takes these values: widths in steps of 8,
// frequencies within the generator's range, trigger sources and levels.
class Concurrency : public ::testing::TestWithParam<std::string> {};

TEST_P(Concurrency, ManyCallersOnSharedAndOwnInstances)
{
    AppletLibrary library(libraryPath(GetParam()));
    ScratchDirectory scratch;
    int32_t error = 0;
    AppletHandle shared{library.Std_entry(0, &error, 0)};
    ASSERT_NE(shared.instance, nullptr) << error;

    std::atomic<bool> start{false};
    std::atomic<int> wrongReads{0};
    std::atomic<int> failedCalls{0};
    std::vector<std::thread> threads;

    auto waitForStart = [&] {
        while (!start.load()) {
            std::this_thread::yield();
        }
    };

    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            waitForStart();
            std::vector<int32_t> widths(kWidths.begin(), kWidths.end());
            std::vector<double> frequencies(kFrequencies.begin(), kFrequencies.end());
            std::vector<int32_t> sources(kSources.begin(), kSources.end());
            for (int round = 0; round < kRounds; ++round) {
                const int pick = (round + t) % 4;
                if (library.setInt(&shared, FG_WIDTH, widths[(round * 7 + t) % widths.size()]) != 0 ||
                    library.setDouble(&shared, FG_GEN_FREQ, frequencies[pick]) != 0 ||
                    library.setInt(&shared, FG_CC2, sources[(round + t) % sources.size()]) != 0) {
                    failedCalls++;
                }
                AppletFieldElement element{static_cast<uint32_t>(round % 256), static_cast<uint32_t>(t)};
                library.Fg_setParameterWithType(&shared, FG_LUT_VALUE_RED, &element, 0, 4098);
                if (kWidths.count(static_cast<int32_t>(library.getInt(&shared, FG_WIDTH))) == 0 ||
                    kFrequencies.count(library.getDouble(&shared, FG_GEN_FREQ)) == 0 ||
                    kSources.count(static_cast<int32_t>(library.getInt(&shared, FG_CC2))) == 0) {
                    wrongReads++;
                }
                library.Fg_getLastErrorNumber(&shared);
                library.Fg_getParameterIdByName(&shared, "FG_HEIGHT");
                library.Fg_getEventMask(&shared, "FG_OVERFLOW_CAM0");
            }
        });
    }

    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            waitForStart();
            int32_t ownError = 0;
            AppletHandle own{library.Std_entry(static_cast<uintptr_t>(t + 1), &ownError, 0)};
            if (own.instance == nullptr) {
                failedCalls++;
                return;
            }
            for (int round = 0; round < kRounds; ++round) {
                library.setInt(&own, FG_WIDTH, 512 + 8 * (round % 16));
                if (library.getInt(&own, FG_WIDTH) != 512 + 8 * (round % 16)) {
                    wrongReads++;
                }
                size_t size = 0;
                library.Fg_getParameterInfoXML(&own, 0, nullptr, &size);
            }
            library.Fg_FreeGrabber(&own);
        });
    }

    threads.emplace_back([&] {
        waitForStart();
        const std::string name = scratch.file("shared.mcf");
        for (int round = 0; round < kRounds / 10; ++round) {
            if (library.Fg_saveConfig(&shared, name.c_str()) != 0) {
                failedCalls++;
            }
            const int32_t loaded = library.Fg_loadConfig(&shared, name.c_str());
            if (loaded != 0) {
                failedCalls++;
            }
            size_t size = 0;
            library.Fg_getParameterInfoXML(&shared, 0, nullptr, &size);
        }
    });

    threads.emplace_back([&] {
        waitForStart();
        for (int round = 0; round < kRounds / 10; ++round) {
            int32_t ownError = 0;
            AppletHandle own{library.Std_entry(7, &ownError, 0)};
            if (own.instance == nullptr) {
                failedCalls++;
                continue;
            }
            uintptr_t board = 0;
            library.Info(4144, 0, 0, &board, nullptr);
            library.enumerationValue("VCC");
            library.Fg_FreeGrabber(&own);
        }
    });

    threads.emplace_back([&] {
        waitForStart();
        const ParameterInfoEntry* root = library.Fg_getParameterInfo(&shared, 0);
        double sum = 0;
        for (int round = 0; root != nullptr && round < kRounds; ++round) {
            for (const ParameterInfoEntry* entry = root; entry != nullptr; entry = entry->next) {
                sum += walkEntry(*entry);
            }
        }
        if (root == nullptr || sum == 0) {
            failedCalls++;
        }
    });

    start = true;
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrongReads.load(), 0);
    EXPECT_EQ(failedCalls.load(), 0);
    EXPECT_EQ(library.Fg_FreeGrabber(&shared), 0);
}

INSTANTIATE_TEST_SUITE_P(Deliverables, Concurrency, ::testing::ValuesIn(builtDeliverableFiles()), libraryName);

}  // namespace
}  // namespace velm::test
