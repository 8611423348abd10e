#include "core/CObjectAllocator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

using Vesk::CObjectAllocator;
using Vesk::ObjectAllocatorConfig;

namespace {

int g_Destructions = 0;

struct Counted {
    explicit Counted(int v = 0) : value(v) {}
    ~Counted() { ++g_Destructions; }
    int64_t value;
    char bytes[56];
};
static_assert(sizeof(Counted) == 64, "test type layout");

// A pooled class as the engine writes them: its own operator new and delete go through the pool.
struct Pooled {
    static CObjectAllocator<Pooled>* s_Pool;
    static void* operator new(size_t size)
    {
        EXPECT_EQ(size, sizeof(Pooled)) << "size is not the same!";
        return s_Pool->Allocate();
    }
    static void operator delete(void* p) { s_Pool->Deallocate(static_cast<Pooled*>(p)); }
    ~Pooled() { ++g_Destructions; }
    double payload[3] = {};
};
CObjectAllocator<Pooled>* Pooled::s_Pool = nullptr;

// An owner whose destructor deletes its child from the same pool.
struct Node {
    static CObjectAllocator<Node>* s_Pool;
    static void* operator new(size_t) { return s_Pool->Allocate(); }
    static void operator delete(void* p) { s_Pool->Deallocate(static_cast<Node*>(p)); }
    explicit Node(Node* c) : child(c) {}
    ~Node()
    {
        ++g_Destructions;
        delete child;
    }
    Node* child;
};
CObjectAllocator<Node>* Node::s_Pool = nullptr;

struct alignas(16) Aligned16 {
    float v[4];
    int tag;
};

class ObjectAllocatorTest : public ::testing::Test {
protected:
    void SetUp() override { g_Destructions = 0; }
};

template <typename T>
bool SameStats(const CObjectAllocator<T>& pool, const Vesk::ObjectAllocatorStatistics& before)
{
    const auto& now = pool.GetStatistics();
    return now.freeObjects == before.freeObjects && now.objectsInUse == before.objectsInUse &&
           now.pagesInUse == before.pagesInUse && now.deallocations == before.deallocations;
}

TEST_F(ObjectAllocatorTest, PagesGrowOnDemandAndHandOutHighestAddressFirst)
{
    CObjectAllocator<Counted> pool(16);
    const auto& stats = pool.GetStatistics();
    EXPECT_EQ(stats.pagesInUse, 1u);
    EXPECT_EQ(stats.freeObjects, 16u);
    EXPECT_EQ(stats.objectSize, sizeof(Counted));
    EXPECT_EQ(stats.pageSize, sizeof(void*) + 16 * sizeof(Counted));

    std::vector<Counted*> objects;
    for (int i = 0; i < 16; ++i)
        objects.push_back(pool.Allocate());
    for (size_t i = 1; i < objects.size(); ++i)
        EXPECT_EQ(reinterpret_cast<char*>(objects[i - 1]) - reinterpret_cast<char*>(objects[i]),
                  static_cast<ptrdiff_t>(sizeof(Counted)));
    EXPECT_EQ(stats.pagesInUse, 1u);
    EXPECT_EQ(stats.freeObjects, 0u);

    objects.push_back(pool.Allocate());
    EXPECT_EQ(stats.pagesInUse, 2u);
    EXPECT_EQ(stats.freeObjects, 15u);
    EXPECT_EQ(stats.objectsInUse, 17u);
    EXPECT_EQ(stats.mostObjects, 17u);
    EXPECT_EQ(stats.allocations, 17u);

    // A returned slot is the next one handed out.
    Counted* back = objects[5];
    EXPECT_TRUE(pool.Deallocate(back));
    EXPECT_TRUE(pool.IsInFreeList(back));
    EXPECT_EQ(pool.Allocate(), back);
    EXPECT_EQ(stats.mostObjects, 17u);
}

TEST_F(ObjectAllocatorTest, EachLiveObjectIsDestroyedExactlyOnce)
{
    CObjectAllocator<Counted> pool(4);
    std::vector<Counted*> objects;
    for (int i = 0; i < 10; ++i)
        objects.push_back(new (pool.Allocate()) Counted(i));

    EXPECT_TRUE(pool.Destroy(objects[0]));
    EXPECT_EQ(g_Destructions, 1);
    // Destroying or returning it again changes nothing.
    const auto before = pool.GetStatistics();
    EXPECT_FALSE(pool.Destroy(objects[0]));
    EXPECT_FALSE(pool.Deallocate(objects[0]));
    EXPECT_EQ(g_Destructions, 1);
    EXPECT_TRUE(SameStats(pool, before));

    // Returned without its destructor: FreeAll must not destroy it later either.
    EXPECT_TRUE(pool.Deallocate(objects[1]));
    EXPECT_EQ(g_Destructions, 1);

    pool.FreeAll();
    EXPECT_EQ(g_Destructions, 1 + 8);
    const auto& stats = pool.GetStatistics();
    EXPECT_EQ(stats.objectsInUse, 0u);
    EXPECT_EQ(stats.freeObjects, stats.pagesInUse * 4u);
    EXPECT_EQ(stats.pagesInUse, 3u);

    pool.FreeAll();
    EXPECT_EQ(g_Destructions, 9);
}

TEST_F(ObjectAllocatorTest, PooledDeleteRunsTheDestructorOnce)
{
    CObjectAllocator<Pooled> pool(8);
    Pooled::s_Pool = &pool;
    Pooled* a = new Pooled;
    Pooled* b = new Pooled;
    delete a;
    EXPECT_EQ(g_Destructions, 1);
    EXPECT_TRUE(pool.IsInFreeList(a));
    pool.FreeAll();
    EXPECT_EQ(g_Destructions, 2);
    EXPECT_TRUE(pool.IsInFreeList(b));
    Pooled::s_Pool = nullptr;
}

TEST_F(ObjectAllocatorTest, ForeignAndMisalignedPointersAreRefused)
{
    CObjectAllocator<Counted> pool(8);
    Counted* live = new (pool.Allocate()) Counted(7);
    Counted* second = new (pool.Allocate()) Counted(8);
    Counted onStack;
    auto onHeap = std::make_unique<Counted>();
    char* raw = reinterpret_cast<char*>(live);

    struct Case {
        const char* name;
        Counted* pointer;
        const char* report;
    } cases[] = {
        {"inside a slot", reinterpret_cast<Counted*>(raw + 8), "validate_object: Object on bad boundary in page."},
        {"one byte off", reinterpret_cast<Counted*>(raw + 1), "validate_object: Object on bad boundary in page."},
        {"page link", reinterpret_cast<Counted*>(raw - 7 * sizeof(Counted) - sizeof(void*)),
         "validate_object: Object on bad boundary in page."},
        {"stack object", &onStack, "validate_object: Object not on a page."},
        {"heap object", onHeap.get(), "validate_object: Object not on a page."},
    };
    for (const Case& c : cases) {
        for (bool destroy : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (destroy ? " destroy" : " deallocate"));
            const auto before = pool.GetStatistics();
            const int destructions = g_Destructions;
            testing::internal::CaptureStderr();
            const bool taken = destroy ? pool.Destroy(c.pointer) : pool.Deallocate(c.pointer);
            const std::string err = testing::internal::GetCapturedStderr();
            EXPECT_FALSE(taken);
            EXPECT_NE(err.find(c.report), std::string::npos) << err;
            EXPECT_EQ(g_Destructions, destructions);
            EXPECT_TRUE(SameStats(pool, before));
        }
    }
    // The pool still works: the live objects are intact and come back normally.
    EXPECT_EQ(live->value, 7);
    EXPECT_EQ(second->value, 8);
    EXPECT_TRUE(pool.Destroy(live));
    EXPECT_TRUE(pool.Destroy(second));
    EXPECT_EQ(pool.GetStatistics().freeObjects, 8u);
    EXPECT_FALSE(pool.Deallocate(nullptr));
}

TEST_F(ObjectAllocatorTest, DebugModeFillsGuardsAndReportsOverruns)
{
    ObjectAllocatorConfig config;
    config.objectsPerPage = 4;
    config.debug = true;
    config.padBytes = 4;
    config.headerBytes = 1;
    CObjectAllocator<Counted> pool(config);

    Counted* object = pool.Allocate();
    auto* bytes = reinterpret_cast<unsigned char*>(object);
    for (size_t i = 0; i < sizeof(Counted); ++i)
        ASSERT_EQ(bytes[i], 0xBB) << i;
    EXPECT_EQ(bytes[-5], 1) << "in-use flag";
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(bytes[-i], 0xDD);

    // The next slot down has never been handed out.
    auto* fresh = bytes - pool.GetStride();
    for (size_t i = sizeof(void*); i < sizeof(Counted); ++i)
        ASSERT_EQ(fresh[i], 0xAA) << i;

    struct Overrun {
        ptrdiff_t offset;
        const char* report;
    } overruns[] = {
        {static_cast<ptrdiff_t>(sizeof(Counted)), "check_padbytes: Memory corrupted after block."},
        {-1, "check_padbytes: Memory corrupted before block."},
    };
    for (const Overrun& o : overruns) {
        Counted* victim = pool.Allocate();
        auto* v = reinterpret_cast<unsigned char*>(victim);
        v[o.offset] = 0x00;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(pool.Deallocate(victim));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(o.report), std::string::npos) << err;
        EXPECT_EQ(v[-5], 0) << "in-use flag cleared";
        for (size_t i = sizeof(void*); i < sizeof(Counted); ++i)
            ASSERT_EQ(v[i], 0xCC) << i;
    }

    // A double free is reported in debug mode and still changes nothing.
    EXPECT_TRUE(pool.Deallocate(object));
    const auto before = pool.GetStatistics();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(pool.Deallocate(object));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("FreeObject: Object has already been freed."),
              std::string::npos);
    EXPECT_TRUE(SameStats(pool, before));
}

TEST_F(ObjectAllocatorTest, ExplicitAlignmentFillsItsGaps)
{
    ObjectAllocatorConfig config;
    config.objectsPerPage = 3;
    config.debug = true;
    config.padBytes = 4;
    config.headerBytes = 1;
    config.alignment = 32;
    CObjectAllocator<Counted> pool(config);

    // header + pad + link = 13 -> 19 gap bytes; object + pads + header = 73 -> 23 gap bytes.
    EXPECT_EQ(pool.GetLeftAlignmentBytes(), 19u);
    EXPECT_EQ(pool.GetInterObjectAlignmentBytes(), 23u);
    EXPECT_EQ(pool.GetStride(), 96u);
    EXPECT_EQ(pool.GetStatistics().pageSize, 8u + 19u + 3u * 73u + 2u * 23u);

    std::vector<unsigned char*> slots;
    for (int i = 0; i < 3; ++i) {
        slots.push_back(reinterpret_cast<unsigned char*>(pool.Allocate()));
        EXPECT_EQ(reinterpret_cast<uintptr_t>(slots.back()) % 32, 0u);
    }
    // Between the lowest slot's back pad and the next slot's header lie the alignment bytes.
    unsigned char* lowest = slots.back();
    for (size_t i = 0; i < 23; ++i)
        EXPECT_EQ(lowest[sizeof(Counted) + 4 + i], 0xEE) << i;
}

TEST_F(ObjectAllocatorTest, OverAlignedTypesGetAlignedSlots)
{
    CObjectAllocator<Aligned16> pool(5);
    for (int i = 0; i < 12; ++i) {
        Aligned16* object = pool.Allocate();
        EXPECT_EQ(reinterpret_cast<uintptr_t>(object) % 16, 0u);
        new (object) Aligned16{{1, 2, 3, 4}, i};
    }
    EXPECT_EQ(pool.GetStatistics().pagesInUse, 3u);
}

TEST_F(ObjectAllocatorTest, DestructorsReleasingPoolObjectsDuringFreeAll)
{
    CObjectAllocator<Node> pool(4);
    Node::s_Pool = &pool;
    // Children take the higher slots, so FreeAll (address order) meets each parent first, and its
    // destructor returns the child before the walk gets there.
    Node* leafA = new Node(nullptr);
    Node* leafB = new Node(nullptr);
    new Node(leafA);
    new Node(leafB);
    pool.FreeAll();
    EXPECT_EQ(g_Destructions, 4);
    EXPECT_EQ(pool.GetStatistics().objectsInUse, 0u);
    EXPECT_EQ(pool.GetStatistics().freeObjects, 4u);
}

TEST_F(ObjectAllocatorTest, GeneralHeapPoolsTrackTheirObjects)
{
    ObjectAllocatorConfig config;
    config.useGeneralHeap = true;
    CObjectAllocator<Counted> pool(config);
    EXPECT_EQ(pool.GetStatistics().pagesInUse, 0u);
    Counted* a = new (pool.Allocate()) Counted(1);
    new (pool.Allocate()) Counted(2);
    Counted stranger;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(pool.Destroy(&stranger));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("validate_object: Object not on a page."), std::string::npos);
    EXPECT_EQ(g_Destructions, 0);
    EXPECT_TRUE(pool.Destroy(a));
    pool.FreeAll();
    EXPECT_EQ(g_Destructions, 2);
    EXPECT_EQ(pool.GetStatistics().objectsInUse, 0u);
    EXPECT_EQ(pool.GetStatistics().deallocations, 2u);
}

TEST_F(ObjectAllocatorTest, PageLimitIsReportedNotExceeded)
{
    ObjectAllocatorConfig config;
    config.objectsPerPage = 2;
    config.maxPages = 1;
    CObjectAllocator<Counted> pool(config);
    EXPECT_NE(pool.Allocate(), nullptr);
    EXPECT_NE(pool.Allocate(), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(pool.Allocate(), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "allocate_new_page: The maximum number of pages has been allocated."),
              std::string::npos);
    EXPECT_EQ(pool.GetStatistics().pagesInUse, 1u);
}

TEST_F(ObjectAllocatorTest, ManyPagesFreeInAnyOrderAndReuseTheirSlots)
{
    // 600 objects on 150 pages (and pages whose sizes are not powers of two), freed in each order:
    // every free is taken once, and the slots come back without a new page.
    constexpr int kCount = 600;
    struct Order {
        const char* name;
        std::vector<int> indices;
    };
    std::vector<Order> orders = {{"oldest first", {}}, {"newest first", {}}, {"every seventh", {}}, {"shuffled", {}}};
    for (int i = 0; i < kCount; ++i) {
        orders[0].indices.push_back(i);
        orders[1].indices.push_back(kCount - 1 - i);
        orders[2].indices.push_back(i * 7 % kCount); // 7 and 600 share no factor: each index once
    }
    orders[3].indices = orders[0].indices;
    uint32_t seed = 99u;
    for (int i = kCount - 1; i > 0; --i) {
        seed = seed * 1664525u + 1013904223u;
        std::swap(orders[3].indices[size_t(i)], orders[3].indices[size_t(seed % uint32_t(i + 1))]);
    }
    for (uint32_t perPage : {4u, 5u}) {
        for (const Order& order : orders) {
            SCOPED_TRACE(std::string(order.name) + " with " + std::to_string(perPage) + " per page");
            CObjectAllocator<Counted> pool(perPage);
            std::vector<Counted*> objects;
            for (int i = 0; i < kCount; ++i)
                objects.push_back(new (pool.Allocate()) Counted(i));
            const uint32_t pages = pool.GetStatistics().pagesInUse;
            for (int i : order.indices)
                ASSERT_TRUE(pool.Destroy(objects[size_t(i)])) << i;
            EXPECT_EQ(g_Destructions, kCount);
            EXPECT_EQ(pool.GetStatistics().objectsInUse, 0u);
            testing::internal::CaptureStderr();
            EXPECT_FALSE(pool.Deallocate(objects[size_t(order.indices.back())]));
            testing::internal::GetCapturedStderr();
            std::vector<Counted*> again;
            for (int i = 0; i < kCount; ++i)
                again.push_back(pool.Allocate());
            EXPECT_EQ(pool.GetStatistics().pagesInUse, pages);
            std::sort(objects.begin(), objects.end());
            std::sort(again.begin(), again.end());
            EXPECT_EQ(again, objects);
            g_Destructions = 0;
        }
    }
}

} // namespace
