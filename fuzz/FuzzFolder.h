#pragma once
// A fresh folder for the files a fuzz target writes, removed when the run ends. It lies in
// TMPDIR when that is set, else in memory (/dev/shm) where there is one: the dictionary target
// syncs what it writes, which on a disk holds each run for milliseconds.
#include <cstdlib>
#include <filesystem>
#include <string>

inline const std::filesystem::path& FuzzFolder()
{
    struct TFolder {
        std::filesystem::path Path;
        TFolder()
        {
            std::string pattern = (Parent() / "garvo_fuzz_XXXXXX").string();
            if (!::mkdtemp(pattern.data()))
                std::abort();
            Path = pattern;
        }
        static std::filesystem::path Parent()
        {
            std::error_code error;
            const char* chosen = std::getenv("TMPDIR");
            if ((!chosen || !*chosen) && std::filesystem::is_directory("/dev/shm", error))
                return "/dev/shm";
            return std::filesystem::temp_directory_path();
        }
        ~TFolder()
        {
            std::error_code error;
            std::filesystem::remove_all(Path, error);
        }
    };
    static const TFolder folder;
    return folder.Path;
}
