#include "filters/EventPacer.h"

#include "filters/FilterPixels.h"
#include "filters/Filters.h"

namespace {
// A third of a frame: a row of even the slowest filter on a wide photo takes well under a
// millisecond, so the window gets its turn within one frame.
constexpr std::chrono::milliseconds TurnInterval(5);

std::function<void()> &installedHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void InstallFilterEventHook(std::function<void()> hook)
{
    installedHook() = std::move(hook);
}

EventPacer::EventPacer()
    : m_hook(installedHook())
    , m_nextTurn(Clock::now() + TurnInterval)
{
}

void EventPacer::turn()
{
    m_hook();
    m_nextTurn = Clock::now() + TurnInterval;
}

void RowDone(const FilterPixels &pixels)
{
    pixels.pacer->rowDone();
}
