// The duct page's connections: which handler each control's signals and
// events run.

#include "ui/duct_page.h"

#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/page_host.h"
#include "ui/page_widgets.h"
#include "ui/sizing_session.h"
#include "ui/splitter_bar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace kestrix {

using namespace pages;

namespace {

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsLeftRelease(const QEvent* event) {
    return event->type() == QEvent::MouseButtonRelease &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

template <typename Handler> auto DuctPage::guarded(Handler handler) {
    return [this, handler] { host_.runGuarded([this, handler] { (this->*handler)(); }); };
}

// --- Connections ------------------------------------------------------------------

void DuctPage::connectControls() {
    // Enter is the calculate action and never reaches the field; a click with
    // the left button brings back the last expression (a right click opens
    // the field's menu to copy the value).
    flowField_->installEventFilter(new EventHook(this, [this](QObject*, QEvent* event) {
        if (IsEnter(event)) {
            host_.runGuarded([this] { onFlowEntered(); });
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            host_.runGuarded([this] { onFlowClicked(); });
        return false;
    }));
    connect(flowField_, &QLineEdit::textChanged, this, guarded(&DuctPage::onFlowChanged));
    connect(styleList_, &QComboBox::activated, this, guarded(&DuctPage::onStyleChosen));
    connect(calculateButton_, &QPushButton::clicked, this, guarded(&DuctPage::calculate));
    connect(recalculateButton_, &QPushButton::clicked, this, guarded(&DuctPage::recalculate));
    connect(styleButton_, &QPushButton::clicked, this, [this] { host_.editStyles(false); });

    // A button that cannot be pressed takes no mouse input, in Windows: a
    // right click there reaches the window, whose menu opens.
    auto* disabledMenu = new EventHook(this, [this](QObject* watched, QEvent* event) {
        return PopUpMenuAtDisabledButton(watched, event,
                                         [this](const QPoint& at) { host_.popUpWindowMenu(at); });
    });
    for (QPushButton* button : {calculateButton_, recalculateButton_})
        button->installEventFilter(disabledMenu);

    splitter_->canResize = [](int& newSize, bool& accept) {
        if (newSize > 110) accept = false;
    };
    splitter_->maximumSize = [this] { return PropertyBoxLimit(height()); };
    splitter_->applySize = [this](int size) {
        propertyBox_->resize(propertyBox_->width(), size);
        layoutPage();
    };
    connect(splitter_, &SplitterBar::moved, this, guarded(&DuctPage::onSplitterMoved));

    // A radio button selected by the program runs its handler as a click does.
    connect(listModeButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) host_.runGuarded([this] { onListMode(); });
    });
    connect(detailModeButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) host_.runGuarded([this] { onDetailMode(); });
    });
    connect(&session_, &SizingSession::flowShared, this,
            [this](SizingPage from, const QString& flow) {
                if (from != SizingPage::Duct) showSharedFlow(flow);
            });
    connect(&session_, &SizingSession::terminalFlowEdited, this, [this] {
        clearCandidates();
        clearProperties();
    });

    // A pick by mouse or arrow key changes the selection; a click on the entry
    // already selected and a drag over the list are caught below.
    connect(sizeList_, &QListWidget::itemSelectionChanged, this, guarded(&DuctPage::onSizePicked));
    sizeList_->viewport()->installEventFilter(new EventHook(this, [this](QObject*, QEvent* event) {
        if (IsOtherButtonPress(event)) return true;
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool left = event->type() == QEvent::MouseButtonPress
                              ? mouse->button() == Qt::LeftButton
                              : bool(mouse->buttons() & Qt::LeftButton);
        if (!left) return false;
        QListWidgetItem* item = sizeList_->itemAt(mouse->position().toPoint());
        if (!item) return false;
        if (!item->isSelected()) {
            // Selecting it picks it through the selection signal.
            if (event->type() == QEvent::MouseMove) sizeList_->setCurrentItem(item);
            return false;
        }
        host_.runGuarded([this] { onSizePicked(); });
        return false;
    }));
}

void DuctPage::connectProperties() {
    clicks_ = new ClickFilter(this);
    ClickFilter::Handlers size;
    size.click = guarded(&DuctPage::onSizeLabelClicked);
    size.doubleClick = guarded(&DuctPage::onSizeLabelDoubleClicked);
    clicks_->watch(sizeLabel_, size);
    ClickFilter::Handlers condition;
    condition.click = [this] { host_.editStyles(false); };
    clicks_->watch(conditionLine_, condition);

    // A property label puts its field's text on the clipboard.
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {aspectRatioLabel_, aspectRatioField_},
        {velocityLabel_, velocityField_},
        {dynamicPressureLabel_, dynamicPressureField_},
        {frictionLossLabel_, frictionLossField_},
        {referenceFlowLabel_, referenceFlowField_},
        {equivalentDiameterLabel_, equivalentDiameterField_},
        {equivalentVelocityLabel_, equivalentVelocityField_}};
    for (const auto& [label, field] : pairs) {
        QLineEdit* f = field;
        ClickFilter::Handlers handlers;
        handlers.click = [this, f] {
            host_.runGuarded([f] {
                f->setFocus();
                f->selectAll();
                CopyToClipboard(f->text());
            });
        };
        clicks_->watch(label, handlers);
    }

    // Property fields: a click copies (on release, so that the field's own
    // press does not undo the selection), entering selects, Up and Down walk
    // the tab order and go on to the field.
    auto* fieldHook = new EventHook(this, [this](QObject* watched, QEvent* event) {
        auto* field = static_cast<QLineEdit*>(watched);
        if (IsLeftRelease(event)) {
            host_.runGuarded([this, field] { onPropertyFieldClicked(field); });
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down)
                host_.runGuarded([this, field, key] { onPropertyFieldArrow(field, key); });
        }
        return false;
    });
    for (const auto& pair : pairs) {
        QLineEdit* f = pair.second;
        f->installEventFilter(fieldHook);
        ClickFilter::Handlers handlers;
        handlers.focusIn = [this, f] {
            host_.runGuarded([this, f] { onPropertyFieldEntered(f); });
        };
        clicks_->watch(f, handlers);
    }

    // Size fields: every change, Enter (swallowed) and clicks.
    connect(widthField_, &QLineEdit::textChanged, this, guarded(&DuctPage::onSizeEdited));
    connect(heightField_, &QLineEdit::textChanged, this, guarded(&DuctPage::onSizeEdited));
    auto* sizeHook = new EventHook(this, [this](QObject* watched, QEvent* event) {
        auto* field = static_cast<QLineEdit*>(watched);
        if (IsEnter(event)) {
            host_.runGuarded([this, field] { onSizeEntered(field); });
            return true;
        }
        // On release: a selection made on the press would be undone by the field.
        if (IsLeftRelease(event)) host_.runGuarded([this, field] { onSizeClicked(field); });
        return false;
    });
    widthField_->installEventFilter(sizeHook);
    heightField_->installEventFilter(sizeHook);
    connect(shapeButton_, &QToolButton::clicked, this, guarded(&DuctPage::onShapeToggled));
}

// --- Size label ---------------------------------------------------------------------------

void DuctPage::onSizeLabelClicked() {
    CopyToClipboard(session_.ductSizeText);
    sizeList_->setFocus();
}

void DuctPage::onSizeLabelDoubleClicked() {
    if (rectangular()) {
        const QString width = widthField_->text();
        const QString height = heightField_->text();
        session_.ductSizeText = height + RectangleMark() + width;
        widthField_->setText(height);
        heightField_->setText(width);
    }
    CopyToClipboard(session_.ductSizeText);
}

// --- Property fields ---------------------------------------------------------

void DuctPage::onPropertyFieldClicked(QLineEdit* field) {
    if (field->text().isEmpty()) return;
    field->selectAll();
    CopyToClipboard(field->text());
}

void DuctPage::onPropertyFieldEntered(QLineEdit* field) {
    if (sizeList_->count() >= 1) field->selectAll();
}

// Only tab stops count, as with the Tab key itself.
void DuctPage::onPropertyFieldArrow(QLineEdit* field, int key) {
    if (field->hasFocus()) focusNextPrevChild(key == Qt::Key_Down);
}

} // namespace kestrix
