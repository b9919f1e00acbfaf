// The style editor's controls, their texts, connections and keys.

#include "ui/style_editor.h"

#include "config/language.h"
#include "ui/access_keys.h"
#include "ui/dialog_support.h"
#include "ui/fonts.h"
#include "ui/style_editor_host.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <initializer_list>
#include <memory>
#include <type_traits>

namespace kestrix {

namespace {

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

} // namespace

QString StyleEditor::title(bool terminalMode) {
    return terminalMode ? tr("Configs to select Diffuser, Air Grille")
                        : tr("Configs to select DUCT size");
}

void OpenStyleEditor(StyleEditorHost& host, bool terminalMode) {
    host.setEditingTerminalStyles(terminalMode);
    auto dialog = std::make_unique<StyleEditor>(host, host.hostWindow());
    dialog->exec();
}

StyleEditor::StyleEditor(StyleEditorHost& host, QWidget* parent)
    : QDialog(parent), host_(host), terminalMode_(host.editingTerminalStyles()) {
    setObjectName(QStringLiteral("DuctStyle"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFont(JapaneseUiFont(12));
    setWindowTitle(title(terminalMode_));
    buildControls();
    // The Japanese texts are drawn in the Japanese font, the English ones in
    // the smaller Western one.
    if (CurrentLanguage() == Language::English) setFont(EnglishUiFont(8));
    connectControls();
    loadWorkingTable();
    CentreOnScreen(this);
}

void StyleEditor::buildControls() {
    styleGroup_ =
        Make<QGroupBox>(this, "GroupBox1", tr("Style Name to select"), QRect(8, 6, 314, 82));
    styleList_ = MakeList(styleGroup_, "StyleCB", QRect(10, 20, 294, 22));
    newButton_ = Make<QPushButton>(styleGroup_, "New_Style", tr("&New"), QRect(10, 48, 92, 25));
    renameButton_ =
        Make<QPushButton>(styleGroup_, "Rname_Style", tr("&Rename"), QRect(111, 48, 92, 25));
    deleteButton_ =
        Make<QPushButton>(styleGroup_, "Del_Style", tr("&Delete"), QRect(212, 48, 92, 25));

    // The two boxes share one place; only the one of the editor's mode shows.
    const QRect area(8, 94, 314, 180);
    ductCriteriaBox_ = Make<QGroupBox>(this, "d_area", tr("Standard to select", "ducts"), area);
    materialLabel_ =
        Make<QLabel>(ductCriteriaBox_, "Label5", tr("Material:"), QRect(10, 24, 148, 16));
    materialCombo_ = MakeList(ductCriteriaBox_, "ZLIST", QRect(160, 20, 144, 22));
    roughnessLabel_ =
        Make<QLabel>(ductCriteriaBox_, "Label6", tr("Duct Roughness[mm]:"), QRect(10, 52, 148, 16));
    roughnessField_ = MakeEdit(ductCriteriaBox_, "EPU", QRect(160, 49, 70, 22));
    roughnessField_->setReadOnly(true);
    velocityLabel_ =
        Make<QLabel>(ductCriteriaBox_, "Label3", tr("Air Velocity[m/s]:"), QRect(10, 80, 148, 16));
    velocityField_ = MakeEdit(ductCriteriaBox_, "DVV", QRect(160, 77, 70, 22));
    velocitySuffix_ =
        Make<QLabel>(ductCriteriaBox_, "Label2", tr("or less"), QRect(236, 80, 70, 16));
    lossLabel_ =
        Make<QLabel>(ductCriteriaBox_, "Label4", tr("Max Loss :"), QRect(10, 108, 148, 16));
    lossField_ = MakeEdit(ductCriteriaBox_, "DPP", QRect(160, 105, 70, 22));
    mmAqRadio_ = Make<QRadioButton>(ductCriteriaBox_, "Rd_SI_1", QStringLiteral("[mmAq/m]"),
                                    QRect(100, 129, 100, 18));
    paRadio_ = Make<QRadioButton>(ductCriteriaBox_, "Rd_SI_2", QStringLiteral("[Pa/m]"),
                                  QRect(206, 129, 100, 18));
    aspectLabel_ =
        Make<QLabel>(ductCriteriaBox_, "Label9", tr("Aspect Ratio:"), QRect(10, 154, 148, 16));
    aspectField_ = MakeEdit(ductCriteriaBox_, "MASP", QRect(160, 151, 70, 22));
    aspectSuffix_ =
        Make<QLabel>(ductCriteriaBox_, "Label10", tr("or less"), QRect(236, 154, 70, 16));

    terminalCriteriaBox_ =
        Make<QGroupBox>(this, "h_area", tr("Standard to select", "air terminals"), area);
    freeAreaLabel_ = Make<QLabel>(terminalCriteriaBox_, "Label1", tr("Numerical aperture[%]:"),
                                  QRect(10, 24, 148, 16));
    freeAreaField_ = MakeEdit(terminalCriteriaBox_, "e_hkr", QRect(160, 21, 70, 22));
    faceVelocityLabel_ = Make<QLabel>(terminalCriteriaBox_, "Label7",
                                      tr("Surface wind velocity[m/s]:"), QRect(10, 52, 148, 16));
    faceVelocityField_ = MakeEdit(terminalCriteriaBox_, "e_hdv", QRect(160, 49, 70, 22));
    faceVelocitySuffix_ =
        Make<QLabel>(terminalCriteriaBox_, "Label8", tr("or less"), QRect(236, 52, 70, 16));
    ductCriteriaBox_->setVisible(!terminalMode_);
    terminalCriteriaBox_->setVisible(terminalMode_);

    saveButton_ = Make<QPushButton>(this, "Set_Save", tr("&Save"), QRect(18, 284, 92, 25));
    applyButton_ = Make<QPushButton>(this, "Set_Btn", tr("&Apply"), QRect(119, 284, 92, 25));
    cancelButton_ = Make<QPushButton>(this, "BtnCancel", tr("&Cancel"), QRect(220, 284, 92, 25));
    setFixedSize(330, 318);
}

void StyleEditor::connectControls() {
    // Only the user's choices run the list handlers; the editor's own
    // selections run them explicitly where needed.
    connect(styleList_, &QComboBox::activated, this, &StyleEditor::onStyleChosen);
    connect(materialCombo_, &QComboBox::activated, this, &StyleEditor::onMaterialChosen);
    // Each field stores what it shows, with its number of decimals.
    const std::initializer_list<std::pair<QLineEdit*, int>> fields{{velocityField_, 1},
                                                                   {lossField_, 2},
                                                                   {aspectField_, 1},
                                                                   {freeAreaField_, 1},
                                                                   {faceVelocityField_, 1}};
    for (const auto& [field, decimals] : fields) {
        connect(field, &QLineEdit::textChanged, this,
                [this, field = field, decimals = decimals] { storeFieldText(field, decimals); });
    }
    // Selecting a radio button, by the user or by the editor, runs the
    // handler once (the button switched off stays silent).
    for (QRadioButton* radio : {mmAqRadio_, paRadio_}) {
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) onUnitsToggled();
        });
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{velocityField_, lossField_, aspectField_, freeAreaField_,
                                         faceVelocityField_, styleList_, materialCombo_})
        control->installEventFilter(this);
    connect(newButton_, &QPushButton::clicked, this, &StyleEditor::onNew);
    connect(renameButton_, &QPushButton::clicked, this, &StyleEditor::onRename);
    connect(deleteButton_, &QPushButton::clicked, this, &StyleEditor::onDelete);
    connect(applyButton_, &QPushButton::clicked, this, &StyleEditor::onApply);
    connect(saveButton_, &QPushButton::clicked, this, &StyleEditor::onSave);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void StyleEditor::keyPressEvent(QKeyEvent* event) {
    // A focused button takes Enter itself; from a list, a read-only field or a
    // radio button it would click the button Qt makes the default (New).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool StyleEditor::eventFilter(QObject* watched, QEvent* event) {
    // The edit fields and the two lists are watched: an Alt letter no access
    // key took is no text for a field, and no search that would choose a
    // style or a material in a list.
    if (IsAccessKeyPress(event)) return true;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (QLineEdit* field :
                 {velocityField_, lossField_, aspectField_, freeAreaField_, faceVelocityField_}) {
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

} // namespace kestrix
