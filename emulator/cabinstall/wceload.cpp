// The emulated device's CAB installer, \Windows\wceload.exe: installs a
// device package (a cabinet whose ".000" member is the setup information)
// and removes it again, calling the package's setup library as the device's
// installer does.
//   wceload PACKAGE.CAB           install; exit code 0, or 1 when refused
//   wceload /uninstall APPNAME    remove an installed package
// Everything it does, and every refusal with its reason, goes to the device
// log and to the standard error.
#include <windows.h>

#define CE_SERVICE
#include "CeServices.h"
#include "Cabinet.h"
#include "DeviceLog.h"
#include "Installed.h"

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// What this device is, as a package's setup information sees it.
const uint32_t DEVICE_PROCESSOR = 2577; // ARM
const uint32_t DEVICE_MAJOR = 4, DEVICE_MINOR = 20, DEVICE_BUILD = 14847;
const char DEVICE_PLATFORM[] = "PocketPC";
const DWORD LARGEST_PACKAGE = 64u << 20;

int Refuse(const std::wstring& why) {
    DeviceLog(L"wceload", L"refused: %ls", why.c_str());
    fwprintf(stderr, L"wceload: %ls\n", why.c_str());
    return 1;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), &wide[0], (int)wide.size());
    wide.resize(n > 0 ? n : 0);
    return wide;
}

bool ReadWholeFile(const wchar_t* path, std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, NULL), got = 0;
    bool ok = size != INVALID_FILE_SIZE && size <= LARGEST_PACKAGE;
    if (ok) {
        bytes.resize(size);
        ok = size == 0 || (ReadFile(file, bytes.data(), size, &got, NULL) && got == size);
    }
    CloseHandle(file);
    return ok;
}

// Writes a file whole. A program that has just been asked to close may still
// hold its image for a moment: a refused open is tried again for a while.
bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100; attempt++) {
        file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE ||
            (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            break;
        Sleep(50);
    }
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok =
        bytes.empty() || (WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL) &&
                          written == bytes.size());
    CloseHandle(file);
    if (!ok) DeleteFileW(path.c_str());
    return ok;
}

// The device's folder macros.
struct FolderMacro {
    const char* name;
    const wchar_t* path;
};
const FolderMacro FOLDER_MACROS[] = {
    {"%CE1%", L"\\Program Files"},        {"%CE2%", L"\\Windows"},
    {"%CE3%", L"\\Windows\\Desktop"},     {"%CE4%", L"\\Windows\\StartUp"},
    {"%CE5%", L"\\My Documents"},         {"%CE11%", L"\\Windows\\Start Menu\\Programs"},
    {"%CE17%", L"\\Windows\\Start Menu"},
};

// A directory of the setup information as a device path ("\Program Files\X").
bool DevicePath(const std::string& path, std::wstring& out, std::wstring& why) {
    std::string rest = path;
    out.clear();
    if (!rest.empty() && rest[0] == '%') {
        size_t end = rest.find('%', 1);
        std::string macro = end == std::string::npos ? rest : rest.substr(0, end + 1);
        for (const FolderMacro& m : FOLDER_MACROS)
            if (_stricmp(macro.c_str(), m.name) == 0) out = m.path;
        if (out.empty()) {
            why = L"unknown folder " + Wide(macro);
            return false;
        }
        rest = rest.substr(macro.size());
    }
    if (!rest.empty() && rest[0] != '\\') out += L'\\';
    out += Wide(rest);
    if (out.empty() || out[0] != L'\\' || out.find(L"..") != std::wstring::npos ||
        out.find_first_of(L"%/:") != std::wstring::npos) {
        why = L"install folder \"" + out + L"\" is not a plain device folder";
        return false;
    }
    while (out.size() > 1 && out.back() == L'\\')
        out.pop_back();
    return true;
}

// Whether the setup information admits this device; why not in why.
bool AdmitsDevice(const cab::SetupInfo& info, std::wstring& why) {
    if (info.processor != 0 && info.processor != DEVICE_PROCESSOR) {
        why = L"the package is for processor " + std::to_wstring(info.processor) +
              L", this device's is " + std::to_wstring(DEVICE_PROCESSOR);
        return false;
    }
    uint64_t device = uint64_t(DEVICE_MAJOR) << 32 | DEVICE_MINOR;
    uint64_t low = uint64_t(info.versionMinMajor) << 32 | info.versionMinMinor;
    uint64_t high = uint64_t(info.versionMaxMajor) << 32 | info.versionMaxMinor;
    std::wstring version = std::to_wstring(DEVICE_MAJOR) + L"." + std::to_wstring(DEVICE_MINOR);
    if (device < low || device > high) {
        why = L"the package needs Windows CE " + std::to_wstring(info.versionMinMajor) + L"." +
              std::to_wstring(info.versionMinMinor) + L" to " +
              std::to_wstring(info.versionMaxMajor) + L"." + std::to_wstring(info.versionMaxMinor) +
              L", this device has " + version;
        return false;
    }
    if (DEVICE_BUILD < info.buildMin || DEVICE_BUILD > info.buildMax) {
        why = L"the package excludes this device's build " + std::to_wstring(DEVICE_BUILD);
        return false;
    }
    for (const std::string& platform : info.unsupportedPlatforms)
        if (_stricmp(platform.c_str(), DEVICE_PLATFORM) == 0) {
            why = L"the package does not support the platform " + Wide(platform);
            return false;
        }
    return true;
}

// One file of the package, checked and ready to copy.
struct PlannedFile {
    std::wstring folder; // device path
    std::wstring path;   // device path of the file
    const cab::Member* member;
    uint32_t flags;
};

// Everything the package asks for, checked before anything is written.
struct Plan {
    cab::Cabinet cabinet;
    cab::SetupInfo info;
    std::wstring appName, provider, installFolder;
    const cab::Member* library = NULL; // the ".999" member, if any
    std::vector<PlannedFile> files;
};

std::string MemberName(const std::string& stem, unsigned number) {
    char ext[8];
    snprintf(ext, sizeof(ext), ".%03u", number % 1000);
    return stem + ext;
}

bool MakePlan(const std::vector<uint8_t>& bytes, Plan& plan, std::wstring& why) {
    std::string error;
    if (!cab::ReadCabinet(bytes.data(), bytes.size(), plan.cabinet, error)) {
        why = L"broken cabinet: " + Wide(error);
        return false;
    }
    const cab::Member* setup = NULL;
    for (const cab::Member& m : plan.cabinet.members)
        if (m.name.size() > 4 && _stricmp(m.name.c_str() + m.name.size() - 4, ".000") == 0)
            setup = &m;
    if (!setup) {
        why = L"no setup information (no \".000\" member)";
        return false;
    }
    std::string stem = setup->name.substr(0, setup->name.size() - 4);
    if (!cab::ReadSetupInfo(setup->bytes.data(), setup->bytes.size(), plan.info, error)) {
        why = L"broken setup information: " + Wide(error);
        return false;
    }
    if (!AdmitsDevice(plan.info, why)) return false;
    plan.appName = Wide(plan.info.appName);
    plan.provider = Wide(plan.info.provider);
    if (plan.appName.empty() || plan.appName.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) {
        why = L"application name \"" + plan.appName + L"\" cannot name a package";
        return false;
    }
    plan.library = cab::FindMember(plan.cabinet, stem + ".999");
    for (const cab::SetupFile& file : plan.info.files) {
        std::string directory;
        PlannedFile planned;
        if (!cab::DirectoryPath(plan.info, file.directory, directory) ||
            !DevicePath(directory, planned.folder, why))
            return false;
        std::string memberName = MemberName(stem, file.member);
        planned.member = file.member >= 1 && file.member <= 998
                             ? cab::FindMember(plan.cabinet, memberName)
                             : NULL;
        if (!planned.member) {
            why = L"member " + Wide(memberName) + L" of " + Wide(file.name) + L" is missing";
            return false;
        }
        planned.path = planned.folder + L"\\" + Wide(file.name);
        if (planned.path.size() >= MAX_PATH) {
            why = L"path " + planned.path + L" is too long";
            return false;
        }
        planned.flags = file.flags;
        if (plan.installFolder.empty()) plan.installFolder = planned.folder;
        plan.files.push_back(planned);
    }
    if (plan.files.empty()) {
        why = L"the package holds no files";
        return false;
    }
    return true;
}

// Creates a device folder and the folders above it; false when it is not there after.
bool MakeFolder(const std::wstring& folder, std::vector<std::wstring>& created) {
    for (size_t at = 1; at <= folder.size(); at++) {
        if (at != folder.size() && folder[at] != L'\\') continue;
        std::wstring part = folder.substr(0, at);
        if (CreateDirectoryW(part.c_str(), NULL)) created.push_back(part);
    }
    DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Calls a self-registering library's registration entry.
void Register(const std::wstring& path, const char* entry) {
    HMODULE library = LoadLibraryW(path.c_str());
    typedef HRESULT (*RegisterEntry)();
    RegisterEntry call = library ? (RegisterEntry)GetProcAddress(library, entry) : NULL;
    HRESULT result = call ? call() : E_FAIL;
    DeviceLog(L"wceload", L"%hs %ls: 0x%08lx", entry, path.c_str(), (unsigned long)result);
    if (library) FreeLibrary(library);
}

// The package's setup library, kept where the device keeps it for removal.
struct SetupLibrary {
    HMODULE module = NULL;
    pfnINSTALL_INIT installInit = NULL;
    pfnINSTALL_EXIT installExit = NULL;
    pfnUNINSTALL_INIT uninstallInit = NULL;
    pfnUNINSTALL_EXIT uninstallExit = NULL;

    bool Load(const std::wstring& path) {
        module = LoadLibraryW(path.c_str());
        if (!module) return false;
        installInit = (pfnINSTALL_INIT)GetProcAddress(module, "Install_Init");
        installExit = (pfnINSTALL_EXIT)GetProcAddress(module, "Install_Exit");
        uninstallInit = (pfnUNINSTALL_INIT)GetProcAddress(module, "Uninstall_Init");
        uninstallExit = (pfnUNINSTALL_EXIT)GetProcAddress(module, "Uninstall_Exit");
        return true;
    }
    ~SetupLibrary() {
        if (module) FreeLibrary(module);
    }
};

int Install(const wchar_t* packagePath) {
    DeviceLog(L"wceload", L"install %ls", packagePath);
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(packagePath, bytes))
        return Refuse(std::wstring(L"cannot read ") + packagePath);
    Plan plan;
    std::wstring why;
    if (!MakePlan(bytes, plan, why)) return Refuse(why);

    InstalledPackage previous;
    bool previouslyInstalled = FindInstalled(plan.appName, previous);
    std::wstring libraryPath;
    SetupLibrary setup;
    if (plan.library) {
        libraryPath = SetupLibraryPath(plan.provider, plan.appName);
        std::vector<std::wstring> made;
        MakeFolder(libraryPath.substr(0, libraryPath.rfind(L'\\')), made);
        if (!WriteWholeFile(libraryPath, plan.library->bytes) || !setup.Load(libraryPath)) {
            DeleteFileW(libraryPath.c_str());
            return Refuse(L"cannot load the package's setup library");
        }
    }
    if (setup.installInit) {
        codeINSTALL_INIT answer =
            setup.installInit(NULL, TRUE, previouslyInstalled, plan.installFolder.c_str());
        DeviceLog(L"wceload", L"Install_Init %ls: %d", plan.installFolder.c_str(), (int)answer);
        if (answer != codeINSTALL_INIT_CONTINUE) {
            setup = SetupLibrary();
            if (!previouslyInstalled) DeleteFileW(libraryPath.c_str());
            return Refuse(L"the setup library cancelled the installation");
        }
    }

    InstalledPackage record;
    record.appName = plan.appName;
    record.provider = plan.provider;
    record.installFolder = plan.installFolder;
    record.setupLibrary = libraryPath;
    WORD failedFolders = 0, failedFiles = 0;
    std::vector<std::wstring> created;
    for (const PlannedFile& file : plan.files) {
        if (!MakeFolder(file.folder, created)) {
            failedFolders++;
            continue;
        }
        if (!WriteWholeFile(file.path, file.member->bytes)) {
            DeviceLog(L"wceload", L"cannot copy %ls", file.path.c_str());
            failedFiles++;
            continue;
        }
        record.files.push_back(file.path);
        if (file.flags & cab::COPY_FLAG_SELF_REGISTER) {
            record.selfRegistering.push_back(file.path);
            Register(file.path, "DllRegisterServer");
        }
    }
    for (const std::wstring& folder : created)
        record.folders.push_back(folder);
    for (const std::wstring& folder : previous.folders)
        if (std::find(record.folders.begin(), record.folders.end(), folder) == record.folders.end())
            record.folders.push_back(folder);
    if (record.folders.empty()) record.folders.push_back(plan.installFolder);
    RecordInstalled(record);

    if (setup.installExit) {
        codeINSTALL_EXIT answer = setup.installExit(NULL, plan.installFolder.c_str(), failedFolders,
                                                    failedFiles, 0, 0, 0);
        DeviceLog(L"wceload", L"Install_Exit %ls, %u folders and %u files failed: %d",
                  plan.installFolder.c_str(), failedFolders, failedFiles, (int)answer);
        if (answer == codeINSTALL_EXIT_UNINSTALL) {
            setup = SetupLibrary();
            RemoveInstalled(record, false);
            return Refuse(L"the setup library undid the installation");
        }
    }
    DeviceLog(L"wceload", L"installed %ls in %ls", plan.appName.c_str(),
              plan.installFolder.c_str());
    fwprintf(stderr, L"wceload: installed %ls in %ls\n", plan.appName.c_str(),
             plan.installFolder.c_str());
    return failedFolders || failedFiles ? 1 : 0;
}

int Uninstall(const wchar_t* appName) {
    DeviceLog(L"wceload", L"uninstall %ls", appName);
    InstalledPackage record;
    if (!FindInstalled(appName, record))
        return Refuse(std::wstring(L"no installed package ") + appName);
    return RemoveInstalled(record, true) ? 0 : 1;
}

} // namespace

bool RemoveInstalled(const InstalledPackage& record, bool callHooks) {
    {
        SetupLibrary setup;
        if (callHooks && !record.setupLibrary.empty() && setup.Load(record.setupLibrary) &&
            setup.uninstallInit) {
            codeUNINSTALL_INIT answer = setup.uninstallInit(NULL, record.installFolder.c_str());
            DeviceLog(L"wceload", L"Uninstall_Init %ls: %d", record.installFolder.c_str(),
                      (int)answer);
            if (answer != codeUNINSTALL_INIT_CONTINUE) {
                Refuse(L"the setup library cancelled the removal");
                return false;
            }
        }
        for (const std::wstring& file : record.selfRegistering)
            Register(file, "DllUnregisterServer");
        for (const std::wstring& file : record.files)
            for (int attempt = 0; attempt < 100 && !DeleteFileW(file.c_str()) &&
                                  GetLastError() != ERROR_FILE_NOT_FOUND;
                 attempt++)
                Sleep(50);
        // Deepest first; a folder that still holds something of the user's stays.
        std::vector<std::wstring> folders = record.folders;
        std::sort(folders.begin(), folders.end(),
                  [](const std::wstring& a, const std::wstring& b) { return a.size() > b.size(); });
        for (const std::wstring& folder : folders)
            RemoveDirectoryW(folder.c_str());
        if (callHooks && setup.uninstallExit) setup.uninstallExit(NULL);
    }
    if (!record.setupLibrary.empty()) DeleteFileW(record.setupLibrary.c_str());
    ForgetInstalled(record);
    DeviceLog(L"wceload", L"removed %ls", record.appName.c_str());
    return true;
}

int wmain(int argc, wchar_t** argv) {
    // Device paths ("\Program Files") are paths from the root of drive C:.
    SetCurrentDirectoryW(L"C:\\");
    if (argc == 2 && argv[1][0] != L'/') return Install(argv[1]);
    if (argc == 3 && _wcsicmp(argv[1], L"/uninstall") == 0) return Uninstall(argv[2]);
    fwprintf(stderr, L"usage: wceload PACKAGE.CAB | wceload /uninstall APPNAME\n");
    return 2;
}
