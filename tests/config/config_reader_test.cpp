#include "config/config_messages.h"
#include "config/config_reader.h"
#include "tests/config/language_scope.h"
#include "tests/config/record_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace kestrix {
namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
    const char* what;
    std::string bytes;
    Fields fields;
};

void ExpectSplits(const std::vector<SplitCase>& cases) {
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SplitConfigFields(c.bytes), c.fields);
    }
}

TEST(SplitConfigFields, CommentsCountOnlyInTheFirstColumn) {
    ExpectSplits({
        {"comment line", ";1,\"A\"\r\n2,B", {"2", "B"}},
        {"comment after a lone CR", "a\r;b\rc", {"a", "c"}},
        {"blank then semicolon", " ;1,A", {";1", "A"}},
        {"tab then semicolon", "\t; note", {";", "note"}},
        {"semicolon inside a line", "1,a;b", {"1", "a;b"}},
    });
}

TEST(SplitConfigFields, BlanksSeparateUnquotedFieldsAndQuotesKeepThem) {
    ExpectSplits({
        {"unquoted name with a blank", "1,Office A,2", {"1", "Office", "A", "2"}},
        {"quoted name with a blank", "1,\"Office A\",2", {"1", "Office A", "2"}},
        {"blanks around fields and commas", "  1 ,\t A  ,  2  ", {"1", "A", "2"}},
        {"blanks inside quotes kept", "\"  a  \"", {"  a  "}},
        {"control characters are blanks",
         "a\x01\x1F"
         "b",
         {"a", "b"}},
        {"line of blanks only", "   \t  \r\n", {}},
        {"quoted comma", "\"a,b\",c", {"a,b", "c"}},
        {"text right after the closing quote", "\"ab\"cd,e", {"ab", "cd", "e"}},
        {"quote inside an unquoted field", "ab\"c,d", {"ab\"c", "d"}},
    });
}

TEST(SplitConfigFields, DoubledQuotesStandForOneQuote) {
    ExpectSplits({
        {"inside", "\"a\"\"b\"", {"a\"b"}},
        {"only a quote", "\"\"\"\"", {"\""}},
        {"empty quoted", "\"\",x", {"", "x"}},
        {"at both ends", "\"\"\"a\"\"\"", {"\"a\""}},
    });
}

TEST(SplitConfigFields, CommasMakeEmptyFields) {
    ExpectSplits({
        {"nothing between commas", "a,,b", {"a", "", "b"}},
        {"blanks between commas", "a,  ,b", {"a", "", "b"}},
        {"comma as the last byte", "a,", {"a", ""}},
        {"comma as the last byte before CR LF", "a,\r\nb", {"a", "", "b"}},
        {"comma then blanks at the end", "a,  ", {"a"}},
        {"leading comma", ",a", {"", "a"}},
        {"one comma", ",", {"", ""}},
    });
}

TEST(SplitConfigFields, LineEndsAndTheEndOfTheText) {
    const Fields abcd{"a", "b", "c", "d"};
    ExpectSplits({
        {"CR LF", "a\r\nb\r\nc\r\nd\r\n", abcd},
        {"LF", "a\nb\nc\nd\n", abcd},
        {"CR", "a\rb\rc\rd\r", abcd},
        {"mixed, no final line end", "a\rb\nc\r\nd", abcd},
        {"LF CR is two line ends", "a\n\rb\n\rc\n\rd", abcd},
        {"empty lines", "\r\n\r\na\n\n\nb\r\rc\r\n\r\nd", abcd},
        {"NUL ends the text", std::string("a,b\0,c\r\nd", 9), {"a", "b"}},
        {"NUL in a later line", std::string("a\r\nb\r\n\0c", 8), {"a", "b"}},
        {"NUL first", std::string("\0a", 2), {}},
        {"empty text", "", {}},
    });
}

TEST(SplitConfigFields, UnclosedQuoteTakesTheRestOfItsLineOnly) {
    ExpectSplits({
        {"CR LF", "\"abc, def\r\n1,2", {"abc, def", "1", "2"}},
        {"lone CR", "1,\"x\r2", {"1", "x", "2"}},
        {"at the end of the text", "1,\"x y", {"1", "x y"}},
        {"just a quote", "\"", {""}},
    });
}

TEST(SplitConfigFields, DoubleByteCharactersAreTakenWhole) {
    ExpectSplits({
        {"second byte 0x5C", "\x83\x5C,b", {"\x83\x5C", "b"}},
        {"second byte is a comma", "\x83,b,c", {"\x83,b", "c"}},
        {"second byte is a blank", "\x83 b", {"\x83 b"}},
        {"second byte is a quote inside quotes", "\"a\x83\"b\",c", {"a\x83\"b", "c"}},
        {"second byte is a quote unquoted", "\xE0\"x,y", {"\xE0\"x", "y"}},
        {"lead byte at the end of a line", "a\x83\r\nb", {"a\x83", "b"}},
        {"lead byte at the end of the text", "a,\x83", {"a", "\x83"}},
        {"half-width katakana are single bytes", "\xBD,\xDD", {"\xBD", "\xDD"}},
        {"ideographic space is no blank",
         "a\x81\x40"
         "b",
         {"a\x81\x40"
          "b"}},
    });
}

// A duct record of seven fields for the loaders.
Fields DuctRecord(const std::string& row, const std::string& name) {
    return {row, name, "1", "10.0", "0.10", "0", "4.0"};
}

Fields Join(std::initializer_list<Fields> parts) {
    Fields all;
    for (const Fields& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(LoadDuctStyles, FillsSlotsAndListInFileOrder) {
    DuctStyleTable table;
    StyleNameList names;
    const auto messages =
        LoadDuctStyles(SplitConfigFields(" 1,\"Supply\", 2, 8.0, 1.00, 1, 4.0\r\n"
                                         " 2,\"Return\", 1, 6.0, 0.08, 0, 3.0\r\n"),
                       table, names);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(names, (StyleNameList{"Supply", "Return"}));
    EXPECT_EQ(table[0], (DuctSelectionStyle{"Supply", "2", "8.0", "1.00", "1", "4.0"}));
    EXPECT_EQ(table[1], (DuctSelectionStyle{"Return", "1", "6.0", "0.08", "0", "3.0"}));
    EXPECT_TRUE(table[2].name.empty());
}

TEST(LoadDuctStyles, RecordsSpreadOverLinesOrSharingLinesLoadTheSame) {
    const char* const texts[] = {
        "1,\"A\",1,10.0,0.10,0,4.0\r\n2,\"B\",2,8.0,1.00,1,3.0\r\n",
        "1,\"A\",1,10.0,0.10,0,4.0,2,\"B\",2,8.0,1.00,1,3.0",
        "1\r\n\"A\"\r\n1,10.0\n0.10,0,4.0\r2,\"B\",2\r\n8.0,1.00,1\r\n3.0",
        "1 \"A\" 1 10.0 0.10 0 4.0 2 \"B\" 2 8.0 1.00 1 3.0",
    };
    DuctStyleTable first;
    StyleNameList firstNames;
    LoadDuctStyles(SplitConfigFields(texts[0]), first, firstNames);
    ASSERT_EQ(firstNames.size(), 2u);
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        DuctStyleTable table;
        StyleNameList names;
        EXPECT_TRUE(LoadDuctStyles(SplitConfigFields(text), table, names).empty());
        EXPECT_EQ(table, first);
        EXPECT_EQ(names, firstNames);
    }
}

TEST(LoadDuctStyles, AnUnquotedNameWithABlankShiftsEveryLaterRecord) {
    DuctStyleTable table;
    StyleNameList names;
    const auto messages = LoadDuctStyles(
        SplitConfigFields("1,Office A,1,10.0,0.10,0,4.0\r\n2,\"B\",1,10.0,0.10,0,4.0\r\n"), table,
        names);
    // Row 1 takes "Office" as its name and "4.0" falls to the row-number
    // position: a bad number, and the rest is read in the wrong rhythm.
    EXPECT_EQ(table[0].name, "Office");
    EXPECT_EQ(table[0].aspectRatio, "0");
    EXPECT_FALSE(messages.empty());
    EXPECT_NE(names, (StyleNameList{"Office A", "B"}));
}

TEST(LoadDuctStyles, AnEmptyRowNumberFieldEndsTheReading) {
    DuctStyleTable table;
    StyleNameList names;
    const auto messages = LoadDuctStyles(
        Join({DuctRecord("1", "A"), DuctRecord("", "B"), DuctRecord("3", "C")}), table, names);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(names, StyleNameList{"A"});
    EXPECT_TRUE(table[2].name.empty());

    // An empty field elsewhere in a record is a value like any other.
    DuctStyleTable other;
    StyleNameList otherNames;
    LoadDuctStyles(SplitConfigFields("1,\"A\",,10.0,,0,4.0,2,\"B\",1,1,1,1,1"), other, otherNames);
    EXPECT_EQ(otherNames, (StyleNameList{"A", "B"}));
    EXPECT_EQ(other[0].material, "");
}

TEST(LoadTables, BadRowNumbersGiveTheFileMessageOnceAndTheNextRecordIsRead) {
    const char* const badNumbers[] = {"0", "65", "x", "-1", "1.5", "1e1", "99999999999", "\x82P"};
    for (const bool japanese : {true, false}) {
        const LanguageScope language(japanese);
        for (const char* bad : badNumbers) {
            SCOPED_TRACE(std::string(bad) + (japanese ? " ja" : " en"));
            MaterialTable materials;
            const auto m = LoadMaterials({bad, "Steel", "0.18", "2", "PVC", "0.0015"}, materials);
            EXPECT_EQ(m, Fields{BadRowNumberMessage(ConfigFile::Materials)});
            EXPECT_EQ(materials[1], (DuctMaterial{"PVC", "0.0015"}));
            EXPECT_TRUE(materials[0].name.empty());

            DuctStyleTable ducts;
            StyleNameList ductNames;
            const auto d = LoadDuctStyles(Join({DuctRecord(bad, "A"), DuctRecord("1", "B")}), ducts,
                                          ductNames);
            EXPECT_EQ(d, Fields{BadRowNumberMessage(ConfigFile::DuctStyles)});
            EXPECT_EQ(ductNames, StyleNameList{"B"});
            EXPECT_EQ(ducts[0].name, "B");

            TerminalStyleTable terminals;
            StyleNameList terminalNames;
            const auto t = LoadTerminalStyles({bad, "A", "75.0", "2.0", "64", "B", "50.0", "3.0"},
                                              terminals, terminalNames);
            EXPECT_EQ(t, Fields{BadRowNumberMessage(ConfigFile::TerminalStyles)});
            EXPECT_EQ(terminalNames, StyleNameList{"B"});
            EXPECT_EQ(terminals[63], (TerminalSelectionStyle{"B", "50.0", "3.0"}));
        }
    }
}

TEST(LoadTables, EachBadRecordGivesItsOwnMessage) {
    TerminalStyleTable table;
    StyleNameList names;
    const auto messages = LoadTerminalStyles(
        SplitConfigFields("0,a,1,1\r\n65,b,1,1\r\nz,c,1,1\r\n1,d,1,1\r\n"), table, names);
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(names, StyleNameList{"d"});
}

TEST(LoadTables, RowNumbersWithAGapKeepListOrderButNotSlots) {
    DuctStyleTable table;
    StyleNameList names;
    LoadDuctStyles(Join({DuctRecord("1", "A"), DuctRecord("3", "C")}), table, names);
    EXPECT_EQ(names, (StyleNameList{"A", "C"}));
    EXPECT_TRUE(table[1].name.empty());
    EXPECT_EQ(table[2].name, "C");
}

TEST(LoadTables, ALaterRowReplacesTheSlotAndBothNamesAreListed) {
    TerminalStyleTable table;
    table[0] = {"Old", "1", "1"};
    StyleNameList names;
    LoadTerminalStyles({"1", "A", "75.0", "2.0", "1", "B", "60.0", "3.0"}, table, names);
    EXPECT_EQ(names, (StyleNameList{"A", "B"}));
    EXPECT_EQ(table[0], (TerminalSelectionStyle{"B", "60.0", "3.0"}));
}

TEST(LoadTables, UnitsTextDecidesPascalsUnlessItIsExactlyZero) {
    const std::pair<const char*, bool> cases[] = {
        {"0", false}, {"1", true}, {"2", true}, {"00", true}, {"\"0\"", false}};
    for (const auto& [units, pascal] : cases) {
        SCOPED_TRACE(units);
        DuctStyleTable table;
        StyleNameList names;
        LoadDuctStyles(SplitConfigFields(std::string("1,\"A\",1,10.0,0.10,") + units + ",4.0"),
                       table, names);
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(FrictionLossInPascal(table[0]), pascal);
    }
}

TEST(LoadTables, ATruncatedLastRecordIsIgnoredWithoutReadingBeyondTheFields) {
    for (size_t cut = 1; cut < 7; ++cut) {
        SCOPED_TRACE(cut);
        Fields fields = Join({DuctRecord("1", "A"), DuctRecord("2", "B")});
        fields.resize(7 + cut);
        // Shrink the storage so that reading past the end is caught by tools.
        fields.shrink_to_fit();
        DuctStyleTable table;
        StyleNameList names;
        EXPECT_TRUE(LoadDuctStyles(fields, table, names).empty());
        EXPECT_EQ(names, StyleNameList{"A"});
        EXPECT_TRUE(table[1].name.empty());
    }
    MaterialTable materials;
    EXPECT_TRUE(LoadMaterials({"1", "Steel"}, materials).empty());
    EXPECT_TRUE(materials[0].name.empty());
    // A bad number in the cut record still tells.
    EXPECT_EQ(LoadMaterials({"1", "Steel", "0.18", "99", "PVC"}, materials).size(), 1u);
    EXPECT_EQ(materials[0].name, "Steel");
}

class ConfigFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    void Put(const char* name, const QByteArray& bytes) {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QString Dir() const { return dir_.path(); }

    QTemporaryDir dir_;
};

TEST_F(ConfigFileTest, ReportsWhetherTheFileOpenedAndDeliveredFields) {
    Put("KSX_Set2.cfg", "; only a comment\r\n\r\n   \r\n");
    Put("KSX_Set2_e.cfg", "");
    Put("ksx_mate.cfg", ";\r\n 1,\"Steel\",0.18\r\n");

    const ConfigFields comments = ReadConfigFields(Dir(), "KSX_Set2.cfg");
    EXPECT_TRUE(comments.opened);
    EXPECT_FALSE(comments.delivered());

    const ConfigFields empty = ReadConfigFields(Dir(), "KSX_Set2_e.cfg");
    EXPECT_TRUE(empty.opened);
    EXPECT_FALSE(empty.delivered());

    const ConfigFields materials = ReadConfigFields(Dir() + "/", "ksx_mate.cfg");
    EXPECT_TRUE(materials.opened);
    EXPECT_EQ(materials.fields, (Fields{"1", "Steel", "0.18"}));

    EXPECT_FALSE(ReadConfigFields(Dir(), "KSX_Set1.cfg").opened);
#ifndef Q_OS_WIN // where file names ignore case, so does the reader
    EXPECT_FALSE(ReadConfigFields(Dir(), "KSX_SET2.CFG").opened); // names are exact
#endif
    ASSERT_TRUE(QDir(Dir()).mkdir("KSX_Set1_e.cfg"));
    EXPECT_FALSE(ReadConfigFields(Dir(), "KSX_Set1_e.cfg").opened);
    EXPECT_FALSE(ReadConfigFields(Dir() + "/missing", "ksx_mate.cfg").opened);
}

TEST_F(ConfigFileTest, HostileFilesAreReadQuicklyAndLoadSafely) {
    std::mt19937 rng(7);
    QByteArray garbage(200000, '\0');
    for (char& c : garbage)
        c = char(rng() & 0xFF);
    QByteArray garbageNoNul = garbage;
    garbageNoNul.replace('\0', '\x01');

    QByteArray big;
    const QByteArray record = " 12,\"\x83\x5C\x83\x5C, \"\"x\"\"\", 1, 10.0, 0.10, 0, 4.0\r\n";
    while (big.size() < 10 * 1024 * 1024)
        big += record;

    const std::pair<const char*, QByteArray> files[] = {
        {"binary garbage", garbage},
        {"binary garbage without NUL", garbageNoNul},
        {"only commas", QByteArray(100000, ',')},
        {"only quotes", QByteArray(100001, '"')},
        {"only lead bytes", QByteArray(100001, '\x83')},
        {"ten megabytes of records", big},
        {"unclosed quote and truncated record", "1,\"A,1,10.0\r\n2,\"B\",1"},
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        Put("KSX_Set1.cfg", bytes);
        const auto start = std::chrono::steady_clock::now();
        const ConfigFields read = ReadConfigFields(Dir(), "KSX_Set1.cfg");
        DuctStyleTable table;
        StyleNameList names;
        const auto messages = LoadDuctStyles(read.fields, table, names);
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(read.opened);
        EXPECT_LT(seconds, 10.0);
        // Every record is a message or a name, never both, never beyond the fields.
        EXPECT_LE((names.size() + messages.size()) * 7, read.fields.size() + 6);
    }

    // Ten megabytes of good records: every one lands in slot 11; the list
    // stops at one entry per slot, as no later entry could stand for a slot.
    Put("KSX_Set1.cfg", big);
    const ConfigFields read = ReadConfigFields(Dir(), "KSX_Set1.cfg");
    DuctStyleTable table;
    StyleNameList names;
    EXPECT_TRUE(LoadDuctStyles(read.fields, table, names).empty());
    EXPECT_GT(big.size() / record.size(), kConfigTableSlots);
    EXPECT_EQ(names.size(), kConfigTableSlots);
    EXPECT_EQ(table[11],
              (DuctSelectionStyle{"\x83\x5C\x83\x5C, \"x\"", "1", "10.0", "0.10", "0", "4.0"}));

    // A file of only commas starts with an empty row-number field: nothing, silently.
    MaterialTable materials;
    EXPECT_TRUE(LoadMaterials(SplitConfigFields(std::string(5000, ',')), materials).empty());
    EXPECT_EQ(SplitConfigFields(",,,").size(), 4u);
}

#ifdef Q_OS_LINUX
// A file name that leads to an endless device: reading stops at the first NUL
// and start-up goes on, instead of filling memory.
TEST_F(ConfigFileTest, AnEndlessDeviceIsReadOnlyToItsFirstNul) {
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir_.filePath("ksx_mate.cfg")));
    const auto start = std::chrono::steady_clock::now();
    const ConfigFields zero = ReadConfigFields(Dir(), "ksx_mate.cfg");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              10.0);
    EXPECT_TRUE(zero.opened);
    EXPECT_FALSE(zero.delivered());
}
#endif

TEST(LoadStyles, ManyBadRowNumbersGiveTenMessagesAndOneCount) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "0,\"a\",75.0,2.0\r\n";
    text += "1,\"kept\",75.0,2.0\r\n";
    TerminalStyleTable table;
    StyleNameList names;
    const auto messages = LoadTerminalStyles(SplitConfigFields(text), table, names);
    ASSERT_EQ(messages.size(), kMaxRowNumberMessages + 1);
    for (size_t i = 0; i < kMaxRowNumberMessages; ++i)
        EXPECT_EQ(messages[i], BadRowNumberMessage(ConfigFile::TerminalStyles));
    EXPECT_EQ(messages.back(),
              "File [KSX_Set2_e.cfg] holds 90 more records with an illegitimate number; they "
              "were skipped.");
    EXPECT_EQ(names, StyleNameList{"kept"});

    // Up to the limit every bad record has its own message and nothing is counted.
    std::string few;
    for (size_t i = 0; i < kMaxRowNumberMessages; ++i)
        few += "65,\"a\",75.0,2.0\r\n";
    names.clear();
    EXPECT_EQ(LoadTerminalStyles(SplitConfigFields(few), table, names),
              std::vector<std::string>(kMaxRowNumberMessages,
                                       BadRowNumberMessage(ConfigFile::TerminalStyles)));
}

} // namespace
} // namespace kestrix
