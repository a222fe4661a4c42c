#pragma once
// A fresh game state for every test: the program-wide globals back at their start values, the
// program's files in a temporary folder, and the French texts the round's labels use.
#include "game/StartUp.h"
#include "game/globalDefs.h"
#include "platform/FileSystem.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

class TGameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        using namespace game;
        ResetGameState();
        SetProgramPaths(Path());
        KeySuccessSound = "key_success.wav";
        KeyFailSound = "key_fail.wav";
        WordFoundText = "Mot trouv\xE9";
        WordsFoundText = "Mots trouv\xE9s";
        TryRemainingText = "Essai restant:";
        TriesRemainingText = "Essais restants:";
        DefaultPlayerName = "Sans nom";
    }

    std::string Path(const std::string& name = std::string()) const { return dir_.path().toStdString() + "/" + name; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(platform::NativePath(Path(name)), std::ios::binary | std::ios::trunc) << bytes;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(platform::NativePath(Path(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    bool Exists(const std::string& name) const { return platform::FileExists(Path(name)); }

    void SetReadOnly(const std::string& name) const { ::chmod(platform::NativePath(Path(name)).c_str(), 0444); }

private:
    QTemporaryDir dir_;
};
