// The one playback that reaches a device; the check that guards every sound effect is the
// skin resources' test, the music device's life the game flow's.
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "tests/win/shell_fixture.h"

namespace {

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
    const char* path = std::getenv("TIDEWAR_CAPTURE");
    if (!path || !*path)
        GTEST_SKIP() << "no capture file: run by ctest's sound_capture entry";
    DeleteFileA(path);
    const ULONGLONG start = GetTickCount64();
    if (!waveOutGetNumDevs())
        GTEST_SKIP() << "no capture: Wine found no sound device behind alsa-lib";

    PlaySoundEffect(kShotSound);
    // It plays while the program goes on: the file is read once it has not grown for 0.5 s.
    double seconds = 0;
    for (int still = 0; still < 5 && GetTickCount64() < start + 20000; Sleep(100)) {
        const double now = CapturedSeconds(path);
        still = now > 0 && now == seconds ? still + 1 : 0;
        seconds = now;
    }
    EXPECT_NEAR(seconds, 0.473, 0.02);
}

}  // namespace
