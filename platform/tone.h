#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Sounds a tone, such as the 400 Hz for 500 ms of the parting routine, through the desktop's
// sound server, or the system beep where no server answers. Returns at once: the tone is played
// by a worker thread, and one asked for while another still sounds is dropped. Never fails.
void PlayTone(int frequencyHz, int durationMs);

// True from PlayTone until the tone has been handed over and played out.
bool TonePlaying();

// While an observer is set, tones are reported to it instead of sounded, so that tests can
// see them in silence. Returns the observer before.
using ToneObserver = std::function<void(int frequencyHz, int durationMs)>;
ToneObserver SetToneObserver(ToneObserver observer);

// The tone as signed 16-bit mono samples: a sine faded in and out over a few milliseconds, so
// that it starts and stops without a click.
std::vector<int16_t> ToneSamples(int frequencyHz, int durationMs, int sampleRate);
