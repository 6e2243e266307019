#include "LayerPatterns.h"

#include <QTransform>

#include <QPainter>

#include <array>
#include <cstdint>

namespace veldo {

namespace {

// Small deterministic generator so that the stipples look the same on every run.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state_(seed) {}
    int next(int bound)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(bound));
    }

private:
    std::uint32_t state_;
};

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Sand: scattered dots.
QImage sand(int w, int h, int dots, int dot)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    Scatter s(12345u);
    for (int i = 0; i < dots; ++i)
        p.fillRect(s.next(w), s.next(h), dot, dot, Qt::black);
    return img;
}

// Clay: short horizontal dashes in staggered rows.
QImage clay(int w, int h, int pitch)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, std::max(1, pitch / 8)));
    const int dash = pitch;
    for (int row = 0, y = pitch / 2; y < h; ++row, y += pitch) {
        const int shift = (row % 2) * dash;
        for (int x = -dash + shift; x < w; x += 2 * dash)
            p.drawLine(x, y, x + dash - 2, y);
    }
    return img;
}

// Gravel: small open circles.
QImage gravel(int w, int h, int r)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, std::max(1, r / 3)));
    for (int y = r + 1, row = 0; y < h; y += 3 * r, ++row)
        for (int x = r + 1 + (row % 2) * r * 3 / 2; x < w; x += 3 * r)
            p.drawEllipse(QPoint(x, y), r, r);
    return img;
}

// Silt: rows of dots between dashed lines.
QImage silt(int w, int h, int pitch)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    const int dot = std::max(1, pitch / 6);
    for (int y = pitch / 2, row = 0; y < h; y += pitch, ++row) {
        if (row % 2 == 0) {
            for (int x = 0; x < w; x += pitch)
                p.fillRect(x, y, pitch / 2, dot, Qt::black);
        } else {
            for (int x = pitch / 4; x < w; x += pitch / 2)
                p.fillRect(x, y, dot, dot, Qt::black);
        }
    }
    return img;
}

// Rock: brick courses.
QImage rock(int w, int h, int course)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, std::max(1, course / 10)));
    for (int y = 0, row = 0; y < h; y += course, ++row) {
        p.drawLine(0, y, w, y);
        for (int x = (row % 2) * course; x < w; x += 2 * course)
            p.drawLine(x, y, x, y + course);
    }
    return img;
}

// Organic soil: short grass tufts.
QImage organic(int w, int h, int size)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, std::max(1, size / 8)));
    for (int y = size, row = 0; y < h; y += 2 * size, ++row) {
        for (int x = size + (row % 2) * size; x < w; x += 2 * size) {
            p.drawLine(x - size / 2, y, x + size / 2, y);
            p.drawLine(x, y, x, y - size / 2);
            p.drawLine(x, y, x - size / 3, y - size / 2);
            p.drawLine(x, y, x + size / 3, y - size / 2);
        }
    }
    return img;
}

QImage makePicture(int number)
{
    switch (number) {
    case 1:
        return sand(80, 80, 160, 2);
    case 2:
        return sand(96, 96, 120, 3);
    case 3:
        return gravel(30, 42, 3);
    case 4:
        return gravel(96, 69, 6);
    case 5:
        return silt(30, 42, 8);
    case 6:
        return silt(96, 69, 16);
    case 7:
        return rock(30, 42, 7);
    case 8:
        return rock(96, 69, 12);
    case 9:
        return organic(80, 80, 10);
    case 10:
        return organic(96, 192, 16);
    case 11:
        return clay(80, 80, 8);
    case 12:
        return clay(96, 192, 16);
    case 13:
        return clay(80, 80, 10);
    case 14:
        return clay(96, 96, 16);
    default:
        return {};
    }
}

} // namespace

const QImage& LayerPicture(int number)
{
    static const std::array<QImage, 15> pictures = [] {
        std::array<QImage, 15> all;
        for (int i = 1; i <= 14; ++i)
            all[static_cast<std::size_t>(i)] = makePicture(i);
        return all;
    }();
    static const QImage none;
    return number >= 1 && number <= 14 ? pictures[static_cast<std::size_t>(number)] : none;
}

namespace {

QBrush pictureBrush(int number, int pixelsPerInch)
{
    QBrush brush(LayerPicture(number));
    constexpr qreal kDesignResolution = 96;
    const qreal scale = pixelsPerInch / kDesignResolution;
    brush.setTransform(QTransform::fromScale(scale, scale));
    return brush;
}

} // namespace

QBrush LayerBrush(int code, bool printed, int pixelsPerInch)
{
    const int offset = printed ? 1 : 0;
    switch (code) {
    case 1:
        return pictureBrush(13 + offset, pixelsPerInch);
    case 2:
        return QBrush(Qt::black, Qt::FDiagPattern);
    case 3:
        return QBrush(Qt::black, Qt::CrossPattern);
    case 4:
        return QBrush(Qt::black, Qt::DiagCrossPattern);
    case 5:
        return QBrush(Qt::black, Qt::HorPattern);
    case 6:
        return QBrush(Qt::black, Qt::VerPattern);
    case 7:
        return pictureBrush(1 + offset, pixelsPerInch);
    case 8:
        return pictureBrush(3 + offset, pixelsPerInch);
    case 9:
        return pictureBrush(5 + offset, pixelsPerInch);
    case 10:
        return pictureBrush(7 + offset, pixelsPerInch);
    case 11:
        return pictureBrush(9 + offset, pixelsPerInch);
    case 12:
        return pictureBrush(11 + offset, pixelsPerInch);
    default:
        return QBrush(Qt::NoBrush);
    }
}

} // namespace veldo
