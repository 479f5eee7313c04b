// The sound effects as the program carries and plays them, and the life of the music device.
// What is played is caught by alsa-lib's file plugin in a child Wine process: the file is
// rewritten whenever the device opens, so each child plays one case.
#include "gfx/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/skin.h"
#include "tests/win/shell_fixture.h"
#include "ui/settings.h"

namespace {

uint32_t Get16(const BYTE* p) { return p[0] | p[1] << 8; }
uint32_t Get32(const BYTE* p) { return Get16(p) | Get16(p + 2) << 16; }

// The fields of a RIFF WAVE image as stored.
struct WaveHeader {
    bool riffWave = false;
    uint32_t riffSize = 0;
    uint32_t tag = 0, channels = 0, sampleRate = 0, bytesPerSecond = 0, blockAlign = 0, bitsPerSample = 0;
    std::vector<BYTE> extra;  // the cbSize bytes after the common fields
    bool hasFact = false;
    uint32_t factSamples = 0;
    uint32_t dataBytes = 0;
};

WaveHeader ReadWaveHeader(const BYTE* image, size_t size)
{
    WaveHeader h;
    if (size < 12 || memcmp(image, "RIFF", 4) != 0 || memcmp(image + 8, "WAVE", 4) != 0)
        return h;
    h.riffWave = true;
    h.riffSize = Get32(image + 4);
    for (size_t at = 12; at + 8 <= size; at += 8 + size_t(Get32(image + at + 4)) + Get32(image + at + 4) % 2) {
        const uint32_t length = Get32(image + at + 4);
        const BYTE* body = image + at + 8;
        const size_t available = std::min<size_t>(length, size - at - 8);
        if (memcmp(image + at, "fmt ", 4) == 0 && available >= 16) {
            h.tag = Get16(body);
            h.channels = Get16(body + 2);
            h.sampleRate = Get32(body + 4);
            h.bytesPerSecond = Get32(body + 8);
            h.blockAlign = Get16(body + 12);
            h.bitsPerSample = Get16(body + 14);
            if (available >= 18)
                h.extra.assign(body + 18, body + 18 + std::min<size_t>(Get16(body + 16), available - 18));
        } else if (memcmp(image + at, "fact", 4) == 0 && available >= 4) {
            h.hasFact = true;
            h.factSamples = Get32(body);
        } else if (memcmp(image + at, "data", 4) == 0) {
            h.dataBytes = length;
        }
    }
    return h;
}

const uint32_t kPcm = 1, kMsAdpcm = 2, kImaAdpcm = 17;

struct EffectFormat {
    const char* name;  // lower case, as the game asks for it
    uint32_t tag, sampleRate, bitsPerSample, blockAlign, dataBytes;
    double seconds;
};

const EffectFormat kEffects[] = {
    {"fire", kMsAdpcm, 8000, 4, 256, 10240, 2.5},
    {"fire1", kImaAdpcm, 8000, 4, 256, 14080, 3.47},
    {"nazalo", kMsAdpcm, 8000, 4, 256, 16384, 4.0},
    {"vstrl", kPcm, 11025, 8, 1, 5214, 0.473},
};

// Decoders take the predictor table from the file: it must be the standard one.
const int kMsCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};

TEST(SoundEffects, EachResourceIsACompleteWaveImageInItsFormat)
{
    for (const EffectFormat& effect : kEffects) {
        SCOPED_TRACE(effect.name);
        HRSRC resource = FindResourceA(SkinModule, effect.name, "WAVFILE");
        ASSERT_NE(resource, nullptr);
        const DWORD size = SizeofResource(SkinModule, resource);
        const BYTE* image = static_cast<const BYTE*>(LockResource(LoadResource(SkinModule, resource)));
        ASSERT_NE(image, nullptr);
        const WaveHeader h = ReadWaveHeader(image, size);

        ASSERT_TRUE(h.riffWave);
        EXPECT_EQ(h.riffSize + 8, size);
        EXPECT_EQ(h.tag, effect.tag);
        EXPECT_EQ(h.channels, 1u);
        EXPECT_EQ(h.sampleRate, effect.sampleRate);
        EXPECT_EQ(h.bitsPerSample, effect.bitsPerSample);
        EXPECT_EQ(h.blockAlign, effect.blockAlign);
        EXPECT_EQ(h.dataBytes, effect.dataBytes);
        if (effect.tag == kPcm) {
            EXPECT_EQ(h.bytesPerSecond, h.sampleRate);
            EXPECT_NEAR(double(h.dataBytes) / h.bytesPerSecond, effect.seconds, 0.005);
            continue;
        }
        const uint32_t samplesPerBlock = effect.tag == kMsAdpcm ? (effect.blockAlign - 7) * 2 + 2
                                                                : (effect.blockAlign - 4) * 2 + 1;
        ASSERT_EQ(h.extra.size(), effect.tag == kMsAdpcm ? 4u + 7 * 4 : 2u);
        EXPECT_EQ(Get16(&h.extra[0]), samplesPerBlock);
        EXPECT_EQ(h.bytesPerSecond, h.sampleRate * h.blockAlign / samplesPerBlock);
        ASSERT_TRUE(h.hasFact);
        EXPECT_EQ(h.factSamples, h.dataBytes / h.blockAlign * samplesPerBlock);
        EXPECT_NEAR(double(h.factSamples) / h.sampleRate, effect.seconds, 0.005);
        if (effect.tag == kMsAdpcm) {
            EXPECT_EQ(Get16(&h.extra[2]), 7u);
            for (int i = 0; i < 7; ++i) {
                EXPECT_EQ(int16_t(Get16(&h.extra[4 + 4 * i])), kMsCoefficients[i][0]) << "pair " << i;
                EXPECT_EQ(int16_t(Get16(&h.extra[6 + 4 * i])), kMsCoefficients[i][1]) << "pair " << i;
            }
        }
    }
}

// --- Music ---------------------------------------------------------------------------------

DWORD OpenSequencers()
{
    DWORD count = 0;
    MCI_SYSINFO_PARMSA info = {};
    info.lpstrReturn = reinterpret_cast<LPSTR>(&count);
    info.dwRetSize = sizeof(count);
    info.wDeviceType = MCI_DEVTYPE_SEQUENCER;
    mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_SYSINFO_OPEN,
                    reinterpret_cast<DWORD_PTR>(&info));
    return count;
}

// A window to name as the receiver of MM_MCINOTIFY.
class NotifyWindow {
public:
    NotifyWindow() : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~NotifyWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

TEST(Music, NoMusicOpensNoDeviceAndStoppingItTwiceIsHarmless)
{
    NotifyWindow window;
    const DWORD open = OpenSequencers();
    const MCIDEVICEID before = MusicDevice;

    EXPECT_EQ(StartMusic(window.get(), "no"), -1);
    EXPECT_EQ(MusicDevice, before);
    EXPECT_EQ(OpenSequencers(), open);
    StopMusic();
    StopMusic();
    EXPECT_EQ(OpenSequencers(), open);
}

TEST(Music, AFileThatCannotPlayGivesAnMciErrorAndLeavesNothingOpen)
{
    NotifyWindow window;
    const std::string notMidi = BesideTests("tidewar-not-a-tune.mid");
    HANDLE file = CreateFileA(notMidi.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "RIFF, but no tune", 17, &written, nullptr);
    CloseHandle(file);

    const std::string paths[] = {"C:\\no such folder\\tidewar.mid", "C:\\" + std::string(4000, 'x') + ".mid", notMidi};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path.substr(0, 40));
        const DWORD open = OpenSequencers();
        EXPECT_GT(StartMusic(window.get(), path.c_str()), 0);
        EXPECT_EQ(OpenSequencers(), open);
    }
    DeleteFileA(notMidi.c_str());
}

// The game's own tune ships beside the exe; the tests find it beside theirs.
TEST(Music, TheTunePlaysUntilStopMusicClosesItsDevice)
{
    const std::string tune = BesideTests("tidewar.mid");
    ASSERT_NE(GetFileAttributesA(tune.c_str()), INVALID_FILE_ATTRIBUTES) << tune << " belongs beside the test exe";
    NotifyWindow window;
    const DWORD open = OpenSequencers();

    ASSERT_EQ(StartMusic(window.get(), tune.c_str()), 0);
    const MCIDEVICEID device = MusicDevice;
    EXPECT_EQ(OpenSequencers(), open + 1);
    MCI_SET_PARMS milliseconds = {};
    milliseconds.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandA(device, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&milliseconds));
    MCI_STATUS_PARMS length = {};
    length.dwItem = MCI_STATUS_LENGTH;
    EXPECT_EQ(mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&length)), 0u);
    EXPECT_GE(length.dwReturn, 60000u);
    EXPECT_LE(length.dwReturn, 90000u);

    StopMusic();
    EXPECT_EQ(OpenSequencers(), open);
    EXPECT_EQ(MusicDevice, device);  // the identifier outlives the device
    StopMusic();
    EXPECT_EQ(OpenSequencers(), open);
}

// --- Captured playback ---------------------------------------------------------------------

const char kCaseVariable[] = "TIDEWAR_SOUND_CASE";
const char kSyncVariable[] = "TIDEWAR_SOUND_SYNC";
const char kFolderVariable[] = "TIDEWAR_SOUND_FOLDER";
const char kChildTest[] = "SoundCapture.DISABLED_ChildPlaysItsCase";

std::string Variable(const char* name)
{
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    return length && length < sizeof(value) ? std::string(value, length) : std::string();
}

std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr))
        read = 0;
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const void* data, DWORD size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(folder + "\\" + name);
            else
                DeleteFileA((folder + "\\" + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Wine's own path conversions; absent on Windows, where nothing here can be captured.
template <class Function>
Function WineExport(const char* name)
{
    // Through void(*)(): GetProcAddress's type says nothing about the real one.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32"), name)));
}

std::string UnixPath(const std::string& windowsPath)
{
    auto toUnix = WineExport<char*(CDECL*)(LPCWSTR)>("wine_get_unix_file_name");
    if (!toUnix)
        return std::string();
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unix = toUnix(wide.c_str());
    std::string result = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::wstring DosPath(const std::string& unixPath)
{
    auto toDos = WineExport<WCHAR*(CDECL*)(LPCSTR)>("wine_get_dos_file_name");
    if (!toDos || unixPath.empty())
        return std::wstring();
    WCHAR* dos = toDos(unixPath.c_str());
    std::wstring result = dos ? dos : L"";
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

struct Capture {
    bool childFinished = false;  // the child played its case and did not crash
    double seconds = 0;          // of the captured WAV, by its header; 0 when nothing played
    std::string log;             // what the child printed
};

// Runs this test exe again as a new Wine process whose alsa-lib writes the default device
// to a file. Wine hands a child Windows process the parent's Unix environment, so the child
// is started through the Wine loader as a Unix program, which receives the Windows
// environment; XDG_CONFIG_HOME there points alsa-lib at the capture configuration.
Capture PlayInChild(const std::string& caseName)
{
    Capture result;
    const std::wstring loader = DosPath(Variable("WINELOADER"));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string sync = "TidewarSoundChild-" + std::to_string(GetCurrentProcessId()) + "-" + caseName;
    const std::string folder = std::string(temp) + sync;
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\alsa").c_str(), nullptr);
    const std::string config = "pcm.!default { type file; slave.pcm \"null\"; file \"" + UnixPath(folder + "\\capture.wav") +
                               "\"; format \"wav\" }\nctl.!default { type hw; card 0 }\n";
    WriteWholeFile(folder + "\\alsa\\asoundrc", config.data(), DWORD(config.size()));

    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, (sync + "-started").c_str());
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, (sync + "-finished").c_str());
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE log = CreateFileA((folder + "\\child.log").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS, 0, nullptr);

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string command = std::string("wine64 \"") + self + "\" --gtest_also_run_disabled_tests --gtest_filter=" + kChildTest;
    std::wstring wideCommand(command.begin(), command.end());
    SetEnvironmentVariableA("XDG_CONFIG_HOME", UnixPath(folder).c_str());
    SetEnvironmentVariableA(kCaseVariable, caseName.c_str());
    SetEnvironmentVariableA(kSyncVariable, sync.c_str());
    SetEnvironmentVariableA(kFolderVariable, folder.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = log;
    PROCESS_INFORMATION process = {};
    const bool spawned = CreateProcessW(loader.c_str(), &wideCommand[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    for (const char* name : {"XDG_CONFIG_HOME", kCaseVariable, kSyncVariable, kFolderVariable})
        SetEnvironmentVariableA(name, nullptr);
    CloseHandle(log);

    // The handle is the Unix loader's, gone at once; the child's own life is a mutex it holds.
    if (spawned && WaitForSingleObject(started, 30000) == WAIT_OBJECT_0) {
        HANDLE alive = OpenMutexA(SYNCHRONIZE, FALSE, (sync + "-alive").c_str());
        if (alive) {
            WaitForSingleObject(alive, 30000);
            CloseHandle(alive);
        }
        result.childFinished = WaitForSingleObject(finished, 0) == WAIT_OBJECT_0;
    }
    if (spawned) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(started);
    CloseHandle(finished);

    const std::vector<BYTE> captured = ReadWholeFile(folder + "\\capture.wav");
    const WaveHeader h = ReadWaveHeader(captured.data(), captured.size());
    if (h.riffWave && h.bytesPerSecond)
        result.seconds = double(h.dataBytes) / h.bytesPerSecond;
    const std::vector<BYTE> text = ReadWholeFile(folder + "\\child.log");
    result.log.assign(text.begin(), text.end());
    RemoveTree(folder);
    return result;
}

bool CanCapture() { return !Variable("WINELOADER").empty() && !UnixPath("C:\\").empty(); }

// A skin library whose sounds are damaged: VSTRL claims more bytes than it holds (the
// player would read past it), FIRE is not a WAV at all, NAZALO stops inside the header.
// (UpdateResource refuses an empty resource.)
HMODULE LoadDamagedSkin(const std::string& folder)
{
    HRSRC resource = FindResourceA(nullptr, "VSTRL", "WAVFILE");
    const DWORD size = SizeofResource(nullptr, resource);
    const BYTE* image = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
    if (!image)
        return nullptr;
    std::vector<BYTE> overlong(image, image + size);
    const uint32_t claimed = Get32(&overlong[4]) + 0x100000;
    for (int i = 0; i < 4; ++i)
        overlong[4 + i] = BYTE(claimed >> (8 * i));

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string skin = folder + "\\damaged.dll";
    if (!CopyFileA(self, skin.c_str(), FALSE))
        return nullptr;
    HANDLE update = BeginUpdateResourceA(skin.c_str(), TRUE);
    char junk[] = "not a wave";
    char truncated[] = "RIFF";
    const WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    if (!update || !UpdateResourceA(update, "WAVFILE", "VSTRL", language, overlong.data(), DWORD(overlong.size())) ||
        !UpdateResourceA(update, "WAVFILE", "FIRE", language, junk, sizeof(junk)) ||
        !UpdateResourceA(update, "WAVFILE", "NAZALO", language, truncated, 4) || !EndUpdateResourceA(update, FALSE))
        return nullptr;
    return LoadLibraryExA(skin.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

// The child's side of PlayInChild; skipped in an ordinary run.
TEST(SoundCapture, DISABLED_ChildPlaysItsCase)
{
    const std::string caseName = Variable(kCaseVariable), sync = Variable(kSyncVariable);
    if (caseName.empty())
        GTEST_SKIP() << "runs only as the child of a capture test";
    CreateMutexA(nullptr, TRUE, (sync + "-alive").c_str());  // released when this process ends
    SetEvent(OpenEventA(EVENT_MODIFY_STATE, FALSE, (sync + "-started").c_str()));

    SkinModule = GetModuleHandleA(nullptr);
    SoundOn = caseName != "sound-off";
    if (caseName == "vstrl" || caseName == "sound-off") {
        PlaySoundEffect("vstrl");
    } else if (caseName == "missing") {
        PlaySoundEffect("splash");
    } else if (caseName == "damaged") {
        SkinModule = LoadDamagedSkin(Variable(kFolderVariable));
        ASSERT_NE(SkinModule, nullptr);
        for (const char* name : {"vstrl", "fire", "nazalo"})
            PlaySoundEffect(name);
    }
    SetEvent(OpenEventA(EVENT_MODIFY_STATE, FALSE, (sync + "-finished").c_str()));
}

TEST(SoundCapture, ThePlayersShotSoundsForItsLength)
{
    if (!CanCapture())
        GTEST_SKIP() << "capturing needs Wine";
    const Capture capture = PlayInChild("vstrl");
    ASSERT_TRUE(capture.childFinished) << capture.log;
    EXPECT_NEAR(capture.seconds, 0.473, 0.02);
}

TEST(SoundCapture, NothingSoundsWhenSoundIsOffOrTheSkinLacksAPlayableSound)
{
    if (!CanCapture())
        GTEST_SKIP() << "capturing needs Wine";
    for (const char* caseName : {"sound-off", "missing", "damaged"}) {
        SCOPED_TRACE(caseName);
        const Capture capture = PlayInChild(caseName);
        ASSERT_TRUE(capture.childFinished) << capture.log;
        EXPECT_EQ(capture.seconds, 0.0);
    }
}

} // namespace
