// The style editor's fields: the style shown, and what the user types or
// chooses stored in the working table in its normal form.

#include "ui/style_editor.h"

#include "config/codepage.h"
#include "engine/number_text.h"
#include "ui/style_editor_host.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace kestrix {

namespace {

constexpr int kSlots = static_cast<int>(kConfigTableSlots);

// The styles of a table moved together from slot 0, in slot order: the table
// that the style file written from it reads back as. A hand-edited file with
// a gap in its row numbers (rows 1 and 3) leaves an empty slot between two
// styles, and the editor's entry k must stand for slot k.
template <typename Table> Table Packed(const Table& table) {
    Table packed{};
    std::size_t next = 0;
    for (const auto& style : table)
        if (!style.name.empty()) packed[next++] = style;
    return packed;
}

} // namespace

void StyleEditor::loadWorkingTable() {
    const QComboBox* hostList = nullptr;
    if (terminalMode_) {
        workingTerminal_ = Packed(host_.terminalStyleTable());
        hostList = host_.terminalStyleList();
    } else {
        workingDuct_ = Packed(host_.ductStyleTable());
        hostList = host_.ductStyleList();
        // Every loaded material, also after a gap in the row numbers; each
        // entry carries its row number, which is what a style stores.
        materialCombo_->clear();
        const MaterialTable& materials = host_.materialTable();
        for (std::size_t slot = 0; slot < materials.size(); ++slot) {
            if (materials[slot].name.empty()) continue;
            materialCombo_->addItem(FromCp932(materials[slot].name), int(slot + 1));
        }
        // The list selects its first entry by itself; it shows no material
        // until a style names one, beside the empty roughness field.
        materialCombo_->setCurrentIndex(-1);
    }
    // The entries are the names of the working table, so that entry k is
    // slot k; with rows numbered 1, 2, 3 ... they are the host list's.
    styleList_->clear();
    styleList_->addItems(workingNames());
    styleList_->setCurrentIndex(hostList ? hostList->currentIndex() : -1);
    onStyleChosen();
}

bool StyleEditor::hasSlot() const {
    return currentStyle_ >= 0 && currentStyle_ < kSlots;
}

void StyleEditor::onStyleChosen() {
    currentStyle_ = styleList_->currentIndex();
    if (!hasSlot()) return;
    if (terminalMode_) {
        const TerminalSelectionStyle& style = workingTerminal_[currentStyle_];
        freeAreaField_->setText(FromCp932(style.freeArea));
        faceVelocityField_->setText(FromCp932(style.faceVelocity));
        return;
    }
    const DuctSelectionStyle& style = workingDuct_[currentStyle_];
    if (style.material.empty()) return;
    showMaterial(style.material);
    // Each text that differs from the field's runs its change handler, which
    // stores the value back in its normal form.
    velocityField_->setText(FromCp932(style.velocity));
    lossField_->setText(FromCp932(style.frictionLoss));
    aspectField_->setText(FromCp932(style.aspectRatio));
    if (style.units == "0") {
        mmAqRadio_->setChecked(true);
    } else {
        paRadio_->setChecked(true);
    }
}

// Selects the material of a style and shows its roughness; a number that names
// no loaded material selects nothing and shows nothing.
void StyleEditor::showMaterial(const std::string& material) {
    const std::optional<int> number = ParseInteger(material);
    const int index = number ? materialCombo_->findData(*number) : -1;
    materialCombo_->setCurrentIndex(index);
    if (index < 0) {
        roughnessField_->clear();
        return;
    }
    roughnessField_->setText(FromCp932(host_.materialTable()[std::size_t(*number - 1)].roughness));
}

void StyleEditor::onMaterialChosen() {
    const int index = materialCombo_->currentIndex();
    if (index < 0) {
        roughnessField_->clear();
        return;
    }
    const int row = materialCombo_->itemData(index).toInt();
    if (hasSlot() && !terminalMode_) workingDuct_[currentStyle_].material = std::to_string(row);
    roughnessField_->setText(FromCp932(host_.materialTable()[std::size_t(row - 1)].roughness));
}

std::string* StyleEditor::storedText(const QLineEdit* field) {
    if (!hasSlot()) return nullptr;
    if (terminalMode_) {
        TerminalSelectionStyle& style = workingTerminal_[currentStyle_];
        if (field == freeAreaField_) return &style.freeArea;
        if (field == faceVelocityField_) return &style.faceVelocity;
        return nullptr;
    }
    DuctSelectionStyle& style = workingDuct_[currentStyle_];
    if (field == velocityField_) return &style.velocity;
    if (field == lossField_) return &style.frictionLoss;
    if (field == aspectField_) return &style.aspectRatio;
    return nullptr;
}

void StyleEditor::storeFieldText(QLineEdit* field, int decimals) {
    const QString text = field->text();
    if (text.isEmpty()) return;
    std::string* stored = storedText(field);
    if (!stored) return;
    // Text that is not a number is left as typed and stores nothing.
    if (const std::optional<long double> value = ParseNumberExtended(text.toStdString()))
        *stored = FormatFixed(*value, decimals);
}

void StyleEditor::restoreFieldText(QLineEdit* field) {
    if (const std::string* stored = storedText(field)) field->setText(FromCp932(*stored));
}

void StyleEditor::onUnitsToggled() {
    // The friction-loss number is kept: it is read in the other unit now.
    if (mmAqRadio_->isChecked()) {
        paRadio_->setChecked(false);
        if (hasSlot() && !terminalMode_) workingDuct_[currentStyle_].units.assign(1, '0');
    } else {
        mmAqRadio_->setChecked(false);
        if (hasSlot() && !terminalMode_) workingDuct_[currentStyle_].units.assign(1, '1');
    }
}

} // namespace kestrix
