#include "BatchCommands.h"

int batchPrint(const QStringList &, QTextStream &err)
{
    err << "lumovander-batch: the print command is not available yet\n";
    return 2;
}
