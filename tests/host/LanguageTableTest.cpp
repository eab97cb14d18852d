// The language table built natively from the device sources: splitting,
// selection, fallback and the malformed files a device may hold.
#include "LanguageTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

// Little-endian bytes of a language file: byte-order mark, then the text.
std::string FileBytes(const std::u16string& text) {
    std::string bytes("\xFF\xFE", 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// The table for a file's bytes, with the program's English texts.
struct Table {
    std::string bytes;
    LanguageTable table;
    explicit Table(const std::string& fileBytes)
        : bytes(fileBytes), table(reinterpret_cast<const unsigned char*>(bytes.data()),
                                  bytes.size(), GetDefaultTexts()) {}
    explicit Table(const std::u16string& text) : Table(FileBytes(text)) {}
};

// UTF-8 of a table text, "(none)" for none: readable in failure messages.
std::string Show(const TextChar* text) {
    if (text == NULL) return "(none)";
    std::string out;
    for (; *text != 0; ++text) {
        char32_t c = *text;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

const TextChar* English(int id) {
    for (const DefaultText* d = GetDefaultTexts(); d->id != -1; ++d) {
        if (d->id == id) return d->text;
    }
    return NULL;
}

// The ids the selected section gives itself (a text that is not the English one).
std::set<int> OwnIds(const LanguageTable& table) {
    std::set<int> ids;
    for (int id = 0; id < MAX_TEXT_IDS; ++id) {
        const TextChar* text = table.GetText(id);
        if (text != NULL && text != English(id)) ids.insert(id);
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
        EXPECT_EQ("English", Show(t.table.GetSectionName(0)));
        EXPECT_EQ(NULL, t.table.GetSectionName(1));
        EXPECT_FALSE(t.table.SelectLanguage(1));
        EXPECT_EQ("Soft Reset", Show(t.table.GetText(1)));
        EXPECT_EQ("----------------------", Show(t.table.GetText(0)));
        // Template-captioned ids have no English text: the control keeps its caption.
        EXPECT_EQ(NULL, t.table.GetText(52));
        EXPECT_EQ(NULL, t.table.GetText(73));
    }
    LanguageTable none(NULL, 0, GetDefaultTexts());
    EXPECT_EQ(1, none.GetSectionCount());
    EXPECT_EQ("Color", Show(none.GetText(56)));
}

TEST(LanguageTable, ShippedFileSectionsAndIds) {
    std::ifstream in(SHIPPED_FILE, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << SHIPPED_FILE;
    std::stringstream content;
    content << in.rdbuf();
    Table t(content.str());
    LanguageTable& table = t.table;

    const char* names[] = {"English", "German", "Dutch", "Portuguese", "Spanish", "Hungarian"};
    ASSERT_EQ(6, table.GetSectionCount());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(names[i], Show(table.GetSectionName(i))) << i;
    EXPECT_EQ(NULL, table.GetSectionName(6));

    const std::set<int> germanic = Ids({{1, 18}, {32, 42}, {45, 45}, {52, 63}});
    const std::set<int> wider = Ids({{1, 22}, {31, 42}, {45, 45}, {52, 71}});
    const std::set<int> hungarian = Ids({{1, 27}, {31, 42}, {45, 45}, {52, 73}});
    const std::set<int>* expected[] = {&germanic, &wider, &germanic, &wider, &hungarian};
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(table.SelectLanguage(i));
        EXPECT_EQ(*expected[i - 1], OwnIds(table)) << names[i];
        for (int id = 0; id < MAX_TEXT_IDS; ++id) {
            const std::string text = Show(table.GetText(id));
            EXPECT_EQ(std::string::npos, text.find_first_of("\r\n[]")) << names[i] << " " << id;
        }
    }

    // Hungarian gives 23 to 27; German lacks them and shows English.
    table.SelectLanguage(5);
    EXPECT_NE(English(23), table.GetText(23));
    table.SelectLanguage(1);
    EXPECT_EQ(English(23), table.GetText(23));
    EXPECT_EQ("Flip Screen", Show(table.GetText(23)));
    // The literal ampersand of the German sound settings stays doubled for the menu.
    EXPECT_EQ("Sounds && Benachrichtigungen", Show(table.GetText(12)));
    EXPECT_EQ("Einstellungen", Show(table.GetText(52)));
    table.SelectLanguage(0);
    EXPECT_EQ(NULL, table.GetText(52));
    // Portuguese lists 53 before 52; both count.
    table.SelectLanguage(3);
    EXPECT_EQ("Principal", Show(table.GetText(53)));
    EXPECT_EQ("Configurações", Show(table.GetText(52)));
}

TEST(LanguageTable, IdsAndNumbers) {
    Table t(u"\xFEFF[A]\r\nIX07=seven\r\nIX 8=eight\r\nIX80=out\r\nIX-1=neg\r\n"
            u"IX4294967301=wrapped\r\nIX99999999999999999999=long\r\nIX0=zero\r\n"
            u"IXnine=nine\r\nIX79=last\r\n");
    LanguageTable& table = t.table;
    ASSERT_TRUE(table.SelectLanguage(1));
    EXPECT_EQ("seven", Show(table.GetText(7)));
    EXPECT_EQ("eight", Show(table.GetText(8)));
    EXPECT_EQ("zero", Show(table.GetText(0)));
    EXPECT_EQ("last", Show(table.GetText(79)));
    // 2^32 + 5 must not wrap round to id 5, nor a long digit run to anything.
    EXPECT_EQ("Memory", Show(table.GetText(5)));
    EXPECT_EQ(Ids({{0, 0}, {7, 8}, {79, 79}}), OwnIds(table));
    // Out-of-range ids have no text, whatever the file says.
    for (int id : {-1, 80, 1000, 1001, -2147483647 - 1})
        EXPECT_EQ(NULL, table.GetText(id)) << id;
}

TEST(LanguageTable, EntryLinesAsTheParserReadsThem) {
    // An id-5 line lacking "=" takes the id-6 line's text; id 6 then stays unset.
    Table missing(u"[A]\r\nIX5 Memory\r\nIX6=Akku\r\nIX7=Designs\r\n");
    missing.table.SelectLanguage(1);
    EXPECT_EQ("Akku", Show(missing.table.GetText(5)));
    EXPECT_EQ("Battery Level", Show(missing.table.GetText(6)));
    EXPECT_EQ("Designs", Show(missing.table.GetText(7)));

    // Later line wins; "IX" inside an accepted text starts nothing; blanks stay.
    Table lines(u"[A]\r\nIX1=first\r\n\r\nnote\r\nIX2=see IX3=x\r\nIX1= second \r\n");
    lines.table.SelectLanguage(1);
    EXPECT_EQ(" second ", Show(lines.table.GetText(1)));
    EXPECT_EQ("see IX3=x", Show(lines.table.GetText(2)));
    EXPECT_EQ("Power Off", Show(lines.table.GetText(3)));

    // Lone LF and lone CR end lines as CR LF does; the last line needs no break.
    Table ends(u"[A]\nIX1=lf\nIX2=cr\rIX3=crlf\r\nIX4=end");
    ends.table.SelectLanguage(1);
    EXPECT_EQ("lf", Show(ends.table.GetText(1)));
    EXPECT_EQ("cr", Show(ends.table.GetText(2)));
    EXPECT_EQ("crlf", Show(ends.table.GetText(3)));
    EXPECT_EQ("end", Show(ends.table.GetText(4)));

    // A file ending in "=" or in an unfinished "IX": nothing is read past its end.
    Table bare(u"[A]\r\nIX5=");
    bare.table.SelectLanguage(1);
    EXPECT_EQ("", Show(bare.table.GetText(5)));
    Table cut(u"[A]\r\nIX6");
    cut.table.SelectLanguage(1);
    EXPECT_EQ("Battery Level", Show(cut.table.GetText(6)));
    EXPECT_TRUE(OwnIds(cut.table).empty());

    // An odd last byte still leaves the text terminated.
    std::string odd = FileBytes(u"[A]\r\nIX1=abc");
    odd += 'd';
    Table oddTable(odd);
    oddTable.table.SelectLanguage(1);
    EXPECT_EQ("abcd", Show(oddTable.table.GetText(1)));
}

TEST(LanguageTable, SectionSplitting) {
    // "[" in a text opens a section; the unit before it is lost.
    Table bracket(u"[A]\r\nIX1=Mem[B]\r\nIX2=two\r\n");
    ASSERT_EQ(3, bracket.table.GetSectionCount());
    EXPECT_EQ("B", Show(bracket.table.GetSectionName(2)));
    bracket.table.SelectLanguage(1);
    EXPECT_EQ("Me", Show(bracket.table.GetText(1)));
    bracket.table.SelectLanguage(2);
    EXPECT_EQ("two", Show(bracket.table.GetText(2)));

    // A header whose "]" never comes is not counted and ends the splitting;
    // the section before it still ends there.
    Table open(u"[A]\r\nIX1=a\r\n[B\r\nIX2=b\r\n");
    EXPECT_EQ(2, open.table.GetSectionCount());
    EXPECT_EQ(NULL, open.table.GetSectionName(2));
    open.table.SelectLanguage(1);
    EXPECT_EQ(Ids({{1, 1}}), OwnIds(open.table));
    // A name runs to the next "]" wherever it stands, lines and all.
    Table late(u"[A]\r\n[B\r\nIX2=b\r\n[C]\r\nIX3=c\r\n");
    ASSERT_EQ(3, late.table.GetSectionCount());
    EXPECT_EQ("B\r\nIX2=b\r\n[C", Show(late.table.GetSectionName(2)));
    late.table.SelectLanguage(2);
    EXPECT_EQ(Ids({{3, 3}}), OwnIds(late.table));

    // Before the first "[" everything is skipped, the byte-order mark included.
    Table lead(u"\xFEFFIX1=outside\r\n[A]\r\nIX2=inside\r\n");
    lead.table.SelectLanguage(1);
    EXPECT_EQ(Ids({{2, 2}}), OwnIds(lead.table));

    // Eleven sections: nine are offered; the ninth collects the rest's entries.
    std::u16string many;
    for (int s = 1; s <= 11; ++s) {
        many += u"[S" + std::u16string(1, u'0' + s % 10) + u"]\r\n";
        many += u"IX" + std::u16string(1, u'0' + s % 10) + u"=own\r\nIX40=from " +
                std::u16string(1, u'0' + s % 10) + u"\r\n";
    }
    Table m(many);
    ASSERT_EQ(MAX_SECTIONS, m.table.GetSectionCount());
    EXPECT_EQ("S9", Show(m.table.GetSectionName(9)));
    EXPECT_EQ(NULL, m.table.GetSectionName(10));
    EXPECT_FALSE(m.table.SelectLanguage(10));
    ASSERT_TRUE(m.table.SelectLanguage(9));
    EXPECT_EQ(Ids({{0, 1}, {9, 9}, {40, 40}}), OwnIds(m.table));
    EXPECT_EQ("from 1", Show(m.table.GetText(40))); // section 11 came last
    ASSERT_TRUE(m.table.SelectLanguage(8));
    EXPECT_EQ("from 8", Show(m.table.GetText(40)));

    // An 8-bit file has no "[" among its 16-bit units: English alone.
    Table narrow(std::string("[German]\r\nIX1=Soft-Reset\r\n"));
    EXPECT_EQ(1, narrow.table.GetSectionCount());
}

TEST(LanguageTable, Selection) {
    Table t(u"[A]\r\nIX1=a1\r\nIX2=a2\r\n[B]\r\nIX1=b1\r\nIX52=b52\r\n");
    LanguageTable& table = t.table;
    ASSERT_TRUE(table.SelectLanguage(1));
    const TextChar* a1 = table.GetText(1);
    ASSERT_TRUE(table.SelectLanguage(2));
    EXPECT_EQ("b1", Show(table.GetText(1)));
    EXPECT_EQ("Hard Reset", Show(table.GetText(2)));
    // Re-selecting a parsed section finds the same texts in the same places.
    ASSERT_TRUE(table.SelectLanguage(1));
    EXPECT_EQ(a1, table.GetText(1));
    EXPECT_EQ("a2", Show(table.GetText(2)));
    EXPECT_TRUE(table.SelectLanguage(1));
    EXPECT_EQ(a1, table.GetText(1));

    // Beyond the sections: refused, the language in force stays.
    EXPECT_FALSE(table.SelectLanguage(3));
    EXPECT_FALSE(table.SelectLanguage(2147483647));
    EXPECT_EQ("a1", Show(table.GetText(1)));

    // Nothing chosen (-1): accepted, English shows through, B is parsed anew later.
    EXPECT_TRUE(table.SelectLanguage(-1));
    EXPECT_EQ("Soft Reset", Show(table.GetText(1)));
    EXPECT_EQ(NULL, table.GetText(52));
    EXPECT_EQ(NULL, table.GetSectionName(-1));
    EXPECT_TRUE(table.SelectLanguage(-2147483647 - 1));
    ASSERT_TRUE(table.SelectLanguage(2));
    EXPECT_EQ("b52", Show(table.GetText(52)));
    ASSERT_TRUE(table.SelectLanguage(0));
    EXPECT_EQ(NULL, table.GetText(52));
    EXPECT_EQ("Soft Reset", Show(table.GetText(1)));
}

TEST(LanguageTable, BuiltInList) {
    const DefaultText list[] = {{3, u"three"},        {-5, u"negative"}, {80, u"eighty"},
                                {3, u"three again"},  {79, u"last"},     {-1, u"end"},
                                {4, u"after the end"}};
    LanguageTable table(NULL, 0, list);
    EXPECT_EQ("three again", Show(table.GetText(3)));
    EXPECT_EQ("last", Show(table.GetText(79)));
    EXPECT_EQ(NULL, table.GetText(4));
    EXPECT_EQ(NULL, table.GetText(80));

    // The program's list: exactly the ids with an English text, each once.
    std::set<int> ids;
    for (const DefaultText* d = GetDefaultTexts(); d->id != -1; ++d) {
        EXPECT_TRUE(ids.insert(d->id).second) << d->id;
    }
    EXPECT_EQ(Ids({{0, 27}, {39, 39}, {45, 45}, {53, 56}, {64, 70}}), ids);
    EXPECT_EQ("Purgelle is not intalled on this device", Show(English(65)));
}

} // namespace
