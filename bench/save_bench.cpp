// The cost of a durable save: a full table of 64 duct styles written with
// WriteConfigLines, and the nine settings, each flushed to the disk with its
// folder. Run in a folder on the disk that holds the user's files (the
// working folder by default, or the one given with KESTRIX_SAVE_BENCH_DIR).
#include "config/config_writer.h"
#include "config/settings.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString BenchFolder() {
    const QString base = qEnvironmentVariable("KESTRIX_SAVE_BENCH_DIR", QDir::currentPath());
    return base + QStringLiteral("/kestrix-save-bench-XXXXXX");
}

void StyleFileSave(benchmark::State& state) {
    QTemporaryDir dir(BenchFolder());
    kestrix::DuctStyleTable table{};
    for (size_t k = 0; k < table.size(); ++k)
        table[k] = {
            "Style " + std::to_string(k) + std::string(100, 'n'), "1", "8.0", "0.10", "0", "4.0"};
    const std::vector<std::string> lines =
        kestrix::DuctStyleFileLines(table, kestrix::Language::English).lines;
    for (auto _ : state) {
        if (!kestrix::WriteConfigLines(dir.path(), "KSX_Set1_e.cfg", lines).saved)
            state.SkipWithError("not saved");
    }
}
BENCHMARK(StyleFileSave)->Unit(benchmark::kMillisecond)->UseRealTime();

void SettingsSave(benchmark::State& state) {
    QTemporaryDir dir(BenchFolder());
    kestrix::Settings settings(dir.filePath(QStringLiteral("Kestrix.ini")));
    kestrix::SettingsToSave values;
    for (auto _ : state) {
        ++values.top;
        if (!settings.save(values)) state.SkipWithError("not saved");
    }
}
BENCHMARK(SettingsSave)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
