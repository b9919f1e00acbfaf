// The duct page's controls at their design positions, their layout for the
// page's size, and their connections. The page is laid out by hand, as on
// the original form: fixed positions at the design size, and explicit rules
// for what follows the window's size.

#include "ui/duct_page.h"

#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/page_host.h"
#include "ui/page_widgets.h"
#include "ui/sizing_session.h"
#include "ui/splitter_bar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace kestrix {

using namespace pages;

namespace {

SizingPage::Design DuctDesign() {
    return {.page = "TabSheet1",
            .kind = PageKind::Duct,
            .accent = QColor(0, 128, 0), // green
            .panel = "Panel1",
            .flowLabel = "Label1",
            .flowField = "Q1",
            .calculateButton = "SP1",
            .calculateCaption = DuctPage::tr("&Calc"),
            .accentLine = "Shape1",
            .conditionLine = "Select",
            .styleButton = "Set_Button1",
            .styleList = "DuctStyleCB",
            .listBox = "GroupBox3",
            .listBlank = "Blank1",
            .sizeList = "whl",
            .listModeButton = "RBT1",
            .listModeCaption = DuctPage::tr("Duct Size [mm]"),
            .splitter = "d_spli",
            .propertyBox = "d_pro",
            .detailModeButton = "RBT2",
            .detailModeCaption = DuctPage::tr("Properties of selected Duct"),
            .sizeLabel = "Label7",
            .widthField = "E_w",
            .shapeButton = "xxbn",
            .heightField = "E_h",
            .recalculateButton = "SP2",
            .sizeCaption = DuctPage::tr("Size [mm]:"),
            .recalculateCaption = DuctPage::tr("&ReCalc")};
}

} // namespace

DuctPage::DuctPage(SizingSession& session, PageHost& host, QWidget* parent)
    : SizingPage(session, host, session.ductMode, session.ductShape, DuctDesign(), parent) {
    buildProperties();
    finishSetUp({aspectRatioField_, velocityField_, dynamicPressureField_, frictionLossField_,
                 referenceFlowField_, equivalentDiameterField_, equivalentVelocityField_});
}

void DuctPage::buildProperties() {
    const int W = kDesignPanelWidth;
    QGroupBox* box = propertyBox_;
    auto leftPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                        QLineEdit*& e, int top) {
        l = MakeLabel(box, label, text, kLeftLabel.translated(0, top),
                      Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(box, field, QRect(kLeftField, top, kLeftFieldWidth, kFieldHeight));
    };
    auto rightPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                         QLineEdit*& e, int top, int labelWidth) {
        const int fieldLeft = W - kRightFieldFromRight;
        l = MakeLabel(box, label, text,
                      QRect(fieldLeft - 1 - labelWidth, top, labelWidth, kFieldHeight),
                      Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(box, field, QRect(fieldLeft, top, kRightFieldWidth, kFieldHeight));
    };
    leftPair("Label9", tr("Aspect Ratio:"), aspectRatioLabel_, "E_as", aspectRatioField_, kRow2);
    rightPair("Label10", tr("Velocity[m/s]:"), velocityLabel_, "E_wv", velocityField_, kRow2,
              kRightLabelWidth);
    // Until a style names the unit, the captions have always been these, in
    // both languages.
    leftPair("Label11", QStringLiteral("動圧[kgf/㎡]："), dynamicPressureLabel_, "E_ap",
             dynamicPressureField_, kRow3);
    rightPair("Label12", QStringLiteral("Δp[mmAq/m]："), frictionLossLabel_, "E_dp",
              frictionLossField_, kRow3, kRightLabelWidth);
    leftPair("Label2", tr("Standard Flow[CMH]:"), referenceFlowLabel_, "E_aq", referenceFlowField_,
             kRow4);
    rightPair("Label5", tr("Equivalent Dia.[mm]:"), equivalentDiameterLabel_, "E_fai",
              equivalentDiameterField_, kRow4, kRightLabelWidth);
    rightPair("Label6", tr("Velocity E.Dia.[m/s]:"), equivalentVelocityLabel_, "M_wv",
              equivalentVelocityField_, kRow5, kLongRightLabelWidth);
}

QString DuctPage::dynamicPressureCaption(bool pascal) {
    return pascal ? tr("Dynamic Pr.[Pa]:") : tr("Dynamic Pr.[kgf/m²]:");
}

QString DuctPage::frictionLossCaption(bool pascal) {
    return pascal ? tr("DeltaPr.[Pa/m]:") : tr("DeltaPr.[mmAq/m]:");
}

// --- Layout ---------------------------------------------------------------------

// The recalculate button and the right-hand pairs keep their distance from
// the right edge of the box.
void DuctPage::layoutProperties() {
    if (captionLayoutDeferred_) return;
    const int w = propertyBox_->width();
    recalculateButton_->move(w - 63, recalculateButton_->y());
    LayoutPropertyPairs(
        w, kLeftField,
        {{aspectRatioLabel_, aspectRatioField_},
         {dynamicPressureLabel_, dynamicPressureField_},
         {referenceFlowLabel_, referenceFlowField_}},
        {{velocityLabel_, velocityField_, kRightLabelWidth},
         {frictionLossLabel_, frictionLossField_, kRightLabelWidth},
         {equivalentDiameterLabel_, equivalentDiameterField_, kRightLabelWidth},
         {equivalentVelocityLabel_, equivalentVelocityField_, kLongRightLabelWidth}});
}

int DuctPage::stepColumns() {
    return StepColumns(sizeList_);
}

// Height of the property box below which the size row is hidden.
constexpr int kDuctSizeRowHeight = 38;

void DuctPage::onSplitterMoved() {
    followPropertyBox();
    const int h = propertyBox_->height();
    for (QWidget* w :
         std::initializer_list<QWidget*>{equivalentVelocityLabel_, equivalentVelocityField_})
        w->setVisible(h >= 102);
    for (QWidget* w :
         std::initializer_list<QWidget*>{referenceFlowLabel_, referenceFlowField_,
                                         equivalentDiameterLabel_, equivalentDiameterField_})
        w->setVisible(h >= 86);
    for (QWidget* w : std::initializer_list<QWidget*>{dynamicPressureLabel_, dynamicPressureField_,
                                                      frictionLossLabel_, frictionLossField_})
        w->setVisible(h >= 70);
    for (QWidget* w : std::initializer_list<QWidget*>{aspectRatioLabel_, aspectRatioField_,
                                                      velocityLabel_, velocityField_})
        w->setVisible(h >= 54);
    for (QWidget* w :
         std::initializer_list<QWidget*>{sizeLabel_, widthField_, shapeButton_, recalculateButton_})
        w->setVisible(h >= kDuctSizeRowHeight);
    setShape(rectangular());
}

} // namespace kestrix
