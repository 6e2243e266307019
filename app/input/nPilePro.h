// The noncircular pile properties window: the perimeter and tip area of the
// section and the pile lengths. A nonzero perimeter is what marks a project as
// noncircular in its file.
#pragma once

#include "cpilepro.h"

namespace veldo {

class TfrmNCsection final : public TInputWindow {
    Q_OBJECT
public:
    explicit TfrmNCsection(TMainForm& main);

    static const QString Caption; // "Noncircular Pile Properties"

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    // The examples beside the fields: formulas with a steel beam and a square beam.
    QWidget* MakeExamples();
    // The numeric entries and their values, in the order they are read.
    std::array<TNumberField, 5> NumberFields() const;

    TDataEdit* DataEdit5 = nullptr;    // TL
    TStickupEdit* DataEdit1 = nullptr; // PSL
    TDataEdit* DataEdit6 = nullptr;    // ZFL
    TDataEdit* DataEdit3 = nullptr;    // perimeter
    TDataEdit* DataEdit4 = nullptr;    // tip area
};

// Frees the properties window of the shape the project's section does not have, when
// it is open: the circular window for a noncircular section, the noncircular window
// for a circular one. The window is hidden at once and deleted from the event loop,
// without committing its controls.
void FreeOtherShapeWindow(TMainForm& main);

} // namespace veldo
