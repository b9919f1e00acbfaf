// The style editor's list of styles (new, rename, delete) and its three ways
// out: Apply hands the working table to the host, Save also writes the style
// file, Cancel leaves the host as it was.

#include "ui/style_editor.h"

#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_writer.h"
#include "config/language.h"
#include "ui/dialog_support.h"
#include "ui/style_editor_host.h"
#include "ui/style_name_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>
#include <memory>

namespace kestrix {

namespace {

constexpr int kSlots = static_cast<int>(kConfigTableSlots);

// Replaces the entries of a host list and selects one, without letting the
// list's own signals see the half-built states; the host's change handler is
// run afterwards by the caller.
void ReplaceEntries(QComboBox* list, const QComboBox* from, int selected) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (int i = 0; i < from->count(); ++i)
        list->addItem(from->itemText(i));
    list->setCurrentIndex(selected < list->count() ? selected : -1);
}

} // namespace

QStringList StyleEditor::workingNames() const {
    QStringList names;
    auto collect = [&names](const auto& table) {
        for (const auto& style : table) {
            if (style.name.empty()) break;
            names.append(FromCp932(style.name));
        }
    };
    if (terminalMode_) {
        collect(workingTerminal_);
    } else {
        collect(workingDuct_);
    }
    return names;
}

// Runs the name dialog; an empty result means it was cancelled (it never
// accepts an empty name).
QString StyleEditor::askStyleName(const QString& title, const QString* initialText) {
    auto dialog = std::make_unique<StyleNameDialog>(workingNames(), this);
    dialog->setWindowTitle(title);
    if (initialText) dialog->setName(*initialText);
    if (dialog->exec() != QDialog::Accepted) return {};
    return dialog->enteredName();
}

void StyleEditor::onNew() {
    if (styleList_->count() >= kSlots) {
        ShowProgramMessageOver(this, QStringLiteral("Kestrix ERROR"),
                               tr("Not able to register this over"));
        return;
    }
    const QString entered = askStyleName(tr("New Style Name"), nullptr);
    if (entered.isEmpty()) return;
    const std::string name = ToCp932(entered).value_or(std::string());
    if (name.empty()) return;

    styleList_->addItem(entered);
    styleList_->setCurrentIndex(styleList_->count() - 1);
    currentStyle_ = styleList_->currentIndex();
    if (!hasSlot()) return;
    if (terminalMode_) {
        workingTerminal_[currentStyle_] = TerminalSelectionStyle{name, {}, {}};
        freeAreaField_->setText(QStringLiteral("75"));
        storeFieldText(freeAreaField_, 1);
        faceVelocityField_->setText(QStringLiteral("2.0"));
        storeFieldText(faceVelocityField_, 1);
        return;
    }
    // Each default is stored also when the field already showed it (no change
    // signal then).
    workingDuct_[currentStyle_] = DuctSelectionStyle{name, "1", {}, {}, {}, {}};
    if (materialCombo_->count() > 0) {
        materialCombo_->setCurrentIndex(0);
        onMaterialChosen();
    }
    velocityField_->setText(QStringLiteral("10.0"));
    storeFieldText(velocityField_, 1);
    lossField_->setText(QStringLiteral("0.1"));
    storeFieldText(lossField_, 2);
    aspectField_->setText(QStringLiteral("4.0"));
    storeFieldText(aspectField_, 1);
    mmAqRadio_->setChecked(true);
    onUnitsToggled();
}

void StyleEditor::onRename() {
    const int index = styleList_->currentIndex();
    if (index < 0) return;
    const QString current = styleList_->itemText(index);
    const QString entered = askStyleName(tr("Rename Style Name"), &current);
    if (entered.isEmpty()) return;
    const std::string name = ToCp932(entered).value_or(std::string());
    if (name.empty()) return;

    styleList_->setItemText(index, entered);
    styleList_->setCurrentIndex(index);
    if (index >= kSlots) return;
    if (terminalMode_) {
        workingTerminal_[index].name = name;
    } else {
        workingDuct_[index].name = name;
    }
}

void StyleEditor::onDelete() {
    const int index = styleList_->currentIndex();
    if (index < 0) return;
    const QString question =
        tr("Style Name:\n　\"%1\"\n　delete this style?").arg(styleList_->itemText(index));
    if (AskWarning(this, WarningCaption(), question, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;

    styleList_->removeItem(index);
    // Every style after the deleted one moves up a slot with all its fields.
    auto closeGap = [index](auto& table) {
        if (index >= kSlots) return;
        std::move(table.begin() + index + 1, table.end(), table.begin() + index);
        table.back() = {};
    };
    if (terminalMode_) {
        closeGap(workingTerminal_);
    } else {
        closeGap(workingDuct_);
    }
    styleList_->setCurrentIndex(index - 1);
    onStyleChosen();
}

void StyleEditor::applyToHost() {
    if (terminalMode_) {
        host_.terminalStyleTable() = workingTerminal_;
        ReplaceEntries(host_.terminalStyleList(), styleList_, currentStyle_);
        host_.KiguStyleCBChange();
    } else {
        host_.ductStyleTable() = workingDuct_;
        ReplaceEntries(host_.ductStyleList(), styleList_, currentStyle_);
        host_.DuctStyleCBChange();
    }
}

void StyleEditor::onApply() {
    applyToHost();
    accept();
}

void StyleEditor::saveStyleFile() {
    // The file's name and header follow the language of the run.
    const Language fileLanguage = CurrentLanguage();
    const StyleKind kind = terminalMode_ ? StyleKind::Terminal : StyleKind::Duct;
    const std::string_view fileName = StyleFileName(kind, fileLanguage);
    const StyleFileLines lines = terminalMode_
                                     ? TerminalStyleFileLines(workingTerminal_, fileLanguage)
                                     : DuctStyleFileLines(workingDuct_, fileLanguage);
    // A failure keeps the old file and the running program; the styles are
    // already applied, so the user can save again later.
    if (!lines.ok()) {
        ShowProgramMessageOver(this, QString::fromStdString(SaveFailureCaption()),
                               QString::fromStdString(SaveFailureMessage(fileName)) +
                                   QLatin1Char('\n') + QString::fromStdString(lines.problem));
        return;
    }
    const ConfigWriteResult written =
        WriteConfigLines(host_.configDirectory(), fileName, lines.lines);
    if (!written.saved) {
        ShowProgramMessageOver(this, QString::fromStdString(SaveFailureCaption()),
                               QString::fromStdString(written.message));
    }
}

void StyleEditor::onSave() {
    applyToHost();
    saveStyleFile();
    accept();
}

} // namespace kestrix
