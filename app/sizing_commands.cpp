#include "app/calc_cli.h"
#include "app/calc_commands.h"
#include "app/calc_texts.h"
#include "app/criteria_loading.h"
#include "app/sizing_results.h"
#include "config/codepage.h"
#include "config/engine_texts.h"
#include "engine/collected_messages.h"
#include "engine/expression_evaluator.h"
#include "engine/messages.h"

namespace kestrix {
namespace {

// The evaluator of a run with its collected messages; variables carry over
// from one text to the next.
class FlowEvaluator {
  public:
    explicit FlowEvaluator(Language language) { evaluator_.SetMessageSink(&sink_); }
    FlowEvaluator(const FlowEvaluator&) = delete;
    FlowEvaluator& operator=(const FlowEvaluator&) = delete;

    EvalOutcome Evaluate(const std::string& text) {
        sink_.texts.clear();
        EvalOutcome outcome{text, std::nullopt, {}, std::nullopt};
        try {
            // Read as the window reads its flow fields: in the code page.
            outcome.result = evaluator_.EvaluateFlowText(Utf8ToCp932Lossy(text));
        } catch (const EvaluationError& e) {
            outcome.error = EvaluationErrorText(e.kind());
        }
        outcome.messages = sink_.texts;
        return outcome;
    }

  private:
    ExpressionEvaluator evaluator_;
    CollectedMessages sink_;
};

// The messages of the mathematical functions, then the reason of an abandoned text.
void ReportMessages(const EvalOutcome& outcome, std::ostream& err) {
    for (const auto& message : outcome.messages)
        err << message << '\n';
    if (outcome.error) err << *outcome.error << '\n';
}

// What duct and terminal start with: FLOW, the criteria, the flow evaluated
// as the calculate buttons evaluate it (an empty text stays empty). Nothing
// when a style file is missing or the evaluation was abandoned; the reason is
// then on err.
template <typename Criteria> struct SizingStart {
    Criteria criteria;
    std::string styleName;
    std::string flow;
};

template <typename Criteria>
std::optional<SizingStart<Criteria>>
StartSizing(const CommandLine& cl, Language language, std::ostream& err,
            std::optional<Criteria> (*criteriaFor)(const CommandLine&, Language, std::ostream&,
                                                   std::string&)) {
    const std::string& flowText = SingleOperand(cl, "FLOW");
    if (cl.Has("--height") && !cl.Has("--width")) throw UsageError("--height needs --width");
    SizingStart<Criteria> start{};
    const auto criteria = criteriaFor(cl, language, err, start.styleName);
    if (!criteria) return std::nullopt;
    start.criteria = *criteria;
    if (flowText.empty()) return start;
    const EvalOutcome outcome = FlowEvaluator(language).Evaluate(flowText);
    ReportMessages(outcome, err);
    if (!outcome.result) return std::nullopt;
    start.flow = *outcome.result;
    return start;
}

std::optional<std::string> MessageOrNull(SizingMessage message, Language language) {
    if (message == SizingMessage::None) return std::nullopt;
    return SizingMessageText(message);
}

template <typename Result> int Write(const CommandLine& cl, std::ostream& out, const Result& r) {
    if (cl.json)
        WriteJson(out, r);
    else
        WriteTable(out, r);
    return kExitSuccess;
}

} // namespace

int RunEval(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err) {
    if (cl.operands.empty()) throw UsageError("missing TEXT");
    FlowEvaluator evaluator(language); // one for all texts: variables carry over
    bool abandoned = false;
    for (const auto& text : cl.operands) {
        const EvalOutcome outcome = evaluator.Evaluate(text);
        abandoned = abandoned || outcome.error;
        if (cl.json) {
            WriteJson(out, outcome);
            continue;
        }
        ReportMessages(outcome, err);
        if (outcome.result) out << *outcome.result << '\n';
    }
    return abandoned ? kExitFailure : kExitSuccess;
}

int RunDuct(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err) {
    const auto start = StartSizing(cl, language, err, &DuctCriteriaFor);
    if (!start) return kExitFailure;
    const std::string& flow = start->flow;
    const DuctCriteria& criteria = start->criteria;
    const std::string mark = DiameterMark();

    if (!cl.Has("--width")) {
        DuctList list{start->styleName, flow, criteria.pressureInPa, {}, std::nullopt};
        if (!flow.empty()) {
            DuctCandidates result = SizeDuct(flow, criteria, mark);
            list.candidates = std::move(result.entries);
            list.message = MessageOrNull(result.message, language);
        }
        return Write(cl, out, list);
    }
    DuctSize size{start->styleName, flow, criteria.pressureInPa, {}, {}};
    if (!flow.empty())
        RecalcDuct({flow, cl.Get("--width"), cl.Get("--height"), cl.Has("--height")}, criteria,
                   mark, size.fields, size.size);
    return Write(cl, out, size);
}

int RunTerminal(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err) {
    const auto start = StartSizing(cl, language, err, &TerminalCriteriaFor);
    if (!start) return kExitFailure;
    const std::string& flow = start->flow;

    if (!cl.Has("--width")) {
        TerminalList list{start->styleName, flow, {}, {}, std::nullopt};
        if (!flow.empty()) {
            TerminalCandidates result =
                SizeTerminal(flow, start->criteria, DiameterMark(), list.areas);
            list.candidates = std::move(result.entries);
            list.message = MessageOrNull(result.message, language);
        }
        return Write(cl, out, list);
    }
    TerminalSize size{start->styleName, flow, {}};
    if (!flow.empty())
        RecalcTerminal({flow, cl.Get("--width"), cl.Get("--height"), cl.Has("--height")},
                       start->criteria, size.fields);
    return Write(cl, out, size);
}

namespace {

// Rows of a table from slot 0 up to the first empty slot, as UTF-8 texts.
template <typename Table, typename Columns>
StyleTables::Rows FilledRows(const Table& table, Columns columns) {
    StyleTables::Rows rows;
    for (const auto& record : table) {
        if (record.name.empty()) break;
        std::vector<std::string> row;
        for (const std::string* field : columns(record))
            row.push_back(Cp932ToUtf8(*field));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> ToUtf8(const StyleNameList& names) {
    std::vector<std::string> texts;
    for (const auto& name : names)
        texts.push_back(Cp932ToUtf8(name));
    return texts;
}

} // namespace

int RunStyles(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err) {
    if (!cl.operands.empty())
        throw UsageError("styles takes no operand ('" + cl.operands[0] + "')");
    LoadedConfig config;
    if (!LoadConfig(ConfigDirectory(cl.values), language, config)) {
        for (const auto& message : config.messages)
            err << message << '\n';
        err << config.missingFileMessage << '\n';
        return kExitFailure;
    }
    StyleTables tables;
    tables.materials = FilledRows(config.materials, [](const DuctMaterial& m) {
        return std::vector<const std::string*>{&m.name, &m.roughness};
    });
    tables.ductStyles = FilledRows(config.ductStyles, [](const DuctSelectionStyle& s) {
        return std::vector<const std::string*>{&s.name,         &s.material, &s.velocity,
                                               &s.frictionLoss, &s.units,    &s.aspectRatio};
    });
    tables.terminalStyles = FilledRows(config.terminalStyles, [](const TerminalSelectionStyle& s) {
        return std::vector<const std::string*>{&s.name, &s.freeArea, &s.faceVelocity};
    });
    tables.messages = config.messages;
    tables.ductList = ToUtf8(config.ductList);
    tables.terminalList = ToUtf8(config.terminalList);
    return Write(cl, out, tables);
}

} // namespace kestrix
