#include "Options.h"

#include "DataEdit.h"
#include "FileDialogs.h"
#include "Messages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace veldo {

namespace {

// Lengths below this count as not set: the window shows 1 instead.
constexpr long double kNoIncrement = 1e-6L;

} // namespace

const QString TDlgOptions::BrowserFilter = QStringLiteral("Programs|*|All Files (*)|*");

TDlgOptions::TDlgOptions(TMainForm& main)
    : TInputWindow(main, QStringLiteral("Control Options")), browser_(ProgramFileBrowser(BrowserFilter))
{
    setObjectName(QStringLiteral("DlgOptions"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildPrintControls());
    layout->addWidget(BuildTextEditor());

    close_ = AddCloseButton(layout, QStringLiteral("Button4"));
}

QWidget* TDlgOptions::BuildPrintControls()
{
    auto* group = new QGroupBox(QStringLiteral("Print Controls"), this);
    auto* grid = new QGridLayout(group);

    incrementLabel_ = new QLabel(group);
    TDataEditDesign increment;
    increment.Caption = QStringLiteral("Length of each computation &increment ");
    increment.UnitsString = QStringLiteral("L2");
    increment.MinVal = 0.0L; // the pile is divided into increments of this length
    increment.MinExclusive = true;
    increment.MaxVal = 500.0L;
    increment.Text = QStringLiteral("1");
    increment_ = new TDataEdit(group, increment, incrementLabel_);
    increment_->setObjectName(QStringLiteral("DataEdit3"));
    grid->addWidget(incrementLabel_, 0, 0);
    grid->addWidget(increment_, 0, 1);

    auto* intervalLabel = new QLabel(group);
    TDataEditDesign interval;
    interval.Caption = QStringLiteral("&Print only every ");
    interval.MinVal = 1.0L;
    interval.MaxVal = 500.0L;
    interval.Text = QStringLiteral("1");
    interval_ = new TDataEdit(group, interval, intervalLabel);
    interval_->setObjectName(QStringLiteral("DataEdit2"));
    grid->addWidget(intervalLabel, 1, 0);
    grid->addWidget(interval_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("computation increment(s)"), group), 1, 2);

    MarkModifiedOn(increment_);
    MarkModifiedOn(interval_);
    return group;
}

QWidget* TDlgOptions::BuildTextEditor()
{
    auto* group = new QGroupBox(QStringLiteral("Text Editor"), this);
    auto* row = new QHBoxLayout(group);
    editor_ = new QLineEdit(QStringLiteral("C:\\Windows\\notepad.exe"), group);
    editor_->setObjectName(QStringLiteral("EdtWord"));
    browse_ = new QPushButton(QStringLiteral("&Browse..."), group);
    browse_->setObjectName(QStringLiteral("BtnBrowse"));
    row->addWidget(editor_, 1);
    row->addWidget(browse_);
    ConnectReportingErrors(browse_, &QPushButton::clicked, this, &TDlgOptions::BtnBrowseClick);
    return group;
}

void TDlgOptions::BtnBrowseClick() { BrowseInto(*editor_, browser_, this, TFileKind::Program); }

void TDlgOptions::LoadFromProject()
{
    interval_->SetNumber(Data().PrintInterval);
    const long double increment = Data().IncrementLength;
    LoadField(*increment_, increment < kNoIncrement ? 1.0L : increment);
    editor_->setText(MainForm().EditorPath());
}

void TDlgOptions::CommitToProject()
{
    const long double interval = interval_->GetNumber();
    const long double increment = increment_->GetNumber();
    MainForm().SetEditorPath(editor_->text());
    Data().PrintInterval = static_cast<int>(std::llround(interval));
    Data().IncrementLength = increment;
}

} // namespace veldo
