#include "batch/BatchCommands.h"

#include "batch/BatchSupport.h"
#include "core/CardDocument.h"
#include "cardfile/CardOpening.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "core/DataFolder.h"

#include <QPainter>
#include <optional>

namespace {

// 16 times the card is 7040 x 4320 pixels, sharper than any printer needs.
constexpr int MaxScale = 16;

struct RenderJob {
    QString name;
    QString output;
    QString folder;
    int scale = 1;
    CardSide side = CardSide::Front;
};

// Parses the words after "render"; on bad input returns nothing and sets problem.
std::optional<RenderJob> parseJob(const QStringList &words, QString &problem)
{
    QStringList valued = words;
    const bool back = valued.removeAll(QStringLiteral("--achterkant")) > 0;
    const auto arguments =
        parseBatchArguments(valued, {QStringLiteral("--folder"), QStringLiteral("--scale")}, problem);
    if (!arguments)
        return std::nullopt;
    if (arguments->positional.size() != 2) {
        problem = QStringLiteral("usage: lumovander-batch render NAME OUTPUT [--folder DIR] [--scale N] [--achterkant]");
        return std::nullopt;
    }
    RenderJob job;
    job.name = arguments->positional[0];
    job.output = arguments->positional[1];
    job.folder = arguments->options.value(QStringLiteral("--folder"));
    job.side = back ? CardSide::Back : CardSide::Front;
    if (const auto scale = arguments->options.constFind(QStringLiteral("--scale"));
        scale != arguments->options.cend()) {
        bool isNumber = false;
        job.scale = scale->toInt(&isNumber);
        if (!isNumber || job.scale < 1 || job.scale > MaxScale) {
            problem = QStringLiteral("--scale must be a whole number from 1 to %1: %2").arg(MaxScale).arg(*scale);
            return std::nullopt;
        }
    }
    return job;
}

// One side of the card as the designer shows it, the stamp on the front alone, drawn at
// scale times its size; from scale 2 on the pictures come from their print copies, which
// hold detail the screen pictures lack.
QImage renderFace(const CardFace &face, const StampBox *stamp, int scale)
{
    QImage image(Composition::CanvasSize * scale, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.scale(scale, scale);
    CardPainter::paintFace(painter, face, stamp,
                           scale >= 2 ? CardPainter::Pictures::Print : CardPainter::Pictures::Screen);
    return image;
}

} // namespace

int batchRender(const QStringList &args, QTextStream &err)
{
    QString problem;
    const std::optional<RenderJob> job = parseJob(args, problem);
    if (!job) {
        err << "lumovander-batch render: " << oneLine(problem) << '\n';
        return 2;
    }
    if (!job->folder.isEmpty())
        DataFolder::setOverride(job->folder);

    CardDocument document;
    const CardOpening::Opened opened = CardOpening::openCard(document, job->name);
    if (!opened) {
        err << "lumovander-batch render: cannot open the card " << oneLine(job->name) << " in "
            << oneLine(DataFolder::cardsFolder()) << '\n';
        return 1;
    }
    const Card &card = document.card();
    const CardFace *face = card.face(job->side);
    if (!face) {
        err << "lumovander-batch render: the card " << oneLine(job->name)
            << " has no back (achterkant) to render\n";
        return 1;
    }
    for (const QString &note : opened.notes)
        err << "lumovander-batch render: let op: " << oneLine(note) << '\n';
    warnOfEmptyQrCodes(err, QStringLiteral("render"), face->design);
    const QImage image = renderFace(*face, job->side == CardSide::Front ? &card.stamp : nullptr, job->scale);
    const auto failure = image.isNull() ? std::optional(QStringLiteral("cannot draw the card"))
                                        : writeImageFile(image, job->output, "png");
    if (failure) {
        err << "lumovander-batch render: " << *failure << '\n';
        return 1;
    }
    return 0;
}
