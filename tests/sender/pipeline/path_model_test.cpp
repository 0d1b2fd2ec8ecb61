// The node store of a cut path: a released path hands every node back, and
// the next path must get whole, unshared nodes whatever the previous path
// went through (points removed and recycled, a new head from the closing
// overcut, more points than one block holds).
#include "sender/pipeline/path_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "sender/pipeline/path_transforms.h"

namespace tarnik {
namespace {

// Appends n points on a staircase (no two in a row equal).
void Fill(CutPath& path, int n, int32_t base) {
    path.Open(base, base);
    for (int i = 1; i < n; ++i) path.Append(base + i, base + (i % 2));
}

// The path as appended by Fill, with no node met twice.
void ExpectFilled(const CutPath& path, int n, int32_t base) {
    std::set<const PathPoint*> seen;
    int i = 0;
    for (const PathPoint* p = path.head; p != nullptr; p = p->next, ++i) {
        ASSERT_TRUE(seen.insert(p).second) << "node " << i << " met twice";
        ASSERT_LT(i, n);
        EXPECT_EQ(p->x, base + i);
        EXPECT_EQ(p->y, i == 0 ? base : base + (i % 2));
    }
    EXPECT_EQ(i, n);
    EXPECT_EQ(path.count, n);
    EXPECT_EQ(path.tail->next, nullptr);
}

TEST(CutPath, NextPathGetsWholeNodesWhateverTheLastOneDid) {
    const struct {
        const char* label;
        std::function<void(CutPath&)> history;
    } cases[] = {
        {"nothing before", [](CutPath&) {}},
        {"a path longer than one block", [](CutPath& path) { Fill(path, 1000, 5); }},
        {"points removed and recycled",
         [](CutPath& path) {
             Fill(path, 300, 5);
             for (int i = 0; i < 100; ++i) path.RemovePointAfter(path.head);
         }},
        {"head replaced by the closing overcut",
         [](CutPath& path) {
             path.Open(0, 0);
             for (const auto& p : {std::pair{5000, 0}, {5000, 5000}, {0, 5000}, {0, 0}})
                 path.Append(p.first, p.second);
             AddClosingOvercut(path, 0.5f);
         }},
        {"several paths in turn",
         [](CutPath& path) {
             for (int n = 1; n < 600; n += 97) {
                 Fill(path, n, n);
                 path.Release();
             }
             Fill(path, 700, 1);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CutPath path;
        c.history(path);
        path.Release();
        EXPECT_EQ(path.Length(), 1);
        EXPECT_EQ(path.count, 0);
        Fill(path, 600, 40);
        ExpectFilled(path, 600, 40);
        // Nodes inserted during a rework come from the same store.
        PathPoint* inserted = path.InsertPointAfter(path.tail, 0, 0);
        EXPECT_EQ(inserted->next, nullptr);
        EXPECT_EQ(path.Length(), 601);
    }
}

}  // namespace
}  // namespace tarnik
