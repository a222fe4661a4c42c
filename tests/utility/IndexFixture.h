#pragma once
// The utility's main window on a temporary program folder that also holds the dictionaries the
// tests write, with fake dialogs and shell.
#include "dictionary/unitDictionary.h"
#include "htmlview/HtmlView.h"
#include "platform/FileSystem.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeShell.h"
#include "utility/Index.h"
#include "utility/unitUserList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// Three entries in the form the utility writes; "Cheval" shows that the order is the file's.
inline const std::string AnimalsDictionary = "chien\r\n  [le meilleur ami]\r\n"
                                             "Cheval\r\n  [<b>grand</b> animal]\r\n"
                                             "chat\r\n  [un petit animal]\r\n";

class TIndexTest : public ::testing::Test {
protected:
    std::string Folder() const { return dir_.path().toStdString() + "/"; }
    std::string Path(const std::string& name) const { return Folder() + name; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(platform::NativePath(Path(name)), std::ios::binary | std::ios::trunc) << bytes;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(platform::NativePath(Path(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    utility::TfrmIndex& Start(const std::vector<std::string>& arguments)
    {
        window_ = std::make_unique<utility::TfrmIndex>(Folder());
        utility::frmIndex = window_.get();
        window_->FormCreate(arguments);
        return *window_;
    }

    // A fresh dictionary: an index left by an earlier case could pass for current within the
    // file system's 2-second step.
    utility::TfrmIndex& StartOn(const std::string& name, const std::string& content)
    {
        platform::DeleteFile(platform::ChangeFileExt(Path(name), ".ndx"));
        Write(name, content);
        return Start({Path(name)});
    }

    // The text the definition view shows.
    std::string ViewText() const
    {
        htmlview::THtmlView& viewer = *window_->htmlViewer;
        viewer.SelectAll();
        std::vector<char> buffer(static_cast<size_t>(viewer.SelLength()) + 1);
        viewer.GetSelTextBuf(buffer.data(), static_cast<int32_t>(buffer.size()));
        viewer.SetSelLength(0);
        std::string text = buffer.data();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        return text;
    }

    std::vector<std::string> ListedWords() const
    {
        std::vector<std::string> words;
        for (int32_t i = utility::UserList.MinIndex; !utility::UserList.Empty && i <= utility::UserList.MaxIndex; ++i)
            words.push_back(dictionary::WordArray.at(static_cast<size_t>(i)));
        return words;
    }

    void TearDown() override
    {
        if (window_)
            window_->hide();
        window_.reset();
    }

    platform::TScopedFakeDialogs dialogs_;
    platform::TScopedFakeShell shell_;
    QTemporaryDir dir_;
    std::unique_ptr<utility::TfrmIndex> window_;
};
