#pragma once

#include <thread>

// Fontconfig reads its configuration, some fifty XML files under /etc/fonts, the first
// time the program measures a text: about 4 ms, a quarter of the way to the first
// painted window. Begun on a thread of its own as the program starts, that reading
// overlaps the start of Qt and the building of the window's first panels.
//
// Fontconfig reads it a second time, not waiting, when text is measured meanwhile; so
// the window calls waitForFontConfig() before its first text.
class FontConfigStart {
public:
    FontConfigStart();
    // Waits for the reading, if the window never did.
    ~FontConfigStart();
    FontConfigStart(const FontConfigStart &) = delete;
    FontConfigStart &operator=(const FontConfigStart &) = delete;

private:
    friend void waitForFontConfig();
    void wait();

    std::thread m_reading;
};

// Returns once the reading begun by the FontConfigStart alive now has ended; at once
// when none was begun (tests, the window built twice).
void waitForFontConfig();
