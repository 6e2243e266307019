// "Active Curves" dialog: chooses which curves take part in legend, menu and colours.
#pragma once

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace veldo {

class TfrmActiveLines : public QDialog {
    Q_OBJECT
public:
    static const QString kYes; // " yes : "
    static const QString kNo;  // " no  : "

    // `names`: one legend text per curve; `flags`: one flag text per curve, changed in place.
    TfrmActiveLines(QWidget* owner, const std::vector<QString>& names, std::vector<QString>& flags);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* lbLines = nullptr;
    QPushButton* btnSelected = nullptr;
    QPushButton* btnActivateAll = nullptr;
    QPushButton* btnDeactivateAll = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void lbLinesDblClick();
    void ActivateButtonClick();
    void DesactivateButtonClick();
    void ActivateDesactivateButtonClick();
    // Toggles flag i.
    void SetKodeLines(int i);
    // Rewrites entry i from flag i and name i.
    void SetLineNames(int i);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormShow();
    void Resizes();
    void setAll(const QString& flag);
    const std::vector<QString>& names_;
    std::vector<QString>& flags_;
};

} // namespace veldo
