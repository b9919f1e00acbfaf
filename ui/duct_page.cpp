// Handlers of the duct page: the style choice with its condition line, the
// calculate and recalculate actions, the candidate list, the two modes, the
// size fields with the shape button, the clicks that copy to the clipboard and
// the splitter above the property box.

#include "ui/duct_page.h"

#include "config/codepage.h"
#include "config/engine_texts.h"
#include "config/style_criteria.h"
#include "engine/messages.h"
#include "engine/number_text.h"
#include "ui/column_list_box.h"
#include "ui/page_host.h"
#include "ui/page_widgets.h"
#include "ui/sizing_session.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>

namespace kestrix {

using namespace pages;

namespace {

// The condition line is formatted into a buffer of this many bytes.
constexpr size_t kConditionBuffer = 256;
// Height of the property box below which the size row is hidden.
constexpr int kSizeRowHeight = 38;

// printf into a buffer as large as the text needs.
template <typename... Args> std::string Format(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}

// Cuts code-page text to at most `limit` bytes without splitting a
// double-byte character.
std::string CutCp932(const std::string& bytes, size_t limit) {
    size_t end = 0;
    while (end < bytes.size()) {
        const size_t length =
            kestrix::IsCp932LeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        if (end + length > limit) break;
        end += length;
    }
    return bytes.substr(0, std::min(end, bytes.size()));
}

std::string Text(const QLineEdit* field) {
    return field->text().toStdString();
}

} // namespace

// --- Shape and fields -------------------------------------------------------------

// The shape is the session's; the shape button shows it. The height field is
// also hidden, whatever the shape, while the property box is too low for the
// size row.
void DuctPage::setShape(bool rectangular) {
    shape_ = rectangular ? SizeShape::Rectangular : SizeShape::Round;
    shapeButton_->setText(rectangular ? RectangleMark() : session_.diameterMark());
    heightField_->setVisible(rectangular && propertyBox_->height() >= kSizeRowHeight);
}

// The recalculate button is usable when the flow and every size field that
// the shape needs hold plain numbers.
bool DuctPage::sizeAndFlowPlain() const {
    return IsPlain(flowField_) && IsPlain(widthField_) && (!rectangular() || IsPlain(heightField_));
}

void DuctPage::clearCandidates() {
    sizeList_->clear();
    session_.ductCandidates.clear();
}

// The size text for the clipboard and the property fields.
void DuctPage::clearProperties() {
    session_.ductSizeText.clear();
    for (QLineEdit* e :
         {aspectRatioField_, velocityField_, frictionLossField_, dynamicPressureField_,
          referenceFlowField_, equivalentDiameterField_, equivalentVelocityField_})
        e->clear();
}

// The reference flow field is as wide as its text measured in the style
// list's font, plus 5 px. Its own font is bold and often wider: it is never
// made so narrow that the field would scroll its leading digits out of sight.
void DuctPage::fitReferenceFlowWidth() {
    const QString text = referenceFlowField_->text();
    const int styleFont = QFontMetrics(styleList_->font()).horizontalAdvance(text) + 5;
    const int ownFont = referenceFlowField_->fontMetrics().horizontalAdvance(text) + 5;
    referenceFlowField_->resize(std::max(styleFont, ownFont), referenceFlowField_->height());
}

DuctFields DuctPage::propertyFields() const {
    return {Text(velocityField_),           Text(frictionLossField_),
            Text(dynamicPressureField_),    Text(referenceFlowField_),
            Text(equivalentDiameterField_), Text(equivalentVelocityField_),
            Text(aspectRatioField_)};
}

// The reference values of the flow and the size in the fields: reference
// flow, equivalent diameter, the velocity there and the aspect ratio.
void DuctPage::updateReferenceValues() {
    DuctFields fields = propertyFields();
    const bool wroteFlow =
        DuctRefValues({Text(flowField_), Text(widthField_), Text(heightField_), rectangular()},
                      session_.ductCriteria, fields);
    referenceFlowField_->setText(QString::fromStdString(fields.referenceFlow));
    equivalentDiameterField_->setText(QString::fromStdString(fields.equivalentDiameter));
    equivalentVelocityField_->setText(QString::fromStdString(fields.velocityAtEquivalentDiameter));
    aspectRatioField_->setText(QString::fromStdString(fields.aspectRatio));
    if (wroteFlow) fitReferenceFlowWidth();
}

// --- Style choice -------------------------------------------------------------------

void DuctPage::onStyleChosen() {
    session_.selectedDuctStyle = styleList_->currentIndex();
    const int slot = session_.selectedDuctStyle;
    const DuctStyleTable& styles = session_.ductStyles;
    // No entry (the style editor deleted the chosen one), or an entry that
    // stands for an empty slot, whose material text converts to nothing: the
    // criteria and the condition line in force stay. Before any style was
    // applied, those are the limits that make the sizing report itself.
    if (slot < 0 || slot >= int(styles.size()) || styles[size_t(slot)].name.empty()) return;
    const DuctSelectionStyle& style = styles[size_t(slot)];

    // A material row that names no loaded material gives no roughness (the
    // sizing then reports it) and no name: the condition line says that the
    // material is missing. A text that does not convert stops here.
    DuctCriteria& criteria = session_.ductCriteria;
    if (!ApplyDuctStyle(style, session_.materials, criteria)) return;
    const DuctMaterial* material = StyleMaterial(style, session_.materials);
    const std::string materialName = material ? material->name : *ToCp932(tr("(no material)"));

    // The name is code-page text already: %14s pads it to 14 bytes, a
    // double-byte character counting 2. The line fits the 256-byte buffer
    // it always had; a longer one is cut at a character boundary.
    const std::string prefix = *ToCp932(tr("Condition: "));
    // The numbers are formatted apart, so that no locale gives them a comma,
    // and round their halves away from zero as every number text does.
    const std::string format =
        prefix + (criteria.pressureInPa ? "%14s ,%5s Pa/m ,%5s m/s" : "%14s ,%5s mmAq/m ,%5s m/s");
    const std::string lossText = FormatFixed(criteria.lossLimit, criteria.pressureInPa ? 1 : 2);
    const std::string velocityText = FormatFixed(criteria.velocity, 1);
    const std::string line =
        Format(format.c_str(), materialName.c_str(), lossText.c_str(), velocityText.c_str());
    conditionLine_->setText(FromCp932(CutCp932(line, kConditionBuffer - 1)));

    applyUnitCaptions();
    if (!detailMode())
        calculate();
    else
        recalculate();
}

void DuctPage::applyUnitCaptions() {
    const bool pascal = session_.ductCriteria.pressureInPa;
    dynamicPressureLabel_->setText(dynamicPressureCaption(pascal));
    frictionLossLabel_->setText(frictionLossCaption(pascal));
    // The captions of the two units differ in width.
    layoutProperties();
}

// --- Calculate and recalculate ----------------------------------------------------------

void DuctPage::calculate() {
    clearCandidates();
    for (QLineEdit* e : {widthField_, heightField_, aspectRatioField_, velocityField_,
                         frictionLossField_, dynamicPressureField_, referenceFlowField_,
                         equivalentDiameterField_, equivalentVelocityField_})
        e->clear();
    if (flowField_->text().isEmpty()) return;
    flowField_->setText(session_.evaluateFlow(flowField_->text()));
    // The air-terminal page shows the flow too; its change empties both
    // pages, so the sizing comes after it.
    session_.shareFlow(PageKind::Duct, flowField_->text());
    if (host_.isCurrentPage(this)) {
        flowField_->selectAll();
        flowField_->setFocus();
    }

    // The flow is read back from its field, as evaluated.
    const DuctCandidates result =
        SizeDuct(Text(flowField_), session_.ductCriteria, session_.diameterMark().toStdString());
    if (!result.entries.empty()) {
        QStringList sizes;
        sizes.reserve(qsizetype(result.entries.size()));
        session_.ductCandidates.reserve(result.entries.size());
        for (const DuctEntry& entry : result.entries) {
            sizes.append(QString::fromStdString(entry.label));
            session_.ductCandidates.push_back({sizes.back(), QString::fromStdString(entry.velocity),
                                               QString::fromStdString(entry.loss),
                                               QString::fromStdString(entry.aspect),
                                               QString::fromStdString(entry.dynamicPressure)});
        }
        // One insertion lays the list out once, however long it is.
        sizeList_->setUpdatesEnabled(false);
        sizeList_->addItems(sizes);
        sizeList_->setUpdatesEnabled(true);
    }
    if (result.message != SizingMessage::None)
        host_.showErrorMessage(QString::fromStdString(SizingMessageText(result.message)));
}

void DuctPage::recalculate() {
    flowField_->setText(session_.evaluateFlow(flowField_->text()));

    // The shape from the session, not from the height field, which a low
    // property box hides for rectangles too.
    DuctFields fields = propertyFields();
    std::string sizeText = session_.ductSizeText.toStdString();
    const bool completed =
        RecalcDuct({Text(flowField_), Text(widthField_), Text(heightField_), rectangular()},
                   session_.ductCriteria, session_.diameterMark().toStdString(), fields, sizeText);
    if (!completed) return;
    velocityField_->setText(QString::fromStdString(fields.velocity));
    frictionLossField_->setText(QString::fromStdString(fields.frictionLoss));
    dynamicPressureField_->setText(QString::fromStdString(fields.dynamicPressure));
    referenceFlowField_->setText(QString::fromStdString(fields.referenceFlow));
    equivalentDiameterField_->setText(QString::fromStdString(fields.equivalentDiameter));
    equivalentVelocityField_->setText(QString::fromStdString(fields.velocityAtEquivalentDiameter));
    aspectRatioField_->setText(QString::fromStdString(fields.aspectRatio));
    // The reference values are emptied unless a reference flow was written.
    if (!fields.referenceFlow.empty()) fitReferenceFlowWidth();
    session_.ductSizeText = QString::fromStdString(sizeText);
    widthField_->setFocus();
}

// --- Flow field -----------------------------------------------------------------------

void DuctPage::onFlowChanged() {
    const bool detail = detailMode();
    calculateButton_->setEnabled(!flowField_->text().isEmpty() && !detail);
    recalculateButton_->setEnabled(detail && sizeAndFlowPlain());
    clearCandidates();
    if (!detail) {
        widthField_->clear();
        heightField_->clear();
    }
    clearProperties();
}

// --- Candidate list ---------------------------------------------------------------------

void DuctPage::onSizePicked() {
    if (detailMode()) return;
    // The selected entry: the selection, which the list updates before or
    // after its current row depending on whether the mouse or a key moved it.
    const QList<QListWidgetItem*> selected = sizeList_->selectedItems();
    if (selected.isEmpty()) return;
    const QString label = selected.first()->text();
    const int i = sizeList_->row(selected.first());

    const qsizetype x = label.indexOf(RectangleMark());
    const QString mark = session_.diameterMark();
    if (x >= 0) {
        setShape(true);
        widthField_->setText(label.left(x));
        heightField_->setText(label.mid(x + 1));
        session_.ductSizeText = widthField_->text() + RectangleMark() + heightField_->text();
    } else {
        setShape(false);
        widthField_->setText(label.left(label.indexOf(mark)));
        session_.ductSizeText = widthField_->text() + mark;
    }
    CopyToClipboard(session_.ductSizeText);

    // The values of the list, not computed again.
    if (i >= 0 && size_t(i) < session_.ductCandidates.size()) {
        const DuctSizeCandidate& c = session_.ductCandidates[size_t(i)];
        aspectRatioField_->setText(c.aspectRatio);
        velocityField_->setText(c.velocity);
        frictionLossField_->setText(c.frictionLoss);
        dynamicPressureField_->setText(c.dynamicPressure);
    }
    updateReferenceValues();
}

// --- Modes ------------------------------------------------------------------------------

void DuctPage::onListMode() {
    SizingPage::onListMode();
    const std::string flow = Text(flowField_);
    if (!IsPlainNumber(flow)) return;
    const std::optional<double> value = ParseNumber(flow);
    if (!value || !(*value > 0)) return;
    calculateButton_->setEnabled(true);
    calculate();
}

// --- Size fields --------------------------------------------------------------------------

void DuctPage::onShapeToggled() {
    if (!detailMode()) return;
    setShape(!rectangular());
    recalculateButton_->setEnabled(sizeAndFlowPlain());
    if (recalculateButton_->isEnabled()) recalculate();
    updateReferenceValues();
    widthField_->setFocus();
}

void DuctPage::onSizeEntered(QLineEdit* field) {
    if (recalculateButton_->isEnabled()) recalculate();
    field->setFocus();
}

void DuctPage::onSizeEdited() {
    if (!detailMode()) return;
    for (QLineEdit* e :
         {aspectRatioField_, dynamicPressureField_, referenceFlowField_, equivalentDiameterField_,
          equivalentVelocityField_, velocityField_, frictionLossField_})
        e->clear();
    updateReferenceValues();
    // Typing never disables the button.
    if (sizeAndFlowPlain()) recalculateButton_->setEnabled(true);
}

} // namespace kestrix
