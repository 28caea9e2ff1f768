#pragma once

#include "filters/FilterPixels.h"

#include <cstdint>

// The filter routines that ApplyFilter runs. Each reads the arrays its rules name and
// writes PixelData; channel 4 (the fourth byte) is never touched.

// Colour and point filters: every pixel from its own values only.
void FilterNegative(const FilterPixels &pixels);
void FilterGrayscale(const FilterPixels &pixels);
void FilterBrightness(const FilterPixels &pixels, int percentage);
void FilterContrast(const FilterPixels &pixels, int percentage);
void FilterSwapColors(const FilterPixels &pixels, int permutation);

// Neighbourhood filters. Sharpen, blur and edge work in place; the others read SourcePixels.
void FilterSharpen(const FilterPixels &pixels, int strength);
void FilterBlur(const FilterPixels &pixels);
void FilterEdge(const FilterPixels &pixels, int strength);
void FilterContour(const FilterPixels &pixels, int baseColour);
void FilterRelief(const FilterPixels &pixels);
void FilterAquarel(const FilterPixels &pixels);

// Random, block and halftone filters.
void FilterPixelize(const FilterPixels &pixels, int blockSize);
void FilterDefuse(const FilterPixels &pixels, int spread);
void FilterAddNoise(const FilterPixels &pixels, int amplitude);
void FilterScattered(const FilterPixels &pixels, int damping);

// Brings a colour whose channels a contrast step pushed out of 0..255 back into range,
// handing half of each overshoot to the other two channels.
void FitToRange(std::int64_t &b1, std::int64_t &b2, std::int64_t &b3);
