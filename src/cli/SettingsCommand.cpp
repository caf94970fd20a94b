// qv settings: export, import, restore or show the user's settings (the profile that the
// desktop application reads at start and writes at exit).
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "settings/Settings.h"

namespace qv::cli {
namespace {

constexpr int kFileError = 1;

// Loads the user's profile; a damaged one has been moved aside and reported by Load, and the
// command goes on from the defaults.
CSettings& LoadedSettings() {
  CSettings& s = CSettings::Instance();
  s.Load();
  return s;
}

int SaveProfile(CSettings& s) {
  std::string error;
  if (!s.Save(&error)) {
    std::fprintf(stderr, "qv settings: %s\n", error.c_str());
    return kFileError;
  }
  return 0;
}

int RunExport(const std::string& file) {
  CSettings& s = LoadedSettings();
  std::string error;
  if (!s.ExportSettings(file, &error)) {
    std::fprintf(stderr, "qv settings: %s\n", error.c_str());
    return kFileError;
  }
  std::printf("Exported the settings to \"%s\".\n", file.c_str());
  return 0;
}

int RunImport(const std::string& file) {
  CSettings& s = LoadedSettings();
  std::string error;
  bool hadSettings = false;
  if (!s.ImportSettings(file, &error, &hadSettings)) {
    std::fprintf(stderr, "qv settings: %s\n", error.c_str());
    return kFileError;
  }
  if (!hadSettings)
    std::fprintf(stderr,
                 "qv settings: \"%s\" holds no [General] section; every setting takes its default value.\n",
                 file.c_str());
  if (int status = SaveProfile(s)) return status;
  std::printf("Imported the settings from \"%s\" into \"%s\".\n", file.c_str(), s.ProfilePath().c_str());
  return 0;
}

int RunDefaults() {
  CSettings& s = LoadedSettings();
  s.RestoreDefaults();
  if (int status = SaveProfile(s)) return status;
  std::printf("Restored the default settings in \"%s\"; the histories are kept.\n", s.ProfilePath().c_str());
  return 0;
}

int RunShow() {
  std::string text = LoadedSettings().SettingsText("\n");
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

void SetupSettings(CLI::App& qv) {
  auto* cmd = qv.add_subcommand("settings", "Export, import, restore or show the user's settings");
  cmd->require_subcommand(1);
  cmd->footer(
      "The settings live in $XDG_CONFIG_HOME/Ambrel/Quorvel.ini (~/.config/Ambrel/Quorvel.ini).\n"
      "Exit status: 0 when done, 1 when a file could not be read or written, 255 for a usage error.");

  auto exportFile = std::make_shared<std::string>();
  auto* exp = cmd->add_subcommand("export", "Write every setting and history to FILE (a settings .ini file)");
  exp->add_option("FILE", *exportFile, "The settings file to write")->required();
  exp->callback([exportFile] { SetExitStatus(RunExport(*exportFile)); });

  auto importFile = std::make_shared<std::string>();
  auto* imp = cmd->add_subcommand(
      "import", "Read the settings (and add the histories) of FILE and save them as the user's settings");
  imp->add_option("FILE", *importFile, "The settings file to read")->required();
  imp->callback([importFile] { SetExitStatus(RunImport(*importFile)); });

  cmd->add_subcommand("defaults", "Set every setting to its default value (the histories stay)")
      ->callback([] { SetExitStatus(RunDefaults()); });
  cmd->add_subcommand("show", "Print every setting and history as an export would, with LF line ends")
      ->callback([] { SetExitStatus(RunShow()); });
}

}  // namespace

QV_REGISTER_COMMAND(90, SetupSettings);

}  // namespace qv::cli
