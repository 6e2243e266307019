// Numeric entry field: a single-line edit whose text may be a number or an
// expression. Leaving the field (or pressing Enter) evaluates the text, checks it
// against IntegerOnly, MinVal and MaxVal and rewrites it as the evaluated number, or
// refuses it with a message box and keeps the focus. A companion label shows the
// caption followed by the unit words of the unit template.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <exception>

namespace veldo {

// Unit system code: 1 English, 2 SI, 3 unit tokens left as typed.
using TUnitSystem = int;

// Failures of the exit validation; raised without a message and caught inside it.
class EIntError : public std::exception {
public:
    const char* what() const noexcept override { return "EIntError"; }
};
class EMinError : public std::exception {
public:
    const char* what() const noexcept override { return "EMinError"; }
};
class EMaxError : public std::exception {
public:
    const char* what() const noexcept override { return "EMaxError"; }
};

// Default bounds: just below the largest finite 80-bit value (mantissa
// FFFFFFFFFFFFFFB0, biased exponent 7FFE), positive and negative.
long double DefaultMaxVal();
long double DefaultMinVal();

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
    TUnitSystem Units = 1;
    QString Text = QStringLiteral("0");
};

class TDataEdit : public QLineEdit {
    Q_OBJECT
public:
    // Text "0", IntegerOnly false, the extreme bounds, Units 1.
    explicit TDataEdit(QWidget* owner = nullptr);
    // A field with the settings of a form description (and optionally its label).
    TDataEdit(QWidget* owner, const TDataEditDesign& design, QLabel* editLabel = nullptr);

    bool IntegerOnly() const { return integerOnly_; }
    // Stores; setting true re-applies MaxVal then MinVal through their setters.
    void SetIntegerOnly(bool value);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);

    QLabel* EditLabel() const { return label_; }
    // The label's buddy becomes this field; the label is refreshed.
    void SetEditLabel(QLabel* label);

    bool Hex() const { return hex_; }
    void SetHex(bool value) { hex_ = value; }

    long double MaxVal() const { return maxVal_; }
    // x below MinVal becomes MinVal; with IntegerOnly x is clamped to the 32-bit
    // range; a Number above x becomes x. Throws EAssignError for an invalid text.
    void SetMaxVal(long double x);

    long double MinVal() const { return minVal_; }
    // x above MaxVal becomes MaxVal; the same clamp; a Number below x becomes x.
    // Throws EAssignError for an invalid text.
    void SetMinVal(long double x);

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
    void SetNumber(long double x);

    const QString& UnitsString() const { return unitsString_; }
    void SetUnitsString(const QString& value);

    TUnitSystem Units() const { return units_; }
    // Values below 1 become 1, above 3 become 3; the label is refreshed.
    void SetUnits(TUnitSystem value);

    // The edit's own enabled state; the label follows it.
    void SetEnabled(bool value) { setEnabled(value); }

    // The unit template with its force and length tokens replaced by unit words.
    QString ExpandUnits() const;

    // True when the last exit validation passed.
    bool Accepted() const { return accepted_; }

    // Exit validation: evaluates, checks and rewrites the text; a refused entry
    // gives one information box and the focus back (an entry out of range is first
    // replaced by the violated bound). Sets Accepted. Runs on leaving the field, on
    // Enter, and when a command commits the field's window. A field with a check of
    // its own overrides this and EntryProblem together.
    virtual void DoExit();

    // The message the exit validation would give for the current text, or an empty
    // text when it would accept it. Changes nothing.
    virtual QString EntryProblem() const;

    // When a command commits the field's window and EntryProblem is not empty: shows
    // the problem and gives the focus back, the entry kept as typed for the user to
    // correct. A field whose own check sets a value (as its message says) sets it here
    // as on leaving.
    virtual void ReportProblem();

protected:
    // Refuses the entry: one information box with `message`, the focus back to the
    // field, Accepted false.
    void Refuse(const QString& message);

    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateLabel();
    enum class TFailure { None, Assign, Int, Min, Max };
    struct TJudgement {
        TFailure failure = TFailure::None;
        long double value = 0;
        QString message; // empty when accepted
    };
    // Evaluates the text and checks it; throws EAssignError, EIntError, EMinError or
    // EMaxError.
    long double CheckedNumber() const;
    // Runs CheckedNumber and turns a failure into its message.
    TJudgement Judge() const;
    // Gives the focus back to the field when it is visible.
    void Refocus();

    bool integerOnly_ = false;
    QString caption_;
    QPointer<QLabel> label_;
    bool hex_ = false;
    long double maxVal_ = DefaultMaxVal();
    long double minVal_ = DefaultMinVal();
    bool minExclusive_ = false;
    QString unitsString_;
    TUnitSystem units_ = 1;
    bool accepted_ = false;
    // The number SetNumber showed and the text it showed it with.
    long double setNumber_ = 0;
    QString setText_;
    bool hasSetNumber_ = false;
};

namespace detail {
// True when the focus moved from `from` to a widget of the same window (the same MDI
// child or the same top-level window): only then does leaving a field validate it.
bool FocusStaysInForm(const QWidget* from);
// Set while a refused entry is being reported and refocused, so that the widgets
// losing and regaining the focus meanwhile do not validate themselves in turn.
bool& ReportingRefusal();
// The bound a range setter stores: x kept on its side of the other bound and, for
// integer-only entries, within the 32-bit range.
long double NewMaxVal(long double x, long double minVal, bool integerOnly);
long double NewMinVal(long double x, long double maxVal, bool integerOnly);
// Unit codes outside 1..3 moved to the nearest end.
TUnitSystem ClampUnits(TUnitSystem units);
// Caption + " (" + unit words + ")", or the caption alone without a unit template.
QString LabelText(const QString& caption, const QString& unitsString, const QString& unitWords);
} // namespace detail

// Runs the exit validation of a field (message and refocusing included) and returns
// its accepted flag; a control that is not a TDataEdit counts as accepted.
bool ValidateDataEdit(QWidget* control);

} // namespace veldo
