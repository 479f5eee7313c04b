#include "gfx/sound.h"

#include <cstring>

#include "gfx/skin.h"
#include "ui/settings.h"

MCIDEVICEID MusicDevice = 0;
void (*SoundWatcher)(SoundCall call, const char* name) = nullptr;

static DWORD ReadLittleEndian32(const BYTE* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

// sndPlaySound trusts the RIFF header's length: a skin library's resource that is not a WAV
// image, or claims more bytes than it holds, would make it read past the resource.
static bool IsWaveImage(const BYTE* image, DWORD size)
{
    return image && size >= 12 && std::memcmp(image, "RIFF", 4) == 0 &&
           std::memcmp(image + 8, "WAVE", 4) == 0 && ReadLittleEndian32(image + 4) <= size - 8;
}

void PlaySoundEffect(const char* name)
{
    if (!SoundOn)
        return;
    if (SoundWatcher)
        SoundWatcher(EffectCall, name);
    HRSRC resource = FindResourceA(SkinModule, name, "WAVFILE");
    if (!resource)
        return;
    HGLOBAL loaded = LoadResource(SkinModule, resource);
    if (!loaded)
        return;
    const BYTE* image = static_cast<const BYTE*>(LockResource(loaded));
    // Synchronous on purpose: the game waits for the sound before it goes on.
    if (IsWaveImage(image, SizeofResource(SkinModule, resource)))
        sndPlaySoundA(reinterpret_cast<LPCSTR>(image), SND_MEMORY);
    FreeResource(loaded);
}

int StartMusic(HWND window, const char* path)
{
    if (SoundWatcher)
        SoundWatcher(MusicStartCall, path);
    if (std::strcmp(path, "no") == 0)
        return -1;

    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "sequencer";
    open.lpstrElementName = path;
    MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                     reinterpret_cast<DWORD_PTR>(&open));
    if (error)
        return static_cast<int>(error);
    MusicDevice = open.wDeviceID;

    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    error = mciSendCommandA(MusicDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
    if (error) {
        mciSendCommandA(MusicDevice, MCI_CLOSE, 0, 0);
        return static_cast<int>(error);
    }
    return 0;
}

void StopMusic()
{
    if (SoundWatcher)
        SoundWatcher(MusicStopCall, nullptr);
    mciSendCommandA(MusicDevice, MCI_CLOSE, 0, 0);
}
