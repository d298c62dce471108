// The process-wide list of menu icons: registration skips records it holds, and the lookup
// honours the entry for every checked item.
#include "decor/MenuIconList.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

int listA = 0;
int listB = 0;
ImageListRef A() {
    return &listA;
}
ImageListRef B() {
    return &listB;
}

TEST(MenuIconList, RegisteringTheSameTableTwiceAddsNothing) {
    MenuIconList list;
    const MenuIconEntry table[] = {{100, A(), 0, nullptr, 0}, {101, A(), 1, nullptr, 0}};
    EXPECT_EQ(list.Register(table, 2), 2);
    EXPECT_EQ(list.Register(table, 2), 0);
    EXPECT_EQ(list.Count(), 2u);
    // Equal records that are other objects are other entries.
    const MenuIconEntry copy[] = {table[0]};
    EXPECT_EQ(list.Register(copy, 1), 1);
    EXPECT_EQ(list.Register(nullptr, 3), 0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(MenuIconList, FirstMatchGivesTheNormalOrTheCheckedImage) {
    MenuIconList list;
    const MenuIconEntry table[] = {{100, A(), 3, B(), 7}, {100, A(), 9, nullptr, 0}, {200, nullptr, 0, B(), 2}};
    list.Register(table, 3);

    const MenuIcon normal = list.Find(100, false);
    EXPECT_EQ(normal.list, A());
    EXPECT_EQ(normal.index, 3) << "the first entry, not the second";
    EXPECT_EQ(normal.entry, &table[0]);
    EXPECT_FALSE(normal.EntryLacksAnImage());

    const MenuIcon checked = list.Find(100, true);
    EXPECT_EQ(checked.list, B());
    EXPECT_EQ(checked.index, 7);

    const MenuIcon onlyChecked = list.Find(200, false);
    EXPECT_FALSE(onlyChecked.HasImage()) << "an entry without a normal image";
    EXPECT_TRUE(onlyChecked.EntryLacksAnImage());

    const MenuIcon none = list.Find(300, false);
    EXPECT_FALSE(none.HasImage());
    EXPECT_EQ(none.entry, nullptr);
    EXPECT_FALSE(none.EntryLacksAnImage());
}

TEST(MenuIconList, TheEntryForAnyCheckedItemServesCheckedItemsWithoutAnImageOfTheirOwn) {
    MenuIconList list;
    const MenuIconEntry table[] = {
        {kAnyCheckedCommand, nullptr, 0, B(), 5}, {100, A(), 1, nullptr, 0}, {kAnyCheckedCommand, nullptr, 0, B(), 6}};
    list.Register(table, 3);

    EXPECT_FALSE(list.Find(400, false).HasImage()) << "unchecked items are not served";
    const MenuIcon checked = list.Find(400, true);
    EXPECT_EQ(checked.list, B());
    EXPECT_EQ(checked.index, 6) << "the last such entry walked";
    EXPECT_EQ(checked.entry, nullptr);

    // The item's own entry, found after the first such entry, wins: it has no checked image.
    const MenuIcon own = list.Find(100, true);
    EXPECT_FALSE(own.HasImage());
    EXPECT_EQ(own.entry, &table[1]);
    EXPECT_EQ(list.Find(100, false).index, 1);
}

} // namespace
} // namespace vk
