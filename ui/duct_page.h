#pragma once

// The duct page (objectName "TabSheet1"): the flow field with its calculate
// button, the duct style list with its condition line, the candidate sizes,
// and the property box where a size is checked in detail. It owns its
// controls and handlers; what it shares with the air-terminal page goes
// through the sizing session.

#include "ui/sizing_page.h"

namespace kestrix {

class DuctPage : public SizingPage {
    Q_OBJECT

  public:
    DuctPage(SizingSession& session, PageHost& host, QWidget* parent = nullptr);

    // The captions of the dynamic pressure and the friction loss in a unit.
    static QString dynamicPressureCaption(bool pascal);
    static QString frictionLossCaption(bool pascal);

    void onStyleChosen() override;
    void calculate() override;
    void recalculate() override;
    // The captions of the units of the criteria in force.
    void applyUnitCaptions();
    // The list's column count one step nearer to its width (the change made).
    int stepColumns();
    // The rows of the property box that its height has room for.
    void onSplitterMoved() override;

  private:
    void buildProperties();
    void connectControls() override;
    void layoutProperties() override;

    void onFlowChanged() override;
    void onListMode() override;
    void onShapeToggled() override;
    void onSizeEdited() override;
    void onSizeLabelClicked() override;
    void onSizeLabelDoubleClicked() override;
    void onSizePicked();
    void onSizeEntered(QLineEdit* field);
    void onPropertyFieldEntered(QLineEdit* field);

    void setShape(bool rectangular);
    bool sizeAndFlowPlain() const;
    void clearCandidates();
    void clearProperties();
    DuctFields propertyFields() const;
    void updateReferenceValues();
    void fitReferenceFlowWidth();

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
