// cKyFile against independent byte operations: every expected file content
// and position is computed here with std::string on a model of the file.
#include "framework/ky_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/platform/ui_hooks.h"
#include "base/utf.h"
#include "support/alloc_failure.h"
#include "support/temp_folder.h"

namespace {

constexpr Qlong kWindow = 0x800002;

std::string Narrow(const char16_t* text) {
  if (!text) return "<null>";
  char* utf8 = NewUtf8FromUtf16(text);
  std::string out = utf8 ? utf8 : "";
  KillStringA(&utf8);
  return out;
}
std::string TakeWide(char16_t* text) {
  std::string out = Narrow(text);
  KillString(&text);
  return out;
}

// Random bytes without line ends, so planted patterns and lines are the
// only ones of their kind.
std::string RandomBytes(std::mt19937_64& rng, size_t n) {
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>('A' + rng() % 26);
  return s;
}

std::vector<std::string>* g_messages = nullptr;
Long RecordMessage(const std::string&, const std::string& text, UiMessageType) {
  if (g_messages) g_messages->push_back(text);
  return 1;
}

class KyFileTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    messages_.clear();
    g_messages = &messages_;
    UiHooks hooks{};
    hooks.message_box = RecordMessage;
    UiHooksInstall(&hooks);
  }
  void TearDown() override {
    g_messages = nullptr;
    TempFolderTest::TearDown();
  }
  // A file object on a file of the folder with the given bytes, opened for
  // reading and writing.
  void OpenWith(cKyFile* f, const std::string& name, const std::string& bytes,
                Dword mode = kOpenWrite) {
    WriteFile(name, bytes);
    ASSERT_TRUE(f->SetPath(Wide(Path(name)).c_str(), nullptr, nullptr));
    ASSERT_TRUE(f->Open(mode));
  }
  std::vector<std::string> messages_;
};

TEST_F(KyFileTest, SetPathNormalisesAgainstFolderAndExtension) {
  struct Row {
    const char16_t* path;
    const char16_t* folder;
    const char16_t* extension;
    const char* expected;  // null: refused
  };
  const Row rows[] = {
      {u"data/set1", u"/work", u"txt", "data/set1.txt"},  // a folder part keeps it
      {u"%data/set1", u"/work", u"txt", "/work/data/set1.txt"},
      {u"set1", u"/work", u"txt", "/work/set1.txt"},
      {u"set1", u"/work/", u".csv", "/work/set1.csv"},
      {u"  data\\set1  ", u" C:\\work ", u"txt", "data/set1.txt"},
      {u"%set 1", u"C:\\work", u"txt", "C:/work/set 1.txt"},
      {u"a.b/name", u"/w", u"txt", "a.b/name.txt"},  // only the name's point counts
      {u"name.dat", u"/w", u"txt", "/w/name.dat"},
      {u"x", u"/w", u"   ", "/w/x"},  // an extension of blanks adds nothing
      {u"x", u"/w", u"  ini", "/w/x.ini"},
      {u"p/q?", u"/w", nullptr, nullptr},
      {u"a<b", u"/w", nullptr, nullptr},
      {u"a\"b", u"/w", nullptr, nullptr},
      {u"*", u"/w", nullptr, nullptr},
  };
  for (const Row& row : rows) {
    cKyFile f;
    const bool ok = f.SetPath(row.path, row.folder, row.extension);
    if (row.expected) {
      EXPECT_TRUE(ok) << Narrow(row.path);
      EXPECT_EQ(Narrow(f.path()), row.expected);
    } else {
      EXPECT_FALSE(ok) << Narrow(row.path);
      EXPECT_EQ(f.path(), nullptr);
    }
  }
  // The empty folder means the executable's folder.
  const std::string exe_folder =
      std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
  cKyFile f;
  ASSERT_TRUE(f.SetPath(u"conf", u"", u"txt"));
  EXPECT_EQ(Narrow(f.path()), exe_folder + "conf.txt");
  EXPECT_EQ(TakeWide(f.GetName()), "conf.txt");
  EXPECT_EQ(TakeWide(f.GetFolder()), exe_folder);
  // A refused path leaves no path behind, so opening fails.
  ASSERT_FALSE(f.SetPath(u"bad?", u"/w", nullptr));
  EXPECT_FALSE(f.Open(0));
}

TEST_F(KyFileTest, SetPathBareNamesAndTemporaryNames) {
  cKyFile f;
  // A bare name without folder is searched along the search path.
  ASSERT_TRUE(f.SetPath(u"sh", nullptr, nullptr));
  const std::string found = Narrow(f.path());
  EXPECT_EQ(std::filesystem::path(found).filename(), "sh");
  EXPECT_TRUE(std::filesystem::exists(found));
  EXPECT_FALSE(f.SetPath(u"no-such-program-anywhere-4711", nullptr, nullptr));
  EXPECT_EQ(f.path(), nullptr);
  // No name: a fresh name beginning with ~KY that does not exist.
  ASSERT_TRUE(f.SetPath(u"", Wide(dir_).c_str(), nullptr));
  std::filesystem::path temp = Narrow(f.path());
  EXPECT_EQ(temp.parent_path(), dir_);
  EXPECT_EQ(temp.filename().string().substr(0, 3), "~KY");
  EXPECT_FALSE(std::filesystem::exists(temp));
  ASSERT_TRUE(f.SetPath(nullptr, nullptr, nullptr));
  temp = Narrow(f.path());
  EXPECT_EQ(temp.filename().string().substr(0, 3), "~KY");
  EXPECT_FALSE(std::filesystem::exists(temp));
}

TEST_F(KyFileTest, DialogsThroughTheHooks) {
  static std::string answer;
  UiHooks hooks{};
  hooks.message_box = RecordMessage;
  hooks.file_dialog = [](const UiFileDialogRequest& request, std::string* paths) {
    EXPECT_EQ(request.title, "Pick");
    if (answer.empty()) return false;
    *paths = answer;
    return true;
  };
  UiHooksInstall(&hooks);
  cKyFile f;
  answer = Path("chosen");
  ASSERT_TRUE(
      f.SelectByDialog(u"Pick", Wide(dir_).c_str(), u"cfg", u"Config|*.cfg|", 0, 0, nullptr));
  EXPECT_EQ(Narrow(f.path()), Path("chosen.cfg"));
  answer.clear();
  EXPECT_FALSE(f.SetPathByDialog(u"Pick", nullptr, u"cfg", nullptr, 0, 0, nullptr));
  EXPECT_EQ(Narrow(f.path()), Path("chosen.cfg"));  // a cancelled dialog changes nothing
  answer = Path("other.txt");
  ASSERT_TRUE(f.SetPathByDialog(u"Pick", nullptr, u"cfg", nullptr, 0, 0, nullptr));
  EXPECT_EQ(Narrow(f.path()), Path("other.txt"));
}

TEST_F(KyFileTest, OpenModesAndTheirMessages) {
  cKyFile f;
  ASSERT_TRUE(f.SetPath(Wide(Path("new.txt")).c_str(), nullptr, nullptr));
  EXPECT_FALSE(f.Exists());
  EXPECT_FALSE(f.OpenOrComplain(0, true));
  EXPECT_FALSE(f.OpenExisting(0, true));
  ASSERT_TRUE(f.CreateNew(0, true));
  EXPECT_TRUE(f.IsOpen());
  EXPECT_EQ(f.flags() & cKyFile::kReadOnly, 0u);
  EXPECT_TRUE(f.WriteLine("abc", nullptr, "def"));
  EXPECT_TRUE(f.Close());
  EXPECT_TRUE(f.Exists());
  EXPECT_FALSE(f.CreateNew(0, true));
  EXPECT_FALSE(f.IsOpen());
  ASSERT_EQ(messages_.size(), 3u);
  const std::string head = "FILE HANDLING ERROR\n\nFile: " + Path("new.txt") + "\nError: ";
  EXPECT_EQ(messages_[0], head + "Missing/inaccessible file");
  EXPECT_EQ(messages_[1], head + "File does not exist");
  EXPECT_EQ(messages_[2], head + "File already exists");
  EXPECT_EQ(ReadFile(Path("new.txt")), "abcdef\r\n");
  ASSERT_TRUE(f.OpenOrComplain(0, true));
  EXPECT_EQ(f.flags() & cKyFile::kReadOnly, cKyFile::kReadOnly);
  EXPECT_EQ(f.size(), 8);
  EXPECT_FALSE(f.Write("x", 1));  // read-only
  ASSERT_TRUE(f.Open(kOpenWrite | kOpenMoveToEnd));
  EXPECT_EQ(f.GetPosition(), 8);
  ASSERT_TRUE(f.OpenExisting(0, false));  // opening an existing file empties it
  EXPECT_EQ(ReadFile(Path("new.txt")), "");
  f.Reset();
  EXPECT_EQ(f.path(), nullptr);
  EXPECT_EQ(f.GetPosition(), 0);
  EXPECT_EQ(f.Read(nullptr, 1), -1);
  EXPECT_EQ(f.LocateString("a", 0, 0, 0), -1);
  EXPECT_FALSE(f.Write("a", 1));
  EXPECT_EQ(f.last_error(), 0u);
}

TEST_F(KyFileTest, WindowOfASmallFile) {
  cKyFile f;
  OpenWith(&f, "ten", "0123456789");
  char c = 0;
  EXPECT_EQ(f.Read(&c, 1), 1);
  EXPECT_EQ(c, '0');
  EXPECT_EQ(f.window_capacity(), 12);
  EXPECT_EQ(f.window_count(), 10);
  ASSERT_TRUE(f.SetPosition(10));
  EXPECT_EQ(f.Read(&c, 1), 0);
  ASSERT_TRUE(f.SetPosition(7));
  char buf[8] = {};
  EXPECT_EQ(f.Read(buf, 8), 3);
  EXPECT_STREQ(buf, "789");
  EXPECT_EQ(f.Read(buf, 0), 0);
  EXPECT_EQ(f.Read(buf, -3), -3);
  EXPECT_FALSE(f.SetPosition(-1));
  EXPECT_FALSE(f.MovePosition(-11));
  EXPECT_EQ(f.GetPosition(), 10);
  // The first window cannot be allocated.
  f.DropBuffer();
  ASSERT_TRUE(f.Rewind());
  AllocFailureGuard fail(0);
  EXPECT_EQ(f.Read(buf, 1), -2);
  fail.Release();
  EXPECT_EQ(f.Read(buf, 1), 1);
}

TEST_F(KyFileTest, ReadsOfALargeFileMatchTheModel) {
  std::mt19937_64 rng(20261210);
  const std::string model = RandomBytes(rng, static_cast<size_t>(kWindow) + 1234567);
  cKyFile f;
  OpenWith(&f, "big", model, 0);
  // Sequential reads of uneven sizes deliver the file in order.
  std::string got;
  std::vector<char> buf(3 * 1024 * 1024);
  for (;;) {
    const Qlong n = f.Read(buf.data(), static_cast<Qlong>(1 + rng() % buf.size()));
    ASSERT_GE(n, 0);
    if (n == 0) break;
    got.append(buf.data(), static_cast<size_t>(n));
  }
  EXPECT_TRUE(got == model);
  EXPECT_EQ(f.window_capacity(), kWindow);
  // Reads at random positions, backwards included, and larger than a window.
  for (int i = 0; i < 60; ++i) {
    const Qlong pos = static_cast<Qlong>(rng() % model.size());
    const Qlong count = i % 10 == 9 ? kWindow + 10 : static_cast<Qlong>(1 + rng() % 70000);
    std::vector<char> out(static_cast<size_t>(count));
    ASSERT_TRUE(f.SetPosition(pos));
    const Qlong n = f.Read(out.data(), count);
    const std::string want = model.substr(static_cast<size_t>(pos), static_cast<size_t>(count));
    ASSERT_EQ(n, static_cast<Qlong>(want.size())) << "pos " << pos << " count " << count;
    EXPECT_TRUE(std::memcmp(out.data(), want.data(), want.size()) == 0);
    EXPECT_EQ(f.GetPosition(), pos + n);
  }
}

TEST_F(KyFileTest, ReadLineTerminators) {
  struct Row {
    std::string bytes;
    std::vector<std::pair<std::string, Qlong>> lines;  // string, result; "<null>" at the end
  };
  const Row rows[] = {
      {"ab\r\ncd", {{"ab", 4}, {"cd", 0}, {"<null>", 0}}},
      {std::string("x\r\x1Ay\n", 5), {{"x\r", 3}, {"y", 2}, {"<null>", 0}}},
      {std::string("a\0b\n\n", 5), {{"a", 2}, {"b", 2}, {"", 1}, {"<null>", 0}}},
      {"\r\n\r\nz\r\n", {{"", 2}, {"", 2}, {"z", 3}, {"<null>", 0}}},
      {"", {{"<null>", 0}}},
  };
  int i = 0;
  for (const Row& row : rows) {
    cKyFile f;
    OpenWith(&f, "lines" + std::to_string(i++), row.bytes, 0);
    char* line = nullptr;
    for (const auto& [text, result] : row.lines) {
      EXPECT_EQ(f.ReadLine(&line), result);
      EXPECT_EQ(line ? std::string(line) : std::string("<null>"), text);
    }
    KillStringA(&line);
  }
  cKyFile f;
  OpenWith(&f, "skip", "one\ntwo\n", 0);
  EXPECT_EQ(f.SkipLine(), 4);
  char* line = nullptr;
  EXPECT_EQ(f.ReadLine(nullptr), -2);
  EXPECT_EQ(f.ReadLine(&line), 4);
  EXPECT_STREQ(line, "two");
  KillStringA(&line);
}

TEST_F(KyFileTest, LinesAcrossTheWindowSeam) {
  std::mt19937_64 rng(7);
  std::string model;
  const char ends[] = {'\n', 0x1A, '\0'};
  while (model.size() < static_cast<size_t>(kWindow) + 300000) {
    model += RandomBytes(rng, rng() % (rng() % 50 == 0 ? 200000 : 300));
    if (rng() % 4 == 0) model += '\r';
    model += ends[rng() % 3];
  }
  model += "tail without end";
  cKyFile f;
  OpenWith(&f, "seam", model, 0);
  size_t at = 0;
  char* line = nullptr;
  for (;;) {
    const size_t end = model.find_first_of(std::string("\n\x1A\0", 3), at);
    const Qlong r = f.ReadLine(&line);
    if (end == std::string::npos) {
      EXPECT_EQ(r, 0);
      ASSERT_NE(line, nullptr);
      EXPECT_EQ(std::string(line), model.substr(at));
      break;
    }
    ASSERT_EQ(r, static_cast<Qlong>(end - at + 1));
    std::string want = model.substr(at, end - at);
    if (model[end] == '\n' && !want.empty() && want.back() == '\r') want.pop_back();
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(std::string(line), want) << "line at " << at;
    at = end + 1;
  }
  EXPECT_EQ(f.ReadLine(&line), 0);
  EXPECT_EQ(line, nullptr);
}

TEST_F(KyFileTest, LocateStringMatchesStdFind) {
  std::mt19937_64 rng(99);
  std::string model = RandomBytes(rng, static_cast<size_t>(kWindow) * 2 + 5000);
  // "Setup:" across the seam of the first two windows, and elsewhere.
  const std::vector<size_t> plants = {100, static_cast<size_t>(kWindow) - 3, 5000000,
                                      static_cast<size_t>(kWindow) * 2 - 1, model.size() - 6};
  for (size_t p : plants) model.replace(p, 6, "Setup:");
  cKyFile f;
  OpenWith(&f, "search", model, 0);
  // Each search moves on from the last match.
  size_t from = 0;
  for (;;) {
    const size_t want = model.find("Setup:", from);
    const Qlong r = f.LocateString("Setup:", kLocateBehindMatch, 0, 0);
    if (want == std::string::npos) {
      EXPECT_EQ(r, 0);
      break;
    }
    ASSERT_EQ(r, 1);
    EXPECT_EQ(f.GetPosition(), static_cast<Qlong>(want + 6));
    from = want + 6;
  }
  // Flag 0x10 rewinds; without 0x40 the position is at the match.
  ASSERT_EQ(f.LocateString("Setup:", kLocateRewind, 0, 0), 1);
  EXPECT_EQ(f.GetPosition(), 100);
  // Substrings taken from the file, found where std::string::find finds them.
  for (int i = 0; i < 30; ++i) {
    const size_t at = static_cast<size_t>(rng() % (model.size() - 40));
    const size_t length = 4 + rng() % 30;
    const std::string needle = model.substr(at, length);
    const Qlong start = static_cast<Qlong>(rng() % (at + 1));
    ASSERT_TRUE(f.SetPosition(start));
    ASSERT_EQ(f.LocateString(needle.c_str(), 0, 0, 0), 1);
    EXPECT_EQ(f.GetPosition(), static_cast<Qlong>(model.find(needle, static_cast<size_t>(start))));
  }
  EXPECT_EQ(f.LocateString("Setup:zz", kLocateRewind, 0, 0), 0);
  EXPECT_EQ(f.LocateString("Setup:zz", kLocateRewind, 6, 0), 1);  // the length cuts the text
  EXPECT_EQ(f.GetPosition(), 100);
  EXPECT_EQ(f.LocateString(nullptr, 0, 0, 0), 1);
  EXPECT_EQ(f.LocateString("", 0, 0, 0), 1);
}

TEST_F(KyFileTest, LocateStringWithCaseAndWildcard) {
  const std::string model = "xx setup= SETUP: SeTuP;";
  cKyFile f;
  OpenWith(&f, "wild", model, 0);
  ASSERT_EQ(f.LocateString("setup?", kLocateRewind | kLocateNoCase, 0, '?'), 1);
  EXPECT_EQ(f.GetPosition(), 3);
  ASSERT_EQ(f.LocateString("SETUP:", kLocateRewind, 0, '?'), 1);
  EXPECT_EQ(f.GetPosition(), 10);
  ASSERT_EQ(f.LocateString("setup;", kLocateRewind | kLocateNoCase, 0, '?'), 1);
  EXPECT_EQ(f.GetPosition(), 17);
  EXPECT_EQ(f.LocateString("setup;", kLocateRewind, 0, '?'), 0);
}

TEST_F(KyFileTest, SeekLineStartAndPreviousLine) {
  const std::string model = "first\r\nsecond\r\n\r\nfourth\nfifth";
  cKyFile f;
  OpenWith(&f, "seek", model, 0);
  struct Row {
    Qlong position;
    Qlong start;
  };
  const Row rows[] = {
      {0, 0},   {3, 0},   {5, 0},   {6, 0},    // the CR and LF of the first line
      {7, 7},   {13, 7},  {14, 7},  {15, 15},  // an empty line stays on its CR
      {16, 15}, {17, 17}, {23, 17}, {24, 24}, {28, 24}, {29, 24},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(f.SetPosition(row.position));
    ASSERT_TRUE(f.SeekLineStart());
    EXPECT_EQ(f.GetPosition(), row.start) << "from " << row.position;
  }
  ASSERT_TRUE(f.SetPosition(20));
  ASSERT_TRUE(f.SeekPreviousLine());
  EXPECT_EQ(f.GetPosition(), 15);
  ASSERT_TRUE(f.SeekPreviousLine());
  EXPECT_EQ(f.GetPosition(), 7);
  ASSERT_TRUE(f.SeekPreviousLine());
  EXPECT_EQ(f.GetPosition(), 0);
  EXPECT_FALSE(f.SeekPreviousLine());
}

TEST_F(KyFileTest, DiscriminatorLine) {
  cKyFile f;
  WriteFile("conf", "  \r\nKyApp Configuration\r\nRecent files:\r\n");
  ASSERT_TRUE(f.SetPath(Wide(Path("conf")).c_str(), nullptr, nullptr));
  EXPECT_EQ(f.OpenWithDiscriminator("KyApp Configuration", true), 0);
  EXPECT_TRUE(f.IsOpen());
  EXPECT_EQ(f.flags() & cKyFile::kReadOnly, cKyFile::kReadOnly);
  EXPECT_EQ(f.GetPosition(), 0);
  EXPECT_EQ(f.OpenWithDiscriminator("  KyApp", true), 0);  // its own blanks are skipped too
  EXPECT_EQ(f.OpenWithDiscriminator("   ", true), 0);      // nothing to check
  EXPECT_EQ(f.OpenWithDiscriminator("KyApp Configuration!", true), 1);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(f.OpenWithDiscriminator("kyapp configuration", false), 1);  // case counts
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("No/Bad discriminator"), std::string::npos);
  WriteFile("empty", "");
  ASSERT_TRUE(f.SetPath(Wide(Path("empty")).c_str(), nullptr, nullptr));
  EXPECT_EQ(f.OpenWithDiscriminator("KyApp Configuration", true), -1);
  EXPECT_FALSE(f.IsOpen());
  WriteFile("blank", " \r\n\t ");
  ASSERT_TRUE(f.SetPath(Wide(Path("blank")).c_str(), nullptr, nullptr));
  EXPECT_EQ(f.OpenWithDiscriminator("KyApp", false), 1);
  ASSERT_TRUE(f.SetPath(Wide(Path("missing")).c_str(), nullptr, nullptr));
  EXPECT_EQ(f.OpenWithDiscriminator("KyApp", true), 1);
  EXPECT_EQ(messages_.size(), 1u);

  ASSERT_TRUE(f.SetPath(Wide(Path("made")).c_str(), nullptr, nullptr));
  EXPECT_EQ(f.CreateWithDiscriminator("KyApp Configuration", true), 0);
  EXPECT_TRUE(f.IsOpen());
  EXPECT_EQ(f.GetPosition(), 21);
  EXPECT_TRUE(f.WriteLine("Setup:"));
  EXPECT_EQ(ReadFile(Path("made")), "KyApp Configuration\r\nSetup:\r\n");
  EXPECT_EQ(f.CreateWithDiscriminator("KyApp Configuration", true), -1);  // exists now
  EXPECT_FALSE(f.IsOpen());
}

// Byte-range edits against the model: each edit is applied to a
// std::string and the file must hold exactly those bytes afterwards.
TEST_F(KyFileTest, RangeEditsMatchTheModel) {
  std::mt19937_64 rng(12);
  std::string model = RandomBytes(rng, static_cast<size_t>(kWindow) + 70000);
  cKyFile f;
  OpenWith(&f, "edit", model);
  const Qlong chunk = 32768;
  struct Edit {
    char kind;  // i insert, d delete, r replace
    Qlong offset;
    Qlong old_length;
    Qlong new_length;
  };
  const Qlong n0 = static_cast<Qlong>(model.size());
  const Edit edits[] = {
      {'i', 0, 0, 5},
      {'i', chunk - 1, 0, 2 * chunk + 3},
      {'i', n0 / 2, 0, 1},
      {'d', chunk, chunk + 7, 0},
      {'d', 0, 3, 0},
      {'r', 100, 10, 12},
      {'r', 3 * chunk + 5, 12, 8},
      {'r', 2 * chunk, 40000, 40000},
      {'r', kWindow - 10, 20, 0},  // no new bytes: a deletion
      {'i', -1, 0, 0},             // at the end, offset filled in below
      {'d', -1, 1, 0},             // the last byte
  };
  for (Edit e : edits) {
    const Qlong size = static_cast<Qlong>(model.size());
    if (e.offset < 0) e.offset = e.kind == 'i' ? size : size - e.old_length;
    const std::string bytes = RandomBytes(rng, static_cast<size_t>(e.new_length));
    Qlong want_position = 0;
    bool ok = false;
    switch (e.kind) {
      case 'i':
        ok = f.InsertRange(e.offset, bytes.data(), bytes.size());
        model.insert(static_cast<size_t>(e.offset), bytes);
        want_position = e.offset + e.new_length;
        break;
      case 'd':
        ok = f.DeleteRange(e.offset, static_cast<Qword>(e.old_length));
        model.erase(static_cast<size_t>(e.offset), static_cast<size_t>(e.old_length));
        want_position = static_cast<Qlong>(model.size());
        break;
      default:
        ok = f.ReplaceRange(e.offset, e.old_length, e.new_length ? bytes.data() : nullptr,
                            e.new_length);
        model.replace(static_cast<size_t>(e.offset), static_cast<size_t>(e.old_length), bytes);
        want_position = e.new_length >= e.old_length && e.new_length > 0
                            ? e.offset + e.new_length
                            : static_cast<Qlong>(model.size());
    }
    ASSERT_TRUE(ok) << e.kind << " at " << e.offset << " error " << f.last_error();
    EXPECT_EQ(f.GetPosition(), want_position) << e.kind << " at " << e.offset;
    ASSERT_TRUE(ReadFile(Path("edit")) == model) << e.kind << " at " << e.offset;
  }
  // The object keeps working on the new file: read it back through the window.
  f.DropBuffer();
  ASSERT_TRUE(f.Rewind());
  std::string back(model.size(), '\0');
  EXPECT_EQ(f.Read(back.data(), static_cast<Qlong>(back.size())), static_cast<Qlong>(model.size()));
  EXPECT_TRUE(back == model);
  // No temporary file stays behind.
  size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) (void)entry, ++entries;
  EXPECT_EQ(entries, 1u);
}

TEST_F(KyFileTest, RangeEditEdgesOfASmallFile) {
  std::mt19937_64 rng(3);
  const std::string original = RandomBytes(rng, 1000);
  cKyFile f;
  OpenWith(&f, "small", original);
  EXPECT_TRUE(f.ReplaceRange(100, 10, "0123456789ab", 12));
  EXPECT_EQ(ReadFile(Path("small")).size(), 1002u);
  EXPECT_EQ(ReadFile(Path("small")).substr(112), original.substr(110));
  EXPECT_TRUE(f.ReplaceRange(100, 12, "ABCDEFGH", 8));
  std::string want = original;
  want.replace(100, 10, "ABCDEFGH");
  EXPECT_EQ(ReadFile(Path("small")), want);
  // Deleting at the end changes nothing; a range past the end is refused
  // and changes nothing either.
  EXPECT_FALSE(f.DeleteRange(990, 20));
  EXPECT_EQ(f.last_error(), static_cast<Dword>(kErrIllegalArgument));
  EXPECT_TRUE(f.DeleteRange(static_cast<Qlong>(want.size()), 5));
  EXPECT_TRUE(f.DeleteRange(5, 0));
  EXPECT_TRUE(f.InsertRange(5, "x", 0));
  EXPECT_FALSE(f.InsertRange(static_cast<Qlong>(want.size()) + 1, "x", 1));
  EXPECT_FALSE(f.InsertRange(-1, "x", 1));
  EXPECT_FALSE(f.InsertRange(0, nullptr, 3));
  EXPECT_EQ(ReadFile(Path("small")), want);
  // A file opened read-only is not edited.
  ASSERT_TRUE(f.Open(0));
  EXPECT_FALSE(f.InsertRange(0, "x", 1));
  EXPECT_EQ(f.last_error(), static_cast<Dword>(kErrFileNotAccessible));
  EXPECT_EQ(ReadFile(Path("small")), want);
}

// A write that fails part of the way (the file-size limit stops the new
// file's writing) is reported, and the old file stays whole.
TEST_F(KyFileTest, FailedWriteIsReportedAndLeavesTheOldFile) {
  std::mt19937_64 rng(5);
  const std::string original = RandomBytes(rng, 300000);
  cKyFile f;
  OpenWith(&f, "limited", original);
  const std::string bytes = RandomBytes(rng, 5000);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN);
  // Limits that stop the copy before, inside and after the inserted bytes.
  for (rlim_t limit : {rlim_t{1000}, rlim_t{150000}, rlim_t{152000}, rlim_t{299000}}) {
    rlimit low = saved;
    low.rlim_cur = limit;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &low), 0);
    const bool inserted = f.InsertRange(150000, bytes.data(), bytes.size());
    const bool deleted = f.DeleteRange(10, 20);
    const bool replaced = f.ReplaceRange(200, 3, "abcdefgh", 8);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_FALSE(inserted) << limit;
    EXPECT_FALSE(deleted) << limit;
    EXPECT_FALSE(replaced) << limit;
    EXPECT_EQ(f.last_error(), static_cast<Dword>(kErrDiskFull));
    EXPECT_TRUE(ReadFile(Path("limited")) == original) << limit;
  }
  signal(SIGXFSZ, old_handler);
  size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) (void)entry, ++entries;
  EXPECT_EQ(entries, 1u);  // no temporary file left
  // Without the limit the same edit succeeds.
  EXPECT_TRUE(f.InsertRange(150000, bytes.data(), bytes.size()));
  std::string want = original;
  want.insert(150000, bytes);
  EXPECT_TRUE(ReadFile(Path("limited")) == want);
}

TEST_F(KyFileTest, WriteTruncateAndSize) {
  cKyFile f;
  OpenWith(&f, "w", "0123456789");
  ASSERT_TRUE(f.SetPosition(4));
  EXPECT_TRUE(f.WriteStrings("ab", nullptr, "", "c"));
  EXPECT_EQ(f.GetPosition(), 7);
  EXPECT_TRUE(f.Truncate());
  EXPECT_EQ(ReadFile(Path("w")), "0123abc");
  EXPECT_TRUE(f.WriteNewLine());
  EXPECT_TRUE(f.SeekEnd());
  EXPECT_EQ(f.GetPosition(), 9);
  EXPECT_TRUE(f.Close());
  EXPECT_TRUE(f.GetSize());  // a closed file is opened for the query
  EXPECT_EQ(f.size(), 9);
  EXPECT_TRUE(f.IsClosed());
  ASSERT_TRUE(f.SetPath(Wide(Path("nothing")).c_str(), nullptr, nullptr));
  EXPECT_FALSE(f.GetSize());
  EXPECT_EQ(f.size(), 0);
}

}  // namespace
