// Points XDG_CONFIG_HOME at a temporary folder for the whole test program, so that no test can
// read or write the real user's profile, whatever it constructs.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

class ProfileGuard : public ::testing::Environment {
 public:
  ProfileGuard() {
    const char* tmp = std::getenv("TMPDIR");
    std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/qvconfig.XXXXXX";
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    folder_ = tmpl;
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

 private:
  std::string folder_;
};

const auto* const kGuard = ::testing::AddGlobalTestEnvironment(new ProfileGuard);

}  // namespace
