#include "base/string_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/strings.h"
#include "support/alloc_failure.h"
#include "text_test_util.h"

TEST(Lists, AddAndDeleteItems) {
  char* list = nullptr;
  EXPECT_STREQ(StringsListAddItemA(&list, "a", ','), ",a");
  EXPECT_STREQ(StringsListAddItemA(&list, "b", ','), ",a,b");
  EXPECT_TRUE(StringsListDeleteItemA(list, "a", ','));
  EXPECT_STREQ(list, ",b");
  KillStringA(&list);
  char16_t* wide = nullptr;
  StringsListAddItem(&wide, u"x", u';');
  StringsListAddItem(&wide, nullptr, u';');
  EXPECT_EQ(Take(wide), ";x;");
}

TEST(Lists, DeleteMatchesWholeItemsOnly) {
  struct Case {
    const char* list;
    const char* item;
    bool removed;
    const char* after;
  } cases[] = {
      {",ba,c,", "a", false, ",ba,c,"},  // "a" inside "ba" is no item
      {",ba,c,", "c", true, ",ba,"},
      {",ba,a,c", "a", true, ",ba,c"},
      {",a,b", "b", true, ",a"},  // the last item goes with the delimiter before it
      {"a,b", "a", true, "b"},
      {"a", "a", true, ""},
      {"ab,abc,b", "ab", true, "abc,b"},
      {"abc,ab", "ab", true, "abc"},
      {"x,abx,ab,y", "ab", true, "x,abx,y"},
      {"a,b", "", false, "a,b"},
      {"a,b", "c", false, "a,b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.list << " - " << c.item);
    std::string a = c.list;
    EXPECT_EQ(StringsListDeleteItemA(a.data(), c.item, ','), c.removed);
    EXPECT_STREQ(a.c_str(), c.after);
    std::u16string w = W(c.list);
    EXPECT_EQ(StringsListDeleteItem(w.data(), W(c.item).c_str(), u','), c.removed);
    EXPECT_EQ(N(w.c_str()), c.after);
  }
  EXPECT_FALSE(StringsListDeleteItemA(nullptr, "a", ','));
  EXPECT_FALSE(StringsListDeleteItemA(const_cast<char*>("a"), nullptr, ','));
}

TEST(Lists, NulDelimiterNeverMatchesTheTerminator) {
  // Exactly sized buffers, so a cut that took the NUL in reads past the end
  // (the sanitizer build sees it).
  std::vector<char> one = {'s', 0};
  EXPECT_TRUE(StringsListDeleteItemA(one.data(), "s", 0));
  EXPECT_STREQ(one.data(), "");
  std::vector<char> two = {'x', 's', 0};
  EXPECT_FALSE(StringsListDeleteItemA(two.data(), "s", 0));
  EXPECT_STREQ(two.data(), "xs");
  std::vector<char16_t> wide = {u's', 0};
  EXPECT_TRUE(StringsListDeleteItem(wide.data(), u"s", 0));
  EXPECT_EQ(wide[0], 0);
}

TEST(Lists, ParseItemsDestructively) {
  std::string text = " a , b,,c ";
  char* cursor = text.data();
  char* item = nullptr;
  std::string seen;
  for (int k = 0; k < 5; ++k) {
    seen += std::string("[") + StringsListParseItemA(&item, &cursor, ',', 0) + "]";
  }
  EXPECT_EQ(seen, "[a][b][][c][]");
  EXPECT_EQ(*cursor, 0);
  std::u16string w = u"x;Y";
  char16_t* wc = w.data();
  char16_t* wi = nullptr;
  EXPECT_EQ(N(StringsListParseItem(&wi, &wc, u';', 0x100)), "X");
  EXPECT_EQ(wi, w.data());
  EXPECT_EQ(N(StringsListParseItem(&wi, &wc, u';', 0x200)), "y");
  char* null_cursor = nullptr;
  EXPECT_EQ(StringsListParseItemA(&item, &null_cursor, ',', 0), nullptr);
  EXPECT_EQ(StringsListParseItemA(nullptr, &cursor, ',', 0), nullptr);
}

TEST(Lists, FindItemPosition) {
  struct Case {
    const char* name;
    const char* list;
    Dword no_case;
    GroomFlags flags;
    Qword position;
  } cases[] = {
      {"b", "a, b ,c", 0, 0, 2}, {"x", "a, b ,c", 0, 0, 0},   {"B", "a, b ,c", 0, 0, 0},
      {"B", "a, b ,c", 1, 0, 2}, {"b", "a, b ,c", 0, 0x6, 0}, {"c", "a,b,c", 0, 0, 3},
      {"", "a,,b", 0, 0, 2},     {nullptr, ",a", 0, 0, 1},    {"", "a,b", 0, 0, 0},
      {"a", "", 0, 0, 0},        {"a", nullptr, 0, 0, 0},     {"A", "x,a", 0, 0x100, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << (c.name ? c.name : "null") << " in " << (c.list ? c.list : "null"));
    const std::string before = c.list ? c.list : "";
    EXPECT_EQ(StringsListFindItemA(c.name, c.list, ',', c.no_case, c.flags), c.position);
    if (c.list) {
      EXPECT_EQ(before, c.list);  // the caller's list is left alone
      const std::u16string wn = c.name ? W(c.name) : u"";
      EXPECT_EQ(StringsListFindItem(c.name ? wn.c_str() : nullptr, W(c.list).c_str(), u',',
                                    c.no_case, c.flags),
                c.position);
    }
  }
  AllocFailureGuard fail(0);
  EXPECT_EQ(StringsListFindItemA("a", "a", ',', 0, 0), 0u);
  fail.Release();
}

TEST(Lists, AppendItemFromList) {
  struct Case {
    const char* name;
    const char* list;
    const char* appended;
  } cases[] = {
      {"gain", "again=2;gain=5;x=1", "gain=5;"},  // "gain" inside "again" does not count
      {"x", "again=2;gain=5;x=1", "x=1"},
      {"again", "again=2;gain=5;x=1", "again=2;"},
      {"ga", "again=2;gain=5;x=1", ""},
      {"y", "again=2;gain=5;x=1", ""},
      {"", "a=1", ""},
      {"x", "x", ""},  // no key character after the name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " in " << c.list);
    char* out = NewCopyStringA("out:", 0, kNoIndex);
    AppendItemFromListA(&out, c.name, c.list, '=', ';');
    EXPECT_EQ(Take(out), std::string("out:") + c.appended);
    char16_t* wout = nullptr;
    AppendItemFromList(&wout, W(c.name).c_str(), W(c.list).c_str(), u'=', u';');
    EXPECT_EQ(Take(wout), *c.appended ? c.appended : "<null>");
  }
  EXPECT_EQ(AppendItemFromListA(nullptr, "a", "a=1", '=', ';'), nullptr);
}

TEST(Lists, CopyItemsAndSections) {
  struct ItemCase {
    const char* list;
    Qword index;
    const char* expected;
  } items[] = {
      {"a,b,c", 1, "b"}, {"a,b,c", 3, "<null>"}, {"a,b,c", 2, "c"}, {"a,b,c", 0, "a"},
      {",x", 0, ""},     {"a,", 1, ""},          {"", 0, ""},       {"", 1, "<null>"},
  };
  for (const ItemCase& c : items) {
    SCOPED_TRACE(testing::Message() << c.list << " #" << c.index);
    EXPECT_EQ(Take(NewCopyStringItemA(c.list, c.index, ',')), c.expected);
    EXPECT_EQ(Take(NewCopyStringItem(W(c.list).c_str(), c.index, u',')), c.expected);
  }
  EXPECT_EQ(NewCopyStringItemA(nullptr, 0, ','), nullptr);

  struct SectionCase {
    Qword start, end;
    const char* expected;
  } sections[] = {
      {1, 3, "el"}, {kNoIndex, 2, "he"}, {3, kNoIndex, "lo"}, {2, 99, "llo"},
      {9, 12, ""},  {3, 1, "<null>"},    {0, 0, ""},          {kNoIndex, kNoIndex, "hello"},
  };
  for (const SectionCase& c : sections) {
    SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
    EXPECT_EQ(Take(NewCopyStringSectionA("hello", c.start, c.end)), c.expected);
    EXPECT_EQ(Take(NewCopyStringSection(u"hello", c.start, c.end)), c.expected);
  }
  EXPECT_EQ(NewCopyStringSectionA(nullptr, 0, 1), nullptr);
}

TEST(Lists, IndexOfNthItem) {
  EXPECT_EQ(StringIndexNthItemA("ab,cd,ef", 2, nullptr), 6u);
  EXPECT_EQ(StringIndexNthItemA("ab,cd,ef", 3, nullptr), kNoIndex);
  EXPECT_EQ(StringIndexNthItemA("ab,cd,ef", 0, nullptr), 0u);
  EXPECT_EQ(StringIndexNthItemA("ab;cd ef", 2, "; "), 6u);
  EXPECT_EQ(StringIndexNthItemA("a,", 1, ""), 2u);
  EXPECT_EQ(StringIndexNthItemA(nullptr, 1, ","), kNoIndex);
  EXPECT_EQ(StringIndexNthItem(u"ab,cd,ef", 1, nullptr), 3u);
}

TEST(NamedIds, PrefixLookupsAndNames) {
  const NamedId narrow[] = {{1, "FIT"}, {2, "FITX"}, {7, "QARRAY"}, {0, nullptr}};
  EXPECT_EQ(NamedId_GetIdA(narrow, "FITX,..."), 1u);  // the first row in table order wins
  EXPECT_EQ(NamedId_GetIdA(narrow, "QARRAY 3"), 7u);
  EXPECT_EQ(NamedId_GetIdA(narrow, "FI"), 0xFFFFFFFFu);
  EXPECT_EQ(NamedId_GetIdA(narrow, " FIT"), 0xFFFFFFFFu);  // no blank skipping
  EXPECT_EQ(NamedId_GetIdA(narrow, nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(NamedId_GetIdA(nullptr, "FIT"), 0xFFFFFFFFu);
  const NamedId wide[] = {{3, u"ZOOM"}, {4, u"ZO"}, {0, nullptr}};
  EXPECT_EQ(NamedId_GetId(wide, u"ZOOM!"), 3u);
  EXPECT_EQ(NamedId_GetId(wide, u"ZOE"), 4u);
  EXPECT_EQ(NamedId_GetId(wide, u"X"), 0u);
  EXPECT_STREQ(static_cast<const char*>(NamedId_GetNameA(narrow, 2)), "FITX");
  EXPECT_EQ(NamedId_GetName(wide, 4), wide[1].name);
  EXPECT_EQ(NamedId_GetNameA(narrow, 9), nullptr);
  EXPECT_EQ(NamedId_GetNameA(narrow, 0), nullptr);
  EXPECT_EQ(NamedId_GetName(nullptr, 1), nullptr);
}
