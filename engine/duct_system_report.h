#pragma once

// Reports of a calculated duct system: JSON with unrounded numbers for
// programs, CSV and Markdown rounded for reading (a section table, then the
// path table with the critical path marked).

#include "engine/duct_system.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

enum class SystemReportFormat { Csv, Markdown, Json };

// The words of a report in the interface language (UTF-8), given by the layer
// above (config/system_texts.h); the engine adds the units and the figures.
struct SystemReportWords {
    std::string diameterMark; // of the sizes, as the duct page writes them
    // The section table's columns: id, upstream, flow, size, velocity,
    // velocity pressure, loss per metre, friction, fittings, fixed, total,
    // over limits.
    std::vector<std::string> sectionColumns;
    std::vector<std::string> pathColumns; // terminal, path, pressure, surplus, critical
    std::string fanPressure;
    std::string overLimits;   // the mark of a section beyond the limits
    std::string criticalPath; // the mark of the critical path
};

// The result must be ok(). The JSON report uses only the diameter mark.
std::string SystemReport(const DuctSystem& system, const SystemResult& result,
                         SystemReportFormat format, const SystemReportWords& words);

// The rounded texts of the readable reports and the window.
std::string ReportVelocity(double velocity);          // 0.01 m/s
std::string ReportLossPerMetre(double loss);          // 0.001
std::string ReportPressure(double pressure, bool pa); // 0.1 Pa or 0.01 mmAq

} // namespace kestrix
