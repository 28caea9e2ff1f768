// Any bytes as a card record: reading must keep every field within its range.
#include "cardfile/CardRecord.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CardState state;
    CardRecord::read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), state);
    if (state.LayoutKind > 4 || state.FontSize < CardRecord::MinFontSize
        || state.FontSize > CardRecord::MaxFontSize)
        std::abort();
    for (double component : {state.TextColorR.toNumber(), state.TextColorG.toNumber(),
                             state.BorderColorR.toNumber(), state.BorderColorG.toNumber()})
        if (!(component >= 0 && component <= 255))
            std::abort();
    return 0;
}
