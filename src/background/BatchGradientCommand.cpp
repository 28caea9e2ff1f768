#include "BatchCommands.h"

int batchGradient(const QStringList &, QTextStream &err)
{
    err << "lumovander-batch: the gradient command is not available yet\n";
    return 2;
}
