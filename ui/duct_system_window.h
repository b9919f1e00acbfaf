#pragma once

// The duct-system window: a tree of sections from the fan to the terminals,
// edited in place, with the system's settings beside it. Every edit sizes the
// whole system again and shows each section's results, the critical path
// and the problems, naming the section; nothing the user typed is lost by a
// problem. Opens and saves the JSON system file, exports CSV and Markdown.
// Not modal: the main window stays usable beside it.

#include "config/config_records.h"
#include "config/language.h"
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
    DuctSystemWindow(const MaterialTable& materials, const DuctStyleTable& styles,
                     const StyleNameList& styleNames, QWidget* parent);

    // Takes the tables again (after the style editor changed them) and recalculates.
    void setTables(const MaterialTable& materials, const DuctStyleTable& styles,
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
    bool openFile(const QString& path);
    bool saveFile(const QString& path);
    bool exportFile(const QString& path, bool markdown);

    // The system as the window holds it, and its last result.
    SystemFile currentSystem() const;
    const SystemResult& lastResult() const { return result_; }
    // Adds a section as the last below `under` (or as the last top-level
    // section), with a new id, and recalculates.
    QTreeWidgetItem* addSection(QTreeWidgetItem* under);
    void recalculate();

    // Where the window's messages go; a modal box unless replaced (tests).
    std::function<void(const QString&)> messageSink;

  private:
    // The first entry of the style list: the material and limits below it.
    static constexpr int kMaterialAndLimits = 0;

    void buildControls();
    void loadSystem(const SystemFile& file);
    void showResult(const SystemFile& file);
    void showMessage(const QString& text);
    void indentSection();
    void outdentSection();
    void removeSelected();
    void onOpen();
    void onSave(bool askName);
    void onExport(bool markdown);
    bool writeAtomically(const QString& path, const std::string& bytes);

    // The language of the reports and problem texts made by the engine.
    MaterialTable materials_{};
    DuctStyleTable styles_{};
    StyleNameList styleNames_;
    QString path_;
    SystemResult result_;
    std::vector<QTreeWidgetItem*> order_; // tree items in the order of result_.sections
    bool filling_ = false;                // results being written: no recalculation
    int nextId_ = 1;

    QTreeWidget* sectionTree_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    QComboBox* unitsCombo_ = nullptr;
    QComboBox* lawCombo_ = nullptr;
    QComboBox* styleCombo_ = nullptr;
    QComboBox* materialCombo_ = nullptr;
    QDoubleSpinBox* velocityLimit_ = nullptr;
    QDoubleSpinBox* lossLimit_ = nullptr;
    QDoubleSpinBox* aspectLimit_ = nullptr;
    QComboBox* shapeCombo_ = nullptr;
    QDoubleSpinBox* maxHeightSpin_ = nullptr;
    QCheckBox* customAir_ = nullptr;
    QDoubleSpinBox* temperatureSpin_ = nullptr;
    QDoubleSpinBox* elevationSpin_ = nullptr;
    QDoubleSpinBox* pressureSpin_ = nullptr; // kPa; "none" (0): the elevation's
    QLabel* fanPressureLabel_ = nullptr;
    QPlainTextEdit* problemList_ = nullptr;
};

// Shows the window of the main window, creating it on first use.
DuctSystemWindow* ShowDuctSystemWindow(QWidget* mainWindow, const MaterialTable& materials,
                                       const DuctStyleTable& styles,
                                       const StyleNameList& styleNames);

} // namespace kestrix
