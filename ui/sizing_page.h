#pragma once

// What the duct page and the air-terminal page have in common: the top panel
// (flow field, calculate button, accent line, condition line, style button
// and list), the candidate list with the list-mode button, the splitter and
// the property box with the detail-mode button, the size row and the
// recalculate button; their layout, the connections of those controls and
// the handlers that work alike on both pages. Each page adds its property
// fields and its sizing.

#include "ui/page_host.h"
#include "ui/sizing_session.h"

#include <QColor>
#include <QWidget>

#include <initializer_list>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class ClickFilter;
class ColumnListBox;
class SplitterBar;

namespace kestrix {

class SizingPage : public QWidget {
    Q_OBJECT

  public:
    // The objectNames and captions of the shared controls of one page.
    struct Design {
        const char* page;
        PageKind kind;
        QColor accent;
        const char* panel;
        const char* flowLabel;
        const char* flowField;
        const char* calculateButton;
        QString calculateCaption;
        const char* accentLine;
        const char* conditionLine;
        const char* styleButton;
        const char* styleList;
        const char* listBox;
        const char* listBlank;
        const char* sizeList;
        const char* listModeButton;
        QString listModeCaption;
        const char* splitter;
        const char* propertyBox;
        const char* detailModeButton;
        QString detailModeCaption;
        const char* sizeLabel;
        const char* widthField;
        const char* shapeButton;
        const char* heightField;
        const char* recalculateButton;
        QString sizeCaption;
        QString recalculateCaption;
    };

    ~SizingPage() override;

    // The style list, filled at start-up and by the style editor.
    QComboBox* styleList() const { return styleList_; }

    // Handlers the window and the style editor run.
    virtual void onStyleChosen() = 0;
    virtual void calculate() = 0;
    virtual void recalculate() = 0;

    // Widths of the mode buttons, for the captions in the window's font.
    void fitModeButtons();
    // Layout for the page's size; the property box's captions are measured
    // only once the window is made.
    void layoutPage();
    void setCaptionLayoutDeferred(bool deferred);
    int propertyBoxHeight() const;
    // A stored height: at least one pixel and no taller than the page has room for.
    void restorePropertyBoxHeight(int height);
    // The mode button lies on the property box's upper edge.
    void followPropertyBox();
    // The page shown: focus into the flow field, its text selected or not.
    void focusFlow(bool selectAll);

  protected:
    SizingPage(SizingSession& session, PageHost& host, SizingMode& mode, SizeShape& shape,
               const Design& design, QWidget* parent);

    void resizeEvent(QResizeEvent* event) override;

    // The end of a page's construction, once its own controls are made: the
    // results in bold, nothing to calculate yet, the connections (the shared
    // ones, then the page's own), and Alt+letter kept out of the fields.
    void finishSetUp(std::initializer_list<QWidget*> propertyFields);
    virtual void connectControls() = 0;
    void connectSharedControls();
    // A handler as a slot, run under the window's guard.
    template <typename Page> auto guarded(void (Page::*handler)()) {
        return [this, handler] {
            host_.runGuarded([this, handler] { (static_cast<Page*>(this)->*handler)(); });
        };
    }

    virtual void layoutProperties() = 0;
    virtual void onFlowChanged() = 0;
    // The two modes: choosing a size from the list, or checking a typed size.
    virtual void onListMode();
    virtual void onDetailMode();
    virtual void onShapeToggled() = 0;
    virtual void onSizeEdited() = 0;
    virtual void onSizeLabelClicked() = 0;
    virtual void onSizeLabelDoubleClicked() = 0;
    virtual void onSplitterMoved();

    bool detailMode() const { return mode_ == SizingMode::Detail; }
    bool rectangular() const { return shape_ == SizeShape::Rectangular; }
    void onFlowEntered();
    void onFlowClicked();
    void onSizeClicked(QLineEdit* field);
    void onPropertyFieldClicked(QLineEdit* field);
    void onPropertyFieldArrow(QLineEdit* field, int key);
    void editStyles();
    // A click on a property label puts its field's text on the clipboard.
    void copyOnLabelClick(QLabel* label, QLineEdit* field);

    SizingSession& session_;
    PageHost& host_;
    SizingMode& mode_;
    SizeShape& shape_;
    const PageKind kind_;
    bool captionLayoutDeferred_ = true;
    ClickFilter* clicks_ = nullptr;

    // Top panel.
    QFrame* panel_ = nullptr;
    QLabel* flowLabel_ = nullptr;
    QLineEdit* flowField_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QFrame* accentLine_ = nullptr;
    QLabel* conditionLine_ = nullptr;
    QPushButton* styleButton_ = nullptr;
    QComboBox* styleList_ = nullptr;
    // Candidates.
    QGroupBox* listBox_ = nullptr;
    QWidget* listBlank_ = nullptr;
    ColumnListBox* sizeList_ = nullptr;
    QRadioButton* listModeButton_ = nullptr;
    // Property box and its size row.
    SplitterBar* splitter_ = nullptr;
    QGroupBox* propertyBox_ = nullptr;
    QRadioButton* detailModeButton_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLineEdit* widthField_ = nullptr;
    QToolButton* shapeButton_ = nullptr;
    QLineEdit* heightField_ = nullptr;
    QPushButton* recalculateButton_ = nullptr;
};

} // namespace kestrix
