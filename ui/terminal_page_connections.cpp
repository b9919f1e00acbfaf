// The air-terminal page's connections, and the handlers of its labels and
// property fields.

#include "ui/terminal_page.h"

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
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <utility>

namespace kestrix {

using namespace pages;

template <typename Handler> auto TerminalPage::guarded(Handler handler) {
    return [this, handler] { host_.runGuarded([this, handler] { (this->*handler)(); }); };
}

void TerminalPage::connectControls() {
    // Enter is the calculate action and never reaches the field; a click with
    // the left button brings back the last expression (a right click opens
    // the field's menu to copy the value).
    flowField_->installEventFilter(new EventHook(this, [this](QObject*, QEvent* event) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                host_.runGuarded([this] { onFlowEntered(); });
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            host_.runGuarded([this] { onFlowClicked(); });
        }
        return false;
    }));
    connect(flowField_, &QLineEdit::textChanged, this, guarded(&TerminalPage::onFlowChanged));
    connect(styleList_, &QComboBox::activated, this, guarded(&TerminalPage::onStyleChosen));
    connect(calculateButton_, &QPushButton::clicked, this, guarded(&TerminalPage::calculate));
    connect(recalculateButton_, &QPushButton::clicked, this, guarded(&TerminalPage::recalculate));
    connect(styleButton_, &QPushButton::clicked, this, [this] { host_.editStyles(true); });

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
    connect(splitter_, &SplitterBar::moved, this, guarded(&TerminalPage::followPropertyBox));

    // A radio button selected by the program runs its handler as a click does.
    connect(listModeButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) host_.runGuarded([this] { onListMode(); });
    });
    connect(detailModeButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) host_.runGuarded([this] { onDetailMode(); });
    });
    connect(&session_, &SizingSession::flowShared, this,
            [this](SizingPage from, const QString& flow) {
                if (from != SizingPage::Terminal) showSharedFlow(flow);
            });

    // Mouse and arrow keys change the selection; a click on the entry already
    // chosen copies again. Only the left button picks.
    connect(sizeList_, &QListWidget::itemSelectionChanged, this,
            guarded(&TerminalPage::onSizePicked));
    connect(sizeList_, &QListWidget::itemClicked, this, guarded(&TerminalPage::onSizePicked));
    sizeList_->viewport()->installEventFilter(
        new EventHook(this, [](QObject*, QEvent* event) { return IsOtherButtonPress(event); }));
}

void TerminalPage::connectProperties() {
    clicks_ = new ClickFilter(this);
    // The list's mouse events arrive at its viewport.
    ClickFilter::Handlers drag;
    drag.dragMove = guarded(&TerminalPage::onSizePicked);
    clicks_->watch(sizeList_->viewport(), drag);

    ClickFilter::Handlers size;
    size.click = guarded(&TerminalPage::onSizeLabelClicked);
    size.doubleClick = guarded(&TerminalPage::onSizeLabelDoubleClicked);
    clicks_->watch(sizeLabel_, size);
    ClickFilter::Handlers condition;
    condition.click = [this] { host_.editStyles(true); };
    clicks_->watch(conditionLine_, condition);
    for (auto [label, field] : {std::pair{freeAreaLabel_, freeAreaField_},
                                std::pair{faceVelocityLabel_, faceVelocityField_},
                                std::pair{necessaryAreaLabel_, necessaryAreaField_},
                                std::pair{effectiveAreaLabel_, effectiveAreaField_},
                                std::pair{referenceFlowLabel_, referenceFlowField_}}) {
        ClickFilter::Handlers copy;
        copy.click = [this, field] {
            host_.runGuarded([field] {
                field->setFocus();
                field->selectAll();
                CopyToClipboard(field->text());
            });
        };
        clicks_->watch(label, copy);
    }

    connect(widthField_, &QLineEdit::textChanged, this, guarded(&TerminalPage::onSizeEdited));
    connect(heightField_, &QLineEdit::textChanged, this, guarded(&TerminalPage::onSizeEdited));
    connect(shapeButton_, &QToolButton::clicked, this, guarded(&TerminalPage::onShapeToggled));

    // Keys and clicks of the page's edit fields. Enter in the size fields is
    // swallowed; the arrow keys of the property fields pass on to the field.
    // A click counts when the button is released, after the field has placed
    // its cursor, so that selecting all of the text is not undone by the field.
    auto* fieldHook = new EventHook(this, [this](QObject* watched, QEvent* event) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field) return false;
        const bool sizeField = field == widthField_ || field == heightField_;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (sizeField && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                host_.runGuarded([this, field] { onSizeEntered(field); });
                return true;
            }
            if (!sizeField && (key == Qt::Key_Up || key == Qt::Key_Down))
                host_.runGuarded([this, field, key] { onPropertyFieldArrow(field, key); });
            return false;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton ||
                !field->rect().contains(mouse->position().toPoint()))
                return false;
            // The field finishes its own handling of the release first.
            static_cast<QObject*>(field)->event(event);
            QPointer<QLineEdit> alive(field);
            host_.runGuarded([this, alive, sizeField] {
                if (!alive) return;
                if (sizeField)
                    onSizeClicked(alive);
                else
                    onPropertyFieldClicked(alive);
            });
            return true;
        }
        return false;
    });
    for (QLineEdit* field : {widthField_, heightField_, freeAreaField_, faceVelocityField_,
                             necessaryAreaField_, effectiveAreaField_, referenceFlowField_})
        field->installEventFilter(fieldHook);
}

// --- Labels and property fields ---------------------------------------------------------

void TerminalPage::onSizeLabelClicked() {
    if (rectangular())
        CopyToClipboard(widthField_->text() + shapeButton_->text() + heightField_->text());
    else
        CopyToClipboard(widthField_->text() + shapeButton_->text());
}

void TerminalPage::onSizeLabelDoubleClicked() {
    if (!rectangular()) return;
    const QString width = widthField_->text();
    const QString height = heightField_->text();
    CopyToClipboard(height + RectangleMark() + width);
    widthField_->setText(height);
    heightField_->setText(width);
}

void TerminalPage::onPropertyFieldClicked(QLineEdit* field) {
    if (field->text().isEmpty()) return;
    field->selectAll();
    CopyToClipboard(field->text());
}

// Only tab stops count, as with the Tab key itself.
void TerminalPage::onPropertyFieldArrow(QLineEdit* field, int key) {
    if (field->hasFocus()) focusNextPrevChild(key == Qt::Key_Down);
}

} // namespace kestrix
