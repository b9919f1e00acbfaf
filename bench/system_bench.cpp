// Whole duct systems of 10,000 sections: the engine alone, kestrix-calc's
// system command in-process (read, size, report JSON), and the console tool
// as a process, as a user runs it. Target: the console tool within 100 ms.

#include "app/calc_cli.h"
#include "engine/duct_system.h"
#include "engine/duct_system_file.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

using namespace kestrix;

// A supply system as designers draw them: a tree of 2,000 main and branch
// sections, each feeding at least one of 8,000 terminals of 20 to 120 CMH,
// round and rectangular sections, fittings on every third section and a
// fixed loss at every terminal.
std::string GeneratedSystem(int sections) {
    std::mt19937 random(21);
    const int branches = sections / 5;
    std::ostringstream out;
    out << R"({"name": "Benchmark", "units": "Pa", "roughness": 0.18,
 "limits": {"velocity": 10, "loss": 1.0, "aspect": 4}, "shape": "rectangular",
 "sections": [)";
    for (int i = 0; i < sections; ++i) {
        const bool terminal = i >= branches;
        int upstream = -1;
        if (i > 0 && !terminal) upstream = static_cast<int>(random() % static_cast<unsigned>(i));
        if (terminal) {
            const int k = i - branches;
            upstream =
                k < branches ? k : static_cast<int>(random() % static_cast<unsigned>(branches));
        }
        out << (i ? ",\n" : "\n") << "  {\"id\": \"S" << i << "\", \"upstream\": ";
        if (upstream < 0)
            out << "null";
        else
            out << "\"S" << upstream << "\"";
        out << ", \"length\": " << 1 + random() % 20;
        if (terminal) out << ", \"flow\": " << 20 + 5 * (random() % 21) << ", \"fixed_loss\": 15";
        if (i % 2) out << ", \"shape\": \"round\"";
        if (i % 3 == 0) out << ", \"fittings\": [0.3, {\"name\": \"tee\", \"c\": 0.15}]";
        out << "}";
    }
    out << "]}\n";
    return out.str();
}

struct Fixture {
    QTemporaryDir dir;
    std::string path;
    std::string text;
    Fixture() : text(GeneratedSystem(10000)) {
        path = QDir(dir.path()).filePath(QStringLiteral("system-10000.json")).toStdString();
        std::ofstream(path, std::ios::binary) << text;
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_CalculateSystem_10000(benchmark::State& state) {
    const SystemFileResult read = ReadSystemJson(Shared().text);
    SystemFile file = read.file;
    file.system.settings.criteria = {0.18, 10, 1.0, 4, true};
    for (auto _ : state) {
        SystemResult result = CalculateSystem(file.system);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculateSystem_10000)->Unit(benchmark::kMillisecond);

void BM_SystemCommandInProcess_10000(benchmark::State& state) {
    const std::string path = Shared().path;
    for (auto _ : state) {
        std::istringstream in;
        std::ostringstream out, err;
        const int status =
            RunCalc({"system", "--lang", "en", "--format", "json", path}, in, out, err);
        if (status != 0) state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_SystemCommandInProcess_10000)->Unit(benchmark::kMillisecond);

void BM_ConsoleTool_10000(benchmark::State& state) {
    const QString path = QString::fromStdString(Shared().path);
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(KESTRIX_CALC_PATH),
                      {QStringLiteral("system"), QStringLiteral("--lang"), QStringLiteral("en"),
                       QStringLiteral("--format"), QStringLiteral("json"), path});
        process.waitForFinished(-1);
        if (process.exitCode() != 0) state.SkipWithError("kestrix-calc failed");
        benchmark::DoNotOptimize(process.readAllStandardOutput());
    }
}
BENCHMARK(BM_ConsoleTool_10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
