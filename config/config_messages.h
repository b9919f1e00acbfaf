#pragma once

// The texts of the configuration-file layer, as UTF-8, in the language that
// UseLanguage (config/language.h) installed. The window shows them in message
// boxes; the command-line tool prints them. The caption of the program's
// error boxes is ErrorCaption in config/engine_texts.h.

#include "config/config_records.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrix {

// A required file that cannot be opened; fatal at start-up.
std::string MissingFileMessage(std::string_view fileName);

// A record of the file whose row number is not a whole number from 1 to 64.
std::string BadRowNumberMessage(ConfigFile file);

// After the first bad row numbers of a file: how many more records were
// skipped for the same reason. The file is named as the language names it.
std::string MoreBadRowNumbersMessage(ConfigFile file, size_t count);

// A style file that delivered no field at all.
std::string StyleNotRegisteredMessage(StyleKind kind);

// A style file that could not be written; the same text in both languages,
// under its own caption "Kestrix ｴﾗｰ".
std::string SaveFailureMessage(std::string_view fileName);
std::string SaveFailureCaption();

} // namespace kestrix
