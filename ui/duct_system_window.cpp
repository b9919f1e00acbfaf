#include "ui/duct_system_window.h"

#include "config/codepage.h"
#include "config/system_criteria.h"
#include "engine/duct_system_report.h"
#include "engine/number_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <cmath>
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
    style_->setCurrentIndex(style >= 0 && style < style_->count() ? style : kMaterialAndLimits);
    material_->setCurrentIndex(material >= 0 && material < material_->count() ? material : 0);
    filling_ = false;
    Recalculate();
}

QTreeWidgetItem* DuctSystemWindow::AddSection(QTreeWidgetItem* under) {
    filling_ = true;
    auto* item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                   Qt::ItemIsDropEnabled);
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
    if (style_->currentIndex() > kMaterialAndLimits) {
        m.style = style_->currentIndex() - 1;
    } else {
        m.materialRow = material_->currentIndex() + 1;
        m.velocity = velocity_->value();
        m.loss = loss_->value();
        m.aspect = aspect_->value();
    }
    s.shape = shape_->currentIndex() == 0 ? DuctShape::Round : DuctShape::Rectangular;
    if (maxHeight_->value() > 0) s.maxHeight = maxHeight_->value();
    if (air_->isChecked()) {
        s.air = AirState{temperature_->value(), elevation_->value(), std::nullopt};
        if (pressure_->value() > 0) {
            s.air->pressure = pressure_->value();
            s.air->elevation.reset();
        }
    }

    // Depth first, parents before children; the tree gives each its upstream.
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree_)); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        SystemSection sec;
        sec.id = S(item->text(Id));
        if (item->parent()) sec.upstream = S(item->parent()->text(Id));
        sec.length = NumberIn(item->text(Length)).value_or(std::nan(""));
        if (!S(item->text(Flow)).empty())
            sec.flow = NumberIn(item->text(Flow)).value_or(std::nan(""));
        sec.size = S(item->text(Size));
        const QString shape = item->text(Shape).trimmed().toLower();
        if (shape == T("round", "丸").toLower() || shape == QStringLiteral("round"))
            sec.shape = DuctShape::Round;
        else if (shape == T("rectangular", "角").toLower() ||
                 shape == QStringLiteral("rectangular"))
            sec.shape = DuctShape::Rectangular;
        if (!S(item->text(MaxHeight)).empty())
            sec.maxHeight = NumberIn(item->text(MaxHeight)).value_or(std::nan(""));
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
            set(item, ResultSize,
                Q(SystemSizeText(x, mark)) + (x.overLimits ? QStringLiteral(" !") : QString()));
            set(item, Velocity, Q(ReportVelocity(x.velocity)));
            set(item, LossPerMetre, Q(ReportLossPerMetre(x.lossPerMetre)));
            set(item, TotalLoss, Q(ReportPressure(x.totalLoss, pa)));
            set(item, PathPressure,
                pathOf[i] ? Q(ReportPressure(pathOf[i]->pressure, pa)) : QString());
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
    fanPressure_->setText(ok ? Q(ReportPressure(result_.fanPressure, pa)) + (pa ? " Pa" : " mmAq")
                             : QString());
    filling_ = false;
}

void DuctSystemWindow::ShowMessage(const QString& text) {
    if (messageSink) {
        messageSink(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon,
                    japanese_ ? QStringLiteral("Kestrix エラー") : QStringLiteral("Kestrix Error"),
                    text, QMessageBox::Ok, this);
    box.exec();
}

DuctSystemWindow* ShowDuctSystemWindow(QWidget* mainWindow, bool japanese,
                                       const MaterialTable& materials, const DuctStyleTable& styles,
                                       const StyleNameList& styleNames) {
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
