// cabtool: builds the device package from its description, and reads
// packages back.
//   cabtool build DESCRIPTION.inf SOURCEDIR OUT.CAB OUT.DAT
//   cabtool list PACKAGE.CAB
//   cabtool extract PACKAGE.CAB DIR
//   cabtool info SETUPINFO       (a ".000" member or a ".DAT" file)
#include "Cabinet.h"
#include "Package.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool Load(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Writes beside the target and renames, so that a failed build never leaves
// a half file that looks up to date.
bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

int Error(const std::string& message) {
    std::fprintf(stderr, "cabtool: %s\n", message.c_str());
    return 1;
}

int Build(const std::string& inf, const std::string& sources, const std::string& cabPath,
          const std::string& datPath) {
    std::vector<uint8_t> text;
    if (!Load(inf, text)) return Error("cannot read " + inf);
    cab::Package package;
    std::string error;
    if (!cab::ReadPackageDescription(std::string(text.begin(), text.end()), package, error))
        return Error(inf + ": " + error);
    cab::BuiltPackage built;
    if (!cab::BuildPackage(package, sources, built, error)) return Error(error);
    if (!Save(datPath, built.setupInfo) || !Save(cabPath, built.cabinet))
        return Error("cannot write " + cabPath + " and " + datPath);
    return 0;
}

bool Open(const std::string& path, cab::Cabinet& cabinet) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!Load(path, bytes))
        error = "cannot read the file";
    else
        cab::ReadCabinet(bytes.data(), bytes.size(), cabinet, error);
    if (error.empty()) return true;
    Error(path + ": " + error);
    return false;
}

int List(const std::string& path) {
    cab::Cabinet cabinet;
    if (!Open(path, cabinet)) return 1;
    for (const cab::Member& m : cabinet.members)
        std::printf("%-14s folder %u  %8zu bytes\n", m.name.c_str(), unsigned(m.folder),
                    m.bytes.size());
    return 0;
}

int Extract(const std::string& path, const std::string& dir) {
    cab::Cabinet cabinet;
    if (!Open(path, cabinet)) return 1;
    for (const cab::Member& m : cabinet.members) {
        if (m.name.find_first_of("/\\") != std::string::npos || m.name == "." || m.name == "..")
            return Error(path + ": member \"" + m.name + "\" is no plain file name");
        if (!Save(dir + "/" + m.name, m.bytes)) return Error("cannot write " + dir + "/" + m.name);
    }
    return 0;
}

int Info(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!Load(path, bytes)) return Error("cannot read " + path);
    cab::SetupInfo info;
    std::string error;
    if (!cab::ReadSetupInfo(bytes.data(), bytes.size(), info, error))
        return Error(path + ": " + error);
    std::printf("application %s\nprovider %s\nprocessor %u\n", info.appName.c_str(),
                info.provider.c_str(), unsigned(info.processor));
    std::printf("versions %u.%u to %u.%u, builds %u to 0x%X\n", unsigned(info.versionMinMajor),
                unsigned(info.versionMinMinor), unsigned(info.versionMaxMajor),
                unsigned(info.versionMaxMinor), unsigned(info.buildMin), unsigned(info.buildMax));
    for (const std::string& p : info.unsupportedPlatforms)
        std::printf("unsupported %s\n", p.c_str());
    for (const cab::SetupFile& f : info.files) {
        std::string dir;
        cab::DirectoryPath(info, f.directory, dir);
        std::printf("file %u %s\\%s member %03u flags 0x%08X\n", unsigned(f.id), dir.c_str(),
                    f.name.c_str(), unsigned(f.member), unsigned(f.flags));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "build" && argc == 6) return Build(argv[2], argv[3], argv[4], argv[5]);
    if (verb == "list" && argc == 3) return List(argv[2]);
    if (verb == "extract" && argc == 4) return Extract(argv[2], argv[3]);
    if (verb == "info" && argc == 3) return Info(argv[2]);
    std::fprintf(stderr, "usage: cabtool build DESCRIPTION.inf SOURCEDIR OUT.CAB OUT.DAT\n"
                         "       cabtool list PACKAGE.CAB\n"
                         "       cabtool extract PACKAGE.CAB DIR\n"
                         "       cabtool info SETUPINFO\n");
    return 2;
}
