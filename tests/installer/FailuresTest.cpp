// Every failure the desktop installer reports: its text, caption and exit
// code, and the files it leaves; the German variant of its texts.
#include "InstallerDriver.h"

namespace desktop {
namespace {

// Every path to the manager that cannot be used: none registered, a value
// that is no text, one without a backslash, one longer than its buffer and
// one whose expansion would not fit in it. Each is failure 1 and leaves no
// folder.
TEST_F(Installer, UnusableManagerPathsFailWithNothingWritten) {
    SetEnvironmentVariableW(L"ORVALET_LONG", std::wstring(300, L'x').c_str());
    std::string tooLong = "D:\\" + std::string(300, 'x') + "\\CEAppMgr.exe";
    struct Case {
        const char* path;
        DWORD type;
    } cases[] = {{NULL, 0},
                 {"D:\\ActiveSync\\CEAppMgr.exe", REG_DWORD},
                 {"CEAppMgr.exe", REG_SZ},
                 {tooLong.c_str(), REG_SZ},
                 {"D:\\ActiveSync\\%ORVALET_LONG%\\CEAppMgr.exe", REG_EXPAND_SZ}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path ? c.path : "(not registered)");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, MANAGER_KEY);
        if (c.path) RegisterManager(c.path, c.type);
        Accept(true);
        EXPECT_EQ(FAILED, Failure(NO_MANAGER));
        EXPECT_FALSE(FileExists(TARGET));
    }
    SetEnvironmentVariableW(L"ORVALET_LONG", NULL);
}

// A target folder that cannot be made (its parent is missing) or is a file,
// and a manager that is not there to start.
TEST_F(Installer, BlockedFolderFailsWithFourAndAbsentManagerWithOne) {
    RegisterManager("D:\\Missing\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(CANNOT_COPY));
    EXPECT_FALSE(FileExists(L"D:\\Missing"));

    RegisterManager("D:\\ActiveSync\\CEAppMgr.exe");
    ASSERT_TRUE(device::WriteFileBytes(TARGET, "not a folder"));
    Accept();
    EXPECT_EQ(FAILED, Failure(CANNOT_COPY));
    EXPECT_EQ("not a folder", ReadFileBytes(TARGET));

    DeleteFileW(TARGET);
    DeleteFileW(L"D:\\ActiveSync\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(NO_MANAGER));
    EXPECT_EQ(4, FilesIn(TARGET)) << "the files stay for a manager installed later";
}

// Copies of the installer without a resource: the package's file names
// (strings 400 on, their block emptied), then its last file (renamed in the
// resource directory to a name the installer does not ask for).
TEST_F(Installer, MissingPackageResourcesFailWithThree) {
    ASSERT_TRUE(CopyFileW(INSTALLER, L"D:\\NoNames.exe", FALSE));
    HANDLE update = BeginUpdateResourceW(L"D:\\NoNames.exe", FALSE);
    WCHAR noStrings[16] = {}; // sixteen empty strings
    ASSERT_TRUE(update && UpdateResourceW(update, RT_STRING, MAKEINTRESOURCEW(400 / 16 + 1),
                                          MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), noStrings,
                                          sizeof(noStrings)));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    Accept(false, L"D:\\NoNames.exe");
    EXPECT_EQ(FAILED, Failure(CORRUPT));
    EXPECT_FALSE(FileExists(TARGET));

    std::string program = ReadFileBytes(INSTALLER);
    const char icon[] = "O\0R\0V\0A\0L\0E\0T\0.\0I\0C\0O\0";
    size_t at = program.find(std::string(icon, sizeof(icon) - 1));
    ASSERT_NE(std::string::npos, at);
    program[at + sizeof(icon) - 3] = 'P';
    ASSERT_TRUE(device::WriteFileBytes(L"D:\\NoIcon.exe", program));
    Accept(false, L"D:\\NoIcon.exe");
    EXPECT_EQ(FAILED, Failure(CORRUPT));
    EXPECT_EQ(3, FilesIn(TARGET)) << "the files before the missing one stay";
    EXPECT_FALSE(FileExists(std::wstring(TARGET) + L"\\Orvalet.ico"));
}

// Small file systems of their own (root mounts them): a read-only one whose
// target folder exists, and one too small for the CAB.
TEST_F(Installer, ReadOnlyAndFullDisks) {
    std::string disk = std::string(BUILD_DIR) + "/emulator/desktop-disk/";
    auto mount = [&](const char* name, const char* options) {
        return RunOnHost("umount " + disk + name + " 2>/dev/null; mkdir -p " + disk + name +
                         " && mount -t tmpfs -o size=64k tmpfs " + disk + name + " && mkdir " +
                         disk + name + "/Orvalet && mount -o remount," + options + " " + disk +
                         name + " && echo ok > " + disk + name + ".mounted");
    };
    DeleteFileW(L"D:\\ReadOnly.mounted");
    DeleteFileW(L"D:\\Small.mounted");
    mount("ReadOnly", "ro");
    mount("Small", "rw");
    if (!FileExists(L"D:\\ReadOnly.mounted") || !FileExists(L"D:\\Small.mounted"))
        GTEST_SKIP() << "cannot mount file systems here (not root)";

    RegisterManager("D:\\ReadOnly\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(CANNOT_COPY)) << "on the first file, appmgr.ini";
    EXPECT_EQ(0, FilesIn(L"D:\\ReadOnly\\Orvalet"));

    RegisterManager("D:\\Small\\CEAppMgr.exe");
    Accept();
    EXPECT_EQ(FAILED, Failure(DISK_FULL));
    EXPECT_EQ(HostFile(std::string(OUT_DIR) + "/appmgr.ini"),
              ReadFileBytes(L"D:\\Small\\Orvalet\\appmgr.ini"));
    std::string cab = ReadFileBytes(L"D:\\Small\\Orvalet\\Orvalet.armrel.CAB");
    EXPECT_LT(cab.size(), HostFile(std::string(OUT_DIR) + "/Orvalet.armrel.CAB").size())
        << "the short file stays";
    EXPECT_FALSE(FileExists(L"D:\\Small\\Orvalet\\Orvalet.armrel.DAT"));
    RunOnHost("umount " + disk + "ReadOnly; umount " + disk + "Small; rm -f " + disk + "*.mounted");
}

// The strings of a block of the string table in one language: sixteen
// counted UTF-16 strings.
std::vector<std::wstring> StringBlock(HMODULE program, int block, LANGID language) {
    HRSRC found = FindResourceExW(program, RT_STRING, MAKEINTRESOURCEW(block), language);
    const WCHAR* at = found ? (const WCHAR*)LockResource(LoadResource(program, found)) : NULL;
    std::vector<std::wstring> strings;
    for (int i = 0; at && i < 16; i++) {
        strings.push_back(std::wstring(at + 1, at[0]));
        at += 1 + at[0];
    }
    return strings;
}

// A German Windows takes the failure texts from the German variant (1031):
// it holds every failure text with the caption (a block holding the caption
// alone would leave those boxes empty there), and a German installer shows
// the whole failure. Wine takes a program's language from the host's locale
// at its start, so the installer starts from the host, in German.
TEST_F(Installer, GermanWindowsShowsTheWholeFailure) {
    HMODULE program = LoadLibraryExW(INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    std::vector<std::wstring> german =
        StringBlock(program, 1, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    std::vector<std::wstring> neutral =
        StringBlock(program, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    FreeLibrary(program);
    ASSERT_EQ(16u, german.size());
    ASSERT_EQ(16u, neutral.size());
    EXPECT_EQ(L"Setup", german[2]);
    for (int id = 1; id <= 5; id++)
        EXPECT_EQ(neutral[id], german[id]) << "string " << id;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, MANAGER_KEY);
    std::string state = std::string(BUILD_DIR) + "/emulator";
    ASSERT_TRUE(RunOnHost("mkdir -p " + state + "/locale && localedef -i de_DE -f UTF-8 " + state +
                              "/locale/de_DE.UTF-8; rm -f " + state + "/german-exit",
                          60000));
    RunOnHost("(WINEPREFIX=" + state + "/desktop-prefix LOCPATH=" + state +
              "/locale LC_ALL=de_DE.UTF-8 /usr/lib/wine/wine64 " + BUILD_DIR +
              "/desktop/installer/orvalet-desktop-setup.exe; echo $? > " + state +
              "/german-exit) >/dev/null 2>&1 & true");
    HWND page = NULL;
    ASSERT_TRUE(device::WaitFor([&] { return (page = FindWindowW(L"#32770", NULL)) != NULL; }));
    DWORD process = 0;
    GetWindowThreadProcessId(page, &process);
    AcceptPages(process, false);
    AnswerFailure(process, NO_MANAGER);
    EXPECT_TRUE(device::WaitFor([&] { return HostFile(state + "/german-exit") == "255\n"; }))
        << "exit -1";
}

} // namespace
} // namespace desktop
