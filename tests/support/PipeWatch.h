#pragma once

// A named pipe in a file's place must never keep the program waiting. A test that gets one
// wrong must fail, not wait with it: this runs the use, and when it is still running after a few
// seconds, feeds and drains the pipe from another thread until it returns.
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <thread>
#include <unistd.h>

// Runs `use`; false when it waited on the named pipe at `pipe` until the pipe was fed.
inline bool finishesWithoutWaiting(const std::function<void()>& use, const QString& pipe)
{
    using namespace std::chrono_literals;
    std::atomic<bool> done{false};
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 300 && !done; ++i)
            std::this_thread::sleep_for(10ms);
        const QByteArray name = QFile::encodeName(pipe);
        while (!done) {
            rescued = true;
            char bytes[65536] = {};
            if (const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK); writer >= 0) {
                [[maybe_unused]] const auto written = ::write(writer, bytes, sizeof bytes);
                ::close(writer);
            }
            if (const int reader = ::open(name.constData(), O_RDONLY | O_NONBLOCK); reader >= 0) {
                while (::read(reader, bytes, sizeof bytes) > 0) {
                }
                ::close(reader);
            }
            std::this_thread::sleep_for(10ms);
        }
    });
    use();
    done = true;
    watchdog.join();
    return !rescued;
}
