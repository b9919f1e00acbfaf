// The window driven from the keyboard alone: access keys of the captions,
// Enter, the arrow keys, the tab order, the popup menu, and the window's
// size and sharpness on a screen scaled by QT_SCALE_FACTOR.
//
// Keys go to whatever widget has the focus, as they do for a user; only the
// candidate lists, which are no tab stops, are entered with the mouse.

#include "window_fixture.h"

#include "ui/column_list_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

class KeyboardTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<UiFixture> fx;
    std::unique_ptr<WindowUnderTest> w;
    // Titles of the modal boxes that a key opened, closed again by closeModals.
    QStringList modalsSeen;
    QTimer modalCloser;

    void open(const QString& language) {
        w.reset();
        w = std::make_unique<WindowUnderTest>(fx->options({language}));
        ShowActive(*w);
        QVERIFY(fx->messages->empty());
    }

    // A key as the user presses it: to the widget with the focus, or to the
    // open popup menu.
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(static_cast<QWidget*>(nullptr), k, modifiers);
    }
    static void type(const QString& text) {
        QTest::keyClicks(static_cast<QWidget*>(nullptr), text);
    }
    static QString focused() {
        const QWidget* f = QApplication::focusWidget();
        return f ? f->objectName() : QStringLiteral("(none)");
    }

    // A key that opens a modal box: the box is closed as soon as it shows
    // and its title recorded, instead of failing the test.
    void closeModals() {
        fx->watchdog.stop();
        connect(&modalCloser, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalsSeen << modal->windowTitle();
                modal->close();
            }
        });
        modalCloser.start(10);
    }

    // Escape closes the open menu. The offscreen platform then leaves its
    // focus on the menu's window, where a window system would give it back
    // to the main window: done here as the window system would.
    void closeMenu() {
        key(Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        if (QGuiApplication::focusWindow() != w->windowHandle()) {
            w->activateWindow();
            QTRY_COMPARE(QGuiApplication::focusWindow(), w->windowHandle());
        }
    }

    // Tab from the first field of the page, the names of the focus stops
    // until the focus comes back.
    QStringList tabStops(QWidget* first) {
        first->setFocus(Qt::TabFocusReason);
        QStringList stops{focused()};
        for (int i = 0; i < 40; ++i) {
            key(Qt::Key_Tab);
            if (QApplication::focusWidget() == first) break;
            stops << focused();
        }
        return stops;
    }

    static void addLanguages() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("/ENG");
        QTest::newRow("Japanese") << QStringLiteral("/JPN");
    }

  private slots:
    void init() {
        fx = std::make_unique<UiFixture>();
        fx->writeStandardConfig();
        modalsSeen.clear();
    }
    void cleanup() {
        modalCloser.stop();
        modalCloser.disconnect();
        w.reset();
        QVERIFY2(fx->modalLeftOpen.isEmpty(), qPrintable(fx->modalLeftOpen));
        fx.reset();
    }

    void accessKeysOfCaptions_data() { addLanguages(); }
    void accessKeysOfCaptions() {
        QFETCH(QString, language);
        open(language);
        QCOMPARE(focused(), QStringLiteral("Q1"));

        // The flow caption's letter brings the focus back into the field.
        key(Qt::Key_Tab);
        QVERIFY(focused() != QStringLiteral("Q1"));
        key(Qt::Key_F, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("Q1"));

        // The page captions switch pages. The air-terminal page has no
        // handler for being entered: the page itself takes the focus, and
        // Tab leads on into its flow field.
        key(Qt::Key_G, Qt::AltModifier);
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet3);
        QCOMPARE(focused(), QStringLiteral("TabSheet3"));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Q3"));
        key(Qt::Key_Tab);
        QVERIFY(focused() != QStringLiteral("Q3"));
        key(Qt::Key_F, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("Q3"));

        key(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
        QCOMPARE(focused(), QStringLiteral("Q1"));

        // Ctrl+Tab steps through the pages from wherever the focus is.
        key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet3);
        key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
        QCOMPARE(focused(), QStringLiteral("Q1"));

        // The tab bar itself never takes the focus.
        QCOMPARE(w->PageControl1->tabBar()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(w->PageControl1->focusPolicy(), Qt::NoFocus);
    }

    // From the flow field to the properties of a recalculated size, on both
    // pages, without the mouse.
    void walkThroughByKeyboard_data() { addLanguages(); }
    void walkThroughByKeyboard() {
        QFETCH(QString, language);
        open(language);

        key(Qt::Key_F, Qt::AltModifier);
        type(QStringLiteral("500*2"));
        key(Qt::Key_Return);
        QCOMPARE(w->Q1->text(), QStringLiteral("1000"));
        QCOMPARE(w->Q3->text(), QStringLiteral("1000"));
        const int candidates = w->whl->count();
        QVERIFY(candidates > 0);
        QCOMPARE(focused(), QStringLiteral("Q1"));
        QCOMPARE(w->Q1->selectedText(), QStringLiteral("1000"));
        // The list's values of 300x250, which the recalculation below must
        // give again.
        const int pick =
            w->whl->row(w->whl->findItems(QStringLiteral("300x250"), Qt::MatchExactly).value(0));
        QVERIFY(pick >= 0);
        const QString velocity = w->ductVelocities().at(pick), loss = w->ductLosses().at(pick);
        const QString dynamic = w->ductDynamicPressures().at(pick);

        // The calculate button's letter: a click, after its short press.
        QSignalSpy sp1(w->SP1, &QPushButton::clicked);
        key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(sp1.count(), 1);
        QCOMPARE(w->whl->count(), candidates);

        // The style list steps with the arrow keys and recalculates.
        while (focused() != QStringLiteral("DuctStyleCB"))
            key(Qt::Key_Tab);
        key(Qt::Key_Down);
        QCOMPARE(w->session().selectedDuctStyle, 1);
        QVERIFY(w->whl->count() > 0);
        QCOMPARE(w->Label12->text(),
                 kestrix::DuctPage::frictionLossCaption(true)); // the second style is in Pa/m
        key(Qt::Key_F, Qt::AltModifier);
        while (focused() != QStringLiteral("DuctStyleCB"))
            key(Qt::Key_Tab);
        key(Qt::Key_Up);
        QCOMPARE(w->session().selectedDuctStyle, 0);
        QCOMPARE(w->whl->count(), candidates);

        // Selected-duct mode: Tab to the mode buttons, an arrow key switches.
        while (focused() != QStringLiteral("RBT1"))
            key(Qt::Key_Tab);
        key(Qt::Key_Down);
        QVERIFY(w->RBT2->isChecked());
        QVERIFY(w->ductDetailMode());
        QCOMPARE(w->whl->count(), 0);
        // The mode's handler gives the flow field the focus, as after a click.
        QCOMPARE(focused(), QStringLiteral("Q1"));
        QVERIFY(!w->E_w->isReadOnly());
        while (focused() != QStringLiteral("E_w"))
            key(Qt::Key_Tab);
        type(QStringLiteral("300"));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("xxbn"));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("E_h"));
        type(QStringLiteral("250"));
        QVERIFY(w->E_wv->text().isEmpty());
        key(Qt::Key_Return);
        QCOMPARE(w->E_wv->text(), velocity);
        QCOMPARE(w->E_dp->text(), loss);
        QCOMPARE(w->E_ap->text(), dynamic);
        QVERIFY(!w->E_aq->text().isEmpty());
        QCOMPARE(focused(), QStringLiteral("E_h"));
        QCOMPARE(w->E_h->text(), QStringLiteral("250")); // Enter inserts nothing

        // The shape button, pressed with Space: round, then recalculated.
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QStringLiteral("xxbn"));
        key(Qt::Key_Space);
        QVERIFY(w->E_h->isHidden());
        QCOMPARE(w->xxbn->text(), w->session().diameterMark());
        QCOMPARE(w->E_fai->text(), QStringLiteral("300"));
        QCOMPARE(focused(), QStringLiteral("E_w"));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("xxbn"));
        key(Qt::Key_Return); // Enter presses a focused button too
        QVERIFY(!w->E_h->isHidden());
        QCOMPARE(w->xxbn->text(), QStringLiteral("x"));
        QCOMPARE(w->E_wv->text(), velocity);

        // Back to list mode with the arrow key: the list is rebuilt.
        while (focused() != QStringLiteral("RBT2"))
            key(Qt::Key_Tab, Qt::ShiftModifier);
        key(Qt::Key_Up);
        QVERIFY(w->RBT1->isChecked());
        QCOMPARE(w->whl->count(), candidates);
        QCOMPARE(focused(), QStringLiteral("Q1"));
        QCOMPARE(w->Q1->selectedText(), QStringLiteral("1000"));
        // The arrows go round the pair: Up from the upper button chooses the
        // lower one.
        while (focused() != QStringLiteral("RBT1"))
            key(Qt::Key_Tab);
        key(Qt::Key_Up);
        QVERIFY(w->RBT2->isChecked());
        QCOMPARE(focused(), QStringLiteral("Q1"));
        w->RBT1->click();
        QCOMPARE(w->whl->count(), candidates);

        // The air-terminal page: Enter in its flow field, then its own
        // calculate letter.
        key(Qt::Key_G, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("TabSheet3"));
        key(Qt::Key_F, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("Q3"));
        QCOMPARE(w->Q3->text(), QStringLiteral("1000"));
        key(Qt::Key_Return);
        const int terminals = w->hsbox->count();
        QVERIFY(terminals > 0);
        QCOMPARE(focused(), QStringLiteral("Q3"));
        QSignalSpy hscal(w->HSCal, &QPushButton::clicked);
        key(Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(hscal.count(), 1);
        QCOMPARE(w->hsbox->count(), terminals);

        // Detail mode and a typed size, recalculated with Enter.
        while (focused() != QStringLiteral("bRB1"))
            key(Qt::Key_Tab);
        key(Qt::Key_Down);
        QVERIFY(w->bRB2->isChecked());
        QCOMPARE(focused(), QStringLiteral("Q3"));
        while (focused() != QStringLiteral("bE_w"))
            key(Qt::Key_Tab);
        type(QStringLiteral("400"));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("xxbn2"));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("bE_h"));
        type(QStringLiteral("350"));
        key(Qt::Key_Enter);
        QVERIFY(!w->hsv->text().isEmpty());
        QVERIFY(!w->haq->text().isEmpty());
        QCOMPARE(focused(), QStringLiteral("bE_h"));
        QCOMPARE(w->bE_h->selectedText(), QStringLiteral("350"));

        key(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("Q1"));
        QVERIFY(fx->messages->empty());
    }

    // Buttons on the page not shown have no access keys.
    void hiddenPageButtonsDoNotReact_data() { addLanguages(); }
    void hiddenPageButtonsDoNotReact() {
        QFETCH(QString, language);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        QVERIFY(w->HSCal->isEnabled()); // Q3 received the flow

        QSignalSpy hscal(w->HSCal, &QPushButton::clicked);
        QSignalSpy setButton2(w->Set_Button2, &QPushButton::clicked);
        key(Qt::Key_L, Qt::AltModifier);
        QTest::qWait(250);
        QCOMPARE(hscal.count(), 0);
        QCOMPARE(w->hsbox->count(), 0);
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
        QCOMPARE(focused(), QStringLiteral("Q1"));

        key(Qt::Key_G, Qt::AltModifier);
        QSignalSpy sp1(w->SP1, &QPushButton::clicked);
        key(Qt::Key_C, Qt::AltModifier);
        QTest::qWait(250);
        QCOMPARE(sp1.count(), 0);
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet3);
        QCOMPARE(setButton2.count(), 0);
    }

    // An Alt letter that nothing on the page shown takes is no text: the
    // flow, size and style fields keep their values and the pages their results.
    void unclaimedAltLettersAreNotTyped_data() { addLanguages(); }
    void unclaimedAltLettersAreNotTyped() {
        QFETCH(QString, language);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        const int candidates = w->whl->count();
        QVERIFY(candidates > 0);
        for (const Qt::Key letter : {Qt::Key_L, Qt::Key_X, Qt::Key_7}) {
            key(letter, Qt::AltModifier);
            QCOMPARE(w->Q1->text(), QStringLiteral("1000"));
            QCOMPARE(w->whl->count(), candidates);
        }

        // The air-terminal page, after a calculation there: SP1's letter.
        key(Qt::Key_G, Qt::AltModifier);
        key(Qt::Key_F, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("Q3"));
        key(Qt::Key_Return);
        const int terminals = w->hsbox->count();
        QVERIFY(terminals > 0);
        key(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(w->Q3->text(), QStringLiteral("1000"));
        QCOMPARE(w->hsbox->count(), terminals);

        // Selected-duct mode, where SP1 is disabled and its letter unclaimed;
        // the size fields are editable there.
        key(Qt::Key_D, Qt::AltModifier);
        w->RBT2->click();
        QVERIFY(!w->SP1->isEnabled());
        w->E_w->setFocus();
        w->E_w->selectAll();
        type(QStringLiteral("300"));
        QCOMPARE(w->E_w->text(), QStringLiteral("300"));
        key(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(w->E_w->text(), QStringLiteral("300"));
        w->Q1->setFocus();
        key(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(w->Q1->text(), QStringLiteral("1000"));

        // Nor does such a key work as a style list's search for an entry
        // that starts with it: it would choose another style.
        w->RBT1->click();
        QVERIFY(w->whl->count() > 0);
        const int style = w->session().selectedDuctStyle;
        w->DuctStyleCB->setFocus();
        QCOMPARE(focused(), QStringLiteral("DuctStyleCB"));
        key(Qt::Key_H, Qt::AltModifier); // "High velocity" in English
        QCOMPARE(w->DuctStyleCB->currentIndex(), style);
        QCOMPARE(w->session().selectedDuctStyle, style);
        QCOMPARE(w->whl->count(), candidates);
    }

    // The arrow keys move the focus to the button they choose: back in list
    // mode with no flow to size, the handler leaves the focus there, and the
    // next arrow key chooses the other mode again.
    void arrowKeysFocusTheButtonTheyChoose_data() { addLanguages(); }
    void arrowKeysFocusTheButtonTheyChoose() {
        QFETCH(QString, language);
        open(language);
        QVERIFY(w->Q1->text().isEmpty());
        w->RBT2->click();
        w->RBT2->setFocus();
        key(Qt::Key_Up);
        QVERIFY(w->RBT1->isChecked());
        QCOMPARE(focused(), QStringLiteral("RBT1"));
        key(Qt::Key_Down);
        QVERIFY(w->RBT2->isChecked());
        QCOMPARE(focused(), QStringLiteral("Q1"));
    }

    // On the duct page the style button and the recalculate button share the
    // letter R: while both can be pressed, the letter moves the focus between
    // them and Space or Enter presses the one focused; while only one can,
    // the letter presses it.
    void sharedLetterR_data() { addLanguages(); }
    void sharedLetterR() {
        QFETCH(QString, language);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        while (focused() != QStringLiteral("RBT1"))
            key(Qt::Key_Tab);
        key(Qt::Key_Down);
        QVERIFY(w->RBT2->isChecked());
        QVERIFY(!w->SP2->isEnabled()); // no size yet
        key(Qt::Key_F, Qt::AltModifier);
        while (focused() != QStringLiteral("E_w"))
            key(Qt::Key_Tab);
        type(QStringLiteral("300"));
        key(Qt::Key_Tab);
        key(Qt::Key_Tab);
        type(QStringLiteral("250"));
        QVERIFY(w->SP2->isEnabled());

        QSignalSpy sp2(w->SP2, &QPushButton::clicked);
        QSignalSpy setButton1(w->Set_Button1, &QPushButton::clicked);
        key(Qt::Key_R, Qt::AltModifier);
        const QString first = focused();
        QVERIFY2(first == QStringLiteral("Set_Button1") || first == QStringLiteral("SP2"),
                 qPrintable(first));
        key(Qt::Key_R, Qt::AltModifier);
        const QString second = focused();
        QVERIFY2(second != first &&
                     (second == QStringLiteral("Set_Button1") || second == QStringLiteral("SP2")),
                 qPrintable(second));
        QTest::qWait(250);
        QCOMPARE(sp2.count(), 0);
        QCOMPARE(setButton1.count(), 0);
        if (second != QStringLiteral("SP2")) key(Qt::Key_R, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("SP2"));
        key(Qt::Key_Space);
        QCOMPARE(sp2.count(), 1);
        const QString velocity = w->E_wv->text();
        QVERIFY(!velocity.isEmpty());
        QVERIFY(!w->E_dp->text().isEmpty());
        QCOMPARE(focused(), QStringLiteral("E_w")); // the recalculation moves it
        key(Qt::Key_R, Qt::AltModifier);
        if (focused() != QStringLiteral("SP2")) key(Qt::Key_R, Qt::AltModifier);
        w->E_wv->clear();
        key(Qt::Key_Return);
        QCOMPARE(sp2.count(), 2);
        QCOMPARE(w->E_wv->text(), velocity);
        QCOMPARE(setButton1.count(), 0);

        // Back in list mode the recalculate button is disabled: the letter
        // now opens the style editor at once.
        while (focused() != QStringLiteral("RBT2"))
            key(Qt::Key_Tab);
        key(Qt::Key_Up);
        QVERIFY(!w->SP2->isEnabled());
        closeModals();
        key(Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(setButton1.count(), 1);
        QTRY_COMPARE(modalsSeen.size(), 1);
        QCOMPARE(sp2.count(), 2);
        // The window, active again, comes back to its flow field.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTRY_COMPARE(focused(), QStringLiteral("Q1"));
    }

    // The letter R on the air-terminal page: in English the style button and
    // the recalculate button share it, in Japanese only the style button has it.
    void letterROnTerminalPage_data() { addLanguages(); }
    void letterROnTerminalPage() {
        QFETCH(QString, language);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        key(Qt::Key_G, Qt::AltModifier);
        while (focused() != QStringLiteral("bRB1"))
            key(Qt::Key_Tab);
        key(Qt::Key_Down);
        while (focused() != QStringLiteral("bE_w"))
            key(Qt::Key_Tab);
        type(QStringLiteral("400"));
        QVERIFY(w->BP2->isEnabled());

        QSignalSpy bp2(w->BP2, &QPushButton::clicked);
        QSignalSpy setButton2(w->Set_Button2, &QPushButton::clicked);
        if (w->session().japanese()) {
            closeModals();
            key(Qt::Key_R, Qt::AltModifier);
            QTRY_COMPARE(setButton2.count(), 1);
            QTRY_COMPARE(modalsSeen.size(), 1);
            QCOMPARE(bp2.count(), 0);
            return;
        }
        key(Qt::Key_R, Qt::AltModifier);
        if (focused() != QStringLiteral("BP2")) key(Qt::Key_R, Qt::AltModifier);
        QCOMPARE(focused(), QStringLiteral("BP2"));
        QTest::qWait(250);
        QCOMPARE(setButton2.count(), 0);
        key(Qt::Key_Space);
        QCOMPARE(bp2.count(), 1);
        QVERIFY(!w->hsv->text().isEmpty());
    }

    void tabOrder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<bool>("detail");
        QTest::addColumn<QStringList>("expected");
        const QStringList ductList = {"Q1",   "SP1",  "Set_Button1", "DuctStyleCB", "RBT1",
                                      "E_w",  "E_h",  "E_as",        "E_wv",        "E_ap",
                                      "E_dp", "E_aq", "E_fai",       "M_wv"};
        const QStringList ductDetail = {"Q1",   "Set_Button1", "DuctStyleCB", "RBT2",  "E_w",
                                        "xxbn", "E_h",         "SP2",         "E_as",  "E_wv",
                                        "E_ap", "E_dp",        "E_aq",        "E_fai", "M_wv"};
        const QStringList terminalList = {"Q3",   "HSCal", "Set_Button2", "KiguStyleCB",
                                          "bRB1", "bE_w",  "bE_h",        "hsk",
                                          "hsj",  "hsv",   "hsy",         "haq"};
        // Detail mode hides the area fields.
        const QStringList terminalDetail = {"Q3",   "Set_Button2", "KiguStyleCB", "bRB2",
                                            "bE_w", "xxbn2",       "bE_h",        "BP2",
                                            "hsk",  "hsv",         "haq"};
        for (const char* language : {"/ENG", "/JPN"}) {
            const QString l = QString::fromLatin1(language);
            QTest::addRow("%s duct list", language) << l << false << false << ductList;
            QTest::addRow("%s duct detail", language) << l << false << true << ductDetail;
            QTest::addRow("%s terminal list", language) << l << true << false << terminalList;
            QTest::addRow("%s terminal detail", language) << l << true << true << terminalDetail;
        }
    }
    void tabOrder() {
        QFETCH(QString, language);
        QFETCH(bool, terminal);
        QFETCH(bool, detail);
        QFETCH(QStringList, expected);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        if (terminal) key(Qt::Key_G, Qt::AltModifier);
        QLineEdit* flow = terminal ? w->Q3 : w->Q1;
        QRadioButton* listMode = terminal ? w->bRB1 : w->RBT1;
        if (detail) {
            while (QApplication::focusWidget() != listMode)
                key(Qt::Key_Tab);
            key(Qt::Key_Down);
            QVERIFY(!listMode->isChecked());
            // A size, so that the recalculate button can be pressed.
            while (focused() != (terminal ? QStringLiteral("bE_w") : QStringLiteral("E_w")))
                key(Qt::Key_Tab);
            type(QStringLiteral("300"));
            if (!terminal) {
                key(Qt::Key_Tab);
                key(Qt::Key_Tab);
                type(QStringLiteral("250"));
            }
        }
        // Shift+Tab walks the stops backwards (first, so that it meets the
        // mode buttons before Tab has entered them)...
        flow->setFocus(Qt::TabFocusReason);
        QStringList backwards;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            key(Qt::Key_Tab, Qt::ShiftModifier);
            backwards.prepend(focused());
        }
        QCOMPARE(backwards, expected);
        // ... and Tab forwards.
        QCOMPARE(tabStops(flow), expected);
    }

    // Up and Down in the property fields walk the tab order.
    void arrowKeysInPropertyFields_data() { addLanguages(); }
    void arrowKeysInPropertyFields() {
        QFETCH(QString, language);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        while (focused() != QStringLiteral("E_as"))
            key(Qt::Key_Tab);
        const QString expected[] = {"E_wv", "E_ap", "E_dp", "E_aq", "E_fai", "M_wv"};
        for (const QString& name : expected) {
            key(Qt::Key_Down);
            QCOMPARE(focused(), name);
        }
        key(Qt::Key_Up);
        key(Qt::Key_Up);
        QCOMPARE(focused(), QStringLiteral("E_aq"));

        key(Qt::Key_G, Qt::AltModifier);
        key(Qt::Key_F, Qt::AltModifier);
        key(Qt::Key_Return);
        while (focused() != QStringLiteral("hsk"))
            key(Qt::Key_Tab);
        key(Qt::Key_Down);
        QCOMPARE(focused(), QStringLiteral("hsj"));
        // Entered from the keyboard, the field's text is selected for Ctrl+C.
        QVERIFY(!w->hsj->text().isEmpty());
        QApplication::clipboard()->clear();
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), w->hsj->text());
        key(Qt::Key_Down);
        QCOMPARE(focused(), QStringLiteral("hsv"));
        key(Qt::Key_Up);
        QCOMPARE(focused(), QStringLiteral("hsj"));
    }

    // The candidate lists are no tab stops: the mouse enters them (a click
    // on the duct page's size caption or on an entry), then the arrow keys
    // move the pick.
    void arrowKeysInLists_data() { addLanguages(); }
    void arrowKeysInLists() {
        QFETCH(QString, language);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        QVERIFY(w->whl->count() > 2);
        QTest::mouseClick(w->Label7, Qt::LeftButton);
        QCOMPARE(focused(), QStringLiteral("whl"));
        // The list marks its first entry on entering; Space picks it, the
        // arrow keys pick the next ones.
        key(Qt::Key_Space);
        const QString firstPick = w->session().ductSizeText;
        QCOMPARE(firstPick,
                 w->whl->item(0)
                     ->text()
                     .replace(w->session().diameterMark(), QString())
                     .append(firstPick.contains(QLatin1Char('x')) ? QString()
                                                                  : w->session().diameterMark()));
        QCOMPARE(w->E_wv->text(), w->ductVelocities().at(0));
        QCOMPARE(QApplication::clipboard()->text(), firstPick);
        key(Qt::Key_Down);
        QCOMPARE(w->whl->currentRow(), 1);
        QVERIFY(w->session().ductSizeText != firstPick);
        QCOMPARE(w->E_wv->text(), w->ductVelocities().at(1));
        QCOMPARE(w->E_dp->text(), w->ductLosses().at(1));
        key(Qt::Key_Up);
        QCOMPARE(w->session().ductSizeText, firstPick);
        QCOMPARE(w->E_wv->text(), w->ductVelocities().at(0));
        // Sideways into the next column.
        const int perColumn = w->whl->height() / w->whl->gridSize().height();
        if (w->whl->count() > perColumn) {
            key(Qt::Key_Right);
            QVERIFY(w->whl->currentRow() > 0);
            QCOMPARE(w->E_wv->text(), w->ductVelocities().at(w->whl->currentRow()));
        }

        key(Qt::Key_G, Qt::AltModifier);
        key(Qt::Key_F, Qt::AltModifier);
        key(Qt::Key_Return);
        QVERIFY(w->hsbox->count() > 2);
        const QRect first = w->hsbox->visualItemRect(w->hsbox->item(0));
        QTest::mouseClick(w->hsbox->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(focused(), QStringLiteral("hsbox"));
        QCOMPARE(w->hsv->text(), w->terminalFaceVelocities().at(0));
        key(Qt::Key_Down);
        QCOMPARE(w->hsbox->currentRow(), 1);
        QCOMPARE(w->hsv->text(), w->terminalFaceVelocities().at(1));
        QCOMPARE(QApplication::clipboard()->text(), w->terminalFaceVelocities().at(1));
    }

    // The window's menu opens from the keyboard: the Menu key arrives as a
    // context-menu request for the widget with the focus, Shift+F10 does the
    // same, and every control but an edit field passes it on to the window.
    void popupMenuFromKeyboard_data() { addLanguages(); }
    void popupMenuFromKeyboard() {
        QFETCH(QString, language);
        open(language);
        type(QStringLiteral("1000"));
        key(Qt::Key_Return);
        key(Qt::Key_Tab);
        // Shift+F10 from each kind of control.
        for (const char* name : {"SP1", "Set_Button1", "DuctStyleCB", "RBT1", "E_as"}) {
            while (focused() != QLatin1String(name))
                key(Qt::Key_Tab);
            key(Qt::Key_F10, Qt::ShiftModifier);
            QTRY_VERIFY2(QApplication::activePopupWidget(), name);
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY2(popup, name);
            // A read-only field offers its own Copy and Select All.
            if (qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                QVERIFY2(popup != w->PopupMenu1 && qobject_cast<QMenu*>(popup), name);
            else
                QVERIFY2(popup == w->PopupMenu1, name);
            closeMenu();
        }
        QTest::mouseClick(w->Label7, Qt::LeftButton);
        QCOMPARE(focused(), QStringLiteral("whl"));
        key(Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(QApplication::activePopupWidget(), w->PopupMenu1);
        closeMenu();

        // The items answer to their letters: T keeps the window on top, T
        // again makes it an ordinary window.
        key(Qt::Key_F, Qt::AltModifier);
        key(Qt::Key_Tab);
        key(Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(w->PopupMenu1->isVisible());
        key(Qt::Key_T);
        QTRY_VERIFY(!w->PopupMenu1->isVisible());
        QVERIFY(w->topview->isChecked());
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(w->size(), QSize(291, 360));
        // Changing the flags makes a new native window, which the platform
        // activates again.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        key(Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(w->PopupMenu1->isVisible());
        key(Qt::Key_T);
        QTRY_VERIFY(!w->PopupMenu1->isVisible());
        QVERIFY(!w->topview->isChecked());
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));

        // A opens the about box.
        key(Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(w->PopupMenu1->isVisible());
        closeModals();
        key(Qt::Key_A);
        QTRY_COMPARE(modalsSeen.size(), 1);
        QCOMPARE(modalsSeen.first(), w->session().japanese()
                                         ? QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")
                                         : QStringLiteral("Version information"));
        QVERIFY(!w->topview->isChecked());
        // Back from the box: the duct page and its flow field.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTRY_COMPARE(focused(), QStringLiteral("Q1"));

        // In an edit field the field's own menu opens.
        key(Qt::Key_F10, Qt::ShiftModifier);
        QWidget* editMenu = QApplication::activePopupWidget();
        QVERIFY(editMenu && editMenu != w->PopupMenu1);
        closeMenu();

        // The Menu key, which the window system hands to the focused widget
        // as a context-menu request from the keyboard.
        key(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("SP1"));
        QWidget* target = QApplication::focusWidget();
        const QPoint centre = target->rect().center();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre, target->mapToGlobal(centre));
        QApplication::sendEvent(target, &menuKey);
        QCOMPARE(QApplication::activePopupWidget(), w->PopupMenu1);
        key(Qt::Key_T);
        QTRY_VERIFY(!w->PopupMenu1->isVisible());
        QVERIFY(w->topview->isChecked());
    }

    // Every property caption is shown whole, clear of its box's frame and of
    // its field, in both languages and with the captions of both units; the
    // Japanese captions keep the design layout.
    void propertyCaptionsFitTheirBoxes_data() { addLanguages(); }
    void propertyCaptionsFitTheirBoxes() {
        QFETCH(QString, language);
        open(language);
        const std::pair<QLabel*, QLineEdit*> pairs[] = {
            {w->Label9, w->E_as},  {w->Label10, w->E_wv}, {w->Label11, w->E_ap},
            {w->Label12, w->E_dp}, {w->Label2, w->E_aq},  {w->Label5, w->E_fai},
            {w->Label6, w->M_wv},  {w->Label18, w->hsk},  {w->Label25, w->hsv},
            {w->l_hm, w->hsj},     {w->l_ym, w->hsy},     {w->Label3, w->haq}};
        for (int style = 0; style < 2; ++style) {
            while (focused() != QStringLiteral("DuctStyleCB"))
                key(Qt::Key_Tab);
            if (style == 1) key(Qt::Key_Down);
            QCOMPARE(w->Label12->text(), w->session().ductCriteria.pressureInPa
                                             ? kestrix::DuctPage::frictionLossCaption(true)
                                             : kestrix::DuctPage::frictionLossCaption(false));
            for (const auto& [label, field] : pairs) {
                const QString name = label->objectName();
                const int text = label->fontMetrics().horizontalAdvance(label->text());
                const QRect r = label->geometry();
                QVERIFY2(text <= r.width(), qPrintable(name));
                // Right-aligned: the text starts where the room it needs begins.
                QVERIFY2(r.right() - text + 1 >= 2, qPrintable(name));
                QVERIFY2(r.right() < field->x(), qPrintable(name));
                QVERIFY2(field->geometry().right() < label->parentWidget()->width() - 2,
                         qPrintable(name));
            }
            if (w->session().japanese()) {
                QCOMPARE(w->E_as->x(), 106);
                QCOMPARE(w->E_ap->x(), 106);
                QCOMPARE(w->E_aq->x(), 106);
                QCOMPARE(w->Label2->geometry(), QRect(0, 71, 104, 12));
                QCOMPARE(w->Label12->geometry(), QRect(w->d_pro->width() - 147, 55, 106, 12));
            }
        }
    }

    // On a scaled screen the window keeps its design size in logical pixels
    // and is drawn with the screen's pixels: twice as many at 200 %. The
    // ctest entry ui_keyboard_test_200 runs this program with
    // QT_SCALE_FACTOR=2.
    void designSizeOnScaledScreens_data() { addLanguages(); }
    void designSizeOnScaledScreens() {
        QFETCH(QString, language);
        open(language);
        const double factor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                  ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                  : 1.0;
        QCOMPARE(w->size(), QSize(291, 360));
        QCOMPARE(w->devicePixelRatioF(), factor);
        const QPixmap shot = w->grab();
        QCOMPARE(shot.devicePixelRatio(), factor);
        QCOMPARE(shot.size(), QSize(qRound(291 * factor), qRound(360 * factor)));

        // Fonts are sized in logical pixels: the caption's letters are as
        // tall, in the screen's pixels, as its font times the factor.
        const QRect inked = InkRect(w->Label1->grab().toImage(), 100);
        QVERIFY(!inked.isEmpty());
        const int ink = inked.height();
        const int font = w->Label1->fontMetrics().ascent();
        QVERIFY2(ink >= 0.6 * font * factor &&
                     ink <= 1.6 * w->Label1->fontMetrics().height() * factor,
                 qPrintable(QStringLiteral("ink %1 px, font ascent %2 px").arg(ink).arg(font)));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
