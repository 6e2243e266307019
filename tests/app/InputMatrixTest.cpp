// Every input field and every table column, typed into and saved at once (the toolbar
// Save with the focus still in the field or the cell), comes back when the project is
// opened again.
#include "DataEdit.h"
#include "InputWindow.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "MiscMath.h"
#include "Messages.h"
#include "ProjectTables.h"
#include "Table.h"
#include "TableFormController.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace veldo {
namespace {

class InputMatrix : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        startDir_ = QDir::currentPath();
        project_ = dir_.filePath(QStringLiteral("pile.vd7d"));
        const QString example = QStringLiteral(VELDO_EXAMPLES_DIR "/PipeSandClay_English");
        ASSERT_TRUE(QFile::copy(example + QStringLiteral(".vd7d"), project_));
        QFile::copy(example + QStringLiteral(".cpt"), dir_.filePath(QStringLiteral("pile.cpt")));
        TMainFormOptions options;
        options.settingsFile = dir_.filePath(QStringLiteral("VELDO.ini"));
        options.programDir = dir_.path();
        options.arguments = {project_};
        options.fileDialogs = &dialogs_;
        options.shell = &shell_;
        form_ = std::make_unique<TMainForm>(std::move(options));
        form_->resize(1200, 900);
        form_->show();
        QApplication::setActiveWindow(form_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(startDir_);
    }

    TMainForm& Form() { return *form_; }

    void Click(QAction* action)
    {
        QWidget* button = Form().findChild<QToolBar*>(QStringLiteral("ToolBar"))->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void Save() { Click(Form().Action(QStringLiteral("SpeedButton3"))); }
    // File > Open through the toolbar, answered with the project.
    void Reopen()
    {
        dialogs_.openAnswers.push_back(TOpenChoice{project_, 1});
        Click(Form().Action(QStringLiteral("SpeedButton1")));
        ASSERT_EQ(Form().Data().ProjectPath, project_);
    }
    void Choose(const QString& menuName, const QString& itemName)
    {
        emit Form().Menu(menuName)->aboutToShow();
        QAction* item = Form().Action(itemName);
        ASSERT_TRUE(item->isEnabled()) << itemName.toStdString();
        item->trigger();
        QCoreApplication::processEvents();
    }
    static void TypeOver(QWidget& field, const QString& text)
    {
        QTest::mouseClick(&field, Qt::LeftButton);
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
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

    // For each numeric field of the window opened by `item` of `menu`: type a new
    // value, save at once, open the project again and find the value in the field.
    void CheckEveryField(const QString& menu, const QString& item)
    {
        Choose(menu, item);
        const std::size_t count = Fields().size();
        ASSERT_GT(count, 0u) << item.toStdString();
        for (std::size_t i = 0; i < count; ++i) {
            Choose(menu, item);
            std::vector<TDataEdit*> fields = Fields();
            ASSERT_EQ(fields.size(), count) << item.toStdString();
            TDataEdit& field = *fields[i];
            const QString name = field.objectName();
            const long double value = NewValue(field);
            TypeOver(field, FormatEntryValue(false, value));
            Save();
            ASSERT_TRUE(Refusals().empty()) << name.toStdString() << " " << Refusals().front().toStdString();
            Reopen();
            Choose(menu, item);
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
            const QString typed = FormatEntryValue(false, EvaluateEntry(table().Column(column).AsText(0).toStdString()) + 2);
            const QRect cell = grid.visualRect(grid.model()->index(0, gridColumn));
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
            for (const QChar c : typed)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            Save();
            ASSERT_TRUE(Refusals().empty()) << column << " " << Refusals().front().toStdString();
            Reopen();
            EXPECT_EQ(table().Column(column).AsText(0), typed)
                << table().WindowTitle().toStdString() << " column " << column;
        }
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

    QTemporaryDir dir_;
    QString startDir_;
    QString project_;
    test::TScriptedFileDialogs dialogs_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

TEST_F(InputMatrix, EveryFieldOfTheInputWindows)
{
    const std::pair<const char*, const char*> windows[] = {
        {"DataMenu", "DataMaterial"}, {"DataMenu", "DataCircular"}, {"DataMenu", "DataSoilLayers"},
        {"OptionsMenu", "OptionsControl"},
    };
    for (const auto& [menu, item] : windows) {
        SCOPED_TRACE(item);
        CheckEveryField(QString::fromLatin1(menu), QString::fromLatin1(item));
    }
}

TEST_F(InputMatrix, EveryFieldOfTheNoncircularWindow)
{
    emit Form().Menu(QStringLiteral("OptionsMenu"))->aboutToShow();
    Form().Action(QStringLiteral("OptionsNonCircular"))->trigger();
    Choose(QStringLiteral("DataMenu"), QStringLiteral("DataNoncircular"));
    std::vector<TDataEdit*> fields = Fields();
    for (TDataEdit* field : fields) {
        if (field->objectName() == QLatin1String("DataEdit3") || field->objectName() == QLatin1String("DataEdit4"))
            TypeOver(*field, QStringLiteral("50"));
    }
    Save();
    Reopen();
    ASSERT_FALSE(Form().Data().Circular);
    CheckEveryField(QStringLiteral("DataMenu"), QStringLiteral("DataNoncircular"));
}

TEST_F(InputMatrix, EveryColumnOfTheTables)
{
    CheckEveryColumn([this]() -> TGridTable& { return Form().Tables().D(); },
                     [this] { Choose(QStringLiteral("DataMenu"), QStringLiteral("DataSoilTable")); });
    for (int layer : {0, 2}) { // a sand and a clay layer
        SCOPED_TRACE(layer);
        CheckEveryColumn([this, layer]() -> TGridTable& { return *Form().Tables().LayerTable(layer); },
                         [this, layer] { OpenLayerProperties(layer); });
    }
}

} // namespace
} // namespace veldo
