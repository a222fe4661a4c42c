// The utility's settings reach the shared settings file in one replacement of it.
#include "IndexFixture.h"
#include "tests/support/SaveWatch.h"

TEST_F(TIndexTest, SettingsSaveReplacesTheFileOnce)
{
    Write("garvo.ini", "[General]\r\nLevel=1\r\n");
    utility::TfrmIndex& window = Start({});
    window.LanguageCode = 1;
    window.LastPath = "/elsewhere";
    TFileWrites writes(Folder(), "garvo.ini");
    window.close();
    EXPECT_EQ(writes.Count(), 1);
    EXPECT_EQ(Read("garvo.ini"), "[General]\r\nLevel=1\r\n[Lexorim]\r\nLanguage=1\r\nLastPath=/elsewhere\r\n");
}
