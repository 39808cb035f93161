// SIGTERM, the session's hang-up (SIGHUP) and Ctrl+C (SIGINT) must end the
// host through its exit procedure, which only the UI thread may run. The
// handler writes a byte to a pipe; the UI loop watches the read end and runs
// the procedure.
#pragma once

// The read end to watch (non-blocking, close-on-exec), or -1 when the hook
// could not be installed. Installing twice gives the same descriptor.
int InstallTerminationHook();
// Empties the pipe; true when a signal had arrived.
bool ConsumeTerminationRequest();
