// The Project Title window: the project's title, the designer's name and the job
// number, which head the project file and the engine's report.
#pragma once

#include "InputWindow.h"

#include <QPlainTextEdit>

class QLineEdit;
class QPushButton;

namespace veldo {

// A memo for one line of text: Enter starts no new line, pasted line breaks become
// blanks, and no more than MaxLength characters can be typed or pasted.
class TTitleMemo final : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int MaxLength = 80;

    explicit TTitleMemo(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Characters that may still be inserted in place of the selection.
    qsizetype Room() const;
};

class TdlgTitle final : public TInputWindow {
    Q_OBJECT
public:
    explicit TdlgTitle(TMainForm& main);

    TTitleMemo& TitleMemo() const { return *titleMemo_; }
    QLineEdit& DataEdit1() const { return *designer_; }
    QLineEdit& DataEdit2() const { return *jobNumber_; }
    QPushButton& Button1() const { return *close_; }

protected:
    void LoadFromProject() override;
    // A changed title marks the project modified; the designer's name and the job
    // number are stored without marking it.
    void CommitToProject() override;

private:
    TTitleMemo* titleMemo_ = nullptr;
    QLineEdit* designer_ = nullptr;
    QLineEdit* jobNumber_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace veldo
