#include "config/config_messages.h"
#include "config/config_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

TEST(ConfigMessages, TextsOfBothLanguages) {
    struct Case {
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {ErrorCaption(true), "Kestrix エラー"},
        {ErrorCaption(false), "Kestrix Error"},
        {MissingFileMessage("KSX_Set1.cfg", true),
         "必要なﾌｧｲﾙ[KSX_Set1.cfg]が見つかりません。\n起動できません。"},
        {MissingFileMessage("ksx_mate_e.cfg", false),
         "need files-[ksx_mate_e.cfg] are not found.\nCan not start."},
        {BadRowNumberMessage(ConfigFile::DuctStyles, true),
         "ﾀﾞｸﾄ選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。"},
        {BadRowNumberMessage(ConfigFile::DuctStyles, false),
         "Duct selection style number is illegitimate. Effective value 64 is from 1."},
        {BadRowNumberMessage(ConfigFile::Materials, true),
         "材料ﾃﾞｰﾀ番号が不正です。有効な値は 1～64 です。"},
        {BadRowNumberMessage(ConfigFile::Materials, false),
         "Material data number is illegitimate. Effective value 64 is from 1."},
        {BadRowNumberMessage(ConfigFile::TerminalStyles, true),
         "器具選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。"},
        {BadRowNumberMessage(ConfigFile::TerminalStyles, false),
         "Diffuser style number is illegitimate. Effective value 64 is from 1."},
        {StyleNotRegisteredMessage(StyleKind::Duct, true), "ﾀﾞｸﾄ選定ｽﾀｲﾙが登録されていません。"},
        {StyleNotRegisteredMessage(StyleKind::Duct, false),
         "Duct selection style is not registered."},
        {StyleNotRegisteredMessage(StyleKind::Terminal, true),
         "器具選定スタイルが登録されていません。"},
        {StyleNotRegisteredMessage(StyleKind::Terminal, false),
         "Diffuser selection style is not registered."},
        {SaveFailureMessage("KSX_Set2_e.cfg"), "ﾌｧｲﾙ[KSX_Set2_e.cfg]を保存できません."},
        {SaveFailureCaption(), "Kestrix ｴﾗｰ"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

TEST(ConfigPaths, FileNamesByKindAndLanguage) {
    EXPECT_EQ(ConfigFileName(ConfigFile::Materials, true), "ksx_mate.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::Materials, false), "ksx_mate_e.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::DuctStyles, true), "KSX_Set1.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::DuctStyles, false), "KSX_Set1_e.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::TerminalStyles, true), "KSX_Set2.cfg");
    EXPECT_EQ(ConfigFileName(ConfigFile::TerminalStyles, false), "KSX_Set2_e.cfg");
    EXPECT_EQ(StyleFileName(StyleKind::Duct, false), "KSX_Set1_e.cfg");
    EXPECT_EQ(StyleFileName(StyleKind::Terminal, true), "KSX_Set2.cfg");
}

TEST(ConfigPaths, PathIsDirectorySlashBareName) {
    EXPECT_EQ(ConfigFilePath("/opt/kestrix", "KSX_Set1.cfg"), "/opt/kestrix/KSX_Set1.cfg");
    EXPECT_EQ(ConfigFilePath("/opt/kestrix/", "KSX_Set1.cfg"), "/opt/kestrix/KSX_Set1.cfg");
    EXPECT_EQ(ConfigFilePath("C:\\Kestrix\\", "ksx_mate.cfg"), "C:\\Kestrix\\ksx_mate.cfg");
}

TEST(ConfigPaths, DefaultDirectoryIsTheExecutablesNotTheCurrentOne) {
    int argc = 1;
    char name[] = "config_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
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
