#pragma once
// The messages a worker posts to its consumer (a page, `qv`, a test). Each carries the cookie;
// a consumer acts only on messages whose cookie is TASK_MESSAGE_COOKIE.
//
//   for (auto& m : queue->TakeAll()) {
//     if (m.cookie != TASK_MESSAGE_COOKIE) continue;
//     if (m.id == WM_TASK_ADDROW) show(m.row());
//   }
#include <any>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

inline constexpr std::uint32_t TASK_MESSAGE_COOKIE = 0xAE587FC8u;
inline constexpr std::uint32_t WM_APP = 0x8000;

enum TaskMessageId : std::uint32_t {
  WM_TASK_FINISHED = WM_APP + 1000,
  WM_TASK_ADDROW = WM_APP + 1001,
  WM_TASK_TOTAL = WM_APP + 1002,
  WM_TASK_FILERANGE = WM_APP + 1003,
  WM_TASK_FILEPOS = WM_APP + 1004,
  WM_TASK_CURRENTFILE = WM_APP + 1005,
  WM_TASK_STEP = WM_APP + 1006,
  WM_TASK_STATUS = WM_APP + 1007,
  WM_TASK_FOLDERROW = WM_APP + 1008,
  WM_TASK_FILESIZE = WM_APP + 1009,
  WM_TASK_FILEPOS64 = WM_APP + 1010,
  WM_TASK_NEXTFOLDER = WM_APP + 1011,
};

// One result row of a module's list.
struct CTaskResultRow {
  std::int32_t count = 0;     // module-specific number (replacements, lines, ...)
  std::int32_t isError = 0;   // 1 when the row reports a problem with the file
  std::string path;           // full path of the file
  std::optional<std::string> message;

  bool operator==(const CTaskResultRow&) const = default;
};

struct TaskMessage {
  // number: result code, totals, ranges, positions, 64-bit sizes; text: paths and status texts;
  // row: WM_TASK_ADDROW; record: module records such as the Folder Size Lister's row.
  using Payload = std::variant<std::monostate, std::int64_t, std::string, CTaskResultRow, std::any>;

  std::uint32_t id = 0;
  std::uint32_t cookie = TASK_MESSAGE_COOKIE;
  Payload payload;

  std::int64_t number() const {
    auto* v = std::get_if<std::int64_t>(&payload);
    return v ? *v : 0;
  }
  const std::string* text() const { return std::get_if<std::string>(&payload); }
  const CTaskResultRow* row() const { return std::get_if<CTaskResultRow>(&payload); }
  template <class T>
  const T* record() const {
    auto* a = std::get_if<std::any>(&payload);
    return a ? std::any_cast<T>(a) : nullptr;
  }
};
