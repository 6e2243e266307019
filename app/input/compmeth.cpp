#include "compmeth.h"

#include "DataEdit.h"
#include "Messages.h"
#include "Table.h"
#include "pilemat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace veldo {
namespace {

struct TMethodTexts {
    const char* radioName;
    const char* radioCaption;
    const char* boxCaption;
};

const std::array<TMethodTexts, Method::Count> Methods{{
    {"OptFHWA", "&FHWA (Federal Highway Administration) (*)", "&FHWA (Federal Highway Administration) "},
    {"OptUSCOE", "USACE (U.S. Army &Corps of Engineers) (*)", "USACE (U.S. Army &Corps of Engineers) "},
    {"OptLamda", "Revised &Lambda (*)", "Revised Lambda "},
    {"OptAPI", "&API RP 2A (American Petroleum Institute) (**)", "&API RP 2A (American Petroleum Institute) "},
    {"OptUserSpecified", "Load-transfer Units specified by &User (*)", "Load-transfer Units specified by &User"},
    {"OptNGI", "&NGI (Norwegian Geotechnical Institute) (**)", "&NGI (Norwegian Geotechnical Institute) "},
    {"OptMTD", "&ICP/MTD (Imperial College of London) (**)", "&ICP/MTD (Imperial College of London) "},
    {"OptFugro", "Fugro (Offshore Driven Piles in Sand) (**)", "Fugro (Offshore Driven Piles in Sand) "},
    {"OptUWA", "UWA (University of Western Australia) (**)", "UWA (University of Western Australia) "},
}};

QLabel* AddLabel(QLayout* layout, const QString& text)
{
    auto* label = new QLabel(text);
    layout->addWidget(label);
    return label;
}

} // namespace

TfrmWaterDepth::TfrmWaterDepth(TMainForm& main) : TInputWindow(main, QStringLiteral("Computation Methods"))
{
    setObjectName(QStringLiteral("frmWaterDepth"));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));
    tabs->addTab(BuildLoadSettlementTab(), QStringLiteral("Method for Load Settlement"));
    tabs->addTab(BuildCapacityTab(), QStringLiteral("Method for Pile Capacity"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);

    for (int method = Method::First; method <= Method::Last; ++method) {
        ConnectReportingErrors(&Radio(method), &QRadioButton::clicked, this,
                               [this, method] { MethodRadioClick(method); });
        ConnectReportingErrors(&Box(method), &QCheckBox::clicked, this, &TfrmWaterDepth::ShowWindows);
    }
    for (QRadioButton* radio : {optHigh_, optLow_, criticalRadios_[0], criticalRadios_[1], criticalRadios_[2],
                                optDrain_, optUndrain_, optCompression_, optTension_})
        ConnectReportingErrors(radio, &QRadioButton::clicked, this, &TfrmWaterDepth::ShowWindows);
    MarkModifiedOn(criticalDepth_);
    MarkModifiedOn(reduction_);
}

QWidget* TfrmWaterDepth::BuildLoadSettlementTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* methods = Named(new QGroupBox(QStringLiteral("Method for Unit Load Transfers")), "GroupBox1");
    auto* methodLayout = new QVBoxLayout(methods);
    AddLabel(methodLayout, QStringLiteral("(and shape of Load-Transfer Curves)"));
    auto* group = new QButtonGroup(this);
    for (int method = Method::First; method <= Method::Last; ++method) {
        const TMethodTexts& texts = Methods[static_cast<std::size_t>(method - 1)];
        QRadioButton* radio = AddRadio(methodLayout, texts.radioName, QString::fromLatin1(texts.radioCaption));
        group->addButton(radio, method);
        radios_[static_cast<std::size_t>(method - 1)] = radio;
    }
    layout->addWidget(methods);

    auto* factors = Named(new QGroupBox(QStringLiteral("Factors for t-z and Q-w Curves")), "GroupBox3");
    auto* factorLayout = new QVBoxLayout(factors);
    optHigh_ =
        AddRadio(factorLayout, "OptHigh", QStringLiteral("Use Unfactored Unit Side Friction and Unit Tip Resistance"));
    optLow_ =
        AddRadio(factorLayout, "OptLow", QStringLiteral("Use Reduced Unit Side Friction and Unit Tip Resistance"));
    Exclusive(this, {optHigh_, optLow_});
    layout->addWidget(factors);

    AddLabel(layout, QStringLiteral("Notes on shape of load-transfer curves:"));
    AddLabel(layout, QStringLiteral("(*) Uses Reese/Skepmton/Mosher curves"));
    AddLabel(layout, QStringLiteral("(**) Uses API RP 2A Curves"));
    auto* close = Named(new QPushButton(QStringLiteral("Close")), "Button2");
    ConnectReportingErrors(close, &QPushButton::clicked, this, &TInputWindow::CloseClick);
    layout->addWidget(close, 0, Qt::AlignRight);
    return page;
}

QWidget* TfrmWaterDepth::BuildCapacityTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildCapacityMethods());
    layout->addWidget(BuildCriticalDepth());

    auto* clay = new QWidget;
    auto* clayLayout = new QVBoxLayout(clay);
    optDrain_ = AddRadio(clayLayout, "OptDrain", QStringLiteral("Use Drained Condition for Clay"));
    optUndrain_ = AddRadio(clayLayout, "OptUndrain", QStringLiteral("Use Undrained Condition for Clay"));
    Exclusive(this, {optDrain_, optUndrain_});
    layout->addWidget(clay);

    layout->addWidget(BuildLoading());
    auto* close = Named(new QPushButton(QStringLiteral("Close")), "Button4");
    ConnectReportingErrors(close, &QPushButton::clicked, this, &TInputWindow::CloseClick);
    layout->addWidget(close, 0, Qt::AlignRight);
    return page;
}

QWidget* TfrmWaterDepth::BuildCapacityMethods()
{
    auto* box = Named(new QGroupBox(QStringLiteral("Computation Methods for Pile Capacity")), "GroupBox2");
    auto* layout = new QVBoxLayout(box);
    AddLabel(layout, QStringLiteral("Select one or more method(s)"));
    for (int method = Method::First; method <= Method::Last; ++method) {
        auto* row = new QHBoxLayout;
        auto* check = new QCheckBox(QString::fromLatin1(Methods[static_cast<std::size_t>(method - 1)].boxCaption));
        check->setObjectName(QStringLiteral("CheckBox%1").arg(method));
        row->addWidget(check);
        auto* ls = new QLabel(QStringLiteral("LS"));
        ls->setObjectName(QStringLiteral("LS%1").arg(method));
        row->addWidget(ls);
        row->addStretch();
        layout->addLayout(row);
        boxes_[static_cast<std::size_t>(method - 1)] = check;
        lsLabels_[static_cast<std::size_t>(method - 1)] = ls;
    }
    auto* buttons = new QHBoxLayout;
    auto* selectAll = Named(new QPushButton(QStringLiteral("Select All")), "Button1");
    auto* clear = Named(new QPushButton(QStringLiteral("Clear Selections")), "Button3");
    ConnectReportingErrors(selectAll, &QPushButton::clicked, this, &TfrmWaterDepth::Button1Click);
    ConnectReportingErrors(clear, &QPushButton::clicked, this, &TfrmWaterDepth::Button3Click);
    buttons->addWidget(selectAll);
    buttons->addWidget(clear);
    layout->addLayout(buttons);
    return box;
}

QWidget* TfrmWaterDepth::BuildCriticalDepth()
{
    auto* box = Named(new QGroupBox(QStringLiteral("Critical Depth Method for Sand")), "GroupBox4");
    auto* layout = new QVBoxLayout(box);
    criticalRadios_[0] = AddRadio(layout, "RadioButton1", QStringLiteral("Original Recommendations "));
    criticalNote_ = AddLabel(layout, QStringLiteral("(10 to 20 Pile Diameter based on the Density)"));
    criticalRadios_[1] =
        AddRadio(layout, "RadioButton2", QStringLiteral("At Effective Stress Reaching 3,500 psf (167.6 kPa)"));
    auto* user = new QHBoxLayout;
    criticalRadios_[2] = AddRadio(user, "RadioButton3", QStringLiteral("At User-Specified Critical Depth"));
    auto* depthLabel = new QLabel;
    TDataEditDesign design;
    design.UnitsString = QStringLiteral("L2");
    criticalDepth_ = Named(new TDataEdit(box, design, depthLabel), "DataEdit1");
    user->addWidget(criticalDepth_);
    user->addWidget(depthLabel);
    layout->addLayout(user);
    Exclusive(this, {criticalRadios_[0], criticalRadios_[1], criticalRadios_[2]});
    return box;
}

QWidget* TfrmWaterDepth::BuildLoading()
{
    auto* box = Named(new QGroupBox(QStringLiteral("Type of Loading")), "GroupBox5");
    auto* layout = new QVBoxLayout(box);
    optCompression_ = AddRadio(layout, "OptCompression", QStringLiteral("&Compression"));
    optTension_ = AddRadio(layout, "OptTension", QStringLiteral("&Tension"));
    Exclusive(this, {optCompression_, optTension_});
    auto* row = new QHBoxLayout;
    auto* label = new QLabel;
    TDataEditDesign design;
    design.Caption = QStringLiteral("&Reduction factor for tension loading");
    design.MinVal = 0.001L;
    design.MaxVal = 10.0L;
    design.Text = QStringLiteral("1");
    row->addWidget(label);
    reduction_ = Named(new TDataEdit(box, design, label), "deREDUCT");
    row->addWidget(reduction_);
    layout->addLayout(row);
    reductionNote_ = AddLabel(layout, QStringLiteral("(only applied to API RP 2A method)"));
    return box;
}

bool TfrmWaterDepth::Offshore() const { return Data().OffshoreMethodsOn(); }

int TfrmWaterDepth::CheckedMethod() const
{
    for (int method = Method::First; method <= Method::Last; ++method) {
        if (Radio(method).isChecked())
            return method;
    }
    return 0;
}

void TfrmWaterDepth::LoadFromProject()
{
    if (QWidget* frame = SubWindow())
        frame->move(frame->x(), 0);
    const TProgramData& data = Data();
    if (data.SelectedMethod >= Method::First && data.SelectedMethod <= Method::Last)
        Radio(data.SelectedMethod).setChecked(true);
    for (int method = Method::First; method <= Method::Last; ++method) {
        Box(method).setChecked(data.MethodTicked(method));
        const bool available = !Method::IsOffshore(method) || Offshore();
        Radio(method).setEnabled(available);
        Box(method).setEnabled(available);
    }
    (data.Loading == Loading::Tension ? optTension_ : optCompression_)->setChecked(true);
    LoadField(*reduction_, data.TensionFactor);
    (data.ClayCondition == ClayCondition::Drained ? optDrain_ : optUndrain_)->setChecked(true);
    (data.TzFactors == TzFactorOption::Factored ? optLow_ : optHigh_)->setChecked(true);
    const int option =
        std::clamp(data.CriticalDepthOption, CriticalDepthOption::ByDensity, CriticalDepthOption::UserDepth);
    criticalRadios_[static_cast<std::size_t>(option)]->setChecked(true);
    LoadField(*criticalDepth_, data.UserCriticalDepth);
    ShowWindows();
}

void TfrmWaterDepth::ShowWindows()
{
    const int checked = CheckedMethod();
    for (int method = Method::First; method <= Method::Last; ++method)
        lsLabels_[static_cast<std::size_t>(method - 1)]->setVisible(method == checked);
    if (checked > 0)
        Box(checked).setChecked(true);

    const bool usace = Box(Method::Usace).isChecked();
    for (QRadioButton* radio : criticalRadios_)
        radio->setEnabled(usace);
    criticalNote_->setEnabled(usace);
    criticalDepth_->SetEnabled(usace && criticalRadios_[CriticalDepthOption::UserDepth]->isChecked());

    const bool icp = Box(Method::IcpMtd).isChecked() && Box(Method::IcpMtd).isEnabled();
    optDrain_->setEnabled(icp);
    optUndrain_->setEnabled(icp);

    const bool tensionFactor = optTension_->isChecked() && Box(Method::ApiRp2a).isChecked();
    reduction_->SetEnabled(tensionFactor);
    reductionNote_->setEnabled(tensionFactor);
    Modified();
}

void TfrmWaterDepth::MethodRadioClick(int method)
{
    ShowWindows();
    if (Radio(method).isChecked())
        Box(method).setChecked(true);
}

void TfrmWaterDepth::SetAllBoxes(bool ticked)
{
    for (int method = Method::First; method <= Method::Last; ++method)
        if (!Method::IsOffshore(method) || Offshore())
            Box(method).setChecked(ticked);
}

void TfrmWaterDepth::Button1Click()
{
    SetAllBoxes(true);
    ShowWindows();
}

void TfrmWaterDepth::Button3Click()
{
    SetAllBoxes(false);
    if (const int checked = CheckedMethod())
        Box(checked).setChecked(true);
    ShowWindows();
}

void TfrmWaterDepth::CommitToProject()
{
    const TProgramData previous = Data();
    StoreMethods();
    StoreOptions();
    Data().MethodsChanged(previous, MainForm().Tables());
    UpdateUserColumns();
    // The Pile Material window's enabling rules follow the methods just stored.
    if (TfrmMaterial* material = FindInputWindow<TfrmMaterial>(MainForm()))
        material->FormActivate();
}

void TfrmWaterDepth::StoreMethods()
{
    TProgramData& data = Data();
    if (const int checked = CheckedMethod())
        data.SelectedMethod = checked;
    for (int method = Method::First; method <= Method::Last; ++method)
        data.SetMethodTicked(method, Box(method).isChecked());
}

void TfrmWaterDepth::StoreOptions()
{
    TProgramData& data = Data();
    if (optTension_->isChecked()) {
        data.Loading = Loading::Tension;
        data.TensionFactor = reduction_->GetNumber();
    } else {
        data.Loading = Loading::Compression;
        data.TensionFactor = 1.0L;
    }
    data.ClayCondition = optUndrain_->isChecked() ? ClayCondition::Undrained : ClayCondition::Drained;
    data.TzFactors = optHigh_->isChecked() ? TzFactorOption::Unfactored : TzFactorOption::Factored;
    for (int option = CriticalDepthOption::ByDensity; option <= CriticalDepthOption::UserDepth; ++option) {
        if (criticalRadios_[static_cast<std::size_t>(option)]->isChecked())
            data.CriticalDepthOption = option;
    }
    data.UserCriticalDepth = criticalDepth_->GetNumber();
}

void TfrmWaterDepth::UpdateUserColumns()
{
    MainForm().VisibleOffshoreColumns();
    const TProjectTables& tables = MainForm().Tables();
    for (int row = 0; row < tables.D().RowCount(); ++row) {
        if (TGridTable* layer = tables.LayerTable(row))
            OpenTableEditor(*layer);
    }
    OpenTableEditor(tables.tblDataSand());
    OpenTableEditor(tables.tblDataClay());
}

} // namespace veldo
