#include "media/sound.h"

#include <cstring>
#include <cwchar>

#include "base/program.h"
#include "base/settings.h"
#include "media/ansi_path.h"
#include "media/skin.h"

namespace {

bool PlayOnDevice(const wchar_t*, const BYTE* image, DWORD)
{
    return sndPlaySoundA(reinterpret_cast<LPCSTR>(image), SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void StopOnDevice()
{
    sndPlaySoundA(nullptr, 0);
}

void TuneUnheard(SoundCall, const wchar_t*) {}

}  // namespace

const Speaker kSystemSpeaker = {PlayOnDevice, StopOnDevice, TuneUnheard};

SoundState Sound;

void ResetSound()
{
    if (Sound.playing)
        HeapFree(GetProcessHeap(), 0, Sound.playing);
    Sound = SoundState{};
}

void InstallSpeaker(const Speaker& speaker)
{
    Sound.speaker = speaker;
}

static DWORD ReadLittleEndian32(const BYTE* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

// Walks the chunks of a RIFF WAVE image up to its "data" chunk, trusting no size; false when
// the image is not playable. `rate` is the format's bytes per second, `data` the data bytes.
static bool ReadWave(const BYTE* image, DWORD size, DWORD& rate, DWORD& data)
{
    if (!image || size < 12 || std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0)
        return false;
    // The RIFF size counts "WAVE" and the chunks: below 4 the chunks would end before they begin.
    const DWORD riff = ReadLittleEndian32(image + 4);
    if (riff < 4 || riff > size - 8)
        return false;
    const DWORD end = 8 + riff;
    bool format = false;
    // at starts at 12 <= end and each step keeps it there, so end - at cannot wrap.
    for (DWORD at = 12; end - at >= 8;) {
        const BYTE* chunk = image + at;
        const DWORD length = ReadLittleEndian32(chunk + 4);
        if (length > end - at - 8)
            return false;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !format) {
            // A compressed format's codec reads cbSize more bytes after the common fields.
            const bool pcm = length >= 16 && chunk[8] == 1 && chunk[9] == 0;
            if (length < 16 || (!pcm && (length < 18 || 18u + (chunk[24] | chunk[25] << 8) > length)))
                return false;
            rate = ReadLittleEndian32(chunk + 16);
            format = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            data = length;
            return format;
        }
        at += 8 + length;
        if (length % 2 && at < end)
            ++at;
    }
    return false;
}

bool IsPlayableWave(const BYTE* image, DWORD size)
{
    DWORD rate = 0, data = 0;
    return ReadWave(image, size, rate, data);
}

DWORD WaveMilliseconds(const BYTE* image, DWORD size)
{
    DWORD rate = 0, data = 0;
    if (!ReadWave(image, size, rate, data) || rate == 0)
        return 0;
    return static_cast<DWORD>((static_cast<ULONGLONG>(data) * 1000 + rate - 1) / rate);
}

// The device's own delay: the timer waits this long past the data's length, so the tail is heard.
constexpr DWORD kDeviceLatencyMs = 50;

// The device may still read the last copy for a moment after its timer: it is stopped
// before the copy is replaced.
static void StartEffect(const wchar_t* name)
{
    HRSRC resource = FindResourceW(Skin.SkinModule, name, L"WAVFILE");
    HGLOBAL loaded = resource ? LoadResource(Skin.SkinModule, resource) : nullptr;
    const BYTE* image = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = image ? SizeofResource(Skin.SkinModule, resource) : 0;
    const DWORD length = WaveMilliseconds(image, size);
    if (length == 0)
        return;
    if (Sound.playing) {
        Sound.speaker.stopWave();
        HeapFree(GetProcessHeap(), 0, Sound.playing);
    }
    Sound.playing = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!Sound.playing)
        return;
    std::memcpy(Sound.playing, image, size);
    if (!Sound.speaker.playWave(name, Sound.playing, size))
        return;
    Sound.effectPlaying = true;
    SetTimer(MainWindow, SoundTimer, length + kDeviceLatencyMs, nullptr);
}

// Starts the first effect waiting that plays.
static void StartNextEffect()
{
    while (!Sound.effectPlaying && Sound.queuedCount > 0) {
        const wchar_t* name = Sound.queued[0];
        Sound.queuedCount -= 1;
        std::memmove(Sound.queued, Sound.queued + 1, Sound.queuedCount * sizeof Sound.queued[0]);
        StartEffect(name);
    }
}

void PlaySoundEffect(const wchar_t* name)
{
    if (!Settings.SoundOn || Sound.queuedCount == kMaxQueuedEffects)
        return;
    Sound.queued[Sound.queuedCount++] = name;
    StartNextEffect();
}

void SoundEffectEnded()
{
    Sound.effectPlaying = false;
    StartNextEffect();
}

bool SpeakerIdle()
{
    return !Sound.effectPlaying;
}

void StopSoundEffects()
{
    KillTimer(MainWindow, SoundTimer);
    if (Sound.effectPlaying)
        Sound.speaker.stopWave();
    Sound.effectPlaying = false;
    Sound.queuedCount = 0;
}

int StartMusic(HWND window, const wchar_t* path)
{
    Sound.speaker.tune(MusicStartCall, path);
    if (std::wcscmp(path, L"no") == 0)
        return -1;

    wchar_t file[MAX_PATH];
    AnsiSafePath(path, file);
    MCI_OPEN_PARMSW open = {};
    open.lpstrDeviceType = L"sequencer";
    open.lpstrElementName = file;
    MCIERROR error = mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                     reinterpret_cast<DWORD_PTR>(&open));
    if (error)
        return static_cast<int>(error);
    Sound.MusicDevice = open.wDeviceID;

    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    error = mciSendCommandW(Sound.MusicDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
    if (error) {
        mciSendCommandW(Sound.MusicDevice, MCI_CLOSE, 0, 0);
        return static_cast<int>(error);
    }
    return 0;
}

void StopMusic()
{
    Sound.speaker.tune(MusicStopCall, nullptr);
    // No device yet: winmm stays unloaded in a game played without music.
    if (Sound.MusicDevice)
        mciSendCommandW(Sound.MusicDevice, MCI_CLOSE, 0, 0);
}
