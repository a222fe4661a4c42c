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

// File names. The system's names are Unicode and may hold any character; the programs carry
// paths in std::string like their text. A name the code page can hold is kept in it, byte for
// byte as text is, so stored paths and names typed in go on working. Any other character (and
// the marker's own, U+0081) is carried as PathEscapeMarker, its code point in hex and ";",
// which ASCII names, "/" and "." never touch, so paths still join and split as text.
inline constexpr char PathEscapeMarker = '\x81';
std::string PathFromUnicode(const QString& name);
// The exact name back (Windows-1252 for the other bytes); also the readable form of a text
// that names such a path, as a message does.
QString PathToUnicode(const std::string& path);
// A path as a page for the viewer (Windows-1252 text) shows it: its letters in the code page,
// "?" for each character the code page cannot hold, never the escape.
std::string PathToPageText(const std::string& path);

// Upper and lower case of the Windows-1252 letter pairs (a/A, é/É, œ/Œ, š/Š, ž/Ž, ÿ/Ÿ ...).
unsigned char AnsiUpperChar(unsigned char c);
unsigned char AnsiLowerChar(unsigned char c);
std::string AnsiUpperCase(std::string text);
std::string AnsiLowerCase(std::string text);
// Case-insensitive comparison by those pairs: <0, 0 or >0.
int AnsiCompareText(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);

} // namespace platform
