#pragma once
// A start as the player sees it: a real program on an X server of the bench's own, measured from
// just before its process starts to the moment the server maps its window.
#include "ProbeRun.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

// A virtual X server (Xvfb) of this bench alone, so that no other client shares it; ended with
// this object.
class TVirtualScreen {
public:
    TVirtualScreen(); // throws when no server can be started
    ~TVirtualScreen();
    TVirtualScreen(const TVirtualScreen&) = delete;
    TVirtualScreen& operator=(const TVirtualScreen&) = delete;
    // The DISPLAY value of the server, ":N".
    const std::string& Display() const { return display_; }

private:
    pid_t server_ = -1;
    std::string display_;
};

// Runs Program with Arguments and Environment on Screen (Qt's xcb platform) until the server maps
// a window of Width x Height pixels that the process says is its own; then reads the process's
// peak memory so far and ends it. Throws when the process ends first or nothing is mapped within
// a minute.
TProbeRun RunUntilMapped(const TVirtualScreen& screen, const std::string& program,
                         const std::vector<std::string>& arguments, const TEnvironment& environment, int width,
                         int height);

} // namespace bench
