#pragma once

// Where the configuration files live: beside the executable, never in the
// current directory. Every read and write takes the directory as a parameter so
// that tests and the command line can point elsewhere.

#include "config/config_records.h"
#include "config/language.h"

#include <QString>

#include <string_view>

namespace kestrix {

// The directory of the running executable; needs a QCoreApplication.
QString DefaultConfigDirectory();

// The bare file name of a configuration file in the chosen language, such as
// "KSX_Set1.cfg" or "KSX_Set1_e.cfg".
std::string_view ConfigFileName(ConfigFile file, Language language);

// The file name of a style kind's file in the chosen language.
std::string_view StyleFileName(StyleKind kind, Language language);

// directory + "/" + file name; a trailing separator of the directory is not doubled.
QString ConfigFilePath(const QString& directory, std::string_view fileName);

} // namespace kestrix
