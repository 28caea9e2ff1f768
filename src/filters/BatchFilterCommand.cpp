#include "BatchCommands.h"

int batchFilter(const QStringList &, QTextStream &err)
{
    err << "lumovander-batch: the filter command is not available yet\n";
    return 2;
}
