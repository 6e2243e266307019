// The t-z print window: whether the internally generated t-z curves are printed at
// the depths of the t-z depth table, and the editor of that table.
#pragma once

#include "InputWindow.h"

class QCheckBox;
class QPushButton;

namespace veldo {

class TDlgTZPrint final : public TInputWindow {
    Q_OBJECT
public:
    explicit TDlgTZPrint(TMainForm& main);

    QCheckBox& ChkPrint() const { return *print_; }
    QPushButton& EditDepths() const { return *editDepths_; }
    QPushButton& Button1() const { return *close_; }

    // "Edit Depths" is enabled exactly when the check box is checked.
    void ChkPrintClick();
    // Opens the table editor of the t-z depths.
    void EditDepthsClick();

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    QCheckBox* print_ = nullptr;
    QPushButton* editDepths_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace veldo
