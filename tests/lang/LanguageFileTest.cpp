// The language table as the program builds it on Win32: the language file
// found beside the program, read whole, and controls relabelled by id. The
// files are written beside this test program, which stands in for Orvalet.exe.
#include "LanguageTable.h"
#include "ShippedFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

bool WriteBeside(const std::wstring& name, const std::string& bytes) {
    HANDLE file = CreateFileW((ProgramFolder() + name).c_str(), GENERIC_WRITE, 0, NULL,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

void RemoveBeside(const std::wstring& name) {
    DeleteFileW((ProgramFolder() + name).c_str());
}

std::string FileBytes(const std::wstring& text) {
    std::string bytes("\xFF\xFE", 2);
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

std::wstring Text(const wchar_t* text) {
    return text != NULL ? text : L"(none)";
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// Each test writes its own files and removes them, leaving the folder as it was.
class LanguageFile : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::wstring& name : written)
            RemoveBeside(name);
    }
    void Write(const std::wstring& name, const std::string& bytes) {
        written.push_back(name);
        ASSERT_TRUE(WriteBeside(name, bytes)) << Narrow(name);
    }
    std::vector<std::wstring> written;
};

TEST_F(LanguageFile, MissingFileOffersEnglishAlone) {
    RemoveBeside(L"Orvalet.bin");
    LanguageTable table(L"Orvalet.bin", GetDefaultTexts());
    EXPECT_EQ(1, table.GetSectionCount());
    EXPECT_EQ(std::wstring(L"English"), Text(table.GetSectionName(0)));
    EXPECT_FALSE(table.SelectLanguage(1));
    EXPECT_EQ(std::wstring(L"Soft Reset"), Text(table.GetText(1)));
    EXPECT_EQ(NULL, table.GetText(52));

    Write(L"Empty.bin", std::string());
    LanguageTable empty(L"Empty.bin", GetDefaultTexts());
    EXPECT_EQ(1, empty.GetSectionCount());
}

TEST_F(LanguageFile, ShippedFileBesideTheProgram) {
    ASSERT_GT(ShippedFileSize(), 1000u);
    Write(L"Orvalet.bin",
          std::string(reinterpret_cast<const char*>(ShippedFileBytes()), ShippedFileSize()));
    LanguageTable table(L"Orvalet.bin", GetDefaultTexts());
    const wchar_t* names[] = {L"English",    L"German",  L"Dutch",
                              L"Portuguese", L"Spanish", L"Hungarian"};
    ASSERT_EQ(6, table.GetSectionCount());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(std::wstring(names[i]), Text(table.GetSectionName(i))) << i;
    }
    // Construction leaves English in force.
    EXPECT_EQ(NULL, table.GetText(52));
    ASSERT_TRUE(table.SelectLanguage(1));
    EXPECT_EQ(std::wstring(L"Einstellungen"), Text(table.GetText(52)));
    EXPECT_EQ(std::wstring(L"Sounds && Benachrichtigungen"), Text(table.GetText(12)));
    EXPECT_EQ(std::wstring(L"Flip Screen"), Text(table.GetText(23)));
    ASSERT_TRUE(table.SelectLanguage(5));
    EXPECT_EQ(std::wstring(L"Képernyő megfordítása"), Text(table.GetText(23)));
    EXPECT_EQ(std::wstring(L"Beállítások"), Text(table.GetText(52)));
    EXPECT_FALSE(table.SelectLanguage(6));
    EXPECT_EQ(std::wstring(L"Beállítások"), Text(table.GetText(52)));
}

TEST_F(LanguageFile, ReadsTheWholeFile) {
    // Larger than any single read a small buffer would take, last line unbroken.
    std::wstring text = L"[Big]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += L"; note line to make the file long\r\n";
    text += L"IX1=last line";
    Write(L"Big.bin", FileBytes(text));
    LanguageTable big(L"Big.bin", GetDefaultTexts());
    ASSERT_EQ(2, big.GetSectionCount());
    ASSERT_TRUE(big.SelectLanguage(1));
    EXPECT_EQ(std::wstring(L"last line"), Text(big.GetText(1)));

    // An odd byte count leaves the last unit half read, still terminated.
    std::string odd = FileBytes(L"[Odd]\r\nIX2=ab");
    odd += 'c';
    Write(L"Odd.bin", odd);
    LanguageTable oddTable(L"Odd.bin", GetDefaultTexts());
    ASSERT_TRUE(oddTable.SelectLanguage(1));
    EXPECT_EQ(std::wstring(L"abc"), Text(oddTable.GetText(2)));

    // An 8-bit file holds no "[" as UTF-16: English alone.
    Write(L"Narrow.bin", "[German]\r\nIX1=Soft-Reset\r\n");
    LanguageTable narrow(L"Narrow.bin", GetDefaultTexts());
    EXPECT_EQ(1, narrow.GetSectionCount());
}

TEST_F(LanguageFile, OpensWhileAnotherReaderHoldsIt) {
    Write(L"Shared.bin", FileBytes(L"[Shared]\r\nIX1=shared\r\n"));
    HANDLE reader = CreateFileW((ProgramFolder() + L"Shared.bin").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    LanguageTable table(L"Shared.bin", GetDefaultTexts());
    CloseHandle(reader);
    EXPECT_EQ(2, table.GetSectionCount());
}

TEST_F(LanguageFile, PathLengthLimits) {
    const std::wstring folder = ProgramFolder();
    ASSERT_LT(folder.size() + 12, static_cast<size_t>(MAX_PATH - 1)) << Narrow(folder);
    // A name that makes the path exactly MAX_PATH - 1 units long still fits.
    std::wstring name(MAX_PATH - 1 - folder.size() - 4, L'n');
    name += L".bin";
    if (name.size() <= 255) {
        Write(name, FileBytes(L"[Long]\r\nIX1=long\r\n"));
        LanguageTable fits(name.c_str(), GetDefaultTexts());
        EXPECT_EQ(2, fits.GetSectionCount()) << "path of " << folder.size() + name.size();
    }
    // Names too long for the path buffer give English alone, not an overrun.
    for (size_t length : {static_cast<size_t>(MAX_PATH), static_cast<size_t>(4000)}) {
        std::wstring tooLong(length, L'x');
        LanguageTable table(tooLong.c_str(), GetDefaultTexts());
        EXPECT_EQ(1, table.GetSectionCount()) << length;
        EXPECT_EQ(std::wstring(L"Soft Reset"), Text(table.GetText(1)));
    }
}

TEST_F(LanguageFile, SetControlText) {
    Write(L"Controls.bin", FileBytes(L"[Deutsch]\r\nIX32=Menüeinträge:\r\nIX53=Allgemein\r\n"));
    LanguageTable table(L"Controls.bin", GetDefaultTexts());
    HWND page = CreateWindowExW(0, L"STATIC", L"Page", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL,
                                NULL, GetModuleHandleW(NULL), NULL);
    ASSERT_TRUE(page != NULL);
    HWND label = CreateWindowExW(0, L"STATIC", L"Menu Items :", WS_CHILD, 0, 0, 100, 20, page,
                                 reinterpret_cast<HMENU>(1031), GetModuleHandleW(NULL), NULL);
    ASSERT_TRUE(label != NULL);
    wchar_t caption[64];

    // English has no text 32: the control keeps its template caption.
    table.SetControlText(page, 1031, 32);
    GetDlgItemTextW(page, 1031, caption, 64);
    EXPECT_EQ(std::wstring(L"Menu Items :"), std::wstring(caption));
    // Control id 0 is the window itself.
    table.SetControlText(page, 0, 53);
    GetWindowTextW(page, caption, 64);
    EXPECT_EQ(std::wstring(L"Main"), std::wstring(caption));

    ASSERT_TRUE(table.SelectLanguage(1));
    table.SetControlText(page, 1031, 32);
    GetDlgItemTextW(page, 1031, caption, 64);
    EXPECT_EQ(std::wstring(L"Menüeinträge:"), std::wstring(caption));
    table.SetControlText(page, 0, 53);
    GetWindowTextW(page, caption, 64);
    EXPECT_EQ(std::wstring(L"Allgemein"), std::wstring(caption));
    // Ids without any text (a command identifier) leave the caption alone.
    table.SetControlText(page, 1031, 1001);
    GetDlgItemTextW(page, 1031, caption, 64);
    EXPECT_EQ(std::wstring(L"Menüeinträge:"), std::wstring(caption));

    DestroyWindow(page);
}

} // namespace

// Device code links as a UTF-16 program (-municode), whose entry point is
// wmain; without that option gtest_main's main is used and this is not.
int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
