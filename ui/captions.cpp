// The language of the captions, the unit-dependent labels and the fonts.

#include "ui/main_window.h"

#include "ui/fonts.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

QFont TForm1::DesignFont() {
    return kestrix::JapaneseUiFont(12);
}

QFont TForm1::EnglishFont() {
    return kestrix::EnglishUiFont(8);
}

QString TForm1::DuctTabCaption(bool japanese) {
    return japanese ? QStringLiteral("ダクトサイズ(&D)") : QStringLiteral("&Duct Size");
}

QString TForm1::TerminalTabCaption(bool japanese) {
    return japanese ? QStringLiteral("吹出・吸込口(&G)") : QStringLiteral("Diffuser, Air &Grille");
}

void TForm1::ApplyLanguageCaptions() {
    if (japanese_) {
        DynPressurePaCaption = QStringLiteral("動圧[Pa]：");
        DynPressureKgfCaption = QStringLiteral("動圧[kgf/㎡]：");
        LossPaCaption = QStringLiteral("Δp[Pa/m]：");
        LossMmAqCaption = QStringLiteral("Δp[mmAq/m]：");
        DiameterMark = QStringLiteral("φ");
        return;
    }

    // Controls with a font of their own (the bold fields and lists, xxbn,
    // xxbn2, the bottom strip) keep it.
    setFont(EnglishFont());

    PageControl1->setTabText(PageControl1->indexOf(TabSheet1), DuctTabCaption(false));
    PageControl1->setTabText(PageControl1->indexOf(TabSheet3), TerminalTabCaption(false));
    Label1->setText(QStringLiteral("&Flow Rate[CMH]:"));
    Label4->setText(Label1->text());
    SP1->setText(QStringLiteral("&Calc"));
    HSCal->setText(QStringLiteral("Ca&lc"));
    Set_Button1->setText(QStringLiteral("P&roperties"));
    Set_Button2->setText(Set_Button1->text());
    RBT1->setText(QStringLiteral("Duct Size [mm]"));
    RBT2->setText(QStringLiteral("Properties of selected Duct"));
    Label7->setText(QStringLiteral("Size [mm]:"));
    Label9->setText(QStringLiteral("Aspect Ratio:"));
    Label10->setText(QStringLiteral("Velocity[m/s]:"));
    Label2->setText(QStringLiteral("Standard Flow[CMH]:"));
    Label5->setText(QStringLiteral("Equivalent Dia.[mm]:"));
    Label6->setText(QStringLiteral("Velocity E.Dia.[m/s]:"));
    SP2->setText(QStringLiteral("&ReCalc"));
    BP2->setText(QStringLiteral("&ReCalc"));
    bRB1->setText(QStringLiteral("Diffuser, Air Grille Size [mm]"));
    bRB2->setText(QStringLiteral("Properties of selected Diffuser, Air Grille"));
    Label15->setText(QStringLiteral("Size[mm]:"));
    Label18->setText(QStringLiteral("Free Area[%]:"));
    l_hm->setText(QStringLiteral("Necessary Area[m²]:"));
    l_ym->setText(QStringLiteral("Effective Area[m²]:"));
    Label25->setText(QStringLiteral("Surface Velocity[m/s]:"));
    Label3->setText(QStringLiteral("Standard Flow[CMH]:"));

    DynPressurePaCaption = QStringLiteral("Dynamic Pr.[Pa]:");
    DynPressureKgfCaption = QStringLiteral("Dynamic Pr.[kgf/m²]:");
    LossPaCaption = QStringLiteral("DeltaPr.[Pa/m]:");
    LossMmAqCaption = QStringLiteral("DeltaPr.[mmAq/m]:");
    DiameterMark = QStringLiteral("Φ");

    // The tab bar follows the new font, and with it the pages' size.
    LayoutWindow();
}

void TForm1::ApplyUnitCaptions() {
    if (PressureInPa()) {
        Label11->setText(DynPressurePaCaption);
        Label12->setText(LossPaCaption);
    } else {
        Label11->setText(DynPressureKgfCaption);
        Label12->setText(LossMmAqCaption);
    }
    // The captions of the two units differ in width.
    LayoutDuctProperties();
}

void TForm1::ApplyRadioWidths() {
    const QFontMetrics metrics(font());
    for (QRadioButton* r : {RBT1, RBT2, bRB1, bRB2})
        r->resize(metrics.horizontalAdvance(r->text()) + 22, r->height());
}
