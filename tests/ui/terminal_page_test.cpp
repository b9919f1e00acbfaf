// The air-terminal page driven as a user drives it: the flow field, the
// calculate button, the candidate list, the two modes, the size fields with
// their shape button, the labels that copy, the styles and their messages.

#include "window_fixture.h"

#include "config/config_paths.h"
#include "ui/column_list_box.h"
#include "ui/splitter_bar.h"
#include "ui/style_editor.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <cmath>
#include <numbers>

namespace {

// Entry k of the style list stands for style k + 1 of the file.
enum Style { Anemo, Grille, Fine, Odd, Broken, Closed, Half };

QString Fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace

class TerminalPageTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<UiFixture> fx;
    std::unique_ptr<WindowUnderTest> w;

    void writeTerminalStyles() const {
        const QString styles = QStringLiteral(" 1,\"Anemo\", 70.0, 3.0\r\n"
                                              " 2,\"Grille\", 80.0, 2.0\r\n"
                                              " 3,\"Fine\", 12.5, 3.0\r\n"
                                              " 4,\"Odd\", 72.6, 3.0\r\n"
                                              " 5,\"Broken\", abc, 2.0\r\n"
                                              " 6,\"Closed\", 0, 3.0\r\n"
                                              " 7,\"Half\", 50.0, 2.25\r\n");
        fx->writeConfig(QStringLiteral("KSX_Set2_e.cfg"), styles);
        fx->writeConfig(QStringLiteral("KSX_Set2.cfg"), styles);
    }

    void open(const QStringList& arguments) {
        w.reset();
        w = std::make_unique<WindowUnderTest>(fx->options(arguments));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QVERIFY(fx->messages->empty());
        w->PageControl1->setCurrentWidget(w->TabSheet3);
    }

    // The user picks a style from the drop-down list.
    void chooseStyle(int index) {
        w->KiguStyleCB->setCurrentIndex(index);
        emit w->KiguStyleCB->activated(index);
    }

    void calculate(const QString& flow) {
        w->Q3->clear();
        QTest::keyClicks(w->Q3, flow);
        QTest::keyClick(w->Q3, Qt::Key_Return);
    }

    QListWidgetItem* item(const QString& label) const {
        const QList<QListWidgetItem*> found = w->hsbox->findItems(label, Qt::MatchExactly);
        return found.size() == 1 ? found.first() : nullptr;
    }

    QPoint itemCentre(const QString& label) const {
        QListWidgetItem* it = item(label);
        if (!it) return {-1, -1};
        w->hsbox->scrollToItem(it);
        return w->hsbox->visualItemRect(it).center();
    }

    void clickItem(const QString& label) {
        const QPoint at = itemCentre(label);
        QVERIFY2(at.x() >= 0, qPrintable(label));
        QTest::mouseClick(w->hsbox->viewport(), Qt::LeftButton, {}, at);
    }

    // A real double click: press, release, double click, release.
    void doubleClick(QWidget* target) {
        QTest::mouseClick(target, Qt::LeftButton);
        QTest::mouseDClick(target, Qt::LeftButton);
        QTest::mouseRelease(target, Qt::LeftButton);
    }

    QStringList labels() const {
        QStringList out;
        for (int i = 0; i < w->hsbox->count(); ++i)
            out << w->hsbox->item(i)->text();
        return out;
    }

  private slots:
    void init() {
        fx = std::make_unique<UiFixture>();
        fx->writeStandardConfig();
        writeTerminalStyles();
        open({QStringLiteral("/ENG")});
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() {
        w.reset();
        QVERIFY2(fx->modalLeftOpen.isEmpty(), qPrintable(fx->modalLeftOpen));
        fx.reset();
    }

    void workedExample() {
        QCOMPARE(w->Select2->text(),
                 QStringLiteral("Condition: Free Area -  70 %, Velocity -   3.0 m/s"));
        QTest::keyClicks(w->Q3, QStringLiteral("1000"));
        QVERIFY(w->HSCal->isEnabled());
        QTest::mouseClick(w->HSCal, Qt::LeftButton);
        QCOMPARE(w->hsy->text(), QStringLiteral("0.093"));
        QCOMPARE(w->hsj->text(), QStringLiteral("0.132"));
        QCOMPARE(w->hsk->text(), QStringLiteral("70"));
        QCOMPARE(w->Q1->text(), QStringLiteral("1000"));
        QVERIFY(w->Q3->hasFocus());
        QCOMPARE(w->Q3->selectedText(), QStringLiteral("1000"));

        const QStringList expectedLabels = {
            "450Φ",     "400x400",  "400x350",  "450x300",  "500x300",  "550x250",
            "600x250",  "650x250",  "700x200",  "750x200",  "800x200",  "850x200",
            "900x150",  "950x150",  "1000x150", "1050x150", "1100x150", "1150x150",
            "1200x150", "1250x150", "1300x150", "1350x100"};
        const QStringList expectedVelocities = {
            "2.50", "2.48", "2.83", "2.94", "2.65", "2.89", "2.65", "2.44", "2.83", "2.65", "2.48",
            "2.33", "2.94", "2.78", "2.65", "2.52", "2.41", "2.30", "2.20", "2.12", "2.04", "2.94"};
        QCOMPARE(labels(), expectedLabels);
        QCOMPARE(w->terminalFaceVelocities(), expectedVelocities);
        QVERIFY(fx->messages->empty());
    }

    void onlyTheLeftButtonPicks() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        SetClipboard(QStringLiteral("before"));
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(w->hsbox->viewport(), button, {},
                              itemCentre(QStringLiteral("450x300")));
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            QCOMPARE(w->hsbox->selectedItems().size(), 1);
            QCOMPARE(w->hsbox->selectedItems().first()->text(), QStringLiteral("400x350"));
            QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
            QCOMPARE(Clipboard(), QStringLiteral("before"));
        }
        clickItem(QStringLiteral("450x300"));
        QCOMPARE(Clipboard(), QStringLiteral("2.94"));
    }

    void pickingCandidates() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("350"));
        QVERIFY(w->bE_h->isVisible());
        QCOMPARE(w->xxbn2->text(), QStringLiteral("x"));
        QCOMPARE(Clipboard(), QStringLiteral("2.83")); // the velocity, not the size
        QCOMPARE(w->hsv->text(), QStringLiteral("2.83"));
        QCOMPARE(w->haq->text(), QStringLiteral("1058"));
        QCOMPARE(w->hsk->text(), QStringLiteral("70"));
        QVERIFY(w->bE_w->isReadOnly());

        clickItem(QStringLiteral("450Φ"));
        QCOMPARE(w->bE_w->text(), QStringLiteral("450"));
        QVERIFY(!w->bE_h->isVisible());
        QCOMPARE(w->xxbn2->text(), QStringLiteral("Φ"));
        QCOMPARE(Clipboard(), QStringLiteral("2.50"));
        QCOMPARE(w->haq->text(), QStringLiteral("1202"));
        QTest::mouseClick(w->Label15, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("450Φ"));

        // Clicking the entry already chosen copies again.
        SetClipboard(QStringLiteral("other"));
        clickItem(QStringLiteral("450Φ"));
        QCOMPARE(Clipboard(), QStringLiteral("2.50"));

        // Arrow keys move the choice.
        QTest::keyClick(w->hsbox, Qt::Key_Down);
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("400"));
        QVERIFY(w->bE_h->isVisible());
        QCOMPARE(w->haq->text(), QStringLiteral("1209"));
        QCOMPARE(Clipboard(), QStringLiteral("2.48"));
    }

    void draggingAlongTheList() {
        calculate(QStringLiteral("1000"));
        QTest::mousePress(w->hsbox->viewport(), Qt::LeftButton, {},
                          itemCentre(QStringLiteral("400x400")));
        QCOMPARE(w->bE_h->text(), QStringLiteral("400"));
        QTest::mouseMove(w->hsbox->viewport(), itemCentre(QStringLiteral("400x350")));
        QCOMPARE(w->bE_h->text(), QStringLiteral("350"));
        QCOMPARE(w->hsv->text(), QStringLiteral("2.83"));
        QCOMPARE(w->haq->text(), QStringLiteral("1058"));
        QTest::mouseMove(w->hsbox->viewport(), itemCentre(QStringLiteral("450x300")));
        QTest::mouseRelease(w->hsbox->viewport(), Qt::LeftButton, {},
                            itemCentre(QStringLiteral("450x300")));
        QCOMPARE(w->bE_w->text(), QStringLiteral("450"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("300"));
        QCOMPARE(Clipboard(), QStringLiteral("2.94"));
    }

    void japaneseConditionLineAndDiameterMark() {
        open({QStringLiteral("/JPN")});
        QCOMPARE(w->Select2->text(),
                 QStringLiteral("選定基準： 開口率･･･  70 % , 面風速･･･   3.0 m/s"));
        calculate(QStringLiteral("1000"));
        QCOMPARE(w->hsbox->item(0)->text(), QStringLiteral("450φ"));
        clickItem(QStringLiteral("450φ"));
        QCOMPARE(w->bE_w->text(), QStringLiteral("450"));
        QCOMPARE(w->xxbn2->text(), QStringLiteral("φ"));
        QVERIFY(!w->bE_h->isVisible());
        QTest::mouseClick(w->Label15, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("450φ"));
    }

    // The condition line cuts the percent, the ratio field rounds it.
    void conditionPercentAgainstRatioField_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("ratio");
        QTest::newRow("12.5 %") << int(Fine) << "Condition: Free Area -  12 %, Velocity -   3.0 m/s"
                                << "13";
        QTest::newRow("72.6 %") << int(Odd) << "Condition: Free Area -  73 %, Velocity -   3.0 m/s"
                                << "73";
        QTest::newRow("70 %") << int(Anemo) << "Condition: Free Area -  70 %, Velocity -   3.0 m/s"
                              << "70";
        // The velocity's half rounds away from zero, as on the duct page.
        QTest::newRow("2.25 m/s") << int(Half)
                                  << "Condition: Free Area -  50 %, Velocity -   2.3 m/s"
                                  << "50";
    }
    void conditionPercentAgainstRatioField() {
        QFETCH(int, style);
        QFETCH(QString, condition);
        QFETCH(QString, ratio);
        chooseStyle(Grille); // start from another style
        calculate(QStringLiteral("1000"));
        chooseStyle(style);
        QCOMPARE(w->Select2->text(), condition);
        QCOMPARE(w->hsk->text(), ratio);
        QVERIFY(w->hsbox->count() > 0);
        QVERIFY(fx->messages->empty());
    }

    // A new style in list mode sizes again at once; the picked candidate's
    // texts stay because the flow text does not change.
    void styleChangeInListModeKeepsThePickedTexts() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QSignalSpy flowChanged(w->Q3, &QLineEdit::textChanged);
        chooseStyle(Grille);
        QCOMPARE(flowChanged.count(), 0);
        QCOMPARE(w->Q3->text(), QStringLiteral("1000"));
        const double effective = 1000.0 / 3600 / 2.0;
        QCOMPARE(w->hsy->text(), Fixed(effective, 3));
        QCOMPARE(w->hsj->text(), Fixed(effective / 0.8, 3));
        QCOMPARE(w->hsk->text(), QStringLiteral("80"));
        QCOMPARE(w->terminalFaceVelocities().size(), w->hsbox->count());
        QVERIFY(!item(QStringLiteral("400x350"))); // a list of the new style
        QCOMPARE(w->hsv->text(), QStringLiteral("2.83"));
        QCOMPARE(w->haq->text(), QStringLiteral("1058"));
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("350"));
        // A second press with the same flow does the same.
        chooseStyle(Anemo);
        clickItem(QStringLiteral("400x350"));
        w->hsy->clear();
        QTest::mouseClick(w->HSCal, Qt::LeftButton);
        QCOMPARE(w->hsy->text(), QStringLiteral("0.093"));
        QCOMPARE(w->hsv->text(), QStringLiteral("2.83"));
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
        QCOMPARE(w->hsbox->count(), 22);
    }

    void styleChangeInDetailModeRecomputesTheTypedSize() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        QVERIFY(w->bRB2->isChecked());
        chooseStyle(Grille);
        QCOMPARE(w->hsk->text(), QStringLiteral("80"));
        QCOMPARE(w->hsv->text(), Fixed(1000.0 / 3600 / (0.4 * 0.35) / 0.8, 2));
        QCOMPARE(w->haq->text(),
                 QString::number(std::trunc(0.4 * 0.35 * 3600 * 0.8 * 2.0 + 0.0000001)));
        QCOMPARE(w->hsbox->count(), 0);
        QVERIFY(w->bE_w->hasFocus());
    }

    void detailModeKeepsTheSizeAndEmptiesTheList() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        QVERIFY(w->terminalDetailMode());
        QCOMPARE(w->hsbox->count(), 0);
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("350"));
        QVERIFY(!w->bE_w->isReadOnly() && !w->bE_h->isReadOnly());
        QVERIFY(!w->HSCal->isEnabled());
        QVERIFY(w->BP2->isEnabled());
        QVERIFY(w->Q3->hasFocus());
        for (QWidget* hidden : std::initializer_list<QWidget*>{w->l_hm, w->l_ym, w->hsj, w->hsy})
            QVERIFY(!hidden->isVisible());
        QVERIFY(!w->xxbn2->toolTip().isEmpty());

        QTest::mouseClick(w->bRB1, Qt::LeftButton);
        QVERIFY(!w->terminalDetailMode());
        QCOMPARE(w->hsbox->count(), 22); // calculated again
        QVERIFY(w->HSCal->isEnabled());
        QVERIFY(!w->BP2->isEnabled());
        QVERIFY(w->bE_w->isReadOnly() && w->bE_h->isReadOnly());
        for (QWidget* shown : std::initializer_list<QWidget*>{w->l_hm, w->l_ym, w->hsj, w->hsy})
            QVERIFY(shown->isVisible());
        QVERIFY(w->xxbn2->toolTip().isEmpty());
    }

    // Back to list mode with an expression in the flow field: nothing is
    // calculated until the field changes.
    void listModeWithAnExpressionWaits() {
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        QTest::keyClicks(w->Q3, QStringLiteral("500*2"));
        QTest::mouseClick(w->bRB1, Qt::LeftButton);
        QVERIFY(!w->HSCal->isEnabled());
        QCOMPARE(w->hsbox->count(), 0);
        QTest::keyClick(w->Q3, Qt::Key_Space);
        QVERIFY(w->HSCal->isEnabled());
    }

    void sizeFieldClickCopiesOrSelects() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QTest::mouseClick(w->bE_w, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("400"));
        QVERIFY(w->bE_w->selectedText().isEmpty());
        QTest::mouseClick(w->bE_h, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("350"));
        QVERIFY(w->bE_h->selectedText().isEmpty());

        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        SetClipboard(QStringLiteral("kept"));
        QTest::mouseClick(w->bE_w, Qt::LeftButton);
        QCOMPARE(w->bE_w->selectedText(), QStringLiteral("400"));
        // A second click keeps the whole text selected.
        QTest::mouseClick(w->bE_w, Qt::LeftButton);
        QCOMPARE(w->bE_w->selectedText(), QStringLiteral("400"));
        QTest::mouseClick(w->bE_h, Qt::LeftButton);
        QCOMPARE(w->bE_h->selectedText(), QStringLiteral("350"));
        QCOMPARE(Clipboard(), QStringLiteral("kept"));
    }

    void typedWidthComputesRound() {
        QTest::keyClicks(w->Q3, QStringLiteral("1000"));
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        QVERIFY(!w->BP2->isEnabled()); // no width yet
        QVERIFY(w->bE_h->text().isEmpty());
        QTest::keyClicks(w->bE_w, QStringLiteral("450"));
        QVERIFY(w->BP2->isEnabled());
        QVERIFY(w->hsv->text().isEmpty()); // the velocity waits for the button
        QCOMPARE(w->haq->text(), QStringLiteral("1202"));
        QTest::mouseClick(w->BP2, Qt::LeftButton);
        QCOMPARE(w->hsv->text(), QStringLiteral("2.50"));
        QCOMPARE(w->haq->text(), QStringLiteral("1202"));
        QVERIFY(w->bE_w->hasFocus());
        // Typing more empties the velocity again and follows with the reference flow.
        QTest::keyClick(w->bE_w, Qt::Key_Backspace);
        QVERIFY(w->hsv->text().isEmpty());
        QCOMPARE(w->haq->text(),
                 QString::number(std::trunc(0.0225 * 0.0225 * std::numbers::pi * 3600 * 0.7 * 3.0 +
                                            0.0000001)));
    }

    // A round size: the diameter alone enables the recalculation, as on the
    // duct page, even after the button went off for want of a width.
    void typedDiameterEnablesRecalculation() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("450Φ"));
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        QVERIFY(w->BP2->isEnabled());
        w->bE_w->clear();
        QTest::keyClick(w->Q3, Qt::Key_End);
        QTest::keyClick(w->Q3, Qt::Key_0);
        QTest::keyClick(w->Q3, Qt::Key_Backspace);
        QCOMPARE(w->Q3->text(), QStringLiteral("1000"));
        QVERIFY(!w->BP2->isEnabled());
        QTest::keyClicks(w->bE_w, QStringLiteral("400"));
        QVERIFY(w->bE_h->isHidden());
        QVERIFY(w->BP2->isEnabled());
        QTest::keyClick(w->bE_w, Qt::Key_Return);
        QCOMPARE(w->hsv->text(), Fixed(1000.0 / 3600 / (0.2 * std::numbers::pi * 0.2) / 0.7, 2));
    }

    void enterInSizeFieldsNeverInserts() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        for (QLineEdit* field : {w->bE_w, w->bE_h}) {
            w->hsv->clear();
            QSignalSpy returned(field, &QLineEdit::returnPressed);
            QSignalSpy edited(field, &QLineEdit::textEdited);
            QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClick(field, Qt::Key_Enter);
            QCOMPARE(returned.count(), 0);
            QCOMPARE(edited.count(), 0);
            QCOMPARE(w->hsv->text(), QStringLiteral("2.83"));
            QVERIFY(field->hasFocus());
            QCOMPARE(field->selectedText(), field->text());
        }
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("350"));
        // With the button disabled Enter does nothing at all.
        w->Q3->clear();
        QVERIFY(!w->BP2->isEnabled());
        w->hsv->setText(QStringLiteral("x"));
        QTest::keyClick(w->bE_w, Qt::Key_Return);
        QCOMPARE(w->hsv->text(), QStringLiteral("x"));
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
    }

    void shapeButtonSwitchesInDetailModeOnly() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QTest::mouseClick(w->xxbn2, Qt::LeftButton); // list mode: nothing
        QVERIFY(w->bE_h->isVisible());
        QCOMPARE(w->xxbn2->text(), QStringLiteral("x"));

        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        QTest::mouseClick(w->xxbn2, Qt::LeftButton);
        QVERIFY(!w->bE_h->isVisible());
        QCOMPARE(w->xxbn2->text(), QStringLiteral("Φ"));
        QVERIFY(w->BP2->isEnabled());
        QCOMPARE(w->hsv->text(), Fixed(1000.0 / 3600 / (0.2 * std::numbers::pi * 0.2) / 0.7, 2));
        QCOMPARE(w->haq->text(), QString::number(std::trunc(
                                     0.2 * 0.2 * std::numbers::pi * 3600 * 0.7 * 3.0 + 0.0000001)));
        QVERIFY(w->bE_w->hasFocus());

        QTest::mouseClick(w->xxbn2, Qt::LeftButton);
        QVERIFY(w->bE_h->isVisible());
        QCOMPARE(w->bE_h->text(), QStringLiteral("350")); // kept while hidden
        QCOMPARE(w->xxbn2->text(), QStringLiteral("x"));
        QCOMPARE(w->hsv->text(), QStringLiteral("2.83"));
        QCOMPARE(w->haq->text(), QStringLiteral("1058"));
    }

    void sizeLabelDoubleClickSwaps() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QTest::mouseClick(w->Label15, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("400x350"));
        doubleClick(w->Label15);
        QCOMPARE(Clipboard(), QStringLiteral("350x400"));
        QCOMPARE(w->bE_w->text(), QStringLiteral("350"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("400"));
        QCOMPARE(w->hsv->text(), QStringLiteral("2.83")); // list mode computes nothing
        doubleClick(w->Label15);
        QCOMPARE(w->bE_w->text(), QStringLiteral("400"));
        QCOMPARE(w->bE_h->text(), QStringLiteral("350"));
        QCOMPARE(Clipboard(), QStringLiteral("400x350"));

        // In detail mode the swap follows with the reference flow.
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        doubleClick(w->Label15);
        QCOMPARE(w->bE_w->text(), QStringLiteral("350"));
        QVERIFY(w->hsv->text().isEmpty());
        QCOMPARE(w->haq->text(), QStringLiteral("1058"));

        // A round size: the double click only copies through its click.
        QTest::mouseClick(w->xxbn2, Qt::LeftButton);
        doubleClick(w->Label15);
        QCOMPARE(w->bE_w->text(), QStringLiteral("350"));
        QCOMPARE(Clipboard(), QStringLiteral("350Φ"));
    }

    void enterInFlowRecalculatesThenCalculates() {
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        w->Q3->clear();
        QTest::keyClicks(w->Q3, QStringLiteral("500*2"));
        QVERIFY(!w->BP2->isEnabled()); // an expression
        QTest::keyClick(w->Q3, Qt::Key_Return);
        QCOMPARE(w->Q3->text(), QStringLiteral("500*2")); // neither action ran
        w->Q3->clear();
        QTest::keyClicks(w->Q3, QStringLiteral("1000"));
        QVERIFY(w->BP2->isEnabled());
        w->Q1->setText(QStringLiteral("77"));
        QTest::keyClick(w->Q3, Qt::Key_Return);
        QCOMPARE(w->hsv->text(), QStringLiteral("2.83"));
        QCOMPARE(w->hsbox->count(), 0);
        QCOMPARE(w->Q1->text(), QStringLiteral("77")); // recalculating does not copy
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("1000"));
    }

    void propertyLabelsCopyTheirFields_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("free area") << "Label18"
                                   << "hsk"
                                   << "70";
        QTest::newRow("velocity") << "Label25"
                                  << "hsv"
                                  << "2.83";
        QTest::newRow("necessary") << "l_hm"
                                   << "hsj"
                                   << "0.132";
        QTest::newRow("effective") << "l_ym"
                                   << "hsy"
                                   << "0.093";
        QTest::newRow("reference") << "Label3"
                                   << "haq"
                                   << "1058";
    }
    void propertyLabelsCopyTheirFields() {
        QFETCH(QString, label);
        QFETCH(QString, field);
        QFETCH(QString, text);
        calculate(QStringLiteral("1000"));
        clickItem(QStringLiteral("400x350"));
        auto* l = w->findChild<QLabel*>(label);
        auto* f = w->findChild<QLineEdit*>(field);
        QVERIFY(l && f);
        QTest::mouseClick(l, Qt::LeftButton);
        QVERIFY(f->hasFocus());
        QCOMPARE(f->selectedText(), text);
        QCOMPARE(Clipboard(), text);

        // The field itself copies on a click, and the arrows walk on.
        SetClipboard(QStringLiteral("other"));
        QTest::mouseClick(f, Qt::LeftButton);
        QCOMPARE(Clipboard(), text);
        QCOMPARE(f->selectedText(), text);
        QTest::keyClick(f, Qt::Key_Down);
        QVERIFY(!f->hasFocus());
    }

    void emptyPropertyFieldCopiesNothing() {
        SetClipboard(QStringLiteral("kept"));
        QTest::mouseClick(w->haq, Qt::LeftButton);
        QCOMPARE(Clipboard(), QStringLiteral("kept"));
    }

    void messagesOfTheEngine_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("too big, English") << "/ENG" << int(Anemo) << "20000000"
                                          << "Kestrix Error"
                                          << "Flow Rate is too big.";
        QTest::newRow("too big, Japanese") << "/JPN" << int(Anemo) << "20000000"
                                           << "Kestrix エラー"
                                           << "風量が多すぎます。";
        QTest::newRow("unusable, English") << "/ENG" << int(Closed) << "1000"
                                           << "Kestrix Error"
                                           << "Please correct 'Free Area' or 'Surface Velocity'";
        QTest::newRow("unusable, Japanese") << "/JPN" << int(Closed) << "1000"
                                            << "Kestrix エラー"
                                            << "開口率または、面風速の値を訂正してください";
    }
    void messagesOfTheEngine() {
        QFETCH(QString, language);
        QFETCH(int, style);
        QFETCH(QString, flow);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        open({language});
        chooseStyle(style);
        QVERIFY(fx->messages->empty()); // no flow yet
        calculate(flow);
        QCOMPARE(fx->messages->size(), size_t(1));
        const MessageRequest& box = fx->messages->front();
        QCOMPARE(box.kind, MessageKind::Error);
        QCOMPARE(box.caption, caption);
        QCOMPARE(box.text, text);
        QCOMPARE(w->hsbox->count(), 0);
        QVERIFY(w->terminalFaceVelocities().isEmpty());
    }

    // A style whose ratio is not a number stops the style change: the
    // condition line, the list and the fields stay, and nothing is shown.
    void unconvertibleStyleChangesNothing() {
        calculate(QStringLiteral("1000"));
        const QString condition = w->Select2->text();
        chooseStyle(Broken);
        QCOMPARE(w->session().selectedTerminalStyle, int(Broken));
        QCOMPARE(w->Select2->text(), condition);
        QCOMPARE(w->hsbox->count(), 22);
        QCOMPARE(w->hsk->text(), QStringLiteral("70"));
        QCOMPARE(w->hsy->text(), QStringLiteral("0.093"));
        QVERIFY(fx->messages->empty());
    }

    // No entry chosen (the style editor removed the chosen style): no
    // condition line and nothing sized with criteria that are gone.
    // With no entry chosen nothing happens: the criteria in force, shown in
    // the condition line, stay and go on sizing.
    void noStyleChosenKeepsTheCriteriaInForce() {
        chooseStyle(Anemo);
        const QString condition = w->Select2->text();
        const int chosen = w->session().selectedTerminalStyle;
        w->KiguStyleCB->setCurrentIndex(-1);
        w->KiguStyleCBChange();
        QCOMPARE(w->Select2->text(), condition);
        QCOMPARE(w->session().selectedTerminalStyle, chosen);
        calculate(QStringLiteral("1000"));
        QCOMPARE(w->Q1->text(), QStringLiteral("1000"));
        QCOMPARE(w->hsbox->count(), 22);
        QCOMPARE(w->hsj->text(), QStringLiteral("0.132"));
        QVERIFY(fx->messages->empty());
    }

    void zeroFlowListsNothing() {
        calculate(QStringLiteral("0"));
        QCOMPARE(w->hsbox->count(), 0);
        QVERIFY(w->terminalFaceVelocities().isEmpty());
        QCOMPARE(w->hsj->text(), QStringLiteral("0.000"));
        QVERIFY(fx->messages->empty());
    }

    // The terminal box hides no rows, however low; it cannot grow past 110 px.
    // Entering the page by its tab leaves its flow field alone: the focus
    // that was on the duct page goes to the page itself. Back on the duct
    // page, its own handler puts the focus into Q1.
    void enteringThePageKeepsTheFocusOutOfQ3() {
        w->PageControl1->setCurrentWidget(w->TabSheet1);
        w->Q1->setFocus();
        QCOMPARE(QApplication::focusWidget(), w->Q1);
        QTabBar* tabs = w->PageControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet3);
        QCOMPARE(QApplication::focusWidget(), w->TabSheet3);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("77"));
        QVERIFY(w->Q3->text().isEmpty());
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(QApplication::focusWidget(), w->Q1);
    }

    void splitterMovesTheModeButtonOnly() {
        const int start = w->h_pro->height();
        QVERIFY(w->h_spli->dragBy(-(start - 40)));
        QCOMPARE(w->h_pro->height(), 40);
        QCOMPARE(w->bRB2->y(), w->h_pro->y());
        for (QWidget* row : std::initializer_list<QWidget*>{w->Label3, w->haq, w->Label25, w->hsv,
                                                            w->bE_w, w->bE_h, w->BP2})
            QVERIFY(row->isVisible());
        w->h_spli->dragBy(200);
        QVERIFY(w->h_pro->height() <= 110);
        QCOMPARE(w->bRB2->y(), w->h_pro->y());
    }

    // With the flow field empty a style change calculates nothing in list
    // mode; in detail mode it recalculates all the same, and the empty text
    // becomes the last expression. The duct page's flow stays either way.
    void styleChangeWithEmptyFlow() {
        calculate(QStringLiteral("500*2"));
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("500*2"));
        w->Q3->clear();
        w->Q1->setText(QStringLiteral("77"));
        chooseStyle(Grille);
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("500*2"));
        QCOMPARE(w->Q1->text(), QStringLiteral("77"));
        QCOMPARE(w->Q3->text(), QString());
        QCOMPARE(w->hsbox->count(), 0);
        QVERIFY(w->hsy->text().isEmpty());

        QTest::mouseClick(w->bRB2, Qt::LeftButton);
        QVERIFY(!w->BP2->isEnabled());
        chooseStyle(Anemo);
        QCOMPARE(w->session().lastFlowExpression(), QString());
        QCOMPARE(w->Q1->text(), QStringLiteral("77"));
        QCOMPARE(w->Select2->text(),
                 QStringLiteral("Condition: Free Area -  70 %, Velocity -   3.0 m/s"));
    }

    // The editor hands its table back: the page's list, table and condition
    // line follow, the list is sized again with the edited style, and Save
    // writes the English file of the directory.
    void editedStyleComesBackOnApplyAndSave_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("Apply") << false;
        QTest::newRow("Save") << true;
    }
    void editedStyleComesBackOnApplyAndSave() {
        QFETCH(bool, save);
        calculate(QStringLiteral("1000"));
        chooseStyle(Grille);
        QString problem;
        QTimer::singleShot(0, w.get(), [&problem, save] {
            auto* editor = qobject_cast<kestrix::StyleEditor*>(QApplication::activeModalWidget());
            if (!editor) {
                problem = QStringLiteral("the style editor did not open");
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
                return;
            }
            if (editor->findChild<QComboBox*>("StyleCB")->currentIndex() != Grille)
                problem = QStringLiteral("not Grille");
            editor->findChild<QLineEdit*>("e_hkr")->setText(QStringLiteral("50"));
            editor->findChild<QLineEdit*>("e_hdv")->setText(QStringLiteral("2.5"));
            QTest::mouseClick(save ? editor->findChild<QPushButton*>("Set_Save")
                                   : editor->findChild<QPushButton*>("Set_Btn"),
                              Qt::LeftButton);
        });
        QTest::mouseClick(w->Set_Button2, Qt::LeftButton);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(fx->messages->empty());

        QCOMPARE(w->session().terminalStyles[Grille].freeArea, std::string("50.0"));
        QCOMPARE(w->session().terminalStyles[Grille].faceVelocity, std::string("2.5"));
        QCOMPARE(w->KiguStyleCB->count(), 7);
        QCOMPARE(w->KiguStyleCB->currentIndex(), int(Grille));
        QCOMPARE(w->session().selectedTerminalStyle, int(Grille));
        QCOMPARE(w->Select2->text(),
                 QStringLiteral("Condition: Free Area -  50 %, Velocity -   2.5 m/s"));
        QCOMPARE(w->hsk->text(), QStringLiteral("50"));
        QCOMPARE(w->hsy->text(), Fixed(1000.0 / 3600 / 2.5, 3));
        QVERIFY(w->hsbox->count() > 0);
        // The duct styles were not being edited.
        QCOMPARE(w->session().ductStyles[0].velocity, std::string("8.0"));

        QFile file(kestrix::ConfigFilePath(fx->dir.path(), "KSX_Set2_e.cfg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.contains("  2,\"Grille\", 50.0,  2.5\r\n"), save);
        QCOMPARE(bytes.startsWith(";-----"), save);
    }

    void conditionLineOpensTheStyleEditor() {
        QString title;
        QTimer::singleShot(20, w.get(), [&title] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                title = modal->windowTitle();
                modal->close();
            }
        });
        QTest::mouseClick(w->Select2, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Configs to select Diffuser, Air Grille"));
        // Back from the dialog the window shows the duct page.
        w->activateWindow();
        QTRY_COMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
    }
};

QTEST_MAIN(TerminalPageTest)
#include "terminal_page_test.moc"
