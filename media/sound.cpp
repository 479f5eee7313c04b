#include "media/sound.h"

#include <cstring>
#include <cwchar>

#include "media/ansi_path.h"
#include "media/skin.h"
#include "base/settings.h"

SoundState Sound;

void ResetSound()
{
    Sound = SoundState{};
}

static DWORD ReadLittleEndian32(const BYTE* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

bool IsPlayableWave(const BYTE* image, DWORD size)
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
            format = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            return format;
        }
        at += 8 + length;
        if (length % 2 && at < end)
            ++at;
    }
    return false;
}

void PlaySoundEffect(const wchar_t* name)
{
    if (!Settings.SoundOn)
        return;
    if (Sound.SoundWatcher)
        Sound.SoundWatcher(EffectCall, name);
    HRSRC resource = FindResourceW(Skin.SkinModule, name, L"WAVFILE");
    if (!resource)
        return;
    HGLOBAL loaded = LoadResource(Skin.SkinModule, resource);
    if (!loaded)
        return;
    const BYTE* image = static_cast<const BYTE*>(LockResource(loaded));
    // Synchronous on purpose: the game waits for the sound before it goes on.
    if (IsPlayableWave(image, SizeofResource(Skin.SkinModule, resource)))
        sndPlaySoundA(reinterpret_cast<LPCSTR>(image), SND_MEMORY);
    FreeResource(loaded);
}

int StartMusic(HWND window, const wchar_t* path)
{
    if (Sound.SoundWatcher)
        Sound.SoundWatcher(MusicStartCall, path);
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
    if (Sound.SoundWatcher)
        Sound.SoundWatcher(MusicStopCall, nullptr);
    // No device yet: winmm stays unloaded in a game played without music.
    if (Sound.MusicDevice)
        mciSendCommandW(Sound.MusicDevice, MCI_CLOSE, 0, 0);
}
