// The duct page's controls at their design positions, their layout for the
// page's size, and their connections. The page is laid out by hand, as on
// the original form: fixed positions at the design size, and explicit rules
// for what follows the window's size.

#include "ui/duct_page.h"

#include "ui/access_keys.h"
#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/fonts.h"
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

const QColor kDuctAccent(0, 128, 0); // green

} // namespace

DuctPage::DuctPage(SizingSession& session, PageHost& host, QWidget* parent)
    : QWidget(parent), session_(session), host_(host) {
    setObjectName(QStringLiteral("TabSheet1"));
    build();
    // Initial state: empty fields, bold results, nothing to calculate yet.
    const QFont bold = kestrix::BoldUiFont(12);
    for (QWidget* w : std::initializer_list<QWidget*>{
             flowField_, sizeList_, widthField_, heightField_, aspectRatioField_, velocityField_,
             dynamicPressureField_, frictionLossField_, referenceFlowField_,
             equivalentDiameterField_, equivalentVelocityField_, shapeButton_})
        w->setFont(bold);
    calculateButton_->setEnabled(false);
    recalculateButton_->setEnabled(false);
    connectControls();
    connectProperties();
    KeepAccessKeysOutOf(this, {flowField_, widthField_, heightField_, styleList_});
}

DuctPage::~DuctPage() {
    // The controls are destroyed after this body, and they still send events
    // (focus, hide) while they go. The event filters that call back into the
    // page must not see them: remove every helper object first.
    const QList<QObject*> helpers = findChildren<QObject*>(Qt::FindDirectChildrenOnly);
    for (QObject* child : helpers)
        if (!child->isWidgetType()) delete child;
    clicks_ = nullptr;
}

void DuctPage::build() {
    const int W = kDesignPanelWidth;
    panel_ = MakePanel(this, "Panel1");
    flowLabel_ = MakeLabel(panel_, "Label1", tr("&Flow Rate[CMH]:"), QRect(4, 0, 84, 20));
    flowField_ = MakeFlowField(panel_, "Q1");
    flowLabel_->setBuddy(flowField_);
    calculateButton_ = MakeButton(panel_, "SP1", tr("&Calc"), QRect(W - 57, 0, 52, 21));
    accentLine_ = MakeLine(panel_, "Shape1", kDuctAccent, QRect(5, 21, W - 10, 2));
    conditionLine_ = MakeLabel(panel_, "Select", QString(), QRect(5, 24, W - 10, 13));
    styleButton_ = MakeButton(panel_, "Set_Button1", tr("P&roperties"), QRect(4, 37, 64, 21));
    styleList_ = MakeStyleList(panel_, "DuctStyleCB");

    listBox_ = MakeBox(this, "GroupBox3");
    listBlank_ = Make<QWidget>(listBox_, "Blank1");
    sizeList_ = MakeCandidateList(listBox_, "whl");
    listModeButton_ = MakeRadio(this, "RBT1", tr("Duct Size [mm]"));
    listModeButton_->setChecked(true);

    splitter_ = MakeSplitter(this, "d_spli", kDuctAccent);
    propertyBox_ = MakeBox(this, "d_pro");
    propertyBox_->resize(W, kPropertyBoxHeight);
    splitter_->setTarget(propertyBox_);
    detailModeButton_ = MakeRadio(this, "RBT2", tr("Properties of selected Duct"));
    TabToCheckedMode(listModeButton_, detailModeButton_);
    buildProperties();
}

void DuctPage::buildProperties() {
    const int W = kDesignPanelWidth;
    QGroupBox* box = propertyBox_;
    sizeLabel_ = MakeLabel(box, "Label7", tr("Size [mm]:"), QRect(4, 20, 70, 13));
    // The hint has always been Japanese, in both languages.
    sizeLabel_->setToolTip(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸするとW・Hが入れ替わります"));
    widthField_ = MakeSizeField(box, "E_w", QRect(75, 16, 44, 20));
    shapeButton_ = MakeShapeButton(box, "xxbn", detailModeButton_);
    heightField_ = MakeSizeField(box, "E_h", QRect(138, 16, 44, 20));
    recalculateButton_ = MakeButton(box, "SP2", tr("&ReCalc"), QRect(W - 63, kRow1, 58, 22));

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

void DuctPage::fitModeButtons() {
    const QFontMetrics metrics(font());
    for (QRadioButton* r : {listModeButton_, detailModeButton_})
        r->resize(metrics.horizontalAdvance(r->text()) + 22, r->height());
}

// --- Layout ---------------------------------------------------------------------

void DuctPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Qt may size the pages again once the window is shown.
    layoutPage();
}

void DuctPage::layoutPage() {
    LayoutPage({panel_, flowField_, calculateButton_, accentLine_, conditionLine_, styleList_,
                listBox_, listBlank_, sizeList_, listModeButton_, splitter_, propertyBox_,
                detailModeButton_},
               width(), height());
    layoutProperties();
}

void DuctPage::setCaptionLayoutDeferred(bool deferred) {
    captionLayoutDeferred_ = deferred;
    layoutProperties();
}

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

int DuctPage::propertyBoxHeight() const {
    return propertyBox_->height();
}

void DuctPage::restorePropertyBoxHeight(int height) {
    propertyBox_->resize(propertyBox_->width(),
                         std::clamp(height, 1, PropertyBoxLimit(this->height())));
    layoutPage();
    followPropertyBox();
}

void DuctPage::followPropertyBox() {
    detailModeButton_->move(detailModeButton_->x(), propertyBox_->y());
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
