// Reading a single Microsoft cabinet of stored folders from untrusted bytes.
#include "Cabinet.h"

#include <cstring>

namespace cab {

namespace {

const size_t HEADER_SIZE = 36;
const size_t FOLDER_SIZE = 8;
const size_t FILE_SIZE = 16;
const size_t BLOCK_HEADER_SIZE = 8;
const uint16_t FLAG_PREVIOUS = 0x0001;
const uint16_t FLAG_NEXT = 0x0002;
const uint16_t FLAG_RESERVE = 0x0004;
const uint16_t COMPRESSION_MASK = 0x000F;

uint16_t Get16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// True when [offset, offset + length) lies inside a buffer of size bytes.
bool Inside(size_t size, uint64_t offset, uint64_t length) {
    return offset <= size && length <= size - offset;
}

bool Fail(std::string& error, const std::string& why, Cabinet& cabinet) {
    error = why;
    cabinet = Cabinet();
    return false;
}

struct Layout {
    size_t folderReserve = 0;
    size_t blockReserve = 0;
    size_t folderTable = 0;
};

// Reads the folder's data blocks into one buffer, checking each one.
bool ReadFolderData(const uint8_t* data, size_t size, const Layout& layout, size_t folder,
                    std::vector<uint8_t>& out, std::string& error) {
    const uint8_t* entry =
        data + layout.folderTable + folder * (FOLDER_SIZE + layout.folderReserve);
    uint32_t position = Get32(entry);
    uint16_t blocks = Get16(entry + 4);
    uint16_t compression = Get16(entry + 6);
    std::string which = "folder " + std::to_string(folder);
    if ((compression & COMPRESSION_MASK) != 0) {
        error = which + ": compressed (type " + std::to_string(compression) +
                "), only stored folders are read";
        return false;
    }
    for (uint16_t b = 0; b < blocks; ++b) {
        std::string block = which + " block " + std::to_string(b);
        if (!Inside(size, position, BLOCK_HEADER_SIZE + layout.blockReserve)) {
            error = block + ": header past the end of the cabinet";
            return false;
        }
        const uint8_t* head = data + position;
        uint32_t sum = Get32(head);
        uint16_t stored = Get16(head + 4);
        uint16_t expanded = Get16(head + 6);
        size_t body = position + BLOCK_HEADER_SIZE + layout.blockReserve;
        if (stored != expanded) {
            error = block + ": " + std::to_string(stored) + " bytes stored for " +
                    std::to_string(expanded) + " (a stored block holds its bytes as they are)";
            return false;
        }
        if (stored == 0 || stored > MAX_BLOCK_DATA) {
            error = block + ": size " + std::to_string(stored) + " outside 1-32768";
            return false;
        }
        if (!Inside(size, body, stored)) {
            error = block + ": data past the end of the cabinet";
            return false;
        }
        uint32_t expected = Checksum(head + 4, 4, Checksum(data + body, stored, 0));
        if (sum != expected) {
            error = block + ": checksum " + std::to_string(sum) + ", the data gives " +
                    std::to_string(expected);
            return false;
        }
        out.insert(out.end(), data + body, data + body + stored);
        position = uint32_t(body + stored);
    }
    return true;
}

} // namespace

uint32_t Checksum(const uint8_t* data, size_t size, uint32_t seed) {
    uint32_t sum = seed;
    size_t whole = size / 4 * 4;
    for (size_t i = 0; i < whole; i += 4)
        sum ^= Get32(data + i);
    // The last one to three bytes go in with the first of them highest.
    uint32_t tail = 0;
    for (size_t i = whole; i < size; ++i)
        tail = tail << 8 | data[i];
    return sum ^ tail;
}

bool ReadCabinet(const uint8_t* data, size_t size, Cabinet& cabinet, std::string& error) {
    cabinet = Cabinet();
    if (size < HEADER_SIZE || std::memcmp(data, "MSCF", 4) != 0)
        return Fail(error, "not a cabinet (no MSCF header)", cabinet);
    uint32_t declared = Get32(data + 8);
    if (declared != size)
        return Fail(error,
                    "cabinet says " + std::to_string(declared) + " bytes, the file has " +
                        std::to_string(size),
                    cabinet);
    if (data[25] != 1 || data[24] != 3)
        return Fail(error,
                    "cabinet format " + std::to_string(data[25]) + "." + std::to_string(data[24]) +
                        ", not 1.3",
                    cabinet);
    uint32_t fileTable = Get32(data + 16);
    uint16_t folders = Get16(data + 26);
    uint16_t files = Get16(data + 28);
    uint16_t flags = Get16(data + 30);
    if ((flags & (FLAG_PREVIOUS | FLAG_NEXT)) != 0 || Get16(data + 34) != 0)
        return Fail(error, "part of a cabinet set: only single cabinets are read", cabinet);

    Layout layout;
    layout.folderTable = HEADER_SIZE;
    if ((flags & FLAG_RESERVE) != 0) {
        if (size < HEADER_SIZE + 4) return Fail(error, "reserve sizes past the end", cabinet);
        size_t headerReserve = Get16(data + 36);
        layout.folderReserve = data[38];
        layout.blockReserve = data[39];
        layout.folderTable = HEADER_SIZE + 4 + headerReserve;
    }
    if (!Inside(size, layout.folderTable, uint64_t(folders) * (FOLDER_SIZE + layout.folderReserve)))
        return Fail(error, "folder table past the end of the cabinet", cabinet);

    std::vector<std::vector<uint8_t>> folderData(folders);
    for (size_t f = 0; f < folders; ++f) {
        if (!ReadFolderData(data, size, layout, f, folderData[f], error))
            return Fail(error, error, cabinet);
    }

    // Members never share bytes: together they hold at most the folders' data.
    uint64_t folderBytes = 0, taken = 0;
    for (const std::vector<uint8_t>& bytes : folderData)
        folderBytes += bytes.size();
    size_t position = fileTable;
    for (uint16_t i = 0; i < files; ++i) {
        std::string which = "member " + std::to_string(i);
        if (!Inside(size, position, FILE_SIZE))
            return Fail(error, which + ": entry past the end of the cabinet", cabinet);
        const uint8_t* entry = data + position;
        Member member;
        uint32_t length = Get32(entry);
        member.offset = Get32(entry + 4);
        member.folder = Get16(entry + 8);
        member.date = Get16(entry + 10);
        member.time = Get16(entry + 12);
        member.attributes = Get16(entry + 14);
        const uint8_t* name = entry + FILE_SIZE;
        size_t room = size - position - FILE_SIZE;
        const void* end =
            std::memchr(name, 0, room < MAX_MEMBER_NAME + 1 ? room : MAX_MEMBER_NAME + 1);
        if (end == NULL) return Fail(error, which + ": name without terminator", cabinet);
        member.name.assign(reinterpret_cast<const char*>(name),
                           static_cast<const uint8_t*>(end) - name);
        if (member.name.empty()) return Fail(error, which + ": empty name", cabinet);
        which = "member " + member.name;
        if (member.folder >= folders)
            return Fail(error,
                        which + ": folder " + std::to_string(member.folder) + " of " +
                            std::to_string(folders),
                        cabinet);
        const std::vector<uint8_t>& bytes = folderData[member.folder];
        if (!Inside(bytes.size(), member.offset, length))
            return Fail(error,
                        which + ": " + std::to_string(length) + " bytes at " +
                            std::to_string(member.offset) + " past its folder's " +
                            std::to_string(bytes.size()),
                        cabinet);
        taken += length;
        if (taken > folderBytes)
            return Fail(error, which + ": members hold more bytes than the folders", cabinet);
        member.bytes.assign(bytes.begin() + member.offset, bytes.begin() + member.offset + length);
        position += FILE_SIZE + member.name.size() + 1;
        cabinet.members.push_back(std::move(member));
    }
    cabinet.setId = Get16(data + 32);
    cabinet.folderCount = folders;
    return true;
}

const Member* FindMember(const Cabinet& cabinet, const std::string& name) {
    for (const Member& member : cabinet.members) {
        if (member.name.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i) {
            char a = member.name[i], b = name[i];
            if (a >= 'a' && a <= 'z') a = char(a - 'a' + 'A');
            if (b >= 'a' && b <= 'z') b = char(b - 'a' + 'A');
            same = a == b;
        }
        if (same) return &member;
    }
    return NULL;
}

} // namespace cab
