// Program entry: application object and start-up.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldo 2015"));
    QMessageBox::information(nullptr, QStringLiteral("Veldo 2015"),
                             QStringLiteral("The desktop program is not built yet."));
    return 0;
}
