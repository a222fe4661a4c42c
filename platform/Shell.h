#pragma once
// What the programs ask of the desktop shell: open a link or a document with the user's
// program for it, and start another program with one argument, without waiting for either.
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace platform {

// Called once when a request the shell took fails afterwards.
using TLateFailure = std::function<void()>;

class TShell {
public:
    virtual ~TShell() = default;
    // UrlOrPath is a URL with a scheme ("http:", "mailto:", "file:" ...) or a file path, both in
    // Windows-1252. True when the desktop took the request; when it then finds no program for
    // the document, LateFailure is called from the event loop.
    virtual bool OpenDocument(const std::string& urlOrPath, TLateFailure lateFailure) = 0;
    // Starts ProgramPath with exactly Argument as its single argument (spaces kept, nothing
    // quoted or split), detached from this process. True when the program started.
    virtual bool StartProgram(const std::string& programPath, const std::string& argument) = 0;
};

// The shell of the process: Qt's unless one was set. SetShell returns the previous one; setting
// nullptr brings back Qt's.
std::unique_ptr<TShell> SetShell(std::unique_ptr<TShell> shell);

// Both say so in a message box, naming the document or program, when the shell could not do it
// (no desktop handler, no such program). OpenDocument returns at once: a failure found only when
// the opener ends is said then.
bool OpenDocument(const std::string& urlOrPath);
bool StartProgram(const std::string& programPath, const std::string& argument);

// Opens documents with the desktop's opener, a program given the URL or the path as its one
// argument, which ends with a failure code when it finds no program for the document. The
// opener is looked up on PATH unless it is a path.
class TQtShell : public TShell {
public:
    explicit TQtShell(QString opener = QStringLiteral("xdg-open"));
    bool OpenDocument(const std::string& urlOrPath, TLateFailure lateFailure) override;
    bool StartProgram(const std::string& programPath, const std::string& argument) override;

private:
    QString opener_;
};

// The name Qt takes for a Windows-1252 path: absolute, "\" read as "/", and each component
// looked up regardless of case when it is not found as written. Empty for an empty path.
QString QtFileName(const std::string& path);

// Whether Text begins with a URL scheme: a letter, then at least one more letter, digit, "+",
// "-" or ".", then ":". One letter before ":" is a drive, not a scheme.
bool HasUrlScheme(const std::string& text);

} // namespace platform
