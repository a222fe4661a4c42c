#include "platform/Exceptions.h"
#include "platform/IniFile.h"
#include "platform/ProcessSignals.h"
#include "platform/TestFolder.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A save past the file-size limit is an error the program reports, and the program goes on.
TEST(ProcessSignalsTest, WritePastTheFileSizeLimitIsReported)
{
    TTestFolder folder;
    const std::string path = folder.Path("garvo.ini");
    const int result = RunUnderFileSizeLimit(4096, [&path] {
        platform::IgnoreFileSizeSignal();
        platform::TIniFile ini(path);
        ini.WriteString("General", "Big", std::string(10000, 'x'));
        try {
            ini.UpdateFile();
        } catch (const platform::EInOutError& error) {
            return std::string(error.what()) == "Unable to write to " + path ? 0 : 2;
        }
        return 3; // reported as written
    });
    EXPECT_EQ(result, 0) << "a negative result is the signal that ended the process";
    EXPECT_FALSE(platform::FileExists(path)) << "nothing half-written is left";
}

} // namespace
