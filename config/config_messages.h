#pragma once

// The texts of the configuration-file layer, as UTF-8, in the chosen language.
// The window shows them in message boxes; the command-line tool prints them.

#include "config/config_records.h"
#include "engine/messages.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrix {

// The caption of the program's error boxes is ErrorCaption in engine/messages.h.

// A required file that cannot be opened; fatal at start-up.
std::string MissingFileMessage(std::string_view fileName, bool japanese);

// A record of the file whose row number is not a whole number from 1 to 64.
std::string BadRowNumberMessage(ConfigFile file, bool japanese);

// After the first bad row numbers of a file: how many more records were
// skipped for the same reason.
std::string MoreBadRowNumbersMessage(ConfigFile file, size_t count, bool japanese);

// A style file that delivered no field at all.
std::string StyleNotRegisteredMessage(StyleKind kind, bool japanese);

// A style file that could not be written; the same text in both languages,
// under its own caption "Kestrix ｴﾗｰ".
std::string SaveFailureMessage(std::string_view fileName);
std::string SaveFailureCaption();

} // namespace kestrix
