#include "FileDialogs.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QStringList>

namespace veldo {
namespace {

void Prepare(QFileDialog& dialog, const QString& title, const QStringList& filters, const QString& defaultSuffix)
{
    dialog.setWindowTitle(title);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
}

class TStandardFileDialogs final : public IFileDialogs {
public:
    std::optional<TOpenChoice> Open(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix) override
    {
        QFileDialog dialog(parent);
        const QStringList filters = QtFilters(filter);
        Prepare(dialog, title, filters, defaultSuffix);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const auto index = filters.indexOf(dialog.selectedNameFilter());
        return TOpenChoice{dialog.selectedFiles().front(), index < 0 ? 1 : int(index) + 1};
    }

    std::optional<QString> SaveAs(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& defaultSuffix, const QString& fileName) override
    {
        QFileDialog dialog(parent);
        Prepare(dialog, title, QtFilters(filter), defaultSuffix);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    }
};

} // namespace

IFileDialogs& StandardFileDialogs()
{
    static TStandardFileDialogs dialogs;
    return dialogs;
}

QStringList QtFilters(const QString& filter)
{
    // Qt takes the patterns from the last parentheses of a description and separates
    // them by blanks, so a description whose parentheses do not hold its patterns
    // gets them appended.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = parts[i];
        if (!description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        filters.push_back(description);
    }
    return filters;
}

TFileBrowser StandardFileBrowser(const QString& filter)
{
    return [filters = QtFilters(filter).join(QStringLiteral(";;"))](QWidget* parent, const QString& fileName) {
        const QString chosen = QFileDialog::getOpenFileName(parent, QString(), fileName, filters);
        return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
    };
}

void BrowseInto(QLineEdit& field, const TFileBrowser& browser, QWidget* parent)
{
    if (const std::optional<QString> chosen = browser(parent, field.text()))
        field.setText(*chosen);
}

} // namespace veldo
