// The flow-rate fields: Enter, the change handlers, the click that brings
// back the last expression, and errors that escape an evaluation.

#include "window_fixture.h"

#include "config/engine_texts.h"
#include "ui/column_list_box.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

class FlowFieldsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<UiFixture> fx;
    std::unique_ptr<WindowUnderTest> w;

  private slots:
    void init() {
        fx = std::make_unique<UiFixture>();
        fx->writeStandardConfig();
        w = std::make_unique<WindowUnderTest>(fx->options());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QVERIFY(fx->messages->empty());
    }
    void cleanup() {
        w.reset();
        QVERIFY2(fx->modalLeftOpen.isEmpty(), qPrintable(fx->modalLeftOpen));
        fx.reset();
    }

    void expressionEnterAndClickBack() {
        QTest::keyClicks(w->Q1, QStringLiteral("1000*2"));
        QVERIFY(w->SP1->isEnabled());
        QVERIFY(!w->SP2->isEnabled());
        QSignalSpy returned(w->Q1, &QLineEdit::returnPressed);
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(returned.count(), 0); // the field never sees Enter
        QCOMPARE(w->Q1->text(), QStringLiteral("2000"));
        QCOMPARE(w->Q3->text(), QStringLiteral("2000"));
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("1000*2"));
        QVERIFY(w->whl->count() > 0);
        QCOMPARE(w->ductVelocities().size(), w->whl->count());
        QVERIFY(w->Q1->hasFocus());
        QTest::mouseClick(w->Q1, Qt::LeftButton);
        QCOMPARE(w->Q1->text(), QStringLiteral("1000*2"));
        QCOMPARE(w->whl->count(), 0);
        QVERIFY(w->ductVelocities().isEmpty() && w->ductDynamicPressures().isEmpty());
    }

    // Only the left button brings the expression back: a right click opens
    // the field's own menu, from which the value is copied.
    void otherButtonsKeepTheValue_data() {
        QTest::addColumn<bool>("terminal");
        QTest::newRow("Q1") << false;
        QTest::newRow("Q3") << true;
    }
    void otherButtonsKeepTheValue() {
        QFETCH(bool, terminal);
        if (terminal) w->PageControl1->setCurrentWidget(w->TabSheet3);
        QLineEdit* field = terminal ? w->Q3 : w->Q1;
        QListWidget* list = terminal ? static_cast<QListWidget*>(w->hsbox) : w->whl;
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("1000*2"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), QStringLiteral("2000"));
        const int count = list->count();
        QVERIFY(count > 0);
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            // The field's menu, where the platform opens one, is closed again.
            QTimer::singleShot(50, field, [] {
                if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            });
            QTest::mouseClick(field, button);
            QCOMPARE(field->text(), QStringLiteral("2000"));
            QCOMPARE(list->count(), count);
        }
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(field->text(), QStringLiteral("1000*2"));
        QCOMPARE(list->count(), 0);
    }

    void plainValueClickChangesNothing() {
        QTest::keyClicks(w->Q1, QStringLiteral("2000"));
        QTest::keyClick(w->Q1, Qt::Key_Enter);
        const int count = w->whl->count();
        QVERIFY(count > 0);
        QTest::mouseClick(w->Q1, Qt::LeftButton);
        QCOMPARE(w->Q1->text(), QStringLiteral("2000"));
        QCOMPARE(w->whl->count(), count);
    }

    void emptyFieldDoesNothing() {
        QTest::keyClicks(w->Q1, QStringLiteral("5"));
        QTest::keyClick(w->Q1, Qt::Key_Backspace);
        QVERIFY(!w->SP1->isEnabled());
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QVERIFY(w->Q1->text().isEmpty());
        QVERIFY(w->Q3->text().isEmpty());
        QVERIFY(w->session().lastFlowExpression().isEmpty());
        QVERIFY(w->Q1->hasFocus());
        QVERIFY(fx->messages->empty());
    }

    void clickBeforeAnyEvaluation() {
        QTest::keyClicks(w->Q1, QStringLiteral("12+3"));
        QTest::mouseClick(w->Q1, Qt::LeftButton);
        QCOMPARE(w->Q1->text(), QStringLiteral("12+3"));
        w->PageControl1->setCurrentWidget(w->TabSheet3);
        QTest::mouseClick(w->Q3, Qt::LeftButton);
        QVERIFY(w->Q3->text().isEmpty());
    }

    void recalculateNeedsPlainNumbers_data() {
        QTest::addColumn<bool>("round");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("flow");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("round, plain flow") << true << "500"
                                           << ""
                                           << "1500" << true;
        QTest::newRow("round, expression") << true << "500"
                                           << ""
                                           << "1500+0" << false;
        QTest::newRow("rectangle needs a height") << false << "500"
                                                  << ""
                                                  << "1500" << false;
        QTest::newRow("rectangle with both") << false << "500"
                                             << "300"
                                             << "1500" << true;
        QTest::newRow("width not plain") << true << "5e2"
                                         << ""
                                         << "1500" << false;
    }
    void recalculateNeedsPlainNumbers() {
        QFETCH(bool, round);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, flow);
        QFETCH(bool, enabled);
        w->RBT2->setChecked(true);
        w->E_w->setText(width);
        w->E_h->setText(height);
        // The shape as the user sets it: a size starts rectangular, the shape
        // button turns it round.
        if (round) w->xxbn->click();
        QCOMPARE(w->xxbn->text(), round ? w->session().diameterMark() : QStringLiteral("x"));
        QTest::keyClicks(w->Q1, flow);
        QCOMPARE(w->SP2->isEnabled(), enabled);
        QVERIFY(!w->SP1->isEnabled());
        // Selected-duct mode keeps the size fields.
        QCOMPARE(w->E_w->text(), width);
    }

    void enterRecalculatesInSelectedDuctMode() {
        w->RBT2->setChecked(true);
        w->E_w->setText(QStringLiteral("300"));
        w->E_h->setText(QStringLiteral("250"));
        QTest::keyClicks(w->Q1, QStringLiteral("1000"));
        QVERIFY(w->SP2->isEnabled());
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("1000"));
        QVERIFY(!w->E_wv->text().isEmpty());
        QVERIFY(w->Q3->text().isEmpty()); // recalculating does not copy
        QCOMPARE(w->whl->count(), 0);
    }

    void flowChangeClearsTheDuctPage() {
        QTest::keyClicks(w->Q1, QStringLiteral("1000"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QVERIFY(w->whl->count() > 0);
        w->E_w->setText(QStringLiteral("300"));
        w->E_as->setText(QStringLiteral("1.20"));
        w->session().ductSizeText = QStringLiteral("300x250");
        QTest::keyClick(w->Q1, Qt::Key_0);
        QCOMPARE(w->whl->count(), 0);
        QVERIFY(w->E_w->text().isEmpty());
        QVERIFY(w->E_as->text().isEmpty());
        QVERIFY(w->session().ductSizeText.isEmpty());
    }

    void terminalFlowClearsBothPages() {
        QTest::keyClicks(w->Q1, QStringLiteral("1000"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QVERIFY(w->whl->count() > 0);
        QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
        w->hsk->setText(QStringLiteral("70.0"));
        w->hsv->setText(QStringLiteral("2.50"));
        w->E_fai->setText(QStringLiteral("299"));
        w->Q3->setText(QStringLiteral("1500"));
        QCOMPARE(w->whl->count(), 0);
        QVERIFY(w->ductVelocities().isEmpty());
        QVERIFY(w->E_fai->text().isEmpty());
        QVERIFY(w->hsv->text().isEmpty());
        QCOMPARE(w->hsk->text(), QStringLiteral("70.0")); // the style's ratio stays
        QVERIFY(w->HSCal->isEnabled());
    }

    void terminalEnterCopiesToTheDuctPage() {
        w->PageControl1->setCurrentWidget(w->TabSheet3);
        QTest::keyClicks(w->Q3, QStringLiteral("600*3"));
        QVERIFY(w->HSCal->isEnabled());
        QTest::keyClick(w->Q3, Qt::Key_Return);
        QCOMPARE(w->Q3->text(), QStringLiteral("1800"));
        QCOMPARE(w->Q1->text(), QStringLiteral("1800"));
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("600*3"));
        QVERIFY(w->hsbox->count() > 0);
        QCOMPARE(w->terminalFaceVelocities().size(), w->hsbox->count());
        QVERIFY(w->Q3->hasFocus());
        // The shared expression comes back in the other field as well.
        w->PageControl1->setCurrentWidget(w->TabSheet1);
        QTest::mouseClick(w->Q1, Qt::LeftButton);
        QCOMPARE(w->Q1->text(), QStringLiteral("600*3"));
        QVERIFY(w->hsbox->count() > 0); // a change of Q1 leaves the terminal page
    }

    void variablesLastForTheRun() {
        QTest::keyClicks(w->Q1, QStringLiteral("a = 850"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->Q1->text(), QStringLiteral("850"));
        w->Q1->clear();
        QTest::keyClicks(w->Q1, QStringLiteral("A*2"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->Q1->text(), QStringLiteral("1700"));
    }

    // A full-width character is one character that the evaluator does not
    // know, whole: its second byte in the code page does not read as a
    // letter ("１" would be the variable P).
    void fullWidthCharactersAreNoVariables() {
        QTest::keyClicks(w->Q1, QStringLiteral("p=16"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        const int count = w->session().evaluator().VariableCount();
        w->Q1->setText(QStringLiteral("sqrt１"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->Q1->text(), QStringLiteral("0"));
        w->Q1->setText(QStringLiteral("sqrt（１６）"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->Q1->text(), QStringLiteral("0"));
        QCOMPARE(w->session().evaluator().VariableCount(), count);
    }

    // An error that escapes the evaluation abandons the action, shows the
    // standard error box, and the program carries on.
    void overflowAbandonsTheAction() {
        QTest::keyClicks(w->Q1, QStringLiteral("1e200*1e200"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(fx->messages->size(), size_t(1));
        const MessageRequest& box = fx->messages->front();
        QCOMPARE(box.kind, MessageKind::StandardError);
        QCOMPARE(box.caption, QStringLiteral("Kestrix for Windows"));
        QCOMPARE(box.text, QStringLiteral("浮動小数点数のオーバーフロー"));
        QCOMPARE(w->Q1->text(), QStringLiteral("1e200*1e200"));
        QVERIFY(w->Q3->text().isEmpty());
        QCOMPARE(w->whl->count(), 0);
        QVERIFY(w->isRunning());
        // The next action works.
        fx->messages->clear();
        w->Q1->clear();
        QTest::keyClicks(w->Q1, QStringLiteral("900"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QVERIFY(w->whl->count() > 0);
        QVERIFY(fx->messages->empty());
    }

    // A full variable table refuses the new name with its message; the
    // names already defined, the sizing and the settings carry on.
    void fullVariableTableRefusesOnlyNewNames() {
        const int userSlots = kestrix::ExpressionEvaluator::MaxVariables - 2; // pi and e
        for (int i = 0; i < userSlots; ++i) {
            w->Q1->setText(QStringLiteral("v%1 = %1").arg(i));
            w->runGuarded([this] { w->session().evaluateFlow(w->Q1->text()); });
        }
        QVERIFY(fx->messages->empty());
        w->Q1->setText(QStringLiteral("extra = 5"));
        w->runGuarded([this] { w->session().evaluateFlow(w->Q1->text()); });
        QCOMPARE(fx->messages->size(), size_t(1));
        const MessageRequest& box = fx->messages->front();
        QCOMPARE(box.kind, MessageKind::StandardError);
        QCOMPARE(box.caption, QStringLiteral("Kestrix for Windows"));
        QCOMPARE(box.text, QString::fromUtf8(kestrix::EvaluationErrorText(
                               kestrix::EvaluationErrorKind::TooManyVariables))); // /ENG
        QVERIFY(fx->exits->empty());
        QVERIFY(w->isRunning());

        // Defined names, pi and e still work, and so does sizing.
        fx->messages->clear();
        w->Q1->clear();
        QTest::keyClicks(w->Q1, QStringLiteral("v253*4+pi*0"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QCOMPARE(w->Q1->text(), QStringLiteral("1012"));
        QVERIFY(w->whl->count() > 0);
        QVERIFY(fx->messages->empty());

        // Closing still saves the settings.
        w->close();
        QCOMPARE(*fx->exits, std::vector<int>{1});
        QVERIFY(QFileInfo::exists(fx->settingsPath));
    }

    // The pages share a flow through the session: the page that evaluated it
    // lists its sizes, the other shows the flow with its own list emptied by
    // the change, unless its field already held that text (writing the same
    // text sets off nothing). A flow typed on the air-terminal page empties
    // the duct list on its own.
    void evaluatedFlowReachesTheOtherPage_data() {
        QTest::addColumn<bool>("fromDuct");
        QTest::addColumn<QString>("otherFlow");
        QTest::addColumn<bool>("otherListKept");
        QTest::newRow("duct, other flow") << true << "800" << false;
        QTest::newRow("duct, same flow") << true << "1200" << true;
        QTest::newRow("air terminal, other flow") << false << "800" << false;
        QTest::newRow("air terminal, same flow") << false << "1200" << false;
    }
    void evaluatedFlowReachesTheOtherPage() {
        QFETCH(bool, fromDuct);
        QFETCH(QString, otherFlow);
        QFETCH(bool, otherListKept);
        QLineEdit* own = fromDuct ? w->Q1 : w->Q3;
        QLineEdit* other = fromDuct ? w->Q3 : w->Q1;
        QListWidget* ownList = fromDuct ? w->whl : w->hsbox;
        QListWidget* otherList = fromDuct ? w->hsbox : w->whl;
        w->PageControl1->setCurrentWidget(fromDuct ? w->TabSheet3 : w->TabSheet1);
        QTest::keyClicks(other, otherFlow);
        QTest::keyClick(other, Qt::Key_Return);
        const int otherCount = otherList->count();
        QVERIFY(otherCount > 0);

        w->PageControl1->setCurrentWidget(fromDuct ? w->TabSheet1 : w->TabSheet3);
        QSignalSpy shared(&w->session(), &kestrix::SizingSession::flowShared);
        own->clear();
        QTest::keyClicks(own, QStringLiteral("600*2"));
        QTest::keyClick(own, Qt::Key_Return);
        QCOMPARE(own->text(), QStringLiteral("1200"));
        QCOMPARE(other->text(), QStringLiteral("1200"));
        QCOMPARE(w->session().lastFlowExpression(), QStringLiteral("600*2"));
        QCOMPARE(shared.count(), 1);
        QVERIFY(ownList->count() > 0);
        QCOMPARE(otherList->count(), otherListKept ? otherCount : 0);
    }

    void libraryErrorBoxCarriesTheProgramName() {
        QTest::keyClicks(w->Q1, QStringLiteral("sqrt(-1)"));
        QTest::keyClick(w->Q1, Qt::Key_Return);
        QVERIFY(!fx->messages->empty());
        const MessageRequest& box = fx->messages->front();
        QCOMPARE(box.kind, MessageKind::LibraryError);
        QCOMPARE(box.caption, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QCOMPARE(box.text, QStringLiteral("sqrt: DOMAIN error"));
        QCOMPARE(w->Q1->text(), QStringLiteral("NAN"));
    }
};

QTEST_MAIN(FlowFieldsTest)
#include "flow_fields_test.moc"
