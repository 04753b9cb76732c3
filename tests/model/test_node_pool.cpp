// The pool of the tree nodes: the lowest free place of the earliest block first, freed
// places before new ones, every object's bytes its own.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "widget/model/glim_menu.h"
#include "widget/model/node_pool.h"

using namespace snippo;

TEST(NodePool, PlacesGoLowestFirstAndATreeFreedWholeIsLaidOutAgainFromTheStart)
{
    NodePool pool(416);
    ASSERT_EQ(416u, pool.ObjectSize());
    const std::size_t perBlock = pool.ObjectsPerBlock();
    const std::size_t n = 2 * perBlock + 5;  // into a third block
    std::vector<char*> placed;
    for (std::size_t i = 0; i < n; ++i) {
        placed.push_back(static_cast<char*>(pool.Allocate()));
        std::memset(placed.back(), static_cast<int>(i % 251), 416);
    }
    EXPECT_EQ(3u, pool.BlockCount());
    for (std::size_t i = 0; i < n; ++i) {
        ASSERT_EQ(static_cast<char>(i % 251), placed[i][0]) << i;
        ASSERT_EQ(static_cast<char>(i % 251), placed[i][415]) << i;
        if (i % perBlock != 0) {
            ASSERT_EQ(placed[i - 1] + 416, placed[i]) << i;  // side by side within a block
        }
    }

    pool.Free(placed[n - 1]);
    pool.Free(placed[perBlock + 3]);
    pool.Free(placed[7]);
    EXPECT_EQ(placed[7], pool.Allocate());
    EXPECT_EQ(placed[perBlock + 3], pool.Allocate());
    EXPECT_EQ(placed[n - 1], pool.Allocate());

    // Freed in an order of its own (odd places from the top, then even ones from the
    // bottom), the next objects still take the places in address order.
    for (std::size_t i = n; i-- > 0;)
        if (i % 2)
            pool.Free(placed[i]);
    for (std::size_t i = 0; i < n; i += 2)
        pool.Free(placed[i]);
    for (std::size_t i = 0; i < n; ++i)
        ASSERT_EQ(placed[i], pool.Allocate()) << i;
    EXPECT_EQ(3u, pool.BlockCount());
}

TEST(NodePool, AMenuTreeIsBuiltInTheOrderItsWalksVisitIt)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "checked builds keep tree nodes on the general heap";
#else
    for (int round = 0; round < 2; ++round) {  // the second tree takes the first one's places
        auto root = std::make_unique<CGlimMenu>(0);
        for (int i = 0; i < 4; ++i) {
            auto item = std::make_unique<CGlimMenuItem>("Item");
            item->SubMenu()->AddItem(std::make_unique<CGlimMenuItem>("Sub"), 0);
            root->AddItem(std::move(item), 0);
        }
        std::vector<const void*> menus;
        ForEachMenu(static_cast<const CGlimMenu*>(root.get()), [&](const CGlimMenu* m) { menus.push_back(m); });
        ASSERT_EQ(9u, menus.size());
        for (std::size_t i = 1; i < menus.size(); ++i)
            EXPECT_LT(menus[i - 1], menus[i]) << i;
    }
#endif
}
