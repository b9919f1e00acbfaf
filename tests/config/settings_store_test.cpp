// The program's own settings store on a Unix system: the user's INI file
// under the configuration folder, and nothing from the system-wide folders.
#include "config/settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#ifndef Q_OS_WIN

namespace kestrix {
namespace {

// Points the user's and the system's configuration folders into a scratch
// folder for as long as it lives. QSettings takes its folders from the
// environment when it is first asked for one, so no other test of this
// program may use the default store before.
class ScratchConfigFolders {
  public:
    ScratchConfigFolders()
        : oldUser_(qgetenv("XDG_CONFIG_HOME")), oldSystem_(qgetenv("XDG_CONFIG_DIRS")) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(user()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(system()));
    }
    ~ScratchConfigFolders() {
        Restore("XDG_CONFIG_HOME", oldUser_);
        Restore("XDG_CONFIG_DIRS", oldSystem_);
    }
    QString user() const { return dir_.filePath(QStringLiteral("user")); }
    QString system() const { return dir_.filePath(QStringLiteral("system")); }

  private:
    static void Restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QTemporaryDir dir_;
    QByteArray oldUser_, oldSystem_;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(SettingsStore, IsTheUsersOwnFileWithNoValueTakenFromTheSystemFolders) {
    const ScratchConfigFolders folders;
    // Every value in the system-wide file: none of them may count.
    WriteFile(folders.system() + QStringLiteral("/Norvale/Kestrix.ini"),
              "[General]\nTop=1\nLeft=2\nWidth=3\nHeight=4\nD_prop=5\nH_prop=6\n"
              "S_TOP=1\nS_cnt=7\nK_cnt=8\n");
    const QString own = folders.user() + QStringLiteral("/Norvale/Kestrix.ini");

    Settings store;
    EXPECT_EQ(store.location(), own);
    EXPECT_FALSE(store.load().keyExists);
    EXPECT_FALSE(QFile::exists(own)) << "loading made the file";

    WriteFile(own, "[General]\nTop=10\nS_TOP=0\n");
    const StoredSettings partial = Settings().load();
    EXPECT_TRUE(partial.keyExists);
    EXPECT_FALSE(partial.top) << "a geometry completed from the system's file";
    EXPECT_EQ(partial.sTop, 0);
    EXPECT_FALSE(partial.sCnt) << "a style taken from the system's file";

    // A save makes the whole file in the user's folder (the folder too).
    ASSERT_TRUE(QDir(folders.user()).removeRecursively());
    SettingsToSave values;
    values.top = 11, values.left = 12, values.width = 13, values.height = 14;
    values.dProp = 15, values.hProp = 16, values.sCnt = 2, values.kCnt = 3;
    values.stayOnTop = true;
    ASSERT_TRUE(Settings().save(values));
    const StoredSettings saved = Settings().load();
    ASSERT_TRUE(saved.hasGeometry());
    EXPECT_EQ((std::vector<int>{*saved.top, *saved.left, *saved.width, *saved.height,
                                saved.dProp.value_or(-1), saved.hProp.value_or(-1),
                                saved.sTop.value_or(-1), saved.sCnt.value_or(-1),
                                saved.kCnt.value_or(-1)}),
              (std::vector<int>{11, 12, 13, 14, 15, 16, 1, 2, 3}));
}

} // namespace
} // namespace kestrix

#endif
