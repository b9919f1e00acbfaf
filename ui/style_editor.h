#pragma once

// TDuctStyle: the style editor. It works on its own copy of the duct-style or
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

// Set_Button1Click (terminalMode false) and Set_Button2Click (true): sets the
// host's mode, creates the editor, shows it modally and destroys it. The
// caller makes its window active again afterwards.
void OpenStyleEditor(StyleEditorHost& host, bool terminalMode);

// The editor's title for a mode in a language.
QString StyleEditorTitle(bool terminalMode, bool japanese);
} // namespace kestrix

class TDuctStyle : public QDialog {
    Q_OBJECT

  public:
    explicit TDuctStyle(kestrix::StyleEditorHost& host, QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr;
    QComboBox* StyleCB = nullptr;
    QPushButton* New_Style = nullptr;
    QPushButton* Rname_Style = nullptr;
    QPushButton* Del_Style = nullptr;

    QGroupBox* d_area = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* ZLIST = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* EPU = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* DVV = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* DPP = nullptr;
    QRadioButton* Rd_SI_1 = nullptr;
    QRadioButton* Rd_SI_2 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* MASP = nullptr;
    QLabel* Label10 = nullptr;

    QGroupBox* h_area = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* e_hkr = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* e_hdv = nullptr;
    QLabel* Label8 = nullptr;

    QPushButton* Set_Save = nullptr;
    QPushButton* Set_Btn = nullptr;
    QPushButton* BtnCancel = nullptr;

    // The position of the style shown (-1 when none).
    int currentStyle() const { return currentStyle_; }
    const kestrix::DuctStyleTable& workingDuctStyles() const { return workingDuct_; }
    const kestrix::TerminalStyleTable& workingTerminalStyles() const { return workingTerminal_; }

    void FormCreate();
    void FormActivate();
    void StyleCBChange();
    void ZLISTChange();
    void DVVChange();
    void DPPChange();
    void MASPChange();
    void e_hkrChange();
    void e_hdvChange();
    void Rd_SI_1Click();
    void New_StyleClick();
    void Rname_StyleClick();
    void Del_StyleClick();
    void Set_BtnClick();
    void Set_SaveClick();
    void BtnCancelClick();

  protected:
    void changeEvent(QEvent* event) override;
    // Enter that no control took: the dialog has no default button.
    void keyPressEvent(QKeyEvent* event) override;
    // The key handlers of the five edit fields.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool terminalMode() const { return terminalMode_; }
    bool hasSlot() const;
    std::string* storedText(const QLineEdit* field);
    void storeFieldText(QLineEdit* field, int decimals);
    void restoreFieldText(QLineEdit* field);
    void showMaterial(const std::string& material);
    QStringList workingNames() const;
    QString askStyleName(const QString& title, const QString* initialText);
    void applyToHost();
    void saveStyleFile();

    kestrix::StyleEditorHost& host_;
    bool terminalMode_ = false;
    kestrix::DuctStyleTable workingDuct_{};
    kestrix::TerminalStyleTable workingTerminal_{};
    int currentStyle_ = -1;

    // Texts set on activation, in the dialog's language.
    QString limitMessage_;
    QString newNameTitle_;
    QString renameTitle_;
    QString deleteBefore_;
    QString deleteAfter_;
};
