// The CPT data window: names a text file of cone-penetration data, says how to read
// it, and reads it into the project's CPT profile (the main window's MotionInput
// plot) as cone resistance, as blow counts converted from it, or as undrained
// strength converted from it; then shows the profile in its plot window.
#pragma once

#include "CptProfile.h"
#include "FileDialogs.h"
#include "InputWindow.h"
#include "PltData.h"

#include <QString>

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace veldo {

class TDataEdit;

// ---- Reading a CPT text data file -----------------------------------------------

// Reads the points (X the profile value, Y the depth). Throws EInOutError when the
// file cannot be read, ends early or holds a word that is not a number; apart from a
// file that cannot be opened, the message begins with "Error on Line n Item m".
std::vector<TFloatPoint> ReadCptPoints(const std::filesystem::path& file, const TCptReadSettings& settings,
                                       TCptConversion conversion);
// The same for the text of such a file (the fuzz harness reads from memory).
std::vector<TFloatPoint> ReadCptPointsFromText(const std::string& text, const TCptReadSettings& settings,
                                               TCptConversion conversion);

// Shows the plot window of the project's CPT profile in the main window's MDI area,
// made afresh so that its scales and legend follow the current points. False when the
// points give no drawable range.
bool ShowCPTProfilePlot(TMainForm& main);
// The same for the profile's view as blow counts or undrained strength.
bool ShowCPTViewPlot(TMainForm& main, TCptConversion conversion);

// ---- The window ------------------------------------------------------------------

class TDlgInputMotion final : public TInputWindow {
    Q_OBJECT
public:
    static const QString Caption;       // "Data of Cone Penetration Test"
    static const QString BrowseFilter;  // "CPT records (*.txt *.acc)|*.txt;*.acc|All Files (*.*)|*.*"
    static const QString ReadErrorText; // "There was an error reading the input CPT file."
    // Largest number of data lines: the profile's room in the analysis engine.
    static constexpr int MaxDataLines = 1000;

    explicit TDlgInputMotion(TMainForm& main);

    // Replaces the standard open-file dialog (tests).
    void SetBrowser(TFileBrowser browser) { browser_ = std::move(browser); }

    // Read the named file's cone resistances into the project's CPT profile with the
    // window's settings; the SPT and Su readers then also fill the profile's view as
    // blow counts or undrained strength (the profile stays cone resistance). On
    // success the profile (points, curve, captions, point count) is replaced and the
    // project marked modified when a point changed; on failure the profile stays as it
    // was and, with `showMessages`, the message names the file, line and item.
    // Returns success.
    bool ReadMotionData(const QString& fileName, bool showMessages);
    bool ReadMotionDataSPT(const QString& fileName, bool showMessages);
    bool ReadMotionDataSu(const QString& fileName, bool showMessages);

    // Button handlers.
    void BrowseClick();
    void EditFileClick();
    // Reads the named file with the conversion and shows the profile.
    void GraphicsClick(TCptConversion conversion);

    QLineEdit& FileNameEdit() const { return *fileName_; }
    TDataEdit& DataLinesEdit() const { return *dataLines_; }
    TDataEdit& HeaderLinesEdit() const { return *headerLines_; }
    TDataEdit& ValuesPerLineEdit() const { return *valuesPerLine_; }
    TDataEdit& UaEdit() const { return *ua_; }
    QPushButton& BrowseButton() const { return *browse_; }
    QPushButton& EditFileButton() const { return *editFile_; }
    QPushButton& QcButton() const { return *qc_; }
    QPushButton& SptButton() const { return *spt_; }
    QPushButton& SuButton() const { return *su_; }
    QPushButton& CloseButton() const { return *close_; }

protected:
    void LoadFromProject() override;
    void CommitToProject() override;

private:
    QWidget* BuildFileGroup();
    QWidget* BuildReadGroup();
    QWidget* BuildGraphicsGroup();
    TDataEdit* AddField(QWidget* parent, const QString& name, const QString& caption, long double minVal,
                        long double maxVal, QLabel*& label);
    // Runs every field's exit validation; false (after its message) at the first refused.
    bool FieldsValid();
    TCptReadSettings Settings() const;
    // The three count fields with their integer-table entries.
    std::array<std::pair<TDataEdit*, int>, 3> CountFields() const;
    bool Read(TCptConversion conversion, const QString& fileName, bool showMessages);

    QLineEdit* fileName_ = nullptr;
    TDataEdit* dataLines_ = nullptr;
    TDataEdit* headerLines_ = nullptr;
    TDataEdit* valuesPerLine_ = nullptr;
    TDataEdit* ua_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* editFile_ = nullptr;
    QPushButton* qc_ = nullptr;
    QPushButton* spt_ = nullptr;
    QPushButton* su_ = nullptr;
    QPushButton* close_ = nullptr;
    TFileBrowser browser_;
    // The number each count field showed when loaded.
    std::map<const TDataEdit*, long double> loadedCounts_;
};

} // namespace veldo
