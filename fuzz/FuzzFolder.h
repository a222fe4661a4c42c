#pragma once
// A fresh folder for the files a fuzz target writes, removed when the run ends.
#include <cstdlib>
#include <filesystem>
#include <string>

inline const std::filesystem::path& FuzzFolder()
{
    struct TFolder {
        std::filesystem::path Path;
        TFolder()
        {
            std::string pattern = (std::filesystem::temp_directory_path() / "garvo_fuzz_XXXXXX").string();
            if (!::mkdtemp(pattern.data()))
                std::abort();
            Path = pattern;
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
