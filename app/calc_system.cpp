#include "app/calc_system.h"

#include "app/calc_cli.h"
#include "app/calc_schedule.h"
#include "app/criteria_loading.h"
#include "app/utf8.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/language.h"
#include "config/system_criteria.h"
#include "config/system_texts.h"
#include "engine/duct_system.h"
#include "engine/duct_system_file.h"
#include "engine/duct_system_report.h"
#include "engine/number_text.h"

#include <QString>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace kestrix {
namespace {

class Usage : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A fault of the input: reported with exit status 1.
class InputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using Values = std::map<std::string, std::string>;

const std::vector<std::string> kSettingOptions = {
    "--name",       "--units",       "--friction-law", "--style",   "--material",
    "--roughness",  "--velocity",    "--loss",         "--aspect",  "--shape",
    "--max-height", "--temperature", "--elevation",    "--pressure"};

std::optional<std::string> Get(const Values& values, const std::string& option) {
    const auto it = values.find(option);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

double OptionNumber(const Values& values, const std::string& option) {
    const std::string text = *Get(values, option);
    const auto number = ParseNumber(text);
    if (!number) throw Usage(option + " '" + text + "' is not a number");
    return *number;
}

// Reads at most the file limit and one byte more, so a larger input is known
// to be too large without being read whole.
std::string ReadLimited(std::istream& in) {
    std::string text;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxSystemFileBytes) throw InputError("the file is larger than 50 MB");
    }
    if (in.bad()) throw InputError("the file could not be read");
    return text;
}

// The settings of a CSV system, from the options.
void SettingsFromOptions(const Values& values, SystemFile& file) {
    SystemSettings& s = file.system.settings;
    SystemMaterialChoice& m = file.choice;
    if (const auto name = Get(values, "--name")) s.name = *name;
    if (const auto units = Get(values, "--units")) {
        if (*units != "Pa" && *units != "mmAq")
            throw Usage("--units takes Pa or mmAq, not '" + *units + "'");
        s.pressureInPa = *units == "Pa";
        m.unitsGiven = true;
    }
    if (const auto law = Get(values, "--friction-law")) {
        if (*law != "power" && *law != "colebrook")
            throw Usage("--friction-law takes power or colebrook, not '" + *law + "'");
        s.law = *law == "power" ? FrictionLaw::Power : FrictionLaw::Colebrook;
    }
    if (const auto style = Get(values, "--style")) {
        const auto n = ParseInteger(*style);
        if (!n || *n < 0) throw Usage("--style takes a list position from 0, not '" + *style + "'");
        m.style = *n;
    }
    if (const auto material = Get(values, "--material")) {
        const auto row = ParseInteger(*material);
        if (row)
            m.materialRow = *row;
        else
            m.materialName = *material;
    }
    if (Get(values, "--roughness")) m.roughness = OptionNumber(values, "--roughness");
    if (Get(values, "--velocity")) m.velocity = OptionNumber(values, "--velocity");
    if (Get(values, "--loss")) m.loss = OptionNumber(values, "--loss");
    if (Get(values, "--aspect")) m.aspect = OptionNumber(values, "--aspect");
    if (m.aspect && !(m.velocity && m.loss)) throw Usage("--aspect needs --velocity and --loss");
    if (m.velocity.has_value() != m.loss.has_value())
        throw Usage("--velocity and --loss go together");
    if (const auto shape = Get(values, "--shape")) {
        if (*shape != "round" && *shape != "rectangular")
            throw Usage("--shape takes round or rectangular, not '" + *shape + "'");
        s.shape = *shape == "round" ? DuctShape::Round : DuctShape::Rectangular;
    }
    if (Get(values, "--max-height")) s.maxHeight = OptionNumber(values, "--max-height");
    const bool air =
        Get(values, "--temperature") || Get(values, "--elevation") || Get(values, "--pressure");
    if (air) {
        AirState a;
        if (Get(values, "--temperature")) a.temperature = OptionNumber(values, "--temperature");
        if (Get(values, "--elevation")) a.elevation = OptionNumber(values, "--elevation");
        if (Get(values, "--pressure")) a.pressure = OptionNumber(values, "--pressure");
        if (a.elevation && a.pressure) throw Usage("--elevation and --pressure cannot be combined");
        s.air = a;
    }
}

std::optional<double> CsvNumber(const std::string& field, const char* what, std::size_t line) {
    if (field.empty()) return std::nullopt;
    const auto n = ParseNumber(field);
    if (!n)
        throw InputError("line " + std::to_string(line) + ": " + what + " '" + field +
                         "' is not a number");
    return n;
}

// The sections of a CSV file: id,upstream,length,flow,size,shape,fittings,fixed_loss
// with an optional heading row; empty fields are absent values, blank lines
// and lines starting with # are skipped.
void ReadSystemCsv(const std::string& text, SystemFile& file) {
    std::vector<std::string> fields;
    std::size_t lineNumber = 0, start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++lineNumber;
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        const std::string at = "line " + std::to_string(lineNumber) + ": ";
        const CsvProblem problem = SplitCsvFields(line, fields);
        if (problem == CsvProblem::UnclosedQuote)
            throw InputError(at + "a quoted field is not closed");
        if (problem == CsvProblem::TextAfterQuote)
            throw InputError(at + "text after a closing quote");
        if (lineNumber == 1 && fields[0] == "id") continue;
        if (fields.size() > 8)
            throw InputError(
                at +
                "more than the 8 fields id,upstream,length,flow,size,shape,fittings,fixed_loss");
        if (fields.size() < 3) throw InputError(at + "a section needs at least id,upstream,length");
        fields.resize(8);
        if (file.system.sections.size() >= kMaxSystemSections)
            throw InputError(at + "more than " + std::to_string(kMaxSystemSections) + " sections");
        SystemSection s;
        s.id = fields[0];
        if (!fields[1].empty()) s.upstream = fields[1];
        const auto length = CsvNumber(fields[2], "length", lineNumber);
        if (!length) throw InputError(at + "section \"" + s.id + "\" has no length");
        s.length = *length;
        s.flow = CsvNumber(fields[3], "flow", lineNumber);
        s.size = fields[4];
        if (fields[5] == "round")
            s.shape = DuctShape::Round;
        else if (fields[5] == "rectangular")
            s.shape = DuctShape::Rectangular;
        else if (!fields[5].empty())
            throw InputError(at + "shape is round or rectangular, not '" + fields[5] + "'");
        std::size_t from = 0;
        const std::string& fittings = fields[6];
        while (!fittings.empty() && from <= fittings.size()) {
            std::size_t to = fittings.find(';', from);
            if (to == std::string::npos) to = fittings.size();
            const std::string c = fittings.substr(from, to - from);
            const auto value = CsvNumber(c, "loss coefficient", lineNumber);
            if (!value) throw InputError(at + "an empty loss coefficient in '" + fittings + "'");
            s.fittings.push_back({"", *value});
            from = to + 1;
        }
        s.fixedLoss = CsvNumber(fields[7], "fixed_loss", lineNumber).value_or(0.0);
        file.system.sections.push_back(std::move(s));
    }
}

bool NeedsConfigFiles(const SystemMaterialChoice& m) {
    return !(m.roughness && m.velocity && m.loss);
}

// Reads the duct-style and materials files, as start-up does, for the criteria.
bool ResolveFromConfig(SystemFile& file, const Values& values, Language language,
                       std::ostream& err) {
    MaterialTable materials{};
    DuctStyleTable styles{};
    StyleNameList list;
    const QString directory = ConfigDirectory(values);
    for (const ConfigFile kind : {ConfigFile::DuctStyles, ConfigFile::Materials}) {
        const std::string_view name = ConfigFileName(kind, language);
        const ConfigFields fields = ReadConfigFields(directory, name);
        if (!fields.opened) {
            err << MissingFileMessage(name) << '\n';
            return false;
        }
        const auto messages = kind == ConfigFile::DuctStyles
                                  ? LoadDuctStyles(fields.fields, styles, list)
                                  : LoadMaterials(fields.fields, materials);
        for (const auto& message : messages)
            err << message << '\n';
    }
    std::string error;
    if (!ResolveSystemCriteria(file, {materials, styles, list}, error)) throw InputError(error);
    return true;
}

int Run(const std::vector<std::string>& operands, const Values& values, bool json,
        Language language, std::istream& in, std::ostream& out, std::ostream& err) {
    if (operands.empty()) throw Usage("missing FILE (- reads standard input)");
    if (operands.size() > 1)
        throw Usage("only one FILE is taken; '" + operands[1] + "' is one too many");
    const std::string& path = operands[0];
    SystemReportFormat format = SystemReportFormat::Csv;
    const std::string formatText = Get(values, "--format").value_or(json ? "json" : "csv");
    if (json && formatText != "json")
        throw Usage("--json cannot be combined with --format " + formatText);
    if (formatText == "json")
        format = SystemReportFormat::Json;
    else if (formatText == "md")
        format = SystemReportFormat::Markdown;
    else if (formatText != "csv")
        throw Usage("--format takes csv, md or json, not '" + formatText + "'");

    bool csvInput = false;
    if (const auto input = Get(values, "--input")) {
        if (*input != "csv" && *input != "json")
            throw Usage("--input takes csv or json, not '" + *input + "'");
        csvInput = *input == "csv";
    } else {
        const std::string lower = QString::fromStdString(path).toLower().toStdString();
        csvInput = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".csv") == 0;
    }
    if (!csvInput)
        for (const std::string& option : kSettingOptions)
            if (Get(values, option))
                throw Usage(
                    option +
                    " is a setting of a CSV system; a JSON system file holds its own settings");

    std::string text;
    if (path == "-") {
        text = ReadLimited(in);
    } else {
        // The operand is UTF-8 on every platform (main converts the arguments).
        const std::optional<std::filesystem::path> name = FileFromUtf8(path);
        if (!name) throw InputError("no valid file name");
        const std::filesystem::path& file = *name;
        std::error_code error;
        if (std::filesystem::is_directory(file, error)) throw InputError("it is a folder");
        std::ifstream stream(file, std::ios::binary);
        if (!stream) throw InputError(std::strerror(errno));
        text = ReadLimited(stream);
    }

    SystemFile file;
    if (csvInput) {
        SettingsFromOptions(values, file);
        // Bytes that are no UTF-8 text become U+FFFD, so every report is valid text.
        ReadSystemCsv(ValidUtf8(text), file);
    } else {
        SystemFileResult read = ReadSystemJson(text);
        if (!read.ok) throw InputError(SystemFileErrorText(read));
        file = std::move(read.file);
    }
    if (NeedsConfigFiles(file.choice)) {
        if (!ResolveFromConfig(file, values, language, err)) return kExitFailure;
    } else {
        std::string error;
        static const MaterialTable noMaterials{};
        static const DuctStyleTable noStyles{};
        static const StyleNameList noList;
        if (!ResolveSystemCriteria(file, {noMaterials, noStyles, noList}, error))
            throw InputError(error);
    }

    const SystemResult result = CalculateSystem(file.system);
    if (!result.ok()) {
        constexpr std::size_t kShown = 20;
        for (std::size_t i = 0; i < result.problems.size() && i < kShown; ++i)
            err << "kestrix-calc: " << path << ": " << SystemProblemText(result.problems[i])
                << '\n';
        if (result.problems.size() > kShown)
            err << "kestrix-calc: " << path << ": ... and " << result.problems.size() - kShown
                << " more problems\n";
        return kExitFailure;
    }
    if (result.pathSectionCount > kMaxReportPathSections)
        throw InputError("its paths hold " + std::to_string(result.pathSectionCount) +
                         " sections together; a report lists at most " +
                         std::to_string(kMaxReportPathSections));
    out << SystemReport(file.system, result, format);
    return kExitSuccess;
}

} // namespace

const std::vector<std::string>& SystemCommandOptions() {
    static const std::vector<std::string> options = [] {
        std::vector<std::string> o = {"--lang", "--format", "--input", "--config-dir"};
        o.insert(o.end(), kSettingOptions.begin(), kSettingOptions.end());
        return o;
    }();
    return options;
}

int RunSystemCommand(const std::vector<std::string>& operands, const Values& values, bool json,
                     Language language, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string file = operands.empty() ? std::string() : operands[0];
    try {
        return Run(operands, values, json, language, in, out, err);
    } catch (const Usage& usage) {
        err << "kestrix-calc: " << usage.what()
            << "\nTry 'kestrix-calc --help' for more information.\n";
        return kExitUsage;
    } catch (const InputError& error) {
        err << "kestrix-calc: " << file << ": " << error.what() << '\n';
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        err << "kestrix-calc: " << file << ": not enough memory to read the system\n";
        return kExitFailure;
    }
}

} // namespace kestrix
