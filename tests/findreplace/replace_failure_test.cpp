#include "FindReplaceFixture.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <map>
#include <sys/stat.h>

namespace {

int gCalls = 0;

bool IsBackup(const char* p) {
  size_t n = std::strlen(p);
  return n > 7 && std::strcmp(p + n - 7, ".backup") == 0;
}

struct FailureCase {
  const char* name;
  void (*inject)();
  const char* message;  // {path} and {backup} stand for the file's and the backup's path
  bool backupLeft = false;
};

const FailureCase kCases[] = {
    {"short write then no space",
     [] {
       qv::sys::ops().write = [](int fd, const void* b, size_t n) -> ssize_t {
         if (++gCalls == 1) return ::write(fd, b, n / 2);
         errno = ENOSPC;
         return -1;
       };
     },
     "Error while writing to file: {path} Original file has been restored."},
    {"read fails mid-file",
     [] {
       qv::sys::ops().read = [](int fd, void* b, size_t n) -> ssize_t {
         if (++gCalls == 2) {
           errno = EIO;
           return -1;
         }
         return ::read(fd, b, n);
       };
     },
     "Error while reading from file. Original file has been restored."},
    {"read ends early",
     [] {
       qv::sys::ops().read = [](int fd, void* b, size_t n) -> ssize_t {
         return ++gCalls >= 2 ? 0 : ::read(fd, b, n);
       };
     },
     "Error while reading from file. Original file has been restored."},
    {"truncating open refused",
     [] {
       qv::sys::ops().open = [](const char* p, int f, mode_t m) {
         if (f & O_TRUNC) {
           errno = EACCES;
           return -1;
         }
         return ::open(p, f, m);
       };
     },
     "Error, cannot write to file: {path} Original file has been restored."},
    {"backup cannot be opened",
     [] {
       qv::sys::ops().open = [](const char* p, int f, mode_t m) {
         if (IsBackup(p) && (f & O_ACCMODE) == O_RDONLY) {
           errno = EACCES;
           return -1;
         }
         return ::open(p, f, m);
       };
     },
     "Error while opening backup file: {backup} Original file has been restored."},
    {"no room for the backup",
     [] {
       qv::sys::ops().copy_file_range = [](int, off_t*, int, off_t*, size_t) -> ssize_t {
         errno = ENOSPC;
         return -1;
       };
     },
     "Couldn't create backup file: \"{backup}\""},
    {"no output buffer",
     [] {
       qv::sys::ops().alloc = [](size_t n) -> void* { return ++gCalls == 2 ? nullptr : std::malloc(n); };
     },
     "Error while allocating memory. Original file has been restored."},
    {"output buffer cannot grow",
     [] { qv::sys::ops().realloc = [](void*, size_t) -> void* { return nullptr; }; },
     "Error while allocating memory. Original file has been restored."},
    {"restore fails too",
     [] {
       qv::sys::ops().write = [](int, const void*, size_t) -> ssize_t {
         errno = ENOSPC;
         return -1;
       };
       qv::sys::ops().rename = [](const char*, const char*) {
         errno = EACCES;
         return -1;
       };
     },
     "Error while writing to file: {path} The original file could not be restored; its contents are kept in the "
     "backup file \"{backup}\".",
     true},
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ReplaceFailure : public FindReplaceTest, public testing::WithParamInterface<FailureCase> {};

std::string Fill(std::string text, const std::string& path) {
  for (auto [key, value] : {std::pair<std::string, std::string>{"{path}", path}, {"{backup}", path + ".backup"}})
    for (size_t p; (p = text.find(key)) != std::string::npos;) text.replace(p, key.size(), value);
  return text;
}

TEST_P(ReplaceFailure, FileIsRestoredAndTheRowSaysWhy) {
  const FailureCase& c = GetParam();
  // Three chunks of 'a', so the failures strike after part of the file was rewritten.
  const std::string body(3 * 262144 + 17, 'a');
  std::string path = dir.Write("a.txt", body, 0640);
  gCalls = 0;
  c.inject();
  TaskLog log = Replace("a", "0123456789");
  qv::sys::ops() = qv::sys::realOps();
  ASSERT_EQ(log.Rows().size(), 1u);
  CTaskResultRow row = log.Rows()[0];
  EXPECT_EQ(row.isError, 1);
  EXPECT_EQ(row.message, Fill(c.message, path));
  EXPECT_EQ(log.result, CFindAndReplaceTask::kSomeFailed);
  if (c.backupLeft) {
    EXPECT_TRUE(dir.Read("a.txt.backup") == body);
  } else {
    EXPECT_TRUE(dir.Read("a.txt") == body);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"a.txt"});
    struct stat st;
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
  }
}

INSTANTIATE_TEST_SUITE_P(Injected, ReplaceFailure, testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (auto& ch : n) if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

using ReplaceRefusal = FindReplaceTest;

TEST_F(ReplaceRefusal, FilesLeftUntouchedWithTheirMessage) {
  dir.Write("ro.txt", "a", 0444);
  dir.Write("utf16.txt", std::string("\xff\xfe" "a\0", 4));
  dir.Write("small.txt", "a");
  TaskLog log = Replace("aa", "b");
  std::map<std::string, std::string> messages;
  for (auto& r : log.Rows()) {
    EXPECT_EQ(r.isError, 1);
    messages[r.path.substr(dir.path().size() + 1)] = r.message.value_or("");
  }
  EXPECT_EQ(messages["ro.txt"], "Error, file is read-only.");
  EXPECT_EQ(messages["utf16.txt"], "Unicode files requires the Unicode version of Ambrel Quorvel");
  EXPECT_EQ(messages["small.txt"], "File is smaller than the searchstring.");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"ro.txt", "small.txt", "utf16.txt"}));
  // Error rows reach the page before it sorts them: every row here is an error.
  EXPECT_EQ(log.result, 1);
}

TEST_F(ReplaceRefusal, CancelInTheMiddleOfALargeFileRestoresIt) {
  const std::string body(8 << 20, 'a');
  dir.Write("big.txt", body);
  static CFindAndReplaceTask* running;
  CFindAndReplaceTask t;
  running = &t;
  t.options.replaceMode = true;
  t.options.rootFolder = dir.path();
  t.options.findText = "a";
  t.options.replaceText = "bb";
  t.options.keepBackups = false;
  gCalls = 0;
  qv::sys::ops().write = [](int fd, const void* b, size_t n) -> ssize_t {
    if (++gCalls == 10) running->SignalStop();
    return ::write(fd, b, n);
  };
  TaskLog log = RunTask(t);
  ASSERT_EQ(log.Rows().size(), 1u);
  EXPECT_EQ(log.Rows()[0].isError, 1);
  EXPECT_EQ(log.Rows()[0].count, 0);
  EXPECT_EQ(log.Rows()[0].message, "Cancelled - File has not been changed.");
  EXPECT_EQ(log.result, 1);
  EXPECT_TRUE(dir.Read("big.txt") == body);
  EXPECT_EQ(dir.List(), std::vector<std::string>{"big.txt"});  // the backup name is free again
}

}  // namespace
