#include "app/command_line.h"

#include "app/calc_system.h"
#include "engine/number_text.h"

#include <QLocale>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <algorithm>
#include <cctype>
#include <set>

namespace kestrix {
namespace {

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

// The language rule of a start without parameters.
bool SystemLanguageIsJapanese() {
#ifdef Q_OS_WIN
    return GetSystemDefaultLCID() == 1041;
#else
    return QLocale::system().language() == QLocale::Japanese;
#endif
}

} // namespace

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

Language ChooseLanguage(const CommandLine& cl) {
    if (!cl.Has("--lang"))
        return SystemLanguageIsJapanese() ? Language::Japanese : Language::English;
    const std::string lang = cl.Get("--lang");
    if (lang == "ja") return Language::Japanese;
    if (lang == "en") return Language::English;
    throw UsageError("--lang takes en or ja, not '" + lang + "'");
}

const std::string& SingleOperand(const CommandLine& cl, const char* what) {
    if (cl.operands.empty()) throw UsageError(std::string("missing ") + what);
    if (cl.operands.size() > 1)
        throw UsageError(std::string("only one ") + what + " is taken; '" + cl.operands[1] +
                         "' is one too many (quote an expression that holds blanks)");
    return cl.operands[0];
}

double CriterionNumber(const CommandLine& cl, const std::string& option,
                       std::optional<std::string> fallback) {
    if (!cl.Has(option) && !fallback) throw UsageError("missing " + option + " (or --style N)");
    const std::string text = cl.Get(option, fallback.value_or(""));
    const auto number = ParseNumber(text);
    if (!number) throw UsageError(option + " '" + text + "' is not a number");
    return *number;
}

const std::vector<const char*>& DuctCriteriaOptions() {
    static const std::vector<const char*> options = {"--roughness", "--velocity", "--loss",
                                                     "--units", "--aspect"};
    return options;
}

const std::vector<const char*>& TerminalCriteriaOptions() {
    static const std::vector<const char*> options = {"--free-area", "--face-velocity"};
    return options;
}

bool HasAny(const CommandLine& cl, const std::vector<const char*>& options) {
    return std::any_of(options.begin(), options.end(),
                       [&](const char* option) { return cl.Has(option); });
}

void RejectWithStyle(const CommandLine& cl, const std::vector<const char*>& options) {
    for (const char* option : options)
        if (cl.Has(option))
            throw UsageError(std::string(option) + " cannot be combined with --style");
}

} // namespace kestrix
