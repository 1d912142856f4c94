// What parameter calls (on Belcora) and the whole operations (the XML of
// every port, a save and load, a creation and free of every deliverable)
// cost, measured through the exports as a caller sees them, each next to a
// baseline in the same run: a bare lock, a map lookup and an indirect call,
// the least any locked parameter call can cost. The stand-ins' own cost for
// the register writes a call makes is measured on its own, so that it does
// not hide the applet's. Not a test: it prints figures and ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "AppletLibrary.h"
#include "BuiltDeliverables.h"
#include "ParameterIds.h"
#include "DesignLoader.h"
#include "HostApi.h"
#include "Platform.h"

namespace velm::bench {
namespace {

using test::AppletLibrary;
using test::libraryPath;

constexpr int32_t kHostTimeout = 2000600;
constexpr int32_t kDirectXLength = 1001005;

// ---- the baseline ----

using Answer = int (*)(void*);
int copyValue(void* value)
{
    *static_cast<int32_t*>(value) = 1024;
    return 0;
}

struct Baseline {
    std::recursive_mutex lock;
    std::map<int32_t, Answer> answers;
    Baseline()
    {
        for (int32_t id = 0; id < 74; ++id) {
            answers[id * 997 % 300011] = &copyValue;
        }
        answers[FG_WIDTH] = &copyValue;
    }
};

void BM_Baseline_LockLookupCall(benchmark::State& state)
{
    Baseline baseline;
    int32_t value = 0;
    for (auto _ : state) {
        std::lock_guard<std::recursive_mutex> guard(baseline.lock);
        auto found = baseline.answers.find(FG_WIDTH);
        benchmark::DoNotOptimize(found->second(&value));
    }
}
BENCHMARK(BM_Baseline_LockLookupCall);

// ---- the applets and their instances ----

// One loaded library of each deliverable, kept for the whole run.
AppletLibrary& deliverable(const std::string& name)
{
    static std::map<std::string, AppletLibrary*> loaded;
    AppletLibrary*& library = loaded[name];
    if (library == nullptr) {
        library = new AppletLibrary(libraryPath(name + ".so"));
    }
    return *library;
}

// The applet of the parameter calls and of the large designs.
AppletLibrary& belcora()
{
    return deliverable("belcora");
}

// An instance for the length of a benchmark, freed at its end.
struct Instance {
    explicit Instance(AppletLibrary& from) : library(from)
    {
        int32_t error = 0;
        handle.instance = library.Std_entry(0, &error, 0);
    }
    ~Instance() { library.Fg_FreeGrabber(&handle); }
    AppletLibrary& library;
    AppletHandle handle{nullptr};
};

// ---- the parameter calls, on one Belcora instance ----

// The stand-ins log every register access and every host call; benchmarks
// clear the logs now and then so that they do not grow without end: a
// growing log would add its page faults to the figure of every call.
void clearLogEvery(std::int64_t iteration)
{
    if ((iteration & 0xFFF) == 0) {
        simClearLog();
    }
}

// `call` is the export to time, the library's get or set. The applet reads
// the direct access switch only at its creation, so the switch may stay set
// for the whole benchmark.
template <typename Export, typename T>
void benchmarkParameter(benchmark::State& state, Export AppletLibrary::*call, int32_t id, T value,
                        bool directAccess = false)
{
    test::ScopedEnvironment direct("VELM_ENABLE_DRA", directAccess ? "1" : nullptr);
    Instance instance(belcora());
    std::int64_t iteration = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize((instance.library.*call)(&instance.handle, id, &value, 0, 0));
        clearLogEvery(++iteration);
    }
    simClearLog();
}

constexpr auto kGet = &AppletLibrary::Fg_getParameterWithType;
constexpr auto kSet = &AppletLibrary::Fg_setParameterWithType;

void BM_Get_Int(benchmark::State& state) { benchmarkParameter(state, kGet, FG_WIDTH, int32_t{0}); }
void BM_Get_Double(benchmark::State& state) { benchmarkParameter(state, kGet, FG_GEN_FREQ, 0.0); }
void BM_Get_Element(benchmark::State& state)
{
    benchmarkParameter(state, kGet, FG_LUT_VALUE_RED, FieldElement{0, 17});
}
void BM_Get_HostWindow(benchmark::State& state) { benchmarkParameter(state, kGet, kHostTimeout, int32_t{0}); }
void BM_Get_DirectRegister(benchmark::State& state)
{
    benchmarkParameter(state, kGet, kDirectXLength, int32_t{0}, true);
}
void BM_Set_IntNoWrite(benchmark::State& state)
{
    benchmarkParameter(state, kSet, FG_CAMERA_LINK_CAMTYPE, int32_t{214});
}
void BM_Set_IntOneWrite(benchmark::State& state) { benchmarkParameter(state, kSet, FG_USEDVAL, int32_t{1}); }
void BM_Set_DoubleOneWrite(benchmark::State& state) { benchmarkParameter(state, kSet, FG_SCALINGFACTOR_RED, 1.5); }
void BM_Set_ElementOneWrite(benchmark::State& state)
{
    benchmarkParameter(state, kSet, FG_LUT_VALUE_RED, FieldElement{9, 17});
}
void BM_Set_HostWindow(benchmark::State& state) { benchmarkParameter(state, kSet, kHostTimeout, int32_t{500}); }
void BM_Set_DirectRegister(benchmark::State& state)
{
    benchmarkParameter(state, kSet, kDirectXLength, int32_t{64}, true);
}
BENCHMARK(BM_Get_Int);
BENCHMARK(BM_Get_Double);
BENCHMARK(BM_Get_Element);
BENCHMARK(BM_Get_HostWindow);
BENCHMARK(BM_Get_DirectRegister);
BENCHMARK(BM_Set_IntNoWrite);
BENCHMARK(BM_Set_IntOneWrite);
BENCHMARK(BM_Set_DoubleOneWrite);
BENCHMARK(BM_Set_ElementOneWrite);
BENCHMARK(BM_Set_HostWindow);
BENCHMARK(BM_Set_DirectRegister);

// ---- the stand-ins alone ----

struct HostAlone {
    HostAlone()
    {
        module = os::loadLibraryFile(libraryPath(test::standInFileName("acqhost")).c_str());
        auto init = reinterpret_cast<HostInitHandle>(os::findSymbol(module, "Fg_InitHandle"));
        set = reinterpret_cast<HostSetParameterWithType>(os::findSymbol(module, "Fg_setParameterWithType"));
        setHost = reinterpret_cast<HostSetParameter>(os::findSymbol(module, "Fg_setParameter"));
        void* block = nullptr;
        uintptr_t size = 0;
        belcora().Info(1042, 0, 0, &size, &block);
        design = openDesignMemory(block, static_cast<std::size_t>(size), 1);
        handle = init("Belcora.hap", 0, design);
        registerId = getRegisterId(design, "Device1_Process0_Camera_UseDval");
    }
    ~HostAlone()
    {
        reinterpret_cast<HostFreeGrabber>(os::findSymbol(module, "Fg_FreeGrabber"))(handle);
        releaseDesign(design);
        os::freeLibrary(module);
    }
    os::ModuleHandle module = nullptr;
    HostSetParameterWithType set = nullptr;
    HostSetParameter setHost = nullptr;
    void* design = nullptr;
    void* handle = nullptr;
    uint32_t registerId = 0;
};

void BM_StandIn_HostRegisterWrite(benchmark::State& state)
{
    HostAlone host;
    const uint32_t value = 1;
    std::int64_t iteration = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.set(host.handle, host.registerId, &value, 0, velm::kHostValueInt32));
        clearLogEvery(++iteration);
    }
    simClearLog();
}
BENCHMARK(BM_StandIn_HostRegisterWrite);

void BM_StandIn_HostParameterSet(benchmark::State& state)
{
    HostAlone host;
    const int32_t value = 500;
    std::int64_t iteration = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(host.setHost(host.handle, 600, &value, 0));
        clearLogEvery(++iteration);
    }
    simClearLog();
}
BENCHMARK(BM_StandIn_HostParameterSet);

void BM_StandIn_BoardRegisterWrite(benchmark::State& state)
{
    HostAlone host;  // the board refuses every register until a host init puts a design on it
    std::int64_t iteration = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(writeRegister(0, 1005, 64));
        clearLogEvery(++iteration);
    }
    simClearLog();
}
BENCHMARK(BM_StandIn_BoardRegisterWrite);

// ---- whole operations of every applet the build makes ----

// A port's XML as a caller fetches it: the size first, then the text.
int32_t fetchXml(Instance& instance, uint32_t port, std::vector<char>& buffer)
{
    size_t size = 0;
    instance.library.Fg_getParameterInfoXML(&instance.handle, port, nullptr, &size);
    buffer.resize(size);
    return instance.library.Fg_getParameterInfoXML(&instance.handle, port, buffer.data(), &size);
}

void BM_Xml(benchmark::State& state, const std::string& name, uint32_t port)
{
    Instance instance(deliverable(name));
    std::vector<char> buffer;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fetchXml(instance, port, buffer));
    }
}

void BM_SaveAndLoad(benchmark::State& state, const std::string& name)
{
    Instance instance(deliverable(name));
    test::ScratchDirectory scratch;
    const std::string file = scratch.file("bench.mcf");
    for (auto _ : state) {
        instance.library.Fg_saveConfig(&instance.handle, file.c_str());
        benchmark::DoNotOptimize(instance.library.Fg_loadConfig(&instance.handle, file.c_str()));
        simClearLog();
    }
}

void BM_CreateAndFree(benchmark::State& state, const std::string& name)
{
    AppletLibrary& library = deliverable(name);
    for (auto _ : state) {
        int32_t error = 0;
        AppletHandle handle{library.Std_entry(0, &error, 0)};
        benchmark::DoNotOptimize(library.Fg_FreeGrabber(&handle));
        simClearLog();
    }
}

// Every deliverable of the build, the XML description of each of its ports.
void registerWholeOperations()
{
    for (const std::string& name : test::builtDeliverables()) {
        uint32_t ports = 0;
        {
            Instance instance(deliverable(name));
            size_t size = 0;
            while (instance.library.Fg_getParameterInfoXML(&instance.handle, ports, nullptr, &size) == 0) {
                ++ports;
            }
        }
        for (uint32_t port = 0; port < ports; ++port) {
            benchmark::RegisterBenchmark(("BM_Xml/" + name + "/port" + std::to_string(port)).c_str(), BM_Xml, name,
                                         port)
                ->Unit(benchmark::kMicrosecond);
        }
        benchmark::RegisterBenchmark(("BM_SaveAndLoad/" + name).c_str(), BM_SaveAndLoad, name)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_CreateAndFree/" + name).c_str(), BM_CreateAndFree, name)
            ->Unit(benchmark::kMicrosecond);
    }
    simClearLog();
}

// ---- a design of many registers, with direct register access ----

struct LargeDesign {
    explicit LargeDesign(int64_t registers)
    {
        std::ofstream design(scratch.file("Belcora.hap"));
        void* block = nullptr;
        uintptr_t size = 0;
        belcora().Info(1042, 0, 0, &size, &block);
        std::string text(static_cast<const char*>(block), static_cast<std::size_t>(size));
        text.erase(text.rfind("end"));
        design << text;
        for (int64_t r = 0; r < registers; ++r) {
            design << "register " << (100000 + r) << " " << (r % 2 == 0 ? 32 : 16) << " rw Device1_Process2_Scale_R"
                   << r << "\n";
        }
        design << "end\n";
    }
    test::ScratchDirectory scratch;
    test::ScopedEnvironment external{"__VELM_FORCE_EXTERNAL_HAP", "1"};
    test::ScopedEnvironment direct{"VELM_ENABLE_DRA", "1"};
};

void BM_Scale_CreateAndFree(benchmark::State& state)
{
    LargeDesign design(state.range(0));
    AppletLibrary& library = belcora();
    for (auto _ : state) {
        int32_t error = 0;
        AppletHandle handle{library.Std_entry(0, &error, 0)};
        if (handle.instance == nullptr) {
            state.SkipWithError("Std_entry failed");
            break;
        }
        library.Fg_FreeGrabber(&handle);
        simClearLog();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Scale_CreateAndFree)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_Scale_Lookups(benchmark::State& state)
{
    LargeDesign design(state.range(0));
    Instance instance(belcora());
    AppletLibrary& library = instance.library;
    const std::string name = "DRA_Device1_Process2_Scale_R" + std::to_string(state.range(0) / 2);
    const int32_t index = static_cast<int32_t>(74 + 41 + state.range(0) / 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(library.Fg_getParameterIdByName(&instance.handle, name.c_str()));
        benchmark::DoNotOptimize(library.Fg_getParameterName(&instance.handle, index));
        benchmark::DoNotOptimize(library.Fg_getParameterId(&instance.handle, index));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Scale_Lookups)->Arg(1000)->Arg(3000)->Arg(10000)->Complexity();

void BM_Scale_Xml(benchmark::State& state)
{
    LargeDesign design(state.range(0));
    Instance instance(belcora());
    std::vector<char> buffer;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fetchXml(instance, 0, buffer));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Scale_Xml)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();

// Prints every result once more as a ratio to the baseline of the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                results_.emplace_back(run.benchmark_name(), run.GetAdjustedRealTime() *
                                                                benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                                                                benchmark::GetTimeUnitMultiplier(run.time_unit));
            }
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        double baseline = 0;
        for (const auto& [name, nanoseconds] : results_) {
            if (name.rfind("BM_Baseline", 0) == 0) {
                baseline = nanoseconds;
            }
        }
        std::printf("\n%-40s %14s %10s\n", "benchmark", "ns", "x baseline");
        for (const auto& [name, nanoseconds] : results_) {
            std::printf("%-40s %14.1f %10.2f\n", name.c_str(), nanoseconds, baseline > 0 ? nanoseconds / baseline : 0.0);
        }
    }

private:
    std::vector<std::pair<std::string, double>> results_;
};

}  // namespace
}  // namespace velm::bench

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    velm::bench::registerWholeOperations();
    velm::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
