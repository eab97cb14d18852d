// The language in force reaches what the program draws: the menu is measured
// from its labels, so a language with longer labels gives a wider menu.
#include "Spine.h"

using namespace device;

namespace {

class MenuLanguage : public SpineTest {
  protected:
    // Width of the menu the tray tap opens with the given "Language".
    LONG MenuWidth(DWORD language) {
        DeleteSettings();
        SetSetting(L"Language", language);
        EXPECT_TRUE(StartResident(program));
        input::Tap(TrayIconPoint());
        EXPECT_TRUE(WaitMenu(true)) << "language " << language;
        RECT menu = WindowRect(MenuWindow());
        EXPECT_TRUE(CloseMenu());
        CloseResident();
        return menu.right - menu.left;
    }
};

TEST_F(MenuLanguage, GermanLabelsAreDrawnAndUnknownLanguagesStayEnglish) {
    LONG english = MenuWidth(0);
    // German: "Laufende Programme" is longer than "Running Programs".
    LONG german = MenuWidth(1);
    EXPECT_GT(german, english) << "the German section is not in force";
    // Beyond the sections of the shipped file: English stays.
    EXPECT_EQ(english, MenuWidth(9));
}

} // namespace
