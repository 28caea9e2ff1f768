#pragma once

#include "qr/QrCode.h"

#include <QColor>
#include <QList>
#include <QString>

// Below these a printed code is hard for a phone to read.
namespace QrScan {
// The smallest module on paper, in millimetres; a module of exactly this size passes.
constexpr double MinModuleMm = 0.4;
// The lowest contrast of the dark against the light modules, as the WCAG contrast ratio
// (L1 + 0.05) / (L2 + 0.05) of their relative luminances, from 1 (equal) to 21 (black
// on white); exactly 3 passes. Phone cameras need about the contrast of large text.
constexpr double MinContrastRatio = 3.0;
} // namespace QrScan

enum class ScanProblem { ModulesTooSmall, ContrastTooLow, DarkLighterThanLight, QuietZoneCovered };

struct ScanWarning {
    ScanProblem problem;
    QString message; // Dutch, for the dialog
    QString brief;   // the same in a few words, to fit the window's info line
};

// A module's size on paper for a code `sideMm` wide, its quiet zone included.
double moduleMm(const QrCode &code, double sideMm);
// The smallest side, quiet zone included, at which the code's modules are MinModuleMm.
double smallestSideMm(const QrCode &code);

// WCAG 2 relative luminance of an opaque colour, 0 (black) .. 1 (white).
double relativeLuminance(const QColor &colour);
// WCAG 2 contrast ratio of two opaque colours, 1 .. 21, the same either way round.
double contrastRatio(const QColor &a, const QColor &b);

// Whether a ratio is enough: MinContrastRatio or more.
bool contrastEnough(double ratio);

// Why a code with modules of `moduleMm` on paper, in these colours, may not scan; empty
// when nothing stands in the way. A translucent dark colour counts as it shows over the
// light one. The quiet zone is covered when something else of the card lies on it.
QList<ScanWarning> scanWarnings(double moduleMm, const QColor &dark, const QColor &light, bool quietZoneCovered);
