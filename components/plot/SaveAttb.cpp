#include "SaveAttb.h"

#include "DataEdit.h"
#include "DialogResults.h"
#include "Messages.h"
#include "PlotScale.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace veldo {

namespace {

constexpr long long kMaxBitmapSide = 32767;

} // namespace

TdlgFormat::TdlgFormat(QWidget* owner, QImage* bitmap) : QDialog(owner), bitmap_(bitmap)
{
    setWindowTitle(QStringLiteral("Save Attributes"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* grid = new QGridLayout;
    const QString inches = QStringLiteral("in");
    addEntry(deHeight, QStringLiteral("&Height"), inches, QStringLiteral("4"), 2, DefaultMaxVal(), false);
    addEntry(deWidth, QStringLiteral("&Width"), inches, QStringLiteral("6"), 2, DefaultMaxVal(), false);
    addEntry(dePPI, QStringLiteral("&Pixels Per Inch"), QString(), QStringLiteral("72"), 10, 2147483647, true);
    int row = 0;
    for (TNumberEntry* e : {&deHeight, &deWidth, &dePPI}) {
        grid->addWidget(e->Label, row, 0);
        grid->addWidget(e->Edit, row, 1);
        ++row;
    }
    auto* colors = new QGroupBox(QStringLiteral("Colors"), this);
    auto* colorLayout = new QVBoxLayout(colors);
    rbBlackWhite = new QRadioButton(QStringLiteral("Black and White"), colors);
    rb16Colors = new QRadioButton(QStringLiteral("16 Colors"), colors);
    rb256Colors = new QRadioButton(QStringLiteral("256 Colors"), colors);
    rbHighColor = new QRadioButton(QStringLiteral("High Color (16 bit)"), colors);
    rbTrueColor = new QRadioButton(QStringLiteral("True Color (24 bit)"), colors);
    for (QRadioButton* b : {rbBlackWhite, rb16Colors, rb256Colors, rbHighColor, rbTrueColor})
        colorLayout->addWidget(b);
    rb16Colors->setChecked(true);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnOK->setDefault(true);
    ConnectReportingErrors(btnOK, &QPushButton::clicked, this, &TdlgFormat::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(kDialogCancelled); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(colors);
    layout->addLayout(buttons);
}

void TdlgFormat::addEntry(TNumberEntry& entry, const QString& caption, const QString& unitsString, const QString& text,
                          long double min, long double max, bool integerOnly)
{
    TDataEditDesign design;
    design.Caption = caption;
    design.UnitsString = unitsString;
    design.Text = text;
    design.MinVal = min;
    design.MaxVal = max;
    design.IntegerOnly = integerOnly;
    entry.Label = new QLabel(this);
    entry.Edit = new TDataEdit(this, design, entry.Label);
}

int TdlgFormat::PixelsPerInch() const
{
    constexpr long double kLargest = 1 << 30;
    return static_cast<int>(RoundEven(std::clamp<long double>(dePPI.Edit->GetNumber(), 1, kLargest)));
}

TBitmapColors TdlgFormat::Colors() const
{
    if (rbBlackWhite->isChecked())
        return TBitmapColors::BlackAndWhite;
    if (rb256Colors->isChecked())
        return TBitmapColors::Colors256;
    if (rbHighColor->isChecked())
        return TBitmapColors::HighColor;
    if (rbTrueColor->isChecked())
        return TBitmapColors::TrueColor;
    return TBitmapColors::Colors16;
}

void TdlgFormat::btnOKClick()
{
    // Each entry is validated as if it were left (a refused one keeps the dialog open
    // with its message shown and the focus in it), then read.
    for (TNumberEntry* e : {&deHeight, &deWidth, &dePPI}) {
        if (!ValidateDataEdit(e->Edit))
            return;
    }
    const long double height = deHeight.Edit->GetNumber();
    const long double width = deWidth.Edit->GetNumber();
    const long double ppi = dePPI.Edit->GetNumber();
    // Pixel counts in 64 bits; anything beyond a bitmap side's limit counts as too big.
    const auto side = [](long double inches, long double perInch) -> long long {
        const long double v = inches * perInch;
        return v < 1e15L ? RoundEven(v) : kMaxBitmapSide + 1;
    };
    const long long h = side(height, ppi);
    const long long w = side(width, ppi);
    if (h > kMaxBitmapSide || w > kMaxBitmapSide || h <= 0 || w <= 0) {
        done(kNoMemory);
        return;
    }
    QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (image.isNull()) {
        done(kNoMemory);
        return;
    }
    *bitmap_ = std::move(image);
    done(QDialog::Accepted);
}

} // namespace veldo
