#pragma once

#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// A named pipe where a file is expected. A reader that waits on it is set free after a
// few seconds by opening the pipe's other end, so a fault fails the test (stuck() is
// true) instead of hanging it until its time-out.
class StuckReaderGuard {
public:
    explicit StuckReaderGuard(const QString &path) : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        m_watch = std::thread([this] {
            const auto start = std::chrono::steady_clock::now();
            while (!m_done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
                    continue;
                // Succeeds only while a reader holds the pipe open.
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    m_stuck = true;
                    ::close(fd);
                }
            }
        });
    }
    ~StuckReaderGuard()
    {
        m_done = true;
        m_watch.join();
    }
    StuckReaderGuard(const StuckReaderGuard &) = delete;
    StuckReaderGuard &operator=(const StuckReaderGuard &) = delete;

    bool made() const { return m_made; }
    bool stuck() const { return m_stuck; }

private:
    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_stuck{false};
    std::thread m_watch;
};
