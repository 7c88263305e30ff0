// Task-script commands into records, and the parameter readers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "base/memory.h"
#include "data_engine/evp.h"
#include "data_engine/procedure.h"

namespace {

constexpr Qword kAll = kNoIndex;

struct ParseCase {
  const char* text;  // a command without its "#"
  LibErrorCode error;
  Qword id, mode;
  Dword flags;
  Qword level, zone, block;
  const char* label;       // null: no label field
  const char* parameters;  // null: no parameter field
};

TEST(EvpParse, CommandsIntoRecordFields) {
  const ParseCase cases[] = {
      // The five lines the application writes with its default setup.
      {"GROUPDELAY, 1, 0, 0z0\r\n", 0, 24, 1, 0, 0, 0, kAll, nullptr, nullptr},
      {"ZEROFILL, 1, 0, 0z0, , 0, 1024\r\n", 0, 25, 1, 0, 0, 0, kAll, "", "0, 1024"},
      {"APODIZE, 3, 0, 0z0, , 0,-1, 0.01\r\n", 0, 22, 3, 0, 0, 0, kAll, "", "0,-1, 0.01"},
      {"APODIZE, 8, 0, 0z0, , 0,-1, 0.0003, 2\r\n", 0, 22, 8, 0, 0, 0, kAll, "", "0,-1, 0.0003, 2"},
      {"QUANTIFY, 1, 768, 0z0, , 0, 4294967295\r\n", 0, 4, 1, 768, 0, 0, kAll, "", "0, 4294967295"},
      // Level selectors.
      {"FIT,1,0,0z1b4", 0, 6, 1, 0, 0, 1, 4, nullptr, nullptr},
      {"FIT,1,0,0b2", 0, 6, 1, 0, 0, kAll, 2, nullptr, nullptr},
      {"FIT,1,0,1z2", 0, 6, 1, 0, 1, 2, kAll, nullptr, nullptr},
      {"FIT,1,0, 0 Z 3 B 5 ,", 0, 6, 1, 0, 0, 3, 5, "", nullptr},
      {"FIT,1,0,2", 0, 6, 1, 0, 2, kAll, kAll, nullptr, nullptr},
      // Numeric fields are 32-bit words: a minus wraps modulo 2^32, so a
      // zone of -1 is not "every zone"; overflow saturates.
      {"FIT,1,0,0z-1", 0, 6, 1, 0, 0, 0xFFFFFFFFu, kAll, nullptr, nullptr},
      {"FIT,-1,99999999999,7x", 0, 6, 0xFFFFFFFFu, 0xFFFFFFFFu, 7, kAll, kAll, nullptr, nullptr},
      {"FIT, 2abc, 0x10, ", 0, 6, 2, 0, 0, kAll, kAll, nullptr, nullptr},
      // Names: groomed, upper-cased, looked up by prefix in table order.
      {"  quantify  , 1", 0, 4, 1, 0, 0, kAll, kAll, nullptr, nullptr},
      {"QUANTIFY2, 1", 0, 4, 1, 0, 0, kAll, kAll, nullptr, nullptr},
      {"FFCPROFILE, 1", 0, 8, 1, 0, 0, kAll, kAll, nullptr, nullptr},
      {"FI, 1", kErrUnknownProcedure, kAll, 0, 0, 0, kAll, kAll, nullptr, nullptr},
      {"NOSUCH, 1", kErrUnknownProcedure, kAll, 0, 0, 0, kAll, kAll, nullptr, nullptr},
      // Mode 0 or no mode: the rest is not read.
      {"QUANTIFY", 0, 4, 0, 0, 0, kAll, kAll, nullptr, nullptr},
      {"QUANTIFY, 0, 5, 1, a, b", 0, 4, 0, 0, 0, kAll, kAll, nullptr, nullptr},
      // Label and parameters are groomed and upper-cased; TAB, CR and LF
      // become blanks.
      {"WINDOW, 2, 1, 0, my  label , a,\tb ,c\r\n", 0, 1, 2, 1, 0, kAll, kAll, "MY LABEL",
       "A, B ,C"},
      // A blank command runs nothing.
      {" \r\n", 0, kAll, 0, 0, 0, kAll, kAll, nullptr, nullptr},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.text);
    Evp e;
    InitEvp(&e);
    EXPECT_EQ(EvpParseCommand(c.text, &e), c.error);
    EXPECT_EQ(e.id, c.id);
    EXPECT_EQ(e.mode, c.mode);
    EXPECT_EQ(e.flags, c.flags);
    EXPECT_EQ(e.level, c.level);
    EXPECT_EQ(e.zone, c.zone);
    EXPECT_EQ(e.block, c.block);
    if (c.label)
      EXPECT_STREQ(e.label, c.label);
    else
      EXPECT_EQ(e.label, nullptr);
    if (c.parameters)
      EXPECT_STREQ(e.parameters, c.parameters);
    else
      EXPECT_EQ(e.parameters, nullptr);
    ReleaseEvp(&e);
  }
}

TEST(EvpParse, InitialValues) {
  Evp e;
  std::memset(&e, 0x5A, sizeof e);
  InitEvp(&e);
  EXPECT_EQ(e.id, kAll);
  EXPECT_EQ(e.zone, kAll);
  EXPECT_EQ(e.block, kAll);
  EXPECT_EQ(e.mode, 0u);
  EXPECT_EQ(e.scale, 1.0);
  EXPECT_EQ(e.report, nullptr);
  EXPECT_EQ(e.coefficients, nullptr);
  EXPECT_EQ(e.result_pointer, nullptr);
  EXPECT_EQ(e.quantity, 0.0);
}

TEST(EvpParse, TableOrderAndNames) {
  Qword n = 0;
  const EvpProcedureRow* rows = EvpProcedureRows(&n);
  // The lookup order, which decides the prefix lookup.
  const Qword order[] = {kEvpFunction,  kEvpWindow,     kEvpPhasor,     kEvpQuantify,  kEvpQArray,
                         kEvpFit,       kEvpIlt,        kEvpFfcProfile, kEvpDenoising, kEvpApodize,
                         kEvpNormalize, kEvpGroupDelay, kEvpZeroFill,   kEvpFourier,   kEvpPhasing,
                         kEvpBaseline,  kEvpDosy,       kEvpDerivative, kEvpExport,    kEvpReport};
  ASSERT_EQ(n, sizeof order / sizeof order[0]);
  for (Qword i = 0; i < n; ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(rows[i].id, order[i]);
    EXPECT_EQ(EvpProcedureTable[i].id, rows[i].id);
    EXPECT_STREQ(static_cast<const char*>(EvpProcedureTable[i].name), rows[i].name);
    // Each name finds its own id: no earlier row's name is a prefix of it.
    EXPECT_EQ(NamedId_GetIdA(EvpProcedureTable, rows[i].name), rows[i].id);
    // Each id finds its own row: ids are unique.
    ASSERT_NE(EvpFindProcedure(rows[i].id), nullptr);
    EXPECT_STREQ(EvpFindProcedure(rows[i].id)->name, rows[i].name);
    for (Qword j = 0; j < i; ++j) EXPECT_NE(rows[j].id, rows[i].id);
  }
  EXPECT_EQ(EvpProcedureTable[n].id, 0u);
  EXPECT_STREQ(static_cast<const char*>(EvpProcedureTable[n].name), "");
  const Qword with_prepare[] = {kEvpPhasor, kEvpApodize, kEvpNormalize, kEvpPhasing, kEvpBaseline};
  for (Qword id : with_prepare) EXPECT_TRUE(EvpFindProcedure(id)->has_prepare) << id;
  EXPECT_FALSE(EvpFindProcedure(kEvpGroupDelay)->has_prepare);
  EXPECT_EQ(EvpFindProcedure(30), nullptr);
}

TEST(EvpFlags, SetClearTest) {
  Evp e;
  InitEvp(&e);
  EXPECT_EQ(SetEvpFlags(&e, 0x9), 0x9u);
  EXPECT_EQ(SetEvpFlags(&e, 0x80000000u), 0x80000009u);
  EXPECT_EQ(ClearEvpFlags(&e, 0x8), 0x80000001u);
  EXPECT_EQ(TestEvpFlags(&e, 0x80000003u), 0x80000001u);
}

struct ParameterCase {
  const char* list;  // null: no list
  Qword index;
  const char* text;  // null: none
  double real;       // NaN: NaN
  Qword qword;
  Qlong qlong;
};

TEST(EvpParameters, ReadersOfOneList) {
  const double nan = std::nan("");
  const ParameterCase cases[] = {
      {" 1.5 , -1, 2.5,WORD,,  \r\n", 0, " 1.5 ", 1.5, 2, 2},
      {" 1.5 , -1, 2.5,WORD,,  \r\n", 1, " -1", -1.0, kAll, -1},
      {" 1.5 , -1, 2.5,WORD,,  \r\n", 2, " 2.5", 2.5, 3, 3},
      {" 1.5 , -1, 2.5,WORD,,  \r\n", 3, "WORD", nan, 0, 0},
      {" 1.5 , -1, 2.5,WORD,,  \r\n", 4, "", nan, kAll, INT64_MIN},
      {" 1.5 , -1, 2.5,WORD,,  \r\n", 5, "  \r\n", nan, kAll, INT64_MIN},
      {" 1.5 , -1, 2.5,WORD,,  \r\n", 6, nullptr, nan, kAll, INT64_MIN},
      {"-2.5", 0, "-2.5", -2.5, kAll, -3},
      {"1024\r\n", 0, "1024\r\n", 1024.0, 1024, 1024},
      {"4294967295", 0, "4294967295", 4294967295.0, 4294967295u, 4294967295},
      {"1e30", 0, "1e30", 1e30, kAll, 0},  // beyond the word: the marker
      {"12abc", 0, "12abc", nan, 0, 0},
      {nullptr, 0, nullptr, nan, kAll, INT64_MIN},
  };
  for (const ParameterCase& c : cases) {
    SCOPED_TRACE(std::string(c.list ? c.list : "(null)") + " #" + std::to_string(c.index));
    Evp e;
    InitEvp(&e);
    e.parameters = const_cast<char*>(c.list);
    char* text = NewGetEvpParameterAsString(&e, c.index);
    if (c.text)
      EXPECT_STREQ(text, c.text);
    else
      EXPECT_EQ(text, nullptr);
    KillPtr(&text);
    const double r = GetEvpParameterAsReal(&e, c.index);
    if (std::isnan(c.real))
      EXPECT_TRUE(std::isnan(r)) << r;
    else
      EXPECT_EQ(r, c.real);
    EXPECT_EQ(GetEvpParameterAsQword(&e, c.index), c.qword);
    if (c.real < 9.3e18 || std::isnan(c.real)) {
      EXPECT_EQ(GetEvpParameterAsQlong(&e, c.index), c.qlong);
    }
  }
}

struct WindowCase {
  const char* list;
  Qword points, first, last, count;
};

TEST(EvpParameters, PointWindow) {
  const WindowCase cases[] = {
      {"50,10", 100, 10, 50, 41},  {"-1,-1", 100, 0, 99, 100}, {"0,4294967295", 100, 0, 99, 100},
      {"200,300", 100, 99, 99, 1}, {"", 100, 0, 99, 100},      {"5", 10, 5, 9, 5},
      {"0,-1", 0, 0, 0, 0},  // no points: no window, no underflow
  };
  for (const WindowCase& c : cases) {
    SCOPED_TRACE(c.list);
    Evp e;
    InitEvp(&e);
    e.parameters = const_cast<char*>(c.list);
    Qword first = 7, last = 7;
    EXPECT_EQ(GetEvpIpointEpoint(&e, &first, &last, c.points), c.count);
    EXPECT_EQ(first, c.first);
    EXPECT_EQ(last, c.last);
  }
}

}  // namespace
