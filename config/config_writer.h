#pragma once

// Writing the style files: the exact lines of both kinds and languages, the
// rules a style name must meet to be written back faithfully, and the safe
// replacement of a file.

#include "config/config_records.h"
#include "config/language.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// A row line of a style file holds at most this many bytes.
constexpr std::size_t kMaxConfigLineBytes = 255;

// Longest style name in bytes of code page 932 that the name dialog accepts.
// It leaves room in a row line for the other fields, so such a name always
// fits; the writer itself only needs the whole line to fit.
constexpr std::size_t kMaxStyleNameBytes = 128;

// Why a style name cannot be stored.
enum class StyleNameIssue {
    None,
    Empty,            // empty, or blanks only (ideographic spaces included)
    DoubleQuote,      // the reader would end the name at the quote
    NotRepresentable, // not code page 932, or holds a control character
    TooLong,          // more than kMaxStyleNameBytes
};

// The rules for a name in code page 932 bytes, as read from a file.
StyleNameIssue CheckStyleName(std::string_view cp932Name);
// The same rules for a name typed in the window.
StyleNameIssue CheckStyleName(const QString& name);

// The reason in the interface language (UTF-8); empty for None.
std::string StyleNameIssueMessage(StyleNameIssue issue);

// For the style-name dialog: nothing when the name can be stored, otherwise the
// message to show (UTF-8, interface language).
std::optional<std::string> StyleNameProblem(const QString& name);

// The header lines (code page 932, without line ends) of a style file of the
// language: separator, title, separator, the description lines, separator and ";".
std::vector<std::string> DuctStyleFileHeader(Language language);
std::vector<std::string> TerminalStyleFileHeader(Language language);

// One row line, " %2d,%s,%2s,%5s,%5s,%2s,%4s" and " %2d,%s,%5s,%5s", with
// the name between double quotes. Widths are minimum widths in bytes.
std::string DuctStyleRowLine(int row, const DuctSelectionStyle& style);
std::string TerminalStyleRowLine(int row, const TerminalSelectionStyle& style);

// The complete lines of a style file: header, then every slot with a name,
// in slot order, numbered from 1. A table that would not read back as it is
// (a name or a value that the reader would read otherwise, a row line over
// 255 bytes) gives no lines and a problem text instead.
struct StyleFileLines {
    std::vector<std::string> lines; // code page 932, without line ends
    std::string problem;            // UTF-8, interface language; empty when the lines are good

    bool ok() const { return problem.empty(); }
};
StyleFileLines DuctStyleFileLines(const DuctStyleTable& table, Language language);
StyleFileLines TerminalStyleFileLines(const TerminalStyleTable& table, Language language);

// Writes the lines, each ended by CR LF, to directory + "/" + fileName with
// ReplaceFileContents.
struct ConfigWriteResult {
    bool saved = false;
    std::string message; // SaveFailureMessage(fileName) when not saved
};
ConfigWriteResult WriteConfigLines(const QString& directory, std::string_view fileName,
                                   const std::vector<std::string>& lines);

// A write past the process's file-size limit ends the process by default,
// in the middle of a save. After this call it fails like a write to a full
// disk instead, so that the save is reported and undone. For programs that
// save files; called once at start.
void TreatFileSizeLimitAsWriteError();

} // namespace kestrix
