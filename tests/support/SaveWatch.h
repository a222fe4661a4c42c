#pragma once
// Watching how a save reaches its file: how many times the file was replaced or written, when
// it is opened, and what a save killed at a random moment leaves behind.
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// Counts the times a file of Folder named Name is written and closed, or has another file renamed
// over it, from the object's making until Count is called.
class TFileWrites {
public:
    TFileWrites(const std::string& folder, std::string name)
        : name_(std::move(name))
        , fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (fd_ < 0 || ::inotify_add_watch(fd_, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0)
            throw std::runtime_error("cannot watch " + folder);
    }
    ~TFileWrites() { ::close(fd_); }
    TFileWrites(const TFileWrites&) = delete;
    TFileWrites& operator=(const TFileWrites&) = delete;

    int Count()
    {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t length = 0; (length = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && name_ == event->name)
                    ++count_;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return count_;
    }

private:
    std::string name_;
    int fd_;
    int count_ = 0;
};

// Tells when the file that Path names at the object's making is next opened, by anyone.
class TFileOpening {
public:
    explicit TFileOpening(const std::string& path)
        : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (fd_ < 0 || ::inotify_add_watch(fd_, path.c_str(), IN_OPEN) < 0)
            throw std::runtime_error("cannot watch " + path);
    }
    ~TFileOpening() { ::close(fd_); }
    TFileOpening(const TFileOpening&) = delete;
    TFileOpening& operator=(const TFileOpening&) = delete;

    // Waits for an opening since the object was made, at most Seconds; false when none came.
    bool Wait(int seconds)
    {
        pollfd watch {fd_, POLLIN, 0};
        int ready = 0;
        while ((ready = ::poll(&watch, 1, seconds * 1000)) < 0 && errno == EINTR) {
        }
        return ready > 0;
    }

private:
    int fd_;
};

inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Starts, Kills times, a child process that runs Save(0), Save(1), Save(0) ... without end, and
// kills it with SIGKILL at a random moment. Returns the first content of the file at Path, after
// a kill, that is neither of Saved (what Save(0) and Save(1) leave); none when every kill left one
// of them. Save only saves: it never returns control to the test framework in the child.
inline std::optional<std::string> MixedContentAfterKilledSaves(const std::string& path, int kills,
                                                               const std::array<std::string, 2>& saved,
                                                               const std::function<void(int)>& save)
{
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayMicroseconds(200, 15000);
    for (int i = 0; i < kills; ++i) {
        const pid_t child = ::fork();
        if (child < 0)
            throw std::runtime_error("cannot fork");
        if (child == 0) {
            try {
                for (int generation = 0;; generation = 1 - generation)
                    save(generation);
            } catch (...) {
                ::_exit(2);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFSIGNALED(status))
            throw std::runtime_error("the saving process ended by itself");
        std::string content = FileBytes(path);
        if (content != saved[0] && content != saved[1])
            return content;
    }
    return std::nullopt;
}
