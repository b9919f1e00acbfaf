#pragma once

// Reports of a calculated duct system: JSON with unrounded numbers for
// programs, CSV and Markdown rounded for reading (a section table, then the
// path table with the critical path marked).

#include "engine/duct_system.h"

#include <string>
#include <string_view>

namespace kestrix {

enum class SystemReportFormat { Csv, Markdown, Json };

// The result must be ok(). Sizes are written as the duct page writes them,
// with the diameter mark of the language.
std::string SystemReport(const DuctSystem& system, const SystemResult& result,
                         SystemReportFormat format, bool japanese);

// The rounded texts of the readable reports and the window.
std::string ReportVelocity(double velocity);           // 0.01 m/s
std::string ReportLossPerMetre(double loss);           // 0.001
std::string ReportPressure(double pressure, bool pa);  // 0.1 Pa or 0.01 mmAq

} // namespace kestrix
