#include "platform/tone.h"

#include <QApplication>
#include <QLibrary>

#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>
#include <utility>

namespace {

constexpr int SampleRate = 44100;
constexpr int LongestToneMs = 10000;
constexpr double Loudness = 0.3 * 32767;
constexpr int FadeMs = 5;
constexpr int BufferedMs = 50;

ToneObserver& Observer()
{
    static ToneObserver observer;
    return observer;
}

// The sound server's client library, loaded at the first tone rather than at start: most starts
// of the program never sound one. Null when the library is missing.
struct SoundServerLibrary {
    decltype(&pa_simple_new) open = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_free) close = nullptr;
};

const SoundServerLibrary* SoundServer()
{
    static const SoundServerLibrary library = [] {
        // The library stays loaded when the QLibrary goes, and the functions with it.
        QLibrary client("pulse-simple", 0);
        SoundServerLibrary calls;
        calls.open = reinterpret_cast<decltype(&pa_simple_new)>(client.resolve("pa_simple_new"));
        calls.write = reinterpret_cast<decltype(&pa_simple_write)>(client.resolve("pa_simple_write"));
        calls.drain = reinterpret_cast<decltype(&pa_simple_drain)>(client.resolve("pa_simple_drain"));
        calls.close = reinterpret_cast<decltype(&pa_simple_free)>(client.resolve("pa_simple_free"));
        return calls;
    }();
    const bool complete = library.open != nullptr && library.write != nullptr && library.drain != nullptr &&
                          library.close != nullptr;
    return complete ? &library : nullptr;
}

// False when no sound server took the tone.
bool PlayThroughSoundServer(const std::vector<int16_t>& samples)
{
    const SoundServerLibrary* server = SoundServer();
    if (server == nullptr)
        return false;
    const pa_sample_spec format{PA_SAMPLE_S16NE, SampleRate, 1};
    // A short target length: by default the server would gather two seconds before it starts.
    const uint32_t serverDefault = static_cast<uint32_t>(-1);
    const pa_buffer_attr buffering{serverDefault, BufferedMs * SampleRate / 1000 * sizeof(int16_t), serverDefault,
                                   serverDefault, serverDefault};
    int error = 0;
    pa_simple* stream = server->open(nullptr, "Tablitor", PA_STREAM_PLAYBACK, nullptr, "beep", &format,
                                     nullptr, &buffering, &error);
    if (stream == nullptr)
        return false;
    if (server->write(stream, samples.data(), samples.size() * sizeof(int16_t), &error) == 0)
        server->drain(stream, &error);
    server->close(stream);
    return true;
}

void SystemBeep()
{
    // The system beep belongs to the user-interface thread.
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

class TonePlayer {
public:
    ~TonePlayer()
    {
        if (worker.joinable())
            worker.join();
    }

    void Play(int frequencyHz, int durationMs)
    {
        if (playing)
            return;
        if (worker.joinable())
            worker.join();
        playing = true;
        try {
            worker = std::thread([this, frequencyHz, durationMs] { Sound(frequencyHz, durationMs); });
        } catch (...) {
            playing = false;
            QApplication::beep();
        }
    }

    bool Playing() const { return playing; }

private:
    void Sound(int frequencyHz, int durationMs)
    {
        try {
            if (!PlayThroughSoundServer(ToneSamples(frequencyHz, durationMs, SampleRate)))
                SystemBeep();
        } catch (...) {
            SystemBeep();
        }
        playing = false;
    }

    std::thread worker;
    std::atomic<bool> playing{false};
};

TonePlayer& Player()
{
    static TonePlayer player;
    return player;
}

}  // namespace

void PlayTone(int frequencyHz, int durationMs)
{
    if (const ToneObserver observer = Observer()) {
        observer(frequencyHz, durationMs);
        return;
    }
    if (frequencyHz > 0 && durationMs > 0)
        Player().Play(frequencyHz, std::min(durationMs, LongestToneMs));
}

bool TonePlaying()
{
    return Player().Playing();
}

ToneObserver SetToneObserver(ToneObserver observer)
{
    return std::exchange(Observer(), std::move(observer));
}

std::vector<int16_t> ToneSamples(int frequencyHz, int durationMs, int sampleRate)
{
    const int count = static_cast<int>(int64_t{sampleRate} * std::max(durationMs, 0) / 1000);
    const int fade = std::max(1, sampleRate * FadeMs / 1000);
    std::vector<int16_t> samples(count);
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
        const double phase = 2 * std::numbers::pi * frequencyHz * i / sampleRate;
        samples[i] = static_cast<int16_t>(std::lround(Loudness * envelope * std::sin(phase)));
    }
    return samples;
}
