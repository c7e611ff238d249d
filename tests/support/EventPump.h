#pragma once

// For the tests that run Qt's event loop (capture, playback, the live
// screen): header-only, so the test support library stays free of Qt.
#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <thread>

namespace tiravel::test {

// Processes events until done() or the limit; false on the limit.
inline bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace tiravel::test
