// The one playback that reaches a device, and the life of the music device; the check that
// guards every sound effect is the skin resources' test.
#include <cstdlib>
#include <cstdint>
#include <fstream>

#include "tests/win/shell_fixture.h"

namespace {

int OpenSequencers()
{
    char count[16] = "";
    mciSendStringA("sysinfo sequencer quantity open", count, sizeof count, nullptr);
    return std::atoi(count);
}

// "no", paths that cannot play, and the game's own tune, which ships beside the exe as the
// tests' does beside theirs: only the tune keeps a device, and StopMusic closes it, twice
// harmlessly. What StartMusic returns is left alone: no caller looks at it.
TEST(Music, OnlyAPlayableTuneKeepsADeviceOpenUntilStopMusic)
{
    const std::string notMidi = BesideTests("tidewar-not-a-tune.mid"), tune = BesideTests("tidewar.mid");
    std::ofstream(notMidi) << "RIFF, but no tune";
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    for (const std::string& path : {std::string("no"), std::string("C:\\no such folder\\tidewar.mid"), notMidi, tune}) {
        SCOPED_TRACE(path.substr(0, 40));
        const int open = OpenSequencers();
        StartMusic(window, Wide(path).c_str());
        EXPECT_EQ(OpenSequencers(), open + (path == tune));
        StopMusic();
        StopMusic();
        EXPECT_EQ(OpenSequencers(), open);
    }
    DestroyWindow(window);
    DeleteFileA(notMidi.c_str());
}

// --- Captured playback ---------------------------------------------------------------------

// The seconds of sound in the file that alsa-lib's file plugin writes (a 44-byte header, the
// bytes per second at 28), 0 when there is none.
double CapturedSeconds(const char* path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file.tellg();
    uint32_t rate = 0;   // little-endian, as this machine
    file.seekg(28).read(reinterpret_cast<char*>(&rate), sizeof rate);
    return size >= 44 && rate ? double(size - 44) / rate : 0;
}

// ctest's sound_capture entry runs this with alsa-lib's default device writing to the file
// TIDEWAR_CAPTURE names (see CMakeLists.txt); anywhere else nothing can be captured.
// Sound off is heard by the game-flow tests, through the seam.
TEST(SoundCapture, TheShotSoundsForItsLength)
{
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TIDEWAR_CAPTURE", path, MAX_PATH);
    if (!length || length >= MAX_PATH)
        GTEST_SKIP() << "no capture file: run by ctest's sound_capture entry";
    DeleteFileA(path);
    if (!waveOutGetNumDevs())
        GTEST_SKIP() << "no capture: Wine found no sound device behind alsa-lib";

    PlaySoundEffect(kShotSound);
    EXPECT_NEAR(CapturedSeconds(path), 0.473, 0.02);
}

}  // namespace
