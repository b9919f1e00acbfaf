#pragma once

// The air-terminal page (objectName "TabSheet3"): the flow field with its
// calculate button, the air-terminal style list with its condition line, the
// candidate sizes with their face velocities, and the property box where a
// size is checked in detail. It owns its controls and handlers; what it
// shares with the duct page goes through the sizing session.

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

class TerminalPage : public QWidget {
    Q_OBJECT

  public:
    TerminalPage(SizingSession& session, PageHost& host, QWidget* parent = nullptr);
    ~TerminalPage() override;

    // The style list, filled at start-up and by the style editor.
    QComboBox* styleList() const { return styleList_; }

    // Handlers the window and the style editor run.
    void onStyleChosen();
    void calculate();
    void recalculate();
    // Widths of the mode buttons, for the captions in the window's font.
    void fitModeButtons();

    void layoutPage();
    void setCaptionLayoutDeferred(bool deferred);
    int propertyBoxHeight() const;
    // A stored height: at least one pixel and no taller than the page has room for.
    void restorePropertyBoxHeight(int height);
    // After a resize of the window: the mode button on the property box, and
    // the list's column count changed as the duct page's was.
    void followPropertyBox();
    void stepColumns(int step);

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
    void onPropertyFieldArrow(QLineEdit* field, int key);
    void showSharedFlow(const QString& flow);

    void setShape(bool rectangular);
    bool rectangular() const;
    void clearCandidates();
    void updateReferenceFlow();

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
    QLabel* freeAreaLabel_ = nullptr;
    QLineEdit* freeAreaField_ = nullptr;
    QLabel* faceVelocityLabel_ = nullptr;
    QLineEdit* faceVelocityField_ = nullptr;
    QLabel* necessaryAreaLabel_ = nullptr;
    QLineEdit* necessaryAreaField_ = nullptr;
    QLabel* effectiveAreaLabel_ = nullptr;
    QLineEdit* effectiveAreaField_ = nullptr;
    QLabel* referenceFlowLabel_ = nullptr;
    QLineEdit* referenceFlowField_ = nullptr;
};

} // namespace kestrix
