#pragma once

// What kestrix-calc's eval, duct, terminal and styles commands found, and the
// writers that print it: one JSON object per line (sizing_json.cpp) or
// aligned tables (sizing_tables.cpp). The commands (sizing_commands.cpp)
// compute; the writers only lay out.

#include "engine/duct_sizing.h"
#include "engine/terminal_sizing.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrix {

// One TEXT of eval.
struct EvalOutcome {
    std::string input;
    std::optional<std::string> result; // nothing when abandoned
    std::vector<std::string> messages; // of the mathematical functions
    std::optional<std::string> error;  // why it was abandoned
};

// duct FLOW: the candidates.
struct DuctList {
    std::string styleName; // empty when the criteria came from options
    std::string flow;      // as evaluated
    bool pressureInPa = false;
    std::vector<DuctEntry> candidates;
    std::optional<std::string> message;
};

// duct --width W [--height H] FLOW: that size; empty texts where the
// computation wrote nothing.
struct DuctSize {
    std::string styleName;
    std::string flow;
    bool pressureInPa = false;
    std::string size;
    DuctFields fields;
};

// terminal FLOW: the areas and the candidates.
struct TerminalList {
    std::string styleName;
    std::string flow;
    TerminalFields areas; // effective and necessary area, free-area ratio
    std::vector<TerminalEntry> candidates;
    std::optional<std::string> message;
};

// terminal --width W [--height H] FLOW.
struct TerminalSize {
    std::string styleName;
    std::string flow;
    TerminalFields fields; // free-area ratio, face velocity, reference flow
};

// styles: the filled rows of each table as UTF-8 texts, the messages of
// loading them and the two style lists.
struct StyleTables {
    using Rows = std::vector<std::vector<std::string>>;
    Rows materials, ductStyles, terminalStyles;
    std::vector<std::string> messages;
    std::vector<std::string> ductList, terminalList;
};

void WriteJson(std::ostream& out, const EvalOutcome& outcome);
void WriteJson(std::ostream& out, const DuctList& list);
void WriteJson(std::ostream& out, const DuctSize& size);
void WriteJson(std::ostream& out, const TerminalList& list);
void WriteJson(std::ostream& out, const TerminalSize& size);
void WriteJson(std::ostream& out, const StyleTables& tables);

void WriteTable(std::ostream& out, const DuctList& list);
void WriteTable(std::ostream& out, const DuctSize& size);
void WriteTable(std::ostream& out, const TerminalList& list);
void WriteTable(std::ostream& out, const TerminalSize& size);
void WriteTable(std::ostream& out, const StyleTables& tables);

} // namespace kestrix
