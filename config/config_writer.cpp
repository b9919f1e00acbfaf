#include "config/config_writer.h"

#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/file_replace.h"

#include <QCoreApplication>

#include <algorithm>
#include <csignal>

namespace kestrix {

namespace {

// The header texts, stored as code page 932 bytes because converters disagree
// on the wave dash "～" (0x81 0x60). Each literal is preceded by its text.
// clang-format off
const char* const kDuctJapaneseLines[] = {
    // ;☆ダクトサイズ設定基準(KSX_Set1.cfg)
    ";\x81\x99\x83_\x83N\x83g\x83T\x83\x43\x83Y\x90\xDD\x92\xE8\x8A\xEE\x8F\x80(KSX_Set1.cfg)",
    // ;書式：[行番号,"ｽﾀｲﾙ名",ﾀﾞｸﾄ材番,ﾀﾞｸﾄ内風速,単位摩擦損失,使用単位]
    ";\x8F\x91\x8E\xAE\x81\x46[\x8Ds\x94\xD4\x8D\x86,\"\xBD\xC0\xB2\xD9\x96\xBC\",\xC0\xDE\xB8\xC4\x8D\xDE\x94\xD4,\xC0\xDE\xB8\xC4\x93\xE0\x95\x97\x91\xAC,\x92P\x88\xCA\x96\x80\x8E\x43\x91\xB9\x8E\xB8,\x8Eg\x97p\x92P\x88\xCA]",
    // ;  行番号          :正数   (1～64,64個まで登録可)
    ";  \x8Ds\x94\xD4\x8D\x86          :\x90\xB3\x90\x94   (1\x81`64,64\x8C\xC2\x82\xDC\x82\xC5\x93o\x98^\x89\xC2)",
    // ;  ｽﾀｲﾙ名          :文字列 (ﾀﾞﾌﾞﾙｸｫｰﾃｰｼｮﾝ["]で括る)
    ";  \xBD\xC0\xB2\xD9\x96\xBC          :\x95\xB6\x8E\x9A\x97\xF1 (\xC0\xDE\xCC\xDE\xD9\xB8\xAB\xB0\xC3\xB0\xBC\xAE\xDD[\"]\x82\xC5\x8A\x87\x82\xE9)",
    // ;  ﾀﾞｸﾄ材番        :正数   (1～64,ﾀﾞｸﾄ材質ﾘｽﾄ_ksx_mate.cfgの行番号)
    ";  \xC0\xDE\xB8\xC4\x8D\xDE\x94\xD4        :\x90\xB3\x90\x94   (1\x81`64,\xC0\xDE\xB8\xC4\x8D\xDE\x8E\xBF\xD8\xBD\xC4_ksx_mate.cfg\x82\xCC\x8Ds\x94\xD4\x8D\x86)",
    // ;  ﾀﾞｸﾄ内風速      :実数   (>0)
    ";  \xC0\xDE\xB8\xC4\x93\xE0\x95\x97\x91\xAC      :\x8E\xC0\x90\x94   (>0)",
    // ;  単位摩擦損失    :実数   (>0)
    ";  \x92P\x88\xCA\x96\x80\x8E\x43\x91\xB9\x8E\xB8    :\x8E\xC0\x90\x94   (>0)",
    // ;  使用単位        :0 or 1 (0=[mmAq],1=[Pa])
    ";  \x8Eg\x97p\x92P\x88\xCA        :0 or 1 (0=[mmAq],1=[Pa])",
    // ;  最大アスペクト比:実数   (>0)
    ";  \x8D\xC5\x91\xE5\x83\x41\x83X\x83y\x83N\x83g\x94\xE4:\x8E\xC0\x90\x94   (>0)",
};
const char* const kDuctEnglishLines[] = {
    // ;*Config of DUCT size(KSX_Set1_e.cfg)
    ";*Config of DUCT size(KSX_Set1_e.cfg)",
    // ;Form：[Row No.,"Style Name",Material,Air Velocity,DeltaP,Units]
    ";Form\x81\x46[Row No.,\"Style Name\",Material,Air Velocity,DeltaP,Units]",
    // ;  Row No.          :Positive number   (1～64,Up to 64 register)
    ";  Row No.          :Positive number   (1\x81`64,Up to 64 register)",
    // ;  Style Name       :Strings (Double quotation["]with it binds)
    ";  Style Name       :Strings (Double quotation[\"]with it binds)",
    // ;  Material         :Positive number(1～64,Row No. of ksx_mate_e.cfg)
    ";  Material         :Positive number(1\x81`64,Row No. of ksx_mate_e.cfg)",
    // ;  Wind Velocity    :Real number (>0)
    ";  Wind Velocity    :Real number (>0)",
    // ;  Friction loss/m  :Real number    (>0)
    ";  Friction loss/m  :Real number    (>0)",
    // ;  Units            :0 or 1 (0=[mmAq],1=[Pa])
    ";  Units            :0 or 1 (0=[mmAq],1=[Pa])",
};
const char* const kTerminalJapaneseLines[] = {
    // ;☆吹出吸込口サイズ設定基準(KSX_Set2.cfg)
    ";\x81\x99\x90\x81\x8Fo\x8Bz\x8D\x9E\x8C\xFB\x83T\x83\x43\x83Y\x90\xDD\x92\xE8\x8A\xEE\x8F\x80(KSX_Set2.cfg)",
    // ;書式：[行番号,"ｽﾀｲﾙ名",開口率,面風速]
    ";\x8F\x91\x8E\xAE\x81\x46[\x8Ds\x94\xD4\x8D\x86,\"\xBD\xC0\xB2\xD9\x96\xBC\",\x8AJ\x8C\xFB\x97\xA6,\x96\xCA\x95\x97\x91\xAC]",
    // ;  行番号          :正数   (1～64,64個まで登録可)
    ";  \x8Ds\x94\xD4\x8D\x86          :\x90\xB3\x90\x94   (1\x81`64,64\x8C\xC2\x82\xDC\x82\xC5\x93o\x98^\x89\xC2)",
    // ;  ｽﾀｲﾙ名          :文字列 (ﾀﾞﾌﾞﾙｸｫｰﾃｰｼｮﾝ["]で括る)
    ";  \xBD\xC0\xB2\xD9\x96\xBC          :\x95\xB6\x8E\x9A\x97\xF1 (\xC0\xDE\xCC\xDE\xD9\xB8\xAB\xB0\xC3\xB0\xBC\xAE\xDD[\"]\x82\xC5\x8A\x87\x82\xE9)",
    // ;  開口率　        :実数   (>0)
    ";  \x8AJ\x8C\xFB\x97\xA6\x81@        :\x8E\xC0\x90\x94   (>0)",
    // ;  面風速　　　    :実数   (>0)
    ";  \x96\xCA\x95\x97\x91\xAC\x81@\x81@\x81@    :\x8E\xC0\x90\x94   (>0)",
};
const char* const kTerminalEnglishLines[] = {
    // ;*Config of DIFFUSER size(KSX_Set2_e.cfg)
    ";*Config of DIFFUSER size(KSX_Set2_e.cfg)",
    // ;Form：[Row No.,"Style Name",Numerical aperture,Air Velocity]
    ";Form\x81\x46[Row No.,\"Style Name\",Numerical aperture,Air Velocity]",
    // ;  Row No.           :Positive number (1～64,Up to 64 register)
    ";  Row No.           :Positive number (1\x81`64,Up to 64 register)",
    // ;  Style Name        :Strings (Double quotation["]with it binds)
    ";  Style Name        :Strings (Double quotation[\"]with it binds)",
    // ;  Numerical aperture:Real number (>0)
    ";  Numerical aperture:Real number (>0)",
    // ;  Wind Velocity     :Real number (>0)
    ";  Wind Velocity     :Real number (>0)",
};
// clang-format on

const std::string kSeparator = ";" + std::string(68, '-');

template <size_t count> std::vector<std::string> HeaderFrom(const char* const (&texts)[count]) {
    // Separator, title, separator, descriptions, separator, ";".
    std::vector<std::string> lines{kSeparator, texts[0], kSeparator};
    lines.insert(lines.end(), texts + 1, texts + count);
    lines.push_back(kSeparator);
    lines.push_back(";");
    return lines;
}

// printf's "%Ns" for texts of any length: right-aligned, never cut.
std::string PadLeft(std::string_view text, size_t width) {
    std::string result;
    if (text.size() < width) result.assign(width - text.size(), ' ');
    result.append(text);
    return result;
}

// A double quote inside the name is doubled, which the reader turns back
// into one: names with a quote come only from hand-edited files, and must
// read back the same. No trail byte of code page 932 is a quote.
std::string RowNumberAndName(int row, std::string_view name) {
    std::string line(1, ' ');
    line.append(PadLeft(std::to_string(row), 2)).append(",\"");
    for (const char c : name) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
    return line;
}

bool IsBlankName(std::string_view name) {
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == ' ') continue;
        // The ideographic space U+3000.
        if (name.substr(i, 2) == "\x81\x40") {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string RowProblem(int row, const std::string& detail) {
    return (QCoreApplication::translate("StyleWriter", "The style of row %1 cannot be saved.\n")
                .arg(row) +
            Q(detail))
        .toStdString();
}

std::string ValueProblem(std::string_view value) {
    return QCoreApplication::translate("StyleWriter",
                                       "The value [%1] cannot be written to the file.")
        .arg(Q(Cp932ToUtf8(value)))
        .toStdString();
}

std::string LineTooLongProblem() {
    return QCoreApplication::translate("StyleWriter", "The line would be longer than 255 bytes.")
        .toStdString();
}

// Shared walk of both writers: header, then one checked line per style.
template <typename Table, typename Values, typename Format>
StyleFileLines BuildStyleFile(const Table& table, std::vector<std::string> header, Values values,
                              Format format) {
    StyleFileLines result;
    result.lines = std::move(header);
    int row = 0;
    for (const auto& style : table) {
        // Every style is written, numbered 1, 2, 3 ... in slot order: a slot
        // left empty between two styles (a hand-edited file that skipped a
        // row number, or gave a row no name) must not cost the styles after it.
        if (style.name.empty()) continue;
        ++row;
        const std::string line = format(row, style);
        // The line must read back as exactly this style. The name dialog keeps
        // new names short and plain; a name read from a file is written back
        // byte for byte, whatever it holds, as long as it reads back so.
        std::vector<std::string> expected{std::to_string(row), style.name};
        for (const std::string* value : values(style))
            expected.push_back(*value);
        const std::vector<std::string> readBack = SplitConfigFields(line);
        std::string problem;
        if (readBack != expected) {
            // The first field that would read back otherwise names the problem.
            size_t k = 0;
            while (k < readBack.size() && k < expected.size() && readBack[k] == expected[k])
                ++k;
            problem = k < 2 ? StyleNameIssueMessage(StyleNameIssue::NotRepresentable)
                            : ValueProblem(expected[std::min(k, expected.size() - 1)]);
        }
        if (problem.empty() && line.size() > kMaxConfigLineBytes) problem = LineTooLongProblem();
        if (!problem.empty()) return StyleFileLines{{}, RowProblem(row, problem)};
        result.lines.push_back(line);
    }
    return result;
}

} // namespace

StyleNameIssue CheckStyleName(std::string_view cp932Name) {
    if (IsBlankName(cp932Name)) return StyleNameIssue::Empty;
    if (!IsWellFormedCp932Text(cp932Name)) return StyleNameIssue::NotRepresentable;
    // Checked after the form: a well-formed text has no quote inside a
    // double-byte character, so every quote found here is a real one.
    if (cp932Name.find('"') != std::string_view::npos) return StyleNameIssue::DoubleQuote;
    if (cp932Name.size() > kMaxStyleNameBytes) return StyleNameIssue::TooLong;
    return StyleNameIssue::None;
}

StyleNameIssue CheckStyleName(const QString& name) {
    if (name.trimmed().isEmpty()) return StyleNameIssue::Empty;
    const std::optional<std::string> bytes = ToCp932(name);
    if (!bytes) return StyleNameIssue::NotRepresentable;
    return CheckStyleName(std::string_view(*bytes));
}

std::string StyleNameIssueMessage(StyleNameIssue issue) {
    switch (issue) {
    case StyleNameIssue::None:
        return {};
    case StyleNameIssue::Empty:
        return QCoreApplication::translate("StyleWriter", "The style name is empty.").toStdString();
    case StyleNameIssue::DoubleQuote:
        return QCoreApplication::translate("StyleWriter",
                                           "A style name cannot hold a double quotation mark [\"].")
            .toStdString();
    case StyleNameIssue::NotRepresentable:
        return QCoreApplication::translate("StyleWriter",
                                           "The style name holds a character that cannot be saved.")
            .toStdString();
    case StyleNameIssue::TooLong:
        return QCoreApplication::translate("StyleWriter",
                                           "The style name is too long (up to %1 bytes).")
            .arg(kMaxStyleNameBytes)
            .toStdString();
    }
    return {};
}

std::optional<std::string> StyleNameProblem(const QString& name) {
    const StyleNameIssue issue = CheckStyleName(name);
    if (issue == StyleNameIssue::None) return std::nullopt;
    return StyleNameIssueMessage(issue);
}

// The header lines are file bytes, chosen by the language, not translated.
std::vector<std::string> DuctStyleFileHeader(Language language) {
    return language == Language::Japanese ? HeaderFrom(kDuctJapaneseLines)
                                          : HeaderFrom(kDuctEnglishLines);
}

std::vector<std::string> TerminalStyleFileHeader(Language language) {
    return language == Language::Japanese ? HeaderFrom(kTerminalJapaneseLines)
                                          : HeaderFrom(kTerminalEnglishLines);
}

std::string DuctStyleRowLine(int row, const DuctSelectionStyle& style) {
    return RowNumberAndName(row, style.name) + "," + PadLeft(style.material, 2) + "," +
           PadLeft(style.velocity, 5) + "," + PadLeft(style.frictionLoss, 5) + "," +
           PadLeft(style.units, 2) + "," + PadLeft(style.aspectRatio, 4);
}

std::string TerminalStyleRowLine(int row, const TerminalSelectionStyle& style) {
    return RowNumberAndName(row, style.name) + "," + PadLeft(style.freeArea, 5) + "," +
           PadLeft(style.faceVelocity, 5);
}

StyleFileLines DuctStyleFileLines(const DuctStyleTable& table, Language language) {
    return BuildStyleFile(
        table, DuctStyleFileHeader(language),
        [](const DuctSelectionStyle& s) {
            return std::vector<const std::string*>{&s.material, &s.velocity, &s.frictionLoss,
                                                   &s.units, &s.aspectRatio};
        },
        DuctStyleRowLine);
}

StyleFileLines TerminalStyleFileLines(const TerminalStyleTable& table, Language language) {
    return BuildStyleFile(
        table, TerminalStyleFileHeader(language),
        [](const TerminalSelectionStyle& s) {
            return std::vector<const std::string*>{&s.freeArea, &s.faceVelocity};
        },
        TerminalStyleRowLine);
}

ConfigWriteResult WriteConfigLines(const QString& directory, std::string_view fileName,
                                   const std::vector<std::string>& lines) {
    const ConfigWriteResult failed{false, SaveFailureMessage(fileName)};
    // A line end or NUL inside a line would change the file's structure.
    for (const std::string& line : lines) {
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return failed;
    }
    std::string bytes;
    for (const std::string& line : lines)
        bytes.append(line).append("\r\n");
    return ReplaceFileContents(ConfigFilePath(directory, fileName), bytes)
               ? ConfigWriteResult{true, {}}
               : failed;
}

void TreatFileSizeLimitAsWriteError() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace kestrix
