// The one playback that reaches a device; the check that guards every sound effect is the
// skin resources' test, the music device's life the game flow's.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/win/shell_fixture.h"

namespace {

// The sound in the bytes of a wave's data, without the silence around it: the device's driver
// may pad what it was given with silence, before while it starts and after while it closes,
// for as long as the machine keeps it waiting. Silence is 128 in 8-bit samples, else 0.
std::string WithoutSilence(const std::string& data, int bits)
{
    const char silence = bits == 8 ? '\x80' : '\0';
    const size_t first = data.find_first_not_of(silence), last = data.find_last_not_of(silence);
    return first == std::string::npos ? std::string() : data.substr(first, last - first + 1);
}

// The sound in the file that alsa-lib's file plugin writes: a 44-byte header, the bits per
// sample at 34.
std::string CapturedSound(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return bytes.size() > 44 ? WithoutSilence(bytes.substr(44), static_cast<unsigned char>(bytes[34])) : std::string();
}

// The shot sound's own samples, from the resource the program plays.
std::string ShotSound()
{
    HRSRC resource = FindResourceW(nullptr, kShotSound, L"WAVFILE");
    const char* image = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    const std::string wave(image, SizeofResource(nullptr, resource));
    const size_t data = wave.find("data");
    uint32_t length = 0;   // little-endian, as this machine
    wave.copy(reinterpret_cast<char*>(&length), sizeof length, data + 4);
    return WithoutSilence(wave.substr(data + 8, length), static_cast<unsigned char>(wave[34]));
}

// ctest's sound_capture entry runs this with alsa-lib's default device writing to the file
// TIDEWAR_CAPTURE names (see CMakeLists.txt); anywhere else nothing can be captured.
// Sound off is heard by the game-flow tests, through the seam. The sound reaches the device
// whole, once: the file is read once its sound has not changed for 0.5 s.
TEST(SoundCapture, TheShotSoundReachesTheDeviceWholeAndOnce)
{
    const char* path = std::getenv("TIDEWAR_CAPTURE");
    if (!path || !*path)
        GTEST_SKIP() << "no capture file: run by ctest's sound_capture entry";
    DeleteFileA(path);
    const ULONGLONG start = GetTickCount64();
    if (!waveOutGetNumDevs())
        GTEST_SKIP() << "no capture: Wine found no sound device behind alsa-lib";

    const std::string expected = ShotSound();
    PlaySoundEffect(kShotSound);
    std::string heard;
    for (int still = 0; still < 5 && GetTickCount64() < start + 20000; Sleep(100)) {
        const std::string now = CapturedSound(path);
        still = !now.empty() && now == heard ? still + 1 : 0;
        heard = now;
    }
    EXPECT_EQ(heard.size(), expected.size());
    EXPECT_TRUE(heard == expected) << "the samples as the resource has them";
}

}  // namespace
