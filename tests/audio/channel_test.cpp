// What a channel's controls do to the rendered output.

#include <algorithm>
#include <cmath>

#include "tests/audio/support.h"

namespace audio_test {
namespace {

using namespace audio;

class AudioChannel : public AudioOutput {
protected:
    Channel Play(Sound* sound, bool paused = false) {
        Channel channel;
        EXPECT_EQ(system->playSound(sound, nullptr, paused, &channel), OK);
        return channel;
    }
    bool IsPlaying(const Channel& channel) {
        bool playing = false;
        return channel.isPlaying(&playing) == OK && playing;
    }
};

TEST_F(AudioChannel, VolumeZeroIsSilentAndTwoIsTwiceAsLoudAsOne) {
    Sound* tone = Load(Tone{.seconds = 1.0f});
    Channel channel = Play(tone);
    ASSERT_EQ(channel.setVolume(0.0f), OK);
    EXPECT_EQ(Peak(Render(0.1f)), 0.0f);

    ASSERT_EQ(channel.setVolume(1.0f), OK);
    Render(0.01f);  // let the change settle
    const float full = Rms(Render(0.05f), 0);
    ASSERT_GT(full, 0.05f);
    ASSERT_EQ(channel.setVolume(2.0f), OK);
    Render(0.01f);
    EXPECT_NEAR(Rms(Render(0.05f), 0) / full, 2.0f, 0.02f);
    float volume = 0.0f;
    EXPECT_EQ(channel.getVolume(&volume), OK);
    EXPECT_EQ(volume, 2.0f);
    EXPECT_EQ(channel.setVolume(NAN), ERR_INVALID_PARAM);
    channel.setVolume(-3.0f);
    channel.getVolume(&volume);
    EXPECT_EQ(volume, 0.0f);
}

TEST_F(AudioChannel, PanMovesTheEnergyToThatSide) {
    for (const int channels : {1, 2}) {
        SCOPED_TRACE(channels == 1 ? "mono" : "stereo");
        Sound* tone = Load(Tone{.seconds = 1.0f, .channels = channels});
        Channel channel = Play(tone);

        const std::vector<float> centre = Render(0.05f);
        EXPECT_NEAR(Rms(centre, 0), Rms(centre, 1), 1e-4f);

        channel.setPan(1.0f);
        Render(0.01f);
        const std::vector<float> right = Render(0.05f);
        EXPECT_GT(Rms(right, 1), 0.05f);
        EXPECT_LT(Rms(right, 0), Rms(right, 1) * 0.01f);

        channel.setPan(-1.0f);
        Render(0.01f);
        const std::vector<float> left = Render(0.05f);
        EXPECT_GT(Rms(left, 0), 0.05f);
        EXPECT_LT(Rms(left, 1), Rms(left, 0) * 0.01f);

        channel.setPan(0.5f);
        Render(0.01f);
        const std::vector<float> halfRight = Render(0.05f);
        EXPECT_GT(Rms(halfRight, 1), Rms(halfRight, 0) * 1.5f);
        EXPECT_GT(Rms(halfRight, 0), Rms(halfRight, 1) * 0.05f);
        channel.stop();
    }
}

TEST_F(AudioChannel, PitchScalesFrequencyAndDuration) {
    Sound* tone = Load(Tone{.frequency = 480.0f, .seconds = 0.4f});
    Channel channel = Play(tone);
    channel.setPitch(2.0f);
    std::vector<float> out = Render(0.5f);
    EXPECT_NEAR(Frequency(out, 0, Frames(0.01f), Frames(0.15f)), 960.0f, 960.0f * 0.01f);
    EXPECT_NEAR(SoundingFrames(out), Frames(0.2f), Frames(0.005f));
    EXPECT_FALSE(IsPlaying(channel));

    channel = Play(tone);
    channel.setPitch(0.5f);
    out = Render(0.3f);
    EXPECT_NEAR(Frequency(out, 0, Frames(0.01f), Frames(0.3f)), 240.0f, 240.0f * 0.01f);
    EXPECT_EQ(channel.setPitch(NAN), ERR_INVALID_PARAM);
}

TEST_F(AudioChannel, PauseHoldsThePositionAndResumesFromIt) {
    Sound* tone = Load(Tone{.seconds = 0.3f});
    Channel channel = Play(tone);
    EXPECT_GT(SoundingFrames(Render(0.1f)), Frames(0.09f));

    ASSERT_EQ(channel.setPaused(true), OK);
    bool paused = false;
    EXPECT_EQ(channel.getPaused(&paused), OK);
    EXPECT_TRUE(paused);
    EXPECT_EQ(Peak(Render(0.5f)), 0.0f);
    EXPECT_TRUE(IsPlaying(channel));

    ASSERT_EQ(channel.setPaused(false), OK);
    // Only the 0.2 s left after the pause point play out.
    EXPECT_NEAR(SoundingFrames(Render(0.5f)), Frames(0.2f), Frames(0.005f));
    EXPECT_FALSE(IsPlaying(channel));
}

TEST_F(AudioChannel, StartedPausedWaitsForTheCallerThenPlaysWhole) {
    Sound* tone = Load(Tone{.seconds = 0.1f});
    Channel channel = Play(tone, true);
    bool paused = false;
    channel.getPaused(&paused);
    EXPECT_TRUE(paused);
    EXPECT_EQ(Peak(Render(0.2f)), 0.0f);
    channel.setVolume(0.5f);
    channel.setPaused(false);
    const std::vector<float> out = Render(0.2f);
    EXPECT_NEAR(SoundingFrames(out), Frames(0.1f), Frames(0.002f));
}

TEST_F(AudioChannel, LoopCountMinusOneLoopsForEverAndNPlaysNPlusOneTimes) {
    Sound* music = Load(Tone{.seconds = 0.05f}, LOOP_NORMAL);

    Channel forever = Play(music, true);
    forever.setLoopCount(-1);
    forever.setPaused(false);
    EXPECT_EQ(SoundingFrames(Render(1.0f)), Frames(1.0f));
    EXPECT_TRUE(IsPlaying(forever));
    forever.stop();

    Channel thrice = Play(music, true);
    thrice.setLoopCount(2);
    thrice.setPaused(false);
    EXPECT_NEAR(SoundingFrames(Render(0.5f)), Frames(0.15f), Frames(0.002f));
    EXPECT_FALSE(IsPlaying(thrice));

    // Looping sounds loop unless told otherwise.
    Channel byDefault = Play(music);
    EXPECT_EQ(SoundingFrames(Render(0.5f)), Frames(0.5f));
    byDefault.stop();

    // More passes than are queued at once still all play, topped up by update().
    Channel many = Play(music, true);
    many.setLoopCount(99);
    many.setPaused(false);
    int sounding = 0;
    for (int frame = 0; frame < 50 * 6; ++frame) {
        sounding += SoundingFrames(Render(1.0f / 50.0f));
        system->update();
    }
    EXPECT_NEAR(sounding, Frames(5.0f), Frames(0.02f));
    EXPECT_FALSE(IsPlaying(many));
}

TEST_F(AudioChannel, OneShotSoundsIgnoreTheLoopCount) {
    Channel channel = Play(Load(Tone{.seconds = 0.05f}), true);
    EXPECT_EQ(channel.setLoopCount(-1), OK);
    EXPECT_EQ(channel.setLoopCount(-2), ERR_INVALID_PARAM);
    channel.setPaused(false);
    EXPECT_NEAR(SoundingFrames(Render(0.3f)), Frames(0.05f), Frames(0.002f));
}

// A jump in the waveform at the loop point would be heard as a click.
TEST_F(AudioChannel, MusicLoopsWithoutAGapOrAClick) {
    for (const int format : {WAV, OGG}) {
        SCOPED_TRACE(format == OGG ? "ogg" : "wav");
        // 48 whole periods, so the end joins the start.
        Sound* music = Load(Tone{.frequency = 480.0f, .seconds = 0.1f, .channels = 2, .format = format}, LOOP_NORMAL);
        Channel channel = Play(music);
        const std::vector<float> out = Render(0.45f);
        channel.stop();

        const float amplitude = Rms(out, 0) * std::sqrt(2.0f);
        const float steepest = amplitude * 2.0f * 3.14159265f * 480.0f / RATE;
        float largestStep = 0.0f;
        for (size_t i = 2; i < out.size(); i += 2) largestStep = std::max(largestStep, std::abs(out[i] - out[i - 2]));
        EXPECT_LT(largestStep, steepest * 1.1f);
        EXPECT_EQ(SoundingFrames(out), Frames(0.45f));
    }
}

}  // namespace
}  // namespace audio_test
