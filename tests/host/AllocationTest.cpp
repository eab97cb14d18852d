// The language table's memory: the one file buffer at construction, nothing
// when a language is selected. Counts every operator new of this program.
#include "LanguageTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>

namespace {
int allocations = 0;
int releases = 0;
size_t allocatedBytes = 0;

void* Allocate(size_t size) {
    ++allocations;
    allocatedBytes += size;
    return std::malloc(size > 0 ? size : 1);
}
void Release(void* p) {
    if (p == NULL) return;
    ++releases;
    std::free(p);
}
} // namespace

void* operator new(size_t size) {
    void* p = Allocate(size);
    if (p == NULL) throw std::bad_alloc();
    return p;
}
void* operator new[](size_t size) {
    void* p = Allocate(size);
    if (p == NULL) throw std::bad_alloc();
    return p;
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}

TEST(LanguageTableMemory, OneBufferForTheShippedFile) {
    std::ifstream in(SHIPPED_FILE, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << SHIPPED_FILE;
    std::stringstream content;
    content << in.rdbuf();
    const std::string bytes = content.str();
    ASSERT_GT(bytes.size(), 1000u);

    allocations = releases = 0;
    allocatedBytes = 0;
    LanguageTable* table = new (std::nothrow) LanguageTable(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), GetDefaultTexts());
    ASSERT_TRUE(table != NULL);
    // The table object itself and its file buffer of size/2 + 3 units.
    EXPECT_EQ(2, allocations);
    EXPECT_EQ(sizeof(LanguageTable) + (bytes.size() / 2 + 3) * sizeof(TextChar), allocatedBytes);

    allocations = 0;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < table->GetSectionCount(); ++i) {
            EXPECT_TRUE(table->SelectLanguage(i));
            for (int id = 0; id < MAX_TEXT_IDS; ++id)
                table->GetText(id);
        }
    }
    EXPECT_EQ(6, table->GetSectionCount());
    EXPECT_EQ(0, allocations) << "selecting and reading texts allocated";

    delete table;
    EXPECT_EQ(2, releases);
}
