#include "app/calc_cli.h"

#include "app/calc_schedule.h"
#include "app/calc_system.h"
#include "app/json_writer.h"
#include "app/text_table.h"
#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/config_records.h"
#include "config/system_criteria.h"
#include "engine/duct_sizing.h"
#include "engine/expression_evaluator.h"
#include "engine/messages.h"
#include "engine/number_text.h"
#include "engine/terminal_sizing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QString>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <streambuf>

namespace kestrix {
namespace {

// A bad command line: the message goes to stderr with exit status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string command;
    bool help = false;
    bool json = false;
    std::map<std::string, std::string> values; // "--width" -> "300"
    std::vector<std::string> operands;

    bool Has(const std::string& option) const { return values.count(option) != 0; }
    std::string Get(const std::string& option, const std::string& fallback = {}) const {
        const auto it = values.find(option);
        return it == values.end() ? fallback : it->second;
    }
};

const std::map<std::string, std::set<std::string>>& ValueOptions() {
    static const std::map<std::string, std::set<std::string>> options = {
        {"eval", {"--lang"}},
        {"duct",
         {"--lang", "--roughness", "--velocity", "--loss", "--units", "--aspect", "--width",
          "--height", "--style", "--config-dir"}},
        {"terminal",
         {"--lang", "--free-area", "--face-velocity", "--width", "--height", "--style",
          "--config-dir"}},
        {"styles", {"--lang", "--config-dir"}},
        {"schedule",
         {"--lang", "--roughness", "--velocity", "--loss", "--units", "--aspect", "--free-area",
          "--face-velocity", "--style", "--config-dir", "--format"}},
        {"system", {SystemCommandOptions().begin(), SystemCommandOptions().end()}},
    };
    return options;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    if (args.empty()) throw UsageError("no command given");
    cl.command = args[0];
    if (cl.command == "--help" || cl.command == "-h" || cl.command == "help") {
        cl.help = true;
        return cl;
    }
    const auto known = ValueOptions().find(cl.command);
    if (known == ValueOptions().end()) throw UsageError("unknown command '" + cl.command + "'");

    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            cl.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            cl.help = true;
        } else if (arg == "--json") {
            cl.json = true;
        } else {
            std::string name = arg;
            std::optional<std::string> value;
            if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            }
            if (known->second.count(name) == 0) {
                std::string message = "unknown option '" + name + "' for " + cl.command;
                if (name.size() > 1 && (std::isdigit(static_cast<unsigned char>(name[1])) ||
                                        name[1] == '.' || name[1] == '('))
                    message += " (put -- before a text that begins with \"-\")";
                throw UsageError(message);
            }
            if (!value) {
                if (i + 1 >= args.size()) throw UsageError("option " + name + " needs a value");
                value = args[++i];
            }
            if (!cl.values.emplace(name, *value).second)
                throw UsageError("option " + name + " is given twice");
        }
    }
    return cl;
}

// The language rule of a start without parameters.
bool SystemLanguageIsJapanese() {
#ifdef Q_OS_WIN
    return GetSystemDefaultLCID() == 1041;
#else
    return QLocale::system().language() == QLocale::Japanese;
#endif
}

bool ChooseJapanese(const CommandLine& cl) {
    if (!cl.Has("--lang")) return SystemLanguageIsJapanese();
    const std::string lang = cl.Get("--lang");
    if (lang == "ja") return true;
    if (lang == "en") return false;
    throw UsageError("--lang takes en or ja, not '" + lang + "'");
}

const std::string& SingleOperand(const CommandLine& cl, const char* what) {
    if (cl.operands.empty()) throw UsageError(std::string("missing ") + what);
    if (cl.operands.size() > 1)
        throw UsageError(std::string("only one ") + what + " is taken; '" + cl.operands[1] +
                         "' is one too many (quote an expression that holds blanks)");
    return cl.operands[0];
}

// A criterion as a style's field holds it, converted as the style change does.
double CriterionNumber(const CommandLine& cl, const std::string& option,
                       std::optional<std::string> fallback = std::nullopt) {
    if (!cl.Has(option) && !fallback) throw UsageError("missing " + option + " (or --style N)");
    const std::string text = cl.Get(option, fallback.value_or(""));
    const auto number = ParseNumber(text);
    if (!number) throw UsageError(option + " '" + text + "' is not a number");
    return *number;
}

// The criteria options of each kind.
const std::vector<const char*> kDuctCriteriaOptions = {"--roughness", "--velocity", "--loss",
                                                       "--units", "--aspect"};
const std::vector<const char*> kTerminalCriteriaOptions = {"--free-area", "--face-velocity"};

bool HasAny(const CommandLine& cl, const std::vector<const char*>& options) {
    return std::any_of(options.begin(), options.end(),
                       [&](const char* option) { return cl.Has(option); });
}

void RejectWithStyle(const CommandLine& cl, const std::vector<const char*>& options) {
    for (const char* option : options)
        if (cl.Has(option))
            throw UsageError(std::string(option) + " cannot be combined with --style");
}

// Label-and-value lines, aligned.
void PrintPairs(std::ostream& out, const std::vector<std::pair<std::string, std::string>>& pairs) {
    TextTable table({false, false});
    for (const auto& [label, value] : pairs)
        table.AddRow({label + ":", value});
    table.Print(out);
}

// ---------------------------------------------------------------------------
// The evaluator.

class CollectingSink : public EvaluatorMessages {
  public:
    void LibraryError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// The flow text as the calculate buttons evaluate it; nothing when the
// evaluation was abandoned (its text is then on err). An empty text stays empty.
std::optional<std::string> EvaluateFlow(const std::string& text, bool japanese, std::ostream& err) {
    if (text.empty()) return std::string();
    ExpressionEvaluator evaluator;
    CollectingSink sink;
    evaluator.SetMessageSink(&sink);
    evaluator.SetJapanese(japanese);
    std::optional<std::string> result;
    try {
        result = evaluator.EvaluateFlowText(Utf8ToCp932Lossy(text));
    } catch (const EvaluationError& error) {
        for (const auto& message : sink.texts)
            err << message << '\n';
        err << error.what() << '\n';
        return std::nullopt;
    }
    for (const auto& message : sink.texts)
        err << message << '\n';
    return result;
}

int RunEval(const CommandLine& cl, bool japanese, std::ostream& out, std::ostream& err) {
    if (cl.operands.empty()) throw UsageError("missing TEXT");
    ExpressionEvaluator evaluator; // one for all texts: variables carry over
    CollectingSink sink;
    evaluator.SetMessageSink(&sink);
    evaluator.SetJapanese(japanese);
    bool abandoned = false;
    for (const auto& text : cl.operands) {
        sink.texts.clear();
        std::optional<std::string> result, error;
        try {
            // Read as the window reads its flow fields: in the code page.
            result = evaluator.EvaluateFlowText(Utf8ToCp932Lossy(text));
        } catch (const EvaluationError& e) {
            error = e.what();
            abandoned = true;
        }
        if (cl.json) {
            out << json::Object({{"input", json::Quote(text)},
                                 {"result", json::QuoteOrNull(result)},
                                 {"messages", json::StringArray(sink.texts)},
                                 {"error", json::QuoteOrNull(error)}})
                << '\n';
        } else {
            for (const auto& message : sink.texts)
                err << message << '\n';
            if (error) err << *error << '\n';
            if (result) out << *result << '\n';
        }
    }
    return abandoned ? kExitFailure : kExitSuccess;
}

// ---------------------------------------------------------------------------
// The configuration files.

struct LoadedConfig {
    MaterialTable materials{};
    DuctStyleTable ductStyles{};
    TerminalStyleTable terminalStyles{};
    StyleNameList ductList, terminalList;
    std::vector<std::string> messages; // in the order start-up shows them
    std::string missingFileMessage;    // set when a required file could not be opened
};

QString ConfigDirectory(const CommandLine& cl) {
    if (cl.Has("--config-dir")) return QString::fromStdString(cl.Get("--config-dir"));
    if (QCoreApplication::instance()) return DefaultConfigDirectory();
    // Tests call RunCalc without an application object.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

// Reads the three files in the order of start-up: duct styles, materials, air
// terminals. False when one of them cannot be opened.
bool LoadConfig(const QString& directory, bool japanese, LoadedConfig& config) {
    auto read = [&](ConfigFile file, ConfigFields& fields) {
        const std::string_view name = ConfigFileName(file, japanese);
        fields = ReadConfigFields(directory, name);
        if (!fields.opened) config.missingFileMessage = MissingFileMessage(name, japanese);
        return fields.opened;
    };
    auto append = [&](const std::vector<std::string>& messages) {
        config.messages.insert(config.messages.end(), messages.begin(), messages.end());
    };
    ConfigFields fields;
    if (!read(ConfigFile::DuctStyles, fields)) return false;
    if (!fields.delivered())
        config.messages.push_back(StyleNotRegisteredMessage(StyleKind::Duct, japanese));
    append(LoadDuctStyles(fields.fields, config.ductStyles, config.ductList, japanese));

    if (!read(ConfigFile::Materials, fields)) return false;
    append(LoadMaterials(fields.fields, config.materials, japanese));

    if (!read(ConfigFile::TerminalStyles, fields)) return false;
    if (!fields.delivered())
        config.messages.push_back(StyleNotRegisteredMessage(StyleKind::Terminal, japanese));
    append(LoadTerminalStyles(fields.fields, config.terminalStyles, config.terminalList, japanese));
    return true;
}

// Loads the files for --style; messages go to err. False: a file is missing.
bool LoadConfigForStyle(const CommandLine& cl, bool japanese, LoadedConfig& config,
                        std::ostream& err) {
    const bool loaded = LoadConfig(ConfigDirectory(cl), japanese, config);
    for (const auto& message : config.messages)
        err << message << '\n';
    if (!loaded) err << config.missingFileMessage << '\n';
    return loaded;
}

// The --style text as a list position; checked against the list and its slot.
int StylePosition(const std::string& text, const StyleNameList& list,
                  const std::function<bool(int)>& slotFilled, const char* kind) {
    const auto position = ParseInteger(text);
    if (!position || *position < 0)
        throw UsageError("--style takes a list position from 0, not '" + text + "'");
    if (static_cast<size_t>(*position) >= list.size())
        throw UsageError("--style " + text + ": the " + kind + " style list holds " +
                         std::to_string(list.size()) + " styles (positions from 0)");
    if (*position >= static_cast<int>(kConfigTableSlots) || !slotFilled(*position))
        throw UsageError("--style " + text + ": list position " + text + " stands for an empty " +
                         kind + " style slot (the rows of the file are not numbered 1, 2, 3 ...)");
    return *position;
}

// Without --style the first style is taken. Style files that hold none are
// no fault of the command line: reported here, a failure, not a usage error.
bool NoFirstStyleToTake(const CommandLine& cl, const StyleNameList& list,
                        const std::string& firstName, const char* kind, std::ostream& err) {
    if (cl.Has("--style") || (!list.empty() && !firstName.empty())) return false;
    err << "kestrix-calc: the " << kind
        << " style file holds no first style to size with; give the criteria options\n";
    return true;
}

TerminalCriteria TerminalCriteriaFromStyle(const TerminalSelectionStyle& style) {
    TerminalCriteria c;
    const auto velocity = ParseNumber(style.faceVelocity);
    if (!velocity) return c;
    c.velocity = *velocity;
    const auto freeArea = ParseNumber(style.freeArea);
    if (!freeArea) return c;
    c.ratio = RatioFromPercent(*freeArea);
    return c;
}

std::optional<std::string> MessageOrNull(SizingMessage message, bool japanese) {
    if (message == SizingMessage::None) return std::nullopt;
    return SizingMessageText(message, japanese);
}

// The criteria of a command: the style at --style N of the configuration
// files, or the criteria options. With styleByDefault a command line that has
// neither takes style 0. Nothing when a configuration file is missing; the
// loading messages are on err. styleName is set when a style was taken.
std::optional<DuctCriteria> DuctCriteriaFor(const CommandLine& cl, bool japanese,
                                            bool styleByDefault, std::ostream& err,
                                            std::string& styleName) {
    if (!cl.Has("--style") && !(styleByDefault && !HasAny(cl, kDuctCriteriaOptions))) {
        DuctCriteria criteria;
        criteria.roughness = CriterionNumber(cl, "--roughness");
        criteria.velocity = CriterionNumber(cl, "--velocity");
        criteria.lossLimit = CriterionNumber(cl, "--loss");
        criteria.aspectLimit = CriterionNumber(cl, "--aspect", "4.0");
        criteria.pressureInPa = cl.Get("--units", "0") != "0";
        return criteria;
    }
    RejectWithStyle(cl, kDuctCriteriaOptions);
    LoadedConfig config;
    if (!LoadConfigForStyle(cl, japanese, config, err)) return std::nullopt;
    if (NoFirstStyleToTake(cl, config.ductList, config.ductStyles[0].name, "duct", err))
        return std::nullopt;
    const int slot = StylePosition(
        cl.Get("--style", "0"), config.ductList,
        [&](int k) { return !config.ductStyles[k].name.empty(); }, "duct");
    styleName = Cp932ToUtf8(config.ductStyles[slot].name);
    return DuctCriteriaFromStyle(config.ductStyles[slot], config.materials);
}

std::optional<TerminalCriteria> TerminalCriteriaFor(const CommandLine& cl, bool japanese,
                                                    bool styleByDefault, std::ostream& err,
                                                    std::string& styleName) {
    if (!cl.Has("--style") && !(styleByDefault && !HasAny(cl, kTerminalCriteriaOptions))) {
        TerminalCriteria criteria;
        criteria.velocity = CriterionNumber(cl, "--face-velocity");
        criteria.ratio = RatioFromPercent(CriterionNumber(cl, "--free-area"));
        return criteria;
    }
    RejectWithStyle(cl, kTerminalCriteriaOptions);
    LoadedConfig config;
    if (!LoadConfigForStyle(cl, japanese, config, err)) return std::nullopt;
    if (NoFirstStyleToTake(cl, config.terminalList, config.terminalStyles[0].name, "air-terminal",
                           err))
        return std::nullopt;
    const int slot = StylePosition(
        cl.Get("--style", "0"), config.terminalList,
        [&](int k) { return !config.terminalStyles[k].name.empty(); }, "air-terminal");
    styleName = Cp932ToUtf8(config.terminalStyles[slot].name);
    return TerminalCriteriaFromStyle(config.terminalStyles[slot]);
}

// ---------------------------------------------------------------------------
// duct

int RunDuct(const CommandLine& cl, bool japanese, std::ostream& out, std::ostream& err) {
    const std::string& flowText = SingleOperand(cl, "FLOW");
    if (cl.Has("--height") && !cl.Has("--width")) throw UsageError("--height needs --width");

    std::string styleName;
    const auto chosen = DuctCriteriaFor(cl, japanese, false, err, styleName);
    if (!chosen) return kExitFailure;
    const DuctCriteria criteria = *chosen;

    const auto flow = EvaluateFlow(flowText, japanese, err);
    if (!flow) return kExitFailure;
    const std::string mark = DiameterMark(japanese);
    const CalcCaptions& cap = CaptionsFor(japanese);
    const bool pa = criteria.pressureInPa;
    std::vector<std::pair<std::string, std::string>> head{{cap.flow, *flow}};
    if (!styleName.empty()) head.emplace(head.begin(), cap.style, styleName);

    if (!cl.Has("--width")) {
        DuctCandidates result;
        if (!flow->empty()) result = SizeDuct(*flow, criteria, mark);
        const auto message = MessageOrNull(result.message, japanese);
        if (cl.json) {
            std::vector<std::string> entries;
            for (const auto& e : result.entries)
                entries.push_back(
                    json::StringArray({e.label, e.velocity, e.loss, e.aspect, e.dynamicPressure}));
            out << json::Object({{"flow", json::Quote(*flow)},
                                 {"entries", json::Array(entries)},
                                 {"message", json::QuoteOrNull(message)}})
                << '\n';
            return kExitSuccess;
        }
        PrintPairs(out, head);
        if (!result.entries.empty()) {
            TextTable table({false, true, true, true, true});
            table.AddRow({cap.size, cap.velocity, LossCaption(japanese, pa), cap.aspect,
                          DynamicPressureCaption(japanese, pa)});
            for (const auto& e : result.entries)
                table.AddRow({e.label, e.velocity, e.loss, e.aspect, e.dynamicPressure});
            out << '\n';
            table.Print(out);
        }
        if (message) out << *message << '\n';
        return kExitSuccess;
    }

    DuctFields fields;
    std::string sizeText;
    if (!flow->empty()) {
        const std::string width = cl.Get("--width"), height = cl.Get("--height");
        RecalcDuct({*flow, width, height, cl.Has("--height")}, criteria, mark, fields, sizeText);
    }
    if (cl.json) {
        const json::Members values{
            {"E_wv", json::Quote(fields.E_wv)},   {"E_dp", json::Quote(fields.E_dp)},
            {"E_ap", json::Quote(fields.E_ap)},   {"E_aq", json::Quote(fields.E_aq)},
            {"E_fai", json::Quote(fields.E_fai)}, {"M_wv", json::Quote(fields.M_wv)},
            {"E_as", json::Quote(fields.E_as)}};
        out << json::Object({{"flow", json::Quote(*flow)},
                             {"size_text", json::Quote(sizeText)},
                             {"fields", json::Object(values)}})
            << '\n';
        return kExitSuccess;
    }
    head.insert(head.end(), {{cap.size, sizeText},
                             {cap.velocity, fields.E_wv},
                             {LossCaption(japanese, pa), fields.E_dp},
                             {DynamicPressureCaption(japanese, pa), fields.E_ap},
                             {cap.standardFlow, fields.E_aq},
                             {cap.equivalentDiameter, fields.E_fai},
                             {cap.velocityAtDiameter, fields.M_wv},
                             {cap.aspect, fields.E_as}});
    PrintPairs(out, head);
    return kExitSuccess;
}

// ---------------------------------------------------------------------------
// terminal

int RunTerminal(const CommandLine& cl, bool japanese, std::ostream& out, std::ostream& err) {
    const std::string& flowText = SingleOperand(cl, "FLOW");
    if (cl.Has("--height") && !cl.Has("--width")) throw UsageError("--height needs --width");

    std::string styleName;
    const auto chosen = TerminalCriteriaFor(cl, japanese, false, err, styleName);
    if (!chosen) return kExitFailure;
    const TerminalCriteria criteria = *chosen;

    const auto flow = EvaluateFlow(flowText, japanese, err);
    if (!flow) return kExitFailure;
    const CalcCaptions& cap = CaptionsFor(japanese);
    std::vector<std::pair<std::string, std::string>> head{{cap.flow, *flow}};
    if (!styleName.empty()) head.emplace(head.begin(), cap.style, styleName);
    TerminalFields fields;

    if (!cl.Has("--width")) {
        TerminalCandidates result;
        if (!flow->empty()) result = SizeTerminal(*flow, criteria, DiameterMark(japanese), fields);
        const auto message = MessageOrNull(result.message, japanese);
        if (cl.json) {
            std::vector<std::string> entries;
            for (const auto& e : result.entries)
                entries.push_back(json::StringArray({e.label, e.velocity}));
            out << json::Object({{"flow", json::Quote(*flow)},
                                 {"hsy", json::Quote(fields.hsy)},
                                 {"hsj", json::Quote(fields.hsj)},
                                 {"hsk", json::Quote(fields.hsk)},
                                 {"entries", json::Array(entries)},
                                 {"message", json::QuoteOrNull(message)}})
                << '\n';
            return kExitSuccess;
        }
        head.insert(head.end(), {{cap.effectiveArea, fields.hsy},
                                 {cap.necessaryArea, fields.hsj},
                                 {cap.freeArea, fields.hsk}});
        PrintPairs(out, head);
        if (!result.entries.empty()) {
            TextTable table({false, true});
            table.AddRow({cap.size, cap.surfaceVelocity});
            for (const auto& e : result.entries)
                table.AddRow({e.label, e.velocity});
            out << '\n';
            table.Print(out);
        }
        if (message) out << *message << '\n';
        return kExitSuccess;
    }

    if (!flow->empty()) {
        const std::string width = cl.Get("--width"), height = cl.Get("--height");
        RecalcTerminal({*flow, width, height, cl.Has("--height")}, criteria, fields);
    }
    if (cl.json) {
        const json::Members values{{"hsk", json::Quote(fields.hsk)},
                                   {"hsv", json::Quote(fields.hsv)},
                                   {"haq", json::Quote(fields.haq)}};
        out << json::Object({{"flow", json::Quote(*flow)}, {"fields", json::Object(values)}})
            << '\n';
        return kExitSuccess;
    }
    head.insert(head.end(), {{cap.freeArea, fields.hsk},
                             {cap.surfaceVelocity, fields.hsv},
                             {cap.standardFlow, fields.haq}});
    PrintPairs(out, head);
    return kExitSuccess;
}

// ---------------------------------------------------------------------------
// schedule

ScheduleFormat ChooseScheduleFormat(const CommandLine& cl) {
    if (cl.json && cl.Has("--format") && cl.Get("--format") != "json")
        throw UsageError("--json cannot be combined with --format " + cl.Get("--format"));
    const std::string format = cl.Get("--format", cl.json ? "json" : "csv");
    if (format == "csv") return ScheduleFormat::Csv;
    if (format == "md") return ScheduleFormat::Markdown;
    if (format == "json") return ScheduleFormat::Json;
    throw UsageError("--format takes csv, md or json, not '" + format + "'");
}

int RunScheduleCommand(const CommandLine& cl, bool japanese, std::istream& in, std::ostream& out,
                       std::ostream& err) {
    if (cl.operands.empty()) throw UsageError("missing duct or terminal");
    const std::string& kind = cl.operands[0];
    if (kind != "duct" && kind != "terminal")
        throw UsageError("schedule takes duct or terminal, not '" + kind + "'");
    if (cl.operands.size() < 2) throw UsageError("missing FILE (- reads standard input)");
    if (cl.operands.size() > 2)
        throw UsageError("only one FILE is taken; '" + cl.operands[2] + "' is one too many");
    const std::string& path = cl.operands[1];

    ScheduleRequest request;
    request.kind = kind == "duct" ? ScheduleKind::Duct : ScheduleKind::Terminal;
    request.format = ChooseScheduleFormat(cl);
    request.japanese = japanese;
    const auto& otherOptions = kind == "duct" ? kTerminalCriteriaOptions : kDuctCriteriaOptions;
    for (const char* option : otherOptions)
        if (cl.Has(option))
            throw UsageError(std::string(option) + " is not a criterion of schedule " + kind);

    std::string styleName;
    if (request.kind == ScheduleKind::Duct) {
        const auto criteria = DuctCriteriaFor(cl, japanese, true, err, styleName);
        if (!criteria) return kExitFailure;
        request.duct = *criteria;
    } else {
        const auto criteria = TerminalCriteriaFor(cl, japanese, true, err, styleName);
        if (!criteria) return kExitFailure;
        request.terminal = *criteria;
    }

    if (path == "-") return RunSchedule(request, in, out, err);
    // The operand is UTF-8 on every platform (main converts the arguments).
    const std::filesystem::path file(std::u8string(path.begin(), path.end()));
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        err << "kestrix-calc: cannot read '" << path << "': it is a folder\n";
        return kExitFailure;
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        err << "kestrix-calc: cannot open '" << path << "': " << std::strerror(errno) << '\n';
        return kExitFailure;
    }
    return RunSchedule(request, stream, out, err);
}

// ---------------------------------------------------------------------------
// styles

// Rows of a table from slot 0 up to the first empty slot, as UTF-8 texts.
template <typename Table, typename Columns>
std::vector<std::vector<std::string>> FilledRows(const Table& table, Columns columns) {
    std::vector<std::vector<std::string>> rows;
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

int RunStyles(const CommandLine& cl, bool japanese, std::ostream& out, std::ostream& err) {
    if (!cl.operands.empty())
        throw UsageError("styles takes no operand ('" + cl.operands[0] + "')");
    LoadedConfig config;
    if (!LoadConfig(ConfigDirectory(cl), japanese, config)) {
        for (const auto& message : config.messages)
            err << message << '\n';
        err << config.missingFileMessage << '\n';
        return kExitFailure;
    }
    const auto materials = FilledRows(config.materials, [](const DuctMaterial& m) {
        return std::vector<const std::string*>{&m.name, &m.roughness};
    });
    const auto ductStyles = FilledRows(config.ductStyles, [](const DuctSelectionStyle& s) {
        return std::vector<const std::string*>{&s.name,         &s.material, &s.velocity,
                                               &s.frictionLoss, &s.units,    &s.aspectRatio};
    });
    const auto terminalStyles =
        FilledRows(config.terminalStyles, [](const TerminalSelectionStyle& s) {
            return std::vector<const std::string*>{&s.name, &s.freeArea, &s.faceVelocity};
        });

    if (cl.json) {
        auto rowsJson = [](const std::vector<std::vector<std::string>>& rows) {
            std::vector<std::string> encoded;
            for (const auto& row : rows)
                encoded.push_back(json::StringArray(row));
            return json::Array(encoded);
        };
        out << json::Object({{"materials", rowsJson(materials)},
                             {"duct_styles", rowsJson(ductStyles)},
                             {"terminal_styles", rowsJson(terminalStyles)},
                             {"messages", json::StringArray(config.messages)},
                             {"duct_list", json::StringArray(ToUtf8(config.ductList))},
                             {"terminal_list", json::StringArray(ToUtf8(config.terminalList))}})
            << '\n';
        return kExitSuccess;
    }

    const CalcCaptions& cap = CaptionsFor(japanese);
    // Materials are named by their row number, styles by their list position.
    auto section = [&](const char* title, std::vector<std::string> headings,
                       const std::vector<std::vector<std::string>>& rows, int firstNumber) {
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
    section(cap.materials, {cap.name, cap.roughness}, materials, 1);
    section(cap.ductStyles,
            {cap.name, cap.material, cap.styleVelocity, cap.frictionLoss, cap.units,
             cap.aspectRatio},
            ductStyles, 0);
    section(cap.terminalStyles, {cap.name, cap.styleFreeArea, cap.faceVelocity}, terminalStyles,
            0);
    if (!config.messages.empty()) {
        out << cap.messages << '\n';
        for (const auto& message : config.messages)
            out << message << '\n';
    }
    return kExitSuccess;
}

} // namespace

std::string DiameterMark(bool japanese) {
    return japanese ? "φ" : "Φ";
}

// ---------------------------------------------------------------------------
// Headings

const CalcCaptions& CaptionsFor(bool japanese) {
    static const CalcCaptions en{"Flow Rate[CMH]",
                                 "Size[mm]",
                                 "Velocity[m/s]",
                                 "Aspect Ratio",
                                 "Standard Flow[CMH]",
                                 "Equivalent Dia.[mm]",
                                 "Velocity E.Dia.[m/s]",
                                 "Free Area[%]",
                                 "Necessary Area[m²]",
                                 "Effective Area[m²]",
                                 "Surface Velocity[m/s]",
                                 "Style",
                                 "Materials",
                                 "Duct styles (--style N)",
                                 "Air-terminal styles (--style N)",
                                 "Messages",
                                 "Row",
                                 "Name",
                                 "Roughness[mm]",
                                 "Material",
                                 "Velocity[m/s]",
                                 "Friction loss",
                                 "Units",
                                 "Aspect ratio",
                                 "Free area[%]",
                                 "Face velocity[m/s]"};
    static const CalcCaptions ja{"風量[CMH]",
                                 "サイズ[mm]",
                                 "風速[m/s]",
                                 "ｱｽﾍﾟｸﾄ比",
                                 "基準風量[CMH]",
                                 "相当直径[mm]",
                                 "丸ﾀﾞｸﾄ換算時風速[m/s]",
                                 "開口率[%]",
                                 "必要[㎡]",
                                 "有効[㎡]",
                                 "面風速[m/s]",
                                 "スタイル",
                                 "ダクト材質",
                                 "ダクト選定スタイル (--style N)",
                                 "器具選定スタイル (--style N)",
                                 "メッセージ",
                                 "番号",
                                 "名称",
                                 "内面粗度[mm]",
                                 "ダクト材質",
                                 "ダクト内風速[m/s]",
                                 "最大摩擦損失",
                                 "単位",
                                 "アスペクト比",
                                 "開口率[%]",
                                 "面風速[m/s]"};
    return japanese ? ja : en;
}

std::string LossCaption(bool japanese, bool pa) {
    if (japanese) return pa ? "Δp[Pa/m]" : "Δp[mmAq/m]";
    return pa ? "DeltaPr.[Pa/m]" : "DeltaPr.[mmAq/m]";
}

std::string DynamicPressureCaption(bool japanese, bool pa) {
    if (japanese) return pa ? "動圧[Pa]" : "動圧[kgf/㎡]";
    return pa ? "Dynamic Pr.[Pa]" : "Dynamic Pr.[kgf/m²]";
}

namespace {

// Standard input, read from its file descriptor so that a read error is
// seen: the buffer behind std::cin takes one for the end of the input, and a
// schedule would then size the row that the error cut short. The error is
// thrown, with the system's reason. Each read returns what has arrived, so a
// row typed or piped in is sized at once.
class StdinBuffer : public std::streambuf {
  public:
    explicit StdinBuffer(bool closed) : closed_(closed) {
#ifdef Q_OS_WIN
        // Bytes as they are: no CR LF translation, no end at Ctrl+Z.
        if (!closed_) _setmode(0, _O_BINARY);
#endif
    }

  protected:
    int_type underflow() override {
        if (closed_) throw std::runtime_error(std::strerror(EBADF));
        for (;;) {
#ifdef Q_OS_WIN
            const int count = _read(0, buffer_, sizeof buffer_);
#else
            const ssize_t count = ::read(0, buffer_, sizeof buffer_);
            if (count < 0 && errno == EINTR) continue;
            // An input opened without blocking has nothing yet: wait for it.
            if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                pollfd input{0, POLLIN, 0};
                if (::poll(&input, 1, -1) >= 0 || errno == EINTR) continue;
            }
#endif
            if (count < 0) throw std::runtime_error(std::strerror(errno));
            if (count == 0) return traits_type::eof();
            setg(buffer_, buffer_, buffer_ + count);
            return traits_type::to_int_type(buffer_[0]);
        }
    }

  private:
    bool closed_;
    char buffer_[65536];
};

} // namespace

int RunCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            bool standardInputClosed) {
    StdinBuffer buffer(standardInputClosed);
    std::istream in(&buffer);
    return RunCalc(args, in, out, err);
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    try {
        const CommandLine cl = ParseCommandLine(args);
        if (cl.help) {
            out << CalcHelpText();
            return kExitSuccess;
        }
        const bool japanese = ChooseJapanese(cl);
        if (cl.command == "eval") return RunEval(cl, japanese, out, err);
        if (cl.command == "duct") return RunDuct(cl, japanese, out, err);
        if (cl.command == "terminal") return RunTerminal(cl, japanese, out, err);
        if (cl.command == "schedule") return RunScheduleCommand(cl, japanese, in, out, err);
        if (cl.command == "system")
            return RunSystemCommand(cl.operands, cl.values, cl.json, japanese, in, out, err);
        return RunStyles(cl, japanese, out, err);
    } catch (const UsageError& error) {
        err << "kestrix-calc: " << error.what()
            << "\nTry 'kestrix-calc --help' for more information.\n";
        return kExitUsage;
    }
}

} // namespace

int RunCalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    const int status = RunCommand(args, in, out, err);
    // What was printed must have arrived: a full disk is a failure, not a
    // success with a lost schedule.
    out.flush();
    if (!out) {
        err << "kestrix-calc: the output could not be written\n";
        return status == kExitUsage ? status : kExitFailure;
    }
    return status;
}

std::string CalcHelpText() {
    return R"(Usage:
  kestrix-calc eval [--json] [--lang en|ja] TEXT...
  kestrix-calc duct [--json] [--lang en|ja] DUCT-CRITERIA [--width W [--height H]] FLOW
  kestrix-calc terminal [--json] [--lang en|ja] TERMINAL-CRITERIA [--width W [--height H]] FLOW
  kestrix-calc styles [--json] [--lang en|ja] [--config-dir DIR]
  kestrix-calc schedule duct|terminal [--format csv|md|json] [--lang en|ja]
               [DUCT-CRITERIA|TERMINAL-CRITERIA] [--config-dir DIR] FILE
  kestrix-calc --help

Sizes ducts and air terminals (diffusers, grilles) for an air flow in CMH (m3/h)
with the engine of the Kestrix window. FLOW is evaluated first, as the flow
fields do, so it may be an expression (1200*3, sqrt(2)*450).

Commands:
  eval      Evaluates each TEXT in turn on one evaluator, so variables carry
            over (a = 850, then a*2), and prints each result on its own line.
            Messages of the mathematical functions ("sqrt: DOMAIN error") go
            to stderr. An abandoned TEXT prints its error on stderr, the next
            TEXT is still evaluated, and the exit status is 1.
  duct      Lists the duct candidates: round sizes, the square, then
            rectangles growing wider and lower, each with velocity, friction
            loss, aspect ratio and dynamic pressure. With --width W it computes
            that size instead: W x H with --height H, round of diameter W
            without it (reference flow, equivalent diameter, ...).
  terminal  Lists the air-terminal candidates with the effective and the
            necessary area; with --width W [--height H] it computes the face
            velocity and reference flow of that size.
  styles    Lists the materials, duct styles and air-terminal styles of the
            configuration files, with every message that loading them gave.
  schedule  Sizes every row of FILE, a CSV file of tag,flow rows (- reads
            standard input), and writes one row per input row, as soon as it
            is read: the tag, the evaluated flow, the first round candidate
            and the first rectangular one (for ducts the square) with their
            properties and reference flows. See "Schedules" below.

Duct criteria, texts as a duct style holds them:
  --roughness R        inner-surface roughness of the material, mm
  --velocity V         largest air velocity, m/s
  --loss L             largest friction loss per metre (mmAq/m or Pa/m)
  --units U            "0" for mmAq/m and kgf/m2 (default), any other text for
                       Pa/m and Pa
  --aspect A           largest aspect ratio of a rectangle (default 4.0)
Air-terminal criteria:
  --free-area P        free-area ratio, percent
  --face-velocity V    largest face velocity, m/s
Or a style from the configuration files, in place of the criteria options:
  --style N            the style at position N (from 0) of the style list, as
                       'kestrix-calc styles' shows it; a duct style's material
                       row gives the roughness
  --config-dir DIR     folder of the configuration files (default: the folder
                       of this program). --lang ja reads ksx_mate.cfg,
                       KSX_Set1.cfg and KSX_Set2.cfg, otherwise ksx_mate_e.cfg,
                       KSX_Set1_e.cfg and KSX_Set2_e.cfg; all three must exist.

Schedules (schedule duct|terminal ... FILE):
  Criteria             the duct or air-terminal criteria options above, or
                       --style N; with neither, style 0 of the configuration
                       files (the first of the list)
  --format csv         CSV (the default): a heading line, then one line per
                       row, LF line ends, UTF-8 without a byte-order mark;
                       fields with a comma, a quote, a line break or an outer
                       blank are quoted, quotes doubled
  --format md          a Markdown table
  --format json        one JSON object per row and line (--json says the same)
  Input: UTF-8 (a byte-order mark is skipped), LF, CR LF or CR line ends.
  Each line is one row of two fields, tag and flow; a field may be quoted
  ("a,b", "say ""hi""") but cannot span lines, and blanks around fields are
  dropped. An input that cannot be read to its end ends the run there with
  exit status 1; the rows before the error are out.
  Blank lines and lines whose first non-blank character is # are skipped. A
  first row that reads tag,flow (any case) is a heading and is skipped. The
  flows are evaluated in row order on one evaluator, so variables carry over
  (a = 850 on one row, a*2 on a later one), also from rows that are bad for
  another reason.
  Headings name the unit of each column, in the language of --lang: duct
  Tag, Flow Rate[CMH], then for the round and the rectangular candidate Size,
  Velocity, DeltaPr. (mmAq/m or Pa/m), Aspect Ratio (rectangular only),
  Dynamic Pr. (kgf/m2 or Pa), Standard Flow (the reference flow), and
  Equivalent Dia. (rectangular only), then Error; air terminal Tag, Flow
  Rate, Effective Area, Necessary Area, Free Area[%], then Size, Surface
  Velocity and Standard Flow of the round and the rectangular candidate,
  then Error.
  A bad row is still written, with its values empty (null in JSON) and the
  reason in the error column, and reported on stderr as "line N: reason"
  (N counts every line of the file); the rows after it are still sized, and
  the exit status is 1. Bad rows: not two fields, an unclosed quote, a line
  over 65536 bytes, an empty tag or flow, an abandoned evaluation, a flow
  that is not a positive number (0, -5, NAN), a sizing message (Flow Rate is
  too big., the limits or roughness messages), no candidate at that flow.
  A line that has not ended 64 MiB after its limit ends the run there (an
  endless input such as /dev/zero). The reasons are in the language of
  --lang; bytes of the input that are no UTF-8 text are written as U+FFFD.
  The flow column shows the evaluated flow, or the text as given when it was
  not evaluated.

Common options:
  --json               one JSON object per line (UTF-8) instead of a table
  --lang en|ja         language of headings and messages, and the diameter
                       mark (en: 283Φ, ja: 283φ); default: Japanese when the
                       system's language is Japanese, English otherwise
  --                   ends the options: FLOW or TEXT may then begin with "-"
                       (kestrix-calc eval -- -2^2)
  -h, --help           shows this text
Options may come in any order; --name=value works too.

JSON output (keys in this order; a field left empty is "", no list is []):
  eval      {"input", "result" (null when abandoned), "messages": [...],
             "error" (the floating-point error text, or null)}
  duct      {"flow", "entries": [[size, velocity, loss, aspect, dynamic
             pressure], ...], "message" (or null)}
            with --width: {"flow", "size_text", "fields": {"E_wv" velocity,
             "E_dp" loss, "E_ap" dynamic pressure, "E_aq" reference flow,
             "E_fai" equivalent diameter, "M_wv" velocity at that diameter,
             "E_as" aspect ratio}}
  terminal  {"flow", "hsy" effective area m2, "hsj" necessary area m2, "hsk"
             free area %, "entries": [[size, velocity], ...], "message"}
            with --width: {"flow", "fields": {"hsk", "hsv" face velocity,
             "haq" reference flow}}
  styles    {"materials": [[name, roughness], ...], "duct_styles": [[name,
             material, velocity, frictionLoss, units, aspectRatio], ...],
             "terminal_styles": [[name, freeArea, faceVelocity], ...],
             "messages": [...], "duct_list": [...], "terminal_list": [...]}
  schedule duct
            {"line", "tag", "flow", "round": {"size", "velocity", "loss",
             "dynamic_pressure", "reference_flow"}, "rectangular": {"size",
             "velocity", "loss", "aspect", "dynamic_pressure", "reference_flow",
             "equivalent_diameter"}, "error" (the reason, or null)}
  schedule terminal
            {"line", "tag", "flow", "effective_area", "necessary_area",
             "free_area", "round": {"size", "face_velocity", "reference_flow"},
             "rectangular": {"size", "face_velocity", "reference_flow"},
             "error"}
            A bad row has null for every value after "flow".

Limits:
  - Flows above 10000000 CMH are refused ("Flow Rate is too big."). As in
    the window, an air-terminal FLOW that the evaluator writes with an
    exponent (1E15), and an infinite FLOW (INF), list nothing without a
    message; a schedule refuses them all as too big.
  - A zero flow lists nothing; an empty FLOW does nothing and prints the
    empty result.
  - A list holds at most 1000 candidates.
  - The duct velocity march stops at 340 m/s (the speed of sound) and
    reports the limits message ("Please correct 'Unit frictional loss' or
    'maximum air velocity'"), as does a friction-loss or velocity limit of 0.
  - A roughness of zero or below, or a style whose material names no loaded
    material, gives the roughness message.
  - A zero or negative free-area ratio or face velocity, or a necessary area
    above 1 km2, gives the air-terminal limits message.
  - Texts over 255 bytes are refused by the evaluator, counted as the window
    counts them, in code page 932: two bytes for most Japanese characters,
    one ("?") for a character the code page cannot hold.

Exit status:
  0  success; a sizing message such as "Flow Rate is too big." is a result
  1  an evaluation was abandoned (floating-point error, text too long), a
     required configuration file is missing, a schedule's FILE cannot be
     read, a schedule had a bad row, or the output could not be written
     (a full disk, say)
  2  usage error
)" + SystemHelpText();
}

} // namespace kestrix
