// Paged pool of fixed-size objects of one type T. Pages come from the heap one at a time, are cut
// into equal slots aligned for T, and stay until the pool dies; free slots form a list threaded
// through their first pointer-sized bytes. Pooled classes route operator new / delete through it.
// An optional debug mode adds fill patterns, guard pad bytes and an in-use header flag. A pointer
// that is not a live slot of this pool is never taken back: the call is refused and logged. Each
// page keeps an in-use mark per slot, and the pages are indexed by the address spans they cover,
// so that check (and with it every free) takes the same time however many pages the pool has.
// Under AddressSanitizer a free slot is poisoned past its list link (outside debug mode, whose
// fill patterns are there to be read), so a use after free of a pooled object is reported like
// one of a heap object.
#pragma once

#include "core/Log.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace Vesk {

struct ObjectAllocatorConfig {
    uint32_t objectsPerPage = 16;
    bool useGeneralHeap = false; // every object is its own heap allocation; no pages
    uint32_t maxPages = 0;       // 0: no limit
    bool debug = false;          // fill patterns, pad-byte checks, in-use flag
    uint32_t padBytes = 0;       // guard bytes on each side of every object
    uint32_t headerBytes = 0;    // before the front pad; the last one is the in-use flag
    uint32_t alignment = 0;      // 0: the type's own alignment
};

struct ObjectAllocatorStatistics {
    uint32_t objectSize = 0;
    uint32_t freeObjects = 0;
    uint32_t objectsInUse = 0;
    uint32_t pagesInUse = 0;
    uint32_t pageSize = 0;
    uint32_t mostObjects = 0;
    uint32_t allocations = 0;
    uint32_t deallocations = 0;
};

// Misuse of a pool is logged with the source file and a fixed text; the pool stays intact.
inline void ReportAllocatorFault(const char* text) { LogLine(std::string("include/core/CObjectAllocator.h: ") + text); }

template <typename T>
class CObjectAllocator {
public:
    static constexpr unsigned char kFillNew = 0xAA, kFillAllocated = 0xBB, kFillFreed = 0xCC, kFillPad = 0xDD,
                                   kFillAlign = 0xEE;

    explicit CObjectAllocator(uint32_t objectsPerPage) : CObjectAllocator(DefaultConfig(objectsPerPage)) {}

    explicit CObjectAllocator(const ObjectAllocatorConfig& config) : m_Config(config)
    {
        m_Config.objectsPerPage = std::max<uint32_t>(m_Config.objectsPerPage, 1);
        ComputeLayout();
        if (!m_Config.useGeneralHeap)
            AllocateNewPage();
    }

    ~CObjectAllocator()
    {
        // Pages go back newest first; no destructor of T runs.
        while (m_PageHead) {
            Unpoison(m_PageHead, m_Stats.pageSize);
            unsigned char* next = ReadLink(m_PageHead);
            ::operator delete(m_PageHead, std::align_val_t(m_PageAlignment));
            m_PageHead = next;
        }
        for (T* object : m_HeapObjects)
            ::operator delete(object, std::align_val_t(alignof(T)));
    }

    CObjectAllocator(const CObjectAllocator&) = delete;
    CObjectAllocator& operator=(const CObjectAllocator&) = delete;

    // A raw slot for one T (the caller constructs in it); null only when the page limit is reached.
    T* Allocate()
    {
        if (m_Config.useGeneralHeap) {
            T* object = static_cast<T*>(::operator new(sizeof(T), std::align_val_t(alignof(T))));
            m_HeapObjects.insert(object);
            CountAllocation();
            return object;
        }
        if (!m_FreeHead && !AllocateNewPage())
            return nullptr;
        unsigned char* slot = m_FreeHead;
        m_FreeHead = ReadLink(slot);
        Unpoison(slot, m_SlotBytes);
        *MarkOf(reinterpret_cast<T*>(slot)) = 1;
        --m_Stats.freeObjects;
        CountAllocation();
        if (m_Config.debug) {
            if (m_Config.headerBytes)
                *InUseFlag(slot) = 1;
            std::memset(slot, kFillAllocated, m_SlotBytes);
        }
        return reinterpret_cast<T*>(slot);
    }

    // Takes a slot back without running T's destructor (for operator delete, which already ran it).
    // False, with a logged reason, when the pointer is not a live slot of this pool.
    bool Deallocate(T* object)
    {
        if (!object)
            return false;
        if (m_Config.useGeneralHeap)
            return ReleaseHeapObject(object);
        unsigned char* mark = CheckReturnable(object);
        if (!mark)
            return false;
        PushFree(reinterpret_cast<unsigned char*>(object), *mark);
        return true;
    }

    // Runs T's destructor, then takes the slot back; a refused pointer is not destroyed.
    bool Destroy(T* object)
    {
        if (!object)
            return false;
        if (m_Config.useGeneralHeap) {
            if (m_HeapObjects.count(object))
                object->~T();
            return ReleaseHeapObject(object); // reports an object that is not live
        }
        unsigned char* mark = CheckReturnable(object);
        if (!mark)
            return false;
        object->~T();
        PushFree(reinterpret_cast<unsigned char*>(object), *mark);
        return true;
    }

    // Destroys every live object once; pages stay allocated and every slot ends up free.
    void FreeAll()
    {
        if (m_Config.useGeneralHeap) {
            // A destructor may release other objects of the pool, so take one at a time.
            while (!m_HeapObjects.empty())
                Destroy(*m_HeapObjects.begin());
            return;
        }
        // Pages in address order; a mark is read when its slot is reached, so objects that
        // destructors released meanwhile are passed over.
        std::vector<uint32_t> order(m_Pages.size());
        for (uint32_t p = 0; p < order.size(); ++p)
            order[p] = p;
        std::sort(order.begin(), order.end(),
                  [this](uint32_t a, uint32_t b) { return m_Pages[a].start < m_Pages[b].start; });
        for (uint32_t p : order) {
            std::vector<unsigned char>& marks = m_Pages[p].marks;
            unsigned char* page = reinterpret_cast<unsigned char*>(m_Pages[p].start);
            for (uint32_t i = 0; i < m_Config.objectsPerPage; ++i) {
                if (!marks[i])
                    continue;
                unsigned char* slot = page + m_FirstObjectOffset + size_t(i) * m_Stride;
                if (m_Config.debug)
                    CheckPadBytes(slot);
                reinterpret_cast<T*>(slot)->~T();
                PushFree(slot, marks[i]);
            }
        }
    }

    // Whether the object is on the free list (a walk from its head). A list that loops is reported
    // and answers true, so that nothing is handed back onto it.
    bool IsInFreeList(const T* object) const
    {
        const unsigned char* wanted = reinterpret_cast<const unsigned char*>(object);
        uint32_t steps = 0;
        for (unsigned char* slot = m_FreeHead; slot; slot = ReadLink(slot)) {
            if (slot == wanted)
                return true;
            if (++steps > m_Stats.freeObjects) {
                ReportAllocatorFault("freelistptr goes back!");
                return true;
            }
        }
        return false;
    }

    // The slot's index on its page, or -1 (reported) when the pointer is not on a slot boundary of
    // one of the pool's pages.
    int ValidateObject(const T* object) const
    {
        uint32_t page = 0;
        return FindSlot(object, page);
    }

    const ObjectAllocatorStatistics& GetStatistics() const { return m_Stats; }
    const ObjectAllocatorConfig& GetConfig() const { return m_Config; }
    uint32_t GetLeftAlignmentBytes() const { return m_LeftAlignBytes; }
    uint32_t GetInterObjectAlignmentBytes() const { return m_InterAlignBytes; }
    // Bytes from one object to the next on a page.
    size_t GetStride() const { return m_Stride; }

private:
    static constexpr size_t kLinkBytes = sizeof(void*);

    static ObjectAllocatorConfig DefaultConfig(uint32_t objectsPerPage)
    {
        ObjectAllocatorConfig config;
        config.objectsPerPage = objectsPerPage;
        return config;
    }

    static size_t RoundUpPowerOfTwo(size_t value)
    {
        size_t result = 1;
        while (result < value)
            result <<= 1;
        return result;
    }

    void ComputeLayout()
    {
        m_Stats.objectSize = sizeof(T);
        m_SlotBytes = std::max(sizeof(T), kLinkBytes); // a free slot holds the list link
        const size_t natural = std::max(alignof(T), alignof(void*));
        const size_t x = m_Config.headerBytes + m_Config.padBytes + kLinkBytes;
        const size_t b = m_SlotBytes + 2 * size_t(m_Config.padBytes) + m_Config.headerBytes;
        size_t align = natural;
        if (m_Config.alignment == 0) {
            // Only as much as keeps every object aligned for T.
            m_LeftAlignBytes = static_cast<uint32_t>((x + align - 1) / align * align - x);
            m_InterAlignBytes = static_cast<uint32_t>((b + align - 1) / align * align - b);
        } else {
            // An explicit alignment always inserts gap bytes, a whole alignment when already aligned.
            align = RoundUpPowerOfTwo(std::max<size_t>(m_Config.alignment, natural));
            m_LeftAlignBytes = static_cast<uint32_t>((x / align + 1) * align - x);
            m_InterAlignBytes = static_cast<uint32_t>((b / align + 1) * align - b);
        }
        m_PageAlignment = std::max(align, alignof(std::max_align_t));
        m_Stride = b + m_InterAlignBytes;
        m_FirstObjectOffset = kLinkBytes + m_LeftAlignBytes + m_Config.headerBytes + m_Config.padBytes;
        const size_t n = m_Config.objectsPerPage;
        m_Stats.pageSize = static_cast<uint32_t>(kLinkBytes + m_LeftAlignBytes + n * b + (n - 1) * m_InterAlignBytes);
        m_SpanShift = 0;
        while ((size_t(2) << m_SpanShift) <= m_Stats.pageSize)
            ++m_SpanShift;
    }

    bool AllocateNewPage()
    {
        if (m_Config.maxPages != 0 && m_Stats.pagesInUse == m_Config.maxPages) {
            ReportAllocatorFault("allocate_new_page: The maximum number of pages has been allocated.");
            return false;
        }
        unsigned char* page =
            static_cast<unsigned char*>(::operator new(m_Stats.pageSize, std::align_val_t(m_PageAlignment)));
        std::memset(page, 0, m_Stats.pageSize);
        WriteLink(page, m_PageHead);
        m_PageHead = page;
        IndexPage(reinterpret_cast<uintptr_t>(page));
        if (m_Config.debug)
            std::memset(page + kLinkBytes, kFillAlign, m_LeftAlignBytes);
        unsigned char* previous = nullptr;
        for (uint32_t i = 0; i < m_Config.objectsPerPage; ++i) {
            unsigned char* slot = page + m_FirstObjectOffset + size_t(i) * m_Stride;
            if (m_Config.debug) {
                std::memset(slot, kFillNew, m_SlotBytes);
                std::memset(slot - m_Config.padBytes, kFillPad, m_Config.padBytes);
                std::memset(slot + m_SlotBytes, kFillPad, m_Config.padBytes);
                if (i + 1 < m_Config.objectsPerPage)
                    std::memset(slot + m_SlotBytes + m_Config.padBytes, kFillAlign, m_InterAlignBytes);
            }
            WriteLink(slot, previous);
            PoisonFreeSlot(slot);
            previous = slot;
        }
        // Slots go out from the highest address down.
        m_FreeHead = previous;
        m_Stats.freeObjects += m_Config.objectsPerPage;
        ++m_Stats.pagesInUse;
        return true;
    }

    // Spans are the largest power of two no longer than a page, so a page reaches into at most
    // three spans and a span into at most two pages.
    static constexpr uint32_t kNoPage = UINT32_MAX;
    using SpanPages = std::array<uint32_t, 2>;

    void IndexPage(uintptr_t start)
    {
        const uint32_t p = static_cast<uint32_t>(m_Pages.size());
        m_Pages.push_back({start, std::vector<unsigned char>(m_Config.objectsPerPage, 0)});
        const uintptr_t last = (start + m_Stats.pageSize - 1) >> m_SpanShift;
        for (uintptr_t span = start >> m_SpanShift; span <= last; ++span) {
            SpanPages& pages = m_PagesBySpan.try_emplace(span, SpanPages{kNoPage, kNoPage}).first->second;
            pages[pages[0] == kNoPage ? 0 : 1] = p;
        }
    }

    // ValidateObject's answer, with the index of the slot's page: the page is looked up by the
    // span of memory the address lies in, not searched for.
    int FindSlot(const T* object, uint32_t& pageIndex) const
    {
        const uintptr_t address = reinterpret_cast<uintptr_t>(object);
        const auto span = m_PagesBySpan.find(address >> m_SpanShift);
        if (span != m_PagesBySpan.end()) {
            for (uint32_t p : span->second) {
                if (p == kNoPage || address < m_Pages[p].start || address >= m_Pages[p].start + m_Stats.pageSize)
                    continue;
                const uintptr_t first = m_Pages[p].start + m_FirstObjectOffset;
                if (address < first || (address - first) % m_Stride != 0) {
                    ReportAllocatorFault("validate_object: Object on bad boundary in page.");
                    return -1;
                }
                pageIndex = p;
                return static_cast<int>((address - first) / m_Stride);
            }
        }
        ReportAllocatorFault("validate_object: Object not on a page.");
        return -1;
    }

    // The slot's in-use mark; null (reported) when the object is not on a slot boundary of a page.
    unsigned char* MarkOf(const T* object)
    {
        uint32_t page = 0;
        const int index = FindSlot(object, page);
        return index < 0 ? nullptr : &m_Pages[page].marks[static_cast<size_t>(index)];
    }

    // The slot's in-use mark when the object may be taken back; null (reported) otherwise.
    unsigned char* CheckReturnable(const T* object)
    {
        unsigned char* mark = MarkOf(object);
        if (!mark)
            return nullptr;
        if (!*mark) {
            if (m_Config.debug)
                ReportAllocatorFault("FreeObject: Object has already been freed.");
            return nullptr;
        }
        if (m_Config.debug)
            CheckPadBytes(reinterpret_cast<unsigned char*>(const_cast<T*>(object)));
        return mark;
    }

    // Reports a damaged guard and restores it, so one overrun is reported once.
    void CheckPadBytes(unsigned char* slot) const
    {
        const uint32_t pad = m_Config.padBytes;
        for (uint32_t i = 1; i <= pad; ++i) {
            if (slot[-static_cast<ptrdiff_t>(i)] != kFillPad) {
                ReportAllocatorFault("check_padbytes: Memory corrupted before block.");
                std::memset(slot - pad, kFillPad, pad);
                break;
            }
        }
        for (uint32_t i = 0; i < pad; ++i) {
            if (slot[m_SlotBytes + i] != kFillPad) {
                ReportAllocatorFault("check_padbytes: Memory corrupted after block.");
                std::memset(slot + m_SlotBytes, kFillPad, pad);
                break;
            }
        }
    }

    void PushFree(unsigned char* slot, unsigned char& mark)
    {
        mark = 0;
        if (m_Config.debug) {
            std::memset(slot, kFillFreed, m_SlotBytes);
            if (m_Config.headerBytes)
                *InUseFlag(slot) = 0;
        }
        WriteLink(slot, m_FreeHead);
        PoisonFreeSlot(slot);
        m_FreeHead = slot;
        --m_Stats.objectsInUse;
        ++m_Stats.deallocations;
        ++m_Stats.freeObjects;
    }

    bool ReleaseHeapObject(T* object)
    {
        if (!m_HeapObjects.erase(object)) {
            ReportAllocatorFault("validate_object: Object not on a page.");
            return false;
        }
        ::operator delete(object, std::align_val_t(alignof(T)));
        --m_Stats.objectsInUse;
        ++m_Stats.deallocations;
        return true;
    }

    void CountAllocation()
    {
        ++m_Stats.objectsInUse;
        ++m_Stats.allocations;
        m_Stats.mostObjects = std::max(m_Stats.mostObjects, m_Stats.objectsInUse);
    }

    // A free slot keeps only its list link readable.
    void PoisonFreeSlot(unsigned char* slot) const
    {
#if defined(__SANITIZE_ADDRESS__)
        if (!m_Config.debug)
            ASAN_POISON_MEMORY_REGION(slot + kLinkBytes, m_SlotBytes - kLinkBytes);
#else
        (void)slot;
#endif
    }
    static void Unpoison(unsigned char* at, size_t bytes)
    {
#if defined(__SANITIZE_ADDRESS__)
        ASAN_UNPOISON_MEMORY_REGION(at, bytes);
#else
        (void)at;
        (void)bytes;
#endif
    }

    unsigned char* InUseFlag(unsigned char* slot) const { return slot - m_Config.padBytes - 1; }

    static unsigned char* ReadLink(const unsigned char* at)
    {
        unsigned char* link;
        std::memcpy(&link, at, sizeof link);
        return link;
    }
    static void WriteLink(unsigned char* at, unsigned char* link) { std::memcpy(at, &link, sizeof link); }

    ObjectAllocatorConfig m_Config;
    uint32_t m_LeftAlignBytes = 0;
    uint32_t m_InterAlignBytes = 0;
    ObjectAllocatorStatistics m_Stats;
    size_t m_SlotBytes = 0;
    size_t m_Stride = 0;
    size_t m_FirstObjectOffset = 0;
    size_t m_PageAlignment = alignof(std::max_align_t);
    unsigned char* m_PageHead = nullptr;
    unsigned char* m_FreeHead = nullptr;
    std::unordered_set<T*> m_HeapObjects; // live objects of a general-heap pool
    // Per page (in the order they came): its start address and one in-use mark per slot.
    struct Page {
        uintptr_t start;
        std::vector<unsigned char> marks;
    };
    std::vector<Page> m_Pages;
    // Per span of addresses (address >> m_SpanShift), the pages reaching into it.
    std::unordered_map<uintptr_t, SpanPages> m_PagesBySpan;
    unsigned m_SpanShift = 0;
};

} // namespace Vesk
