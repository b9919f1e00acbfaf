#include "config/config_reader.h"

#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "engine/number_text.h"

#include <QFile>

#include <algorithm>

namespace kestrix {

namespace {

constexpr bool IsBlank(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

// Splits one line (no line ends, no NUL) into fields and appends them.
void SplitLine(std::string_view line, std::vector<std::string>& fields) {
    const size_t n = line.size();
    size_t i = 0;
    // A lead byte takes the next byte with it, but never one beyond the line.
    const auto characterLength = [&](size_t at) -> size_t {
        return IsCp932LeadByte(static_cast<unsigned char>(line[at])) && at + 1 < n ? 2 : 1;
    };
    const auto skipBlanks = [&] {
        while (i < n && IsBlank(line[i]))
            ++i;
    };

    skipBlanks();
    while (i < n) {
        std::string field;
        if (line[i] == '"') {
            // An unclosed quote takes the rest of its line.
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                const size_t length = characterLength(i);
                field.append(line.substr(i, length));
                i += length;
            }
        } else {
            const size_t start = i;
            while (i < n && !IsBlank(line[i]) && line[i] != ',')
                i += characterLength(i);
            field.assign(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));

        skipBlanks();
        if (i < n && line[i] == ',') {
            if (i + 1 == n) fields.emplace_back(); // a comma as the line's last byte
            ++i;
            skipBlanks();
        }
    }
}

// Entry k of a style list stands for slot k: an entry beyond the 64 slots
// (only a file that repeats row numbers makes one) could never be used, and a
// damaged file must not fill the list with thousands of them.
void AppendName(StyleNameList& names, const std::string& name) {
    if (names.size() < kConfigTableSlots) names.push_back(name);
}

// Walks the sequence in records of `width` fields and hands every good record
// (its slot and its fields after the row number) to `store`.
template <size_t width, typename Store>
std::vector<std::string> LoadRecords(const std::vector<std::string>& fields, ConfigFile file,
                                     Store store) {
    std::vector<std::string> messages;
    size_t unreported = 0;
    for (size_t p = 0; p < fields.size(); p += width) {
        if (fields[p].empty()) break;
        const std::optional<int> row = ParseInteger(fields[p]);
        if (!row || *row < 1 || *row > int(kConfigTableSlots)) {
            // A damaged file could hold thousands of such records: each box
            // would have to be closed by hand before the program starts.
            if (messages.size() < kMaxRowNumberMessages)
                messages.push_back(BadRowNumberMessage(file));
            else
                ++unreported;
            continue;
        }
        // A truncated last record: nothing beyond the sequence is read.
        if (fields.size() - p < width) break;
        store(size_t(*row - 1), fields.data() + p + 1);
    }
    if (unreported > 0) messages.push_back(MoreBadRowNumbersMessage(file, unreported));
    return messages;
}

} // namespace

std::vector<std::string> SplitConfigFields(std::string_view bytes) {
    const size_t end = std::min(bytes.find('\0'), bytes.size());
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < end) {
        size_t stop = start;
        while (stop < end && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        const std::string_view line = bytes.substr(start, stop - start);
        if (!line.empty() && line.front() != ';') SplitLine(line, fields);
        start = stop;
        if (start < end && bytes[start] == '\r') {
            ++start;
            if (start < end && bytes[start] == '\n') ++start;
        } else if (start < end) {
            ++start; // a lone LF
        }
    }
    return fields;
}

ConfigFields ReadConfigFields(const QString& directory, std::string_view fileName) {
    ConfigFields result;
    QFile file(ConfigFilePath(directory, fileName));
    if (!file.open(QIODevice::ReadOnly)) return result;
    result.opened = true;
    // The text ends at its first NUL, so reading stops there too: a name that
    // leads to a device (/dev/zero) or an endless pipe must not fill memory.
    // No configuration file comes near the cap.
    constexpr qint64 kChunk = 64 * 1024;
    constexpr qint64 kMaxBytes = qint64(256) * 1024 * 1024;
    QByteArray bytes;
    while (bytes.size() < kMaxBytes) {
        const QByteArray chunk = file.read(std::min(kChunk, kMaxBytes - bytes.size()));
        if (chunk.isEmpty()) break;
        const qsizetype nul = chunk.indexOf('\0');
        bytes += nul < 0 ? chunk : chunk.left(nul);
        if (nul >= 0) break;
    }
    result.fields = SplitConfigFields(std::string_view(bytes.constData(), size_t(bytes.size())));
    return result;
}

std::vector<std::string> LoadMaterials(const std::vector<std::string>& fields,
                                       MaterialTable& table) {
    return LoadRecords<3>(fields, ConfigFile::Materials, [&](size_t slot, const std::string* f) {
        table[slot] = DuctMaterial{f[0], f[1]};
    });
}

std::vector<std::string> LoadDuctStyles(const std::vector<std::string>& fields,
                                        DuctStyleTable& table, StyleNameList& names) {
    return LoadRecords<7>(fields, ConfigFile::DuctStyles, [&](size_t slot, const std::string* f) {
        table[slot] = DuctSelectionStyle{f[0], f[1], f[2], f[3], f[4], f[5]};
        AppendName(names, f[0]);
    });
}

std::vector<std::string> LoadTerminalStyles(const std::vector<std::string>& fields,
                                            TerminalStyleTable& table, StyleNameList& names) {
    return LoadRecords<4>(fields, ConfigFile::TerminalStyles,
                          [&](size_t slot, const std::string* f) {
                              table[slot] = TerminalSelectionStyle{f[0], f[1], f[2]};
                              AppendName(names, f[0]);
                          });
}

} // namespace kestrix
