// Draws the three adhesion-factor pictures of the chart window (ChartA.jpg,
// ChartB.jpg, ChartC.jpg in this folder). Not part of the build; to redraw them:
//   g++ -std=c++20 -fPIC MakeCharts.cpp $(pkg-config --cflags --libs Qt6Gui) -o make_charts
//   QT_QPA_PLATFORM=offscreen ./make_charts .
// Each picture is the adhesion-factor chart of the FHWA method for one soil case: the
// adhesion factor against the undrained shear strength, one curve per penetration
// ratio D/b, with the very points the method interpolates between.
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
constexpr QRect Plot(90, 60, 860, 250);
constexpr double MaxStrength = 4500.0; // lb/ft^2
constexpr double MaxFactor = 1.25;
constexpr double KpaPerPsf = 0.04788;

// The strengths at which the FHWA method's charts hold their adhesion factors
// (0 to 4.5 ksf); the curves below are those tables, point for point.
constexpr std::array<double, 10> Strengths{0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500};

struct Curve {
    QString label;
    std::array<double, 10> factors; // at Strengths
};

struct Chart {
    QString file;
    QString title;
    QString soilCase;
    std::vector<Curve> curves;
};

QPointF ToPixel(double strength, double factor)
{
    return {Plot.left() + strength / MaxStrength * Plot.width(), Plot.bottom() - factor / MaxFactor * Plot.height()};
}

void DrawAxes(QPainter& painter)
{
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    for (std::size_t i = 1; i < Strengths.size(); ++i) {
        const double x = ToPixel(Strengths[i], 0).x();
        painter.drawLine(QPointF(x, Plot.top()), QPointF(x, Plot.bottom()));
    }
    for (int i = 1; i <= 5; ++i) {
        const double y = ToPixel(0, i * 0.25).y();
        painter.drawLine(QPointF(Plot.left(), y), QPointF(Plot.right(), y));
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(Plot);
    painter.setFont(QFont(QStringLiteral("Sans"), 10));
    for (const double strength : Strengths) {
        const QPointF at = ToPixel(strength, 0);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(at.x() - 30, Plot.bottom() + 4, 60, 18), Qt::AlignCenter,
                         QString::number(static_cast<int>(strength)));
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(QRectF(at.x() - 30, Plot.bottom() + 20, 60, 18), Qt::AlignCenter,
                         QString::number(strength * KpaPerPsf, 'f', 1));
    }
    painter.setPen(Qt::black);
    for (int i = 0; i <= 5; ++i) {
        const double value = i * 0.25;
        const QPointF at = ToPixel(0, value);
        painter.drawText(QRectF(Plot.left() - 50, at.y() - 9, 44, 18), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value, 'f', 2));
    }
    painter.drawText(QRectF(Plot.left(), Plot.bottom() + 40, Plot.width(), 20), Qt::AlignCenter,
                     QStringLiteral("Undrained Shear Strength, lbs/ft^2 (kPa)"));
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
        QPainterPath path(ToPixel(Strengths[0], curve.factors[0]));
        for (std::size_t i = 1; i < Strengths.size(); ++i)
            path.lineTo(ToPixel(Strengths[i], curve.factors[i]));
        painter.setPen(QPen(colours[c % colours.size()], 3));
        painter.drawPath(path);
    }
    // The legend runs along the top of the plot, above every curve (no factor
    // exceeds 1): a short line of each curve's colour and its label.
    painter.setFont(QFont(QStringLiteral("Sans"), 10));
    double x = Plot.left() + 20;
    const double y = ToPixel(0, 1.14).y();
    for (std::size_t c = 0; c < curves.size(); ++c) {
        painter.setPen(QPen(colours[c % colours.size()], 3));
        painter.drawLine(QPointF(x, y), QPointF(x + 30, y));
        const double width = painter.fontMetrics().horizontalAdvance(curves[c].label);
        painter.drawText(QRectF(x + 38, y - 9, width + 4, 18), Qt::AlignLeft | Qt::AlignVCenter, curves[c].label);
        x += 38 + width + 40;
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
    image.save(folder + QStringLiteral("/") + chart.file, "JPG", 90);
}

// Curves by penetration ratio D/b, the charts' parameter (the method interpolates
// linearly between two curves).
std::vector<Chart> Charts()
{
    return {
        {QStringLiteral("ChartA.jpg"),
         QStringLiteral("Adhesion Factor - Graph A"),
         QStringLiteral("Sands or sandy gravels over stiff to very stiff cohesive soils"),
         {{QStringLiteral("D/b = 10 or less"), {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
          {QStringLiteral("D/b = 20"), {1, 1, 1, 1, 0.95, 0.875, 0.75, 0.75, 0.75, 0.75}},
          {QStringLiteral("D/b = 40 and more"), {1, 1, 0.9, 0.815, 0.68, 0.5, 0.44, 0.4, 0.4, 0.4}}}},
        {QStringLiteral("ChartB.jpg"),
         QStringLiteral("Adhesion Factor - Graph B"),
         QStringLiteral("Soft clays or silts over stiff to very stiff cohesive soils"),
         {{QStringLiteral("D/b = 20 and more"), {0.97, 0.84, 0.746, 0.694, 0.675, 0.656, 0.626, 0.599, 0.568, 0.54}},
          {QStringLiteral("D/b = 10 or less"), {0.7, 0.519, 0.398, 0.334, 0.298, 0.272, 0.246, 0.226, 0.206, 0.186}}}},
        {QStringLiteral("ChartC.jpg"),
         QStringLiteral("Adhesion Factor - Graph C"),
         QStringLiteral("Stiff to very stiff cohesive soils without overlying strata"),
         {{QStringLiteral("D/b = 40 and more"), {1, 1, 1, 1, 0.9, 0.701, 0.502, 0.388, 0.315, 0.299}},
          {QStringLiteral("D/b = 10 or less"), {1, 0.984, 0.923, 0.829, 0.688, 0.443, 0.303, 0.245, 0.238, 0.238}}}},
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
