// Any bytes as the texts a user types into the style editor: the name (UTF-8,
// as the name dialog passes it on) and the field texts, separated by TAB.
// A name that StyleNameProblem lets through, with plain numbers in the
// fields, is always written; whatever the writer accepts reads back as the
// same table, and whatever it refuses is refused with a reason.
#include "config/codepage.h"
#include "config/config_reader.h"
#include "config/config_writer.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line + "\r\n";
    return all;
}

bool IsPlainNumber(std::string_view text) {
    return !text.empty() && text.size() <= 5 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

template <typename Table, typename Load, typename Lines>
void CheckTable(const Table& table, bool nameAccepted, bool plainValues, Load load, Lines lines,
                kestrix::Language language) {
    const kestrix::StyleFileLines file = lines(table, language);
    Check(file.ok() != file.lines.empty());
    if (nameAccepted && plainValues) Check(file.ok());
    if (!file.ok()) return;
    Table back{};
    kestrix::StyleNameList names;
    Check(load(kestrix::SplitConfigFields(Joined(file.lines)), back, names).empty());
    Check(back == table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> texts;
    for (size_t start = 0; texts.size() < 8;) {
        const size_t end = std::min(bytes.find('\t', start), bytes.size());
        texts.emplace_back(start <= bytes.size() ? bytes.substr(start, end - start) : "");
        start = end + 1;
    }
    const kestrix::Language language =
        size % 2 == 0 ? kestrix::Language::Japanese : kestrix::Language::English;
    const QString typed = QString::fromUtf8(texts[0].data(), qsizetype(texts[0].size()));
    const auto problem = kestrix::StyleNameProblem(typed);
    Check(!problem || !problem->empty());
    // The dialog stores the name as the code page 932 bytes of what was typed.
    const auto name = kestrix::ToCp932(typed);
    if (!problem) Check(name && !name->empty());
    if (!name || name->empty()) return 0;

    bool plain = true;
    for (size_t k = 1; k < texts.size(); ++k)
        plain = plain && IsPlainNumber(texts[k]);

    kestrix::DuctStyleTable ducts{};
    ducts[0] = {*name, texts[1], texts[2], texts[3], texts[4], texts[5]};
    CheckTable(ducts, !problem, plain, kestrix::LoadDuctStyles, kestrix::DuctStyleFileLines,
               language);
    kestrix::TerminalStyleTable terminals{};
    terminals[0] = {*name, texts[6], texts[7]};
    CheckTable(terminals, !problem, plain, kestrix::LoadTerminalStyles,
               kestrix::TerminalStyleFileLines, language);
    return 0;
}
