// Numeric combo box: items standing for numbers, exit validation that keeps an
// accepted text as typed, bounds shown with 8 digits, the key filter and the
// single-letter unit words.
#include "DataCmb.h"
#include "Messages.h"
#include "MiscMath.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <vector>

namespace veldo {
namespace {

TEST(DataCombo, ChosenItemStandsForItsValue)
{
    QWidget form;
    auto* combo = new TDataCombo(&form);
    combo->addItems({"Loose", "Dense"});
    combo->Values() << "1.5"
                    << "2";
    combo->setCurrentIndex(0);
    EXPECT_EQ(combo->currentText(), "Loose");
    EXPECT_EQ(combo->Number(), 1.5L);
    EXPECT_EQ(combo->currentText(), "1.5");
    combo->setCurrentIndex(1);
    EXPECT_EQ(combo->GetNumber(), 2.0L);
    // An item without a value is evaluated as it stands.
    combo->addItem("3*3");
    combo->setCurrentIndex(2);
    EXPECT_EQ(combo->Number(), 9.0L);
}

TEST(DataCombo, AcceptedEntryKeepsItsTextAndRefusedOnesGiveTheFieldMessages)
{
    TScopedMessageRecorder messages;
    QWidget form;
    auto* combo = new TDataCombo(&form);
    combo->setEditText("2*3");
    EXPECT_TRUE(ValidateDataCombo(combo));
    EXPECT_EQ(combo->currentText(), "2*3"); // not rewritten
    combo->setEditText("x");
    EXPECT_FALSE(ValidateDataCombo(combo));
    combo->setEditText("2.5");
    combo->SetIntegerOnly(true);
    EXPECT_FALSE(ValidateDataCombo(combo));
    combo->setEditText("x");
    EXPECT_FALSE(ValidateDataCombo(combo));
    const std::vector<QString> expected{
        "Entry could not be evaluated:\rinvalid character(s) in expression",
        "Entry must be an integer.",
        "Entry must be a valid integer.",
    };
    EXPECT_EQ(messages->Texts(), expected);
}

TEST(DataCombo, BoundsAreWrittenWithEightDigits)
{
    TScopedMessageRecorder messages;
    QWidget form;
    auto* combo = new TDataCombo(&form);
    combo->SetMinVal(1.23456789L); // the number 0 -> the bound, 8 digits
    EXPECT_EQ(combo->currentText(), "1.2345679");
    combo->setEditText("1");
    EXPECT_FALSE(ValidateDataCombo(combo));
    EXPECT_EQ(combo->currentText(), "1.2345679");
    combo->SetMaxVal(100.000001L);
    combo->setEditText("200");
    EXPECT_FALSE(ValidateDataCombo(combo));
    EXPECT_EQ(combo->currentText(), "100");
    EXPECT_TRUE(ValidateDataCombo(combo));
    const std::vector<QString> expected{
        "Entry must be greater than or equal to 1.2345679",
        "Entry must be less than or equal to 100",
    };
    EXPECT_EQ(messages->Texts(), expected);
}

TEST(DataCombo, IntegerOnlyShowsRoundedNumbers)
{
    QWidget form;
    auto* combo = new TDataCombo(&form);
    combo->SetIntegerOnly(true);
    combo->SetNumber(2.6L);
    EXPECT_EQ(combo->currentText(), "3");
    combo->SetMaxVal(1e10L);
    EXPECT_EQ(combo->MaxVal(), 2147483647.0L);
}

TEST(DataCombo, OnlyDigitsSignPointAndExponentCanBeTyped)
{
    QWidget form;
    auto* combo = new TDataCombo(&form);
    combo->setEditText("");
    QTest::keyClicks(combo, "1x.5e-2+*a");
    EXPECT_EQ(combo->currentText(), "1.5E-2");
    QTest::keyClick(combo, Qt::Key_Backspace);
    EXPECT_EQ(combo->currentText(), "1.5E-");
    // Digits of other scripts (Arabic-Indic three, fullwidth seven) and superscripts are
    // swallowed like letters: only 0 to 9 pass.
    for (const QString& text : {QStringLiteral("\u0663"), QStringLiteral("\uFF17"), QStringLiteral("\u00B2")})
        QTest::sendKeyEvent(QTest::Click, combo, Qt::Key_unknown, text, Qt::NoModifier);
    QTest::keyClicks(combo, "09");
    EXPECT_EQ(combo->currentText(), "1.5E-09");
}

TEST(DataCombo, UnitTemplateReplacesSingleLettersOnly)
{
    QWidget form;
    auto* label = new QLabel(&form);
    auto* combo = new TDataCombo(&form);
    combo->SetEditLabel(label);
    combo->SetCaption("Load");
    combo->SetUnitsString("F/L^2");
    EXPECT_EQ(label->text(), "Load (lbs/in^2)");
    combo->SetUnits(2);
    EXPECT_EQ(label->text(), "Load (kN/m^2)");
    combo->SetUnitsString("F1 L2");
    EXPECT_EQ(combo->ExpandUnits(), "kN1 m2");
    combo->SetUnits(5);
    EXPECT_EQ(combo->Units(), 3);
    EXPECT_EQ(label->text(), "Load (F1 L2)");
    combo->setEnabled(false);
    EXPECT_FALSE(label->isEnabled());
}

TEST(DataCombo, LeavingForAnotherControlValidatesAndKeepsTheFocus)
{
    TScopedMessageRecorder messages;
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* combo = new TDataCombo(&form);
    auto* other = new QLineEdit(&form);
    layout->addWidget(combo);
    layout->addWidget(other);
    combo->SetMaxVal(10);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    combo->setFocus();
    combo->setEditText("12");
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(messages->Texts(), std::vector<QString>{"Entry must be less than or equal to 10"});
    EXPECT_EQ(combo->currentText(), "10");
    EXPECT_TRUE(combo->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == combo);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(combo->Accepted());
    EXPECT_EQ(messages->Texts().size(), 1u);
}

TEST(DataCombo, ValidateDataComboAcceptsOtherControls)
{
    QLabel label;
    EXPECT_TRUE(ValidateDataCombo(&label));
}

} // namespace
} // namespace veldo
