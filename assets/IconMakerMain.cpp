// lumo_icon_maker DIR: writes the program's icon as DIR/<n>x<n>/lumovander.png for the
// sizes the desktop's icon theme looks for; the build runs it and installs the result.
#include "assets/ProgramIcon.h"

#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumo_icon_maker DIR\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1").arg(size);
        if (!root.mkpath(folder)
            || !ProgramIcon::draw(size).save(root.filePath(folder + QStringLiteral("/lumovander.png")))) {
            std::fprintf(stderr, "lumo_icon_maker: cannot write %s\n", qPrintable(root.filePath(folder)));
            return 1;
        }
    }
    return 0;
}
