#include "TZPrint.h"

#include "Messages.h"
#include "Table.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldo {

TDlgTZPrint::TDlgTZPrint(TMainForm& main) : TInputWindow(main, QStringLiteral("Option of Printing t-z Curves"))
{
    setObjectName(QStringLiteral("DlgTZPrint"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    print_ = new QCheckBox(QStringLiteral("&Print Internally-Generated"), this);
    print_->setObjectName(QStringLiteral("ChkPrint"));
    auto* note = new QLabel(QStringLiteral("t-z Curves for Verification"), this);
    editDepths_ = new QPushButton(QStringLiteral("Edit Depths"), this);
    editDepths_->setObjectName(QStringLiteral("EditDepths"));
    grid->addWidget(print_, 0, 0);
    grid->addWidget(note, 1, 0);
    grid->setColumnMinimumWidth(0, note->sizeHint().width() + print_->iconSize().width());
    grid->addWidget(editDepths_, 0, 1, 2, 1);
    layout->addLayout(grid);

    close_ = AddCloseButton(layout);

    ConnectReportingErrors(print_, &QCheckBox::clicked, this, &TDlgTZPrint::ChkPrintClick);
    MarkModifiedOn(print_);
    ConnectReportingErrors(editDepths_, &QPushButton::clicked, this, &TDlgTZPrint::EditDepthsClick);
}

void TDlgTZPrint::ChkPrintClick() { editDepths_->setEnabled(print_->isChecked()); }

void TDlgTZPrint::EditDepthsClick() { MainForm().Tables().TblTZDepth().ShowEditor(); }

void TDlgTZPrint::LoadFromProject()
{
    const bool print = Data().PrintTzAtDepths == Flag::On;
    print_->setChecked(print);
    editDepths_->setEnabled(print);
}

void TDlgTZPrint::CommitToProject() { Data().PrintTzAtDepths = print_->isChecked() ? Flag::On : Flag::Off; }

} // namespace veldo
