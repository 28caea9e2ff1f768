#include "stamp/WmfPicture.h"

#include "stamp/PictureLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <cstring>
#include <memory>

namespace {

const QString DecoderName = QStringLiteral("lumovander-wmf");
constexpr qsizetype HeaderBytes = 12;

quint32 le16(QByteArrayView b, qsizetype i) { return uint8_t(b[i]) | quint32(uint8_t(b[i + 1])) << 8; }
quint32 le32(QByteArrayView b, qsizetype i) { return le16(b, i) | le16(b, i + 2) << 16; }

bool isExecutable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The helper's answer: "LWMF", width, height, then exactly that many 32-bit pixels.
// Anything else, however it came about, is a bad picture.
QImage readAnswer(const QByteArray &out)
{
    if (out.size() < HeaderBytes || !out.startsWith("LWMF"))
        return {};
    const qint64 width = le32(out, 4), height = le32(out, 8);
    if (!PictureLimits::fits(width, height) || out.size() - HeaderBytes != width * height * 4)
        return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const char *from = out.constData() + HeaderBytes;
    const qsizetype rowBytes = qsizetype(width) * 4;
    for (int y = 0; y < image.height(); ++y, from += rowBytes) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::memcpy(row, from, size_t(rowBytes));
        for (int x = 0; x < image.width(); ++x)
            row[x] |= 0xFF000000u;
    }
    return image;
}

QStringList decoderArguments(const WmfPicture::DecoderLimits &limits)
{
    return {QStringLiteral("--cpu-seconds"), QString::number(limits.cpuSeconds),
            QStringLiteral("--memory-mb"), QString::number(limits.memoryMb)};
}

std::unique_ptr<QProcess> startDecoder(const QString &program, const WmfPicture::DecoderLimits &limits)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(decoderArguments(limits));
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    return process;
}

// A helper started ahead and waiting for its metafile: most of a helper's start is
// loading Qt's libraries, which this way happens while the user is choosing the next
// file instead of while they wait. Its CPU limit counts from its own start, idle time
// costs none, and it ends with the application (or on end of input, should we vanish).
class SpareDecoder {
public:
    std::unique_ptr<QProcess> take(const QString &program)
    {
        std::unique_ptr<QProcess> ready = std::move(m_process);
        if (ready && (ready->program() != program || ready->state() == QProcess::NotRunning))
            discard(ready);
        return ready;
    }
    // Started after a load, not before, so that starting it never delays one.
    void prepare(const QString &program)
    {
        // A QProcess belongs to its thread; the spare serves the application's thread only.
        const QCoreApplication *app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread() || m_process)
            return;
        if (!m_cleanupRegistered) {
            qAddPostRoutine([] { discard(spare().m_process); });
            m_cleanupRegistered = true;
        }
        m_process = startDecoder(program, WmfPicture::DecoderLimits{});
    }
    static SpareDecoder &spare()
    {
        static SpareDecoder instance;
        return instance;
    }

private:
    static void discard(std::unique_ptr<QProcess> &process)
    {
        if (process && process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(-1);
        }
        process.reset();
    }

    std::unique_ptr<QProcess> m_process;
    bool m_cleanupRegistered = false;
};

QImage decode(QProcess &process, QByteArrayView bytes, const WmfPicture::DecoderLimits &limits);

bool isDefault(const WmfPicture::DecoderLimits &l)
{
    const WmfPicture::DecoderLimits d;
    return l.cpuSeconds == d.cpuSeconds && l.memoryMb == d.memoryMb;
}

} // namespace

namespace WmfPicture {

bool looksLikeWmf(QByteArrayView b)
{
    if (b.size() >= 22 && le16(b, 0) == 0xCDD7 && le16(b, 2) == 0x9AC6)
        return true;
    // Plain header: type 1 (memory) or 2 (disk), 9 words long, version 1.0 or 3.0.
    return b.size() >= 18 && (le16(b, 0) == 1 || le16(b, 0) == 2) && le16(b, 2) == 9
        && (le16(b, 4) == 0x0100 || le16(b, 4) == 0x0300);
}

QString decoderPath()
{
    const QString fromEnvironment = qEnvironmentVariable("LUMO_WMF_DECODER");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    if (QCoreApplication::instance()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(DecoderName);
        if (isExecutable(beside))
            return beside;
    }
#ifdef LUMO_WMF_DECODER_BUILD_PATH
    if (isExecutable(QStringLiteral(LUMO_WMF_DECODER_BUILD_PATH)))
        return QStringLiteral(LUMO_WMF_DECODER_BUILD_PATH);
#endif
    return {};
}

QImage render(QByteArrayView bytes) { return render(bytes, DecoderLimits{}); }

QImage render(QByteArrayView bytes, const DecoderLimits &limits, const QString &decoder)
{
    if (!looksLikeWmf(bytes))
        return {};
    const QString program = decoder.isEmpty() ? decoderPath() : decoder;
    if (program.isEmpty())
        return {};
    const bool useSpare = decoder.isEmpty() && isDefault(limits);
    std::unique_ptr<QProcess> started;
    if (useSpare)
        started = SpareDecoder::spare().take(program);
    if (!started)
        started = startDecoder(program, limits);
    const QImage picture = decode(*started, bytes, limits);
    if (useSpare)
        SpareDecoder::spare().prepare(program);
    return picture;
}

} // namespace WmfPicture

namespace {

QImage decode(QProcess &process, QByteArrayView bytes, const WmfPicture::DecoderLimits &limits)
{
    if (!process.waitForStarted(limits.wallClockMs))
        return {};
    process.write(bytes.data(), bytes.size());
    process.closeWriteChannel();
    // waitForFinished() keeps reading the pixels while it waits, so that the helper never
    // blocks on a full pipe; past the wall clock the helper is killed, whatever it does.
    if (!process.waitForFinished(limits.wallClockMs)) {
        process.kill();
        process.waitForFinished(-1);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return readAnswer(process.readAllStandardOutput());
}

} // namespace
