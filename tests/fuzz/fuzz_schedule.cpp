// Any bytes as the CSV file of "kestrix-calc schedule": the first byte picks
// the kind, the output format and the language, the rest is the file. A JSON
// run writes one whole object per line and no more lines than were read, a
// failed run says why, and any field written with CsvField splits back to
// itself.
#include "app/calc_cli.h"
#include "app/calc_schedule.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Lines as the reader counts them: LF, CR LF or a lone CR end a line.
size_t LineCount(std::string_view text) {
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') ++lines;
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
    kestrix::ScheduleRequest request;
    request.kind = data[0] & 1 ? kestrix::ScheduleKind::Terminal : kestrix::ScheduleKind::Duct;
    request.format = static_cast<kestrix::ScheduleFormat>((data[0] >> 1) % 3);
    request.language = data[0] & 8 ? kestrix::Language::Japanese : kestrix::Language::English;
    request.duct = {0.15, 8.0, 0.1, 4.0, bool(data[0] & 16)};
    request.terminal = {3.0, 0.7};

    std::istringstream in{std::string(file)};
    std::ostringstream out, err;
    const int status = kestrix::RunSchedule(request, in, out, err);
    Check(status == kestrix::kExitSuccess || status == kestrix::kExitFailure);
    Check(status == kestrix::kExitSuccess || !err.str().empty());
    if (request.format == kestrix::ScheduleFormat::Json) {
        // One JSON object per line, at most one line per input line (blank
        // lines, comments and a heading give none).
        std::istringstream lines(out.str());
        size_t objects = 0;
        for (std::string line; std::getline(lines, line); ++objects)
            Check(line.size() >= 2 && line.front() == '{' && line.back() == '}');
        Check(objects <= LineCount(file));
    }

    // The writer's quoting and the reader's splitting agree on every line.
    std::vector<std::string> fields;
    if (kestrix::SplitCsvFields(file.substr(0, file.find_first_of("\r\n")), fields) ==
        kestrix::CsvProblem::None) {
        std::string joined;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) joined += ',';
            joined += kestrix::CsvField(fields[i]);
        }
        std::vector<std::string> back;
        Check(kestrix::SplitCsvFields(joined, back) == kestrix::CsvProblem::None);
        Check(back == fields);
    }
    return 0;
}
