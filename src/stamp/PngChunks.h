#pragma once

#include <QByteArrayView>

// The PNG library takes (and clears) the memory a chunk claims before it finds that the
// file is shorter, so a file of a few hundred bytes whose text chunk claims a gigabyte
// costs a gigabyte to open. Walking the chunk lengths first costs nothing.
namespace PngChunks {

enum class End {
    // A file the program wrote itself: whole, up to and with its end chunk.
    Required,
    // A user's photo: one cut short in its pixel data (a download that stopped) still
    // shows what arrived; only the other chunks must lie within the file.
    MayBeCut,
};

// Whether png starts with the PNG signature and every chunk's claimed length lies within
// the file, as `end` asks.
bool lieInFile(QByteArrayView png, End end);

} // namespace PngChunks
