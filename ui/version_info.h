#pragma once

// The version information of a program file: on Windows its version resource,
// elsewhere the block that the build embeds in the executable.

#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace kestrix {

// The eight texts, in the order of the version resource's string table.
struct VersionInfo {
    static constexpr std::array<std::string_view, 8> kNames{
        "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
        "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};

    // A text that is not present stays empty.
    std::array<QString, 8> values;

    const QString& fileVersion() const { return values[2]; }
    // The text of one of kNames; empty for another name.
    QString value(std::string_view name) const;
};

// Reads the version information of the named file; nothing when the file has
// none or cannot be read.
std::optional<VersionInfo> ReadVersionInfo(const QString& fileName);

// Finds the embedded block in the bytes of a file (used where there is no
// version resource): the marker, then name and value pairs, each text ended
// by a NUL byte, closed by an empty name.
std::optional<VersionInfo> ParseEmbeddedVersionBlock(std::string_view bytes);

} // namespace kestrix
