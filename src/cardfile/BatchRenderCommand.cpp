#include "BatchCommands.h"

int batchRender(const QStringList &, QTextStream &err)
{
    err << "lumovander-batch: the render command is not available yet\n";
    return 2;
}
