// The Pile Material window: the pile type with its end condition and section shape,
// the taper angle, the modulus of elasticity and how the cross-section area is
// obtained (from the section, constant, or a table along the pile).
#pragma once

#include "InputWindow.h"

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace veldo {

class TDataEdit;

class TfrmMaterial final : public TInputWindow {
    Q_OBJECT
public:
    static const QString ModulusMessage; // "Modulus of Elasticity should be greater than zero." CR "Please check"

    explicit TfrmMaterial(TMainForm& main);

    // Enabling rules and the area computed from the section; marks the project
    // modified (outside loading).
    void ShowWindows();
    // "Data Button": the table editor of the cross-section areas.
    void SectionButton1Click();
    // "Close": closes only with a modulus above 0.
    void Button4Click();

    // Pile type (1..7) of the checked radio; 0 when none is checked.
    int CheckedPileType() const;
    // The area the section gives: the tip area for H-piles and square precast piles,
    // else from OD and ID (pi 3.1416), in square metres in SI units.
    long double SectionArea() const;

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    QWidget* BuildPileTypes();
    QWidget* BuildStiffness();
    QWidget* BuildAreaMode();
    bool Tapered() const;

    QButtonGroup* pileTypes_ = nullptr;
    QRadioButton* openEnded_ = nullptr;
    QRadioButton* closeEnded_ = nullptr;
    QRadioButton* optDrain_ = nullptr;   // circular/tubular precast
    QRadioButton* optUndrain_ = nullptr; // square/rectangular precast
    QRadioButton* openEndedPrecast_ = nullptr;
    QRadioButton* closeEndedPrecast_ = nullptr;
    TDataEdit* angle_ = nullptr;
    QLabel* angleNote_ = nullptr;
    TDataEdit* modulus_ = nullptr;
    std::array<QRadioButton*, 3> areaModes_{}; // by area mode 0, 1, 2
    TDataEdit* autoSection_ = nullptr;
    TDataEdit* section_ = nullptr;
    QPushButton* sectionButton_ = nullptr;
    QLabel* sectionNote_ = nullptr;
};

} // namespace veldo
