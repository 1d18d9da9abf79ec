#include "cli_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <initializer_list>

namespace {

volatile sig_atomic_t deferring = 0;
volatile sig_atomic_t pending = 0;
int noted[2] = {-1, -1};  // a pipe the handler writes a byte into: the self-pipe

// Only async-signal-safe work here: a flag and a write, or _exit.
extern "C" void OnInterrupt(int signal_number) {
  if (!deferring || pending != 0) _exit(128 + signal_number);
  pending = signal_number;
  if (noted[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(noted[1], &byte, 1);
  }
}

}  // namespace

void InstallSignalHandlers() {
  signal(SIGPIPE, SIG_IGN);
  if (pipe2(noted, O_CLOEXEC | O_NONBLOCK) != 0) noted[0] = noted[1] = -1;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a write that blocks on a stalled pipe returns, and the writing can stop.
  action.sa_flags = 0;
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, signal_number);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal ignored from the start (nohup, a background job) stays ignored.
    struct sigaction present {};
    if (sigaction(signal_number, nullptr, &present) == 0 && present.sa_handler == SIG_IGN) continue;
    sigaction(signal_number, &action, nullptr);
  }
}

void DeferInterrupts() { deferring = 1; }

int PendingInterrupt() { return pending; }

int InterruptDescriptor() { return noted[0]; }
