// The package description (".inf", cabwiz form) and the building of the
// package from it.
#include "Package.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace cab {

namespace {

const char* const NT_SIGNATURE = "$Windows NT$";
const char* const CE_SIGNATURE = "$Windows CE$";
const unsigned MAX_FILES = 998; // members .001 to .998; .999 is the setup library

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

struct Line {
    int number = 0;
    std::string key;                 // empty for a plain list line
    std::vector<std::string> fields; // comma-separated, unquoted
};

struct Section {
    std::string name;
    std::vector<Line> lines;
};

// One line's fields: commas split outside double quotes, quotes removed,
// a doubled quote inside quotes stands for one.
bool SplitFields(const std::string& text, std::vector<std::string>& fields) {
    fields.assign(1, std::string());
    bool quoted = false, wasQuoted = false;
    std::string raw;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
                wasQuoted = true;
            }
        } else if (c == ',' && !quoted) {
            if (!wasQuoted) fields.back() = Trim(fields.back());
            fields.emplace_back();
            wasQuoted = false;
        } else if (quoted || wasQuoted == false || (c != ' ' && c != '\t')) {
            fields.back() += c;
        }
    }
    if (!wasQuoted) fields.back() = Trim(fields.back());
    return !quoted;
}

class Description {
  public:
    bool Parse(const std::string& text, std::string& error) {
        size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        int number = 0;
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            start = end + 1;
            ++number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            // A comment starts at a semicolon outside quotes.
            bool quoted = false;
            for (size_t i = 0; i < line.size(); ++i) {
                if (line[i] == '"') quoted = !quoted;
                if (line[i] == ';' && !quoted) {
                    line.resize(i);
                    break;
                }
            }
            line = Trim(line);
            if (line.empty()) continue;
            std::string where = "line " + std::to_string(number) + ": ";
            if (line[0] == '[') {
                if (line.back() != ']') return Fail(error, where + "section name without ']'");
                std::string name = Trim(line.substr(1, line.size() - 2));
                if (Find(name) != NULL) return Fail(error, where + "second section [" + name + "]");
                sections.push_back(Section{name, {}});
                continue;
            }
            if (sections.empty()) return Fail(error, where + "entry before the first section");
            Line entry;
            entry.number = number;
            size_t eq = std::string::npos;
            quoted = false;
            for (size_t i = 0; i < line.size() && eq == std::string::npos; ++i) {
                if (line[i] == '"') quoted = !quoted;
                if (line[i] == '=' && !quoted) eq = i;
            }
            std::string value = line;
            if (eq != std::string::npos) {
                std::vector<std::string> key;
                if (!SplitFields(Trim(line.substr(0, eq)), key) || key.size() != 1 ||
                    key[0].empty())
                    return Fail(error, where + "bad key");
                entry.key = key[0];
                value = Trim(line.substr(eq + 1));
            }
            if (!SplitFields(value, entry.fields)) return Fail(error, where + "unclosed quote");
            sections.back().lines.push_back(entry);
        }
        return true;
    }

    const Section* Find(const std::string& name) const {
        for (const Section& s : sections)
            if (Lower(s.name) == Lower(name)) return &s;
        return NULL;
    }
    const Line* Value(const std::string& section, const std::string& key) const {
        const Section* s = Find(section);
        if (s == NULL) return NULL;
        for (const Line& line : s->lines)
            if (Lower(line.key) == Lower(key)) return &line;
        return NULL;
    }

    // Replaces %name% by the string of that name from [CEStrings] or
    // [Strings]; the device's own folder macros %CE1% to %CE99% stay.
    bool Expand(const std::string& text, std::string& out, std::string& error,
                int depth = 0) const {
        out.clear();
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '%') {
                out += text[i];
                continue;
            }
            size_t close = text.find('%', i + 1);
            if (close == std::string::npos)
                return Fail(error, "'%' without its pair in \"" + text + "\"");
            std::string name = text.substr(i + 1, close - i - 1);
            i = close;
            if (name.empty()) {
                out += '%';
                continue;
            }
            std::string upper = Lower(name);
            if (upper.size() >= 3 && upper.compare(0, 2, "ce") == 0 &&
                upper.find_first_not_of("0123456789", 2) == std::string::npos) {
                out += "%" + name + "%";
                continue;
            }
            const Line* value = Value("CEStrings", name);
            if (value == NULL) value = Value("Strings", name);
            if (value == NULL || value->fields.size() != 1)
                return Fail(error, "unknown string %" + name + "%");
            std::string expanded;
            if (depth > 8 || !Expand(value->fields[0], expanded, error, depth + 1))
                return Fail(error, "string %" + name + "% refers to itself");
            out += expanded;
        }
        return true;
    }

    static bool Fail(std::string& error, const std::string& why) {
        error = why;
        return false;
    }

    std::vector<Section> sections;
};

bool Number(const std::string& text, uint32_t& value) {
    if (text.empty()) return false;
    char* end = NULL;
    unsigned long long v = std::strtoull(text.c_str(), &end, 0);
    if (*end != 0 || v > 0xFFFFFFFFull || text[0] == '-') return false;
    value = uint32_t(v);
    return true;
}

// "3.0" gives 3 and 0, "4.21" gives 4 and 21.
bool Version(const std::string& text, uint32_t& major, uint32_t& minor) {
    size_t dot = text.find('.');
    if (dot == std::string::npos) return Number(text, major) && ((minor = 0), true);
    return Number(text.substr(0, dot), major) && Number(text.substr(dot + 1), minor);
}

struct Reader {
    const Description& inf;
    Package& package;
    std::string& error;

    bool Fail(const std::string& why) { return Description::Fail(error, why); }

    // A single-valued key, expanded.
    bool Single(const char* section, const char* key, std::string& value, bool required = true) {
        const Line* line = inf.Value(section, key);
        if (line == NULL) {
            value.clear();
            return !required || Fail(std::string("[") + section + "] has no " + key);
        }
        if (line->fields.size() != 1)
            return Fail("line " + std::to_string(line->number) + ": " + key + " takes one value");
        return inf.Expand(line->fields[0], value, error);
    }
    bool NumberKey(const char* key, uint32_t& value, uint32_t fallback) {
        std::string text;
        if (!Single("CEDevice", key, text, false)) return false;
        if (text.empty()) {
            value = fallback;
            return true;
        }
        return Number(text, value) || Fail(std::string(key) + " = \"" + text + "\" is no number");
    }

    bool Header() {
        std::string signature, ceSignature;
        if (!Single("Version", "Signature", signature) ||
            !Single("Version", "CESignature", ceSignature) ||
            !Single("Version", "Provider", package.info.provider) ||
            !Single("CEStrings", "AppName", package.info.appName))
            return false;
        if (Lower(signature) != Lower(NT_SIGNATURE) || Lower(ceSignature) != Lower(CE_SIGNATURE))
            return Fail(std::string("[Version] needs Signature \"") + NT_SIGNATURE +
                        "\" and CESignature \"" + CE_SIGNATURE + "\"");
        SetupInfo& info = package.info;
        std::string low, high;
        if (!NumberKey("ProcessorType", info.processor, 0) ||
            !NumberKey("BuildMin", info.buildMin, 0) ||
            !NumberKey("BuildMax", info.buildMax, 0xE0000000u) ||
            !Single("CEDevice", "VersionMin", low, false) ||
            !Single("CEDevice", "VersionMax", high, false))
            return false;
        if (low.empty()) low = "3.0";
        if (high.empty()) high = "1000.0";
        if (!Version(low, info.versionMinMajor, info.versionMinMinor) ||
            !Version(high, info.versionMaxMajor, info.versionMaxMinor))
            return Fail("VersionMin/VersionMax: \"" + low + "\", \"" + high + "\" are no versions");
        if (const Line* line = inf.Value("CEDevice", "UnsupportedPlatforms")) {
            for (const std::string& field : line->fields) {
                if (field.empty()) return Fail("UnsupportedPlatforms: empty name");
                info.unsupportedPlatforms.push_back(field);
            }
        }
        package.shortName = ShortName(info.appName);
        if (package.shortName.empty()) return Fail("AppName has no letter a short name could keep");
        return true;
    }

    uint16_t StringId(const std::string& text) {
        for (const SetupString& s : package.info.strings)
            if (s.text == text) return s.id;
        package.info.strings.push_back(
            SetupString{uint16_t(package.info.strings.size() + 1), text});
        return package.info.strings.back().id;
    }

    // The source path of a file: its disk's folder and its name.
    bool Source(const std::string& name, std::string& path) {
        const Line* disk = inf.Value("SourceDisksFiles", name);
        if (disk == NULL || disk->fields.size() != 1)
            return Fail("\"" + name + "\" is not in [SourceDisksFiles]");
        const Line* names = inf.Value("SourceDisksNames", disk->fields[0]);
        if (names == NULL) return Fail("disk " + disk->fields[0] + " is not in [SourceDisksNames]");
        std::string folder;
        if (names->fields.size() > 3 && !inf.Expand(names->fields[3], folder, error)) return false;
        path = folder.empty() || folder == "." ? name : folder + "/" + name;
        return true;
    }

    bool Files() {
        std::string installDir, copyList;
        if (!Single("CEStrings", "InstallDir", installDir)) return false;
        SetupInfo& info = package.info;
        // Directory 1 is the install folder; each copy section gets one of its own.
        std::vector<SetupDirectory> dirs;
        dirs.push_back(SetupDirectory{1, {StringId(installDir)}});
        const Line* copy = inf.Value("DefaultInstall", "CopyFiles");
        if (copy == NULL) return Fail("[DefaultInstall] has no CopyFiles");
        for (const char* key : {"AddReg", "CEShortcuts"})
            if (inf.Value("DefaultInstall", key) != NULL)
                return Fail(std::string("[DefaultInstall] ") + key +
                            ": registry and shortcut entries are not built");
        for (const std::string& sectionName : copy->fields) {
            const Section* section = inf.Find(sectionName);
            if (section == NULL) return Fail("no section [" + sectionName + "] for CopyFiles");
            const Line* dest = inf.Value("DestinationDirs", sectionName);
            if (dest == NULL) dest = inf.Value("DestinationDirs", "DefaultDestDir");
            if (dest == NULL || dest->fields.size() != 2)
                return Fail("[DestinationDirs] has no \"0,path\" for " + sectionName);
            std::string path;
            if (!inf.Expand(dest->fields[1], path, error)) return false;
            uint16_t dirId = uint16_t(dirs.size() + 1);
            dirs.push_back(SetupDirectory{dirId, {StringId(path)}});
            for (const Line& line : section->lines) {
                std::string where = "line " + std::to_string(line.number) + ": ";
                if (!line.key.empty() || line.fields.empty() || line.fields[0].empty())
                    return Fail(where + "a file line is \"name\",\"source\",,flags");
                SetupFile file;
                file.name = line.fields[0];
                if (file.name.find_first_of("\\/:") != std::string::npos)
                    return Fail(where + "\"" + file.name + "\" is no plain file name");
                std::string source =
                    line.fields.size() > 1 && !line.fields[1].empty() ? line.fields[1] : file.name;
                if (line.fields.size() > 3 && !line.fields[3].empty() &&
                    !Number(line.fields[3], file.flags))
                    return Fail(where + "flags \"" + line.fields[3] + "\" are no number");
                if (info.files.size() >= MAX_FILES) return Fail(where + "too many files");
                file.id = uint16_t(info.files.size() + 1);
                file.member = file.id;
                file.directory = dirId;
                PackageFile member;
                char ext[8];
                std::snprintf(ext, sizeof ext, ".%03u", unsigned(file.id));
                member.member = package.shortName + ext;
                if (!Source(source, member.source)) return Fail(where + error);
                package.files.push_back(member);
                info.files.push_back(file);
            }
        }
        // Written newest first: the file list's folders ahead of the install folder.
        info.directories.assign(dirs.rbegin(), dirs.rend());
        std::string library;
        if (!Single("DefaultInstall", "CESetupDLL", library, false)) return false;
        if (!library.empty() && !Source(library, package.setupLibrary)) return false;
        return true;
    }
};

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

std::string ShortName(const std::string& name) {
    std::string kept;
    bool lossy = false;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || std::string("_$~!#%&-{}()@'`^").find(c) != std::string::npos)
            kept += char(std::toupper(u));
        else
            lossy = true;
    }
    if (kept.size() > 8 || (lossy && !kept.empty())) kept = kept.substr(0, 6) + "~1";
    return kept;
}

bool ReadPackageDescription(const std::string& text, Package& package, std::string& error) {
    package = Package();
    Description inf;
    if (!inf.Parse(text, error)) return false;
    Reader reader{inf, package, error};
    if (!reader.Header() || !reader.Files()) {
        package = Package();
        return false;
    }
    return true;
}

bool BuildPackage(const Package& package, const std::string& sourceDir, BuiltPackage& built,
                  std::string& error) {
    built = BuiltPackage();
    std::vector<uint8_t> setupInfo;
    if (!WriteSetupInfo(package.info, setupInfo, error)) return false;

    std::vector<MemberSource> members;
    for (const PackageFile& file : package.files) {
        MemberSource member{file.member, {}};
        if (!ReadFile(sourceDir + "/" + file.source, member.bytes))
            return Description::Fail(error, "cannot read " + sourceDir + "/" + file.source);
        members.push_back(member);
    }
    // Three folders: what the installer reads before it copies anything (the
    // setup information and the setup library), then the file list's members
    // in two halves, in their order.
    std::vector<std::vector<MemberSource>> folders(3);
    folders[0].push_back(MemberSource{package.shortName + ".000", setupInfo});
    if (!package.setupLibrary.empty()) {
        MemberSource library{package.shortName + ".999", {}};
        if (!ReadFile(sourceDir + "/" + package.setupLibrary, library.bytes))
            return Description::Fail(error,
                                     "cannot read " + sourceDir + "/" + package.setupLibrary);
        folders[0].push_back(library);
    }
    size_t half = (members.size() + 1) / 2;
    for (size_t i = 0; i < members.size(); ++i)
        folders[i < half ? 1 : 2].push_back(members[i]);
    built.setupInfo = setupInfo;
    built.cabinet = WriteCabinet(folders);
    return true;
}

} // namespace cab
