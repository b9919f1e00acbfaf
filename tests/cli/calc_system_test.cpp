// kestrix-calc system run in-process: the documented example in every
// format, the CSV form with its settings as options, and bad input reported
// with its place and exit status 1.

#include "calc_run.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace kestrix {
namespace {

const char* kOffice = R"({"name": "Office supply", "units": "Pa", "friction_law": "power",
 "material": "Galvanised steel", "limits": {"velocity": 10.0, "loss": 1.0, "aspect": 4.0},
 "shape": "rectangular", "max_height": 400, "air": {"temperature": 20, "elevation": 0},
 "sections": [
  {"id": "1", "upstream": null, "length": 12, "fittings": [0.2, {"name": "tee, main", "c": 0.15}]},
  {"id": "2", "upstream": "1", "length": 6, "size": "400x300"},
  {"id": "T1", "upstream": "2", "length": 3, "flow": 1200, "fixed_loss": 25},
  {"id": "T2", "upstream": "1", "length": 8, "flow": 800, "shape": "round", "fixed_loss": 20}]})";

// kestrix-calc system with the configuration files of the build, which lie
// beside the built program; a test program has no folder of its own to read
// them from on every system.
Result System(std::vector<std::string> args, const std::string& input = "") {
    const QString folder = QFileInfo(QStringLiteral(KESTRIX_CALC_PATH)).absolutePath();
    args.insert(args.begin(), {"system", "--config-dir", folder.toStdString()});
    return Calc(args, input);
}

class CalcSystem : public testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path =
            QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
        std::ofstream file(path, std::ios::binary);
        file << bytes;
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(CalcSystem, ReportsTheDocumentedExampleInEveryFormat) {
    const Result json = System({"--lang", "en", "--format", "json", "-"}, kOffice);
    ASSERT_EQ(json.status, kExitSuccess) << json.err;
    // The contract's keys, in order, and the sizes the duct page writes.
    for (const char* key :
         {"{\"air\": {\"density\": 1.204", "\"viscosity\": 1.81", "\"sections\": [",
          "{\"id\": \"1\", \"upstream\": null, \"flow\": 2000, \"size\": \"350x350\", "
          "\"velocity\": ",
          "\"velocity_pressure\": ", "\"loss_per_m\": ", "\"friction_loss\": ",
          "\"fittings_loss\": ", "\"fixed_loss\": ", "\"total_loss\": ",
          "{\"id\": \"T2\", \"upstream\": \"1\", \"flow\": 800, \"size\": \"275Φ\"",
          "\"paths\": [\n  {\"terminal\": \"T1\", \"sections\": [\"1\", \"2\", \"T1\"], "
          "\"pressure\": ",
          "\"critical_path\": \"T1\"", "\"fan_pressure\": "})
        EXPECT_NE(json.out.find(key), std::string::npos) << key << "\n" << json.out;

    const Result csv = System({"--lang", "en", "-"}, kOffice);
    ASSERT_EQ(csv.status, kExitSuccess) << csv.err;
    EXPECT_EQ(csv.out.rfind("Section,Upstream,Flow[CMH],Size[mm],Velocity[m/s],", 0), 0u)
        << csv.out;
    EXPECT_NE(csv.out.find("\nT1,1 > 2 > T1,"), std::string::npos) << csv.out;
    // A material named in the English file is not in the Japanese one; its row is.
    std::string office = kOffice;
    const Result unnamed = System({"--lang", "ja", "-"}, office);
    EXPECT_EQ(unnamed.status, kExitFailure);
    EXPECT_NE(unnamed.err.find("ダクト材質「Galvanised steel」がありません。"), std::string::npos);
    office.replace(office.find("\"Galvanised steel\""), 18, "1");
    const Result md = System({"--lang", "ja", "--format", "md", "-"}, office);
    ASSERT_EQ(md.status, kExitSuccess) << md.err;
    EXPECT_NE(md.out.find("# Office supply"), std::string::npos);
    EXPECT_NE(md.out.find("| **T1** | **1 > 2 > T1** |"), std::string::npos) << md.out;
    EXPECT_NE(md.out.find("275φ"), std::string::npos);
}

TEST_F(CalcSystem, CsvSectionsTakeTheSettingsAsOptions) {
    const std::string rows = "id,upstream,length,flow,size,shape,fittings,fixed_loss\r\n"
                             "F,,10,,500x400,,0.3,\r\n"
                             "T1,F,4,1000,,round,0.2;0.17,25\r\n"
                             "T3,F,8,1000,,,-0.1,15\r\n";
    const Result r = System({"--lang", "en", "--format", "json", "--roughness", "0.18",
                             "--velocity", "8", "--loss", "1", "--shape", "rectangular",
                             "--max-height", "200", Write("office.csv", rows)});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_NE(r.out.find("\"size\": \"300Φ\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"size\": \"350x200\""), std::string::npos) << r.out;
    // A style from the configuration files, in mmAq.
    const Result styled =
        System({"--lang", "en", "--input", "csv", "--style", "0", "--units", "mmAq", "-"}, rows);
    EXPECT_EQ(styled.status, kExitSuccess) << styled.err;
    EXPECT_NE(styled.out.find("Total[mmAq]"), std::string::npos) << styled.out;
}

TEST_F(CalcSystem, BadInputIsNamedAndFailsWithStatusOne) {
    const std::string head =
        R"({"roughness": 0.18, "limits": {"velocity": 8, "loss": 1}, "sections": [)";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{\"sections\": [1,", "line 1, column 17: the file ends inside an array"},
        {"\"text\"", "a system file holds one JSON object, not a text"},
        {head +
             R"({"id": "a", "length": 1}, {"id": "b", "upstream": "c", "length": 1}, {"id": "c", "upstream": "b", "length": 1, "flow": 5}]})",
         "section \"b\": its upstream sections run in a circle (b → c → b)"},
        {head +
             R"({"id": "a", "length": 1, "flow": 100}, {"id": "a", "upstream": "a", "length": 1}]})",
         "section \"a\": this id is given to more than one section"},
        {head + R"({"id": "a", "length": -2, "flow": 100}]})",
         "section \"a\": length -2 m is out of range"},
        {R"({"air": {"temperature": -273}, )" + head.substr(1) +
             R"({"id": "a", "length": 1, "flow": 100}]})",
         "air temperature -273 °C is out of range"},
        {head + R"({"id": "a", "length": 1, "flow": 100, "size": "300", "shape": "rectangular"}]})",
         "section \"a\": size \"300\" contradicts its shape"},
    };
    for (const auto& [text, expected] : cases) {
        const Result r = System({"--lang", "en", "-"}, text);
        EXPECT_EQ(r.status, kExitFailure) << text;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
    }
    const Result japanese = System({"--lang", "ja", "-"}, "{\n  \"sections\": 5}");
    EXPECT_EQ(
        japanese.err,
        "kestrix-calc: -: ファイルの 2 行 15 列に誤りがあります：\"sections\" must be an array\n");
    const Result missing = System({"--lang", "en", Write("a.json", "{}") + ".none"});
    EXPECT_EQ(missing.status, kExitFailure);
    const Result big = System({"--lang", "en", "-"}, std::string(50 * 1024 * 1024 + 1, ' '));
    EXPECT_NE(big.err.find("larger than 50 MB"), std::string::npos) << big.err;
    // A comb of 4500 branch sections, each with a terminal: its paths list
    // over 10 million sections together, a report too large to write.
    std::string comb = head + R"({"id": "c0", "length": 1})";
    for (int i = 0; i < 4500; ++i) {
        if (i > 0)
            comb += ", {\"id\": \"c" + std::to_string(i) + "\", \"upstream\": \"c" +
                    std::to_string(i - 1) + "\", \"length\": 1}";
        comb += ", {\"id\": \"t" + std::to_string(i) + "\", \"upstream\": \"c" + std::to_string(i) +
                "\", \"length\": 1, \"flow\": 100}";
    }
    const Result tooLong = System({"--lang", "en", "-"}, comb + "]}");
    EXPECT_EQ(tooLong.status, kExitFailure);
    EXPECT_NE(tooLong.err.find("a report lists at most 10000000"), std::string::npos)
        << tooLong.err;
    ExpectUsageError({"system", "--format", "xml", "-"});
    ExpectUsageError({"system", "--velocity", "8", "-"}); // settings options are for CSV
}

} // namespace
} // namespace kestrix
