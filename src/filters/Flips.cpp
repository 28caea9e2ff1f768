#include "filters/Filters.h"

// Mirrors need no pixel arrays: Qt mirrors a picture it holds alone in place, and
// copies one that is shared (for instance with a filter that is running).

void FlipHorizontal(QImage &picture)
{
    picture = std::move(picture).mirrored(true, false);
}

void FlipVertical(QImage &picture)
{
    picture = std::move(picture).mirrored(false, true);
}

void MirrorBackground(QImage &picture)
{
    FlipHorizontal(picture);
}
