// The Computation Methods window: the load-transfer method of the load-settlement
// analysis (the selected method), the capacity methods, the type of loading, the clay
// condition for ICP/MTD, the t-z curve factors and the USACE critical-depth option.
#pragma once

#include "InputWindow.h"

#include <array>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace veldo {

class TDataEdit;

class TfrmWaterDepth final : public TInputWindow {
    Q_OBJECT
public:
    explicit TfrmWaterDepth(TMainForm& main);

    // Enabling rules; also ticks the box of the checked method and marks the project
    // modified (outside loading).
    void ShowWindows();
    // A method radio (1..9) was clicked.
    void MethodRadioClick(int method);
    // "Select All" and "Clear Selections".
    void Button1Click();
    void Button3Click();

    // Number (1..9) of the checked method radio; 0 when none is checked.
    int CheckedMethod() const;

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    QWidget* BuildLoadSettlementTab();
    QWidget* BuildCapacityTab();
    QWidget* BuildCapacityMethods();
    QWidget* BuildCriticalDepth();
    QWidget* BuildLoading();
    QCheckBox& Box(int method) const { return *boxes_[static_cast<std::size_t>(method - 1)]; }
    QRadioButton& Radio(int method) const { return *radios_[static_cast<std::size_t>(method - 1)]; }
    bool Offshore() const;
    // Ticks (or clears) boxes 1 to 5, and 6 to 9 with the offshore methods.
    void SetAllBoxes(bool ticked);
    void StoreMethods();
    void StoreOptions();
    // The user unit columns of the layer tables follow the selected method.
    void UpdateUserColumns();

    std::array<QRadioButton*, Method::Count> radios_{};
    std::array<QCheckBox*, Method::Count> boxes_{};
    std::array<QLabel*, Method::Count> lsLabels_{};
    QRadioButton* optHigh_ = nullptr;
    QRadioButton* optLow_ = nullptr;
    std::array<QRadioButton*, 3> criticalRadios_{};
    QLabel* criticalNote_ = nullptr;
    TDataEdit* criticalDepth_ = nullptr;
    QRadioButton* optDrain_ = nullptr;
    QRadioButton* optUndrain_ = nullptr;
    QRadioButton* optCompression_ = nullptr;
    QRadioButton* optTension_ = nullptr;
    TDataEdit* reduction_ = nullptr;
    QLabel* reductionNote_ = nullptr;
};

} // namespace veldo
