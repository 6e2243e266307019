#include "SaveAttb.h"

#include "Messages.h"
#include "MiscMath.h"
#include "NumText.h"
#include "PlotScale.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>
#include <limits>

namespace veldo {

namespace {

constexpr long long kMaxBitmapSide = 32767;

QString displayForm(long double v)
{
    return QString::fromStdString(formatGeneral18(v));
}

} // namespace

TdlgFormat::TdlgFormat(QWidget *owner, QImage *bitmap) : QDialog(owner), bitmap_(bitmap)
{
    setWindowTitle(QStringLiteral("Save Attributes"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *grid = new QGridLayout;
    const long double big = std::numeric_limits<long double>::max();
    addEntry(deHeight, QStringLiteral("&Height (in)"), QStringLiteral("4"), 2, big, false);
    addEntry(deWidth, QStringLiteral("&Width (in)"), QStringLiteral("6"), 2, big, false);
    addEntry(dePPI, QStringLiteral("&Pixels Per Inch"), QStringLiteral("72"), 10, 2147483647, true);
    int row = 0;
    for (TNumberEntry *e : {&deHeight, &deWidth, &dePPI}) {
        grid->addWidget(e->Label, row, 0);
        grid->addWidget(e->Edit, row, 1);
        ++row;
    }
    auto *colors = new QGroupBox(QStringLiteral("Colors"), this);
    auto *colorLayout = new QVBoxLayout(colors);
    rbBlackWhite = new QRadioButton(QStringLiteral("Black and White"), colors);
    rb16Colors = new QRadioButton(QStringLiteral("16 Colors"), colors);
    rb256Colors = new QRadioButton(QStringLiteral("256 Colors"), colors);
    rbHighColor = new QRadioButton(QStringLiteral("High Color (16 bit)"), colors);
    rbTrueColor = new QRadioButton(QStringLiteral("True Color (24 bit)"), colors);
    for (QRadioButton *b : {rbBlackWhite, rb16Colors, rb256Colors, rbHighColor, rbTrueColor})
        colorLayout->addWidget(b);
    rb16Colors->setChecked(true);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TdlgFormat::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(2); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(colors);
    layout->addLayout(buttons);
}

void TdlgFormat::addEntry(TNumberEntry &entry, const QString &caption, const QString &text, long double min,
                          long double max, bool integerOnly)
{
    entry.Label = new QLabel(caption, this);
    entry.Edit = new QLineEdit(text, this);
    entry.Label->setBuddy(entry.Edit);
    entry.MinVal = min;
    entry.MaxVal = max;
    entry.IntegerOnly = integerOnly;
}

std::optional<long double> TdlgFormat::readEntry(TNumberEntry &entry)
{
    QString problem;
    long double v = 0;
    try {
        v = EvaluateEntry(entry.Edit->text().toStdString());
        if (entry.IntegerOnly && v != std::trunc(v)) {
            problem = QStringLiteral("Entry must be an integer.");
        } else if (v < entry.MinVal) {
            entry.Edit->setText(displayForm(entry.MinVal));
            problem = QStringLiteral("Entry must be greater than or equal to ") + displayForm(entry.MinVal);
        } else if (v > entry.MaxVal) {
            entry.Edit->setText(displayForm(entry.MaxVal));
            problem = QStringLiteral("Entry must be less than or equal to ") + displayForm(entry.MaxVal);
        }
    } catch (const EAssignError &e) {
        problem = entry.IntegerOnly ? QStringLiteral("Entry must be a valid integer.") : QString::fromStdString(e.what());
    }
    if (problem.isEmpty())
        return v;
    Messages().Warning(problem);
    entry.Edit->setFocus();
    return std::nullopt;
}

void TdlgFormat::btnOKClick()
{
    const auto height = readEntry(deHeight);
    if (!height)
        return;
    const auto width = readEntry(deWidth);
    if (!width)
        return;
    const auto ppi = readEntry(dePPI);
    if (!ppi)
        return;
    // Pixel counts in 64 bits; anything beyond a bitmap side's limit counts as too big.
    const auto side = [](long double inches, long double perInch) -> long long {
        const long double v = inches * perInch;
        return v < 1e15L ? RoundEven(v) : kMaxBitmapSide + 1;
    };
    const long long h = side(*height, *ppi);
    const long long w = side(*width, *ppi);
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
    done(1);
}

} // namespace veldo
