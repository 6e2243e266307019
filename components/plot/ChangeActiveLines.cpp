#include "ChangeActiveLines.h"

#include "DialogResults.h"
#include "Messages.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace veldo {

const QString TfrmActiveLines::kYes = QStringLiteral(" yes : ");
const QString TfrmActiveLines::kNo = QStringLiteral(" no  : ");

TfrmActiveLines::TfrmActiveLines(QWidget* owner, const std::vector<QString>& names, std::vector<QString>& flags)
    : QDialog(owner), names_(names), flags_(flags)
{
    setWindowTitle(QStringLiteral("Active Curves"));
    flags_.resize(names_.size(), kYes);
    Label1 = new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this);
    Label2 = new QLabel(QStringLiteral("Active :"), this);
    Label3 = new QLabel(QStringLiteral("Curve"), this);
    lbLines = new QListWidget(this);
    lbLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    btnSelected = new QPushButton(QStringLiteral("Activate/Deactivate Selected"), this);
    btnActivateAll = new QPushButton(QStringLiteral("Activate All"), this);
    btnDeactivateAll = new QPushButton(QStringLiteral("Deactivate All"), this);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    ConnectReportingErrors(lbLines, &QListWidget::itemDoubleClicked, this, &TfrmActiveLines::lbLinesDblClick);
    ConnectReportingErrors(btnSelected, &QPushButton::clicked, this, &TfrmActiveLines::ActivateDesactivateButtonClick);
    ConnectReportingErrors(btnActivateAll, &QPushButton::clicked, this, &TfrmActiveLines::ActivateButtonClick);
    ConnectReportingErrors(btnDeactivateAll, &QPushButton::clicked, this, &TfrmActiveLines::DesactivateButtonClick);
    connect(btnOK, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(kDialogCancelled); });
    for (std::size_t i = 0; i < names_.size(); ++i)
        lbLines->addItem(flags_[i] + QStringLiteral("   ") + names_[i]);
    if (lbLines->count() > 0)
        lbLines->setCurrentRow(0);
    setMinimumSize(190, 234);
    resize(300, 320);
}

void TfrmActiveLines::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmActiveLines::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Resizes();
}

void TfrmActiveLines::FormShow()
{
    Resizes();
    if (lbLines->count() > 0)
        lbLines->setCurrentRow(0);
}

void TfrmActiveLines::Resizes()
{
    const int w = width() - 20;
    Label1->setGeometry(10, 5, w, Label1->sizeHint().height());
    const int headTop = Label1->geometry().bottom() + 1 + 5;
    Label2->setGeometry(10, headTop, Label2->sizeHint().width(), Label2->sizeHint().height());
    Label3->setGeometry(10 + Label2->sizeHint().width() + 10, headTop, Label3->sizeHint().width(),
                        Label3->sizeHint().height());
    const QSize b = btnOK->sizeHint();
    const int listTop = headTop + Label3->height() + 10;
    const int listHeight = height() - Label1->y() - Label1->height() - Label3->height() -
                           btnActivateAll->sizeHint().height() - btnSelected->sizeHint().height() - b.height() - 50;
    lbLines->setGeometry(10, listTop, w, std::max(listHeight, 10));
    const QSize sel = btnSelected->sizeHint();
    btnSelected->setGeometry(15, lbLines->geometry().bottom() + 1 + 10, sel.width(), sel.height());
    const QSize all = btnActivateAll->sizeHint();
    const QSize none = btnDeactivateAll->sizeHint();
    const int allTop = btnSelected->geometry().bottom() + 1 + 10;
    btnActivateAll->setGeometry(10, allTop, all.width(), all.height());
    btnDeactivateAll->setGeometry(width() - 10 - none.width(), allTop, none.width(), none.height());
    const int okTop = allTop + all.height() + 10;
    btnOK->setGeometry(20, okTop, b.width(), b.height());
    btnCancel->setGeometry(width() - 20 - b.width(), okTop, b.width(), b.height());
}

void TfrmActiveLines::SetKodeLines(int i)
{
    QString& flag = flags_.at(static_cast<std::size_t>(i));
    flag = flag == kYes ? kNo : kYes;
}

void TfrmActiveLines::SetLineNames(int i)
{
    const auto k = static_cast<std::size_t>(i);
    lbLines->item(i)->setText(flags_.at(k) + QStringLiteral("   ") + names_.at(k));
}

void TfrmActiveLines::lbLinesDblClick()
{
    const int row = lbLines->currentRow();
    if (row < 0)
        return;
    SetKodeLines(row);
    SetLineNames(row);
}

void TfrmActiveLines::ActivateDesactivateButtonClick()
{
    const QList<QListWidgetItem*> selected = lbLines->selectedItems();
    if (selected.size() == 1) {
        lbLinesDblClick();
        return;
    }
    for (QListWidgetItem* item : selected) {
        const int row = lbLines->row(item);
        SetKodeLines(row);
        SetLineNames(row);
    }
}

void TfrmActiveLines::setAll(const QString& flag)
{
    for (int i = 0; i < lbLines->count(); ++i) {
        flags_[static_cast<std::size_t>(i)] = flag;
        SetLineNames(i);
    }
}

void TfrmActiveLines::ActivateButtonClick() { setAll(kYes); }

void TfrmActiveLines::DesactivateButtonClick() { setAll(kNo); }

} // namespace veldo
