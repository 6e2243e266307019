// The layer properties window: the soil properties of one layer at its top and at
// its bottom, held in the layer's property table (column 2 of the soil-layer table
// D). One tab per soil type; only the tab of the layer's type is shown. It is modal,
// opened from the soil layers window, and writes back when it is closed.
#pragma once

#include "DlgChart.h"
#include "InputCodes.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <initializer_list>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace veldo {

class TDataEdit;
class TGridTable;
class TMainForm;

class TDlgSoils final : public QDialog {
    Q_OBJECT
public:
    TDlgSoils(TMainForm& main, QWidget* parent);
    ~TDlgSoils() override;

    // Set by the caller before showing: the layer number (from 1) and its soil type.
    void SetLayer(int layerNumber, int soilType);
    int SoilType() const { return soilType_; }

    // Loads the tab of the layer's type from its property table and applies the
    // enabling rules (runs when the window is shown).
    void FormActivate();
    // Writes the tab of the layer's type back into the property table.
    void FormDeactivate();

    // The "Close" buttons of the three tabs.
    void Button1Click();
    void Button2Click();
    // Enabling of the friction-angle and blow-count fields by the sand and silt radios.
    void SandRadioClick();
    void SiltRadioClick();
    // Caption and enabling of "Show Graph" by the adhesion list's item.
    void ComboBox1Change();
    // Shows the chart of the adhesion list's item.
    void Button4Click();

    // The numeric field DataEdit<number> (1..43; nullptr for numbers without a field).
    TDataEdit* Field(int number) const;
    QTabWidget* Pages() const { return pages_; }
    QComboBox* ComboBox1() const { return adhesion_; }
    QPushButton* Button4() const { return showGraph_; }
    QRadioButton* RadioButton(int number) const;
    // The chart window, once "Show Graph" has created it.
    TChartForm* ChartForm() const { return chart_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing ends here: refused while the focused field is invalid,
    // otherwise the window commits and closes.
    void done(int result) override;

private:
    struct TRowLabels {
        QLabel* label = nullptr;
        TDataEdit* top = nullptr;
        TDataEdit* bottom = nullptr;
    };
    class TPage;

    TDataEdit* MakeField(QWidget* page, int number);
    QRadioButton* MakeRadio(QWidget* page, int number, const QString& caption);
    void BuildSand(TPage& page);
    void BuildClay(TPage& page);
    void BuildSilt(TPage& page);
    TGridTable* LayerTable() const;
    void LoadFields(const TGridTable& table);
    void StoreFields(TGridTable& table) const;
    void ApplyRules();
    void ApplySandBlock3();
    // The friction-angle radio of the layer's tab is checked.
    bool ByFriction() const;

    TMainForm& main_;
    int layer_ = 1;
    int soilType_ = SoilType::Sand;
    QTabWidget* pages_ = nullptr;
    std::array<TDataEdit*, 44> fields_{};
    std::array<QRadioButton*, 5> radios_{};
    QComboBox* adhesion_ = nullptr;
    QPushButton* showGraph_ = nullptr;
    QPointer<TChartForm> chart_;
    // The choices as the window loaded them.
    bool loadedByFriction_ = true;
    int loadedAdhesion_ = -1;

    // The labels and fields of one soil property, shown and enabled as the project
    // uses the property.
    struct TPropertyWidgets {
        int soilType;
        int column;
        std::vector<QWidget*> widgets;
    };
    void UsedBy(int soilType, int column, std::initializer_list<QWidget*> widgets);
    std::vector<TPropertyWidgets> propertyWidgets_;

    // The texts of sand block 3, which name the method its Ko serves.
    QLabel* sandHeading3_ = nullptr;
    QLabel* sandNote3_ = nullptr;
    QLabel* sandKoNote1_ = nullptr;
    QLabel* sandKoNote2_ = nullptr;
};

} // namespace veldo
