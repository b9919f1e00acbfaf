#pragma once

// The criteria of kestrix-calc's sizing commands: the criteria options, or a
// style of the configuration files read as the window reads them at start-up.

#include "app/command_line.h"
#include "config/config_records.h"
#include "config/language.h"
#include "engine/duct_sizing.h"
#include "engine/terminal_sizing.h"

#include <QString>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrix {

struct LoadedConfig {
    MaterialTable materials{};
    DuctStyleTable ductStyles{};
    TerminalStyleTable terminalStyles{};
    StyleNameList ductList, terminalList;
    std::vector<std::string> messages; // in the order start-up shows them
    std::string missingFileMessage;    // set when a required file could not be opened
};

// --config-dir among a command's option values, or the folder of the program.
QString ConfigDirectory(const std::map<std::string, std::string>& optionValues);

// Reads the three files in the order of start-up: duct styles, materials, air
// terminals. False when one of them cannot be opened.
bool LoadConfig(const QString& directory, Language language, LoadedConfig& config);

// The criteria of a command: the style at --style N of the configuration
// files, or the criteria options; a command line that has neither takes
// style 0, as the window starts with the first style. Nothing when a
// configuration file is missing or holds no style; the loading messages are
// on err. styleName is set (UTF-8) when a style was taken.
std::optional<DuctCriteria> DuctCriteriaFor(const CommandLine& cl, Language language,
                                            std::ostream& err, std::string& styleName);
std::optional<TerminalCriteria> TerminalCriteriaFor(const CommandLine& cl, Language language,
                                                    std::ostream& err, std::string& styleName);

} // namespace kestrix
