#pragma once

// The sizing criteria of a selection style: one rule for the window's style
// lists, the console tool and duct systems.

#include "config/config_records.h"
#include "engine/duct_sizing.h"
#include "engine/terminal_sizing.h"

#include <optional>
#include <string>

namespace kestrix {

// The material a duct style names by row number, or nothing when the row is
// out of range or empty: such a style sizes with no roughness, which the
// engine reports.
const DuctMaterial* StyleMaterial(const DuctSelectionStyle& style, const MaterialTable& materials);

// Writes the criteria of a duct style into c, field by field in the order
// roughness, velocity, loss limit, aspect limit, units. A text that does not
// convert stops there and leaves that field and the rest as they were; the
// window relies on that to keep the criteria in force. True when every field
// was written.
bool ApplyDuctStyle(const DuctSelectionStyle& style, const MaterialTable& materials,
                    DuctCriteria& c);

// The same for an air-terminal style: face velocity, then free area.
bool ApplyTerminalStyle(const TerminalSelectionStyle& style, TerminalCriteria& c);

// The criteria of a style over the values before any style.
DuctCriteria DuctCriteriaFromStyle(const DuctSelectionStyle& style, const MaterialTable& materials);
TerminalCriteria TerminalCriteriaFromStyle(const TerminalSelectionStyle& style);

} // namespace kestrix
