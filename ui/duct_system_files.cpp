// The duct-system window's files: the JSON system opened into the tree and
// saved from it, and the reports exported, each written through a temporary
// file and a rename.

#include "ui/duct_system_window.h"

#include "config/system_criteria.h"
#include "engine/duct_system_file.h"
#include "engine/duct_system_report.h"
#include "engine/number_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>
#include <QTreeWidget>

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrix {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Fittings as the tree shows them: coefficients separated by ";", a named
// one as name=C ("0.2; tee, main=0.15").
QString FittingsText(const std::vector<Fitting>& fittings) {
    QStringList parts;
    for (const Fitting& f : fittings)
        parts << (f.name.empty() ? Q(FormatGeneral(f.c)) : Q(f.name) + "=" + Q(FormatGeneral(f.c)));
    return parts.join(QStringLiteral("; "));
}

// A tree view nests its rows by recursion, one call per level, when it lays
// them out and when it deletes them: a deeper system belongs to the console
// tool. Called only on a system whose links and circles were checked.
constexpr int kMaxTreeDepth = 1000;

int TreeDepth(const DuctSystem& system) {
    const auto& sections = system.sections;
    std::unordered_map<std::string_view, std::size_t> index;
    for (std::size_t i = 0; i < sections.size(); ++i)
        index.emplace(sections[i].id, i);
    std::vector<int> depth(sections.size(), 0); // 0: not known yet
    std::vector<std::size_t> walk;
    int deepest = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        // Up to a section whose depth is known, or to the fan (depth 1).
        std::size_t j = i;
        while (depth[j] == 0 && sections[j].upstream) {
            walk.push_back(j);
            j = index.at(*sections[j].upstream);
        }
        if (depth[j] == 0) depth[j] = 1;
        int d = depth[j];
        for (auto k = walk.rbegin(); k != walk.rend(); ++k)
            depth[*k] = ++d;
        deepest = std::max(deepest, d);
        walk.clear();
    }
    return deepest;
}

} // namespace

void DuctSystemWindow::LoadSystem(const SystemFile& file) {
    filling_ = true;
    tree_->clear();
    const SystemSettings& s = file.system.settings;
    const SystemMaterialChoice& m = file.choice;
    name_->setText(Q(s.name));
    units_->setCurrentIndex(s.pressureInPa ? 0 : 1);
    law_->setCurrentIndex(s.law == FrictionLaw::Power ? 0 : 1);
    if (m.style && *m.style + 1 < style_->count())
        style_->setCurrentIndex(*m.style + 1);
    else
        style_->setCurrentIndex(kMaterialAndLimits);
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
        pressure_->setValue(s.air->pressure.value_or(0));
    }
    std::unordered_map<std::string, QTreeWidgetItem*> items;
    std::vector<QTreeWidgetItem*> made;
    for (const SystemSection& sec : file.system.sections) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                       Qt::ItemIsDropEnabled);
        item->setText(Id, Q(sec.id));
        item->setText(Length, Q(FormatGeneral(sec.length)));
        if (sec.flow) item->setText(Flow, Q(FormatGeneral(*sec.flow)));
        item->setText(Size, Q(sec.size));
        if (sec.shape)
            item->setText(Shape, *sec.shape == DuctShape::Round ? T("round", "丸")
                                                                : T("rectangular", "角"));
        if (sec.maxHeight) item->setText(MaxHeight, Q(FormatGeneral(*sec.maxHeight)));
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
    SystemFileResult read =
        ReadSystemJson(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!read.ok) {
        ShowMessage(path + "\n" + Q(SystemFileErrorText(read, japanese_)));
        return false;
    }
    // A tree cannot hold a circle or a section whose upstream is missing:
    // such a file is refused with the problem, and the edits stay.
    // Two fan sections are two top-level rows, and are left to the problem list.
    for (const SystemProblem& p : CheckSystemTree(read.file.system)) {
        if (p.kind == SystemProblemKind::TwoFanSections ||
            p.kind == SystemProblemKind::NoFanSection)
            continue;
        ShowMessage(path + "\n" + Q(SystemProblemText(p, japanese_)));
        return false;
    }
    if (TreeDepth(read.file.system) > kMaxTreeDepth) {
        ShowMessage(
            path + "\n" +
            T("The system is nested more than 1000 sections deep; the console tool "
              "(kestrix-calc system) calculates it.",
              "系統の深さが 1000 区間を超えています。kestrix-calc system で計算できます。"));
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
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
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
    if (result_.pathSectionCount > kMaxReportPathSections) {
        ShowMessage(T("The paths of the system are too long together to be listed in a report.",
                      "経路の区間数の合計が多すぎて、出力できません。"));
        return false;
    }
    SystemFile file = CurrentSystem();
    std::string error;
    ResolveSystemCriteria(file, {materials_, styles_, styleNames_}, japanese_, error);
    return WriteAtomically(
        path,
        SystemReport(file.system, result_,
                     markdown ? SystemReportFormat::Markdown : SystemReportFormat::Csv, japanese_));
}

void DuctSystemWindow::OpenClicked() {
    const QString path =
        QFileDialog::getOpenFileName(this, T("Open duct system", "ダクト系統を開く"), path_,
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
        this, markdown ? T("Export Markdown", "Markdown 出力") : T("Export CSV", "CSV 出力"),
        QString(), markdown ? QStringLiteral("Markdown (*.md)") : QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty()) ExportFile(path, markdown);
}

} // namespace kestrix
