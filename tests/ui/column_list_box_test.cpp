// The candidate list paints its entries from text laid out once: every
// pixel must stay what the style paints for the same entries.

#include "ui/column_list_box.h"
#include "ui/fonts.h"

#include <QImage>
#include <QStyledItemDelegate>
#include <QTest>

class ColumnListBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void paintsAsTheStyleDoes_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("picked");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("enabled");
        const QFont results = kestrix::BoldUiFont(12);
        const QFont english = kestrix::EnglishUiFont(9);
        // Columns of about 70 pixels as in a wide window, and narrow ones in
        // which the longer sizes are elided.
        QTest::newRow("results font, wide columns") << results << 700 << -1 << false << true;
        QTest::newRow("results font, narrow columns") << results << 150 << -1 << false << true;
        QTest::newRow("results font, picked, focused") << results << 700 << 3 << true << true;
        QTest::newRow("results font, picked, not focused") << results << 700 << 7 << false << true;
        QTest::newRow("results font, disabled") << results << 700 << 5 << false << false;
        QTest::newRow("English font, picked, narrow") << english << 190 << 12 << true << true;
    }

    void paintsAsTheStyleDoes() {
        QFETCH(QFont, font);
        QFETCH(int, width);
        QFETCH(int, picked);
        QFETCH(bool, focused);
        QFETCH(bool, enabled);
        const QStringList texts = {
            QStringLiteral("283Φ"),       QStringLiteral("300x250"),   QStringLiteral("250□"),
            QStringLiteral("1000x1000"),  QStringLiteral("450φ"),      QStringLiteral("ﾀﾞｸﾄ 200"),
            QStringLiteral("2500x2000"),  QStringLiteral("ＭＳ 15"),   QStringLiteral("7"),
            QStringLiteral("12345x6789"), QStringLiteral(" 150x100 "), QStringLiteral("φ"),
            QStringLiteral("300x250")};
        QWidget window;
        window.resize(width * 2 + 10, 200);
        ColumnListBox fast(&window);
        ColumnListBox styled(&window);
        styled.setItemDelegate(new QStyledItemDelegate(&styled));
        QAbstractItemDelegate* const styleDelegate = fast.itemDelegate();
        int x = 0;
        for (ColumnListBox* list : {&fast, &styled}) {
            list->setFont(font);
            list->setColumns(4);
            list->setGeometry(x, 0, width, 120);
            x += width + 10;
            for (int round = 0; round < 8; ++round)
                list->addItems(texts);
            if (picked >= 0) list->setCurrentRow(picked);
            list->setEnabled(enabled);
        }
        // Its own painter comes with the first entries; the one chosen for
        // the other list stays.
        QVERIFY(fast.itemDelegate() != styleDelegate);
        QVERIFY(styled.itemDelegate() != styleDelegate);
        // Whichever list is painted has the focus, or neither has.
        QWidget elsewhere(&window);
        elsewhere.setFocusPolicy(Qt::StrongFocus);
        elsewhere.setGeometry(0, 150, 10, 10);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto painted = [&](ColumnListBox& list) {
            if (focused)
                list.setFocus();
            else
                elsewhere.setFocus();
            return list.grab().toImage();
        };
        // Painted twice: the second paint comes from the layouts kept.
        painted(fast);
        QCOMPARE(painted(fast), painted(styled));
        // A new list of other texts, in the same places.
        for (ColumnListBox* list : {&fast, &styled}) {
            list->clear();
            for (const QString& text : texts)
                list->addItem(text + QStringLiteral("0"));
        }
        QCOMPARE(painted(fast), painted(styled));
    }
};

QTEST_MAIN(ColumnListBoxTest)
#include "column_list_box_test.moc"
