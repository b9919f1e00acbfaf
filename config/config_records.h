#pragma once

// The records of the configuration files and the three tables of 64 slots that
// hold them. Every field is text in code page 932, byte for byte as the reader
// delivered it or as the style editor stored it; numbers are taken from the
// texts when a style is selected, and the texts are what the writer puts back.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kestrix {

// Slot i of a table holds the row numbered i + 1.
constexpr std::size_t kConfigTableSlots = 64;

// A row of the materials file.
struct DuctMaterial {
    std::string name;      // shown in the editor's material list
    std::string roughness; // inner-surface roughness in mm

    bool operator==(const DuctMaterial&) const = default;
};

// A row of the duct-style file.
struct DuctSelectionStyle {
    std::string name;         // shown in the style lists
    std::string material;     // row number (1 to 64) of the material
    std::string velocity;     // largest air velocity, m/s
    std::string frictionLoss; // largest friction loss per metre, unit given by `units`
    std::string units;        // "0": mmAq/m, any other text: Pa/m
    std::string aspectRatio;  // largest aspect ratio of a rectangular duct

    bool operator==(const DuctSelectionStyle&) const = default;
};

// The friction loss and dynamic pressure are in Pa unless the units text is exactly "0".
inline bool FrictionLossInPascal(const DuctSelectionStyle& style) {
    return style.units != "0";
}

// A row of the air-terminal-style file.
struct TerminalSelectionStyle {
    std::string name;         // shown in the style lists
    std::string freeArea;     // free-area ratio, percent
    std::string faceVelocity; // largest face velocity, m/s

    bool operator==(const TerminalSelectionStyle&) const = default;
};

// A slot is empty when its name is the empty text; all slots start empty.
using MaterialTable = std::array<DuctMaterial, kConfigTableSlots>;
using DuctStyleTable = std::array<DuctSelectionStyle, kConfigTableSlots>;
using TerminalStyleTable = std::array<TerminalSelectionStyle, kConfigTableSlots>;

// Style names in the order in which their rows stood in the file (code page
// 932); entry k stands for slot k of the table.
using StyleNameList = std::vector<std::string>;

// The three configuration files.
enum class ConfigFile { Materials, DuctStyles, TerminalStyles };

// The two kinds of selection style.
enum class StyleKind { Duct, Terminal };

} // namespace kestrix
