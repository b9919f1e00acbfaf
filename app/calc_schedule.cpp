#include "app/calc_schedule.h"

#include "app/calc_cli.h"
#include "app/calc_texts.h"
#include "app/schedule_input.h"
#include "app/schedule_writers.h"
#include "app/utf8.h"
#include "config/codepage.h"
#include "config/engine_texts.h"
#include "engine/collected_messages.h"
#include "engine/expression_evaluator.h"
#include "engine/messages.h"
#include "engine/number_text.h"

#include <exception>
#include <optional>

namespace kestrix {
namespace {

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

// One run over one input: the evaluator that carries variables from row to
// row, and the writer of the chosen format.
class ScheduleRun {
  public:
    ScheduleRun(const ScheduleRequest& request, std::ostream& out, std::ostream& err)
        : request_(request), err_(err), writer_(request, out), mark_(DiameterMark()) {
        evaluator_.SetMessageSink(&sink_);
    }

    int Run(std::istream& in) {
        writer_.WriteHeadings();
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
                ScheduleRow row;
                row.line = number;
                row.error =
                    Problem(read == LineRead::TooLong ? RowProblem::TooLong : RowProblem::Endless);
                firstRecord = false;
                if (!Finish(row) || read == LineRead::Endless) break;
                continue;
            }
            const std::string_view trimmed = Trim(line);
            if (trimmed.empty() || trimmed.front() == '#') continue;
            ScheduleRow row = Read(number, line);
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
        return anyBad_ || !writer_.Ok() ? kExitFailure : kExitSuccess;
    }

  private:
    ScheduleRow Read(long long number, const std::string& line) {
        ScheduleRow row;
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

    void Size(ScheduleRow& row) {
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

    void SizeDuctRow(ScheduleRow& row) {
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

    void SizeTerminalRow(ScheduleRow& row) {
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
        return RowProblemText(problem, detail);
    }

    // The evaluator's own reason, in the language asked for: the window
    // shows the two floating-point errors in Japanese in both languages, the
    // evaluator's other reasons follow the language already.
    std::string AbandonedReason(const EvaluationError& error) const {
        if (error.kind() == EvaluationErrorKind::Overflow) return Problem(RowProblem::Overflow);
        if (error.kind() == EvaluationErrorKind::InvalidOperation)
            return Problem(RowProblem::InvalidOperation);
        return EvaluationErrorText(error.kind());
    }

    // Reports a bad row and writes the row at once. False when the output
    // can no longer be written.
    bool Finish(const ScheduleRow& row) {
        if (row.error) {
            anyBad_ = true;
            err_ << "line " << row.line << ": " << ValidUtf8(*row.error) << '\n';
        }
        return writer_.Write(row);
    }

    const ScheduleRequest& request_;
    std::ostream& err_;
    ScheduleWriter writer_;
    const std::string mark_;
    ExpressionEvaluator evaluator_; // one for the whole input: variables carry over
    CollectedMessages sink_;
    bool anyBad_ = false;
};

} // namespace

int RunSchedule(const ScheduleRequest& request, std::istream& in, std::ostream& out,
                std::ostream& err) {
    // The headings and reasons come from the catalogue of the request's language.
    SpeakLanguage(request.language);
    ScheduleRun run(request, out, err);
    return run.Run(in);
}

} // namespace kestrix
