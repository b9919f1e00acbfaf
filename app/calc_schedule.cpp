#include "app/calc_schedule.h"

#include "app/calc_cli.h"
#include "app/json_writer.h"
#include "app/utf8.h"
#include "config/codepage.h"
#include "engine/expression_evaluator.h"
#include "config/engine_texts.h"
#include "engine/messages.h"
#include "engine/number_text.h"

#include <exception>
#include <optional>

namespace kestrix {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

enum class LineRead { End, Line, TooLong, Endless };

// Reads the next line without its line end: LF, CR LF, or a CR alone, as a
// spreadsheet of the old Macintosh writes it. A line ends at its CR at once,
// without waiting for the byte after it; afterCr then tells the next call to
// pass over the LF of a CR LF. A line longer than kMaxScheduleLineBytes is
// read on to its end but not kept (TooLong). One with no end within
// kMaxSkippedLineBytes more is given up (Endless): an endless device such as
// /dev/zero would never end it. A read error is thrown by the buffer and ends
// the run; the line it cut short is not kept.
LineRead ReadLine(std::streambuf& in, std::string& line, bool& afterCr) {
    line.clear();
    using Traits = std::streambuf::traits_type;
    int c = in.sbumpc();
    if (afterCr && c == '\n') c = in.sbumpc();
    afterCr = false;
    if (c == Traits::eof()) return LineRead::End;
    std::size_t skipped = 0;
    for (; c != Traits::eof() && c != '\n' && c != '\r'; c = in.sbumpc()) {
        if (line.size() <= kMaxScheduleLineBytes) {
            line.push_back(static_cast<char>(c));
        } else if (++skipped > kMaxSkippedLineBytes) {
            line.clear();
            return LineRead::Endless;
        }
    }
    afterCr = c == '\r';
    if (skipped > 0 || line.size() > kMaxScheduleLineBytes) {
        line.clear();
        return LineRead::TooLong;
    }
    return LineRead::Line;
}

// Why a row could not be sized, besides the engine's own messages.
enum class RowProblem {
    FieldCount,
    UnclosedQuote,
    TextAfterQuote,
    TooLong,
    Endless,
    EmptyTag,
    EmptyFlow,
    NotPositive,
    NoCandidate,
};

// The reason in the language of --lang; detail is the field count or the flow.
std::string ProblemText(RowProblem problem, bool japanese, const std::string& detail = {}) {
    const std::string limit = std::to_string(kMaxScheduleLineBytes);
    const std::string skipped = std::to_string(kMaxSkippedLineBytes);
    switch (problem) {
    case RowProblem::FieldCount:
        return japanese ? "符号と風量の2項目のはずが" + detail + "項目あります"
                        : "expected 2 fields (tag and flow) but found " + detail;
    case RowProblem::UnclosedQuote:
        return japanese ? "引用符で始まる項目が閉じていません" : "a quoted field is not closed";
    case RowProblem::TextAfterQuote:
        return japanese ? "項目の閉じ引用符の後に文字があります"
                        : "text after the closing quote of a field";
    case RowProblem::TooLong:
        return japanese ? "行が" + limit + "バイトを超えています"
                        : "line longer than " + limit + " bytes";
    case RowProblem::Endless:
        return japanese ? "行が" + limit + "バイトを超え、続く" + skipped +
                              "バイトにも行末がないため、以降の入力は読みません"
                        : "line longer than " + limit + " bytes, with no line end in the next " +
                              skipped + " bytes: the rest of the input is not read";
    case RowProblem::EmptyTag:
        return japanese ? "符号が空です" : "empty tag";
    case RowProblem::EmptyFlow:
        return japanese ? "風量が空です" : "empty flow";
    case RowProblem::NotPositive:
        return japanese ? "風量 '" + detail + "' は正の数ではありません"
                        : "flow '" + detail + "' is not a positive number";
    case RowProblem::NoCandidate:
        return japanese ? "この風量では条件を満たすサイズがありません"
                        : "no size meets the criteria at this flow";
    }
    return {};
}

// One column of the output: its JSON key, the JSON object it belongs to
// (none for the top level) and its heading.
struct Column {
    const char* key;
    const char* group; // nullptr, "round" or "rectangular"
    std::string heading;
    bool number; // right-aligned in Markdown
};

struct ScheduleTexts {
    const char* tag;
    const char* error;
    const char* round;
    const char* rectangular;
};

const ScheduleTexts& TextsFor(bool japanese) {
    static const ScheduleTexts en{"Tag", "Error", "Round ", "Rect. "};
    static const ScheduleTexts ja{"符号", "エラー", "丸", "角"};
    return japanese ? ja : en;
}

std::vector<Column> ScheduleColumns(const ScheduleRequest& request) {
    const bool ja = request.japanese;
    const CalcCaptions& cap = CaptionsFor(ja);
    const ScheduleTexts& texts = TextsFor(ja);
    const std::string round = texts.round, rect = texts.rectangular;
    std::vector<Column> columns = {{"tag", nullptr, texts.tag, false},
                                   {"flow", nullptr, cap.flow, true}};
    if (request.kind == ScheduleKind::Duct) {
        const bool pa = request.duct.pressureInPa;
        const std::string loss = LossCaption(ja, pa), pressure = DynamicPressureCaption(ja, pa);
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

std::string MarkdownCell(std::string_view text) {
    std::string cell;
    for (char c : text) {
        if (c == '|' || c == '\\') cell += '\\';
        cell += c;
    }
    return cell;
}

// The width and height texts of a candidate label: "300x250" gives 300 and
// 250, a round "283Φ" gives 283 and no height.
std::pair<std::string, std::string> SizeTexts(const std::string& label, std::string_view mark) {
    const auto x = label.find('x');
    if (x != std::string::npos) return {label.substr(0, x), label.substr(x + 1)};
    std::string width = label;
    if (width.size() >= mark.size() &&
        width.compare(width.size() - mark.size(), mark.size(), mark) == 0)
        width.resize(width.size() - mark.size());
    return {width, std::string()};
}

template <typename Entry> const Entry* FirstRound(const std::vector<Entry>& entries) {
    for (const auto& e : entries)
        if (e.label.find('x') == std::string::npos) return &e;
    return nullptr;
}

template <typename Entry> const Entry* FirstRectangle(const std::vector<Entry>& entries) {
    for (const auto& e : entries)
        if (e.label.find('x') != std::string::npos) return &e;
    return nullptr;
}

class CollectingSink : public EvaluatorMessages {
  public:
    void LibraryError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// One run over one input: the evaluator that carries variables from row to
// row, and the writer of the chosen format.
class ScheduleRun {
  public:
    ScheduleRun(const ScheduleRequest& request, std::ostream& out, std::ostream& err)
        : request_(request), out_(out), err_(err), columns_(ScheduleColumns(request)),
          mark_(DiameterMark(request.japanese)) {
        evaluator_.SetMessageSink(&sink_);
    }

    int Run(std::istream& in) {
        WriteHeadings();
        std::streambuf* buffer = in.rdbuf();
        if (!buffer) return kExitSuccess;
        std::string line;
        bool afterCr = false;
        bool firstRecord = true;
        for (long long number = 1;; ++number) {
            LineRead read;
            try {
                read = ReadLine(*buffer, line, afterCr);
            } catch (const std::exception& error) {
                err_ << "kestrix-calc: the input could not be read after line " << number - 1
                     << ": " << error.what() << '\n';
                return kExitFailure;
            }
            if (read == LineRead::End) break;
            if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
            if (read != LineRead::Line) {
                Row row;
                row.line = number;
                row.error =
                    Problem(read == LineRead::TooLong ? RowProblem::TooLong : RowProblem::Endless);
                firstRecord = false;
                if (!Finish(row) || read == LineRead::Endless) break;
                continue;
            }
            const std::string_view trimmed = Trim(line);
            if (trimmed.empty() || trimmed.front() == '#') continue;
            Row row = Read(number, line);
            const bool heading = firstRecord && row.fields.size() == 2 &&
                                 EqualsIgnoringCase(row.fields[0], "tag") &&
                                 EqualsIgnoringCase(row.fields[1], "flow");
            firstRecord = false;
            if (heading) continue;
            Size(row);
            // An output that can no longer be written ends the run; the
            // caller reports it.
            if (!Finish(row)) break;
        }
        return anyBad_ || !out_ ? kExitFailure : kExitSuccess;
    }

  private:
    struct Row {
        long long line = 0;
        std::vector<std::string> fields;
        std::string tag, flow;
        std::vector<std::string> values; // the columns after tag and flow, when sized
        std::optional<std::string> error;
    };

    Row Read(long long number, const std::string& line) {
        Row row;
        row.line = number;
        if (const CsvProblem csv = SplitCsvFields(line, row.fields); csv != CsvProblem::None) {
            row.fields.clear();
            row.error = Problem(csv == CsvProblem::UnclosedQuote ? RowProblem::UnclosedQuote
                                                                 : RowProblem::TextAfterQuote);
            return row;
        }
        if (!row.fields.empty()) row.tag = row.fields[0];
        if (row.fields.size() > 1) row.flow = row.fields[1];
        if (row.fields.size() != 2)
            row.error = Problem(RowProblem::FieldCount, std::to_string(row.fields.size()));
        return row;
    }

    void Size(Row& row) {
        // The flow is evaluated even when the tag is empty or the row has a
        // field too many or too few, so that a definition on such a row
        // still reaches the rows after it.
        std::optional<std::string> abandoned;
        if (!row.flow.empty()) {
            sink_.texts.clear();
            try {
                row.flow = evaluator_.EvaluateFlowText(Utf8ToCp932Lossy(row.flow));
            } catch (const EvaluationError& error) {
                abandoned = AbandonedReason(error);
            }
            for (const auto& message : sink_.texts)
                err_ << "line " << row.line << ": " << message << '\n';
        }
        if (row.error) return;
        const auto q = ParseNumber(row.flow);
        if (Trim(row.tag).empty()) {
            row.error = Problem(RowProblem::EmptyTag);
        } else if (Trim(row.flow).empty()) {
            row.error = Problem(RowProblem::EmptyFlow);
        } else if (abandoned) {
            row.error = *abandoned;
        } else if (q ? *q > MaxFlowCmh : row.flow != "NAN" && row.flow.front() != '-') {
            // Refused before sizing: the air-terminal list passes over a flow
            // written with an exponent (1E15) without a word. An evaluated
            // flow that is no double is INF or the text of the largest
            // doubles (1.79769313486232E308, beyond the double range), both
            // above the limit, unless it is NAN or negative.
            row.error = SizingMessageText(SizingMessage::FlowTooBig);
        } else if (!q || !(*q > 0)) {
            row.error = Problem(RowProblem::NotPositive, row.flow);
        } else if (request_.kind == ScheduleKind::Duct) {
            SizeDuctRow(row);
        } else {
            SizeTerminalRow(row);
        }
    }

    void SizeDuctRow(Row& row) {
        const DuctCriteria& c = request_.duct;
        // Only the round entries and the square are wanted, and neither depends
        // on the aspect limit: below 1 it skips the rectangle run, most of the
        // work of a list.
        DuctCriteria withoutRun = c;
        withoutRun.aspectLimit = 0.0;
        const DuctCandidates result = SizeDuct(row.flow, withoutRun, mark_);
        if (result.message != SizingMessage::None) {
            row.error = SizingMessageText(result.message);
            return;
        }
        const DuctEntry* round = FirstRound(result.entries);
        const DuctEntry* rect = FirstRectangle(result.entries);
        if (!round || !rect) {
            row.error = Problem(RowProblem::NoCandidate);
            return;
        }
        const auto [diameter, unused] = SizeTexts(round->label, mark_);
        DuctFields roundFields;
        DuctRefValues({row.flow, diameter, "", false}, c, roundFields);
        const auto [width, height] = SizeTexts(rect->label, mark_);
        DuctFields rectFields;
        DuctRefValues({row.flow, width, height, true}, c, rectFields);
        row.values = {round->label,
                      round->velocity,
                      round->loss,
                      round->dynamicPressure,
                      roundFields.referenceFlow,
                      rect->label,
                      rect->velocity,
                      rect->loss,
                      rect->aspect,
                      rect->dynamicPressure,
                      rectFields.referenceFlow,
                      rectFields.equivalentDiameter};
    }

    void SizeTerminalRow(Row& row) {
        const TerminalCriteria& c = request_.terminal;
        TerminalFields fields;
        const TerminalCandidates result = SizeTerminal(row.flow, c, mark_, fields);
        if (result.message != SizingMessage::None) {
            row.error = SizingMessageText(result.message);
            return;
        }
        const TerminalEntry* round = FirstRound(result.entries);
        const TerminalEntry* rect = FirstRectangle(result.entries);
        if (!round || !rect) {
            row.error = Problem(RowProblem::NoCandidate);
            return;
        }
        const auto [diameter, unused] = SizeTexts(round->label, mark_);
        TerminalFields roundFields;
        TerminalRefFlow(diameter, "", false, c, roundFields);
        const auto [width, height] = SizeTexts(rect->label, mark_);
        TerminalFields rectFields;
        TerminalRefFlow(width, height, true, c, rectFields);
        row.values = {fields.effectiveArea, fields.necessaryArea, fields.freeAreaRatio,
                      round->label,         round->velocity,      roundFields.referenceFlow,
                      rect->label,          rect->velocity,       rectFields.referenceFlow};
    }

    std::string Problem(RowProblem problem, const std::string& detail = {}) const {
        return ProblemText(problem, request_.japanese, detail);
    }

    // The evaluator's own reason, in the language asked for: the window
    // shows the two floating-point errors in Japanese in both languages, the
    // evaluator's other reasons follow the language already.
    std::string AbandonedReason(const EvaluationError& error) const {
        if (!request_.japanese && error.kind() == EvaluationErrorKind::Overflow)
            return "floating-point overflow";
        if (!request_.japanese && error.kind() == EvaluationErrorKind::InvalidOperation)
            return "invalid floating-point operation";
        return EvaluationErrorText(error.kind());
    }

    // Writes the row and hands it on at once: the row is out as soon as its
    // input row was read. False when the output can no longer be written.
    bool Finish(const Row& row) {
        if (row.error) {
            anyBad_ = true;
            err_ << "line " << row.line << ": " << ValidUtf8(*row.error) << '\n';
        }
        switch (request_.format) {
        case ScheduleFormat::Csv:
            WriteCsv(row);
            break;
        case ScheduleFormat::Markdown:
            WriteMarkdown(row);
            break;
        case ScheduleFormat::Json:
            WriteJson(row);
            break;
        }
        out_.flush();
        return static_cast<bool>(out_);
    }

    // The cells of a row in column order, the error last; empty where not
    // sized. Bytes of the input that are no UTF-8 text become U+FFFD.
    std::vector<std::string> Cells(const Row& row) const {
        std::vector<std::string> cells{row.tag, row.flow};
        cells.insert(cells.end(), row.values.begin(), row.values.end());
        cells.resize(columns_.size());
        cells.push_back(row.error.value_or(""));
        for (std::string& cell : cells)
            cell = ValidUtf8(cell);
        return cells;
    }

    void WriteHeadings() {
        std::vector<std::string> headings;
        for (const auto& column : columns_)
            headings.push_back(column.heading);
        headings.push_back(TextsFor(request_.japanese).error);
        if (request_.format == ScheduleFormat::Csv) {
            WriteCsvLine(headings);
        } else if (request_.format == ScheduleFormat::Markdown) {
            WriteMarkdownLine(headings);
            std::string rule = "|";
            for (const auto& column : columns_)
                rule += column.number ? "---:|" : "---|";
            out_ << rule << "---|\n";
        }
    }

    void WriteCsvLine(const std::vector<std::string>& cells) {
        std::string line;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) line += ',';
            line += CsvField(cells[i]);
        }
        line += '\n';
        out_ << line;
    }

    void WriteMarkdownLine(const std::vector<std::string>& cells) {
        std::string line = "|";
        for (const auto& cell : cells) {
            line += ' ';
            line += MarkdownCell(cell);
            line += " |";
        }
        line += '\n';
        out_ << line;
    }

    void WriteCsv(const Row& row) { WriteCsvLine(Cells(row)); }
    void WriteMarkdown(const Row& row) { WriteMarkdownLine(Cells(row)); }

    // Keys in column order; the columns of a group form one object, null for
    // a row that was not sized, as are the top-level values after the flow.
    void WriteJson(const Row& row) {
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

    const ScheduleRequest& request_;
    std::ostream& out_;
    std::ostream& err_;
    const std::vector<Column> columns_;
    const std::string mark_;
    ExpressionEvaluator evaluator_; // one for the whole input: variables carry over
    CollectingSink sink_;
    bool anyBad_ = false;
};

} // namespace

CsvProblem SplitCsvFields(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    size_t i = 0;
    const size_t n = line.size();
    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        std::string field;
        if (i < n && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field += line[i++];
            }
            if (!closed) return CsvProblem::UnclosedQuote;
            while (i < n && IsBlank(line[i]))
                ++i;
            if (i < n && line[i] != ',') return CsvProblem::TextAfterQuote;
        } else {
            const size_t start = i;
            while (i < n && line[i] != ',')
                ++i;
            field = Trim(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        if (i >= n) return CsvProblem::None;
        ++i; // the comma
    }
}

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

int RunSchedule(const ScheduleRequest& request, std::istream& in, std::ostream& out,
                std::ostream& err) {
    ScheduleRun run(request, out, err);
    return run.Run(in);
}

} // namespace kestrix
