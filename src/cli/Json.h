#pragma once
// JSON text for `qv --json` (JSON Lines: one object per line).
//
//   std::cout << JsonString("a\"b") << '\n';     // "a\"b"
#include <string>
#include <string_view>

#include "core/TaskMessage.h"

namespace qv::cli {

// A quoted JSON string. Bytes that are not valid UTF-8 (a file name may hold any byte) become
// U+FFFD, since JSON text must be UTF-8.
std::string JsonString(std::string_view text);

// {"row":...,"path":...,"count":N,"error":B,"message":...|null}
std::string JsonRow(const CTaskResultRow& row, std::string_view rowText);

}  // namespace qv::cli
