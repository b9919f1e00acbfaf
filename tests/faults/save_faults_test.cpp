// Saves under fire. The style editor's Save and the settings store are made
// to fail at every byte offset of the write (disk full), at the flush to the
// disk, at the rename and at the flush of the folder; after each, the file is
// byte for byte the old one or the new one, the failure is reported, and the
// window runs on with the edits applied. Then a saving process is killed at
// random moments: the files are always whole, old or new, and the next
// successful save leaves no temporary file behind.
//
// KESTRIX_FAULT_STRIDE=N fails the write at every Nth offset only (CI);
// KESTRIX_KILLS sets the number of kills, KESTRIX_KILL_SEED their moments.

#include "tests/faults/fault_shim.h"
#include "tests/ui/window_fixture.h"

#include "config/config_messages.h"
#include "config/config_writer.h"
#include "ui/style_editor.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QThread>

#include <cstring>

using faults::Fault;

namespace {

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray Joined(const std::vector<std::string>& lines) {
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes.append(line.data(), qsizetype(line.size())).append("\r\n");
    return bytes;
}

struct Injection {
    Fault fault;
    long offset;
    QString name() const {
        static const char* const names[] = {"none", "write", "file sync", "rename", "folder sync"};
        return QString::fromLatin1(names[int(fault)]) +
               (fault == Fault::Write ? QStringLiteral(" at byte %1").arg(offset) : QString());
    }
};

// Every byte offset of a file of `size` bytes (every stride-th), then the
// three single faults.
std::vector<Injection> Injections(qsizetype size) {
    std::vector<Injection> list;
    for (long offset = 0; offset < size; offset += EnvInt("KESTRIX_FAULT_STRIDE", 1))
        list.push_back({Fault::Write, offset});
    for (const Fault fault : {Fault::FileSync, Fault::Rename, Fault::FolderSync})
        list.push_back({fault, 0});
    return list;
}

// Answers every message box that opens, and remembers its text.
class BoxAnswerer {
  public:
    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.append(box->text());
                box->accept();
            }
        });
        timer_.start(5);
    }
    QStringList texts;

  private:
    QTimer timer_;
};

// Two large tables of 64 duct styles that differ in every row.
kestrix::DuctStyleTable LargeTable(char mark) {
    kestrix::DuctStyleTable table{};
    for (size_t k = 0; k < table.size(); ++k) {
        table[k] = {"Style " + std::to_string(k) + " " + std::string(100, mark),
                    "1",
                    mark == 'a' ? "8.0" : "12.5",
                    "0.10",
                    "0",
                    "4.0"};
    }
    return table;
}

kestrix::SettingsToSave SettingsValues(int n) {
    kestrix::SettingsToSave v;
    v.top = 100 + n;
    v.left = 200 + n;
    v.width = 524 + n;
    v.height = 400 + n;
    v.dProp = 108;
    v.hProp = 120 + n;
    v.sCnt = n % 3;
    v.kCnt = n % 2;
    v.stayOnTop = n % 2;
    return v;
}

// The saving process of the kill test: saves the two large tables and two
// sets of settings in turn until it is killed.
[[noreturn]] void SaveForEver(const QString& folder) {
    const std::vector<std::string> a =
        kestrix::DuctStyleFileLines(LargeTable('a'), kestrix::Language::English).lines;
    const std::vector<std::string> b =
        kestrix::DuctStyleFileLines(LargeTable('b'), kestrix::Language::English).lines;
    kestrix::Settings settings(folder + QStringLiteral("/Kestrix.ini"));
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (int n = 0;; ++n) {
        kestrix::WriteConfigLines(folder, "KSX_Set1_e.cfg", n % 2 ? b : a);
        settings.save(SettingsValues(n % 2));
    }
}

} // namespace

class SaveFaultsTest : public QObject {
    Q_OBJECT

  private slots:
    void styleSaveSurvivesEveryFault();
    void settingsSaveSurvivesEveryFault();
    void killedSavesLeaveOldOrNewFiles();
};

void SaveFaultsTest::styleSaveSurvivesEveryFault() {
    UiFixture fx;
    fx.watchdog.stop(); // the boxes are answered below
    fx.writeStandardConfig();
    const QString path = fx.dir.filePath(QStringLiteral("KSX_Set1_e.cfg"));
    MainWindow window(fx.options());
    faults::Watch(QFile::encodeName(fx.dir.path()).toStdString());
    BoxAnswerer boxes;

    // The size of the new file, for the offsets.
    const qsizetype size =
        Joined(
            kestrix::DuctStyleFileLines(window.ductStyleTable(), kestrix::Language::English).lines)
            .size();
    int round = 0;
    const std::vector<Injection> injections = Injections(size);
    qInfo("%zu injections into a style file of %lld bytes", injections.size(), qlonglong(size));
    for (const Injection& injection : injections) {
        const QByteArray before = FileBytes(path);
        const QString velocity = QStringLiteral("%1.5").arg(++round % 90 + 1);
        kestrix::StyleEditor editor(window);
        editor.show();
        editor.findChild<QLineEdit*>("DVV")->setText(velocity);
        boxes.texts.clear();
        faults::Arm(injection.fault, injection.offset);
        QTest::mouseClick(editor.findChild<QPushButton*>("Set_Save"), Qt::LeftButton);
        const int hits = faults::Hits();
        faults::Disarm();

        const QByteArray after = FileBytes(path);
        const QByteArray written = Joined(
            kestrix::DuctStyleFileLines(window.ductStyleTable(), kestrix::Language::English).lines);
        const QString where = injection.name();
        QVERIFY2(hits > 0, qPrintable(where + ": the fault was never reached"));
        QVERIFY2(after == before || after == written,
                 qPrintable(where + ": the file is neither old nor new"));
        QVERIFY2(boxes.texts == QStringList{QString::fromStdString(
                                    kestrix::SaveFailureMessage("KSX_Set1_e.cfg"))},
                 qPrintable(where + ": " + boxes.texts.join(QLatin1Char('|'))));
        QCOMPARE(window.ductStyleTable()[0].velocity, velocity.toStdString());
        QVERIFY(fx.exits->empty());
        QVERIFY2(QDir(fx.dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty(),
                 qPrintable(where + ": a temporary file is left"));
    }
    // And the edits can still be saved.
    kestrix::StyleEditor editor(window);
    editor.show();
    boxes.texts.clear();
    QTest::mouseClick(editor.findChild<QPushButton*>("Set_Save"), Qt::LeftButton);
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(FileBytes(path),
             Joined(kestrix::DuctStyleFileLines(window.ductStyleTable(), kestrix::Language::English)
                        .lines));
}

void SaveFaultsTest::settingsSaveSurvivesEveryFault() {
    QTemporaryDir dir, reference;
    const QString path = dir.filePath(QStringLiteral("Kestrix.ini"));
    faults::Watch(QFile::encodeName(dir.path()).toStdString());
    QVERIFY(kestrix::Settings(path).save(SettingsValues(0)));
    QVERIFY(kestrix::Settings(reference.filePath(QStringLiteral("Kestrix.ini")))
                .save(SettingsValues(1)));
    const QByteArray newBytes = FileBytes(reference.filePath(QStringLiteral("Kestrix.ini")));

    const std::vector<Injection> injections = Injections(newBytes.size());
    qInfo("%zu injections into a settings file of %lld bytes", injections.size(),
          qlonglong(newBytes.size()));
    for (const Injection& injection : injections) {
        // Back to the old values first, so that every save changes the file.
        QVERIFY(kestrix::Settings(path).save(SettingsValues(0)));
        const QByteArray before = FileBytes(path);
        bool saved = true;
        int hits = 0;
        {
            kestrix::Settings settings(path);
            faults::Arm(injection.fault, injection.offset);
            saved = settings.save(SettingsValues(1));
            hits = faults::Hits();
            faults::Disarm();
        }
        const QByteArray after = FileBytes(path);
        const QString where = injection.name();
        QVERIFY2(hits > 0, qPrintable(where + ": the fault was never reached"));
        QVERIFY2(after == before || after == newBytes,
                 qPrintable(where + ": the file is neither old nor new: " + after));
        QVERIFY2(!saved, qPrintable(where + ": reported as saved"));
    }
}

void SaveFaultsTest::killedSavesLeaveOldOrNewFiles() {
    QTemporaryDir dir;
    const QString style = dir.filePath(QStringLiteral("KSX_Set1_e.cfg"));
    const QString ini = dir.filePath(QStringLiteral("Kestrix.ini"));
    const QByteArray a =
        Joined(kestrix::DuctStyleFileLines(LargeTable('a'), kestrix::Language::English).lines);
    const QByteArray b =
        Joined(kestrix::DuctStyleFileLines(LargeTable('b'), kestrix::Language::English).lines);
    QTemporaryDir reference;
    QByteArray settingsBytes[2];
    for (int n = 0; n < 2; ++n) {
        const QString file = reference.filePath(QStringLiteral("s%1.ini").arg(n));
        QVERIFY(kestrix::Settings(file).save(SettingsValues(n)));
        settingsBytes[n] = FileBytes(file);
    }

    const quint32 seed = quint32(EnvInt("KESTRIX_KILL_SEED", 20));
    QRandomGenerator random(seed);
    const int kills = EnvInt("KESTRIX_KILLS", 100);
    qInfo("%d kills, seed %u, style file of %lld bytes", kills, seed, qlonglong(a.size()));
    for (int k = 0; k < kills; ++k) {
        QProcess saver;
        saver.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--saver"), dir.path()});
        QVERIFY(saver.waitForReadyRead(10000));
        QThread::usleep(random.bounded(1000u, 40000u));
        saver.kill();
        QVERIFY(saver.waitForFinished(10000));
        const QByteArray styleBytes = FileBytes(style);
        const QByteArray iniBytes = FileBytes(ini);
        const QString where = QStringLiteral("seed %1, kill %2").arg(seed).arg(k);
        QVERIFY2(styleBytes == a || styleBytes == b, qPrintable(where + ": style file torn"));
        QVERIFY2(iniBytes == settingsBytes[0] || iniBytes == settingsBytes[1] ||
                     (k == 0 && iniBytes == "<missing>"),
                 qPrintable(where + ": settings file torn"));
    }
    // The next successful saves clean up after the killed ones.
    QVERIFY(kestrix::WriteConfigLines(
                dir.path(), "KSX_Set1_e.cfg",
                kestrix::DuctStyleFileLines(LargeTable('a'), kestrix::Language::English).lines)
                .saved);
    QVERIFY(kestrix::Settings(ini).save(SettingsValues(0)));
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QCOMPARE(left, (QStringList{QStringLiteral("KSX_Set1_e.cfg"), QStringLiteral("Kestrix.ini")}));
}

int main(int argc, char* argv[]) {
    if (argc == 3 && std::strcmp(argv[1], "--saver") == 0) {
        QCoreApplication app(argc, argv);
        SaveForEver(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    SaveFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "save_faults_test.moc"
