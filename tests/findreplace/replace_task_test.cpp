#include "FindReplaceFixture.h"

#include <random>
#include <sys/stat.h>

namespace {

constexpr size_t kChunk = 262144;

using ReplaceTask = FindReplaceTest;

// The reference: leftmost, non-overlapping, left to right over the whole text.
std::pair<std::string, int> ReferenceReplace(const std::string& s, const std::string& find, const std::string& with,
                                             bool fold) {
  auto eq = [&](size_t i) {
    for (size_t k = 0; k < find.size(); ++k)
      if (fold ? FoldAscii(s[i + k]) != FoldAscii(find[k]) : s[i + k] != find[k]) return false;
    return true;
  };
  std::string out;
  int n = 0;
  size_t i = 0;
  for (; i + find.size() <= s.size();) {
    if (eq(i)) { out += with; i += find.size(); ++n; } else { out += s[i++]; }
  }
  return {out + s.substr(i), n};
}

TEST_F(ReplaceTask, MatchesAReferenceReplacerOnRandomBytes) {
  // Sizes around one and two chunks, a small alphabet so that matches straddle chunk ends often.
  const std::string alphabet = "abAB\n\xe9";
  for (unsigned seed = 1; seed <= 24; ++seed) {
    std::mt19937 rng(seed);
    size_t size = (seed % 3 == 0 ? 2 * kChunk : kChunk) + rng() % 2000 - 1000;
    std::string body(size, 0);
    for (auto& c : body) c = alphabet[rng() % alphabet.size()];
    std::string find(1 + rng() % 7, 0), with(rng() % 9, 0);
    for (auto& c : find) c = alphabet[rng() % 4];
    for (auto& c : with) c = alphabet[rng() % alphabet.size()];
    bool matchCase = seed % 2;
    dir.Write("f.bin", body);
    TaskLog log = Replace(find, with, false, matchCase);
    auto [want, count] = ReferenceReplace(body, find, with, !matchCase);
    ASSERT_EQ(log.Rows().size(), 1u) << "seed " << seed;
    EXPECT_EQ(log.Rows()[0].count, count) << "seed " << seed;
    EXPECT_TRUE(dir.Read("f.bin") == want) << "seed " << seed << " find '" << find << "'";
    EXPECT_EQ(dir.List(), std::vector<std::string>{"f.bin"});
  }
}

TEST_F(ReplaceTask, NeedleLongerThanAChunk) {
  std::string find(300000, 'k');
  find[1234] = 'q';
  std::string body = "head" + find + "mid" + find.substr(0, 299999) + "tail";
  dir.Write("a.txt", body);
  TaskLog log = Replace(find, "X", false, true);
  ASSERT_EQ(log.Rows().size(), 1u);
  EXPECT_EQ(log.Rows()[0].count, 1);
  EXPECT_EQ(dir.Read("a.txt"), "headXmid" + find.substr(0, 299999) + "tail");
}

TEST_F(ReplaceTask, RegexReplacementsAreLiteralAndAnchorsSeeThePrecedingByte) {
  struct {
    const char* body;
    const char* find;
    const char* with;
    const char* out;
    int count;
  } cases[] = {
      {"aaa", "^a", "b", "baa", 1},
      {"aaa\naa", "^a", "b", "baa\nba", 2},
      {"one two", "\\<t", "T", "one Two", 1},
      {"cat", "x*", "-", "-c-a-t-", 4},
      {"ab12cd", "[0-9]+", "$1\\t", "ab$1\tcd", 1},
      {"abc", "B", "x", "axc", 1},
  };
  for (auto& c : cases) {
    dir.Write("a.txt", c.body);
    TaskLog log = Replace(c.find, c.with, true);
    ASSERT_EQ(log.Rows().size(), 1u);
    EXPECT_EQ(log.Rows()[0].count, c.count) << c.find;
    EXPECT_EQ(dir.Read("a.txt"), c.out) << c.find;
  }
}

TEST_F(ReplaceTask, RegexMatchNearAChunkEndIsHandledOnce) {
  // Matches every 700 bytes: some end inside the last 1023 bytes of a chunk and are re-read.
  std::string body;
  while (body.size() < 3 * kChunk) body += std::string(690, '-') + "<tag>" + "12345";
  dir.Write("a.txt", body);
  TaskLog log = Replace("<tag>", "[T]", true, true);
  std::string want = body;
  int n = 0;
  for (size_t p = 0; (p = want.find("<tag>", p)) != std::string::npos; ++n) want.replace(p, 5, "[T]");
  ASSERT_EQ(log.Rows().size(), 1u);
  EXPECT_EQ(log.Rows()[0].count, n);
  EXPECT_TRUE(dir.Read("a.txt") == want);
}

TEST_F(ReplaceTask, FileWithoutMatchIsRewrittenAndListedOk) {
  dir.Write("a.txt", "nothing here");
  dir.Write("sub/b.txt", "old old");
  TaskLog log = Replace("old", "new");
  auto rows = log.Rows();
  ASSERT_EQ(rows.size(), 2u);
  for (auto& r : rows) {
    EXPECT_EQ(r.isError, 0);
    EXPECT_EQ(r.message, "OK");
    EXPECT_EQ(r.count, r.path == dir / "a.txt" ? 0 : 2);
  }
  EXPECT_EQ(dir.Read("sub/b.txt"), "new new");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.txt", "sub/", "sub/b.txt"}));
  EXPECT_EQ(log.result, 0);
}

TEST_F(ReplaceTask, KeptBackupsAreNumberedAndNeverProcessed) {
  dir.Write("a.txt", "v1");
  TaskLog first = Replace("v", "w", false, false, true);
  EXPECT_EQ(dir.Read("a.txt.backup"), "v1");
  dir.Write("a.txt", "v2");
  // The backup of this run lands in the walked folder and is passed over; the old one is processed.
  TaskLog second = Replace("v", "w", false, false, true);
  EXPECT_EQ(dir.Read("a.txt"), "w2");
  EXPECT_EQ(dir.Read("a.txt.1.backup"), "v2");
  EXPECT_EQ(dir.Read("a.txt.backup"), "w1");  // an earlier backup is an ordinary file to a new run
  EXPECT_EQ(second.Rows().size(), 2u);
  EXPECT_TRUE(dir.Exists("a.txt.backup.backup"));
}

TEST_F(ReplaceTask, BackupFolderForms) {
  dir.Write("d/a.txt", "old");
  CFindAndReplaceTask t;
  t.options.replaceMode = true;
  t.options.rootFolder = dir / "d";
  t.options.findText = "old";
  t.options.replaceText = "new";
  t.options.backupFolder = "./bak/";
  RunTask(t);
  EXPECT_EQ(dir.Read("d/bak/a.txt.backup"), "old");
  t.options.backupFolder = dir / "elsewhere/";
  RunTask(t);
  EXPECT_EQ(dir.Read("elsewhere/a.txt.backup"), "new");
  EXPECT_EQ(dir.Read("d/a.txt"), "new");
}

TEST_F(ReplaceTask, SparseFilesAreSkippedUnlessAsked) {
  std::string path = dir.Write("sparse.img", "");
  ASSERT_EQ(::truncate(path.c_str(), 64 << 20), 0);
  struct stat st;
  ::stat(path.c_str(), &st);
  if (st.st_blocks * 512 >= st.st_size) GTEST_SKIP() << "the file system does not make sparse files";
  TaskLog log = Replace("x", "y");
  ASSERT_EQ(log.Rows().size(), 1u);
  EXPECT_EQ(log.Rows()[0].isError, 1);
  EXPECT_EQ(log.Rows()[0].message,
            "Sparse file, skipped! See help file for information on how to enable processing of sparse files.");
  EXPECT_EQ(log.result, 1);
}

}  // namespace
