// The critical-depth window of the USACE method for sand: the original
// recommendations (10 to 20 diameters by density), the depth where the effective
// stress reaches 3500 psf (167.6 kPa), or a depth given by the user.
#pragma once

#include "InputWindow.h"

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace veldo {

class TDataEdit;

class TDlgBlock final : public TInputWindow {
    Q_OBJECT
public:
    explicit TDlgBlock(TMainForm& main);

    // Radio of critical-depth option 0, 1 or 2 (RadioButton1 ... RadioButton3).
    QRadioButton& Radio(int option) const { return *radios_.at(static_cast<std::size_t>(option)); }
    TDataEdit& DataEdit1() const { return *depth_; }
    QLabel& DepthLabel() const { return *depthLabel_; }
    QPushButton& CloseButton() const { return *close_; }

    // The option of the checked radio, or -1 when none is checked.
    int CheckedOption() const;

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    // The user depth and its label are shown only for the user-specified option.
    void ShowDepth();

    std::array<QRadioButton*, 3> radios_{};
    TDataEdit* depth_ = nullptr;
    QLabel* depthLabel_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace veldo
