#include "BatchCommands.h"

#include "PhotoLoader.h"
#include "Verloopkleur.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
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

// Parses the words after "gradient"; on bad input returns nothing and sets problem.
std::optional<GradientJob> parseJob(const QStringList &args, QString &problem)
{
    GradientJob job;
    QStringList positional;
    bool sizeGiven = false;
    bool baseGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &word = args[i];
        if (word == u"--size" || word == u"--base") {
            bool &given = word == u"--size" ? sizeGiven : baseGiven;
            if (given || i + 1 >= args.size()) {
                problem = word + QStringLiteral(" needs exactly one value");
                return std::nullopt;
            }
            given = true;
            const QString value = args[++i];
            if (word == u"--base") {
                job.base = value;
                continue;
            }
            static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
            const auto match = sizePattern.match(value);
            job.size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
            if (job.size.isEmpty() || job.size.width() > MaxSide || job.size.height() > MaxSide) {
                problem = QStringLiteral("--size must be WxH with sides 1 to %1: %2").arg(MaxSide).arg(value);
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
        problem = QStringLiteral("usage: lumovander-batch gradient N OUTPUT [--size WxH] [--base IMAGE]");
        return std::nullopt;
    }
    bool isNumber = false;
    job.number = positional[0].toInt(&isNumber);
    if (!isNumber || job.number < Gradients::First || job.number > Gradients::Last) {
        problem = QStringLiteral("the gradient number must be 1 to 42: ") + positional[0];
        return std::nullopt;
    }
    job.output = positional[1];
    const QString suffix = QFileInfo(job.output).suffix().toLower();
    if (suffix != u"bmp" && suffix != u"png") {
        problem = QStringLiteral("the output must end in .bmp or .png: ") + job.output;
        return std::nullopt;
    }
    job.format = suffix.toLatin1();
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

// Written beside the output and renamed over it at the end, so a failure leaves no file.
bool writePicture(const QImage &picture, const QString &path, const QByteArray &format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, format);
    if (!writer.write(picture)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
    if (!writePicture(*canvas, job->output, job->format)) {
        err << "lumovander-batch gradient: cannot write " << job->output << '\n';
        return 1;
    }
    return 0;
}
