#include "platform/SaveLock.h"

#include "platform/FileSystem.h"
#include "platform/TestFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace platform;

namespace {

// Whether the lock file Name of Folder is there and held.
bool LockHeld(const TTestFolder& folder, const std::string& name)
{
    const int file = ::open(NativePath(folder.Path(name)).c_str(), O_RDONLY);
    if (file < 0)
        return false;
    const bool held = ::flock(file, LOCK_EX | LOCK_NB) != 0;
    ::close(file);
    return held;
}

// A save through a symbolic link replaces the file the link names, so it takes that file's
// lock: the one a save by the file's own name takes. Never one beside the link.
TEST(SaveLockTest, LinkTakesTheLockOfTheFileItNames)
{
    const struct {
        const char* name;
        const char* saved; // the name the save is given
        const char* lock;  // the lock beside the file that is replaced
    } cases[] = {
        {"InTheSameFolder", "reel-ici.dat", ".reel.dat.lock"},
        {"RelativeIntoAnotherFolder", "liens/relatif.dat", "donnees/.reel.dat.lock"},
        {"AbsoluteIntoAnotherFolder", "absolu.dat", "donnees/.reel.dat.lock"},
        {"ToALink", "liens/relais.dat", "donnees/.reel.dat.lock"},
        {"ToNothing", "vers-rien.dat", "donnees/.absent.dat.lock"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TTestFolder folder;
        ASSERT_TRUE(folder.MakeFolder("liens") && folder.MakeFolder("donnees"));
        folder.WriteRaw("reel.dat", "a[x]");
        folder.WriteRaw("donnees/reel.dat", "a[x]");
        ASSERT_TRUE(folder.MakeLink("reel-ici.dat", "reel.dat"));
        ASSERT_TRUE(folder.MakeLink("liens/relatif.dat", "../donnees/reel.dat"));
        ASSERT_TRUE(folder.MakeLink("absolu.dat", folder.Path("donnees/reel.dat")));
        ASSERT_TRUE(folder.MakeLink("liens/relais.dat", "relatif.dat"));
        ASSERT_TRUE(folder.MakeLink("vers-rien.dat", "donnees/absent.dat"));
        {
            const TSaveLock lock(NativePath(folder.Path(c.saved)));
            ASSERT_FALSE(lock.TimedOut());
            EXPECT_TRUE(LockHeld(folder, c.lock));
        }
        EXPECT_FALSE(LockHeld(folder, c.lock)) << "released with the object";
        EXPECT_FALSE(FileExists(ExtractFilePath(folder.Path(c.saved)) + "." + ExtractFileName(c.saved) + ".lock"));
    }
}

} // namespace
