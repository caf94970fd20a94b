#pragma once
// The program's version text, set by the build (project(VERSION) in CMakeLists.txt); "0.0" when
// the build named none.
#include <string>

inline std::string QuorvelVersion() {
#ifdef QUORVEL_VERSION
  std::string v = QUORVEL_VERSION;
  return v.empty() ? "0.0" : v;
#else
  return "0.0";
#endif
}
