#include "ExportDlg.h"
#include "MessageCatalogue.h"

#include "AnalysisRun.h"
#include "FilePaths.h"
#include "Launchers.h"
#include "Messages.h"
#include "NumText.h"
#include "PlotScale.h"
#include "SafeWrite.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace veldo {

const QString TDlgExport::WindowCaption = QStringLiteral("Export to Excel");

QString ColumnLetter(int column)
{
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

namespace {

// Texts of the legend sheet's header row, blanks included: they set the column widths.
constexpr std::array<const char*, 5> LegendHeader{
    "     N    ",
    "                             Plot Name                             ",
    "  Sheet Name  ",
    "  Chart Name  ",
    "          Status          ",
};
constexpr lxw_row_t LegendHeaderRow = 1; // row 2
constexpr lxw_col_t LegendFirstCol = 1;  // column B
constexpr lxw_row_t FirstDataRow = 5;    // row 6 of a data sheet

class TWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

std::string intText(int value)
{
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

std::string sheetName(const char* prefix, int k) { return prefix + intText(k); }

int maxPointCount(const TGraphPlot& plot)
{
    int n = 0;
    for (const TLine& line : plot.Curves)
        n = std::max(n, line.PointCount());
    return n;
}

// Builds one workbook with libxlsxwriter. The file is written when the writer closes;
// a step that fails stops the export and leaves what was done for the close.
class TWorkbookWriter {
public:
    explicit TWorkbookWriter(const std::string& path) : book_(workbook_new(path.c_str()))
    {
        if (!book_)
            throw TWriteError("Cannot create the workbook " + path);
    }
    ~TWorkbookWriter()
    {
        if (book_)
            workbook_close(book_);
    }
    TWorkbookWriter(const TWorkbookWriter&) = delete;
    TWorkbookWriter& operator=(const TWorkbookWriter&) = delete;

    // Closes the workbook, writing the file.
    void Close()
    {
        const lxw_error error = workbook_close(std::exchange(book_, nullptr));
        check(error);
    }

    void WriteLegend(int plotCount)
    {
        legend_ = addWorksheet("Legend");
        lxw_format* header = workbook_add_format(book_);
        format_set_bold(header);
        format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
        for (std::size_t i = 0; i < LegendHeader.size(); ++i) {
            const auto col = static_cast<lxw_col_t>(LegendFirstCol + i);
            const std::string text = LegendHeader[i];
            check(worksheet_write_string(legend_, LegendHeaderRow, col, text.c_str(), header));
            // The columns fit their contents when the header is all they hold.
            check(worksheet_set_column(legend_, col, col, static_cast<double>(text.size()), nullptr));
        }
        for (int k = 1; k <= plotCount; ++k)
            check(worksheet_write_number(legend_, legendRow(k), LegendFirstCol, k, nullptr));
    }

    void WritePlot(int k, const TGraphPlot& plot)
    {
        writeLegendText(k, 2, utf8(plot.Caption));
        if (maxPointCount(plot) == 0) {
            // Nothing to tabulate or draw: the plot keeps its number and row, without sheets.
            writeLegendText(k, 5, "No data");
            return;
        }
        const std::string page = sheetName("Page_", k);
        const std::string chartName = sheetName("Plot_", k);
        const QString xTitle = AxisTitle(plot.XCaption, plot.XUnits, plot.Units());
        const QString yTitle = AxisTitle(plot.YCaption, plot.YUnits, plot.Units());

        check(worksheet_write_url_opt(legend_, legendRow(k), 3, ("internal:" + page + "!A1").c_str(), nullptr,
                                      page.c_str(), nullptr));
        writeLegendText(k, 4, chartName);
        writeLegendText(k, 5, "In Progress, Data");

        lxw_worksheet* sheet = addWorksheet(page);
        check(worksheet_write_url_opt(sheet, 0, 6, "internal:Legend!A1", nullptr, "Go to Legend Page", nullptr));
        writeData(sheet, plot, xTitle, yTitle);

        writeLegendText(k, 5, "In Progress, Chart");
        writeChart(page, chartName, plot, xTitle, yTitle);
        writeLegendText(k, 5, "Complete");
    }

private:
    static lxw_row_t legendRow(int k) { return static_cast<lxw_row_t>(k + 1); } // row k + 2

    static void check(lxw_error error)
    {
        if (error != LXW_NO_ERROR)
            throw TWriteError(lxw_strerror(error));
    }

    lxw_worksheet* addWorksheet(const std::string& name)
    {
        lxw_worksheet* sheet = workbook_add_worksheet(book_, name.c_str());
        if (!sheet)
            throw TWriteError("Cannot add the sheet " + name);
        return sheet;
    }

    void writeLegendText(int k, lxw_col_t col, const std::string& text)
    {
        check(worksheet_write_string(legend_, legendRow(k), col, text.c_str(), nullptr));
    }

    static void writeText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const QString& text)
    {
        check(worksheet_write_string(sheet, row, col, utf8(text).c_str(), nullptr));
    }

    // A point value as its shortest text gives it: a number cell, or the text itself
    // for a value that is not finite.
    static void writeValue(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, long double value)
    {
        const std::string text = formatGeneral(value, 15);
        if (const std::optional<long double> number = parseFloat(text))
            check(worksheet_write_number(sheet, row, col, static_cast<double>(*number), nullptr));
        else
            check(worksheet_write_string(sheet, row, col, text.c_str(), nullptr));
    }

    // A1 caption; rows 2-3 the axis titles; per curve two columns: row 4 the name,
    // row 5 "X" and "Y", then one row per point.
    static void writeData(lxw_worksheet* sheet, const TGraphPlot& plot, const QString& xTitle, const QString& yTitle)
    {
        writeText(sheet, 0, 0, plot.Caption);
        writeText(sheet, 1, 0, QStringLiteral("X"));
        writeText(sheet, 1, 1, xTitle);
        writeText(sheet, 2, 0, QStringLiteral("Y"));
        writeText(sheet, 2, 1, yTitle);
        for (std::size_t c = 0; c < plot.Curves.size(); ++c) {
            const TLine& line = plot.Curves[c];
            const auto xCol = static_cast<lxw_col_t>(2 * c);
            writeText(sheet, 3, xCol, line.GetName());
            writeText(sheet, 4, xCol, QStringLiteral("X"));
            writeText(sheet, 4, xCol + 1, QStringLiteral("Y"));
            for (std::size_t j = 0; j < line.Points.size(); ++j) {
                const auto row = static_cast<lxw_row_t>(FirstDataRow + j);
                writeValue(sheet, row, xCol, line.Points[j].X);
                writeValue(sheet, row, xCol + 1, line.Points[j].Y);
            }
        }
    }

    // An XY scatter chart with lines and markers, one series per curve in the colour
    // the plot's window gives it; no title; axis titles and major gridlines; the value
    // axis reversed for plots drawn with the X axis on top (the depth profiles).
    void writeChart(const std::string& page, const std::string& name, const TGraphPlot& plot, const QString& xTitle,
                    const QString& yTitle)
    {
        lxw_chart* chart = workbook_add_chart(book_, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
        if (!chart)
            throw TWriteError("Cannot add the chart " + name);
        const int lastRow = static_cast<int>(FirstDataRow) + maxPointCount(plot);
        for (std::size_t c = 0; c < plot.Curves.size(); ++c)
            addSeries(chart, page, static_cast<int>(c), lastRow, CurveColor(plot, c));
        chart_title_off(chart);
        const std::string xText = utf8(xTitle);
        const std::string yText = utf8(yTitle);
        chart_axis_set_name(chart->x_axis, xText.c_str());
        chart_axis_set_name(chart->y_axis, yText.c_str());
        chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
        chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
        if (plot.XOnTop)
            chart_axis_set_reverse(chart->y_axis);

        lxw_chartsheet* sheet = workbook_add_chartsheet(book_, name.c_str());
        if (!sheet)
            throw TWriteError("Cannot add the sheet " + name);
        check(chartsheet_set_chart(sheet, chart));
    }

    // Series of curve c (from 0): its name from row 4, X and Y from rows 6 to lastRow
    // of its two columns; line and markers in the curve's colour.
    static void addSeries(lxw_chart* chart, const std::string& page, int c, int lastRow, const QColor& colour)
    {
        const auto range = [&](int column) {
            const std::string letter = utf8(ColumnLetter(column));
            return "=" + page + "!$" + letter + "$6:$" + letter + "$" + intText(lastRow);
        };
        const std::string xValues = range(2 * c + 1);
        const std::string yValues = range(2 * c + 2);
        lxw_chart_series* series = chart_add_series(chart, xValues.c_str(), yValues.c_str());
        if (!series)
            throw TWriteError("Cannot add a series to the chart");
        chart_series_set_name_range(series, page.c_str(), 3, static_cast<lxw_col_t>(2 * c));
        lxw_chart_line line{};
        line.color = workbookColor(colour);
        chart_series_set_line(series, &line);
        lxw_chart_fill fill{};
        fill.color = line.color;
        chart_series_set_marker_line(series, &line);
        chart_series_set_marker_fill(series, &fill);
    }

    // The library reads the colour 0 as "not set": black has its own code.
    static lxw_color_t workbookColor(const QColor& colour)
    {
        const auto rgb = static_cast<lxw_color_t>(colour.rgb() & 0xFFFFFFu);
        return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
    }

    lxw_workbook* book_ = nullptr;
    lxw_worksheet* legend_ = nullptr; // owned by book_
};

} // namespace

QString WriteExportWorkbook(const QString& path, const std::vector<const TGraphPlot*>& plots)
{
    // Written beside the workbook and put in its place only when complete: a failed
    // export leaves an earlier workbook as it was.
    const std::filesystem::path target = FileSystemPath(path);
    const std::filesystem::path temporary = TemporaryPathBeside(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return QString::fromStdString(SystemErrorText(errno));
    ::close(fd);
    try {
        // The library formats numbers with the C library: "." whatever the user's locale.
        const TNumericLocaleGuard pointDecimals;
        TWorkbookWriter writer(temporary.string());
        writer.WriteLegend(static_cast<int>(plots.size()));
        int k = 0;
        for (const TGraphPlot* plot : plots)
            writer.WritePlot(++k, *plot);
        writer.Close();
    } catch (const TWriteError& error) {
        ::unlink(temporary.c_str());
        return QString::fromUtf8(error.what());
    }
    if (const auto failure = ReplaceFilesTogether({{temporary, target}}))
        return QString::fromStdString(failure->reason);
    return {};
}

QString WorkbookExistsText(const QString& path) { return Msg(TMsg::WorkbookExists, path); }

QString WorkbookNotWrittenText(const QString& path, const QString& reason)
{
    return Msg(TMsg::WorkbookNotWritten, path, reason);
}

QString WorkbookWrittenText(const QString& path) { return Msg(TMsg::WorkbookWritten, path); }

// ---- The window ---------------------------------------------------------------------

TDlgExport::TDlgExport(const TResultPlots& plots, IShell& shell, QWidget* parent)
    : QDialog(parent), plots_(plots), shell_(shell)
{
    setObjectName(QStringLiteral("DlgExport"));
    setWindowTitle(WindowCaption);
    buildLayout();
}

void TDlgExport::buildLayout()
{
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("PlotList"));
    for (int i = 0; i < ResultPlotCount; ++i) {
        auto* item = new QListWidgetItem(list_);
        item->setFlags(Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(list_, &QListWidget::itemChanged, this, [this] { updateGenerateButton(); });

    auto* note = new QLabel(QStringLiteral("An Excel instance (if available) will open. "), this);
    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* selectAll = button("SelectAll", QStringLiteral("Select All"));
    QPushButton* unselectAll = button("UnselectAll", QStringLiteral("Unselect All"));
    generate_ = button("Generate", QStringLiteral("Generate Excel File"));
    QPushButton* close = button("CloseWindow", QStringLiteral("Close Window"));
    ConnectReportingErrors(selectAll, &QPushButton::clicked, this, &TDlgExport::SelectAllClick);
    ConnectReportingErrors(unselectAll, &QPushButton::clicked, this, &TDlgExport::UnselectAllClick);
    ConnectReportingErrors(generate_, &QPushButton::clicked, this, &TDlgExport::GenerateClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {selectAll, unselectAll, generate_, close})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(note);
    layout->addLayout(buttons);
    updateGenerateButton();
}

void TDlgExport::FormActivate(const std::array<bool, ResultPlotCount>& available)
{
    for (int i = 0; i < ResultPlotCount; ++i) {
        QListWidgetItem* item = list_->item(i);
        const bool on = available[static_cast<std::size_t>(i)];
        item->setText(plots_.Plot(static_cast<TResultPlot>(i)).Caption);
        item->setFlags(on ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::ItemIsUserCheckable);
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    updateGenerateButton();
}

void TDlgExport::setAllChecks(bool checked)
{
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        if (item->flags().testFlag(Qt::ItemIsEnabled))
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    updateGenerateButton();
}

void TDlgExport::SelectAllClick() { setAllChecks(true); }

void TDlgExport::UnselectAllClick() { setAllChecks(false); }

std::vector<const TGraphPlot*> TDlgExport::CheckedPlots() const
{
    std::vector<const TGraphPlot*> plots;
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        if (item->flags().testFlag(Qt::ItemIsEnabled) && item->checkState() == Qt::Checked)
            plots.push_back(&plots_.Plot(static_cast<TResultPlot>(i)));
    }
    return plots;
}

void TDlgExport::updateGenerateButton() { generate_->setEnabled(!CheckedPlots().empty()); }

bool TDlgExport::GenerateClick()
{
    const std::vector<const TGraphPlot*> plots = CheckedPlots();
    if (plots.empty())
        return false;
    const QString path = QFileInfo(workbookPath_).absoluteFilePath();
    if (QFileInfo::exists(path) &&
        Messages().Question(WorkbookExistsText(path), TQuestionButtons::YesNo) != TMessageAnswer::Yes)
        return false;
    const QString error = WriteExportWorkbook(path, plots);
    if (!error.isEmpty()) {
        Messages().Error(WorkbookNotWrittenText(path, error));
        return false;
    }
    // Written is done; a desktop without a spreadsheet program learns where and why.
    shell_.OpenUrl(QUrl::fromLocalFile(path), [path](const QString& reason) {
        Messages().Information(WorkbookWrittenText(path) + QLatin1Char('\r') + LaunchFailureLine(path, reason));
    });
    return true;
}

void ExecExportDialog(QWidget& owner, const TResultPlots& plots, IShell& shell,
                      const std::array<bool, ResultPlotCount>& available, const QString& workbookPath)
{
    auto* dialog = owner.findChild<TDlgExport*>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new TDlgExport(plots, shell, &owner);
    dialog->SetWorkbookPath(workbookPath);
    dialog->FormActivate(available);
    dialog->exec();
}

} // namespace veldo
