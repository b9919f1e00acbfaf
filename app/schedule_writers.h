#pragma once

// The output of a schedule: the headings and one row per input row, as CSV,
// as a Markdown table or as one JSON object per line.

#include "app/calc_schedule.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrix {

// One row of the input with what became of it.
struct ScheduleRow {
    long long line = 0;
    std::vector<std::string> fields;
    std::string tag, flow;
    std::vector<std::string> values; // the columns after tag and flow, when sized
    std::optional<std::string> error;
};

class ScheduleWriter {
  public:
    ScheduleWriter(const ScheduleRequest& request, std::ostream& out);

    // The headings, in the language in force (none in JSON).
    void WriteHeadings();
    // One row; false when the output can no longer be written.
    bool Write(const ScheduleRow& row);
    // False once the output could not be written.
    bool Ok() const { return static_cast<bool>(out_); }

  private:
    // One column of the output: its JSON key, the JSON object it belongs to
    // (none for the top level) and its heading.
    struct Column {
        const char* key;
        const char* group; // nullptr, "round" or "rectangular"
        std::string heading;
        bool number; // right-aligned in Markdown
    };
    static std::vector<Column> Columns(const ScheduleRequest& request);

    std::vector<std::string> Cells(const ScheduleRow& row) const;
    void WriteCsvLine(const std::vector<std::string>& cells);
    void WriteMarkdownLine(const std::vector<std::string>& cells);
    void WriteJson(const ScheduleRow& row);

    const ScheduleFormat format_;
    std::ostream& out_;
    const std::vector<Column> columns_;
};

} // namespace kestrix
