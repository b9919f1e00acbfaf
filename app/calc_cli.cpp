#include "app/calc_cli.h"
#include "app/utf8.h"

#include "app/calc_help.h"
#include "app/calc_schedule.h"
#include "app/calc_system.h"
#include "app/json_writer.h"
#include "app/text_table.h"
#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/config_records.h"
#include "config/style_criteria.h"
#include "config/system_criteria.h"
#include "engine/duct_sizing.h"
#include "engine/expression_evaluator.h"
#include "config/engine_texts.h"
#include "config/language.h"
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
    bool version = false;
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
    if (cl.command == "--version" || cl.command == "-V") {
        cl.version = true;
        return cl;
    }
    if (cl.command == "--help" || cl.command == "-h" || cl.command == "help") {
        cl.help = true;
        // "help COMMAND" asks for that command's part.
        cl.command = cl.command == "help" && args.size() > 1 ? args[1] : "";
        if (!cl.command.empty() && ValueOptions().count(cl.command) == 0)
            throw UsageError("unknown command '" + cl.command + "'");
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
        } else if (arg == "--version" || arg == "-V") {
            cl.version = true;
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
std::optional<std::string> EvaluateFlow(const std::string& text, bool /*japanese*/, std::ostream& err) {
    if (text.empty()) return std::string();
    ExpressionEvaluator evaluator;
    CollectingSink sink;
    evaluator.SetMessageSink(&sink);
    std::optional<std::string> result;
    try {
        result = evaluator.EvaluateFlowText(Utf8ToCp932Lossy(text));
    } catch (const EvaluationError& error) {
        for (const auto& message : sink.texts)
            err << message << '\n';
        err << EvaluationErrorText(error.kind()) << '\n';
        return std::nullopt;
    }
    for (const auto& message : sink.texts)
        err << message << '\n';
    return result;
}

int RunEval(const CommandLine& cl, bool /*japanese*/, std::ostream& out, std::ostream& err) {
    if (cl.operands.empty()) throw UsageError("missing TEXT");
    ExpressionEvaluator evaluator; // one for all texts: variables carry over
    CollectingSink sink;
    evaluator.SetMessageSink(&sink);
    bool abandoned = false;
    for (const auto& text : cl.operands) {
        sink.texts.clear();
        std::optional<std::string> result, error;
        try {
            // Read as the window reads its flow fields: in the code page.
            result = evaluator.EvaluateFlowText(Utf8ToCp932Lossy(text));
        } catch (const EvaluationError& e) {
            error = EvaluationErrorText(e.kind());
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
bool LoadConfig(const QString& directory, bool /*japanese*/, LoadedConfig& config) {
    auto read = [&](ConfigFile file, ConfigFields& fields) {
        const std::string_view name = ConfigFileName(file, CurrentLanguage());
        fields = ReadConfigFields(directory, name);
        if (!fields.opened) config.missingFileMessage = MissingFileMessage(name);
        return fields.opened;
    };
    auto append = [&](const std::vector<std::string>& messages) {
        config.messages.insert(config.messages.end(), messages.begin(), messages.end());
    };
    ConfigFields fields;
    if (!read(ConfigFile::DuctStyles, fields)) return false;
    if (!fields.delivered())
        config.messages.push_back(StyleNotRegisteredMessage(StyleKind::Duct));
    append(LoadDuctStyles(fields.fields, config.ductStyles, config.ductList));

    if (!read(ConfigFile::Materials, fields)) return false;
    append(LoadMaterials(fields.fields, config.materials));

    if (!read(ConfigFile::TerminalStyles, fields)) return false;
    if (!fields.delivered())
        config.messages.push_back(StyleNotRegisteredMessage(StyleKind::Terminal));
    append(LoadTerminalStyles(fields.fields, config.terminalStyles, config.terminalList));
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

std::optional<std::string> MessageOrNull(SizingMessage message, bool /*japanese*/) {
    if (message == SizingMessage::None) return std::nullopt;
    return SizingMessageText(message);
}

// The criteria of a command: the style at --style N of the configuration
// files, or the criteria options; a command line that has neither takes
// style 0, as the window starts with the first style. Nothing when a
// configuration file is missing; the loading messages are on err. styleName
// is set when a style was taken.
std::optional<DuctCriteria> DuctCriteriaFor(const CommandLine& cl, bool japanese, std::ostream& err,
                                            std::string& styleName) {
    if (!cl.Has("--style") && HasAny(cl, kDuctCriteriaOptions)) {
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
                                                    std::ostream& err, std::string& styleName) {
    if (!cl.Has("--style") && HasAny(cl, kTerminalCriteriaOptions)) {
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
    const auto chosen = DuctCriteriaFor(cl, japanese, err, styleName);
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
        const json::Members values{{"E_wv", json::Quote(fields.velocity)},
                                   {"E_dp", json::Quote(fields.frictionLoss)},
                                   {"E_ap", json::Quote(fields.dynamicPressure)},
                                   {"E_aq", json::Quote(fields.referenceFlow)},
                                   {"E_fai", json::Quote(fields.equivalentDiameter)},
                                   {"M_wv", json::Quote(fields.velocityAtEquivalentDiameter)},
                                   {"E_as", json::Quote(fields.aspectRatio)}};
        out << json::Object({{"flow", json::Quote(*flow)},
                             {"size_text", json::Quote(sizeText)},
                             {"fields", json::Object(values)}})
            << '\n';
        return kExitSuccess;
    }
    head.insert(head.end(), {{cap.size, sizeText},
                             {cap.velocity, fields.velocity},
                             {LossCaption(japanese, pa), fields.frictionLoss},
                             {DynamicPressureCaption(japanese, pa), fields.dynamicPressure},
                             {cap.standardFlow, fields.referenceFlow},
                             {cap.equivalentDiameter, fields.equivalentDiameter},
                             {cap.velocityAtDiameter, fields.velocityAtEquivalentDiameter},
                             {cap.aspect, fields.aspectRatio}});
    PrintPairs(out, head);
    return kExitSuccess;
}

// ---------------------------------------------------------------------------
// terminal

int RunTerminal(const CommandLine& cl, bool japanese, std::ostream& out, std::ostream& err) {
    const std::string& flowText = SingleOperand(cl, "FLOW");
    if (cl.Has("--height") && !cl.Has("--width")) throw UsageError("--height needs --width");

    std::string styleName;
    const auto chosen = TerminalCriteriaFor(cl, japanese, err, styleName);
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
                                 {"hsy", json::Quote(fields.effectiveArea)},
                                 {"hsj", json::Quote(fields.necessaryArea)},
                                 {"hsk", json::Quote(fields.freeAreaRatio)},
                                 {"entries", json::Array(entries)},
                                 {"message", json::QuoteOrNull(message)}})
                << '\n';
            return kExitSuccess;
        }
        head.insert(head.end(), {{cap.effectiveArea, fields.effectiveArea},
                                 {cap.necessaryArea, fields.necessaryArea},
                                 {cap.freeArea, fields.freeAreaRatio}});
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
        const json::Members values{{"hsk", json::Quote(fields.freeAreaRatio)},
                                   {"hsv", json::Quote(fields.faceVelocity)},
                                   {"haq", json::Quote(fields.referenceFlow)}};
        out << json::Object({{"flow", json::Quote(*flow)}, {"fields", json::Object(values)}})
            << '\n';
        return kExitSuccess;
    }
    head.insert(head.end(), {{cap.freeArea, fields.freeAreaRatio},
                             {cap.surfaceVelocity, fields.faceVelocity},
                             {cap.standardFlow, fields.referenceFlow}});
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
        const auto criteria = DuctCriteriaFor(cl, japanese, err, styleName);
        if (!criteria) return kExitFailure;
        request.duct = *criteria;
    } else {
        const auto criteria = TerminalCriteriaFor(cl, japanese, err, styleName);
        if (!criteria) return kExitFailure;
        request.terminal = *criteria;
    }

    if (path == "-") return RunSchedule(request, in, out, err);
    // The operand is UTF-8 on every platform (main converts the arguments).
    const std::optional<std::filesystem::path> name = FileFromUtf8(path);
    if (!name) {
        err << "kestrix-calc: cannot open '" << ValidUtf8(path) << "': no valid file name\n";
        return kExitFailure;
    }
    const std::filesystem::path& file = *name;
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
    section(
        cap.ductStyles,
        {cap.name, cap.material, cap.styleVelocity, cap.frictionLoss, cap.units, cap.aspectRatio},
        ductStyles, 0);
    section(cap.terminalStyles, {cap.name, cap.styleFreeArea, cap.faceVelocity}, terminalStyles, 0);
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
        if (cl.version) {
            out << CalcVersionText();
            return kExitSuccess;
        }
        if (cl.help) {
            out << CalcCommandHelpText(cl.command).value_or(CalcHelpText());
            return kExitSuccess;
        }
        const bool japanese = ChooseJapanese(cl);
        UseLanguage(japanese ? Language::Japanese : Language::English);
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

} // namespace kestrix
