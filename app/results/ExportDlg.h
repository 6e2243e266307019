// The "Export to Excel" window: copies the chosen result plots into a spreadsheet
// workbook (a "Legend" sheet listing the plots, then per plot a data sheet
// "Page_" + k and a chart sheet "Plot_" + k) and opens it with the desktop's
// spreadsheet program.
#pragma once

#include "PlotResults.h"

#include <QDialog>
#include <QString>

#include <array>
#include <vector>

class QListWidget;
class QPushButton;

namespace veldo {

class IShell;

// Letters of a spreadsheet column numbered from 1: "A".."Z", "AA".."ZZ", "AAA"...
QString ColumnLetter(int column);

// Writes the workbook at `path` (replacing a file there) with the plots in the given
// order, numbered 1, 2, ... Returns an empty text on success, else the reason; a
// file that was at the path then stays as it was.
QString WriteExportWorkbook(const QString& path, const std::vector<const TGraphPlot*>& plots);

// Messages of the export.
QString WorkbookExistsText(const QString& path);                            // Yes / No question
QString WorkbookNotWrittenText(const QString& path, const QString& reason); // error box
QString WorkbookWrittenText(const QString& path);                           // no application opens the workbook

// The modal export window. Its check list holds the ten result plots in the order of
// the Graphics menu; only plots whose Graphics item is enabled can be chosen.
class TDlgExport : public QDialog {
    Q_OBJECT
public:
    static const QString WindowCaption; // "Export to Excel"

    TDlgExport(const TResultPlots& plots, IShell& shell, QWidget* parent = nullptr);

    // Activation: every entry shows its plot's caption and is enabled and checked
    // exactly when the plot's Graphics item is enabled.
    void FormActivate(const std::array<bool, ResultPlotCount>& available);
    // Where "Generate Excel File" writes the workbook.
    void SetWorkbookPath(const QString& path) { workbookPath_ = path; }

    // Check / uncheck every enabled entry.
    void SelectAllClick();
    void UnselectAllClick();
    // Writes the checked plots into the workbook and opens it: an existing workbook
    // is replaced only when the user answers Yes; a failure is shown in an error box,
    // a workbook no application opens in an information box naming it. Returns
    // whether the workbook was written.
    bool GenerateClick();

    QListWidget* PlotList() const { return list_; }
    QPushButton* GenerateButton() const { return generate_; }
    // Plots whose entries are checked, in list order.
    std::vector<const TGraphPlot*> CheckedPlots() const;

private:
    void buildLayout();
    void setAllChecks(bool checked);
    void updateGenerateButton();

    const TResultPlots& plots_;
    IShell& shell_;
    QString workbookPath_;
    QListWidget* list_ = nullptr;     // child of this window
    QPushButton* generate_ = nullptr; // child of this window
};

// The Graphics menu's "Export Plots to Excel": shows the export window of `owner`
// (created on first use as its child) modally, activated with the plots' availability
// and writing to `workbookPath`.
void ExecExportDialog(QWidget& owner, const TResultPlots& plots, IShell& shell,
                      const std::array<bool, ResultPlotCount>& available, const QString& workbookPath);

} // namespace veldo
