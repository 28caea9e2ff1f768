// Any bytes as Lumovander.ini: reading never fails hard, and what it reads writes a
// file that reads back whole and writes the same bytes again.
#include "FuzzSupport.h"
#include "core/SettingsFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PrintSettings settings;
    SettingsFile::read(FuzzSupport::asFile(data, size), settings);
    const QByteArray again = SettingsFile::encode(settings);
    PrintSettings reread;
    if (!SettingsFile::read(FuzzSupport::asFile(reinterpret_cast<const uint8_t *>(again.constData()),
                                                size_t(again.size())),
                            reread)
        || SettingsFile::encode(reread) != again)
        std::abort();
    return 0;
}
