// The language table as the program builds it on Win32: the file found beside
// the program and read whole, and controls relabelled by id. Files are written
// beside this test program, which stands in for Orvalet.exe.
#include "LanguageTable.h"
#include "ShippedFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Beside(const std::wstring& name) {
    wchar_t path[MAX_PATH];
    std::wstring program(path, GetModuleFileNameW(NULL, path, MAX_PATH));
    return program.substr(0, program.rfind(L'\\') + 1) + name;
}

// Writes a file beside the program; the fixture removes it afterwards.
class LanguageFile : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::wstring& name : written)
            DeleteFileW(Beside(name).c_str());
    }
    void Write(const std::wstring& name, const std::string& bytes) {
        written.push_back(name);
        HANDLE file = CreateFileW(Beside(name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << name.size();
        DWORD done = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, NULL);
        CloseHandle(file);
        ASSERT_EQ(bytes.size(), done);
    }
    void WriteText(const std::wstring& name, const std::wstring& text) {
        std::string bytes("\xFF\xFE", 2);
        for (wchar_t unit : text)
            bytes += {static_cast<char>(unit), static_cast<char>(unit >> 8)};
        Write(name, bytes);
    }
    std::vector<std::wstring> written;
};

TEST_F(LanguageFile, ShippedOrMissing) {
    DeleteFileW(Beside(L"Orvalet.bin").c_str());
    LanguageTable none(L"Orvalet.bin", GetDefaultTexts());
    EXPECT_EQ(1, none.GetSectionCount());
    EXPECT_FALSE(none.SelectLanguage(1));
    EXPECT_STREQ(L"Soft Reset", none.GetText(1));

    Write(L"Orvalet.bin",
          std::string(reinterpret_cast<const char*>(ShippedFileBytes()), ShippedFileSize()));
    LanguageTable table(L"Orvalet.bin", GetDefaultTexts());
    const wchar_t* names[] = {L"English",    L"German",  L"Dutch",
                              L"Portuguese", L"Spanish", L"Hungarian"};
    ASSERT_EQ(6, table.GetSectionCount());
    for (int i = 0; i < 6; ++i)
        EXPECT_STREQ(names[i], table.GetSectionName(i));
    EXPECT_EQ(NULL, table.GetText(52)); // English in force after construction
    ASSERT_TRUE(table.SelectLanguage(1));
    EXPECT_STREQ(L"Einstellungen", table.GetText(52));
    EXPECT_STREQ(L"Flip Screen", table.GetText(23));
    ASSERT_TRUE(table.SelectLanguage(5));
    EXPECT_STREQ(L"Képernyő megfordítása", table.GetText(23));
}

TEST_F(LanguageFile, Reading) {
    // Far larger than one small read, last line without a break.
    std::wstring text = L"[Big]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += L"; a note line that makes the file long\r\n";
    WriteText(L"Big.bin", text + L"IX1=last line");
    LanguageTable big(L"Big.bin", GetDefaultTexts());
    ASSERT_TRUE(big.SelectLanguage(1));
    EXPECT_STREQ(L"last line", big.GetText(1));

    // Another reader holding the file open does not keep the program out.
    WriteText(L"Shared.bin", L"[Shared]\r\nIX1=shared\r\n");
    HANDLE reader = CreateFileW(Beside(L"Shared.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    LanguageTable shared(L"Shared.bin", GetDefaultTexts());
    CloseHandle(reader);
    EXPECT_EQ(2, shared.GetSectionCount());
}

TEST_F(LanguageFile, PathLength) {
    // A name that makes the path MAX_PATH - 1 units long still fits.
    std::wstring name(MAX_PATH - 1 - Beside(L"").size() - 4, L'n');
    name += L".bin";
    if (name.size() <= 255) {
        WriteText(name, L"[Long]\r\nIX1=long\r\n");
        EXPECT_EQ(2, LanguageTable(name.c_str(), GetDefaultTexts()).GetSectionCount());
    }
    // Longer names give English alone, not an overrun of the path buffer.
    for (size_t length : {static_cast<size_t>(MAX_PATH), static_cast<size_t>(4000)}) {
        LanguageTable table(std::wstring(length, L'x').c_str(), GetDefaultTexts());
        EXPECT_EQ(1, table.GetSectionCount()) << length;
    }
}

TEST_F(LanguageFile, SetControlText) {
    WriteText(L"Controls.bin", L"[Deutsch]\r\nIX32=Menüeinträge:\r\nIX53=Allgemein\r\n");
    LanguageTable table(L"Controls.bin", GetDefaultTexts());
    HWND page = CreateWindowExW(0, L"STATIC", L"Page", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL,
                                NULL, GetModuleHandleW(NULL), NULL);
    ASSERT_TRUE(page != NULL);
    ASSERT_TRUE(CreateWindowExW(0, L"STATIC", L"Menu Items :", WS_CHILD, 0, 0, 100, 20, page,
                                reinterpret_cast<HMENU>(1031), GetModuleHandleW(NULL), NULL));
    wchar_t label[64], title[64];

    // English has no text 32: the control keeps its template caption.
    table.SetControlText(page, 1031, 32);
    table.SetControlText(page, 0, 53); // control id 0: the window's own title
    GetDlgItemTextW(page, 1031, label, 64);
    GetWindowTextW(page, title, 64);
    EXPECT_STREQ(L"Menu Items :", label);
    EXPECT_STREQ(L"Main", title);

    ASSERT_TRUE(table.SelectLanguage(1));
    table.SetControlText(page, 1031, 32);
    table.SetControlText(page, 0, 53);
    table.SetControlText(page, 1031, 1001); // a command id has no text: no change
    GetDlgItemTextW(page, 1031, label, 64);
    GetWindowTextW(page, title, 64);
    EXPECT_STREQ(L"Menüeinträge:", label);
    EXPECT_STREQ(L"Allgemein", title);
    DestroyWindow(page);
}

} // namespace
