// Numeric entry field: exit validation with its exact messages, the bound written
// into a refused entry, the range setters, the display forms, the keys and the
// label with its unit words.
#include "DataEdit.h"
#include "Messages.h"
#include "MiscMath.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace veldo {
namespace {

std::vector<QString> Texts(TScopedMessageRecorder& messages) { return messages->Texts(); }

TEST(DataEdit, ExitEvaluatesTheEntryAndRewritesIt)
{
    TScopedMessageRecorder messages;
    TDataEdit field;
    EXPECT_EQ(field.text(), "0");
    EXPECT_FALSE(field.Accepted());
    field.setText("2*3");
    field.DoExit();
    EXPECT_EQ(field.text(), "6");
    EXPECT_TRUE(field.Accepted());
    field.setText("1/4 + sqrt(16)"); // 0.25 + 4
    EXPECT_TRUE(ValidateDataEdit(&field));
    EXPECT_EQ(field.text(), "4.25");
    field.setText("1/3"); // 18 significant digits
    field.DoExit();
    EXPECT_EQ(field.text(), "0.333333333333333333");
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(DataEdit, RefusedEntriesGiveTheirMessageAndLeaveTheFlagFalse)
{
    TScopedMessageRecorder messages;
    TDataEdit field;
    field.setText("2 +* 3x");
    field.DoExit();
    EXPECT_FALSE(field.Accepted());
    EXPECT_EQ(field.text(), "2 +* 3x"); // left as typed
    field.setText("abc");
    field.DoExit();
    field.setText("");
    field.DoExit();
    field.setText("2.5");
    field.SetIntegerOnly(true);
    EXPECT_FALSE(ValidateDataEdit(&field));
    EXPECT_EQ(field.text(), "2.5");
    field.setText("abc");
    EXPECT_FALSE(ValidateDataEdit(&field));
    const std::vector<QString> expected{
        "Entry could not be evaluated:\rinvalid expression",
        "Entry could not be evaluated:\rinvalid character(s) in expression",
        "Entry could not be evaluated:\rentry cannot be blank",
        "Entry must be an integer.",
        "Entry must be a valid integer.",
    };
    EXPECT_EQ(Texts(messages), expected);
    for (const auto& entry : messages->Entries())
        EXPECT_EQ(entry.kind, TMessageKind::Information);
}

TEST(DataEdit, EntryOutOfRangeIsReplacedByTheBoundAndAcceptedOnTheNextExit)
{
    TScopedMessageRecorder messages;
    TDataEdit field;
    field.SetMinVal(1);
    EXPECT_EQ(field.text(), "1"); // the number 0 was below the new minimum
    field.setText("0");
    EXPECT_FALSE(ValidateDataEdit(&field));
    EXPECT_EQ(field.text(), "1");
    EXPECT_TRUE(ValidateDataEdit(&field));
    field.SetMaxVal(2.5);
    field.setText("6/2");
    EXPECT_FALSE(ValidateDataEdit(&field));
    EXPECT_EQ(field.text(), "2.5");
    EXPECT_TRUE(ValidateDataEdit(&field));
    // Exactly on a bound is accepted.
    field.setText("1");
    EXPECT_TRUE(ValidateDataEdit(&field));
    const std::vector<QString> expected{
        "Entry must be greater than or equal to 1",
        "Entry must be less than or equal to 2.5",
    };
    EXPECT_EQ(Texts(messages), expected);
}

TEST(DataEdit, EntryProblemTellsWithoutChangingTheText)
{
    TScopedMessageRecorder messages;
    TDataEdit field;
    field.SetMaxVal(100);
    field.setText("150");
    EXPECT_EQ(field.EntryProblem(), "Entry must be less than or equal to 100");
    EXPECT_EQ(field.text(), "150");
    field.setText("99");
    EXPECT_TRUE(field.EntryProblem().isEmpty());
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(DataEdit, RangeSettersKeepTheBoundsInOrderAndTheNumberInside)
{
    TScopedMessageRecorder messages;
    TDataEdit field;
    field.SetMinVal(5); // number 0 -> 5
    EXPECT_EQ(field.text(), "5");
    field.SetMaxVal(3); // below MinVal: becomes MinVal
    EXPECT_EQ(field.MaxVal(), 5.0L);
    field.SetMinVal(9); // above MaxVal: becomes MaxVal
    EXPECT_EQ(field.MinVal(), 5.0L);
    field.SetMaxVal(1e10L);
    field.setText("2e9");
    field.SetIntegerOnly(true); // re-applies the bounds: 1E10 clamped to the 32-bit range
    EXPECT_EQ(field.MaxVal(), 2147483647.0L);
    EXPECT_EQ(field.text(), "2e9"); // 2E9 lies inside: the text is not touched
    field.SetMaxVal(3e9L);
    EXPECT_EQ(field.MaxVal(), 2147483647.0L);
    field.SetMinVal(-1e12L);
    EXPECT_EQ(field.MinVal(), -2147483648.0L);
    field.SetMaxVal(1000); // the number above the new maximum is brought down
    EXPECT_EQ(field.text(), "1000");
}

TEST(DataEdit, NumberIsClampedAndInvalidTextRaisesOnRead)
{
    TScopedMessageRecorder messages;
    TDataEdit field;
    field.SetMinVal(0);
    field.SetMaxVal(10);
    field.SetNumber(12);
    EXPECT_EQ(field.text(), "10");
    field.SetNumber(-3);
    EXPECT_EQ(field.text(), "0");
    field.SetNumber(2.5L);
    EXPECT_EQ(field.Number(), 2.5L);
    field.setText("(1");
    EXPECT_THROW(field.Number(), EAssignError);
    EXPECT_THROW(field.SetMaxVal(5), EAssignError); // the setters read Number
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(DataEdit, DefaultBoundsLieJustBelowTheLargestExtendedValue)
{
    TDataEdit field;
    EXPECT_EQ(field.MaxVal(), DefaultMaxVal());
    EXPECT_EQ(field.MinVal(), -DefaultMaxVal());
    // Mantissa FFFFFFFFFFFFFFB0 against the largest FFFFFFFFFFFFFFFF: 0x4F = 79 units of
    // the last place, the place being 2^(7FFE - 3FFF - 63) = 2^16320.
    EXPECT_EQ((LDBL_MAX - DefaultMaxVal()) / std::ldexp(1.0L, 16320), 79.0L);
    EXPECT_EQ(FormatEntryValue(false, DefaultMaxVal()), "1.18973149535723176E4932");
}

TEST(DataEdit, HexFieldsShowDollarAndFourUpperCaseDigits)
{
    TScopedMessageRecorder messages;
    EXPECT_EQ(FormatEntryValue(true, 255), "$00FF");
    EXPECT_EQ(FormatEntryValue(true, 2.5L), "$0002"); // half to even
    EXPECT_EQ(FormatEntryValue(true, 3.5L), "$0004");
    EXPECT_EQ(FormatEntryValue(true, 74565), "$12345");
    EXPECT_EQ(FormatEntryValue(true, -1), "$FFFFFFFFFFFFFFFF");
    TDataEdit field;
    field.SetHex(true);
    field.setText("255");
    field.DoExit();
    EXPECT_EQ(field.text(), "$00FF");
    EXPECT_EQ(field.Number(), 255.0L); // the display form reads back
    field.SetMaxVal(16);
    field.setText("$20");
    field.DoExit();
    EXPECT_EQ(field.text(), "$0010");
    EXPECT_EQ(Texts(messages), std::vector<QString>{"Entry must be less than or equal to $0010"});
}

TEST(DataEdit, UnitTemplatesExpandOneForceAndOneLengthToken)
{
    TDataEdit field;
    field.SetUnitsString("F1/L2^2");
    EXPECT_EQ(field.ExpandUnits(), "kips/ft^2");
    field.SetUnits(2);
    EXPECT_EQ(field.ExpandUnits(), "kN/m^2");
    field.SetUnits(1);
    field.SetUnitsString("F1-F"); // only the first token found of the family
    EXPECT_EQ(field.ExpandUnits(), "kips-F");
    field.SetUnitsString("F/L1");
    EXPECT_EQ(field.ExpandUnits(), "lbs/in");
    field.SetUnitsString("F4 F5 F6 L3");
    EXPECT_EQ(field.ExpandUnits(), "F4 F5 slug rad"); // F6 is looked for first
    field.SetUnitsString("F4 F5 L3");
    EXPECT_EQ(field.ExpandUnits(), "F4 sec rad");
    field.SetUnitsString("F4/F1");
    EXPECT_EQ(field.ExpandUnits(), "lb-sec2/in/F1");
    field.SetUnitsString("F6 L");
    EXPECT_EQ(field.ExpandUnits(), "slug in");
    field.SetUnits(2);
    EXPECT_EQ(field.ExpandUnits(), "Mg m");
    field.SetUnitsString("F4/L1");
    EXPECT_EQ(field.ExpandUnits(), "Mg/mm");
    field.SetUnitsString("F2 L2");
    EXPECT_EQ(field.ExpandUnits(), "kN m");
    field.SetUnitsString("F5");
    EXPECT_EQ(field.ExpandUnits(), "sec");
}

TEST(DataEdit, LabelShowsCaptionAndUnitWordsAndFollowsTheEnabledState)
{
    QWidget form;
    auto* label = new QLabel(&form);
    auto* field = new TDataEdit(&form);
    field->SetEditLabel(label);
    EXPECT_EQ(label->buddy(), field);
    field->SetCaption("Pile Length");
    EXPECT_EQ(label->text(), "Pile Length");
    field->SetUnitsString("L2");
    EXPECT_EQ(label->text(), "Pile Length (ft)");
    field->SetUnits(2);
    EXPECT_EQ(label->text(), "Pile Length (m)");
    field->SetUnits(0);
    EXPECT_EQ(field->Units(), 1);
    field->SetUnits(7);
    EXPECT_EQ(field->Units(), 3);
    EXPECT_EQ(label->text(), "Pile Length (L2)");
    field->SetEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    field->SetEnabled(true);
    EXPECT_TRUE(label->isEnabled());
}

TEST(DataEdit, DesignSettingsAreStoredAsTheyStand)
{
    QWidget form;
    auto* label = new QLabel(&form);
    TDataEditDesign design;
    design.Caption = "Unit Weight";
    design.UnitsString = "F/L2^3";
    design.MinVal = 1;
    design.MaxVal = 1e10L;
    design.IntegerOnly = true; // not clamped: a form description only stores
    design.Units = 9;
    auto* field = new TDataEdit(&form, design, label);
    EXPECT_EQ(field->text(), "0"); // below MinVal but left alone
    EXPECT_EQ(field->MaxVal(), 1e10L);
    EXPECT_EQ(field->Units(), 3);
    EXPECT_EQ(label->text(), "Unit Weight (F/L2^3)");
}

TEST(DataEdit, EnterValidatesAndSelectsTheWholeText)
{
    TScopedMessageRecorder messages;
    TDataEdit field;
    field.setText("");
    QTest::keyClicks(&field, "2*3");
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.text(), "6");
    EXPECT_TRUE(field.Accepted());
    EXPECT_EQ(field.selectedText(), "6");
    // With the whole text selected an operator is appended instead of replacing it.
    QTest::keyClicks(&field, "+");
    EXPECT_EQ(field.text(), "6+");
    QTest::keyClicks(&field, "4");
    QTest::keyClick(&field, Qt::Key_Enter);
    EXPECT_EQ(field.text(), "10");
    // A digit still replaces the selection.
    QTest::keyClicks(&field, "5");
    EXPECT_EQ(field.text(), "5");
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(DataEdit, MinusOverTheWholeSelectedTextStartsANegativeNumber)
{
    TDataEdit field;
    field.setText("80");
    field.selectAll();
    QTest::keyClicks(&field, "-2");
    EXPECT_EQ(field.text(), "-2");
    // Part of the text selected: the selection is replaced as in any edit.
    field.setText("80");
    field.setSelection(1, 1);
    QTest::keyClicks(&field, "-");
    EXPECT_EQ(field.text(), "8-");
}

TEST(DataEdit, AnExclusiveMinimumRefusesTheBoundAndKeepsTheEntry)
{
    TScopedMessageRecorder messages;
    TDataEditDesign design;
    design.MinVal = 0;
    design.MinExclusive = true;
    TDataEdit field(nullptr, design);
    EXPECT_TRUE(field.MinExclusive());
    for (const char* entry : {"0", "-1", "1-1"}) {
        field.setText(entry);
        EXPECT_EQ(field.EntryProblem(), "Entry must be greater than 0") << entry;
        field.DoExit();
        EXPECT_FALSE(field.Accepted());
        EXPECT_EQ(field.text(), entry); // 0 itself is refused: nothing to put in its place
    }
    field.setText("1e-9");
    field.DoExit();
    EXPECT_TRUE(field.Accepted());
    EXPECT_EQ(messages->Texts().size(), 3u);
}

TEST(DataEdit, OperatorIntoAnEmptyFieldIsTyped)
{
    TDataEdit field;
    field.setText("");
    QTest::keyClicks(&field, "-");
    EXPECT_EQ(field.text(), "-");
}

TEST(DataEdit, LeavingForAnotherControlOfTheWindowValidatesAndRefocuses)
{
    TScopedMessageRecorder messages;
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* field = new TDataEdit(&form);
    auto* other = new TDataEdit(&form);
    layout->addWidget(field);
    layout->addWidget(other);
    field->SetMaxVal(10);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "12");
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Texts(messages), std::vector<QString>{"Entry must be less than or equal to 10"});
    EXPECT_EQ(field->text(), "10");
    EXPECT_EQ(QApplication::focusWidget(), field);
    // The refocusing does not make the other field validate itself in turn.
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_TRUE(field->Accepted());
    EXPECT_EQ(messages->Texts().size(), 1u);
}

TEST(DataEdit, ValidateDataEditAcceptsOtherControls)
{
    QLabel label;
    EXPECT_TRUE(ValidateDataEdit(&label));
}

// What a window loads is what it commits: the display form of a stored number of up
// to 18 significant digits evaluates back to the very same number.
TEST(DataEdit, DisplayFormEvaluatesBackToTheStoredNumber)
{
    TDataEdit field;
    for (const long double x : {0.1L, -2.5e-12L, 1e-7L, 3.048000000012192L, 123456789012345678.0L, 1e20L, 6.02e-30L,
                                36.9138L, 0.0243819576L, 1e300L, -7.0L}) {
        field.SetNumber(x);
        EXPECT_EQ(field.Number(), x) << field.text().toStdString();
    }
}

} // namespace
} // namespace veldo
