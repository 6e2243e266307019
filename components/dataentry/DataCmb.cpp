#include "DataCmb.h"

#include "Messages.h"
#include "MiscMath.h"
#include "NumText.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <cmath>

namespace veldo {

namespace {

QString Display8(long double v) { return QString::fromStdString(formatGeneral8(v)); }

// Keys that may be typed (after upper-casing): backspace, "-", ".", the ASCII digits
// and "E" (digits of other scripts would pass QChar::isDigit but no number reader).
bool MayBeTyped(QChar c) { return c == QChar(8) || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9') || c == u'E'; }

} // namespace

TDataCombo::TDataCombo(QWidget* owner) : QComboBox(owner), TNumericEntry(this)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setEditText(QStringLiteral("0"));
}

long double TDataCombo::Number()
{
    if (parentWidget()) {
        const int item = findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (item >= 0 && item < values_.size())
            setEditText(values_[item]);
    }
    return EvaluateEntry(currentText().toStdString());
}

void TDataCombo::SetNumber(long double x)
{
    if (x < minVal_)
        x = minVal_;
    if (x > maxVal_)
        x = maxVal_;
    setEditText(integerOnly_ ? QString::fromStdString(formatGeneral18(std::nearbyint(x))) : Display8(x));
}

QString TDataCombo::BoundText(long double bound) const { return Display8(bound); }

QString TDataCombo::ExpandUnits() const
{
    QString text = unitsString_;
    if (units_ == kRawUnits)
        return text;
    text.replace(QLatin1Char('F'), UnitWord("F", units_));
    text.replace(QLatin1Char('L'), UnitWord("L", units_));
    return text;
}

void TDataCombo::DoExit()
{
    accepted_ = false;
    TJudgement j;
    try {
        j = JudgeNumber(Number(), false);
    } catch (const EAssignError& e) {
        j = JudgeInvalid(e.what());
    }
    if (j.failure != TFailure::None) {
        RefuseJudged(j, false);
        return;
    }
    accepted_ = true; // the text stays as typed
}

void TDataCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (LeavingValidates())
        RunReportingErrors([this] { DoExit(); });
}

void TDataCombo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.isEmpty()) { // keys that type nothing (arrows, Delete) act as usual
        QComboBox::keyPressEvent(event);
        return;
    }
    const QString upper = typed.toUpper();
    if (upper.size() != 1 || !MayBeTyped(upper[0])) {
        event->accept(); // swallowed
        return;
    }
    QKeyEvent upperEvent(event->type(), event->key(), event->modifiers(), upper, event->isAutoRepeat(),
                         static_cast<quint16>(event->count()));
    QComboBox::keyPressEvent(&upperEvent);
    event->setAccepted(upperEvent.isAccepted());
}

void TDataCombo::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateLabel();
}

bool ValidateDataCombo(QWidget* control) { return ValidateEntry(qobject_cast<TDataCombo*>(control)); }

} // namespace veldo
