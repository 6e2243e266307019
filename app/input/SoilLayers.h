// The soil layers window: the soil-layer table D as a grid, one row per layer with
// its soil type, the depth at its bottom, the limits of unit side friction and end
// bearing and the two reduction/resistance factors. Each row carries an
// "Edit Layer n" button (the layer properties window), a soil-type list and numeric
// fields laid over its cells. The controls show D and write into it as they are
// edited; the window keeps no copy of the layers.
#pragma once

#include "InputWindow.h"
#include "soils.h"

#include <QPointer>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTableWidget;

namespace veldo {

class TDataEdit;
class TGridTable;

class TDlgSoilLayers final : public TInputWindow {
    Q_OBJECT
public:
    static constexpr int FixedRows = 2;
    static constexpr int ColumnCount = 7;
    static constexpr int MaxLayers = 40;

    explicit TDlgSoilLayers(TMainForm& main);
    ~TDlgSoilLayers() override;

    // Text of a grid cell; rows 0 and 1 are the two header rows, row r >= 2 shows
    // layer r - 1.
    QString Cells(int column, int row) const;
    // Grid rows, the two header rows included.
    int RowCount() const;
    int Layers() const { return RowCount() - FixedRows; }
    // The grid row that Insert and Delete act on (2 = the first layer).
    int CurrentRow() const { return currentRow_; }
    bool SiltAllowed() const { return siltAllowed_; }

    QTableWidget* LayerGrid() const { return grid_; }
    QPushButton* ButtonAdd() const { return add_; }
    QPushButton* ButtonIns() const { return insert_; }
    QPushButton* ButtonDel() const { return delete_; }
    QCheckBox* CheckBoxDel() const { return confirm_; }
    QPushButton* Button1() const { return close_; }
    // The controls laid over the row of a layer (index from 0); nullptr when absent.
    QPushButton* LayerButton(int layer) const;
    QComboBox* LayerCombo(int layer) const;
    // Column offset 0 (depth) to 4 (factor on end bearing).
    TDataEdit* LayerEdit(int layer, int offset) const;
    // The layer properties window while it exists.
    TDlgSoils* LayerWindow() const { return layerWindow_; }

    void Button1Click();
    void ButtonAddClick();
    void ButtonInsClick();
    void ButtonDelClick();
    // The "Edit Layer n" button of layer `tag` (index from 0).
    void ButtonClick(int tag);
    // A soil type chosen in the list of layer `tag`.
    void ComboChange(int tag);
    // A numeric field entered or changed: tag = column offset + 100 x layer index.
    void EditChange(int tag);

protected:
    void LoadFromProject() override;
    void CommitToProject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TGridTable& D() const;
    void SetHeaders();
    void SetColumnWidths();
    void InitSoilLayerValues(int layer);
    void PositionControls();
    void PlaceRowControls(int layer);
    void PlaceButton(int layer);
    void PlaceCombo(int layer);
    void PlaceEdit(int layer, int offset);
    void ShowButtons();
    void KeepCurrentRowInGrid();

    QGroupBox* group_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* delete_ = nullptr;
    QCheckBox* confirm_ = nullptr;
    QPushButton* close_ = nullptr;
    QPointer<TDlgSoils> layerWindow_;
    std::array<QString, ColumnCount> headerTop_;
    std::array<QString, ColumnCount> headerUnits_;
    int currentRow_ = FixedRows;
    bool siltAllowed_ = false;
    bool placing_ = false;
};

} // namespace veldo
