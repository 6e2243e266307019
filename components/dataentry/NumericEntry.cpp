#include "NumericEntry.h"
#include "MessageCatalogue.h"

#include "Messages.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace veldo {
namespace {

constexpr long double kInt32Min = -2147483648.0L;
constexpr long double kInt32Max = 2147483647.0L;

long double ClampToInt32(long double x) { return x < kInt32Min ? kInt32Min : (x > kInt32Max ? kInt32Max : x); }

// The window a widget belongs to for focus purposes: its MDI child, else its
// top-level window.
const QWidget* FormOf(const QWidget* w)
{
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        if (qobject_cast<const QMdiSubWindow*>(p) || p->isWindow())
            return p;
    }
    return nullptr;
}

// True when the focus moved from `from` to a widget of the same window (the same MDI
// child or the same top-level window): only then does leaving an entry validate it.
bool FocusStaysInForm(const QWidget* from)
{
    const QWidget* next = QApplication::focusWidget();
    return next && next != from && FormOf(next) == FormOf(from);
}

// Set while a refused entry is being reported and refocused, so that the widgets
// losing and regaining the focus meanwhile do not validate themselves in turn.
bool& ReportingRefusal()
{
    static bool reporting = false;
    return reporting;
}

} // namespace

long double DefaultMaxVal()
{
    // Mantissa FFFFFFFFFFFFFFB0, biased exponent 7FFE: m x 2^(7FFE - 3FFF - 63).
    return std::ldexp(static_cast<long double>(0xFFFFFFFFFFFFFFB0ULL), 0x7FFE - 0x3FFF - 63);
}

long double DefaultMinVal() { return -DefaultMaxVal(); }

void TNumericEntry::SetIntegerOnly(bool value)
{
    integerOnly_ = value;
    if (value) {
        SetMaxVal(maxVal_);
        SetMinVal(minVal_);
    }
}

void TNumericEntry::SetCaption(const QString& value)
{
    caption_ = value;
    UpdateLabel();
}

void TNumericEntry::SetEditLabel(QLabel* label)
{
    label_ = label;
    if (label)
        label->setBuddy(&widget_);
    UpdateLabel();
}

void TNumericEntry::SetMaxVal(long double x)
{
    if (x < minVal_)
        x = minVal_;
    if (integerOnly_)
        x = ClampToInt32(x);
    const bool lower = CurrentNumber() > x;
    maxVal_ = x;
    if (lower)
        SetNumber(x);
}

void TNumericEntry::SetMinVal(long double x)
{
    if (x > maxVal_)
        x = maxVal_;
    if (integerOnly_)
        x = ClampToInt32(x);
    minVal_ = x;
    if (x > CurrentNumber())
        SetNumber(x);
}

void TNumericEntry::SetUnitsString(const QString& value)
{
    unitsString_ = value;
    UpdateLabel();
}

void TNumericEntry::SetUnits(TUnitSystem value)
{
    units_ = std::clamp(value, UnitSystem::English, kRawUnits);
    UpdateLabel();
}

void TNumericEntry::UpdateLabel()
{
    if (!label_)
        return;
    label_->setEnabled(widget_.isEnabled());
    label_->setText(unitsString_.isEmpty() ? caption_
                                           : caption_ + QStringLiteral(" (") + ExpandUnits() + QStringLiteral(")"));
}

bool TNumericEntry::LeavingValidates() const { return !ReportingRefusal() && FocusStaysInForm(&widget_); }

TNumericEntry::TJudgement TNumericEntry::JudgeNumber(long double value, bool minExclusive) const
{
    TJudgement j;
    j.value = value;
    if (integerOnly_ && value != std::trunc(value)) {
        j.failure = TFailure::Int;
        j.message = Msg(TMsg::EntryInteger);
    } else if (minExclusive ? !(value > minVal_) : value < minVal_) {
        j.failure = TFailure::Min;
        j.message = Msg(minExclusive ? TMsg::EntryAbove : TMsg::EntryAtLeast, BoundText(minVal_));
    } else if (!(value <= maxVal_)) {
        j.failure = TFailure::Max;
        j.message = Msg(TMsg::EntryAtMost, BoundText(maxVal_));
    }
    return j;
}

TNumericEntry::TJudgement TNumericEntry::JudgeInvalid(const char* reason) const
{
    TJudgement j;
    j.failure = TFailure::Assign;
    j.message = integerOnly_ ? Msg(TMsg::EntryValidInteger) : QString::fromStdString(reason);
    return j;
}

void TNumericEntry::RefuseJudged(const TJudgement& judgement, bool minExclusive)
{
    if (judgement.failure == TFailure::Min && !minExclusive)
        SetNumber(minVal_);
    else if (judgement.failure == TFailure::Max)
        SetNumber(maxVal_);
    Refuse(judgement.message);
}

void TNumericEntry::Refuse(const QString& message)
{
    accepted_ = false;
    bool& reporting = ReportingRefusal();
    const bool outer = !reporting;
    reporting = true;
    Messages().Information(message);
    Refocus();
    if (outer)
        reporting = false;
}

bool ValidateEntry(TNumericEntry* entry)
{
    if (!entry)
        return true;
    entry->DoExit();
    return entry->Accepted();
}

} // namespace veldo
