// main() for the widget tests: a QApplication on the offscreen platform, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Icons.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  qv::ui::EnsureIconTheme();  // as quorvel does, so screenshots show the real icons
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
