// The one path to printers and their dialogs for plot windows and the elevation
// view. Windows call PrintDialogs(); tests install a scripted replacement so that no
// printer and no modal dialog is needed.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace veldo {

class IPrintDialogs {
public:
    virtual ~IPrintDialogs() = default;
    // Names of the installed printers (empty when there is none).
    virtual QStringList Printers() const = 0;
    // The print dialog for `printer`; true when the user chose to print.
    virtual bool Print(QPrinter& printer, QWidget* parent) = 0;
    // The page-setup dialog for `printer`; true when the user confirmed it.
    virtual bool PageSetup(QPrinter& printer, QWidget* parent) = 0;
    // The PDF file to print to when there is no printer: "Print to PDF", filter
    // "PDF files (*.pdf)", starting in `folder`; empty when cancelled.
    virtual QString PdfFileName(QWidget* parent, const QString& folder) = 0;
};

// The interface in force: the installed one, else the Qt dialogs.
IPrintDialogs& PrintDialogs();
// Installs a replacement (not owned) and returns the previous one; nullptr restores
// the Qt dialogs.
IPrintDialogs* InstallPrintDialogs(IPrintDialogs* dialogs);

// Answers from a script instead of dialogs (tests): the printer list as given, every
// dialog confirmed unless told otherwise, a fixed PDF file name; counts the dialogs.
class TScriptedPrintDialogs final : public IPrintDialogs {
public:
    QStringList PrinterNames;
    bool Confirm = true;
    QString PdfFile;
    int PrintDialogsShown = 0;
    int PageSetupsShown = 0;
    int PdfDialogsShown = 0;
    QString PdfFolder; // where the last PDF dialog started
    // Runs on the printer when the page-setup dialog is confirmed (the user's choice).
    std::function<void(QPrinter&)> OnPageSetup;

    QStringList Printers() const override { return PrinterNames; }
    bool Print(QPrinter&, QWidget*) override
    {
        ++PrintDialogsShown;
        return Confirm;
    }
    bool PageSetup(QPrinter& printer, QWidget*) override
    {
        ++PageSetupsShown;
        if (Confirm && OnPageSetup)
            OnPageSetup(printer);
        return Confirm;
    }
    QString PdfFileName(QWidget*, const QString& folder) override
    {
        ++PdfDialogsShown;
        PdfFolder = folder;
        return Confirm ? PdfFile : QString();
    }
};

// Installs scripted dialogs for its lifetime.
class TScopedPrintDialogs {
public:
    TScopedPrintDialogs() : previous_(InstallPrintDialogs(&dialogs_)) {}
    ~TScopedPrintDialogs() { InstallPrintDialogs(previous_); }
    TScopedPrintDialogs(const TScopedPrintDialogs&) = delete;
    TScopedPrintDialogs& operator=(const TScopedPrintDialogs&) = delete;
    TScriptedPrintDialogs* operator->() { return &dialogs_; }

private:
    TScriptedPrintDialogs dialogs_;
    IPrintDialogs* previous_;
};

// Prepares `printer` and asks where to print: with a printer installed, the print
// dialog; without one, a PDF file (the printer then writes PDF). False when the user
// cancelled.
bool ChoosePrintTarget(QPrinter& printer, QWidget* parent);

// Makes `printer` usable for page setup: without an installed printer it writes PDF.
void PreparePrinter(QPrinter& printer);

} // namespace veldo
