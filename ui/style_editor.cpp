#include "ui/style_editor.h"

#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_writer.h"
#include "engine/number_text.h"
#include "ui/access_keys.h"
#include "ui/dialog_support.h"
#include "ui/fonts.h"
#include "ui/style_editor_host.h"
#include "ui/style_name_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <type_traits>

using namespace kestrix;

namespace {

constexpr int kSlots = static_cast<int>(kConfigTableSlots);

template <typename Widget>
Widget* Make(QWidget* parent, const char* objectName, const QString& text, QRect geometry) {
    auto* widget = new Widget(text, parent);
    // The dialog's labels show their texts as written, as every label does.
    if constexpr (std::is_same_v<Widget, QLabel>) widget->setTextFormat(Qt::PlainText);
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(geometry);
    return widget;
}

QLineEdit* MakeEdit(QWidget* parent, const char* objectName, QRect geometry) {
    return Make<QLineEdit>(parent, objectName, QString(), geometry);
}

QComboBox* MakeList(QWidget* parent, const char* objectName, QRect geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setGeometry(geometry);
    list->setEditable(false);
    return list;
}

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

namespace kestrix {

QString StyleEditorTitle(bool terminalMode, bool japanese) {
    if (terminalMode)
        return japanese ? QStringLiteral("吹出吸込口選定基準")
                        : QStringLiteral("Configs to select Diffuser, Air Grille");
    return japanese ? QStringLiteral("ダクトサイズ選定基準")
                    : QStringLiteral("Configs to select DUCT size");
}

void OpenStyleEditor(StyleEditorHost& host, bool terminalMode) {
    host.setEditingTerminalStyles(terminalMode);
    auto dialog = std::make_unique<TDuctStyle>(host, host.hostWindow());
    dialog->setWindowTitle(StyleEditorTitle(terminalMode, host.japaneseUi()));
    dialog->d_area->setVisible(!terminalMode);
    dialog->h_area->setVisible(terminalMode);
    dialog->exec();
}

} // namespace kestrix

TDuctStyle::TDuctStyle(StyleEditorHost& host, QWidget* parent)
    : QDialog(parent), host_(host), terminalMode_(host.editingTerminalStyles()) {
    setObjectName(QStringLiteral("DuctStyle"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFont(JapaneseUiFont(12));

    GroupBox1 =
        Make<QGroupBox>(this, "GroupBox1", QStringLiteral("選定ｽﾀｲﾙ名(&S)"), QRect(8, 6, 314, 82));
    StyleCB = MakeList(GroupBox1, "StyleCB", QRect(10, 20, 294, 22));
    New_Style = Make<QPushButton>(GroupBox1, "New_Style", QStringLiteral("新規作成(&N)"),
                                  QRect(10, 48, 92, 25));
    Rname_Style = Make<QPushButton>(GroupBox1, "Rname_Style", QStringLiteral("名前変更(&R)"),
                                    QRect(111, 48, 92, 25));
    Del_Style = Make<QPushButton>(GroupBox1, "Del_Style", QStringLiteral("削除(&D)"),
                                  QRect(212, 48, 92, 25));

    // The two boxes share one place; the opener shows the one of its mode.
    const QRect area(8, 94, 314, 180);
    d_area = Make<QGroupBox>(this, "d_area", QStringLiteral("ﾀﾞｸﾄｻｲｽﾞ選定基準"), area);
    Label5 =
        Make<QLabel>(d_area, "Label5", QStringLiteral("・ダクト材質："), QRect(10, 24, 148, 16));
    ZLIST = MakeList(d_area, "ZLIST", QRect(160, 20, 144, 22));
    Label6 =
        Make<QLabel>(d_area, "Label6", QStringLiteral("・内面粗度[mm]："), QRect(10, 52, 148, 16));
    EPU = MakeEdit(d_area, "EPU", QRect(160, 49, 70, 22));
    EPU->setReadOnly(true);
    Label3 = Make<QLabel>(d_area, "Label3", QStringLiteral("・ダクト内風速[m/s]："),
                          QRect(10, 80, 148, 16));
    DVV = MakeEdit(d_area, "DVV", QRect(160, 77, 70, 22));
    Label2 = Make<QLabel>(d_area, "Label2", QStringLiteral("以下"), QRect(236, 80, 70, 16));
    Label4 =
        Make<QLabel>(d_area, "Label4", QStringLiteral("・最大摩擦損失："), QRect(10, 108, 148, 16));
    DPP = MakeEdit(d_area, "DPP", QRect(160, 105, 70, 22));
    Rd_SI_1 =
        Make<QRadioButton>(d_area, "Rd_SI_1", QStringLiteral("[mmAq/m]"), QRect(100, 129, 100, 18));
    Rd_SI_2 =
        Make<QRadioButton>(d_area, "Rd_SI_2", QStringLiteral("[Pa/m]"), QRect(206, 129, 100, 18));
    Label9 =
        Make<QLabel>(d_area, "Label9", QStringLiteral("・アスペクト比："), QRect(10, 154, 148, 16));
    MASP = MakeEdit(d_area, "MASP", QRect(160, 151, 70, 22));
    Label10 = Make<QLabel>(d_area, "Label10", QStringLiteral("以下"), QRect(236, 154, 70, 16));

    h_area = Make<QGroupBox>(this, "h_area", QStringLiteral("吹出吸込口選定基準"), area);
    Label1 =
        Make<QLabel>(h_area, "Label1", QStringLiteral("・開口率[%]："), QRect(10, 24, 148, 16));
    e_hkr = MakeEdit(h_area, "e_hkr", QRect(160, 21, 70, 22));
    Label7 =
        Make<QLabel>(h_area, "Label7", QStringLiteral("・面風速[m/s]："), QRect(10, 52, 148, 16));
    e_hdv = MakeEdit(h_area, "e_hdv", QRect(160, 49, 70, 22));
    Label8 = Make<QLabel>(h_area, "Label8", QStringLiteral("以下"), QRect(236, 52, 70, 16));
    d_area->setVisible(!terminalMode_);
    h_area->setVisible(terminalMode_);

    Set_Save =
        Make<QPushButton>(this, "Set_Save", QStringLiteral("設定保存(&S)"), QRect(18, 284, 92, 25));
    Set_Btn =
        Make<QPushButton>(this, "Set_Btn", QStringLiteral("適用(&A)"), QRect(119, 284, 92, 25));
    BtnCancel =
        Make<QPushButton>(this, "BtnCancel", QStringLiteral("ｷｬﾝｾﾙ(&C)"), QRect(220, 284, 92, 25));
    setFixedSize(330, 318);

    // Only the user's choices run the list handlers; the editor's own
    // selections run them explicitly where needed.
    connect(StyleCB, &QComboBox::activated, this, &TDuctStyle::StyleCBChange);
    connect(ZLIST, &QComboBox::activated, this, &TDuctStyle::ZLISTChange);
    connect(DVV, &QLineEdit::textChanged, this, &TDuctStyle::DVVChange);
    connect(DPP, &QLineEdit::textChanged, this, &TDuctStyle::DPPChange);
    connect(MASP, &QLineEdit::textChanged, this, &TDuctStyle::MASPChange);
    connect(e_hkr, &QLineEdit::textChanged, this, &TDuctStyle::e_hkrChange);
    connect(e_hdv, &QLineEdit::textChanged, this, &TDuctStyle::e_hdvChange);
    // Selecting a radio button, by the user or by the editor, runs the click
    // handler once (the button switched off stays silent).
    for (QRadioButton* radio : {Rd_SI_1, Rd_SI_2}) {
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Rd_SI_1Click();
        });
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{DVV, DPP, MASP, e_hkr, e_hdv, StyleCB, ZLIST})
        control->installEventFilter(this);
    connect(New_Style, &QPushButton::clicked, this, &TDuctStyle::New_StyleClick);
    connect(Rname_Style, &QPushButton::clicked, this, &TDuctStyle::Rname_StyleClick);
    connect(Del_Style, &QPushButton::clicked, this, &TDuctStyle::Del_StyleClick);
    connect(Set_Btn, &QPushButton::clicked, this, &TDuctStyle::Set_BtnClick);
    connect(Set_Save, &QPushButton::clicked, this, &TDuctStyle::Set_SaveClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TDuctStyle::BtnCancelClick);

    // The texts do not change during a run, so they are ready before the first
    // activation as well.
    FormActivate();
    FormCreate();
    CentreOnScreen(this);
}

void TDuctStyle::FormCreate() {
    const QComboBox* hostList = nullptr;
    if (terminalMode_) {
        workingTerminal_ = Packed(host_.terminalStyleTable());
        hostList = host_.terminalStyleList();
    } else {
        workingDuct_ = Packed(host_.ductStyleTable());
        hostList = host_.ductStyleList();
        // Every loaded material, also after a gap in the row numbers; each
        // entry carries its row number, which is what a style stores.
        ZLIST->clear();
        const MaterialTable& materials = host_.materialTable();
        for (std::size_t slot = 0; slot < materials.size(); ++slot) {
            if (materials[slot].name.empty()) continue;
            ZLIST->addItem(FromCp932(materials[slot].name), int(slot + 1));
        }
        // The list selects its first entry by itself; it shows no material
        // until a style names one, beside the empty roughness field.
        ZLIST->setCurrentIndex(-1);
    }
    // The entries are the names of the working table, so that entry k is
    // slot k; with rows numbered 1, 2, 3 ... they are the host list's.
    StyleCB->clear();
    StyleCB->addItems(workingNames());
    StyleCB->setCurrentIndex(hostList ? hostList->currentIndex() : -1);
    StyleCBChange();
}

void TDuctStyle::FormActivate() {
    const bool japanese = host_.japaneseUi();
    if (japanese) {
        limitMessage_ = QStringLiteral("これ以上は登録できません。");
        newNameTitle_ = QStringLiteral("新しい選定ｽﾀｲﾙ名");
        renameTitle_ = QStringLiteral("選定ｽﾀｲﾙ名変更");
        deleteBefore_ = QStringLiteral("設定ｽﾀｲﾙ名:\n　\"");
        deleteAfter_ = QStringLiteral("\"\n　を削除しますか?");
        return;
    }
    limitMessage_ = QStringLiteral("Not able to register this over");
    newNameTitle_ = QStringLiteral("New Style Name");
    renameTitle_ = QStringLiteral("Rename Style Name");
    deleteBefore_ = QStringLiteral("Style Name:\n　\"");
    deleteAfter_ = QStringLiteral("\"\n　delete this style?");

    setFont(EnglishUiFont(8));
    GroupBox1->setTitle(QStringLiteral("Style Name to select"));
    New_Style->setText(QStringLiteral("&New"));
    Rname_Style->setText(QStringLiteral("&Rename"));
    Del_Style->setText(QStringLiteral("&Delete"));
    d_area->setTitle(QStringLiteral("Standard to select"));
    Label5->setText(QStringLiteral("Material:"));
    Label6->setText(QStringLiteral("Duct Roughness[mm]:"));
    Label3->setText(QStringLiteral("Air Velocity[m/s]:"));
    Label2->setText(QStringLiteral("or less"));
    Label4->setText(QStringLiteral("Max Loss :"));
    Label9->setText(QStringLiteral("Aspect Ratio:"));
    Label10->setText(QStringLiteral("or less"));
    h_area->setTitle(QStringLiteral("Standard to select"));
    Label1->setText(QStringLiteral("Numerical aperture[%]:"));
    Label7->setText(QStringLiteral("Surface wind velocity[m/s]:"));
    Label8->setText(QStringLiteral("or less"));
    Set_Save->setText(QStringLiteral("&Save"));
    Set_Btn->setText(QStringLiteral("&Apply"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
}

void TDuctStyle::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TDuctStyle::keyPressEvent(QKeyEvent* event) {
    // A focused button takes Enter itself; from a list, a read-only field or a
    // radio button it would click the button Qt makes the default (New).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TDuctStyle::hasSlot() const {
    return currentStyle_ >= 0 && currentStyle_ < kSlots;
}

void TDuctStyle::StyleCBChange() {
    currentStyle_ = StyleCB->currentIndex();
    if (!hasSlot()) return;
    if (terminalMode_) {
        const TerminalSelectionStyle& style = workingTerminal_[currentStyle_];
        e_hkr->setText(FromCp932(style.freeArea));
        e_hdv->setText(FromCp932(style.faceVelocity));
        return;
    }
    const DuctSelectionStyle& style = workingDuct_[currentStyle_];
    if (style.material.empty()) return;
    showMaterial(style.material);
    // Each text that differs from the field's runs its change handler, which
    // stores the value back in its normal form.
    DVV->setText(FromCp932(style.velocity));
    DPP->setText(FromCp932(style.frictionLoss));
    MASP->setText(FromCp932(style.aspectRatio));
    if (style.units == "0") {
        Rd_SI_1->setChecked(true);
    } else {
        Rd_SI_2->setChecked(true);
    }
}

// Selects the material of a style and shows its roughness; a number that names
// no loaded material selects nothing and shows nothing.
void TDuctStyle::showMaterial(const std::string& material) {
    const std::optional<int> number = ParseInteger(material);
    const int index = number ? ZLIST->findData(*number) : -1;
    ZLIST->setCurrentIndex(index);
    if (index < 0) {
        EPU->clear();
        return;
    }
    EPU->setText(FromCp932(host_.materialTable()[std::size_t(*number - 1)].roughness));
}

void TDuctStyle::ZLISTChange() {
    const int index = ZLIST->currentIndex();
    if (index < 0) {
        EPU->clear();
        return;
    }
    const int row = ZLIST->itemData(index).toInt();
    if (hasSlot() && !terminalMode_) workingDuct_[currentStyle_].material = std::to_string(row);
    EPU->setText(FromCp932(host_.materialTable()[std::size_t(row - 1)].roughness));
}

std::string* TDuctStyle::storedText(const QLineEdit* field) {
    if (!hasSlot()) return nullptr;
    if (terminalMode_) {
        TerminalSelectionStyle& style = workingTerminal_[currentStyle_];
        if (field == e_hkr) return &style.freeArea;
        if (field == e_hdv) return &style.faceVelocity;
        return nullptr;
    }
    DuctSelectionStyle& style = workingDuct_[currentStyle_];
    if (field == DVV) return &style.velocity;
    if (field == DPP) return &style.frictionLoss;
    if (field == MASP) return &style.aspectRatio;
    return nullptr;
}

void TDuctStyle::storeFieldText(QLineEdit* field, int decimals) {
    const QString text = field->text();
    if (text.isEmpty()) return;
    std::string* stored = storedText(field);
    if (!stored) return;
    // Text that is not a number is left as typed and stores nothing.
    if (const std::optional<long double> value = ParseNumberExtended(text.toStdString()))
        *stored = FormatFixed(*value, decimals);
}

void TDuctStyle::restoreFieldText(QLineEdit* field) {
    if (const std::string* stored = storedText(field)) field->setText(FromCp932(*stored));
}

void TDuctStyle::DVVChange() {
    storeFieldText(DVV, 1);
}
void TDuctStyle::DPPChange() {
    storeFieldText(DPP, 2);
}
void TDuctStyle::MASPChange() {
    storeFieldText(MASP, 1);
}
void TDuctStyle::e_hkrChange() {
    storeFieldText(e_hkr, 1);
}
void TDuctStyle::e_hdvChange() {
    storeFieldText(e_hdv, 1);
}

bool TDuctStyle::eventFilter(QObject* watched, QEvent* event) {
    // The edit fields and the two lists are watched: an Alt letter no access
    // key took is no text for a field, and no search that would choose a
    // style or a material in a list.
    if (IsAccessKeyPress(event)) return true;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (QLineEdit* field : {DVV, DPP, MASP, e_hkr, e_hdv}) {
                if (watched != field) continue;
                // Enter shows the stored value: the normal form of a good entry,
                // the last good value after a bad one.
                restoreFieldText(field);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDuctStyle::Rd_SI_1Click() {
    // The friction-loss number is kept: it is read in the other unit now.
    if (Rd_SI_1->isChecked()) {
        Rd_SI_2->setChecked(false);
        if (hasSlot() && !terminalMode_) workingDuct_[currentStyle_].units.assign(1, '0');
    } else {
        Rd_SI_1->setChecked(false);
        if (hasSlot() && !terminalMode_) workingDuct_[currentStyle_].units.assign(1, '1');
    }
}

QStringList TDuctStyle::workingNames() const {
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
QString TDuctStyle::askStyleName(const QString& title, const QString* initialText) {
    auto dialog = std::make_unique<TDuctStyle2>(host_.japaneseUi(), workingNames(), this);
    dialog->setWindowTitle(title);
    if (initialText) {
        dialog->name->setText(*initialText);
        dialog->name->selectAll();
    }
    if (dialog->exec() != QDialog::Accepted) return {};
    return dialog->enteredName();
}

void TDuctStyle::New_StyleClick() {
    if (StyleCB->count() >= kSlots) {
        ShowProgramMessageOver(this, QStringLiteral("Kestrix ERROR"), limitMessage_);
        return;
    }
    const QString entered = askStyleName(newNameTitle_, nullptr);
    if (entered.isEmpty()) return;
    const std::string name = ToCp932(entered).value_or(std::string());
    if (name.empty()) return;

    StyleCB->addItem(entered);
    StyleCB->setCurrentIndex(StyleCB->count() - 1);
    currentStyle_ = StyleCB->currentIndex();
    if (!hasSlot()) return;
    if (terminalMode_) {
        workingTerminal_[currentStyle_] = TerminalSelectionStyle{name, {}, {}};
        e_hkr->setText(QStringLiteral("75"));
        e_hkrChange();
        e_hdv->setText(QStringLiteral("2.0"));
        e_hdvChange();
        return;
    }
    workingDuct_[currentStyle_] = DuctSelectionStyle{name, "1", {}, {}, {}, {}};
    if (ZLIST->count() > 0) {
        ZLIST->setCurrentIndex(0);
        ZLISTChange();
    }
    DVV->setText(QStringLiteral("10.0"));
    DVVChange();
    DPP->setText(QStringLiteral("0.1"));
    DPPChange();
    MASP->setText(QStringLiteral("4.0"));
    MASPChange();
    Rd_SI_1->setChecked(true);
    Rd_SI_1Click();
}

void TDuctStyle::Rname_StyleClick() {
    const int index = StyleCB->currentIndex();
    if (index < 0) return;
    const QString current = StyleCB->itemText(index);
    const QString entered = askStyleName(renameTitle_, &current);
    if (entered.isEmpty()) return;
    const std::string name = ToCp932(entered).value_or(std::string());
    if (name.empty()) return;

    StyleCB->setItemText(index, entered);
    StyleCB->setCurrentIndex(index);
    if (index >= kSlots) return;
    if (terminalMode_) {
        workingTerminal_[index].name = name;
    } else {
        workingDuct_[index].name = name;
    }
}

void TDuctStyle::Del_StyleClick() {
    const int index = StyleCB->currentIndex();
    if (index < 0) return;
    const QString question = deleteBefore_ + StyleCB->itemText(index) + deleteAfter_;
    if (AskWarning(this, WarningCaption(host_.japaneseUi()), question,
                   QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;

    StyleCB->removeItem(index);
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
    StyleCB->setCurrentIndex(index - 1);
    StyleCBChange();
}

void TDuctStyle::applyToHost() {
    if (terminalMode_) {
        host_.terminalStyleTable() = workingTerminal_;
        ReplaceEntries(host_.terminalStyleList(), StyleCB, currentStyle_);
        host_.KiguStyleCBChange();
    } else {
        host_.ductStyleTable() = workingDuct_;
        ReplaceEntries(host_.ductStyleList(), StyleCB, currentStyle_);
        host_.DuctStyleCBChange();
    }
}

void TDuctStyle::Set_BtnClick() {
    applyToHost();
    accept();
}

void TDuctStyle::saveStyleFile() {
    const Language language = host_.japaneseUi() ? Language::Japanese : Language::English;
    const StyleKind kind = terminalMode_ ? StyleKind::Terminal : StyleKind::Duct;
    const std::string_view fileName = StyleFileName(kind, language);
    const StyleFileLines lines = terminalMode_ ? TerminalStyleFileLines(workingTerminal_, language)
                                               : DuctStyleFileLines(workingDuct_, language);
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

void TDuctStyle::Set_SaveClick() {
    applyToHost();
    saveStyleFile();
    accept();
}

void TDuctStyle::BtnCancelClick() {
    reject();
}
