// Open + load + store + save of a data file, the path every file command takes.
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "session/codeplug_session.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

struct CBenchDir {
    std::filesystem::path path;
    CBenchDir()
    {
        path = std::filesystem::temp_directory_path() / ("qrv-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(path);
        const auto resources = std::filesystem::path(QRV_BENCH_RESOURCES);
        for (const auto& entry : std::filesystem::directory_iterator(resources))
            if (entry.is_regular_file())
                std::filesystem::copy_file(entry.path(), path / entry.path().filename());
    }
    ~CBenchDir() { std::filesystem::remove_all(path); }
};

// A program directory with the shipped data and a codeplug loaded from its default image.
struct CBenchCodeplug {
    CBenchDir dir;
    qrv::CSettings settings{dir.path};
    qrv::CCodeplugSession files{settings};
    qrv::CRadioData& data = files.Data();

    CBenchCodeplug()
    {
        settings.SetReadOnly(true);
        settings.SelectLanguage(0);
        files.LoadDefaultImage();
    }
};

void OpenLoadStoreSave(benchmark::State& state)
{
    CBenchCodeplug c;
    const auto source = c.dir.path / "bench.dat";
    if (!c.files.SaveAs(source, "benchmark").ok) {
        state.SkipWithError("cannot write the source file");
        return;
    }
    const auto target = c.dir.path / "bench-out.dat";
    for (auto _ : state) {
        const bool opened = c.files.Open(source).ok;
        const bool saved = c.files.SaveAs(target, {}).ok;
        benchmark::DoNotOptimize(opened && saved);
    }
}
BENCHMARK(OpenLoadStoreSave)->Unit(benchmark::kMicrosecond);

// The two halves apart: opening (read, checks, load) and saving (checks,
// store, atomic write with its flush to the disk).
void OpenAndLoad(benchmark::State& state)
{
    CBenchCodeplug c;
    const auto source = c.dir.path / "bench.dat";
    c.files.SaveAs(source, "benchmark");
    for (auto _ : state)
        benchmark::DoNotOptimize(c.files.Open(source).ok);
}
BENCHMARK(OpenAndLoad)->Unit(benchmark::kMicrosecond);

void StoreAndSave(benchmark::State& state)
{
    CBenchCodeplug c;
    const auto target = c.dir.path / "bench.dat";
    for (auto _ : state)
        benchmark::DoNotOptimize(c.files.SaveAs(target, "benchmark").ok);
}
BENCHMARK(StoreAndSave)->Unit(benchmark::kMicrosecond);

void LoadAndStoreImage(benchmark::State& state)
{
    CBenchDir dir;
    qrv::CSettings settings(dir.path);
    settings.SetReadOnly(true);
    qrv::CRadioData data(settings);
    data.Reset();
    qrv::Image image{};
    data.StoreToImage(image);
    for (auto _ : state) {
        data.LoadFromImage(image);
        data.StoreToImage(image);
        benchmark::DoNotOptimize(image[0x580]);
    }
}
BENCHMARK(LoadAndStoreImage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
