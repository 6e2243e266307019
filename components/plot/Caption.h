// "Graph Caption" dialog: the graph title and whether it stands at the top or the bottom.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace veldo {

class TfrmGraphCaption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGraphCaption(QWidget* owner);

    QLabel* Label1 = nullptr;
    QLineEdit* edtCaption = nullptr;
    QRadioButton* rbTop = nullptr;
    QRadioButton* rbBottom = nullptr;
    QPushButton* btnOK = nullptr;
};

} // namespace veldo
