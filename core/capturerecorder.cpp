#include "capturerecorder.h"

#include "capturewriter.h"
#include "downloadsession.h"
#include "portpath.h"
#include "serialsettings.h"
#include "testerline.h"

#include <QCoreApplication>

CaptureRecorder::CaptureRecorder(DownloadSession &session, CaptureWriter *writer,
                                 const Kv::SerialPortInfo &port)
    : QObject(&session)
    , session(session)
    , capture(writer)
    , port(port)
{
    // From the port's opening on, so that a download that never asks (a busy
    // line) has its capture too.
    connect(&session, &DownloadSession::opened, this, [this] {
        capture->begin();
        openedAt = QDateTime::currentDateTime();
    });
    connect(&session, &DownloadSession::requested, this, [this] { writeHeader(true); });
    connect(&session, &DownloadSession::chunkReceived, this, [this](qint64 microseconds, qsizetype size) {
        const QByteArray &data = this->session.received();
        capture->writeChunk(microseconds, data.constData() + data.size() - size, size);
    });
    connect(&session, &DownloadSession::finished, this, [this] {
        // Once: after the request's, this one is skipped.
        writeHeader(false);
        capture->writeEnd(this->session.outcome(), this->session.microseconds(), this->session.received());
    });
}

CaptureRecorder::~CaptureRecorder() = default;

CaptureWriter &CaptureRecorder::writer() const
{
    return *capture;
}

Kv::SerialPortInfo CaptureRecorder::portAt(const QList<Kv::SerialPortInfo> &ports, const QString &path)
{
    for (const Kv::SerialPortInfo &listed : ports) {
        if (listed.openPath == path || listed.devicePath == path || listed.stablePath == path) {
            Kv::SerialPortInfo opened = listed;
            opened.openPath = path;
            return opened;
        }
    }
    Kv::SerialPortInfo unlisted;
    unlisted.portName = Kv::portShownAs(path);
    unlisted.openPath = path;
    return unlisted;
}

void CaptureRecorder::writeHeader(bool requested)
{
    CaptureFormat::Header header;
    header.program =
        QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
    // Nothing sent: the times count from the port's opening.
    header.time = requested ? QDateTime::currentDateTime() : openedAt;
    header.time = header.time.toOffsetFromUtc(header.time.offsetFromUtc());
    header.portName = port.portName;
    header.devicePath = port.openPath;
    // For telling adapters apart.
    if (port.vendorId || port.productId)
        header.vidPid = QString::asprintf("%04x:%04x", port.vendorId, port.productId);
    header.serialNumber = port.serialNumber;
    header.stableName = port.stablePath;
    const std::unique_ptr<Kv::SerialSettings> line(Kv::TesterLine::newSettings());
    header.line = Kv::TesterLine::describe(*line);
    if (requested)
        header.commands = Kv::TesterLine::commands();
    header.discarded = session.discardedBytes();
    header.waitMs = session.waitLimit();
    capture->writeHeader(header);
}
