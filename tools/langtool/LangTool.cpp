// The translator's tool: encodings, the checks, the two conversions and the
// coverage report. The checks are stricter than the program's parser: they
// refuse whatever the parser would read differently from what a translator
// sees in the file.
#include "LangTool.h"

#include "LanguageTable.h"

#include <cstdio>
#include <map>
#include <set>

namespace {

struct Line {
    int number;
    std::u16string text;
};

// Lines ended by CR LF, a lone CR or a lone LF, as the program accepts them.
std::vector<Line> SplitLines(const std::u16string& text) {
    std::vector<Line> lines;
    size_t start = 0;
    int number = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(Line{number++, text.substr(start, i - start)});
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(Line{number, text.substr(start)});
    return lines;
}

bool IsBlankLine(const std::u16string& line) {
    for (char16_t c : line) {
        if (c != u' ' && c != u'\t') return false;
    }
    return true;
}

bool IsNote(const std::u16string& line, bool isSource) {
    return isSource && !line.empty() && line[0] == u'#';
}

std::string Quoted(const std::u16string& text) {
    return "\"" + EncodeUtf8(text) + "\"";
}

// The texts the program shows for its commands: each command's label and the
// question or error its action may show (0 where it shows none).
const int COMMAND_TEXTS[] = {
#define COMMAND(id, name, textId, iconIndex, art, label, action, parameters, messageText,          \
                messageCaption)                                                                    \
    textId, messageText, messageCaption,
#include "CommandList.h"
#undef COMMAND
};

// The other texts the program shows: the separator, the settings captions and
// pages, the colour names and modes, the error caption.
const int SHOWN_RANGES[][2] = {{0, 0}, {31, 42}, {52, 56}, {59, 73}};

// Shown texts without a built-in English one: the settings templates carry
// their English captions.
struct TemplateCaption {
    int id;
    const char* caption;
};

const TemplateCaption TEMPLATE_CAPTIONS[] = {
    {31, "Language :"},
    {32, "Menu Items :"},
    {33, "Execute >"},
    {34, "Quick Action :"},
    {35, "Tap for menu. Tap and hold for quick action"},
    {36, "Tap and hold for menu. Tap for quick action"},
    {37, "Start with the system"},
    {38, "Exit Orvalet"},
    {40, "Display Menu Icons"},
    {41, "Hide Tray Icon"},
    {42, "Custom Tray Icon"},
    {52, "Settings"},
    {59, "Menu Text"},
    {60, "Menu Background"},
    {61, "Icons Background"},
    {62, "Highlighted Text"},
    {63, "Highlighted Background"},
    {71, "Menu Colors :"},
    {72, "Screen Capture delay : "},
    {73, "seconds."},
};

bool IsShown(int id) {
    for (int text : COMMAND_TEXTS) {
        if (text != 0 && text == id) return true;
    }
    for (const auto& range : SHOWN_RANGES) {
        if (id >= range[0] && id <= range[1]) return true;
    }
    return false;
}

const char* TemplateCaptionOf(int id) {
    for (const TemplateCaption& t : TEMPLATE_CAPTIONS) {
        if (t.id == id) return t.caption;
    }
    return NULL;
}

std::string TextOf(const TextChar* text) {
    std::u16string s;
    for (; text != NULL && *text != 0; ++text)
        s.push_back(*text);
    return EncodeUtf8(s);
}

// Characters of a UTF-8 text, at least one: a column of the coverage table.
size_t ColumnWidth(const std::string& text) {
    size_t width = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
    }
    return width > 0 ? width : 1;
}

// "1-18, 32-42" from a sorted list of ids.
std::string IdRanges(const std::vector<int>& ids) {
    std::string out;
    for (size_t i = 0; i < ids.size();) {
        size_t j = i;
        while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1)
            ++j;
        if (!out.empty()) out += ", ";
        out += std::to_string(ids[i]);
        if (j > i) out += "-" + std::to_string(ids[j]);
        i = j + 1;
    }
    return out.empty() ? "none" : out;
}

void CheckEntry(const Line& line, const std::u16string& section, std::map<int, int>* seenIds,
                std::vector<Problem>* problems) {
    const std::u16string& s = line.text;
    auto report = [&](const std::string& message) {
        problems->push_back(Problem{line.number, message});
    };
    size_t i = 2;
    bool negative = i < s.size() && s[i] == u'-';
    if (negative) ++i;
    size_t digits = i;
    long id = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        if (id < 1000000) id = id * 10 + (s[i] - u'0');
    }
    if (i == digits) {
        report("entry without a text id: expected IX<id>=<text>");
        return;
    }
    if (negative) id = -id;
    size_t equals = s.find(u'=', 2);
    if (equals == std::u16string::npos) {
        report("entry without \"=\": the program would take the next entry's text for it");
        return;
    }
    if (equals != i) {
        report("unexpected text between the id and \"=\": expected IX<id>=<text>");
        return;
    }
    if (id < 0 || id >= MAX_TEXT_IDS) {
        report("text id " + std::to_string(id) + " outside 0-79: the program ignores it");
        return;
    }
    auto seen = seenIds->find(static_cast<int>(id));
    if (seen != seenIds->end()) {
        report("text id " + std::to_string(id) + " repeated in section " + Quoted(section) +
               " (first on line " + std::to_string(seen->second) + ")");
    } else {
        (*seenIds)[static_cast<int>(id)] = line.number;
    }
    std::u16string text = s.substr(equals + 1);
    if (text.empty()) report("empty text for id " + std::to_string(id));
    if (text.find(u']') != std::u16string::npos) {
        report("text contains \"]\": \"[\" and \"]\" are reserved for section headers");
    }
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] != u'&') continue;
        if (k + 1 < text.size() && text[k + 1] == u'&') {
            ++k;
        } else {
            report("lone \"&\" in the text of id " + std::to_string(id) +
                   ": a literal ampersand is written \"&&\"");
            break;
        }
    }
}

} // namespace

bool DecodeUtf8(const std::string& bytes, std::u16string* text, std::string* error) {
    text->clear();
    size_t i = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    while (i < bytes.size()) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        int extra;
        char32_t c;
        char32_t least;
        if (b < 0x80) {
            extra = 0, c = b, least = 0;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, c = b & 0x1F, least = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, c = b & 0x0F, least = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, c = b & 0x07, least = 0x10000;
        } else {
            *error = "invalid UTF-8 at byte " + std::to_string(i);
            return false;
        }
        if (extra > 0 && i + extra >= bytes.size()) {
            *error = "truncated UTF-8 sequence at byte " + std::to_string(i);
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                *error = "invalid UTF-8 at byte " + std::to_string(i);
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            *error = "invalid UTF-8 at byte " + std::to_string(i);
            return false;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            text->push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            text->push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            text->push_back(static_cast<char16_t>(c));
        }
        i += extra + 1;
    }
    return true;
}

std::string EncodeUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool LooksLikeLanguageFile(const std::string& bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

bool DecodeLanguageFile(const std::string& bytes, std::u16string* text, std::string* error) {
    text->clear();
    if (!LooksLikeLanguageFile(bytes)) {
        *error = "not a language file: it must start with the UTF-16LE byte-order mark FF FE";
        return false;
    }
    if (bytes.size() % 2 != 0) {
        *error = "odd number of bytes: not UTF-16";
        return false;
    }
    for (size_t i = 2; i < bytes.size(); i += 2) {
        char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == 0) {
            *error = "zero unit at byte " + std::to_string(i) + ": the program's text ends there";
            return false;
        }
        text->push_back(unit);
    }
    return true;
}

std::string EncodeLanguageFile(const std::u16string& text) {
    std::string out("\xFF\xFE", 2);
    for (char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

std::vector<Problem> CheckLanguageText(const std::u16string& text, bool isSource) {
    std::vector<Problem> problems;
    std::set<std::u16string> names;
    std::map<int, int> seenIds;
    std::u16string section;
    int sectionCount = 0;
    for (const Line& line : SplitLines(text)) {
        const std::u16string& s = line.text;
        auto report = [&](const std::string& message) {
            problems.push_back(Problem{line.number, message});
        };
        if (IsNote(s, isSource) || IsBlankLine(s)) continue;
        if (s[0] == u'[') {
            size_t close = s.find(u']');
            if (close == std::u16string::npos) {
                report("section header without \"]\"");
                continue;
            }
            if (close + 1 != s.size() || s.find(u'[', 1) != std::u16string::npos) {
                report("a section header stands alone on its line: [<name>]");
                continue;
            }
            section = s.substr(1, close - 1);
            seenIds.clear();
            if (section.empty()) report("section without a name");
            if (!names.insert(section).second) report("section " + Quoted(section) + " repeated");
            if (++sectionCount == MAX_SECTIONS) {
                report("more than nine sections: the program reads nine and files the rest's "
                       "entries under the ninth");
            }
            continue;
        }
        if (s.find(u'[') != std::u16string::npos) {
            report("\"[\" inside a line: the program starts a new section there");
            continue;
        }
        if (sectionCount == 0) {
            report("text before the first section header");
            continue;
        }
        if (s.compare(0, 2, u"IX") == 0) {
            CheckEntry(line, section, &seenIds, &problems);
            continue;
        }
        report("neither an entry IX<id>=<text> nor a section header" +
               std::string(isSource ? " (notes start with \"#\")" : ""));
    }
    return problems;
}

std::u16string SourceToFileText(const std::u16string& source) {
    std::u16string out;
    for (const Line& line : SplitLines(source)) {
        if (IsNote(line.text, true)) continue;
        out += line.text;
        out += u"\r\n";
    }
    return out;
}

std::u16string FileTextToSource(const std::u16string& text) {
    std::u16string out;
    for (const Line& line : SplitLines(text)) {
        out += line.text;
        out += u'\n';
    }
    return out;
}

std::string CoverageReport(const std::string& fileBytes) {
    const DefaultText* defaults = GetDefaultTexts();
    LanguageTable table(reinterpret_cast<const unsigned char*>(fileBytes.data()), fileBytes.size(),
                        defaults);
    const TextChar* english[MAX_TEXT_IDS] = {};
    for (const DefaultText* d = defaults; d->id != -1; ++d)
        english[d->id] = d->text;

    int count = table.GetSectionCount();
    std::vector<std::string> names;
    // given[s][id]: section s has its own text for id.
    std::vector<std::vector<bool>> given(count, std::vector<bool>(MAX_TEXT_IDS, false));
    for (int s = 1; s < count; ++s) {
        names.push_back(TextOf(table.GetSectionName(s)));
        table.SelectLanguage(s);
        for (int id = 0; id < MAX_TEXT_IDS; ++id) {
            const TextChar* text = table.GetText(id);
            given[s][id] = text != NULL && text != english[id];
        }
    }

    std::string out = "x: the section's own text; .: English shows (the built-in text, or the "
                      "settings template's caption in parentheses)\n";
    char cell[96];
    std::snprintf(cell, sizeof cell, "%3s  %-30s", "id", "English");
    out += cell;
    for (const std::string& name : names)
        out += "  " + name;
    out += "\n";
    for (int id = 0; id < MAX_TEXT_IDS; ++id) {
        if (!IsShown(id)) continue;
        const char* caption = TemplateCaptionOf(id);
        std::string englishText =
            caption != NULL ? "(" + std::string(caption) + ")" : TextOf(english[id]);
        if (englishText.size() > 30) englishText = englishText.substr(0, 27) + "...";
        std::snprintf(cell, sizeof cell, "%3d  %-30s", id, englishText.c_str());
        out += cell;
        for (int s = 1; s < count; ++s) {
            std::string mark(given[s][id] ? "x" : ".");
            out += "  " + mark + std::string(ColumnWidth(names[s - 1]) - 1, ' ');
        }
        out += "\n";
    }
    for (int s = 1; s < count; ++s) {
        std::vector<int> own, fallback, unshown;
        for (int id = 0; id < MAX_TEXT_IDS; ++id) {
            if (!IsShown(id)) {
                if (given[s][id]) unshown.push_back(id);
            } else {
                (given[s][id] ? own : fallback).push_back(id);
            }
        }
        out += names[s - 1] + ": " + std::to_string(own.size()) + " of " +
               std::to_string(own.size() + fallback.size()) + " shown texts translated (" +
               IdRanges(own) + "); English for " + IdRanges(fallback);
        if (!unshown.empty()) out += "; never shown: " + IdRanges(unshown);
        out += "\n";
    }
    if (count == 1) out += "no sections: the program offers English alone\n";
    return out;
}
