#include "engine/duct_system_report.h"

#include "engine/duct_system_file.h"
#include "engine/number_text.h"

namespace kestrix {
namespace {

// A CSV field, quoted when it holds a comma, a quote, a line break or blanks at its ends.
std::string CsvText(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// A Markdown table cell: the pipe would end the cell, and the marks of
// emphasis would hide in an id.
std::string MdText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '|' || c == '*' || c == '_' || c == '\\' || c == '`') out += '\\';
        out += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return out;
}

struct Headings {
    std::vector<std::string> sections, paths;
    std::string fan;
};

// The unit each column's heading ends in; pressures in the system's unit.
enum class Unit { None, Flow, Size, Velocity, Pressure, PressurePerMetre };
constexpr Unit kSectionUnits[] = {Unit::None,
                                  Unit::None,
                                  Unit::Flow,
                                  Unit::Size,
                                  Unit::Velocity,
                                  Unit::Pressure,
                                  Unit::PressurePerMetre,
                                  Unit::Pressure,
                                  Unit::Pressure,
                                  Unit::Pressure,
                                  Unit::Pressure,
                                  Unit::None};
constexpr Unit kPathUnits[] = {Unit::None, Unit::None, Unit::Pressure, Unit::Pressure, Unit::None};

std::string UnitText(Unit unit, bool pa) {
    switch (unit) {
    case Unit::None:
        return {};
    case Unit::Flow:
        return "[CMH]";
    case Unit::Size:
        return "[mm]";
    case Unit::Velocity:
        return "[m/s]";
    case Unit::Pressure:
        return pa ? "[Pa]" : "[mmAq]";
    case Unit::PressurePerMetre:
        return pa ? "[Pa/m]" : "[mmAq/m]";
    }
    return {};
}

template <std::size_t N>
std::vector<std::string> Columns(const std::vector<std::string>& words, const Unit (&units)[N],
                                 bool pa) {
    std::vector<std::string> columns;
    for (std::size_t i = 0; i < words.size(); ++i)
        columns.push_back(words[i] + (i < N ? UnitText(units[i], pa) : std::string()));
    return columns;
}

Headings HeadingsFor(const SystemReportWords& words, bool pa) {
    return {Columns(words.sectionColumns, kSectionUnits, pa),
            Columns(words.pathColumns, kPathUnits, pa),
            words.fanPressure + UnitText(Unit::Pressure, pa)};
}

std::string PathText(const DuctSystem& system, const SystemResult& r, const PathResult& path) {
    std::string text;
    for (std::size_t i : r.PathSections(path)) {
        if (!text.empty()) text += " > ";
        text += system.sections[i].id;
    }
    return text;
}

std::string Json(const DuctSystem& system, const SystemResult& r, const std::string& mark) {
    std::string out;
    out.reserve(system.sections.size() * 320 + 256);
    out += "{\"air\": {\"density\": " + JsonNumber(r.air.density) +
           ", \"viscosity\": " + JsonNumber(r.air.viscosity) + "},\n \"sections\": [";
    // Appended piece by piece: the report of a large system is megabytes.
    auto number = [&out](const char* key, double value) {
        out += key;
        out += JsonNumber(value);
    };
    for (std::size_t i = 0; i < system.sections.size(); ++i) {
        const SystemSection& s = system.sections[i];
        const SectionResult& x = r.sections[i];
        out += i ? ",\n  {\"id\": " : "\n  {\"id\": ";
        out += JsonString(s.id);
        out += ", \"upstream\": ";
        out += s.upstream ? JsonString(*s.upstream) : "null";
        number(", \"flow\": ", x.flow);
        out += ", \"size\": ";
        out += JsonString(SystemSizeText(x, mark));
        number(", \"velocity\": ", x.velocity);
        number(", \"velocity_pressure\": ", x.velocityPressure);
        number(", \"loss_per_m\": ", x.lossPerMetre);
        number(", \"friction_loss\": ", x.frictionLoss);
        number(", \"fittings_loss\": ", x.fittingsLoss);
        number(", \"fixed_loss\": ", x.fixedLoss);
        number(", \"total_loss\": ", x.totalLoss);
        out += x.overLimits ? ", \"over_limits\": true}" : ", \"over_limits\": false}";
    }
    out += "],\n \"paths\": [";
    for (std::size_t k = 0; k < r.paths.size(); ++k) {
        const PathResult& p = r.paths[k];
        out += k ? ",\n  {\"terminal\": " : "\n  {\"terminal\": ";
        out += JsonString(system.sections[p.terminal].id) + ", \"sections\": [";
        bool first = true;
        for (std::size_t i : r.PathSections(p)) {
            if (!first) out += ", ";
            first = false;
            out += JsonString(system.sections[i].id);
        }
        out += "], \"pressure\": " + JsonNumber(p.pressure) +
               ", \"surplus\": " + JsonNumber(p.surplus) + "}";
    }
    out += "],\n \"critical_path\": " +
           JsonString(system.sections[r.paths[r.criticalPath].terminal].id);
    out += ",\n \"fan_pressure\": " + JsonNumber(r.fanPressure) + "}\n";
    return out;
}

// The rows of the readable reports, already rounded.
void Rows(const DuctSystem& system, const SystemResult& r, const SystemReportWords& words,
          std::vector<std::vector<std::string>>& sections,
          std::vector<std::vector<std::string>>& paths) {
    const bool pa = system.settings.pressureInPa;
    const std::string& mark = words.diameterMark;
    const std::string& over = words.overLimits;
    for (std::size_t i = 0; i < system.sections.size(); ++i) {
        const SystemSection& s = system.sections[i];
        const SectionResult& x = r.sections[i];
        sections.push_back({s.id, s.upstream.value_or(""), FormatGeneral(x.flow),
                            SystemSizeText(x, mark), ReportVelocity(x.velocity),
                            ReportPressure(x.velocityPressure, pa),
                            ReportLossPerMetre(x.lossPerMetre), ReportPressure(x.frictionLoss, pa),
                            ReportPressure(x.fittingsLoss, pa), ReportPressure(x.fixedLoss, pa),
                            ReportPressure(x.totalLoss, pa), x.overLimits ? over : ""});
    }
    for (std::size_t k = 0; k < r.paths.size(); ++k) {
        const PathResult& p = r.paths[k];
        paths.push_back({system.sections[p.terminal].id, PathText(system, r, p),
                         ReportPressure(p.pressure, pa), ReportPressure(p.surplus, pa),
                         k == r.criticalPath ? words.criticalPath : ""});
    }
}

} // namespace

std::string ReportVelocity(double velocity) {
    return FormatFixed(velocity, 2);
}

std::string ReportLossPerMetre(double loss) {
    return FormatFixed(loss, 3);
}

std::string ReportPressure(double pressure, bool pa) {
    return FormatFixed(pressure, pa ? 1 : 2);
}

std::string SystemReport(const DuctSystem& system, const SystemResult& r, SystemReportFormat format,
                         const SystemReportWords& words) {
    if (format == SystemReportFormat::Json) return Json(system, r, words.diameterMark);
    const Headings h = HeadingsFor(words, system.settings.pressureInPa);
    std::vector<std::vector<std::string>> sections, paths;
    Rows(system, r, words, sections, paths);
    const std::string fan = ReportPressure(r.fanPressure, system.settings.pressureInPa);
    std::string out;
    if (format == SystemReportFormat::Csv) {
        auto line = [&](const std::vector<std::string>& cells) {
            for (std::size_t i = 0; i < cells.size(); ++i)
                out += (i ? "," : "") + CsvText(cells[i]);
            out += "\n";
        };
        line(h.sections);
        for (const auto& row : sections)
            line(row);
        out += "\n";
        line(h.paths);
        for (const auto& row : paths)
            line(row);
        out += "\n";
        line({h.fan, fan});
        return out;
    }
    auto line = [&](const std::vector<std::string>& cells, bool bold = false) {
        out += "|";
        for (const std::string& cell : cells)
            out += " " + (bold && !cell.empty() ? "**" + MdText(cell) + "**" : MdText(cell)) + " |";
        out += "\n";
    };
    auto rule = [&](std::size_t count, std::size_t textColumns) {
        out += "|";
        for (std::size_t i = 0; i < count; ++i)
            out += i < textColumns ? " --- |" : " ---: |";
        out += "\n";
    };
    if (!system.settings.name.empty()) out += "# " + MdText(system.settings.name) + "\n\n";
    line(h.sections);
    rule(h.sections.size(), 4);
    for (const auto& row : sections)
        line(row);
    out += "\n";
    line(h.paths);
    rule(h.paths.size(), 2);
    for (std::size_t k = 0; k < paths.size(); ++k)
        line(paths[k], k == r.criticalPath);
    out += "\n" + h.fan + ": **" + fan + "**\n";
    return out;
}

} // namespace kestrix
