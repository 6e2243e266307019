#include "PageSet.h"
#include "MessageCatalogue.h"

#include "Messages.h"
#include "Misc.h"

#include "PrintDialogs.h"

#include <QPrinter>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace veldo {

namespace {

// Flag of each option in the system dialog's flag word, in enum order.
constexpr std::array<std::pair<TPageSetupFlags, unsigned>, 9> kFlagWords{{
    {TPageSetupFlags::poDefaultMinMargins, 0},
    {TPageSetupFlags::poDisableMargins, 16},
    {TPageSetupFlags::poMargins, 2},
    {TPageSetupFlags::poMinMargins, 1},
    {TPageSetupFlags::poDisableOrientation, 256},
    {TPageSetupFlags::poDisablePaper, 512},
    {TPageSetupFlags::poDisablePrinter, 32},
    {TPageSetupFlags::poHundredthsOfMillimeters, 8},
    {TPageSetupFlags::poThousandthsOfInches, 4},
}};

// A failure inside a step of the dialog, shown as "Error in <step>" + line + message.
QString errorIn(const QString& where, const QString& message) { return Msg(TMsg::PrinterError, where, message); }

// Checks the printer; failures are shown, then raised as "Error getting Printer".
void checkPrinter(const QPrinter* printer)
{
    QString problem;
    if (!printer)
        problem = QStringLiteral("Printer not Assigned");
    else if (!printer->isValid())
        problem = QStringLiteral("DeviceMode equals 0");
    if (problem.isEmpty())
        return;
    Messages().Information(errorIn(QStringLiteral("GetPrinter"), problem));
    throw std::runtime_error(QStringLiteral("Error getting Printer\n%1").arg(problem).toStdString());
}

} // namespace

TPageOptions::TPageOptions(std::initializer_list<TPageSetupFlags> flags)
{
    for (TPageSetupFlags f : flags)
        bits_ |= static_cast<unsigned>(f);
}

TPageOptions TPageOptions::With(TPageSetupFlags f) const
{
    TPageOptions o = *this;
    o.bits_ |= static_cast<unsigned>(f);
    return o;
}

TPageOptions TPageOptions::Without(TPageSetupFlags f) const
{
    TPageOptions o = *this;
    o.bits_ &= ~static_cast<unsigned>(f);
    return o;
}

TPageSetupDialog::TPageSetupDialog(QObject* owner) : QObject(owner)
{
    SetOptions({TPageSetupFlags::poDefaultMinMargins, TPageSetupFlags::poHundredthsOfMillimeters});
}

void TPageSetupDialog::SetOptions(TPageOptions options)
{
    using F = TPageSetupFlags;
    const std::array<std::pair<F, F>, 2> partners{
        {{F::poDefaultMinMargins, F::poMinMargins}, {F::poHundredthsOfMillimeters, F::poThousandthsOfInches}}};
    for (const auto& [a, b] : partners) {
        if (options.Has(a) && !options_.Has(a))
            options = options.Without(b);
        else if (options.Has(b) && !options_.Has(b))
            options = options.Without(a);
    }
    options_ = options;
    flags_ = 0;
    for (const auto& [flag, word] : kFlagWords)
        if (options_.Has(flag))
            flags_ |= word;
}

void TPageSetupDialog::SetMarginLeft(int v) { marginLeft_ = Max(v, minLeft_); }
void TPageSetupDialog::SetMarginTop(int v) { marginTop_ = Max(v, minTop_); }
void TPageSetupDialog::SetMarginRight(int v) { marginRight_ = Max(v, minRight_); }
void TPageSetupDialog::SetMarginBottom(int v) { marginBottom_ = Max(v, minBottom_); }
void TPageSetupDialog::SetMinMarginLeft(int v) { minLeft_ = Min(v, marginLeft_); }
void TPageSetupDialog::SetMinMarginTop(int v) { minTop_ = Min(v, marginTop_); }
void TPageSetupDialog::SetMinMarginRight(int v) { minRight_ = Min(v, marginRight_); }
void TPageSetupDialog::SetMinMarginBottom(int v) { minBottom_ = Min(v, marginBottom_); }

double TPageSetupDialog::unitsPerMillimetre() const
{
    return options_.Has(TPageSetupFlags::poThousandthsOfInches) ? 1000.0 / 25.4 : 100.0;
}

bool TPageSetupDialog::Execute(QWidget* parent)
{
    accepted_ = false;
    try {
        checkPrinter(printer_);
        runDialog(parent);
    } catch (const std::exception& e) {
        Messages().Information(errorIn(QStringLiteral("TPageSetupDialog.Execute"), QString::fromStdString(e.what())));
        return false;
    }
    return accepted_;
}

void TPageSetupDialog::runDialog(QWidget* parent)
{
    const double perMm = unitsPerMillimetre();
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF(minLeft_ / perMm, minTop_ / perMm, minRight_ / perMm, minBottom_ / perMm));
    layout.setMargins(QMarginsF(marginLeft_ / perMm, marginTop_ / perMm, marginRight_ / perMm, marginBottom_ / perMm));
    printer_->setPageLayout(layout);

    if (!PrintDialogs().PageSetup(*printer_, parent))
        return;
    const QPageLayout result = printer_->pageLayout();
    const QSizeF paper = result.fullRect(QPageLayout::Millimeter).size();
    paperLength_ = static_cast<int>(std::lround(paper.height() * perMm));
    paperWidth_ = static_cast<int>(std::lround(paper.width() * perMm));
    const QMarginsF m = result.margins(QPageLayout::Millimeter);
    SetMarginLeft(static_cast<int>(std::lround(m.left() * perMm)));
    SetMarginTop(static_cast<int>(std::lround(m.top() * perMm)));
    SetMarginRight(static_cast<int>(std::lround(m.right() * perMm)));
    SetMarginBottom(static_cast<int>(std::lround(m.bottom() * perMm)));
    accepted_ = true;
}

} // namespace veldo
