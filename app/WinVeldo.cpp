// The program WINVELDO2015: the application object and the start-up order.
#include "Main.h"
#include "WindowFit.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldo 2015"));

    // The main window first; the windows that later parts of the program add are
    // created after it, in their fixed order. Dropped project files reach the main
    // window directly.
    veldo::TMainFormOptions options;
    options.arguments = QApplication::arguments().mid(1);
    veldo::TMainForm mainForm(std::move(options));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainForm.setGeometry(veldo::InitialMainWindowGeometry(screen->availableGeometry()));
    mainForm.show();
    return QApplication::exec();
}
