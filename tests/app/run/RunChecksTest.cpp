// Input that cannot describe a pile, typed in the input windows as a user does, is
// refused by Run before the engine is called; a pile whose capacity tables would end
// above its tip asks first.
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Options.h"
#include "SoilLayers.h"
#include "cpilepro.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

const QString Completed =
    QStringLiteral("Computations are completed. Please, check output file for results or error messages.");

class RunChecksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        startDir_ = QDir::currentPath();
    }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(startDir_);
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Opens a copy of an example with the engine of the build.
    TMainForm& Start(const QString& example)
    {
        form_ = test::StartWithEngine(dir_, dialogs_, shell_, test::CopyExampleAsJob(dir_, example));
        return *form_;
    }

    // Types into a field as a user does: select all, type, Tab.
    static void Type(TDataEdit& field, const QString& text)
    {
        field.setFocus();
        field.selectAll();
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Tab);
    }

    TDlgSoilLayers& SoilLayers()
    {
        form_->Action(QStringLiteral("DataSoilLayers"))->trigger();
        auto* window = FindInputWindow<TDlgSoilLayers>(*form_);
        EXPECT_NE(window, nullptr);
        return *window;
    }

    bool EngineRan() const { return QFile::exists(Path(QStringLiteral("job.vd7o"))); }

    QTemporaryDir dir_;
    QString startDir_;
    test::TScriptedFileDialogs dialogs_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

// Layer bottoms 15, 10, 70, 120 ft: layer 2 lies above layer 1. Equal bottoms (a layer
// of no thickness) pass.
TEST_F(RunChecksTest, LayersOutOfOrderAreRefused)
{
    TMainForm& form = Start(QStringLiteral("PipeSandClay_English"));
    TDlgSoilLayers& layers = SoilLayers();
    Type(*layers.LayerEdit(1, 0), QStringLiteral("10"));
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Bottom of layer 2 (10 ft) should be deeper than the bottom "
                                                       "of layer 1 (15 ft).\rPlease check input data (Soil Layers "
                                                       "Window)"});
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Warning);
    EXPECT_FALSE(EngineRan());

    // The first layer's bottom must lie below the ground.
    messages_->Clear();
    TDlgSoilLayers& again = SoilLayers();
    Type(*again.LayerEdit(1, 0), QStringLiteral("15"));
    Type(*again.LayerEdit(0, 0), QStringLiteral("0"));
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Bottom of layer 1 (0 ft) should be deeper than the ground "
                                                       "surface.\rPlease check input data (Soil Layers Window)"});
    EXPECT_FALSE(EngineRan());

    messages_->Clear();
    TDlgSoilLayers& third = SoilLayers();
    Type(*third.LayerEdit(0, 0), QStringLiteral("15"));
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Completed});
    EXPECT_TRUE(EngineRan());
}

// In SI the depths carry metres, as the table shows them.
TEST_F(RunChecksTest, LayerDepthsInMetres)
{
    TMainForm& form = Start(QStringLiteral("OffshoreCpt_SI"));
    TDlgSoilLayers& layers = SoilLayers();
    Type(*layers.LayerEdit(2, 0), QStringLiteral("29.5"));
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Bottom of layer 3 (29.5 m) should be deeper than the bottom "
                                                       "of layer 2 (30 m).\rPlease check input data (Soil Layers "
                                                       "Window)"});
    EXPECT_FALSE(EngineRan());
}

TEST_F(RunChecksTest, TotalLengthOfZeroOrLessIsRefused)
{
    TMainForm& form = Start(QStringLiteral("PipeSandClay_English"));
    form.Action(QStringLiteral("DataCircular"))->trigger();
    auto* window = FindInputWindow<TfrmShaftpeneta>(form);
    ASSERT_NE(window, nullptr);
    Type(*window->findChild<TDataEdit*>(QStringLiteral("DataEdit10")), QStringLiteral("-5"));
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Total length of the pile should be greater than zero.\r"
                                                       "Please check input data (Circular Pile Properties Window)"});
    EXPECT_FALSE(EngineRan());
}

// "Add Layer" leaves a layer without unit weight until the user fills it.
TEST_F(RunChecksTest, ALayerLeftEmptyIsRefused)
{
    TMainForm& form = Start(QStringLiteral("PipeSandClay_English"));
    TDlgSoilLayers& layers = SoilLayers();
    layers.ButtonAdd()->click();
    Type(*layers.LayerEdit(4, 0), QStringLiteral("130"));
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Unit Weight for layer 5 should be greater than zero.\r"
                                                       "Please check input data (Soils Window)"});
    EXPECT_FALSE(EngineRan());
}

// A 20 m pile with the increment of 1 ft in metres: the tables end at 65 x 0.3048 =
// 19.812 m. No ends the command with nothing else shown; Yes runs.
TEST_F(RunChecksTest, TablesEndingAboveTheTipAskFirst)
{
    TMainForm& form = Start(QStringLiteral("OffshoreCpt_SI"));
    form.Action(QStringLiteral("DataCircular"))->trigger();
    auto* pile = FindInputWindow<TfrmShaftpeneta>(form);
    ASSERT_NE(pile, nullptr);
    Type(*pile->findChild<TDataEdit*>(QStringLiteral("DataEdit10")), QStringLiteral("20"));
    form.Action(QStringLiteral("OptionsControl"))->trigger();
    auto* options = FindInputWindow<TDlgOptions>(form);
    ASSERT_NE(options, nullptr);
    Type(*options->findChild<TDataEdit*>(QStringLiteral("DataEdit3")), QStringLiteral("0.3048"));

    const QString question = "The total length (20 m) is not a whole multiple of the increment (0.3048 m): the "
                             "results end at 19.81 m, above the pile tip. Run anyway? (The increment is set in the "
                             "Control Options window.)";
    messages_->QueueAnswer(TMessageAnswer::No);
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{question});
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Question);
    EXPECT_FALSE(EngineRan());
    EXPECT_FALSE(form.IsModified()); // saved before the question

    messages_->Clear();
    messages_->QueueAnswer(TMessageAnswer::Yes);
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{question, Completed}));
    EXPECT_TRUE(EngineRan());

    // A whole multiple asks nothing: 20 m in steps of 0.5 m.
    messages_->Clear();
    form.Action(QStringLiteral("OptionsControl"))->trigger();
    options = FindInputWindow<TDlgOptions>(form);
    ASSERT_NE(options, nullptr);
    Type(*options->findChild<TDataEdit*>(QStringLiteral("DataEdit3")), QStringLiteral("0.5"));
    form.Action(QStringLiteral("CompRun"))->trigger();
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Completed});
}

} // namespace
} // namespace veldo
