// Start-up (FormCreate) and the closing sequence (End_btnClick).

#include "ui/main_window.h"

#include "config/codepage.h"
#include "config/config_messages.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/language.h"
#include "config/settings.h"
#include "ui/column_list_box.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLocale>
#include <QRadioButton>
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

void TForm1::FormCreate() {
    japanese_ = false;
    japanese_ = DecideJapanese();
    kestrix::UseLanguage(japanese_ ? kestrix::Language::Japanese : kestrix::Language::English);

    if (!japanese_) {
        topview->setText(QStringLiteral("View on &Top Most"));
        about->setText(QStringLiteral("&About"));
        ductSystem->setText(QStringLiteral("Duct &system…"));
    }
    ApplyLanguageCaptions();
    ApplyRadioWidths();

    StandardGravity = kestrix::Gravity;
    Pi = kestrix::Pi;
    ductCriteria.lossLimit = 0.1;
    ductCriteria.aspectLimit = 4.0;
    ductCriteria.pressureInPa = false;
    selectedDuctStyle = 0;
    selectedTerminalStyle = 0;

    RestoreSettings();
    FormResize();

    // Each file is read and loaded before the next is opened; a missing one
    // ends the run there.
    if (!LoadDuctStyleFile()) return;
    if (!LoadMaterialFile()) return;
    DuctStyleCB->setCurrentIndex(selectedDuctStyle < DuctStyleCB->count() ? selectedDuctStyle : -1);
    DuctStyleCBChange();
    if (!LoadTerminalStyleFile()) return;

    if (PressureInPa()) ApplyUnitCaptions();
    d_spliMoved();
}

bool TForm1::DecideJapanese() const {
    // Only the first parameter counts.
    if (!options_.arguments.isEmpty()) {
        const QString first = options_.arguments.first().toUpper();
        if (first == QLatin1String("/ENG")) return false;
        return first == QLatin1String("/JPN");
    }
    if (options_.systemJapanese) return *options_.systemJapanese;
#ifdef Q_OS_WIN
    return GetSystemDefaultLCID() == 1041;
#else
    return QLocale::system().language() == QLocale::Japanese;
#endif
}

void TForm1::RestoreSettings() {
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
        ClampOntoScreen(left, top, w, h);
        move(left, top);
        resize(w, h);
        LayoutWindow();
    }
    if (s.dProp) {
        // At least one pixel, and no taller than the page has room for.
        const int height = std::clamp(*s.dProp, 1, PropertyBoxLimit(TabSheet1, d_pro));
        d_pro->resize(d_pro->width(), height);
        LayoutDuctPage();
        RBT2->move(RBT2->x(), d_pro->y());
    }
    if (s.hProp) {
        const int height = std::clamp(*s.hProp, 1, PropertyBoxLimit(TabSheet3, h_pro));
        h_pro->resize(h_pro->width(), height);
        LayoutTerminalPage();
        bRB2->move(bRB2->x(), h_pro->y());
    }
    if (s.sTop && *s.sTop != 0) {
        SetStayOnTop(true);
        topview->setChecked(true);
    }
    if (s.sCnt) selectedDuctStyle = *s.sCnt;
    if (s.kCnt) selectedTerminalStyle = *s.kCnt;
}

// The stored geometry goes onto the screen that holds most of it (the
// window's own screen when none does), no larger than that screen and no
// smaller than the window's minimum; then it is moved left or up until it
// fits, and never starts left of or above the screen. The sums are taken in
// 64 bits: a stored position near the integer limit must still be pulled
// back, not wrap round and pass the test.
void TForm1::ClampOntoScreen(int& left, int& top, int& width, int& height) const {
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
TForm1::StyleFileRead TForm1::ReadStyleFile(kestrix::StyleKind kind, QComboBox* list, int& selected,
                                            const StyleLoader& load) {
    list->clear();
    const std::string_view name = kestrix::StyleFileName(kind, kestrix::CurrentLanguage());
    const kestrix::ConfigFields read = kestrix::ReadConfigFields(configDirectory_, name);
    if (!read.opened) {
        Fatal(Utf8(kestrix::MissingFileMessage(name)));
        return StyleFileRead::Missing;
    }
    if (!read.delivered()) {
        ShowErrorMessage(Utf8(kestrix::StyleNotRegisteredMessage(kind)));
        return StyleFileRead::Empty;
    }
    // The list box holds the names from here on.
    kestrix::StyleNameList names;
    for (const std::string& message : load(read.fields, names))
        ShowErrorMessage(Utf8(message));
    for (const std::string& styleName : names)
        list->addItem(kestrix::FromCp932(styleName));
    if (selected >= list->count() || selected < 0) selected = 0;
    return StyleFileRead::Loaded;
}

bool TForm1::LoadDuctStyleFile() {
    return ReadStyleFile(
               kestrix::StyleKind::Duct, DuctStyleCB, selectedDuctStyle,
               [this](const std::vector<std::string>& fields, kestrix::StyleNameList& names) {
                   return kestrix::LoadDuctStyles(fields, ductStyles, names);
               }) != StyleFileRead::Missing;
}

bool TForm1::LoadMaterialFile() {
    const std::string_view name =
        kestrix::ConfigFileName(kestrix::ConfigFile::Materials, kestrix::CurrentLanguage());
    const kestrix::ConfigFields read = kestrix::ReadConfigFields(configDirectory_, name);
    if (!read.opened) {
        Fatal(Utf8(kestrix::MissingFileMessage(name)));
        return false;
    }
    for (const std::string& message : kestrix::LoadMaterials(read.fields, materials))
        ShowErrorMessage(Utf8(message));
    return true;
}

bool TForm1::LoadTerminalStyleFile() {
    const StyleFileRead read = ReadStyleFile(
        kestrix::StyleKind::Terminal, KiguStyleCB, selectedTerminalStyle,
        [this](const std::vector<std::string>& fields, kestrix::StyleNameList& names) {
            return kestrix::LoadTerminalStyles(fields, terminalStyles, names);
        });
    if (read != StyleFileRead::Loaded) return read != StyleFileRead::Missing;
    KiguStyleCB->setCurrentIndex(
        selectedTerminalStyle < KiguStyleCB->count() ? selectedTerminalStyle : -1);
    KiguStyleCBChange();
    return true;
}

void TForm1::End_btnClick() {
    kestrix::SettingsToSave v;
    v.top = pos().y();
    v.left = pos().x();
    v.width = width();
    v.height = height();
    v.dProp = d_pro->height();
    v.hProp = h_pro->height();
    v.sCnt = selectedDuctStyle;
    v.kCnt = selectedTerminalStyle;
    v.stayOnTop = topview->isChecked();
    settings_->save(v);
    ExitProcess(1);
}
