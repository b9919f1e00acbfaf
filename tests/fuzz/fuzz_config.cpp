// Fuzz entry for the configuration reader and writer: any bytes are split into
// fields and loaded into all three tables; whatever the writer accepts from a
// loaded style table must read back to the same table.
#include "config/config_reader.h"
#include "config/config_writer.h"
#include "engine/number_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kestrix::kConfigTableSlots;
using Fields = std::vector<std::string>;

void Check(bool condition) {
    if (!condition) std::abort();
}

// What a loader should accept, worked out on its own: the names of the good
// records, the number of bad ones.
struct Expected {
    Fields names;
    size_t bad = 0;
    // A list keeps one name per slot; the loader reports ten bad records one
    // by one and counts the rest in one more message.
    Fields listed() const {
        return Fields(names.begin(), names.begin() + std::min(names.size(), kConfigTableSlots));
    }
    size_t messages() const {
        return bad <= kestrix::kMaxRowNumberMessages ? bad : kestrix::kMaxRowNumberMessages + 1;
    }
};

Expected Walk(const Fields& fields, size_t width) {
    Expected expected;
    for (size_t p = 0; p < fields.size() && !fields[p].empty(); p += width) {
        const auto row = kestrix::ParseInteger(fields[p]);
        const bool good = row && *row >= 1 && *row <= int(kConfigTableSlots);
        if (!good)
            ++expected.bad;
        else if (p + width <= fields.size())
            expected.names.push_back(fields[p + 1]);
    }
    return expected;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line + "\r\n";
    return all;
}

// The table as the writer puts it into a file: every named slot, in order.
template <typename Table> Table Written(const Table& table) {
    Table written{};
    size_t row = 0;
    for (const auto& slot : table)
        if (!slot.name.empty()) written[row++] = slot;
    return written;
}

template <typename Table, typename Load, typename Lines>
void CheckStyles(const Fields& fields, size_t width, kestrix::Language language, Load load,
                 Lines lines) {
    Table table{};
    kestrix::StyleNameList names;
    const Fields messages = load(fields, table, names);
    const Expected expected = Walk(fields, width);
    Check(names == expected.listed());
    Check(messages.size() == expected.messages());
    // Each named slot holds the last good record with its number, whose name
    // is listed (when the list was not cut at one name per slot).
    for (const auto& slot : table) {
        if (!slot.name.empty() && expected.names.size() <= kConfigTableSlots)
            Check(std::find(names.begin(), names.end(), slot.name) != names.end());
    }

    const kestrix::StyleFileLines file = lines(table, language);
    Check(file.ok() != file.lines.empty());
    if (!file.ok()) return;
    for (const std::string& line : file.lines)
        Check(line.size() <= kestrix::kMaxConfigLineBytes);
    Table back{};
    kestrix::StyleNameList backNames;
    Check(load(kestrix::SplitConfigFields(Joined(file.lines)), back, backNames).empty());
    Check(back == Written(table));
    for (size_t k = 0; k < backNames.size(); ++k)
        Check(backNames[k] == back[k].name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Fields fields = kestrix::SplitConfigFields(bytes);

    size_t fieldBytes = 0;
    for (const std::string& f : fields) {
        Check(f.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        fieldBytes += f.size();
    }
    Check(fieldBytes <= size);
    Check(fields.size() <= size + 1);

    const kestrix::Language language =
        size % 2 == 0 ? kestrix::Language::Japanese : kestrix::Language::English;
    kestrix::MaterialTable materials{};
    const Fields messages = kestrix::LoadMaterials(fields, materials);
    Check(messages.size() == Walk(fields, 3).messages());

    CheckStyles<kestrix::DuctStyleTable>(fields, 7, language, kestrix::LoadDuctStyles,
                                         kestrix::DuctStyleFileLines);
    CheckStyles<kestrix::TerminalStyleTable>(fields, 4, language, kestrix::LoadTerminalStyles,
                                             kestrix::TerminalStyleFileLines);
    return 0;
}
