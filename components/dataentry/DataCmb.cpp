#include "DataCmb.h"
#include "MessageCatalogue.h"

#include "Messages.h"
#include "MiscMath.h"
#include "NumText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace veldo {

namespace {

QString Display8(long double v) { return QString::fromStdString(formatGeneral8(v)); }

// Keys that may be typed (after upper-casing): backspace, "-", ".", the ASCII digits
// and "E" (digits of other scripts would pass QChar::isDigit but no number reader).
bool MayBeTyped(QChar c) { return c == QChar(8) || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9') || c == u'E'; }

} // namespace

TDataCombo::TDataCombo(QWidget* owner) : QComboBox(owner)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setEditText(QStringLiteral("0"));
}

void TDataCombo::SetIntegerOnly(bool value)
{
    integerOnly_ = value;
    if (value) {
        SetMaxVal(maxVal_);
        SetMinVal(minVal_);
    }
}

void TDataCombo::SetCaption(const QString& value)
{
    caption_ = value;
    UpdateLabel();
}

void TDataCombo::SetEditLabel(QLabel* label)
{
    label_ = label;
    if (label)
        label->setBuddy(this);
    UpdateLabel();
}

void TDataCombo::SetMaxVal(long double x)
{
    x = detail::NewMaxVal(x, minVal_, integerOnly_);
    const bool lower = Number() > x;
    maxVal_ = x;
    if (lower)
        SetNumber(x);
}

void TDataCombo::SetMinVal(long double x)
{
    x = detail::NewMinVal(x, maxVal_, integerOnly_);
    minVal_ = x;
    if (x > Number())
        SetNumber(x);
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

void TDataCombo::SetUnitsString(const QString& value)
{
    unitsString_ = value;
    UpdateLabel();
}

void TDataCombo::SetUnits(TUnitSystem value)
{
    units_ = detail::ClampUnits(value);
    UpdateLabel();
}

QString TDataCombo::ExpandUnits() const
{
    QString text = unitsString_;
    if (units_ == 3)
        return text;
    text.replace(QLatin1Char('F'), units_ == 1 ? QStringLiteral("lbs") : QStringLiteral("kN"));
    text.replace(QLatin1Char('L'), units_ == 1 ? QStringLiteral("in") : QStringLiteral("m"));
    return text;
}

void TDataCombo::UpdateLabel()
{
    if (!label_)
        return;
    label_->setEnabled(isEnabled());
    label_->setText(detail::LabelText(caption_, unitsString_, ExpandUnits()));
}

long double TDataCombo::CheckedNumber()
{
    const long double v = Number();
    if (integerOnly_ && v != std::trunc(v))
        throw DataCmb::EIntError();
    if (v < minVal_)
        throw DataCmb::EMinError();
    if (!(v <= maxVal_))
        throw DataCmb::EMaxError();
    return v;
}

void TDataCombo::DoExit()
{
    accepted_ = false;
    QString message;
    try {
        CheckedNumber();
        accepted_ = true; // the text stays as typed
        return;
    } catch (const EAssignError& e) {
        message = integerOnly_ ? Msg(TMsg::EntryValidInteger) : QString::fromStdString(e.what());
    } catch (const DataCmb::EIntError&) {
        message = Msg(TMsg::EntryInteger);
    } catch (const DataCmb::EMinError&) {
        SetNumber(minVal_);
        message = Msg(TMsg::EntryAtLeast, Display8(minVal_));
    } catch (const DataCmb::EMaxError&) {
        SetNumber(maxVal_);
        message = Msg(TMsg::EntryAtMost, Display8(maxVal_));
    }
    bool& reporting = detail::ReportingRefusal();
    const bool outer = !reporting;
    reporting = true;
    Messages().Information(message);
    setFocus(Qt::OtherFocusReason); // visible or not
    if (outer)
        reporting = false;
}

void TDataCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (!detail::ReportingRefusal() && detail::FocusStaysInForm(this))
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

bool ValidateDataCombo(QWidget* control)
{
    auto* combo = qobject_cast<TDataCombo*>(control);
    if (!combo)
        return true;
    combo->DoExit();
    return combo->Accepted();
}

} // namespace veldo
