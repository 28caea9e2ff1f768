#pragma once

#include <QtGlobal>
#include <cstddef>

class EventPacer;

// What a filter routine works on: the two pixel arrays of one ApplyFilter call.
// Both hold W x H pixels, rows top to bottom without gaps, 4 bytes per pixel in the
// order blue, green, red, fourth byte. Rows and columns here count from 0.
struct FilterPixels {
    int width = 0;
    int height = 0;
    // PixelData: the working pixels, written by every filter and becoming the picture.
    uchar *pixelData = nullptr;
    // SourcePixels: the pixels as they were read; never written.
    const uchar *sourcePixels = nullptr;
    EventPacer *pacer = nullptr;

    std::size_t rowBytes() const { return std::size_t(width) * 4; }
    uchar *pixelRow(int y) const { return pixelData + rowBytes() * std::size_t(y); }
    const uchar *sourceRow(int y) const { return sourcePixels + rowBytes() * std::size_t(y); }
    std::size_t pixelCount() const { return std::size_t(width) * std::size_t(height); }
};

// Lets the window process its events; every filter calls it after each row.
void RowDone(const FilterPixels &pixels);
