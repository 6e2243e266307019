// Input that cannot describe a pile, typed in the input windows as a user does, is
// refused by Run before the engine is called; a pile whose capacity tables would end
// above its tip asks first.
#include "DataEdit.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Options.h"
#include "SoilLayers.h"
#include "cpilepro.h"

#include <QFile>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace veldo {
namespace {

const QString Completed =
    QStringLiteral("Computations are completed. Please, check output file for results or error messages.");

class RunChecksTest : public test::TMainWindowTest {
protected:
    TDlgSoilLayers& SoilLayers()
    {
        return test::OpenByMenu<TDlgSoilLayers>(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataSoilLayers"));
    }

    void Run() { Choose(QStringLiteral("ComputationMenu"), QStringLiteral("CompRun")); }

    bool EngineRan() const { return QFile::exists(dir_.filePath(QStringLiteral("job.vd7o"))); }
};

// Layer bottoms 15, 10, 70, 120 ft: layer 2 lies above layer 1. Equal bottoms (a layer
// of no thickness) pass.
TEST_F(RunChecksTest, LayersOutOfOrderAreRefused)
{
    StartOnExample(QStringLiteral("PipeSandClay_English"));
    TDlgSoilLayers& layers = SoilLayers();
    test::Enter(*layers.LayerEdit(1, 0), QStringLiteral("10"));
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Bottom of layer 2 (10 ft) should be deeper than the bottom "
                                                       "of layer 1 (15 ft).\rPlease check input data (Soil Layers "
                                                       "Window)"});
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Warning);
    EXPECT_FALSE(EngineRan());

    // The first layer's bottom must lie below the ground.
    messages_->Clear();
    TDlgSoilLayers& again = SoilLayers();
    test::Enter(*again.LayerEdit(1, 0), QStringLiteral("15"));
    test::Enter(*again.LayerEdit(0, 0), QStringLiteral("0"));
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Bottom of layer 1 (0 ft) should be deeper than the ground "
                                                       "surface.\rPlease check input data (Soil Layers Window)"});
    EXPECT_FALSE(EngineRan());

    messages_->Clear();
    TDlgSoilLayers& third = SoilLayers();
    test::Enter(*third.LayerEdit(0, 0), QStringLiteral("15"));
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Completed});
    EXPECT_TRUE(EngineRan());
}

// In SI the depths carry metres, as the table shows them.
TEST_F(RunChecksTest, LayerDepthsInMetres)
{
    StartOnExample(QStringLiteral("OffshoreCpt_SI"));
    TDlgSoilLayers& layers = SoilLayers();
    test::Enter(*layers.LayerEdit(2, 0), QStringLiteral("29.5"));
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Bottom of layer 3 (29.5 m) should be deeper than the bottom "
                                                       "of layer 2 (30 m).\rPlease check input data (Soil Layers "
                                                       "Window)"});
    EXPECT_FALSE(EngineRan());
}

TEST_F(RunChecksTest, TotalLengthOfZeroOrLessIsRefused)
{
    TMainForm& form = StartOnExample(QStringLiteral("PipeSandClay_English"));
    auto& window = test::OpenByMenu<TfrmShaftpeneta>(form, QStringLiteral("DataMenu"), QStringLiteral("DataCircular"));
    test::Enter(test::Field(window, QStringLiteral("DataEdit10")), QStringLiteral("-5"));
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Total length of the pile should be greater than zero.\r"
                                                       "Please check input data (Circular Pile Properties Window)"});
    EXPECT_FALSE(EngineRan());
}

// "Add Layer" leaves a layer without unit weight until the user fills it.
TEST_F(RunChecksTest, ALayerLeftEmptyIsRefused)
{
    StartOnExample(QStringLiteral("PipeSandClay_English"));
    TDlgSoilLayers& layers = SoilLayers();
    test::Click(*layers.ButtonAdd());
    test::Enter(*layers.LayerEdit(4, 0), QStringLiteral("130"));
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Unit Weight for layer 5 should be greater than zero.\r"
                                                       "Please check input data (Soils Window)"});
    EXPECT_FALSE(EngineRan());
}

// A 20 m pile with the increment of 1 ft in metres: the tables end at 65 x 0.3048 =
// 19.812 m. No ends the command with nothing else shown; Yes runs.
TEST_F(RunChecksTest, TablesEndingAboveTheTipAskFirst)
{
    TMainForm& form = StartOnExample(QStringLiteral("OffshoreCpt_SI"));
    auto& pile = test::OpenByMenu<TfrmShaftpeneta>(form, QStringLiteral("DataMenu"), QStringLiteral("DataCircular"));
    test::Enter(test::Field(pile, QStringLiteral("DataEdit10")), QStringLiteral("20"));
    auto& options =
        test::OpenByMenu<TDlgOptions>(form, QStringLiteral("OptionsMenu"), QStringLiteral("OptionsControl"));
    test::Enter(test::Field(options, QStringLiteral("DataEdit3")), QStringLiteral("0.3048"));

    const QString question = "The total length (20 m) is not a whole multiple of the increment (0.3048 m): the "
                             "results end at 19.81 m, above the pile tip. Run anyway? (The increment is set in the "
                             "Control Options window.)";
    messages_->QueueAnswer(TMessageAnswer::No);
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{question});
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Question);
    EXPECT_FALSE(EngineRan());
    EXPECT_FALSE(form.IsModified()); // saved before the question

    messages_->Clear();
    messages_->QueueAnswer(TMessageAnswer::Yes);
    Run();
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{question, Completed}));
    EXPECT_TRUE(EngineRan());

    // A whole multiple asks nothing: 20 m in steps of 0.5 m.
    messages_->Clear();
    auto& again = test::OpenByMenu<TDlgOptions>(form, QStringLiteral("OptionsMenu"), QStringLiteral("OptionsControl"));
    test::Enter(test::Field(again, QStringLiteral("DataEdit3")), QStringLiteral("0.5"));
    Run();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Completed});
}

} // namespace
} // namespace veldo
