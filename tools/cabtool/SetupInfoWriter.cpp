// Writing the Windows CE setup information (signature "MSCE").
#include "Cabinet.h"

namespace cab {

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    Put16(out, at, v);
    Put16(out, at + 2, v >> 16);
}
void Append16(std::vector<uint8_t>& out, uint32_t v) {
    out.resize(out.size() + 2);
    Put16(out, out.size() - 2, v);
}
void AppendText(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

} // namespace

bool WriteSetupInfo(const SetupInfo& info, std::vector<uint8_t>& block, std::string& error) {
    std::vector<uint8_t> out(SETUP_HEADER_SIZE, 0);
    out[0] = 'M', out[1] = 'S', out[2] = 'C', out[3] = 'E';
    Put32(out, 16, 1);
    Put32(out, 20, info.processor);
    Put32(out, 24, info.versionMinMajor);
    Put32(out, 28, info.versionMinMinor);
    Put32(out, 32, info.versionMaxMajor);
    Put32(out, 36, info.versionMaxMinor);
    Put32(out, 40, info.buildMin);
    Put32(out, 44, info.buildMax);
    Put16(out, 48, uint32_t(info.strings.size()));
    Put16(out, 50, uint32_t(info.directories.size()));
    Put16(out, 52, uint32_t(info.files.size()));
    // Registry hives, keys and links: none (counts 0 at 54 to 58).

    // The names' offsets and lengths are 16-bit fields of the header.
    size_t at = out.size();
    AppendText(out, info.appName);
    Put16(out, 84, uint32_t(at));
    Put16(out, 86, uint32_t(out.size() - at));
    at = out.size();
    AppendText(out, info.provider);
    Put16(out, 88, uint32_t(at));
    Put16(out, 90, uint32_t(out.size() - at));
    at = out.size();
    for (const std::string& platform : info.unsupportedPlatforms)
        AppendText(out, platform);
    out.push_back(0);
    Put16(out, 92, uint32_t(at));
    Put16(out, 94, uint32_t(out.size() - at));
    if (out.size() > 0xFFFF) {
        error = "names and platform list longer than the header's 16-bit offsets reach";
        return false;
    }

    Put32(out, 60, uint32_t(out.size()));
    for (const SetupString& s : info.strings) {
        Append16(out, s.id);
        Append16(out, uint32_t(s.text.size() + 1));
        AppendText(out, s.text);
    }
    Put32(out, 64, uint32_t(out.size()));
    for (const SetupDirectory& dir : info.directories) {
        Append16(out, dir.id);
        Append16(out, uint32_t(2 * (dir.strings.size() + 1))); // the list's bytes, its 0 included
        for (uint16_t id : dir.strings)
            Append16(out, id);
        Append16(out, 0);
    }
    Put32(out, 68, uint32_t(out.size()));
    for (const SetupFile& file : info.files) {
        Append16(out, file.id);
        Append16(out, file.directory);
        Append16(out, file.member);
        out.resize(out.size() + 4);
        Put32(out, out.size() - 4, file.flags);
        Append16(out, uint32_t(file.name.size() + 1));
        AppendText(out, file.name);
    }
    for (const SetupString& s : info.strings)
        if (s.text.size() + 1 > 0xFFFF) {
            error = "string \"" + s.text.substr(0, 40) + "...\" too long";
            return false;
        }
    for (const SetupFile& f : info.files)
        if (f.name.size() + 1 > 0xFFFF) {
            error = "file name too long";
            return false;
        }
    Put32(out, 72, uint32_t(out.size()));
    Put32(out, 76, uint32_t(out.size()));
    Put32(out, 80, uint32_t(out.size()));
    Put32(out, 8, uint32_t(out.size()));
    block.swap(out);
    return true;
}

} // namespace cab
