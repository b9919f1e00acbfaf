// The duct-system window's controls, their layout and their connections.

#include "ui/duct_system_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kestrix {
namespace {

// The result columns show figures; they are not for typing into.
class ReadOnlyDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        return nullptr;
    }
};

} // namespace

void DuctSystemWindow::buildControls() {
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton* open = button("systemOpen", tr("&Open..."));
    QPushButton* save = button("systemSave", tr("&Save"));
    QPushButton* saveAs = button("systemSaveAs", tr("Save &As..."));
    QPushButton* csv = button("systemExportCsv", tr("Export &CSV..."));
    QPushButton* md = button("systemExportMd", tr("Export &Markdown..."));
    QPushButton* add = button("systemAdd", tr("Add section"));
    QPushButton* addBelow = button("systemAddBelow", tr("Add downstream"));
    QPushButton* indent = button("systemIndent", tr("Move under previous"));
    QPushButton* outdent = button("systemOutdent", tr("Move up a level"));
    QPushButton* remove = button("systemRemove", tr("Remove"));

    sectionTree_ = new QTreeWidget(this);
    sectionTree_->setObjectName(QStringLiteral("systemTree"));
    sectionTree_->setColumnCount(ColumnCount);
    sectionTree_->setHeaderLabels(
        {tr("Section"), tr("Length[m]"), tr("Flow[CMH]"), tr("Size"), tr("Shape"), tr("Max height"),
         tr("Fittings C"), tr("Fixed loss"), tr("= Flow"), tr("= Size"), tr("Velocity[m/s]"),
         tr("Loss/m"), tr("Total"), tr("Path"), tr("Surplus")});
    sectionTree_->setDragDropMode(QAbstractItemView::InternalMove);
    sectionTree_->setSelectionMode(QAbstractItemView::SingleSelection);
    sectionTree_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
    sectionTree_->setUniformRowHeights(true);
    auto* readOnly = new ReadOnlyDelegate(sectionTree_);
    for (int c = ResultFlow; c < ColumnCount; ++c)
        sectionTree_->setItemDelegateForColumn(c, readOnly);
    // Columns are fitted when a file is opened, not on every edit: fitting
    // measures every row, which a large system cannot afford per keystroke.
    sectionTree_->header()->setSectionResizeMode(QHeaderView::Interactive);
    sectionTree_->header()->setDefaultSectionSize(72);
    sectionTree_->setToolTip(
        tr("Double-click a cell to edit it; drag a section onto another to move it under it."));

    nameField_ = new QLineEdit(this);
    nameField_->setObjectName(QStringLiteral("systemName"));
    unitsCombo_ = new QComboBox(this);
    unitsCombo_->setObjectName(QStringLiteral("systemUnits"));
    unitsCombo_->addItems({QStringLiteral("Pa"), QStringLiteral("mmAq")});
    lawCombo_ = new QComboBox(this);
    lawCombo_->setObjectName(QStringLiteral("systemLaw"));
    lawCombo_->addItems({tr("Power law (duct page)"), tr("Colebrook-White")});
    styleCombo_ = new QComboBox(this);
    styleCombo_->setObjectName(QStringLiteral("systemStyle"));
    materialCombo_ = new QComboBox(this);
    materialCombo_->setObjectName(QStringLiteral("systemMaterial"));
    auto spin = [&](const char* objectName, double min, double max, double value, int decimals) {
        auto* s = new QDoubleSpinBox(this);
        s->setObjectName(QString::fromLatin1(objectName));
        s->setRange(min, max);
        s->setDecimals(decimals);
        s->setValue(value);
        s->setKeyboardTracking(false);
        return s;
    };
    // Wide ranges and enough decimals that a file's value comes back unchanged.
    velocityLimit_ = spin("systemVelocity", 0.01, MaxMarchVelocity, 8.0, 2);
    lossLimit_ = spin("systemLoss", 0.001, 1.0e6, 1.0, 3);
    aspectLimit_ = spin("systemAspect", 0.1, 1000, 4.0, 2);
    shapeCombo_ = new QComboBox(this);
    shapeCombo_->setObjectName(QStringLiteral("systemShape"));
    shapeCombo_->addItems({tr("Round"), tr("Rectangular")});
    maxHeightSpin_ = spin("systemMaxHeight", 0, kMaxSizeMm, 0, 0);
    maxHeightSpin_->setSpecialValueText(tr("none"));
    customAir_ = new QCheckBox(tr("Air other than 1.2 kg/m³"), this);
    customAir_->setObjectName(QStringLiteral("systemAir"));
    temperatureSpin_ = spin("systemTemperature", kMinAirTemperature, kMaxAirTemperature, 20, 1);
    elevationSpin_ = spin("systemElevation", kMinElevation, kMaxElevation, 0, 1);
    pressureSpin_ = spin("systemPressure", 0, kMaxAirPressure, 0, 3);
    pressureSpin_->setSpecialValueText(tr("from the elevation"));
    fanPressureLabel_ = new QLabel(this);
    fanPressureLabel_->setObjectName(QStringLiteral("systemFanPressure"));
    problemList_ = new QPlainTextEdit(this);
    problemList_->setObjectName(QStringLiteral("systemProblems"));
    problemList_->setReadOnly(true);
    problemList_->setMaximumHeight(110);
    problemList_->setPlaceholderText(
        tr("Problems of the system appear here, each naming its section."));

    auto* settings = new QGroupBox(tr("System"), this);
    auto* form = new QFormLayout(settings);
    form->addRow(tr("Name"), nameField_);
    form->addRow(tr("Units"), unitsCombo_);
    form->addRow(tr("Friction"), lawCombo_);
    form->addRow(tr("Style"), styleCombo_);
    form->addRow(tr("Material"), materialCombo_);
    form->addRow(tr("Velocity limit[m/s]"), velocityLimit_);
    form->addRow(tr("Loss limit per m"), lossLimit_);
    form->addRow(tr("Aspect limit"), aspectLimit_);
    form->addRow(tr("Shape"), shapeCombo_);
    form->addRow(tr("Max height[mm]"), maxHeightSpin_);
    form->addRow(customAir_);
    form->addRow(tr("Temperature[°C]"), temperatureSpin_);
    form->addRow(tr("Elevation[m]"), elevationSpin_);
    form->addRow(tr("Pressure[kPa]"), pressureSpin_);
    form->addRow(tr("Fan pressure"), fanPressureLabel_);

    auto* tools = new QHBoxLayout;
    for (QPushButton* b : {open, save, saveAs, csv, md})
        tools->addWidget(b);
    tools->addStretch();
    auto* edits = new QHBoxLayout;
    for (QPushButton* b : {add, addBelow, indent, outdent, remove})
        edits->addWidget(b);
    edits->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(edits);
    left->addWidget(sectionTree_, 1);
    left->addWidget(problemList_);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(settings);
    auto* all = new QVBoxLayout(this);
    all->addLayout(tools);
    all->addLayout(body, 1);

    connect(open, &QPushButton::clicked, this, [this] { onOpen(); });
    connect(save, &QPushButton::clicked, this, [this] { onSave(false); });
    connect(saveAs, &QPushButton::clicked, this, [this] { onSave(true); });
    connect(csv, &QPushButton::clicked, this, [this] { onExport(false); });
    connect(md, &QPushButton::clicked, this, [this] { onExport(true); });
    connect(add, &QPushButton::clicked, this, [this] {
        QTreeWidgetItem* current = sectionTree_->currentItem();
        sectionTree_->setCurrentItem(addSection(current ? current->parent() : nullptr));
    });
    connect(addBelow, &QPushButton::clicked, this,
            [this] { sectionTree_->setCurrentItem(addSection(sectionTree_->currentItem())); });
    connect(indent, &QPushButton::clicked, this, [this] { indentSection(); });
    connect(outdent, &QPushButton::clicked, this, [this] { outdentSection(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeSelected(); });
    connect(sectionTree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (!filling_ && column < ResultFlow) recalculate();
    });
    // A drop moves rows through the model; recalculate once it has settled.
    connect(sectionTree_->model(), &QAbstractItemModel::rowsMoved, this, [this] { recalculate(); });
    connect(sectionTree_->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!filling_)
            QMetaObject::invokeMethod(
                this, [this] { recalculate(); }, Qt::QueuedConnection);
    });
    for (QComboBox* box : {unitsCombo_, lawCombo_, styleCombo_, materialCombo_, shapeCombo_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { recalculate(); });
    for (QDoubleSpinBox* box : {velocityLimit_, lossLimit_, aspectLimit_, maxHeightSpin_,
                                temperatureSpin_, elevationSpin_, pressureSpin_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { recalculate(); });
    connect(customAir_, &QCheckBox::toggled, this, [this] { recalculate(); });
}
} // namespace kestrix
