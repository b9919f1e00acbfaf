#pragma once

// TDuctStyle2: asks for the name of a new style or the new name of an existing
// one, and refuses a name that cannot be stored or that a style of the kind
// being edited already bears.

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

class TDuctStyle2 : public QDialog {
    Q_OBJECT

  public:
    // `existingNames`: the names of the editor's working table of the mode
    // being edited, up to its first empty slot.
    TDuctStyle2(bool japaneseUi, QStringList existingNames, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // The entered text, as typed.
    QString enteredName() const;

    void FormCreate();
    void FormActivate();
    void Button1Click();
    void Button2Click();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    bool japaneseUi_;
    QStringList existingNames_;
    QString duplicateBefore_;
    QString duplicateAfter_;
};
