#include "DlgChart.h"

#include "Messages.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

// Resources of a static library are linked only when asked for by name.
static void InitChartResources() { Q_INIT_RESOURCE(DlgChart); }

namespace veldo {
namespace {

constexpr QSize PictureSize(1000, 400);

QLabel* MakePicture(QWidget* parent, const QString& name)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setPixmap(QPixmap(QStringLiteral(":/charts/") + name + QStringLiteral(".jpg")));
    picture->setScaledContents(true); // stretched over the picture area
    picture->setFixedSize(PictureSize);
    return picture;
}

} // namespace

TChartForm::TChartForm(QWidget* parent) : QDialog(parent)
{
    InitChartResources();
    setObjectName(QStringLiteral("ChartForm"));
    setWindowTitle(QStringLiteral("Adhesion Factor"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    ChartA_ = MakePicture(this, QStringLiteral("ChartA"));
    ChartB_ = MakePicture(this, QStringLiteral("ChartB"));
    ChartC_ = MakePicture(this, QStringLiteral("ChartC"));
    for (QLabel* picture : {ChartA_, ChartB_, ChartC_})
        layout->addWidget(picture);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Button1"));
    ConnectReportingErrors(close, &QPushButton::clicked, this, &TChartForm::Button1Click);
    layout->addWidget(close, 0, Qt::AlignRight);
}

QLabel* TChartForm::Chart(int item) const
{
    switch (item) {
    case 1:
        return ChartA_;
    case 2:
        return ChartB_;
    case 3:
        return ChartC_;
    default:
        return nullptr;
    }
}

void TChartForm::SelectChart(int item)
{
    for (int i = 1; i <= 3; ++i)
        Chart(i)->setVisible(i == item);
    adjustSize();
}

void TChartForm::ShowChart(int item)
{
    SelectChart(item);
    exec();
}

void TChartForm::Button1Click() { close(); }

} // namespace veldo
