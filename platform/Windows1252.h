#pragma once
// All text of the programs (dictionaries, ini and language files, pages) is Windows-1252 held in
// std::string, byte for byte. It becomes Unicode only where it meets Qt.
#include <QString>
#include <string>

namespace platform {

// Every byte maps to one character; the five bytes the code page leaves undefined map to the C1
// control of the same value, so all 256 bytes round-trip.
QString AnsiToUnicode(const std::string& text);
QChar AnsiCharToUnicode(unsigned char byte);

// False (and Out untouched) when Text holds a character the code page cannot hold.
bool UnicodeToAnsi(const QString& text, std::string& out);
// Text in the code page, or empty when it holds a character the code page cannot hold.
std::string UnicodeToAnsiOrEmpty(const QString& text);
// Whether the code page holds every character of Text.
bool IsAnsiText(const QString& text);

// Upper and lower case of the Windows-1252 letter pairs (a/A, é/É, œ/Œ, š/Š, ž/Ž, ÿ/Ÿ ...).
unsigned char AnsiUpperChar(unsigned char c);
unsigned char AnsiLowerChar(unsigned char c);
std::string AnsiUpperCase(std::string text);
std::string AnsiLowerCase(std::string text);
// Case-insensitive comparison by those pairs: <0, 0 or >0.
int AnsiCompareText(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);

} // namespace platform
