// The duct-system window: opened from the main window's menu without
// blocking it, sections added and edited as a tree with results beside each,
// the critical path highlighted, problems named by section without losing
// the edits, and the file saved and read back.

#include "ui/duct_system_window.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

#ifdef __linux__
#include <sys/stat.h>
#endif

using kestrix::DuctSystemWindow;

class DuctSystemWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UiFixture> fx;
    std::unique_ptr<WindowUnderTest> w;
    DuctSystemWindow* sys = nullptr;
    QStringList shown;

    QTreeWidgetItem* Item(const QString& id) {
        const auto found = sys->findChild<QTreeWidget*>("systemTree")
                               ->findItems(id, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    // The window menu's entry, as automation finds it.
    QAction* SystemAction() { return w->findChild<QAction*>(QStringLiteral("ductSystem")); }
    void Click(const char* name) {
        QTest::mouseClick(sys->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    QString Problems() { return sys->findChild<QPlainTextEdit*>("systemProblems")->toPlainText(); }

  private slots:
    void init() {
        fx = std::make_unique<UiFixture>();
        fx->writeStandardConfig();
        w = std::make_unique<WindowUnderTest>(fx->options());
        ShowActive(*w);
        shown.clear();
        QCOMPARE(SystemAction()->text(), QStringLiteral("Duct &system…"));
        QVERIFY(!w->findChild<DuctSystemWindow*>()); // made only when asked for
        SystemAction()->trigger();
        sys = w->findChild<DuctSystemWindow*>("DuctSystemWindow");
        QVERIFY(sys && sys->isVisible());
        QVERIFY(!sys->isModal() && w->isEnabled());
        sys->messageSink = [this](const QString& text) { shown << text; };
    }
    void cleanup() {
        w.reset();
        QVERIFY2(fx->modalLeftOpen.isEmpty(), qPrintable(fx->modalLeftOpen));
        fx.reset();
    }

    void editsRecalculateAndMarkTheCriticalPath() {
        // Fan section 1 with two terminals below it.
        Click("systemAdd");
        Click("systemAddBelow");
        QTreeWidgetItem* fan = Item("1");
        QTreeWidgetItem* t2 = Item("2");
        QVERIFY(fan && t2 && t2->parent() == fan);
        QVERIFY(Problems().contains(
            QStringLiteral("section \"2\": it is a terminal and gives no flow")));
        t2->setText(DuctSystemWindow::Flow, QStringLiteral("1000"));
        sys->findChild<QTreeWidget*>("systemTree")->setCurrentItem(fan);
        Click("systemAddBelow");
        QTreeWidgetItem* t3 = Item("3");
        t3->setText(DuctSystemWindow::Flow, QStringLiteral("400"));
        t3->setText(DuctSystemWindow::FixedLoss, QStringLiteral("50"));
        QCOMPARE(Problems(), QString());
        QCOMPARE(fan->text(DuctSystemWindow::ResultFlow), QStringLiteral("1400"));
        QVERIFY(!t2->text(DuctSystemWindow::Velocity).isEmpty());
        // The terminal with the 50 Pa damper needs the most: its path is the
        // critical one and the fan pressure is its path's pressure.
        QCOMPARE(sys->findChild<QLabel*>("systemFanPressure")->text(),
                 t3->text(DuctSystemWindow::PathPressure) + " Pa");
        QCOMPARE(t3->text(DuctSystemWindow::Surplus), QStringLiteral("0.0"));
        QVERIFY(t3->background(0) != QBrush() && fan->background(0) != QBrush());
        QCOMPARE(t2->background(0), QBrush());
        // Inputs take typing; results do not.
        auto* tree = sys->findChild<QTreeWidget*>("systemTree");
        tree->editItem(t2, DuctSystemWindow::Velocity);
        QVERIFY(!tree->findChild<QLineEdit*>());
        tree->editItem(t2, DuctSystemWindow::Length);
        QLineEdit* editor = tree->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Escape);

        // A problem names its section; the typed values stay.
        t3->setText(DuctSystemWindow::Length, QStringLiteral("-4"));
        QVERIFY(Problems().contains(QStringLiteral("section \"3\": length -4 m is out of range")));
        QCOMPARE(t3->text(DuctSystemWindow::Velocity), QString());
        QCOMPARE(t3->text(DuctSystemWindow::FixedLoss), QStringLiteral("50"));
        t3->setText(DuctSystemWindow::Length, QStringLiteral("4"));
        QCOMPARE(Problems(), QString());

        // Moving 3 under 2 makes 2 a branch whose flow is the sum.
        sys->findChild<QTreeWidget*>("systemTree")->setCurrentItem(t3);
        Click("systemIndent");
        QCOMPARE(t3->parent(), t2);
        QVERIFY(Problems().contains(QStringLiteral("section \"2\": its flow 1000 differs")));
        t2->setText(DuctSystemWindow::Flow, QString());
        QCOMPARE(t2->text(DuctSystemWindow::ResultFlow), QStringLiteral("400"));
    }

    // The window's own words come from the language chosen at start-up, the
    // round-size mark and the typed shape names included.
    void wordsFollowTheLanguage_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("sectionHeader");
        QTest::addColumn<QString>("roundShape");
        QTest::addColumn<QString>("roundMark");
        QTest::newRow("English") << "/ENG"
                                 << "Duct system"
                                 << "Section"
                                 << "round"
                                 << "\u03a6";
        QTest::newRow("Japanese") << "/JPN"
                                  << "ダクト系統"
                                  << "区間"
                                  << "丸"
                                  << "\u03c6";
    }
    void wordsFollowTheLanguage() {
        QFETCH(QString, argument);
        QFETCH(QString, roundShape);
        w.reset();
        w = std::make_unique<WindowUnderTest>(fx->options({argument}));
        ShowActive(*w);
        SystemAction()->trigger();
        sys = w->findChild<DuctSystemWindow*>("DuctSystemWindow");
        QVERIFY(sys);
        QTEST(sys->windowTitle(), "title");
        auto* tree = sys->findChild<QTreeWidget*>("systemTree");
        QTEST(tree->headerItem()->text(DuctSystemWindow::Id), "sectionHeader");
        // A rectangular system whose one terminal is typed round by name.
        sys->findChild<QComboBox*>("systemShape")->setCurrentIndex(1);
        Click("systemAdd");
        Item("1")->setText(DuctSystemWindow::Flow, QStringLiteral("500"));
        Item("1")->setText(DuctSystemWindow::Shape, roundShape);
        QVERIFY(sys->currentSystem().system.sections.at(0).shape == kestrix::DuctShape::Round);
        QFETCH(QString, roundMark);
        QVERIFY2(Item("1")->text(DuctSystemWindow::ResultSize).endsWith(roundMark),
                 qPrintable(Item("1")->text(DuctSystemWindow::ResultSize)));
    }

#ifdef __linux__
    // A save or an export onto something that is no file (a link to a pipe,
    // as a link to /dev/null would be) says so and leaves it a pipe; opening
    // it says so too instead of waiting for a writer.
    void whatIsNoFileIsNeitherReplacedNorRead() {
        Click("systemAdd");
        Item("1")->setText(DuctSystemWindow::Flow, QStringLiteral("500"));
        QVERIFY(sys->lastResult().ok());
        const QString pipe = fx->dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString link = fx->dir.filePath(QStringLiteral("system.json"));
        QVERIFY(QFile::link(QStringLiteral("pipe"), link));
        QVERIFY(!sys->saveFile(link));
        QVERIFY(!sys->exportFile(pipe, true));
        QCOMPARE(shown,
                 QStringList({QStringLiteral("Cannot save ") + link +
                                  QStringLiteral("\nIt is not a file, and is left as it is."),
                              QStringLiteral("Cannot save ") + pipe +
                                  QStringLiteral("\nIt is not a file, and is left as it is.")}));
        QVERIFY(!sys->openFile(link));
        QCOMPARE(shown.last(),
                 QStringLiteral("Cannot open ") + link + QStringLiteral("\nIt is not a file."));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(pipe).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
    }
#endif

    void savesAndReadsBackAndRefusesACycle() {
        Click("systemAdd");
        Click("systemAddBelow");
        Item("2")->setText(DuctSystemWindow::Flow, QStringLiteral("800"));
        Item("2")->setText(DuctSystemWindow::Fittings, QStringLiteral("0.2; elbow=0.17"));
        const QString path = fx->dir.filePath(QStringLiteral("system.json"));
        QVERIFY(sys->saveFile(path));
        const std::string saved = kestrix::WriteSystemJson(sys->currentSystem());
        // A save that cannot be made says so.
        QVERIFY(!sys->saveFile(fx->dir.filePath(QStringLiteral("no-such-folder/system.json"))));
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.takeFirst().startsWith(QStringLiteral("Cannot save ")));
        Click("systemRemove");
        QVERIFY(sys->openFile(path));
        QCOMPARE(kestrix::WriteSystemJson(sys->currentSystem()), saved);
        QCOMPARE(Item("2")->text(DuctSystemWindow::Fittings), QStringLiteral("0.2; elbow=0.17"));

        // What a file holds comes back when the window saves it.
        QFile full(fx->dir.filePath(QStringLiteral("full.json")));
        QVERIFY(full.open(QIODevice::WriteOnly));
        full.write(R"({"units": "mmAq", "friction_law": "colebrook", "material": 2,
            "limits": {"velocity": 7.25, "loss": 0.085, "aspect": 3.5}, "max_height": 300,
            "air": {"temperature": 30, "pressure": 95.5}, "sections": [
            {"id": "F", "length": 1}, {"id": "T", "upstream": "F", "length": 2.5, "flow": 900,
             "shape": "rectangular", "max_height": 250, "fittings": [-0.1], "fixed_loss": 2}]})");
        full.close();
        QVERIFY(sys->openFile(full.fileName()));
        const QString again = fx->dir.filePath(QStringLiteral("again.json"));
        QVERIFY(sys->saveFile(again));
        QFile reread(again);
        QVERIFY(reread.open(QIODevice::ReadOnly));
        const kestrix::SystemFileResult back =
            kestrix::ReadSystemJson(reread.readAll().toStdString());
        QVERIFY(full.open(QIODevice::ReadOnly));
        const kestrix::SystemFileResult original =
            kestrix::ReadSystemJson(full.readAll().toStdString());
        QVERIFY(back.ok && original.ok);
        QCOMPARE(kestrix::WriteSystemJson(back.file), kestrix::WriteSystemJson(original.file));
        QVERIFY(sys->openFile(path));

        QFile cycle(fx->dir.filePath(QStringLiteral("cycle.json")));
        QVERIFY(cycle.open(QIODevice::WriteOnly));
        cycle.write(
            R"({"sections": [{"id": "f", "length": 1}, {"id": "a", "upstream": "b", "length": 1},
                       {"id": "b", "upstream": "a", "length": 1, "flow": 5}]})");
        cycle.close();
        QVERIFY(!sys->openFile(cycle.fileName()));
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(
            QStringLiteral("section \"a\": its upstream sections run in a circle")));
        QCOMPARE(kestrix::WriteSystemJson(sys->currentSystem()), saved);

        // A chain deeper than a tree view can nest is refused too.
        QByteArray chain = R"({"sections": [{"id": "0", "length": 1})";
        for (int i = 1; i <= 1000; ++i)
            chain += QStringLiteral(R"(, {"id": "%1", "upstream": "%2", "length": 1%3})")
                         .arg(i)
                         .arg(i - 1)
                         .arg(i == 1000 ? QStringLiteral(", \"flow\": 100") : QString())
                         .toUtf8();
        QFile deep(fx->dir.filePath(QStringLiteral("deep.json")));
        QVERIFY(deep.open(QIODevice::WriteOnly));
        deep.write(chain + "]}");
        deep.close();
        QVERIFY(!sys->openFile(deep.fileName()));
        QVERIFY(shown.last().contains(QStringLiteral("more than 1000 sections deep")));
        QCOMPARE(kestrix::WriteSystemJson(sys->currentSystem()), saved);
    }
};

QTEST_MAIN(DuctSystemWindowTest)
#include "duct_system_window_test.moc"
