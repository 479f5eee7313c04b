// The check that guards every sound effect, the one playback that reaches a device, and the
// life of the music device.
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "tests/win/shell_fixture.h"

namespace {

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

// A sound of the program, cut to `keep` bytes (0: all), with `bytes` written at `at`.
// VSTRL is PCM: "fmt " at 12 (length at 16, tag at 20), "data" at 36 (length at 40).
// FIRE is MS ADPCM: "fmt " of 50 bytes at 12 (cbSize 32 at 36), then "fact" and "data".
struct WaveCase {
    const char* what;
    const char* sound;
    size_t keep, at;
    std::string bytes;
    bool playable;
};

const WaveCase kWaves[] = {
    {"the shot, PCM", "VSTRL", 0, 0, "", true},
    {"the defeat, MS ADPCM", "FIRE", 0, 0, "", true},
    {"the victory, IMA ADPCM", "FIRE1", 0, 0, "", true},
    {"the new game", "NAZALO", 0, 0, "", true},
    {"cut inside its data", "VSTRL", 100, 0, "", false},
    {"cut to its RIFF header", "VSTRL", 12, 4, Le32(4), false},
    {"RIFF size short of its own WAVE tag", "VSTRL", 0, 4, Le32(3), false},
    {"RIFF longer than the resource", "VSTRL", 0, 4, Le32(5251), false},
    {"not RIFF", "VSTRL", 0, 0, "RIFX", false},
    {"RIFF, but not WAVE", "VSTRL", 0, 8, "AVI ", false},
    {"data one byte longer than the RIFF", "VSTRL", 0, 40, Le32(5215), false},
    {"data of 4 GB", "VSTRL", 0, 40, Le32(0xFFFFFFFF), false},
    {"fmt of 4 GB, a walk that wraps to its start", "VSTRL", 0, 16, Le32(0xFFFFFFF8), false},
    {"fmt shorter than the common fields", "VSTRL", 0, 16, Le32(14), false},
    {"no data chunk", "VSTRL", 0, 36, "junk", false},
    {"no fmt chunk", "VSTRL", 0, 12, "junk", false},
    {"compressed without the extra bytes' count", "VSTRL", 0, 20, Le32(0x00010002), false},
    {"compressed, extra bytes beyond its fmt", "FIRE", 0, 36, Le32(0x01F40021), false},
};

TEST(SoundEffects, OnlyImagesWhoseChunksLieWithinTheResourcePlay)
{
    for (const WaveCase& c : kWaves) {
        SCOPED_TRACE(c.what);
        HRSRC resource = FindResourceA(nullptr, c.sound, "WAVFILE");
        const BYTE* image = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
        ASSERT_NE(image, nullptr);
        std::string bytes(reinterpret_cast<const char*>(image), c.keep ? c.keep : SizeofResource(nullptr, resource));
        bytes.replace(c.at, c.bytes.size(), c.bytes);
        const GuardedBytes guarded(bytes);
        EXPECT_EQ(IsPlayableWave(guarded.data(), guarded.size()), c.playable);
    }
}

// --- Music ---------------------------------------------------------------------------------

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
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (bytes.size() < 44)
        return 0;
    const uint32_t rate = bytes[28] | bytes[29] << 8 | bytes[30] << 16 | uint32_t(bytes[31]) << 24;
    return rate ? double(bytes.size() - 44) / rate : 0;
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
