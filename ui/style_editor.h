#pragma once

// The style editor. It works on its own copy of the duct-style or
// air-terminal-style table (the mode is the host's editingTerminalStyles at
// creation); Apply hands the copy back to the main window, Save also rewrites
// the style file, Cancel throws the copy away. A new editor is created for
// every opening.

#include "config/config_records.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrix {

class StyleEditorHost;

// Opens the editor for duct styles (terminalMode false) or air-terminal
// styles (true): sets the host's mode, creates the editor, shows it modally
// and destroys it. The caller makes its window active again afterwards.
void OpenStyleEditor(StyleEditorHost& host, bool terminalMode);

class StyleEditor : public QDialog {
    Q_OBJECT

  public:
    explicit StyleEditor(StyleEditorHost& host, QWidget* parent = nullptr);

    // The editor's title for a mode, in the language in use.
    static QString title(bool terminalMode);

    // The position of the style shown (-1 when none).
    int currentStyle() const { return currentStyle_; }
    const DuctStyleTable& workingDuctStyles() const { return workingDuct_; }
    const TerminalStyleTable& workingTerminalStyles() const { return workingTerminal_; }

  protected:
    // Enter that no control took: the dialog has no default button.
    void keyPressEvent(QKeyEvent* event) override;
    // The key handlers of the five edit fields.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void connectControls();
    void loadWorkingTable();

    // Showing a style and storing what is typed (style_editor_fields.cpp).
    void onStyleChosen();
    void onMaterialChosen();
    void onUnitsToggled();
    bool hasSlot() const;
    std::string* storedText(const QLineEdit* field);
    void storeFieldText(QLineEdit* field, int decimals);
    void restoreFieldText(QLineEdit* field);
    void showMaterial(const std::string& material);

    // The list of styles and the three ways out (style_editor_styles.cpp).
    void onNew();
    void onRename();
    void onDelete();
    void onApply();
    void onSave();
    QStringList workingNames() const;
    QString askStyleName(const QString& title, const QString* initialText);
    void applyToHost();
    void saveStyleFile();

    StyleEditorHost& host_;
    bool terminalMode_ = false;
    DuctStyleTable workingDuct_{};
    TerminalStyleTable workingTerminal_{};
    int currentStyle_ = -1;

    QGroupBox* styleGroup_ = nullptr;
    QComboBox* styleList_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* renameButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;

    QGroupBox* ductCriteriaBox_ = nullptr;
    QLabel* materialLabel_ = nullptr;
    QComboBox* materialCombo_ = nullptr;
    QLabel* roughnessLabel_ = nullptr;
    QLineEdit* roughnessField_ = nullptr;
    QLabel* velocityLabel_ = nullptr;
    QLineEdit* velocityField_ = nullptr;
    QLabel* velocitySuffix_ = nullptr;
    QLabel* lossLabel_ = nullptr;
    QLineEdit* lossField_ = nullptr;
    QRadioButton* mmAqRadio_ = nullptr;
    QRadioButton* paRadio_ = nullptr;
    QLabel* aspectLabel_ = nullptr;
    QLineEdit* aspectField_ = nullptr;
    QLabel* aspectSuffix_ = nullptr;

    QGroupBox* terminalCriteriaBox_ = nullptr;
    QLabel* freeAreaLabel_ = nullptr;
    QLineEdit* freeAreaField_ = nullptr;
    QLabel* faceVelocityLabel_ = nullptr;
    QLineEdit* faceVelocityField_ = nullptr;
    QLabel* faceVelocitySuffix_ = nullptr;

    QPushButton* saveButton_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace kestrix
