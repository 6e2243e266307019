#include "Startup.h"

#include "Main.h"
#include "Table.h"
#include "WindowFit.h"

#include <QScreen>

#include <clocale>
#include <cstdio>

namespace veldo {

std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv)
{
    auto app = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Veldo 2015"));
    return app;
}

int RunProgram(int argc, char** argv)
{
    const std::unique_ptr<QApplication> app = CreateApplication(argc, argv);
    int exitCode = 0;
    {
        // The main window first; the windows that later parts of the program add are
        // created after it, in their fixed order. Dropped project files reach the main
        // window directly.
        TMainFormOptions options;
        options.arguments = QApplication::arguments().mid(1);
        TMainForm mainForm(std::move(options));
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            mainForm.setGeometry(InitialMainWindowGeometry(screen->availableGeometry()));
        mainForm.show();
        exitCode = QApplication::exec();
    }
    // Every table is gone with the main window: a column class still registered now
    // was registered by code that never unregistered it.
    try {
        ShutDownColumnTypes();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return exitCode == 0 ? 1 : exitCode;
    }
    return exitCode;
}

} // namespace veldo
