// Handlers of the duct page: the style choice with its condition line, the
// calculate and recalculate actions, the candidate list, the two modes, the
// size fields with the shape button, the clicks that copy to the clipboard and
// the splitter above the property box.

#include "ui/main_window.h"

#include "config/style_criteria.h"

#include "config/codepage.h"
#include "config/engine_texts.h"
#include "engine/number_text.h"
#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/splitter_bar.h"

#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

namespace {

// The condition line is formatted into a buffer of this many bytes.
constexpr size_t kConditionBuffer = 256;
// Heights of d_pro below which a row of the property box is hidden.
constexpr int kSizeRowHeight = 38;

const QString kRectangleMark = QStringLiteral("x");

// printf into a buffer as large as the text needs.
template <typename... Args> std::string Format(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}

// Cuts code-page text to at most `limit` bytes without splitting a
// double-byte character.
std::string CutCp932(const std::string& bytes, size_t limit) {
    size_t end = 0;
    while (end < bytes.size()) {
        const size_t length =
            kestrix::IsCp932LeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        if (end + length > limit) break;
        end += length;
    }
    return bytes.substr(0, std::min(end, bytes.size()));
}

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsLeftRelease(const QEvent* event) {
    return event->type() == QEvent::MouseButtonRelease &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

// The shape of the size in E_w and E_h. The caption of xxbn is the one flag:
// E_h is also hidden, whatever the shape, while the property box is too low
// for the size row.
bool Rectangular(const QToolButton* xxbn) {
    return xxbn->text() == kRectangleMark;
}

// --- Helpers shared by the handlers ---------------------------------------------------

// Sets the shape: xxbn's caption, and E_h shown for a rectangle while the
// size row has room.
void SetDuctShape(TForm1& f, bool rectangular) {
    f.xxbn->setText(rectangular ? kRectangleMark : f.DiameterMark);
    f.E_h->setVisible(rectangular && f.d_pro->height() >= kSizeRowHeight);
}

kestrix::DuctFields CurrentFields(const TForm1& f) {
    return {f.E_wv->text().toStdString(),  f.E_dp->text().toStdString(),
            f.E_ap->text().toStdString(),  f.E_aq->text().toStdString(),
            f.E_fai->text().toStdString(), f.M_wv->text().toStdString(),
            f.E_as->text().toStdString()};
}

// E_aq is as wide as its reference flow measured in the style list's font,
// plus 5 px. Its own font is bold and often wider: it is never made so narrow
// that the field would scroll its leading digits out of sight.
void FitReferenceFlowWidth(TForm1& f) {
    const QString text = f.E_aq->text();
    const int styleFont = QFontMetrics(f.DuctStyleCB->font()).horizontalAdvance(text) + 5;
    const int ownFont = f.E_aq->fontMetrics().horizontalAdvance(text) + 5;
    f.E_aq->resize(std::max(styleFont, ownFont), f.E_aq->height());
}

// DuctRefValues on the texts of Q1, E_w and E_h: E_aq, E_fai, M_wv and E_as.
void RunDuctRefValues(TForm1& f) {
    const std::string flow = f.Q1->text().toStdString();
    const std::string width = f.E_w->text().toStdString();
    const std::string height = f.E_h->text().toStdString();
    kestrix::DuctFields fields = CurrentFields(f);
    const bool wroteFlow =
        kestrix::DuctRefValues({flow, width, height, Rectangular(f.xxbn)}, f.ductCriteria, fields);
    f.E_aq->setText(QString::fromStdString(fields.referenceFlow));
    f.E_fai->setText(QString::fromStdString(fields.equivalentDiameter));
    f.M_wv->setText(QString::fromStdString(fields.velocityAtEquivalentDiameter));
    f.E_as->setText(QString::fromStdString(fields.aspectRatio));
    if (wroteFlow) FitReferenceFlowWidth(f);
}

} // namespace

// The recalculate button is usable when the flow and every size field that
// the shape needs hold plain numbers. The shape is xxbn's: a low property box
// hides E_h whatever the shape.
bool TForm1::DuctSizeAndFlowPlain() const {
    return Plain(Q1) && Plain(E_w) && (!Rectangular(xxbn) || Plain(E_h));
}

// --- Style choice -------------------------------------------------------------------

void TForm1::DuctStyleCBChange() {
    selectedDuctStyle = DuctStyleCB->currentIndex();
    const int slot = selectedDuctStyle;
    // No entry (the style editor deleted the chosen one), or an entry that
    // stands for an empty slot, whose material text converts to nothing: the
    // criteria and the condition line in force stay. Before any style was
    // applied, those are the limits that make the sizing report itself.
    if (slot < 0 || slot >= int(ductStyles.size()) || ductStyles[size_t(slot)].name.empty()) return;
    const kestrix::DuctSelectionStyle& style = ductStyles[size_t(slot)];

    // A material row that names no loaded material gives no roughness (the
    // sizing then reports it) and no name: the condition line says that the
    // material is missing. A text that does not convert stops here.
    if (!kestrix::ApplyDuctStyle(style, materials, ductCriteria)) return;
    const kestrix::DuctMaterial* material = kestrix::StyleMaterial(style, materials);
    const std::string materialName =
        material ? material->name
                 : *kestrix::ToCp932(japanese_ ? QStringLiteral("(材料なし)")
                                               : QStringLiteral("(no material)"));

    // The name is code-page text already: %14s pads it to 14 bytes, a
    // double-byte character counting 2. The line fits the 256-byte buffer
    // it always had; a longer one is cut at a character boundary.
    const std::string prefix =
        *kestrix::ToCp932(japanese_ ? QStringLiteral("選定基準：") : QStringLiteral("Condition: "));
    // The numbers are formatted apart, so that no locale gives them a comma,
    // and round their halves away from zero as every number text does.
    const std::string format = prefix + (ductCriteria.pressureInPa ? "%14s ,%5s Pa/m ,%5s m/s"
                                                                   : "%14s ,%5s mmAq/m ,%5s m/s");
    const std::string lossText =
        kestrix::FormatFixed(ductCriteria.lossLimit, ductCriteria.pressureInPa ? 1 : 2);
    const std::string velocityText = kestrix::FormatFixed(ductCriteria.velocity, 1);
    const std::string line =
        Format(format.c_str(), materialName.c_str(), lossText.c_str(), velocityText.c_str());
    Select->setText(kestrix::FromCp932(CutCp932(line, kConditionBuffer - 1)));

    ApplyUnitCaptions();
    if (RBT1->isChecked())
        SP1Click();
    else if (RBT2->isChecked())
        SP2Click();
}

// --- Calculate and recalculate ----------------------------------------------------------

void TForm1::SP1Click() {
    ClearDuctResults();
    for (QLineEdit* e : {E_w, E_h, E_as, E_wv, E_dp, E_ap, E_aq, E_fai, M_wv})
        e->clear();
    if (Q1->text().isEmpty()) return;
    LastFlowExpression = Q1->text();
    Q1->setText(EvaluateFlowText(LastFlowExpression));
    // Q3's change handler empties both pages, so the sizing comes after it.
    Q3->setText(Q1->text());
    if (PageControl1->currentWidget() == TabSheet1) {
        Q1->selectAll();
        Q1->setFocus();
    }

    const kestrix::DuctCandidates result =
        kestrix::SizeDuct(Q1->text().toStdString(), ductCriteria, DiameterMark.toStdString());
    if (!result.entries.empty()) {
        QStringList labels;
        labels.reserve(qsizetype(result.entries.size()));
        for (QStringList* list : {&dvlst, &dplst, &aslst, &aplst})
            list->reserve(qsizetype(result.entries.size()));
        for (const kestrix::DuctEntry& entry : result.entries) {
            labels.append(QString::fromStdString(entry.label));
            dvlst.append(QString::fromStdString(entry.velocity));
            dplst.append(QString::fromStdString(entry.loss));
            aslst.append(QString::fromStdString(entry.aspect));
            aplst.append(QString::fromStdString(entry.dynamicPressure));
        }
        // One insertion lays the list out once, however long it is.
        whl->setUpdatesEnabled(false);
        whl->addItems(labels);
        whl->setUpdatesEnabled(true);
    }
    if (result.message != kestrix::SizingMessage::None)
        ShowErrorMessage(
            QString::fromStdString(kestrix::SizingMessageText(result.message)));
}

void TForm1::SP2Click() {
    LastFlowExpression = Q1->text();
    Q1->setText(EvaluateFlowText(LastFlowExpression));

    const std::string flow = Q1->text().toStdString();
    const std::string width = E_w->text().toStdString();
    const std::string height = E_h->text().toStdString();
    // The shape from xxbn, not from E_h, which a low property box hides for
    // rectangles too.
    kestrix::DuctFields fields = CurrentFields(*this);
    std::string sizeText = DuctSizeText.toStdString();
    const bool completed =
        kestrix::RecalcDuct({flow, width, height, Rectangular(xxbn)}, ductCriteria,
                            DiameterMark.toStdString(), fields, sizeText);
    if (!completed) return;
    E_wv->setText(QString::fromStdString(fields.velocity));
    E_dp->setText(QString::fromStdString(fields.frictionLoss));
    E_ap->setText(QString::fromStdString(fields.dynamicPressure));
    E_aq->setText(QString::fromStdString(fields.referenceFlow));
    E_fai->setText(QString::fromStdString(fields.equivalentDiameter));
    M_wv->setText(QString::fromStdString(fields.velocityAtEquivalentDiameter));
    E_as->setText(QString::fromStdString(fields.aspectRatio));
    // RecalcDuct runs DuctRefValues, which empties E_aq unless it writes one.
    if (!fields.referenceFlow.empty()) FitReferenceFlowWidth(*this);
    DuctSizeText = QString::fromStdString(sizeText);
    E_w->setFocus();
}

// --- Candidate list ---------------------------------------------------------------------

void TForm1::whlClick() {
    if (RBT2->isChecked()) return;
    // The selected entry: the selection, which the list updates before or
    // after its current row depending on whether the mouse or a key moved it.
    const QList<QListWidgetItem*> selected = whl->selectedItems();
    if (selected.isEmpty()) return;
    const QString label = selected.first()->text();
    const int i = whl->row(selected.first());

    const qsizetype x = label.indexOf(kRectangleMark);
    if (x >= 0) {
        SetDuctShape(*this, true);
        E_w->setText(label.left(x));
        E_h->setText(label.mid(x + 1));
        DuctSizeText = E_w->text() + kRectangleMark + E_h->text();
    } else {
        SetDuctShape(*this, false);
        E_w->setText(label.left(label.indexOf(DiameterMark)));
        DuctSizeText = E_w->text() + DiameterMark;
    }
    QGuiApplication::clipboard()->setText(DuctSizeText);

    // The values of the list, not computed again.
    if (i >= 0 && i < aslst.size() && i < dvlst.size() && i < dplst.size() && i < aplst.size()) {
        E_as->setText(aslst[i]);
        E_wv->setText(dvlst[i]);
        E_dp->setText(dplst[i]);
        E_ap->setText(aplst[i]);
    }
    RunDuctRefValues(*this);
}

void TForm1::whlMouseMove() {
    whlClick();
}

// --- Modes ------------------------------------------------------------------------------

void TForm1::RBT1Click() {
    DuctDetailMode = false;
    xxbn->setToolTip(QString());
    SetFieldReadOnly(E_w, true);
    SetFieldReadOnly(E_h, true);
    SP2->setEnabled(false);
    const std::string flow = Q1->text().toStdString();
    if (!kestrix::IsPlainNumber(flow)) return;
    const std::optional<double> value = kestrix::ParseNumber(flow);
    if (!value || !(*value > 0)) return;
    SP1->setEnabled(true);
    SP1Click();
}

void TForm1::RBT2Click() {
    DuctDetailMode = true;
    xxbn->setToolTip(QStringLiteral("角・丸入力変換"));
    SP1->setEnabled(false);
    whl->clear();
    SetFieldReadOnly(E_w, false);
    SetFieldReadOnly(E_h, false);
    Q1->setFocus();
    // The width and the flow are enough, as on the air-terminal page: a
    // rectangle without a valid height is recalculated as round.
    SP2->setEnabled(Plain(E_w) && Plain(Q1));
}

// --- Size fields --------------------------------------------------------------------------

void TForm1::xxbnClick() {
    if (!DuctDetailMode) return;
    SetDuctShape(*this, !Rectangular(xxbn));
    SP2->setEnabled(DuctSizeAndFlowPlain());
    if (SP2->isEnabled()) SP2Click();
    RunDuctRefValues(*this);
    E_w->setFocus();
}

void TForm1::E_hChange() {
    if (!DuctDetailMode) return;
    for (QLineEdit* e : {E_as, E_ap, E_aq, E_fai, M_wv, E_wv, E_dp})
        e->clear();
    RunDuctRefValues(*this);
    // Typing never disables the button.
    if (DuctSizeAndFlowPlain()) SP2->setEnabled(true);
}

void TForm1::E_wKeyPress() {
    if (SP2->isEnabled()) SP2Click();
    E_w->setFocus();
}

void TForm1::E_hKeyPress() {
    if (SP2->isEnabled()) SP2Click();
    E_h->setFocus();
}

void TForm1::E_wClick() {
    if (DuctDetailMode)
        E_w->selectAll();
    else
        QGuiApplication::clipboard()->setText(E_w->text());
}

void TForm1::E_hClick() {
    if (DuctDetailMode)
        E_h->selectAll();
    else
        QGuiApplication::clipboard()->setText(E_h->text());
}

void TForm1::Label7Click() {
    QGuiApplication::clipboard()->setText(DuctSizeText);
    whl->setFocus();
}

void TForm1::Label7DblClick() {
    if (Rectangular(xxbn)) {
        const QString width = E_w->text();
        const QString height = E_h->text();
        DuctSizeText = height + kRectangleMark + width;
        E_w->setText(height);
        E_h->setText(width);
    }
    QGuiApplication::clipboard()->setText(DuctSizeText);
}

// --- Page and splitter --------------------------------------------------------------------

void TForm1::TabSheet1Enter() {
    Q1->setFocus();
}

void TForm1::d_spliCanResize(int& newSize, bool& accept) {
    if (newSize > 110) accept = false;
}

void TForm1::d_spliMoved() {
    RBT2->move(RBT2->x(), d_pro->y());
    const int h = d_pro->height();
    for (QWidget* w : std::initializer_list<QWidget*>{Label6, M_wv})
        w->setVisible(h >= 102);
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, E_aq, Label5, E_fai})
        w->setVisible(h >= 86);
    for (QWidget* w : std::initializer_list<QWidget*>{Label11, E_ap, Label12, E_dp})
        w->setVisible(h >= 70);
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, E_as, Label10, E_wv})
        w->setVisible(h >= 54);
    for (QWidget* w : std::initializer_list<QWidget*>{Label7, E_w, xxbn, SP2})
        w->setVisible(h >= kSizeRowHeight);
    SetDuctShape(*this, Rectangular(xxbn));
}

// --- Connections ----------------------------------------------------------------------------

void TForm1::ConnectDuctPage() {
    // A radio button selected by the program runs its handler as a click does.
    connect(RBT1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RunGuarded([this] { RBT1Click(); });
    });
    connect(RBT2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RunGuarded([this] { RBT2Click(); });
    });

    // A pick by mouse or arrow key changes the selection; a click on the entry
    // already selected and a drag over the list are caught below.
    connect(whl, &QListWidget::itemSelectionChanged, this, Slot(&TForm1::whlClick));
    auto* listHook = new EventHook(this, [this](QObject*, QEvent* event) {
        if (IsOtherButtonPress(event)) return true;
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool left = event->type() == QEvent::MouseButtonPress
                              ? mouse->button() == Qt::LeftButton
                              : bool(mouse->buttons() & Qt::LeftButton);
        if (!left) return false;
        QListWidgetItem* item = whl->itemAt(mouse->position().toPoint());
        if (!item) return false;
        if (!item->isSelected()) {
            // Selecting it runs whlClick through the selection signal.
            if (event->type() == QEvent::MouseMove) whl->setCurrentItem(item);
            return false;
        }
        RunGuarded([this, event] {
            if (event->type() == QEvent::MouseMove)
                whlMouseMove();
            else
                whlClick();
        });
        return false;
    });
    whl->viewport()->installEventFilter(listHook);

    ClickFilter::Handlers label7;
    label7.click = Slot(&TForm1::Label7Click);
    label7.doubleClick = Slot(&TForm1::Label7DblClick);
    clicks_->watch(Label7, label7);
    ClickFilter::Handlers select;
    select.click = Slot(&TForm1::SelectClick);
    clicks_->watch(Select, select);

    // A property label puts its field's text on the clipboard.
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {Label9, E_as}, {Label10, E_wv}, {Label11, E_ap}, {Label12, E_dp},
        {Label2, E_aq}, {Label5, E_fai}, {Label6, M_wv}};
    for (const auto& [label, field] : pairs) {
        QLineEdit* f = field;
        ClickFilter::Handlers handlers;
        handlers.click = [this, f] {
            RunGuarded([f] {
                f->setFocus();
                f->selectAll();
                QGuiApplication::clipboard()->setText(f->text());
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
            RunGuarded([this, field] { E_dpClick(field); });
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down)
                RunGuarded([this, field, key] { E_dpKeyDown(field, key); });
        }
        return false;
    });
    for (const auto& pair : pairs) {
        QLineEdit* f = pair.second;
        f->installEventFilter(fieldHook);
        ClickFilter::Handlers handlers;
        handlers.focusIn = [this, f] { RunGuarded([this, f] { E_dpEnter(f); }); };
        clicks_->watch(f, handlers);
    }

    // Size fields: every change, Enter (swallowed) and clicks.
    connect(E_w, &QLineEdit::textChanged, this, Slot(&TForm1::E_hChange));
    connect(E_h, &QLineEdit::textChanged, this, Slot(&TForm1::E_hChange));
    auto* sizeHook = new EventHook(this, [this](QObject* watched, QEvent* event) {
        const bool width = watched == E_w;
        if (IsEnter(event)) {
            RunGuarded([this, width] { width ? E_wKeyPress() : E_hKeyPress(); });
            return true;
        }
        // On release: a selection made on the press would be undone by the field.
        if (IsLeftRelease(event)) RunGuarded([this, width] { width ? E_wClick() : E_hClick(); });
        return false;
    });
    E_w->installEventFilter(sizeHook);
    E_h->installEventFilter(sizeHook);
    connect(xxbn, &QToolButton::clicked, this, Slot(&TForm1::xxbnClick));
}
