// Writing one Microsoft cabinet (format 1.3) of stored folders.
#include "Cabinet.h"

namespace cab {

namespace {

// Every member carries the same time stamp, 2000-01-01 00:00:00, so that a
// package depends on nothing but its contents.
const uint16_t FIXED_DATE = (2000 - 1980) << 9 | 1 << 5 | 1;
const uint16_t FIXED_TIME = 0;
const uint16_t ATTRIBUTE_ARCHIVE = 0x20;

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, uint16_t(v));
    Put16(out, uint16_t(v >> 16));
}
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = uint8_t(v >> (8 * i));
}

} // namespace

std::vector<uint8_t> WriteCabinet(const std::vector<std::vector<MemberSource>>& folders) {
    std::vector<std::vector<uint8_t>> data(folders.size());
    size_t fileCount = 0;
    uint32_t hash = 2166136261u; // FNV-1a over names and bytes gives the set id
    for (size_t f = 0; f < folders.size(); ++f) {
        for (const MemberSource& member : folders[f]) {
            data[f].insert(data[f].end(), member.bytes.begin(), member.bytes.end());
            for (char c : member.name)
                hash = (hash ^ uint8_t(c)) * 16777619u;
            for (uint8_t b : member.bytes)
                hash = (hash ^ b) * 16777619u;
            ++fileCount;
        }
    }

    std::vector<uint8_t> out;
    out.insert(out.end(), {'M', 'S', 'C', 'F'});
    Put32(out, 0);
    Put32(out, 0); // cabinet size, set below
    Put32(out, 0);
    Put32(out, 0); // offset of the file table, set below
    Put32(out, 0);
    out.push_back(3); // format 1.3
    out.push_back(1);
    Put16(out, uint16_t(folders.size()));
    Put16(out, uint16_t(fileCount));
    Put16(out, 0); // no flags: no set neighbours, no reserved areas
    Put16(out, uint16_t(hash ^ hash >> 16));
    Put16(out, 0); // the only cabinet of its set

    size_t folderTable = out.size();
    for (size_t f = 0; f < folders.size(); ++f) {
        Put32(out, 0); // first block, set below
        Put16(out, uint16_t((data[f].size() + MAX_BLOCK_DATA - 1) / MAX_BLOCK_DATA));
        Put16(out, 0); // stored
    }

    Set32(out, 16, uint32_t(out.size()));
    for (size_t f = 0; f < folders.size(); ++f) {
        uint32_t offset = 0;
        for (const MemberSource& member : folders[f]) {
            Put32(out, uint32_t(member.bytes.size()));
            Put32(out, offset);
            Put16(out, uint16_t(f));
            Put16(out, FIXED_DATE);
            Put16(out, FIXED_TIME);
            Put16(out, ATTRIBUTE_ARCHIVE);
            out.insert(out.end(), member.name.begin(), member.name.end());
            out.push_back(0);
            offset += uint32_t(member.bytes.size());
        }
    }

    for (size_t f = 0; f < folders.size(); ++f) {
        Set32(out, folderTable + 8 * f, uint32_t(out.size()));
        for (size_t at = 0; at < data[f].size(); at += MAX_BLOCK_DATA) {
            size_t n = data[f].size() - at < MAX_BLOCK_DATA ? data[f].size() - at : MAX_BLOCK_DATA;
            size_t head = out.size();
            Put32(out, 0);
            Put16(out, uint16_t(n));
            Put16(out, uint16_t(n));
            uint32_t sum = Checksum(&out[head + 4], 4, Checksum(&data[f][at], n, 0));
            Set32(out, head, sum);
            out.insert(out.end(), data[f].begin() + at, data[f].begin() + at + n);
        }
    }
    Set32(out, 8, uint32_t(out.size()));
    return out;
}

} // namespace cab
