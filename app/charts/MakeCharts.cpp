// Draws the three adhesion-factor pictures of the chart window (ChartA.jpg,
// ChartB.jpg, ChartC.jpg in this folder). Not part of the build; to redraw them:
//   g++ -std=c++20 -fPIC MakeCharts.cpp $(pkg-config --cflags --libs Qt6Gui) -o make_charts
//   QT_QPA_PLATFORM=offscreen ./make_charts .
// Each picture is a schematic chart of the adhesion factor against the undrained
// shear strength for one soil case, with one curve per embedment ratio.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace {

constexpr int Width = 1000;
constexpr int Height = 400;
constexpr QRect Plot(90, 60, 860, 270);
constexpr double MaxStrength = 4000.0; // lb/ft^2
constexpr double MaxFactor = 1.5;

struct Curve {
    QString label;
    std::vector<std::pair<double, double>> points; // strength, factor
};

struct Chart {
    QString file;
    QString title;
    QString soilCase;
    std::vector<Curve> curves;
};

QPointF ToPixel(double strength, double factor)
{
    return {Plot.left() + strength / MaxStrength * Plot.width(),
            Plot.bottom() - factor / MaxFactor * Plot.height()};
}

void DrawAxes(QPainter& painter)
{
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    for (int i = 1; i <= 8; ++i) {
        const double x = Plot.left() + i * Plot.width() / 8.0;
        painter.drawLine(QPointF(x, Plot.top()), QPointF(x, Plot.bottom()));
    }
    for (int i = 1; i <= 6; ++i) {
        const double y = Plot.bottom() - i * Plot.height() / 6.0;
        painter.drawLine(QPointF(Plot.left(), y), QPointF(Plot.right(), y));
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(Plot);
    QFont font(QStringLiteral("Sans"), 10);
    painter.setFont(font);
    for (int i = 0; i <= 8; ++i) {
        const double value = i * MaxStrength / 8.0;
        const QPointF at = ToPixel(value, 0);
        painter.drawText(QRectF(at.x() - 30, Plot.bottom() + 4, 60, 18), Qt::AlignCenter,
                         QString::number(static_cast<int>(value)));
    }
    for (int i = 0; i <= 6; ++i) {
        const double value = i * MaxFactor / 6.0;
        const QPointF at = ToPixel(0, value);
        painter.drawText(QRectF(Plot.left() - 50, at.y() - 9, 44, 18), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value, 'f', 2));
    }
    painter.drawText(QRectF(Plot.left(), Plot.bottom() + 24, Plot.width(), 20), Qt::AlignCenter,
                     QStringLiteral("Undrained Shear Strength (lbs/ft^2)"));
    painter.save();
    painter.translate(22, Plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-100, -10, 200, 20), Qt::AlignCenter, QStringLiteral("Adhesion Factor"));
    painter.restore();
}

void DrawCurves(QPainter& painter, const std::vector<Curve>& curves)
{
    const std::array<QColor, 3> colours{QColor(0, 0, 160), QColor(160, 0, 0), QColor(0, 110, 0)};
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const Curve& curve = curves[c];
        QPainterPath path(ToPixel(curve.points.front().first, curve.points.front().second));
        for (std::size_t i = 1; i < curve.points.size(); ++i)
            path.lineTo(ToPixel(curve.points[i].first, curve.points[i].second));
        painter.setPen(QPen(colours[c % colours.size()], 3));
        painter.drawPath(path);
        // The upper curve is labelled above its third point, the others below it.
        const auto& [s, f] = curve.points[2];
        const QPointF at = ToPixel(s, f);
        const QRectF box(at.x() + 8, c == 0 ? at.y() - 30 : at.y() + 30, 210, 18);
        painter.fillRect(box, Qt::white);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, curve.label);
    }
}

void DrawChart(const Chart& chart, const QString& folder)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("Sans"), 14, QFont::Bold));
    painter.drawText(QRect(0, 6, Width, 26), Qt::AlignCenter, chart.title);
    painter.setFont(QFont(QStringLiteral("Sans"), 11));
    painter.drawText(QRect(0, 32, Width, 22), Qt::AlignCenter, chart.soilCase);
    DrawAxes(painter);
    DrawCurves(painter, chart.curves);
    painter.end();
    image.save(folder + QStringLiteral("/") + chart.file, "JPG", 85);
}

std::vector<Chart> Charts()
{
    return {
        {QStringLiteral("ChartA.jpg"), QStringLiteral("Adhesion Factor - Graph A"),
         QStringLiteral("Sands or sandy gravels over stiff to very stiff cohesive soils"),
         {{QStringLiteral("embedment ratio 20 and more"),
           {{0, 1.25}, {1000, 1.25}, {1600, 1.1}, {2400, 0.85}, {3200, 0.7}, {4000, 0.6}}},
          {QStringLiteral("embedment ratio 10 or less"),
           {{0, 1.0}, {800, 1.0}, {1600, 0.8}, {2400, 0.6}, {3200, 0.5}, {4000, 0.42}}}}},
        {QStringLiteral("ChartB.jpg"), QStringLiteral("Adhesion Factor - Graph B"),
         QStringLiteral("Soft clays or silts over stiff to very stiff cohesive soils"),
         {{QStringLiteral("embedment ratio 20 and more"),
           {{0, 1.0}, {1000, 0.95}, {1800, 0.75}, {2600, 0.55}, {3400, 0.45}, {4000, 0.4}}},
          {QStringLiteral("embedment ratio 10 or less"),
           {{0, 0.7}, {1000, 0.55}, {1800, 0.4}, {2600, 0.3}, {3400, 0.25}, {4000, 0.22}}}}},
        {QStringLiteral("ChartC.jpg"), QStringLiteral("Adhesion Factor - Graph C"),
         QStringLiteral("Stiff to very stiff cohesive soils without overlying strata"),
         {{QStringLiteral("embedment ratio 40 and more"),
           {{0, 1.0}, {1200, 1.0}, {2000, 0.8}, {2800, 0.65}, {3400, 0.58}, {4000, 0.55}}},
          {QStringLiteral("embedment ratio 10 or less"),
           {{0, 1.0}, {600, 0.9}, {1400, 0.6}, {2200, 0.42}, {3000, 0.35}, {4000, 0.3}}}}},
    };
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    for (const Chart& chart : Charts())
        DrawChart(chart, folder);
    return 0;
}
