#include "window/FontConfigStart.h"

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace {

std::mutex startGuard;
FontConfigStart *current = nullptr;

} // namespace

FontConfigStart::FontConfigStart()
    : m_reading([] { FcInit(); })
{
    const std::lock_guard lock(startGuard);
    current = this;
}

FontConfigStart::~FontConfigStart()
{
    const std::lock_guard lock(startGuard);
    wait();
    current = nullptr;
}

void FontConfigStart::wait()
{
    if (m_reading.joinable())
        m_reading.join();
}

void waitForFontConfig()
{
    const std::lock_guard lock(startGuard);
    if (current)
        current->wait();
}
