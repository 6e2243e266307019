#include "Title.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace veldo {

// ---- TTitleMemo --------------------------------------------------------------------

TTitleMemo::TTitleMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("TitleMemo"));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
}

qsizetype TTitleMemo::Room() const
{
    const qsizetype selected = textCursor().selectedText().size();
    return std::max<qsizetype>(0, MaxLength - (toPlainText().size() - selected));
}

void TTitleMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept(); // one line only
        return;
    }
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && typed.front().isPrint();
    if (inserts && Room() < typed.size()) {
        event->accept(); // the title is full
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TTitleMemo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n\\x{2029}\\x{2028}]+"));
    QString text = source->text();
    text.replace(lineBreaks, QStringLiteral(" "));
    insertPlainText(text.left(Room()));
}

// ---- TdlgTitle ---------------------------------------------------------------------

TdlgTitle::TdlgTitle(TMainForm& main) : TInputWindow(main, QStringLiteral("Project Title"))
{
    setObjectName(QStringLiteral("dlgTitle"));
    auto* layout = new QVBoxLayout(this);

    auto* memoLabel = new QLabel(QStringLiteral("Enter line of text for project description:"), this);
    titleMemo_ = new TTitleMemo(this);
    titleMemo_->setFixedHeight(titleMemo_->fontMetrics().lineSpacing() * 3 + 12);
    memoLabel->setBuddy(titleMemo_);
    layout->addWidget(memoLabel);
    layout->addWidget(titleMemo_);

    auto* form = new QFormLayout;
    designer_ = new QLineEdit(this);
    designer_->setObjectName(QStringLiteral("DataEdit1"));
    jobNumber_ = new QLineEdit(this);
    jobNumber_->setObjectName(QStringLiteral("DataEdit2"));
    form->addRow(QStringLiteral("Name of the Designer : "), designer_);
    form->addRow(QStringLiteral("Job Number : "), jobNumber_);
    layout->addLayout(form);

    close_ = AddCloseButton(layout);
}

void TdlgTitle::LoadFromProject()
{
    titleMemo_->setPlainText(Data().Title);
    designer_->setText(Data().Designer);
    jobNumber_->setText(Data().JobNumber);
}

void TdlgTitle::CommitToProject()
{
    Data().Title = titleMemo_->toPlainText();
    Data().Designer = designer_->text();
    Data().JobNumber = jobNumber_->text();
}

} // namespace veldo
