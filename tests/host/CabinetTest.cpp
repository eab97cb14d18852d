// The package builder and the readers of cabinets and setup information:
// the shipped description gives the setup-information block byte for byte
// as the device reads it, cabinets read back what was written, and broken
// input of every kind is refused with a reason (under ASan and UBSan).
#include "Cabinet.h"
#include "Package.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<uint8_t>;

std::string ReadText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The expected block, spelt out field by field from the block's layout.
struct Spell {
    Bytes b;
    Spell& u16(uint32_t v) {
        b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8));
        return *this;
    }
    Spell& u32(uint32_t v) { return u16(v).u16(v >> 16); }
    Spell& sz(const char* s) {
        b.insert(b.end(), s, s + strlen(s) + 1);
        return *this;
    }
};

Bytes ShippedSetupInfo() {
    cab::Package package;
    std::string error;
    EXPECT_TRUE(cab::ReadPackageDescription(ReadText(PACKAGE_INF), package, error)) << error;
    Bytes block;
    EXPECT_TRUE(cab::WriteSetupInfo(package.info, block, error)) << error;
    return block;
}

bool Refused(const Bytes& block, std::string* why = NULL) {
    cab::SetupInfo info;
    std::string error;
    bool ok = cab::ReadSetupInfo(block.data(), block.size(), info, error);
    if (why) *why = error;
    return !ok && !error.empty();
}

void Set16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8);
}
void Set32(Bytes& b, size_t at, uint32_t v) {
    Set16(b, at, v), Set16(b, at + 2, v >> 16);
}

TEST(SetupInfo, ShippedDescriptionGivesTheDevicesBlock) {
    Spell s;
    const uint32_t end = 266;
    s.b = {'M', 'S', 'C', 'E'};
    s.u32(0).u32(end).u32(0).u32(1).u32(2577).u32(3).u32(0).u32(5).u32(1).u32(0).u32(0xE0000000);
    s.u16(1).u16(2).u16(4).u16(0).u16(0).u16(0);
    s.u32(131).u32(149).u32(165).u32(end).u32(end).u32(end);
    s.u16(100).u16(8).u16(108).u16(10).u16(118).u16(13).u32(0);
    ASSERT_EQ(s.b.size(), 100u);
    s.sz("Orvalet").sz("Brantwell").sz("HPC").sz("HPC PRO").sz("");
    s.u16(1).u16(14).sz("%CE1%\\Orvalet");
    s.u16(2).u16(4).u16(1).u16(0);
    s.u16(1).u16(4).u16(1).u16(0);
    s.u16(1).u16(2).u16(1).u32(0).u16(12).sz("Orvalet.exe");
    s.u16(2).u16(2).u16(2).u32(0x10000000).u16(17).sz("OrvaletSetup.dll");
    s.u16(3).u16(2).u16(3).u32(0).u16(12).sz("Orvalet.bin");
    s.u16(4).u16(2).u16(4).u32(0).u16(12).sz("Orvalet.vga");
    ASSERT_EQ(s.b.size(), end);

    Bytes block = ShippedSetupInfo();
    ASSERT_EQ(block.size(), s.b.size());
    for (size_t i = 0; i < block.size(); ++i)
        ASSERT_EQ(block[i], s.b[i]) << "first difference at offset " << i;

    cab::SetupInfo info;
    std::string error;
    ASSERT_TRUE(cab::ReadSetupInfo(block.data(), block.size(), info, error)) << error;
    ASSERT_EQ(info.files.size(), 4u);
    std::string path;
    EXPECT_TRUE(cab::DirectoryPath(info, info.files[1].directory, path));
    EXPECT_EQ(path, "%CE1%\\Orvalet");
    EXPECT_EQ(info.unsupportedPlatforms, (std::vector<std::string>{"HPC", "HPC PRO"}));
}

TEST(SetupInfo, BrokenBlocksAreRefused) {
    const Bytes good = ShippedSetupInfo();
    ASSERT_FALSE(Refused(good));

    // Every truncation, with the length field telling the truth or not.
    for (size_t n = 0; n < good.size(); ++n) {
        Bytes cut(good.begin(), good.begin() + n);
        EXPECT_TRUE(Refused(cut)) << "cut to " << n;
        if (n >= 12) {
            Set32(cut, 8, uint32_t(n));
            EXPECT_TRUE(Refused(cut)) << "cut to " << n << " with its length field";
        }
    }
    struct Case {
        const char* what;
        size_t at;
        int width;
        uint32_t value;
    } cases[] = {
        {"string table past the block", 60, 4, 267},
        {"directory table past the block", 64, 4, 0xFFFFFFF0},
        {"file table inside the header", 68, 4, 20},
        {"link table past the block", 80, 4, 300},
        {"application name past the block", 84, 2, 260},
        {"application name longer than the block", 86, 2, 0xFFFF},
        {"provider without terminator", 90, 2, 9},
        {"name with a terminator inside", 86, 2, 18},
        {"platform list without its closing NUL", 94, 2, 12},
        {"one file entry too many", 52, 2, 5},
        {"one string entry too many", 48, 2, 2},
        {"a registry key", 56, 2, 1},
        {"directory naming a missing string", 153, 2, 7},
        {"file in a missing directory", 167, 2, 9},
        {"file name without terminator", 175, 2, 11},
        {"directory list of odd length", 151, 2, 3},
    };
    for (const Case& c : cases) {
        Bytes bad = good;
        if (c.width == 2)
            Set16(bad, c.at, c.value);
        else
            Set32(bad, c.at, c.value);
        std::string why;
        EXPECT_TRUE(Refused(bad, &why)) << c.what;
    }
    Bytes escape = good;
    escape[0xB1] = '\\'; // "\rvalet.exe" would leave its directory
    EXPECT_TRUE(Refused(escape)) << "a file name with a backslash";
}

// Member contents whose sizes cross block ends and leave every tail length.
std::vector<std::vector<cab::MemberSource>> SampleFolders() {
    auto member = [](const char* name, size_t size, uint8_t seed) {
        cab::MemberSource m{name, Bytes(size)};
        for (size_t i = 0; i < size; ++i)
            m.bytes[i] = uint8_t(seed + i * 7 + (i >> 9));
        return m;
    };
    return {{member("A.000", 266, 1), member("A.999", 0, 2)},
            {member("A.001", 70001, 3), member("A.002", 3, 4)},
            {member("A.003", 1, 5), member("A.004", 32768, 6), member("A.005", 2, 7)}};
}

TEST(Cabinet, WrittenCabinetReadsBack) {
    auto folders = SampleFolders();
    Bytes cabinet = cab::WriteCabinet(folders);
    EXPECT_EQ(cabinet, cab::WriteCabinet(folders)) << "equal input, equal bytes";

    cab::Cabinet read;
    std::string error;
    ASSERT_TRUE(cab::ReadCabinet(cabinet.data(), cabinet.size(), read, error)) << error;
    EXPECT_EQ(read.folderCount, 3);
    size_t index = 0;
    for (size_t f = 0; f < folders.size(); ++f) {
        for (const cab::MemberSource& m : folders[f]) {
            ASSERT_LT(index, read.members.size());
            const cab::Member& got = read.members[index++];
            EXPECT_EQ(got.name, m.name);
            EXPECT_EQ(got.folder, f) << m.name;
            EXPECT_TRUE(got.bytes == m.bytes) << m.name << ": " << got.bytes.size() << " bytes";
        }
    }
    EXPECT_EQ(index, read.members.size());
    ASSERT_NE(cab::FindMember(read, "a.004"), nullptr);
    EXPECT_EQ(cab::FindMember(read, "A.006"), nullptr);
}

TEST(Cabinet, BrokenCabinetsAreRefused) {
    const Bytes good = cab::WriteCabinet(SampleFolders());
    auto refused = [](const Bytes& b) {
        cab::Cabinet c;
        std::string error;
        return !cab::ReadCabinet(b.data(), b.size(), c, error) && !error.empty() &&
               c.members.empty();
    };
    ASSERT_FALSE(refused(good));
    for (size_t n = 0; n < good.size(); n += (n < 400 ? 1 : 997)) {
        Bytes cut(good.begin(), good.begin() + n);
        EXPECT_TRUE(refused(cut)) << "cut to " << n;
        if (n >= 12) {
            Set32(cut, 8, uint32_t(n));
            EXPECT_TRUE(refused(cut)) << "cut to " << n << " with its size field";
        }
    }
    // Any changed byte of stored data fails its block's checksum.
    cab::Cabinet read;
    std::string error;
    ASSERT_TRUE(cab::ReadCabinet(good.data(), good.size(), read, error));
    uint32_t firstBlock = good[36] | good[37] << 8 | good[38] << 16 | good[39] << 24;
    for (size_t at : {size_t(firstBlock + 8), good.size() - 1, good.size() / 2}) {
        Bytes bad = good;
        bad[at] ^= 0x40;
        EXPECT_TRUE(refused(bad)) << "byte " << at << " changed";
    }
    Bytes compressed = good;
    Set16(compressed, 36 + 6, 1); // folder 0 said to be MSZIP
    EXPECT_TRUE(refused(compressed));
    Bytes tooManyFiles = good;
    Set16(tooManyFiles, 28, 8);
    EXPECT_TRUE(refused(tooManyFiles));
    Bytes wrongFolder = good;
    Set16(wrongFolder, good[16] + 8, 3); // first member in folder 3 of 3
    EXPECT_TRUE(refused(wrongFolder));
    Bytes unterminated = good;
    size_t fileTable = good[16] | good[17] << 8;
    for (size_t i = fileTable; i < firstBlock; ++i)
        if (unterminated[i] == 0 && i > fileTable + 16) unterminated[i] = 'x';
    EXPECT_TRUE(refused(unterminated)) << "names without terminators";
}

TEST(PackageDescription, FaultsAreNamed) {
    const std::string shipped = ReadText(PACKAGE_INF);
    auto error = [&](const std::string& from, const std::string& to) {
        std::string text = shipped;
        size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        cab::Package package;
        std::string why;
        EXPECT_FALSE(cab::ReadPackageDescription(text, package, why)) << from << " -> " << to;
        return why;
    };
    EXPECT_NE(error("$Windows CE$", "$Windows 95$").find("CESignature"), std::string::npos);
    EXPECT_NE(error("%CE1%\\%AppName%", "%CE1%\\%AppTitle%").find("%AppTitle%"), std::string::npos);
    EXPECT_NE(error("\"Orvalet.bin\"      = 1", "").find("Orvalet.bin"), std::string::npos);
    EXPECT_NE(error(",,,0x10000000", ",,,0x1000000g").find("0x1000000g"), std::string::npos);
    EXPECT_NE(error("Files.Program = 0,", "Other = 0,").find("Files.Program"), std::string::npos);

    EXPECT_EQ(cab::ShortName("Orvalet"), "ORVALET");
    EXPECT_EQ(cab::ShortName("Quick Menu Plus"), "QUICKM~1");
    EXPECT_EQ(cab::ShortName("Menu.Pro"), "MENUPR~1");
}

} // namespace
