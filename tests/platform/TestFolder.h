#pragma once
// A temporary folder for file tests, with raw byte access to the files made in it. Names are
// Windows-1252 like every path of the programs.
#include "platform/FileSystem.h"

#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class TTestFolder {
public:
    // The folder's path with a trailing "/"; temporary folders have plain ASCII names.
    std::string Path() const { return dir_.path().toStdString() + "/"; }
    std::string Path(const std::string& name) const { return Path() + name; }

    void WriteRaw(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(platform::NativePath(Path(name)), std::ios::binary) << bytes;
    }

    // Makes folder Name, or the symbolic link Name that holds Target as written.
    bool MakeFolder(const std::string& name) const { return ::mkdir(platform::NativePath(Path(name)).c_str(), 0755) == 0; }
    bool MakeLink(const std::string& name, const std::string& target) const
    {
        return ::symlink(platform::NativePath(target).c_str(), platform::NativePath(Path(name)).c_str()) == 0;
    }

    std::string ReadRaw(const std::string& name) const
    {
        std::ifstream in(platform::NativePath(Path(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    QTemporaryDir dir_;
};
