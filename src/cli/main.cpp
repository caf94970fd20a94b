#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include <QCoreApplication>

#include "Command.h"

namespace qv::cli {
namespace {

std::vector<std::pair<int, CommandSetup>>& Registry() {
  static std::vector<std::pair<int, CommandSetup>> r;
  return r;
}
int gExitStatus = 0;

}  // namespace

bool RegisterCommand(int order, CommandSetup setup) {
  Registry().emplace_back(order, setup);
  return true;
}

void SetExitStatus(int status) { gExitStatus = status; }

}  // namespace qv::cli

int main(int argc, char** argv) {
  using namespace qv::cli;
  // QtCore gives locale data (numbers, dates) and MIME names; no display is needed.
  QCoreApplication qtApp(argc, argv);
  QCoreApplication::setApplicationName("Quorvel");
  QCoreApplication::setOrganizationName("Ambrel");
  QCoreApplication::setApplicationVersion(QUORVEL_VERSION);

  CLI::App app{"qv - Quorvel's file utilities on the command line.\n"};
  app.name("qv");
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("qv ") + QUORVEL_VERSION);
  app.footer(
      "Exit status: the module's own result code (0 when all went well; see each command's help).\n"
      "A usage error exits with 255, which no module uses.\n");
  auto& reg = Registry();
  std::stable_sort(reg.begin(), reg.end(), [](auto& a, auto& b) { return a.first < b.first; });
  for (auto& [order, setup] : reg) setup(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kUsageError;
  }
  return gExitStatus;
}
