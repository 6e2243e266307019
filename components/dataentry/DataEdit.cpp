#include "DataEdit.h"

#include "Messages.h"
#include "MiscMath.h"
#include "NumText.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <charconv>
#include <cmath>
#include <cstdint>

namespace veldo {

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

TDataEdit::TDataEdit(QWidget* owner) : QLineEdit(QStringLiteral("0"), owner), TNumericEntry(this) {}

TDataEdit::TDataEdit(QWidget* owner, const TDataEditDesign& design, QLabel* editLabel)
    : QLineEdit(design.Text, owner), TNumericEntry(this), hex_(design.Hex), minExclusive_(design.MinExclusive)
{
    integerOnly_ = design.IntegerOnly;
    caption_ = design.Caption;
    maxVal_ = design.MaxVal;
    minVal_ = design.MinVal;
    unitsString_ = design.UnitsString;
    SetUnits(design.Units);
    if (editLabel)
        SetEditLabel(editLabel);
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

QString TDataEdit::ExpandUnits() const
{
    QString text = unitsString_;
    if (units_ == kRawUnits)
        return text;
    ReplaceFirstUnitToken(text, {"F6", "F5", "F4", "F2", "F1", "F"}, units_);
    ReplaceFirstUnitToken(text, {"L2", "L1", "L3", "L"}, units_);
    return text;
}

TDataEdit::TJudgement TDataEdit::Judge() const
{
    try {
        return JudgeNumber(Number(), minExclusive_);
    } catch (const EAssignError& e) {
        return JudgeInvalid(e.what());
    }
}

QString TDataEdit::EntryProblem() const { return Judge().message; }

void TDataEdit::DoExit()
{
    accepted_ = false;
    const TJudgement j = Judge();
    if (j.failure != TFailure::None) {
        RefuseJudged(j, minExclusive_);
        return;
    }
    // A number shown by SetNumber and left as it is keeps its text and precision.
    if (!(hasSetNumber_ && text() == setText_))
        setText(FormatEntryValue(hex_, j.value));
    accepted_ = true;
}

void TDataEdit::ReportProblem() { Refuse(EntryProblem()); }

void TDataEdit::Refocus()
{
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

void TDataEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event); // the toolkit's own exit handling first
    if (LeavingValidates())
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

bool ValidateDataEdit(QWidget* control) { return ValidateEntry(qobject_cast<TDataEdit*>(control)); }

} // namespace veldo
