// Handlers of the air-terminal page: the style choice, calculate and
// recalculate, the candidate list, the two modes, the size fields with their
// shape button, the size and property labels, and the splitter. The sizing
// itself is the engine's; this file moves texts between it and the fields.

#include "ui/main_window.h"

#include "config/style_criteria.h"

#include "config/engine_texts.h"
#include "engine/number_text.h"
#include "ui/click_filter.h"
#include "ui/column_list_box.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const QString kShapeHint = QStringLiteral("角・丸入力変換");

void CopyText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

kestrix::TerminalFields ReadFields(const TForm1& w) {
    return {w.hsk->text().toStdString(), w.hsv->text().toStdString(), w.hsj->text().toStdString(),
            w.hsy->text().toStdString(), w.haq->text().toStdString()};
}

bool Rectangular(const TForm1& w) {
    return !w.bE_h->isHidden();
}

// TerminalRefFlow on the size fields; it writes hsk and haq.
void RunTerminalRefFlow(TForm1& w) {
    kestrix::TerminalFields fields = ReadFields(w);
    const std::string width = w.bE_w->text().toStdString();
    const std::string height = w.bE_h->text().toStdString();
    kestrix::TerminalRefFlow(width, height, Rectangular(w), w.terminalCriteria, fields);
    w.hsk->setText(QString::fromStdString(fields.freeAreaRatio));
    w.haq->setText(QString::fromStdString(fields.referenceFlow));
}

// Keys and clicks of the page's edit fields. Enter in the size fields is
// swallowed; the arrow keys of the property fields pass on to the field.
// A click counts when the button is released, after the field has placed
// its cursor, so that selecting all of the text is not undone by the field.
class TerminalFieldFilter : public QObject {
  public:
    explicit TerminalFieldFilter(TForm1* form) : QObject(form), form_(form) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field) return false;
        const bool sizeField = field == form_->bE_w || field == form_->bE_h;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (sizeField && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                form_->RunGuarded([this, field] { form_->bE_wKeyPress(field); });
                return true;
            }
            if (!sizeField && (key == Qt::Key_Up || key == Qt::Key_Down))
                form_->RunGuarded([this, field, key] { form_->E_dpKeyDown(field, key); });
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
            form_->RunGuarded([this, alive] {
                if (!alive) return;
                if (alive == form_->bE_w)
                    form_->bE_wClick();
                else if (alive == form_->bE_h)
                    form_->bE_hClick();
                else
                    form_->E_dpClick(alive);
            });
            return true;
        }
        return false;
    }

  private:
    TForm1* form_;
};

} // namespace

void TForm1::KiguStyleCBChange() {
    const int slot = KiguStyleCB->currentIndex();
    // Only a chosen entry does something.
    if (slot < 0) return;
    selectedTerminalStyle = slot;
    // An entry that stands for an empty slot, whose texts convert to nothing:
    // the criteria and the condition line in force stay. Before any style
    // was applied, the zero criteria make the sizing report itself.
    if (slot >= int(terminalStyles.size()) || terminalStyles[size_t(slot)].name.empty()) return;
    const kestrix::TerminalSelectionStyle& style = terminalStyles[size_t(slot)];
    // A text that does not convert stops here; what is already set stays.
    if (!kestrix::ApplyTerminalStyle(style, terminalCriteria)) return;

    // The condition line cuts the percent (12.5 shows 12) where hsk rounds it.
    // An absurd style value must not overflow the integer.
    const double percentValue = std::trunc(terminalCriteria.ratio * 100 + 0.49);
    const int percent = static_cast<int>(std::clamp(percentValue, -2147483647.0, 2147483647.0));
    // The velocity rounds its halves away from zero, as on the duct page.
    const std::string velocityText = kestrix::FormatFixed(terminalCriteria.velocity, 1);
    Select2->setText(japanese_
                         ? QString::asprintf("選定基準： 開口率･･･ %3d %% , 面風速･･･ %5s m/s",
                                             percent, velocityText.c_str())
                         : QString::asprintf("Condition: Free Area - %3d %%, Velocity - %5s m/s",
                                             percent, velocityText.c_str()));

    if (bRB1->isChecked())
        HSCalClick();
    else if (bRB2->isChecked())
        BP2Click();
}

void TForm1::HSCalClick() {
    if (Q3->text().isEmpty()) return;
    LastFlowExpression = Q3->text();
    Q3->setText(EvaluateFlowText(LastFlowExpression));
    Q1->setText(Q3->text());

    kestrix::TerminalFields fields = ReadFields(*this);
    const kestrix::TerminalCandidates result = kestrix::SizeTerminal(
        Q3->text().toStdString(), terminalCriteria, DiameterMark.toStdString(), fields);
    if (result.listReplaced) {
        ClearTerminalResults();
        QStringList labels;
        labels.reserve(qsizetype(result.entries.size()));
        HSVV.reserve(qsizetype(result.entries.size()));
        for (const kestrix::TerminalEntry& entry : result.entries) {
            labels.append(QString::fromStdString(entry.label));
            HSVV.append(QString::fromStdString(entry.velocity));
        }
        // One insertion lays the list out once, however long it is.
        hsbox->addItems(labels);
    }
    hsy->setText(QString::fromStdString(fields.effectiveArea));
    hsj->setText(QString::fromStdString(fields.necessaryArea));
    hsk->setText(QString::fromStdString(fields.freeAreaRatio));
    if (result.message != kestrix::SizingMessage::None)
        ShowErrorMessage(
            QString::fromStdString(kestrix::SizingMessageText(result.message)));
    if (result.passedFlowTest && PageControl1->currentWidget() == TabSheet3) {
        Q3->selectAll();
        Q3->setFocus();
    }
}

void TForm1::BP2Click() {
    LastFlowExpression = Q3->text();
    Q3->setText(EvaluateFlowText(LastFlowExpression));

    const std::string flow = Q3->text().toStdString();
    const std::string width = bE_w->text().toStdString();
    const std::string height = bE_h->text().toStdString();
    const kestrix::TerminalSizeInput in{flow, width, height, Rectangular(*this)};
    kestrix::TerminalFields fields = ReadFields(*this);
    const bool passed = kestrix::RecalcTerminal(in, terminalCriteria, fields);
    hsk->setText(QString::fromStdString(fields.freeAreaRatio));
    hsv->setText(QString::fromStdString(fields.faceVelocity));
    haq->setText(QString::fromStdString(fields.referenceFlow));
    if (passed) bE_w->setFocus();
}

void TForm1::hsboxClick() {
    if (bRB2->isChecked()) return;
    const QList<QListWidgetItem*> selected = hsbox->selectedItems();
    if (selected.isEmpty()) return;
    const int index = hsbox->row(selected.first());
    const QString label = selected.first()->text();

    const qsizetype x = label.indexOf(QLatin1Char('x'));
    if (x >= 0) {
        bE_h->show();
        xxbn2->setText(QStringLiteral("x"));
        bE_w->setText(label.left(x));
        bE_h->setText(label.mid(x + 1));
    } else {
        bE_h->hide();
        xxbn2->setText(DiameterMark);
        const qsizetype mark = label.indexOf(DiameterMark);
        bE_w->setText(mark >= 0 ? label.left(mark) : label);
    }
    // The list hands out the velocity, not the size.
    const QString velocity = index < HSVV.size() ? HSVV.at(index) : QString();
    CopyText(velocity);
    hsv->setText(velocity);
    RunTerminalRefFlow(*this);
}

void TForm1::hsboxMouseMove() {
    hsboxClick();
}

void TForm1::bRB1Click() {
    TerminalDetailMode = false;
    for (QWidget* w : std::initializer_list<QWidget*>{l_hm, l_ym, hsj, hsy})
        w->show();
    xxbn2->setToolTip(QString());
    SetFieldReadOnly(bE_w, true);
    SetFieldReadOnly(bE_h, true);
    BP2->setEnabled(false);
    if (Plain(Q3)) {
        HSCal->setEnabled(true);
        HSCalClick();
    }
}

void TForm1::bRB2Click() {
    TerminalDetailMode = true;
    for (QWidget* w : std::initializer_list<QWidget*>{l_hm, l_ym, hsj, hsy})
        w->hide();
    xxbn2->setToolTip(kShapeHint);
    HSCal->setEnabled(false);
    hsbox->clear();
    SetFieldReadOnly(bE_w, false);
    SetFieldReadOnly(bE_h, false);
    Q3->setFocus();
    BP2->setEnabled(Plain(bE_w) && Plain(Q3));
}

void TForm1::xxbn2Click() {
    if (!TerminalDetailMode) return;
    if (Rectangular(*this)) {
        xxbn2->setText(DiameterMark);
        bE_h->hide();
        BP2->setEnabled(Plain(bE_w) && Plain(Q3));
    } else {
        xxbn2->setText(QStringLiteral("x"));
        bE_h->show();
        BP2->setEnabled(Plain(bE_w) && Plain(bE_h) && Plain(Q3));
    }
    if (BP2->isEnabled()) BP2Click();
    RunTerminalRefFlow(*this);
    bE_w->setFocus();
}

void TForm1::bE_wChange() {
    if (!TerminalDetailMode) return;
    hsv->clear();
    haq->clear();
    RunTerminalRefFlow(*this);
    // A rectangle without a valid height is computed as round, so the height
    // does not matter; a round size enables the button the same way, as on
    // the duct page. Never disabled here.
    if (Plain(bE_w) && Plain(Q3)) BP2->setEnabled(true);
}

void TForm1::bE_wKeyPress(QLineEdit* field) {
    if (!BP2->isEnabled()) return;
    BP2Click();
    field->selectAll();
    field->setFocus();
}

void TForm1::bE_wClick() {
    if (TerminalDetailMode)
        bE_w->selectAll();
    else
        CopyText(bE_w->text());
}

void TForm1::bE_hClick() {
    if (TerminalDetailMode)
        bE_h->selectAll();
    else
        CopyText(bE_h->text());
}

void TForm1::Label15Click() {
    if (Rectangular(*this))
        CopyText(bE_w->text() + xxbn2->text() + bE_h->text());
    else
        CopyText(bE_w->text() + xxbn2->text());
}

void TForm1::Label15DblClick() {
    if (!Rectangular(*this)) return;
    const QString width = bE_w->text();
    const QString height = bE_h->text();
    CopyText(height + QStringLiteral("x") + width);
    bE_w->setText(height);
    bE_h->setText(width);
}

void TForm1::h_spliMoved() {
    bRB2->move(bRB2->x(), h_pro->y());
}

void TForm1::ConnectTerminalPage() {
    connect(bRB1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RunGuarded([this] { bRB1Click(); });
    });
    connect(bRB2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RunGuarded([this] { bRB2Click(); });
    });

    // Mouse and arrow keys change the selection; a click on the entry already
    // chosen copies again. Only the left button picks.
    connect(hsbox, &QListWidget::itemSelectionChanged, this, Slot(&TForm1::hsboxClick));
    connect(hsbox, &QListWidget::itemClicked, this, Slot(&TForm1::hsboxClick));
    hsbox->viewport()->installEventFilter(
        new EventHook(this, [](QObject*, QEvent* event) { return IsOtherButtonPress(event); }));
    // The list's mouse events arrive at its viewport.
    ClickFilter::Handlers drag;
    drag.dragMove = Slot(&TForm1::hsboxMouseMove);
    clicks_->watch(hsbox->viewport(), drag);

    ClickFilter::Handlers size;
    size.click = Slot(&TForm1::Label15Click);
    size.doubleClick = Slot(&TForm1::Label15DblClick);
    clicks_->watch(Label15, size);
    ClickFilter::Handlers condition;
    condition.click = Slot(&TForm1::Select2Click);
    clicks_->watch(Select2, condition);
    for (auto [label, field] :
         {std::pair{Label18, hsk}, std::pair{Label25, hsv}, std::pair{l_hm, hsj},
          std::pair{l_ym, hsy}, std::pair{Label3, haq}}) {
        ClickFilter::Handlers copy;
        copy.click = [this, field] {
            RunGuarded([field] {
                field->setFocus();
                field->selectAll();
                CopyText(field->text());
            });
        };
        clicks_->watch(label, copy);
    }

    connect(bE_w, &QLineEdit::textChanged, this, Slot(&TForm1::bE_wChange));
    connect(bE_h, &QLineEdit::textChanged, this, Slot(&TForm1::bE_wChange));
    connect(xxbn2, &QToolButton::clicked, this, Slot(&TForm1::xxbn2Click));

    auto* fieldFilter = new TerminalFieldFilter(this);
    for (QLineEdit* field : {bE_w, bE_h, hsk, hsv, hsj, hsy, haq})
        field->installEventFilter(fieldFilter);
}
