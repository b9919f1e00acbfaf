#pragma once

// Reading the configuration files: the field grammar and the loading of the
// three tables from a field sequence.

#include "config/config_records.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// Bad row numbers reported one by one; further ones are counted in one message.
constexpr size_t kMaxRowNumberMessages = 10;

// The field sequence of a file's bytes (code page 932). Lines end at CR LF, LF
// or CR, and a NUL byte ends the text. An empty line and a line whose very
// first byte is ";" give nothing. Other lines split into fields: blanks (codes
// 1 to 32) around fields and commas are dropped; a field that starts with a
// double quote runs to the next quote not doubled ("" stands for one quote) and
// never past its line; any other field runs up to a blank or a comma. Blanks
// only between two commas give an empty field, and so does a comma that is the
// line's very last byte. A double-byte character is taken whole, so its second
// byte is never a comma, quote or blank. Fields of all lines form one sequence.
std::vector<std::string> SplitConfigFields(std::string_view bytes);

struct ConfigFields {
    bool opened = false;             // false: the file could not be opened for reading
    std::vector<std::string> fields; // the field sequence of the file

    // True when the file delivered at least one field.
    bool delivered() const { return !fields.empty(); }
};

// Reads directory + "/" + fileName. A file that cannot be opened gives
// opened == false; the caller shows MissingFileMessage and stops.
ConfigFields ReadConfigFields(const QString& directory, std::string_view fileName);

// Fill a table from a field sequence, records of 3, 7 or 4 fields, the first
// being the row number. An empty row-number field ends the reading silently. A
// row number that is not a whole number from 1 to 64 skips the record and
// gives the file's number message (one per bad record, in the interface language,
// UTF-8). A good record replaces its slot; the style loaders append its name to
// the list. A final record with fewer fields than its width is ignored.
// Returns the messages in the order in which they arose: one per bad record
// up to kMaxRowNumberMessages, then one that counts the rest. A style list
// holds at most 64 names, one per slot.
std::vector<std::string> LoadMaterials(const std::vector<std::string>& fields,
                                       MaterialTable& table);
std::vector<std::string> LoadDuctStyles(const std::vector<std::string>& fields,
                                        DuctStyleTable& table, StyleNameList& names);
std::vector<std::string> LoadTerminalStyles(const std::vector<std::string>& fields,
                                            TerminalStyleTable& table, StyleNameList& names);

} // namespace kestrix
