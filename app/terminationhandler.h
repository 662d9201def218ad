#pragma once

#include <QObject>

#include <memory>

// Closes every window when the session or a user asks the process to end
// (SIGTERM, SIGINT, SIGHUP on Unix), so the program ends the way it does on
// Exit and stores its settings instead of dying mid-way. requested() comes
// before the windows close; a program without windows (the command line) ends
// its own way on it.
class TerminationHandler : public QObject
{
    Q_OBJECT

public:
    explicit TerminationHandler(QObject *parent = nullptr);
    ~TerminationHandler() override;

signals:
    void requested();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
