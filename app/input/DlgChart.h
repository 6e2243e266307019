// The adhesion-factor chart window: three stored JPEG pictures (charts A, B and C),
// of which one is shown at a time, and a "Close" button.
#pragma once

#include <QDialog>

class QLabel;

namespace veldo {

class TChartForm final : public QDialog {
    Q_OBJECT
public:
    explicit TChartForm(QWidget* parent = nullptr);

    // Pictures by item of the adhesion list: 1 A, 2 B, 3 C (nullptr otherwise).
    QLabel* Chart(int item) const;
    // Hides the three pictures and makes the one of `item` (1 A, 2 B, 3 C) visible.
    void SelectChart(int item);
    // SelectChart, then shows the window modally.
    void ShowChart(int item);
    void Button1Click();

private:
    QLabel* ChartA_ = nullptr;
    QLabel* ChartB_ = nullptr;
    QLabel* ChartC_ = nullptr;
};

} // namespace veldo
