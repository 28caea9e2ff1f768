#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A stand-in for a decoder helper (lumovander-wmf, lumovander-heif): a shell script in
// the folder that reads the file it is given and then does as told.
inline QString standInHelper(const QTemporaryDir &dir, const QString &name, const QByteArray &script)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\ncat > /dev/null\n" + script + "\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
