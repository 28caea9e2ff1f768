#include "batch/BatchCommands.h"

#include "batch/BatchSupport.h"
#include "stamp/PhotoLoader.h"
#include "background/Verloopkleur.h"

#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
#include <optional>

namespace {

constexpr int MaxSide = 16384;

struct GradientJob {
    int number = 0;
    QString output;
    QByteArray format;
    QSize size = Gradients::CardSize;
    QString base;
};

std::optional<QSize> parseSize(const QString &value)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const auto match = pattern.match(value);
    const QSize size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
    if (size.isEmpty() || size.width() > MaxSide || size.height() > MaxSide)
        return std::nullopt;
    return size;
}

// Parses the words after "gradient"; on bad input returns nothing and sets problem.
std::optional<GradientJob> parseJob(const QStringList &words, QString &problem)
{
    const auto arguments =
        parseBatchArguments(words, {QStringLiteral("--size"), QStringLiteral("--base")}, problem);
    if (!arguments)
        return std::nullopt;
    if (arguments->positional.size() != 2) {
        problem = QStringLiteral("usage: lumovander-batch gradient N OUTPUT [--size WxH] [--base IMAGE]");
        return std::nullopt;
    }
    GradientJob job;
    const QString &number = arguments->positional[0];
    bool isNumber = false;
    job.number = number.toInt(&isNumber);
    if (!isNumber || job.number < Gradients::First || job.number > Gradients::Last) {
        problem = QStringLiteral("the gradient number must be 1 to 42: ") + number;
        return std::nullopt;
    }
    job.output = arguments->positional[1];
    job.format = pictureFormat(job.output);
    if (job.format != "bmp" && job.format != "png") {
        problem = QStringLiteral("the output must end in .bmp or .png: ") + job.output;
        return std::nullopt;
    }
    if (const auto size = arguments->options.constFind(QStringLiteral("--size")); size != arguments->options.cend()) {
        const std::optional<QSize> parsed = parseSize(*size);
        if (!parsed) {
            problem = QStringLiteral("--size must be WxH with sides 1 to %1: %2").arg(MaxSide).arg(*size);
            return std::nullopt;
        }
        job.size = *parsed;
    }
    job.base = arguments->options.value(QStringLiteral("--base"));
    return job;
}

// The canvas starts black, or as the base picture at its natural size from the top-left.
std::optional<QImage> startCanvas(const GradientJob &job, QString &problem)
{
    QImage canvas(job.size, QImage::Format_RGB32);
    if (canvas.isNull()) {
        problem = QStringLiteral("not enough memory for a canvas of that size");
        return std::nullopt;
    }
    canvas.fill(Qt::black);
    if (!job.base.isEmpty()) {
        const QImage base = PhotoLoader::load(job.base);
        if (base.isNull()) {
            problem = QStringLiteral("cannot read the picture ") + job.base;
            return std::nullopt;
        }
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, base);
    }
    return canvas;
}

} // namespace

int batchGradient(const QStringList &args, QTextStream &err)
{
    QString problem;
    const std::optional<GradientJob> job = parseJob(args, problem);
    std::optional<QImage> canvas = job ? startCanvas(*job, problem) : std::nullopt;
    if (!canvas) {
        err << "lumovander-batch gradient: " << problem << '\n';
        return 2;
    }
    Verloopkleur(*canvas, job->number);
    if (const auto failure = writeImageFile(*canvas, job->output, job->format)) {
        err << "lumovander-batch gradient: " << *failure << '\n';
        return 1;
    }
    return 0;
}
