#include "PrintOutput.h"
#include "MessageCatalogue.h"

#include "FilePaths.h"
#include "Messages.h"
#include "SafeWrite.h"

#include <QBuffer>
#include <QImage>
#include <QList>
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

// The classic 16-colour table.
QList<QRgb> SixteenColors()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage BlackAndWhite(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage mono(rgb.size(), QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mono.setDotsPerMeterX(rgb.dotsPerMeterX());
    mono.setDotsPerMeterY(rgb.dotsPerMeterY());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            mono.setPixel(x, y, (line[x] & 0xFFFFFFu) == 0xFFFFFFu ? 0 : 1);
    }
    return mono;
}

} // namespace

QImage WithBitmapColors(const QImage& image, TBitmapColors colors)
{
    constexpr auto nearest = Qt::ThresholdDither | Qt::AvoidDither;
    switch (colors) {
    case TBitmapColors::BlackAndWhite:
        return BlackAndWhite(image);
    case TBitmapColors::Colors16:
        return image.convertToFormat(QImage::Format_Indexed8, SixteenColors(), nearest);
    case TBitmapColors::Colors256: {
        QImage indexed = image.convertToFormat(QImage::Format_Indexed8, nearest);
        // A table of fewer than 17 colours would be written with 4 bits per pixel.
        QList<QRgb> table = indexed.colorTable();
        table.resize(256, qRgb(0, 0, 0));
        indexed.setColorTable(table);
        return indexed;
    }
    case TBitmapColors::HighColor:
    case TBitmapColors::TrueColor:
        break;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

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
