#include "MappedWindow.h"

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <stdexcept>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

namespace {

constexpr auto MapDeadline = std::chrono::minutes(1);

// A started process, ended (if it still runs) and waited for when this goes.
class TChild {
public:
    explicit TChild(pid_t pid) : pid_(pid) {}
    ~TChild()
    {
        ::kill(pid_, SIGKILL); // the teardown is not part of the start
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_;
};

struct TConnectionEnd {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using TConnection = std::unique_ptr<xcb_connection_t, TConnectionEnd>;

template <typename TReply>
std::unique_ptr<TReply, decltype(&std::free)> Owned(TReply* reply)
{
    return {reply, &std::free};
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)), name),
        nullptr));
    if (!reply)
        throw std::runtime_error(std::string("no X atom ") + name);
    return reply->atom;
}

// Whether Window is of Width x Height and belongs to the process Pid (the _NET_WM_PID a Qt
// window carries). A window already gone is no match.
bool IsWindowOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t pidAtom, pid_t pid, int width, int height)
{
    const auto geometry = Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry || geometry->width != width || geometry->height != height)
        return false;
    const auto property = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!property || xcb_get_property_value_length(property.get()) != 4)
        return false;
    return *static_cast<const uint32_t*>(xcb_get_property_value(property.get())) == static_cast<uint32_t>(pid);
}

} // namespace

TVirtualScreen::TVirtualScreen()
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe");
    // The server writes its display number on the write end, which it alone keeps open. It never
    // resets when its last client goes, which would refuse the next run for a while.
    ::fcntl(pipeEnds[1], F_SETFD, 0);
    try {
        server_ = StartProgram("Xvfb",
                               {"-displayfd", std::to_string(pipeEnds[1]), "-nolisten", "tcp", "-noreset", "-screen", "0",
                                "1280x1024x24"},
                               {});
    } catch (...) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        throw;
    }
    ::close(pipeEnds[1]);
    std::string number;
    char letter = 0;
    while (::read(pipeEnds[0], &letter, 1) == 1 && letter != '\n')
        number += letter;
    ::close(pipeEnds[0]);
    if (number.empty()) {
        ::kill(server_, SIGTERM);
        ::waitpid(server_, nullptr, 0);
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + number;
}

TVirtualScreen::~TVirtualScreen()
{
    ::kill(server_, SIGTERM);
    int status = 0;
    ::waitpid(server_, &status, 0);
}

TProbeRun RunUntilMapped(const TVirtualScreen& screen, const std::string& program,
                         const std::vector<std::string>& arguments, const TEnvironment& environment, int width,
                         int height)
{
    const TConnection connection(xcb_connect(screen.Display().c_str(), nullptr));
    if (xcb_connection_has_error(connection.get()))
        throw std::runtime_error("cannot reach the X server " + screen.Display());
    xcb_connection_t* const x = connection.get();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY; // top-level windows mapped
    if (const auto error = Owned(xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &events))))
        throw std::runtime_error("cannot watch the X server's windows");
    const xcb_atom_t pidAtom = Atom(x, "_NET_WM_PID");

    TEnvironment childEnvironment = environment;
    childEnvironment.emplace_back("DISPLAY", screen.Display());
    childEnvironment.emplace_back("QT_QPA_PLATFORM", "xcb");
    const auto start = std::chrono::steady_clock::now();
    const TChild child(StartProgram(program, arguments, childEnvironment));
    // Readable when the child ends: a start that fails is told at once, not at the deadline.
    const int childEnd = static_cast<int>(::syscall(SYS_pidfd_open, child.Pid(), 0));
    if (childEnd < 0)
        throw std::runtime_error("cannot watch the process");
    const std::unique_ptr<const int, void (*)(const int*)> closeChildEnd(&childEnd, [](const int* file) { ::close(*file); });

    const auto deadline = start + MapDeadline;
    for (bool ended = false;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const auto owned = Owned(event);
            if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
                continue;
            const auto mapped = std::chrono::steady_clock::now();
            const xcb_window_t window = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
            if (!IsWindowOf(x, window, pidAtom, child.Pid(), width, height))
                continue;
            TProbeRun run;
            run.Seconds = std::chrono::duration<double>(mapped - start).count();
            run.PeakMegabytes = PeakMegabytesOf(child.Pid());
            return run;
        }
        if (ended)
            throw std::runtime_error(program + " ended before it mapped its window");
        if (xcb_connection_has_error(x))
            throw std::runtime_error("lost the X server");
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            throw std::runtime_error(program + " mapped no window in time");
        pollfd waits[] = {{xcb_get_file_descriptor(x), POLLIN, 0}, {childEnd, POLLIN, 0}};
        // The events that came before the end are looked at once more.
        ended = ::poll(waits, 2, static_cast<int>(left.count())) > 0 && (waits[1].revents & POLLIN) != 0;
    }
}

} // namespace bench
