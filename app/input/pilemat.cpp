#include "pilemat.h"
#include "MessageCatalogue.h"

#include "DataEdit.h"
#include "Messages.h"
#include "Table.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace veldo {
namespace {

constexpr long double SquareMmPerSquareM = 1000.0L * 1000.0L;

} // namespace

const QString TfrmMaterial::ModulusMessage = MessageText(TMsg::ModulusCheck);

TfrmMaterial::TfrmMaterial(TMainForm& main) : TInputWindow(main, QStringLiteral("Pile Material"))
{
    setObjectName(QStringLiteral("frmMaterial"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildPileTypes());
    layout->addWidget(BuildStiffness());
    auto* close = Named(new QPushButton(QStringLiteral("Close")), QStringLiteral("Button4"));
    ConnectReportingErrors(close, &QPushButton::clicked, this, &TfrmMaterial::Button4Click);
    layout->addWidget(close, 0, Qt::AlignRight);

    for (QAbstractButton* radio : findChildren<QRadioButton*>())
        ConnectReportingErrors(radio, &QAbstractButton::clicked, this, &TfrmMaterial::ShowWindows);
    MarkModifiedOn(angle_);
    MarkModifiedOn(section_);
    MarkModifiedOn(autoSection_);
    MarkModifiedOn(modulus_);
}

QWidget* TfrmMaterial::BuildPileTypes()
{
    auto* box = Named(new QGroupBox(QStringLiteral("Select Pile Type")), QStringLiteral("GroupBox1"));
    auto* layout = new QVBoxLayout(box);
    constexpr int Indent = 24;
    pileTypes_ = new QButtonGroup(this);
    const auto type = [&](const QString& name, const QString& caption, int code) {
        pileTypes_->addButton(AddRadio(layout, name, caption), code);
    };
    type(QStringLiteral("OptSteel"), QStringLiteral("&Steel pipe piles and non-tapered portion of monotube piles"),
         PileType::SteelPipe);
    openEnded_ = AddRadio(layout, QStringLiteral("OpenEnded"), QStringLiteral("Open-Ended Pile"), Indent);
    closeEnded_ = AddRadio(layout, QStringLiteral("CloseEnded"), QStringLiteral("Close-Ended Pile"), Indent);
    Exclusive(this, {openEnded_, closeEnded_});
    type(QStringLiteral("OptHpile"), QStringLiteral("&H-Piles/Steel Piles"), PileType::HPile);
    type(QStringLiteral("OptConcrete"), QStringLiteral("&Precast concrete piles"), PileType::PrecastConcrete);
    optDrain_ = AddRadio(layout, QStringLiteral("OptDrain"), QStringLiteral("Circular/Tubular"), Indent);
    openEndedPrecast_ =
        AddRadio(layout, QStringLiteral("OpenEndedPrecast"), QStringLiteral("Open-Ended Pile"), 2 * Indent);
    closeEndedPrecast_ =
        AddRadio(layout, QStringLiteral("CloseEndedPrecast"), QStringLiteral("Close-Ended Pile"), 2 * Indent);
    optUndrain_ =
        AddRadio(layout, QStringLiteral("OptUndrain"), QStringLiteral("Square/Rectangular/Orthogonal"), Indent);
    Exclusive(this, {optDrain_, optUndrain_});
    Exclusive(this, {openEndedPrecast_, closeEndedPrecast_});
    type(QStringLiteral("OptMonotube"), QStringLiteral("Tapered portion of &Monotube piles"),
         PileType::TaperedMonotube);
    type(QStringLiteral("OptRaymond"), QStringLiteral("&Raymond step-taper piles"), PileType::RaymondStepTaper);
    type(QStringLiteral("OptUniform"), QStringLiteral("&Raymond &Uniform taper piles"), PileType::RaymondUniformTaper);
    type(QStringLiteral("OptTimber"), QStringLiteral("&Timber piles"), PileType::Timber);

    auto* taper = new QGridLayout;
    auto* angleLabel = new QLabel;
    TDataEditDesign design;
    design.Caption = QStringLiteral("&Angle of taper for a tapered pile ");
    design.UnitsString = QStringLiteral("degrees");
    angle_ = Named(new TDataEdit(box, design, angleLabel), QStringLiteral("deAngle"));
    angleNote_ = new QLabel(QStringLiteral("( Only used by the FHWA Method for Pile Capacity)"));
    taper->addWidget(angleLabel, 0, 0);
    taper->addWidget(angle_, 0, 1);
    taper->addWidget(angleNote_, 1, 0, 1, 2);
    layout->addLayout(taper);
    return box;
}

QWidget* TfrmMaterial::BuildStiffness()
{
    auto* box = Named(new QGroupBox(QStringLiteral("Data for Axial Stiffness")), QStringLiteral("GroupBox2"));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(
        new QLabel(QStringLiteral("(These entries are only used for computations of elastic deformation)")));
    auto* row = new QHBoxLayout;
    auto* modulusLabel = new QLabel;
    TDataEditDesign design;
    design.Caption = QStringLiteral("Modulus of &Elasticity, E");
    design.UnitsString = QString::fromUtf8("F/L\u00b2");
    design.Text = QStringLiteral("3500000");
    modulus_ = Named(new TDataEdit(box, design, modulusLabel), QStringLiteral("deModulus"));
    row->addWidget(modulusLabel);
    row->addWidget(modulus_);
    layout->addLayout(row);
    layout->addWidget(BuildAreaMode());
    return box;
}

QWidget* TfrmMaterial::BuildAreaMode()
{
    auto* box = Named(new QGroupBox(QStringLiteral("Cross Section Area")), QStringLiteral("GroupBox3"));
    auto* layout = new QGridLayout(box);
    TDataEditDesign area;
    area.UnitsString = QString::fromUtf8("L\u00b2");

    areaModes_[0] =
        Named(new QRadioButton(QStringLiteral("Calculate from Pile Section")), QStringLiteral("RadioButton3"));
    auto* autoLabel = new QLabel;
    autoSection_ = Named(new TDataEdit(box, area, autoLabel), QStringLiteral("DeAutoSection"));
    autoSection_->setReadOnly(true);
    layout->addWidget(areaModes_[0], 0, 0);
    layout->addWidget(autoSection_, 0, 1);
    layout->addWidget(autoLabel, 0, 2);

    areaModes_[1] =
        Named(new QRadioButton(QStringLiteral("Constant Cross Section Area")), QStringLiteral("RadioButton1"));
    auto* sectionLabel = new QLabel;
    section_ = Named(new TDataEdit(box, area, sectionLabel), QStringLiteral("DeSection"));
    layout->addWidget(areaModes_[1], 1, 0);
    layout->addWidget(section_, 1, 1);
    layout->addWidget(sectionLabel, 1, 2);

    areaModes_[2] =
        Named(new QRadioButton(QStringLiteral("Non-constant Cross Section Area")), QStringLiteral("RadioButton2"));
    sectionButton_ = Named(new QPushButton(QStringLiteral("Data Button")), QStringLiteral("SectionButton1"));
    ConnectReportingErrors(sectionButton_, &QPushButton::clicked, this, &TfrmMaterial::SectionButton1Click);
    sectionNote_ = new QLabel(QStringLiteral("(enter the area as a function of depth.)"));
    layout->addWidget(areaModes_[2], 2, 0);
    layout->addWidget(sectionButton_, 2, 1);
    layout->addWidget(sectionNote_, 3, 0, 1, 3);
    Exclusive(this, {areaModes_[0], areaModes_[1], areaModes_[2]});
    return box;
}

int TfrmMaterial::CheckedPileType() const { return std::max(pileTypes_->checkedId(), 0); }

bool TfrmMaterial::Tapered() const { return PileType::IsTapered(CheckedPileType()); }

long double TfrmMaterial::SectionArea() const
{
    const TProgramData& data = Data();
    const int type = CheckedPileType();
    if (type == PileType::HPile || (type == PileType::PrecastConcrete && optUndrain_->isChecked()))
        return data.TipArea;
    const long double od = data.OutsideDiameter;
    const long double id = data.InsideDiameter;
    const bool hollow = HollowSection(type, optDrain_->isChecked());
    long double area = (hollow ? od * od - id * id : od * od) * kSectionPi / 4;
    if (data.UnitSystem != UnitSystem::English)
        area /= SquareMmPerSquareM; // mm2 to m2
    return area;
}

void TfrmMaterial::LoadFromProject()
{
    if (QWidget* frame = SubWindow())
        frame->move(frame->x(), 10);
    const TProgramData& data = Data();
    LoadField(*modulus_, data.Modulus);
    LoadField(*angle_, data.TaperAngle);
    LoadField(*section_, data.ConstantArea);
    LoadField(*autoSection_, data.ConstantArea);

    if (QAbstractButton* type = pileTypes_->button(data.PileType))
        type->setChecked(true);
    (data.ClosedEnded ? closeEnded_ : openEnded_)->setChecked(true);
    (data.Circular ? optDrain_ : optUndrain_)->setChecked(true);
    (data.ClosedEnded ? closeEndedPrecast_ : openEndedPrecast_)->setChecked(true);
    areaModes_[static_cast<std::size_t>(std::clamp(data.AreaMode, AreaMode::FromSection, AreaMode::Table))]->setChecked(
        true);

    ShowWindows();
    if (!angle_->isEnabled())
        angle_->SetNumber(0);
    if (!section_->isEnabled())
        section_->SetNumber(0);
}

void TfrmMaterial::ShowWindows()
{
    const bool taperUsed = Tapered() && Data().MethodTicked(Method::Fhwa);
    angle_->SetEnabled(taperUsed);
    angleNote_->setEnabled(taperUsed);

    const int type = CheckedPileType();
    openEnded_->setEnabled(type == PileType::SteelPipe);
    closeEnded_->setEnabled(type == PileType::SteelPipe);
    optDrain_->setEnabled(type == PileType::PrecastConcrete);
    optUndrain_->setEnabled(type == PileType::PrecastConcrete);
    const bool precastCircular = optDrain_->isEnabled() && optDrain_->isChecked();
    openEndedPrecast_->setEnabled(precastCircular);
    closeEndedPrecast_->setEnabled(precastCircular);

    section_->SetEnabled(areaModes_[AreaMode::Constant]->isChecked());
    sectionButton_->setEnabled(areaModes_[AreaMode::Table]->isChecked());
    sectionNote_->setEnabled(areaModes_[AreaMode::Table]->isChecked());

    autoSection_->SetNumber(SectionArea());
    Modified();
}

void TfrmMaterial::SectionButton1Click()
{
    MainForm().Tables().Sectionaldata().ShowEditor();
    Modified();
}

void TfrmMaterial::Button4Click()
{
    // An entry that does not evaluate is refused by the close itself, with its message.
    if (!modulus_->EntryProblem().isEmpty() || modulus_->GetNumber() > 0) {
        CloseClick();
        return;
    }
    Messages().Warning(ModulusMessage);
    modulus_->setFocus();
}

void TfrmMaterial::CommitToProject()
{
    TProgramData& data = Data();
    if (const int type = CheckedPileType())
        data.PileType = type;
    switch (data.PileType) {
    case PileType::SteelPipe:
        data.Circular = true;
        data.ClosedEnded = closeEnded_->isChecked();
        break;
    case PileType::PrecastConcrete:
        data.Circular = optDrain_->isChecked();
        data.ClosedEnded = closeEndedPrecast_->isChecked();
        break;
    case PileType::HPile:
        data.Circular = false;
        break;
    default:
        data.Circular = true;
        break;
    }
    // A taper field disabled for the chosen pile type or methods stores 0.
    data.TaperAngle = data.TaperApplies() ? angle_->GetNumber() : 0;
    data.Modulus = modulus_->GetNumber();
    for (int mode = AreaMode::FromSection; mode <= AreaMode::Table; ++mode) {
        if (areaModes_[static_cast<std::size_t>(mode)]->isChecked())
            data.AreaMode = mode;
    }
    data.ConstantArea = section_->GetNumber();
    MainForm().UpdatePileShapeControls();
}

} // namespace veldo
