#include "batch/BatchSupport.h"

#include "core/AtomicFile.h"
#include "core/CardDesign.h"
#include "merge/MergeFile.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QTextStream>

#include <cmath>

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

std::optional<double> numberWithin(const QString &text, double low, double high)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !(value >= low && value <= high))
        return std::nullopt;
    return value;
}

std::optional<QString> notANumber(const QString &option, const QString &text, QChar separator)
{
    const QStringList parts = separator.isNull() ? QStringList{text} : text.split(separator);
    for (const QString &part : parts) {
        bool ok = false;
        const double value = part.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return QStringLiteral("%1: '%2' is geen getal; er is niets geschreven").arg(option, part.trimmed());
    }
    return std::nullopt;
}

bool isOutputWithSuffix(const QString &output, const QString &suffix)
{
    return output == QLatin1String(AtomicFile::StandardOutput)
        || QFileInfo(output).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

QByteArray pictureFormat(const QString &output)
{
    if (output == QLatin1String(AtomicFile::StandardOutput))
        return "png";
    return QFileInfo(output).suffix().toLower().toLatin1();
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
    const auto failure = AtomicFile::write(path, write, AtomicFile::Destination::Output);
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

BatchTeam batchTeam(const Card &card, const QString &dataPath)
{
    if (!dataPath.isEmpty()) {
        const MergeRead read = readMergeFile(dataPath);
        if (!read)
            return {std::nullopt, read.fault};
        return {teamOf(read.data), QString()};
    }
    if (card.team && !card.team->people().isEmpty())
        return {card.team, QString()};
    return {};
}
