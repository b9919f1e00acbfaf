#include "app/criteria_loading.h"

#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/style_criteria.h"
#include "engine/number_text.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <functional>

namespace kestrix {
namespace {

// Loads the files for --style; messages go to err. False: a file is missing.
bool LoadConfigForStyle(const CommandLine& cl, Language language, LoadedConfig& config,
                        std::ostream& err) {
    const bool loaded = LoadConfig(ConfigDirectory(cl.values), language, config);
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

// The slot of the style that --style (or its absence) names in a loaded table.
template <typename Table>
std::optional<int> ChosenSlot(const CommandLine& cl, const Table& styles, const StyleNameList& list,
                              const char* kind, std::ostream& err) {
    if (NoFirstStyleToTake(cl, list, styles[0].name, kind, err)) return std::nullopt;
    return StylePosition(
        cl.Get("--style", "0"), list, [&](int k) { return !styles[k].name.empty(); }, kind);
}

} // namespace

QString ConfigDirectory(const std::map<std::string, std::string>& optionValues) {
    if (const auto dir = optionValues.find("--config-dir"); dir != optionValues.end())
        return QString::fromStdString(dir->second);
    if (QCoreApplication::instance()) return DefaultConfigDirectory();
    // Callers without an application object (the fuzz targets) still find
    // the program's folder.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

bool LoadConfig(const QString& directory, Language language, LoadedConfig& config) {
    auto read = [&](ConfigFile file, ConfigFields& fields) {
        const std::string_view name = ConfigFileName(file, language);
        fields = ReadConfigFields(directory, name);
        if (!fields.opened) config.missingFileMessage = MissingFileMessage(name);
        return fields.opened;
    };
    auto append = [&](const std::vector<std::string>& messages) {
        config.messages.insert(config.messages.end(), messages.begin(), messages.end());
    };
    ConfigFields fields;
    if (!read(ConfigFile::DuctStyles, fields)) return false;
    if (!fields.delivered()) config.messages.push_back(StyleNotRegisteredMessage(StyleKind::Duct));
    append(LoadDuctStyles(fields.fields, config.ductStyles, config.ductList));

    if (!read(ConfigFile::Materials, fields)) return false;
    append(LoadMaterials(fields.fields, config.materials));

    if (!read(ConfigFile::TerminalStyles, fields)) return false;
    if (!fields.delivered())
        config.messages.push_back(StyleNotRegisteredMessage(StyleKind::Terminal));
    append(LoadTerminalStyles(fields.fields, config.terminalStyles, config.terminalList));
    return true;
}

std::optional<DuctCriteria> DuctCriteriaFor(const CommandLine& cl, Language language,
                                            std::ostream& err, std::string& styleName) {
    if (!cl.Has("--style") && HasAny(cl, DuctCriteriaOptions())) {
        DuctCriteria criteria;
        criteria.roughness = CriterionNumber(cl, "--roughness");
        criteria.velocity = CriterionNumber(cl, "--velocity");
        criteria.lossLimit = CriterionNumber(cl, "--loss");
        criteria.aspectLimit = CriterionNumber(cl, "--aspect", "4.0");
        criteria.pressureInPa = cl.Get("--units", "0") != "0";
        return criteria;
    }
    RejectWithStyle(cl, DuctCriteriaOptions());
    LoadedConfig config;
    if (!LoadConfigForStyle(cl, language, config, err)) return std::nullopt;
    const auto slot = ChosenSlot(cl, config.ductStyles, config.ductList, "duct", err);
    if (!slot) return std::nullopt;
    styleName = Cp932ToUtf8(config.ductStyles[*slot].name);
    return DuctCriteriaFromStyle(config.ductStyles[*slot], config.materials);
}

std::optional<TerminalCriteria> TerminalCriteriaFor(const CommandLine& cl, Language language,
                                                    std::ostream& err, std::string& styleName) {
    if (!cl.Has("--style") && HasAny(cl, TerminalCriteriaOptions())) {
        TerminalCriteria criteria;
        criteria.velocity = CriterionNumber(cl, "--face-velocity");
        criteria.ratio = RatioFromPercent(CriterionNumber(cl, "--free-area"));
        return criteria;
    }
    RejectWithStyle(cl, TerminalCriteriaOptions());
    LoadedConfig config;
    if (!LoadConfigForStyle(cl, language, config, err)) return std::nullopt;
    const auto slot =
        ChosenSlot(cl, config.terminalStyles, config.terminalList, "air-terminal", err);
    if (!slot) return std::nullopt;
    styleName = Cp932ToUtf8(config.terminalStyles[*slot].name);
    return TerminalCriteriaFromStyle(config.terminalStyles[*slot]);
}

} // namespace kestrix
