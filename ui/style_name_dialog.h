#pragma once

// Asks for the name of a new style or the new name of an existing one, and
// refuses a name that cannot be stored or that a style of the kind being
// edited already bears.

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrix {

class StyleNameDialog : public QDialog {
    Q_OBJECT

  public:
    // `existingNames`: the names of the editor's working table of the mode
    // being edited, up to its first empty slot.
    explicit StyleNameDialog(QStringList existingNames, QWidget* parent = nullptr);

    // Shows a name to start from, selected so that typing replaces it.
    void setName(const QString& name);
    // The entered text, as typed.
    QString enteredName() const;

  private:
    void onOk();

    QStringList existingNames_;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace kestrix
