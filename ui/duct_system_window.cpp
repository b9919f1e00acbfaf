#include "ui/duct_system_window.h"

#include "config/codepage.h"
#include "config/system_criteria.h"
#include "engine/duct_system_report.h"
#include "engine/number_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <unordered_map>

namespace kestrix {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string S(const QString& text) {
    return text.trimmed().toStdString();
}

std::optional<double> NumberIn(const QString& text) {
    const std::string t = S(text);
    if (t.empty()) return std::nullopt;
    return ParseNumber(t);
}

// Fittings as the tree shows them: coefficients separated by ";", a named
// one as name=C ("0.2; tee, main=0.15").
QString FittingsText(const std::vector<Fitting>& fittings) {
    QStringList parts;
    for (const Fitting& f : fittings)
        parts << (f.name.empty() ? Q(FormatGeneral(f.c)) : Q(f.name) + "=" + Q(FormatGeneral(f.c)));
    return parts.join(QStringLiteral("; "));
}

bool ParseFittings(const QString& text, std::vector<Fitting>& out) {
    out.clear();
    for (const QString& part : text.split(';', Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty()) continue;
        Fitting f;
        QString value = part;
        const qsizetype eq = part.lastIndexOf('=');
        if (eq >= 0) {
            f.name = S(part.left(eq));
            value = part.mid(eq + 1);
        }
        const auto c = NumberIn(value);
        if (!c) return false;
        f.c = *c;
        out.push_back(std::move(f));
    }
    return true;
}

constexpr int kUnnamedStyle = 0; // first entry of the style list: material and limits

} // namespace

DuctSystemWindow::DuctSystemWindow(bool japanese, const MaterialTable& materials,
                                   const DuctStyleTable& styles, const StyleNameList& styleNames,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), japanese_(japanese) {
    setObjectName(QStringLiteral("DuctSystemWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(T("Duct system", "ダクト系統"));
    BuildControls();
    SetTables(materials, styles, styleNames);
    resize(1280, 640);
}

QString DuctSystemWindow::T(const char* english, const char* japanese) const {
    return QString::fromUtf8(japanese_ ? japanese : english);
}

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
    tree_->setHeaderLabels({T("Section", "区間"), T("Length[m]", "長さ[m]"), T("Flow[CMH]", "風量[CMH]"),
                            T("Size", "サイズ"), T("Shape", "形状"), T("Fittings C", "局部損失係数"),
                            T("Fixed loss", "固定損失"), T("= Flow", "= 風量"), T("= Size", "= サイズ"),
                            T("Velocity[m/s]", "風速[m/s]"), T("Loss/m", "損失/m"), T("Total", "損失計"),
                            T("Path", "経路圧力"), T("Surplus", "余剰")});
    tree_->setDragDropMode(QAbstractItemView::InternalMove);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    tree_->setUniformRowHeights(true);
    // Columns are fitted when a file is opened, not on every edit: fitting
    // measures every row, which a large system cannot afford per keystroke.
    tree_->header()->setSectionResizeMode(QHeaderView::Interactive);
    tree_->header()->setDefaultSectionSize(72);
    tree_->setToolTip(T("Double-click a cell to edit it; drag a section onto another to move it under it.",
                        "セルをダブルクリックして編集。区間を別の区間へドラッグすると、その下に移ります。"));

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("systemName"));
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("systemUnits"));
    units_->addItems({QStringLiteral("Pa"), QStringLiteral("mmAq")});
    law_ = new QComboBox(this);
    law_->setObjectName(QStringLiteral("systemLaw"));
    law_->addItems({T("Power law (duct page)", "べき乗則（ダクトサイズ）"), T("Colebrook-White", "コールブルック")});
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
    velocity_ = spin("systemVelocity", 0.1, 100, 8.0, 1);
    loss_ = spin("systemLoss", 0.01, 1000, 1.0, 2);
    aspect_ = spin("systemAspect", 1, 100, 4.0, 1);
    shape_ = new QComboBox(this);
    shape_->setObjectName(QStringLiteral("systemShape"));
    shape_->addItems({T("Round", "丸"), T("Rectangular", "角")});
    maxHeight_ = spin("systemMaxHeight", 0, kMaxSizeMm, 0, 0);
    maxHeight_->setSpecialValueText(T("none", "なし"));
    air_ = new QCheckBox(T("Air other than 1.2 kg/m³", "空気の状態を指定"), this);
    air_->setObjectName(QStringLiteral("systemAir"));
    temperature_ = spin("systemTemperature", kMinAirTemperature, kMaxAirTemperature, 20, 1);
    elevation_ = spin("systemElevation", kMinElevation, kMaxElevation, 0, 0);
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
    connect(addBelow, &QPushButton::clicked, this, [this] { tree_->setCurrentItem(AddSection(tree_->currentItem())); });
    connect(indent, &QPushButton::clicked, this, [this] { Indent(); });
    connect(outdent, &QPushButton::clicked, this, [this] { Outdent(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (!filling_ && column < ResultFlow) Recalculate();
    });
    // A drop moves rows through the model; recalculate once it has settled.
    connect(tree_->model(), &QAbstractItemModel::rowsMoved, this, [this] { Recalculate(); });
    connect(tree_->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!filling_) QMetaObject::invokeMethod(this, [this] { Recalculate(); }, Qt::QueuedConnection);
    });
    for (QComboBox* box : {units_, law_, style_, material_, shape_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { Recalculate(); });
    for (QDoubleSpinBox* box : {velocity_, loss_, aspect_, maxHeight_, temperature_, elevation_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Recalculate(); });
    connect(air_, &QCheckBox::toggled, this, [this] { Recalculate(); });
}

void DuctSystemWindow::SetTables(const MaterialTable& materials, const DuctStyleTable& styles,
                                 const StyleNameList& styleNames) {
    materials_ = materials;
    styles_ = styles;
    styleNames_ = styleNames;
    filling_ = true;
    const int style = style_->currentIndex(), material = material_->currentIndex();
    style_->clear();
    style_->addItem(T("(material and limits below)", "（下の材質と制限）"));
    for (const std::string& name : styleNames_)
        style_->addItem(Q(Cp932ToUtf8(name)));
    material_->clear();
    for (const DuctMaterial& m : materials_) {
        if (m.name.empty()) break;
        material_->addItem(Q(Cp932ToUtf8(m.name)));
    }
    style_->setCurrentIndex(style >= 0 && style < style_->count() ? style : kUnnamedStyle);
    material_->setCurrentIndex(material >= 0 && material < material_->count() ? material : 0);
    filling_ = false;
    Recalculate();
}

QTreeWidgetItem* DuctSystemWindow::AddSection(QTreeWidgetItem* under) {
    filling_ = true;
    auto* item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
    // A new id that no section holds yet.
    std::unordered_map<std::string, bool> taken;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        taken[S((*it)->text(Id))] = true;
    QString id;
    do
        id = QString::number(nextId_++);
    while (taken.count(id.toStdString()));
    item->setText(Id, id);
    item->setText(Length, QStringLiteral("1"));
    if (under) {
        under->addChild(item);
        under->setExpanded(true);
    } else {
        tree_->addTopLevelItem(item);
    }
    filling_ = false;
    Recalculate();
    return item;
}

void DuctSystemWindow::Indent() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) return;
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : tree_->indexOfTopLevelItem(item);
    if (index <= 0) return;
    QTreeWidgetItem* previous = parent ? parent->child(index - 1) : tree_->topLevelItem(index - 1);
    filling_ = true;
    if (parent)
        parent->takeChild(index);
    else
        tree_->takeTopLevelItem(index);
    previous->addChild(item);
    previous->setExpanded(true);
    filling_ = false;
    tree_->setCurrentItem(item);
    Recalculate();
}

void DuctSystemWindow::Outdent() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || !item->parent()) return;
    QTreeWidgetItem* parent = item->parent();
    QTreeWidgetItem* grand = parent->parent();
    filling_ = true;
    parent->takeChild(parent->indexOfChild(item));
    if (grand)
        grand->insertChild(grand->indexOfChild(parent) + 1, item);
    else
        tree_->insertTopLevelItem(tree_->indexOfTopLevelItem(parent) + 1, item);
    filling_ = false;
    tree_->setCurrentItem(item);
    Recalculate();
}

void DuctSystemWindow::RemoveSelected() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) return;
    // The sections below move up to the removed section's place.
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : tree_->indexOfTopLevelItem(item);
    filling_ = true;
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    if (parent) {
        parent->insertChildren(index + 1, children);
        parent->takeChild(index);
    } else {
        tree_->insertTopLevelItems(index + 1, children);
        tree_->takeTopLevelItem(index);
    }
    delete item;
    filling_ = false;
    Recalculate();
}

SystemFile DuctSystemWindow::CurrentSystem() const {
    SystemFile file;
    SystemSettings& s = file.system.settings;
    SystemMaterialChoice& m = file.choice;
    s.name = S(name_->text());
    s.pressureInPa = units_->currentIndex() == 0;
    m.unitsGiven = true;
    s.law = law_->currentIndex() == 0 ? FrictionLaw::Power : FrictionLaw::Colebrook;
    if (style_->currentIndex() > kUnnamedStyle) {
        m.style = style_->currentIndex() - 1;
    } else {
        m.materialRow = material_->currentIndex() + 1;
        m.velocity = velocity_->value();
        m.loss = loss_->value();
        m.aspect = aspect_->value();
    }
    s.shape = shape_->currentIndex() == 0 ? DuctShape::Round : DuctShape::Rectangular;
    if (maxHeight_->value() > 0) s.maxHeight = maxHeight_->value();
    if (air_->isChecked()) s.air = AirState{temperature_->value(), elevation_->value(), std::nullopt};

    // Depth first, parents before children; the tree gives each its upstream.
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree_)); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        SystemSection sec;
        sec.id = S(item->text(Id));
        if (item->parent()) sec.upstream = S(item->parent()->text(Id));
        sec.length = NumberIn(item->text(Length)).value_or(std::nan(""));
        if (!S(item->text(Flow)).empty()) sec.flow = NumberIn(item->text(Flow)).value_or(std::nan(""));
        sec.size = S(item->text(Size));
        const QString shape = item->text(Shape).trimmed().toLower();
        if (shape == T("round", "丸").toLower() || shape == QStringLiteral("round"))
            sec.shape = DuctShape::Round;
        else if (shape == T("rectangular", "角").toLower() || shape == QStringLiteral("rectangular"))
            sec.shape = DuctShape::Rectangular;
        if (!ParseFittings(item->text(Fittings), sec.fittings)) sec.fittings = {{"", std::nan("")}};
        if (!S(item->text(FixedLoss)).empty())
            sec.fixedLoss = NumberIn(item->text(FixedLoss)).value_or(std::nan(""));
        file.system.sections.push_back(std::move(sec));
    }
    return file;
}

void DuctSystemWindow::Recalculate() {
    if (filling_) return;
    SystemFile file = CurrentSystem();
    std::string error;
    order_.clear();
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        order_.push_back(*it);
    if (!ResolveSystemCriteria(file, {materials_, styles_, styleNames_}, japanese_, error)) {
        result_ = SystemResult{};
        ShowResult(file);
        problems_->setPlainText(Q(error));
        return;
    }
    result_ = CalculateSystem(file.system);
    ShowResult(file);
}

void DuctSystemWindow::ShowResult(const SystemFile& file) {
    filling_ = true;
    const bool ok = result_.ok() && result_.sections.size() == order_.size();
    const bool pa = file.system.settings.pressureInPa;
    const std::string mark = japanese_ ? "\xCF\x86" : "\xCE\xA6";
    std::vector<char> critical(order_.size(), 0);
    std::vector<const PathResult*> pathOf(order_.size(), nullptr);
    if (ok) {
        for (const std::size_t i : result_.PathSections(result_.paths[result_.criticalPath]))
            critical[i] = 1;
        for (const PathResult& p : result_.paths)
            pathOf[p.terminal] = &p;
    }
    const QBrush highlight(QColor(255, 236, 179));
    // Only what changed is written: each write repaints its row.
    auto set = [](QTreeWidgetItem* item, int column, const QString& text) {
        if (item->text(column) != text) item->setText(column, text);
    };
    for (std::size_t i = 0; i < order_.size(); ++i) {
        QTreeWidgetItem* item = order_[i];
        if (!ok) {
            for (int c = ResultFlow; c < ColumnCount; ++c)
                set(item, c, QString());
        } else {
            const SectionResult& x = result_.sections[i];
            set(item, ResultFlow, Q(FormatGeneral(x.flow)));
            set(item, ResultSize, Q(SystemSizeText(x, mark)) + (x.overLimits ? QStringLiteral(" !") : QString()));
            set(item, Velocity, Q(ReportVelocity(x.velocity)));
            set(item, LossPerMetre, Q(ReportLossPerMetre(x.lossPerMetre)));
            set(item, TotalLoss, Q(ReportPressure(x.totalLoss, pa)));
            set(item, PathPressure, pathOf[i] ? Q(ReportPressure(pathOf[i]->pressure, pa)) : QString());
            set(item, Surplus, pathOf[i] ? Q(ReportPressure(pathOf[i]->surplus, pa)) : QString());
        }
        const QBrush brush = critical[i] ? highlight : QBrush();
        if (item->background(Id) != brush)
            for (int c = 0; c < ColumnCount; ++c)
                item->setBackground(c, brush);
    }
    QStringList problems;
    for (const SystemProblem& p : result_.problems)
        problems << Q(SystemProblemText(p, japanese_));
    problems_->setPlainText(problems.join('\n'));
    fanPressure_->setText(ok ? Q(ReportPressure(result_.fanPressure, pa)) + (pa ? " Pa" : " mmAq") : QString());
    filling_ = false;
}

void DuctSystemWindow::LoadSystem(const SystemFile& file) {
    filling_ = true;
    tree_->clear();
    const SystemSettings& s = file.system.settings;
    const SystemMaterialChoice& m = file.choice;
    name_->setText(Q(s.name));
    units_->setCurrentIndex(s.pressureInPa ? 0 : 1);
    law_->setCurrentIndex(s.law == FrictionLaw::Power ? 0 : 1);
    if (m.style && *m.style + 1 < style_->count()) style_->setCurrentIndex(*m.style + 1);
    else style_->setCurrentIndex(kUnnamedStyle);
    if (m.materialRow && *m.materialRow >= 1 && *m.materialRow <= material_->count())
        material_->setCurrentIndex(*m.materialRow - 1);
    if (m.materialName) {
        const int found = material_->findText(Q(*m.materialName));
        if (found >= 0) material_->setCurrentIndex(found);
    }
    if (m.velocity) velocity_->setValue(*m.velocity);
    if (m.loss) loss_->setValue(*m.loss);
    aspect_->setValue(m.aspect.value_or(4.0));
    shape_->setCurrentIndex(s.shape == DuctShape::Round ? 0 : 1);
    maxHeight_->setValue(s.maxHeight.value_or(0));
    air_->setChecked(s.air.has_value());
    if (s.air) {
        temperature_->setValue(s.air->temperature);
        elevation_->setValue(s.air->elevation.value_or(0));
    }
    std::unordered_map<std::string, QTreeWidgetItem*> items;
    std::vector<QTreeWidgetItem*> made;
    for (const SystemSection& sec : file.system.sections) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
        item->setText(Id, Q(sec.id));
        item->setText(Length, Q(FormatGeneral(sec.length)));
        if (sec.flow) item->setText(Flow, Q(FormatGeneral(*sec.flow)));
        item->setText(Size, Q(sec.size));
        if (sec.shape) item->setText(Shape, *sec.shape == DuctShape::Round ? T("round", "丸") : T("rectangular", "角"));
        item->setText(Fittings, FittingsText(sec.fittings));
        if (sec.fixedLoss != 0) item->setText(FixedLoss, Q(FormatGeneral(sec.fixedLoss)));
        items.emplace(sec.id, item);
        made.push_back(item);
    }
    for (std::size_t i = 0; i < made.size(); ++i) {
        const SystemSection& sec = file.system.sections[i];
        if (sec.upstream)
            items.at(*sec.upstream)->addChild(made[i]);
        else
            tree_->addTopLevelItem(made[i]);
    }
    tree_->expandAll();
    filling_ = false;
    Recalculate();
    for (int c = 0; c < ColumnCount; ++c)
        tree_->resizeColumnToContents(c);
}

bool DuctSystemWindow::OpenFile(const QString& path) {
    QFile file(path);
    if (file.size() > static_cast<qint64>(kMaxSystemFileBytes)) {
        ShowMessage(T("The file is larger than 50 MB.", "ファイルが 50 MB を超えています。"));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(T("Cannot open ", "開けません：") + path + "\n" + file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxSystemFileBytes) + 1);
    SystemFileResult read = ReadSystemJson(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!read.ok) {
        ShowMessage(path + "\n" + Q(read.error));
        return false;
    }
    // A tree cannot hold a circle or a section whose upstream is missing:
    // such a file is refused with the problem, and the edits stay.
    // Two fan sections are two top-level rows, and are left to the problem list.
    for (const SystemProblem& p : CheckSystemTree(read.file.system)) {
        if (p.kind == SystemProblemKind::TwoFanSections || p.kind == SystemProblemKind::NoFanSection)
            continue;
        ShowMessage(path + "\n" + Q(SystemProblemText(p, japanese_)));
        return false;
    }
    LoadSystem(read.file);
    path_ = path;
    setWindowTitle(T("Duct system", "ダクト系統") + " - " + QFileInfo(path).fileName());
    return true;
}

bool DuctSystemWindow::WriteAtomically(const QString& path, const std::string& bytes) {
    // Through a temporary file and a rename: the old file stays whole until
    // the new one is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        ShowMessage(T("Cannot save ", "保存できません：") + path + "\n" + file.errorString());
        return false;
    }
    return true;
}

bool DuctSystemWindow::SaveFile(const QString& path) {
    if (!WriteAtomically(path, WriteSystemJson(CurrentSystem()))) return false;
    path_ = path;
    setWindowTitle(T("Duct system", "ダクト系統") + " - " + QFileInfo(path).fileName());
    return true;
}

bool DuctSystemWindow::ExportFile(const QString& path, bool markdown) {
    if (!result_.ok() || result_.sections.empty()) {
        ShowMessage(T("The system has problems; correct them before exporting.",
                      "系統に問題があります。修正してから出力してください。"));
        return false;
    }
    SystemFile file = CurrentSystem();
    std::string error;
    ResolveSystemCriteria(file, {materials_, styles_, styleNames_}, japanese_, error);
    return WriteAtomically(path, SystemReport(file.system, result_,
                                              markdown ? SystemReportFormat::Markdown : SystemReportFormat::Csv,
                                              japanese_));
}

void DuctSystemWindow::OpenClicked() {
    const QString path = QFileDialog::getOpenFileName(this, T("Open duct system", "ダクト系統を開く"), path_,
                                                      T("Duct systems (*.json)", "ダクト系統 (*.json)"));
    if (!path.isEmpty()) OpenFile(path);
}

void DuctSystemWindow::SaveClicked(bool askName) {
    QString path = path_;
    if (askName || path.isEmpty())
        path = QFileDialog::getSaveFileName(this, T("Save duct system", "ダクト系統を保存"), path_,
                                            T("Duct systems (*.json)", "ダクト系統 (*.json)"));
    if (!path.isEmpty()) SaveFile(path);
}

void DuctSystemWindow::ExportClicked(bool markdown) {
    const QString path = QFileDialog::getSaveFileName(
        this, markdown ? T("Export Markdown", "Markdown 出力") : T("Export CSV", "CSV 出力"), QString(),
        markdown ? QStringLiteral("Markdown (*.md)") : QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty()) ExportFile(path, markdown);
}

void DuctSystemWindow::ShowMessage(const QString& text) {
    if (messageSink) {
        messageSink(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, japanese_ ? QStringLiteral("Kestrix エラー") : QStringLiteral("Kestrix Error"),
                    text, QMessageBox::Ok, this);
    box.exec();
}

DuctSystemWindow* ShowDuctSystemWindow(QWidget* mainWindow, bool japanese, const MaterialTable& materials,
                                       const DuctStyleTable& styles, const StyleNameList& styleNames) {
    auto* window = mainWindow->findChild<DuctSystemWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new DuctSystemWindow(japanese, materials, styles, styleNames, mainWindow);
    else
        window->SetTables(materials, styles, styleNames);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace kestrix
