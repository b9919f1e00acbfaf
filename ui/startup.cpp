// Start-up (the language, the settings and the configuration files) and the
// closing sequence.

#include "ui/main_window.h"

#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/settings.h"
#include "ui/duct_page.h"
#include "ui/terminal_page.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <algorithm>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void MainWindow::startUp() {
    ductPage_->fitModeButtons();
    terminalPage_->fitModeButtons();

    restoreSettings();
    followSize();

    // Each file is read and loaded before the next is opened; a missing one
    // ends the run there.
    if (!loadDuctStyleFile()) return;
    if (!loadMaterialFile()) return;
    QComboBox* ductStyles = ductPage_->styleList();
    const int duct = session_->selectedDuctStyle;
    ductStyles->setCurrentIndex(duct < ductStyles->count() ? duct : -1);
    ductPage_->onStyleChosen();
    if (!loadTerminalStyleFile()) return;

    if (session_->ductCriteria.pressureInPa) ductPage_->applyUnitCaptions();
    ductPage_->onSplitterMoved();
}

kestrix::Language MainWindow::decideLanguage() const {
    using kestrix::Language;
    // Only the first parameter counts.
    if (!options_.arguments.isEmpty()) {
        const QString first = options_.arguments.first().toUpper();
        return first == QLatin1String("/JPN") ? Language::Japanese : Language::English;
    }
    bool japanese = false;
    if (options_.systemJapanese)
        japanese = *options_.systemJapanese;
    else
#ifdef Q_OS_WIN
        japanese = GetSystemDefaultLCID() == 1041;
#else
        japanese = QLocale::system().language() == QLocale::Japanese;
#endif
    return japanese ? Language::Japanese : Language::English;
}

void MainWindow::restoreSettings() {
    const kestrix::StoredSettings s = settings_->load();
    if (!s.keyExists) {
        // First run: centre on the screen.
        QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
        if (scr) {
            const QRect a = scr->geometry();
            move(a.x() + (a.width() - width()) / 2, a.y() + (a.height() - height()) / 2);
        }
        return;
    }

    if (s.hasGeometry()) {
        int left = *s.left, top = *s.top, w = *s.width, h = *s.height;
        clampOntoScreen(left, top, w, h);
        move(left, top);
        resize(w, h);
        layoutWindow();
    }
    if (s.dProp) ductPage_->restorePropertyBoxHeight(*s.dProp);
    if (s.hProp) terminalPage_->restorePropertyBoxHeight(*s.hProp);
    if (s.sTop && *s.sTop != 0) {
        setStayOnTop(true);
        stayOnTopAction_->setChecked(true);
    }
    if (s.sCnt) session_->selectedDuctStyle = *s.sCnt;
    if (s.kCnt) session_->selectedTerminalStyle = *s.kCnt;
}

// The stored geometry goes onto the screen that holds most of it (the
// window's own screen when none does), no larger than that screen and no
// smaller than the window's minimum; then it is moved left or up until it
// fits, and never starts left of or above the screen. The sums are taken in
// 64 bits: a stored position near the integer limit must still be pulled
// back, not wrap round and pass the test.
void MainWindow::clampOntoScreen(int& left, int& top, int& width, int& height) const {
    const qint64 wantedRight = qint64(left) + std::max(1, width);
    const qint64 wantedBottom = qint64(top) + std::max(1, height);
    QScreen* best = nullptr;
    qint64 bestArea = 0;
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        const qint64 across = std::min<qint64>(wantedRight, qint64(g.x()) + g.width()) -
                              std::max<qint64>(left, g.x());
        const qint64 down = std::min<qint64>(wantedBottom, qint64(g.y()) + g.height()) -
                            std::max<qint64>(top, g.y());
        const qint64 area = across > 0 && down > 0 ? across * down : 0;
        if (area > bestArea) {
            bestArea = area;
            best = s;
        }
    }
    if (!best) best = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!best) return;
    const QRect a = best->geometry();
    width = std::max(minimumWidth(), std::min(width, a.width()));
    height = std::max(minimumHeight(), std::min(height, a.height()));
    qint64 x = left, y = top;
    if (x + width > qint64(a.x()) + a.width()) x = qint64(a.x()) + a.width() - width;
    if (y + height > qint64(a.y()) + a.height()) y = qint64(a.y()) + a.height() - height;
    left = int(std::max<qint64>(x, a.x()));
    top = int(std::max<qint64>(y, a.y()));
}

// Reads a style file into its table and its list box. A file that cannot be
// opened ends the run (Missing); one without a style leaves the list empty
// with a message (Empty). A stored choice the list cannot hold falls back to
// the first style.
MainWindow::StyleFileRead MainWindow::readStyleFile(kestrix::StyleKind kind, QComboBox* list,
                                                    int& selected, const StyleLoader& load) {
    list->clear();
    const std::string_view name = kestrix::StyleFileName(kind, session_->language());
    const kestrix::ConfigFields read = kestrix::ReadConfigFields(configDirectory_, name);
    if (!read.opened) {
        fatal(Utf8(kestrix::MissingFileMessage(name)));
        return StyleFileRead::Missing;
    }
    if (!read.delivered()) {
        showErrorMessage(Utf8(kestrix::StyleNotRegisteredMessage(kind)));
        return StyleFileRead::Empty;
    }
    // The list box holds the names from here on.
    kestrix::StyleNameList names;
    for (const std::string& message : load(read.fields, names))
        showErrorMessage(Utf8(message));
    for (const std::string& styleName : names)
        list->addItem(kestrix::FromCp932(styleName));
    if (selected >= list->count() || selected < 0) selected = 0;
    return StyleFileRead::Loaded;
}

bool MainWindow::loadDuctStyleFile() {
    return readStyleFile(
               kestrix::StyleKind::Duct, ductPage_->styleList(), session_->selectedDuctStyle,
               [this](const std::vector<std::string>& fields, kestrix::StyleNameList& names) {
                   return kestrix::LoadDuctStyles(fields, session_->ductStyles, names);
               }) != StyleFileRead::Missing;
}

bool MainWindow::loadMaterialFile() {
    const std::string_view name =
        kestrix::ConfigFileName(kestrix::ConfigFile::Materials, session_->language());
    const kestrix::ConfigFields read = kestrix::ReadConfigFields(configDirectory_, name);
    if (!read.opened) {
        fatal(Utf8(kestrix::MissingFileMessage(name)));
        return false;
    }
    for (const std::string& message : kestrix::LoadMaterials(read.fields, session_->materials))
        showErrorMessage(Utf8(message));
    return true;
}

bool MainWindow::loadTerminalStyleFile() {
    QComboBox* list = terminalPage_->styleList();
    int& selected = session_->selectedTerminalStyle;
    const StyleFileRead read = readStyleFile(
        kestrix::StyleKind::Terminal, list, selected,
        [this](const std::vector<std::string>& fields, kestrix::StyleNameList& names) {
            return kestrix::LoadTerminalStyles(fields, session_->terminalStyles, names);
        });
    if (read != StyleFileRead::Loaded) return read != StyleFileRead::Missing;
    list->setCurrentIndex(selected < list->count() ? selected : -1);
    terminalPage_->onStyleChosen();
    return true;
}

void MainWindow::saveSettingsAndExit() {
    kestrix::SettingsToSave v;
    v.top = pos().y();
    v.left = pos().x();
    v.width = width();
    v.height = height();
    v.dProp = ductPage_->propertyBoxHeight();
    v.hProp = terminalPage_->propertyBoxHeight();
    v.sCnt = session_->selectedDuctStyle;
    v.kCnt = session_->selectedTerminalStyle;
    v.stayOnTop = stayOnTopAction_->isChecked();
    settings_->save(v);
    exitProcess(1);
}
