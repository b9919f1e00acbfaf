#include "config/codepage.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/config_writer.h"
#include "engine/number_text.h"
#include "tests/config/language_scope.h"
#include "tests/config/record_printers.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

// The files shipped beside the program, read as the program reads them.
struct ShippedFiles {
    explicit ShippedFiles(bool japanese) {
        const QString dir = QString::fromUtf8(KESTRIX_DATA_DIR);
        for (const ConfigFile file :
             {ConfigFile::Materials, ConfigFile::DuctStyles, ConfigFile::TerminalStyles}) {
            const ConfigFields read =
                ReadConfigFields(dir, ConfigFileName(file, LanguageOf(japanese)));
            EXPECT_TRUE(read.opened && read.delivered())
                << ConfigFileName(file, LanguageOf(japanese));
            std::vector<std::string> m;
            if (file == ConfigFile::Materials) m = LoadMaterials(read.fields, materials);
            if (file == ConfigFile::DuctStyles) m = LoadDuctStyles(read.fields, ducts, ductNames);
            if (file == ConfigFile::TerminalStyles)
                m = LoadTerminalStyles(read.fields, terminals, terminalNames);
            messages.insert(messages.end(), m.begin(), m.end());
        }
    }
    MaterialTable materials;
    DuctStyleTable ducts;
    TerminalStyleTable terminals;
    StyleNameList ductNames, terminalNames;
    std::vector<std::string> messages;
};

std::string FileBytes(bool japanese, ConfigFile file) {
    QFile f(ConfigFilePath(QString::fromUtf8(KESTRIX_DATA_DIR),
                           ConfigFileName(file, LanguageOf(japanese))));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line + "\r\n";
    return all;
}

bool IsPositive(const std::string& text) {
    const std::optional<double> value = ParseNumber(text);
    return value && *value > 0;
}

// Rows numbered 1, 2, 3 … in file order: list entry k is slot k.
template <typename Table>
void ExpectListMatchesSlots(const Table& table, const StyleNameList& names) {
    ASSERT_FALSE(names.empty());
    for (size_t k = 0; k < table.size(); ++k) {
        if (k < names.size())
            EXPECT_EQ(table[k].name, names[k]);
        else
            EXPECT_TRUE(table[k].name.empty()) << k;
    }
}

TEST(ShippedFiles, LoadCleanlyWithConsistentRowsAndUsableValues) {
    for (const bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        const ShippedFiles files(japanese);
        EXPECT_TRUE(files.messages.empty());
        ExpectListMatchesSlots(files.ducts, files.ductNames);
        ExpectListMatchesSlots(files.terminals, files.terminalNames);

        size_t materialCount = 0;
        while (materialCount < kConfigTableSlots && !files.materials[materialCount].name.empty())
            ++materialCount;
        EXPECT_GE(materialCount, 8u);
        for (size_t k = 0; k < materialCount; ++k)
            EXPECT_TRUE(IsPositive(files.materials[k].roughness)) << k;

        for (size_t k = 0; k < files.ductNames.size(); ++k) {
            SCOPED_TRACE(k);
            const DuctSelectionStyle& s = files.ducts[k];
            const std::optional<int> material = ParseInteger(s.material);
            ASSERT_TRUE(material && *material >= 1 && size_t(*material) <= materialCount);
            EXPECT_TRUE(IsPositive(s.velocity));
            EXPECT_TRUE(IsPositive(s.frictionLoss));
            EXPECT_TRUE(IsPositive(s.aspectRatio));
            EXPECT_TRUE(s.units == "0" || s.units == "1");
        }
        for (size_t k = 0; k < files.terminalNames.size(); ++k) {
            const TerminalSelectionStyle& s = files.terminals[k];
            EXPECT_TRUE(IsPositive(s.freeArea) && *ParseNumber(s.freeArea) <= 100.0) << k;
            EXPECT_TRUE(IsPositive(s.faceVelocity)) << k;
        }

        // The first duct style is the one a new user starts with: low-velocity
        // supply in galvanised steel, 0.1 mmAq/m.
        EXPECT_EQ(files.ducts[0].material, "1");
        EXPECT_EQ(files.ducts[0].units, "0");
        EXPECT_EQ(*ParseNumber(files.materials[0].roughness), 0.18);
    }
}

TEST(ShippedFiles, BothLanguagesHoldTheSameValues) {
    const ShippedFiles ja(true), en(false);
    ASSERT_EQ(ja.ductNames.size(), en.ductNames.size());
    ASSERT_EQ(ja.terminalNames.size(), en.terminalNames.size());
    for (size_t k = 0; k < kConfigTableSlots; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(ja.materials[k].roughness, en.materials[k].roughness);
        EXPECT_EQ(ja.materials[k].name.empty(), en.materials[k].name.empty());
        DuctSelectionStyle jaDuct = ja.ducts[k], enDuct = en.ducts[k];
        jaDuct.name = enDuct.name = "";
        EXPECT_EQ(jaDuct, enDuct);
        EXPECT_EQ(ja.terminals[k].freeArea, en.terminals[k].freeArea);
        EXPECT_EQ(ja.terminals[k].faceVelocity, en.terminals[k].faceVelocity);
    }
}

TEST(ShippedFiles, StyleFilesAreExactlyWhatTheWriterWrites) {
    for (const bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        const ShippedFiles files(japanese);
        const StyleFileLines ducts = DuctStyleFileLines(files.ducts, LanguageOf(japanese));
        ASSERT_TRUE(ducts.ok()) << ducts.problem;
        EXPECT_EQ(Joined(ducts.lines), FileBytes(japanese, ConfigFile::DuctStyles));
        const StyleFileLines terminals =
            TerminalStyleFileLines(files.terminals, LanguageOf(japanese));
        ASSERT_TRUE(terminals.ok()) << terminals.problem;
        EXPECT_EQ(Joined(terminals.lines), FileBytes(japanese, ConfigFile::TerminalStyles));
    }
}

TEST(ShippedFiles, MaterialsFilesAreCodePage932WithCrLfLines) {
    for (const bool japanese : {true, false}) {
        const std::string bytes = FileBytes(japanese, ConfigFile::Materials);
        ASSERT_FALSE(bytes.empty());
        ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        size_t start = 0;
        while (start < bytes.size()) {
            const size_t end = bytes.find("\r\n", start);
            ASSERT_NE(end, std::string::npos);
            const std::string line = bytes.substr(start, end - start);
            EXPECT_TRUE(IsWellFormedCp932Text(line)) << Cp932ToUtf8(line);
            EXPECT_LE(line.size(), kMaxConfigLineBytes);
            start = end + 2;
        }
    }
}

} // namespace
} // namespace kestrix
