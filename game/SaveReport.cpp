#include "game/SaveReport.h"

#include "game/globalDefs.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Windows1252.h"

#include <QApplication>

namespace game {

namespace {

TOneReportPerFile* active = nullptr; // the outermost one alive

} // namespace

bool SaveOrReport(const std::function<void()>& save, const std::string& path, QWidget* parent)
{
    try {
        save();
        return true;
    } catch (const platform::EInOutError&) {
        if (TOneReportPerFile::FirstReportOf(path))
            platform::MessageBox(SaveFailedText + " " + path,
                                 platform::UnicodeToAnsiOrEmpty(QApplication::applicationName()),
                                 platform::MB_OK | platform::MB_ICONERROR, parent);
        return false;
    }
}

TOneReportPerFile::TOneReportPerFile() : outermost_(active == nullptr)
{
    if (outermost_)
        active = this;
}

TOneReportPerFile::~TOneReportPerFile()
{
    if (outermost_)
        active = nullptr;
}

bool TOneReportPerFile::FirstReportOf(const std::string& path)
{
    return active == nullptr || active->reported_.insert(path).second;
}

} // namespace game
