// Handlers of the air-terminal page. Start-up needs the style choice, the
// calculate and recalculate actions and the splitter; the other handlers
// follow.

#include "ui/main_window.h"

#include "engine/messages.h"
#include "engine/number_text.h"
#include "ui/column_list_box.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cmath>

void TForm1::KiguStyleCBChange() {
    const int slot = KiguStyleCB->currentIndex();
    if (slot < 0) return;
    selectedTerminalStyle = slot;
    if (slot >= int(terminalStyles.size()) || terminalStyles[size_t(slot)].name.empty()) {
        terminalStyleActive = false;
        Select2->clear();
        return;
    }
    const kestrix::TerminalSelectionStyle& style = terminalStyles[size_t(slot)];
    const std::optional<double> velocity = kestrix::ParseNumber(style.faceVelocity);
    if (!velocity) return;
    terminalCriteria.velocity = *velocity;
    const std::optional<double> ratio = kestrix::ParseNumber(style.freeArea);
    if (!ratio) return;
    terminalCriteria.ratio = *ratio * 0.01;
    terminalStyleActive = true;

    const int percent = static_cast<int>(std::trunc(terminalCriteria.ratio * 100 + 0.49));
    Select2->setText(japanese_
                         ? QString::asprintf("選定基準： 開口率･･･ %3d %% , 面風速･･･ %5.1f m/s",
                                             percent, terminalCriteria.velocity)
                         : QString::asprintf("Condition: Free Area - %3d %%, Velocity - %5.1f m/s",
                                             percent, terminalCriteria.velocity));

    if (bRB1->isChecked())
        HSCalClick();
    else if (bRB2->isChecked())
        BP2Click();
}

void TForm1::HSCalClick() {
    if (Q3->text().isEmpty()) return;
    LastFlowExpression = Q3->text();
    Q3->setText(EvaluateFlowText(LastFlowExpression));
    Q1->setText(Q3->text());
    if (!terminalStyleActive) return;

    kestrix::TerminalFields fields{hsk->text().toStdString(), hsv->text().toStdString(),
                                   hsj->text().toStdString(), hsy->text().toStdString(),
                                   haq->text().toStdString()};
    const kestrix::TerminalCandidates result = kestrix::SizeTerminal(
        Q3->text().toStdString(), terminalCriteria, DiameterMark.toStdString(), fields);
    if (result.listReplaced) {
        ClearTerminalResults();
        for (const kestrix::TerminalEntry& entry : result.entries) {
            hsbox->addItem(QString::fromStdString(entry.label));
            HSVV.append(QString::fromStdString(entry.velocity));
        }
    }
    hsy->setText(QString::fromStdString(fields.hsy));
    hsj->setText(QString::fromStdString(fields.hsj));
    hsk->setText(QString::fromStdString(fields.hsk));
    if (result.message != kestrix::SizingMessage::None)
        ShowErrorMessage(
            QString::fromStdString(kestrix::SizingMessageText(result.message, japanese_)));
    if (result.passedFlowTest && PageControl1->currentWidget() == TabSheet3) {
        Q3->selectAll();
        Q3->setFocus();
    }
}

void TForm1::BP2Click() {
    LastFlowExpression = Q3->text();
    Q3->setText(EvaluateFlowText(LastFlowExpression));
    if (!terminalStyleActive) return;

    const std::string flow = Q3->text().toStdString();
    const std::string width = bE_w->text().toStdString();
    const std::string height = bE_h->text().toStdString();
    kestrix::TerminalSizeInput in{flow, width, height, !bE_h->isHidden()};
    kestrix::TerminalFields fields{hsk->text().toStdString(), hsv->text().toStdString(),
                                   hsj->text().toStdString(), hsy->text().toStdString(),
                                   haq->text().toStdString()};
    const bool passed = kestrix::RecalcTerminal(in, terminalCriteria, fields);
    hsk->setText(QString::fromStdString(fields.hsk));
    hsv->setText(QString::fromStdString(fields.hsv));
    haq->setText(QString::fromStdString(fields.haq));
    if (passed) bE_w->setFocus();
}

void TForm1::h_spliMoved() {
    bRB2->move(bRB2->x(), h_pro->y());
}

void TForm1::ConnectTerminalPage() {}
