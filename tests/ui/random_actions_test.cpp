// Random but legal user actions on the real window, the style editor and the
// name dialog, from one seed. After every step: no modal box stays open once
// answered, a candidate list that shows entries has as many in each of its
// hidden lists, the style files
// hold what they held unless Save was pressed, and then exactly what the
// writer makes of the tables shown. At the end the window is closed: the
// process ends with status 1 and the nine settings are written.
//
// KESTRIX_RANDOM_SEED and KESTRIX_RANDOM_ACTIONS choose the run; a failure
// names its seed and step, and the same seed repeats the same actions.

#include "tests/ui/typing.h"
#include "tests/ui/window_fixture.h"

#include "config/config_paths.h"
#include "config/config_writer.h"
#include "ui/column_list_box.h"
#include "ui/splitter_bar.h"
#include "ui/style_editor.h"
#include "ui/style_name_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <map>
#include <random>

namespace {

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Joined(const std::vector<std::string>& lines) {
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes.append(line.data(), qsizetype(line.size())).append("\r\n");
    return bytes;
}

const QStringList kFlows = {"1000", "1200*3", "a = 850",  "a*2",    "sqrt(2)*450",
                            "0",    "-5",     "1e9",      "abc",    "",
                            "(1+",  "350",    "99999999", "log(0)", "2^1024"};
const QStringList kSizes = {"300", "250", "0", "", "x", "1500", "12.5", "-1", "99999"};
const QStringList kFieldTexts = {"8.0", "0.1", "4",   "",   "abc", "1e3",
                                 "0",   "70",  "3.5", "-2", "1,5"};
const QStringList kNames = {"Quiet",  "Fast", "Low velocity", "",
                            "   ",    "a\"b", "静音",         QString(140, QLatin1Char('n')),
                            "Grille", "x,y",  "\xe2\x82\xac"};

class RandomActions {
  public:
    RandomActions(UiFixture& fx, WindowUnderTest& w, quint32 seed, int actions)
        : fx_(fx), w_(w), seed_(seed), actions_(actions), random_(seed) {
        for (const char* name :
             {"KSX_Set1.cfg", "KSX_Set1_e.cfg", "KSX_Set2.cfg", "KSX_Set2_e.cfg"})
            expected_[name] = FileBytes(fx_.dir.filePath(QString::fromLatin1(name)));
    }

    // Runs the actions; empty when every invariant held, else what broke.
    QString run() {
        QTimer::singleShot(0, &w_, [this] { step(); });
        while (!finished_)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return problem_;
    }

  private:
    int pick(int n) { return n <= 0 ? 0 : int(random_() % unsigned(n)); }
    template <typename List> auto pickFrom(const List& list) {
        return list[pick(int(list.size()))];
    }

    void fail(const QString& what) {
        if (problem_.isEmpty())
            problem_ = QStringLiteral("seed %1, step %2: %3; last actions: %4")
                           .arg(seed_)
                           .arg(done_)
                           .arg(what, log_.join(QStringLiteral(" | ")));
    }

    void step() {
        checkInvariants();
        if (done_ >= actions_ || !problem_.isEmpty()) return unwind();
        ++done_;
        // Armed before the action: an action that opens a modal dialog runs
        // its loop, and the next step runs inside it.
        QTimer::singleShot(0, &w_, [this] { step(); });
        QWidget* modal = QApplication::activeModalWidget();
        if (log_.size() == 8) log_.removeFirst();
        log_.append(modal ? QString::fromLatin1(modal->metaObject()->className())
                          : QStringLiteral("window"));
        ++counts[log_.last()];
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            answered_ = box;
            const QList<QAbstractButton*> buttons = box->buttons();
            QTest::mouseClick(pickFrom(buttons), Qt::LeftButton);
        } else if (auto* dialog = qobject_cast<kestrix::StyleNameDialog*>(modal)) {
            nameDialogAction(dialog);
        } else if (auto* editor = qobject_cast<kestrix::StyleEditor*>(modal)) {
            editorAction(editor);
        } else if (modal) {
            qobject_cast<QDialog*>(modal) ? qobject_cast<QDialog*>(modal)->reject()
                                          : void(modal->close());
        } else {
            windowAction();
        }
    }

    // Closes what is open, then the window.
    void unwind() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                box->button(QMessageBox::No) ? box->button(QMessageBox::No)->click()
                                             : box->accept();
            else if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            QTimer::singleShot(0, &w_, [this] { unwind(); });
            return;
        }
        finished_ = true;
    }

    void typeInto(QLineEdit* field, const QString& text) {
        log_.last() += QLatin1Char(' ') + field->objectName() + QLatin1Char('=') + text;
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        TypeText(field, text);
    }

    void click(QAbstractButton* button) {
        log_.last() += QLatin1Char(' ') + button->objectName();
        if (button->isEnabled() && button->isVisible()) QTest::mouseClick(button, Qt::LeftButton);
    }

    void choose(QComboBox* combo) {
        if (combo->count() == 0) return;
        const int index = pick(combo->count());
        log_.last() += QStringLiteral(" %1:%2").arg(combo->objectName()).arg(index);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void windowAction() {
        const bool duct = pick(2) == 0;
        switch (pick(12)) {
        case 0:
        case 1:
            w_.PageControl1->setCurrentIndex(duct ? 0 : 1);
            typeInto(duct ? w_.Q1 : w_.Q3, pickFrom(kFlows));
            QTest::keyClick(duct ? w_.Q1 : w_.Q3, Qt::Key_Return);
            break;
        case 2: {
            QListWidget* list = duct ? static_cast<QListWidget*>(w_.whl) : w_.hsbox;
            if (list->count() == 0) break;
            QListWidgetItem* item = list->item(pick(list->count()));
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
            break;
        }
        case 3:
            w_.PageControl1->setCurrentIndex(pick(2));
            break;
        case 4:
            click(pick(2) ? (duct ? w_.RBT1 : w_.bRB1) : (duct ? w_.RBT2 : w_.bRB2));
            break;
        case 5:
            click(duct ? w_.xxbn : w_.xxbn2);
            break;
        case 6:
            typeInto(duct ? w_.E_w : w_.bE_w, pickFrom(kSizes));
            if ((duct ? w_.E_h : w_.bE_h)->isVisible())
                typeInto(duct ? w_.E_h : w_.bE_h, pickFrom(kSizes));
            click(duct ? w_.SP2 : w_.BP2);
            break;
        case 7:
            choose(duct ? w_.DuctStyleCB : w_.KiguStyleCB);
            break;
        case 8:
            (duct ? w_.d_spli : w_.h_spli)->dragBy(pick(121) - 60);
            break;
        case 9:
            w_.resize(300 + pick(700), 300 + pick(600));
            break;
        case 10:
            (pick(2) ? w_.topview : w_.about)->trigger();
            break;
        default:
            w_.PageControl1->setCurrentIndex(duct ? 0 : 1);
            click(duct ? w_.Set_Button1 : w_.Set_Button2);
            break;
        }
    }

    void editorAction(kestrix::StyleEditor* e) {
        switch (pick(10)) {
        case 0:
            click(e->findChild<QPushButton*>("New_Style"));
            break;
        case 1:
            click(e->findChild<QPushButton*>("Rname_Style"));
            break;
        case 2:
            click(e->findChild<QPushButton*>("Del_Style"));
            break;
        case 3:
            choose(pick(2) ? e->findChild<QComboBox*>("StyleCB")
                           : e->findChild<QComboBox*>("ZLIST"));
            break;
        case 4:
        case 5: {
            QList<QLineEdit*> fields;
            for (QLineEdit* f :
                 {e->findChild<QLineEdit*>("DVV"), e->findChild<QLineEdit*>("DPP"),
                  e->findChild<QLineEdit*>("MASP"), e->findChild<QLineEdit*>("e_hkr"),
                  e->findChild<QLineEdit*>("e_hdv")})
                if (f && f->isVisible() && f->isEnabled() && !f->isReadOnly()) fields.append(f);
            if (!fields.isEmpty()) typeInto(pickFrom(fields), pickFrom(kFieldTexts));
            break;
        }
        case 6:
            click(pick(2) ? e->findChild<QRadioButton*>("Rd_SI_1")
                          : e->findChild<QRadioButton*>("Rd_SI_2"));
            break;
        case 7:
            click(e->findChild<QPushButton*>("Set_Btn"));
            break;
        case 8: {
            // The files are checked once Save is over: what the writer makes
            // of the tables the window then shows, or the old bytes if the
            // writer refused them.
            saving_ = true;
            const bool terminal = w_.editingTerminalStyles();
            click(e->findChild<QPushButton*>("Set_Save"));
            saving_ = false;
            ++saves;
            const kestrix::Language ja = kestrix::CurrentLanguage();
            const kestrix::StyleFileLines lines =
                terminal ? kestrix::TerminalStyleFileLines(w_.session().terminalStyles, ja)
                         : kestrix::DuctStyleFileLines(w_.session().ductStyles, ja);
            if (lines.ok())
                expected_[std::string(kestrix::StyleFileName(
                    terminal ? kestrix::StyleKind::Terminal : kestrix::StyleKind::Duct, ja))] =
                    Joined(lines.lines);
            break;
        }
        default:
            click(e->findChild<QPushButton*>("BtnCancel"));
            break;
        }
    }

    void nameDialogAction(kestrix::StyleNameDialog* d) {
        if (pick(4) != 0) typeInto(d->findChild<QLineEdit*>("name"), pickFrom(kNames));
        click(pick(5) ? d->findChild<QPushButton*>("Button1")
                      : d->findChild<QPushButton*>("Button2"));
    }

    void checkInvariants() {
        if (answered_ && answered_ == QApplication::activeModalWidget())
            fail(QStringLiteral("a message box stayed open after its answer"));
        answered_ = nullptr;
        // Entering detail mode empties only the visible list; nothing reads
        // the hidden ones until the next calculation empties them too.
        const int n = w_.whl->count();
        if (n > 0 && (w_.ductVelocities().size() != n || w_.ductLosses().size() != n ||
                      w_.ductAspects().size() != n || w_.ductDynamicPressures().size() != n))
            fail(QStringLiteral("the duct lists differ in length: %1 %2 %3 %4 %5")
                     .arg(n)
                     .arg(w_.ductVelocities().size())
                     .arg(w_.ductLosses().size())
                     .arg(w_.ductAspects().size())
                     .arg(w_.ductDynamicPressures().size()));
        if (w_.hsbox->count() > 0 && w_.terminalFaceVelocities().size() != w_.hsbox->count())
            fail(QStringLiteral("the air-terminal lists differ in length"));
        if (!fx_.exits->empty()) fail(QStringLiteral("the program ended"));
        if (saving_) return;
        for (const auto& [name, bytes] : expected_) {
            if (FileBytes(fx_.dir.filePath(QString::fromStdString(name))) != bytes)
                fail(QString::fromStdString(name) + QStringLiteral(" is not what it should be"));
        }
    }

    UiFixture& fx_;
    WindowUnderTest& w_;
    quint32 seed_;
    int actions_;
    std::mt19937 random_;
    int done_ = 0;
    bool finished_ = false;
    bool saving_ = false;
    QPointer<QWidget> answered_;
    QString problem_;
    QStringList log_; // the last actions, for the report of a failure

  public:
    std::map<QString, int> counts; // actions per window or dialog
    int saves = 0;

  private:
    std::map<std::string, QByteArray> expected_;
};

} // namespace

class RandomActionsTest : public QObject {
    Q_OBJECT

  private slots:
    void randomActionsKeepTheInvariants() {
        const auto seed = quint32(EnvInt("KESTRIX_RANDOM_SEED", 1));
        const int actions = EnvInt("KESTRIX_RANDOM_ACTIONS", 2000);
        for (const QString& language : {QStringLiteral("/ENG"), QStringLiteral("/JPN")}) {
            UiFixture fx;
            fx.watchdog.stop(); // the actions answer every box themselves
            fx.writeStandardConfig();
            WindowUnderTest w(fx.options({language}));
            ShowActive(w);
            RandomActions run(fx, w, seed, actions / 2);
            const QString problem = run.run();
            QVERIFY2(problem.isEmpty(), qPrintable(language + QLatin1Char(' ') + problem));

            w.close();
            QCOMPARE(*fx.exits, std::vector<int>{1});
            QCOMPARE(fx.writeLog->size(), 9);
            const kestrix::StoredSettings stored = kestrix::Settings(fx.settingsPath).load();
            QVERIFY(stored.hasGeometry() && stored.hProp && stored.kCnt);
            QCOMPARE(*stored.width, w.width());
            QString kinds;
            for (const auto& [kind, count] : run.counts)
                kinds += QStringLiteral(" %1 %2").arg(kind).arg(count);
            qInfo("%s: %d actions from seed %u:%s, %d saves", qPrintable(language), actions / 2,
                  seed, qPrintable(kinds), run.saves);
        }
    }
};

QTEST_MAIN(RandomActionsTest)
#include "random_actions_test.moc"
