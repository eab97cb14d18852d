// The translator's tool: what its check refuses, the encodings and the two
// conversions.
#include "LangTool.h"

#include <gtest/gtest.h>

namespace {

std::u16string Utf16(const std::string& utf8) {
    std::u16string text;
    std::string error;
    EXPECT_TRUE(DecodeUtf8(utf8, &text, &error)) << error;
    return text;
}

// "line: message" of every problem, for readable failures.
std::string Problems(const std::string& source, bool isSource = true) {
    std::string out;
    for (const Problem& p : CheckLanguageText(Utf16(source), isSource)) {
        out += std::to_string(p.line) + ": " + p.message + "\n";
    }
    return out;
}

void ExpectProblem(const std::string& source, int line, const std::string& part) {
    std::vector<Problem> problems = CheckLanguageText(Utf16(source), true);
    bool found = false;
    for (const Problem& p : problems) {
        found = found || (p.line == line && p.message.find(part) != std::string::npos);
    }
    EXPECT_TRUE(found) << "expected line " << line << " \"" << part << "\" in:\n"
                       << Problems(source) << "for:\n"
                       << source;
}

TEST(LangToolCheck, AcceptsAWellFormedSource) {
    EXPECT_EQ("", Problems("# note with [brackets] & IX9\n\n[German]\nIX1=Soft-Reset\r\n"
                           "IX12=Sounds && Benachrichtigungen\nIX72=Verzögerung : \n\n"
                           "[Dutch]\rIX1=Zachte reset\rIX07=Klok"));
}

TEST(LangToolCheck, RefusesWhatBreaksTheProgram) {
    ExpectProblem("[A]\nIX80=x\n", 2, "text id 80 outside 0-79");
    ExpectProblem("[A]\nIX-1=x\n", 2, "text id -1 outside 0-79");
    ExpectProblem("[A]\nIX99999999999=x\n", 2, "outside 0-79");
    ExpectProblem("[A]\nIX1=Mem[ory\n", 2, "\"[\" inside a line");
    ExpectProblem("[A]\nIX1=Mem]ory\n", 2, "text contains \"]\"");
    ExpectProblem("[A]\nIX1=Sound & Alerts\n", 2, "lone \"&\"");
    ExpectProblem("[A]\nIX1=Sound &&& Alerts\n", 2, "lone \"&\"");
    ExpectProblem("[A]\nIX1=Trailing&\n", 2, "lone \"&\"");
    ExpectProblem("[A]\nIX5 Memory\nIX6=Akku\n", 2, "entry without \"=\"");
    ExpectProblem("[A]\nIX5=one\n\nIX5=two\n", 4,
                  "text id 5 repeated in section \"A\" (first on line 2)");
    ExpectProblem("[A]\nIX=x\n", 2, "entry without a text id");
    ExpectProblem("[A]\nIX5 =x\n", 2, "between the id and \"=\"");
    ExpectProblem("[A]\nIX5=\n", 2, "empty text");
    ExpectProblem("[A\nIX5=x\n", 1, "without \"]\"");
    ExpectProblem("[A] German\n", 1, "alone on its line");
    ExpectProblem("IX1=x\n[A]\n", 1, "before the first section");
    ExpectProblem("[A]\nix1=x\n", 2, "neither an entry");
    ExpectProblem("[A]\nIX1=x\n[A]\n", 3, "section \"A\" repeated");
    ExpectProblem("[]\n", 1, "section without a name");

    std::string nine, ten;
    for (int s = 1; s <= 9; ++s)
        nine += "[S" + std::to_string(s) + "]\nIX1=x\n";
    EXPECT_EQ("", Problems(nine));
    ten = nine + "[S10]\nIX1=x\n";
    ExpectProblem(ten, 19, "more than nine sections");
    // The same id in two sections is no repetition.
    EXPECT_EQ("", Problems("[A]\nIX5=a\n[B]\nIX5=b\n"));
}

TEST(LangToolCheck, NotesBelongToTheSourceOnly) {
    EXPECT_EQ("", Problems("# [not a header]\n[A]\n#IX1 no equals\nIX1=x\n"));
    std::vector<Problem> problems = CheckLanguageText(u"[A]\r\n# note\r\n", false);
    ASSERT_EQ(1u, problems.size());
    EXPECT_EQ(2, problems[0].line);
}

TEST(LangToolEncoding, Utf8) {
    std::u16string text;
    std::string error;
    ASSERT_TRUE(DecodeUtf8("\xEF\xBB\xBF"
                           "Gr\xC3\xBC\xC3\x9F"
                           "e \xE2\x82\xAC \xF0\x9F\x98\x80",
                           &text, &error));
    EXPECT_EQ(u"Grüße € \U0001F600", text);
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F"
              "e \xE2\x82\xAC \xF0\x9F\x98\x80",
              EncodeUtf8(text));
    for (const char* bad : {"\xC3", "a\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xC3(", "\xE2\x82"}) {
        EXPECT_FALSE(DecodeUtf8(bad, &text, &error))
            << "accepted " << ::testing::PrintToString(bad);
    }
}

TEST(LangToolEncoding, LanguageFile) {
    std::u16string text;
    std::string error;
    std::string bytes = EncodeLanguageFile(u"[Ü]\r\n");
    EXPECT_EQ(std::string("\xFF\xFE[\0\xDC\0]\0\r\0\n\0", 12), bytes);
    ASSERT_TRUE(DecodeLanguageFile(bytes, &text, &error)) << error;
    EXPECT_EQ(u"[Ü]\r\n", text);

    EXPECT_FALSE(DecodeLanguageFile("[German]\r\n", &text, &error));
    EXPECT_NE(std::string::npos, error.find("byte-order mark")) << error;
    EXPECT_FALSE(DecodeLanguageFile(bytes + "x", &text, &error));
    EXPECT_FALSE(DecodeLanguageFile(std::string("\xFF\xFE[\0\0\0]\0", 8), &text, &error));
    EXPECT_NE(std::string::npos, error.find("zero unit")) << error;
}

TEST(LangToolConversion, SourceAndFileText) {
    const std::u16string source = u"# note\n\n[A]\nIX1=a \nIX2=b";
    const std::u16string file = SourceToFileText(source);
    EXPECT_EQ(u"\r\n[A]\r\nIX1=a \r\nIX2=b\r\n", file);
    EXPECT_EQ(u"\n[A]\nIX1=a \nIX2=b\n", FileTextToSource(file));
    // Lone CR and lone LF in a file come back as LF.
    EXPECT_EQ(u"[A]\nIX1=a\nIX2=b\n", FileTextToSource(u"[A]\rIX1=a\nIX2=b"));
}

TEST(LangToolCoverage, ReadsThroughTheProgramsTable) {
    const std::string report =
        CoverageReport(EncodeLanguageFile(u"[Deutsch]\r\nIX1=Soft-Reset\r\nIX52=Einstellungen"
                                          u"\r\nIX57=Version\r\nIX90=x\r\n[Leer]\r\n"));
    EXPECT_NE(std::string::npos, report.find("Deutsch: 2 of 61 shown texts translated (1, 52); "
                                             "English for 0, 2-27, 31-42, 45, 53-56, 59-73; "
                                             "never shown: 57\n"))
        << report;
    EXPECT_NE(std::string::npos, report.find("Leer: 0 of 61 shown texts translated (none)"))
        << report;
    EXPECT_NE(std::string::npos, report.find(" 52  (Settings)")) << report;
    EXPECT_NE(std::string::npos,
              CoverageReport(std::string()).find("no sections: the program offers English alone"));
}

} // namespace
