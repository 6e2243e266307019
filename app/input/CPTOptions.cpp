#include "CPTOptions.h"
#include "MessageCatalogue.h"

#include "DataEdit.h"
#include "DataUnit.h"
#include "FileDialogs.h"
#include "FilePaths.h"
#include "Launchers.h"
#include "Messages.h"
#include "PlotForm.h"
#include "ProjectTables.h"
#include "WordRead.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace veldo {

namespace {

// Nearest integer, kept within the range of int.
int RoundToInt(long double value)
{
    if (std::isnan(value))
        return 0;
    const long double low = std::numeric_limits<int>::min();
    const long double high = std::numeric_limits<int>::max();
    return static_cast<int>(std::llround(std::clamp(value, low, high)));
}

// The reader's failure with the position it stopped at: a word that is not a number
// names its line and item already; running out of lines names the line and item
// that were asked for.
EInOutError WithPosition(const EInOutError& error, const TWordReader& in)
{
    const std::string message = error.what();
    if (message.starts_with("Error on Line "))
        return error;
    return EInOutError(MsgStd(TMsg::ErrorOnLine, QString::number(in.LineNumber()), QString::number(in.ItemNumber() + 1),
                              QString::fromStdString(message)));
}

QLabel* Note(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

std::vector<TFloatPoint> ReadPoints(TWordReader& in, const TCptReadSettings& settings, TCptConversion conversion)
{
    const int values = std::max(settings.valuesPerLine, 2);
    std::vector<TFloatPoint> points;
    try {
        for (int i = 0; i < settings.headerLines; ++i)
            in.ReadLine();
        for (int i = 0; i < settings.dataLines; ++i) {
            TFloatPoint point;
            point.Y = in.ReadFloat();
            point.X = CptProfileValue(in.ReadFloat(), conversion, settings);
            for (int v = 2; v < values; ++v)
                in.ReadFloat(); // counted, not used
            in.ReadLine();      // the rest of the line
            points.push_back(point);
        }
    } catch (const EInOutError& error) {
        throw WithPosition(error, in);
    }
    return points;
}

} // namespace

// ---- Reading a CPT text data file -----------------------------------------------

std::vector<TFloatPoint> ReadCptPoints(const std::filesystem::path& file, const TCptReadSettings& settings,
                                       TCptConversion conversion)
{
    TWordReader in(file);
    return ReadPoints(in, settings, conversion);
}

std::vector<TFloatPoint> ReadCptPointsFromText(const std::string& text, const TCptReadSettings& settings,
                                               TCptConversion conversion)
{
    TWordReader in = TWordReader::FromText(text);
    return ReadPoints(in, settings, conversion);
}

namespace {

bool ShowAfresh(TMainForm& main, TGraphPlot& plot)
{
    if (TPlotForm* open = plot.PlotWindow()) {
        // A window keeps the scales and legend of the points it was made for.
        if (auto* frame = qobject_cast<QMdiSubWindow*>(open->parentWidget()))
            delete frame;
        else
            delete open;
    }
    plot.SetMdiArea(main.MdiArea());
    return plot.Execute();
}

} // namespace

bool ShowCPTProfilePlot(TMainForm& main) { return ShowAfresh(main, main.Tables().MotionInput()); }

bool ShowCPTViewPlot(TMainForm& main, TCptConversion conversion)
{
    main.Tables().ShowCptAs(conversion, main.Data().UnitSystem);
    return ShowAfresh(main, main.Tables().CptView());
}

// ---- The window ------------------------------------------------------------------

const QString TDlgInputMotion::Caption = QStringLiteral("Data of Cone Penetration Test");
const QString TDlgInputMotion::BrowseFilter =
    QStringLiteral("CPT records (*.txt *.acc)|*.txt;*.acc|All Files (*.*)|*.*");
const QString TDlgInputMotion::ReadErrorText = MessageText(TMsg::CptReadError);

TDlgInputMotion::TDlgInputMotion(TMainForm& main)
    : TInputWindow(main, Caption), browser_(StandardFileBrowser(BrowseFilter))
{
    setObjectName(QStringLiteral("DlgInputMotion"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFileGroup());
    layout->addWidget(BuildReadGroup());
    layout->addWidget(BuildGraphicsGroup());

    close_ = Button(this, QStringLiteral("CloseButton"), QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    ConnectReportingErrors(close_, &QPushButton::clicked, this, &TInputWindow::CloseClick);
}

QWidget* TDlgInputMotion::BuildFileGroup()
{
    auto* group = new QWidget(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    fileName_ = new QLineEdit(group);
    fileName_->setObjectName(QStringLiteral("FileNameEdit"));
    auto* label = new QLabel(QStringLiteral("Name of file for input cone data"), group);
    label->setBuddy(fileName_);
    browse_ = Button(group, QStringLiteral("BrowseButton"), QStringLiteral("&Browse..."));
    editFile_ = Button(group, QStringLiteral("EditFileButton"), QStringLiteral("Edit File"));
    grid->addWidget(label, 0, 0, 1, 3);
    grid->addWidget(fileName_, 1, 0);
    grid->addWidget(browse_, 1, 1);
    grid->addWidget(editFile_, 1, 2);

    // The file name and the three counts say how to read a text file; they are not
    // saved with the project and do not mark it modified.
    connect(fileName_, &QLineEdit::textChanged, this,
            [this](const QString& text) { editFile_->setEnabled(!text.trimmed().isEmpty()); });
    editFile_->setEnabled(false);
    ConnectReportingErrors(browse_, &QPushButton::clicked, this, &TDlgInputMotion::BrowseClick);
    ConnectReportingErrors(editFile_, &QPushButton::clicked, this, &TDlgInputMotion::EditFileClick);
    return group;
}

TDataEdit* TDlgInputMotion::AddField(QWidget* parent, const QString& name, const QString& caption, long double minVal,
                                     long double maxVal, QLabel*& label)
{
    label = new QLabel(parent);
    label->setWordWrap(true);
    TDataEditDesign design;
    design.Caption = caption;
    design.MinVal = minVal;
    design.MaxVal = maxVal;
    design.Text = QStringLiteral("%1").arg(static_cast<int>(std::max(minVal, 0.0L)));
    auto* field = new TDataEdit(parent, design, label);
    field->setObjectName(name);
    return field;
}

QWidget* TDlgInputMotion::BuildReadGroup()
{
    auto* group = new QWidget(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    QLabel* label = nullptr;
    int row = 0;
    const auto place = [&](TDataEdit* field) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };

    dataLines_ = AddField(group, QStringLiteral("DataLinesEdit"),
                          QStringLiteral("Number of data lines to be read from the file"), 2.0L,
                          static_cast<long double>(MaxDataLines), label);
    place(dataLines_);
    headerLines_ = AddField(group, QStringLiteral("HeaderLinesEdit"),
                            QStringLiteral("Number of header lines in file containing cone data"), 0.0L, 50.0L, label);
    place(headerLines_);
    valuesPerLine_ =
        AddField(group, QStringLiteral("ValuesPerLineEdit"),
                 QStringLiteral("Number of data columns per line to be read from the data file"), 2.0L, 20.0L, label);
    place(valuesPerLine_);
    grid->addWidget(Note(group, QStringLiteral("( The first two columns are reserved for Depth and  Qc )")), row++, 0,
                    1, 2);
    ua_ = AddField(group, QStringLiteral("UaEdit"), QStringLiteral("Unit conversion factor for stress, Ua"),
                   DefaultMinVal(), 1E+100L, label);
    ua_->setText(QStringLiteral("1"));
    place(ua_);
    grid->addWidget(Note(group, QStringLiteral("( ksf is required for English units and kPa is used for S.I. units)")),
                    row++, 0, 1, 2);
    grid->addWidget(Note(group, QStringLiteral("(Ex. Ua=1000 if MPa instead of kPa is used in the field CPT data.)")),
                    row++, 0, 1, 2);
    return group;
}

QWidget* TDlgInputMotion::BuildGraphicsGroup()
{
    auto* group = new QWidget(this);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(0, 0, 0, 0);
    qc_ = Button(group, QStringLiteral("QcButton"), QStringLiteral("Qc versus depth"));
    spt_ = Button(group, QStringLiteral("SptButton"), QStringLiteral("Converted SPT versus depth"));
    su_ = Button(group, QStringLiteral("SuButton"), QStringLiteral("Converted Su versus depth"));
    for (const auto& [button, conversion] : {std::pair{qc_, TCptConversion::Qc}, std::pair{spt_, TCptConversion::Spt},
                                             std::pair{su_, TCptConversion::Su}}) {
        row->addWidget(button);
        ConnectReportingErrors(button, &QPushButton::clicked, this,
                               [this, conversion = conversion] { GraphicsClick(conversion); });
    }
    return group;
}

void TDlgInputMotion::LoadFromProject()
{
    const TProgramData& data = Data();
    fileName_->setText(data.CptDataFileName);
    editFile_->setEnabled(!fileName_->text().trimmed().isEmpty());
    for (const auto& [field, entry] : CountFields()) {
        LoadField(*field, data.Integers[static_cast<std::size_t>(entry)]);
        loadedCounts_[field] = field->GetNumber();
    }
    ua_->SetUnits(data.UnitSystem); // not stored: keeps its number
}

std::array<std::pair<TDataEdit*, int>, 3> TDlgInputMotion::CountFields() const
{
    return {{{dataLines_, kCptDataLinesEntry},
             {headerLines_, kCptHeaderLinesEntry},
             {valuesPerLine_, kCptValuesPerLineEntry}}};
}

void TDlgInputMotion::CommitToProject()
{
    TProgramData& data = Data();
    data.CptDataFileName = fileName_->text();
    // A count the field showed within its bounds (a stored 0 shows as the minimum)
    // is stored only when the user changed it.
    for (const auto& [field, entry] : CountFields()) {
        const long double shown = field->GetNumber();
        if (shown != loadedCounts_[field])
            data.Integers[static_cast<std::size_t>(entry)] = RoundToInt(shown);
    }
}

bool TDlgInputMotion::FieldsValid()
{
    for (TDataEdit* field : {dataLines_, headerLines_, valuesPerLine_, ua_})
        if (!ValidateDataEdit(field))
            return false;
    return true;
}

TCptReadSettings TDlgInputMotion::Settings() const
{
    TCptReadSettings settings;
    settings.dataLines = RoundToInt(dataLines_->GetNumber());
    settings.headerLines = RoundToInt(headerLines_->GetNumber());
    settings.valuesPerLine = RoundToInt(valuesPerLine_->GetNumber());
    settings.ua = ua_->GetNumber();
    settings.units = Data().UnitSystem;
    return settings;
}

bool TDlgInputMotion::Read(TCptConversion conversion, const QString& fileName, bool showMessages)
{
    if (fileName.trimmed().isEmpty()) {
        Messages().Information(Msg(TMsg::CptFileNotNamed));
        return false;
    }
    if (!QFileInfo::exists(fileName)) {
        Messages().Information(Msg(TMsg::CptFileMissing, fileName));
        return false;
    }
    const TCptReadSettings settings = Settings();
    std::vector<TFloatPoint> points;
    try {
        // The profile is always cone resistance; the other readings are views of it.
        points = ReadCptPoints(FileSystemPath(fileName), settings, TCptConversion::Qc);
    } catch (const EInOutError& error) {
        if (showMessages)
            Messages().Information(ReadErrorText + QLatin1Char('\r') + fileName + QLatin1Char('\r') +
                                   QString::fromStdString(error.what()));
        return false;
    }
    // Only a complete read replaces the profile.
    const TProjectState before = ProjectState(Data(), MainForm().Tables());
    SetCptProfile(MainForm().Tables().MotionInput(), std::move(points), settings.units);
    Data().Integers[kCptPointCountEntry] = settings.dataLines;
    if (ProjectState(Data(), MainForm().Tables()) != before)
        MainForm().SetModified(true);
    if (conversion != TCptConversion::Qc)
        MainForm().Tables().ShowCptAs(conversion, settings.units);
    return true;
}

bool TDlgInputMotion::ReadMotionData(const QString& fileName, bool showMessages)
{
    return Read(TCptConversion::Qc, fileName, showMessages);
}

bool TDlgInputMotion::ReadMotionDataSPT(const QString& fileName, bool showMessages)
{
    return Read(TCptConversion::Spt, fileName, showMessages);
}

bool TDlgInputMotion::ReadMotionDataSu(const QString& fileName, bool showMessages)
{
    return Read(TCptConversion::Su, fileName, showMessages);
}

void TDlgInputMotion::BrowseClick() { BrowseInto(*fileName_, browser_, this, TFileKind::CptData); }

void TDlgInputMotion::EditFileClick()
{
    LaunchEditor(MainForm().Shell(), MainForm().EditorPath(), QFileInfo(fileName_->text()).absoluteFilePath());
}

void TDlgInputMotion::GraphicsClick(TCptConversion conversion)
{
    if (!FieldsValid())
        return;
    Commit();
    const QString fileName = fileName_->text();
    bool read = false;
    switch (conversion) {
    case TCptConversion::Qc:
        read = ReadMotionData(fileName, true);
        break;
    case TCptConversion::Spt:
        read = ReadMotionDataSPT(fileName, true);
        break;
    case TCptConversion::Su:
        read = ReadMotionDataSu(fileName, true);
        break;
    }
    if (!read)
        return;
    if (conversion == TCptConversion::Qc)
        ShowCPTProfilePlot(MainForm());
    else
        ShowCPTViewPlot(MainForm(), conversion);
}

} // namespace veldo
