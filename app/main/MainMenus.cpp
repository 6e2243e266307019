// The main window's menus and toolbar: building them, and the enabling and check
// states set when a menu opens or the project or its results change.
#include "Main.h"

#include "About.h"
#include "Block.h"
#include "CPTOptions.h"
#include "ExportDlg.h"
#include "InputCodes.h"
#include "Messages.h"
#include "Options.h"
#include "PileSide.h"
#include "SoilLayers.h"
#include "TZPrint.h"
#include "Title.h"
#include "ToolIcons.h"
#include "compmeth.h"
#include "cpilepro.h"
#include "nPilePro.h"
#include "pilemat.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <type_traits>

namespace veldo {
namespace {

QString MenuSafe(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

// A menu item that opens an input window (created on first use, then brought forward).
template <class TWindow>
QAction* AddWindowItem(TMainForm& main, QMenu* menu, const QString& name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    main.ConnectCommand(item, [&main] { ShowInputWindow<TWindow>(main); });
    return item;
}

} // namespace

// ---- Enabling and check states ---------------------------------------------------

void TMainForm::UpdatePileShapeControls()
{
    Action(QStringLiteral("OptionsCircular"))->setChecked(data_.Circular);
    Action(QStringLiteral("OptionsNonCircular"))->setChecked(!data_.Circular);
    for (const QString& name : {QStringLiteral("DataCircular"), QStringLiteral("SpeedButton14")})
        Action(name)->setEnabled(data_.Circular);
    for (const QString& name : {QStringLiteral("DataNoncircular"), QStringLiteral("SpeedButton15")})
        Action(name)->setEnabled(!data_.Circular);
    FreeOtherShapeWindow(*this);
}

void TMainForm::WindowMenuClick()
{
    CommitActiveChildQuietly();
    const QList<QMdiSubWindow*> children = mdi_->subWindowList();
    for (int i = 0; i < static_cast<int>(windowItems_.size()); ++i) {
        QAction* item = windowItems_[static_cast<std::size_t>(i)];
        const bool shown = i < children.size();
        item->setVisible(shown);
        if (shown)
            item->setText(MenuSafe(children[i]->windowTitle()));
    }
    windowSeparator_->setVisible(!children.isEmpty());
}

void TMainForm::FileMenuClick()
{
    CommitActiveChildQuietly();
    const QString current = QDir::currentPath();
    for (int i = 0; i < static_cast<int>(recentItems_.size()); ++i) {
        QAction* item = recentItems_[static_cast<std::size_t>(i)];
        const bool shown = i < recent_.Count();
        item->setVisible(shown);
        if (shown)
            item->setText(MenuSafe(recent_.MenuText(i, current)));
    }
    recentSeparator_->setVisible(recent_.Count() > 0);
}

void TMainForm::DataMenuClick()
{
    CommitActiveChildQuietly();
    UpdatePileShapeControls();
}

void TMainForm::OptionsMenuClick()
{
    CommitActiveChildQuietly();
    Action(QStringLiteral("OptionsPrintTz"))->setChecked(data_.PrintTzAtDepths == Flag::On);
}

void TMainForm::UnitsMenuClick()
{
    Action(QStringLiteral("OptionsEnglish"))->setChecked(data_.UnitSystem == UnitSystem::English);
    Action(QStringLiteral("OptionsSI"))->setChecked(data_.UnitSystem == UnitSystem::SI);
}

void TMainForm::PileShapeMenuClick() { UpdatePileShapeControls(); }

void TMainForm::ComputationMenuClick()
{
    CommitActiveChildQuietly();
    Action(QStringLiteral("CompEditInput"))->setEnabled(QFileInfo(data_.ProjectPath).isFile());
    Action(QStringLiteral("CompEditNotes"))->setEnabled(CompanionExists(QStringLiteral(".vd7r")));
    Action(QStringLiteral("CompEditOutput"))->setEnabled(CompanionExists(QStringLiteral(".vd7o")));
    Action(QStringLiteral("CompEditGrlweap"))->setEnabled(CompanionExists(QStringLiteral(".gwi")));
}

void TMainForm::GraphicsMenuClick() { EnableGraphicsItems(ResultsAvailable()); }

void TMainForm::EnableGraphicsItems(bool available)
{
    for (QAction* item : graphItems_)
        item->setEnabled(available);
    Action(QStringLiteral("GraphExport"))->setEnabled(available);
    if (data_.PrintTzAtDepths == Flag::Off)
        graphItems_[static_cast<std::size_t>(TResultPlot::ExtraTZ)]->setEnabled(false);
    if (data_.Loading != Loading::Compression) {
        graphItems_[static_cast<std::size_t>(TResultPlot::Tip)]->setEnabled(false);
        graphItems_[static_cast<std::size_t>(TResultPlot::Qw)]->setEnabled(false);
    }
}

void TMainForm::CheckSpeedButtons()
{
    const bool available = ResultsAvailable();
    for (int number : {8, 9, 10, 16})
        Action(QStringLiteral("SpeedButton%1").arg(number))->setEnabled(available);
    EnableGraphicsItems(available);
}

// ---- Building the menus and toolbar ------------------------------------------------

QAction* TMainForm::Action(const QString& name) const { return findChild<QAction*>(name); }

QMenu* TMainForm::Menu(const QString& name) const { return findChild<QMenu*>(name); }

QMenu* TMainForm::AddMenu(const QString& name, const QString& caption, void (TMainForm::*onShow)())
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    if (onShow)
        ConnectReportingErrors(menu, &QMenu::aboutToShow, this, onShow);
    return menu;
}

QAction* TMainForm::AddItem(QMenu* menu, const QString& name, const QString& caption, void (TMainForm::*handler)())
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    ConnectCommand(item, [this, handler] { (this->*handler)(); });
    return item;
}

QAction* TMainForm::AddAbsentItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setEnabled(false);
    return item;
}

void TMainForm::BuildMenus()
{
    BuildFileMenu();
    BuildDataMenu();
    BuildOptionsMenu();
    BuildComputationMenu();
    BuildGraphicsMenu();
    BuildWindowMenu();
    BuildHelpMenu();
}

void TMainForm::BuildFileMenu()
{
    QMenu* file = AddMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"), &TMainForm::FileMenuClick);
    AddItem(file, QStringLiteral("FileNew"), QStringLiteral("&New"), &TMainForm::NewFile);
    AddItem(file, QStringLiteral("FileOpen"), QStringLiteral("&Open..."), &TMainForm::OpenFile);
    QAction* save = file->addAction(QStringLiteral("&Save"));
    save->setObjectName(QStringLiteral("FileSave"));
    ConnectCommand(save, [this] { SaveFile(); });
    QAction* saveAs = file->addAction(QStringLiteral("Save &As..."));
    saveAs->setObjectName(QStringLiteral("FileSaveAs"));
    ConnectCommand(saveAs, [this] { SaveFileAs(); });
    recentSeparator_ = file->addSeparator();
    recentSeparator_->setVisible(false);
    for (int i = 0; i < TRecentFiles::Capacity; ++i) {
        QAction* item = file->addAction(QString());
        item->setObjectName(QStringLiteral("FileRecent%1").arg(i + 1));
        item->setVisible(false);
        ConnectCommand(item, [this, i] { OpenRecentFile(i); });
        recentItems_.push_back(item);
    }
    file->addSeparator();
    AddItem(file, QStringLiteral("FileExit"), QStringLiteral("E&xit"), &TMainForm::FileExitClick);
}

void TMainForm::BuildDataMenu()
{
    QMenu* data = AddMenu(QStringLiteral("DataMenu"), QStringLiteral("Da&ta"), &TMainForm::DataMenuClick);
    AddWindowItem<TdlgTitle>(*this, data, QStringLiteral("DataTitle"), QStringLiteral("&Title"));
    AddWindowItem<TfrmWaterDepth>(*this, data, QStringLiteral("DataMethods"), QStringLiteral("Computational &Method"));
    AddWindowItem<TfrmMaterial>(*this, data, QStringLiteral("DataMaterial"), QStringLiteral("&Pile Material"));
    AddWindowItem<TfrmShaftpeneta>(*this, data, QStringLiteral("DataCircular"),
                                   QStringLiteral("&Circular-Section Pile"));
    AddWindowItem<TfrmNCsection>(*this, data, QStringLiteral("DataNoncircular"),
                                 QStringLiteral("&Noncircular-Section Pile"));
    AddItem(data, QStringLiteral("DataSoilTable"), QStringLiteral("Soil &Layers"), &TMainForm::ShowSoilLayerTable);
    AddWindowItem<TDlgSoilLayers>(*this, data, QStringLiteral("DataSoilLayers"), QStringLiteral("Soi&l Layers"));
    AddWindowItem<TDlgInputMotion>(*this, data, QStringLiteral("DataCpt"),
                                   QStringLiteral("CPT Data File (optional for cone-based method)"));
}

void TMainForm::BuildOptionsMenu()
{
    QMenu* options = AddMenu(QStringLiteral("OptionsMenu"), QStringLiteral("Options"), &TMainForm::OptionsMenuClick);
    QMenu* units = options->addMenu(QStringLiteral("&Units"));
    units->setObjectName(QStringLiteral("UnitsMenu"));
    ConnectReportingErrors(units, &QMenu::aboutToShow, this, &TMainForm::UnitsMenuClick);
    auto* unitGroup = new QActionGroup(this);
    struct TUnitItem {
        int code;
        const char* name;
        const char* caption;
    };
    for (const TUnitItem& unit : {TUnitItem{UnitSystem::English, "OptionsEnglish", "&English Units (kips, ft, in)"},
                                  TUnitItem{UnitSystem::SI, "OptionsSI", "&S.I. Units (kN, m, mm)"}}) {
        QAction* item = units->addAction(QString::fromLatin1(unit.caption));
        item->setObjectName(QString::fromLatin1(unit.name));
        item->setCheckable(true);
        unitGroup->addAction(item);
        ConnectCommand(item, [this, code = unit.code] { ChangeUnits(code); });
    }

    QMenu* shape = options->addMenu(QStringLiteral("Pile &Shape"));
    shape->setObjectName(QStringLiteral("PileShapeMenu"));
    ConnectReportingErrors(shape, &QMenu::aboutToShow, this, &TMainForm::PileShapeMenuClick);
    auto* shapeGroup = new QActionGroup(this);
    for (const bool circular : {true, false}) {
        QAction* item = shape->addAction(circular ? QStringLiteral("Circular") : QStringLiteral("Non-Circular"));
        item->setObjectName(circular ? QStringLiteral("OptionsCircular") : QStringLiteral("OptionsNonCircular"));
        item->setCheckable(true);
        shapeGroup->addAction(item);
        ConnectCommand(item, [this, circular] { ChangePileShape(circular); });
    }

    AddWindowItem<TDlgBlock>(*this, options, QStringLiteral("OptionsCriticalDepth"),
                             QStringLiteral("Critical Depth Used by US ARMY Method"));
    AddWindowItem<TDlgTZPrint>(*this, options, QStringLiteral("OptionsPrintTz"),
                               QStringLiteral("Print t-z Curves at Additional Depths "))
        ->setCheckable(true);
    AddWindowItem<TDlgOptions>(*this, options, QStringLiteral("OptionsControl"), QStringLiteral("Control &Options"));
}

void TMainForm::BuildComputationMenu()
{
    QMenu* comp =
        AddMenu(QStringLiteral("ComputationMenu"), QStringLiteral("&Computation"), &TMainForm::ComputationMenuClick);
    AddItem(comp, QStringLiteral("CompRun"), QStringLiteral("&Run Analysis"), &TMainForm::RunAnalysis);
    AddItem(comp, QStringLiteral("CompEditInput"), QStringLiteral("Edit &Input Text"), &TMainForm::EditInputText);
    AddItem(comp, QStringLiteral("CompEditNotes"), QStringLiteral("Edit &Processor-Run Notes"),
            &TMainForm::EditRunNotes);
    AddItem(comp, QStringLiteral("CompEditOutput"), QStringLiteral("Edit &Output Text"), &TMainForm::EditOutputText);
    AddWindowItem<TDlgSideView>(*this, comp, QStringLiteral("CompViewSoil"),
                                QStringLiteral("&View Soil Layer Coordinates"));
    AddItem(comp, QStringLiteral("CompEditGrlweap"), QStringLiteral("Edit GRLWeap Data File"),
            &TMainForm::EditWaveEquationFile);
}

void TMainForm::BuildGraphicsMenu()
{
    QMenu* graphics =
        AddMenu(QStringLiteral("GraphicsMenu"), QStringLiteral("&Graphics"), &TMainForm::GraphicsMenuClick);
    // In the order of TResultPlot.
    const std::array<std::pair<const char*, const char*>, ResultPlotCount> items{{
        {"GraphUSkin", "Unit Skin Friction vs Depth"},
        {"GraphSkin", "Accumulated &Skin Friction vs Depth"},
        {"GraphTip", "&Tip Resistance vs Depth"},
        {"GraphTotal", "Total &Capacity vs Depth"},
        {"GraphLoad", "Load &Distribution"},
        {"GraphCombine", "Combined &Plot"},
        {"GraphAxial", "&Axial Load vs Settlement"},
        {"GraphTZ", "Internally-Generated t-z Curves"},
        {"GraphExtraTZ", "Extra t-z curves at User Specified Depths"},
        {"GraphQw", "Internally-Generated Q-w Curve"},
    }};
    for (int i = 0; i < ResultPlotCount; ++i) {
        const auto& [name, caption] = items[static_cast<std::size_t>(i)];
        QAction* item = graphics->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        item->setEnabled(false);
        const auto which = static_cast<TResultPlot>(i);
        ConnectCommand(item, [this, which] { ShowPlot(which); });
        graphItems_[static_cast<std::size_t>(i)] = item;
    }
    graphics->addSeparator();
    QAction* exportItem = graphics->addAction(QStringLiteral("Export Plots to Excel"));
    exportItem->setObjectName(QStringLiteral("GraphExport"));
    exportItem->setEnabled(false);
    ConnectCommand(exportItem, [this] {
        GraphicsMenuClick();
        std::array<bool, ResultPlotCount> available{};
        for (std::size_t i = 0; i < graphItems_.size(); ++i)
            available[i] = graphItems_[i]->isEnabled();
        ExecExportDialog(*this, *plots_, shell_, available, Companion(QStringLiteral(".xlsx")));
    });
}

void TMainForm::BuildWindowMenu()
{
    QMenu* window = AddMenu(QStringLiteral("WindowMenu"), QStringLiteral("&Window"), &TMainForm::WindowMenuClick);
    AddItem(window, QStringLiteral("WindowCascade"), QStringLiteral("&Cascade"), &TMainForm::CascadeClick);
    AddItem(window, QStringLiteral("WindowArrange"), QStringLiteral("&Arrange Icons"), &TMainForm::ArrangeIconsClick);
    windowSeparator_ = window->addSeparator();
    windowSeparator_->setVisible(false);
    constexpr int WindowItems = 50;
    for (int i = 0; i < WindowItems; ++i) {
        QAction* item = window->addAction(QString());
        item->setObjectName(QStringLiteral("WindowChild%1").arg(i));
        item->setVisible(false);
        ConnectCommand(item, [this, i] {
            const QList<QMdiSubWindow*> children = mdi_->subWindowList();
            if (i < children.size()) {
                children[i]->showNormal();
                mdi_->setActiveSubWindow(children[i]);
            }
        });
        windowItems_.push_back(item);
    }
}

void TMainForm::HelpMenuClick() { CommitActiveChildQuietly(); }

void TMainForm::BuildHelpMenu()
{
    QMenu* help = AddMenu(QStringLiteral("HelpMenu"), QStringLiteral("&Help"), &TMainForm::HelpMenuClick);
    AddItem(help, QStringLiteral("HelpContents"), QStringLiteral("&Contents"), &TMainForm::HelpContentsClick);
    AddItem(help, QStringLiteral("HelpUsersManual"), QStringLiteral("User's Manual"), &TMainForm::UsersManualClick);
    AddItem(help, QStringLiteral("HelpTechnicalManual"), QStringLiteral("Technical Manual"),
            &TMainForm::TechnicalManualClick);
    QAction* about = help->addAction(QStringLiteral("&About..."));
    about->setObjectName(QStringLiteral("HelpAbout"));
    ConnectCommand(about, [this] {
        TAboutBox box(shell_, AboutLinks(settings_), this);
        box.exec();
    });
    AddItem(help, QStringLiteral("HelpUpdates"), QStringLiteral("Check for Updates"), &TMainForm::CheckUpdatesClick);
}

template <class Handler>
QAction* TMainForm::AddButton(int number, const QString& text, const QString& hint, Handler handler)
{
    QToolBar* bar = findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QAction* button = bar->addAction(text);
    button->setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    button->setIcon(ToolIcon(number));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    if constexpr (std::is_same_v<Handler, std::nullptr_t>)
        button->setEnabled(false); // its window does not exist in the program
    else if constexpr (std::is_member_function_pointer_v<Handler>)
        ConnectCommand(button, [this, handler] { (this->*handler)(); });
    else
        ConnectCommand(button, handler);
    return button;
}

void TMainForm::BuildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    AddButton(1, QStringLiteral("Open"), QStringLiteral("Open File"), &TMainForm::OpenFile);
    AddButton(2, QStringLiteral("New"), QStringLiteral("New File"), &TMainForm::NewFile);
    AddButton(3, QStringLiteral("Save"), QStringLiteral("Save File"), [this] { SaveFile(); });
    AddButton(4, QStringLiteral("Run"), QStringLiteral("Run Data File"), &TMainForm::RunAnalysis);
    AddButton(5, QStringLiteral("Output"), QStringLiteral("View Output"), &TMainForm::EditOutputText);
    AddButton(6, QStringLiteral("Profile"), QStringLiteral("View Soil Profile"),
              [this] { ShowInputWindow<TDlgSideView>(*this); });
    AddButton(7, QStringLiteral("Soil"), QStringLiteral("Soil layer Data"),
              [this] { ShowInputWindow<TDlgSoilLayers>(*this); });
    AddButton(8, QStringLiteral("Combined"), QStringLiteral("Combined Plot"),
              [this] { ShowPlot(TResultPlot::Combine); });
    AddButton(9, QStringLiteral("t-z"), QStringLiteral("t-z Curves"), [this] { ShowPlot(TResultPlot::TZcurves); });
    AddButton(10, QStringLiteral("Q-s"), QStringLiteral("Load vs. Settlement"),
              [this] { ShowPlot(TResultPlot::Axial); });
    AddButton(11, QStringLiteral("Title"), QStringLiteral("Title"), [this] { ShowInputWindow<TdlgTitle>(*this); });
    AddButton(12, QStringLiteral("Method"), QStringLiteral("Computational Method"),
              [this] { ShowInputWindow<TfrmWaterDepth>(*this); });
    AddButton(13, QStringLiteral("Material"), QStringLiteral("Pile Material"),
              [this] { ShowInputWindow<TfrmMaterial>(*this); });
    AddButton(14, QStringLiteral("Circular"), QStringLiteral("Circular Section"),
              [this] { ShowInputWindow<TfrmShaftpeneta>(*this); });
    AddButton(15, QStringLiteral("Non-Circ."), QStringLiteral("Non-Circular"),
              [this] { ShowInputWindow<TfrmNCsection>(*this); });
    AddButton(16, QStringLiteral("Total"), QStringLiteral("Total Capacity"), [this] { ShowPlot(TResultPlot::Total); });
}

} // namespace veldo
