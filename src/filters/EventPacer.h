#pragma once

#include <chrono>
#include <functional>

// Hands control to the window's event processing while a filter runs: after a row
// when the last turn is long enough ago, and always once at the end. Rows are far
// shorter than a frame, so the window never waits a whole frame for its turn.
class EventPacer {
public:
    EventPacer();

    void rowDone()
    {
        if (m_hook && Clock::now() >= m_nextTurn)
            turn();
    }
    void finish()
    {
        if (m_hook)
            turn();
    }

private:
    using Clock = std::chrono::steady_clock;
    void turn();

    // A copy, so that a hook replacing itself while it runs stays alive for this filter.
    std::function<void()> m_hook;
    Clock::time_point m_nextTurn;
};
