// Intrusive lists against a plain model (vectors of ids per ordering) under
// random operations, plus the documented edge cases.
#include "framework/ky_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int kItems = 24;
constexpr int kLists = 3;

std::vector<bool>* g_alive = nullptr;

struct Item : cKyListItem {
  explicit Item(int i) : id(i) { (*g_alive)[i] = true; }
  ~Item() override { (*g_alive)[id] = false; }
  int id;
};

struct ReorderingList : cKyList {
  using cKyList::MoveToFrontB;
};

struct ModelList {
  std::vector<int> a, b;
  Dword sequence = 0, removals = 0;
};

struct ModelItem {
  int owner = -1;  // list index
  Long sequence = -1;
  Dword flags = 0;
};

class ListModel {
 public:
  explicit ListModel(unsigned seed) : rng_(seed), alive_(kItems, false) {
    g_alive = &alive_;
    for (int i = 0; i < kItems; ++i) Create(i);
  }
  ~ListModel() {
    for (auto& l : lists_) l.DeleteAll(true);
    for (int i = 0; i < kItems; ++i)
      if (alive_[i]) delete items_[i];
    g_alive = nullptr;
  }

  void Create(int i) {
    items_[i] = new Item(i);
    model_items_[i] = ModelItem{};
  }

  // Removes item i from its model list, as Unlink does.
  void ModelUnlink(int i) {
    ModelItem& m = model_items_[i];
    if (m.owner < 0) return;
    ModelList& l = model_lists_[m.owner];
    l.a.erase(std::find(l.a.begin(), l.a.end(), i));
    l.b.erase(std::find(l.b.begin(), l.b.end(), i));
    ++l.removals;
    m.owner = -1;
    m.sequence = -1;
  }

  // DeleteItem of item i on list li, in the model; returns the expected code.
  LibErrorCode ModelDeleteItem(int li, int i) {
    ModelItem& m = model_items_[i];
    if (m.owner != li) return 12;
    if (!(m.flags & kKyItemPinned)) ModelUnlink(i);
    if (!(m.flags & kKyItemNotOwned)) {
      ModelUnlink(i);  // the destructor detaches a pinned item too
      expect_dead_.push_back(i);
    }
    return 0;
  }

  void Step() {
    const int op = Pick(9);
    const int i = Pick(kItems);
    const int li = Pick(kLists);
    if (!alive_[i]) {
      Create(i);
      return;
    }
    Item* item = items_[i];
    ModelItem& m = model_items_[i];
    switch (op) {
      case 0:
      case 1: {  // append (moves between lists)
        const LibErrorCode want = (m.owner >= 0 && (m.flags & kKyItemPinned)) ? 26 : 0;
        ASSERT_EQ(lists_[li].Append(item), want);
        if (want == 0) {
          ModelUnlink(i);
          ModelList& l = model_lists_[li];
          l.a.push_back(i);
          l.b.push_back(i);
          m.owner = li;
          m.sequence = static_cast<Long>(++l.sequence);
        }
        break;
      }
      case 2:
        item->Unlink();
        if (!(m.flags & kKyItemPinned)) ModelUnlink(i);
        break;
      case 3: {
        const LibErrorCode want = ModelDeleteItem(li, i);
        ASSERT_EQ(lists_[li].DeleteItem(item), want);
        break;
      }
      case 4:
        delete item;
        ModelUnlink(i);
        expect_dead_.push_back(i);
        break;
      case 5:
        if (m.owner >= 0) {
          lists_[m.owner].MoveToFrontB(item);
          auto& b = model_lists_[m.owner].b;
          b.erase(std::find(b.begin(), b.end(), i));
          b.insert(b.begin(), i);
        }
        break;
      case 6: {  // flip the ownership or the pin bit
        const Dword bit = Pick(2) ? kKyItemNotOwned : kKyItemPinned;
        m.flags ^= bit;
        item->SetFlags(m.flags);
        break;
      }
      case 7:
        if (Pick(4) == 0) {
          const bool reset = Pick(2);
          const std::vector<int> a = model_lists_[li].a;
          for (auto it = a.rbegin(); it != a.rend(); ++it) ModelDeleteItem(li, *it);
          if (reset) model_lists_[li].sequence = model_lists_[li].removals = 0;
          ASSERT_EQ(lists_[li].DeleteAll(reset), 0u);
        }
        break;
      default:
        ASSERT_EQ(lists_[li].Add(nullptr), 0u);
        ASSERT_EQ(lists_[li].DeleteItem(nullptr), 0u);
        break;
    }
    for (int d : expect_dead_) ASSERT_FALSE(alive_[d]) << "item " << d;
    expect_dead_.clear();
  }

  void Check() {
    for (int li = 0; li < kLists; ++li) {
      const cKyList& l = lists_[li];
      const ModelList& ml = model_lists_[li];
      ASSERT_EQ(l.Count(), ml.a.size());
      ASSERT_EQ(l.SequenceCounter(), ml.sequence);
      ASSERT_EQ(l.RemovalCounter(), ml.removals);
      ASSERT_EQ(Ids(l.FirstA(), &cKyListItem::NextA), ml.a);
      ASSERT_EQ(Ids(l.FirstB(), &cKyListItem::NextB), ml.b);
      std::vector<int> ra(ml.a.rbegin(), ml.a.rend()), rb(ml.b.rbegin(), ml.b.rend());
      ASSERT_EQ(Ids(l.LastA(), &cKyListItem::PrevA), ra);
      ASSERT_EQ(Ids(l.LastB(), &cKyListItem::PrevB), rb);
      ASSERT_EQ(l.First(), l.FirstB());
    }
    for (int i = 0; i < kItems; ++i) {
      if (!alive_[i]) continue;
      const ModelItem& m = model_items_[i];
      ASSERT_EQ(items_[i]->Owner(), m.owner < 0 ? nullptr : &lists_[m.owner]) << i;
      ASSERT_EQ(items_[i]->Sequence(), m.sequence) << i;
      ASSERT_EQ(items_[i]->Flags(), m.flags) << i;
    }
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  static std::vector<int> Ids(cKyListItem* from, cKyListItem* (cKyListItem::*step)() const) {
    std::vector<int> ids;
    for (cKyListItem* p = from; p && ids.size() <= kItems; p = (p->*step)())
      ids.push_back(static_cast<Item*>(p)->id);
    return ids;
  }

  std::mt19937 rng_;
  std::vector<bool> alive_;
  ReorderingList lists_[kLists];
  ModelList model_lists_[kLists];
  Item* items_[kItems] = {};
  ModelItem model_items_[kItems];
  std::vector<int> expect_dead_;
};

TEST(KyList, RandomOperationsMatchModel) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    ListModel model(seed);
    for (int step = 0; step < 600; ++step) {
      model.Step();
      if (testing::Test::HasFatalFailure()) FAIL() << "seed " << seed << " step " << step;
      model.Check();
      if (testing::Test::HasFatalFailure()) FAIL() << "seed " << seed << " step " << step;
    }
  }
}

struct Plain : cKyListItem {};

TEST(KyList, AppendGivesSequenceNumbersAndEnds) {
  cKyList l;
  Plain* p[3] = {new Plain, new Plain, new Plain};
  for (Plain* x : p) EXPECT_EQ(l.Append(x), 0u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(p[i]->Sequence(), i + 1);
  EXPECT_EQ(l.Count(), 3u);
  EXPECT_EQ(l.FirstA(), p[0]);
  EXPECT_EQ(l.FirstB(), p[0]);
  EXPECT_EQ(l.LastA(), p[2]);
  EXPECT_EQ(l.LastB(), p[2]);
  EXPECT_EQ(p[0]->Next(), p[1]);
  EXPECT_EQ(p[2]->Next(), nullptr);
}

TEST(KyList, MoveBetweenListsAndForeignDelete) {
  cKyList l, m;
  Plain* x = new Plain;
  l.Append(x);
  m.Append(new Plain);
  EXPECT_EQ(l.DeleteItem(m.First()), 12u);
  EXPECT_EQ(m.Count(), 1u);
  EXPECT_EQ(m.Append(x), 0u);
  EXPECT_EQ(l.Count(), 0u);
  EXPECT_EQ(l.RemovalCounter(), 1u);
  EXPECT_EQ(m.Count(), 2u);
  EXPECT_EQ(m.SequenceCounter(), 2u);
  EXPECT_EQ(x->Sequence(), 2);
  EXPECT_EQ(l.FirstA(), nullptr);
  EXPECT_EQ(l.LastB(), nullptr);
  Plain free_item;
  EXPECT_EQ(l.DeleteItem(&free_item), 12u);
}

TEST(KyList, UnownedItemSurvivesDeleteAllAndListDestruction) {
  Plain keep;
  keep.SetFlags(kKyItemNotOwned | kKyItemPinned);
  {
    cKyList l;
    l.Append(new Plain);
    l.Append(&keep);
    EXPECT_EQ(l.DeleteAll(true), 0u);
    EXPECT_EQ(l.Count(), 1u);  // pinned and not owned: stays
    EXPECT_EQ(l.SequenceCounter(), 0u);
  }
  // The list is gone; the item must be free, not linked to it.
  EXPECT_EQ(keep.Owner(), nullptr);
  EXPECT_EQ(keep.Sequence(), -1);
}

TEST(KyList, FindLastSearchesOrderingABackwards) {
  cKyList l;
  Plain* p[4];
  for (Plain*& x : p) l.Append(x = new Plain);
  auto odd = [](cKyListItem* item, void*) -> Dword {
    return (item->Sequence() & 1) ? 0x100u | 1u : 0x100u;
  };
  EXPECT_EQ(l.FindLast(odd, nullptr), p[2]);
  auto none = [](cKyListItem*, void*) -> Dword { return 0x100u; };  // lowest byte 0
  EXPECT_EQ(l.FindLast(none, nullptr), nullptr);
}

}  // namespace
