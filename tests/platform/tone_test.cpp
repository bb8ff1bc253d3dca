#include "platform/tone.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace {

// A sound server that lets the player connect and never answers, until it hangs up. While it
// lives, PULSE_SERVER points the player at it.
class SilentSoundServer {
public:
    SilentSoundServer()
    {
        const QByteArray path = QFile::encodeName(folder.filePath("server"));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (!folder.isValid() || static_cast<size_t>(path.size()) >= sizeof address.sun_path)
            return;
        std::copy(path.begin(), path.end(), address.sun_path);
        socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (socketFd < 0 || bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(socketFd, 1) != 0) {
            HangUp();
            return;
        }
        qputenv("PULSE_SERVER", "unix:" + path);
    }
    ~SilentSoundServer()
    {
        HangUp();
        qunsetenv("PULSE_SERVER");
    }

    bool Listening() const { return socketFd >= 0; }
    // Closes the socket with the player's connection still waiting on it: the player gives up.
    void HangUp()
    {
        if (socketFd >= 0)
            close(socketFd);
        socketFd = -1;
    }

private:
    QTemporaryDir folder;
    int socketFd = -1;
};

// The deadline only keeps a broken player from hanging the test.
void WaitForTheToneToEnd()
{
    const QDeadlineTimer deadline(5000);
    while (TonePlaying() && !deadline.hasExpired())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

TEST(Tone, ObserverHearsTheToneInsteadOfTheSpeaker)
{
    std::vector<std::pair<int, int>> heard;
    const ToneObserver before = SetToneObserver([&](int hz, int ms) { heard.emplace_back(hz, ms); });
    PlayTone(400, 500);
    SetToneObserver(before);
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{400, 500}}));
    EXPECT_FALSE(TonePlaying());
}

TEST(Tone, SamplesAreTheToneFadedAtBothEnds)
{
    const std::vector<int16_t> samples = ToneSamples(400, 500, 44100);
    ASSERT_EQ(samples.size(), 22050u);
    int signChanges = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        signChanges += (samples[i - 1] < 0) != (samples[i] < 0);
    // 200 periods of 400 Hz in half a second, two sign changes each.
    EXPECT_NEAR(signChanges, 400, 2);
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_GT(*high, 9000);
    EXPECT_LT(*low, -9000);
    EXPECT_LT(std::abs(samples[10]), 2000);
}

TEST(Tone, PlayingReturnsBeforeTheSoundServerAnswersAndEndsWhenItHangsUp)
{
    SilentSoundServer server;
    ASSERT_TRUE(server.Listening());
    PlayTone(400, 500);
    // The server has not answered, so the tone cannot have been handed over: a PlayTone that
    // waited for the server would come back only with the tone over.
    EXPECT_TRUE(TonePlaying());
    server.HangUp();
    WaitForTheToneToEnd();
    EXPECT_FALSE(TonePlaying());
}

TEST(Tone, WithoutASoundServerTheToneEnds)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/tablitor-test");
    PlayTone(400, 500);
    WaitForTheToneToEnd();
    EXPECT_FALSE(TonePlaying());
    qunsetenv("PULSE_SERVER");
}
