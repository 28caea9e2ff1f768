#include "batch/BatchSupport.h"

#include "core/AtomicFile.h"
#include "core/CardDesign.h"

#include <QImageWriter>
#include <QTextStream>

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

QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

std::optional<QString> writeFileWhole(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    const auto failure = AtomicFile::write(path, write);
    if (!failure)
        return std::nullopt;
    QString problem = QStringLiteral("cannot write '%1'").arg(oneLine(path));
    if (!failure->reason.isEmpty())
        problem += QStringLiteral(": ") + failure->reason;
    return problem;
}

std::optional<QString> writeImageFile(const QImage &image, const QString &path, const QByteArray &format)
{
    return writeFileWhole(path, [&](QIODevice &file) { return QImageWriter(&file, format).write(image); });
}

void warnOfEmptyQrCodes(QTextStream &err, const QString &command, const CardDesign &design)
{
    for (const PlacedObject &object : design.objects)
        if (object.kind == PlacedObject::Kind::Qr && !object.qr.code.isValid())
            err << "lumovander-batch " << command << ": waarschuwing: " << oneLine(object.qr.whyEmpty()) << '\n';
}
