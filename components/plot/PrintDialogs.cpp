#include "PrintDialogs.h"

#include "DialogFolders.h"
#include "Installable.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

namespace veldo {

namespace {

class TQtPrintDialogs final : public IPrintDialogs {
public:
    QStringList Printers() const override { return QPrinterInfo::availablePrinterNames(); }

    bool Print(QPrinter& printer, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    bool PageSetup(QPrinter& printer, QWidget* parent) override
    {
        QPageSetupDialog dialog(&printer, parent);
        dialog.adjustSize();
        // Centred across the screen, a third of the way down.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect s = screen->geometry();
            dialog.move((s.width() - dialog.width()) / 2, (s.height() - dialog.height()) / 3);
        }
        return dialog.exec() == QDialog::Accepted;
    }

    QString PdfFileName(QWidget* parent, const QString& folder) override
    {
        QFileDialog dialog(parent, QStringLiteral("Print to PDF"), folder);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().front();
    }
};

} // namespace

IPrintDialogs& PrintDialogs()
{
    static TQtPrintDialogs qtDialogs;
    IPrintDialogs* installed = InstalledService<IPrintDialogs>();
    return installed ? *installed : qtDialogs;
}

IPrintDialogs* InstallPrintDialogs(IPrintDialogs* dialogs) { return InstallService(dialogs); }

void PreparePrinter(QPrinter& printer)
{
    if (PrintDialogs().Printers().isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
}

bool ChoosePrintTarget(QPrinter& printer, QWidget* parent)
{
    if (!PrintDialogs().Printers().isEmpty())
        return PrintDialogs().Print(printer, parent);
    const QString file = PrintDialogs().PdfFileName(parent, StartFolder(TFileKind::Pdf));
    if (file.isEmpty())
        return false;
    RememberChosenFile(TFileKind::Pdf, file);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
}

} // namespace veldo
