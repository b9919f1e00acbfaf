// The air-terminal page's controls at their design positions and their
// layout for the page's size.

#include "ui/terminal_page.h"

#include "ui/access_keys.h"
#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/fonts.h"
#include "ui/page_widgets.h"
#include "ui/sizing_session.h"
#include "ui/splitter_bar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace kestrix {

using namespace pages;

namespace {

const QColor kTerminalAccent(128, 0, 0); // maroon

} // namespace

TerminalPage::TerminalPage(SizingSession& session, PageHost& host, QWidget* parent)
    : QWidget(parent), session_(session), host_(host) {
    setObjectName(QStringLiteral("TabSheet3"));
    build();
    // Initial state: empty fields, bold results, nothing to calculate yet.
    const QFont bold = kestrix::BoldUiFont(12);
    for (QWidget* w : std::initializer_list<QWidget*>{
             flowField_, sizeList_, widthField_, heightField_, freeAreaField_, necessaryAreaField_,
             faceVelocityField_, effectiveAreaField_, referenceFlowField_, shapeButton_})
        w->setFont(bold);
    calculateButton_->setEnabled(false);
    recalculateButton_->setEnabled(false);
    connectControls();
    connectProperties();
    KeepAccessKeysOutOf(this, {flowField_, widthField_, heightField_, styleList_});
}

TerminalPage::~TerminalPage() {
    // The controls still send events while they go: remove the event
    // filters that call back into the page first.
    const QList<QObject*> helpers = findChildren<QObject*>(Qt::FindDirectChildrenOnly);
    for (QObject* child : helpers)
        if (!child->isWidgetType()) delete child;
    clicks_ = nullptr;
}

void TerminalPage::build() {
    const int W = kDesignPanelWidth;
    panel_ = MakePanel(this, "Panel5");
    flowLabel_ = MakeLabel(panel_, "Label4", tr("&Flow Rate[CMH]:"), QRect(4, 0, 84, 20));
    flowField_ = MakeFlowField(panel_, "Q3");
    flowLabel_->setBuddy(flowField_);
    calculateButton_ = MakeButton(panel_, "HSCal", tr("Ca&lc"), QRect(W - 57, 0, 52, 21));
    accentLine_ = MakeLine(panel_, "Shape2", kTerminalAccent, QRect(5, 21, W - 10, 2));
    conditionLine_ = MakeLabel(panel_, "Select2", QString(), QRect(5, 24, W - 10, 13));
    styleButton_ = MakeButton(panel_, "Set_Button2", tr("P&roperties"), QRect(4, 37, 64, 21));
    styleList_ = MakeStyleList(panel_, "KiguStyleCB");

    listBox_ = MakeBox(this, "GroupBox9");
    listBlank_ = Make<QWidget>(listBox_, "Blank2");
    sizeList_ = MakeCandidateList(listBox_, "hsbox");
    listModeButton_ = MakeRadio(this, "bRB1", tr("Diffuser, Air Grille Size [mm]"));
    listModeButton_->setChecked(true);

    splitter_ = MakeSplitter(this, "h_spli", kTerminalAccent);
    propertyBox_ = MakeBox(this, "h_pro");
    propertyBox_->resize(W, kPropertyBoxHeight);
    splitter_->setTarget(propertyBox_);
    detailModeButton_ = MakeRadio(this, "bRB2", tr("Properties of selected Diffuser, Air Grille"));
    TabToCheckedMode(listModeButton_, detailModeButton_);
    buildProperties();
}

void TerminalPage::buildProperties() {
    const int W = kDesignPanelWidth;
    QGroupBox* box = propertyBox_;
    sizeLabel_ = MakeLabel(box, "Label15", tr("Size[mm]:"), QRect(4, 20, 70, 13));
    // The hint has always been Japanese, in both languages.
    sizeLabel_->setToolTip(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸするとW・Hが入れ替わります"));
    widthField_ = MakeSizeField(box, "bE_w", QRect(75, 16, 44, 20));
    shapeButton_ = MakeShapeButton(box, "xxbn2", detailModeButton_);
    heightField_ = MakeSizeField(box, "bE_h", QRect(138, 16, 44, 20));
    recalculateButton_ = MakeButton(box, "BP2", tr("&ReCalc"), QRect(W - 63, kRow1, 58, 22));

    auto leftPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                        QLineEdit*& e, int top) {
        // Four pixels further right than on the duct page: the longest
        // English caption here ("Surface Velocity[m/s]:") is on the left.
        l = MakeLabel(box, label, text, kLeftLabel.adjusted(0, top, 4, top),
                      Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(box, field,
                              QRect(kLeftField + 4, top, kLeftFieldWidth, kFieldHeight));
    };
    auto rightPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                         QLineEdit*& e, int top) {
        const int fieldLeft = W - kRightFieldFromRight;
        l = MakeLabel(
            box, label, text,
            QRect(fieldLeft - 1 - (kRightLabelWidth - 6), top, kRightLabelWidth - 6, kFieldHeight),
            Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(box, field, QRect(fieldLeft, top, kRightFieldWidth, kFieldHeight));
    };
    leftPair("Label18", tr("Free Area[%]:"), freeAreaLabel_, "hsk", freeAreaField_, kRow2);
    rightPair("l_hm", tr("Necessary Area[m²]:"), necessaryAreaLabel_, "hsj", necessaryAreaField_,
              kRow2);
    leftPair("Label25", tr("Surface Velocity[m/s]:"), faceVelocityLabel_, "hsv", faceVelocityField_,
             kRow3);
    rightPair("l_ym", tr("Effective Area[m²]:"), effectiveAreaLabel_, "hsy", effectiveAreaField_,
              kRow3);
    leftPair("Label3", tr("Standard Flow[CMH]:"), referenceFlowLabel_, "haq", referenceFlowField_,
             kRow4);
}

void TerminalPage::fitModeButtons() {
    const QFontMetrics metrics(font());
    for (QRadioButton* r : {listModeButton_, detailModeButton_})
        r->resize(metrics.horizontalAdvance(r->text()) + 22, r->height());
}

void TerminalPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Qt may size the pages again once the window is shown.
    layoutPage();
}

void TerminalPage::layoutPage() {
    LayoutPage({panel_, flowField_, calculateButton_, accentLine_, conditionLine_, styleList_,
                listBox_, listBlank_, sizeList_, listModeButton_, splitter_, propertyBox_,
                detailModeButton_},
               width(), height());
    layoutProperties();
}

void TerminalPage::setCaptionLayoutDeferred(bool deferred) {
    captionLayoutDeferred_ = deferred;
    layoutProperties();
}

// The recalculate button and the right-hand pairs keep their distance from
// the right edge of the box.
void TerminalPage::layoutProperties() {
    if (captionLayoutDeferred_) return;
    const int w = propertyBox_->width();
    recalculateButton_->move(w - 63, recalculateButton_->y());
    LayoutPropertyPairs(w, kLeftField + 4,
                        {{freeAreaLabel_, freeAreaField_},
                         {faceVelocityLabel_, faceVelocityField_},
                         {referenceFlowLabel_, referenceFlowField_}},
                        {{necessaryAreaLabel_, necessaryAreaField_, kRightLabelWidth - 6},
                         {effectiveAreaLabel_, effectiveAreaField_, kRightLabelWidth - 6}});
}

int TerminalPage::propertyBoxHeight() const {
    return propertyBox_->height();
}

void TerminalPage::restorePropertyBoxHeight(int height) {
    propertyBox_->resize(propertyBox_->width(),
                         std::clamp(height, 1, PropertyBoxLimit(this->height())));
    layoutPage();
    followPropertyBox();
}

void TerminalPage::followPropertyBox() {
    detailModeButton_->move(detailModeButton_->x(), propertyBox_->y());
}

void TerminalPage::stepColumns(int step) {
    if (step < 0)
        sizeList_->setColumns(std::max(1, sizeList_->columns() - 1));
    else if (step > 0)
        sizeList_->setColumns(sizeList_->columns() + 1);
}

} // namespace kestrix
