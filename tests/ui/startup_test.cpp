// Start-up and closing of the main window: language, captions, fonts, the
// configuration files and the settings kept between runs.

#include "window_fixture.h"

#include "ui/column_list_box.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>

#include <limits>

#include <sys/stat.h>

class StartupTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<UiFixture> fx;

    static QRect ScreenRect() { return QGuiApplication::primaryScreen()->geometry(); }

  private slots:
    void init() {
        fx = std::make_unique<UiFixture>();
        fx->writeStandardConfig();
    }
    void cleanup() {
        QVERIFY2(fx->modalLeftOpen.isEmpty(), qPrintable(fx->modalLeftOpen));
        fx.reset();
    }

    void languageRule_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("systemJapanese");
        QTest::addColumn<bool>("japanese");
        QTest::newRow("/ENG on a Japanese system") << QStringList{"/ENG"} << true << false;
        QTest::newRow("/eng lower case") << QStringList{"/eng"} << true << false;
        QTest::newRow("/JPN") << QStringList{"/JPN"} << false << true;
        QTest::newRow("/Jpn mixed case") << QStringList{"/Jpn"} << false << true;
        QTest::newRow("other parameter gives English") << QStringList{"/FR"} << true << false;
        QTest::newRow("second parameter ignored") << QStringList{"/JPN", "/ENG"} << false << true;
        QTest::newRow("no parameter, Japanese locale") << QStringList{} << true << true;
        QTest::newRow("no parameter, other locale") << QStringList{} << false << false;
    }
    void languageRule() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, systemJapanese);
        QFETCH(bool, japanese);
        MainWindowOptions o = fx->options(arguments);
        o.systemJapanese = systemJapanese;
        WindowUnderTest w(o);
        QCOMPARE(w.session().japanese(), japanese);
        QCOMPARE(w.Label1->text(), japanese ? QStringLiteral("風量(&F) [CMH]：")
                                            : QStringLiteral("&Flow Rate[CMH]:"));
        QCOMPARE(w.DuctStyleCB->itemText(0),
                 japanese ? QStringLiteral("低速ダクト") : QStringLiteral("Low velocity"));
    }

    void japaneseCaptionsAndFonts() {
        WindowUnderTest w(fx->options({"/JPN"}));
        QVERIFY(fx->messages->empty());
        QCOMPARE(w.objectName(), QStringLiteral("Form1"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Kestrix ver.1.55"));
        QCOMPARE(w.PageControl1->tabText(0), QStringLiteral("ダクトサイズ(&D)"));
        QCOMPARE(w.PageControl1->tabText(1), QStringLiteral("吹出・吸込口(&G)"));
        QCOMPARE(w.topview->text(), QStringLiteral("最上部に表示(&T)"));
        QCOMPARE(w.about->text(), QStringLiteral("バージョン情報(&A)"));
        QCOMPARE(w.Label11->text(), QStringLiteral("動圧[kgf/㎡]："));
        QCOMPARE(w.Label12->text(), QStringLiteral("Δp[mmAq/m]："));
        QCOMPARE(w.session().diameterMark(), QStringLiteral("φ"));
        QCOMPARE(kestrix::DuctPage::frictionLossCaption(true), QStringLiteral("Δp[Pa/m]："));

        QCOMPARE(w.font().pixelSize(), 12);
        const QStringList japaneseFaces{"ＭＳ Ｐゴシック",  "MS PGothic", "IPAPGothic",
                                        "IPAexGothic",      "VL PGothic", "TakaoPGothic",
                                        "Noto Sans CJK JP", "IPAGothic"};
        const QString used = QFontInfo(w.font()).family();
        if (!japaneseFaces.contains(used)) QSKIP("no Japanese proportional Gothic on this system");
        QVERIFY(QFontInfo(w.Q1->font()).bold());
        QVERIFY(QFontInfo(w.hsbox->font()).bold());
        QVERIFY(!QFontInfo(w.Label1->font()).bold());

        const QFontMetrics fm(w.font());
        for (QRadioButton* r : {w.RBT1, w.RBT2, w.bRB1, w.bRB2})
            QCOMPARE(r->width(), fm.horizontalAdvance(r->text()) + 22);
    }

    void englishCaptionsAndFonts() {
        WindowUnderTest w(fx->options({"/ENG"}));
        QVERIFY(fx->messages->empty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Kestrix ver.1.55"));
        QCOMPARE(w.PageControl1->tabText(0), QStringLiteral("&Duct Size"));
        QCOMPARE(w.PageControl1->tabText(1), QStringLiteral("Diffuser, Air &Grille"));
        QCOMPARE(w.topview->text(), QStringLiteral("View on &Top Most"));
        QCOMPARE(w.about->text(), QStringLiteral("&About"));
        QCOMPARE(w.Label1->text(), QStringLiteral("&Flow Rate[CMH]:"));
        QCOMPARE(w.Label4->text(), QStringLiteral("&Flow Rate[CMH]:"));
        QCOMPARE(w.SP1->text(), QStringLiteral("&Calc"));
        QCOMPARE(w.HSCal->text(), QStringLiteral("Ca&lc"));
        QCOMPARE(w.Set_Button2->text(), QStringLiteral("P&roperties"));
        QCOMPARE(w.BP2->text(), QStringLiteral("&ReCalc"));
        QCOMPARE(w.l_hm->text(), QStringLiteral("Necessary Area[m²]:"));
        QCOMPARE(w.Label11->text(), QStringLiteral("Dynamic Pr.[kgf/m²]:"));
        QCOMPARE(w.Label12->text(), QStringLiteral("DeltaPr.[mmAq/m]:"));
        QCOMPARE(w.session().diameterMark(), QStringLiteral("Φ"));
        // Not changed by the language.
        QCOMPARE(w.Label7->toolTip(), QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸするとW・Hが入れ替わります"));
        QCOMPARE(w.xxbn->text(), QStringLiteral("x"));

        // The window's font is 8 pt; fields with a font of their own keep the
        // 12 px design font, bold.
        QCOMPARE(w.font().pointSize(), 8);
        QCOMPARE(w.Label11->font().pointSize(), 8);
        QCOMPARE(w.E_as->font().pixelSize(), 12);
        QVERIFY(w.E_as->font().bold());
        QCOMPARE(w.xxbn->font().pixelSize(), 12);
        const QFontMetrics fm(w.font());
        for (QRadioButton* r : {w.RBT1, w.RBT2, w.bRB1, w.bRB2})
            QCOMPARE(r->width(), fm.horizontalAdvance(r->text()) + 22);

        // Text is set glyph by glyph at the glyphs' own advances, without the
        // kerning pairs that would pull "Pr." or "Velocity" together.
        for (const QFont& f : {w.font(), w.E_as->font(), w.air_b->font()}) {
            const QFontMetricsF m(f);
            for (const QString pair : {"AV", "To", "Pr", "Ve", "Ty", "r."})
                QCOMPARE(m.horizontalAdvance(pair),
                         m.horizontalAdvance(pair.at(0)) + m.horizontalAdvance(pair.at(1)));
        }
    }

    void styleListsAndConditionLines() {
        {
            WindowUnderTest w(fx->options({"/ENG"}));
            QCOMPARE(w.DuctStyleCB->count(), 3);
            QCOMPARE(w.DuctStyleCB->itemText(2), QStringLiteral("Stainless"));
            QCOMPARE(w.KiguStyleCB->count(), 2);
            QCOMPARE(w.DuctStyleCB->currentIndex(), 0);
            QCOMPARE(w.KiguStyleCB->currentIndex(), 0);
            QCOMPARE(w.Select->text(),
                     QStringLiteral("Condition:          Steel , 0.10 mmAq/m ,  8.0 m/s"));
            QCOMPARE(w.Select2->text(),
                     QStringLiteral("Condition: Free Area -  70 %, Velocity -   3.0 m/s"));
            QCOMPARE(w.session().ductCriteria.roughness, 0.15);
            QCOMPARE(w.session().terminalCriteria.ratio, 0.7);
        }
        {
            WindowUnderTest w(fx->options({"/JPN"}));
            QCOMPARE(w.DuctStyleCB->itemText(0), QStringLiteral("低速ダクト"));
            QCOMPARE(w.DuctStyleCB->itemText(2), QStringLiteral("ｽﾃﾝﾚｽ"));
            QCOMPARE(w.KiguStyleCB->itemText(1), QStringLiteral("グリル"));
            // The name fills 14 bytes of the code page: 亜鉛鉄板 takes 8.
            QCOMPARE(w.Select->text(),
                     QStringLiteral("選定基準：      亜鉛鉄板 , 0.10 mmAq/m ,  8.0 m/s"));
            QCOMPARE(w.Select2->text(),
                     QStringLiteral("選定基準： 開口率･･･  70 % , 面風速･･･   3.0 m/s"));
        }
    }

    void storedPaStyleShowsPaCaptions() {
        fx->writeSettings({{"Top", 110},
                           {"Left", 254},
                           {"Width", 291},
                           {"Height", 360},
                           {"D_prop", 105},
                           {"H_prop", 105},
                           {"S_TOP", 0},
                           {"S_cnt", 1},
                           {"K_cnt", 1}});
        WindowUnderTest w(fx->options({"/JPN"}));
        QCOMPARE(w.DuctStyleCB->currentIndex(), 1);
        QCOMPARE(w.KiguStyleCB->currentIndex(), 1);
        QVERIFY(w.session().ductCriteria.pressureInPa);
        QCOMPARE(w.Label11->text(), QStringLiteral("動圧[Pa]："));
        QCOMPARE(w.Label12->text(), QStringLiteral("Δp[Pa/m]："));
        QCOMPARE(w.Select->text(),
                 QStringLiteral("選定基準：      亜鉛鉄板 ,  1.0 Pa/m , 15.0 m/s"));
    }

    // Stored geometry and panel heights, each case against the screen the
    // test runs on.
    void storedGeometry_data() {
        const QRect a = ScreenRect();
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("dPro");
        QTest::addColumn<int>("hPro");
        auto row = [](int top, int left, int width, int height) {
            return QVariantMap{{"Top", top}, {"Left", left}, {"Width", width}, {"Height", height}};
        };
        QVariantMap m = row(10, 2000, 291, 360);
        QTest::newRow("past the right edge")
            << m << QRect(a.right() + 1 - 291, 10, 291, 360) << 105 << 105;
        m = row(-50, 100, 291, 360);
        QTest::newRow("above the screen") << m << QRect(100, 0, 291, 360) << 105 << 105;
        m = row(20, 30, 300, 300);
        m["D_prop"] = 0;
        m["H_prop"] = -7;
        QTest::newRow("panel heights below 1") << m << QRect(30, 20, 300, 300) << 1 << 1;
        m = row(20, 30, 300, 300);
        m["D_prop"] = 60;
        QTest::newRow("H_prop missing") << m << QRect(30, 20, 300, 300) << 60 << 105;
        m = row(20, 30, 300, 300);
        m["D_prop"] = QStringLiteral("tall");
        m["H_prop"] = 50;
        QTest::newRow("D_prop not a number ends the block")
            << m << QRect(30, 20, 300, 300) << 105 << 105;
        m = row(20, 30, 300, 300);
        m["Height"] = QStringLiteral("abc");
        m["D_prop"] = 50;
        QTest::newRow("geometry incomplete: design geometry, no panel heights")
            << m << QRect(254, 110, 291, 360) << 105 << 105;
        m = row(5000, 6000, 300, 300);
        QTest::newRow("off every screen")
            << m << QRect(a.right() + 1 - 300, a.bottom() + 1 - 300, 300, 300) << 105 << 105;
        m = row(0, 0, 100000, 100000);
        QTest::newRow("absurdly large")
            << m << QRect(a.x(), a.y(), a.width(), a.height()) << 105 << 105;
        m = row(40, 50, 10, 10);
        QTest::newRow("below the minimum size") << m << QRect(50, 40, 290, 265) << 105 << 105;
        m = row(std::numeric_limits<int>::max(), std::numeric_limits<int>::max() - 100, 291, 360);
        QTest::newRow("at the integer limit")
            << m << QRect(a.right() + 1 - 291, a.bottom() + 1 - 360, 291, 360) << 105 << 105;
        m = row(std::numeric_limits<int>::min(), std::numeric_limits<int>::min(), 291, 360);
        QTest::newRow("at the lowest integer") << m << QRect(a.x(), a.y(), 291, 360) << 105 << 105;
    }
    void storedGeometry() {
        QFETCH(QVariantMap, stored);
        QFETCH(QRect, geometry);
        QFETCH(int, dPro);
        QFETCH(int, hPro);
        fx->writeSettings(stored);
        WindowUnderTest w(fx->options());
        QCOMPARE(QRect(w.pos(), w.size()), geometry);
        QCOMPARE(w.d_pro->height(), dPro);
        QCOMPARE(w.h_pro->height(), hPro);
        QCOMPARE(w.RBT2->y(), w.d_pro->y());
        QCOMPARE(w.bRB2->y(), w.h_pro->y());
    }

    // The program's own store in the user's configuration folder, beside the
    // organisation's file Norvale.ini, which is never read.
    void storedStyles_data() {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QVariantMap>("organisation");
        QTest::addColumn<int>("duct");
        QTest::addColumn<int>("terminal");
        QTest::addColumn<bool>("onTop");
        const QVariantMap none;
        QTest::newRow("both read")
            << QVariantMap{{"S_TOP", 0}, {"S_cnt", 2}, {"K_cnt", 1}} << none << 2 << 1 << false;
        QTest::newRow("stay on top")
            << QVariantMap{{"S_TOP", 1}, {"S_cnt", 1}, {"K_cnt", 0}} << none << 1 << 0 << true;
        QTest::newRow("S_TOP missing: indices not read")
            << QVariantMap{{"S_cnt", 2}, {"K_cnt", 1}} << none << 0 << 0 << false;
        QTest::newRow("S_TOP only in Norvale.ini: not read")
            << QVariantMap{{"S_cnt", 2}, {"K_cnt", 1}} << QVariantMap{{"S_TOP", 1}} << 0 << 0
            << false;
        QTest::newRow("S_cnt beyond the list")
            << QVariantMap{{"S_TOP", 0}, {"S_cnt", 5}, {"K_cnt", 1}} << none << 0 << 1 << false;
        QTest::newRow("negative indices")
            << QVariantMap{{"S_TOP", 0}, {"S_cnt", -3}, {"K_cnt", -1}} << none << 0 << 0 << false;
        QTest::newRow("S_cnt not a number ends the block")
            << QVariantMap{{"S_TOP", 0}, {"S_cnt", "two"}, {"K_cnt", 1}} << none << 0 << 0 << false;
    }
    void storedStyles() {
        QFETCH(QVariantMap, stored);
        QFETCH(QVariantMap, organisation);
        QFETCH(int, duct);
        QFETCH(int, terminal);
        QFETCH(bool, onTop);
#ifdef Q_OS_WIN
        // Windows keeps the settings in the registry, where the organisation's
        // INI file has no place: the rows run on the test's own file.
        if (!organisation.isEmpty()) QSKIP("the organisation's INI file is a Unix place");
        fx->writeSettings(stored);
        WindowUnderTest w(fx->options());
#else
        const QString userFolder = fx->dir.filePath(QStringLiteral("xdg"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userFolder);
        for (const auto& [file, values] :
             {std::pair{QStringLiteral("Norvale/Kestrix.ini"), stored},
              std::pair{QStringLiteral("Norvale.ini"), organisation}}) {
            QSettings s(userFolder + QLatin1Char('/') + file, QSettings::IniFormat);
            for (auto it = values.begin(); it != values.end(); ++it)
                s.setValue(it.key(), it.value());
        }
        QCOMPARE(kestrix::Settings().location(),
                 userFolder + QStringLiteral("/Norvale/Kestrix.ini"));
        MainWindowOptions options = fx->options();
        options.settingsFactory = [] { return std::make_unique<kestrix::Settings>(); };
        WindowUnderTest w(options);
#endif
        QCOMPARE(w.session().selectedDuctStyle, duct);
        QCOMPARE(w.DuctStyleCB->currentIndex(), duct);
        QCOMPARE(w.session().selectedTerminalStyle, terminal);
        QCOMPARE(w.KiguStyleCB->currentIndex(), terminal);
        QCOMPARE(w.topview->isChecked(), onTop);
        QCOMPARE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        QVERIFY(!w.Select->text().isEmpty());
    }

    void missingKeyCentresTheWindow() {
        WindowUnderTest w(fx->options());
        const QRect a = w.screen()->geometry();
        QCOMPARE(w.size(), QSize(291, 360));
        QCOMPARE(w.pos(), QPoint(a.x() + (a.width() - 291) / 2, a.y() + (a.height() - 360) / 2));
    }

    void closingWritesSettingsInOrderAndExitsWithOne() {
        fx->writeSettings({{"Top", 30},
                           {"Left", 40},
                           {"Width", 320},
                           {"Height", 400},
                           {"D_prop", 80},
                           {"H_prop", 90},
                           {"S_TOP", 1},
                           {"S_cnt", 2},
                           {"K_cnt", 1}});
        {
            WindowUnderTest w(fx->options());
            QVERIFY(fx->exits->empty());
            w.close();
            QCOMPARE(*fx->exits, std::vector<int>{1});
            QVERIFY(!w.isRunning());
        }
        QCOMPARE(*fx->writeLog, (QStringList{"Top", "Left", "Width", "Height", "D_prop", "H_prop",
                                             "S_cnt", "K_cnt", "S_TOP"}));
        kestrix::Settings reread(fx->settingsPath);
        const kestrix::StoredSettings s = reread.load();
        QVERIFY(s.hasGeometry());
        QCOMPARE(*s.top, 30);
        QCOMPARE(*s.left, 40);
        QCOMPARE(*s.width, 320);
        QCOMPARE(*s.height, 400);
        QCOMPARE(*s.dProp, 80);
        QCOMPARE(*s.hProp, 90);
        QCOMPARE(*s.sTop, 1);
        QCOMPARE(*s.sCnt, 2);
        QCOMPARE(*s.kCnt, 1);
    }

    void firstCloseCreatesTheSettings() {
        QVERIFY(!QFileInfo::exists(fx->settingsPath));
        WindowUnderTest w(fx->options());
        w.close();
        QVERIFY(QFileInfo::exists(fx->settingsPath));
        QCOMPARE(*kestrix::Settings(fx->settingsPath).load().width, 291);
    }

    void missingFileIsFatal_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("ductStyles");
        QTest::newRow("duct styles") << "KSX_Set1_e.cfg" << 0;
        QTest::newRow("materials") << "ksx_mate_e.cfg" << 3;
        QTest::newRow("terminal styles") << "KSX_Set2_e.cfg" << 3;
    }
    void missingFileIsFatal() {
        QFETCH(QString, file);
        QFETCH(int, ductStyles);
        QVERIFY(QFile::remove(fx->dir.filePath(file)));
        WindowUnderTest w(fx->options());
        QCOMPARE(*fx->exits, std::vector<int>{1});
        QCOMPARE(fx->messages->size(), size_t(1));
        QCOMPARE(fx->messages->front().caption, QStringLiteral("Kestrix Error"));
        QCOMPARE(fx->messages->front().text,
                 QStringLiteral("need files-[%1] are not found.\nCan not start.").arg(file));
        QCOMPARE(w.DuctStyleCB->count(), ductStyles);
        QCOMPARE(w.KiguStyleCB->count(), 0);
        // Nothing more happens, and closing writes no settings.
        w.close();
        QCOMPARE(*fx->exits, std::vector<int>{1});
        QVERIFY(fx->writeLog->isEmpty());
        QVERIFY(!QFileInfo::exists(fx->settingsPath));
    }

    void readOnlyConfigurationDirectory() {
        for (const QString& name : QDir(fx->dir.path()).entryList(QDir::Files))
            QVERIFY(QFile::setPermissions(fx->dir.filePath(name), QFileDevice::ReadOwner));
        QVERIFY(::chmod(QFile::encodeName(fx->dir.path()).constData(), 0555) == 0);
        {
            WindowUnderTest w(fx->options());
            QVERIFY(fx->messages->empty());
            QVERIFY(fx->exits->empty());
            QCOMPARE(w.DuctStyleCB->count(), 3);
            QCOMPARE(w.KiguStyleCB->count(), 2);
            w.Q1->setText(QStringLiteral("1000"));
            w.ductPage->calculate();
            QVERIFY(w.whl->count() > 0);
        }
        ::chmod(QFile::encodeName(fx->dir.path()).constData(), 0755);
    }

    void styleFilesWithoutStyles() {
        fx->writeConfig("KSX_Set1_e.cfg", ";only a comment\r\n");
        fx->writeConfig("KSX_Set2_e.cfg", "\r\n;nothing\r\n");
        WindowUnderTest w(fx->options());
        QCOMPARE(fx->messageTexts(), (QStringList{"Duct selection style is not registered.",
                                                  "Diffuser selection style is not registered."}));
        QVERIFY(fx->exits->empty());
        QCOMPARE(w.DuctStyleCB->count(), 0);
        QCOMPARE(w.DuctStyleCB->currentIndex(), -1);
        QVERIFY(w.Select->text().isEmpty());
        QVERIFY(w.Select2->text().isEmpty());
        // Calculating lists nothing: the limits in force before any style
        // (no velocity, no free area) make each page say what to correct.
        fx->messages->clear();
        w.Q1->setText(QStringLiteral("1000"));
        w.ductPage->calculate();
        QCOMPARE(w.whl->count(), 0);
        w.terminalPage->calculate();
        QCOMPARE(w.hsbox->count(), 0);
        QCOMPARE(fx->messageTexts(),
                 (QStringList{"Please correct 'Unit frictional loss' or 'maximum air velocity'",
                              "Please correct 'Free Area' or 'Surface Velocity'"}));
        // A later close stores an index the next start can use.
        w.close();
        const kestrix::StoredSettings s = kestrix::Settings(fx->settingsPath).load();
        QVERIFY(*s.sCnt <= 0);
    }

    // Rows 1 and 3: entry 1 of the list stands for the empty slot 1, whose
    // material text converts to nothing, so choosing it changes no criteria:
    // those in force, and their condition line, stay.
    void listEntryForAnEmptySlotKeepsTheCriteriaInForce() {
        fx->writeConfig("KSX_Set1_e.cfg", " 1,\"First\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                          " 3,\"Third\", 1, 3.0, 0.10, 0, 4.0\r\n");
        fx->writeSettings({{"S_TOP", 0}, {"S_cnt", 1}, {"K_cnt", 0}});
        WindowUnderTest w(fx->options());
        QCOMPARE(w.DuctStyleCB->count(), 2);
        QCOMPARE(w.DuctStyleCB->currentIndex(), 1);
        // Started on it: no style was ever applied.
        QVERIFY(w.Select->text().isEmpty());
        w.Q1->setText(QStringLiteral("1000"));
        w.ductPage->calculate();
        QCOMPARE(w.whl->count(), 0);
        QCOMPARE(fx->messageTexts(),
                 QStringList{"Please correct 'Unit frictional loss' or 'maximum air velocity'"});

        fx->messages->clear();
        w.DuctStyleCB->setCurrentIndex(0);
        w.DuctStyleCBChange();
        const QString first = w.Select->text();
        QVERIFY(first.contains(QStringLiteral("8.0 m/s")));
        const int listed = w.whl->count();
        QVERIFY(listed > 0);
        w.DuctStyleCB->setCurrentIndex(1);
        w.DuctStyleCBChange();
        QCOMPARE(w.session().selectedDuctStyle, 1);
        QCOMPARE(w.Select->text(), first);
        w.ductPage->calculate();
        QCOMPARE(w.whl->count(), listed);
        QVERIFY(fx->messages->empty());
    }

    void badRowNumbersAreReported() {
        fx->writeConfig("KSX_Set1_e.cfg", " 1,\"First\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                          " 65,\"Bad\", 1, 8.0, 0.10, 0, 4.0\r\n");
        WindowUnderTest w(fx->options());
        QCOMPARE(fx->messageTexts(),
                 QStringList{"Duct selection style number is illegitimate. Effective value 64 is "
                             "from 1."});
        QCOMPARE(fx->messages->front().kind, MessageKind::Error);
        QCOMPARE(w.DuctStyleCB->count(), 1);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
