#include "foundation/text/LStrList.h"
#include "platform/devices/DeviceRegistry.h"
#include "platform/resources/ResourceFile.h"
#include "platform/devices/TestDeviceBackend.h"
#include "shell/resources/LRegionalResSource.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr uint32_t kDialogTexts = 0x43535423; // 'CST#'

// A resource file of n string lists named L0 .. L<n-1>, every tenth with a Japanese variant,
// written to a temporary file and opened.
int OpenFileOf(int n)
{
    std::vector<plat::ResourceEntry> entries;
    for (int i = 0; i < n; ++i) {
        entries.push_back({kDialogTexts, 128 + 2 * i, "L" + std::to_string(i), {0, 1, 'a', 0}});
        if (i % 10 == 0)
            entries.push_back({kDialogTexts, 129 + 2 * i, "L" + std::to_string(i) + "_J", {0, 1, 'b', 0}});
    }
    std::vector<uint8_t> bytes;
    (void)plat::PackResources(entries, bytes);
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/sonalyx-bench-" + std::to_string(n) + ".rsrc";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    const int ref = plat::OpenResourceFile(path, nullptr);
    std::remove(path.c_str());
    return ref;
}

} // namespace

// A Japanese user's lookup of a list that has no regional variant: two lookups, the second wins.
static void BM_RegionalStringListFallback(benchmark::State& state)
{
    const int n = int(state.range(0));
    const int ref = OpenFileOf(n);
    LRegionalResSource source(ref, kRegionJP);
    const std::string name = "L" + std::to_string(n - 1);
    for (auto _ : state) {
        LStrList list({0, name.c_str()}, &source, kDialogTexts);
        benchmark::DoNotOptimize(list.Count());
    }
    plat::CloseResourceFile(ref);
}
BENCHMARK(BM_RegionalStringListFallback)->Arg(50)->Arg(500);

// The sysfs watcher's steady state: a scan that finds the same devices as the last one.
static void BM_DeviceUpdateUnchanged(benchmark::State& state)
{
    plat::DeviceRegistry registry;
    const uint32_t source = registry.NewSource();
    std::vector<plat::DeviceInfo> devices;
    for (int i = 0; i < state.range(0); ++i)
        devices.push_back(plat::TestDeviceBackend::Usb("usb:1-" + std::to_string(i), 0x0403, i));
    registry.Update(source, devices);
    for (auto _ : state)
        registry.Update(source, devices);
}
BENCHMARK(BM_DeviceUpdateUnchanged)->Arg(16)->Arg(128);
