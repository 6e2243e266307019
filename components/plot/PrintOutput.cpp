#include "PrintOutput.h"

#include "Messages.h"
#include "SafeWrite.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace veldo {
namespace {

const QString CR = QStringLiteral("\r");

QString systemReason(int error)
{
    return QString::fromStdString(SystemErrorText(error));
}

// Why no file can be written at the path (without changing a file that is there).
QString fileProblem(const QString &path)
{
    const QByteArray name = path.toUtf8();
    const bool existed = ::access(name.constData(), F_OK) == 0;
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemReason(errno);
    ::close(fd);
    if (!existed)
        ::unlink(name.constData());
    return QStringLiteral("The file was not completed.");
}

void showPrinterFailure(const QPrinter &printer)
{
    const QString file = printer.outputFileName();
    if (file.isEmpty())
        Messages().Information(QStringLiteral("The printer could not be opened."));
    else
        Messages().Information(QStringLiteral("The file could not be written:") + CR + file + CR + fileProblem(file));
}

} // namespace

bool SaveBitmapFile(const QImage &image, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QString reason;
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) {
        reason = QStringLiteral("The picture could not be encoded.");
    } else if (const auto failure = WriteFilesTogether({{path.toStdString(), bytes.toStdString()}})) {
        reason = QString::fromStdString(failure->reason);
    } else {
        return true;
    }
    Messages().Information(QStringLiteral("The bitmap could not be written:") + CR + path + CR + reason);
    return false;
}

bool BeginPrinting(QPainter &painter, QPrinter &printer)
{
    if (painter.begin(&printer))
        return true;
    showPrinterFailure(printer);
    return false;
}

bool EndPrinting(QPainter &painter, QPrinter &printer)
{
    if (painter.end())
        return true;
    showPrinterFailure(printer);
    return false;
}

} // namespace veldo
