#include "base/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/memory.h"
#include "base/number_text.h"
#include "support/temp_folder.h"

namespace {

class FilesTest : public TempFolderTest {
 protected:
  Qlong Open(const std::string& name, Dword flags) { return FileOpenA(Path(name).c_str(), flags); }
  Qlong Size(const std::string& name) {
    struct stat st;
    return stat(Path(name).c_str(), &st) == 0 ? static_cast<Qlong>(st.st_size) : -1;
  }
  Dword Mode(const std::string& name) {
    struct stat st;
    return stat(Path(name).c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
  }
};

TEST_F(FilesTest, OpenFlagMatrix) {
  struct Row {
    Dword flags;
    bool exists_before;
    bool opens;
    Dword error;       // LibLastError after a failure
    Qlong size_after;  // -1: absent
  };
  const Row rows[] = {
      {0x4 | 0x1, true, false, kErrFileSystem, 5},  // create new, exists
      {0x4 | 0x1, false, true, 0, 0},               // create new
      {0x4 | 0x2 | 0x10 | 0x1, false, true, 0, 0},  // 0x4 before 0x2 and 0x10
      {0x2, false, false, kErrMissingFile, -1},     // must exist
      {0x2, true, true, 0, 5},
      {0x2 | 0x10 | 0x1, true, true, 0, 0},  // truncate existing
      {0x2 | 0x10 | 0x1, false, false, kErrMissingFile, -1},
      {0x10 | 0x1, true, true, 0, 0},  // create always
      {0x10 | 0x1, false, true, 0, 0},
      {0x0, false, true, 0, 0},                       // open always creates
      {0x1, true, true, 0, 5},                        // open always keeps
      {0x1 | 0x100 | 0x80 | 0x40, true, true, 0, 5},  // share bits: accepted
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message()
                 << "flags 0x" << std::hex << r.flags << " exists " << r.exists_before);
    std::filesystem::remove(Path("m"));
    if (r.exists_before) WriteFile("m", "12345");
    Qlong h = Open("m", r.flags);
    EXPECT_EQ(h != -1, r.opens);
    EXPECT_EQ(LibLastError, r.opens ? 0u : r.error);
    if (h != -1) {
      EXPECT_GE(h, 3);
      EXPECT_TRUE(FileClose(&h, 0));
      EXPECT_EQ(h, -1);
    }
    EXPECT_EQ(Size("m"), r.size_after);
  }
}

TEST_F(FilesTest, ReadOnlyAttributeAndAccess) {
  Qlong h = Open("ro", 0x4 | 0x1 | 0x200);
  ASSERT_NE(h, -1);
  EXPECT_TRUE(FileWriteA(h, "data"));  // the new handle writes
  FileClose(&h, 1);
  EXPECT_EQ(Mode("ro") & 0222, 0u);
  EXPECT_EQ(FileGetAttributesA(Path("ro").c_str()), kFileIsReadOnly);
  // Read-only means read-only, for root too.
  EXPECT_EQ(Open("ro", 0x2 | 0x1), -1);
  EXPECT_EQ(LibLastError, Dword{kErrFileNotAccessible});
  h = Open("ro", 0x2);
  EXPECT_NE(h, -1);
  FileClose(&h, 0);
  EXPECT_FALSE(FileDeleteA(Path("ro").c_str()));
  EXPECT_EQ(LibLastError, Dword{kErrFileNotAccessible});
  EXPECT_TRUE(Exists(Path("ro")));
  // 0x2000 alone is a member of the group without an attribute: writable.
  h = Open("plain", 0x4 | 0x1 | 0x2000);
  FileClose(&h, 0);
  EXPECT_NE(Mode("plain") & 0200, 0u);
  EXPECT_EQ(FileGetAttributesA(Path("plain").c_str()), 0);
  EXPECT_EQ(FileGetAttributesA(dir_.c_str()), kFileIsFolder);
  EXPECT_EQ(FileGetAttributesA(Path("none").c_str()), -1);
  // A folder is no file to open.
  EXPECT_EQ(FileOpenA(dir_.c_str(), 0x2), -1);
}

TEST_F(FilesTest, IsPresentAndItsError) {
  WriteFile("here", "x");
  Long attributes = 7;
  EXPECT_TRUE(FileIsPresent(Wide(Path("here")).c_str(), &attributes));
  EXPECT_EQ(attributes, 0);
  EXPECT_EQ(LibLastError, 0u);
  EXPECT_FALSE(FileIsPresentA(Path("gone").c_str(), &attributes));
  EXPECT_EQ(attributes, -1);
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
  EXPECT_FALSE(FileIsPresentA(Path("gone/deeper").c_str(), nullptr));
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
  WriteFile("file", "x");
  EXPECT_FALSE(FileIsPresentA(Path("file/deeper").c_str(), nullptr));
  EXPECT_EQ(LibLastError, Dword{kErrMissingFolder});
}

struct BoxScript {
  static inline std::vector<std::string> texts;
  static Long Box(const std::string&, const std::string& text, UiMessageType type) {
    texts.push_back(text + (type == kUiError ? " (error)" : ""));
    return 1;
  }
};

TEST_F(FilesTest, ErrorBoxTexts) {
  UiHooks hooks{};
  hooks.message_box = BoxScript::Box;
  UiHooksInstall(&hooks);
  BoxScript::texts.clear();
  WriteFile("exists", "x");
  EXPECT_EQ(FileOpen(Wide(Path("exists")).c_str(), 0x10000004), -1);
  EXPECT_EQ(LibLastError, 0u);  // left by the presence test
  EXPECT_EQ(FileOpen(Wide(Path("no/such")).c_str(), 0x10000001), -1);
  EXPECT_EQ(FileOpenA(Path("no/such").c_str(), 0x10000001), -1);
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
  EXPECT_EQ(BoxScript::texts,
            (std::vector<std::string>{"File already exists (error)", "Can't create file (error)",
                                      "Cant't create file (error)"}));
}

TEST_F(FilesTest, CloseWriteAndPrintOnInvalidHandles) {
  Qlong h = -1;
  EXPECT_TRUE(FileClose(&h, 1));
  EXPECT_EQ(h, -1);
  EXPECT_TRUE(FilePrintA(-1, "a", "b", nullptr, nullptr));
  EXPECT_TRUE(FilePrint(-1, u"a", nullptr, nullptr, nullptr));
  EXPECT_FALSE(FileWriteBinary(-1, "x", 1));
  EXPECT_TRUE(FilePrintDwordA(-1, "p", 1, "s", 3, 10));
  EXPECT_TRUE(FilePrintfA(-1, "%d", 1));
  h = Open("w", 0x1);
  EXPECT_TRUE(FileWriteBinary(h, nullptr, 5));
  EXPECT_TRUE(FileWriteBinary(h, "x", 0));
  EXPECT_TRUE(FileClose(&h, 0));
  EXPECT_EQ(Size("w"), 0);
  // Operations on a closed descriptor fail and say so.
  Qlong stale = Open("w", 0x1);
  Qlong copy = stale;
  FileClose(&copy, 0);
  EXPECT_FALSE(FileWriteA(stale, "late"));
  EXPECT_EQ(LibLastError, Dword{kErrFileSystem});
  char16_t buffer[4] = {u'k', u'k', u'k', u'k'};
  EXPECT_EQ(FileRead(stale, buffer, 3), -1);
  EXPECT_EQ(LibLastError, Dword{kErrFileSystem});
  EXPECT_EQ(buffer[0], u'k');
  EXPECT_EQ(FileSetPointer(stale, 0, 0, nullptr), 0);
  EXPECT_EQ(LibLastError, 0u);  // the pointer never stores an error
  EXPECT_EQ(FileSetPointer(-1, 0, 0, nullptr), -1);
}

TEST_F(FilesTest, SizeAndTruncateReportFailedQueries) {
  Qlong h = Open("s", 0x1);
  Qlong stale = h;
  FileClose(&h, 0);
  Qlong size = 0;
  EXPECT_FALSE(FileGetSize(stale, &size));
  EXPECT_EQ(size, INT64_MIN);
  EXPECT_NE(LibLastError, 0u);
  EXPECT_FALSE(FileTruncate(stale));
  EXPECT_NE(LibLastError, 0u);
  // A handle opened for reading cannot truncate.
  WriteFile("r", "abcdef");
  h = Open("r", 0x2);
  EXPECT_EQ(FileSetPointer(h, 2, 0, nullptr), 1);
  EXPECT_FALSE(FileTruncate(h));
  EXPECT_NE(LibLastError, 0u);
  FileClose(&h, 0);
  EXPECT_EQ(Size("r"), 6);
}

TEST_F(FilesTest, PointerSizeTruncateAndText) {
  Qlong h = Open("t", 0x1 | 0x10);
  ASSERT_NE(h, -1);
  EXPECT_TRUE(FilePrint(h, u"h\u00e9", nullptr, u"llo", u"!"));
  Qlong size = 0;
  EXPECT_TRUE(FileGetSize(h, &size));
  EXPECT_EQ(size, 12);
  Qword at = 0;
  EXPECT_EQ(FileGetPointer(h, &at), 1);
  EXPECT_EQ(at, 12u);
  EXPECT_EQ(FileSetPointer(h, -4, 1, &at), 1);
  EXPECT_EQ(at, 8u);
  EXPECT_TRUE(FileTruncate(h));
  EXPECT_EQ(FileRewind(h, &at), 1);
  EXPECT_EQ(at, 0u);
  char16_t text[8];
  EXPECT_EQ(FileRead(h, text, 7), 4);
  EXPECT_EQ(std::u16string(text), u"h\u00e9ll");
  EXPECT_EQ(FileMoveToEnd(h, &at), 1);
  EXPECT_EQ(at, 8u);
  EXPECT_TRUE(FileWriteA(h, "z"));  // now 9 bytes: an odd last byte
  FileRewind(h, nullptr);
  for (auto& c : text) c = u'#';
  EXPECT_EQ(FileRead(h, text, 7), 4);
  EXPECT_EQ(text[4], 0);
  EXPECT_EQ(FileRead(h, text, 7), 0);  // the odd byte is read, not counted
  EXPECT_EQ(text[0], 0);
  FileClose(&h, 1);
  const std::string bytes = ReadFile(Path("t"));
  EXPECT_EQ(bytes, std::string("h\0\xE9\0l\0l\0z", 9));
  // A read of 5 bytes gives 2 characters, terminated at index 2.
  WriteFile("five", "abcde");
  h = Open("five", 0x2);
  for (auto& c : text) c = u'#';
  EXPECT_EQ(FileRead(h, text, 7), 2);
  EXPECT_EQ(text[2], 0);
  EXPECT_EQ(FileRewind(h, nullptr), 1);
  char narrow[8];
  EXPECT_EQ(FileReadA(h, narrow, 3), 3);
  EXPECT_STREQ(narrow, "abc");
  EXPECT_EQ(FileReadBinary(h, narrow, 8), 2);
  EXPECT_EQ(FileReadBinary(h, narrow, 8), 0);
  FileClose(&h, 0);
  // 0x8 opens at the end.
  h = Open("five", 0x2 | 0x1 | 0x8);
  EXPECT_TRUE(FileWriteA(h, "f"));
  FileClose(&h, 0);
  EXPECT_EQ(ReadFile(Path("five")), "abcdef");
}

TEST_F(FilesTest, NumberAndFormattedOutput) {
  Qlong h = Open("n", 0x1 | 0x10);
  EXPECT_TRUE(FilePrintDwordA(h, "[", 42, "]", 6, 10));
  EXPECT_TRUE(FilePrintDwordA(h, "[", 42, "]", 1, 10));
  EXPECT_TRUE(FilePrintDwordA(h, nullptr, 255, "|", 4, 16));
  EXPECT_TRUE(FilePrintLongA(h, "<", -17, ">", 9, 10));
  EXPECT_TRUE(FilePrintfA(h, "%d-%s;", 7, "ab"));
  FileClose(&h, 0);
  EXPECT_EQ(ReadFile(Path("n")), "[    42][42]  FF|<-17>7-ab;");
  // The real goes out as the library writes it between prefix and suffix.
  char digits[64];
  RealToBufferA(2.385, digits, 6, 10);
  h = Open("r", 0x1 | 0x10);
  EXPECT_TRUE(FilePrintRealA(h, "x=", 2.385, ";", 6, 10));
  FileClose(&h, 0);
  EXPECT_EQ(ReadFile(Path("r")), std::string("x=") + digits + ";");
  // Wide output is UTF-16LE without byte-order mark.
  h = Open("w", 0x1 | 0x10);
  EXPECT_TRUE(FilePrintDword(h, u"a", 5, u"b", 3, 10));
  EXPECT_TRUE(FilePrintf(h, u"%d", 9));
  FileClose(&h, 0);
  EXPECT_EQ(ReadFile(Path("w")), std::string("a\0 \0 \0"
                                             "5\0b\0"
                                             "9\0",
                                             12));
}

TEST_F(FilesTest, CopyAndDelete) {
  WriteFile("src", "payload");
  chmod(Path("src").c_str(), 0640);
  EXPECT_TRUE(FileCopyA(Path("src").c_str(), Path("dst").c_str(), 1));
  EXPECT_EQ(ReadFile(Path("dst")), "payload");
  EXPECT_EQ(Mode("dst"), 0640u);
  WriteFile("src", "second");
  EXPECT_FALSE(FileCopyA(Path("src").c_str(), Path("dst").c_str(), 1));
  EXPECT_EQ(LibLastError, Dword{kErrFileSystem});
  EXPECT_EQ(ReadFile(Path("dst")), "payload");
  EXPECT_TRUE(FileCopy(Wide(Path("src")).c_str(), Wide(Path("dst")).c_str(), 0));
  EXPECT_EQ(ReadFile(Path("dst")), "second");
  EXPECT_FALSE(FileCopyA(Path("absent").c_str(), Path("dst2").c_str(), 0));
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
  EXPECT_FALSE(FileCopyA(dir_.c_str(), Path("dst3").c_str(), 0));  // a folder
  EXPECT_FALSE(Exists(Path("dst3")));
  // No temporary file is left behind.
  size_t entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir_)) entries += e.is_regular_file();
  EXPECT_EQ(entries, 2u);
  EXPECT_TRUE(FileDelete(Wide(Path("dst")).c_str()));
  EXPECT_FALSE(Exists(Path("dst")));
  EXPECT_FALSE(FileDeleteA(Path("dst").c_str()));
  EXPECT_EQ(LibLastError, Dword{kErrMissingFile});
  EXPECT_FALSE(FileDeleteA(dir_.c_str()));
}

// ---- FileLocateString against Python's bytes.find ----

// All starts of the pattern in the file as Python finds them, at multiples
// of `unit` bytes, each search continuing behind the previous match, and
// stopping at the first byte 26 (of a whole unit) unless `through`.
std::vector<Qword> PythonMatches(const std::string& file, const std::string& pattern, int unit,
                                 bool nocase, bool through) {
  const std::string script =
      "import sys\n"
      "d=open(sys.argv[1],'rb').read(); p=bytes.fromhex(sys.argv[2]); u=int(sys.argv[3])\n"
      "if sys.argv[4]=='1': d=d.lower(); p=p.lower()\n"
      "if sys.argv[5]=='0':\n"
      "  z=next((i for i in range(0,len(d)-u+1,u) if d[i:i+u]==(b'\\x1a' if u==1 else "
      "b'\\x1a\\x00')),len(d)); d=d[:z]\n"
      "out=[]; i=d.find(p)\n"
      "while i!=-1:\n"
      "  if i%u: i=d.find(p,i+1); continue\n"
      "  out.append(i); i=d.find(p,i+len(p))\n"
      "print(' '.join(map(str,out)))\n";
  std::ostringstream hex;
  for (unsigned char c : pattern) {
    char two[3];
    std::snprintf(two, sizeof two, "%02x", c);
    hex << two;
  }
  const std::string command = "/usr/bin/python3 -c \"$VELTRIA_PY\" '" + file + "' " + hex.str() +
                              " " + std::to_string(unit) + " " + (nocase ? "1" : "0") + " " +
                              (through ? "1" : "0");
  setenv("VELTRIA_PY", script.c_str(), 1);
  FILE* pipe = popen(command.c_str(), "r");
  std::vector<Qword> out;
  if (!pipe) return out;
  unsigned long long v;  // NOLINT: the width fscanf's %llu writes
  while (std::fscanf(pipe, "%llu", &v) == 1) out.push_back(v);
  pclose(pipe);
  return out;
}

template <class Ch>
std::vector<Qword> LibraryMatches(Qlong h, const Ch* pattern, Qword length, Dword flags) {
  std::vector<Qword> out;
  const Qword own = length ? length : std::char_traits<Ch>::length(pattern);
  FileRewind(h, nullptr);
  for (;;) {
    Qlong r;
    if constexpr (sizeof(Ch) == 1)
      r = FileLocateStringA(h, pattern, flags | 0x40, length, 0);
    else
      r = FileLocateString(h, pattern, flags | 0x40, length, 0);
    if (r != 1) {
      EXPECT_EQ(r, 0);
      break;
    }
    Qword at = 0;
    FileGetPointer(h, &at);
    out.push_back(at - own * sizeof(Ch));
  }
  return out;
}

class LocateTest : public FilesTest {
 protected:
  // Random filler from a small alphabet (so partial matches abound) with
  // the pattern planted across every 32768-character chunk border.
  std::string Build(Qword bytes, const std::string& pattern, int unit, std::mt19937* rng,
                    const std::string& alphabet) {
    std::string data(bytes, 'a');
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() / unit - 1);
    for (Qword i = 0; i + unit <= bytes; i += unit) {
      const size_t k = pick(*rng) * unit;
      for (int j = 0; j < unit; ++j) data[i + j] = alphabet[k + j];
    }
    // The search reads chunks of 32768 characters that overlap by L - 1
    // and starts afresh behind each match: plant every match across the
    // border of the first, second or third chunk after the previous one.
    const Qword length = pattern.size() / unit;
    const Qword chunk = 32768, step = chunk - (length - 1);
    std::uniform_int_distribution<Qword> shift(1, length - 1), which(0, 2);
    Qword start = 0;  // in characters
    for (;;) {
      const Qword at = start + which(*rng) * step + chunk - shift(*rng);
      if ((at + length) * unit > bytes) break;
      data.replace(at * unit, pattern.size(), pattern);
      start = at + length;
    }
    return data;
  }
};

TEST_F(LocateTest, EightBitAcrossChunkBordersMatchesPython) {
  std::mt19937 rng(2385);
  const std::string pattern = "abracadabra";
  for (Qword mib : {1, 3, 5}) {
    const Qword bytes = mib * 1048576 + mib * 7;
    WriteFile("f8", Build(bytes, pattern, 1, &rng, "abrcd"));
    Qlong h = Open("f8", 0x2);
    const auto expected = PythonMatches(Path("f8"), pattern, 1, false, false);
    EXPECT_GT(expected.size(), mib * 10);
    EXPECT_EQ(LibraryMatches(h, pattern.c_str(), 0, 0), expected) << mib;
    // Case-insensitive: an upper-case pattern finds the same places.
    EXPECT_EQ(LibraryMatches(h, "ABRACADABRA", 0, 0x1), expected);
    FileClose(&h, 0);
  }
}

TEST_F(LocateTest, WideAcrossChunkBordersMatchesPython) {
  std::mt19937 rng(1729);
  const std::u16string pattern = u"\u6261ab\u6162ba\u6261";
  const std::string bytes_of_pattern(reinterpret_cast<const char*>(pattern.data()),
                                     pattern.size() * 2);
  // Code units whose bytes also form the pattern at odd offsets.
  const std::string alphabet("a\0b\0ab\0bba", 10);
  for (Qword mib : {1, 2, 5}) {
    const Qword bytes = mib * 1048576 + (mib == 2 ? 1 : 0);  // one file ends in an odd byte
    WriteFile("f16", Build(bytes, bytes_of_pattern, 2, &rng, alphabet));
    Qlong h = Open("f16", 0x2);
    const auto expected = PythonMatches(Path("f16"), bytes_of_pattern, 2, false, false);
    EXPECT_GT(expected.size(), mib * 5);
    EXPECT_EQ(LibraryMatches(h, pattern.c_str(), pattern.size(), 0), expected) << mib;
    FileClose(&h, 0);
  }
}

TEST_F(LocateTest, MatchInALastChunkEndingInAnOddByte) {
  // 10 characters, the match at character 6, then one odd byte.
  std::u16string text = u"xxxxxxNEEDxxx";
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  bytes += 'q';
  WriteFile("odd", bytes);
  Qlong h = Open("odd", 0x2);
  EXPECT_EQ(FileLocateString(h, u"NEED", 0, 0, 0), 1);
  Qword at = 0;
  FileGetPointer(h, &at);
  EXPECT_EQ(at, 12u);
  EXPECT_EQ(FileLocateString(h, u"ED", 0x40, 0, 0), 1);
  FileGetPointer(h, &at);
  EXPECT_EQ(at, 20u);
  FileClose(&h, 0);
}

TEST_F(LocateTest, FlagsAndLimits) {
  WriteFile("z", std::string("one two\x1A three", 15));
  Qlong h = Open("z", 0x2);
  EXPECT_EQ(FileLocateStringA(h, "three", 0x10, 0, 0), 0);  // after Ctrl-Z
  EXPECT_EQ(FileLocateStringA(h, "three", 0x10 | 0x100, 0, 0), 1);
  Qword at = 0;
  FileGetPointer(h, &at);
  EXPECT_EQ(at, 9u);
  EXPECT_EQ(FileLocateStringA(h, "TWO", 0x10 | 0x1 | 0x40, 0, 0), 1);
  FileGetPointer(h, &at);
  EXPECT_EQ(at, 7u);
  EXPECT_EQ(FileLocateStringA(h, "t?o", 0x10, 0, '?'), 1);  // wildcard
  FileGetPointer(h, &at);
  EXPECT_EQ(at, 4u);
  EXPECT_EQ(FileLocateStringA(h, "", 0x10, 0, 0), 1);  // empty: found at once
  EXPECT_EQ(FileLocateStringA(h, nullptr, 0, 0, 0), 1);
  FileGetPointer(h, &at);
  EXPECT_EQ(at, 0u);
  EXPECT_EQ(FileLocateStringA(h, "x", 0, 0x1000001, 0), -2);
  EXPECT_EQ(FileLocateStringA(-1, "x", 0, 0, 0), -1);
  Qlong stale = h;
  FileClose(&h, 0);
  EXPECT_EQ(FileLocateStringA(stale, "one", 0x10, 0, 0), -1);
  EXPECT_NE(LibLastError, 0u);
}

}  // namespace
