// Every text the program shows in a message box or as a validation message, kept
// in one list so that the help can be checked against it. A text's fixed parts
// stand as they are shown; %1, %2 ... mark the values filled in when it is shown,
// and "\r" starts a new line of the box.
#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <string>

namespace veldo {

enum class TMsg {
    // Numeric entry fields, numeric drop-down fields and table cells.
    EntryValidInteger,
    EntryInteger,
    EntryAbove,
    EntryAtLeast,
    EntryAtMost,
    EntryNotEvaluated,
    EntryBlank,
    ValueInteger,
    EntryBetween,
    // Reasons an expression could not be evaluated.
    EvalBlank,
    EvalParentheses,
    EvalInvalidExpression,
    EvalInvalidCharacters,
    EvalInvalidHex,
    EvalFactorial,
    EvalDivisionByZero,
    EvalNotValid,
    EvalMissingOperator,
    // Reading text files.
    FileNotFound,
    FileAccessDenied,
    FileReadError,
    ErrorOnLine,
    FileTooLarge,
    // Input windows.
    ModulusCheck,
    StickupNegative,
    DeleteLayerQuestion,
    EndBearingFactorCheck,
    NoSections,
    CptFileMissing,
    CptFileNotNamed,
    CptReadError,
    // Project files.
    SaveChanges,
    SavingError,
    LayerWithoutProperties,
    ProjectWouldBeReplaced,
    GrlweapNotWritten,
    FolderNotWritable,
    // The analysis run.
    RunTaperAngle,
    RunModulus,
    RunRemoldedStrength,
    RunEndBearingFactor,
    RunTotalLength,
    RunLayerAboveGround,
    RunLayerOrder,
    RunUnitWeight,
    RunTipNotInTables,
    MethodIcpMtd,
    MethodFugro,
    MethodUwa,
    HandOverError,
    Reinitialize,
    InitializeFailed,
    EntryNotExported,
    Completed,
    CannotStart,
    StoppedOnCheck,
    FilesFailed,
    NoReport,
    PathTooLong,
    PathControlCharacter,
    PlotFileError,
    // Plots, printing and export.
    LineNeedsName,
    NotEnoughMemory,
    PrinterError,
    PrinterNotOpened,
    FileNotWritten,
    FileNotCompleted,
    BitmapNotWritten,
    PictureNotEncoded,
    WorkbookExists,
    WorkbookNotWritten,
    WorkbookWritten,
    // Editor, help and update check.
    EditorError,
    HelpFileMissing,
    DocumentNotOpened,
    UpdateHostMissing,
    PageNotOpened,
    LaunchNotStarted,
    LaunchExitCode,
    LaunchCrashed,
    Count
};

struct TMessageEntry {
    TMsg id;
    const char16_t* text;
};

inline constexpr std::array<TMessageEntry, static_cast<std::size_t>(TMsg::Count)> MessageCatalogue{{
    {TMsg::EntryValidInteger, u"Entry must be a valid integer."},
    {TMsg::EntryInteger, u"Entry must be an integer."},
    {TMsg::EntryAbove, u"Entry must be greater than %1"},
    {TMsg::EntryAtLeast, u"Entry must be greater than or equal to %1"},
    {TMsg::EntryAtMost, u"Entry must be less than or equal to %1"},
    {TMsg::EntryNotEvaluated, u"Entry could not be evaluated:\r%1"},
    {TMsg::EntryBlank, u"Entry cannot be blank."},
    {TMsg::ValueInteger, u"Value must be an integer."},
    {TMsg::EntryBetween, u"Entry must be between %1 and %2."},
    {TMsg::EvalBlank, u"entry cannot be blank"},
    {TMsg::EvalParentheses, u"() (parentheses) do not match"},
    {TMsg::EvalInvalidExpression, u"invalid expression"},
    {TMsg::EvalInvalidCharacters, u"invalid character(s) in expression"},
    {TMsg::EvalInvalidHex, u"invalid use of $ (hex function)"},
    {TMsg::EvalFactorial, u"! (factoral) applicable to integers only"},
    {TMsg::EvalDivisionByZero, u"division by zero"},
    {TMsg::EvalNotValid, u"result is not a valid number"},
    {TMsg::EvalMissingOperator, u"missing operator"},
    {TMsg::FileNotFound, u"File not found"},
    {TMsg::FileAccessDenied, u"File access denied"},
    {TMsg::FileReadError, u"Read error"},
    {TMsg::ErrorOnLine, u"Error on Line %1 Item %2\r%3"},
    {TMsg::FileTooLarge, u"The file is too large to be read:\r%1\r%2 bytes (at most 64 MB)"},
    {TMsg::ModulusCheck, u"Modulus of Elasticity should be greater than zero.\rPlease check"},
    {TMsg::StickupNegative, u"Pile Stickup Length should be a positive number\rIt will be set as 0"},
    {TMsg::DeleteLayerQuestion, u"Do you want to delete soil layer in row %1"},
    {TMsg::EndBearingFactorCheck,
     u"Reduction/Resistance Factor on End Bearing for layer %1 should be greater than zero.\r"
     u"Please check"},
    {TMsg::NoSections, u"One or more Pile Types does not have any sections"},
    {TMsg::CptFileMissing, u"File %1 does not exist"},
    {TMsg::CptFileNotNamed, u"No CPT data file is named."},
    {TMsg::CptReadError, u"There was an error reading the input CPT file."},
    {TMsg::SaveChanges, u"Do you want to save any changes?"},
    {TMsg::SavingError, u"An error occurred during saving"},
    {TMsg::LayerWithoutProperties, u"Layer %1 has no soil properties"},
    {TMsg::ProjectWouldBeReplaced, u"the project file would be replaced by its CPT file"},
    {TMsg::GrlweapNotWritten, u"Cannot write the GRLWeap data file %1: %2"},
    {TMsg::FolderNotWritable, u"The project cannot be saved in its folder:\r%1\rPlease choose another folder."},
    {TMsg::RunTaperAngle, u"Taper angle is large since it generates a negative diameter at tip of pile.\r"
                          u"Taper angle should be smaller than %1 degrees.\r"
                          u"Please check input data (Pile Material Window)"},
    {TMsg::RunModulus, u"Modulus of Elasticity should be greater than zero.\r"
                       u"Please check input data (Pile Material Window)"},
    {TMsg::RunRemoldedStrength, u"Remolded Shear Strength for layer %1 should be greater than zero \r"
                                u"%2\r"
                                u"Please check input data (Soils/Clay Window)"},
    {TMsg::RunEndBearingFactor,
     u"Reduction/Resistance Factor on End Bearing for layer %1 should be greater than zero.\r"
     u"Please check input data (Soils Window)"},
    {TMsg::RunTotalLength, u"Total length of the pile should be greater than zero.\r"
                           u"Please check input data (%1 Pile Properties Window)"},
    {TMsg::RunLayerAboveGround, u"Bottom of layer 1 (%1) should be deeper than the ground surface.\r"
                                u"Please check input data (Soil Layers Window)"},
    {TMsg::RunLayerOrder, u"Bottom of layer %1 (%2) should be deeper than the bottom of layer %3 (%4).\r"
                          u"Please check input data (Soil Layers Window)"},
    {TMsg::RunUnitWeight, u"Unit Weight for layer %1 should be greater than zero.\r"
                          u"Please check input data (Soils Window)"},
    {TMsg::RunTipNotInTables, u"The total length (%1) is not a whole multiple of the increment (%2): the results "
                              u"end at %3, above the pile tip. Run anyway? (The increment is set in the Control "
                              u"Options window.)"},
    {TMsg::MethodIcpMtd, u"while using ICP/MTD Method."},
    {TMsg::MethodFugro, u"while using Fugro Method."},
    {TMsg::MethodUwa, u"while using UWA Method."},
    {TMsg::HandOverError, u"An error occurred while writing file names"},
    {TMsg::Reinitialize, u"Attempt to reinitialize DLL"},
    {TMsg::InitializeFailed, u"Attempt to initialize DLL failed"},
    {TMsg::EntryNotExported, u"undefined symbol: %1"},
    {TMsg::Completed, u"Computations are completed. Please, check output file for results or error messages."},
    {TMsg::CannotStart, u"The analysis cannot start:"},
    {TMsg::StoppedOnCheck, u"The analysis stopped on a check of the input:"},
    {TMsg::FilesFailed, u"The analysis could not read or write its files:"},
    {TMsg::NoReport, u"No report was written: %1"},
    {TMsg::PathTooLong, u"The path is longer than 255 bytes."},
    {TMsg::PathControlCharacter, u"The path holds a line break or another control character."},
    {TMsg::PlotFileError, u"An error occurred in running the main program."},
    {TMsg::LineNeedsName, u"The line must have a name!"},
    {TMsg::NotEnoughMemory, u"There is not enough memory to complete this task."},
    {TMsg::PrinterError, u"Error in %1\n%2"},
    {TMsg::PrinterNotOpened, u"The printer could not be opened."},
    {TMsg::FileNotWritten, u"The file could not be written:\r%1\r%2"},
    {TMsg::FileNotCompleted, u"The file was not completed."},
    {TMsg::BitmapNotWritten, u"The bitmap could not be written:\r%1\r%2"},
    {TMsg::PictureNotEncoded, u"The picture could not be encoded."},
    {TMsg::WorkbookExists, u"The workbook %1 exists. Replace it?"},
    {TMsg::WorkbookNotWritten, u"The workbook could not be written:\r%1\r%2"},
    {TMsg::WorkbookWritten, u"The workbook was written to %1."},
    {TMsg::EditorError, u"An error occurred in running the Word Processor"},
    {TMsg::HelpFileMissing, u"The help file was not found:\r%1"},
    {TMsg::DocumentNotOpened, u"The document \"%1\" could not be opened."},
    {TMsg::UpdateHostMissing, u"The address of the update check is not configured (setting \"Update Host\")."},
    {TMsg::PageNotOpened, u"The page \"%1\" could not be opened."},
    {TMsg::LaunchNotStarted, u"%1 could not be started: %2"},
    {TMsg::LaunchExitCode, u"%1 ended with exit code %2"},
    {TMsg::LaunchCrashed, u"%1 ended abnormally"},
}};

// The entries are listed in the order of TMsg.
constexpr bool CatalogueInOrder()
{
    for (std::size_t i = 0; i < MessageCatalogue.size(); ++i)
        if (static_cast<std::size_t>(MessageCatalogue[i].id) != i)
            return false;
    return true;
}
static_assert(CatalogueInOrder(), "MessageCatalogue must list every TMsg in order");

// The text with its placeholders.
inline QString MessageText(TMsg id) { return QString::fromUtf16(MessageCatalogue[static_cast<std::size_t>(id)].text); }

// The text with %1, %2 ... replaced by the values, in one pass (a value that holds
// "%2" stays as it is).
template <class... TValues> QString Msg(TMsg id, const TValues&... values)
{
    if constexpr (sizeof...(values) == 0)
        return MessageText(id);
    else
        return MessageText(id).arg(values...);
}

// The same for exceptions whose text is shown as it stands.
template <class... TValues> std::string MsgStd(TMsg id, const TValues&... values)
{
    return Msg(id, values...).toStdString();
}

} // namespace veldo
