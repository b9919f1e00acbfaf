#include "ui/duct_system_window.h"

#include "config/codepage.h"
#include "config/language.h"
#include "config/system_criteria.h"
#include "config/system_texts.h"
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

// The engine's texts are UTF-8.
QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

// What the user typed, without the spaces around it, for the engine.
std::string TrimmedStd(const QString& text) {
    return text.trimmed().toStdString();
}

std::optional<double> NumberIn(const QString& text) {
    const std::string t = TrimmedStd(text);
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
            f.name = TrimmedStd(part.left(eq));
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

DuctSystemWindow::DuctSystemWindow(const MaterialTable& materials, const DuctStyleTable& styles,
                                   const StyleNameList& styleNames, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("DuctSystemWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(tr("Duct system"));
    buildControls();
    setTables(materials, styles, styleNames);
    resize(1280, 640);
}

void DuctSystemWindow::setTables(const MaterialTable& materials, const DuctStyleTable& styles,
                                 const StyleNameList& styleNames) {
    materials_ = materials;
    styles_ = styles;
    styleNames_ = styleNames;
    filling_ = true;
    const int style = styleCombo_->currentIndex(), material = materialCombo_->currentIndex();
    styleCombo_->clear();
    styleCombo_->addItem(tr("(material and limits below)"));
    for (const std::string& name : styleNames_)
        styleCombo_->addItem(ToQt(Cp932ToUtf8(name)));
    materialCombo_->clear();
    for (const DuctMaterial& m : materials_) {
        if (m.name.empty()) break;
        materialCombo_->addItem(ToQt(Cp932ToUtf8(m.name)));
    }
    styleCombo_->setCurrentIndex(style >= 0 && style < styleCombo_->count() ? style
                                                                            : kMaterialAndLimits);
    materialCombo_->setCurrentIndex(material >= 0 && material < materialCombo_->count() ? material
                                                                                        : 0);
    filling_ = false;
    recalculate();
}

QTreeWidgetItem* DuctSystemWindow::addSection(QTreeWidgetItem* under) {
    filling_ = true;
    auto* item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                   Qt::ItemIsDropEnabled);
    // A new id that no section holds yet.
    std::unordered_map<std::string, bool> taken;
    for (QTreeWidgetItemIterator it(sectionTree_); *it; ++it)
        taken[TrimmedStd((*it)->text(Id))] = true;
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
        sectionTree_->addTopLevelItem(item);
    }
    filling_ = false;
    recalculate();
    return item;
}

void DuctSystemWindow::indentSection() {
    QTreeWidgetItem* item = sectionTree_->currentItem();
    if (!item) return;
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : sectionTree_->indexOfTopLevelItem(item);
    if (index <= 0) return;
    QTreeWidgetItem* previous =
        parent ? parent->child(index - 1) : sectionTree_->topLevelItem(index - 1);
    filling_ = true;
    if (parent)
        parent->takeChild(index);
    else
        sectionTree_->takeTopLevelItem(index);
    previous->addChild(item);
    previous->setExpanded(true);
    filling_ = false;
    sectionTree_->setCurrentItem(item);
    recalculate();
}

void DuctSystemWindow::outdentSection() {
    QTreeWidgetItem* item = sectionTree_->currentItem();
    if (!item || !item->parent()) return;
    QTreeWidgetItem* parent = item->parent();
    QTreeWidgetItem* grand = parent->parent();
    filling_ = true;
    parent->takeChild(parent->indexOfChild(item));
    if (grand)
        grand->insertChild(grand->indexOfChild(parent) + 1, item);
    else
        sectionTree_->insertTopLevelItem(sectionTree_->indexOfTopLevelItem(parent) + 1, item);
    filling_ = false;
    sectionTree_->setCurrentItem(item);
    recalculate();
}

void DuctSystemWindow::removeSelected() {
    QTreeWidgetItem* item = sectionTree_->currentItem();
    if (!item) return;
    // The sections below move up to the removed section's place.
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : sectionTree_->indexOfTopLevelItem(item);
    filling_ = true;
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    if (parent) {
        parent->insertChildren(index + 1, children);
        parent->takeChild(index);
    } else {
        sectionTree_->insertTopLevelItems(index + 1, children);
        sectionTree_->takeTopLevelItem(index);
    }
    delete item;
    filling_ = false;
    recalculate();
}

SystemFile DuctSystemWindow::currentSystem() const {
    SystemFile file;
    SystemSettings& s = file.system.settings;
    SystemMaterialChoice& m = file.choice;
    s.name = TrimmedStd(nameField_->text());
    s.pressureInPa = unitsCombo_->currentIndex() == 0;
    m.unitsGiven = true;
    s.law = lawCombo_->currentIndex() == 0 ? FrictionLaw::Power : FrictionLaw::Colebrook;
    if (styleCombo_->currentIndex() > kMaterialAndLimits) {
        m.style = styleCombo_->currentIndex() - 1;
    } else {
        m.materialRow = materialCombo_->currentIndex() + 1;
        m.velocity = velocityLimit_->value();
        m.loss = lossLimit_->value();
        m.aspect = aspectLimit_->value();
    }
    s.shape = shapeCombo_->currentIndex() == 0 ? DuctShape::Round : DuctShape::Rectangular;
    if (maxHeightSpin_->value() > 0) s.maxHeight = maxHeightSpin_->value();
    if (customAir_->isChecked()) {
        s.air = AirState{temperatureSpin_->value(), elevationSpin_->value(), std::nullopt};
        if (pressureSpin_->value() > 0) {
            s.air->pressure = pressureSpin_->value();
            s.air->elevation.reset();
        }
    }

    // Depth first, parents before children; the tree gives each its upstream.
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(sectionTree_)); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        SystemSection sec;
        sec.id = TrimmedStd(item->text(Id));
        if (item->parent()) sec.upstream = TrimmedStd(item->parent()->text(Id));
        sec.length = NumberIn(item->text(Length)).value_or(std::nan(""));
        if (!TrimmedStd(item->text(Flow)).empty())
            sec.flow = NumberIn(item->text(Flow)).value_or(std::nan(""));
        sec.size = TrimmedStd(item->text(Size));
        const QString shape = item->text(Shape).trimmed().toLower();
        if (shape == tr("round").toLower() || shape == QStringLiteral("round"))
            sec.shape = DuctShape::Round;
        else if (shape == tr("rectangular").toLower() || shape == QStringLiteral("rectangular"))
            sec.shape = DuctShape::Rectangular;
        if (!TrimmedStd(item->text(MaxHeight)).empty())
            sec.maxHeight = NumberIn(item->text(MaxHeight)).value_or(std::nan(""));
        if (!ParseFittings(item->text(Fittings), sec.fittings)) sec.fittings = {{"", std::nan("")}};
        if (!TrimmedStd(item->text(FixedLoss)).empty())
            sec.fixedLoss = NumberIn(item->text(FixedLoss)).value_or(std::nan(""));
        file.system.sections.push_back(std::move(sec));
    }
    return file;
}

void DuctSystemWindow::recalculate() {
    if (filling_) return;
    SystemFile file = currentSystem();
    std::string error;
    order_.clear();
    for (QTreeWidgetItemIterator it(sectionTree_); *it; ++it)
        order_.push_back(*it);
    if (!ResolveSystemCriteria(file, {materials_, styles_, styleNames_}, error)) {
        result_ = SystemResult{};
        showResult(file);
        problemList_->setPlainText(ToQt(error));
        return;
    }
    result_ = CalculateSystem(file.system);
    showResult(file);
}

void DuctSystemWindow::showResult(const SystemFile& file) {
    filling_ = true;
    const bool ok = result_.ok() && result_.sections.size() == order_.size();
    const bool pa = file.system.settings.pressureInPa;
    const std::string mark = tr("Φ", "the mark of a round size").toStdString();
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
            set(item, ResultFlow, ToQt(FormatGeneral(x.flow)));
            set(item, ResultSize,
                ToQt(SystemSizeText(x, mark)) + (x.overLimits ? QStringLiteral(" !") : QString()));
            set(item, Velocity, ToQt(ReportVelocity(x.velocity)));
            set(item, LossPerMetre, ToQt(ReportLossPerMetre(x.lossPerMetre)));
            set(item, TotalLoss, ToQt(ReportPressure(x.totalLoss, pa)));
            set(item, PathPressure,
                pathOf[i] ? ToQt(ReportPressure(pathOf[i]->pressure, pa)) : QString());
            set(item, Surplus,
                pathOf[i] ? ToQt(ReportPressure(pathOf[i]->surplus, pa)) : QString());
        }
        const QBrush brush = critical[i] ? highlight : QBrush();
        if (item->background(Id) != brush)
            for (int c = 0; c < ColumnCount; ++c)
                item->setBackground(c, brush);
    }
    QStringList problems;
    for (const SystemProblem& p : result_.problems)
        problems << ToQt(SystemProblemText(p));
    problemList_->setPlainText(problems.join('\n'));
    fanPressureLabel_->setText(
        ok ? ToQt(ReportPressure(result_.fanPressure, pa)) + (pa ? " Pa" : " mmAq") : QString());
    filling_ = false;
}

void DuctSystemWindow::showMessage(const QString& text) {
    if (messageSink) {
        messageSink(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, tr("Kestrix Error"), text, QMessageBox::Ok, this);
    box.exec();
}

DuctSystemWindow* ShowDuctSystemWindow(QWidget* mainWindow, const MaterialTable& materials,
                                       const DuctStyleTable& styles,
                                       const StyleNameList& styleNames) {
    auto* window = mainWindow->findChild<DuctSystemWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new DuctSystemWindow(materials, styles, styleNames, mainWindow);
    else
        window->setTables(materials, styles, styleNames);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace kestrix
