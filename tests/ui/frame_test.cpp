// The window's frame: control names, layout rules, list columns, the
// splitters, stay-on-top and activation.

#include "window_fixture.h"

#include "ui/column_list_box.h"
#include "ui/splitter_bar.h"
#include "ui/window_icon.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

class FrameTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<UiFixture> fx;

    void showAndWait(WindowUnderTest& w) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

  private slots:
    void init() {
        fx = std::make_unique<UiFixture>();
        fx->writeStandardConfig();
    }
    void cleanup() {
        QVERIFY2(fx->modalLeftOpen.isEmpty(), qPrintable(fx->modalLeftOpen));
        fx.reset();
    }

    void everyControlByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        const char* controls[][2] = {
            {"PageControl1", "QTabWidget"},
            {"TabSheet1", "QWidget"},
            {"TabSheet3", "QWidget"},
            {"BottomPanel", "QWidget"},
            {"air_b", "QLabel"},
            {"air_f", "QLabel"},
            {"PopupMenu1", "QMenu"},
            {"Panel1", "QFrame"},
            {"Label1", "QLabel"},
            {"Q1", "QLineEdit"},
            {"SP1", "QPushButton"},
            {"Shape1", "QFrame"},
            {"Select", "QLabel"},
            {"Set_Button1", "QPushButton"},
            {"DuctStyleCB", "QComboBox"},
            {"RBT1", "QRadioButton"},
            {"GroupBox3", "QGroupBox"},
            {"Blank1", "QWidget"},
            {"whl", "ColumnListBox"},
            {"d_spli", "SplitterBar"},
            {"d_pro", "QGroupBox"},
            {"RBT2", "QRadioButton"},
            {"Label7", "QLabel"},
            {"E_w", "QLineEdit"},
            {"xxbn", "QToolButton"},
            {"E_h", "QLineEdit"},
            {"SP2", "QPushButton"},
            {"Label9", "QLabel"},
            {"E_as", "QLineEdit"},
            {"Label10", "QLabel"},
            {"E_wv", "QLineEdit"},
            {"Label11", "QLabel"},
            {"E_ap", "QLineEdit"},
            {"Label12", "QLabel"},
            {"E_dp", "QLineEdit"},
            {"Label2", "QLabel"},
            {"E_aq", "QLineEdit"},
            {"Label5", "QLabel"},
            {"E_fai", "QLineEdit"},
            {"Label6", "QLabel"},
            {"M_wv", "QLineEdit"},
            {"Panel5", "QFrame"},
            {"Label4", "QLabel"},
            {"Q3", "QLineEdit"},
            {"HSCal", "QPushButton"},
            {"Shape2", "QFrame"},
            {"Select2", "QLabel"},
            {"Set_Button2", "QPushButton"},
            {"KiguStyleCB", "QComboBox"},
            {"bRB1", "QRadioButton"},
            {"GroupBox9", "QGroupBox"},
            {"Blank2", "QWidget"},
            {"hsbox", "ColumnListBox"},
            {"h_spli", "SplitterBar"},
            {"h_pro", "QGroupBox"},
            {"bRB2", "QRadioButton"},
            {"Label15", "QLabel"},
            {"bE_w", "QLineEdit"},
            {"xxbn2", "QToolButton"},
            {"bE_h", "QLineEdit"},
            {"BP2", "QPushButton"},
            {"Label18", "QLabel"},
            {"hsk", "QLineEdit"},
            {"Label25", "QLabel"},
            {"hsv", "QLineEdit"},
            {"l_hm", "QLabel"},
            {"hsj", "QLineEdit"},
            {"l_ym", "QLabel"},
            {"hsy", "QLineEdit"},
            {"Label3", "QLabel"},
            {"haq", "QLineEdit"},
        };
        for (const auto& c : controls)
            QTest::newRow(c[0]) << QString::fromLatin1(c[0]) << QString::fromLatin1(c[1]);
    }
    void everyControlByName() {
        QFETCH(QString, name);
        QFETCH(QString, className);
        WindowUnderTest w(fx->options());
        QObject* o = w.findChild<QObject*>(name);
        QVERIFY2(o, qPrintable(name));
        QVERIFY2(o->inherits(className.toLatin1().constData()), o->metaObject()->className());
    }

    void initialStateOfThePages() {
        WindowUnderTest w(fx->options({"/JPN"}));
        for (QPushButton* b : {w.SP1, w.SP2, w.HSCal, w.BP2})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(w.RBT1->isChecked());
        QVERIFY(w.bRB1->isChecked());
        QCOMPARE(w.whl->columns(), 4);
        QCOMPARE(w.hsbox->columns(), 4);
        for (QLineEdit* e : {w.E_w, w.E_h, w.E_as, w.E_aq, w.bE_w, w.hsk, w.haq}) {
            QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));
            QCOMPARE(e->palette().color(QPalette::Base), e->palette().color(QPalette::Button));
            QVERIFY(e->text().isEmpty());
        }
        QVERIFY(!w.Q1->isReadOnly());
        QVERIFY(w.Q1->font().bold() && w.whl->font().bold() && w.xxbn2->font().bold());
        QCOMPARE(w.d_pro->height(), 105);
        QCOMPARE(w.Panel1->height(), 59);
        QCOMPARE(w.BottomPanel->height(), 16);
        QCOMPARE(w.d_spli->height(), 5);
        QCOMPARE(w.air_b->pos(), QPoint(8, 3));
        QCOMPARE(w.air_f->pos(), QPoint(9, 4));
        QCOMPARE(w.air_b->text(), w.air_f->text());
        for (QLabel* l : {w.air_b, w.air_f}) {
            QVERIFY(l->font().bold());
            QCOMPARE(l->font().pixelSize(), 11);
            // Hinting widens a synthetic bold; the line must still show whole.
            QVERIFY(l->fontMetrics().horizontalAdvance(l->text()) <= l->width());
        }
        QCOMPARE(w.minimumSize(), QSize(290, 265));
        QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
    }

    // The top panels follow their width; the property boxes keep the right-hand
    // pairs at their distance from the right edge. Checked before and after
    // the window is shown, since the pages are sized before it first appears.
    void widthRules() {
        WindowUnderTest w(fx->options());
        auto check = [&w] {
            const int W = w.Panel1->width();
            QCOMPARE(W, w.TabSheet1->width());
            QCOMPARE(w.Panel5->width(), W);
            QCOMPARE(w.DuctStyleCB->width(), W - 74);
            QCOMPARE(w.KiguStyleCB->width(), W - 74);
            QCOMPARE(w.SP1->x(), W - 57);
            QCOMPARE(w.HSCal->x(), W - 57);
            QCOMPARE(w.Shape1->width(), W - 10);
            QCOMPARE(w.Shape2->width(), W - 10);
            QCOMPARE(w.Q1->geometry(), QRect(88, 0, W - 148, 20));
            QCOMPARE(w.Q3->geometry(), QRect(88, 0, W - 148, 20));
            QCOMPARE(w.Shape1->y(), 21);
            QCOMPARE(w.d_pro->width() - w.E_wv->x(), w.h_pro->width() - w.hsj->x());
            QCOMPARE(w.d_pro->y() + w.d_pro->height(), w.TabSheet1->height());
            QCOMPARE(w.RBT2->y(), w.d_pro->y());
        };
        check();
        const int before = w.TabSheet1->width();
        const int rightGap = w.d_pro->width() - w.E_wv->x();
        showAndWait(w);
        QCOMPARE(w.TabSheet1->width(), before);
        check();
        w.resize(400, 420);
        QTRY_COMPARE(w.width(), 400);
        check();
        QCOMPARE(w.d_pro->width() - w.E_wv->x(), rightGap);
        QCOMPARE(w.d_pro->width() - w.SP2->x(), w.h_pro->width() - w.BP2->x());
    }

    // Every control of the size row stands within the row's design tops; a
    // click on any visible part of a property field is that field's, even
    // where a caption's rectangle on the right reaches over its end (English
    // captions, and E_aq grown to a wide reference flow).
    void propertyRowsAndClicks_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("Japanese") << QStringLiteral("/JPN");
        QTest::newRow("English") << QStringLiteral("/ENG");
    }
    void propertyRowsAndClicks() {
        QFETCH(QString, language);
        WindowUnderTest w(fx->options({language}));
        showAndWait(w);
        for (QWidget* c : std::initializer_list<QWidget*>{w.Label7, w.E_w, w.xxbn, w.E_h, w.SP2}) {
            QVERIFY2(c->y() >= 16 && c->y() <= 20, qPrintable(c->objectName()));
        }
        QCOMPARE(w.BP2->y(), w.SP2->y());
        // A pick writes a reference flow, which sizes E_aq to its digits.
        QTest::keyClicks(w.Q1, QStringLiteral("1000"));
        QTest::keyClick(w.Q1, Qt::Key_Return);
        QVERIFY(w.whl->count() > 3);
        QTest::mouseClick(w.whl->viewport(), Qt::LeftButton, {},
                          w.whl->visualItemRect(w.whl->item(3)).center());
        QVERIFY(!w.E_aq->text().isEmpty());
        for (QLineEdit* f : {w.E_as, w.E_ap, w.E_aq, w.E_wv, w.E_dp, w.E_fai, w.M_wv}) {
            const QPoint end(f->x() + f->width() - 1, f->y() + f->height() / 2);
            QCOMPARE(w.d_pro->childAt(end), f);
        }
        for (QLineEdit* f : {w.hsk, w.hsv, w.haq, w.hsj, w.hsy}) {
            const QPoint end(f->x() + f->width() - 1, f->y() + f->height() / 2);
            QCOMPARE(w.h_pro->childAt(end), f);
        }
    }

    // One column more or less per resize event, with a gap between 65 and 70
    // pixels per column; hsbox follows whl.
    void columnRule() {
        WindowUnderTest w(fx->options());
        showAndWait(w);
        QCOMPARE(w.whl->columns(), 4);
        w.resize(700, 360);
        QTRY_COMPARE(w.width(), 700);
        QCOMPARE(w.whl->columns(), 5); // one step, not all the way
        QVERIFY(w.whl->width() / 6 > 70);
        w.resize(701, 360);
        QTRY_COMPARE(w.width(), 701);
        QCOMPARE(w.whl->columns(), 6);
        QCOMPARE(w.hsbox->columns(), 6);
        w.resize(291, 360);
        QTRY_COMPARE(w.width(), 291);
        QCOMPARE(w.whl->columns(), 5);
        QCOMPARE(w.hsbox->columns(), 5);
        w.resize(292, 360);
        QTRY_COMPARE(w.width(), 292);
        QCOMPARE(w.whl->columns(), 4);
        // Inside the gap nothing moves.
        const int width = w.whl->width();
        QVERIFY(width / 4 >= 65 && width / 5 <= 70);
        w.resize(293, 360);
        QTRY_COMPARE(w.width(), 293);
        QCOMPARE(w.whl->columns(), 4);
        // The column count never falls below one.
        w.whl->setProperty("columns", 0);
        QCOMPARE(w.whl->property("columns").toInt(), 1);
        w.whl->setColumns(1);
        w.followSize();
        QVERIFY(w.whl->columns() >= 1);
    }

    void columnsLayTheItemsOut() {
        WindowUnderTest w(fx->options());
        showAndWait(w);
        for (int i = 0; i < 12; ++i)
            w.whl->addItem(QString::number(i));
        const QRect first = w.whl->visualItemRect(w.whl->item(0));
        const QRect second = w.whl->visualItemRect(w.whl->item(1));
        QCOMPARE(second.x(), first.x()); // top to bottom first
        QVERIFY(second.y() > first.y());
        int i = 1;
        while (i < w.whl->count() && w.whl->visualItemRect(w.whl->item(i)).x() == first.x())
            ++i;
        QVERIFY(i > 2 && i < w.whl->count());
        const QRect next = w.whl->visualItemRect(w.whl->item(i));
        QCOMPARE(next.y(), first.y()); // then into the next column
        QCOMPARE(next.x() - first.x(), w.whl->contentsRect().width() / w.whl->columns());
    }

    void splitterResizesThePropertyBox() {
        WindowUnderTest w(fx->options());
        showAndWait(w);
        QSignalSpy moved(w.d_spli, &SplitterBar::moved);
        // Dragging down makes the box lower; rows vanish by its height.
        QVERIFY(w.d_spli->dragBy(-25));
        QCOMPARE(w.d_pro->height(), 80);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(w.RBT2->y(), w.d_pro->y());
        QCOMPARE(w.d_spli->y() + 5, w.d_pro->y());
        QVERIFY(w.E_as->isVisibleTo(w.d_pro) && w.E_dp->isVisibleTo(w.d_pro));
        QVERIFY(!w.E_aq->isVisibleTo(w.d_pro) && !w.M_wv->isVisibleTo(w.d_pro));
        // Never taller than 110 pixels.
        QVERIFY(w.d_spli->dragBy(30));
        QCOMPARE(w.d_pro->height(), 110);
        QVERIFY(!w.d_spli->dragBy(1));
        QCOMPARE(w.d_pro->height(), 110);
        QVERIFY(w.M_wv->isVisibleTo(w.d_pro));
        // Never below its minimum of one pixel.
        w.d_spli->dragBy(-500);
        QCOMPARE(w.d_pro->height(), 1);
        QVERIFY(!w.E_w->isVisibleTo(w.d_pro));
        // The air-terminal splitter only moves its radio button.
        QVERIFY(w.h_spli->dragBy(-40));
        QCOMPARE(w.h_pro->height(), 65);
        QCOMPARE(w.bRB2->y(), w.h_pro->y());
        QVERIFY(w.haq->isVisibleTo(w.h_pro));
        QVERIFY(!w.h_spli->dragBy(200));
    }

    void splitterByMouse() {
        WindowUnderTest w(fx->options());
        showAndWait(w);
        const QPoint start(20, 2);
        QTest::mousePress(w.d_spli, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 32), w.d_spli->mapToGlobal(QPointF(20, 32)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.d_spli, &move);
        QTest::mouseRelease(w.d_spli, Qt::LeftButton, {}, QPoint(20, 32));
        QCOMPARE(w.d_pro->height(), 75);
    }

    void stayOnTopToggle() {
        WindowUnderTest w(fx->options());
        showAndWait(w);
        const QPoint pos = w.pos();
        const QSize size = w.size();
        w.topview->trigger();
        QVERIFY(w.topview->isChecked());
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QTRY_COMPARE(w.pos(), pos);
        QCOMPARE(w.size(), size);
        w.topview->trigger();
        QVERIFY(!w.topview->isChecked());
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QTRY_COMPARE(w.pos(), pos);
        QCOMPARE(w.size(), size);
        // The choice is what the close stores.
        w.topview->trigger();
        w.close();
        QCOMPARE(*kestrix::Settings(fx->settingsPath).load().sTop, 1);
    }

    void activationShowsTheDuctPage() {
        WindowUnderTest w(fx->options());
        showAndWait(w);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(w.Q1->hasFocus());
        w.Q1->setText(QStringLiteral("1200"));
        w.PageControl1->setCurrentWidget(w.TabSheet3);
        w.Q3->setFocus();
        // As after one of the program's dialogs.
        w.dialogClosed();
        QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
        QVERIFY(w.Q1->hasFocus());
        QCOMPARE(w.Q1->selectedText(), QStringLiteral("1200"));
    }

    // Under Fusion the tab control and the boxes paint their own frames; the
    // lines must be there, darker than what lies inside them.
    void framesArePainted() {
        if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive))
            QSKIP("the frames are the style's own");
        WindowUnderTest w(fx->options({"/JPN"}));
        showAndWait(w);
        auto darker = [](const QImage& image, QPoint line, QPoint inside) {
            return qGray(image.pixel(line)) + 10 < qGray(image.pixel(inside));
        };
        for (QGroupBox* box : {w.d_pro, w.GroupBox3}) {
            const QImage image = box->grab().toImage();
            const int w2 = image.width(), h = image.height();
            QVERIFY2(darker(image, {1, h - 8}, {4, h - 8}), qPrintable(box->objectName()));
            QVERIFY2(darker(image, {w2 - 1, h - 8}, {w2 - 4, h - 8}),
                     qPrintable(box->objectName()));
            QVERIFY2(darker(image, {w2 / 2, h - 1}, {w2 / 2, h - 4}),
                     qPrintable(box->objectName()));
        }
        const QImage pane = w.PageControl1->grab().toImage();
        const int h = pane.height();
        QVERIFY(darker(pane, {0, h - 6}, {4, h - 6}));
        QVERIFY(darker(pane, {pane.width() - 1, h - 6}, {pane.width() - 5, h - 6}));
    }

    void windowIconIsReadOnDemand() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("icon.png"));
        QImage image(64, 64, QImage::Format_ARGB32);
        image.fill(QColor(200, 40, 40));
        QVERIFY(image.save(path, "PNG"));
        const QIcon icon = LazyPngIcon(path);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(64, 64)});
        const QImage small = icon.pixmap(QSize(32, 32)).toImage();
        QCOMPARE(small.size(), QSize(32, 32));
        QCOMPARE(small.pixelColor(16, 16), QColor(200, 40, 40));
        QVERIFY(LazyPngIcon(dir.filePath(QStringLiteral("missing.png"))).isNull());
    }

    // The window's menu opens wherever the window is right-clicked, over a
    // button that cannot be pressed as well: such a control takes no mouse
    // input, which goes to the window.
    void popupMenuOverDisabledButtons() {
        WindowUnderTest w(fx->options());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (QPushButton* button : {w.SP1, w.SP2}) {
            QVERIFY(!button->isEnabled());
            QTest::mouseClick(button, Qt::RightButton, {}, QPoint(5, 5));
            QTRY_VERIFY(w.PopupMenu1->isVisible());
            w.PopupMenu1->hide();
        }
    }

    void popupMenuItems() {
        WindowUnderTest w(fx->options({"/JPN"}));
        QCOMPARE(w.PopupMenu1->actions(), (QList<QAction*>{w.topview, w.ductSystem, w.about}));
        QVERIFY(w.topview->isCheckable());
        QVERIFY(!w.topview->isChecked());
        // The about box opens modally; after it closes the duct page is shown
        // with the focus in Q1, even when the other page was shown before.
        w.show();
        w.PageControl1->setCurrentWidget(w.TabSheet3);
        QString opened;
        QTimer::singleShot(50, &w, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->close();
            }
        });
        w.about->trigger();
        QCOMPARE(opened, QStringLiteral("AboutBox"));
        QVERIFY(fx->messages->empty());
        QTRY_COMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
