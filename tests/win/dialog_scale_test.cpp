// The dialogs at twice the display's DPI: a program of its own started at 192 DPI, Wine's
// LogPixels read by each process as it starts, lays out every dialog twice as large as at 96.
#include <algorithm>
#include <optional>

#include "tests/win/shell_fixture.h"

namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

// The DPI that programs started while it lives take; the value before it comes back after.
class DisplayDpi {
public:
    explicit DisplayDpi(DWORD dpi)
    {
        DWORD size = sizeof before;
        had = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &before, &size) == ERROR_SUCCESS;
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~DisplayDpi()
    {
        if (had)
            RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &before, sizeof before);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    }
    DisplayDpi(const DisplayDpi&) = delete;
    DisplayDpi& operator=(const DisplayDpi&) = delete;

private:
    DWORD before = 0;
    bool had = false;
};

// How far a dialog's controls reach into its client area, right and down. A sheet sizes its
// pages in its own font, whatever theirs: only their controls show the page's. A list's height
// rounds down to whole entries, so it reaches down by its top.
std::pair<LONG, LONG> ControlsReach(HWND dialog)
{
    std::pair<LONG, LONG> reach = {0, 0};
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        RECT box;
        GetWindowRect(control, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        wchar_t kind[16] = L"";
        GetClassNameW(control, kind, 16);
        reach = {std::max(reach.first, box.right), std::max(reach.second, lstrcmpiW(kind, L"ListBox") ? box.bottom : box.top)};
    }
    return reach;
}

// Waits, within 20 s, for a closed dialog to go, so that the next one found is not it.
void Close(HWND dialog, WPARAM button)
{
    PostMessageW(dialog, WM_COMMAND, button, 0);
    for (const ULONGLONG end = GetTickCount64() + 20000; IsWindow(dialog) && GetTickCount64() < end;)
        Sleep(20);
}

// How far the controls reach in the options sheet's four pages, the statistics, the About box and the
// network dialog of a program started at the DPI in the language.
std::vector<std::pair<LONG, LONG>> DialogSizes(DWORD dpi, int language)
{
    std::vector<std::pair<LONG, LONG>> sizes;
    DeleteSettingsKey();
    std::optional<DisplayDpi> display(std::in_place, dpi);
    Process program("");
    HWND window = program.Window("Tidewar", nullptr);
    display.reset();   // the program has read it by then
    if (!window)
        return sizes;
    SendMessageW(window, WM_COMMAND, language, 0);
    PostMessageW(window, WM_COMMAND, CMD_OPTIONS, 0);
    HWND sheet = program.Window("#32770", nullptr);
    for (int page = 0; page < 4; ++page)
        sizes.push_back(ControlsReach(ShowPage(sheet, page)));
    Close(sheet, IDCANCEL);
    for (const auto& [command, close] : {std::make_pair(CMD_STATISTICS, IDC_STATISTICS_OK), std::make_pair(CMD_ABOUT, IDC_ABOUT_OK),
                                         std::make_pair(CMD_NETWORK_GAME, IDCANCEL)}) {
        PostMessageW(window, WM_COMMAND, command, 0);
        HWND dialog = program.Window("#32770", nullptr);
        sizes.push_back(ControlsReach(dialog));
        Close(dialog, close);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    program.ExitCode();
    DeleteSettingsKey();
    return sizes;
}

class DialogsAtTwiceTheDpi : public ::testing::TestWithParam<int> {};

// Within a tenth: dialog units round to whole pixels of a font's own metrics.
TEST_P(DialogsAtTwiceTheDpi, AreTwiceAsLarge)
{
    const std::vector<std::pair<LONG, LONG>> normal = DialogSizes(96, GetParam()), twice = DialogSizes(192, GetParam());
    const char* names[] = {"skill page", "adjust page", "music page", "skin page", "statistics", "About box", "network dialog"};
    ASSERT_EQ(normal.size(), std::size(names));
    ASSERT_EQ(twice.size(), std::size(names));
    for (size_t i = 0; i < normal.size(); ++i) {
        EXPECT_NEAR(twice[i].first, 2 * normal[i].first, normal[i].first / 5) << names[i] << " width";
        EXPECT_NEAR(twice[i].second, 2 * normal[i].second, normal[i].second / 5) << names[i] << " height";
    }
}

INSTANTIATE_TEST_SUITE_P(, DialogsAtTwiceTheDpi, ::testing::Values(CMD_ENGLISH, CMD_GERMAN, CMD_RUSSIAN),
                         [](const ::testing::TestParamInfo<int>& row) {
                             return row.param == CMD_ENGLISH ? "English" : row.param == CMD_GERMAN ? "German" : "Russian";
                         });

}  // namespace
