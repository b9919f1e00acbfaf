#include "app/calc_cli.h"
#include "app/calc_commands.h"
#include "app/calc_texts.h"
#include "app/criteria_loading.h"
#include "app/sizing_results.h"
#include "config/codepage.h"
#include "engine/collected_messages.h"
#include "engine/expression_evaluator.h"
#include "engine/messages.h"

namespace kestrix {
namespace {

// The flow text as the calculate buttons evaluate it; nothing when the
// evaluation was abandoned (its text is then on err). An empty text stays empty.
std::optional<std::string> EvaluateFlow(const std::string& text, Language language,
                                        std::ostream& err) {
    if (text.empty()) return std::string();
    ExpressionEvaluator evaluator;
    CollectedMessages sink;
    evaluator.SetMessageSink(&sink);
    evaluator.SetJapanese(language == Language::Japanese);
    std::optional<std::string> result;
    std::optional<std::string> error;
    try {
        result = evaluator.EvaluateFlowText(Utf8ToCp932Lossy(text));
    } catch (const EvaluationError& e) {
        error = e.what();
    }
    for (const auto& message : sink.texts)
        err << message << '\n';
    if (error) err << *error << '\n';
    return result;
}

std::optional<std::string> MessageOrNull(SizingMessage message, Language language) {
    if (message == SizingMessage::None) return std::nullopt;
    return SizingMessageText(message, language == Language::Japanese);
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
    ExpressionEvaluator evaluator; // one for all texts: variables carry over
    CollectedMessages sink;
    evaluator.SetMessageSink(&sink);
    evaluator.SetJapanese(language == Language::Japanese);
    bool abandoned = false;
    for (const auto& text : cl.operands) {
        sink.texts.clear();
        EvalOutcome outcome{text, std::nullopt, {}, std::nullopt};
        try {
            // Read as the window reads its flow fields: in the code page.
            outcome.result = evaluator.EvaluateFlowText(Utf8ToCp932Lossy(text));
        } catch (const EvaluationError& e) {
            outcome.error = e.what();
            abandoned = true;
        }
        outcome.messages = sink.texts;
        if (cl.json) {
            WriteJson(out, outcome);
            continue;
        }
        for (const auto& message : outcome.messages)
            err << message << '\n';
        if (outcome.error) err << *outcome.error << '\n';
        if (outcome.result) out << *outcome.result << '\n';
    }
    return abandoned ? kExitFailure : kExitSuccess;
}

int RunDuct(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err) {
    const std::string& flowText = SingleOperand(cl, "FLOW");
    if (cl.Has("--height") && !cl.Has("--width")) throw UsageError("--height needs --width");

    std::string styleName;
    const auto criteria = DuctCriteriaFor(cl, language, err, styleName);
    if (!criteria) return kExitFailure;
    const auto flow = EvaluateFlow(flowText, language, err);
    if (!flow) return kExitFailure;
    const std::string mark = DiameterMark();

    if (!cl.Has("--width")) {
        DuctList list{styleName, *flow, criteria->pressureInPa, {}, std::nullopt};
        if (!flow->empty()) {
            DuctCandidates result = SizeDuct(*flow, *criteria, mark);
            list.candidates = std::move(result.entries);
            list.message = MessageOrNull(result.message, language);
        }
        return Write(cl, out, list);
    }
    DuctSize size{styleName, *flow, criteria->pressureInPa, {}, {}};
    if (!flow->empty())
        RecalcDuct({*flow, cl.Get("--width"), cl.Get("--height"), cl.Has("--height")}, *criteria,
                   mark, size.fields, size.size);
    return Write(cl, out, size);
}

int RunTerminal(const CommandLine& cl, Language language, std::ostream& out, std::ostream& err) {
    const std::string& flowText = SingleOperand(cl, "FLOW");
    if (cl.Has("--height") && !cl.Has("--width")) throw UsageError("--height needs --width");

    std::string styleName;
    const auto criteria = TerminalCriteriaFor(cl, language, err, styleName);
    if (!criteria) return kExitFailure;
    const auto flow = EvaluateFlow(flowText, language, err);
    if (!flow) return kExitFailure;

    if (!cl.Has("--width")) {
        TerminalList list{styleName, *flow, {}, {}, std::nullopt};
        if (!flow->empty()) {
            TerminalCandidates result = SizeTerminal(*flow, *criteria, DiameterMark(), list.areas);
            list.candidates = std::move(result.entries);
            list.message = MessageOrNull(result.message, language);
        }
        return Write(cl, out, list);
    }
    TerminalSize size{styleName, *flow, {}};
    if (!flow->empty())
        RecalcTerminal({*flow, cl.Get("--width"), cl.Get("--height"), cl.Has("--height")},
                       *criteria, size.fields);
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
