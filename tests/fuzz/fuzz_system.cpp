// Fuzz entry for the duct-system file: any bytes are read as a system file;
// what reads must write back to a file that reads to the same system, and
// must calculate and report without a fault, whatever its content.
#include "config/system_texts.h"
#include "engine/duct_system.h"
#include "engine/duct_system_file.h"
#include "engine/duct_system_report.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrix;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SystemFileResult read = ReadSystemJson(text);
    if (!read.ok) {
        Check(!SystemFileErrorText(read).empty() && read.line > 0);
        return 0;
    }
    const std::string written = WriteSystemJson(read.file);
    const SystemFileResult again = ReadSystemJson(written);
    Check(again.ok);
    Check(WriteSystemJson(again.file) == written);

    SystemFile& file = read.file;
    const bool pa = file.system.settings.pressureInPa;
    file.system.settings.criteria = {
        file.choice.roughness.value_or(0.18), file.choice.velocity.value_or(8.0),
        file.choice.loss.value_or(pa ? 1.0 : 0.1), file.choice.aspect.value_or(4.0), pa};
    const SystemResult result = CalculateSystem(file.system);
    if (!result.ok()) {
        for (const SystemProblem& problem : result.problems)
            Check(!SystemProblemText(problem).empty());
        return 0;
    }
    Check(result.paths.size() >= 1 && result.criticalPath < result.paths.size());
    for (const PathResult& path : result.paths)
        Check(!(path.surplus < 0));
    for (const auto format :
         {SystemReportFormat::Json, SystemReportFormat::Csv, SystemReportFormat::Markdown})
        Check(!SystemReport(file.system, result, format).empty());
    return 0;
}
