#pragma once
// The page of a module that this build of Quorvel does not contain yet. It says so plainly and
// offers nothing else.
//
//   auto* page = new CNotBuiltPage(kModules[3], settings, stack);
#include "app/ModuleTable.h"
#include "ui/ChildDialog.h"

class CNotBuiltPage : public CChildDialog {
  Q_OBJECT
 public:
  CNotBuiltPage(const ModuleInfo& module, CSettings& settings, QWidget* parent = nullptr);

  void LoadFromSettings() override {}
  void SetFolder(const std::string&) override {}
  void SaveToSettings() override {}
  std::string GetModuleName() const override { return module_.name; }

  // "The File Renamer module is not built yet."
  static std::string NotBuiltText(const std::string& moduleName);

 protected:
  void OnTaskMessage(const TaskMessage&) override {}
  void OnTaskFinished(std::int64_t) override {}

 private:
  const ModuleInfo& module_;
};
