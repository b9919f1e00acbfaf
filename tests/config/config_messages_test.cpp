#include "config/config_messages.h"
#include "config/config_paths.h"
#include "tests/config/language_scope.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>

namespace kestrix {
namespace {

TEST(ConfigMessages, TextsOfBothLanguages) {
    struct Case {
        std::function<std::string()> text;
        const char* english;
        const char* japanese;
    };
    const Case cases[] = {
        {[] { return MissingFileMessage("KSX_Set1.cfg"); },
         "need files-[KSX_Set1.cfg] are not found.\nCan not start.",
         "必要なﾌｧｲﾙ[KSX_Set1.cfg]が見つかりません。\n起動できません。"},
        {[] { return BadRowNumberMessage(ConfigFile::DuctStyles); },
         "Duct selection style number is illegitimate. Effective value 64 is from 1.",
         "ﾀﾞｸﾄ選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。"},
        {[] { return BadRowNumberMessage(ConfigFile::Materials); },
         "Material data number is illegitimate. Effective value 64 is from 1.",
         "材料ﾃﾞｰﾀ番号が不正です。有効な値は 1～64 です。"},
        {[] { return BadRowNumberMessage(ConfigFile::TerminalStyles); },
         "Diffuser style number is illegitimate. Effective value 64 is from 1.",
         "器具選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。"},
        {[] { return MoreBadRowNumbersMessage(ConfigFile::TerminalStyles, 7); },
         "File [KSX_Set2_e.cfg] holds 7 more records with an illegitimate number; they were "
         "skipped.",
         "ﾌｧｲﾙ[KSX_Set2.cfg]には、ほかにも番号が不正なﾚｺｰﾄﾞが 7 件あり、読み飛ばしました。"},
        {[] { return StyleNotRegisteredMessage(StyleKind::Duct); },
         "Duct selection style is not registered.", "ﾀﾞｸﾄ選定ｽﾀｲﾙが登録されていません。"},
        {[] { return StyleNotRegisteredMessage(StyleKind::Terminal); },
         "Diffuser selection style is not registered.", "器具選定スタイルが登録されていません。"},
        // Japanese in both languages.
        {[] { return SaveFailureMessage("KSX_Set2_e.cfg"); },
         "ﾌｧｲﾙ[KSX_Set2_e.cfg]を保存できません.", "ﾌｧｲﾙ[KSX_Set2_e.cfg]を保存できません."},
        {[] { return SaveFailureCaption(); }, "Kestrix ｴﾗｰ", "Kestrix ｴﾗｰ"},
    };
    for (const bool japanese : {false, true}) {
        const LanguageScope language(japanese);
        for (const Case& c : cases)
            EXPECT_EQ(c.text(), japanese ? c.japanese : c.english);
    }
}

TEST(ConfigPaths, FileNamesByKindAndLanguage) {
    EXPECT_EQ(ConfigFileName(ConfigFile::Materials, LanguageOf(true)), "ksx_mate.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::Materials, LanguageOf(false)), "ksx_mate_e.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::DuctStyles, LanguageOf(true)), "KSX_Set1.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::DuctStyles, LanguageOf(false)), "KSX_Set1_e.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::TerminalStyles, LanguageOf(true)), "KSX_Set2.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::TerminalStyles, LanguageOf(false)), "KSX_Set2_e.cfg");
    EXPECT_EQ(StyleFileName(StyleKind::Duct, LanguageOf(false)), "KSX_Set1_e.cfg");
    EXPECT_EQ(StyleFileName(StyleKind::Terminal, LanguageOf(true)), "KSX_Set2.cfg");
}

TEST(ConfigPaths, PathIsDirectorySlashBareName) {
    EXPECT_EQ(ConfigFilePath("/opt/kestrix", "KSX_Set1.cfg"), "/opt/kestrix/KSX_Set1.cfg");
    EXPECT_EQ(ConfigFilePath("/opt/kestrix/", "KSX_Set1.cfg"), "/opt/kestrix/KSX_Set1.cfg");
    EXPECT_EQ(ConfigFilePath("C:\\Kestrix\\", "ksx_mate.cfg"), "C:\\Kestrix\\ksx_mate.cfg");
}

TEST(ConfigPaths, DefaultDirectoryIsTheExecutablesNotTheCurrentOne) {
    ASSERT_NE(QCoreApplication::instance(), nullptr); // made by the test program's main
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QDir::tempPath()));
    const QString directory = DefaultConfigDirectory();
    QDir::setCurrent(before);
#ifdef __linux__
    EXPECT_EQ(QFileInfo(directory).canonicalFilePath(),
              QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).absolutePath());
#endif
    EXPECT_NE(QFileInfo(directory).canonicalFilePath(),
              QFileInfo(QDir::tempPath()).canonicalFilePath());
}

} // namespace
} // namespace kestrix
