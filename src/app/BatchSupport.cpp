#include "BatchSupport.h"

#include <QImageWriter>
#include <QSaveFile>

std::optional<BatchArguments> parseBatchArguments(const QStringList &words, const QStringList &optionNames,
                                                  QString &problem)
{
    BatchArguments arguments;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (!word.startsWith(u"--")) {
            arguments.positional << word;
        } else if (!optionNames.contains(word)) {
            problem = QStringLiteral("unknown option ") + word;
            return std::nullopt;
        } else if (arguments.options.contains(word) || i + 1 >= words.size()) {
            problem = word + QStringLiteral(" needs exactly one value");
            return std::nullopt;
        } else {
            arguments.options.insert(word, words[++i]);
        }
    }
    return arguments;
}

bool writeImageFile(const QImage &image, const QString &path, const QByteArray &format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
