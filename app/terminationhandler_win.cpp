#include "terminationhandler.h"

// Windows ends a GUI program through WM_CLOSE and WM_ENDSESSION, which Qt
// already turns into close events; nothing to install here.
struct TerminationHandler::Private
{};

TerminationHandler::TerminationHandler(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{}

TerminationHandler::~TerminationHandler() = default;
