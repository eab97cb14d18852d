// The language table built natively from the device sources: splitting,
// selection, fallback, memory, and the malformed files a device may hold.
#include "CountingHeap.h"
#include "LanguageTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <set>
#include <sstream>
#include <string>

namespace {

// A language file: byte-order mark, then the text as little-endian units.
std::string FileBytes(const std::u16string& text) {
    std::string bytes("\xFF\xFE", 2);
    for (char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

struct Table {
    std::string bytes;
    LanguageTable table;
    explicit Table(const std::string& fileBytes)
        : bytes(fileBytes), table(reinterpret_cast<const unsigned char*>(bytes.data()),
                                  bytes.size(), GetDefaultTexts()) {}
    explicit Table(const std::u16string& text) : Table(FileBytes(text)) {}
    std::u16string Text(int id) const { return Show(table.GetText(id)); }
    static std::u16string Show(const TextChar* text) { return text ? text : u"(none)"; }
};

const TextChar* English(int id) {
    for (const DefaultText* d = GetDefaultTexts(); d->id != -1; ++d) {
        if (d->id == id) return d->text;
    }
    return NULL;
}

// The ids the selected section gives itself rather than showing English.
std::set<int> OwnIds(const LanguageTable& table) {
    std::set<int> ids;
    for (int id = 0; id < MAX_TEXT_IDS; ++id) {
        if (table.GetText(id) != NULL && table.GetText(id) != English(id)) ids.insert(id);
    }
    return ids;
}

std::set<int> Ids(std::initializer_list<std::pair<int, int>> ranges) {
    std::set<int> ids;
    for (const auto& r : ranges) {
        for (int id = r.first; id <= r.second; ++id)
            ids.insert(id);
    }
    return ids;
}

TEST(LanguageTable, WithoutAFileOffersEnglishAlone) {
    for (const std::string& bytes : {std::string(), std::string("\xFF\xFE", 2)}) {
        Table t(bytes);
        EXPECT_EQ(1, t.table.GetSectionCount());
        EXPECT_EQ(u"English", Table::Show(t.table.GetSectionName(0)));
        EXPECT_FALSE(t.table.SelectLanguage(1));
        EXPECT_EQ(u"Soft Reset", t.Text(1));
        // Template-captioned ids have no English text: the control keeps its caption.
        EXPECT_EQ(NULL, t.table.GetText(52));
    }
}

TEST(LanguageTable, ShippedFile) {
    std::ifstream in(SHIPPED_FILE, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << SHIPPED_FILE;
    std::stringstream content;
    content << in.rdbuf();
    const std::string bytes = content.str();

    // One allocation for the table, one for its file buffer; none to select.
    heapAllocations = 0;
    LanguageTable* table = new (std::nothrow) LanguageTable(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), GetDefaultTexts());
    EXPECT_EQ(2, heapAllocations);
    heapAllocations = 0;
    for (int i = 0; i < 12; ++i)
        table->SelectLanguage(i % 6);
    EXPECT_EQ(0, heapAllocations);

    const char16_t* names[] = {u"English",    u"German",  u"Dutch",
                               u"Portuguese", u"Spanish", u"Hungarian"};
    ASSERT_EQ(6, table->GetSectionCount());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(names[i], Table::Show(table->GetSectionName(i)));
    const std::set<int> narrow = Ids({{1, 18}, {32, 42}, {45, 45}, {52, 63}});
    const std::set<int> wide = Ids({{1, 22}, {31, 42}, {45, 45}, {52, 71}});
    const std::set<int> hungarian = Ids({{1, 27}, {31, 42}, {45, 45}, {52, 73}});
    const std::set<int>* expected[] = {&narrow, &wide, &narrow, &wide, &hungarian};
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(table->SelectLanguage(i));
        EXPECT_EQ(*expected[i - 1], OwnIds(*table)) << "section " << i;
    }

    // German lacks 23; the literal ampersand stays doubled for the menu.
    table->SelectLanguage(1);
    EXPECT_EQ(English(23), table->GetText(23));
    EXPECT_EQ(u"Sounds && Benachrichtigungen", Table::Show(table->GetText(12)));
    EXPECT_EQ(u"Einstellungen", Table::Show(table->GetText(52)));
    // Portuguese lists 53 before 52.
    table->SelectLanguage(3);
    EXPECT_EQ(u"Principal", Table::Show(table->GetText(53)));
    EXPECT_EQ(u"Configurações", Table::Show(table->GetText(52)));
    delete table;
}

TEST(LanguageTable, TextIds) {
    Table t(u"[A]\r\nIX07=seven\r\nIX 8=eight\r\nIX80=out\r\nIX-1=neg\r\nIX4294967301=wraps\r\n"
            u"IX99999999999999999999=long\r\nIXnine=nine\r\nIX79=last\r\n");
    ASSERT_TRUE(t.table.SelectLanguage(1));
    EXPECT_EQ(u"seven", t.Text(7));
    EXPECT_EQ(u"eight", t.Text(8));
    // 2^32 + 5 must not wrap round to id 5.
    EXPECT_EQ(Ids({{7, 8}, {79, 79}}), OwnIds(t.table));
    for (int id : {-1, 80, 1000, 1001})
        EXPECT_EQ(NULL, t.table.GetText(id)) << id;

    // Built-in list: ids outside 0-79 are skipped, a later pair wins, -1 ends it.
    const DefaultText list[] = {{3, u"three"}, {-5, u"negative"}, {80, u"eighty"},
                                {3, u"again"}, {-1, u"end"},      {4, u"after the end"}};
    LanguageTable own(NULL, 0, list);
    EXPECT_EQ(u"again", Table::Show(own.GetText(3)));
    EXPECT_EQ(NULL, own.GetText(4));
}

TEST(LanguageTable, EntryLines) {
    // An id-5 line lacking "=" takes the id-6 line's text; id 6 stays unset.
    Table missing(u"[A]\r\nIX5 Memory\r\nIX6=Akku\r\nIX7=Designs\r\n");
    missing.table.SelectLanguage(1);
    EXPECT_EQ(u"Akku", missing.Text(5));
    EXPECT_EQ(u"Battery Level", missing.Text(6));
    EXPECT_EQ(u"Designs", missing.Text(7));

    // A repeated id keeps the later line; "IX" inside a text starts nothing; blanks stay.
    Table lines(u"[A]\r\nIX1=first\r\n\r\nnote\r\nIX2=see IX3=x\r\nIX1= second \r\n");
    lines.table.SelectLanguage(1);
    EXPECT_EQ(u" second ", lines.Text(1));
    EXPECT_EQ(u"see IX3=x", lines.Text(2));
    EXPECT_EQ(Ids({{1, 2}}), OwnIds(lines.table));

    // Lone LF and lone CR end lines; the last line needs no break.
    Table ends(u"[A]\nIX1=lf\nIX2=cr\rIX3=crlf\r\nIX4=end");
    ends.table.SelectLanguage(1);
    EXPECT_EQ(u"lf", ends.Text(1));
    EXPECT_EQ(u"cr", ends.Text(2));
    EXPECT_EQ(u"crlf", ends.Text(3));
    EXPECT_EQ(u"end", ends.Text(4));

    // Files that end inside an entry, or on an odd byte: nothing read past the end.
    Table bare(u"[A]\r\nIX5=");
    bare.table.SelectLanguage(1);
    EXPECT_EQ(u"", bare.Text(5));
    Table odd(FileBytes(u"[A]\r\nIX1=abc") + "d");
    odd.table.SelectLanguage(1);
    EXPECT_EQ(u"abcd", odd.Text(1));
}

TEST(LanguageTable, Sections) {
    // "[" in a text opens a section; the unit before it is lost.
    Table bracket(u"[A]\r\nIX1=Mem[B]\r\nIX2=two\r\n");
    ASSERT_EQ(3, bracket.table.GetSectionCount());
    bracket.table.SelectLanguage(1);
    EXPECT_EQ(u"Me", bracket.Text(1));

    // A header whose "]" never comes is not counted; the section before ends there.
    Table open(u"[A]\r\nIX1=a\r\n[B\r\nIX2=b\r\n");
    EXPECT_EQ(2, open.table.GetSectionCount());
    open.table.SelectLanguage(1);
    EXPECT_EQ(Ids({{1, 1}}), OwnIds(open.table));

    // Eleven sections: nine are offered; the ninth collects the rest's entries.
    std::u16string many;
    for (char16_t s = u'1'; s <= u'9' + 2; ++s) {
        std::u16string n(1, s > u'9' ? s - 10 : s);
        many += u"[S" + n + u"]\r\nIX" + n + u"=own\r\nIX40=from " + n + u"\r\n";
    }
    Table m(many);
    ASSERT_EQ(MAX_SECTIONS, m.table.GetSectionCount());
    EXPECT_EQ(NULL, m.table.GetSectionName(10));
    ASSERT_TRUE(m.table.SelectLanguage(9));
    EXPECT_EQ(Ids({{0, 1}, {9, 9}, {40, 40}}), OwnIds(m.table));
    EXPECT_EQ(u"from 1", m.Text(40));

    // An 8-bit file has no "[" among its 16-bit units.
    EXPECT_EQ(1, Table(std::string("[German]\r\nIX1=Soft-Reset\r\n")).table.GetSectionCount());
}

TEST(LanguageTable, Selection) {
    Table t(u"[A]\r\nIX1=a1\r\nIX2=a2\r\n[B]\r\nIX1=b1\r\nIX52=b52\r\n");
    LanguageTable& table = t.table;
    ASSERT_TRUE(table.SelectLanguage(1));
    ASSERT_TRUE(table.SelectLanguage(2));
    EXPECT_EQ(u"Hard Reset", t.Text(2));
    // Re-selecting re-parses over the terminators the first parse wrote.
    ASSERT_TRUE(table.SelectLanguage(1));
    EXPECT_EQ(u"a1", t.Text(1));
    EXPECT_EQ(u"a2", t.Text(2));

    // Beyond the sections: refused, the language in force stays.
    EXPECT_FALSE(table.SelectLanguage(3));
    EXPECT_EQ(u"a1", t.Text(1));
    // Nothing chosen (-1): accepted, English shows through.
    EXPECT_TRUE(table.SelectLanguage(-1));
    EXPECT_EQ(u"Soft Reset", t.Text(1));
    EXPECT_EQ(NULL, table.GetSectionName(-1));
    ASSERT_TRUE(table.SelectLanguage(2));
    EXPECT_EQ(u"b52", t.Text(52));
    ASSERT_TRUE(table.SelectLanguage(0));
    EXPECT_EQ(NULL, table.GetText(52));
}

} // namespace
