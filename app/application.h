#pragma once

class TerminationHandler;

// Sets the organisation and application names, domain and version under which
// the settings are stored and the About box reads the version.
void setApplicationIdentity();

// Gives every window without an icon of its own the product icon. Windows
// builds get it from the executable's icon resource instead.
void setApplicationWindowIcon();

// Runs window cycles until the main window closes without a restart request.
// A settings store that cannot be written is reported in a box over the first
// window, and on standard error again at the end.
// Returns the process exit code: 0 after a normal end or a cancelled language
// choice, 1 when no translation could be found or loaded.
int runWindowCycles();

// Tells, in a box, that the command line is the console program beside this
// one; returns the exit code for a command line given to the window program.
int showCommandLineIsSeparate();

// Marks the session as ending when handler reports a request to end, or the
// session manager asks to commit data (log-off): the main window then keeps
// unsaved results for the next start instead of asking, and no further window
// cycle starts.
void endSessionOnRequest(TerminationHandler &handler);
