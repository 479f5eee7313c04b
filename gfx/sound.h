// The sound effects (WAV resources of the current skin) and the background music (a MIDI
// file through the MCI sequencer, restarted by the main window when it ends).
#pragma once

#include <windows.h>
#include <mmsystem.h>

// The music device most recently opened; keeps its value after the device is closed.
extern MCIDEVICEID MusicDevice;

// What the program asked of the speaker; tests set the watcher to record it.
enum SoundCall { EffectCall, MusicStartCall, MusicStopCall };
extern void (*SoundWatcher)(SoundCall call, const char* name);

// Plays the "WAVFILE" resource `name` (any case) of the SkinModule and returns when it has
// finished; nothing when SoundOn is off or the skin has no such sound.
void PlaySoundEffect(const char* name);

// Opens the MIDI file at `path` and plays it; `window` receives MM_MCINOTIFY at its end.
// Returns 0 when it plays, -1 for the path "no", else the MCI error code.
int StartMusic(HWND window, const char* path);

// Closes MusicDevice, whether or not it is open.
void StopMusic();
