#include "ui/sizing_page.h"

#include "ui/access_keys.h"
#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/fonts.h"
#include "ui/page_host.h"
#include "ui/page_widgets.h"
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

#include <algorithm>

namespace kestrix {

using namespace pages;

SizingPage::SizingPage(SizingSession& session, PageHost& host, SizingMode& mode, SizeShape& shape,
                       const Design& d, QWidget* parent)
    : QWidget(parent), session_(session), host_(host), mode_(mode), shape_(shape), kind_(d.kind) {
    setObjectName(QString::fromLatin1(d.page));
    const int W = kDesignPanelWidth;
    panel_ = MakePanel(this, d.panel);
    flowLabel_ = MakeLabel(panel_, d.flowLabel, tr("&Flow Rate[CMH]:"), QRect(4, 0, 84, 20));
    flowField_ = MakeFlowField(panel_, d.flowField);
    flowLabel_->setBuddy(flowField_);
    calculateButton_ =
        MakeButton(panel_, d.calculateButton, d.calculateCaption, QRect(W - 57, 0, 52, 21));
    accentLine_ = MakeLine(panel_, d.accentLine, d.accent, QRect(5, 21, W - 10, 2));
    conditionLine_ = MakeLabel(panel_, d.conditionLine, QString(), QRect(5, 24, W - 10, 13));
    styleButton_ = MakeButton(panel_, d.styleButton, tr("P&roperties"), QRect(4, 37, 64, 21));
    styleList_ = MakeStyleList(panel_, d.styleList);

    listBox_ = MakeBox(this, d.listBox);
    listBlank_ = Make<QWidget>(listBox_, d.listBlank);
    sizeList_ = MakeCandidateList(listBox_, d.sizeList);
    listModeButton_ = MakeRadio(this, d.listModeButton, d.listModeCaption);
    listModeButton_->setChecked(true);

    splitter_ = MakeSplitter(this, d.splitter, d.accent);
    propertyBox_ = MakeBox(this, d.propertyBox);
    propertyBox_->resize(W, kPropertyBoxHeight);
    splitter_->setTarget(propertyBox_);
    detailModeButton_ = MakeRadio(this, d.detailModeButton, d.detailModeCaption);
    TabToCheckedMode(listModeButton_, detailModeButton_);

    sizeLabel_ = MakeLabel(propertyBox_, d.sizeLabel, d.sizeCaption, QRect(4, 20, 70, 13));
    // The hint has always been Japanese, in both languages.
    sizeLabel_->setToolTip(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸするとW・Hが入れ替わります"));
    widthField_ = MakeSizeField(propertyBox_, d.widthField, QRect(75, 16, 44, 20));
    shapeButton_ = MakeShapeButton(propertyBox_, d.shapeButton, detailModeButton_);
    heightField_ = MakeSizeField(propertyBox_, d.heightField, QRect(138, 16, 44, 20));
    recalculateButton_ = MakeButton(propertyBox_, d.recalculateButton, d.recalculateCaption,
                                    QRect(W - 63, kRow1, 58, 22));
}

SizingPage::~SizingPage() {
    // The controls are destroyed after this body, and they still send events
    // (focus, hide) while they go. The event filters that call back into the
    // page must not see them: remove every helper object first.
    const QList<QObject*> helpers = findChildren<QObject*>(Qt::FindDirectChildrenOnly);
    for (QObject* child : helpers)
        if (!child->isWidgetType()) delete child;
    clicks_ = nullptr;
}

void SizingPage::finishSetUp(std::initializer_list<QWidget*> propertyFields) {
    const QFont bold = kestrix::BoldUiFont(12);
    for (QWidget* w : std::initializer_list<QWidget*>{flowField_, sizeList_, widthField_,
                                                      heightField_, shapeButton_})
        w->setFont(bold);
    for (QWidget* w : propertyFields)
        w->setFont(bold);
    calculateButton_->setEnabled(false);
    recalculateButton_->setEnabled(false);
    connectSharedControls();
    connectControls();
    KeepAccessKeysOutOf(this, {flowField_, widthField_, heightField_, styleList_});
}

void SizingPage::connectSharedControls() {
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
    connect(flowField_, &QLineEdit::textChanged, this, guarded(&SizingPage::onFlowChanged));
    connect(styleList_, &QComboBox::activated, this, guarded(&SizingPage::onStyleChosen));
    connect(calculateButton_, &QPushButton::clicked, this, guarded(&SizingPage::calculate));
    connect(recalculateButton_, &QPushButton::clicked, this, guarded(&SizingPage::recalculate));
    connect(styleButton_, &QPushButton::clicked, this, &SizingPage::editStyles);

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
    connect(splitter_, &SplitterBar::moved, this, guarded(&SizingPage::onSplitterMoved));

    // A radio button selected by the program runs its handler as a click does.
    connect(listModeButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) host_.runGuarded([this] { onListMode(); });
    });
    connect(detailModeButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) host_.runGuarded([this] { onDetailMode(); });
    });
    // The flow evaluated on the other page. The flow lives in the field's
    // text: writing it runs this page's change handler, and writing the same
    // text again sets off nothing, as it always has.
    connect(&session_, &SizingSession::flowShared, this,
            [this](PageKind from, const QString& flow) {
                if (from != kind_) flowField_->setText(flow);
            });

    clicks_ = new ClickFilter(this);
    ClickFilter::Handlers size;
    size.click = guarded(&SizingPage::onSizeLabelClicked);
    size.doubleClick = guarded(&SizingPage::onSizeLabelDoubleClicked);
    clicks_->watch(sizeLabel_, size);
    ClickFilter::Handlers condition;
    condition.click = [this] { editStyles(); };
    clicks_->watch(conditionLine_, condition);
    connect(widthField_, &QLineEdit::textChanged, this, guarded(&SizingPage::onSizeEdited));
    connect(heightField_, &QLineEdit::textChanged, this, guarded(&SizingPage::onSizeEdited));
    connect(shapeButton_, &QToolButton::clicked, this, guarded(&SizingPage::onShapeToggled));
}

void SizingPage::copyOnLabelClick(QLabel* label, QLineEdit* field) {
    ClickFilter::Handlers handlers;
    handlers.click = [this, field] {
        host_.runGuarded([field] {
            field->setFocus();
            field->selectAll();
            CopyToClipboard(field->text());
        });
    };
    clicks_->watch(label, handlers);
}

void SizingPage::editStyles() {
    host_.editStyles(kind_ == PageKind::Terminal);
}

// --- Layout ----------------------------------------------------------------------

void SizingPage::fitModeButtons() {
    const QFontMetrics metrics(font());
    for (QRadioButton* r : {listModeButton_, detailModeButton_})
        r->resize(metrics.horizontalAdvance(r->text()) + 22, r->height());
}

void SizingPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Qt may size the pages again once the window is shown.
    layoutPage();
}

void SizingPage::layoutPage() {
    LayoutPage({panel_, flowField_, calculateButton_, accentLine_, conditionLine_, styleList_,
                listBox_, listBlank_, sizeList_, listModeButton_, splitter_, propertyBox_,
                detailModeButton_},
               width(), height());
    layoutProperties();
}

void SizingPage::setCaptionLayoutDeferred(bool deferred) {
    captionLayoutDeferred_ = deferred;
    layoutProperties();
}

int SizingPage::propertyBoxHeight() const {
    return propertyBox_->height();
}

void SizingPage::restorePropertyBoxHeight(int height) {
    propertyBox_->resize(propertyBox_->width(),
                         std::clamp(height, 1, PropertyBoxLimit(this->height())));
    layoutPage();
    followPropertyBox();
}

void SizingPage::followPropertyBox() {
    detailModeButton_->move(detailModeButton_->x(), propertyBox_->y());
}

void SizingPage::onSplitterMoved() {
    followPropertyBox();
}

// --- Handlers alike on both pages ---------------------------------------------------

void SizingPage::focusFlow(bool selectAll) {
    if (selectAll) flowField_->selectAll();
    flowField_->setFocus(selectAll ? Qt::ActiveWindowFocusReason : Qt::OtherFocusReason);
}

void SizingPage::onFlowEntered() {
    if (recalculateButton_->isEnabled()) recalculate();
    if (calculateButton_->isEnabled()) calculate();
    flowField_->setFocus();
}

void SizingPage::onFlowClicked() {
    if (!session_.lastFlowExpression().isEmpty())
        flowField_->setText(session_.lastFlowExpression());
}

// Choosing from the list: the size fields hold the pick, read-only.
void SizingPage::onListMode() {
    mode_ = SizingMode::List;
    shapeButton_->setToolTip(QString());
    SetFieldReadOnly(widthField_, true);
    SetFieldReadOnly(heightField_, true);
    recalculateButton_->setEnabled(false);
}

// Checking a typed size: the list goes, the size fields open for typing.
void SizingPage::onDetailMode() {
    mode_ = SizingMode::Detail;
    // The hint has always been Japanese, in both languages.
    shapeButton_->setToolTip(QStringLiteral("角・丸入力変換"));
    calculateButton_->setEnabled(false);
    sizeList_->clear();
    SetFieldReadOnly(widthField_, false);
    SetFieldReadOnly(heightField_, false);
    flowField_->setFocus();
    // The width and the flow are enough: a rectangle without a valid height
    // is recalculated as round.
    recalculateButton_->setEnabled(IsPlain(widthField_) && IsPlain(flowField_));
}

void SizingPage::onSizeClicked(QLineEdit* field) {
    if (detailMode())
        field->selectAll();
    else
        CopyToClipboard(field->text());
}

void SizingPage::onPropertyFieldClicked(QLineEdit* field) {
    if (field->text().isEmpty()) return;
    field->selectAll();
    CopyToClipboard(field->text());
}

// Only tab stops count, as with the Tab key itself.
void SizingPage::onPropertyFieldArrow(QLineEdit* field, int key) {
    if (field->hasFocus()) focusNextPrevChild(key == Qt::Key_Down);
}

} // namespace kestrix
