#include "DataEdit.h"
#include "MessageCatalogue.h"

#include "Messages.h"
#include "MiscMath.h"
#include "NumText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>

#include <charconv>
#include <cmath>
#include <cstdint>

namespace veldo {

namespace {

constexpr long double kInt32Min = -2147483648.0L;
constexpr long double kInt32Max = 2147483647.0L;

long double ClampToInt32(long double x) { return x < kInt32Min ? kInt32Min : (x > kInt32Max ? kInt32Max : x); }

bool HasFraction(long double v) { return v != std::trunc(v); }

// Replaces every occurrence of `token` in `text`, searching left to right.
void ReplaceAll(QString& text, const QString& token, const QString& word)
{
    for (qsizetype at = text.indexOf(token); at >= 0; at = text.indexOf(token, at + word.size()))
        text.replace(at, token.size(), word);
}

struct TUnitToken {
    const char* token;
    const char* english;
    const char* si;
};

// Tokens in the order they are looked for; the first that occurs is the one replaced.
constexpr TUnitToken kForceTokens[] = {
    {"F6", "slug", "Mg"}, {"F5", "sec", "sec"}, {"F4", "lb-sec2/in", "Mg"},
    {"F2", "tons", "kN"}, {"F1", "kips", "kN"}, {"F", "lbs", "kN"},
};
constexpr TUnitToken kLengthTokens[] = {
    {"L2", "ft", "m"},
    {"L1", "in", "mm"},
    {"L3", "rad", "rad"},
    {"L", "in", "m"},
};

template <std::size_t N> void ExpandFamily(QString& text, const TUnitToken (&family)[N], TUnitSystem units)
{
    for (const TUnitToken& t : family) {
        const QString token = QString::fromLatin1(t.token);
        if (text.contains(token)) {
            ReplaceAll(text, token, QString::fromLatin1(units == 1 ? t.english : t.si));
            return;
        }
    }
}

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

} // namespace

namespace detail {

bool FocusStaysInForm(const QWidget* from)
{
    const QWidget* next = QApplication::focusWidget();
    return next && next != from && FormOf(next) == FormOf(from);
}

bool& ReportingRefusal()
{
    static bool reporting = false;
    return reporting;
}

long double NewMaxVal(long double x, long double minVal, bool integerOnly)
{
    if (x < minVal)
        x = minVal;
    return integerOnly ? ClampToInt32(x) : x;
}

long double NewMinVal(long double x, long double maxVal, bool integerOnly)
{
    if (x > maxVal)
        x = maxVal;
    return integerOnly ? ClampToInt32(x) : x;
}

TUnitSystem ClampUnits(TUnitSystem units) { return units < 1 ? 1 : (units > 3 ? 3 : units); }

QString LabelText(const QString& caption, const QString& unitsString, const QString& unitWords)
{
    return unitsString.isEmpty() ? caption : caption + QStringLiteral(" (") + unitWords + QStringLiteral(")");
}

} // namespace detail

long double DefaultMaxVal()
{
    // Mantissa FFFFFFFFFFFFFFB0, biased exponent 7FFE: m x 2^(7FFE - 3FFF - 63).
    return std::ldexp(static_cast<long double>(0xFFFFFFFFFFFFFFB0ULL), 0x7FFE - 0x3FFF - 63);
}

long double DefaultMinVal() { return -DefaultMaxVal(); }

QString FormatEntryValue(bool hex, long double value)
{
    if (!hex)
        return QString::fromStdString(formatGeneral18(value));
    // Rounded half to even, within the 64-bit range; negative values show their
    // two's complement.
    long long rounded = 0;
    if (std::isnan(value))
        rounded = 0;
    else if (value >= 9223372036854775807.0L)
        rounded = INT64_MAX;
    else if (value <= -9223372036854775808.0L)
        rounded = INT64_MIN;
    else
        rounded = std::llrint(value);
    char digits[17] = {};
    const auto [end, ec] = std::to_chars(digits, digits + 16, static_cast<std::uint64_t>(rounded), 16);
    QString text = QString::fromLatin1(digits, end - digits).toUpper();
    return QStringLiteral("$") + text.rightJustified(4, QLatin1Char('0'));
}

TDataEdit::TDataEdit(QWidget* owner) : QLineEdit(QStringLiteral("0"), owner) {}

TDataEdit::TDataEdit(QWidget* owner, const TDataEditDesign& design, QLabel* editLabel)
    : QLineEdit(design.Text, owner), integerOnly_(design.IntegerOnly), caption_(design.Caption), hex_(design.Hex),
      maxVal_(design.MaxVal), minVal_(design.MinVal), minExclusive_(design.MinExclusive),
      unitsString_(design.UnitsString), units_(detail::ClampUnits(design.Units))
{
    if (editLabel)
        SetEditLabel(editLabel);
}

void TDataEdit::SetIntegerOnly(bool value)
{
    integerOnly_ = value;
    if (value) {
        SetMaxVal(maxVal_);
        SetMinVal(minVal_);
    }
}

void TDataEdit::SetCaption(const QString& value)
{
    caption_ = value;
    UpdateLabel();
}

void TDataEdit::SetEditLabel(QLabel* label)
{
    label_ = label;
    if (label)
        label->setBuddy(this);
    UpdateLabel();
}

void TDataEdit::SetMaxVal(long double x)
{
    x = detail::NewMaxVal(x, minVal_, integerOnly_);
    const bool lower = Number() > x;
    maxVal_ = x;
    if (lower)
        SetNumber(x);
}

void TDataEdit::SetMinVal(long double x)
{
    x = detail::NewMinVal(x, maxVal_, integerOnly_);
    minVal_ = x;
    if (x > Number())
        SetNumber(x);
}

long double TDataEdit::Number() const
{
    if (hasSetNumber_ && text() == setText_)
        return setNumber_;
    return EvaluateEntry(text().toStdString());
}

void TDataEdit::SetNumber(long double x)
{
    if (x < minVal_)
        x = minVal_;
    if (x > maxVal_)
        x = maxVal_;
    // The project file keeps 10 significant digits: more would show the noise of a
    // unit conversion (13.7160000000435254 for 45 ft).
    const QString shown = hex_ ? FormatEntryValue(hex_, x) : QString::fromStdString(formatGeneral10(x));
    setNumber_ = x;
    setText_ = shown;
    hasSetNumber_ = true;
    setText(shown);
    setCursorPosition(0);
}

void TDataEdit::SetUnitsString(const QString& value)
{
    unitsString_ = value;
    UpdateLabel();
}

void TDataEdit::SetUnits(TUnitSystem value)
{
    units_ = detail::ClampUnits(value);
    UpdateLabel();
}

QString TDataEdit::ExpandUnits() const
{
    QString text = unitsString_;
    if (units_ == 3)
        return text;
    ExpandFamily(text, kForceTokens, units_);
    ExpandFamily(text, kLengthTokens, units_);
    return text;
}

void TDataEdit::UpdateLabel()
{
    if (!label_)
        return;
    label_->setEnabled(isEnabled());
    label_->setText(detail::LabelText(caption_, unitsString_, ExpandUnits()));
}

long double TDataEdit::CheckedNumber() const
{
    const long double v = Number();
    if (integerOnly_ && HasFraction(v))
        throw EIntError();
    if (minExclusive_ ? !(v > minVal_) : v < minVal_)
        throw EMinError();
    if (!(v <= maxVal_))
        throw EMaxError();
    return v;
}

TDataEdit::TJudgement TDataEdit::Judge() const
{
    TJudgement j;
    try {
        j.value = CheckedNumber();
    } catch (const EAssignError& e) {
        j.failure = TFailure::Assign;
        j.message = integerOnly_ ? Msg(TMsg::EntryValidInteger) : QString::fromStdString(e.what());
    } catch (const EIntError&) {
        j.failure = TFailure::Int;
        j.message = Msg(TMsg::EntryInteger);
    } catch (const EMinError&) {
        j.failure = TFailure::Min;
        j.message = Msg(minExclusive_ ? TMsg::EntryAbove : TMsg::EntryAtLeast, FormatEntryValue(hex_, minVal_));
    } catch (const EMaxError&) {
        j.failure = TFailure::Max;
        j.message = Msg(TMsg::EntryAtMost, FormatEntryValue(hex_, maxVal_));
    }
    return j;
}

QString TDataEdit::EntryProblem() const { return Judge().message; }

void TDataEdit::DoExit()
{
    accepted_ = false;
    const TJudgement j = Judge();
    if (j.failure == TFailure::None) {
        // A number shown by SetNumber and left as it is keeps its text and precision.
        if (!(hasSetNumber_ && text() == setText_))
            setText(FormatEntryValue(hex_, j.value));
        accepted_ = true;
        return;
    }
    // An entry out of range becomes the bound it broke, unless the bound itself is
    // refused (an exclusive minimum): then the entry stays as typed.
    if (j.failure == TFailure::Min && !minExclusive_)
        SetNumber(minVal_);
    else if (j.failure == TFailure::Max)
        SetNumber(maxVal_);
    Refuse(j.message);
}

void TDataEdit::ReportProblem() { Refuse(EntryProblem()); }

void TDataEdit::Refuse(const QString& message)
{
    accepted_ = false;
    bool& reporting = detail::ReportingRefusal();
    const bool outer = !reporting;
    reporting = true;
    Messages().Information(message);
    Refocus();
    if (outer)
        reporting = false;
}

void TDataEdit::Refocus()
{
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

void TDataEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event); // the toolkit's own exit handling first
    if (!detail::ReportingRefusal() && detail::FocusStaysInForm(this))
        RunReportingErrors([this] { DoExit(); });
}

void TDataEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        RunReportingErrors([this] { DoExit(); });
        selectAll();
        event->accept(); // Enter goes no further
        return;
    }
    // "-" is left out: over a selected value it starts a negative number in its place.
    static const QString operators = QStringLiteral("+/*^=%!");
    const QString typed = event->text();
    if (typed.size() == 1 && operators.contains(typed) && selectedText().size() == text().size())
        end(false); // append the operator to the value instead of replacing it
    QLineEdit::keyPressEvent(event);
}

void TDataEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateLabel();
}

bool ValidateDataEdit(QWidget* control)
{
    auto* field = qobject_cast<TDataEdit*>(control);
    if (!field)
        return true;
    field->DoExit();
    return field->Accepted();
}

} // namespace veldo
