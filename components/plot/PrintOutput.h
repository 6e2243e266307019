// Output of pictures to files and printers that says why it failed: a bitmap file
// or a printer's output file (PDF) that cannot be written names its path and the
// system's reason in an information box.
#pragma once

#include <QString>

class QImage;
class QPainter;
class QPrinter;

namespace veldo {

// The colour choices of the "Save Attributes" dialog.
enum class TBitmapColors { BlackAndWhite, Colors16, Colors256, HighColor, TrueColor };

// The image in the colours chosen, as the bitmap file stores it: black and white 1 bit
// per pixel (every pixel that is not white becomes black, so that no curve is lost);
// 16 colours 4 bits (the classic table, which holds every curve colour); 256 colours
// 8 bits; both full-colour choices 24 bits (Qt writes no 16-bit bitmap).
QImage WithBitmapColors(const QImage& image, TBitmapColors colors);

// Writes the image as a Windows bitmap, all of it or nothing (an earlier file stays).
// On failure shows "The bitmap could not be written:" + CR + path + CR + reason.
bool SaveBitmapFile(const QImage& image, const QString& path);

// Begins painting on the printer. When it cannot begin shows, for output to a file,
// "The file could not be written:" + CR + path + CR + reason, else
// "The printer could not be opened."
bool BeginPrinting(QPainter& painter, QPrinter& printer);
// Ends the page; a failure shows the message of BeginPrinting.
bool EndPrinting(QPainter& painter, QPrinter& printer);

} // namespace veldo
