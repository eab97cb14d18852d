// The dialog driver against a program of its own in the emulated device: what
// it reads of another process's message box, controls and property sheet, and
// what its presses do there.
#include "DeviceTest.h"
#include "Dialogs.h"
#include "DialogSubject.h"

#include <commctrl.h>

using namespace device;

namespace {

class DialogDriver : public DeviceTest {
  protected:
    void Start(const wchar_t* what) {
        wchar_t path[MAX_PATH];
        std::wstring self(path, GetModuleFileNameW(NULL, path, MAX_PATH));
        std::wstring subject = self.substr(0, self.find_last_of(L"\\/") + 1) + L"dialogsubject.exe";
        ASSERT_TRUE(program.Start(what, subject)) << "no dialogsubject.exe beside the test";
    }
};

TEST_F(DialogDriver, MessageBoxTextButtonsAndAnswer) {
    Start(L"messagebox");
    HWND box = WaitMessageBox(program.Id());
    ASSERT_TRUE(box != NULL) << "no message box";
    MessageBoxContent content;
    ASSERT_TRUE(ReadMessageBox(box, &content));
    EXPECT_EQ(L"Subject", content.caption) << Describe(content);
    EXPECT_EQ(L"Erase everything?", content.text) << Describe(content);
    ASSERT_EQ(2u, content.buttons.size()) << Describe(content);
    EXPECT_EQ(IDYES, content.buttons[0].id) << Describe(content);
    EXPECT_EQ(IDNO, content.buttons[1].id) << Describe(content);
    EXPECT_TRUE(PressButton(box, IDNO));
    EXPECT_EQ(IDNO, program.WaitExit()) << "the box did not answer the pressed button";
}

TEST_F(DialogDriver, ControlsAndPresses) {
    Start(L"controls");
    HWND dialog = WaitDialog(program.Id());
    ASSERT_TRUE(dialog != NULL) << "no dialog";
    EXPECT_FALSE(IsMessageBox(dialog));
    EXPECT_EQ(L"A label", ControlText(dialog, IDC_LABEL));
    EXPECT_EQ(BST_CHECKED, CheckState(dialog, IDC_CHECK));
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"two", L"three"}),
              ListBoxItems(dialog, IDC_LIST));
    EXPECT_EQ(1, ListBoxSelection(dialog, IDC_LIST));
    EXPECT_EQ((std::vector<std::wstring>{L"red", L"green"}), ComboItems(dialog, IDC_COMBO));
    EXPECT_EQ(1, ComboSelection(dialog, IDC_COMBO));
    std::vector<ListViewItem> rows = ListViewItems(dialog, IDC_LISTVIEW, 2);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ((std::vector<std::wstring>{L"alpha", L"1"}), rows[0].columns);
    EXPECT_EQ((std::vector<std::wstring>{L"beta", L"2"}), rows[1].columns);
    EXPECT_FALSE(rows[0].selected || rows[0].checked);
    EXPECT_TRUE(rows[1].selected && rows[1].checked);
    EXPECT_TRUE(ControlVisible(dialog, IDC_DISABLED));
    EXPECT_FALSE(ControlEnabled(dialog, IDC_DISABLED));
    EXPECT_FALSE(PressButton(dialog, IDC_DISABLED)) << "pressed a disabled button";
    EXPECT_TRUE(ControlText(dialog, 999).empty() && ListBoxSelection(dialog, 999) == -1);

    // A press toggles the check box as a tap would; OK then ends the dialog.
    EXPECT_TRUE(PressButton(dialog, IDC_CHECK));
    EXPECT_TRUE(WaitFor([&] { return CheckState(dialog, IDC_CHECK) == BST_UNCHECKED; }, 3000));
    EXPECT_TRUE(PressButton(dialog, IDOK));
    EXPECT_TRUE(WaitGone(dialog));
    EXPECT_EQ(CONTROLS_CLOSED + BST_UNCHECKED, program.WaitExit());
}

TEST_F(DialogDriver, PropertySheetPages) {
    Start(L"sheet");
    HWND sheet = WaitDialog(program.Id());
    ASSERT_TRUE(sheet != NULL) << "no property sheet";
    ASSERT_EQ(1u, Dialogs(program.Id()).size()) << "pages counted as dialogs of their own";
    EXPECT_EQ(0, CurrentPageIndex(sheet));
    EXPECT_EQ(L"first page", ControlText(CurrentPage(sheet), IDC_PAGE_TEXT));
    ASSERT_TRUE(SelectPage(sheet, 1));
    EXPECT_EQ(L"second page", ControlText(CurrentPage(sheet), IDC_PAGE_TEXT));
    EXPECT_TRUE(PressButton(sheet, IDOK));
    EXPECT_EQ(SHEET_CLOSED + 1, program.WaitExit());
}

} // namespace
