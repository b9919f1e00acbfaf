// Handlers of the air-terminal page: the style choice, calculate and
// recalculate, the candidate list, the two modes, the size fields with their
// shape button, the size and property labels. The sizing itself is the
// engine's; this file moves texts between it and the fields.

#include "ui/terminal_page.h"

#include "config/engine_texts.h"
#include "config/style_criteria.h"
#include "engine/messages.h"
#include "engine/number_text.h"
#include "ui/column_list_box.h"
#include "ui/page_host.h"
#include "ui/page_widgets.h"
#include "ui/sizing_session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace kestrix {

using namespace pages;

namespace {

std::string Text(const QLineEdit* field) {
    return field->text().toStdString();
}

} // namespace

// --- Shape and fields ------------------------------------------------------------

// The shape is the session's; the shape button shows it, and the height
// field is there for a rectangle only.
void TerminalPage::setShape(bool rectangular) {
    shape_ = rectangular ? SizeShape::Rectangular : SizeShape::Round;
    shapeButton_->setText(rectangular ? RectangleMark() : session_.diameterMark());
    heightField_->setVisible(rectangular);
}

void TerminalPage::clearCandidates() {
    sizeList_->clear();
    session_.terminalCandidates.clear();
}

TerminalFields TerminalPage::propertyFields() const {
    return {Text(freeAreaField_), Text(faceVelocityField_), Text(necessaryAreaField_),
            Text(effectiveAreaField_), Text(referenceFlowField_)};
}

// The free area and the reference flow of the size in the fields.
void TerminalPage::updateReferenceFlow() {
    TerminalFields fields = propertyFields();
    TerminalRefFlow(Text(widthField_), Text(heightField_), rectangular(), session_.terminalCriteria,
                    fields);
    freeAreaField_->setText(QString::fromStdString(fields.freeAreaRatio));
    referenceFlowField_->setText(QString::fromStdString(fields.referenceFlow));
}

// --- Style choice -------------------------------------------------------------------

void TerminalPage::onStyleChosen() {
    const int slot = styleList_->currentIndex();
    // Only a chosen entry does something.
    if (slot < 0) return;
    session_.selectedTerminalStyle = slot;
    // An entry that stands for an empty slot, whose texts convert to nothing:
    // the criteria and the condition line in force stay. Before any style
    // was applied, the zero criteria make the sizing report itself.
    const TerminalStyleTable& styles = session_.terminalStyles;
    if (slot >= int(styles.size()) || styles[size_t(slot)].name.empty()) return;
    TerminalCriteria& criteria = session_.terminalCriteria;
    // A text that does not convert stops here; what is already set stays.
    if (!ApplyTerminalStyle(styles[size_t(slot)], criteria)) return;

    // The condition line cuts the percent (12.5 shows 12) where the free
    // area field rounds it. An absurd style value must not overflow the integer.
    const double percentValue = std::trunc(criteria.ratio * 100 + 0.49);
    const int percent = static_cast<int>(std::clamp(percentValue, -2147483647.0, 2147483647.0));
    // The velocity rounds its halves away from zero, as on the duct page.
    const std::string velocityText = FormatFixed(criteria.velocity, 1);
    const QByteArray format = tr("Condition: Free Area - %3d %%, Velocity - %5s m/s").toUtf8();
    conditionLine_->setText(QString::asprintf(format.constData(), percent, velocityText.c_str()));

    if (!detailMode())
        calculate();
    else
        recalculate();
}

// --- Calculate and recalculate ---------------------------------------------------------

void TerminalPage::calculate() {
    if (flowField_->text().isEmpty()) return;
    flowField_->setText(session_.evaluateFlow(flowField_->text()));
    session_.shareFlow(PageKind::Terminal, flowField_->text());

    // The flow is read back from its field, as evaluated.
    TerminalFields fields = propertyFields();
    const TerminalCandidates result = SizeTerminal(Text(flowField_), session_.terminalCriteria,
                                                   session_.diameterMark().toStdString(), fields);
    if (result.listReplaced) {
        clearCandidates();
        QStringList sizes;
        sizes.reserve(qsizetype(result.entries.size()));
        session_.terminalCandidates.reserve(result.entries.size());
        for (const TerminalEntry& entry : result.entries) {
            sizes.append(QString::fromStdString(entry.label));
            session_.terminalCandidates.push_back(
                {sizes.back(), QString::fromStdString(entry.velocity)});
        }
        // One insertion lays the list out once, however long it is.
        sizeList_->addItems(sizes);
    }
    effectiveAreaField_->setText(QString::fromStdString(fields.effectiveArea));
    necessaryAreaField_->setText(QString::fromStdString(fields.necessaryArea));
    freeAreaField_->setText(QString::fromStdString(fields.freeAreaRatio));
    if (result.message != SizingMessage::None)
        host_.showErrorMessage(QString::fromStdString(SizingMessageText(result.message)));
    if (result.passedFlowTest && host_.isCurrentPage(this)) {
        flowField_->selectAll();
        flowField_->setFocus();
    }
}

void TerminalPage::recalculate() {
    flowField_->setText(session_.evaluateFlow(flowField_->text()));

    const std::string flow = Text(flowField_);
    const std::string width = Text(widthField_);
    const std::string height = Text(heightField_);
    const TerminalSizeInput in{flow, width, height, rectangular()};
    TerminalFields fields = propertyFields();
    const bool passed = RecalcTerminal(in, session_.terminalCriteria, fields);
    freeAreaField_->setText(QString::fromStdString(fields.freeAreaRatio));
    faceVelocityField_->setText(QString::fromStdString(fields.faceVelocity));
    referenceFlowField_->setText(QString::fromStdString(fields.referenceFlow));
    if (passed) widthField_->setFocus();
}

// --- Flow field ---------------------------------------------------------------------------

void TerminalPage::onFlowChanged() {
    const bool detail = detailMode();
    calculateButton_->setEnabled(!flowField_->text().isEmpty() && !detail);
    recalculateButton_->setEnabled(
        IsPlain(flowField_) && detail &&
        (rectangular() ? IsPlain(widthField_) && IsPlain(heightField_) : IsPlain(widthField_)));
    // A new flow empties the results of both pages.
    session_.terminalFlowChanged();
    if (!detail) {
        widthField_->clear();
        heightField_->clear();
    }
    clearCandidates();
    for (QLineEdit* e :
         {faceVelocityField_, necessaryAreaField_, effectiveAreaField_, referenceFlowField_})
        e->clear();
}

// --- Candidate list -------------------------------------------------------------------------

void TerminalPage::onSizePicked() {
    if (detailMode()) return;
    const QList<QListWidgetItem*> selected = sizeList_->selectedItems();
    if (selected.isEmpty()) return;
    const int index = sizeList_->row(selected.first());
    const QString label = selected.first()->text();

    const qsizetype x = label.indexOf(RectangleMark());
    if (x >= 0) {
        setShape(true);
        widthField_->setText(label.left(x));
        heightField_->setText(label.mid(x + 1));
    } else {
        setShape(false);
        const qsizetype mark = label.indexOf(session_.diameterMark());
        widthField_->setText(mark >= 0 ? label.left(mark) : label);
    }
    // The list hands out the velocity, not the size.
    const QString velocity = index >= 0 && size_t(index) < session_.terminalCandidates.size()
                                 ? session_.terminalCandidates[size_t(index)].faceVelocity
                                 : QString();
    CopyToClipboard(velocity);
    faceVelocityField_->setText(velocity);
    updateReferenceFlow();
}

// --- Modes ------------------------------------------------------------------------------------

void TerminalPage::onListMode() {
    for (QWidget* w : std::initializer_list<QWidget*>{necessaryAreaLabel_, effectiveAreaLabel_,
                                                      necessaryAreaField_, effectiveAreaField_})
        w->show();
    SizingPage::onListMode();
    if (IsPlain(flowField_)) {
        calculateButton_->setEnabled(true);
        calculate();
    }
}

// The areas belong to the list's sizes only.
void TerminalPage::onDetailMode() {
    for (QWidget* w : std::initializer_list<QWidget*>{necessaryAreaLabel_, effectiveAreaLabel_,
                                                      necessaryAreaField_, effectiveAreaField_})
        w->hide();
    SizingPage::onDetailMode();
}

// --- Size fields ------------------------------------------------------------------------------

void TerminalPage::onShapeToggled() {
    if (!detailMode()) return;
    setShape(!rectangular());
    recalculateButton_->setEnabled(IsPlain(widthField_) && IsPlain(flowField_) &&
                                   (!rectangular() || IsPlain(heightField_)));
    if (recalculateButton_->isEnabled()) recalculate();
    updateReferenceFlow();
    widthField_->setFocus();
}

void TerminalPage::onSizeEdited() {
    if (!detailMode()) return;
    faceVelocityField_->clear();
    referenceFlowField_->clear();
    updateReferenceFlow();
    // A rectangle without a valid height is computed as round, so the height
    // does not matter; a round size enables the button the same way, as on
    // the duct page. Never disabled here.
    if (IsPlain(widthField_) && IsPlain(flowField_)) recalculateButton_->setEnabled(true);
}

void TerminalPage::onSizeEntered(QLineEdit* field) {
    if (!recalculateButton_->isEnabled()) return;
    recalculate();
    field->selectAll();
    field->setFocus();
}

} // namespace kestrix
