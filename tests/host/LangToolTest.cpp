// The translator's tool: what its check refuses, the encodings, the
// conversions and the coverage report.
#include "LangTool.h"

#include <gtest/gtest.h>

namespace {

std::u16string Utf16(const std::string& utf8) {
    std::u16string text;
    std::string error;
    EXPECT_TRUE(DecodeUtf8(utf8, &text, &error)) << error;
    return text;
}

// "line: message" of every problem.
std::string Problems(const std::string& text, bool isSource = true) {
    std::string out;
    for (const Problem& p : CheckLanguageText(Utf16(text), isSource)) {
        out += std::to_string(p.line) + ": " + p.message + "\n";
    }
    return out;
}

TEST(LangTool, CheckAcceptsWhatTheProgramReadsAsWritten) {
    EXPECT_EQ("", Problems("# note [with] & IX9\n\n[German]\nIX1=Soft-Reset\r\n"
                           "IX12=Sounds && Benachrichtigungen\nIX72=Verzögerung : \n\n"
                           "[Dutch]\rIX1=Zachte reset\rIX07=Klok"));
    std::string nine;
    for (int s = 1; s <= 9; ++s)
        nine += "[S" + std::to_string(s) + "]\nIX1=x\n";
    EXPECT_EQ("", Problems(nine));
}

TEST(LangTool, CheckRefusesWhatBreaksTheProgram) {
    struct Case {
        std::string text;
        std::string expected; // "line: start of the message"
    } cases[] = {
        {"[A]\nIX80=x\n", "2: text id 80 outside 0-79"},
        {"[A]\nIX-1=x\n", "2: text id -1 outside 0-79"},
        {"[A]\nIX1=Mem[ory\n", "2: \"[\" inside a line"},
        {"[A]\nIX1=Mem]ory\n", "2: text contains \"]\""},
        {"[A]\nIX1=Sound & Alerts\n", "2: lone \"&\""},
        {"[A]\nIX1=Sound &&& Alerts\n", "2: lone \"&\""},
        {"[A]\nIX5 Memory\nIX6=Akku\n", "2: entry without \"=\""},
        {"[A]\nIX5=one\n\nIX5=two\n", "4: text id 5 repeated in section \"A\" (first on line 2)"},
        {"[A]\nIX=x\n", "2: entry without a text id"},
        {"[A]\nIX5 =x\n", "2: unexpected text between the id"},
        {"[A]\nIX5=\n", "2: empty text"},
        {"[A\nIX5=x\n", "1: section header without \"]\""},
        {"[A] German\n", "1: a section header stands alone"},
        {"IX1=x\n[A]\n", "1: text before the first section"},
        {"[A]\nix1=x\n", "2: neither an entry"},
        {"[A]\nIX1=x\n[A]\n", "3: section \"A\" repeated"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0u, Problems(c.text).find(c.expected)) << Problems(c.text) << "for:\n" << c.text;
    }
    std::string ten;
    for (int s = 1; s <= 10; ++s)
        ten += "[S" + std::to_string(s) + "]\nIX1=x\n";
    EXPECT_EQ(0u, Problems(ten).find("19: more than nine sections")) << Problems(ten);
    // "#" starts a note in a source only; in a language file the program would read it.
    EXPECT_EQ(0u, Problems("[A]\r\n# note\r\n", false).find("2: neither an entry"));
}

TEST(LangTool, Encodings) {
    std::u16string text;
    std::string error;
    ASSERT_TRUE(
        DecodeUtf8("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F\xE2\x82\xAC\xF0\x9F\x98\x80", &text, &error));
    EXPECT_EQ(u"Grüß€\U0001F600", text);
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F\xE2\x82\xAC\xF0\x9F\x98\x80", EncodeUtf8(text));
    for (const char* bad : {"\xC3", "a\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xC3("}) {
        EXPECT_FALSE(DecodeUtf8(bad, &text, &error)) << ::testing::PrintToString(bad);
    }

    std::string bytes = EncodeLanguageFile(u"[Ü]\r\n");
    EXPECT_EQ(std::string("\xFF\xFE[\0\xDC\0]\0\r\0\n\0", 12), bytes);
    ASSERT_TRUE(DecodeLanguageFile(bytes, &text, &error)) << error;
    EXPECT_EQ(u"[Ü]\r\n", text);
    EXPECT_FALSE(DecodeLanguageFile("[German]\r\n", &text, &error)); // no byte-order mark
    EXPECT_FALSE(DecodeLanguageFile(bytes + "x", &text, &error));    // odd size
    EXPECT_FALSE(DecodeLanguageFile(std::string("\xFF\xFE[\0\0\0]\0", 8), &text, &error));
}

TEST(LangTool, ConversionsAndCoverage) {
    const std::u16string file = SourceToFileText(u"# note\n\n[A]\nIX1=a \nIX2=b");
    EXPECT_EQ(u"\r\n[A]\r\nIX1=a \r\nIX2=b\r\n", file);
    EXPECT_EQ(u"\n[A]\nIX1=a \nIX2=b\n", FileTextToSource(file));
    EXPECT_EQ(u"[A]\nIX1=a\nIX2=b\n", FileTextToSource(u"[A]\rIX1=a\nIX2=b"));

    const std::string report = CoverageReport(EncodeLanguageFile(
        u"[Deutsch]\r\nIX1=Soft-Reset\r\nIX52=Einstellungen\r\nIX57=Version\r\n[Leer]\r\n"));
    EXPECT_NE(std::string::npos, report.find("Deutsch: 2 of 61 shown texts translated (1, 52); "
                                             "English for 0, 2-27, 31-42, 45, 53-56, 59-73; "
                                             "never shown: 57\n"))
        << report;
    EXPECT_NE(std::string::npos, report.find("Leer: 0 of 61 shown texts translated (none)"));
    EXPECT_NE(std::string::npos, report.find(" 52  (Settings)")) << report;
}

} // namespace
