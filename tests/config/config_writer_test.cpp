#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/config_writer.h"
#include "tests/config/language_scope.h"
#include "tests/config/record_printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef __linux__
#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kestrix {
namespace {

const std::string kSeparator =
    ";--------------------------------------------------------------------";

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line + "\r\n";
    return all;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

std::string AsString(const QByteArray& bytes) {
    return std::string(bytes.constData(), size_t(bytes.size()));
}

TEST(StyleRowLine, FollowsThePrintfPatternsByteForByte) {
    // Duct style 1 named ｽﾀｲﾙ1: two blanks and 1, the quoted name, then each value
    // right-aligned in its width.
    EXPECT_EQ(DuctStyleRowLine(1, {"\xBD\xC0\xB2\xD9"
                                   "1",
                                   "1", "10.0", "0.10", "0", "4.0"}),
              "  1,\"\xBD\xC0\xB2\xD9"
              "1\", 1, 10.0, 0.10, 0, 4.0");
    EXPECT_EQ(TerminalStyleRowLine(12, {"Style1", "75.0", "2.0"}), " 12,\"Style1\", 75.0,  2.0");
    // Wider texts are written whole.
    EXPECT_EQ(DuctStyleRowLine(64, {"A", "12", "100.0", "12.50", "1", "10.0"}),
              " 64,\"A\",12,100.0,12.50, 1,10.0");
    EXPECT_EQ(TerminalStyleRowLine(3, {"a,b", "100.0", "12345.6"}), "  3,\"a,b\",100.0,12345.6");
}

TEST(StyleFileLines, EnglishAirTerminalFileIsExact) {
    TerminalStyleTable table;
    table[0] = {"Style1", "75.0", "2.0"};
    table[1] = {"Door louvre", "35.0", "1.5"};
    const StyleFileLines file = TerminalStyleFileLines(table, LanguageOf(false));
    ASSERT_TRUE(file.ok()) << file.problem;
    const std::string expected =
        ";--------------------------------------------------------------------\r\n"
        ";*Config of DIFFUSER size(KSX_Set2_e.cfg)\r\n"
        ";--------------------------------------------------------------------\r\n"
        ";Form\x81\x46[Row No.,\"Style Name\",Numerical aperture,Air Velocity]\r\n"
        ";  Row No.           :Positive number (1\x81\x60"
        "64,Up to 64 register)\r\n"
        ";  Style Name        :Strings (Double quotation[\"]with it binds)\r\n"
        ";  Numerical aperture:Real number (>0)\r\n"
        ";  Wind Velocity     :Real number (>0)\r\n"
        ";--------------------------------------------------------------------\r\n"
        ";\r\n"
        "  1,\"Style1\", 75.0,  2.0\r\n"
        "  2,\"Door louvre\", 35.0,  1.5\r\n";
    EXPECT_EQ(Joined(file.lines), expected);
}

TEST(StyleFileLines, EnglishDuctFileIsExact) {
    DuctStyleTable table;
    table[0] = {"Style1", "1", "10.0", "0.10", "0", "4.0"};
    const StyleFileLines file = DuctStyleFileLines(table, LanguageOf(false));
    ASSERT_TRUE(file.ok()) << file.problem;
    const std::string expected =
        ";--------------------------------------------------------------------\r\n"
        ";*Config of DUCT size(KSX_Set1_e.cfg)\r\n"
        ";--------------------------------------------------------------------\r\n"
        ";Form\x81\x46[Row No.,\"Style Name\",Material,Air Velocity,DeltaP,Units]\r\n"
        ";  Row No.          :Positive number   (1\x81\x60"
        "64,Up to 64 register)\r\n"
        ";  Style Name       :Strings (Double quotation[\"]with it binds)\r\n"
        ";  Material         :Positive number(1\x81\x60"
        "64,Row No. of ksx_mate_e.cfg)\r\n"
        ";  Wind Velocity    :Real number (>0)\r\n"
        ";  Friction loss/m  :Real number    (>0)\r\n"
        ";  Units            :0 or 1 (0=[mmAq],1=[Pa])\r\n"
        ";--------------------------------------------------------------------\r\n"
        ";\r\n"
        "  1,\"Style1\", 1, 10.0, 0.10, 0, 4.0\r\n";
    EXPECT_EQ(Joined(file.lines), expected);
}

// The Japanese headers as text; the wave dash is the code page's U+FF5E.
const char* const kJapaneseDuctHeader[] = {
    ";☆ダクトサイズ設定基準(KSX_Set1.cfg)",
    ";書式：[行番号,\"ｽﾀｲﾙ名\",ﾀﾞｸﾄ材番,ﾀﾞｸﾄ内風速,単位摩擦損失,使用単位]",
    ";  行番号          :正数   (1～64,64個まで登録可)",
    ";  ｽﾀｲﾙ名          :文字列 (ﾀﾞﾌﾞﾙｸｫｰﾃｰｼｮﾝ[\"]で括る)",
    ";  ﾀﾞｸﾄ材番        :正数   (1～64,ﾀﾞｸﾄ材質ﾘｽﾄ_ksx_mate.cfgの行番号)",
    ";  ﾀﾞｸﾄ内風速      :実数   (>0)",
    ";  単位摩擦損失    :実数   (>0)",
    ";  使用単位        :0 or 1 (0=[mmAq],1=[Pa])",
    ";  最大アスペクト比:実数   (>0)",
};
const char* const kJapaneseTerminalHeader[] = {
    ";☆吹出吸込口サイズ設定基準(KSX_Set2.cfg)",
    ";書式：[行番号,\"ｽﾀｲﾙ名\",開口率,面風速]",
    ";  行番号          :正数   (1～64,64個まで登録可)",
    ";  ｽﾀｲﾙ名          :文字列 (ﾀﾞﾌﾞﾙｸｫｰﾃｰｼｮﾝ[\"]で括る)",
    ";  開口率\u3000        :実数   (>0)",
    ";  面風速\u3000\u3000\u3000    :実数   (>0)",
};

template <size_t count>
void ExpectHeader(const std::vector<std::string>& lines, const char* const (&texts)[count]) {
    ASSERT_EQ(lines.size(), count + 4);
    EXPECT_EQ(lines[0], kSeparator);
    EXPECT_EQ(Cp932ToUtf8(lines[1]), texts[0]);
    EXPECT_EQ(lines[2], kSeparator);
    for (size_t k = 1; k < count; ++k)
        EXPECT_EQ(Cp932ToUtf8(lines[k + 2]), texts[k]) << k;
    EXPECT_EQ(lines[count + 2], kSeparator);
    EXPECT_EQ(lines[count + 3], ";");
}

TEST(StyleFileLines, JapaneseHeadersHoldTheirTextsInCodePage932) {
    ExpectHeader(DuctStyleFileHeader(LanguageOf(true)), kJapaneseDuctHeader);
    ExpectHeader(TerminalStyleFileHeader(LanguageOf(true)), kJapaneseTerminalHeader);

    // The characters whose code-page bytes matter, written out by hand.
    const std::vector<std::string> duct = DuctStyleFileHeader(LanguageOf(true));
    EXPECT_EQ(duct[1].substr(0, 3), ";\x81\x99");                 // ☆
    EXPECT_EQ(duct[3].substr(0, 7), ";\x8F\x91\x8E\xAE\x81\x46"); // 書式：
    EXPECT_NE(duct[4].find("(1\x81\x60"
                           "64,"),
              std::string::npos);                                // 1～64
    EXPECT_EQ(duct[5].substr(3, 6), "\xBD\xC0\xB2\xD9\x96\xBC"); // ｽﾀｲﾙ名
    const std::vector<std::string> terminal = TerminalStyleFileHeader(LanguageOf(true));
    EXPECT_EQ(terminal[6].substr(3, 8), "\x8A\x4A\x8C\xFB\x97\xA6\x81\x40"); // 開口率　
    EXPECT_EQ(terminal[7].substr(9, 11), "\x81\x40\x81\x40\x81\x40    :");   // 面風速　　　
}

TEST(StyleFileLines, OnlyTheJapaneseDuctFileDescribesTheAspectRatio) {
    EXPECT_EQ(DuctStyleFileHeader(LanguageOf(true)).size(), 3u + 8u + 2u);
    EXPECT_EQ(DuctStyleFileHeader(LanguageOf(false)).size(), 3u + 7u + 2u);
    EXPECT_EQ(TerminalStyleFileHeader(LanguageOf(true)).size(), 3u + 5u + 2u);
    EXPECT_EQ(TerminalStyleFileHeader(LanguageOf(false)).size(), 3u + 5u + 2u);
}

// A slot left empty between styles (a hand-edited file that skipped a row
// number or gave a row no name) costs no style: every style is written, the
// rows numbered 1, 2, 3 ... in slot order.
TEST(StyleFileLines, EveryStyleIsWrittenAndRowsAreNumberedFromOne) {
    DuctStyleTable table;
    table[0] = {"A", "1", "10.0", "0.10", "0", "4.0"};
    table[1] = {"B", "2", "8.0", "1.00", "1", "3.0"};
    table[3] = {"D", "1", "10.0", "0.10", "0", "4.0"};
    table[63] = {"Last", "1", "10.0", "0.10", "0", "4.0"};
    const StyleFileLines file = DuctStyleFileLines(table, LanguageOf(true));
    ASSERT_TRUE(file.ok()) << file.problem;
    const size_t header = DuctStyleFileHeader(LanguageOf(true)).size();
    ASSERT_EQ(file.lines.size(), header + 4);
    EXPECT_EQ(file.lines[header], "  1,\"A\", 1, 10.0, 0.10, 0, 4.0");
    EXPECT_EQ(file.lines[header + 1], "  2,\"B\", 2,  8.0, 1.00, 1, 3.0");
    EXPECT_EQ(file.lines[header + 2], "  3,\"D\", 1, 10.0, 0.10, 0, 4.0");
    EXPECT_EQ(file.lines[header + 3], "  4,\"Last\", 1, 10.0, 0.10, 0, 4.0");
}

class WrittenFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Dir() const { return dir_.path(); }
    QTemporaryDir dir_;
};

DuctStyleTable VariedDuctTable() {
    DuctStyleTable table;
    table[0] = {"\xBD\xC0\xB2\xD9"
                "1",
                "1",
                "10.0",
                "0.10",
                "0",
                "4.0"};
    table[1] = {"Office A, 2F; east", "3", "100.0", "1.00", "1", "4.0"};
    table[2] = {"  padded  ", "64", "8.0", "0.08", "00", "10.0"};
    table[3] = {"\x83\x5C\x83\x7C\x95\x5C", "2", "6.0", "", "2", "3.0"}; // ソポ表: 0x5C, 0x7C
    table[4] = {"\x81\x40lead", "1", "1e1", "+0.5", "0", "3"};
    return table;
}

TEST_F(WrittenFileTest, EverythingTheWriterWritesReadsBackTheSame) {
    DuctStyleTable full;
    TerminalStyleTable fullTerminals;
    for (size_t i = 0; i < full.size(); ++i) {
        full[i] = {"Style " + std::to_string(i + 1),
                   std::to_string(i % 8 + 1),
                   "10.0",
                   "0.10",
                   std::to_string(i % 2),
                   "4.0"};
        fullTerminals[i] = {"Grille " + std::to_string(i + 1), "75.0", "2.0"};
    }
    TerminalStyleTable varied;
    varied[0] = {"Style1", "75.0", "2.0"};
    varied[1] = {"\x8F\x5C\x8E\x9A ,x", "35.0", "1.5"};               // 十字 ,x
    varied[2] = {"\xC4\xDE\xB1\xB6\xDE\xD7\xD8", "100.0", "12345.0"}; // ﾄﾞｱｶﾞﾗﾘ

    for (const bool japanese : {true, false}) {
        for (const DuctStyleTable& table : {VariedDuctTable(), full}) {
            SCOPED_TRACE(japanese ? "duct ja" : "duct en");
            const StyleFileLines lines = DuctStyleFileLines(table, LanguageOf(japanese));
            ASSERT_TRUE(lines.ok()) << lines.problem;
            const auto name = StyleFileName(StyleKind::Duct, LanguageOf(japanese));
            ASSERT_TRUE(WriteConfigLines(Dir(), name, lines.lines).saved);
            const ConfigFields read = ReadConfigFields(Dir(), name);
            DuctStyleTable back;
            StyleNameList names;
            EXPECT_TRUE(LoadDuctStyles(read.fields, back, names).empty());
            EXPECT_EQ(back, table);
            for (size_t k = 0; k < names.size(); ++k)
                EXPECT_EQ(names[k], table[k].name);
        }
        for (const TerminalStyleTable& table : {varied, fullTerminals}) {
            SCOPED_TRACE(japanese ? "terminal ja" : "terminal en");
            const StyleFileLines lines = TerminalStyleFileLines(table, LanguageOf(japanese));
            ASSERT_TRUE(lines.ok()) << lines.problem;
            const auto name = StyleFileName(StyleKind::Terminal, LanguageOf(japanese));
            ASSERT_TRUE(WriteConfigLines(Dir(), name, lines.lines).saved);
            EXPECT_EQ(
                AsString(FileBytes(Dir() + "/" + QString::fromLatin1(name.data(), name.size()))),
                Joined(lines.lines));
            TerminalStyleTable back;
            StyleNameList names;
            EXPECT_TRUE(
                LoadTerminalStyles(ReadConfigFields(Dir(), name).fields, back, names).empty());
            EXPECT_EQ(back, table);
        }
    }
}

TEST(StyleFileLines, RefusesTablesThatWouldNotReadBack) {
    struct Case {
        const char* what;
        DuctSelectionStyle style;
    };
    const Case cases[] = {
        {"lead byte ends the name", {"A\x83", "1", "10.0", "0.10", "0", "4.0"}},
        {"line end in the name", {"A\r\nB", "1", "10.0", "0.10", "0", "4.0"}},
        {"comma in a value", {"A", "1,2", "10.0", "0.10", "0", "4.0"}},
        {"blank in a value", {"A", "1", "10 0", "0.10", "0", "4.0"}},
        {"quote starts a value", {"A", "1", "10.0", "\"0.10", "0", "4.0"}},
        {"lead byte ends a value", {"A", "1\x83", "10.0", "0.10", "0", "4.0"}},
        {"empty last value", {"A", "1", "10.0", "0.10", "0", ""}},
        {"line over 255 bytes", {"A", "1", std::string(240, '9'), "0.10", "0", "4.0"}},
    };
    for (const bool japanese : {true, false}) {
        const LanguageScope language(japanese);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (japanese ? " ja" : " en"));
            DuctStyleTable table;
            table[0] = {"Fine", "1", "10.0", "0.10", "0", "4.0"};
            table[1] = c.style;
            const StyleFileLines file = DuctStyleFileLines(table, LanguageOf(japanese));
            EXPECT_FALSE(file.ok());
            EXPECT_TRUE(file.lines.empty());
            // The message names the row in the chosen language.
            EXPECT_NE(file.problem.find(japanese ? "行番号 2" : "row 2"), std::string::npos)
                << file.problem;
        }
    }
    TerminalStyleTable terminals;
    terminals[0] = {"A", "75.0", ""};
    EXPECT_FALSE(TerminalStyleFileLines(terminals, LanguageOf(true)).ok());
}

// Names the name dialog would refuse can still stand in a hand-edited file;
// a Save must write them back, not refuse every change to the file.
TEST_F(WrittenFileTest, NamesFromAHandEditedFileAreWrittenBackAsTheyWere) {
    DuctStyleTable ducts;
    ducts[0] = {"Say \"hi\"", "1", "10.0", "0.10", "0", "4.0"};
    ducts[1] = {"   ", "2", "10.0", "0.10", "0", "4.0"};
    ducts[2] = {"\x81\x40\x81\x40", "3", "10.0", "0.10", "0", "4.0"}; // ideographic blanks
    ducts[3] = {std::string(200, 'n'), "64", "100.0", "10.00", "1", "10.0"};
    ducts[4] = {"\"", "1", "10.0", "0.10", "0", "4.0"};
    TerminalStyleTable terminals;
    terminals[0] = {"A\"\"B\tC\x80\xFD", "75.0", "2.0"}; // a TAB, bytes outside the code page
    terminals[1] = {std::string(220, 'g'), "100.0", "12345.0"};

    for (const bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "ja" : "en");
        const StyleFileLines ductLines = DuctStyleFileLines(ducts, LanguageOf(japanese));
        ASSERT_TRUE(ductLines.ok()) << ductLines.problem;
        for (const std::string& line : ductLines.lines)
            EXPECT_LE(line.size(), kMaxConfigLineBytes);
        const auto ductFile = StyleFileName(StyleKind::Duct, LanguageOf(japanese));
        ASSERT_TRUE(WriteConfigLines(Dir(), ductFile, ductLines.lines).saved);
        DuctStyleTable ductsBack;
        StyleNameList ductNames;
        EXPECT_TRUE(
            LoadDuctStyles(ReadConfigFields(Dir(), ductFile).fields, ductsBack, ductNames).empty());
        EXPECT_EQ(ductsBack, ducts);
        ASSERT_EQ(ductNames.size(), 5u);
        EXPECT_EQ(ductNames[0], ducts[0].name);

        const StyleFileLines terminalLines =
            TerminalStyleFileLines(terminals, LanguageOf(japanese));
        ASSERT_TRUE(terminalLines.ok()) << terminalLines.problem;
        const auto terminalFile = StyleFileName(StyleKind::Terminal, LanguageOf(japanese));
        ASSERT_TRUE(WriteConfigLines(Dir(), terminalFile, terminalLines.lines).saved);
        TerminalStyleTable terminalsBack;
        StyleNameList terminalNames;
        EXPECT_TRUE(LoadTerminalStyles(ReadConfigFields(Dir(), terminalFile).fields, terminalsBack,
                                       terminalNames)
                        .empty());
        EXPECT_EQ(terminalsBack, terminals);
    }

    // A name whose line cannot fit is still refused, never cut short.
    ducts[3].name = std::string(240, 'n');
    EXPECT_FALSE(DuctStyleFileLines(ducts, LanguageOf(true)).ok());
}

TEST(StyleFileLines, ALongNameThatFitsIsWrittenWholeAndTheLineStaysWithin255Bytes) {
    DuctStyleTable table;
    table[0] = {std::string(kMaxStyleNameBytes, 'n'), "64", "100.0", "10.00", "1", "10.0"};
    const StyleFileLines file = DuctStyleFileLines(table, LanguageOf(true));
    ASSERT_TRUE(file.ok()) << file.problem;
    EXPECT_LE(file.lines.back().size(), kMaxConfigLineBytes);
    EXPECT_NE(file.lines.back().find(table[0].name), std::string::npos);
}

TEST(StyleNameProblem, SameRulesForTypedNames) {
    struct Case {
        const char* utf8;
        StyleNameIssue issue;
    };
    const Case cases[] = {
        {"Office A", StyleNameIssue::None},
        {"ｽﾀｲﾙ1", StyleNameIssue::None},
        {"低速ダクト 〜10m/s", StyleNameIssue::None}, // U+301C is held as 0x81 0x60
        {"", StyleNameIssue::Empty},
        {"   ", StyleNameIssue::Empty},
        {"\u3000\u3000", StyleNameIssue::Empty},
        {"\t", StyleNameIssue::Empty},
        {"a\"b", StyleNameIssue::DoubleQuote},
        {"¥100", StyleNameIssue::NotRepresentable},
        {"a\tb", StyleNameIssue::NotRepresentable},
        {"Ünïcode", StyleNameIssue::NotRepresentable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(CheckStyleName(QString::fromUtf8(c.utf8)), c.issue);
        const LanguageScope japanese(Language::Japanese);
        const auto problem = StyleNameProblem(QString::fromUtf8(c.utf8));
        EXPECT_EQ(problem.has_value(), c.issue != StyleNameIssue::None);
        if (problem) {
            EXPECT_EQ(*problem, StyleNameIssueMessage(c.issue));
            UseLanguage(Language::English);
            EXPECT_NE(*problem, StyleNameIssueMessage(c.issue));
        }
    }
    // Names read from a file: the ideographic space 0x81 0x40 is a blank too.
    EXPECT_EQ(CheckStyleName(std::string_view("\x81\x40 \x81\x40")), StyleNameIssue::Empty);
    EXPECT_EQ(CheckStyleName(std::string_view("\x81\x40x")), StyleNameIssue::None);
    // The limit counts code-page bytes: 64 double-byte characters fit, 65 do not.
    EXPECT_EQ(CheckStyleName(QString(64, QChar(0x30BD))), StyleNameIssue::None);
    EXPECT_EQ(CheckStyleName(QString(65, QChar(0x30BD))), StyleNameIssue::TooLong);
    EXPECT_EQ(CheckStyleName(QString(kMaxStyleNameBytes + 1, QLatin1Char('a'))),
              StyleNameIssue::TooLong);
}

TEST_F(WrittenFileTest, WritingReplacesTheWholeOldFile) {
    const QString path = Dir() + "/KSX_Set2.cfg";
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    const ConfigWriteResult result = WriteConfigLines(Dir(), "KSX_Set2.cfg", {"a", "", "b"});
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(FileBytes(path), QByteArray("a\r\n\r\nb\r\n"));
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files), QStringList{"KSX_Set2.cfg"});
}

#ifndef _WIN32
// Where the program names its own temporary files (Windows uses QSaveFile's).
TEST_F(WrittenFileTest, ASaveRemovesTheTemporaryFileOfAKilledSaveAndNothingElse) {
    for (const char* name :
         {"KSX_Set1.cfg.kestrix-0123abcd.tmp", "KSX_Set1.cfg.backup",
          "KSX_Set1.cfg.kestrix-mine.tmp", "KSX_Set2.cfg.kestrix-0123abcd.tmp"}) {
        QFile file(Dir() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(WriteConfigLines(Dir(), "KSX_Set1.cfg", {"a"}).saved);
    QStringList left = QDir(Dir()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left,
              (QStringList{"KSX_Set1.cfg", "KSX_Set1.cfg.backup", "KSX_Set1.cfg.kestrix-mine.tmp",
                           "KSX_Set2.cfg.kestrix-0123abcd.tmp"}));
}

TEST_F(WrittenFileTest, ASaveThroughALinkReplacesTheFileItPointsTo) {
    ASSERT_TRUE(QDir(Dir()).mkdir("shared"));
    QFile target(Dir() + "/shared/KSX_Set1.cfg");
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.close();
    ASSERT_TRUE(QFile::link("shared/KSX_Set1.cfg", Dir() + "/KSX_Set1.cfg"));
    ASSERT_TRUE(WriteConfigLines(Dir(), "KSX_Set1.cfg", {"a"}).saved);
    EXPECT_TRUE(QFileInfo(Dir() + "/KSX_Set1.cfg").isSymLink());
    EXPECT_EQ(FileBytes(Dir() + "/shared/KSX_Set1.cfg"), QByteArray("a\r\n"));
}
#endif

#ifdef __linux__
// A file linked to something that is no file (as a settings file linked to
// /dev/null, here a pipe) is not replaced by one: a rename over the device
// would swap the device itself for a file.
TEST_F(WrittenFileTest, ASaveLeavesWhatIsNoFileInPlace) {
    const QString pipe = Dir() + "/pipe";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("pipe", Dir() + "/KSX_Set1.cfg"));
    EXPECT_FALSE(WriteConfigLines(Dir(), "KSX_Set1.cfg", {"a"}).saved);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}
#endif

TEST_F(WrittenFileTest, AFailedWriteIsReportedAndLeavesNothingBehind) {
    const auto failed = WriteConfigLines(Dir() + "/no/such/dir", "KSX_Set1.cfg", {"a"});
    EXPECT_FALSE(failed.saved);
    EXPECT_EQ(failed.message, SaveFailureMessage("KSX_Set1.cfg"));

    ASSERT_TRUE(QDir(Dir()).mkdir("KSX_Set1_e.cfg"));
    EXPECT_FALSE(WriteConfigLines(Dir(), "KSX_Set1_e.cfg", {"a"}).saved);

    // A line end inside a line would change the file's structure.
    const QString path = Dir() + "/KSX_Set2.cfg";
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\r\n");
    old.close();
    EXPECT_FALSE(WriteConfigLines(Dir(), "KSX_Set2.cfg", {"a\r\nb"}).saved);
    EXPECT_EQ(FileBytes(path), QByteArray("old\r\n"));
}

#ifdef __linux__
// Writes 50 lines of 20 bytes to KSX_Set1.cfg in `dir` while a file-size
// limit makes the disk "full" after `limit` bytes, even for root. The limit
// fails the write as it does in the window program, instead of ending the
// process; the signal's handling is then put back as it was.
std::optional<ConfigWriteResult> WriteLongFileUnderSizeLimit(const QString& dir, rlim_t limit) {
    const auto previousHandler = std::signal(SIGXFSZ, SIG_DFL);
    TreatFileSizeLimitAsWriteError();
    std::optional<ConfigWriteResult> result;
    rlimit previous{};
    if (getrlimit(RLIMIT_FSIZE, &previous) == 0) {
        rlimit limited = previous;
        limited.rlim_cur = limit;
        if (setrlimit(RLIMIT_FSIZE, &limited) == 0) {
            result = WriteConfigLines(dir, "KSX_Set1.cfg",
                                      std::vector<std::string>(50, std::string(20, 'n')));
            setrlimit(RLIMIT_FSIZE, &previous);
        }
    }
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

TEST_F(WrittenFileTest, AWriteThatFailsHalfwayKeepsTheOldFile) {
    const QString path = Dir() + "/KSX_Set1.cfg";
    const QByteArray oldBytes(300, 'o');
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(oldBytes);
    old.close();

    const std::optional<ConfigWriteResult> result = WriteLongFileUnderSizeLimit(Dir(), 100);
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->saved);
    EXPECT_EQ(result->message, SaveFailureMessage("KSX_Set1.cfg"));
    EXPECT_EQ(FileBytes(path), oldBytes);
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files), QStringList{"KSX_Set1.cfg"});
}

// A folder that takes no new files, holding a style file that is open to
// writing: a shared installation whose style files were made writable.
class ClosedFolderTest : public WrittenFileTest {
  protected:
    void SetUp() override {
        WrittenFileTest::SetUp();
        QFile old(Path());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(kOld);
        old.close();
        const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
        ASSERT_TRUE(QFile::setPermissions(Path(), all));
        ASSERT_TRUE(QFile::setPermissions(
            Dir(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                       QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther));
    }
    void TearDown() override {
        QFile::setPermissions(Dir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner);
    }
    QString Path() const { return Dir() + "/KSX_Set1.cfg"; }

    // Runs `save` where the folder really refuses new files: as an ordinary
    // user, since root may write into any folder. True when the folder did
    // refuse a new file and `save` returned true.
    bool SaveInClosedFolder(const std::function<bool()>& save) const {
        const auto attempt = [&] {
            QFile probe(Dir() + "/probe");
            return !probe.open(QIODevice::WriteOnly) && save();
        };
        if (geteuid() != 0) return attempt();
        const pid_t child = fork();
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
            _exit(attempt() ? 0 : 1);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    }

    const QByteArray kOld = QByteArray(300, 'o');
};

TEST_F(ClosedFolderTest, AWritableFileIsRewrittenInPlace) {
    // Shorter and longer than the old text: nothing of it may remain.
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{"a", "b"}, std::vector<std::string>(40, std::string(20, 'n'))}) {
        EXPECT_TRUE(SaveInClosedFolder(
            [&] { return WriteConfigLines(Dir(), "KSX_Set1.cfg", lines).saved; }));
        EXPECT_EQ(AsString(FileBytes(Path())), Joined(lines));
    }
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files), QStringList{"KSX_Set1.cfg"});
}

TEST_F(ClosedFolderTest, AnInPlaceWriteThatFailsHalfwayPutsTheOldTextBack) {
    EXPECT_TRUE(SaveInClosedFolder([&] {
        const std::optional<ConfigWriteResult> result = WriteLongFileUnderSizeLimit(Dir(), 400);
        return result && !result->saved && result->message == SaveFailureMessage("KSX_Set1.cfg");
    }));
    EXPECT_EQ(FileBytes(Path()), kOld);
}

TEST_F(ClosedFolderTest, NoFileIsMadeInIt) {
    EXPECT_TRUE(
        SaveInClosedFolder([&] { return !WriteConfigLines(Dir(), "KSX_Set2.cfg", {"a"}).saved; }));
    EXPECT_FALSE(QFile::exists(Dir() + "/KSX_Set2.cfg"));
}
#endif

} // namespace
} // namespace kestrix
