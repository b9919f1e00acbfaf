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

void TerminalPage::connectControls() {
    // Mouse and arrow keys change the selection; a click on the entry already
    // chosen copies again. Only the left button picks.
    connect(sizeList_, &QListWidget::itemSelectionChanged, this,
            guarded(&TerminalPage::onSizePicked));
    connect(sizeList_, &QListWidget::itemClicked, this, guarded(&TerminalPage::onSizePicked));
    sizeList_->viewport()->installEventFilter(
        new EventHook(this, [](QObject*, QEvent* event) { return IsOtherButtonPress(event); }));

    // The list's mouse events arrive at its viewport.
    ClickFilter::Handlers drag;
    drag.dragMove = guarded(&TerminalPage::onSizePicked);
    clicks_->watch(sizeList_->viewport(), drag);

    for (auto [label, field] : {std::pair{freeAreaLabel_, freeAreaField_},
                                std::pair{faceVelocityLabel_, faceVelocityField_},
                                std::pair{necessaryAreaLabel_, necessaryAreaField_},
                                std::pair{effectiveAreaLabel_, effectiveAreaField_},
                                std::pair{referenceFlowLabel_, referenceFlowField_}})
        copyOnLabelClick(label, field);

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

} // namespace kestrix
