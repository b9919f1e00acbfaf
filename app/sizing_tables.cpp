#include "app/calc_texts.h"
#include "app/sizing_results.h"
#include "app/text_table.h"

#include <utility>

namespace kestrix {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The first lines of every sizing table: the style taken, if any, and the flow.
Pairs Head(const CalcCaptions& cap, const std::string& styleName, const std::string& flow) {
    Pairs head{{cap.flow, flow}};
    if (!styleName.empty()) head.emplace(head.begin(), cap.style, styleName);
    return head;
}

// Label-and-value lines, aligned.
void PrintPairs(std::ostream& out, const Pairs& pairs) {
    TextTable table({false, false});
    for (const auto& [label, value] : pairs)
        table.AddRow({label + ":", value});
    table.Print(out);
}

// The candidates below a blank line, then the message on its own line.
void PrintCandidates(std::ostream& out, const TextTable& table,
                     const std::optional<std::string>& message) {
    if (!table.empty()) {
        out << '\n';
        table.Print(out);
    }
    if (message) out << *message << '\n';
}

} // namespace

void WriteTable(std::ostream& out, const DuctList& list) {
    const CalcCaptions cap = Captions();
    PrintPairs(out, Head(cap, list.styleName, list.flow));
    TextTable table({false, true, true, true, true});
    if (!list.candidates.empty())
        table.AddRow({cap.size, cap.velocity, LossCaption(list.pressureInPa), cap.aspect,
                      DynamicPressureCaption(list.pressureInPa)});
    for (const auto& e : list.candidates)
        table.AddRow({e.label, e.velocity, e.loss, e.aspect, e.dynamicPressure});
    PrintCandidates(out, table, list.message);
}

void WriteTable(std::ostream& out, const DuctSize& size) {
    const CalcCaptions cap = Captions();
    const DuctFields& f = size.fields;
    Pairs pairs = Head(cap, size.styleName, size.flow);
    pairs.insert(pairs.end(), {{cap.size, size.size},
                               {cap.velocity, f.velocity},
                               {LossCaption(size.pressureInPa), f.frictionLoss},
                               {DynamicPressureCaption(size.pressureInPa), f.dynamicPressure},
                               {cap.standardFlow, f.referenceFlow},
                               {cap.equivalentDiameter, f.equivalentDiameter},
                               {cap.velocityAtDiameter, f.velocityAtEquivalentDiameter},
                               {cap.aspect, f.aspectRatio}});
    PrintPairs(out, pairs);
}

void WriteTable(std::ostream& out, const TerminalList& list) {
    const CalcCaptions cap = Captions();
    Pairs pairs = Head(cap, list.styleName, list.flow);
    pairs.insert(pairs.end(), {{cap.effectiveArea, list.areas.effectiveArea},
                               {cap.necessaryArea, list.areas.necessaryArea},
                               {cap.freeArea, list.areas.freeAreaRatio}});
    PrintPairs(out, pairs);
    TextTable table({false, true});
    if (!list.candidates.empty()) table.AddRow({cap.size, cap.surfaceVelocity});
    for (const auto& e : list.candidates)
        table.AddRow({e.label, e.velocity});
    PrintCandidates(out, table, list.message);
}

void WriteTable(std::ostream& out, const TerminalSize& size) {
    const CalcCaptions cap = Captions();
    Pairs pairs = Head(cap, size.styleName, size.flow);
    pairs.insert(pairs.end(), {{cap.freeArea, size.fields.freeAreaRatio},
                               {cap.surfaceVelocity, size.fields.faceVelocity},
                               {cap.standardFlow, size.fields.referenceFlow}});
    PrintPairs(out, pairs);
}

void WriteTable(std::ostream& out, const StyleTables& tables) {
    const CalcCaptions cap = Captions();
    // Materials are named by their row number, styles by their list position.
    auto section = [&](const std::string& title, std::vector<std::string> headings,
                       const StyleTables::Rows& rows, int firstNumber) {
        out << title << '\n';
        std::vector<bool> right(headings.size() + 1, true);
        right[1] = false;
        TextTable table(right);
        headings.insert(headings.begin(), firstNumber == 1 ? cap.row : "N");
        table.AddRow(headings);
        for (size_t i = 0; i < rows.size(); ++i) {
            std::vector<std::string> row = rows[i];
            row.insert(row.begin(), std::to_string(i + firstNumber));
            table.AddRow(row);
        }
        table.Print(out);
        out << '\n';
    };
    section(cap.materials, {cap.name, cap.roughness}, tables.materials, 1);
    section(
        cap.ductStyles,
        {cap.name, cap.material, cap.styleVelocity, cap.frictionLoss, cap.units, cap.aspectRatio},
        tables.ductStyles, 0);
    section(cap.terminalStyles, {cap.name, cap.styleFreeArea, cap.faceVelocity},
            tables.terminalStyles, 0);
    if (!tables.messages.empty()) {
        out << cap.messages << '\n';
        for (const auto& message : tables.messages)
            out << message << '\n';
    }
}

} // namespace kestrix
