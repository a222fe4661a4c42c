#pragma once
// The report of the start-up probes: when the first thing worth waiting for is on screen, a
// probe prints the monotonic clock in nanoseconds and its own peak resident memory in kilobytes,
// and exits at once, so that its parent measures from the start of the process to that moment.
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <unistd.h>
#include <utility>

namespace probe {

// Reports the moment once Target has painted and Ready says the paint showed what is awaited.
class TFirstPaint : public QObject {
public:
    TFirstPaint(QWidget* target, std::function<bool()> ready) : ready_(std::move(ready))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The paint runs after this filter: the report waits for the next turn of the loop.
        if (event->type() == QEvent::Paint && ready_())
            QTimer::singleShot(0, [] { ReportAndExit(); });
        return false;
    }

private:
    [[noreturn]] static void ReportAndExit()
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("%lld %ld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    PeakKilobytes());
        std::fflush(stdout);
        ::_exit(EXIT_SUCCESS); // the teardown is not part of the start
    }

    // The system's count of this process's peak resident memory; 0 when it gives none.
    static long PeakKilobytes()
    {
        std::FILE* status = std::fopen("/proc/self/status", "r");
        if (status == nullptr)
            return 0;
        long kilobytes = 0;
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr)
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                kilobytes = std::strtol(line + 6, nullptr, 10);
        std::fclose(status);
        return kilobytes;
    }

    std::function<bool()> ready_;
};

} // namespace probe
