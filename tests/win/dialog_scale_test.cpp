// Each dialog of a program started at 192 DPI (Wine's LogPixels, which each process reads as it
// starts) lays its controls out twice as far as at 96, in each language.
#include <algorithm>

#include "tests/win/shell_fixture.h"

namespace {

// How far the controls reach right and down: a sheet sizes its pages in its own font, so only
// their controls show a page's. A list's height rounds to whole entries: it reaches by its top.
std::pair<LONG, LONG> ControlsReach(HWND dialog)
{
    std::pair<LONG, LONG> reach = {0, 0};
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        RECT box;
        wchar_t kind[16] = L"";
        GetWindowRect(control, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        GetClassNameW(control, kind, 16);
        reach = {std::max(reach.first, box.right), std::max(reach.second, lstrcmpiW(kind, L"ListBox") ? box.bottom : box.top)};
    }
    return reach;
}

// The reach in the four options pages, the statistics, the About box, the network dialog and the records of
// a program started at the DPI; the value before is put back once the program has read it.
std::vector<std::pair<LONG, LONG>> DialogReaches(DWORD dpi, int language)
{
    const wchar_t* desktop = L"Control Panel\\Desktop";
    DWORD before = 0, size = sizeof before;
    const bool had = !RegGetValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &before, &size);
    RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    DeleteSettingsKey();
    Process program("");
    HWND window = program.Window("Tidewar", nullptr);
    if (had)
        RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &before, sizeof before);
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels");
    std::vector<std::pair<LONG, LONG>> reaches;
    const auto close = [](HWND dialog, WPARAM button) {   // gone before the next is looked for
        PostMessageW(dialog, WM_COMMAND, button, 0);
        for (const ULONGLONG end = GetTickCount64() + 20000; IsWindow(dialog) && GetTickCount64() < end;)
            Sleep(20);
    };
    SendMessageW(window, WM_COMMAND, language, 0);
    PostMessageW(window, WM_COMMAND, CMD_OPTIONS, 0);
    HWND sheet = program.Window("#32770", nullptr);
    for (int page = 0; sheet && page < 4; ++page)
        reaches.push_back(ControlsReach(ShowPage(sheet, page)));
    close(sheet, IDCANCEL);
    for (const auto& [command, button] : {std::make_pair(CMD_STATISTICS, IDC_STATISTICS_OK), std::make_pair(CMD_ABOUT, IDC_ABOUT_OK),
                                         std::make_pair(CMD_NETWORK_GAME, IDCANCEL),
                                         std::make_pair(CMD_RECORDS, IDOK)}) {
        PostMessageW(window, WM_COMMAND, command, 0);
        HWND dialog = program.Window("#32770", nullptr);
        reaches.push_back(ControlsReach(dialog));
        close(dialog, button);
    }
    DeleteSettingsKey();
    return reaches;
}

class DialogsAtTwiceTheDpi : public ::testing::TestWithParam<int> {};

// Within a tenth: dialog units round to whole pixels of a font's own metrics.
TEST_P(DialogsAtTwiceTheDpi, ReachTwiceAsFar)
{
    const std::vector<std::pair<LONG, LONG>> normal = DialogReaches(96, GetParam()), twice = DialogReaches(192, GetParam());
    const char* names[] = {"skill page", "adjust page", "music page", "skin page", "statistics", "About box", "network dialog", "records"};
    ASSERT_EQ(std::make_pair(normal.size(), twice.size()), std::make_pair(std::size(names), std::size(names)));
    for (size_t i = 0; i < normal.size(); ++i) {
        EXPECT_NEAR(twice[i].first, 2 * normal[i].first, normal[i].first / 5) << names[i];
        EXPECT_NEAR(twice[i].second, 2 * normal[i].second, normal[i].second / 5) << names[i];
    }
}

INSTANTIATE_TEST_SUITE_P(, DialogsAtTwiceTheDpi, ::testing::Values(CMD_ENGLISH, CMD_GERMAN, CMD_RUSSIAN), [](const auto& row) {
    return row.param == CMD_ENGLISH ? "English" : row.param == CMD_GERMAN ? "German" : "Russian";
});

}  // namespace
