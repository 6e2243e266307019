#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace veldo {

namespace {

// Pictures are drawn on a 24 x 24 grid.
constexpr int kGrid = 24;

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 250);
const QColor kFolder(222, 178, 76);
const QColor kSand(230, 205, 140);
const QColor kClay(150, 110, 80);
const QColor kSteel(120, 135, 150);
const QColor kGo(40, 150, 60);

QPen inkPen(qreal width = 1.5) { return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void page(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(5, 2);
    sheet.lineTo(15, 2);
    sheet.lineTo(19, 6);
    sheet.lineTo(19, 22);
    sheet.lineTo(5, 22);
    sheet.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({{15, 2}, {15, 6}, {19, 6}}));
}

// A plot frame with its axes; the curves are drawn by the caller.
void axes(QPainter& p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 3, 18, 18));
}

void curve(QPainter& p, const QColor& colour, const QPolygonF& points)
{
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
}

void letter(QPainter& p, const QString& text)
{
    QFont font = p.font();
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, text);
}

void layers(QPainter& p, qreal left, qreal right)
{
    p.setPen(Qt::NoPen);
    const QColor bands[] = {kSand, kClay, kSand, kClay};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(bands[i]);
        p.drawRect(QRectF(left, 6 + 4.5 * i, right - left, 4.5));
    }
}

void draw(QPainter& p, int button)
{
    switch (button) {
    case 1: // open: a folder
        p.setPen(inkPen());
        p.setBrush(kFolder);
        p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {21, 8}, {21, 20}, {2, 20}}));
        p.setBrush(kFolder.lighter(120));
        p.drawPolygon(QPolygonF({{2, 20}, {5, 11}, {23, 11}, {21, 20}}));
        break;
    case 2: // new: a blank page
        page(p);
        break;
    case 3: // save: a disk
        p.setPen(inkPen());
        p.setBrush(QColor(70, 100, 170));
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.drawRect(QRectF(6, 14, 12, 7));
        break;
    case 4: // run: start
        p.setPen(inkPen());
        p.setBrush(kGo);
        p.drawPolygon(QPolygonF({{6, 3}, {20, 12}, {6, 21}}));
        break;
    case 5: // output: a page of text
        page(p);
        p.setPen(inkPen(1.2));
        for (int y = 9; y <= 18; y += 3)
            p.drawLine(QLineF(8, y, 16, y));
        break;
    case 6: // soil profile: a pile in layered ground
        layers(p, 2, 22);
        p.setPen(inkPen(1));
        p.setBrush(kSteel);
        p.drawRect(QRectF(10, 2, 4, 19));
        break;
    case 7: // soil layer data: a table of layers
        layers(p, 3, 21);
        p.setPen(inkPen(1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3, 6, 18, 18 - 0.1));
        p.drawLine(QLineF(9, 6, 9, 24));
        break;
    case 8: // combined plot: three curves
        axes(p);
        curve(p, Qt::blue, {{4, 5}, {9, 10}, {12, 20}});
        curve(p, Qt::red, {{4, 5}, {6, 12}, {7, 20}});
        curve(p, kInk, {{4, 5}, {13, 10}, {19, 20}});
        break;
    case 9: // t-z curves: rising to a plateau
        axes(p);
        curve(p, Qt::blue, {{4, 20}, {8, 9}, {12, 7}, {20, 7}});
        curve(p, Qt::red, {{4, 20}, {7, 14}, {11, 13}, {20, 13}});
        break;
    case 10: // load vs settlement
        axes(p);
        curve(p, Qt::blue, {{4, 4}, {11, 7}, {16, 12}, {19, 20}});
        break;
    case 11:
        letter(p, QStringLiteral("T"));
        break;
    case 12: // computational method
        letter(p, QString(QChar(0x03A3)));
        break;
    case 13: // pile material: a steel H section
        p.setPen(inkPen(1));
        p.setBrush(kSteel);
        p.drawRect(QRectF(4, 3, 16, 4));
        p.drawRect(QRectF(10, 7, 4, 10));
        p.drawRect(QRectF(4, 17, 16, 4));
        break;
    case 14: // circular section: a pipe
        p.setPen(QPen(kSteel.darker(130), 3.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 12), 8, 8);
        break;
    case 15: // non-circular section: a square pile
        p.setPen(inkPen(1));
        p.setBrush(QColor(175, 175, 165));
        p.drawRect(QRectF(5, 5, 14, 14));
        break;
    case 16: // total capacity: a bar and an arrow down
        axes(p);
        curve(p, kInk, {{4, 4}, {16, 20}});
        p.setPen(Qt::NoPen);
        p.setBrush(kGo);
        p.drawPolygon(QPolygonF({{14, 14}, {20, 14}, {17, 20}}));
        break;
    default:
        break;
    }
}

} // namespace

QIcon ToolIcon(int button)
{
    if (button < 1 || button > 16)
        return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(static_cast<qreal>(size) / kGrid, static_cast<qreal>(size) / kGrid);
        draw(painter, button);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace veldo
