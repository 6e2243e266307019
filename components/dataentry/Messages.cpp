#include "Messages.h"

#include "Installable.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace veldo {
namespace {

QWidget* DialogParent() { return QApplication::activeWindow(); }

class TBoxMessages final : public IMessages {
public:
    void Information(const QString& text) override
    {
        QMessageBox::information(DialogParent(), QStringLiteral("Information"), text);
    }
    void Warning(const QString& text) override
    {
        QMessageBox::warning(DialogParent(), QStringLiteral("Warning"), text);
    }
    void Error(const QString& text) override { QMessageBox::critical(DialogParent(), QStringLiteral("Error"), text); }
    TMessageAnswer Question(const QString& text, TQuestionButtons buttons) override
    {
        QMessageBox::StandardButtons choices = QMessageBox::Yes | QMessageBox::No;
        if (buttons == TQuestionButtons::YesNoCancel)
            choices |= QMessageBox::Cancel;
        switch (QMessageBox::question(DialogParent(), QStringLiteral("Confirm"), text, choices)) {
        case QMessageBox::Yes:
            return TMessageAnswer::Yes;
        case QMessageBox::No:
            return TMessageAnswer::No;
        default:
            return buttons == TQuestionButtons::YesNoCancel ? TMessageAnswer::Cancel : TMessageAnswer::No;
        }
    }
};

TBoxMessages& BoxMessages()
{
    static TBoxMessages boxes;
    return boxes;
}

} // namespace

IMessages& Messages()
{
    IMessages* installed = InstalledService<IMessages>();
    return installed ? *installed : BoxMessages();
}

IMessages* InstallMessages(IMessages* messages) { return InstallService(messages); }

bool RunReportingErrors(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        Messages().Error(QString::fromUtf8(e.what()));
    } catch (...) {
        Messages().Error(QStringLiteral("Unexpected error"));
    }
    return false;
}

void TRecordedMessages::Information(const QString& text) { entries_.push_back({TMessageKind::Information, text}); }

void TRecordedMessages::Warning(const QString& text) { entries_.push_back({TMessageKind::Warning, text}); }

void TRecordedMessages::Error(const QString& text) { entries_.push_back({TMessageKind::Error, text}); }

TMessageAnswer TRecordedMessages::Question(const QString& text, TQuestionButtons)
{
    entries_.push_back({TMessageKind::Question, text});
    if (answers_.empty())
        return TMessageAnswer::Yes;
    const TMessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::vector<QString> TRecordedMessages::Texts() const
{
    std::vector<QString> texts;
    texts.reserve(entries_.size());
    for (const Entry& e : entries_)
        texts.push_back(e.text);
    return texts;
}

} // namespace veldo
