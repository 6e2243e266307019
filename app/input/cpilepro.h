// The circular pile properties window (diameters, lengths, the lower end section
// and the plug condition of open-ended pipe piles), with the pieces it shares with
// the noncircular pile properties window: the clickable pile sketches beside the
// fields and the stickup-length field that refuses negative lengths.
#pragma once

#include "DataEdit.h"
#include "InputWindow.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

class QGroupBox;
class QGridLayout;
class QPushButton;
class QRadioButton;

namespace veldo {

// What a pile sketch shows.
enum class TPileSketch {
    OuterDiameter,      // ring section, arrow across the outside
    InnerDiameter,      // ring section, arrow across the inside
    TotalLength,        // pile in the ground, arrow over its whole length
    StickupLength,      // arrow from the pile head down to the ground line
    ZeroFrictionLength, // arrow from the ground line down the upper part
    EndInnerDiameter,   // lower end of a pipe, arrow across the wider bore
    EndSectionLength,   // lower end of a pipe, arrow along the end section
    SteelBeam,          // H-section with flange width L1, depth L2, thicknesses W1, W2
    SquareBeam,         // rectangular section L1 by L2
};

// A small drawing of a pile dimension. Clicking it puts the focus into the field
// it belongs to; it is drawn greyed while disabled.
class TPilePicture final : public QWidget {
    Q_OBJECT
public:
    TPilePicture(TPileSketch sketch, QWidget* focusTarget, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TPileSketch sketch_;
    QPointer<QWidget> target_;
};

// The stickup-length field. Its exit validation (on leaving the field, on Enter and
// when a command commits the window) first checks the length: below 0 gives "Pile
// Stickup Length should be a positive number" + CR + "It will be set as 0"
// (information box), the field becomes 0, keeps the focus and is not accepted; a
// command committing the window does the same. An entry that does not evaluate gets
// the field's own validation.
class TStickupEdit final : public TDataEdit {
    Q_OBJECT
public:
    static const QString NegativeMessage;

    TStickupEdit(QWidget* owner, const TDataEditDesign& design, QLabel* label);

    void DoExit() override;
    QString EntryProblem() const override;
    void ReportProblem() override;

private:
    bool Negative() const;
};

// A numeric field of a pile-properties window with its label (caption and unit
// template as the form sets them).
template <class TField = TDataEdit>
TField* MakeField(QWidget* parent, const QString& name, const QString& caption, const QString& unitsTemplate)
{
    TDataEditDesign design;
    design.Caption = caption;
    design.UnitsString = unitsTemplate;
    auto* field = new TField(parent, design, new QLabel(parent));
    field->setObjectName(name);
    return field;
}

// Places a field in a grid row: its picture (when `sketch` is given; the picture gets
// `pictureName`) in column 0, its label in column 1, the field in column 2. Returns
// the picture or nullptr.
TPilePicture* PlaceFieldRow(QGridLayout& grid, int row, TDataEdit& field,
                            std::optional<TPileSketch> sketch = std::nullopt, const QString& pictureName = {});

class TfrmShaftpeneta final : public TInputWindow {
    Q_OBJECT
public:
    explicit TfrmShaftpeneta(TMainForm& main);

    static const QString Caption; // "Circular Pile Properties"
    static const QString Note;

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    // ID when steel pipe or circular precast concrete; the end section when ID is
    // enabled and the pile is open-ended; pictures, note and plug group follow.
    void ApplyEnabling();
    int CheckedPlugCondition() const;
    // The numeric entries and their values, in the order they are read.
    std::array<TNumberField, 7> NumberFields() const;

    TDataEdit* DataEdit8 = nullptr;    // OD
    TDataEdit* DataEdit9 = nullptr;    // ID
    TDataEdit* DataEdit10 = nullptr;   // TL
    TStickupEdit* DataEdit1 = nullptr; // PSL
    TDataEdit* DataEdit13 = nullptr;   // ZFL
    TDataEdit* DataEdit12 = nullptr;   // EID
    TDataEdit* DataEdit11 = nullptr;   // ESL
    TPilePicture* Image3 = nullptr;    // ID
    TPilePicture* Image6 = nullptr;    // EID
    TPilePicture* Image5 = nullptr;    // ESL
    QLabel* NoteLabel = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QRadioButton* OptIntPlug = nullptr;
    QRadioButton* OptPlug = nullptr;
    QRadioButton* OptUnplug = nullptr;
};

} // namespace veldo
