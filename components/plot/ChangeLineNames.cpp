#include "ChangeLineNames.h"
#include "MessageCatalogue.h"

#include "DialogResults.h"
#include "Messages.h"
#include "PlotScale.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace veldo {

TfrmLineNames::TfrmLineNames(QWidget* owner, std::vector<QString>& names) : QDialog(owner), names_(names)
{
    setWindowTitle(QStringLiteral("Legend"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label1 = new QLabel(QStringLiteral("Select line to modify:"), this);
    lbLines = new QListWidget(this);
    Label2 = new QLabel(QStringLiteral("Type new legend below:"), this);
    edLine = new QLineEdit(this);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    // Enter belongs to the edit, not to a default button.
    for (QPushButton* b : {btnOK, btnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(btnOK, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(kDialogCancelled); });
    ConnectReportingErrors(lbLines, &QListWidget::itemClicked, this, &TfrmLineNames::lbLinesClick);
    ConnectReportingErrors(lbLines, &QListWidget::itemDoubleClicked, this, &TfrmLineNames::lbLinesClick);
    ConnectReportingErrors(lbLines, &QListWidget::currentRowChanged, this, &TfrmLineNames::lbLinesClick);
    edLine->installEventFilter(this);
    for (const QString& n : names_)
        lbLines->addItem(n);
    if (lbLines->count() > 0)
        lbLines->setCurrentRow(0);
    lbLinesClick();
    setMinimumSize(195, 167);
    resize(260, 260);
}

void TfrmLineNames::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmLineNames::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TfrmLineNames::FormShow()
{
    FormResize();
    if (lbLines->count() > 0)
        lbLines->setCurrentRow(0);
    lbLinesClick();
}

void TfrmLineNames::FormResize()
{
    const int w = width() - 20;
    Label1->setGeometry(10, 5, w, Label1->sizeHint().height());
    const int listHeight = height() - Label1->height() - Label2->sizeHint().height() - edLine->sizeHint().height() -
                           btnOK->sizeHint().height() - 40;
    lbLines->setGeometry(10, Label1->geometry().bottom() + 1 + 5, w, std::max(listHeight, 10));
    Label2->setGeometry(10, lbLines->geometry().bottom() + 1 + 5, w, Label2->sizeHint().height());
    edLine->setGeometry(10, Label2->geometry().bottom() + 1 + 5, w, edLine->sizeHint().height());
    const QSize button = btnOK->sizeHint();
    const int top = edLine->geometry().bottom() + 1 + 5;
    btnOK->setGeometry(20, top, button.width(), button.height());
    btnCancel->setGeometry(width() - 20 - button.width(), top, button.width(), button.height());
}

void TfrmLineNames::lbLinesClick()
{
    const int row = lbLines->currentRow();
    if (row < 0)
        return;
    edLine->setText(lbLines->item(row)->text());
    QPalette palette = edLine->palette();
    palette.setColor(QPalette::Text, PlotColor(row));
    edLine->setPalette(palette);
}

bool TfrmLineNames::acceptEdit()
{
    const int row = lbLines->currentRow();
    if (row < 0)
        return true;
    if (!edLine->text().isEmpty()) {
        lbLines->item(row)->setText(edLine->text());
        return true;
    }
    checking_ = true;
    Messages().Warning(Msg(TMsg::LineNeedsName));
    checking_ = false;
    edLine->setText(lbLines->item(row)->text());
    return false;
}

void TfrmLineNames::edLineKeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        acceptEdit();
}

void TfrmLineNames::edLineExit()
{
    if (checking_)
        return;
    if (!acceptEdit()) {
        const int row = lbLines->currentRow();
        lbLines->item(row)->setText(edLine->text());
    }
}

bool TfrmLineNames::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edLine) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                edLineKeyPress(key);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            edLineExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmLineNames::done(int result)
{
    // A name typed and confirmed at once (OK by its access key, the edit keeping the
    // focus) counts as entered.
    const int row = lbLines->currentRow();
    if (result == QDialog::Accepted && row >= 0 && !edLine->text().isEmpty())
        lbLines->item(row)->setText(edLine->text());
    for (int i = 0; i < lbLines->count() && static_cast<std::size_t>(i) < names_.size(); ++i)
        names_[static_cast<std::size_t>(i)] = lbLines->item(i)->text();
    QDialog::done(result);
}

} // namespace veldo
