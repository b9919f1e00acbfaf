#pragma once

// The duct-system file: JSON in UTF-8, one object with the system's settings
// and its "sections". The reader checks the form (names, kinds of values,
// positions); CalculateSystem checks the content. The material and limits are
// kept as the file names them, to be resolved against the configuration files.

#include "engine/duct_system.h"
#include "engine/json_reader.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

inline constexpr std::size_t kMaxSystemFileBytes = 50u * 1024u * 1024u;

// How the file chooses its criteria: a duct style, or a material (row or
// name) or roughness with limits; with none of them the first duct style.
struct SystemMaterialChoice {
    std::optional<int> style;          // a position in the duct-style list
    std::optional<int> materialRow;    // a row of the materials file
    std::optional<std::string> materialName; // a name in the materials file (UTF-8)
    std::optional<double> roughness;   // mm
    std::optional<double> velocity, loss, aspect; // "limits"
    bool unitsGiven = false;           // "units" was written
};

struct SystemFile {
    DuctSystem system; // settings.criteria are filled by resolving `choice`
    SystemMaterialChoice choice;
};

struct SystemFileResult {
    SystemFile file;
    bool ok = false;
    std::string error;         // English, with its place ("line 3, column 7: ...")
    int line = 0, column = 0;  // the place; 0 when the whole file is at fault
    std::string detail;        // the error without its place (English)
};

// The error in the interface language: in Japanese the place is named in
// Japanese and the detail follows as the reader words it.
std::string SystemFileErrorText(const SystemFileResult& result, bool japanese);

// Reads a system file's text. Sizes beyond kMaxSystemFileBytes or
// kMaxSystemSections and nesting deeper than a system needs are refused.
SystemFileResult ReadSystemJson(std::string_view text);

// Writes a system file that ReadSystemJson reads back to the same system.
std::string WriteSystemJson(const SystemFile& file);

// A JSON string: quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

// A number as JSON writes it: the shortest text that reads back to the same double.
std::string JsonNumber(double value);

} // namespace kestrix
