// Fuzz target: cabinets and setup information from arbitrary bytes. The
// input is read both as a cabinet and as a setup-information block; what a
// reader accepts must stay inside the input and come back unchanged when
// written and read again.
#include "Cabinet.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void SetupInfoRoundTrip(const uint8_t* data, size_t size) {
    cab::SetupInfo info;
    std::string error;
    if (!cab::ReadSetupInfo(data, size, info, error)) {
        Check(!error.empty());
        return;
    }
    for (const cab::SetupFile& file : info.files) {
        std::string path;
        Check(cab::DirectoryPath(info, file.directory, path));
    }
    std::vector<uint8_t> again;
    if (!cab::WriteSetupInfo(info, again, error)) return;
    cab::SetupInfo back;
    Check(cab::ReadSetupInfo(again.data(), again.size(), back, error));
    Check(back.appName == info.appName && back.provider == info.provider);
    Check(back.files.size() == info.files.size() && back.strings.size() == info.strings.size());
    for (size_t i = 0; i < info.files.size(); ++i)
        Check(back.files[i].name == info.files[i].name &&
              back.files[i].flags == info.files[i].flags);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetupInfoRoundTrip(data, size);

    cab::Cabinet cabinet;
    std::string error;
    if (!cab::ReadCabinet(data, size, cabinet, error)) {
        Check(!error.empty() && cabinet.members.empty());
        return 0;
    }
    std::vector<std::vector<cab::MemberSource>> folders(cabinet.folderCount);
    for (const cab::Member& m : cabinet.members) {
        Check(m.folder < cabinet.folderCount && m.bytes.size() <= size);
        folders[m.folder].push_back(cab::MemberSource{m.name, m.bytes});
        if (m.name.size() > 4 && m.name.compare(m.name.size() - 4, 4, ".000") == 0)
            SetupInfoRoundTrip(m.bytes.data(), m.bytes.size());
    }
    std::vector<uint8_t> again = cab::WriteCabinet(folders);
    cab::Cabinet back;
    Check(cab::ReadCabinet(again.data(), again.size(), back, error));
    Check(back.members.size() == cabinet.members.size());
    return 0;
}
