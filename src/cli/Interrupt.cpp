#include "Interrupt.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace qv::cli {
namespace {

std::atomic<int> gSignals{0};
struct sigaction gOld[3];
constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int) {
  if (gSignals.fetch_add(1) == 0) {
    static const char kMsg[] = "\nqv: stopping; the current file is being finished or restored...\n";
    (void)!::write(STDERR_FILENO, kMsg, sizeof kMsg - 1);
  }
}

}  // namespace

InterruptGuard::InterruptGuard() {
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sa.sa_flags = SA_RESTART;
  sigemptyset(&sa.sa_mask);
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &sa, &gOld[i]);
}

InterruptGuard::~InterruptGuard() {
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &gOld[i], nullptr);
}

bool InterruptRequested() { return gSignals.load() > 0; }

}  // namespace qv::cli
