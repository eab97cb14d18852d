// Reading the Windows CE setup information (signature "MSCE") from untrusted
// bytes: each field is taken only after its place has been checked against
// the block.
#include "Cabinet.h"

#include <cstring>

namespace cab {

namespace {

uint16_t Get16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

class BlockReader {
  public:
    BlockReader(const uint8_t* data, size_t size, std::string& error)
        : data(data), size(size), error(error) {}

    bool Fail(const std::string& why) {
        error = why;
        return false;
    }
    bool Inside(uint64_t offset, uint64_t length) const {
        return offset <= size && length <= size - offset;
    }
    // A text of exactly length bytes at offset, its last byte the only NUL.
    bool Text(uint64_t offset, uint64_t length, const char* what, std::string& text) {
        if (offset < SETUP_HEADER_SIZE || !Inside(offset, length))
            return Fail(std::string(what) + ": " + std::to_string(length) + " bytes at " +
                        std::to_string(offset) + " outside the block's " + std::to_string(size));
        if (length == 0 || data[offset + length - 1] != 0)
            return Fail(std::string(what) + ": no terminator at the end of its length");
        const char* start = reinterpret_cast<const char*>(data + offset);
        if (std::strlen(start) != length - 1)
            return Fail(std::string(what) + ": terminator before the end of its length");
        text.assign(start, length - 1);
        return true;
    }
    // The start of a table of entries: inside the block, after the header.
    bool Table(uint32_t offset, const char* what) {
        if (offset < SETUP_HEADER_SIZE || offset > size)
            return Fail(std::string(what) + " at " + std::to_string(offset) +
                        ", outside the block's " + std::to_string(size));
        return true;
    }
    bool Fixed(uint64_t offset, uint64_t length, const std::string& what) {
        if (!Inside(offset, length)) return Fail(what + ": past the end of the block");
        return true;
    }

    const uint8_t* data;
    size_t size;
    std::string& error;
};

bool ReadPlatforms(BlockReader& in, uint16_t offset, uint16_t length, SetupInfo& info) {
    if (length == 0) return true;
    std::string list;
    if (offset < SETUP_HEADER_SIZE || !in.Inside(offset, length))
        return in.Fail("unsupported-platform list outside the block");
    // NUL-terminated names, then one more NUL that ends the list.
    size_t at = offset, end = size_t(offset) + length;
    for (;;) {
        const void* nul = std::memchr(in.data + at, 0, end - at);
        if (nul == NULL) return in.Fail("unsupported-platform list: name without terminator");
        size_t n = static_cast<const uint8_t*>(nul) - (in.data + at);
        if (n == 0) break;
        info.unsupportedPlatforms.emplace_back(reinterpret_cast<const char*>(in.data + at), n);
        at += n + 1;
        if (at == end) return in.Fail("unsupported-platform list without its closing NUL");
    }
    return true;
}

bool ReadStrings(BlockReader& in, uint32_t at, uint16_t count, SetupInfo& info) {
    for (uint16_t i = 0; i < count; ++i) {
        std::string which = "string entry " + std::to_string(i);
        if (!in.Fixed(at, 4, which)) return false;
        SetupString entry;
        entry.id = Get16(in.data + at);
        uint16_t length = Get16(in.data + at + 2);
        if (!in.Text(uint64_t(at) + 4, length, which.c_str(), entry.text)) return false;
        at += 4 + length;
        info.strings.push_back(entry);
    }
    return true;
}

bool ReadDirectories(BlockReader& in, uint32_t at, uint16_t count, SetupInfo& info) {
    for (uint16_t i = 0; i < count; ++i) {
        std::string which = "directory entry " + std::to_string(i);
        if (!in.Fixed(at, 4, which)) return false;
        SetupDirectory entry;
        entry.id = Get16(in.data + at);
        uint16_t length = Get16(in.data + at + 2);
        if (length < 4 || length % 2 != 0)
            return in.Fail(which + ": list of " + std::to_string(length) + " bytes");
        if (!in.Fixed(uint64_t(at) + 4, length, which)) return false;
        const uint8_t* list = in.data + at + 4;
        for (size_t k = 0; k + 2 < length; k += 2) {
            uint16_t id = Get16(list + k);
            if (id == 0) return in.Fail(which + ": string list ends before its length");
            entry.strings.push_back(id);
        }
        if (Get16(list + length - 2) != 0) return in.Fail(which + ": string list without its 0");
        at += 4 + length;
        info.directories.push_back(entry);
    }
    return true;
}

bool ReadFiles(BlockReader& in, uint32_t at, uint16_t count, SetupInfo& info) {
    for (uint16_t i = 0; i < count; ++i) {
        std::string which = "file entry " + std::to_string(i);
        if (!in.Fixed(at, 12, which)) return false;
        SetupFile entry;
        entry.id = Get16(in.data + at);
        entry.directory = Get16(in.data + at + 2);
        entry.member = Get16(in.data + at + 4);
        entry.flags = Get32(in.data + at + 6);
        uint16_t length = Get16(in.data + at + 10);
        if (!in.Text(uint64_t(at) + 12, length, which.c_str(), entry.name)) return false;
        at += 12 + length;
        info.files.push_back(entry);
    }
    return true;
}

// Every reference inside the block leads somewhere, and no file name could
// leave its directory.
bool CheckReferences(BlockReader& in, const SetupInfo& info) {
    for (const SetupDirectory& dir : info.directories) {
        std::string path;
        if (!DirectoryPath(info, dir.id, path))
            return in.Fail("directory " + std::to_string(dir.id) + " names a missing string");
    }
    for (const SetupFile& file : info.files) {
        bool found = false;
        for (const SetupDirectory& dir : info.directories)
            found = found || dir.id == file.directory;
        if (!found)
            return in.Fail("file " + file.name + ": missing directory " +
                           std::to_string(file.directory));
        if (file.name.empty() || file.name == "." || file.name == ".." ||
            file.name.find_first_of("\\/:") != std::string::npos)
            return in.Fail("file \"" + file.name + "\": not a plain file name");
    }
    return true;
}

} // namespace

bool ReadSetupInfo(const uint8_t* data, size_t size, SetupInfo& info, std::string& error) {
    info = SetupInfo();
    BlockReader in(data, size, error);
    if (size < SETUP_HEADER_SIZE || std::memcmp(data, "MSCE", 4) != 0)
        return in.Fail("not setup information (no MSCE header)");
    uint32_t length = Get32(data + 8);
    if (length != size)
        return in.Fail("block says " + std::to_string(length) + " bytes, there are " +
                       std::to_string(size));
    SetupInfo result;
    result.processor = Get32(data + 20);
    result.versionMinMajor = Get32(data + 24);
    result.versionMinMinor = Get32(data + 28);
    result.versionMaxMajor = Get32(data + 32);
    result.versionMaxMinor = Get32(data + 36);
    result.buildMin = Get32(data + 40);
    result.buildMax = Get32(data + 44);
    uint16_t strings = Get16(data + 48), directories = Get16(data + 50), files = Get16(data + 52);
    uint16_t hives = Get16(data + 54), keys = Get16(data + 56), links = Get16(data + 58);
    uint32_t stringsAt = Get32(data + 60), directoriesAt = Get32(data + 64);
    uint32_t filesAt = Get32(data + 68);
    if (!in.Table(stringsAt, "string entries") || !in.Table(directoriesAt, "directory entries") ||
        !in.Table(filesAt, "file entries") || !in.Table(Get32(data + 72), "registry hives") ||
        !in.Table(Get32(data + 76), "registry keys") || !in.Table(Get32(data + 80), "links"))
        return false;
    if (hives != 0 || keys != 0 || links != 0)
        return in.Fail("registry or shortcut entries, which this installer does not carry out");
    if (!in.Text(Get16(data + 84), Get16(data + 86), "application name", result.appName) ||
        !in.Text(Get16(data + 88), Get16(data + 90), "provider name", result.provider) ||
        !ReadPlatforms(in, Get16(data + 92), Get16(data + 94), result) ||
        !ReadStrings(in, stringsAt, strings, result) ||
        !ReadDirectories(in, directoriesAt, directories, result) ||
        !ReadFiles(in, filesAt, files, result) || !CheckReferences(in, result))
        return false;
    info = result;
    return true;
}

bool DirectoryPath(const SetupInfo& info, uint16_t directory, std::string& path) {
    path.clear();
    for (const SetupDirectory& dir : info.directories) {
        if (dir.id != directory) continue;
        for (uint16_t id : dir.strings) {
            const SetupString* part = NULL;
            for (const SetupString& s : info.strings)
                if (s.id == id) part = &s;
            if (part == NULL) return false;
            if (!path.empty()) path += '\\';
            path += part->text;
        }
        return true;
    }
    return false;
}

} // namespace cab
