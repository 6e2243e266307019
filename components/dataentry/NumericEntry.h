// What the numeric entry field and the numeric combo box share: the range and the
// integer-only flag with their setters, the caption and unit template shown on a
// companion label, and the checks and the refusal of the exit validation.
#pragma once

#include "UnitWords.h"

#include <QLabel>
#include <QPointer>
#include <QString>

class QWidget;

namespace veldo {

// Default bounds: just below the largest finite 80-bit value (mantissa
// FFFFFFFFFFFFFFB0, biased exponent 7FFE), positive and negative.
long double DefaultMaxVal();
long double DefaultMinVal();

// Mixed into a widget class (listed after the widget base): `widget` is the entry's
// own widget.
class TNumericEntry {
public:
    TNumericEntry(const TNumericEntry&) = delete;
    TNumericEntry& operator=(const TNumericEntry&) = delete;
    virtual ~TNumericEntry() = default;

    bool IntegerOnly() const { return integerOnly_; }
    // Stores; setting true re-applies MaxVal then MinVal through their setters.
    void SetIntegerOnly(bool value);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);

    QLabel* EditLabel() const { return label_; }
    // The label's buddy becomes the entry; the label is refreshed.
    void SetEditLabel(QLabel* label);

    long double MaxVal() const { return maxVal_; }
    // x below MinVal becomes MinVal; with IntegerOnly x is clamped to the 32-bit
    // range; a Number above x becomes x. Throws EAssignError for an invalid text.
    void SetMaxVal(long double x);

    long double MinVal() const { return minVal_; }
    // x above MaxVal becomes MaxVal; the same clamp; a Number below x becomes x.
    // Throws EAssignError for an invalid text.
    void SetMinVal(long double x);

    // Clamps x into MinVal..MaxVal and shows it.
    virtual void SetNumber(long double x) = 0;

    const QString& UnitsString() const { return unitsString_; }
    void SetUnitsString(const QString& value);

    TUnitSystem Units() const { return units_; }
    // Values below UnitSystem::English become English, above kRawUnits become
    // kRawUnits; the label is refreshed.
    void SetUnits(TUnitSystem value);

    // The unit template with its tokens replaced by unit words.
    virtual QString ExpandUnits() const = 0;

    // True when the last exit validation passed.
    bool Accepted() const { return accepted_; }

    // Exit validation: evaluates and checks the entry; a refused entry gives one
    // information box and the focus back. Sets Accepted.
    virtual void DoExit() = 0;

protected:
    explicit TNumericEntry(QWidget* widget) : widget_(*widget) {}

    enum class TFailure { None, Assign, Int, Min, Max };
    struct TJudgement {
        TFailure failure = TFailure::None;
        long double value = 0;
        QString message; // empty when accepted
    };
    // Checks an evaluated entry against IntegerOnly, MinVal (or, with
    // `minExclusive`, above MinVal) and MaxVal.
    TJudgement JudgeNumber(long double value, bool minExclusive) const;
    // The judgement of an entry that could not be evaluated.
    TJudgement JudgeInvalid(const char* reason) const;
    // A refused entry: one out of range first becomes the bound it broke (unless
    // the bound itself is refused, an exclusive minimum); then Refuse.
    void RefuseJudged(const TJudgement& judgement, bool minExclusive);
    // Refuses the entry: one information box with `message`, the focus back to the
    // entry, Accepted false.
    void Refuse(const QString& message);

    // The number of the entry as it stands; throws EAssignError for an invalid entry.
    virtual long double CurrentNumber() = 0;
    // A bound as the refusal message writes it.
    virtual QString BoundText(long double bound) const = 0;
    // Gives the focus back after a refusal.
    virtual void Refocus() = 0;

    // Shows the caption and the unit words on the label, enabled like the entry.
    void UpdateLabel();
    // True when leaving the entry for a widget of the same window validates it (not
    // while a refusal is being reported).
    bool LeavingValidates() const;

    bool integerOnly_ = false;
    QString caption_;
    QPointer<QLabel> label_;
    long double maxVal_ = DefaultMaxVal();
    long double minVal_ = DefaultMinVal();
    QString unitsString_;
    TUnitSystem units_ = UnitSystem::English;
    bool accepted_ = false;

private:
    QWidget& widget_;
};

// Runs the exit validation of an entry and returns its accepted flag; no entry counts
// as accepted.
bool ValidateEntry(TNumericEntry* entry);

} // namespace veldo
