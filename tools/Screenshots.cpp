// Takes the pictures of the help and the User's Manual from the real windows:
//
//   veldo_screenshots <project.vd7d> <engine folder> <output folder>
//
// Opens a copy of the project in the main window (offscreen), opens every input
// window, runs the analysis, opens the result plots and saves each window as a PNG
// named after the page that shows it. Run on demand by scripts/screenshots.sh; the
// build never runs it.
#include "Launchers.h"
#include "Main.h"
#include "Messages.h"
#include "Startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

using namespace veldo;

// Opens nothing: the pictures need no editor or viewer.
class TNoShell final : public IShell {
public:
    bool OpenUrl(const QUrl&, TLaunchFailed) override { return true; }
    bool StartDetached(const QString&, const QStringList&, TLaunchFailed) override { return true; }
};

class TCamera {
public:
    TCamera(TMainForm& form, QString folder) : form_(form), folder_(std::move(folder)) {}

    void Settle() const
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    bool Save(QWidget& widget, const QString& name)
    {
        Settle();
        const QString path = QDir(folder_).filePath(name + QStringLiteral(".png"));
        if (!widget.grab().save(path)) {
            std::fprintf(stderr, "veldo_screenshots: cannot write %s\n", qPrintable(path));
            ok_ = false;
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        return true;
    }

    // Triggers a menu item and saves the MDI child it opened, then closes it.
    void Child(const QString& action, const QString& name, const QSize& size = {},
               const std::function<void(QWidget&)>& prepare = {})
    {
        QAction* item = form_.Action(action);
        if (!item) {
            std::fprintf(stderr, "veldo_screenshots: no menu item %s\n", qPrintable(action));
            ok_ = false;
            return;
        }
        item->trigger();
        Settle();
        QMdiSubWindow* child = form_.MdiArea()->activeSubWindow();
        if (!child) {
            std::fprintf(stderr, "veldo_screenshots: %s opened no window\n", qPrintable(action));
            ok_ = false;
            return;
        }
        if (size.isValid())
            child->resize(size);
        if (prepare)
            prepare(*child->widget());
        Save(*child, name);
        child->close();
        Settle();
    }

    bool Ok() const { return ok_; }

private:
    TMainForm& form_;
    QString folder_;
    bool ok_ = true;
};

bool CopyProject(const QString& project, const QDir& to, QString& copy)
{
    const QFileInfo info(project);
    copy = to.filePath(info.fileName());
    if (!QFile::copy(project, copy))
        return false;
    const QString cpt = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".cpt");
    if (QFileInfo(cpt).isFile())
        QFile::copy(cpt, to.filePath(info.completeBaseName() + QStringLiteral(".cpt")));
    return true;
}

// Clicks the first button whose text starts with `text` in the widget.
void ClickButton(QWidget& parent, const QString& text)
{
    for (QAbstractButton* button : parent.findChildren<QAbstractButton*>())
        if (button->text().startsWith(text) && button->isVisible()) {
            button->click();
            return;
        }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto app = CreateApplication(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: veldo_screenshots PROJECT.vd7d ENGINE_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    QTemporaryDir work;
    QString project;
    if (!work.isValid() || !CopyProject(args[1], QDir(work.path()), project)) {
        std::fprintf(stderr, "veldo_screenshots: cannot copy %s\n", qPrintable(args[1]));
        return 1;
    }
    // Absolute: the program changes the current folder during a run.
    const QString output = QDir(args[3]).absolutePath();
    QDir().mkpath(output);

    // Every question is answered Yes and no box is shown.
    TScopedMessageRecorder messages;
    TNoShell shell;
    TMainFormOptions options;
    options.settingsFile = QDir(work.path()).filePath(QStringLiteral("settings.ini"));
    options.programDir = QDir(args[2]).absolutePath();
    options.arguments = QStringList{project};
    options.shell = &shell;
    TMainForm form(options);
    form.resize(1000, 700);
    form.show();

    TCamera camera(form, output);
    camera.Settle();

    // The main window with two input windows open in it.
    for (const auto& [action, place] :
         {std::pair{"DataSoilLayers", QRect(120, 150, 860, 430)}, std::pair{"DataTitle", QRect(10, 10, 310, 220)}}) {
        form.Action(QString::fromLatin1(action))->trigger();
        camera.Settle();
        if (QMdiSubWindow* child = form.MdiArea()->activeSubWindow()) {
            child->showNormal();
            child->setGeometry(place);
        }
    }
    camera.Save(form, QStringLiteral("main-window"));

    for (QMdiSubWindow* child : form.MdiArea()->subWindowList())
        child->close();
    camera.Child(QStringLiteral("DataTitle"), QStringLiteral("title"));
    camera.Child(QStringLiteral("DataMethods"), QStringLiteral("methods-load-settlement"));
    camera.Child(QStringLiteral("DataMethods"), QStringLiteral("methods-capacity"), {}, [](QWidget& w) {
        if (auto* tabs = w.findChild<QTabWidget*>())
            tabs->setCurrentIndex(1);
    });
    camera.Child(QStringLiteral("DataMaterial"), QStringLiteral("material"));
    camera.Child(QStringLiteral("DataCircular"), QStringLiteral("circular"));
    camera.Child(QStringLiteral("DataSoilTable"), QStringLiteral("soil-table"));
    camera.Child(QStringLiteral("DataSoilLayers"), QStringLiteral("soil-layers"), {}, [&](QWidget& w) {
        // The layer window is modal: its picture is taken once it is up.
        QTimer::singleShot(200, [&] {
            if (QWidget* layer = QApplication::activeModalWidget()) {
                camera.Save(*layer, QStringLiteral("layer-properties"));
                layer->close();
            }
        });
        ClickButton(w, QStringLiteral("Edit Layer"));
    });
    camera.Child(QStringLiteral("DataCpt"), QStringLiteral("cpt"));
    camera.Child(QStringLiteral("OptionsCriticalDepth"), QStringLiteral("critical-depth"));
    camera.Child(QStringLiteral("OptionsPrintTz"), QStringLiteral("tz-print"));
    camera.Child(QStringLiteral("OptionsControl"), QStringLiteral("control-options"));
    camera.Child(QStringLiteral("CompViewSoil"), QStringLiteral("elevation"), QSize(520, 480));

    form.Action(QStringLiteral("CompRun"))->trigger();
    camera.Settle();
    camera.Child(QStringLiteral("GraphTotal"), QStringLiteral("plot-total"), QSize(640, 560));
    camera.Child(QStringLiteral("GraphCombine"), QStringLiteral("plot-combined"), QSize(900, 560));
    camera.Child(QStringLiteral("GraphAxial"), QStringLiteral("plot-axial"), QSize(640, 520));
    camera.Child(QStringLiteral("GraphTZ"), QStringLiteral("plot-tz"), QSize(640, 520));
    // Last: the example is a circular pile, and the noncircular window of it holds a
    // perimeter of 0, which no later command would accept.
    form.Action(QStringLiteral("OptionsNonCircular"))->trigger();
    camera.Child(QStringLiteral("DataNoncircular"), QStringLiteral("noncircular"));

    for (const QString& text : messages->Texts())
        std::printf("message: %s\n", qPrintable(text));
    form.SetModified(false);
    return camera.Ok() && form.ResultsFlag() ? 0 : 1;
}
