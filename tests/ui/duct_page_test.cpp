// The duct page driven as a user drives it: a style, a flow and Enter, a pick
// in the list, the properties and the clipboard, a typed size in selected-duct
// mode, the splitter, and the messages of the sizing.
//
// The criteria are those of the worked example of the sizing: roughness
// 0.18 mm, 8.0 m/s, 0.10 mmAq/m, aspect limit 4.0, flow 1000 CMH. The values
// of other sizes were worked out by hand from the loss law.

#include "window_fixture.h"

#include "ui/column_list_box.h"
#include "ui/splitter_bar.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

#include <clocale>
#include <cstdio>
#include <string>
#include <utility>

namespace {

// One material name long enough to overflow the condition line's buffer.
QString LongName() {
    return QStringLiteral("A") + QString(130, QChar(0x9577));
}

struct Candidate {
    const char* label; // round labels without their mark
    const char* velocity;
    const char* loss;
    const char* aspect;
    const char* dynamicPressure;
};

const Candidate kWorkedExample[] = {
    {"283", "4.42", "0.099", "1.00", "1.19"},     {"300", "3.93", "0.074", "1.00", "0.94"},
    {"300x300", "3.09", "0.048", "1.00", "0.58"}, {"300x250", "3.70", "0.075", "1.20", "0.84"},
    {"350x200", "3.97", "0.093", "1.75", "0.96"}, {"400x200", "3.47", "0.069", "2.00", "0.74"},
    {"450x200", "3.09", "0.053", "2.25", "0.58"}, {"500x150", "3.70", "0.093", "3.33", "0.84"},
    {"550x150", "3.37", "0.076", "3.67", "0.69"}, {"600x150", "3.09", "0.063", "4.00", "0.58"},
};

// Positions in the style list of the test configuration.
enum Style {
    Standard = 0,
    Pascal = 1,
    ZeroLimits = 2,
    NoMaterial = 3,
    LongMaterial = 4,
    Halves = 5,
    Markup = 6
};

} // namespace

class DuctPageTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<UiFixture> fx;
    std::unique_ptr<WindowUnderTest> w;

    void writeConfig() const {
        const QString name = LongName();
        fx->writeConfig(
            QStringLiteral("ksx_mate.cfg"),
            QStringLiteral(
                ";材料\r\n 1,\"鋼板\",0.18\r\n 2,\"%1\",0.18\r\n 3,\"Grade <A>\",0.18\r\n")
                .arg(name));
        fx->writeConfig(
            QStringLiteral("ksx_mate_e.cfg"),
            QStringLiteral(
                ";materials\r\n 1,\"Steel\",0.18\r\n 2,\"%1\",0.18\r\n 3,\"Grade <A>\",0.18\r\n")
                .arg(name));
        fx->writeConfig(QStringLiteral("KSX_Set1.cfg"),
                        QStringLiteral(" 1,\"標準\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                       " 2,\"パスカル\", 1, 8.0, 1.0, 1, 4.0\r\n"
                                       " 3,\"ゼロ\", 1, 0, 0.10, 0, 4.0\r\n"
                                       " 4,\"材料なし\", 9, 8.0, 0.10, 0, 4.0\r\n"
                                       " 5,\"長い名前\", 2, 8.0, 0.10, 0, 4.0\r\n"
                                       " 6,\"半分\", 1, 2.25, 0.125, 0, 4.0\r\n"
                                       " 7,\"<b>タグ</b>\", 3, 8.0, 0.10, 0, 4.0\r\n"));
        fx->writeConfig(QStringLiteral("KSX_Set1_e.cfg"),
                        QStringLiteral(" 1,\"Standard\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                       " 2,\"Pascal\", 1, 8.0, 1.0, 1, 4.0\r\n"
                                       " 3,\"Zero\", 1, 0, 0.10, 0, 4.0\r\n"
                                       " 4,\"No material\", 9, 8.0, 0.10, 0, 4.0\r\n"
                                       " 5,\"Long name\", 2, 8.0, 0.10, 0, 4.0\r\n"
                                       " 6,\"Halves\", 1, 2.25, 0.125, 0, 4.0\r\n"
                                       " 7,\"<b>Markup</b>\", 3, 8.0, 0.10, 0, 4.0\r\n"));
        fx->writeConfig(QStringLiteral("KSX_Set2.cfg"),
                        QStringLiteral(" 1,\"アネモ型\", 70.0, 3.0\r\n"));
        fx->writeConfig(QStringLiteral("KSX_Set2_e.cfg"),
                        QStringLiteral(" 1,\"Anemo\", 70.0, 3.0\r\n"));
    }

    void open(const QString& language) {
        w.reset();
        w = std::make_unique<WindowUnderTest>(fx->options({language}));
        ShowActive(*w);
        QVERIFY(fx->messages->empty());
    }

    // The style chosen with the keyboard, as a user steps through the list.
    void chooseStyle(int index) {
        w->DuctStyleCB->setFocus();
        while (w->DuctStyleCB->currentIndex() < index)
            QTest::keyClick(w->DuctStyleCB, Qt::Key_Down);
        while (w->DuctStyleCB->currentIndex() > index)
            QTest::keyClick(w->DuctStyleCB, Qt::Key_Up);
    }

    void calculate(const QString& flow) {
        w->Q1->setFocus();
        w->Q1->selectAll();
        QTest::keyClicks(w->Q1, flow);
        QTest::keyClick(w->Q1, Qt::Key_Return);
    }

    QString mark() const { return w->session().diameterMark(); }

    QListWidgetItem* entry(const QString& label) const {
        const QList<QListWidgetItem*> found = w->whl->findItems(label, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }

    QPoint entryCentre(const QString& label) const {
        QListWidgetItem* item = entry(label);
        if (!item) return {};
        w->whl->scrollToItem(item);
        return w->whl->visualItemRect(item).center();
    }

    // A click on an entry of the list.
    void pick(const QString& label) {
        QVERIFY2(entry(label), qPrintable(label));
        QTest::mouseClick(w->whl->viewport(), Qt::LeftButton, {}, entryCentre(label));
    }

    // A real double click: press, release, double click, release.
    static void doubleClick(QWidget* widget) {
        const QPoint p = widget->rect().center();
        QTest::mousePress(widget, Qt::LeftButton, {}, p);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, p);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, p);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, p);
    }

    // Drags the splitter bar by `delta` pixels (positive: down, so the box
    // below gets lower), in steps of one pixel as a slow hand does.
    void dragSplitter(int delta) {
        SplitterBar* bar = w->d_spli;
        const QPoint start = bar->mapToGlobal(QPoint(20, 2));
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(20, 2));
        const int step = delta > 0 ? 1 : -1;
        for (int moved = step; moved != delta + step; moved += step)
            QTest::mouseMove(bar, bar->mapFromGlobal(start + QPoint(0, moved)));
        const QPoint end = bar->mapFromGlobal(start + QPoint(0, delta));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, end);
    }

    // The ink of a field's text as the field shows it, and as the same text
    // in the same font shows with room to spare.
    static std::pair<int, int> ShownAndWholeInk(QLineEdit* field) {
        QImage whole(200, field->height(), QImage::Format_RGB32);
        whole.fill(Qt::white);
        QPainter p(&whole);
        p.setFont(field->font());
        p.setPen(Qt::black);
        p.drawText(whole.rect().adjusted(20, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   field->text());
        p.end();
        return {InkRect(field->grab().toImage(), 128).width(), InkRect(whole, 128).width()};
    }

    void checkProperties(const QStringList& expected) {
        const QList<QLineEdit*> fields{w->E_as, w->E_wv,  w->E_dp, w->E_ap,
                                       w->E_aq, w->E_fai, w->M_wv};
        QCOMPARE(expected.size(), fields.size());
        for (int i = 0; i < fields.size(); ++i)
            QVERIFY2(fields[i]->text() == expected[i],
                     qPrintable(QStringLiteral("%1: %2, expected %3")
                                    .arg(fields[i]->objectName(), fields[i]->text(), expected[i])));
    }

  private slots:
    void init() {
        fx = std::make_unique<UiFixture>();
        writeConfig();
        open(QStringLiteral("/ENG"));
    }
    void cleanup() {
        w.reset();
        QVERIFY2(fx->modalLeftOpen.isEmpty(), qPrintable(fx->modalLeftOpen));
        fx.reset();
    }

    // --- The list -------------------------------------------------------------------

    void workedExampleFillsAlignedLists_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("/ENG");
        QTest::newRow("Japanese") << QStringLiteral("/JPN");
    }
    void workedExampleFillsAlignedLists() {
        QFETCH(QString, language);
        open(language);
        calculate(QStringLiteral("1000"));
        const int n = int(std::size(kWorkedExample));
        QCOMPARE(w->whl->count(), n);
        QCOMPARE(w->ductVelocities().size(), n);
        QCOMPARE(w->ductLosses().size(), n);
        QCOMPARE(w->ductAspects().size(), n);
        QCOMPARE(w->ductDynamicPressures().size(), n);
        for (int i = 0; i < n; ++i) {
            const Candidate& c = kWorkedExample[i];
            QString label = QString::fromLatin1(c.label);
            if (!label.contains(QLatin1Char('x'))) label += mark();
            QCOMPARE(w->whl->item(i)->text(), label);
            QCOMPARE(w->ductVelocities()[i], QString::fromLatin1(c.velocity));
            QCOMPARE(w->ductLosses()[i], QString::fromLatin1(c.loss));
            QCOMPARE(w->ductAspects()[i], QString::fromLatin1(c.aspect));
            QCOMPARE(w->ductDynamicPressures()[i], QString::fromLatin1(c.dynamicPressure));
        }
        QCOMPARE(w->Q3->text(), QStringLiteral("1000"));
        QVERIFY(w->Q1->hasFocus());
        QVERIFY(fx->messages->empty());
    }

    void pickingARectangle() {
        calculate(QStringLiteral("1000"));
        SetClipboard(QStringLiteral("before"));
        pick(QStringLiteral("300x250"));
        QCOMPARE(w->E_w->text(), QStringLiteral("300"));
        QCOMPARE(w->E_h->text(), QStringLiteral("250"));
        QVERIFY(w->E_h->isVisible());
        QCOMPARE(w->xxbn->text(), QStringLiteral("x"));
        QCOMPARE(Clipboard(), QStringLiteral("300x250"));
        QCOMPARE(w->session().ductSizeText, QStringLiteral("300x250"));
        checkProperties({"1.20", "3.70", "0.075", "0.84", "1165", "299", "3.95"});
        // Each result shows whole in its fixed-width field, in the bold font
        // (a line edit scrolls a text too wide for it, and cuts its start).
        for (QLineEdit* f : {w->E_as, w->E_wv, w->E_dp, w->E_ap, w->E_fai, w->M_wv}) {
            const auto [shown, whole] = ShownAndWholeInk(f);
            QVERIFY2(
                shown >= whole - 1,
                qPrintable(
                    QStringLiteral("%1: %2 px of %3").arg(f->objectName()).arg(shown).arg(whole)));
        }
        // E_aq is as wide as its text in the style list's font plus 5 px, and
        // wide enough that its own bold font shows every digit.
        const QString flow = w->E_aq->text();
        QVERIFY(w->E_aq->width() >=
                QFontMetrics(w->DuctStyleCB->font()).horizontalAdvance(flow) + 5);
        QVERIFY(w->E_aq->width() >= w->E_aq->fontMetrics().horizontalAdvance(flow) + 5);
        QVERIFY(w->E_aq->width() < w->E_fai->x() - w->E_aq->x());
        const int narrow = w->E_aq->width();
        calculate(QStringLiteral("1000000"));
        pick(w->whl->item(w->whl->count() - 1)->text());
        QVERIFY(w->E_aq->text().size() > 4);
        QVERIFY(w->E_aq->width() > narrow);
        QVERIFY(w->E_aq->width() >= w->E_aq->fontMetrics().horizontalAdvance(w->E_aq->text()) + 5);
        QVERIFY(fx->messages->empty());
    }

    void pickingARoundSize_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("/ENG");
        QTest::newRow("Japanese") << QStringLiteral("/JPN");
    }
    void pickingARoundSize() {
        QFETCH(QString, language);
        open(language);
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("283") + mark());
        QVERIFY(w->E_h->isHidden());
        QCOMPARE(w->xxbn->text(), mark());
        QCOMPARE(w->E_w->text(), QStringLiteral("283"));
        QCOMPARE(Clipboard(), QStringLiteral("283") + mark());
        checkProperties({"1.00", "4.42", "0.099", "1.19", "1005", "283", "4.42"});
        // Back to a rectangle.
        pick(QStringLiteral("300x300"));
        QVERIFY(w->E_h->isVisible());
        QCOMPARE(w->xxbn->text(), QStringLiteral("x"));
        checkProperties({"1.00", "3.09", "0.048", "0.58", "1491", "328", "3.29"});
    }

    void arrowKeysAndDraggingFollowTheList() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("283") + mark());
        QTest::keyClick(w->whl, Qt::Key_Down);
        QCOMPARE(w->E_w->text(), QStringLiteral("300"));
        QCOMPARE(Clipboard(), QStringLiteral("300") + mark());
        QCOMPARE(w->E_dp->text(), QStringLiteral("0.074"));

        // Pressed on 300x300, dragged over 300x250 to 350x200.
        QWidget* viewport = w->whl->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, entryCentre(QStringLiteral("300x300")));
        QCOMPARE(w->E_h->text(), QStringLiteral("300"));
        QTest::mouseMove(viewport, entryCentre(QStringLiteral("300x250")));
        QCOMPARE(w->E_h->text(), QStringLiteral("250"));
        QCOMPARE(w->E_wv->text(), QStringLiteral("3.70"));
        QTest::mouseMove(viewport, entryCentre(QStringLiteral("350x200")));
        QCOMPARE(w->E_w->text(), QStringLiteral("350"));
        QCOMPARE(w->E_h->text(), QStringLiteral("200"));
        QCOMPARE(w->E_as->text(), QStringLiteral("1.75"));
        QCOMPARE(Clipboard(), QStringLiteral("350x200"));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, entryCentre(QStringLiteral("350x200")));
        // Moving without the button changes nothing.
        QTest::mouseMove(viewport, entryCentre(QStringLiteral("400x200")));
        QCOMPARE(w->E_w->text(), QStringLiteral("350"));
    }

    // The right and middle buttons pick nothing: a right click on the list
    // opens the window's menu and leaves the pick and the clipboard alone.
    void onlyTheLeftButtonPicks() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));
        SetClipboard(QStringLiteral("before"));
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(w->whl->viewport(), button, {},
                              entryCentre(QStringLiteral("350x200")));
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            QCOMPARE(w->whl->selectedItems().size(), 1);
            QCOMPARE(w->whl->selectedItems().first()->text(), QStringLiteral("300x250"));
            QCOMPARE(w->E_w->text(), QStringLiteral("300"));
            QCOMPARE(w->E_h->text(), QStringLiteral("250"));
            QCOMPARE(Clipboard(), QStringLiteral("before"));
        }
        pick(QStringLiteral("350x200"));
        QCOMPARE(Clipboard(), QStringLiteral("350x200"));
    }

    void sizeLabelCopiesAndDoubleClickSwaps() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));
        SetClipboard(QStringLiteral("before"));
        QTest::mouseClick(w->Label7, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("300x250"));
        QVERIFY(w->whl->hasFocus());

        doubleClick(w->Label7);
        QCOMPARE(w->E_w->text(), QStringLiteral("250"));
        QCOMPARE(w->E_h->text(), QStringLiteral("300"));
        QCOMPARE(Clipboard(), QStringLiteral("250x300"));
        // List mode computes nothing again.
        checkProperties({"1.20", "3.70", "0.075", "0.84", "1165", "299", "3.95"});

        // A click on the entry already selected shows it again.
        pick(QStringLiteral("300x250"));
        QCOMPARE(w->E_w->text(), QStringLiteral("300"));
        QCOMPARE(w->E_h->text(), QStringLiteral("250"));
        QCOMPARE(Clipboard(), QStringLiteral("300x250"));

        // A round size only copies.
        pick(QStringLiteral("283") + mark());
        doubleClick(w->Label7);
        QCOMPARE(w->E_w->text(), QStringLiteral("283"));
        QCOMPARE(Clipboard(), QStringLiteral("283") + mark());
    }

    // A press with no entry under it, and Ctrl with the picked entry, leave the
    // pick highlighted in both lists, as the size fields keep showing it.
    void pickStaysHighlighted_data() {
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QString>("press");
        for (const bool terminal : {false, true}) {
            const char* list = terminal ? "hsbox" : "whl";
            for (const char* press :
                 {"unused column", "below the last entry", "Ctrl+click", "Ctrl+Space"})
                QTest::addRow("%s, %s", list, press) << terminal << QString::fromLatin1(press);
        }
    }
    void pickStaysHighlighted() {
        QFETCH(bool, terminal);
        QFETCH(QString, press);
        calculate(QStringLiteral("1000"));
        QListWidget* list = w->whl;
        QLineEdit* width = w->E_w;
        if (terminal) {
            w->PageControl1->setCurrentWidget(w->TabSheet3);
            QTest::mouseClick(w->HSCal, Qt::LeftButton);
            list = w->hsbox;
            width = w->bE_w;
        }
        QListWidgetItem* picked = list->item(0);
        QWidget* viewport = list->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, list->visualItemRect(picked).center());
        const QString size = width->text();
        QVERIFY(!size.isEmpty());

        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        if (press == "Ctrl+click") {
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(picked).center());
        } else if (press == "Ctrl+Space") {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        } else {
            const QPoint at = press == "unused column"
                                  ? QPoint(viewport->width() - 3, 3)
                                  : QPoint(last.center().x(), last.bottom() + last.height());
            QVERIFY2(viewport->rect().contains(at) && !list->indexAt(at).isValid(),
                     "the press must land on blank list space");
            QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        }
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{picked});
        QCOMPARE(width->text(), size);
    }

    // --- Selected-duct mode ----------------------------------------------------------------

    void typingASizeInSelectedDuctMode() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        QVERIFY(w->RBT2->isChecked());
        QVERIFY(w->ductDetailMode());
        QCOMPARE(w->whl->count(), 0);
        QVERIFY(!w->SP1->isEnabled());
        QVERIFY(w->SP2->isEnabled());
        QVERIFY(w->Q1->hasFocus());
        QCOMPARE(w->E_w->text(), QStringLiteral("300"));
        QCOMPARE(w->E_h->text(), QStringLiteral("250"));
        QVERIFY(!w->E_w->isReadOnly() && !w->E_h->isReadOnly());

        // A click selects the width; typing replaces it.
        QTest::mouseClick(w->E_w, Qt::LeftButton);
        QCOMPARE(w->E_w->selectedText(), QStringLiteral("300"));
        QTest::keyClicks(w->E_w, QStringLiteral("350"));
        QCOMPARE(w->E_w->text(), QStringLiteral("350"));
        checkProperties({"1.40", "", "", "", "1422", "322", "3.41"});

        QSignalSpy returned(w->E_w, &QLineEdit::returnPressed);
        QTest::keyClick(w->E_w, Qt::Key_Return);
        QCOMPARE(returned.count(), 0);
        checkProperties({"1.40", "3.17", "0.052", "0.62", "1422", "322", "3.41"});
        QCOMPARE(w->session().ductSizeText, QStringLiteral("350x250"));
        QVERIFY(w->E_w->hasFocus());
        QVERIFY(w->Q3->text() == QStringLiteral("1000")); // only calculating copies

        // Enter in the height field as well.
        QTest::mouseClick(w->E_h, Qt::LeftButton);
        QTest::keyClicks(w->E_h, QStringLiteral("300"));
        QVERIFY(w->E_wv->text().isEmpty());
        QTest::keyClick(w->E_h, Qt::Key_Enter);
        QCOMPARE(w->session().ductSizeText, QStringLiteral("350x300"));
        QVERIFY(!w->E_wv->text().isEmpty());
        QVERIFY(w->E_h->hasFocus());
    }

    void shapeButtonInSelectedDuctMode() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("283") + mark());
        QVERIFY(w->E_h->text().isEmpty());
        // The hint only in selected-duct mode.
        QVERIFY(w->xxbn->toolTip().isEmpty());
        QTest::mouseClick(w->xxbn, Qt::LeftButton); // list mode: nothing
        QVERIFY(w->E_h->isHidden());

        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        QVERIFY(w->SP2->isEnabled());
        QCOMPARE(w->xxbn->toolTip(), QStringLiteral("角・丸入力変換"));
        QTest::mouseClick(w->xxbn, Qt::LeftButton);
        QVERIFY(w->E_h->isVisible());
        QVERIFY(w->E_h->text().isEmpty());
        QCOMPARE(w->xxbn->text(), QStringLiteral("x"));
        QVERIFY(!w->SP2->isEnabled());
        QVERIFY(w->E_aq->text().isEmpty());
        QVERIFY(w->E_fai->text().isEmpty());
        QVERIFY(w->M_wv->text().isEmpty());
        QVERIFY(w->E_w->hasFocus());

        QTest::keyClicks(w->E_h, QStringLiteral("250"));
        QVERIFY(w->SP2->isEnabled());
        checkProperties({"1.13", "", "", "", "1079", "291", "4.19"});

        // Back to round: recalculated at once; the height is kept hidden.
        QTest::mouseClick(w->xxbn, Qt::LeftButton);
        QVERIFY(w->E_h->isHidden());
        QCOMPARE(w->E_h->text(), QStringLiteral("250"));
        QCOMPARE(w->xxbn->text(), mark());
        checkProperties({"1.00", "4.42", "0.099", "1.19", "1005", "283", "4.42"});
        QCOMPARE(w->session().ductSizeText, QStringLiteral("283") + mark());
    }

    // A rectangle left without its height: typing a size or a flow waits for
    // the height, while choosing selected-duct mode asks only for the width
    // and the flow, as on the air-terminal page, and the size is then
    // recalculated as round.
    void rectangleWithoutHeight() {
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        QTest::keyClicks(w->E_w, QStringLiteral("300"));
        QTest::keyClicks(w->Q1, QStringLiteral("0"));
        QVERIFY(!w->SP2->isEnabled());
        // A flow of zero: list mode leaves the size fields as they are.
        QTest::mouseClick(w->RBT1, Qt::LeftButton);
        QCOMPARE(w->E_w->text(), QStringLiteral("300"));
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        QCOMPARE(w->xxbn->text(), QStringLiteral("x"));
        QVERIFY(w->E_h->text().isEmpty());
        QVERIFY(w->SP2->isEnabled());
        QTest::keyClick(w->E_w, Qt::Key_Return);
        QCOMPARE(w->session().ductSizeText, QStringLiteral("300") + mark());
        QTest::keyClicks(w->E_h, QStringLiteral("250"));
        QVERIFY(w->SP2->isEnabled());
    }

    void styleChangeRecalculatesInSelectedDuctMode() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        w->Q1->selectAll();
        QTest::keyClicks(w->Q1, QStringLiteral("500+500"));
        QVERIFY(!w->SP2->isEnabled());
        chooseStyle(Pascal);
        QCOMPARE(w->Q1->text(), QStringLiteral("1000"));
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("500+500"));
        QCOMPARE(w->E_wv->text(), QStringLiteral("3.70"));
        QCOMPARE(w->E_dp->text(), QStringLiteral("0.739"));
        QCOMPARE(w->E_ap->text(), QStringLiteral("8.23"));
        QCOMPARE(w->Label11->text(), QStringLiteral("Dynamic Pr.[Pa]:"));
        QCOMPARE(w->Label12->text(), QStringLiteral("DeltaPr.[Pa/m]:"));
        QCOMPARE(w->whl->count(), 0);
        QCOMPARE(w->session().selectedDuctStyle, int(Pascal));
    }

    void radioButtonsSwitchTheMode() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        // Selected by the program: the handler runs as for a click.
        w->RBT1->setChecked(true);
        QVERIFY(!w->ductDetailMode());
        QVERIFY(w->SP1->isEnabled());
        QVERIFY(!w->SP2->isEnabled());
        QCOMPARE(w->whl->count(), 10);
        QVERIFY(w->E_w->text().isEmpty() && w->E_h->text().isEmpty());
        QVERIFY(w->E_w->isReadOnly() && w->E_h->isReadOnly());
        QVERIFY(w->xxbn->toolTip().isEmpty());

        // An expression in Q1: back in list mode nothing is calculated and the
        // calculate button stays as it was until the flow is edited.
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        w->Q1->selectAll();
        QTest::keyClicks(w->Q1, QStringLiteral("2*500"));
        QTest::mouseClick(w->RBT1, Qt::LeftButton);
        QCOMPARE(w->whl->count(), 0);
        QVERIFY(!w->SP1->isEnabled());
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->whl->count(), 0);
        QTest::keyClick(w->Q1, Qt::Key_Space);
        QVERIFY(w->SP1->isEnabled());
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->Q1->text(), QStringLiteral("1000"));
        QCOMPARE(w->whl->count(), 10);
    }

    void sizeFieldClickCopiesOrSelects_data() {
        QTest::addColumn<bool>("height");
        QTest::newRow("width") << false;
        QTest::newRow("height") << true;
    }
    void sizeFieldClickCopiesOrSelects() {
        QFETCH(bool, height);
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));
        QLineEdit* field = height ? w->E_h : w->E_w;
        const QString text = height ? QStringLiteral("250") : QStringLiteral("300");
        SetClipboard(QStringLiteral("before"));
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(Clipboard(), text);
        QVERIFY(!field->hasSelectedText());

        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        SetClipboard(QStringLiteral("before"));
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(field->selectedText(), text);
        QCOMPARE(Clipboard(), QStringLiteral("before"));
    }

    // --- Property box ------------------------------------------------------------------------

    void propertyFieldsAndLabels() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));

        w->E_as->setFocus();
        QTest::keyClick(w->E_as, Qt::Key_Down);
        QVERIFY(w->E_wv->hasFocus());
        QTest::keyClick(w->E_wv, Qt::Key_Up);
        QVERIFY(w->E_as->hasFocus());

        SetClipboard(QStringLiteral("before"));
        QTest::mouseClick(w->E_dp, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("0.075"));
        QCOMPARE(w->E_dp->selectedText(), QStringLiteral("0.075"));

        SetClipboard(QStringLiteral("before"));
        QTest::mouseClick(w->Label5, Qt::LeftButton);
        QVERIFY(w->E_fai->hasFocus());
        QCOMPARE(w->E_fai->selectedText(), QStringLiteral("299"));
        QCOMPARE(Clipboard(), QStringLiteral("299"));

        // An empty field copies nothing.
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        QTest::mouseClick(w->E_w, Qt::LeftButton);
        QTest::keyClicks(w->E_w, QStringLiteral("400"));
        QVERIFY(w->E_wv->text().isEmpty());
        SetClipboard(QStringLiteral("before"));
        QTest::mouseClick(w->E_wv, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("before"));
    }

    void splitterShowsRowsByHeight() {
        calculate(QStringLiteral("1000"));
        pick(QStringLiteral("300x250"));
        QCOMPARE(w->d_pro->height(), 105);

        dragSplitter(25);
        QCOMPARE(w->d_pro->height(), 80);
        QCOMPARE(w->RBT2->y(), w->d_pro->y());
        for (QWidget* shown : std::initializer_list<QWidget*>{
                 w->Label7, w->E_w, w->xxbn, w->E_h, w->SP2, w->Label9, w->E_as, w->Label10,
                 w->E_wv, w->Label11, w->E_ap, w->Label12, w->E_dp})
            QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
        for (QWidget* hidden : std::initializer_list<QWidget*>{w->Label2, w->E_aq, w->Label5,
                                                               w->E_fai, w->Label6, w->M_wv})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        QCOMPARE(w->E_aq->text(), QStringLiteral("1165")); // hidden rows keep their texts

        dragSplitter(-50);
        QCOMPARE(w->d_pro->height(), 110);
        QVERIFY(w->M_wv->isVisible());

        // Too low for the size row: E_h is hidden although the size is a
        // rectangle, and a recalculation still reads it as one.
        QTest::mouseClick(w->RBT2, Qt::LeftButton);
        dragSplitter(80);
        QCOMPARE(w->d_pro->height(), 30);
        QVERIFY(!w->E_h->isVisible() && !w->E_w->isVisible());
        QCOMPARE(w->xxbn->text(), QStringLiteral("x"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->session().ductSizeText, QStringLiteral("300x250"));
        QCOMPARE(w->E_as->text(), QStringLiteral("1.20"));
        QCOMPARE(w->E_wv->text(), QStringLiteral("3.70"));
        dragSplitter(-75);
        QCOMPARE(w->d_pro->height(), 105);
        QVERIFY(w->E_h->isVisible());
    }

    // Each row appears at its threshold height and vanishes one pixel below.
    void splitterRowThresholds_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("rows");
        for (const auto& [threshold, rows] : {std::pair{102, 5}, std::pair{86, 4}, std::pair{70, 3},
                                              std::pair{54, 2}, std::pair{38, 1}}) {
            QTest::addRow("%d", threshold) << threshold << rows;
            QTest::addRow("%d", threshold - 1) << threshold - 1 << rows - 1;
        }
    }
    void splitterRowThresholds() {
        QFETCH(int, height);
        QFETCH(int, rows);
        QVERIFY(w->d_spli->dragBy(height - w->d_pro->height()));
        QCOMPARE(w->d_pro->height(), height);
        const QList<QList<QWidget*>> table{{w->Label7, w->E_w, w->xxbn, w->E_h, w->SP2},
                                           {w->Label9, w->E_as, w->Label10, w->E_wv},
                                           {w->Label11, w->E_ap, w->Label12, w->E_dp},
                                           {w->Label2, w->E_aq, w->Label5, w->E_fai},
                                           {w->Label6, w->M_wv}};
        for (int row = 0; row < table.size(); ++row)
            for (QWidget* c : table[row])
                QVERIFY2(c->isVisibleTo(w->d_pro) == (row < rows), qPrintable(c->objectName()));
    }

    void enteringThePageFocusesTheFlow() {
        w->PageControl1->setCurrentWidget(w->TabSheet3);
        w->Q3->setFocus();
        w->PageControl1->setCurrentWidget(w->TabSheet1);
        QVERIFY(w->Q1->hasFocus());
    }

    // --- Style choice and messages --------------------------------------------------------

    void conditionLine_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("line");
        const QString ten(10, QLatin1Char(' '));
        QTest::newRow("English, mmAq/m") << "/ENG" << int(Standard)
                                         << QStringLiteral("Condition:") + ten +
                                                QStringLiteral("Steel , 0.10 mmAq/m ,  8.0 m/s");
        QTest::newRow("English, Pa/m")
            << "/ENG" << int(Pascal)
            << QStringLiteral("Condition:") + ten + QStringLiteral("Steel ,  1.0 Pa/m ,  8.0 m/s");
        // A double-byte character counts 2 of the 14 bytes.
        QTest::newRow("Japanese, mmAq/m")
            << "/JPN" << int(Standard)
            << QStringLiteral("選定基準：") + ten + QStringLiteral("鋼板 , 0.10 mmAq/m ,  8.0 m/s");
        QTest::newRow("Japanese, Pa/m")
            << "/JPN" << int(Pascal)
            << QStringLiteral("選定基準：") + ten + QStringLiteral("鋼板 ,  1.0 Pa/m ,  8.0 m/s");
        QTest::newRow("English, no material")
            << "/ENG" << int(NoMaterial)
            << QStringLiteral("Condition:  (no material) , 0.10 mmAq/m ,  8.0 m/s");
        QTest::newRow("Japanese, no material")
            << "/JPN" << int(NoMaterial)
            << QStringLiteral("選定基準：    (材料なし) , 0.10 mmAq/m ,  8.0 m/s");
        // Halves round away from zero, as every number text of the program.
        QTest::newRow("English, halves") << "/ENG" << int(Halves)
                                         << QStringLiteral("Condition:") + ten +
                                                QStringLiteral("Steel , 0.13 mmAq/m ,  2.3 m/s");
        // A name that looks like markup is shown as written, padding and all.
        QTest::newRow("English, markup in the name")
            << "/ENG" << int(Markup)
            << QStringLiteral("Condition:      Grade <A> , 0.10 mmAq/m ,  8.0 m/s");
    }
    void conditionLine() {
        QFETCH(QString, language);
        QFETCH(int, style);
        QFETCH(QString, line);
        open(language);
        chooseStyle(style);
        QCOMPARE(w->Select->text(), line);
        QCOMPARE(w->session().selectedDuctStyle, style);
        QVERIFY(fx->messages->empty());
        // No label guesses markup in what it shows: the names come from files.
        for (const QLabel* label : w->findChildren<QLabel*>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
    }

    // A system whose language writes decimal commas changes no number of the
    // condition lines: they read as in the design, with points.
    void conditionLineIgnoresTheSystemDecimalComma() {
        const std::string before = std::setlocale(LC_NUMERIC, nullptr);
        const char* comma = nullptr;
        for (const char* name :
             {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "German_Germany.1252"}) {
            if (std::setlocale(LC_NUMERIC, name)) {
                comma = name;
                break;
            }
        }
        if (!comma) QSKIP("no locale with a decimal comma is installed");
        char probe[8];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        QCOMPARE(QString::fromLatin1(probe), QStringLiteral("1,5")); // the locale is in force
        open(QStringLiteral("/ENG"));
        chooseStyle(Standard);
        const QString duct = w->Select->text();
        const QString terminal = w->Select2->text();
        std::setlocale(LC_NUMERIC, before.c_str());
        QCOMPARE(duct, QStringLiteral("Condition:") + QString(10, QLatin1Char(' ')) +
                           QStringLiteral("Steel , 0.10 mmAq/m ,  8.0 m/s"));
        QVERIFY2(!terminal.contains(QRegularExpression(QStringLiteral("\\d,\\d"))),
                 qPrintable(terminal));
    }

    // The line is cut to the 255 bytes of its buffer, at a character boundary.
    void longMaterialNameIsCut_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("bytes");
        QTest::newRow("English") << "/ENG" << 254;  // 11 + 1 + 2 x 121
        QTest::newRow("Japanese") << "/JPN" << 255; // 10 + 1 + 2 x 122
    }
    void longMaterialNameIsCut() {
        QFETCH(QString, language);
        QFETCH(int, bytes);
        open(language);
        chooseStyle(LongMaterial);
        const QString text = w->Select->text();
        const std::optional<std::string> cp932 = kestrix::ToCp932(text);
        QVERIFY(cp932);
        QCOMPARE(int(cp932->size()), bytes);
        const QString whole =
            (language == "/ENG" ? QStringLiteral("Condition: ") : QStringLiteral("選定基準：")) +
            LongName() + QStringLiteral(" , 0.10 mmAq/m ,  8.0 m/s");
        QVERIFY(whole.startsWith(text));
        // The style is usable all the same.
        calculate(QStringLiteral("1000"));
        QCOMPARE(w->whl->count(), 10);
    }

    // A result wider than its fixed field (a dynamic pressure in Pa of a fast
    // duct, 207.14) shows from its first digit, as in Windows, not as a tail
    // that reads as another number (07.14). The clipboard has it whole.
    void resultsWiderThanTheirFieldShowTheirStart() {
        chooseStyle(1); // Pa
        w->Q1->setText(QStringLiteral("50000"));
        w->RBT2->click();
        w->E_w->setText(QStringLiteral("150"));
        w->E_h->setText(QStringLiteral("100"));
        QTest::keyClick(w->E_h, Qt::Key_Return);
        int wide = 0;
        for (QLineEdit* f : {w->E_as, w->E_wv, w->E_dp, w->E_ap, w->E_fai, w->M_wv}) {
            QVERIFY(!f->text().isEmpty());
            if (f->fontMetrics().horizontalAdvance(f->text()) <= f->width()) continue;
            ++wide;
            QVERIFY2(f->cursorPosition() == 0, qPrintable(f->objectName() + ": " + f->text()));
        }
        QVERIFY(wide >= 3); // the velocities and the pressures
    }

    // With no entry chosen (as the style editor leaves the list after deleting
    // the chosen style) no slot is read; the criteria in force, shown in the
    // condition line, stay and go on sizing.
    void noStyleSelectedUsesNoSlot() {
        calculate(QStringLiteral("1000"));
        QCOMPARE(w->whl->count(), 10);
        const QString condition = w->Select->text();
        w->DuctStyleCB->setCurrentIndex(-1);
        w->DuctStyleCBChange();
        QCOMPARE(w->session().selectedDuctStyle, -1);
        QCOMPARE(w->Select->text(), condition);
        QCOMPARE(w->whl->count(), 10);
        calculate(QStringLiteral("1000"));
        QCOMPARE(w->whl->count(), 10);
        QVERIFY(fx->messages->empty());
    }

    void sizingMessages_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("flow too big, English") << "/ENG" << int(Standard) << "10000001"
                                               << "Kestrix Error"
                                               << "Flow Rate is too big.";
        QTest::newRow("flow too big, Japanese") << "/JPN" << int(Standard) << "10000001"
                                                << "Kestrix エラー"
                                                << "風量が多すぎます。";
        QTest::newRow("zero limits, English")
            << "/ENG" << int(ZeroLimits) << "1000"
            << "Kestrix Error"
            << "Please correct 'Unit frictional loss' or 'maximum air velocity'";
        QTest::newRow("zero limits, Japanese")
            << "/JPN" << int(ZeroLimits) << "1000"
            << "Kestrix エラー"
            << "単位摩擦損失または、最大風速の値を訂正してください";
        // The limits are tested before the flow.
        QTest::newRow("zero limits and a flow too big")
            << "/ENG" << int(ZeroLimits) << "20000000"
            << "Kestrix Error"
            << "Please correct 'Unit frictional loss' or 'maximum air velocity'";
        QTest::newRow("no material, English")
            << "/ENG" << int(NoMaterial) << "1000"
            << "Kestrix Error"
            << "Please correct the 'Duct Roughness' of the duct material";
        QTest::newRow("no material, Japanese") << "/JPN" << int(NoMaterial) << "1000"
                                               << "Kestrix エラー"
                                               << "ダクト材質の内面粗度の値を訂正してください";
    }
    void sizingMessages() {
        QFETCH(QString, language);
        QFETCH(int, style);
        QFETCH(QString, flow);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        open(language);
        chooseStyle(style);
        QVERIFY(fx->messages->empty());
        calculate(flow);
        QCOMPARE(fx->messages->size(), size_t(1));
        const MessageRequest& box = fx->messages->front();
        QCOMPARE(box.kind, MessageKind::Error);
        QCOMPARE(box.caption, caption);
        QCOMPARE(box.text, text);
        QCOMPARE(w->whl->count(), 0);
        QVERIFY(w->ductVelocities().isEmpty() && w->ductDynamicPressures().isEmpty());
    }

    void largestFlowIsSized() {
        calculate(QStringLiteral("10000000"));
        QVERIFY(fx->messages->empty());
        QVERIFY(w->whl->count() > 3);
        QCOMPARE(w->ductVelocities().size(), w->whl->count());
        QCOMPARE(w->ductDynamicPressures().size(), w->whl->count());
        const int last = w->whl->count() - 1;
        QVERIFY(w->whl->item(last)->text().contains(QLatin1Char('x')));
        // The last entry picked by the keyboard.
        w->whl->setFocus();
        QTest::keyClick(w->whl, Qt::Key_End);
        QCOMPARE(w->session().ductSizeText, w->whl->item(last)->text());
        QCOMPARE(w->E_wv->text(), w->ductVelocities()[last]);
    }
};

QTEST_MAIN(DuctPageTest)
#include "duct_page_test.moc"
