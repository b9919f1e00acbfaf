#pragma once

// The air-terminal page (objectName "TabSheet3"): the flow field with its
// calculate button, the air-terminal style list with its condition line, the
// candidate sizes with their face velocities, and the property box where a
// size is checked in detail. It owns its controls and handlers; what it
// shares with the duct page goes through the sizing session.

#include "ui/sizing_page.h"

namespace kestrix {

class TerminalPage : public SizingPage {
    Q_OBJECT

  public:
    TerminalPage(SizingSession& session, PageHost& host, QWidget* parent = nullptr);

    void onStyleChosen() override;
    void calculate() override;
    void recalculate() override;
    // The list's column count changed as the duct page's was.
    void stepColumns(int step);

  private:
    void buildProperties();
    void connectControls() override;
    void layoutProperties() override;

    void onFlowChanged() override;
    void onListMode() override;
    void onDetailMode() override;
    void onShapeToggled() override;
    void onSizeEdited() override;
    void onSizeLabelClicked() override;
    void onSizeLabelDoubleClicked() override;
    void onSizePicked();
    void onSizeEntered(QLineEdit* field);

    void setShape(bool rectangular);
    void clearCandidates();
    TerminalFields propertyFields() const;
    void updateReferenceFlow();

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
