#include "cpilepro.h"
#include "MessageCatalogue.h"

#include "Messages.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineF>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldo {

// ---- Pile sketches ------------------------------------------------------------------

namespace {

constexpr QSize SmallSketch(56, 44);
constexpr QSize LargeSketch(122, 102);

void ArrowHead(QPainter& p, QPointF tip, qreal angle)
{
    p.drawLine(QLineF::fromPolar(5, angle + 150).translated(tip));
    p.drawLine(QLineF::fromPolar(5, angle - 150).translated(tip));
}

// A dimension line with arrow heads at both ends.
void Dimension(QPainter& p, QPointF a, QPointF b)
{
    const QLineF line(a, b);
    p.drawLine(line);
    ArrowHead(p, b, line.angle());
    ArrowHead(p, a, line.angle() + 180);
}

void Label(QPainter& p, QPointF at, const QString& text)
{
    p.drawText(QRectF(at.x() - 12, at.y() - 8, 24, 16), Qt::AlignCenter, text);
}

// A pile standing in the ground, with a dimension from `top` to `bottom` beside it.
void PileInGround(QPainter& p, qreal top, qreal bottom)
{
    constexpr qreal ground = 14;
    p.drawLine(QPointF(2, ground), QPointF(38, ground));
    for (qreal x = 4; x < 38; x += 6)
        p.drawLine(QPointF(x, ground), QPointF(x - 3, ground + 3));
    p.fillRect(QRectF(14, 3, 8, 38), p.background());
    p.drawRect(QRectF(14, 3, 8, 38));
    p.drawLine(QPointF(22, top), QPointF(52, top));
    p.drawLine(QPointF(22, bottom), QPointF(52, bottom));
    Dimension(p, QPointF(48, top), QPointF(48, bottom));
}

// A ring section with a dimension across it at the given radius.
void RingSection(QPainter& p, qreal radius)
{
    const QPointF centre(28, 22);
    QPainterPath ring;
    ring.addEllipse(centre, 18, 18);
    ring.addEllipse(centre, 12, 12);
    ring.setFillRule(Qt::OddEvenFill);
    p.fillPath(ring, QBrush(p.pen().color(), Qt::BDiagPattern));
    p.drawPath(ring);
    Dimension(p, centre - QPointF(radius, 0), centre + QPointF(radius, 0));
}

// The lower end of a pipe pile in section: thinner walls below y = 28.
void PipeLowerEnd(QPainter& p)
{
    p.drawRect(QRectF(10, 2, 6, 26));
    p.drawRect(QRectF(34, 2, 6, 26));
    p.drawRect(QRectF(10, 28, 3, 14));
    p.drawRect(QRectF(37, 28, 3, 14));
}

void SteelBeam(QPainter& p)
{
    // Flange width L1 = 80, depth L2 = 68, flange thickness W1 = 10, web W2 = 8.
    const QPolygonF h({{20, 14},
                       {100, 14},
                       {100, 24},
                       {64, 24},
                       {64, 72},
                       {100, 72},
                       {100, 82},
                       {20, 82},
                       {20, 72},
                       {56, 72},
                       {56, 24},
                       {20, 24}});
    p.drawPolygon(h);
    Dimension(p, QPointF(20, 7), QPointF(100, 7));
    Label(p, QPointF(60, 2), QStringLiteral("L1"));
    Dimension(p, QPointF(10, 14), QPointF(10, 82));
    Label(p, QPointF(10, 48), QStringLiteral("L2"));
    Label(p, QPointF(110, 19), QStringLiteral("W1"));
    Label(p, QPointF(78, 48), QStringLiteral("W2"));
}

void SquareBeam(QPainter& p)
{
    p.drawRect(QRectF(30, 18, 64, 64));
    Dimension(p, QPointF(30, 10), QPointF(94, 10));
    Label(p, QPointF(62, 4), QStringLiteral("L1"));
    Dimension(p, QPointF(20, 18), QPointF(20, 82));
    Label(p, QPointF(10, 50), QStringLiteral("L2"));
}

} // namespace

TPilePicture::TPilePicture(TPileSketch sketch, QWidget* focusTarget, QWidget* parent)
    : QWidget(parent), sketch_(sketch), target_(focusTarget)
{
    setFixedSize(sizeHint());
}

QSize TPilePicture::sizeHint() const
{
    const bool beam = sketch_ == TPileSketch::SteelBeam || sketch_ == TPileSketch::SquareBeam;
    return beam ? LargeSketch : SmallSketch;
}

void TPilePicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const auto group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    p.setPen(QPen(palette().color(group, QPalette::WindowText), 1));
    p.setBackground(palette().color(group, QPalette::Window));
    switch (sketch_) {
    case TPileSketch::OuterDiameter:
        RingSection(p, 18);
        break;
    case TPileSketch::InnerDiameter:
        RingSection(p, 12);
        break;
    case TPileSketch::TotalLength:
        PileInGround(p, 3, 41);
        break;
    case TPileSketch::StickupLength:
        PileInGround(p, 3, 14);
        break;
    case TPileSketch::ZeroFrictionLength:
        PileInGround(p, 14, 27);
        break;
    case TPileSketch::EndInnerDiameter:
        PipeLowerEnd(p);
        Dimension(p, QPointF(13, 36), QPointF(37, 36));
        break;
    case TPileSketch::EndSectionLength:
        PipeLowerEnd(p);
        Dimension(p, QPointF(48, 28), QPointF(48, 42));
        break;
    case TPileSketch::SteelBeam:
        p.translate(0, 8); // room for the L1 label
        SteelBeam(p);
        break;
    case TPileSketch::SquareBeam:
        p.translate(0, 8);
        SquareBeam(p);
        break;
    }
}

void TPilePicture::mousePressEvent(QMouseEvent* event)
{
    if (target_ && target_->isEnabled())
        target_->setFocus(Qt::MouseFocusReason);
    event->accept();
}

TPilePicture* PlaceFieldRow(QGridLayout& grid, int row, TDataEdit& field, std::optional<TPileSketch> sketch,
                            const QString& pictureName)
{
    TPilePicture* picture = nullptr;
    if (sketch) {
        picture = new TPilePicture(*sketch, &field, field.parentWidget());
        picture->setObjectName(pictureName);
        grid.addWidget(picture, row, 0);
    }
    grid.addWidget(field.EditLabel(), row, 1);
    grid.addWidget(&field, row, 2);
    return picture;
}

// ---- Stickup-length field -----------------------------------------------------------

const QString TStickupEdit::NegativeMessage = MessageText(TMsg::StickupNegative);

TStickupEdit::TStickupEdit(QWidget* owner, const TDataEditDesign& design, QLabel* label)
    : TDataEdit(owner, design, label)
{
}

bool TStickupEdit::Negative() const { return TDataEdit::EntryProblem().isEmpty() && Number() < 0; }

QString TStickupEdit::EntryProblem() const { return Negative() ? NegativeMessage : TDataEdit::EntryProblem(); }

void TStickupEdit::ReportProblem()
{
    if (Negative())
        DoExit();
    else
        TDataEdit::ReportProblem();
}

void TStickupEdit::DoExit()
{
    if (!Negative()) {
        TDataEdit::DoExit();
        return;
    }
    SetNumber(0);
    Refuse(NegativeMessage);
}

// ---- Circular pile properties window ------------------------------------------------

const QString TfrmShaftpeneta::Caption = QStringLiteral("Circular Pile Properties");
const QString TfrmShaftpeneta::Note = QStringLiteral("(Note: leave values of end section as zero if none is present)");

namespace {

constexpr int CircularWindowTop = 20;

} // namespace

TfrmShaftpeneta::TfrmShaftpeneta(TMainForm& main) : TInputWindow(main, Caption)
{
    setObjectName(QStringLiteral("frmShaftpeneta"));
    const QString diameter = QStringLiteral("L1");
    const QString length = QStringLiteral("L2");
    DataEdit8 = MakeField(this, QStringLiteral("DataEdit8"), QStringLiteral("&Outer Diameter, OD"), diameter);
    DataEdit9 = MakeField(this, QStringLiteral("DataEdit9"), QStringLiteral("&Inner Diameter, ID"), diameter);
    DataEdit10 = MakeField(this, QStringLiteral("DataEdit10"), QStringLiteral("&Total Length, TL"), length);
    DataEdit1 =
        MakeField<TStickupEdit>(this, QStringLiteral("DataEdit1"), QStringLiteral("&Pile Stickup Length, PSL"), length);
    DataEdit13 =
        MakeField(this, QStringLiteral("DataEdit13"), QStringLiteral("Zero-&Friction Length from Ground, ZFL"), length);
    DataEdit12 = MakeField(this, QStringLiteral("DataEdit12"),
                           QStringLiteral("Inner &Diameter of Lower-End Section, EID"), diameter);
    DataEdit11 =
        MakeField(this, QStringLiteral("DataEdit11"), QStringLiteral("&Lower End Section Length, ESL"), length);

    auto* grid = new QGridLayout(this);
    PlaceFieldRow(*grid, 0, *DataEdit8, TPileSketch::OuterDiameter, QStringLiteral("Image2"));
    Image3 = PlaceFieldRow(*grid, 1, *DataEdit9, TPileSketch::InnerDiameter, QStringLiteral("Image3"));
    PlaceFieldRow(*grid, 2, *DataEdit10, TPileSketch::TotalLength, QStringLiteral("Image7"));
    PlaceFieldRow(*grid, 3, *DataEdit1, TPileSketch::StickupLength, QStringLiteral("Image8"));
    PlaceFieldRow(*grid, 4, *DataEdit13, TPileSketch::ZeroFrictionLength, QStringLiteral("Image4"));
    Image6 = PlaceFieldRow(*grid, 5, *DataEdit12, TPileSketch::EndInnerDiameter, QStringLiteral("Image6"));
    Image5 = PlaceFieldRow(*grid, 6, *DataEdit11, TPileSketch::EndSectionLength, QStringLiteral("Image5"));

    NoteLabel = new QLabel(Note, this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    grid->addWidget(NoteLabel, 7, 0, 1, 3);

    GroupBox4 = new QGroupBox(QStringLiteral("Plugged / Unplugged Conditions "), this);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    auto* plugLayout = new QVBoxLayout(GroupBox4);
    OptIntPlug =
        AddRadio(plugLayout, QStringLiteral("OptIntPlug"), QStringLiteral("Internal Pile Plug Calculated by Program"));
    OptPlug = AddRadio(plugLayout, QStringLiteral("OptPlug"), QStringLiteral("Plugged for open-ended pile"));
    OptUnplug = AddRadio(plugLayout, QStringLiteral("OptUnplug"), QStringLiteral("Unplugged for open-ended pile"));
    grid->addWidget(GroupBox4, 8, 0, 1, 3);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Button1"));
    grid->addWidget(close, 9, 2, Qt::AlignRight);
    ConnectReportingErrors(close, &QPushButton::clicked, this, &TInputWindow::CloseClick);

    for (TDataEdit* field :
         {DataEdit8, DataEdit9, DataEdit10, static_cast<TDataEdit*>(DataEdit1), DataEdit13, DataEdit12, DataEdit11})
        MarkModifiedOn(field);
    for (QRadioButton* radio : {OptIntPlug, OptPlug, OptUnplug})
        MarkModifiedOn(radio);
}

void TfrmShaftpeneta::LoadFromProject()
{
    if (QMdiSubWindow* frame = SubWindow())
        frame->move(frame->x(), CircularWindowTop);
    LoadFields(NumberFields());
    ApplyEnabling();
    switch (Data().PlugCondition) {
    case PlugCondition::Plugged:
        OptPlug->setChecked(true);
        break;
    case PlugCondition::Unplugged:
        OptUnplug->setChecked(true);
        break;
    default:
        OptIntPlug->setChecked(true);
        break;
    }
}

void TfrmShaftpeneta::ApplyEnabling()
{
    const TProgramData& d = Data();
    const bool inner = HollowSection(d.PileType, d.Circular);
    const bool endSection = inner && !d.ClosedEnded;
    DataEdit9->SetEnabled(inner);
    Image3->setEnabled(inner);
    for (QWidget* control : std::initializer_list<QWidget*>{DataEdit12, DataEdit11, Image6, Image5, NoteLabel})
        control->setEnabled(endSection);
    if (!inner) {
        DataEdit9->SetNumber(0);
        DataEdit11->SetNumber(0);
        DataEdit12->SetNumber(0);
    }
    GroupBox4->setVisible(endSection);
}

std::array<TInputWindow::TNumberField, 7> TfrmShaftpeneta::NumberFields() const
{
    return {{{DataEdit1, &TProgramData::StickupLength},
             {DataEdit8, &TProgramData::OutsideDiameter},
             {DataEdit9, &TProgramData::InsideDiameter},
             {DataEdit10, &TProgramData::TotalLength},
             {DataEdit11, &TProgramData::EndSectionLength},
             {DataEdit12, &TProgramData::EndSectionInnerDiameter},
             {DataEdit13, &TProgramData::ZeroFrictionLength}}};
}

int TfrmShaftpeneta::CheckedPlugCondition() const
{
    if (OptPlug->isChecked())
        return PlugCondition::Plugged;
    if (OptUnplug->isChecked())
        return PlugCondition::Unplugged;
    return PlugCondition::Computed;
}

void TfrmShaftpeneta::CommitToProject()
{
    StoreFields(NumberFields());
    Data().PlugCondition = CheckedPlugCondition();
}

} // namespace veldo
