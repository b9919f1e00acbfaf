// The air-terminal page's controls at their design positions and their
// layout for the page's size.

#include "ui/terminal_page.h"

#include "ui/click_filter.h"
#include "ui/column_list_box.h"
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

SizingPage::Design TerminalDesign() {
    return {.page = "TabSheet3",
            .kind = PageKind::Terminal,
            .accent = QColor(128, 0, 0), // maroon
            .panel = "Panel5",
            .flowLabel = "Label4",
            .flowField = "Q3",
            .calculateButton = "HSCal",
            .calculateCaption = TerminalPage::tr("Ca&lc"),
            .accentLine = "Shape2",
            .conditionLine = "Select2",
            .styleButton = "Set_Button2",
            .styleList = "KiguStyleCB",
            .listBox = "GroupBox9",
            .listBlank = "Blank2",
            .sizeList = "hsbox",
            .listModeButton = "bRB1",
            .listModeCaption = TerminalPage::tr("Diffuser, Air Grille Size [mm]"),
            .splitter = "h_spli",
            .propertyBox = "h_pro",
            .detailModeButton = "bRB2",
            .detailModeCaption = TerminalPage::tr("Properties of selected Diffuser, Air Grille"),
            .sizeLabel = "Label15",
            .widthField = "bE_w",
            .shapeButton = "xxbn2",
            .heightField = "bE_h",
            .recalculateButton = "BP2",
            .sizeCaption = TerminalPage::tr("Size[mm]:"),
            .recalculateCaption = TerminalPage::tr("&ReCalc")};
}

} // namespace

TerminalPage::TerminalPage(SizingSession& session, PageHost& host, QWidget* parent)
    : SizingPage(session, host, session.terminalMode, session.terminalShape, TerminalDesign(),
                 parent) {
    buildProperties();
    finishSetUp({freeAreaField_, necessaryAreaField_, faceVelocityField_, effectiveAreaField_,
                 referenceFlowField_});
}

void TerminalPage::buildProperties() {
    const int W = kDesignPanelWidth;
    QGroupBox* box = propertyBox_;
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

void TerminalPage::stepColumns(int step) {
    if (step < 0)
        sizeList_->setColumns(std::max(1, sizeList_->columns() - 1));
    else if (step > 0)
        sizeList_->setColumns(sizeList_->columns() + 1);
}

} // namespace kestrix
