#pragma once
// How a `qv` subcommand joins the program: its file defines a setup function that adds a CLI11
// subcommand with its options and callback, and registers it with a static initializer.
//
//   static void SetupFind(CLI::App& qv) {
//     auto* cmd = qv.add_subcommand("find", "Text search in files");
//     ...
//     cmd->callback([=] { SetExitStatus(RunFind(*opts)); });
//   }
//   QV_REGISTER_COMMAND(10, SetupFind);
#include <CLI/CLI.hpp>

namespace qv::cli {

// The exit status of a command-line usage error; no module uses it as a result code.
inline constexpr int kUsageError = 255;

using CommandSetup = void (*)(CLI::App& qv);
bool RegisterCommand(int order, CommandSetup setup);
void SetExitStatus(int status);

}  // namespace qv::cli

#define QV_CONCAT_INNER(a, b) a##b
#define QV_CONCAT(a, b) QV_CONCAT_INNER(a, b)
#define QV_REGISTER_COMMAND(order, fn) \
  static const bool QV_CONCAT(qvRegistered_, __LINE__) = ::qv::cli::RegisterCommand(order, fn)
