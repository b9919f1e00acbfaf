#include "app/json_writer.h"
#include "app/sizing_results.h"

namespace kestrix {
namespace {

// Keys as the schedule's JSON names the same values.
std::string Candidate(const DuctEntry& e) {
    return json::Object({{"size", json::Quote(e.label)},
                         {"velocity", json::Quote(e.velocity)},
                         {"loss", json::Quote(e.loss)},
                         {"aspect", json::Quote(e.aspect)},
                         {"dynamic_pressure", json::Quote(e.dynamicPressure)}});
}

std::string Candidate(const TerminalEntry& e) {
    return json::Object(
        {{"size", json::Quote(e.label)}, {"face_velocity", json::Quote(e.velocity)}});
}

template <typename Entry> std::string Candidates(const std::vector<Entry>& entries) {
    std::vector<std::string> encoded;
    encoded.reserve(entries.size());
    for (const auto& e : entries)
        encoded.push_back(Candidate(e));
    return json::Array(encoded);
}

std::string RowsJson(const StyleTables::Rows& rows) {
    std::vector<std::string> encoded;
    for (const auto& row : rows)
        encoded.push_back(json::StringArray(row));
    return json::Array(encoded);
}

} // namespace

void WriteJson(std::ostream& out, const EvalOutcome& outcome) {
    out << json::Object({{"input", json::Quote(outcome.input)},
                         {"result", json::QuoteOrNull(outcome.result)},
                         {"messages", json::StringArray(outcome.messages)},
                         {"error", json::QuoteOrNull(outcome.error)}})
        << '\n';
}

void WriteJson(std::ostream& out, const DuctList& list) {
    out << json::Object({{"flow", json::Quote(list.flow)},
                         {"candidates", Candidates(list.candidates)},
                         {"message", json::QuoteOrNull(list.message)}})
        << '\n';
}

void WriteJson(std::ostream& out, const DuctSize& size) {
    const DuctFields& f = size.fields;
    out << json::Object(
               {{"flow", json::Quote(size.flow)},
                {"size", json::Quote(size.size)},
                {"velocity", json::Quote(f.velocity)},
                {"loss", json::Quote(f.frictionLoss)},
                {"dynamic_pressure", json::Quote(f.dynamicPressure)},
                {"reference_flow", json::Quote(f.referenceFlow)},
                {"equivalent_diameter", json::Quote(f.equivalentDiameter)},
                {"velocity_at_equivalent_diameter", json::Quote(f.velocityAtEquivalentDiameter)},
                {"aspect", json::Quote(f.aspectRatio)}})
        << '\n';
}

void WriteJson(std::ostream& out, const TerminalList& list) {
    out << json::Object({{"flow", json::Quote(list.flow)},
                         {"effective_area", json::Quote(list.areas.effectiveArea)},
                         {"necessary_area", json::Quote(list.areas.necessaryArea)},
                         {"free_area", json::Quote(list.areas.freeAreaRatio)},
                         {"candidates", Candidates(list.candidates)},
                         {"message", json::QuoteOrNull(list.message)}})
        << '\n';
}

void WriteJson(std::ostream& out, const TerminalSize& size) {
    out << json::Object({{"flow", json::Quote(size.flow)},
                         {"free_area", json::Quote(size.fields.freeAreaRatio)},
                         {"face_velocity", json::Quote(size.fields.faceVelocity)},
                         {"reference_flow", json::Quote(size.fields.referenceFlow)}})
        << '\n';
}

void WriteJson(std::ostream& out, const StyleTables& tables) {
    out << json::Object({{"materials", RowsJson(tables.materials)},
                         {"duct_styles", RowsJson(tables.ductStyles)},
                         {"terminal_styles", RowsJson(tables.terminalStyles)},
                         {"messages", json::StringArray(tables.messages)},
                         {"duct_list", json::StringArray(tables.ductList)},
                         {"terminal_list", json::StringArray(tables.terminalList)}})
        << '\n';
}

} // namespace kestrix
