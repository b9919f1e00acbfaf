#include "app/calc_cli.h"
#include "app/calc_commands.h"
#include "app/calc_schedule.h"
#include "app/criteria_loading.h"
#include "app/utf8.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace kestrix {
namespace {

ScheduleFormat ChooseScheduleFormat(const CommandLine& cl) {
    if (cl.json && cl.Has("--format") && cl.Get("--format") != "json")
        throw UsageError("--json cannot be combined with --format " + cl.Get("--format"));
    const std::string format = cl.Get("--format", cl.json ? "json" : "csv");
    if (format == "csv") return ScheduleFormat::Csv;
    if (format == "md") return ScheduleFormat::Markdown;
    if (format == "json") return ScheduleFormat::Json;
    throw UsageError("--format takes csv, md or json, not '" + format + "'");
}

} // namespace

int RunScheduleCommand(const CommandLine& cl, Language language, std::istream& in,
                       std::ostream& out, std::ostream& err) {
    if (cl.operands.empty()) throw UsageError("missing duct or terminal");
    const std::string& kind = cl.operands[0];
    if (kind != "duct" && kind != "terminal")
        throw UsageError("schedule takes duct or terminal, not '" + kind + "'");
    if (cl.operands.size() < 2) throw UsageError("missing FILE (- reads standard input)");
    if (cl.operands.size() > 2)
        throw UsageError("only one FILE is taken; '" + cl.operands[2] + "' is one too many");
    const std::string& path = cl.operands[1];

    ScheduleRequest request;
    request.kind = kind == "duct" ? ScheduleKind::Duct : ScheduleKind::Terminal;
    request.format = ChooseScheduleFormat(cl);
    request.language = language;
    const auto& otherOptions = kind == "duct" ? TerminalCriteriaOptions() : DuctCriteriaOptions();
    for (const char* option : otherOptions)
        if (cl.Has(option))
            throw UsageError(std::string(option) + " is not a criterion of schedule " + kind);

    std::string styleName;
    if (request.kind == ScheduleKind::Duct) {
        const auto criteria = DuctCriteriaFor(cl, language, err, styleName);
        if (!criteria) return kExitFailure;
        request.duct = *criteria;
    } else {
        const auto criteria = TerminalCriteriaFor(cl, language, err, styleName);
        if (!criteria) return kExitFailure;
        request.terminal = *criteria;
    }

    if (path == "-") return RunSchedule(request, in, out, err);
    // The operand is UTF-8 on every platform (main converts the arguments).
    const std::optional<std::filesystem::path> name = FileFromUtf8(path);
    if (!name) {
        err << "kestrix-calc: cannot open '" << ValidUtf8(path) << "': no valid file name\n";
        return kExitFailure;
    }
    const std::filesystem::path& file = *name;
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        err << "kestrix-calc: cannot read '" << path << "': it is a folder\n";
        return kExitFailure;
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        err << "kestrix-calc: cannot open '" << path << "': " << std::strerror(errno) << '\n';
        return kExitFailure;
    }
    return RunSchedule(request, stream, out, err);
}

} // namespace kestrix
