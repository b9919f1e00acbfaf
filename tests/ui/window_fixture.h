#pragma once

// Shared set-up of the window tests: a temporary directory with the
// configuration files and the settings file, a window whose message boxes and
// process exit are recorded, and a watchdog against modal boxes left open.

#include "config/codepage.h"
#include "config/settings.h"
#include "ui/column_list_box.h"
#include "ui/duct_page.h"
#include "ui/main_window.h"
#include "ui/sizing_session.h"
#include "ui/splitter_bar.h"
#include "ui/terminal_page.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QSettings>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <vector>

// The clipboard's text, as the handlers leave it.
inline QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}
inline void SetClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

// The bounding box of the pixels of an image darker than a grey level: where
// its text is drawn. Empty when nothing is that dark.
inline QRect InkRect(const QImage& image, int darkerThan) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < darkerThan) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Shows the window and waits until it is exposed and active.
inline void ShowActive(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The main window with its controls found by objectName, as an outside tool
// finds them; the names are the window's automation contract.
class WindowUnderTest : public MainWindow {
  public:
    explicit WindowUnderTest(MainWindowOptions options = {}) : MainWindow(std::move(options)) {}

    template <typename T> T* control(const char* name) const {
        T* found = findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }

    // The frame.
    QTabWidget* PageControl1 = control<QTabWidget>("PageControl1");
    QWidget* TabSheet1 = control<QWidget>("TabSheet1");
    QWidget* TabSheet3 = control<QWidget>("TabSheet3");
    kestrix::DuctPage* ductPage = control<kestrix::DuctPage>("TabSheet1");
    kestrix::TerminalPage* terminalPage = control<kestrix::TerminalPage>("TabSheet3");
    QWidget* BottomPanel = control<QWidget>("BottomPanel");
    QLabel* air_b = control<QLabel>("air_b");
    QLabel* air_f = control<QLabel>("air_f");
    QMenu* PopupMenu1 = control<QMenu>("PopupMenu1");
    QAction* topview = control<QAction>("topview");
    QAction* about = control<QAction>("about");
    QAction* ductSystem = control<QAction>("ductSystem");
    // The duct page.
    QFrame* Panel1 = control<QFrame>("Panel1");
    QLabel* Label1 = control<QLabel>("Label1");
    QLineEdit* Q1 = control<QLineEdit>("Q1");
    QPushButton* SP1 = control<QPushButton>("SP1");
    QFrame* Shape1 = control<QFrame>("Shape1");
    QLabel* Select = control<QLabel>("Select");
    QPushButton* Set_Button1 = control<QPushButton>("Set_Button1");
    QComboBox* DuctStyleCB = control<QComboBox>("DuctStyleCB");
    QRadioButton* RBT1 = control<QRadioButton>("RBT1");
    QGroupBox* GroupBox3 = control<QGroupBox>("GroupBox3");
    ColumnListBox* whl = control<ColumnListBox>("whl");
    SplitterBar* d_spli = control<SplitterBar>("d_spli");
    QGroupBox* d_pro = control<QGroupBox>("d_pro");
    QRadioButton* RBT2 = control<QRadioButton>("RBT2");
    QLabel* Label7 = control<QLabel>("Label7");
    QLineEdit* E_w = control<QLineEdit>("E_w");
    QToolButton* xxbn = control<QToolButton>("xxbn");
    QLineEdit* E_h = control<QLineEdit>("E_h");
    QPushButton* SP2 = control<QPushButton>("SP2");
    QLabel* Label9 = control<QLabel>("Label9");
    QLineEdit* E_as = control<QLineEdit>("E_as");
    QLabel* Label10 = control<QLabel>("Label10");
    QLineEdit* E_wv = control<QLineEdit>("E_wv");
    QLabel* Label11 = control<QLabel>("Label11");
    QLineEdit* E_ap = control<QLineEdit>("E_ap");
    QLabel* Label12 = control<QLabel>("Label12");
    QLineEdit* E_dp = control<QLineEdit>("E_dp");
    QLabel* Label2 = control<QLabel>("Label2");
    QLineEdit* E_aq = control<QLineEdit>("E_aq");
    QLabel* Label5 = control<QLabel>("Label5");
    QLineEdit* E_fai = control<QLineEdit>("E_fai");
    QLabel* Label6 = control<QLabel>("Label6");
    QLineEdit* M_wv = control<QLineEdit>("M_wv");
    // The air-terminal page.
    QFrame* Panel5 = control<QFrame>("Panel5");
    QLabel* Label4 = control<QLabel>("Label4");
    QLineEdit* Q3 = control<QLineEdit>("Q3");
    QPushButton* HSCal = control<QPushButton>("HSCal");
    QFrame* Shape2 = control<QFrame>("Shape2");
    QLabel* Select2 = control<QLabel>("Select2");
    QPushButton* Set_Button2 = control<QPushButton>("Set_Button2");
    QComboBox* KiguStyleCB = control<QComboBox>("KiguStyleCB");
    QRadioButton* bRB1 = control<QRadioButton>("bRB1");
    QGroupBox* GroupBox9 = control<QGroupBox>("GroupBox9");
    ColumnListBox* hsbox = control<ColumnListBox>("hsbox");
    SplitterBar* h_spli = control<SplitterBar>("h_spli");
    QGroupBox* h_pro = control<QGroupBox>("h_pro");
    QRadioButton* bRB2 = control<QRadioButton>("bRB2");
    QLabel* Label15 = control<QLabel>("Label15");
    QLineEdit* bE_w = control<QLineEdit>("bE_w");
    QToolButton* xxbn2 = control<QToolButton>("xxbn2");
    QLineEdit* bE_h = control<QLineEdit>("bE_h");
    QPushButton* BP2 = control<QPushButton>("BP2");
    QLabel* Label18 = control<QLabel>("Label18");
    QLineEdit* hsk = control<QLineEdit>("hsk");
    QLabel* Label25 = control<QLabel>("Label25");
    QLineEdit* hsv = control<QLineEdit>("hsv");
    QLabel* l_hm = control<QLabel>("l_hm");
    QLineEdit* hsj = control<QLineEdit>("hsj");
    QLabel* l_ym = control<QLabel>("l_ym");
    QLineEdit* hsy = control<QLineEdit>("hsy");
    QLabel* Label3 = control<QLabel>("Label3");
    QLineEdit* haq = control<QLineEdit>("haq");

    // Columns of the candidates the session holds.
    template <typename Record, typename Field>
    static QStringList column(const std::vector<Record>& records, Field field) {
        QStringList out;
        for (const Record& r : records)
            out << r.*field;
        return out;
    }
    QStringList ductVelocities() {
        return column(session().ductCandidates, &kestrix::DuctSizeCandidate::velocity);
    }
    QStringList ductLosses() {
        return column(session().ductCandidates, &kestrix::DuctSizeCandidate::frictionLoss);
    }
    QStringList ductAspects() {
        return column(session().ductCandidates, &kestrix::DuctSizeCandidate::aspectRatio);
    }
    QStringList ductDynamicPressures() {
        return column(session().ductCandidates, &kestrix::DuctSizeCandidate::dynamicPressure);
    }
    QStringList terminalFaceVelocities() {
        return column(session().terminalCandidates, &kestrix::TerminalSizeCandidate::faceVelocity);
    }
    bool ductDetailMode() { return session().ductMode == kestrix::SizingMode::Detail; }
    bool terminalDetailMode() { return session().terminalMode == kestrix::SizingMode::Detail; }
};

// The settings store of the program, watching the order of the writes.
class RecordingSettings : public kestrix::Settings {
  public:
    RecordingSettings(const QString& path, std::shared_ptr<QStringList> log)
        : kestrix::Settings(path), log_(std::move(log)) {}

  protected:
    void writeInt(const QString& name, int value) override {
        log_->append(name);
        kestrix::Settings::writeInt(name, value);
    }

  private:
    std::shared_ptr<QStringList> log_;
};

struct UiFixture {
    QTemporaryDir dir;
    QString settingsPath;
    std::shared_ptr<QStringList> writeLog = std::make_shared<QStringList>();
    std::shared_ptr<std::vector<MessageRequest>> messages =
        std::make_shared<std::vector<MessageRequest>>();
    std::shared_ptr<std::vector<int>> exits = std::make_shared<std::vector<int>>();
    QTimer watchdog;
    QString modalLeftOpen;

    UiFixture() {
        settingsPath = dir.filePath(QStringLiteral("settings/Kestrix.ini"));
        // A modal box would block the test forever: close it and fail.
        QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalLeftOpen = modal->windowTitle();
                modal->close();
            }
        });
        watchdog.start(100);
    }

    // Writes a file of the configuration directory; Unicode text goes to
    // code page 932 as the program's files are.
    void writeConfig(const QString& name, const QString& text) const {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(name));
        const std::optional<std::string> bytes = kestrix::ToCp932(text);
        if (!bytes) qFatal("not code page 932: %s", qPrintable(name));
        f.write(bytes->data(), qint64(bytes->size()));
    }

    // Three duct styles (the second in Pa/m), two materials and two air-terminal
    // styles, in both languages.
    void writeStandardConfig() const {
        writeConfig(QStringLiteral("ksx_mate.cfg"),
                    QStringLiteral(";材料\r\n 1,\"亜鉛鉄板\",0.15\r\n 2,\"ステンレス\",0.05\r\n"));
        writeConfig(QStringLiteral("ksx_mate_e.cfg"),
                    QStringLiteral(";materials\r\n 1,\"Steel\",0.15\r\n 2,\"Stainless\",0.05\r\n"));
        writeConfig(QStringLiteral("KSX_Set1.cfg"),
                    QStringLiteral(" 1,\"低速ダクト\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                   " 2,\"高速ダクト\", 1,15.0, 1.00, 1, 4.0\r\n"
                                   " 3,\"ｽﾃﾝﾚｽ\", 2, 6.0, 0.08, 0, 3.0\r\n"));
        writeConfig(QStringLiteral("KSX_Set1_e.cfg"),
                    QStringLiteral(" 1,\"Low velocity\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                   " 2,\"High velocity\", 1,15.0, 1.00, 1, 4.0\r\n"
                                   " 3,\"Stainless\", 2, 6.0, 0.08, 0, 3.0\r\n"));
        writeConfig(QStringLiteral("KSX_Set2.cfg"),
                    QStringLiteral(" 1,\"アネモ型\", 70.0, 3.0\r\n 2,\"グリル\", 80.0, 2.0\r\n"));
        writeConfig(QStringLiteral("KSX_Set2_e.cfg"),
                    QStringLiteral(" 1,\"Anemo\", 70.0, 3.0\r\n 2,\"Grille\", 80.0, 2.0\r\n"));
    }

    // Stored values: an int is written as a number, anything else as text.
    void writeSettings(const QVariantMap& values) const {
        QSettings s(settingsPath, QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            s.setValue(it.key(), it.value());
        s.sync();
    }

    MainWindowOptions options(const QStringList& arguments = {QStringLiteral("/ENG")}) const {
        MainWindowOptions o;
        o.arguments = arguments;
        o.configDirectory = dir.path();
        const QString path = settingsPath;
        const auto log = writeLog;
        o.settingsFactory = [path, log] { return std::make_unique<RecordingSettings>(path, log); };
        o.systemJapanese = false;
        const auto m = messages;
        o.showMessage = [m](const MessageRequest& r) { m->push_back(r); };
        const auto e = exits;
        o.exitProcess = [e](int status) { e->push_back(status); };
        return o;
    }

    QStringList messageTexts() const {
        QStringList out;
        for (const MessageRequest& r : *messages)
            out << r.text;
        return out;
    }
};
