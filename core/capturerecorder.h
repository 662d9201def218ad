#pragma once

#include "serialportinfo.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <memory>

class CaptureWriter;
class DownloadSession;

// Keeps the capture of a session's download, from its signals: the file once
// the port has opened, the header once the request is sent (at the end in a
// download that never sent it), each chunk as it arrives, the outcome at the
// end.
// Made before the front end connects to the session, it writes the end
// before the front end takes the results.
class CaptureRecorder : public QObject
{
    Q_OBJECT

public:
    // Records session into writer, which it takes; port is what the port list
    // knows of the port. A child of session.
    CaptureRecorder(DownloadSession &session, CaptureWriter *writer, const Kv::SerialPortInfo &port);
    ~CaptureRecorder() override;

    CaptureWriter &writer() const;

    // What ports (the port list) knows of the port at path, with path as its
    // open path; only its name as the user knows it when the list does not
    // have it.
    static Kv::SerialPortInfo portAt(const QList<Kv::SerialPortInfo> &ports, const QString &path);

private:
    // requested: the request has just gone out; else the download ended
    // without it, and the header says that nothing was sent.
    void writeHeader(bool requested);

    DownloadSession &session;
    std::unique_ptr<CaptureWriter> capture;
    const Kv::SerialPortInfo port;
    QDateTime openedAt;
};
