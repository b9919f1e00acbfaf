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

// --- Connections ------------------------------------------------------------------

void DuctPage::connectControls() {
    // A flow typed on the air-terminal page is a new flow for this page too.
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

    // A property label puts its field's text on the clipboard.
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {aspectRatioLabel_, aspectRatioField_},
        {velocityLabel_, velocityField_},
        {dynamicPressureLabel_, dynamicPressureField_},
        {frictionLossLabel_, frictionLossField_},
        {referenceFlowLabel_, referenceFlowField_},
        {equivalentDiameterLabel_, equivalentDiameterField_},
        {equivalentVelocityLabel_, equivalentVelocityField_}};
    for (const auto& [label, field] : pairs)
        copyOnLabelClick(label, field);

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

    // Size fields: Enter (swallowed) and clicks.
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

void DuctPage::onPropertyFieldEntered(QLineEdit* field) {
    if (sizeList_->count() >= 1) field->selectAll();
}

} // namespace kestrix
