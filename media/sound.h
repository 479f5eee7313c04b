// The sound effects (WAV resources of the current skin) and the background music (a MIDI
// file through the MCI sequencer, restarted by the main window when it ends). Nothing here
// waits: an effect plays while the window goes on, and one asked for meanwhile follows it.
#pragma once

#include <windows.h>
#include <mmsystem.h>

// Whether `size` bytes at `image` hold a RIFF WAVE image whose chunks all lie within them,
// with a "fmt " chunk of the common fields (and, for compressed formats, the extra bytes it
// announces) before a "data" chunk. The player trusts every chunk size inside the image: it
// gets no length, so an image that lies would make it read past the resource.
bool IsPlayableWave(const BYTE* image, DWORD size);

// How long a playable image sounds: its data bytes at the format's bytes per second, rounded
// up; 0 for an image that is not playable or names no rate.
DWORD WaveMilliseconds(const BYTE* image, DWORD size);

// The sound effects, by their "WAVFILE" resource names in a skin.
constexpr const wchar_t* kNewGameSound = L"nazalo";
constexpr const wchar_t* kShotSound = L"vstrl";
constexpr const wchar_t* kVictorySound = L"fire1";
constexpr const wchar_t* kDefeatSound = L"fire";

// The main window's timer for the end of the effect playing.
constexpr UINT_PTR SoundTimer = 2;

enum SoundCall { MusicStartCall, MusicStopCall };

// What reaches the device. The program installs the system's; tests install their own ear.
struct Speaker {
    // Starts the wave image playing and returns at once; false when nothing plays.
    bool (*playWave)(const wchar_t* name, const BYTE* image, DWORD size);
    // Stops the wave playing, if any.
    void (*stopWave)();
    // Hears what is asked of the music: the path started, or a stop (nullptr).
    void (*tune)(SoundCall call, const wchar_t* path);
};

extern const Speaker kSystemSpeaker;

constexpr int kMaxQueuedEffects = 8;

struct SoundState {
    // The music device most recently opened; keeps its value after the device is closed.
    MCIDEVICEID MusicDevice = 0;
    Speaker speaker = kSystemSpeaker;
    // A copy of the effect playing, on the process heap: the skin may change while it plays.
    BYTE* playing = nullptr;
    // Set from the start of an effect to its SoundTimer.
    bool effectPlaying = false;
    // The effects asked for while one plays, by name, in order.
    const wchar_t* queued[kMaxQueuedEffects] = {};
    int queuedCount = 0;
};

extern SoundState Sound;

// As a fresh process starts: the system's speaker, nothing playing.
void ResetSound();

void InstallSpeaker(const Speaker& speaker);

// Plays the "WAVFILE" resource `name` (any case) of the SkinModule, now or, while another
// effect plays, once it has ended; nothing when SoundOn is off or the skin has no such
// sound, or no playable one. `name` must outlive the wait (the names below do).
void PlaySoundEffect(const wchar_t* name);

// The SoundTimer fired (its one shot, killed by the window): the effect has ended and the
// next one asked for begins.
void SoundEffectEnded();

// Whether no effect plays now.
bool SpeakerIdle();

// Silence: the effect playing stops and those waiting are dropped, as when what they belong
// to has left the screen.
void StopSoundEffects();

// Opens the MIDI file at `path` and plays it; `window` receives MM_MCINOTIFY at its end.
// Returns 0 when it plays, -1 for the path "no", else the MCI error code.
int StartMusic(HWND window, const wchar_t* path);

// Closes MusicDevice, whether or not it is open; nothing before the first one opened.
void StopMusic();
