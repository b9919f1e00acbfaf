#pragma once

// The texts of the duct-system engine, as UTF-8, in the language that
// UseLanguage (config/language.h) installed: its problems, the file reader's
// errors and the words of its reports.

#include "engine/duct_system.h"
#include "engine/duct_system_file.h"
#include "engine/duct_system_report.h"

#include <string>

namespace kestrix {

// The problem as a sentence, the section named first.
std::string SystemProblemText(const SystemProblem& problem);

// The reader's error with its place; in Japanese the place is named in
// Japanese and the detail follows in English.
std::string SystemFileErrorText(const SystemFileResult& result);

// The headings and marks of a report.
SystemReportWords ReportWords();

// The report with the words of the interface language.
std::string SystemReport(const DuctSystem& system, const SystemResult& result,
                         SystemReportFormat format);

} // namespace kestrix
