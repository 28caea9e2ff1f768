#include "stamp/DecoderProcess.h"

#include "core/PictureLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace {

constexpr qsizetype HeaderBytes = 12;

quint32 le32(QByteArrayView b, qsizetype i)
{
    return uint8_t(b[i]) | quint32(uint8_t(b[i + 1])) << 8 | quint32(uint8_t(b[i + 2])) << 16
           | quint32(uint8_t(b[i + 3])) << 24;
}

bool isExecutable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

bool sameLimits(const DecoderProcess::Limits &a, const DecoderProcess::Limits &b)
{
    return a.cpuSeconds == b.cpuSeconds && a.memoryMb == b.memoryMb;
}

std::unique_ptr<QProcess> startHelper(const QString &program, const DecoderProcess::Limits &limits,
                                      const QStringList &request = {})
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(QStringList{QStringLiteral("--cpu-seconds"), QString::number(limits.cpuSeconds),
                                      QStringLiteral("--memory-mb"), QString::number(limits.memoryMb)}
                          + request);
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    return process;
}

void discard(std::unique_ptr<QProcess> &process)
{
    if (process && process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(-1);
    }
    process.reset();
}

// Helpers started ahead, one for each helper program, waiting for their file: most of a
// helper's start is loading its libraries, which this way happens while the user is
// choosing the next file instead of while they wait. A helper's CPU limit counts from its
// own start, idle time costs none, and it ends with the application (or on end of input,
// should we vanish).
class SpareHelpers {
public:
    std::unique_ptr<QProcess> take(const QString &program)
    {
        const auto found = m_processes.find(program);
        if (found == m_processes.end())
            return {};
        std::unique_ptr<QProcess> ready = std::move(found->second);
        m_processes.erase(found);
        if (ready && ready->state() == QProcess::NotRunning)
            discard(ready);
        return ready;
    }
    // Started after a decoding, not before, so that starting it never delays one.
    void prepare(const QString &program, const DecoderProcess::Limits &limits)
    {
        // A QProcess belongs to its thread; spares serve the application's thread only.
        const QCoreApplication *app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread() || m_processes.count(program))
            return;
        if (!m_cleanupRegistered) {
            qAddPostRoutine([] {
                for (auto &[program, process] : spares().m_processes)
                    discard(process);
                spares().m_processes.clear();
            });
            m_cleanupRegistered = true;
        }
        m_processes[program] = startHelper(program, limits);
    }
    static SpareHelpers &spares()
    {
        static SpareHelpers instance;
        return instance;
    }

private:
    std::map<QString, std::unique_ptr<QProcess>> m_processes;
    bool m_cleanupRegistered = false;
};

DecoderProcess::Decoded finish(QProcess &process, QByteArrayView bytes, const DecoderProcess::Limits &limits,
                               const DecoderProcess::Helper &helper)
{
    if (!process.waitForStarted(limits.wallClockMs))
        return {QImage(), true};
    process.write(bytes.data(), bytes.size());
    process.closeWriteChannel();
    // waitForFinished() keeps reading the pixels while it waits, so that the helper never
    // blocks on a full pipe; past the wall clock the helper is killed, whatever it does.
    if (!process.waitForFinished(limits.wallClockMs)) {
        process.kill();
        process.waitForFinished(-1);
        return {QImage(), true};
    }
    // A signal (its CPU or memory limit, a crash) stopped it; an exit code of its own is
    // its verdict on the file.
    if (process.exitStatus() != QProcess::NormalExit)
        return {QImage(), true};
    if (process.exitCode() != 0)
        return {};
    return {DecoderProcess::readAnswer(process.readAllStandardOutput(), helper.magic, helper.alpha), false};
}

} // namespace

namespace DecoderProcess {

QString helperPath(const Helper &helper)
{
    const QString fromEnvironment = helper.environment ? qEnvironmentVariable(helper.environment) : QString();
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    if (QCoreApplication::instance()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(helper.name);
        if (isExecutable(beside))
            return beside;
    }
    if (!helper.buildPath.isEmpty() && isExecutable(helper.buildPath))
        return helper.buildPath;
    return {};
}

QImage decode(const Helper &helper, QByteArrayView bytes) { return decode(helper, bytes, helper.limits); }

QImage decode(const Helper &helper, QByteArrayView bytes, const Limits &limits, const QString &program,
              const QStringList &request)
{
    return decodeFully(helper, bytes, limits, program, request).picture;
}

Decoded decodeFully(const Helper &helper, QByteArrayView bytes, const Limits &limits, const QString &program,
                    const QStringList &request)
{
    const QString path = program.isEmpty() ? helperPath(helper) : program;
    if (path.isEmpty())
        return {QImage(), true};
    // A spare helper waits with the plain arguments only.
    const bool useSpare = program.isEmpty() && sameLimits(limits, helper.limits) && request.isEmpty();
    std::unique_ptr<QProcess> started;
    if (useSpare)
        started = SpareHelpers::spares().take(path);
    if (!started)
        started = startHelper(path, limits, request);
    Decoded decoded = finish(*started, bytes, limits, helper);
    if (useSpare)
        SpareHelpers::spares().prepare(path, helper.limits);
    return decoded;
}

QImage readAnswer(QByteArrayView answer, QByteArrayView magic, bool alpha)
{
    if (magic.size() != 4 || answer.size() < HeaderBytes || !answer.startsWith(magic))
        return {};
    const qint64 width = le32(answer, 4), height = le32(answer, 8);
    if (!PictureLimits::fits(width, height) || answer.size() - HeaderBytes != width * height * 4)
        return {};
    QImage image(int(width), int(height), alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const char *from = answer.constData() + HeaderBytes;
    const qsizetype rowBytes = qsizetype(width) * 4;
    for (int y = 0; y < image.height(); ++y, from += rowBytes) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::memcpy(row, from, size_t(rowBytes));
        for (int x = 0; x < image.width(); ++x) {
            if (!alpha) {
                row[x] |= 0xFF000000u;
                continue;
            }
            // Premultiplied colours never exceed their alpha; the painter's blending
            // relies on it, so a garbled answer is held to it.
            const int a = qAlpha(row[x]);
            row[x] = qRgba(std::min(qRed(row[x]), a), std::min(qGreen(row[x]), a), std::min(qBlue(row[x]), a), a);
        }
    }
    return image;
}

} // namespace DecoderProcess
