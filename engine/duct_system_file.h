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
#include <vector>

namespace kestrix {

inline constexpr std::size_t kMaxSystemFileBytes = 50u * 1024u * 1024u;

// How the file chooses its criteria: a duct style, or a material (row or
// name) or roughness with limits; with none of them the first duct style.
struct SystemMaterialChoice {
    std::optional<int> style;                     // a position in the duct-style list
    std::optional<int> materialRow;               // a row of the materials file
    std::optional<std::string> materialName;      // a name in the materials file (UTF-8)
    std::optional<double> roughness;              // mm
    std::optional<double> velocity, loss, aspect; // "limits"
    bool unitsGiven = false;                      // "units" was written
};

struct SystemFile {
    DuctSystem system; // settings.criteria are filled by resolving `choice`
    SystemMaterialChoice choice;
};

// Why the file does not hold a system: its form, when the JSON is sound.
enum class SystemFormProblem {
    None,
    FileTooLarge,   // beyond kMaxSystemFileBytes; no place
    NotAnObject,    // found: the root's kind
    BadUnits,       // values: the text given
    BadFrictionLaw, // values: the text given
    UnknownSetting, // values: the name
    NoSections,
    SectionsNotArray,
    TooManySections,      // values: the count, the most taken
    NotText,              // values: the member; found: its kind
    NotNumber,            // values: the member; found: its kind
    NotWholeNumber,       // values: the member, the number
    MaterialNotRowOrName, // found: its kind
    BadShape,             // values: the text given
    LimitsNotObject,
    UnknownLimit, // values: the name
    LimitsIncomplete,
    AirNotObject,
    UnknownAirProperty, // values: the name
    AirElevationAndPressure,
    SectionNotObject, // found: its kind
    SectionWithoutId,
    EmptySize,
    UnknownMember, // values: the name
    NoLength,
    FittingsNotArray,
    FittingWithoutCoefficient,
    UnknownFittingMember, // values: the name
    BadFitting,
};

// The reader's error as codes and values; config/system_texts.h words it.
// Either json (the text is no JSON) or form is set.
struct SystemFileError {
    json_in::JsonProblem json = json_in::JsonProblem::None;
    SystemFormProblem form = SystemFormProblem::None;
    std::string section;             // the section being read, empty outside one
    std::vector<std::string> values; // the names, numbers and texts the message shows
    json_in::Value::Kind found = json_in::Value::Kind::Null; // the kind met instead
};

struct SystemFileResult {
    SystemFile file;
    bool ok = false;
    int line = 0, column = 0; // the place; 0 when the whole file is at fault
    SystemFileError error;
};

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
