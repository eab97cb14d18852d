// A device package described the way the platform's CAB builder reads it
// (a cabwiz ".inf"), and its building into the setup information and the
// cabinet.
#pragma once

#include "Cabinet.h"

#include <string>
#include <vector>

namespace cab {

struct PackageFile {
    std::string member; // cabinet member name, e.g. "ORVALET.001"
    std::string source; // path of the file, relative to the source folder
};

struct Package {
    SetupInfo info;
    std::string shortName;          // the application name's 8.3 short form
    std::vector<PackageFile> files; // the file list's members, ".001" upwards
    std::string setupLibrary;       // source of the ".999" member, or empty
};

// Reads a package description. error names the line or the section at fault.
bool ReadPackageDescription(const std::string& text, Package& package, std::string& error);

// The 8.3 short form of a name, upper case ("Orvalet" gives "ORVALET",
// "Quick Menu Plus" gives "QUICKM~1").
std::string ShortName(const std::string& name);

struct BuiltPackage {
    std::vector<uint8_t> setupInfo; // the ".000" member
    std::vector<uint8_t> cabinet;
};

// Builds the package from the files below sourceDir.
bool BuildPackage(const Package& package, const std::string& sourceDir, BuiltPackage& built,
                  std::string& error);

} // namespace cab
