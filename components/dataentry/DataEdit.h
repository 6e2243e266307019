// Numeric entry field: a single-line edit whose text may be a number or an
// expression. Leaving the field (or pressing Enter) evaluates the text, checks it
// against IntegerOnly, MinVal and MaxVal and rewrites it as the evaluated number, or
// refuses it with a message box and keeps the focus. A companion label shows the
// caption followed by the unit words of the unit template.
#pragma once

#include "NumericEntry.h"

#include <QLabel>
#include <QLineEdit>
#include <QString>

namespace veldo {

// Display form of a value: with `hex`, "$" and the value rounded to an integer in
// upper-case hexadecimal with at least 4 digits; otherwise the general format with
// 18 significant digits.
QString FormatEntryValue(bool hex, long double value);

// The published settings of a field as a form description sets them: stored as they
// stand, without the range setters' clamping and without touching the text.
struct TDataEditDesign {
    QString Caption;
    QString UnitsString;
    long double MinVal = DefaultMinVal();
    long double MaxVal = DefaultMaxVal();
    bool MinExclusive = false;
    bool IntegerOnly = false;
    bool Hex = false;
    TUnitSystem Units = UnitSystem::English;
    QString Text = QStringLiteral("0");
};

class TDataEdit : public QLineEdit, public TNumericEntry {
    Q_OBJECT
public:
    // Text "0", IntegerOnly false, the extreme bounds, English units.
    explicit TDataEdit(QWidget* owner = nullptr);
    // A field with the settings of a form description (and optionally its label).
    TDataEdit(QWidget* owner, const TDataEditDesign& design, QLabel* editLabel = nullptr);

    bool Hex() const { return hex_; }
    void SetHex(bool value) { hex_ = value; }

    // With an exclusive minimum the entry must be greater than MinVal (a length or an
    // area that must not be 0); MinVal itself is refused and never written in.
    bool MinExclusive() const { return minExclusive_; }
    void SetMinExclusive(bool value) { minExclusive_ = value; }

    // Evaluates the current text; throws EAssignError for an invalid entry. While the
    // text is still the one SetNumber showed, the number set, at full precision.
    long double Number() const;
    long double GetNumber() const { return Number(); }
    // Clamps x into MinVal..MaxVal and shows it with at most 10 significant digits
    // (trailing zeros dropped; the hexadecimal form with Hex), caret at the start.
    // The number keeps its full precision until the text is edited.
    void SetNumber(long double x) override;

    // The edit's own enabled state; the label follows it.
    void SetEnabled(bool value) { setEnabled(value); }

    // The unit template with its force and length tokens replaced by unit words.
    QString ExpandUnits() const override;

    // Exit validation: evaluates, checks and rewrites the text; a refused entry
    // gives one information box and the focus back (an entry out of range is first
    // replaced by the violated bound). Sets Accepted. Runs on leaving the field, on
    // Enter, and when a command commits the field's window. A field with a check of
    // its own overrides this and EntryProblem together.
    void DoExit() override;

    // The message the exit validation would give for the current text, or an empty
    // text when it would accept it. Changes nothing.
    virtual QString EntryProblem() const;

    // When a command commits the field's window and EntryProblem is not empty: shows
    // the problem and gives the focus back, the entry kept as typed for the user to
    // correct. A field whose own check sets a value (as its message says) sets it here
    // as on leaving.
    virtual void ReportProblem();

protected:
    long double CurrentNumber() override { return Number(); }
    QString BoundText(long double bound) const override { return FormatEntryValue(hex_, bound); }
    // Gives the focus back to the field when it is visible.
    void Refocus() override;

    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Evaluates the text and checks it.
    TJudgement Judge() const;

    bool hex_ = false;
    bool minExclusive_ = false;
    // The number SetNumber showed and the text it showed it with.
    long double setNumber_ = 0;
    QString setText_;
    bool hasSetNumber_ = false;
};

// Runs the exit validation of a field (message and refocusing included) and returns
// its accepted flag; a control that is not a TDataEdit counts as accepted.
bool ValidateDataEdit(QWidget* control);

} // namespace veldo
