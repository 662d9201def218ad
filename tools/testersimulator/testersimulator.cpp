// The simulator is a Linux tool: POSIX pseudo-terminals and descriptors
// throughout, no portable layer.

#include "testersimulator.h"

#include "capturereader.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A timer's interval for a wait: at most a day, after which the wait is
// worked out again, as a capture's time may be years.
int timerMsecs(qint64 waitUs)
{
    return int(std::min<qint64>((waitUs + 999) / 1000, 24 * 3600 * 1000));
}

const QByteArray remoteCommand = QByteArrayLiteral("SYST:REM");
const QByteArray dataCommand = QByteArrayLiteral("MEM:DATA? ALL");

// 8N1: a start bit, eight data bits and a stop bit per byte.
constexpr double bitsPerByte = 10.0;
constexpr int paceIntervalMs = 10;
constexpr qint64 chunkSize = 64 * 1024;
// Unpaced, one callback writes at most this much, so the event loop (and a
// reader sharing it) keeps turning.
constexpr qint64 unpacedBudget = 1024 * 1024;
// A line that never ends is not a command; drop it rather than grow.
constexpr int maxCommandLength = 1024;
// Before a planned hang-up, how often to look whether the reader has
// everything, and for how long at most (nobody may be reading).
constexpr int drainIntervalMs = 5;
constexpr qint64 drainLimitMs = 1000;
// Paced, a port that has taken nothing for this long has no reader: the
// tester goes on sending regardless, and the bytes are lost, as on a line
// without flow control.
constexpr qint64 stallLimitMs = 1000;

constexpr qint64 noiseBlock = 512;
constexpr quint64 noiseSeed = 0x7e57e2;

// splitmix64: a fast, well-mixed hash, so any byte of the noise can be made
// from its offset alone and a slice needs no state from earlier slices.
quint64 mix(quint64 value)
{
    value += 0x9e3779b97f4a7c15ULL;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

char noiseByte(qint64 offset)
{
    const quint64 word = mix(noiseSeed ^ quint64(offset / 8));
    return char((word >> (8 * (offset % 8))) & 0xff);
}

bool makeRaw(int fd)
{
    termios attributes;
    if (::tcgetattr(fd, &attributes) != 0)
        return false;
    ::cfmakeraw(&attributes);
    attributes.c_cflag |= CLOCAL | CREAD;
    attributes.c_cc[VMIN] = 0;
    attributes.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &attributes) == 0;
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

TesterSimulator::TesterSimulator(QObject *parent)
    : QObject(parent)
    , delayTimer(new QTimer(this))
    , paceTimer(new QTimer(this))
    , pauseTimer(new QTimer(this))
    , drainTimer(new QTimer(this))
    , replayTimer(new QTimer(this))
{
    delayTimer->setSingleShot(true);
    connect(delayTimer, &QTimer::timeout, this, &TesterSimulator::beginTransfer);
    // Coarse timers may fire 5% late; the pacing itself is by elapsed time,
    // but a steady tick keeps the slices small and even.
    paceTimer->setTimerType(Qt::PreciseTimer);
    paceTimer->setInterval(paceIntervalMs);
    connect(paceTimer, &QTimer::timeout, this, &TesterSimulator::pump);
    pauseTimer->setSingleShot(true);
    pauseTimer->setTimerType(Qt::PreciseTimer);
    connect(pauseTimer, &QTimer::timeout, this, &TesterSimulator::endPause);
    drainTimer->setInterval(drainIntervalMs);
    connect(drainTimer, &QTimer::timeout, this, &TesterSimulator::hangUpWhenRead);
    replayTimer->setSingleShot(true);
    replayTimer->setTimerType(Qt::PreciseTimer);
    connect(replayTimer, &QTimer::timeout, this, &TesterSimulator::replayNext);
}

TesterSimulator::~TesterSimulator()
{
    stop();
}

void TesterSimulator::setOptions(const Options &options)
{
    currentOptions = options;
}

TesterSimulator::Options TesterSimulator::options() const
{
    return currentOptions;
}

bool TesterSimulator::start()
{
    if (isRunning()) {
        error = QStringLiteral("The simulator is already running on %1").arg(slavePath);
        return false;
    }
    error.clear();

    const QString resultsPath = currentOptions.filePath.isEmpty()
                                    ? QStringLiteral(":/testersimulator/results.csv")
                                    : currentOptions.filePath;
    QFile file(resultsPath);
    if (!currentOptions.replayPath.isEmpty()) {
        if (!openReplay())
            return false;
    } else if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read %1: %2").arg(resultsPath, file.errorString());
        return false;
    }
    results = currentOptions.replayPath.isEmpty() ? file.readAll() : QByteArray();
    // A generated transfer repeats the records, not the header line.
    const qsizetype headerEnd = results.indexOf('\n');
    resultsHeaderSize = headerEnd >= 0 && headerEnd + 1 < results.size() ? headerEnd + 1 : 0;
    if (currentOptions.replayPath.isEmpty())
        totalSize = currentOptions.size >= 0 ? currentOptions.size : results.size();
    if (results.isEmpty() && totalSize > 0 && currentOptions.noise != Noise::Only && !replayReader) {
        error = QStringLiteral("%1 is empty: nothing to repeat").arg(resultsPath);
        return false;
    }

    masterFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    char name[128];
    if (::grantpt(masterFd) != 0 || ::unlockpt(masterFd) != 0 ||
        ::ptsname_r(masterFd, name, sizeof name) != 0) {
        error = systemError("Cannot prepare the pseudo-terminal");
        closePort();
        return false;
    }
    slavePath = QString::fromLocal8Bit(name);
    // The simulator holds the slave open itself for as long as it runs. When
    // the last slave descriptor closes, the master reports POLLHUP (and read
    // fails with EIO) until a slave is opened again, which would make the
    // read notifier fire without end between the program's sessions. With
    // our own descriptor the line stays up like a tester's cable, and the
    // port keeps the raw settings below when nobody else has it open.
    slaveFd = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slaveFd < 0) {
        error = systemError("Cannot open the slave side");
        closePort();
        return false;
    }
    // Raw on both ends: no echo of commands or data back to their sender, no
    // CR/LF translation, no XON/XOFF eaten out of binary data.
    const int flags = ::fcntl(masterFd, F_GETFL);
    if (flags < 0 || ::fcntl(masterFd, F_SETFL, flags | O_NONBLOCK) != 0 || !makeRaw(masterFd) ||
        !makeRaw(slaveFd)) {
        error = systemError("Cannot set the pseudo-terminal up");
        closePort();
        return false;
    }

    if (!currentOptions.linkPath.isEmpty()) {
        const QFileInfo existing(currentOptions.linkPath);
        // Only a link left behind by an earlier run is replaced, never a file.
        if (existing.isSymLink()) {
            QFile::remove(currentOptions.linkPath);
        } else if (existing.exists()) {
            error = QStringLiteral("%1 exists and is not a link").arg(currentOptions.linkPath);
            closePort();
            return false;
        }
        if (::symlink(name, QFile::encodeName(currentOptions.linkPath).constData()) != 0) {
            error = systemError("Cannot make the link");
            closePort();
            return false;
        }
        createdLink = currentOptions.linkPath;
    }

    readNotifier = new QSocketNotifier(masterFd, QSocketNotifier::Read, this);
    connect(readNotifier, &QSocketNotifier::activated, this, &TesterSimulator::readCommands);
    writeNotifier = new QSocketNotifier(masterFd, QSocketNotifier::Write, this);
    writeNotifier->setEnabled(false);
    connect(writeNotifier, &QSocketNotifier::activated, this, &TesterSimulator::pump);

    state = State::Idle;
    remote = false;
    received.clear();
    commandLine.clear();
    sent = 0;
    return true;
}

void TesterSimulator::stop()
{
    closePort();
    removeLink();
}

void TesterSimulator::hangUp()
{
    if (!isRunning())
        return;
    closePort();
    removeLink();
    emit hungUp();
}

bool TesterSimulator::isRunning() const
{
    return masterFd >= 0;
}

QString TesterSimulator::portPath() const
{
    return slavePath;
}

QString TesterSimulator::errorString() const
{
    return error;
}

QByteArray TesterSimulator::receivedBytes() const
{
    return received;
}

QByteArray TesterSimulator::payload() const
{
    if (!currentOptions.replayPath.isEmpty()) {
        CaptureReader capture(currentOptions.replayPath);
        CaptureFormat::Chunk chunk;
        QByteArray all;
        capture.open();
        while (capture.readChunk(chunk))
            all += chunk.bytes;
        return all;
    }
    QByteArray all(totalSize, Qt::Uninitialized);
    payloadSlice(0, all.data(), totalSize);
    return all;
}

qint64 TesterSimulator::payloadSize() const
{
    return totalSize;
}

qint64 TesterSimulator::bytesSent() const
{
    return sent;
}

qint64 TesterSimulator::bytesLost() const
{
    return lost;
}

void TesterSimulator::readCommands()
{
    char buffer[4096];
    while (isRunning()) {
        const ssize_t got = ::read(masterFd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            return;
        if (got <= 0) {
            // Cannot happen while our own slave descriptor is open; should
            // it, stop listening instead of being woken without end.
            qWarning("TesterSimulator: reading the port failed: %s", std::strerror(errno));
            readNotifier->setEnabled(false);
            return;
        }
        received.append(buffer, got);
        commandLine.append(buffer, got);
        qsizetype end;
        while (isRunning() && (end = commandLine.indexOf('\n')) >= 0) {
            const QByteArray command = commandLine.left(end).trimmed();
            commandLine.remove(0, end + 1);
            if (!command.isEmpty())
                handleCommand(command);
        }
        if (commandLine.size() > maxCommandLength)
            commandLine.clear();
    }
}

void TesterSimulator::handleCommand(const QByteArray &command)
{
    if (command == remoteCommand) {
        remote = true;
    } else if (command == dataCommand && remote && !currentOptions.neverAnswer) {
        // A new request ends whatever is still going and drops what an
        // earlier reader left unread in the port: a real port starts empty
        // when opened, while our held-open slave would keep it.
        state = State::Waiting;
        paceTimer->stop();
        pauseTimer->stop();
        drainTimer->stop();
        writeNotifier->setEnabled(false);
        ::tcflush(slaveFd, TCIFLUSH);
        replayTimer->stop();
        // A capture's times hold the user's delay already.
        delayTimer->start(replayReader ? 0 : std::max(0, currentOptions.delayMs));
    }
    emit commandReceived(command);
}

void TesterSimulator::beginTransfer()
{
    if (!isRunning())
        return;
    state = State::Sending;
    sent = 0;
    pauseDone = false;
    lost = 0;
    chunk.clear();
    chunkPosition = 0;
    restartPacing();
    emit transferStarted();
    if (state != State::Sending)
        return;
    if (replayReader) {
        beginReplay();
        return;
    }
    if (currentOptions.bitsPerSecond > 0)
        paceTimer->start();
    pump();
}

void TesterSimulator::restartPacing()
{
    pacedFrom = sent;
    pacingClock.start();
    stalled = false;
}

qint64 TesterSimulator::budget()
{
    if (currentOptions.bitsPerSecond <= 0)
        return unpacedBudget;
    // Due bytes come from the time since the pacing began, not from counting
    // ticks, so late timers do not make the line slower.
    const double seconds = double(pacingClock.nsecsElapsed()) / 1e9;
    const qint64 due = pacedFrom + qint64(seconds * double(currentOptions.bitsPerSecond) / bitsPerByte);
    return std::max<qint64>(0, due - sent);
}

void TesterSimulator::pump()
{
    if (state == State::Sending && replayReader) {
        replayNext();
        return;
    }
    if (state != State::Sending)
        return;
    qint64 allowed = budget();
    while (!reachedEvent() && allowed > 0) {
        if (chunkPosition == chunk.size())
            fillChunk();
        qint64 limit = std::min(allowed, qint64(chunk.size()) - chunkPosition);
        for (qint64 mark : {currentOptions.hangUpAt, pauseDone ? -1 : currentOptions.pauseAt}) {
            if (mark > sent)
                limit = std::min(limit, mark - sent);
        }
        const ssize_t written = ::write(masterFd, chunk.constData() + chunkPosition, size_t(limit));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EAGAIN) {
            if (!stalled) {
                stalled = true;
                stallClock.start();
            }
            if (currentOptions.bitsPerSecond > 0 && stallClock.elapsed() >= stallLimitMs) {
                if (lost == 0)
                    qWarning("TesterSimulator: nobody reads the port; the transfer goes on into the void");
                lost += limit;
                chunkPosition += limit;
                sent += limit;
                allowed -= limit;
                continue;
            }
            // The reader is behind: wait until the port takes bytes again,
            // told by the notifier when unpaced, at the next tick when paced.
            writeNotifier->setEnabled(currentOptions.bitsPerSecond <= 0);
            return;
        }
        if (written < 0) {
            qWarning("TesterSimulator: writing to the port failed: %s", std::strerror(errno));
            hangUp();
            return;
        }
        stalled = false;
        chunkPosition += written;
        sent += written;
        allowed -= written;
    }
    if (state == State::Sending)
        writeNotifier->setEnabled(currentOptions.bitsPerSecond <= 0);
}

// Acts on a hang-up, pause or end due at the current offset; true when the
// transfer no longer sends.
bool TesterSimulator::reachedEvent()
{
    if (currentOptions.hangUpAt >= 0 && sent >= currentOptions.hangUpAt) {
        // Closing the master throws away what the reader has not read yet,
        // so the hang-up waits until the port is empty: the reader gets
        // exactly hangUpAt bytes whatever its speed.
        state = State::Draining;
        paceTimer->stop();
        writeNotifier->setEnabled(false);
        emptyChecks = 0;
        drainClock.start();
        drainTimer->start();
        return true;
    }
    if (!pauseDone && currentOptions.pauseMs > 0 && currentOptions.pauseAt >= 0 &&
        sent >= currentOptions.pauseAt && sent < totalSize) {
        pauseDone = true;
        state = State::Pausing;
        paceTimer->stop();
        writeNotifier->setEnabled(false);
        pauseTimer->start(currentOptions.pauseMs);
        return true;
    }
    if (sent >= totalSize) {
        state = State::Idle;
        paceTimer->stop();
        writeNotifier->setEnabled(false);
        chunk = QByteArray();
        chunkPosition = 0;
        emit transferFinished();
        return true;
    }
    return false;
}

void TesterSimulator::endPause()
{
    if (state != State::Pausing)
        return;
    state = State::Sending;
    restartPacing();
    if (currentOptions.bitsPerSecond > 0)
        paceTimer->start();
    pump();
}

void TesterSimulator::hangUpWhenRead()
{
    if (state != State::Draining)
        return;
    // FIONREAD sees what waits in the line discipline, not what the pty is
    // still moving there: only two empty looks in a row count as empty.
    int queued = 0;
    if (::ioctl(slaveFd, FIONREAD, &queued) != 0 || queued > 0)
        emptyChecks = 0;
    else
        ++emptyChecks;
    if (emptyChecks >= 2 || drainClock.elapsed() >= drainLimitMs)
        hangUp();
}

void TesterSimulator::fillChunk()
{
    const qint64 length = std::min(chunkSize, totalSize - sent);
    chunk.resize(length);
    payloadSlice(sent, chunk.data(), length);
    chunkPosition = 0;
}

void TesterSimulator::payloadSlice(qint64 offset, char *target, qint64 length) const
{
    if (currentOptions.noise == Noise::Only) {
        for (qint64 i = 0; i < length; ++i)
            target[i] = noiseByte(offset + i);
        return;
    }

    // The header once, then the records over and over.
    const qint64 bodySize = results.size() - resultsHeaderSize;
    qint64 position = offset;
    qint64 done = 0;
    while (done < length) {
        const qint64 source = position < resultsHeaderSize
                                  ? position
                                  : resultsHeaderSize + (position - resultsHeaderSize) % bodySize;
        const qint64 run = std::min(length - done, qint64(results.size()) - source);
        std::memcpy(target + done, results.constData() + source, size_t(run));
        done += run;
        position += run;
    }

    if (currentOptions.noise != Noise::Mixed)
        return;
    // One burst somewhere in every block, framed by 0x00 and 0xFF: the bytes
    // a disturbed line or a tester booting up puts between the text.
    const qint64 end = offset + length;
    for (qint64 block = offset / noiseBlock; block * noiseBlock < end; ++block) {
        const quint64 dice = mix(~noiseSeed ^ quint64(block));
        const qint64 burstStart = block * noiseBlock + qint64(dice % (noiseBlock - 32));
        const qint64 burstLength = 4 + qint64((dice >> 32) % 13);
        for (qint64 position = std::max(burstStart, offset);
             position < std::min(burstStart + burstLength, end); ++position) {
            char byte = noiseByte(position);
            if (position == burstStart)
                byte = char(0x00);
            else if (position == burstStart + burstLength - 1)
                byte = char(0xff);
            target[position - offset] = byte;
        }
    }
}

void TesterSimulator::closePort()
{
    delayTimer->stop();
    paceTimer->stop();
    pauseTimer->stop();
    drainTimer->stop();
    replayTimer->stop();
    // Notifiers must go before their descriptor does; later, as this may
    // run inside one of their own signals.
    for (QSocketNotifier *notifier : {readNotifier, writeNotifier}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    readNotifier = nullptr;
    writeNotifier = nullptr;
    // The master first: closing it is what hangs the line up for a reader.
    if (masterFd >= 0)
        ::close(masterFd);
    masterFd = -1;
    if (slaveFd >= 0)
        ::close(slaveFd);
    slaveFd = -1;
    state = State::Idle;
    chunk = QByteArray();
    chunkPosition = 0;
}

void TesterSimulator::removeLink()
{
    if (createdLink.isEmpty())
        return;
    // Only our own link: someone may have put something else there since.
    char target[256];
    const ssize_t length = ::readlink(QFile::encodeName(createdLink).constData(), target, sizeof target);
    if (length > 0 && QString::fromLocal8Bit(target, int(length)) == slavePath)
        QFile::remove(createdLink);
    createdLink.clear();
}

// Checks the capture and counts its bytes, reading it through once.
bool TesterSimulator::openReplay()
{
    replayReader = std::make_unique<CaptureReader>(currentOptions.replayPath);
    CaptureFormat::Chunk chunk;
    totalSize = 0;
    if (replayReader->open()) {
        while (replayReader->readChunk(chunk))
            totalSize += chunk.bytes.size();
    }
    if (replayReader->hasError()) {
        error = QStringLiteral("Cannot replay %1: %2")
                    .arg(currentOptions.replayPath, replayReader->errorString());
        replayReader.reset();
        return false;
    }
    if (replayReader->outcomeMissing() || replayReader->isCut())
        qWarning(
            "TesterSimulator: the capture holds %lld bytes and no outcome: it sends them and falls silent",
            static_cast<long long>(totalSize));
    return true;
}

void TesterSimulator::beginReplay()
{
    replayReader = std::make_unique<CaptureReader>(currentOptions.replayPath);
    replayReader->open();
    replayClock.start();
    replayAtEnd = false;
    replayNext();
}

qint64 TesterSimulator::replayDueUs(qint64 capturedUs) const
{
    // Bounded, as a slow pace would take a capture's years past a qint64.
    return currentOptions.replaySpeed > 0
               ? qint64(std::min(double(capturedUs) / currentOptions.replaySpeed, 1e15))
               : 0;
}

// Sends each chunk of the capture whole once its time has come.
void TesterSimulator::replayNext()
{
    writeNotifier->setEnabled(false);
    while (state == State::Sending && !replayAtEnd) {
        if (chunkPosition == chunk.size()) {
            CaptureFormat::Chunk next;
            if (!replayReader->readChunk(next)) {
                replayAtEnd = true;
                break;
            }
            chunk = next.bytes;
            chunkPosition = 0;
            chunkDueUs = replayDueUs(next.microseconds);
        }
        const qint64 waitUs = chunkDueUs - replayClock.nsecsElapsed() / 1000;
        if (waitUs > 0) {
            replayTimer->start(timerMsecs(waitUs));
            return;
        }
        const ssize_t written =
            ::write(masterFd, chunk.constData() + chunkPosition, size_t(chunk.size() - chunkPosition));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EAGAIN) {
            writeNotifier->setEnabled(true);
            return;
        }
        if (written < 0) {
            qWarning("TesterSimulator: writing to the port failed: %s", std::strerror(errno));
            hangUp();
            return;
        }
        chunkPosition += written;
        sent += written;
    }
    if (state == State::Sending && replayAtEnd)
        endReplay();
}

// Ends as the captured download did: a line that failed is hung up at its
// time, once the reader has every byte; any other end leaves the line quiet.
void TesterSimulator::endReplay()
{
    using Outcome = Download::Outcome;
    const Outcome reason = replayReader->end().reason;
    const bool ended = !replayReader->outcomeMissing() && !replayReader->hasError();
    if (ended && (reason == Outcome::LineLost || reason == Outcome::PortGone)) {
        const qint64 waitUs =
            replayDueUs(replayReader->end().microseconds) - replayClock.nsecsElapsed() / 1000;
        if (waitUs > 0) {
            replayTimer->start(timerMsecs(waitUs));
            return;
        }
        state = State::Draining;
        emptyChecks = 0;
        drainClock.start();
        drainTimer->start();
        return;
    }
    state = State::Idle;
    chunk = QByteArray();
    chunkPosition = 0;
    emit transferFinished();
}
