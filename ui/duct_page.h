#pragma once

// The duct page (objectName "TabSheet1"): the flow field with its calculate
// button, the duct style list with its condition line, the candidate sizes,
// and the property box where a size is checked in detail. It owns its
// controls and handlers; what it shares with the air-terminal page goes
// through the sizing session.

#include <QWidget>

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

class PageHost;
class SizingSession;

class DuctPage : public QWidget {
    Q_OBJECT

  public:
    DuctPage(SizingSession& session, PageHost& host, QWidget* parent = nullptr);
    ~DuctPage() override;

    // The style list, filled at start-up and by the style editor.
    QComboBox* styleList() const { return styleList_; }

    // The captions of the dynamic pressure and the friction loss in a unit.
    static QString dynamicPressureCaption(bool pascal);
    static QString frictionLossCaption(bool pascal);

    // Handlers the window and the style editor run.
    void onStyleChosen();
    void calculate();
    void recalculate();
    // The page shown: focus into the flow field, its text selected.
    void focusFlow(bool selectAll);
    // Widths of the mode buttons, for the captions in the window's font.
    void fitModeButtons();
    // The captions of the units of the criteria in force.
    void applyUnitCaptions();

    // Layout for the page's size; the property box's captions are measured
    // only once the window is made.
    void layoutPage();
    void setCaptionLayoutDeferred(bool deferred);
    int propertyBoxHeight() const;
    // A stored height: at least one pixel and no taller than the page has room for.
    void restorePropertyBoxHeight(int height);
    // After a resize of the window: the mode button on the property box, and
    // the list's column count one step nearer to its width (the change made).
    void followPropertyBox();
    int stepColumns();
    // The rows of the property box that its height has room for.
    void onSplitterMoved();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void build();
    void buildProperties();
    void connectControls();
    void connectProperties();
    void layoutProperties();
    template <typename Handler> auto guarded(Handler handler);

    void onFlowEntered();
    void onFlowChanged();
    void onFlowClicked();
    void onSizePicked();
    void onListMode();
    void onDetailMode();
    void onShapeToggled();
    void onSizeEdited();
    void onSizeEntered(QLineEdit* field);
    void onSizeClicked(QLineEdit* field);
    void onSizeLabelClicked();
    void onSizeLabelDoubleClicked();
    void onPropertyFieldClicked(QLineEdit* field);
    void onPropertyFieldEntered(QLineEdit* field);
    void onPropertyFieldArrow(QLineEdit* field, int key);
    void showSharedFlow(const QString& flow);

    void setShape(bool rectangular);
    bool rectangular() const;
    bool sizeAndFlowPlain() const;
    void clearCandidates();
    void clearProperties();
    void updateReferenceValues();
    void fitReferenceFlowWidth();

    SizingSession& session_;
    PageHost& host_;
    ClickFilter* clicks_ = nullptr;
    bool captionLayoutDeferred_ = true;

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
    // Property box.
    SplitterBar* splitter_ = nullptr;
    QGroupBox* propertyBox_ = nullptr;
    QRadioButton* detailModeButton_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLineEdit* widthField_ = nullptr;
    QToolButton* shapeButton_ = nullptr;
    QLineEdit* heightField_ = nullptr;
    QPushButton* recalculateButton_ = nullptr;
    QLabel* aspectRatioLabel_ = nullptr;
    QLineEdit* aspectRatioField_ = nullptr;
    QLabel* velocityLabel_ = nullptr;
    QLineEdit* velocityField_ = nullptr;
    QLabel* dynamicPressureLabel_ = nullptr;
    QLineEdit* dynamicPressureField_ = nullptr;
    QLabel* frictionLossLabel_ = nullptr;
    QLineEdit* frictionLossField_ = nullptr;
    QLabel* referenceFlowLabel_ = nullptr;
    QLineEdit* referenceFlowField_ = nullptr;
    QLabel* equivalentDiameterLabel_ = nullptr;
    QLineEdit* equivalentDiameterField_ = nullptr;
    QLabel* equivalentVelocityLabel_ = nullptr;
    QLineEdit* equivalentVelocityField_ = nullptr;
};

} // namespace kestrix
