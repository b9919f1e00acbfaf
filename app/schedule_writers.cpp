#include "app/schedule_writers.h"

#include "app/calc_texts.h"
#include "app/json_writer.h"
#include "app/schedule_input.h"
#include "app/utf8.h"

namespace kestrix {
namespace {

std::string MarkdownCell(std::string_view text) {
    std::string cell;
    for (char c : text) {
        if (c == '|' || c == '\\') cell += '\\';
        cell += c;
    }
    return cell;
}

} // namespace

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back())));
    if (!quote) return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + '"';
}

ScheduleWriter::ScheduleWriter(const ScheduleRequest& request, std::ostream& out)
    : format_(request.format), out_(out), columns_(Columns(request)) {}

std::vector<ScheduleWriter::Column> ScheduleWriter::Columns(const ScheduleRequest& request) {
    const CalcCaptions cap = Captions();
    const ScheduleWords words = ScheduleHeadingWords();
    const std::string& round = words.round;
    const std::string& rect = words.rectangular;
    std::vector<Column> columns = {{"tag", nullptr, words.tag, false},
                                   {"flow", nullptr, cap.flow, true}};
    if (request.kind == ScheduleKind::Duct) {
        const bool pa = request.duct.pressureInPa;
        const std::string loss = LossCaption(pa), pressure = DynamicPressureCaption(pa);
        columns.insert(
            columns.end(),
            {{"size", "round", round + cap.size, false},
             {"velocity", "round", round + cap.velocity, true},
             {"loss", "round", round + loss, true},
             {"dynamic_pressure", "round", round + pressure, true},
             {"reference_flow", "round", round + cap.standardFlow, true},
             {"size", "rectangular", rect + cap.size, false},
             {"velocity", "rectangular", rect + cap.velocity, true},
             {"loss", "rectangular", rect + loss, true},
             {"aspect", "rectangular", rect + cap.aspect, true},
             {"dynamic_pressure", "rectangular", rect + pressure, true},
             {"reference_flow", "rectangular", rect + cap.standardFlow, true},
             {"equivalent_diameter", "rectangular", rect + cap.equivalentDiameter, true}});
    } else {
        columns.insert(columns.end(),
                       {{"effective_area", nullptr, cap.effectiveArea, true},
                        {"necessary_area", nullptr, cap.necessaryArea, true},
                        {"free_area", nullptr, cap.freeArea, true},
                        {"size", "round", round + cap.size, false},
                        {"face_velocity", "round", round + cap.surfaceVelocity, true},
                        {"reference_flow", "round", round + cap.standardFlow, true},
                        {"size", "rectangular", rect + cap.size, false},
                        {"face_velocity", "rectangular", rect + cap.surfaceVelocity, true},
                        {"reference_flow", "rectangular", rect + cap.standardFlow, true}});
    }
    return columns;
}

// The cells of a row in column order, the error last; empty where not
// sized. Bytes of the input that are no UTF-8 text become U+FFFD.
std::vector<std::string> ScheduleWriter::Cells(const ScheduleRow& row) const {
    std::vector<std::string> cells{row.tag, row.flow};
    cells.insert(cells.end(), row.values.begin(), row.values.end());
    cells.resize(columns_.size());
    cells.push_back(row.error.value_or(""));
    for (std::string& cell : cells)
        cell = ValidUtf8(cell);
    return cells;
}

void ScheduleWriter::WriteHeadings() {
    std::vector<std::string> headings;
    for (const auto& column : columns_)
        headings.push_back(column.heading);
    headings.push_back(ScheduleHeadingWords().error);
    if (format_ == ScheduleFormat::Csv) {
        WriteCsvLine(headings);
    } else if (format_ == ScheduleFormat::Markdown) {
        WriteMarkdownLine(headings);
        std::string rule = "|";
        for (const auto& column : columns_)
            rule += column.number ? "---:|" : "---|";
        out_ << rule << "---|\n";
    }
}

bool ScheduleWriter::Write(const ScheduleRow& row) {
    switch (format_) {
    case ScheduleFormat::Csv:
        WriteCsvLine(Cells(row));
        break;
    case ScheduleFormat::Markdown:
        WriteMarkdownLine(Cells(row));
        break;
    case ScheduleFormat::Json:
        WriteJson(row);
        break;
    }
    // The row is out as soon as its input row was read.
    out_.flush();
    return static_cast<bool>(out_);
}

void ScheduleWriter::WriteCsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        line += CsvField(cells[i]);
    }
    line += '\n';
    out_ << line;
}

void ScheduleWriter::WriteMarkdownLine(const std::vector<std::string>& cells) {
    std::string line = "|";
    for (const auto& cell : cells) {
        line += ' ';
        line += MarkdownCell(cell);
        line += " |";
    }
    line += '\n';
    out_ << line;
}

// Keys in column order; the columns of a group form one object, null for
// a row that was not sized, as are the top-level values after the flow.
void ScheduleWriter::WriteJson(const ScheduleRow& row) {
    const bool sized = !row.error;
    json::Members members{{"line", std::to_string(row.line)},
                          {"tag", json::Quote(row.tag)},
                          {"flow", json::Quote(row.flow)}};
    for (size_t i = 2; i < columns_.size();) {
        const Column& column = columns_[i];
        if (!column.group) {
            members.emplace_back(column.key, sized ? json::Quote(row.values[i - 2]) : "null");
            ++i;
            continue;
        }
        json::Members group;
        for (; i < columns_.size() && columns_[i].group == column.group; ++i)
            if (sized) group.emplace_back(columns_[i].key, json::Quote(row.values[i - 2]));
        members.emplace_back(column.group, sized ? json::Object(group) : "null");
    }
    members.emplace_back("error", json::QuoteOrNull(row.error));
    out_ << json::Object(members) << '\n';
}

} // namespace kestrix
