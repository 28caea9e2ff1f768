#include "BatchCommands.h"

#include "CardDocument.h"
#include "CardOpening.h"
#include "CardPainter.h"
#include "Composition.h"
#include "DataFolder.h"

#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <optional>

namespace {

// 16 times the card is 7040 x 4320 pixels, sharper than any printer needs.
constexpr int MaxScale = 16;

struct RenderJob {
    QString name;
    QString output;
    QString folder;
    int scale = 1;
};

// Parses the words after "render"; on bad input returns nothing and sets problem.
std::optional<RenderJob> parseJob(const QStringList &args, QString &problem)
{
    RenderJob job;
    QStringList positional;
    bool folderGiven = false;
    bool scaleGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &word = args[i];
        if (word == u"--folder" || word == u"--scale") {
            bool &given = word == u"--folder" ? folderGiven : scaleGiven;
            if (given || i + 1 >= args.size()) {
                problem = word + QStringLiteral(" needs exactly one value");
                return std::nullopt;
            }
            given = true;
            const QString value = args[++i];
            if (word == u"--folder") {
                job.folder = value;
                continue;
            }
            bool isNumber = false;
            job.scale = value.toInt(&isNumber);
            if (!isNumber || job.scale < 1 || job.scale > MaxScale) {
                problem = QStringLiteral("--scale must be a whole number from 1 to %1: %2").arg(MaxScale).arg(value);
                return std::nullopt;
            }
        } else if (word.startsWith(u"--")) {
            problem = QStringLiteral("unknown option ") + word;
            return std::nullopt;
        } else {
            positional << word;
        }
    }
    if (positional.size() != 2) {
        problem = QStringLiteral("usage: lumovander-batch render NAME OUTPUT [--folder DIR] [--scale N]");
        return std::nullopt;
    }
    job.name = positional[0];
    job.output = positional[1];
    return job;
}

// The card as the designer shows it, drawn at scale times its size.
QImage renderCard(const CardDocument &document, int scale)
{
    QImage image(Composition::CanvasSize * scale, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.scale(scale, scale);
    CardPainter::paint(painter, document);
    return image;
}

// Written beside the output and renamed over it at the end, so a failure leaves no file.
bool writePng(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

int batchRender(const QStringList &args, QTextStream &err)
{
    QString problem;
    const std::optional<RenderJob> job = parseJob(args, problem);
    if (!job) {
        err << "lumovander-batch render: " << problem << '\n';
        return 2;
    }
    if (!job->folder.isEmpty())
        DataFolder::setOverride(job->folder);

    CardDocument document;
    if (!CardOpening::openCard(document, job->name)) {
        err << "lumovander-batch render: cannot open the card " << job->name << " in "
            << DataFolder::cardsFolder() << '\n';
        return 1;
    }
    const QImage image = renderCard(document, job->scale);
    if (image.isNull() || !writePng(image, job->output)) {
        err << "lumovander-batch render: cannot write " << job->output << '\n';
        return 1;
    }
    return 0;
}
