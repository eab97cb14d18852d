// The device package's two containers as records: a Microsoft cabinet
// (format 1.3, stored folders) and the Windows CE setup information that
// its ".000" member holds. The readers (CabinetReader.cpp, SetupInfoReader.cpp)
// take untrusted bytes and refuse anything they cannot account for; the
// writers (CabinetWriter.cpp, SetupInfoWriter.cpp) build what the readers read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cab {

// ---------------------------------------------------------------- cabinet

const size_t MAX_BLOCK_DATA = 32768; // bytes of one CFDATA block
const size_t MAX_MEMBER_NAME = 255;  // bytes of a member name, NUL not counted

struct Member {
    std::string name;
    uint16_t folder = 0;
    uint32_t offset = 0; // within the folder's data
    uint16_t date = 0;
    uint16_t time = 0;
    uint16_t attributes = 0;
    std::vector<uint8_t> bytes;
};

struct Cabinet {
    uint16_t setId = 0;
    uint16_t folderCount = 0;
    std::vector<Member> members; // in the order of the file table
};

// The cabinet checksum of one block's bytes, continued from seed.
uint32_t Checksum(const uint8_t* data, size_t size, uint32_t seed);

// Reads a whole single cabinet with stored folders; every block's checksum
// and size is checked and every member's bytes are copied out. On failure
// error says why and cabinet is left empty.
bool ReadCabinet(const uint8_t* data, size_t size, Cabinet& cabinet, std::string& error);

// The member of that name (ASCII letters compared without case), or NULL.
const Member* FindMember(const Cabinet& cabinet, const std::string& name);

struct MemberSource {
    std::string name;
    std::vector<uint8_t> bytes;
};

// One cabinet of stored folders, each a list of members in order. Dates and
// times are fixed and the set id comes from the contents, so equal input
// gives equal bytes.
std::vector<uint8_t> WriteCabinet(const std::vector<std::vector<MemberSource>>& folders);

// ---------------------------------------------------------------- setup information

const size_t SETUP_HEADER_SIZE = 100;
const uint32_t COPY_FLAG_SELF_REGISTER = 0x10000000;

struct SetupString {
    uint16_t id = 0;
    std::string text;
};

struct SetupDirectory {
    uint16_t id = 0;
    std::vector<uint16_t> strings; // string ids of the path's parts, no terminator
};

struct SetupFile {
    uint16_t id = 0;
    uint16_t directory = 0;
    uint16_t member = 0; // the number of the cabinet member holding the file
    uint32_t flags = 0;
    std::string name;
};

struct SetupInfo {
    uint32_t processor = 0;
    uint32_t versionMinMajor = 0, versionMinMinor = 0;
    uint32_t versionMaxMajor = 0, versionMaxMinor = 0;
    uint32_t buildMin = 0, buildMax = 0;
    std::string appName;
    std::string provider;
    std::vector<std::string> unsupportedPlatforms;
    std::vector<SetupString> strings;        // in block order
    std::vector<SetupDirectory> directories; // in block order
    std::vector<SetupFile> files;            // in block order
};

// Reads a setup-information block. Every offset, length and terminator is
// checked against the block, every directory's strings and every file's
// directory must exist; registry and shortcut entries are refused (nothing
// here can carry them out).
bool ReadSetupInfo(const uint8_t* data, size_t size, SetupInfo& info, std::string& error);

// The install path of a directory: its strings joined with backslashes.
// False when the directory or one of its strings is missing.
bool DirectoryPath(const SetupInfo& info, uint16_t directory, std::string& path);

// Writes the block: header, names, platform list, then string, directory
// and file entries, with no registry or shortcut entries. False (with error)
// when a field does not fit its width.
bool WriteSetupInfo(const SetupInfo& info, std::vector<uint8_t>& block, std::string& error);

} // namespace cab
