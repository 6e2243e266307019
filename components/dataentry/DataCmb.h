// Numeric combo box: the drop-down twin of the numeric entry field. Its items may
// stand for numbers (Values holds the number text of each item); leaving it checks
// the entry against IntegerOnly, MinVal and MaxVal like the field does, but keeps
// the text as typed when it is accepted.
#pragma once

#include "DataEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <exception>

namespace veldo {

// The combo box's own failure classes, mirroring those of the entry field; raised
// without a message and caught inside the exit validation.
namespace DataCmb {
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
} // namespace DataCmb

class TDataCombo : public QComboBox {
    Q_OBJECT
public:
    // Editable, empty text, IntegerOnly false, the extreme bounds, Units 1.
    explicit TDataCombo(QWidget* owner = nullptr);

    bool IntegerOnly() const { return integerOnly_; }
    void SetIntegerOnly(bool value);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);

    QLabel* EditLabel() const { return label_; }
    void SetEditLabel(QLabel* label);

    long double MaxVal() const { return maxVal_; }
    void SetMaxVal(long double x);

    long double MinVal() const { return minVal_; }
    void SetMinVal(long double x);

    // When the text equals one of the items, it is first replaced by that item's
    // Values entry; then it is evaluated. Throws EAssignError for an invalid entry.
    long double Number();
    long double GetNumber() { return Number(); }
    // Clamps x into MinVal..MaxVal and shows it: rounded to an integer with
    // IntegerOnly, else with 8 significant digits.
    void SetNumber(long double x);

    const QString& UnitsString() const { return unitsString_; }
    void SetUnitsString(const QString& value);

    TUnitSystem Units() const { return units_; }
    void SetUnits(TUnitSystem value);

    // The number text of each item, by index.
    QStringList& Values() { return values_; }
    const QStringList& Values() const { return values_; }

    // The unit template with every "F" and "L" replaced by unit words.
    QString ExpandUnits() const;

    bool Accepted() const { return accepted_; }

    // Exit validation: evaluates and checks the entry; an accepted entry keeps its
    // text; a refused one gives one information box and the focus back.
    void DoExit();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateLabel();
    long double CheckedNumber();
    QString BoundText(long double bound) const;

    bool integerOnly_ = false;
    QString caption_;
    QPointer<QLabel> label_;
    long double maxVal_ = DefaultMaxVal();
    long double minVal_ = DefaultMinVal();
    QString unitsString_;
    TUnitSystem units_ = 1;
    QStringList values_;
    bool accepted_ = false;
};

// Runs the combo box's exit validation and returns its accepted flag; a control that
// is not a TDataCombo counts as accepted.
bool ValidateDataCombo(QWidget* control);

} // namespace veldo
