#pragma once

#include <functional>

class QWidget;

// Runs an action once, right after the window has painted itself for the first time
// (startup measurements and screenshots).
void afterFirstPaint(QWidget *window, std::function<void()> action);
