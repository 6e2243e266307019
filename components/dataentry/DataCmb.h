// Numeric combo box: the drop-down twin of the numeric entry field. Its items may
// stand for numbers (Values holds the number text of each item); leaving it checks
// the entry against IntegerOnly, MinVal and MaxVal like the field does, but keeps
// the text as typed when it is accepted.
#pragma once

#include "NumericEntry.h"

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace veldo {

class TDataCombo : public QComboBox, public TNumericEntry {
    Q_OBJECT
public:
    // Editable, text "0", IntegerOnly false, the extreme bounds, English units.
    explicit TDataCombo(QWidget* owner = nullptr);

    // When the text equals one of the items, it is first replaced by that item's
    // Values entry; then it is evaluated. Throws EAssignError for an invalid entry.
    long double Number();
    long double GetNumber() { return Number(); }
    // Clamps x into MinVal..MaxVal and shows it: rounded to an integer with
    // IntegerOnly, else with 8 significant digits.
    void SetNumber(long double x) override;

    // The number text of each item, by index.
    QStringList& Values() { return values_; }
    const QStringList& Values() const { return values_; }

    // The unit template with every "F" and "L" replaced by unit words.
    QString ExpandUnits() const override;

    // Exit validation: evaluates and checks the entry; an accepted entry keeps its
    // text; a refused one gives one information box and the focus back.
    void DoExit() override;

protected:
    long double CurrentNumber() override { return Number(); }
    QString BoundText(long double bound) const override;
    // Gives the focus back, visible or not.
    void Refocus() override { setFocus(Qt::OtherFocusReason); }

    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QStringList values_;
};

// Runs the combo box's exit validation and returns its accepted flag; a control that
// is not a TDataCombo counts as accepted.
bool ValidateDataCombo(QWidget* control);

} // namespace veldo
