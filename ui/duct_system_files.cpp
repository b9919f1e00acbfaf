// The duct-system window's files: the JSON system opened into the tree and
// saved from it, and the reports exported, each written through a temporary
// file and a rename.

#include "ui/duct_system_window.h"

#include "config/file_replace.h"
#include "config/system_criteria.h"
#include "config/system_texts.h"
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
#include <QTreeWidget>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrix {
namespace {

// The engine's texts are UTF-8.
QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

// Fittings as the tree shows them: coefficients separated by ";", a named
// one as name=C ("0.2; tee, main=0.15").
QString FittingsText(const std::vector<Fitting>& fittings) {
    QStringList parts;
    for (const Fitting& f : fittings)
        parts << (f.name.empty() ? ToQt(FormatGeneral(f.c))
                                 : ToQt(f.name) + "=" + ToQt(FormatGeneral(f.c)));
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

void DuctSystemWindow::loadSystem(const SystemFile& file) {
    filling_ = true;
    sectionTree_->clear();
    const SystemSettings& s = file.system.settings;
    const SystemMaterialChoice& m = file.choice;
    nameField_->setText(ToQt(s.name));
    unitsCombo_->setCurrentIndex(s.pressureInPa ? 0 : 1);
    lawCombo_->setCurrentIndex(s.law == FrictionLaw::Power ? 0 : 1);
    if (m.style && *m.style + 1 < styleCombo_->count())
        styleCombo_->setCurrentIndex(*m.style + 1);
    else
        styleCombo_->setCurrentIndex(kMaterialAndLimits);
    if (m.materialRow && *m.materialRow >= 1 && *m.materialRow <= materialCombo_->count())
        materialCombo_->setCurrentIndex(*m.materialRow - 1);
    if (m.materialName) {
        const int found = materialCombo_->findText(ToQt(*m.materialName));
        if (found >= 0) materialCombo_->setCurrentIndex(found);
    }
    if (m.velocity) velocityLimit_->setValue(*m.velocity);
    if (m.loss) lossLimit_->setValue(*m.loss);
    aspectLimit_->setValue(m.aspect.value_or(4.0));
    shapeCombo_->setCurrentIndex(s.shape == DuctShape::Round ? 0 : 1);
    maxHeightSpin_->setValue(s.maxHeight.value_or(0));
    customAir_->setChecked(s.air.has_value());
    if (s.air) {
        temperatureSpin_->setValue(s.air->temperature);
        elevationSpin_->setValue(s.air->elevation.value_or(0));
        pressureSpin_->setValue(s.air->pressure.value_or(0));
    }
    std::unordered_map<std::string, QTreeWidgetItem*> items;
    std::vector<QTreeWidgetItem*> made;
    for (const SystemSection& sec : file.system.sections) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                       Qt::ItemIsDropEnabled);
        item->setText(Id, ToQt(sec.id));
        item->setText(Length, ToQt(FormatGeneral(sec.length)));
        if (sec.flow) item->setText(Flow, ToQt(FormatGeneral(*sec.flow)));
        item->setText(Size, ToQt(sec.size));
        if (sec.shape)
            item->setText(Shape, *sec.shape == DuctShape::Round ? tr("round") : tr("rectangular"));
        if (sec.maxHeight) item->setText(MaxHeight, ToQt(FormatGeneral(*sec.maxHeight)));
        item->setText(Fittings, FittingsText(sec.fittings));
        if (sec.fixedLoss != 0) item->setText(FixedLoss, ToQt(FormatGeneral(sec.fixedLoss)));
        items.emplace(sec.id, item);
        made.push_back(item);
    }
    for (std::size_t i = 0; i < made.size(); ++i) {
        const SystemSection& sec = file.system.sections[i];
        if (sec.upstream)
            items.at(*sec.upstream)->addChild(made[i]);
        else
            sectionTree_->addTopLevelItem(made[i]);
    }
    sectionTree_->expandAll();
    filling_ = false;
    recalculate();
    for (int c = 0; c < ColumnCount; ++c)
        sectionTree_->resizeColumnToContents(c);
}

bool DuctSystemWindow::openFile(const QString& path) {
    QFile file(path);
    if (file.size() > static_cast<qint64>(kMaxSystemFileBytes)) {
        showMessage(tr("The file is larger than 50 MB."));
        return false;
    }
    // Only a file is read: opening a pipe would hold the window until
    // something writes to it, and a folder or a device holds no system.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        showMessage(tr("Cannot open ") + path + "\n" + tr("It is not a file."));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(tr("Cannot open ") + path + "\n" + file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxSystemFileBytes) + 1);
    SystemFileResult read =
        ReadSystemJson(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!read.ok) {
        showMessage(path + "\n" + ToQt(SystemFileErrorText(read)));
        return false;
    }
    // A tree cannot hold a circle or a section whose upstream is missing:
    // such a file is refused with the problem, and the edits stay.
    // Two fan sections are two top-level rows, and are left to the problem list.
    for (const SystemProblem& p : CheckSystemTree(read.file.system)) {
        if (p.kind == SystemProblemKind::TwoFanSections ||
            p.kind == SystemProblemKind::NoFanSection)
            continue;
        showMessage(path + "\n" + ToQt(SystemProblemText(p)));
        return false;
    }
    if (TreeDepth(read.file.system) > kMaxTreeDepth) {
        showMessage(path + "\n" +
                    tr("The system is nested more than 1000 sections deep; the console tool "
                       "(kestrix-calc system) calculates it."));
        return false;
    }
    loadSystem(read.file);
    path_ = path;
    setWindowTitle(tr("Duct system") + " - " + QFileInfo(path).fileName());
    return true;
}

bool DuctSystemWindow::writeAtomically(const QString& path, const std::string& bytes) {
    // The style files' way: the old file stays whole until the new one is
    // complete and on the disk, and what is no file (a link to /dev/null, a
    // pipe) is never swapped for one.
    errno = 0;
    if (ReplaceFileContents(path, bytes)) return true;
    const int error = errno;
    const QFileInfo target(path);
    const QFileInfo resolved(target.isSymLink() ? target.symLinkTarget() : path);
    QString reason;
    if (resolved.exists() && !resolved.isFile())
        reason = tr("It is not a file, and is left as it is.");
    else if (error != 0)
        reason = QString::fromLocal8Bit(std::strerror(error));
    showMessage(tr("Cannot save ") + path + (reason.isEmpty() ? QString() : "\n" + reason));
    return false;
}

bool DuctSystemWindow::saveFile(const QString& path) {
    if (!writeAtomically(path, WriteSystemJson(currentSystem()))) return false;
    path_ = path;
    setWindowTitle(tr("Duct system") + " - " + QFileInfo(path).fileName());
    return true;
}

bool DuctSystemWindow::exportFile(const QString& path, bool markdown) {
    if (!result_.ok() || result_.sections.empty()) {
        showMessage(tr("The system has problems; correct them before exporting."));
        return false;
    }
    if (result_.pathSectionCount > kMaxReportPathSections) {
        showMessage(tr("The paths of the system are too long together to be listed in a report."));
        return false;
    }
    SystemFile file = currentSystem();
    std::string error;
    ResolveSystemCriteria(file, {materials_, styles_, styleNames_}, error);
    return writeAtomically(
        path, SystemReport(file.system, result_,
                           markdown ? SystemReportFormat::Markdown : SystemReportFormat::Csv));
}

void DuctSystemWindow::onOpen() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open duct system"), path_,
                                                      tr("Duct systems (*.json)"));
    if (!path.isEmpty()) openFile(path);
}

void DuctSystemWindow::onSave(bool askName) {
    QString path = path_;
    if (askName || path.isEmpty())
        path = QFileDialog::getSaveFileName(this, tr("Save duct system"), path_,
                                            tr("Duct systems (*.json)"));
    if (!path.isEmpty()) saveFile(path);
}

void DuctSystemWindow::onExport(bool markdown) {
    const QString path = QFileDialog::getSaveFileName(
        this, markdown ? tr("Export Markdown") : tr("Export CSV"), QString(),
        markdown ? QStringLiteral("Markdown (*.md)") : QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty()) exportFile(path, markdown);
}

} // namespace kestrix
