#include "soils.h"

#include "DataEdit.h"
#include "DlgChart.h"
#include "Main.h"
#include "Messages.h"
#include "Table.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace veldo {
namespace {

constexpr int TopRow = 0;
constexpr int BottomRow = 1;

const QString UnitWeightUnits = QStringLiteral("F/L2^3");
const QString StressUnits = QStringLiteral("F/L2^2");
const QString NotUsedElsewhere = QStringLiteral("(Not used in other methods)");

// A property of the layer table and the fields of its top and bottom values.
struct TPropertyFields {
    int property;
    int top;
    int bottom;
    bool integer; // an SPT blow count
};

constexpr std::array<TPropertyFields, 8> SandFields{{{kSandUnitWeight, 1, 2, false},
                                                     {kSandFriction, 3, 4, false},
                                                     {kSandBlowCount, 5, 6, true},
                                                     {kSandKo, 7, 8, false},
                                                     {kSandNq, 9, 10, false},
                                                     {kSandUserSkin, 11, 12, false},
                                                     {kSandUserBearing, 13, 14, false},
                                                     {kSandQc, 15, 16, false}}};
constexpr std::array<TPropertyFields, 8> ClayFields{{{kClayUnitWeight, 17, 20, false},
                                                     {kClayUndrained, 18, 21, false},
                                                     {kClayRemolded, 19, 22, false},
                                                     {kClayUserSkin, 27, 30, false},
                                                     {kClayUserBearing, 28, 31, false},
                                                     {kClayQc, 23, 25, false},
                                                     {kClayPI, 24, 26, false},
                                                     {kClayYsr, 29, 32, false}}};
constexpr std::array<TPropertyFields, 5> SiltFields{{{kSiltUnitWeight, 33, 34, false},
                                                     {kSiltFriction, 35, 37, false},
                                                     {kSiltBlowCount, 36, 38, true},
                                                     {kSiltKo, 39, 40, false},
                                                     {kSiltUndrained, 41, 43, false}}};

std::vector<TPropertyFields> FieldsOfType(int soilType)
{
    switch (soilType) {
    case SoilType::Sand:
        return {SandFields.begin(), SandFields.end()};
    case SoilType::Clay:
        return {ClayFields.begin(), ClayFields.end()};
    case SoilType::Silt:
        return {SiltFields.begin(), SiltFields.end()};
    default:
        return {};
    }
}

// The property column of the fields whose top value is field `topField`.
int PropertyOfField(int soilType, int topField)
{
    for (const TPropertyFields& p : FieldsOfType(soilType))
        if (p.top == topField)
            return p.property;
    return -1;
}

// Sand is the first page, clay the second, any other type the third.
int PageOfType(int soilType) { return soilType == SoilType::Sand ? 0 : soilType == SoilType::Clay ? 1 : 2; }

int RoundToInt(long double value)
{
    const long double rounded = std::round(value);
    return static_cast<int>(
        std::clamp<long double>(rounded, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void SetEnabled(const std::vector<QWidget*>& widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

void SetVisible(const std::vector<QWidget*>& widgets, bool visible)
{
    for (QWidget* widget : widgets)
        widget->setVisible(visible);
}

} // namespace

// Lays out one tab: text lines over the full width, and rows of a label with the
// fields of the top and the bottom value under "Values at" "Top of Layer" and
// "Bottom of Layer".
class TDlgSoils::TPage {
public:
    TPage(TDlgSoils& owner, const QString& name, int soilType) : owner_(owner), page_(new QWidget), soilType_(soilType)
    {
        page_->setObjectName(name);
        grid_ = new QGridLayout(page_);
        grid_->setColumnMinimumWidth(1, 110);
        grid_->setColumnMinimumWidth(2, 110);
        grid_->addWidget(new QLabel(QStringLiteral("Values at"), page_), row_, 1, 1, 2, Qt::AlignCenter);
        ++row_;
        grid_->addWidget(new QLabel(QStringLiteral("Top of Layer"), page_), row_, 1, Qt::AlignCenter);
        grid_->addWidget(new QLabel(QStringLiteral("Bottom of Layer"), page_), row_, 2, Qt::AlignCenter);
        ++row_;
    }

    QWidget* Widget() const { return page_; }

    QLabel* Text(const QString& text)
    {
        auto* label = new QLabel(text, page_);
        grid_->addWidget(label, row_++, 0, 1, 3);
        return label;
    }

    template <class TWidget> TWidget* Add(TWidget* widget, int column = 0, int span = 3)
    {
        grid_->addWidget(widget, row_++, column, 1, span);
        return widget;
    }

    // A row whose label shows `caption` with the unit words of `units` (empty: the
    // caption alone); it belongs to the property of its fields.
    TRowLabels Row(const QString& caption, const QString& units, int top, int bottom)
    {
        TRowLabels row{new QLabel(page_), owner_.MakeField(page_, top), owner_.MakeField(page_, bottom)};
        owner_.UsedBy(soilType_, PropertyOfField(soilType_, top), {row.label, row.top, row.bottom});
        row.top->SetCaption(caption);
        row.top->SetUnitsString(units);
        row.top->SetEditLabel(row.label);
        grid_->addWidget(row.label, row_, 0);
        grid_->addWidget(row.top, row_, 1);
        grid_->addWidget(row.bottom, row_, 2);
        ++row_;
        return row;
    }

    QPushButton* CloseButton(const QString& name)
    {
        auto* button = new QPushButton(QStringLiteral("Close"), page_);
        button->setObjectName(name);
        grid_->setRowStretch(row_++, 1);
        grid_->addWidget(button, row_++, 2);
        return button;
    }

private:
    TDlgSoils& owner_;
    QWidget* page_;
    int soilType_;
    QGridLayout* grid_ = nullptr;
    int row_ = 0;
};

TDlgSoils::TDlgSoils(TMainForm& main, QWidget* parent) : QDialog(parent), main_(main)
{
    setObjectName(QStringLiteral("DlgSoils"));
    setWindowTitle(QStringLiteral("Layer"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose); // freed on close; the owner makes a new one
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(pages_);
    TPage sand(*this, QStringLiteral("TabSheetSand"), SoilType::Sand);
    TPage clay(*this, QStringLiteral("TabSheetClay"), SoilType::Clay);
    TPage silt(*this, QStringLiteral("TabSheetSilt"), SoilType::Silt);
    BuildSand(sand);
    BuildClay(clay);
    BuildSilt(silt);
    pages_->addTab(sand.Widget(), QStringLiteral("Sand"));
    pages_->addTab(clay.Widget(), QStringLiteral("Clay"));
    pages_->addTab(silt.Widget(), QStringLiteral("Silt"));
}

TDlgSoils::~TDlgSoils() = default;

TDataEdit* TDlgSoils::MakeField(QWidget* page, int number)
{
    auto* field = new TDataEdit(page);
    field->setObjectName(QStringLiteral("DataEdit%1").arg(number));
    fields_[static_cast<std::size_t>(number)] = field;
    return field;
}

void TDlgSoils::UsedBy(int soilType, int column, std::initializer_list<QWidget*> widgets)
{
    auto property = std::find_if(propertyWidgets_.begin(), propertyWidgets_.end(), [&](const TPropertyWidgets& p) {
        return p.soilType == soilType && p.column == column;
    });
    if (property == propertyWidgets_.end())
        property = propertyWidgets_.insert(propertyWidgets_.end(), {soilType, column, {}});
    property->widgets.insert(property->widgets.end(), widgets);
}

QRadioButton* TDlgSoils::MakeRadio(QWidget* page, int number, const QString& caption)
{
    auto* radio = new QRadioButton(caption, page);
    radio->setObjectName(QStringLiteral("RadioButton%1").arg(number));
    radios_[static_cast<std::size_t>(number)] = radio;
    return radio;
}

void TDlgSoils::BuildSand(TPage& page)
{
    page.Row(QStringLiteral("1. Effective Unit Weight"), UnitWeightUnits, 1, 2);
    page.Row(QStringLiteral("2. Friction Angle (Degrees)"), {}, 3, 4);
    page.Add(MakeRadio(page.Widget(), 1, QStringLiteral("Enter Friction Angle (Preferred)")));
    page.Add(MakeRadio(page.Widget(), 2, QStringLiteral("Enter Blow Counts from SPT")));
    page.Text(QStringLiteral("(See Manuals for conversion reference)"));
    page.Row({}, {}, 5, 6);
    sandHeading3_ = page.Text(QStringLiteral("3. Data for API Computation Method"));
    sandNote3_ = page.Text(NotUsedElsewhere);
    page.Row(QStringLiteral("3a. Coefficient of Lateral Earth Pressure, Ko"), {}, 7, 8);
    sandKoNote1_ = page.Text(QString());
    sandKoNote2_ = page.Text(QString());
    page.Row(QStringLiteral("3b. Bearing Capacity Factor, Nq"), {}, 9, 10);
    QLabel* nqNote1 = page.Text(QStringLiteral("(API has a range of values for Nq from 8 to"));
    QLabel* nqNote2 = page.Text(QStringLiteral("50 according to density of sand)"));
    QLabel* userHeading = page.Text(QStringLiteral("4. Data for User-Specified Load Transfers"));
    QLabel* userNote = page.Text(NotUsedElsewhere);
    page.Row(QStringLiteral("4a. Unit Skin Friction"), StressUnits, 11, 12);
    page.Row(QStringLiteral("4b. Unit End Bearing"), StressUnits, 13, 14);
    page.Row(QStringLiteral("5. Qc from Cone Penetration Data"), StressUnits, 15, 16);
    QLabel* qcNote = page.Text(QStringLiteral("(Only used in Offshore Computation Methods)"));
    ConnectReportingErrors(page.CloseButton(QStringLiteral("Button1")), &QPushButton::clicked, this,
                           &TDlgSoils::Button1Click);

    UsedBy(SoilType::Sand, kSandKo, {sandHeading3_, sandNote3_, sandKoNote1_, sandKoNote2_});
    UsedBy(SoilType::Sand, kSandNq, {nqNote1, nqNote2});
    UsedBy(SoilType::Sand, kSandUserSkin, {userHeading, userNote});
    UsedBy(SoilType::Sand, kSandQc, {qcNote});
    for (int number : {1, 2})
        ConnectReportingErrors(radios_[static_cast<std::size_t>(number)], &QRadioButton::clicked, this,
                               &TDlgSoils::SandRadioClick);
}

void TDlgSoils::BuildClay(TPage& page)
{
    page.Row(QStringLiteral("1. Effective Unit Weight"), UnitWeightUnits, 17, 20);
    page.Row(QStringLiteral("2. Undrained Shear Strength"), StressUnits, 18, 21);
    page.Row(QStringLiteral("3. Remolded Shear Strength"), StressUnits, 19, 22);
    for (const char* line :
         {"- Used for open-ended pipe piles to compute the", "  resistance in skin friction along the inner surface of",
          "  the pipe as the soil plug enter the pipe. A reduced",
          "  strength may account for the fact that the internal plug",
          "  may be highly disturbed as soil enters the pile.", "- Also used in Offshore Computation Methods."})
        UsedBy(SoilType::Clay, kClayRemolded, {page.Text(QString::fromLatin1(line))});
    QLabel* userHeading = page.Text(QStringLiteral("4. Data for User-Specified Load Transfers"));
    QLabel* userNote = page.Text(NotUsedElsewhere);
    page.Row(QStringLiteral("4a. Unit Skin Friction"), StressUnits, 27, 30);
    page.Row(QStringLiteral("4b. Unit End Bearing"), StressUnits, 28, 31);
    page.Row(QStringLiteral("5. Qc from Cone Penetration Data"), StressUnits, 23, 25);
    QLabel* qcNote = page.Text(QStringLiteral("(Only used in Offshore Computation Methods)"));
    QLabel* icpHeading = page.Text(QStringLiteral("6. Data for ICP/MTD Computation Method"));
    QLabel* icpNote = page.Text(NotUsedElsewhere);
    page.Row(QStringLiteral("6a. Plasticity Index, PI(%)"), {}, 24, 26);
    page.Row(QStringLiteral("6b. Yield Stress Ratio, YSR"), {}, 29, 32);
    QLabel* adhesionHeading = page.Text(QStringLiteral("7. Estimation of Adhesion Factor "));
    QLabel* adhesionNote = page.Text(QStringLiteral("(Only for FHWA Method)"));
    adhesion_ = page.Add(new QComboBox(page.Widget()), 0, 2);
    adhesion_->setObjectName(QStringLiteral("ComboBox1"));
    adhesion_->addItems({QStringLiteral("0 - Estimated by the program"), QStringLiteral("1 - Using Tomlinson Graph A"),
                         QStringLiteral("2 - Using Tomlinson Graph B"), QStringLiteral("3 - Using Tomlinson Graph C")});
    showGraph_ = page.Add(new QPushButton(QStringLiteral("Show Graph"), page.Widget()), 2, 1);
    showGraph_->setObjectName(QStringLiteral("Button4"));
    ConnectReportingErrors(adhesion_, &QComboBox::currentIndexChanged, this, &TDlgSoils::ComboBox1Change);
    ConnectReportingErrors(showGraph_, &QPushButton::clicked, this, &TDlgSoils::Button4Click);
    ConnectReportingErrors(page.CloseButton(QStringLiteral("Button2")), &QPushButton::clicked, this,
                           &TDlgSoils::Button2Click);

    UsedBy(SoilType::Clay, kClayUserSkin, {userHeading, userNote});
    UsedBy(SoilType::Clay, kClayQc, {qcNote});
    UsedBy(SoilType::Clay, kClayPI, {icpHeading, icpNote});
    UsedBy(SoilType::Clay, kClayAdhesion, {adhesionHeading, adhesionNote, adhesion_, showGraph_});
}

void TDlgSoils::BuildSilt(TPage& page)
{
    page.Text(QStringLiteral("Used only for USACE Method"));
    page.Row(QStringLiteral("1. Effective Unit Weight"), UnitWeightUnits, 33, 34);
    page.Row(QStringLiteral("2. Friction Angle (Degrees)"), {}, 35, 37);
    page.Add(MakeRadio(page.Widget(), 3, QStringLiteral("Enter Friction Angle (Preferred)")));
    page.Add(MakeRadio(page.Widget(), 4, QStringLiteral("Enter Blow Counts from SPT")));
    page.Text(QStringLiteral("(See Manuals for conversion reference)"));
    page.Row({}, {}, 36, 38);
    page.Row(QStringLiteral("3. Coefficient of Lateral Earth Pressure, Ko"), {}, 39, 40);
    page.Text(QStringLiteral("(USACE recommends Ko=1.25 for compression"));
    page.Text(QStringLiteral("and Ko=0.5 to 0.7 for tension)"));
    page.Row(QStringLiteral("4. Undrained Shear Strength"), StressUnits, 41, 43);
    // The silt tab's "Close" shares the clay tab's handler.
    ConnectReportingErrors(page.CloseButton(QStringLiteral("Button3")), &QPushButton::clicked, this,
                           &TDlgSoils::Button2Click);
    for (int number : {3, 4})
        ConnectReportingErrors(radios_[static_cast<std::size_t>(number)], &QRadioButton::clicked, this,
                               &TDlgSoils::SiltRadioClick);
}

void TDlgSoils::SetLayer(int layerNumber, int soilType)
{
    layer_ = layerNumber;
    soilType_ = soilType;
}

TDataEdit* TDlgSoils::Field(int number) const
{
    return number >= 0 && number < static_cast<int>(fields_.size()) ? fields_[static_cast<std::size_t>(number)]
                                                                    : nullptr;
}

QRadioButton* TDlgSoils::RadioButton(int number) const
{
    return number >= 1 && number <= 4 ? radios_[static_cast<std::size_t>(number)] : nullptr;
}

TGridTable* TDlgSoils::LayerTable() const
{
    const TProjectTables& tables = main_.Tables();
    const int row = layer_ - 1;
    return row >= 0 && row < tables.D().RowCount() ? tables.LayerTable(row) : nullptr;
}

void TDlgSoils::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    RunReportingErrors([this] { FormActivate(); });
}

void TDlgSoils::FormActivate()
{
    {
        const QSignalBlocker quiet(adhesion_);
        adhesion_->setCurrentIndex(0);
    }
    const int page = PageOfType(soilType_);
    for (int i = 0; i < pages_->count(); ++i)
        pages_->setTabVisible(i, i == page);
    pages_->setCurrentIndex(page);
    for (TDataEdit* field : fields_)
        if (field)
            field->SetUnits(main_.Data().UnitSystem);
    if (const TGridTable* table = LayerTable())
        LoadFields(*table);
    setWindowTitle(QStringLiteral("Data for Layer ") + QString::number(layer_));
    ApplyRules();
}

void TDlgSoils::LoadFields(const TGridTable& table)
{
    for (const TPropertyFields& p : FieldsOfType(soilType_)) {
        if (p.property >= table.ColumnCount())
            continue;
        for (const auto& [row, number] : {std::pair{TopRow, p.top}, std::pair{BottomRow, p.bottom}}) {
            const TData cell = table.Cell(p.property, row);
            Field(number)->SetNumber(p.integer ? cell.AsInteger() : cell.AsFloat());
        }
    }
    if (soilType_ == SoilType::Clay && kClayAdhesion < table.ColumnCount())
        adhesion_->setCurrentIndex(table.Cell(kClayAdhesion, BottomRow).AsInteger());
    // A blow count given at either end means the layer was entered by blow counts.
    const auto radioByBlowCounts = [](TDataEdit* top, TDataEdit* bottom, QRadioButton* friction, QRadioButton* spt) {
        const bool blowCounts = top->Number() != 0 || bottom->Number() != 0;
        spt->setChecked(blowCounts);
        friction->setChecked(!blowCounts);
    };
    if (soilType_ == SoilType::Sand)
        radioByBlowCounts(Field(5), Field(6), radios_[1], radios_[2]);
    else if (soilType_ == SoilType::Silt)
        radioByBlowCounts(Field(36), Field(38), radios_[3], radios_[4]);
    loadedByFriction_ = ByFriction();
    loadedAdhesion_ = adhesion_->currentIndex();
}

bool TDlgSoils::ByFriction() const
{
    return soilType_ == SoilType::Silt ? radios_[3]->isChecked() : radios_[1]->isChecked();
}

void TDlgSoils::ApplyRules()
{
    const TProgramData& data = main_.Data();
    for (const TPropertyWidgets& property : propertyWidgets_) {
        const TSoilPropertyUse use = SoilPropertyUse(data, property.soilType, property.column);
        SetVisible(property.widgets, use.shown);
        SetEnabled(property.widgets, use.enabled);
    }
    // Friction angle or blow counts: the layer's own choice.
    SandRadioClick();
    SiltRadioClick();
    ApplySandBlock3();
    ComboBox1Change();
}

// Block 3 of the sand tab names the method its Ko serves: API; without API, USACE,
// then Revised Lambda; with none of them the API texts stay.
void TDlgSoils::ApplySandBlock3()
{
    const TProgramData& data = main_.Data();
    const auto texts = [this](const char* heading, const char* note, const char* ko1, const char* ko2) {
        sandHeading3_->setText(QString::fromLatin1(heading));
        sandNote3_->setText(QString::fromLatin1(note));
        sandKoNote1_->setText(QString::fromLatin1(ko1));
        sandKoNote2_->setText(QString::fromLatin1(ko2));
    };
    const bool api = data.MethodTicked(Method::ApiRp2a);
    if (!api && data.MethodTicked(Method::Usace))
        texts("3. Data for USACE Computation Method", "(Ko also used for Lambda Method)",
              "(USACE recommends Ko=1.25 for compression", "and Ko=0.5 to 0.7 for tension)");
    else if (!api && data.MethodTicked(Method::RevisedLambda))
        texts("3. Data for Revised Lambda Computation Method", "(Not used in other methods)",
              "(API recommends Ko=1 for full displacement", "piles and Ko=0.8 for open ended pipe piles)");
    else
        texts("3. Data for API Computation Method", "(Ko also used for Lambda Method)",
              "(API recommends Ko=1 for full displacement", "piles and Ko=0.8 for open ended pipe piles)");
}

void TDlgSoils::SandRadioClick()
{
    const bool friction = radios_[1]->isChecked();
    for (int number : {3, 4})
        Field(number)->SetEnabled(friction);
    for (int number : {5, 6})
        Field(number)->SetEnabled(radios_[2]->isChecked());
}

void TDlgSoils::SiltRadioClick()
{
    const bool friction = radios_[3]->isChecked();
    for (int number : {35, 37})
        Field(number)->SetEnabled(friction);
    for (int number : {36, 38})
        Field(number)->SetEnabled(radios_[4]->isChecked());
}

void TDlgSoils::ComboBox1Change()
{
    static const std::array<QString, 4> captions{QStringLiteral("Show Graph"), QStringLiteral("Show Graph A"),
                                                 QStringLiteral("Show Graph B"), QStringLiteral("Show Graph C")};
    const int item = adhesion_->currentIndex();
    showGraph_->setText(item >= 0 && item < 4 ? captions[static_cast<std::size_t>(item)] : captions[0]);
    showGraph_->setEnabled(item > 0);
}

void TDlgSoils::Button4Click()
{
    const int item = adhesion_->currentIndex();
    if (item < 1 || item > 3)
        return;
    if (!chart_)
        chart_ = new TChartForm(this);
    chart_->ShowChart(item);
}

void TDlgSoils::Button1Click() { close(); }

void TDlgSoils::Button2Click() { close(); }

void TDlgSoils::FormDeactivate()
{
    const TProjectState before = ProjectState(main_.Data(), main_.Tables());
    if (TGridTable* table = LayerTable())
        StoreFields(*table);
    if (ProjectState(main_.Data(), main_.Tables()) != before)
        main_.SetModified(true);
}

void TDlgSoils::StoreFields(TGridTable& table) const
{
    for (const TPropertyFields& p : FieldsOfType(soilType_)) {
        if (p.property >= table.ColumnCount())
            continue;
        for (const auto& [row, number] : {std::pair{TopRow, p.top}, std::pair{BottomRow, p.bottom}}) {
            const TData cell = table.Cell(p.property, row);
            const long double value = Field(number)->Number();
            if (p.integer)
                cell.SetInteger(RoundToInt(value));
            else
                cell.SetFloat(value);
        }
    }
    if (soilType_ == SoilType::Clay && kClayAdhesion < table.ColumnCount()) {
        // A stored method outside the list (no item chosen), or one left as loaded,
        // is left as it is.
        if (adhesion_->currentIndex() >= 0 && adhesion_->currentIndex() != loadedAdhesion_)
            for (int row : {TopRow, BottomRow})
                table.Cell(kClayAdhesion, row).SetInteger(adhesion_->currentIndex());
        return;
    }
    // Friction angle and blow counts are either-or: when the user switched the choice,
    // the pair not chosen is zeroed. A layer left as it was opened keeps both.
    if (ByFriction() != loadedByFriction_)
        ChooseFrictionOrBlowCounts(table, soilType_, ByFriction());
}

void TDlgSoils::done(int result)
{
    if (!ValidateDataEdit(focusWidget()))
        return; // the field's message is shown; the window stays open
    if (!RunReportingErrors([this] { FormDeactivate(); }))
        return;
    QDialog::done(result);
}

} // namespace veldo
