#pragma once
// Printing of a word and its definition: the page geometry, the cutting into lines and the
// pages themselves. It lives in the print module (libgarvo_print.so, Qt Print Support), which
// the game loads the first time the player prints.
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QPrinter;

namespace game {

// Printer geometry, in printer pixels, from the size of a Courier New "A" and line at 10 points.
struct TPrintGeometry {
    int32_t CharWidth = 0;
    int32_t LineHeight = 0;
    int32_t TopMargin = 0;  // 30 mm
    int32_t LeftMargin = 0; // 9 characters
    int32_t LineLength = 1; // characters per line: 9 characters of margin on each side
};
TPrintGeometry MeasurePrintGeometry(int32_t pixelsPerInch, int32_t pageWidth, int32_t charWidth, int32_t lineHeight);
// Top of line N (from 1) of a page.
int32_t PrintLineTop(const TPrintGeometry& geometry, int32_t line);
// Text cut into lines of at most LineLength characters (one more when the rest fits with its
// last space), at the last space where there is one; the space a line ends at is not printed.
std::vector<std::string> CutPrintLines(const std::string& text, int32_t lineLength);

// What is printed: Header (14 points bold) and Text (10 points, cut into lines), both
// Windows-1252, in the type face FontFace.
struct TPrintJob {
    QString FontFace;
    std::string Header;
    std::string Text;
};

// Prints Job on Printer, each further page starting with the header and "(suite...)". False
// when the printer could not start.
bool PrintText(QPrinter& printer, const TPrintJob& job);

// The module's entry: prints Job on the default printer; false when there is none or it does
// not start.
using TPrintOnDefaultPrinter = bool (*)(const TPrintJob& job);
constexpr const char* PrintModule = "garvo_print";
constexpr const char* PrintOnDefaultPrinterEntry = "garvo_print_on_default_printer";

} // namespace game

extern "C" bool garvo_print_on_default_printer(const game::TPrintJob& job);
