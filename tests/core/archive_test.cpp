#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/Sys.h"

namespace {

std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s += static_cast<char>(b);
  return s;
}

bool AnyName(std::string_view) { return true; }

// Restores the real system calls however a test ends.
struct OpsGuard {
  qv::sys::Ops saved = qv::sys::ops();
  ~OpsGuard() { qv::sys::ops() = saved; }
};

TEST(ArchiveWriter, StringPrefixIsTheShortestThatHoldsTheLength) {
  struct Case {
    size_t length;
    std::string prefix;
  } cases[] = {
      {0, Bytes({0x00})},
      {3, Bytes({0x03})},
      {254, Bytes({0xFE})},
      {255, Bytes({0xFF, 0xFF, 0x00})},
      {300, Bytes({0xFF, 0x2C, 0x01})},
      {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
      {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
      {0x12345, Bytes({0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00})},
  };
  for (const auto& c : cases) {
    CArchiveWriter out;
    std::string text(c.length, 'x');
    out.WriteString(text);
    EXPECT_EQ(out.Bytes(), c.prefix + text) << c.length;
    CArchiveReader in(out.Bytes(), "mem");
    EXPECT_EQ(in.ReadString(), text) << c.length;
    EXPECT_EQ(in.BytesLeft(), 0u);
  }
}

TEST(ArchiveWriter, IntegersAreLittleEndian) {
  CArchiveWriter out;
  out.WriteInt(-2);
  out.WriteU16(0x1234);
  out.WriteU32(0x89ABCDEF);
  EXPECT_EQ(out.Bytes(), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89}));
  CArchiveReader in(out.Bytes(), "mem");
  EXPECT_EQ(in.ReadInt(), -2);
  EXPECT_EQ(in.ReadU16(), 0x1234);
  EXPECT_EQ(in.ReadU32(), 0x89ABCDEFu);
}

// Classes and objects share one index sequence: A 1, object 2, B 3, object 4, object 5 (an A).
TEST(ArchiveWriter, ClassNameOnceThenReferenceToItsIndex) {
  CArchiveWriter out;
  out.WriteObjectClass("CFroFormat");
  out.WriteObjectClass("CFroCapitalize");
  out.WriteObjectClass("CFroFormat");
  out.WriteObjectClass("CFroCapitalize");
  std::string expected = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}) + "CFroFormat" +
                         Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00}) + "CFroCapitalize" +
                         Bytes({0x01, 0x80}) + Bytes({0x03, 0x80});
  EXPECT_EQ(out.Bytes(), expected);

  CArchiveReader in(out.Bytes(), "mem");
  EXPECT_EQ(in.ReadObjectClass(AnyName), "CFroFormat");
  EXPECT_EQ(in.ReadObjectClass(AnyName), "CFroCapitalize");
  EXPECT_EQ(in.ReadObjectClass(AnyName), "CFroFormat");
  EXPECT_EQ(in.ReadObjectClass(AnyName), "CFroCapitalize");
}

TEST(ArchiveWriter, LargeClassIndexUsesTheLongTag) {
  CArchiveWriter out;
  // Class A is 1 and its 0x7FFD objects take 2 to 0x7FFE, so B gets 0x7FFF.
  for (int i = 0; i < 0x7FFD; ++i) out.WriteObjectClass("A");
  out.WriteObjectClass("B");
  size_t before = out.Bytes().size();
  out.WriteObjectClass("B");
  EXPECT_EQ(out.Bytes().substr(before), Bytes({0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}));

  CArchiveReader in(out.Bytes(), "mem");
  for (int i = 0; i < 0x7FFD; ++i) ASSERT_EQ(in.ReadObjectClass(AnyName), "A");
  EXPECT_EQ(in.ReadObjectClass(AnyName), "B");
  EXPECT_EQ(in.ReadObjectClass(AnyName), "B");
}

TEST(ArchiveReader, WideStringIsConvertedToUtf8) {
  struct Case {
    std::string bytes;
    std::string text;
  } cases[] = {
      {Bytes({0xFF, 0xFE, 0xFF, 0x02, 'h', 0, 'i', 0}), "hi"},
      {Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xF4, 0x00, 0xAC, 0x20}), "\xC3\xB4\xE2\x82\xAC"},  // ô €
      {Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80"},      // a surrogate pair
      {Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xD8}), "\xEF\xBF\xBD"},  // a lone surrogate
      {Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'a', 0}), "a"},     // second prefix in its long form
      {Bytes({0xFF, 0xFE, 0xFF, 0x00}), ""},
  };
  for (const auto& c : cases) {
    CArchiveReader in(c.bytes, "mem");
    EXPECT_EQ(in.ReadString(), c.text);
    EXPECT_EQ(in.BytesLeft(), 0u);
  }
}

TEST(ArchiveReader, EightByteLengthForm) {
  std::string ok = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 0, 0, 0, 0}) + "ab";
  CArchiveReader in(ok, "mem");
  EXPECT_EQ(in.ReadString(), "ab");
}

TEST(ArchiveReader, BadInputGivesTheMatchingError) {
  const std::string longName(64, 'A');
  struct Case {
    const char* what;
    std::string bytes;
    bool asString;  // read a string instead of an object
    ArchiveErrorKind kind;
  } cases[] = {
      {"empty", "", false, ArchiveErrorKind::EndOfFile},
      {"half a tag", Bytes({0xFF}), false, ArchiveErrorKind::EndOfFile},
      {"no object", Bytes({0x00, 0x00}), false, ArchiveErrorKind::BadFormat},
      {"object reference", Bytes({0x01, 0x00}), false, ArchiveErrorKind::BadFormat},
      {"unknown class index", Bytes({0x05, 0x80}), false, ArchiveErrorKind::BadFormat},
      {"index 0 as class", Bytes({0x00, 0x80}), false, ArchiveErrorKind::BadFormat},
      {"long tag without bit 31", Bytes({0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00}), false, ArchiveErrorKind::BadFormat},
      {"unknown name", Bytes({0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00}) + "Foo", false, ArchiveErrorKind::UnexpectedObject},
      {"name of 64 bytes", Bytes({0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00}) + longName, false,
       ArchiveErrorKind::UnexpectedObject},
      {"name cut short", Bytes({0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}) + "Goo", false, ArchiveErrorKind::UnexpectedObject},
      {"schema 2", Bytes({0xFF, 0xFF, 0x02, 0x00, 0x04, 0x00}) + "Good", false, ArchiveErrorKind::BadSchema},
      {"string cut short", Bytes({0x05, 'a', 'b'}), true, ArchiveErrorKind::EndOfFile},
      {"huge length, few bytes", Bytes({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a'}), true, ArchiveErrorKind::EndOfFile},
      {"8-byte length too big", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0, 0, 0, 0}), true,
       ArchiveErrorKind::Generic},
      {"wide text cut short", Bytes({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'}), true, ArchiveErrorKind::EndOfFile},
      {"wide length beyond data", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), true,
       ArchiveErrorKind::EndOfFile},
  };
  auto onlyGood = [](std::string_view n) { return n == "Good"; };
  for (const auto& c : cases) {
    CArchiveReader in(c.bytes, "/d/x.fafrs");
    try {
      if (c.asString)
        in.ReadString();
      else
        in.ReadObjectClass(onlyGood);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.Kind(), c.kind) << c.what << ": " << e.Description();
    }
  }
}

TEST(ArchiveReader, ReferenceToAClassOfTheWrongFamilyIsUnexpected) {
  CArchiveWriter out;
  out.WriteObjectClass("Action");
  out.WriteObjectClass("Action");
  CArchiveReader in(out.Bytes(), "mem");
  EXPECT_EQ(in.ReadObjectClass(AnyName), "Action");
  try {
    in.ReadObjectClass([](std::string_view n) { return n == "Condition"; });
    ADD_FAILURE();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.Kind(), ArchiveErrorKind::UnexpectedObject);
  }
}

TEST(ArchiveException, DescriptionsCarryThePath) {
  struct Case {
    ArchiveErrorKind kind;
    int err;
    const char* text;
  } cases[] = {
      {ArchiveErrorKind::EndOfFile, 0, "An attempt was made to access /d/x past its end."},
      {ArchiveErrorKind::BadFormat, 0, "/d/x has a bad format."},
      {ArchiveErrorKind::UnexpectedObject, 0, "/d/x contained an unexpected object."},
      {ArchiveErrorKind::BadSchema, 0, "/d/x contains an incorrect schema."},
      {ArchiveErrorKind::Generic, 0, "An unknown error occurred while accessing /d/x."},
      {ArchiveErrorKind::FileError, EIO, "A hardware I/O error was reported while accessing /d/x."},
      {ArchiveErrorKind::FileError, ENOSPC, "Disk full while accessing /d/x."},
  };
  for (const auto& c : cases) EXPECT_EQ(CArchiveException(c.kind, "/d/x", c.err).Description(), c.text);
  // Cut to 255 bytes, never inside a character.
  std::string longPath = "/" + std::string(300, 'a');
  EXPECT_EQ(qv::archive::ErrorText(ArchiveErrorKind::BadFormat, longPath).size(), 255u);
  std::string accented;
  for (int i = 0; i < 200; ++i) accented += "\xC3\xB4";
  std::string cut = qv::archive::ErrorText(ArchiveErrorKind::BadFormat, accented);
  EXPECT_EQ(cut.size(), 254u);
  EXPECT_EQ(qv::archive::LoadErrorText("/d/x", "boom"), "The following error occured while loading \"/d/x\":\nboom");
}

TEST(ArchiveFile, ReadsAcrossBufferRefills) {
  TempDir dir;
  CArchiveWriter out;
  std::string big(200000, 'q');
  big[123456] = 'z';
  out.WriteInt(7);
  out.WriteString(big);
  out.WriteString("tail");
  std::string message;
  ASSERT_TRUE(out.SaveToFile(dir / "a.bin", &message)) << message;
  EXPECT_EQ(dir.Read("a.bin"), out.Bytes());

  int err = 0;
  auto in = CArchiveReader::Open(dir / "a.bin", &err);
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadInt(), 7);
  EXPECT_EQ(in->ReadString(), big);
  EXPECT_EQ(in->ReadString(), "tail");
  EXPECT_THROW(in->ReadByte(), CArchiveException);
}

TEST(ArchiveFile, OpenRefusesMissingFilesAndFolders) {
  TempDir dir;
  int err = 0;
  EXPECT_FALSE(CArchiveReader::Open(dir / "none", &err));
  EXPECT_EQ(err, ENOENT);
  EXPECT_FALSE(CArchiveReader::Open(dir.path(), &err));
  EXPECT_EQ(err, EISDIR);
}

TEST(ArchiveFile, ReadFailureIsAFileError) {
  TempDir dir;
  dir.Write("a.bin", std::string(10, '\x01'));
  int err = 0;
  auto in = CArchiveReader::Open(dir / "a.bin", &err);
  ASSERT_TRUE(in);
  OpsGuard guard;
  qv::sys::ops().read = [](int, void*, size_t) -> ssize_t {
    errno = EIO;
    return -1;
  };
  try {
    in->ReadInt();
    ADD_FAILURE();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.Kind(), ArchiveErrorKind::FileError);
    EXPECT_EQ(e.Description(), "A hardware I/O error was reported while accessing " + (dir / "a.bin") + ".");
  }
}

TEST(ArchiveFile, FailedSaveLeavesTheOldFileAndNoTemporary) {
  struct Case {
    const char* what;
    void (*inject)(qv::sys::Ops&);
    bool unableToWrite;
  } cases[] = {
      {"disk full", [](qv::sys::Ops& o) { o.write = [](int, const void*, size_t) -> ssize_t { errno = ENOSPC; return -1; }; },
       false},
      {"short writes then full", [](qv::sys::Ops& o) { o.write = [](int, const void*, size_t) -> ssize_t { return 0; }; },
       false},
      {"rename refused", [](qv::sys::Ops& o) { o.rename = [](const char*, const char*) { errno = EACCES; return -1; }; },
       false},
      {"cannot create", [](qv::sys::Ops& o) { o.open = [](const char*, int, mode_t) { errno = EACCES; return -1; }; },
       true},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::string path = dir.Write("s.fafrs", "old contents");
    CArchiveWriter out;
    out.WriteInt(1);
    std::string message;
    {
      OpsGuard guard;
      c.inject(qv::sys::ops());
      EXPECT_FALSE(out.SaveToFile(path, &message)) << c.what;
    }
    if (c.unableToWrite)
      EXPECT_EQ(message, "Unable to write to file:\n" + path) << c.what;
    else
      EXPECT_NE(message.find(path), std::string::npos) << c.what << ": " << message;
    EXPECT_EQ(dir.Read("s.fafrs"), "old contents") << c.what;
    EXPECT_EQ(dir.List(), std::vector<std::string>{"s.fafrs"}) << c.what;
  }
}

TEST(ArchiveFile, SaveKeepsPermissionsAndLinks) {
  TempDir dir;
  std::string real = dir.Write("real.fafrs", "old", 0600);
  ASSERT_EQ(::symlink(real.c_str(), (dir / "link.fafrs").c_str()), 0);
  CArchiveWriter out;
  out.WriteInt(1);
  std::string message;
  ASSERT_TRUE(out.SaveToFile(dir / "link.fafrs", &message)) << message;
  EXPECT_EQ(dir.Read("real.fafrs"), out.Bytes());
  struct stat st {};
  ASSERT_EQ(::lstat((dir / "link.fafrs").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
