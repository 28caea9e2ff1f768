#pragma once

#include <QImage>
#include <functional>

// The image filters that the "Bewerken" menus run on the stamp photo and on the card
// background. Pictures are filtered as 32-bit pixels (blue, green, red, fourth byte);
// the fourth byte always comes back unchanged.

// The filter codes the menus pass to ApplyFilter.
namespace FilterCode {
constexpr int Sharpen = 1;
constexpr int Negative = 2;
constexpr int Blur = 3;
constexpr int Defuse = 4;
constexpr int Edge = 6;
constexpr int Contour = 7;
constexpr int Grayscale = 12;
constexpr int Relief = 13;
constexpr int Brightness = 14;
constexpr int Pixelize = 15;
constexpr int SwapColors = 16;
constexpr int Contrast = 17;
constexpr int Scattered = 23;
constexpr int Aquarel = 24;
constexpr int AddNoise = 29;
} // namespace FilterCode

bool IsFilterCode(int code);

// Runs the filter `code` over the whole picture with its whole-number parameter and
// puts the result into `picture` (a picture that is not 32-bit becomes Format_RGB32,
// or Format_ARGB32 when it has an alpha channel). A code not in the table, an empty
// picture, a parameter the filter cannot divide by, or a call made while another
// filter runs (from inside the event hook) leaves the picture unchanged.
void ApplyFilter(int code, QImage &picture, int parameter);

// True while ApplyFilter is running.
bool FilterBusy();

// The window's event processing. A running filter calls it between rows, often enough
// that the window never waits a frame, and once more after its last row. Whatever the
// hook does to the target picture, the filter's result becomes the picture when the
// filter ends. An empty hook (the default) means no events are processed.
void InstallFilterEventHook(std::function<void()> hook);

// Exact mirrors of the whole picture, done at once even while a filter runs.
void FlipHorizontal(QImage &picture);
void FlipVertical(QImage &picture);
void MirrorBackground(QImage &picture);
