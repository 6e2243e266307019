#include "PrintOutput.h"
#include "MessageCatalogue.h"

#include "FilePaths.h"
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

QString systemReason(int error) { return QString::fromStdString(SystemErrorText(error)); }

// Why no file can be written at the path (without changing a file that is there).
QString fileProblem(const QString& path)
{
    const std::filesystem::path name = FileSystemPath(path);
    const bool existed = ::access(name.c_str(), F_OK) == 0;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemReason(errno);
    ::close(fd);
    if (!existed)
        ::unlink(name.c_str());
    return Msg(TMsg::FileNotCompleted);
}

void showPrinterFailure(const QPrinter& printer)
{
    const QString file = printer.outputFileName();
    if (file.isEmpty())
        Messages().Information(Msg(TMsg::PrinterNotOpened));
    else
        Messages().Information(Msg(TMsg::FileNotWritten, file, fileProblem(file)));
}

} // namespace

bool SaveBitmapFile(const QImage& image, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QString reason;
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) {
        reason = Msg(TMsg::PictureNotEncoded);
    } else if (const auto failure = WriteFilesTogether({{FileSystemPath(path), bytes.toStdString()}})) {
        reason = QString::fromStdString(failure->reason);
    } else {
        return true;
    }
    Messages().Information(Msg(TMsg::BitmapNotWritten, path, reason));
    return false;
}

bool BeginPrinting(QPainter& painter, QPrinter& printer)
{
    if (painter.begin(&printer))
        return true;
    showPrinterFailure(printer);
    return false;
}

bool EndPrinting(QPainter& painter, QPrinter& printer)
{
    if (painter.end())
        return true;
    showPrinterFailure(printer);
    return false;
}

} // namespace veldo
