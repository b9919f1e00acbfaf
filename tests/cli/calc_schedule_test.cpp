// kestrix-calc schedule run in-process through RunCalc: the worked examples
// in every output format, variables carried from row to row, bad rows with
// their line numbers, standard input, the CSV reader, configuration styles,
// and a large generated input read and written row by row.

#include "app/calc_schedule.h"
#include "app/utf8.h"
#include "calc_run.h"
#include "config/engine_texts.h"
#include "engine/messages.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kestrix {
namespace {

class CalcSchedule : public testing::Test {
  protected:
    // Writes a file into the test's folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path =
            QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
        std::ofstream file(path, std::ios::binary);
        file << bytes;
        return path;
    }

    // A schedule of the rows in a file, with the criteria of the worked
    // examples: duct 0.18 mm, 8 m/s, 0.1 mmAq/m; air terminal 70 %, 3.0 m/s.
    Result Duct(const std::string& rows, std::vector<std::string> options = {}) {
        std::vector<std::string> args = {"schedule",    "duct", "--lang",     "en",
                                         "--roughness", "0.18", "--velocity", "8.0",
                                         "--loss",      "0.10"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(Write("rows.csv", rows));
        return Calc(args);
    }
    Result Terminal(const std::string& rows, std::vector<std::string> options = {}) {
        std::vector<std::string> args = {"schedule",    "terminal", "--lang",          "en",
                                         "--free-area", "70",       "--face-velocity", "3.0"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(Write("rows.csv", rows));
        return Calc(args);
    }

    QTemporaryDir dir_;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

const std::string kDuctHeadings =
    "Tag,Flow Rate[CMH],Round Size[mm],Round Velocity[m/s],Round DeltaPr.[mmAq/m],"
    "Round Dynamic Pr.[kgf/m²],Round Standard Flow[CMH],Rect. Size[mm],Rect. Velocity[m/s],"
    "Rect. DeltaPr.[mmAq/m],Rect. Aspect Ratio,Rect. Dynamic Pr.[kgf/m²],"
    "Rect. Standard Flow[CMH],Rect. Equivalent Dia.[mm],Error\n";
// The duct worked example at 1000 CMH: the first round entry with its
// reference flow, then the square with its reference flow and equivalent diameter.
const std::string kDuctExampleCells =
    "283Φ,4.42,0.099,1.19,1005,300x300,3.09,0.048,1.00,0.58,1491,328";

const std::string kTerminalHeadings =
    "Tag,Flow Rate[CMH],Effective Area[m²],Necessary Area[m²],Free Area[%],Round Size[mm],"
    "Round Surface Velocity[m/s],Round Standard Flow[CMH],Rect. Size[mm],"
    "Rect. Surface Velocity[m/s],Rect. Standard Flow[CMH],Error\n";
const std::string kTerminalExampleCells = "0.093,0.132,70,450Φ,2.50,1202,400x400,2.48,1209";

// ---------------------------------------------------------------------------
// The formats, each on a two-row file

struct FormatCase {
    const char* name;
    bool duct;
    std::vector<std::string> options;
    std::string expected;
};

// Named in the test list by its case, not by its bytes.
void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class CalcScheduleFormat : public CalcSchedule, public testing::WithParamInterface<FormatCase> {};

TEST_P(CalcScheduleFormat, TwoRowsGiveTheWorkedExamplesExactly) {
    // The second flow is an expression; the second tag needs quoting.
    const std::string rows = "tag,flow\nAHU-1,1000\n\"FCU \"\"A\"\", 2\",500*2\n";
    const FormatCase& c = GetParam();
    const Result r = c.duct ? Duct(rows, c.options) : Terminal(rows, c.options);
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CalcScheduleFormat,
    testing::Values(
        FormatCase{"DuctCsv",
                   true,
                   {},
                   kDuctHeadings + "AHU-1,1000," + kDuctExampleCells + ",\n" +
                       "\"FCU \"\"A\"\", 2\",1000," + kDuctExampleCells + ",\n"},
        FormatCase{"DuctCsvIsTheDefault",
                   true,
                   {"--format", "csv"},
                   kDuctHeadings + "AHU-1,1000," + kDuctExampleCells + ",\n" +
                       "\"FCU \"\"A\"\", 2\",1000," + kDuctExampleCells + ",\n"},
        FormatCase{"TerminalCsv",
                   false,
                   {},
                   kTerminalHeadings + "AHU-1,1000," + kTerminalExampleCells + ",\n" +
                       "\"FCU \"\"A\"\", 2\",1000," + kTerminalExampleCells + ",\n"},
        FormatCase{
            "DuctMarkdown",
            true,
            {"--format", "md"},
            "| Tag | Flow Rate[CMH] | Round Size[mm] | Round Velocity[m/s] | "
            "Round DeltaPr.[mmAq/m] | Round Dynamic Pr.[kgf/m²] | Round Standard Flow[CMH] | "
            "Rect. Size[mm] | Rect. Velocity[m/s] | Rect. DeltaPr.[mmAq/m] | Rect. Aspect Ratio | "
            "Rect. Dynamic Pr.[kgf/m²] | Rect. Standard Flow[CMH] | Rect. Equivalent Dia.[mm] | "
            "Error |\n"
            "|---|---:|---|---:|---:|---:|---:|---|---:|---:|---:|---:|---:|---:|---|\n"
            "| AHU-1 | 1000 | 283Φ | 4.42 | 0.099 | 1.19 | 1005 | 300x300 | 3.09 | 0.048 | 1.00 | "
            "0.58 | 1491 | 328 |  |\n"
            "| FCU \"A\", 2 | 1000 | 283Φ | 4.42 | 0.099 | 1.19 | 1005 | 300x300 | 3.09 | 0.048 | "
            "1.00 | 0.58 | 1491 | 328 |  |\n"},
        FormatCase{
            "TerminalMarkdown",
            false,
            {"--format", "md"},
            "| Tag | Flow Rate[CMH] | Effective Area[m²] | Necessary Area[m²] | Free Area[%] "
            "| Round Size[mm] | Round Surface Velocity[m/s] | Round Standard Flow[CMH] | "
            "Rect. Size[mm] | Rect. Surface Velocity[m/s] | Rect. Standard Flow[CMH] | "
            "Error |\n"
            "|---|---:|---:|---:|---:|---|---:|---:|---|---:|---:|---|\n"
            "| AHU-1 | 1000 | 0.093 | 0.132 | 70 | 450Φ | 2.50 | 1202 | 400x400 | 2.48 | "
            "1209 |  |\n"
            "| FCU \"A\", 2 | 1000 | 0.093 | 0.132 | 70 | 450Φ | 2.50 | 1202 | 400x400 | "
            "2.48 | 1209 |  |\n"},
        FormatCase{
            "DuctJson",
            true,
            {"--format", "json"},
            R"({"line":2,"tag":"AHU-1","flow":"1000","round":{"size":"283Φ","velocity":"4.42",)"
            R"("loss":"0.099","dynamic_pressure":"1.19","reference_flow":"1005"},)"
            R"("rectangular":{"size":"300x300","velocity":"3.09","loss":"0.048","aspect":"1.00",)"
            R"("dynamic_pressure":"0.58","reference_flow":"1491","equivalent_diameter":"328"},)"
            R"("error":null})"
            "\n"
            R"({"line":3,"tag":"FCU \"A\", 2","flow":"1000","round":{"size":"283Φ",)"
            R"("velocity":"4.42","loss":"0.099","dynamic_pressure":"1.19",)"
            R"("reference_flow":"1005"},"rectangular":{"size":"300x300","velocity":"3.09",)"
            R"("loss":"0.048","aspect":"1.00","dynamic_pressure":"0.58","reference_flow":"1491",)"
            R"("equivalent_diameter":"328"},"error":null})"
            "\n"},
        FormatCase{
            "TerminalJsonByTheJsonOption",
            false,
            {"--json"},
            R"({"line":2,"tag":"AHU-1","flow":"1000","effective_area":"0.093",)"
            R"("necessary_area":"0.132","free_area":"70","round":{"size":"450Φ",)"
            R"("face_velocity":"2.50","reference_flow":"1202"},"rectangular":{"size":"400x400",)"
            R"("face_velocity":"2.48","reference_flow":"1209"},"error":null})"
            "\n"
            R"({"line":3,"tag":"FCU \"A\", 2","flow":"1000","effective_area":"0.093",)"
            R"("necessary_area":"0.132","free_area":"70","round":{"size":"450Φ",)"
            R"("face_velocity":"2.50","reference_flow":"1202"},"rectangular":{"size":"400x400",)"
            R"("face_velocity":"2.48","reference_flow":"1209"},"error":null})"
            "\n"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST_F(CalcSchedule, JapaneseHeadingsUseTheWindowCaptionsAndTheJapaneseMark) {
    const Result r = Calc({"schedule", "terminal", "--lang", "ja", "--free-area", "70",
                           "--face-velocity", "3", Write("rows.csv", "A,1000\n")});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, "符号,風量[CMH],有効[㎡],必要[㎡],開口率[%],丸サイズ[mm],丸面風速[m/s],"
                     "丸基準風量[CMH],角サイズ[mm],角面風速[m/s],角基準風量[CMH],エラー\n"
                     "A,1000,0.093,0.132,70,450φ,2.50,1202,400x400,2.48,1209,\n");
}

TEST_F(CalcSchedule, PascalCriteriaPutPascalUnitsInTheHeadings) {
    const Result r = Calc({"schedule", "duct", "--lang", "en", "--roughness", "0.18", "--velocity",
                           "8.0", "--loss", "1.0", "--units", "1", Write("rows.csv", "A,1000\n")});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("Round DeltaPr.[Pa/m],Round Dynamic Pr.[Pa],"), std::string::npos);
    EXPECT_EQ(lines[1].rfind("A,1000,282Φ,4.45,0.989,11.87,", 0), 0u) << lines[1];
}

// ---------------------------------------------------------------------------
// Rows

TEST_F(CalcSchedule, VariablesCarryOverFromRowToRow) {
    const Result chained = Duct("A,a = 850\nB,a*2\nC,A+b\n");
    const Result direct = Duct("A,850\nB,1700\nC,850\n");
    EXPECT_EQ(chained.status, kExitSuccess) << chained.err;
    // b has never been given a value: it is 0.
    EXPECT_EQ(chained.out, direct.out);
    EXPECT_EQ(Lines(chained.out)[2].rfind("B,1700,", 0), 0u);
}

TEST_F(CalcSchedule, BadRowsAreReportedByLineAndTheRestIsStillSized) {
    const std::string longText(256, '1'); // one byte over the evaluator's limit
    const std::string rows = "tag,flow\n"
                             "A1,1000\n"
                             "lonely\n"
                             "A2,1,2\n"
                             ",1000\n"
                             "A4,\n"
                             "  A5 ,   \n"
                             "A6,1e200*1e200\n"
                             "A7," +
                             longText +
                             "\n"
                             "A8,0\n"
                             "A9,-5\n"
                             "A10,sqrt(-1)\n"
                             "A11,2e7\n"
                             "\"A12,1000\n"
                             "\"A13\"x,1000\n"
                             "A14," +
                             std::string(70000, '1') +
                             "\n"
                             "A15,500*2\n";
    const Result r = Duct(rows);
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.err, "line 3: expected 2 fields (tag and flow) but found 1\n"
                     "line 4: expected 2 fields (tag and flow) but found 3\n"
                     "line 5: empty tag\n"
                     "line 6: empty flow\n"
                     "line 7: empty flow\n"
                     "line 8: floating-point overflow\n"
                     "line 9: The expression is too long: at most 255 characters.\n"
                     "line 10: flow '0' is not a positive number\n"
                     "line 11: flow '-5' is not a positive number\n"
                     "line 12: sqrt: DOMAIN error\n"
                     "line 12: flow 'NAN' is not a positive number\n"
                     "line 13: Flow Rate is too big.\n"
                     "line 14: a quoted field is not closed\n"
                     "line 15: text after the closing quote of a field\n"
                     "line 16: line longer than 65536 bytes\n");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 17u); // headings and one row for each of the 16 rows
    EXPECT_EQ(lines[1], "A1,1000," + kDuctExampleCells + ",");
    EXPECT_EQ(lines[2], "lonely,,,,,,,,,,,,,,expected 2 fields (tag and flow) but found 1");
    EXPECT_EQ(lines[3], "A2,1,,,,,,,,,,,,,expected 2 fields (tag and flow) but found 3");
    // A flow that was evaluated shows its result, one that was abandoned its text.
    EXPECT_EQ(lines[7], "A6,1e200*1e200,,,,,,,,,,,,,floating-point overflow");
    EXPECT_EQ(lines[12], "A11,20000000,,,,,,,,,,,,,Flow Rate is too big.");
    EXPECT_EQ(lines[16], "A15,1000," + kDuctExampleCells + ",");
}

TEST_F(CalcSchedule, BadRowsInJsonCarryTheirLineAndErrorWithNullValues) {
    const Result r = Terminal("# the supply side\n\nA,0\nB,1000\n", {"--format", "json"});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.err, "line 3: flow '0' is not a positive number\n");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], R"({"line":3,"tag":"A","flow":"0","effective_area":null,)"
                        R"("necessary_area":null,"free_area":null,"round":null,)"
                        R"("rectangular":null,"error":"flow '0' is not a positive number"})");
    EXPECT_EQ(lines[1].rfind(R"({"line":4,"tag":"B","flow":"1000","effective_area":"0.093",)", 0),
              0u);
}

TEST_F(CalcSchedule, UnusableCriteriaMakeEveryRowBad) {
    Result r = Terminal("A,1000\nB,2000\n", {"--format", "json"});
    ASSERT_EQ(r.status, kExitSuccess);
    r = Calc({"schedule", "terminal", "--lang", "en", "--free-area", "0", "--face-velocity", "3",
              Write("rows.csv", "A,1000\nB,2000\n")});
    EXPECT_EQ(r.status, kExitFailure);
    const std::string limits = SizingMessageText(SizingMessage::TerminalLimits);
    EXPECT_EQ(r.err, "line 1: " + limits + "\nline 2: " + limits + "\n");
    r = Calc({"schedule", "duct", "--lang", "en", "--roughness", "0", "--velocity", "8", "--loss",
              "0.1", Write("rows.csv", "A,1000\n")});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(Lines(r.err).size(), 1u);
}

// ---------------------------------------------------------------------------
// Input

TEST_F(CalcSchedule, HeaderIsOnlyTheFirstRecordAndOnlyTagCommaFlow) {
    struct Case {
        std::string rows;
        std::vector<std::string> tags; // first field of each output row
        int status;
    };
    const std::vector<Case> cases = {
        // Comments and blank lines may come before the header; any case, blanks around.
        {"# schedule\n\n TAG , Flow \nA,1000\n", {"A"}, kExitSuccess},
        {"\"tag\",\"flow\"\nA,1000\n", {"A"}, kExitSuccess},
        // No header: the first row is sized.
        {"A,1000\nB,1000\n", {"A", "B"}, kExitSuccess},
        // Not the first record: a row whose flow is the variable flow, 0.
        {"A,1000\ntag,flow\n", {"A", "tag"}, kExitFailure},
        // Other headings are rows.
        {"name,flow\nA,1000\n", {"name", "A"}, kExitFailure},
        {"tag,flow,size\nA,1000\n", {"tag", "A"}, kExitFailure},
    };
    for (const auto& c : cases) {
        const Result r = Duct(c.rows);
        EXPECT_EQ(r.status, c.status) << c.rows;
        const auto lines = Lines(r.out);
        std::vector<std::string> tags;
        for (size_t i = 1; i < lines.size(); ++i)
            tags.push_back(lines[i].substr(0, lines[i].find(',')));
        EXPECT_EQ(tags, c.tags) << c.rows;
    }
}

TEST_F(CalcSchedule, ByteOrderMarkAndCrLfLinesAreRead) {
    const Result r = Duct("\xEF\xBB\xBFtag,flow\r\nA,1000\r\n\r\n# note\r\nB,1000");
    EXPECT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, kDuctHeadings + "A,1000," + kDuctExampleCells + ",\nB,1000," +
                         kDuctExampleCells + ",\n");
}

// A CR alone ends a line too, as in files from the old Macintosh spreadsheets.
TEST_F(CalcSchedule, CarriageReturnAloneEndsALine) {
    const Result r = Duct("tag,flow\rA,1000\rB,1000\r");
    EXPECT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, kDuctHeadings + "A,1000," + kDuctExampleCells + ",\nB,1000," +
                         kDuctExampleCells + ",\n");
    const Result md = Terminal("A\rB,1000\n", {"--format", "md"});
    EXPECT_EQ(md.err, "line 1: expected 2 fields (tag and flow) but found 1\n");
    EXPECT_EQ(Lines(md.out).size(), 4u) << md.out;
}

// Every flow above the limit is refused with the flow message, also one
// that the evaluator writes with an exponent or as infinity, which the
// air-terminal list would pass over without a word.
TEST_F(CalcSchedule, EveryFlowAboveTheLimitIsTooBig) {
    const std::string rows = "G,1e15\nH,2e16\nF,1e400\nI,exp(1000)\nJ,10000001\n"
                             "K,1.7976931348623157e308\n";
    for (const Result& r : {Terminal(rows), Duct(rows)}) {
        EXPECT_EQ(r.status, kExitFailure);
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 7u);
        for (size_t i = 1; i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].ends_with(",Flow Rate is too big.")) << lines[i];
    }
}

// A definition on a row with a field too many still reaches the rows after
// it, as one on any other bad row does.
TEST_F(CalcSchedule, DefinitionsOnRowsWithTheWrongFieldCountCarryOver) {
    const Result r = Duct("X,a=500,\nY,a*2\n");
    EXPECT_EQ(r.err, "line 1: expected 2 fields (tag and flow) but found 3\n");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "X,500,,,,,,,,,,,,,expected 2 fields (tag and flow) but found 3");
    EXPECT_EQ(lines[2], "Y,1000," + kDuctExampleCells + ",");
}

// The two floating-point errors are given in the language asked for.
TEST_F(CalcSchedule, AbandonedEvaluationsSpeakTheLanguage) {
    const std::string rows = "L,1e200*1e200\nN,10/sqrt(-1)\n";
    EXPECT_EQ(Duct(rows).err, "line 1: floating-point overflow\n"
                              "line 2: sqrt: DOMAIN error\n"
                              "line 2: invalid floating-point operation\n");
    const Result ja = Calc({"schedule", "duct", "--lang", "ja", "--roughness", "0.18", "--velocity",
                            "8.0", "--loss", "0.10", Write("rows.csv", rows)});
    EXPECT_EQ(ja.err, "line 1: 浮動小数点数のオーバーフロー\n"
                      "line 2: sqrt: DOMAIN error\n"
                      "line 2: 不正な浮動小数点数演算命令\n");
}

// A read error ends the run there: the rows before it are out, the line it
// cut short is not sized, and the exit status says so.
class FailingInput : public std::streambuf {
  public:
    explicit FailingInput(std::string bytes) : bytes_(std::move(bytes)) {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

  protected:
    int_type underflow() override { throw std::ios_base::failure("Input/output error"); }

  private:
    std::string bytes_;
};

TEST_F(CalcSchedule, AReadErrorEndsTheRunWithoutSizingTheCutRow) {
    FailingInput buffer("A,1000\nB,24");
    std::istream in(&buffer);
    std::ostringstream out, err;
    ScheduleRequest request;
    request.duct = DuctCriteria{0.18, 8.0, 0.1, 4.0, false};
    EXPECT_EQ(RunSchedule(request, in, out, err), kExitFailure);
    EXPECT_EQ(out.str(), kDuctHeadings + "A,1000," + kDuctExampleCells + ",\n");
    EXPECT_NE(err.str().find("the input could not be read after line 1"), std::string::npos)
        << err.str();

    // A line ended by a CR alone is complete at its CR: the row is out even
    // when the read after it fails (and a pipe sees it at once).
    FailingInput crEnded("A,1000\r");
    std::istream crIn(&crEnded);
    std::ostringstream crOut, crErr;
    EXPECT_EQ(RunSchedule(request, crIn, crOut, crErr), kExitFailure);
    EXPECT_EQ(crOut.str(), kDuctHeadings + "A,1000," + kDuctExampleCells + ",\n");
}

TEST_F(CalcSchedule, DashReadsStandardInput) {
    const Result r = Calc(
        {"schedule", "terminal", "--lang", "en", "--free-area", "70", "--face-velocity", "3", "-"},
        "A,1000\n");
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, kTerminalHeadings + "A,1000," + kTerminalExampleCells + ",\n");
}

TEST_F(CalcSchedule, EmptyInputGivesTheHeadingsOnly) {
    EXPECT_EQ(Duct("").out, kDuctHeadings);
    EXPECT_EQ(Duct("tag,flow\n").status, kExitSuccess);
    EXPECT_EQ(Duct("", {"--format", "json"}).out, "");
}

TEST(CalcScheduleCsv, SplitsQuotedAndPlainFields) {
    struct Case {
        std::string line;
        std::vector<std::string> fields;
    };
    const std::vector<Case> cases = {
        {"a,b", {"a", "b"}},
        {" a ,\tb ", {"a", "b"}},
        {"\"a,b\",c", {"a,b", "c"}},
        {"\"say \"\"hi\"\"\",1", {"say \"hi\"", "1"}},
        {"  \" padded \"  ,1", {" padded ", "1"}},
        {"\"\",", {"", ""}},
        {"a,,", {"a", "", ""}},
        {"x\"y,1", {"x\"y", "1"}}, // a quote inside a plain field is kept
        {"", {""}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> fields;
        EXPECT_EQ(SplitCsvFields(c.line, fields), CsvProblem::None) << c.line;
        EXPECT_EQ(fields, c.fields) << c.line;
    }
    for (const std::string line : {"\"open,1", "a,\"b"}) {
        std::vector<std::string> fields;
        EXPECT_EQ(SplitCsvFields(line, fields), CsvProblem::UnclosedQuote) << line;
    }
    for (const std::string line : {"\"a\"b,1", "a,\"b\" c"}) {
        std::vector<std::string> fields;
        EXPECT_EQ(SplitCsvFields(line, fields), CsvProblem::TextAfterQuote) << line;
    }
}

TEST(CalcScheduleCsv, QuotesOnlyFieldsThatNeedIt) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"AHU-1", "AHU-1"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {" pad", "\" pad\""},
        {"", ""},
        {"283Φ", "283Φ"},
    };
    for (const auto& [text, field] : cases) {
        EXPECT_EQ(CsvField(text), field);
        // What is written reads back as it was.
        std::vector<std::string> fields;
        if (text.find('\n') == std::string::npos) {
            ASSERT_EQ(SplitCsvFields(field + ",x", fields), CsvProblem::None);
            EXPECT_EQ(fields[0], text);
        }
    }
}

TEST_F(CalcSchedule, MarkdownEscapesPipes) {
    const Result r = Duct("a|b\\c,1000\n", {"--format", "md"});
    EXPECT_EQ(Lines(r.out).at(2).rfind("| a\\|b\\\\c | 1000 | 283Φ |", 0), 0u) << r.out;
}

// ---------------------------------------------------------------------------
// A large input, read and written row by row

// Generates rows on demand, so the input is never held whole; notes whether
// the output lagged behind the input at any row.
class GeneratedRows : public std::streambuf {
  public:
    GeneratedRows(int rows, const size_t& outputLines) : rows_(rows), outputLines_(outputLines) {}
    bool lagged = false;

  protected:
    int_type underflow() override {
        if (next_ > rows_) return traits_type::eof();
        // Before row k is read, the headings and rows 1 .. k-1 are out.
        if (outputLines_ < static_cast<size_t>(next_)) lagged = true;
        line_.assign(1, 'T').append(std::to_string(next_)).append(1, ',');
        line_.append(std::to_string(100 + next_ % 5000)).append(1, '\n');
        ++next_;
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        return traits_type::to_int_type(line_[0]);
    }

  private:
    int rows_;
    int next_ = 1;
    const size_t& outputLines_;
    std::string line_;
};

// Counts output lines without keeping them.
class LineCounter : public std::streambuf {
  public:
    size_t lines = 0;
    std::string last; // the last complete line

  protected:
    int_type overflow(int_type c) override {
        if (c == '\n') {
            ++lines;
            last = current_;
            current_.clear();
        } else if (c != traits_type::eof()) {
            current_ += traits_type::to_char_type(c);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i)
            overflow(traits_type::to_int_type(s[i]));
        return n;
    }

  private:
    std::string current_;
};

TEST(CalcScheduleLarge, TwentyThousandRowsStreamThroughQuickly) {
    for (const char* kind : {"duct", "terminal"}) {
        LineCounter counter;
        GeneratedRows rows(20000, counter.lines);
        std::istream in(&rows);
        std::ostream out(&counter);
        std::ostringstream err;
        std::vector<std::string> args = {"schedule", kind, "--lang", "en"};
        if (std::string(kind) == "duct")
            args.insert(args.end(), {"--roughness", "0.18", "--velocity", "8.0", "--loss", "0.10"});
        else
            args.insert(args.end(), {"--free-area", "70", "--face-velocity", "3.0"});
        args.push_back("-");
        const auto start = std::chrono::steady_clock::now();
        const int status = RunCalc(args, in, out, err);
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        EXPECT_EQ(status, kExitSuccess) << kind;
        EXPECT_EQ(err.str(), "") << kind;
        EXPECT_EQ(counter.lines, 20001u) << kind; // headings and one line a row
        EXPECT_EQ(counter.last.rfind("T20000,100,", 0), 0u) << counter.last;
        EXPECT_FALSE(rows.lagged) << kind << ": rows were held back instead of written";
        // About two seconds in a debug build; far more means work that grows
        // faster than the number of rows.
        EXPECT_LT(seconds.count(), 30.0) << kind;
    }
}

// The built program sizing air terminals from its standard input, in JSON.
void StartTerminalScheduleOnStandardInput(QProcess& process) {
    process.start(QStringLiteral(KESTRIX_CALC_PATH),
                  {"schedule", "terminal", "--lang", "en", "--free-area", "70", "--face-velocity",
                   "3", "--format", "json", "-"});
    ASSERT_TRUE(process.waitForStarted(30000));
}

TEST(CalcScheduleProgram, TheBuiltProgramReadsRowsFromItsStandardInput) {
    QProcess process;
    ASSERT_NO_FATAL_FAILURE(StartTerminalScheduleOnStandardInput(process));
    process.write("A,1000\nB,\nC,2000/2"); // the last line without its line end
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), kExitFailure);
    EXPECT_EQ(process.readAllStandardError().toStdString(), "line 2: empty flow\n");
    const auto lines = Lines(process.readAllStandardOutput().toStdString());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind(R"({"line":1,"tag":"A","flow":"1000","effective_area":"0.093",)", 0),
              0u);
    EXPECT_EQ(lines[2].rfind(R"({"line":3,"tag":"C","flow":"1000","effective_area":"0.093",)", 0),
              0u);
}

// A row is on the program's standard output before the next row is even
// typed: a pipe into another tool sees each row as it is sized.
TEST(CalcScheduleProgram, EachRowIsOutBeforeTheNextIsRead) {
    QProcess process;
    ASSERT_NO_FATAL_FAILURE(StartTerminalScheduleOnStandardInput(process));
    process.write("A,1000\n");
    QByteArray seen;
    while (!seen.contains('\n') && process.waitForReadyRead(10000))
        seen += process.readAllStandardOutput();
    EXPECT_TRUE(seen.startsWith(R"({"line":1,"tag":"A","flow":"1000",)")) << seen.toStdString();
    process.write("B,2000\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), kExitSuccess);
}

#ifdef __linux__
// An input that cannot be read is a failure with its reason: a folder on
// standard input, and a FILE whose reading fails (the program's own memory
// file gives an input/output error at its first byte), where the program
// had ended with an uncaught exception.
TEST(CalcScheduleProgram, AnUnreadableInputIsAFailureWithItsReason) {
    // Runs a schedule of `operand`, set up by `prepare`, and expects a failure
    // whose message holds `reason`.
    const auto expectFailure = [](const QString& operand, const char* reason,
                                  const std::function<void(QProcess&)>& prepare) {
        QProcess process;
        prepare(process);
        process.start(QStringLiteral(KESTRIX_CALC_PATH),
                      {"schedule", "terminal", "--lang", "en", "--free-area", "70",
                       "--face-velocity", "3", operand});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), kExitFailure);
        EXPECT_TRUE(process.readAllStandardError().contains(reason)) << operand.toStdString();
    };
    expectFailure(QStringLiteral("-"), "the input could not be read",
                  [](QProcess& p) { p.setStandardInputFile(QDir::tempPath()); });
    expectFailure(QStringLiteral("/proc/self/mem"), "the input could not be read",
                  [](QProcess&) {});
    // A closed standard input gives its own reason, not one of a descriptor
    // the program opened for itself.
    expectFailure(QStringLiteral("-"), "Bad file descriptor",
                  [](QProcess& p) { p.setChildProcessModifier([] { ::close(0); }); });
}

// A standard input opened without blocking has, at times, nothing to read
// yet: the program waits for the next row instead of giving up.
TEST(CalcScheduleProgram, AnInputWithoutBlockingIsWaitedFor) {
    QProcess process;
    process.setChildProcessModifier([] { ::fcntl(0, F_SETFL, ::fcntl(0, F_GETFL) | O_NONBLOCK); });
    ASSERT_NO_FATAL_FAILURE(StartTerminalScheduleOnStandardInput(process));
    process.write("A,1000\n");
    QByteArray seen;
    while (!seen.contains('\n') && process.waitForReadyRead(10000))
        seen += process.readAllStandardOutput();
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // nothing to read yet
    process.write("B,2000\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), kExitSuccess) << process.readAllStandardError().toStdString();
    seen += process.readAllStandardOutput();
    EXPECT_EQ(Lines(seen.toStdString()).size(), 2u) << seen.toStdString();
}

// Output that cannot be written, to a full disk here, is a failure and says
// so, instead of a success with the schedule lost.
TEST(CalcScheduleProgram, AFullDiskIsAFailure) {
    for (const QStringList& args :
         {QStringList{"eval", "1+1"},
          QStringList{"schedule", "terminal", "--lang", "en", "--free-area", "70",
                      "--face-velocity", "3", "-"}}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(KESTRIX_CALC_PATH), args);
        ASSERT_TRUE(process.waitForStarted(30000));
        process.write("A,1000\nB,2000\n");
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), kExitFailure) << args.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().contains("the output could not be written"));
    }
}
#endif

// An input whose line never ends (a device such as /dev/zero) is given up
// after a bounded read, reported, and the run ends.
TEST(CalcScheduleLarge, AnEndlessLineEndsTheRun) {
    struct Endless : std::streambuf {
        char chunk[4096];
        int_type underflow() override {
            std::fill(std::begin(chunk), std::end(chunk), '\0');
            setg(chunk, chunk, std::end(chunk));
            return 0;
        }
    } endless;
    std::istream in(&endless);
    std::ostringstream out, err;
    const int status = RunCalc(
        {"schedule", "terminal", "--lang", "en", "--free-area", "70", "--face-velocity", "3", "-"},
        in, out, err);
    EXPECT_EQ(status, kExitFailure);
    EXPECT_EQ(err.str().rfind("line 1: line longer than 65536 bytes, with no line end", 0), 0u)
        << err.str();
    EXPECT_EQ(Lines(out.str()).size(), 2u); // headings and the bad row
}

// The reasons of bad rows are in the language of --lang, and bytes that are
// no UTF-8 text never reach a CSV or Markdown table.
TEST_F(CalcSchedule, BadRowsSpeakTheLanguageAndTablesStayUtf8) {
    std::string rows = "a,\n,5\n\"x,1\nb,-5\n";
    rows.append("bad\xFF\x80\0tag,1000\n", 14);
    const Result ja = Calc({"schedule", "duct", "--lang", "ja", "--roughness", "0.18", "--velocity",
                            "8.0", "--loss", "0.10", Write("rows.csv", rows)});
    EXPECT_EQ(ja.status, kExitFailure);
    EXPECT_EQ(ja.err, "line 1: 風量が空です\n"
                      "line 2: 符号が空です\n"
                      "line 3: 引用符で始まる項目が閉じていません\n"
                      "line 4: 風量 '-5' は正の数ではありません\n");
    for (const char* format : {"csv", "md"}) {
        const Result r = Duct(rows, {"--format", format});
        ASSERT_EQ(r.status, kExitFailure) << format;
        for (size_t i = 0; i < r.out.size();) {
            const size_t length = Utf8SequenceLength(r.out, i);
            ASSERT_GT(length, 0u) << format << " at byte " << i;
            ASSERT_NE(r.out[i], '\0') << format << " at byte " << i;
            i += length;
        }
        EXPECT_NE(r.out.find("bad\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDtag"), std::string::npos)
            << format;
    }
}

// ---------------------------------------------------------------------------
// Command line and configuration files

TEST_F(CalcSchedule, BadCommandLinesAreUsageErrors) {
    const std::string file = Write("rows.csv", "A,1000\n");
    const std::vector<std::string> duct = {"--roughness", "0.18",   "--velocity",
                                           "8",           "--loss", "0.1"};
    auto with = [&](std::vector<std::string> args, const std::vector<std::string>& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::vector<std::vector<std::string>> cases = {
        {"schedule"},
        with({"schedule", "pipe"}, with(duct, {file})),
        with({"schedule", "duct"}, duct),
        with({"schedule", "duct"}, with(duct, {file, file})),
        with({"schedule", "duct", "--format", "xml"}, with(duct, {file})),
        with({"schedule", "duct", "--json", "--format", "md"}, with(duct, {file})),
        with({"schedule", "duct", "--free-area", "70"}, with(duct, {file})),
        with({"schedule", "duct", "--style", "0"}, with(duct, {file})),
        with({"schedule", "duct", "--width", "300"}, with(duct, {file})),
        {"schedule", "duct", "--velocity", "8", file}, // explicit criteria, incomplete
        {"schedule", "terminal", "--roughness", "0.18", "--free-area", "70", "--face-velocity", "3",
         file},
    };
    for (const auto& args : cases)
        ExpectUsageError(args);
}

TEST_F(CalcSchedule, MissingFileOrFolderIsAFailureWithItsName) {
    for (const std::string& path :
         {QDir(dir_.path()).filePath("none.csv").toStdString(), dir_.path().toStdString()}) {
        const Result r =
            Calc({"schedule", "terminal", "--free-area", "70", "--face-velocity", "3", path});
        EXPECT_EQ(r.status, kExitFailure);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("kestrix-calc: cannot ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
    }
}

TEST_F(CalcSchedule, HelpDescribesTheCommand) {
    const Result r = Calc({"schedule", "--help"});
    EXPECT_EQ(r.status, kExitSuccess);
    for (const char* text : {"schedule duct|terminal", "--format csv|md|json",
                             "line N: ", "\"line\", \"tag\", \"flow\"", "tag,flow"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

class CalcScheduleConfig : public CalcSchedule {
  protected:
    void SetUp() override {
        Write("KSX_Set1_e.cfg", " 1,\"Office\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                " 2,\"Pa style\", 1, 8.0, 1.00, 1, 4.0\r\n");
        Write("ksx_mate_e.cfg", "1,\"Galvanized steel\",0.18\r\n");
        Write("KSX_Set2_e.cfg", " 1,\"Supply\", 70.0, 3.0\r\n");
    }
    Result Styled(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"--lang", "en", "--config-dir", dir_.path().toStdString()});
        return Calc(args);
    }
};

TEST_F(CalcScheduleConfig, WithoutCriteriaTheFirstStyleIsTaken) {
    const std::string file = Write("rows.csv", "A,1000\n");
    Result r = Styled({"schedule", "duct", file});
    EXPECT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, Duct("A,1000\n").out);
    EXPECT_EQ(Styled({"schedule", "duct", "--style", "0", file}).out, r.out);

    r = Styled({"schedule", "duct", "--style", "1", file});
    EXPECT_NE(r.out.find("[Pa/m]"), std::string::npos);
    EXPECT_NE(r.out.find("A,1000,282Φ,4.45,0.989,11.87,"), std::string::npos) << r.out;

    r = Styled({"schedule", "terminal", file});
    EXPECT_EQ(r.out, Terminal("A,1000\n").out);

    EXPECT_EQ(Styled({"schedule", "terminal", "--style", "1", file}).status, kExitUsage);
}

TEST_F(CalcScheduleConfig, MissingConfigurationFileStopsBeforeAnyRow) {
    QDir(dir_.path()).remove("KSX_Set2_e.cfg");
    const Result r = Styled({"schedule", "terminal", Write("rows.csv", "A,1000\n")});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("KSX_Set2_e.cfg"), std::string::npos);
    // Explicit criteria need no configuration files.
    EXPECT_EQ(Terminal("A,1000\n", {"--config-dir", dir_.path().toStdString()}).status,
              kExitSuccess);
}

TEST_F(CalcScheduleConfig, AStyleFileWithoutStylesIsAFailureNotAUsageError) {
    Write("KSX_Set1_e.cfg", "; no styles yet\r\n");
    const Result r = Styled({"schedule", "duct", Write("rows.csv", "A,1000\n")});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("the duct style file holds no first style"), std::string::npos) << r.err;
    // Asked for by number, the missing style stays a usage error.
    EXPECT_EQ(Styled({"schedule", "duct", "--style", "0", Write("rows.csv", "A,1000\n")}).status,
              kExitUsage);
}

} // namespace
} // namespace kestrix
