// The sound effects (WAV resources of the current skin) and the background music (a MIDI
// file through the MCI sequencer, restarted by the main window when it ends).
#pragma once

#include <windows.h>
#include <mmsystem.h>

// Whether `size` bytes at `image` hold a RIFF WAVE image whose chunks all lie within them,
// with a "fmt " chunk of the common fields (and, for compressed formats, the extra bytes it
// announces) before a "data" chunk. The player trusts every chunk size inside the image: it
// gets no length, so an image that lies would make it read past the resource.
bool IsPlayableWave(const BYTE* image, DWORD size);

// The sound effects, by their "WAVFILE" resource names in a skin.
constexpr const wchar_t* kNewGameSound = L"nazalo";
constexpr const wchar_t* kShotSound = L"vstrl";
constexpr const wchar_t* kVictorySound = L"fire1";
constexpr const wchar_t* kDefeatSound = L"fire";

enum SoundCall { EffectCall, MusicStartCall, MusicStopCall };

struct SoundState {
    // The music device most recently opened; keeps its value after the device is closed.
    MCIDEVICEID MusicDevice = 0;
    // What the program asked of the speaker; tests set the watcher to record it.
    void (*SoundWatcher)(SoundCall call, const wchar_t* name) = nullptr;
};

extern SoundState Sound;

void ResetSound();

// Plays the "WAVFILE" resource `name` (any case) of the SkinModule and returns when it has
// finished; nothing when SoundOn is off or the skin has no such sound, or no playable one.
void PlaySoundEffect(const wchar_t* name);

// Opens the MIDI file at `path` and plays it; `window` receives MM_MCINOTIFY at its end.
// Returns 0 when it plays, -1 for the path "no", else the MCI error code.
int StartMusic(HWND window, const wchar_t* path);

// Closes MusicDevice, whether or not it is open; nothing before the first one opened.
void StopMusic();
