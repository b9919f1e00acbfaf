#pragma once

// The duct-system window: a tree of sections from the fan to the terminals,
// edited in place, with the system's settings beside it. Every edit sizes the
// whole system again and shows each section's results, the critical path
// and the problems, naming the section; nothing the user typed is lost by a
// problem. Opens and saves the JSON system file, exports CSV and Markdown.
// Not modal: the main window stays usable beside it.

#include "config/config_records.h"
#include "engine/duct_system.h"
#include "engine/duct_system_file.h"

#include <QString>

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrix {

class DuctSystemWindow : public QWidget {
    Q_OBJECT

  public:
    // The tables are those of the main window, for styles and materials by
    // name; the captions follow the language chosen at start-up.
    DuctSystemWindow(bool japanese, const MaterialTable& materials, const DuctStyleTable& styles,
                     const StyleNameList& styleNames, QWidget* parent);

    // Takes the tables again (after the style editor changed them) and recalculates.
    void SetTables(const MaterialTable& materials, const DuctStyleTable& styles,
                   const StyleNameList& styleNames);

    // The columns of the tree.
    enum Column {
        Id,
        Length,
        Flow,
        Size,
        Shape,
        MaxHeight,
        Fittings,
        FixedLoss,
        ResultFlow,
        ResultSize,
        Velocity,
        LossPerMetre,
        TotalLoss,
        PathPressure,
        Surplus,
        ColumnCount
    };

    // File operations, also for automation: false with a message shown.
    bool OpenFile(const QString& path);
    bool SaveFile(const QString& path);
    bool ExportFile(const QString& path, bool markdown);

    // The system as the window holds it, and its last result.
    SystemFile CurrentSystem() const;
    const SystemResult& LastResult() const { return result_; }
    // The sections in the order the tree shows them (depth first).
    QTreeWidgetItem* AddSection(QTreeWidgetItem* under);
    void Recalculate();

    // Where the window's messages go; a modal box unless replaced (tests).
    std::function<void(const QString&)> messageSink;

  private:
    // The first entry of the style list: the material and limits below it.
    static constexpr int kMaterialAndLimits = 0;

    QString T(const char* english, const char* japanese) const;
    void BuildControls();
    void LoadSystem(const SystemFile& file);
    void ShowResult(const SystemFile& file);
    void ShowMessage(const QString& text);
    void Indent();
    void Outdent();
    void RemoveSelected();
    void OpenClicked();
    void SaveClicked(bool askName);
    void ExportClicked(bool markdown);
    bool WriteAtomically(const QString& path, const std::string& bytes);

    bool japanese_;
    MaterialTable materials_{};
    DuctStyleTable styles_{};
    StyleNameList styleNames_;
    QString path_;
    SystemResult result_;
    std::vector<QTreeWidgetItem*> order_; // tree items in the order of result_.sections
    bool filling_ = false;                // results being written: no recalculation
    int nextId_ = 1;

    QTreeWidget* tree_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* units_ = nullptr;
    QComboBox* law_ = nullptr;
    QComboBox* style_ = nullptr;
    QComboBox* material_ = nullptr;
    QDoubleSpinBox* velocity_ = nullptr;
    QDoubleSpinBox* loss_ = nullptr;
    QDoubleSpinBox* aspect_ = nullptr;
    QComboBox* shape_ = nullptr;
    QDoubleSpinBox* maxHeight_ = nullptr;
    QCheckBox* air_ = nullptr;
    QDoubleSpinBox* temperature_ = nullptr;
    QDoubleSpinBox* elevation_ = nullptr;
    QDoubleSpinBox* pressure_ = nullptr; // kPa; "none" (0): the elevation's
    QLabel* fanPressure_ = nullptr;
    QPlainTextEdit* problems_ = nullptr;
};

// Shows the window of the main window, creating it on first use.
DuctSystemWindow* ShowDuctSystemWindow(QWidget* mainWindow, bool japanese,
                                       const MaterialTable& materials, const DuctStyleTable& styles,
                                       const StyleNameList& styleNames);

} // namespace kestrix
