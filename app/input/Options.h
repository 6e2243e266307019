// The Control Options window: the length of each computation increment, the print
// interval and the path of the text editor that opens the project's text files.
#pragma once

#include "FileDialogs.h"
#include "InputWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace veldo {

class TDataEdit;

class TDlgOptions final : public TInputWindow {
    Q_OBJECT
public:
    // "Programs|*|All Files (*)|*": "Programs" lists folders and executable files.
    static const QString BrowserFilter;

    explicit TDlgOptions(TMainForm& main);

    // Replaces the standard open-file dialog (tests).
    void SetBrowser(TFileBrowser browser) { browser_ = std::move(browser); }
    void BtnBrowseClick();

    TDataEdit& DataEdit3() const { return *increment_; }
    TDataEdit& DataEdit2() const { return *interval_; }
    QLabel& IncrementLabel() const { return *incrementLabel_; }
    QLineEdit& EdtWord() const { return *editor_; }
    QPushButton& BtnBrowse() const { return *browse_; }
    QPushButton& Button4() const { return *close_; }

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    QWidget* BuildPrintControls();
    QWidget* BuildTextEditor();

    TDataEdit* increment_ = nullptr;
    TDataEdit* interval_ = nullptr;
    QLabel* incrementLabel_ = nullptr;
    QLineEdit* editor_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* close_ = nullptr;
    TFileBrowser browser_;
};

} // namespace veldo
