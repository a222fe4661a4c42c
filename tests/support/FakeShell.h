#pragma once
// A shell for tests: records the documents opened and the programs started, runs nothing.
#include "platform/Shell.h"
#include "tests/support/FakeService.h"

#include <string>
#include <vector>

namespace platform {

class TFakeShell : public TShell {
public:
    struct TProgramStart {
        std::string Program;
        std::string Argument;
    };

    bool OpenDocument(const std::string& urlOrPath, TLateFailure) override
    {
        Opened.push_back(urlOrPath);
        return Succeeds;
    }
    bool StartProgram(const std::string& programPath, const std::string& argument) override
    {
        Started.push_back({programPath, argument});
        return Succeeds;
    }

    bool Succeeds = true; // the answer of every request
    std::vector<std::string> Opened;
    std::vector<TProgramStart> Started;
};

using TScopedFakeShell = TScopedFake<TFakeShell, TShell, &SetShell>;

} // namespace platform
