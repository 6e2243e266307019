// "Legend" dialog: edits the legend text of every curve.
#pragma once

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace veldo {

class TfrmLineNames : public QDialog {
    Q_OBJECT
public:
    // `names` holds one legend text per curve; every entry is written back on close.
    TfrmLineNames(QWidget* owner, std::vector<QString>& names);

    QLabel* Label1 = nullptr;
    QListWidget* lbLines = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edLine = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // Puts the selected entry's text into the edit, coloured by its index.
    void lbLinesClick();
    // Enter in the edit: a non-empty text replaces the selected entry.
    void edLineKeyPress(int key);
    // Leaving the edit: as Enter, and a refused text is written back to the entry.
    void edLineExit();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormResize();
    // Applies the edit to the selected entry; false (after the message) when it is empty.
    bool acceptEdit();
    std::vector<QString>& names_;
    bool checking_ = false;
};

} // namespace veldo
