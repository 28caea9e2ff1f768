#pragma once

#include "core/Card.h"

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

// A number typed for an option: nullopt unless it reads (with a point) and lies in
// low..high. "nan" and "inf" read as numbers to Qt; the test is written so they fail it.
std::optional<double> numberWithin(const QString &text, double low, double high);

// The Dutch line for an option's values when one of them, split at separator, is no
// finite number ("nan", "inf", "abc"); nullopt when each is one.
std::optional<QString> notANumber(const QString &option, const QString &text, QChar separator = QChar());

// Whether an output names standard output ("-") or a file with the given extension.
bool isOutputWithSuffix(const QString &output, const QString &suffix);

// The picture format an output asks by its extension ("bmp", "png"); PNG for standard output.
QByteArray pictureFormat(const QString &output);

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

// The people a command prints the card for: the file named by --gegevens (dataPath; every
// row, the mapping a file gets at first), else the team saved with the card, with its own
// mapping and choices; no team for the card alone, nor for a saved team with everyone
// left out. A file that cannot be read gives its Dutch fault, and nothing may be written.
struct BatchTeam {
    std::optional<CardTeam> team;
    QString fault;
};
BatchTeam batchTeam(const Card &card, const QString &dataPath);
