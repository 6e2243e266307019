// The main window's children: the commit of the active child before a command,
// the soil tables' columns and editor, the result plots and the Window commands.
#include "Main.h"

#include "InputCodes.h"
#include "Messages.h"
#include "Table.h"
#include "TableForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace veldo {
namespace {

constexpr QChar CR = QLatin1Char('\r');

const QString ClayComment =
    QStringLiteral("Remolded Shear Strength is only used for open-ended pipe piles to compute\r"
                   "the resistance in skin friction along the inner surface of the pipe as the\r"
                   "soil plug enters the pipe.  A reduced strength may account for the fact\r"
                   "that the internal plug may be highly disturbed as it enters the pile.");
const QString OffshoreClayNote = QStringLiteral("PI and YSR are required only for Offshore-Pile Design Methods.");

// Shows the columns of a property table in the layout of `soilType` that the project's
// soil tables show.
void ShowUsedColumns(TGridTable& table, const TProgramData& data, int soilType)
{
    for (int column = 0; column < table.ColumnCount(); ++column)
        table.Column(column).visible = SoilPropertyUse(data, soilType, column).columnShown;
}

// The same for the property table of every sand, clay and silt layer.
void ShowLayerColumns(const TProjectTables& tables, const TProgramData& data)
{
    for (int row = 0; row < tables.D().RowCount(); ++row) {
        TGridTable* layer = tables.LayerTable(row);
        const int type = tables.D().Cell(kLayerSoilType, row).AsInteger();
        if (layer && type >= SoilType::Sand && type <= SoilType::Silt)
            ShowUsedColumns(*layer, data, type);
    }
}

} // namespace

// ---- The active child ------------------------------------------------------------

void TMainForm::CloseAllChildren()
{
    mdi_->closeAllSubWindows();
    for (QMdiSubWindow* child : mdi_->subWindowList())
        delete child; // a child that refused to close goes with its project
}

bool TMainForm::DeactivateActiveChild()
{
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (!active)
        return true;
    if (auto* input = dynamic_cast<IInputWindow*>(active->widget()))
        return input->FormDeactivate();
    if (auto* editor = qobject_cast<TTableForm*>(active->widget()))
        return editor->CommitCurrentCell();
    return true;
}

void TMainForm::RunCommand(const std::function<void()>& command)
{
    // A command that fails shows why in one box; the project keeps what it did before.
    RunReportingErrors([this, &command] {
        if (DeactivateActiveChild())
            command();
    });
}

void TMainForm::ConnectCommand(QAction* action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] { RunCommand(command); });
}

void TMainForm::CommitActiveChildQuietly()
{
    // Table cells decide no menu state: a table editor commits with the command.
    QMdiSubWindow* active = mdi_->activeSubWindow();
    auto* input = active ? dynamic_cast<IInputWindow*>(active->widget()) : nullptr;
    if (input && input->EntriesAcceptable())
        input->FormDeactivate();
}

// ---- Soil tables -----------------------------------------------------------------

void TMainForm::VisibleOffshoreColumns()
{
    ShowUsedColumns(tables_->tblDataSand(), data_, SoilType::Sand);
    ShowUsedColumns(tables_->tblDataClay(), data_, SoilType::Clay);
    ShowUsedColumns(tables_->tblDataSilt(), data_, SoilType::Silt);
    ShowLayerColumns(*tables_, data_);
    tables_->tblDataClay().Comments = data_.OffshoreMethodsOn() ? OffshoreClayNote + CR + ClayComment : ClayComment;
}

void TMainForm::SoilLayerTableClick()
{
    if (DeactivateActiveChild())
        ShowSoilLayerTable();
}

void TMainForm::ShowSoilLayerTable()
{
    ShowLayerColumns(*tables_, data_);
    tables_->D().ShowEditor();
}

// ---- Result plots ----------------------------------------------------------------

void TMainForm::ShowResultPlot(TResultPlot which)
{
    if (DeactivateActiveChild())
        ShowPlot(which);
}

void TMainForm::ShowPlot(TResultPlot which)
{
    if (!ResultsAvailable()) {
        // The plot-data file is gone: what the plots hold is no longer a result.
        CheckSpeedButtons();
        return;
    }
    plots_->Plot(which).Execute();
}

// ---- Window menu ----------------------------------------------------------------

void TMainForm::CascadeClick() { mdi_->cascadeSubWindows(); }

void TMainForm::ArrangeIconsClick()
{
    // Minimized children in a row along the bottom of the area.
    int x = 0;
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        if (!child->isMinimized())
            continue;
        const QSize size = child->size();
        if (x > 0 && x + size.width() > mdi_->viewport()->width())
            x = 0;
        child->move(x, mdi_->viewport()->height() - size.height());
        x += size.width();
    }
}

} // namespace veldo
