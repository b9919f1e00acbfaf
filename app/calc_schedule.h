#pragma once

// The schedule command of kestrix-calc: a CSV file of tag,flow rows sized row
// by row into a table with the first round and the first rectangular candidate
// of each row. The command line and the criteria are the business of
// schedule_command.cpp; this part sizes (schedule_input.cpp reads,
// schedule_writers.cpp writes).

#include "config/language.h"
#include "engine/duct_sizing.h"
#include "engine/terminal_sizing.h"

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

enum class ScheduleKind { Duct, Terminal };
enum class ScheduleFormat { Csv, Markdown, Json };

struct ScheduleRequest {
    ScheduleKind kind = ScheduleKind::Duct;
    ScheduleFormat format = ScheduleFormat::Csv;
    Language language = Language::English;
    DuctCriteria duct{};         // used for ScheduleKind::Duct
    TerminalCriteria terminal{}; // used for ScheduleKind::Terminal
};

// Lines longer than this are reported as bad rows and not kept in memory.
inline constexpr std::size_t kMaxScheduleLineBytes = 65536;
// A line that has not ended this many bytes after that limit ends the run:
// an endless input (a device such as /dev/zero) is not read for ever.
inline constexpr std::size_t kMaxSkippedLineBytes = 64 * 1024 * 1024;

// Reads the rows from in and writes each result row to out as soon as its
// input row is read, so memory stays bounded whatever the length of the input.
// Bad rows are written as rows with an error and reported on err as
// "line N: reason". Returns kExitFailure when any row was bad, else kExitSuccess.
// Sets the language of the request for the texts (UseLanguage).
int RunSchedule(const ScheduleRequest& request, std::istream& in, std::ostream& out,
                std::ostream& err);

// Splits one line into its comma-separated fields. A field may be enclosed in
// double quotes, with "" for a quote inside; blanks around a field are dropped
// unless they are inside its quotes. An unclosed quote or text after a
// closing quote is a problem.
enum class CsvProblem { None, UnclosedQuote, TextAfterQuote };
CsvProblem SplitCsvFields(std::string_view line, std::vector<std::string>& fields);

// One output field of a CSV file: quoted, with quotes doubled, when it holds a
// comma, a quote, a line break or a blank at either end; as it is otherwise.
std::string CsvField(std::string_view text);

} // namespace kestrix
