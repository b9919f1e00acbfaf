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

void DuctSystemWindow::BuildControls() {
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton* open = button("systemOpen", T("&Open...", "開く(&O)..."));
    QPushButton* save = button("systemSave", T("&Save", "保存(&S)"));
    QPushButton* saveAs = button("systemSaveAs", T("Save &As...", "名前を付けて保存(&A)..."));
    QPushButton* csv = button("systemExportCsv", T("Export &CSV...", "CSV 出力(&C)..."));
    QPushButton* md = button("systemExportMd", T("Export &Markdown...", "Markdown 出力(&M)..."));
    QPushButton* add = button("systemAdd", T("Add section", "区間を追加"));
    QPushButton* addBelow = button("systemAddBelow", T("Add downstream", "下流に追加"));
    QPushButton* indent = button("systemIndent", T("Move under previous", "前の区間の下へ"));
    QPushButton* outdent = button("systemOutdent", T("Move up a level", "一段上へ"));
    QPushButton* remove = button("systemRemove", T("Remove", "削除"));

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("systemTree"));
    tree_->setColumnCount(ColumnCount);
    tree_->setHeaderLabels(
        {T("Section", "区間"), T("Length[m]", "長さ[m]"), T("Flow[CMH]", "風量[CMH]"),
         T("Size", "サイズ"), T("Shape", "形状"), T("Max height", "最大高さ"),
         T("Fittings C", "局部損失係数"), T("Fixed loss", "固定損失"), T("= Flow", "= 風量"),
         T("= Size", "= サイズ"), T("Velocity[m/s]", "風速[m/s]"), T("Loss/m", "損失/m"),
         T("Total", "損失計"), T("Path", "経路圧力"), T("Surplus", "余剰")});
    tree_->setDragDropMode(QAbstractItemView::InternalMove);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    tree_->setUniformRowHeights(true);
    auto* readOnly = new ReadOnlyDelegate(tree_);
    for (int c = ResultFlow; c < ColumnCount; ++c)
        tree_->setItemDelegateForColumn(c, readOnly);
    // Columns are fitted when a file is opened, not on every edit: fitting
    // measures every row, which a large system cannot afford per keystroke.
    tree_->header()->setSectionResizeMode(QHeaderView::Interactive);
    tree_->header()->setDefaultSectionSize(72);
    tree_->setToolTip(
        T("Double-click a cell to edit it; drag a section onto another to move it under it.",
          "セルをダブルクリックして編集。区間を別の区間へドラッグすると、その下に移ります。"));

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("systemName"));
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("systemUnits"));
    units_->addItems({QStringLiteral("Pa"), QStringLiteral("mmAq")});
    law_ = new QComboBox(this);
    law_->setObjectName(QStringLiteral("systemLaw"));
    law_->addItems({T("Power law (duct page)", "べき乗則（ダクトサイズ）"),
                    T("Colebrook-White", "コールブルック")});
    style_ = new QComboBox(this);
    style_->setObjectName(QStringLiteral("systemStyle"));
    material_ = new QComboBox(this);
    material_->setObjectName(QStringLiteral("systemMaterial"));
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
    velocity_ = spin("systemVelocity", 0.01, MaxMarchVelocity, 8.0, 2);
    loss_ = spin("systemLoss", 0.001, 1.0e6, 1.0, 3);
    aspect_ = spin("systemAspect", 0.1, 1000, 4.0, 2);
    shape_ = new QComboBox(this);
    shape_->setObjectName(QStringLiteral("systemShape"));
    shape_->addItems({T("Round", "丸"), T("Rectangular", "角")});
    maxHeight_ = spin("systemMaxHeight", 0, kMaxSizeMm, 0, 0);
    maxHeight_->setSpecialValueText(T("none", "なし"));
    air_ = new QCheckBox(T("Air other than 1.2 kg/m³", "空気の状態を指定"), this);
    air_->setObjectName(QStringLiteral("systemAir"));
    temperature_ = spin("systemTemperature", kMinAirTemperature, kMaxAirTemperature, 20, 1);
    elevation_ = spin("systemElevation", kMinElevation, kMaxElevation, 0, 1);
    pressure_ = spin("systemPressure", 0, kMaxAirPressure, 0, 3);
    pressure_->setSpecialValueText(T("from the elevation", "標高から"));
    fanPressure_ = new QLabel(this);
    fanPressure_->setObjectName(QStringLiteral("systemFanPressure"));
    problems_ = new QPlainTextEdit(this);
    problems_->setObjectName(QStringLiteral("systemProblems"));
    problems_->setReadOnly(true);
    problems_->setMaximumHeight(110);
    problems_->setPlaceholderText(T("Problems of the system appear here, each naming its section.",
                                    "系統の問題は、区間名とともにここに表示されます。"));

    auto* settings = new QGroupBox(T("System", "系統の設定"), this);
    auto* form = new QFormLayout(settings);
    form->addRow(T("Name", "名称"), name_);
    form->addRow(T("Units", "単位"), units_);
    form->addRow(T("Friction", "摩擦損失"), law_);
    form->addRow(T("Style", "スタイル"), style_);
    form->addRow(T("Material", "ダクト材質"), material_);
    form->addRow(T("Velocity limit[m/s]", "最大風速[m/s]"), velocity_);
    form->addRow(T("Loss limit per m", "単位摩擦損失"), loss_);
    form->addRow(T("Aspect limit", "最大アスペクト比"), aspect_);
    form->addRow(T("Shape", "形状"), shape_);
    form->addRow(T("Max height[mm]", "最大高さ[mm]"), maxHeight_);
    form->addRow(air_);
    form->addRow(T("Temperature[°C]", "温度[℃]"), temperature_);
    form->addRow(T("Elevation[m]", "標高[m]"), elevation_);
    form->addRow(T("Pressure[kPa]", "気圧[kPa]"), pressure_);
    form->addRow(T("Fan pressure", "送風機静圧"), fanPressure_);

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
    left->addWidget(tree_, 1);
    left->addWidget(problems_);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(settings);
    auto* all = new QVBoxLayout(this);
    all->addLayout(tools);
    all->addLayout(body, 1);

    connect(open, &QPushButton::clicked, this, [this] { OpenClicked(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveClicked(false); });
    connect(saveAs, &QPushButton::clicked, this, [this] { SaveClicked(true); });
    connect(csv, &QPushButton::clicked, this, [this] { ExportClicked(false); });
    connect(md, &QPushButton::clicked, this, [this] { ExportClicked(true); });
    connect(add, &QPushButton::clicked, this, [this] {
        QTreeWidgetItem* current = tree_->currentItem();
        tree_->setCurrentItem(AddSection(current ? current->parent() : nullptr));
    });
    connect(addBelow, &QPushButton::clicked, this,
            [this] { tree_->setCurrentItem(AddSection(tree_->currentItem())); });
    connect(indent, &QPushButton::clicked, this, [this] { Indent(); });
    connect(outdent, &QPushButton::clicked, this, [this] { Outdent(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (!filling_ && column < ResultFlow) Recalculate();
    });
    // A drop moves rows through the model; recalculate once it has settled.
    connect(tree_->model(), &QAbstractItemModel::rowsMoved, this, [this] { Recalculate(); });
    connect(tree_->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!filling_)
            QMetaObject::invokeMethod(
                this, [this] { Recalculate(); }, Qt::QueuedConnection);
    });
    for (QComboBox* box : {units_, law_, style_, material_, shape_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { Recalculate(); });
    for (QDoubleSpinBox* box :
         {velocity_, loss_, aspect_, maxHeight_, temperature_, elevation_, pressure_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Recalculate(); });
    connect(air_, &QCheckBox::toggled, this, [this] { Recalculate(); });
}
} // namespace kestrix
