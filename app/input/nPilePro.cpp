#include "nPilePro.h"

#include "Messages.h"

#include <QGridLayout>
#include <QMdiSubWindow>
#include <QPushButton>

namespace veldo {

const QString TfrmNCsection::Caption = QStringLiteral("Noncircular Pile Properties");

namespace {

constexpr int NoncircularWindowTop = 30;

QLabel* AddText(QGridLayout& grid, int row, int column, const QString& text)
{
    auto* label = new QLabel(text, grid.parentWidget());
    grid.addWidget(label, row, column);
    return label;
}

} // namespace

TfrmNCsection::TfrmNCsection(TMainForm& main) : TInputWindow(main, Caption)
{
    setObjectName(QStringLiteral("frmNCsection"));
    const QString length = QStringLiteral("L2");
    DataEdit5 = MakeField(this, QStringLiteral("DataEdit5"), QStringLiteral("&Total Length, TL"), length);
    DataEdit1 =
        MakeField<TStickupEdit>(this, QStringLiteral("DataEdit1"), QStringLiteral("&Pile Stickup Length, PSL"), length);
    DataEdit6 =
        MakeField(this, QStringLiteral("DataEdit6"), QStringLiteral("Zero-&Friction Length from Ground, ZFL"), length);
    DataEdit3 = MakeField(this, QStringLiteral("DataEdit3"), QStringLiteral("&Perimeter for Noncircular Section "),
                          QStringLiteral("L1"));
    DataEdit4 = MakeField(this, QStringLiteral("DataEdit4"), QStringLiteral("Tip &Area for Noncircular Section "),
                          QStringLiteral("L²"));
    // The section needs both: a perimeter of 0 would also make the project read back
    // as circular.
    for (TDataEdit* field : {DataEdit3, DataEdit4}) {
        field->SetMinVal(0);
        field->SetMinExclusive(true);
    }

    auto* grid = new QGridLayout(this);
    PlaceFieldRow(*grid, 0, *DataEdit5, TPileSketch::TotalLength, QStringLiteral("Image2"));
    PlaceFieldRow(*grid, 1, *DataEdit1, TPileSketch::StickupLength, QStringLiteral("Image3"));
    PlaceFieldRow(*grid, 2, *DataEdit6, TPileSketch::ZeroFrictionLength, QStringLiteral("Image1"));
    PlaceFieldRow(*grid, 3, *DataEdit3);
    PlaceFieldRow(*grid, 4, *DataEdit4);
    grid->addWidget(MakeExamples(), 5, 0, 1, 3);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Button1"));
    grid->addWidget(close, 6, 2, Qt::AlignRight);
    ConnectReportingErrors(close, &QPushButton::clicked, this, &TInputWindow::CloseClick);

    for (TDataEdit* field : {DataEdit5, static_cast<TDataEdit*>(DataEdit1), DataEdit6, DataEdit3, DataEdit4})
        MarkModifiedOn(field);
}

QWidget* TfrmNCsection::MakeExamples()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    AddText(*grid, 0, 0, QStringLiteral("Examples:"));
    grid->addWidget(new TPilePicture(TPileSketch::SteelBeam, nullptr, box), 1, 0, 4, 1);
    AddText(*grid, 1, 1, QStringLiteral("P = 2(L1+L2)"));
    AddText(*grid, 2, 1, QStringLiteral("A = L1x L2"));
    AddText(*grid, 3, 1, QStringLiteral("For very soft clays, use:"));
    AddText(*grid, 4, 1, QStringLiteral("A = 2(L1xW1) + (L2 - 2xW1) x W2"));
    grid->addWidget(new TPilePicture(TPileSketch::SquareBeam, nullptr, box), 5, 0, 2, 1);
    AddText(*grid, 5, 1, QStringLiteral("P = 2(L1+L2)"));
    AddText(*grid, 6, 1, QStringLiteral("A = L1x L2"));
    return box;
}

void TfrmNCsection::LoadFromProject()
{
    if (QMdiSubWindow* frame = SubWindow())
        frame->move(frame->x(), NoncircularWindowTop);
    LoadFields(NumberFields());
}

void TfrmNCsection::CommitToProject() { StoreFields(NumberFields()); }

std::array<TInputWindow::TNumberField, 5> TfrmNCsection::NumberFields() const
{
    return {{{DataEdit1, &TProgramData::StickupLength},
             {DataEdit3, &TProgramData::Perimeter},
             {DataEdit4, &TProgramData::TipArea},
             {DataEdit5, &TProgramData::TotalLength},
             {DataEdit6, &TProgramData::ZeroFrictionLength}}};
}

namespace {

template <class TWindow> void FreeWindow(TMainForm& main)
{
    TWindow* window = FindInputWindow<TWindow>(main);
    if (!window)
        return;
    QWidget* frame = window->SubWindow() ? static_cast<QWidget*>(window->SubWindow()) : window;
    // Deleted later: the call may come from inside the MDI area's activation change.
    frame->hide();
    frame->deleteLater();
}

} // namespace

void FreeOtherShapeWindow(TMainForm& main)
{
    if (main.Data().Circular)
        FreeWindow<TfrmNCsection>(main);
    else
        FreeWindow<TfrmShaftpeneta>(main);
}

} // namespace veldo
