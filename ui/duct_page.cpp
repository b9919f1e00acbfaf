// Handlers of the duct page. Start-up needs the style choice, the calculate
// and recalculate actions and the splitter; the other handlers follow.

#include "ui/main_window.h"

#include "config/codepage.h"
#include "engine/messages.h"
#include "engine/number_text.h"
#include "ui/column_list_box.h"
#include "ui/splitter_bar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <cstdio>
#include <string>

namespace {

// printf into a buffer as large as the text needs.
template <typename... Args> std::string Format(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}

} // namespace

void TForm1::DuctStyleCBChange() {
    selectedDuctStyle = DuctStyleCB->currentIndex();
    const int slot = selectedDuctStyle;
    if (slot < 0) return;
    // An entry that stands for no loaded style (a file numbered with gaps)
    // is never used: no criteria, no condition line, nothing sized.
    if (slot >= int(ductStyles.size()) || ductStyles[size_t(slot)].name.empty()) {
        ductStyleActive = false;
        Select->clear();
        return;
    }
    const kestrix::DuctSelectionStyle& style = ductStyles[size_t(slot)];

    // The material by its row number; one that names no loaded material
    // gives no roughness, which the sizing then reports.
    const std::optional<int> row = kestrix::ParseInteger(style.material);
    if (!row) return;
    std::string materialName;
    if (*row >= 1 && *row <= int(materials.size()) && !materials[size_t(*row - 1)].name.empty()) {
        const kestrix::DuctMaterial& material = materials[size_t(*row - 1)];
        const std::optional<double> roughness = kestrix::ParseNumber(material.roughness);
        if (!roughness) return;
        ductCriteria.roughness = *roughness;
        materialName = material.name;
    } else {
        ductCriteria.roughness = 0.0;
    }

    const std::optional<double> velocity = kestrix::ParseNumber(style.velocity);
    if (!velocity) return;
    ductCriteria.velocity = *velocity;
    const std::optional<double> loss = kestrix::ParseNumber(style.frictionLoss);
    if (!loss) return;
    ductCriteria.lossLimit = *loss;
    const std::optional<double> aspect = kestrix::ParseNumber(style.aspectRatio);
    if (!aspect) return;
    ductCriteria.aspectLimit = *aspect;
    ductCriteria.pressureInPa = style.units != "0";
    ductStyleActive = true;

    // The name is padded to 14 bytes of the code page, as the style file holds it.
    const char* format =
        ductCriteria.pressureInPa ? "%14s ,%5.1f Pa/m ,%5.1f m/s" : "%14s ,%5.2f mmAq/m ,%5.1f m/s";
    const QString prefix = japanese_ ? QStringLiteral("選定基準：") : QStringLiteral("Condition: ");
    Select->setText(prefix +
                    kestrix::FromCp932(Format(format, materialName.c_str(), ductCriteria.lossLimit,
                                              ductCriteria.velocity)));

    ApplyUnitCaptions();
    if (RBT1->isChecked())
        SP1Click();
    else if (RBT2->isChecked())
        SP2Click();
}

void TForm1::SP1Click() {
    ClearDuctResults();
    for (QLineEdit* e : {E_w, E_h, E_as, E_wv, E_dp, E_ap, E_aq, E_fai, M_wv})
        e->clear();
    if (Q1->text().isEmpty()) return;
    LastFlowExpression = Q1->text();
    Q1->setText(EvaluateFlowText(LastFlowExpression));
    // Q3's change handler empties both pages, so the sizing comes after it.
    Q3->setText(Q1->text());
    if (PageControl1->currentWidget() == TabSheet1) {
        Q1->selectAll();
        Q1->setFocus();
    }
    if (!ductStyleActive) return;

    const kestrix::DuctCandidates result =
        kestrix::SizeDuct(Q1->text().toStdString(), ductCriteria, DiameterMark.toStdString());
    for (const kestrix::DuctEntry& entry : result.entries) {
        whl->addItem(QString::fromStdString(entry.label));
        dvlst.append(QString::fromStdString(entry.velocity));
        dplst.append(QString::fromStdString(entry.loss));
        aslst.append(QString::fromStdString(entry.aspect));
        aplst.append(QString::fromStdString(entry.dynamicPressure));
    }
    if (result.message != kestrix::SizingMessage::None)
        ShowErrorMessage(
            QString::fromStdString(kestrix::SizingMessageText(result.message, japanese_)));
}

void TForm1::SP2Click() {
    LastFlowExpression = Q1->text();
    Q1->setText(EvaluateFlowText(LastFlowExpression));
    if (!ductStyleActive) return;

    const std::string flow = Q1->text().toStdString();
    const std::string width = E_w->text().toStdString();
    const std::string height = E_h->text().toStdString();
    kestrix::DuctSizeInput in{flow, width, height, !E_h->isHidden()};
    kestrix::DuctFields fields{E_wv->text().toStdString(),  E_dp->text().toStdString(),
                               E_ap->text().toStdString(),  E_aq->text().toStdString(),
                               E_fai->text().toStdString(), M_wv->text().toStdString(),
                               E_as->text().toStdString()};
    std::string sizeText = DuctSizeText.toStdString();
    const bool completed =
        kestrix::RecalcDuct(in, ductCriteria, DiameterMark.toStdString(), fields, sizeText);
    E_wv->setText(QString::fromStdString(fields.E_wv));
    E_dp->setText(QString::fromStdString(fields.E_dp));
    E_ap->setText(QString::fromStdString(fields.E_ap));
    E_aq->setText(QString::fromStdString(fields.E_aq));
    E_fai->setText(QString::fromStdString(fields.E_fai));
    M_wv->setText(QString::fromStdString(fields.M_wv));
    E_as->setText(QString::fromStdString(fields.E_as));
    DuctSizeText = QString::fromStdString(sizeText);
    if (completed) E_w->setFocus();
}

void TForm1::d_spliCanResize(int& newSize, bool& accept) {
    if (newSize > 110) accept = false;
}

void TForm1::d_spliMoved() {
    RBT2->move(RBT2->x(), d_pro->y());
    const int h = d_pro->height();
    const bool rectangular = xxbn->text() == QLatin1String("x");
    Label6->setVisible(h >= 102);
    M_wv->setVisible(h >= 102);
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, E_aq, Label5, E_fai})
        w->setVisible(h >= 86);
    for (QWidget* w : std::initializer_list<QWidget*>{Label11, E_ap, Label12, E_dp})
        w->setVisible(h >= 70);
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, E_as, Label10, E_wv})
        w->setVisible(h >= 54);
    for (QWidget* w : std::initializer_list<QWidget*>{Label7, E_w, xxbn, SP2})
        w->setVisible(h >= 38);
    E_h->setVisible(h >= 38 && rectangular);
}

void TForm1::ConnectDuctPage() {}
