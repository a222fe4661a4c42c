#pragma once
// A save of the settings or the scores that fails (a full disk) is said to the player in the
// interface's language, naming the file. Closing the game saves one file from several windows:
// while a TOneReportPerFile lives, each file is named once.
#include <functional>
#include <set>
#include <string>

class QWidget;

namespace game {

// Runs Save; a file it could not write is named in a message box over Parent. Returns whether
// the save went through, so that what the save must come before can be left undone.
bool SaveOrReport(const std::function<void()>& save, const std::string& path, QWidget* parent);

class TOneReportPerFile {
public:
    TOneReportPerFile();
    ~TOneReportPerFile();
    TOneReportPerFile(const TOneReportPerFile&) = delete;
    TOneReportPerFile& operator=(const TOneReportPerFile&) = delete;

    // Whether Path is named for the first time in the outermost one alive; true with none.
    static bool FirstReportOf(const std::string& path);

private:
    std::set<std::string> reported_;
    bool outermost_;
};

} // namespace game
