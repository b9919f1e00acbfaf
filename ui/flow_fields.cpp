// The flow-rate fields Q1 (duct page) and Q3 (air-terminal page): Enter, the
// change handlers, the click that brings back the last expression, and the
// evaluation that the calculate actions run.

#include "ui/main_window.h"

#include "config/codepage.h"
#include "ui/column_list_box.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

QString TForm1::EvaluateFlowText(const QString& text) {
    // The evaluator reads code-page text and counts its length limit in its
    // bytes; a character the code page cannot hold comes as "?", as Windows
    // converts it.
    return QString::fromStdString(evaluator.EvaluateFlowText(kestrix::ToCp932Lossy(text)));
}

void TForm1::Q1KeyPress() {
    if (SP2->isEnabled()) SP2Click();
    if (SP1->isEnabled()) SP1Click();
    Q1->setFocus();
}

void TForm1::Q3KeyPress() {
    if (BP2->isEnabled()) BP2Click();
    if (HSCal->isEnabled()) HSCalClick();
    Q3->setFocus();
}

void TForm1::ClearDuctResults() {
    whl->clear();
    dvlst.clear();
    dplst.clear();
    aslst.clear();
    aplst.clear();
}

// The size text for the clipboard and the property fields of the duct page.
void TForm1::ClearDuctProperties() {
    DuctSizeText.clear();
    for (QLineEdit* e : {E_as, E_wv, E_dp, E_ap, E_aq, E_fai, M_wv})
        e->clear();
}

void TForm1::ClearTerminalResults() {
    hsbox->clear();
    HSVV.clear();
}

void TForm1::Q1Change() {
    SP1->setEnabled(!Q1->text().isEmpty() && RBT1->isChecked());
    SP2->setEnabled(RBT2->isChecked() && DuctSizeAndFlowPlain());
    ClearDuctResults();
    if (!RBT2->isChecked()) {
        E_w->clear();
        E_h->clear();
    }
    ClearDuctProperties();
}

void TForm1::Q3Change() {
    HSCal->setEnabled(!Q3->text().isEmpty() && bRB1->isChecked());
    BP2->setEnabled(Plain(Q3) && bRB2->isChecked() &&
                    (bE_h->isVisibleTo(h_pro) ? Plain(bE_w) && Plain(bE_h) : Plain(bE_w)));
    // A new flow empties the results of both pages.
    ClearDuctResults();
    if (!bRB2->isChecked()) {
        bE_w->clear();
        bE_h->clear();
    }
    ClearDuctProperties();
    ClearTerminalResults();
    for (QLineEdit* e : {hsv, hsj, hsy, haq})
        e->clear();
}

void TForm1::Q1Click() {
    if (!LastFlowExpression.isEmpty()) Q1->setText(LastFlowExpression);
}

void TForm1::Q3Click() {
    if (!LastFlowExpression.isEmpty()) Q3->setText(LastFlowExpression);
}
