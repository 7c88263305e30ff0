// The program's window-free code linked as the windowed program links it:
// against the shared library alone. Loading and saving a sample folder
// needs nothing that the library keeps hidden.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/core/bruker_reader.h"
#include "app/core/bruker_writer.h"
#include "data_engine/ky_data.h"

namespace {

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

TEST(BrukerSharedLibrary, LoadAndSaveThroughTheSharedLibrary) {
  std::string dir = "/tmp/pelorin-bruker-XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  const std::string sample = std::string(VELTRIA_SOURCE_DIR) + "/samples/bruker/ser_dosy/ser";
  cKyData root(0);
  ASSERT_EQ(LoadBrukerData(&root, Wide(sample).c_str()), 0u);
  ASSERT_EQ(root.ChildCount(), 1u);
  EXPECT_EQ(root.FirstChild()->ChildCount(), 4u);
  ASSERT_EQ(SaveBrukerData(root.FirstChild(), Wide(dir).c_str()), 0u);
  ASSERT_EQ(LoadBrukerData(&root, Wide(dir + "/ser").c_str()), 0u);
  ASSERT_EQ(root.ChildCount(), 2u);
  const cKyData& a = *root.FirstChild()->FirstChild();
  const cKyData& b = *root.LastChild()->FirstChild();
  ASSERT_EQ(a.points, b.points);
  for (Qword k = 0; k < a.points; ++k) EXPECT_EQ(a.Row(1)[k], b.Row(1)[k]);
  std::filesystem::remove_all(dir);
}

}  // namespace
