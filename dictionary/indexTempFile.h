#pragma once
// A new index written beside the one it replaces: the lines go to a hidden temporary file in the
// index's folder, which takes the index's place in one rename once the whole pass succeeded, so
// no reader ever sees an index half-written. A pass that ends any other way leaves the index as
// it was; a temporary file left by a killed pass is removed by the next build of that index, or
// when the index is next checked. In a folder that takes no new file, an index that may be
// written is written over in place, in one go once the pass succeeded.
#include "dictionary/dictionaryFiles.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dictionary {

// Removes the temporary files that passes over the index IndexPath left when they were killed;
// those of passes still running stay.
void RemoveStrayIndexTempFiles(const std::string& indexPath);

class TIndexTempFile {
public:
    TIndexTempFile() = default;
    TIndexTempFile(const TIndexTempFile&) = delete;
    TIndexTempFile& operator=(const TIndexTempFile&) = delete;
    // Removes the temporary file unless Commit succeeded.
    ~TIndexTempFile();

    // Makes the temporary file for the index IndexPath (through a symbolic link, for the file it
    // names), with the permissions of the index it will replace; where none can be made, opens
    // the existing index to be written over. False when the index is no regular file, or neither
    // can be done.
    bool Create(const std::string& indexPath);

    // Room for at least Count lines after those written, for the caller to fill with
    // FormatIndexLine and then add with AddLines; null when what is buffered cannot be written out.
    char* LineRoom(size_t count)
    {
        const size_t bytes = count * IndexLineLength;
        if (buffer_.size() - buffered_ < bytes && !MakeRoom(bytes))
            return nullptr;
        return buffer_.data() + buffered_;
    }
    // Adds the first Count lines of the room (buffered).
    void AddLines(size_t count) { buffered_ += count * IndexLineLength; }

    // Adds one index line (buffered).
    bool Write(uint32_t value);

    // Writes what is buffered, puts it on disk and renames the file over the index (or writes
    // the index over in place).
    bool Commit();

private:
    bool OpenInPlace(const std::filesystem::path& target);
    bool CommitInPlace();
    bool MakeRoom(size_t bytes);
    bool Flush();
    void Discard();

    int file_ = -1;
    bool inPlace_ = false; // the index itself, written only by Commit
    std::string tempPath_;   // native path
    std::string targetPath_; // native path of the index file the rename replaces
    std::vector<char> buffer_;
    size_t buffered_ = 0;
};

} // namespace dictionary
