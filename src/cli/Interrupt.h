#pragma once
// Ctrl-C (and SIGTERM, SIGHUP) ask the running task to stop, as the page's Cancel button does.
// Later signals are swallowed so that a file being restored is never left half-written.
//
//   InterruptGuard guard;            // installs the handlers for this scope
//   if (InterruptRequested()) task.SignalStop();
namespace qv::cli {

class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;
};

bool InterruptRequested();

}  // namespace qv::cli
