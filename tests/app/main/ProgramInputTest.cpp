// What the user typed is what a command acts on: the real main window driven by key
// and mouse events, commands chosen from their menus and toolbar buttons, then the
// saved project read back. A typed cell or field that is saved at once is saved; a
// refused entry stops the command with one message and stores nothing. Every field of
// the input windows and every typed table column, saved at once, comes back when the
// project is opened again.
#include "CPTOptions.h"
#include "DataEdit.h"
#include "InputWindow.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "MiscMath.h"
#include "Options.h"
#include "ProjectTables.h"
#include "Table.h"
#include "TableForm.h"
#include "Title.h"
#include "cpilepro.h"
#include "nPilePro.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace veldo {
namespace {

const QString MissingOperator = QStringLiteral("Entry could not be evaluated:\rmissing operator");

class ProgramInput : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        project_ = dir_.filePath(QStringLiteral("pile.vd7d"));
        const QString example = QStringLiteral(VELDO_EXAMPLES_DIR "/PipeSandClay_English");
        ASSERT_TRUE(QFile::copy(example + QStringLiteral(".vd7d"), project_));
        QFile::copy(example + QStringLiteral(".cpt"), dir_.filePath(QStringLiteral("pile.cpt")));
        TMainFormOptions options = test::TestFormOptions(dir_, dialogs_, shell_);
        options.arguments = {project_};
        form_.reset();
        form_ = test::ShowMainForm(std::move(options), QSize(1100, 800));
        ASSERT_EQ(form_->Data().ProjectPath, project_);
    }

    // A toolbar button clicked with the mouse.
    void ClickButton(int number) { ASSERT_TRUE(test::ClickToolButton(Form(), number)); }

    // A menu item chosen as the user does: the menu (and its submenu) opens, the item
    // is clicked.
    void Choose(const QString& menuName, const QString& itemName, const QString& subMenuName = {})
    {
        if (!subMenuName.isEmpty()) {
            QMenu* menu = Form().Menu(menuName);
            ASSERT_NE(menu, nullptr);
            emit menu->aboutToShow();
        }
        ASSERT_TRUE(test::ChooseMenuItem(Form(), subMenuName.isEmpty() ? menuName : subMenuName, itemName));
        QCoreApplication::processEvents();
    }

    // Keys typed where the focus is, one after the other.
    static void Type(const QString& text)
    {
        for (const QChar c : text) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, c.toLatin1());
        }
    }
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    }

    // Clicks into a field, selects its whole text and types over it.
    static void TypeOver(QWidget& field, const QString& text)
    {
        QTest::mouseClick(&field, Qt::LeftButton);
        ASSERT_TRUE(field.hasFocus()) << field.objectName().toStdString();
        Key(Qt::Key_A, Qt::ControlModifier);
        Key(Qt::Key_Backspace);
        Type(text);
    }

    template <class TWindow> TWindow& Window()
    {
        TWindow* window = FindInputWindow<TWindow>(Form());
        EXPECT_NE(window, nullptr);
        return *window;
    }
    template <class TWindow> TDataEdit& Field(const QString& name)
    {
        auto* field = Window<TWindow>().template findChild<TDataEdit*>(name);
        EXPECT_NE(field, nullptr) << name.toStdString();
        return *field;
    }

    // The soil-layer table's editor opened from Data > "Soil Layers", and the grid
    // column of a table column.
    QTableWidget& OpenLayerTable()
    {
        Choose(QStringLiteral("DataMenu"), QStringLiteral("DataSoilTable"));
        TTableForm* editor = Form().Tables().D().Editor();
        EXPECT_NE(editor, nullptr);
        return *editor->Grid();
    }
    static int GridColumn(const TGridTable& table, int column)
    {
        int visible = 0;
        for (int c = 0; c < column; ++c)
            visible += table.Column(c).visible ? 1 : 0;
        return visible;
    }
    int LayerColumn(int column) { return GridColumn(Form().Tables().D(), column); }
    // An in-place edit box shown over a cell.
    static bool EditBoxOpen(const QTableWidget& grid)
    {
        for (const QLineEdit* box : grid.viewport()->findChildren<QLineEdit*>())
            if (box->isVisible())
                return true;
        return false;
    }
    static void ClickCell(QTableWidget& grid, int row, int column)
    {
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_EQ(grid.currentRow(), row);
        ASSERT_EQ(grid.currentColumn(), column);
    }

    // The project as saved.
    TProjectRead Saved() const { return TProgramData::CreateFromFile(project_, 1); }
    QByteArray SavedText() const
    {
        QFile file(project_);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // File > Open through the toolbar, answered with the project.
    void Reopen()
    {
        dialogs_.openAnswers.push_back(TOpenChoice{project_, 1});
        ClickButton(1);
        ASSERT_EQ(Form().Data().ProjectPath, project_);
    }

    // Messages other than the save question of Open.
    std::vector<QString> Refusals()
    {
        std::vector<QString> texts;
        for (const auto& entry : messages_->Entries())
            if (entry.kind != TMessageKind::Question)
                texts.push_back(entry.text);
        return texts;
    }

    // The active input window's numeric fields that the user can type into.
    std::vector<TDataEdit*> Fields() const
    {
        std::vector<TDataEdit*> fields;
        QMdiSubWindow* active = form_->MdiArea()->activeSubWindow();
        if (!active)
            return fields;
        for (TDataEdit* field : active->widget()->findChildren<TDataEdit*>()) {
            if (field->isVisible() && field->isEnabled() && !field->isReadOnly())
                fields.push_back(field);
        }
        return fields;
    }

    // A new value for a field: inside its bounds, different from the one shown.
    static long double NewValue(const TDataEdit& field)
    {
        const long double now = field.Number();
        // Whole steps: some settings are stored rounded (the print interval).
        const long double step = 2.0L;
        long double value = now + step;
        if (value > field.MaxVal())
            value = now - step;
        if (value < field.MinVal() || (field.MinExclusive() && value <= field.MinVal()))
            value = (field.MinVal() + field.MaxVal()) / 2;
        return value;
    }

    // For each numeric field of the window opened by `item` of `menu` (and shown by
    // `show`, as a tab page): type a new value, save at once, open the project again
    // and find the value in the field.
    void CheckEveryField(
        const QString& menu, const QString& item, const std::function<void()>& show = [] {})
    {
        const auto open = [&] {
            Choose(menu, item);
            show();
        };
        open();
        const std::size_t count = Fields().size();
        ASSERT_GT(count, 0u) << item.toStdString();
        for (std::size_t i = 0; i < count; ++i) {
            open();
            std::vector<TDataEdit*> fields = Fields();
            ASSERT_EQ(fields.size(), count) << item.toStdString();
            TDataEdit& field = *fields[i];
            const QString name = field.objectName();
            const long double value = NewValue(field);
            TypeOver(field, FormatEntryValue(false, value));
            ClickButton(3);
            ASSERT_TRUE(Refusals().empty()) << name.toStdString() << " " << Refusals().front().toStdString();
            Reopen();
            open();
            fields = Fields();
            ASSERT_EQ(fields.size(), count);
            EXPECT_NEAR(static_cast<double>(fields[i]->Number()), static_cast<double>(value),
                        1e-9 * std::max(1.0, std::fabs(static_cast<double>(value))))
                << item.toStdString() << " " << name.toStdString();
        }
    }

    // For each column of a table editor that is typed into: type a new value in the
    // first row, save at once, open the project again and read the table.
    void CheckEveryColumn(const std::function<TGridTable&()>& table, const std::function<void()>& openEditor)
    {
        openEditor();
        const int columns = table().ColumnCount();
        for (int column = 0; column < columns; ++column) {
            if (!table().Column(column).visible || table().Column(column).NeedsControls())
                continue;
            openEditor();
            TTableForm* editor = table().Editor();
            ASSERT_NE(editor, nullptr);
            QTableWidget& grid = *editor->Grid();
            int gridColumn = 0;
            for (int c = 0; c < column; ++c)
                gridColumn += table().Column(c).visible ? 1 : 0;
            const QString typed =
                FormatEntryValue(false, EvaluateEntry(table().Column(column).AsText(0).toStdString()) + 2);
            const QRect cell = grid.visualRect(grid.model()->index(0, gridColumn));
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
            for (const QChar c : typed)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            ClickButton(3);
            ASSERT_TRUE(Refusals().empty()) << column << " " << Refusals().front().toStdString();
            Reopen();
            EXPECT_EQ(table().Column(column).AsText(0), typed)
                << table().WindowTitle().toStdString() << " column " << column;
        }
    }

    // A child of the active input window clicked with the mouse.
    template <class TWidget> void Click(const QString& name)
    {
        auto* widget = Form().MdiArea()->activeSubWindow()->widget()->findChild<TWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        QTest::mouseClick(widget, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // A check box or radio button of the active input window set by a click.
    void Check(const QString& name)
    {
        auto* button = Form().MdiArea()->activeSubWindow()->widget()->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        if (!button->isChecked()) // on the indicator: a stretched button ignores clicks beside its text
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        ASSERT_TRUE(button->isChecked()) << name.toStdString();
    }

    // Opens the property table of a layer from the in-place button of the soil-layer table.
    void OpenLayerProperties(int layer)
    {
        Choose(QStringLiteral("DataMenu"), QStringLiteral("DataSoilTable"));
        TGridTable& d = Form().Tables().D();
        int gridColumn = 0;
        for (int c = 0; c < kLayerProperties; ++c)
            gridColumn += d.Column(c).visible ? 1 : 0;
        auto* button = qobject_cast<QAbstractButton*>(d.Editor()->Grid()->cellWidget(layer, gridColumn));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    QString project_;
};

// ---- 1. Table editor cells -----------------------------------------------------------------

TEST_F(ProgramInput, ACellTypedInAndSavedAtOnceIsSaved)
{
    QTableWidget& grid = OpenLayerTable();
    const int bottom = LayerColumn(kLayerBottom);
    ClickCell(grid, 0, bottom);
    Type(QStringLiteral("33.5"));
    ASSERT_TRUE(EditBoxOpen(grid));
    ClickButton(3); // Save
    EXPECT_EQ(Saved().tables->D().Cell(kLayerBottom, 0).AsFloat(), 33.5L);

    // From the File menu, and a cell typed before a unit switch is converted with the
    // others (40 ft = 12.192 m) instead of being dropped by the rebuilt grid.
    ClickCell(grid, 1, bottom);
    Type(QStringLiteral("40"));
    Choose(QStringLiteral("OptionsMenu"), QStringLiteral("OptionsSI"), QStringLiteral("UnitsMenu"));
    EXPECT_EQ(Form().Data().UnitSystem, UnitSystem::SI);
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileSave"));
    const TProjectRead saved = Saved();
    EXPECT_EQ(saved.data.UnitSystem, UnitSystem::SI);
    EXPECT_NEAR(static_cast<double>(saved.tables->D().Cell(kLayerBottom, 1).AsFloat()), 12.192, 1e-9);
    EXPECT_TRUE(messages_->Texts().empty());
}

// ---- 2. A refused cell leaves no stray edit box ---------------------------------------------

TEST_F(ProgramInput, TabAfterARefusedCellOpensNoEditBoxAndSaveStops)
{
    QTableWidget& grid = OpenLayerTable();
    const int maxSide = LayerColumn(kLayerMaxSide);
    ClickCell(grid, 0, maxSide);
    Type(QStringLiteral("1 5"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{MissingOperator});
    EXPECT_FALSE(EditBoxOpen(grid));
    EXPECT_EQ(grid.currentColumn(), maxSide);
    EXPECT_EQ(grid.item(0, maxSide)->text(), "1 5");

    // The refused text is still on screen: Save stops with the same one message.
    const QByteArray before = SavedText();
    messages_->Clear();
    ClickButton(3);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{MissingOperator});
    EXPECT_EQ(SavedText(), before);

    // Corrected, Tab moves on and Save stores it.
    ASSERT_EQ(QApplication::focusWidget(), &grid);
    Type(QStringLiteral("16"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.currentColumn(), maxSide + 1);
    ClickButton(3);
    EXPECT_EQ(Saved().tables->D().Cell(kLayerMaxSide, 0).AsFloat(), 16.0L);
}

// ---- 3. Leave-checks also run at commit -----------------------------------------------------

TEST_F(ProgramInput, ANegativeStickupFollowedByAToolbarSaveBecomesZeroAndStopsTheSave)
{
    ClickButton(14); // Circular Section
    TDataEdit& stickup = Field<TfrmShaftpeneta>(QStringLiteral("DataEdit1"));
    const long double stored = Form().Data().StickupLength;
    TypeOver(stickup, QStringLiteral("-2"));
    ClickButton(3);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{TStickupEdit::NegativeMessage});
    EXPECT_EQ(stickup.text(), "0");
    EXPECT_TRUE(stickup.hasFocus());
    EXPECT_EQ(Saved().data.StickupLength, stored);
    // The next commit stores what the check set.
    ClickButton(3);
    EXPECT_EQ(Saved().data.StickupLength, 0.0L);

    // From the menu as well, and for a bound: a print interval of 0 stops the run.
    messages_->Clear();
    TypeOver(stickup, QStringLiteral("-3"));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileSave"));
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{TStickupEdit::NegativeMessage});
    EXPECT_EQ(stickup.text(), "0");

    Choose(QStringLiteral("OptionsMenu"), QStringLiteral("OptionsControl"));
    TDataEdit& interval = Field<TDlgOptions>(QStringLiteral("DataEdit2"));
    TypeOver(interval, QStringLiteral("0"));
    messages_->Clear();
    const int storedInterval = Saved().data.PrintInterval;
    ClickButton(4); // Run
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Entry must be greater than or equal to 1"});
    EXPECT_EQ(interval.text(), "0"); // kept as typed, for the user to correct
    EXPECT_TRUE(interval.hasFocus());
    EXPECT_EQ(Saved().data.PrintInterval, storedInterval);
}

// ---- 4. "-" typed over a selected value replaces it -----------------------------------------

TEST_F(ProgramInput, MinusOverASelectedValueStartsANegativeNumberOtherOperatorsAppend)
{
    ClickButton(14);
    TDataEdit& zeroFriction = Field<TfrmShaftpeneta>(QStringLiteral("DataEdit13"));
    TypeOver(zeroFriction, QStringLiteral("80"));
    Key(Qt::Key_Return); // the whole value is selected after Enter
    Type(QStringLiteral("-2"));
    Key(Qt::Key_Return);
    EXPECT_EQ(zeroFriction.text(), "-2");

    TypeOver(zeroFriction, QStringLiteral("5"));
    Key(Qt::Key_Return);
    Type(QStringLiteral("*2"));
    ClickButton(3);
    EXPECT_EQ(zeroFriction.text(), "10");
    EXPECT_EQ(Saved().data.ZeroFrictionLength, 10.0L);
    EXPECT_TRUE(messages_->Texts().empty());
}

// ---- 5. No silent joining of numbers --------------------------------------------------------

TEST_F(ProgramInput, NumbersSideBySideAreRefusedNotJoined)
{
    ClickButton(14);
    TDataEdit& total = Field<TfrmShaftpeneta>(QStringLiteral("DataEdit10"));
    const long double stored = Form().Data().TotalLength;
    for (const QString& entry :
         {QStringLiteral("2 3"), QStringLiteral("1 000"), QStringLiteral("2(3+4)"), QStringLiteral("(1)(2)")}) {
        messages_->Clear();
        TypeOver(total, entry);
        ClickButton(3);
        EXPECT_EQ(messages_->Texts(), std::vector<QString>{MissingOperator}) << entry.toStdString();
        EXPECT_EQ(Saved().data.TotalLength, stored) << entry.toStdString();
    }
    messages_->Clear();
    TypeOver(total, QStringLiteral("100*sin (pi/2)"));
    ClickButton(3);
    EXPECT_TRUE(messages_->Texts().empty());
    EXPECT_EQ(Saved().data.TotalLength, 100.0L);
}

// ---- 6. The computation increment must be greater than 0 ------------------------------------

TEST_F(ProgramInput, AnIncrementOfZeroIsRefused)
{
    Choose(QStringLiteral("OptionsMenu"), QStringLiteral("OptionsControl"));
    TDataEdit& increment = Field<TDlgOptions>(QStringLiteral("DataEdit3"));
    const long double stored = Form().Data().IncrementLength;
    TypeOver(increment, QStringLiteral("0"));
    ClickButton(3);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Entry must be greater than 0"});
    EXPECT_EQ(increment.text(), "0"); // the bound itself is not allowed: left as typed
    EXPECT_TRUE(increment.hasFocus());
    EXPECT_EQ(Saved().data.IncrementLength, stored);
    TypeOver(increment, QStringLiteral("0.5"));
    ClickButton(3);
    EXPECT_EQ(Saved().data.IncrementLength, 0.5L);
}

// ---- 7. A noncircular section needs a perimeter and a tip area ------------------------------

TEST_F(ProgramInput, ANoncircularPileNeedsAPerimeterAndATipAreaAboveZero)
{
    Choose(QStringLiteral("OptionsMenu"), QStringLiteral("OptionsNonCircular"), QStringLiteral("PileShapeMenu"));
    ClickButton(15); // Non-Circular
    TDataEdit& perimeter = Field<TfrmNCsection>(QStringLiteral("DataEdit3"));
    TDataEdit& tipArea = Field<TfrmNCsection>(QStringLiteral("DataEdit4"));
    TypeOver(perimeter, QStringLiteral("48"));
    TypeOver(tipArea, QStringLiteral("144"));
    ClickButton(3);
    ASSERT_FALSE(Saved().data.Circular);
    messages_->Clear();
    for (TDataEdit* field : {&perimeter, &tipArea}) {
        TypeOver(*field, QStringLiteral("0"));
        ClickButton(3);
        EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Entry must be greater than 0"});
        messages_->Clear();
        TypeOver(*field, QStringLiteral("10"));
    }
    const TProjectRead saved = Saved();
    EXPECT_FALSE(saved.data.Circular);
    EXPECT_EQ(saved.data.Perimeter, 48.0L);
    EXPECT_EQ(saved.data.TipArea, 144.0L);
    ClickButton(3);
    EXPECT_EQ(Saved().data.Perimeter, 10.0L);
    EXPECT_EQ(Saved().data.TipArea, 10.0L);
}

// ---- 8. One refusal, one message ------------------------------------------------------------

TEST_F(ProgramInput, ALauncherClickedOverAnInvalidEntryGivesOneMessageAndNoWindow)
{
    ClickButton(14);
    TDataEdit& od = Field<TfrmShaftpeneta>(QStringLiteral("DataEdit8"));
    TypeOver(od, QStringLiteral("abc"));
    const QString problem = QStringLiteral("Entry could not be evaluated:\rinvalid character(s) in expression");
    ClickButton(11); // Title
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{problem});
    EXPECT_FALSE(InputWindowCreated<TdlgTitle>(Form()));
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);

    messages_->Clear();
    Choose(QStringLiteral("DataMenu"), QStringLiteral("DataTitle"));
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{problem});
    EXPECT_FALSE(InputWindowCreated<TdlgTitle>(Form()));
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(od.hasFocus());
    EXPECT_EQ(od.text(), "abc");
}

// ---- Every field and every column, saved at once -------------------------------------------

TEST_F(ProgramInput, EveryFieldOfTheInputWindows)
{
    const std::pair<const char*, const char*> windows[] = {
        {"DataMenu", "DataMaterial"},
        {"DataMenu", "DataCircular"},
        {"DataMenu", "DataSoilLayers"},
        {"OptionsMenu", "OptionsControl"},
    };
    for (const auto& [menu, item] : windows) {
        SCOPED_TRACE(item);
        CheckEveryField(QString::fromLatin1(menu), QString::fromLatin1(item));
    }
}

TEST_F(ProgramInput, EveryFieldOfTheComputationMethodsWindow)
{
    // The numeric fields sit on the capacity page, each enabled by its option (the
    // load-settlement page has none).
    CheckEveryField(QStringLiteral("DataMenu"), QStringLiteral("DataMethods"), [this] {
        auto* tabs = Form().MdiArea()->activeSubWindow()->widget()->findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        ASSERT_EQ(tabs->currentIndex(), 1);
        Check(QStringLiteral("RadioButton3")); // user-specified critical depth
        Check(QStringLiteral("OptTension"));   // the tension reduction factor
    });
}

TEST_F(ProgramInput, EveryFieldOfTheTitleWindow)
{
    const QString names[] = {QStringLiteral("DataEdit1"), QStringLiteral("DataEdit2"), QStringLiteral("TitleMemo")};
    const QString typed[] = {QStringLiteral("B. Designer"), QStringLiteral("JOB-77"), QStringLiteral("PILE AT PIER 4")};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        Choose(QStringLiteral("DataMenu"), QStringLiteral("DataTitle"));
        auto* field = Window<TdlgTitle>().findChild<QWidget*>(names[i]);
        ASSERT_NE(field, nullptr);
        TypeOver(*field, typed[i]);
        ClickButton(3);
        ASSERT_TRUE(Refusals().empty());
        Reopen();
        Choose(QStringLiteral("DataMenu"), QStringLiteral("DataTitle"));
        const TdlgTitle& title = Window<TdlgTitle>();
        const QString shown[] = {title.DataEdit1().text(), title.DataEdit2().text(), title.TitleMemo().toPlainText()};
        EXPECT_EQ(shown[i], typed[i]);
    }
}

// The CPT window's file name and counts say how to read a text file: typing them marks
// nothing and they are not saved; the profile they read is saved and comes back.
TEST_F(ProgramInput, CptImportSettingsMarkNothingAndTheProfileSurvivesSaveAndReopen)
{
    const QString cone = dir_.filePath(QStringLiteral("cone.txt"));
    {
        QFile file(cone);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Site 4\nDepth Qc fs u\n1.5 42.0 0.3 0.1\n3.0 85.5 0.6 0.2\n4.5 130.25 0.9 0.3\n9.0 999 0 0\n");
    }
    Choose(QStringLiteral("DataMenu"), QStringLiteral("DataCpt"));
    TDlgInputMotion& w = Window<TDlgInputMotion>();
    TypeOver(w.FileNameEdit(), cone);
    TypeOver(w.DataLinesEdit(), QStringLiteral("3"));
    TypeOver(w.HeaderLinesEdit(), QStringLiteral("2"));
    TypeOver(w.ValuesPerLineEdit(), QStringLiteral("4"));
    Key(Qt::Key_Tab);
    EXPECT_TRUE(Form().DeactivateActiveChild());
    EXPECT_FALSE(Form().IsModified());

    QTest::mouseClick(&w.QcButton(), Qt::LeftButton);
    EXPECT_TRUE(Form().IsModified()); // the profile is new
    ClickButton(3);
    EXPECT_FALSE(Form().IsModified());
    Reopen();
    EXPECT_TRUE(messages_->Entries().empty()) << messages_->Texts().front().toStdString();
    TGraphPlot& profile = Form().Tables().MotionInput();
    ASSERT_EQ(profile.CurveCount(), 1);
    ASSERT_EQ(profile.Curve(0).PointCount(), 3);
    const long double depths[] = {1.5L, 3.0L, 4.5L};
    const long double cones[] = {42.0L, 85.5L, 130.25L};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(profile.Curve(0).Points[static_cast<std::size_t>(i)].Y, depths[i]) << i;
        EXPECT_EQ(profile.Curve(0).Points[static_cast<std::size_t>(i)].X, cones[i]) << i;
    }
}

TEST_F(ProgramInput, EveryFieldOfTheNoncircularWindow)
{
    Choose(QStringLiteral("OptionsMenu"), QStringLiteral("OptionsNonCircular"), QStringLiteral("PileShapeMenu"));
    Choose(QStringLiteral("DataMenu"), QStringLiteral("DataNoncircular"));
    std::vector<TDataEdit*> fields = Fields();
    for (TDataEdit* field : fields) {
        if (field->objectName() == QLatin1String("DataEdit3") || field->objectName() == QLatin1String("DataEdit4"))
            TypeOver(*field, QStringLiteral("50"));
    }
    ClickButton(3);
    Reopen();
    ASSERT_FALSE(Form().Data().Circular);
    CheckEveryField(QStringLiteral("DataMenu"), QStringLiteral("DataNoncircular"));
}

TEST_F(ProgramInput, EveryColumnOfTheTables)
{
    CheckEveryColumn([this]() -> TGridTable& { return Form().Tables().D(); },
                     [this] { Choose(QStringLiteral("DataMenu"), QStringLiteral("DataSoilTable")); });
    for (int layer : {0, 2}) { // a sand and a clay layer
        SCOPED_TRACE(layer);
        CheckEveryColumn([this, layer]() -> TGridTable& { return *Form().Tables().LayerTable(layer); },
                         [this, layer] { OpenLayerProperties(layer); });
    }
    CheckEveryColumn([this]() -> TGridTable& { return Form().Tables().TblTZDepth(); },
                     [this] {
                         Choose(QStringLiteral("OptionsMenu"), QStringLiteral("OptionsPrintTz"));
                         Check(QStringLiteral("ChkPrint"));
                         Click<QPushButton>(QStringLiteral("EditDepths"));
                     });
    CheckEveryColumn([this]() -> TGridTable& { return Form().Tables().Sectionaldata(); },
                     [this] {
                         Choose(QStringLiteral("DataMenu"), QStringLiteral("DataMaterial"));
                         Check(QStringLiteral("RadioButton2")); // non-constant cross section
                         Click<QPushButton>(QStringLiteral("SectionButton1"));
                     });
}

} // namespace
} // namespace veldo
