#pragma once

#include <QObject>

namespace Download {
Q_NAMESPACE

// How a download ended; a capture names it with a word of its own
// (CaptureFormat::reasonWord()).
enum class Outcome {
    NotEnded,          // not started, or running
    Complete,          // the tester fell silent after a line end
    EndedMidLine,      // silent in the middle of a line, for the grace period too
    LineLost,          // the line failed after data (hang-up, adapter pulled)
    PortGone,          // the line failed before any data
    NothingArrived,    // no byte within the wait limit
    LineBusy,          // data kept coming past the wait limit before the request: nothing was asked
    Cancelled,         // cancelled: what had arrived is kept
    CaptureUnreadable, // a replayed capture is cut at a size limit
    CutShort,          // a replayed capture stops before its outcome, after its last whole chunk
    CaptureDamaged,    // a replayed capture is damaged after its header: what precedes it was replayed
};
Q_ENUM_NS(Outcome)

} // namespace Download
