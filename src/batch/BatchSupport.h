#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QIODevice;
class QTextStream;
struct CardDesign;

// Helpers shared by the commands of lumovander-batch.

// The words after a command's name: the positional words in order, and each
// "--name value" option given.
struct BatchArguments {
    QStringList positional;
    QHash<QString, QString> options;
};

// Splits the words; optionNames are the options the command knows ("--size"). An
// unknown option, an option without its value or one given twice gives nothing and a
// one-line problem.
std::optional<BatchArguments> parseBatchArguments(const QStringList &words, const QStringList &optionNames,
                                                  QString &problem);

// Names and paths are echoed in messages; a line break typed into one of them must not
// turn the one line a script reads into several.
QString oneLine(QString text);

// Lets write fill a temporary file beside path that is renamed over it at the end, so
// that a failure (write returning false) leaves no file behind. nullopt when written,
// else the problem for the command's error line: "cannot write 'PATH'", and the reason
// when the system gave one (": De schijf is vol.").
std::optional<QString> writeFileWhole(const QString &path, const std::function<bool(QIODevice &)> &write);

// Writes the picture in format ("png", "bmp") with writeFileWhole.
std::optional<QString> writeImageFile(const QImage &image, const QString &path, const QByteArray &format);

// Each QR code of the card that holds nothing, its content too long (QrObject::whyEmpty),
// as a line "lumovander-batch COMMAND: waarschuwing: ..." on err. The output is still made.
void warnOfEmptyQrCodes(QTextStream &err, const QString &command, const CardDesign &design);
