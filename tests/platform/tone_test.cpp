#include "platform/tone.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

TEST(Tone, WithoutASoundServerPlayingReturnsAtOnceAndEnds)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/tablitor-test");
    QElapsedTimer clock;
    clock.start();
    PlayTone(400, 500);
    EXPECT_LT(clock.elapsed(), 100);
    while (TonePlaying() && clock.elapsed() < 5000)
        QCoreApplication::processEvents();
    EXPECT_FALSE(TonePlaying());
    QCoreApplication::processEvents();
    qunsetenv("PULSE_SERVER");
}
