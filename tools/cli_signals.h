#pragma once
// How velmar-cli meets signals. SIGPIPE is ignored, so that a reader that has gone away is a
// write error like any other. SIGINT, SIGTERM and SIGHUP end the process with 128 + the
// signal's number: at once while nothing is being written, and from the moment the outputs are
// being written only at the writing's next step, after it has taken back what it did (a second
// signal then ends the process at once).

void InstallSignalHandlers();

// From now on the three signals are only noted; the process goes on until it ends by itself.
void DeferInterrupts();

// The signal noted since DeferInterrupts, or 0.
int PendingInterrupt();

// A descriptor that becomes readable when a signal is noted, for poll() beside a write that may
// block (the signal's flag alone could arrive just before the write and be missed); -1 if none.
int InterruptDescriptor();
