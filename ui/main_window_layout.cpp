// The frame's controls: the tabs with the two pages, the copyright strip and
// the window menu, and their layout for the window's size.

#include "ui/duct_page.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/page_frames.h"
#include "ui/terminal_page.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

#include <algorithm>

namespace {

constexpr int kBottomHeight = 16;

} // namespace

void MainWindow::buildFrame() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kestrix ver.1.55"));
    setMinimumSize(290, 265);

    tabs_ = new PageControl(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    tabs_->setFocusPolicy(Qt::NoFocus);
}

// The tab captions are given in the language the window shows: a tab bar
// measures its captions at once, and Japanese ones in the English font make
// the font matcher search every installed font for a fallback.
void MainWindow::addPages() {
    ductPage_ = new kestrix::DuctPage(*session_, *this);
    terminalPage_ = new kestrix::TerminalPage(*session_, *this);
    tabs_->addTab(ductPage_, tr("&Duct Size"));
    tabs_->addTab(terminalPage_, tr("Diffuser, Air &Grille"));
    tabs_->setCurrentWidget(ductPage_);

    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("BottomPanel"));
    const QString copyright = QStringLiteral("Copyright (C) Norvale Engineering");
    // Fully hinted like the captions: the line has room for the pixel per
    // glyph that hinting adds to a synthetic bold, and the two copies that
    // make the engraving then fall on whole pixels.
    const QFont engraved = kestrix::BoldUiFont(11, QFont::PreferFullHinting);
    auto engrave = [&](const char* name, int offset, QPalette::ColorRole colour) {
        auto* l = new QLabel(bottomPanel_);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        l->setText(copyright);
        l->setGeometry(8 + offset, 3 + offset, 280, 13);
        l->setFont(engraved);
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->setAutoFillBackground(false);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setContentsMargins(0, 0, 0, 0);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, palette().color(colour));
        l->setPalette(p);
    };
    engrave("air_b", 0, QPalette::Light);
    engrave("air_f", 1, QPalette::Dark);

    windowMenu_ = new QMenu(this);
    windowMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    stayOnTopAction_ = windowMenu_->addAction(tr("View on &Top Most"));
    stayOnTopAction_->setObjectName(QStringLiteral("topview"));
    stayOnTopAction_->setCheckable(true);
    aboutAction_ = windowMenu_->addAction(tr("&About"));
    aboutAction_->setObjectName(QStringLiteral("about"));
    ductSystemAction_ = new QAction(tr("Duct &system…"), this);
    ductSystemAction_->setObjectName(QStringLiteral("ductSystem"));
    windowMenu_->insertAction(aboutAction_, ductSystemAction_);

    // Windows turns the Menu key and Shift+F10 into a context-menu request
    // for the focused control; edit fields answer with their own menu, other
    // controls pass it on to the window's. Elsewhere Shift+F10 does the same
    // here, and the Menu key is left to the platform.
    if (QGuiApplication::platformName() != QLatin1String("windows")) {
        auto* shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
        QObject::connect(shiftF10, &QShortcut::activated, this, [this] {
            QWidget* target = QApplication::focusWidget();
            if (!target || target->window() != this) target = this;
            const QPoint pos = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
            QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, target->mapToGlobal(pos));
            QApplication::sendEvent(target, &request);
        });
    }
}

void MainWindow::layoutWindow() {
    const int w = width(), h = height();
    tabs_->setGeometry(0, 0, w, std::max(0, h - kBottomHeight));
    bottomPanel_->setGeometry(0, h - kBottomHeight, w, kBottomHeight);
    const QSize pageSize = tabs_->pageSize();
    ductPage_->resize(pageSize);
    terminalPage_->resize(pageSize);
    ductPage_->layoutPage();
    terminalPage_->layoutPage();
}
