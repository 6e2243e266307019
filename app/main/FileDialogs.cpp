#include "FileDialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStringList>

#include <memory>

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
                                    const QString& defaultSuffix, const QString& folder) override
    {
        QFileDialog dialog(parent, QString(), folder);
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

namespace {

// Shows folders and executable files while the dialog's first filter is chosen.
class TProgramFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetProgramsOnly(bool programsOnly)
    {
        programsOnly_ = programsOnly;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!programsOnly_ || !files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool programsOnly_ = true;
};

} // namespace

QFileDialog* NewProgramDialog(QWidget* parent, const QString& fileName, const QString& filter)
{
    auto* dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog); // the proxy works on Qt's own dialog only
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    auto* programs = new TProgramFilter(dialog);
    dialog->setProxyModel(programs);
    const QStringList filters = QtFilters(filter);
    dialog->setNameFilters(filters);
    QObject::connect(
        dialog, &QFileDialog::filterSelected, programs,
        [programs, first = filters.value(0)](const QString& chosen) { programs->SetProgramsOnly(chosen == first); });
    // The first filter shows its own name: its pattern is not what it selects. Qt's
    // dialog keeps its filters in this list; without it the name shows its pattern.
    if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")); types && types->count() > 0)
        types->setItemText(0, QString(filter).section(QLatin1Char('|'), 0, 0));
    if (QFileInfo(fileName).isDir())
        dialog->setDirectory(fileName);
    else if (!fileName.isEmpty())
        dialog->selectFile(fileName);
    return dialog;
}

TFileBrowser ProgramFileBrowser(const QString& filter)
{
    return [filter](QWidget* parent, const QString& fileName) -> std::optional<QString> {
        const std::unique_ptr<QFileDialog> dialog(NewProgramDialog(parent, fileName, filter));
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return std::nullopt;
        return dialog->selectedFiles().front();
    };
}

void BrowseInto(QLineEdit& field, const TFileBrowser& browser, QWidget* parent, TFileKind kind)
{
    if (const std::optional<QString> chosen = browser(parent, StartPath(kind, field.text()))) {
        field.setText(*chosen);
        RememberChosenFile(kind, *chosen);
    }
}

} // namespace veldo
