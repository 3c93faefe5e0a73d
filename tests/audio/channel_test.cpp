// What a channel's controls, and positional one-shots, do to the rendered output.

#include "tests/audio/support.h"

namespace audio_test {
namespace {

using AudioChannel = AudioOutput;

// Levels over those of the centred tone at volume 1.
TEST_F(AudioChannel, VolumeScalesTheLevelAndPanMovesItToOneSide) {
    struct Case { float volume, pan, leftMin, leftMax, rightMin, rightMax; };
    const Case cases[] = {{0.0f, 0.0f, 0, 0, 0, 0},         {2.0f, 0.0f, 1.98f, 2.02f, 1.98f, 2.02f},
                          {-3.0f, 0.0f, 0, 0, 0, 0},        {1.0f, 1.0f, 0, 0.01f, 1, 2.1f},
                          {1.0f, -1.0f, 1, 2.1f, 0, 0.01f}, {1.0f, 0.5f, 0.1f, 0.9f, 1, 2}};
    for (const int channels : {1, 2}) {
        Channel channel = Play(Load(Tone{.seconds = 1.0f, .channels = channels}));
        const auto levels = [&](float volume, float pan) {
            EXPECT_EQ(channel.setVolume(volume), OK);
            EXPECT_EQ(channel.setPan(pan), OK);
            Render(0.01f);  // let the change settle
            const std::vector<float> out = Render(0.05f);
            return std::pair{Rms(out, 0), Rms(out, 1)};
        };
        const auto [left, right] = levels(1.0f, 0.0f);
        ASSERT_GT(left, 0.05f);
        EXPECT_NEAR(left, right, 1e-4f);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << channels << " channels, volume " << c.volume << ", pan " << c.pan);
            const auto [l, r] = levels(c.volume, c.pan);
            EXPECT_TRUE(l / left >= c.leftMin && l / left <= c.leftMax) << l / left;
            EXPECT_TRUE(r / right >= c.rightMin && r / right <= c.rightMax) << r / right;
        }
        EXPECT_EQ(channel.setVolume(NAN), ERR_INVALID_PARAM);
        channel.stop();
    }
}

TEST_F(AudioChannel, PitchScalesFrequencyAndDuration) {
    Sound* tone = Load(Tone{.frequency = 480.0f, .seconds = 0.2f});
    for (const float pitch : {2.0f, 0.5f}) {
        SCOPED_TRACE(pitch);
        Channel channel = Play(tone);
        channel.setPitch(pitch);
        const std::vector<float> out = Render(0.5f);
        EXPECT_NEAR(Frequency(out, 0, Frames(0.01f), Frames(0.09f)), 480.0f * pitch, 480.0f * pitch * 0.01f);
        EXPECT_NEAR(SoundingFrames(out), Frames(0.2f / pitch), Frames(0.005f));
    }
    EXPECT_EQ(Play(tone).setPitch(NAN), ERR_INVALID_PARAM);
}

TEST_F(AudioChannel, PauseHoldsThePositionAndResumesFromIt) {
    Channel channel = Play(Load(Tone{.seconds = 0.3f}));
    EXPECT_GT(SoundingFrames(Render(0.1f)), Frames(0.09f));
    ASSERT_EQ(channel.setPaused(true), OK);
    EXPECT_TRUE(Silent(Render(0.5f)));
    EXPECT_TRUE(IsPlaying(channel));
    ASSERT_EQ(channel.setPaused(false), OK);
    // Only the 0.2 s left after the pause point play out.
    EXPECT_NEAR(SoundingFrames(Render(0.5f)), Frames(0.2f), Frames(0.005f));
    EXPECT_FALSE(IsPlaying(channel));
}

TEST_F(AudioChannel, LoopCountMinusOneLoopsForEverAndNPlaysNPlusOneTimes) {
    Sound* music = Load(Tone{.seconds = 0.05f}, LOOP_NORMAL);
    Sound* shot = Load(Tone{.seconds = 0.05f});
    const int kUnset = -9;
    const struct { Sound* sound; int loops; float seconds, sounding, tolerance; bool playing; } cases[] = {
        {music, -1, 1.0f, 1.0f, 0.0f, true},
        {music, 2, 0.5f, 0.15f, 0.002f, false},
        {music, kUnset, 0.5f, 0.5f, 0.0f, true},  // looping sounds loop unless told otherwise
        {shot, -1, 0.3f, 0.05f, 0.002f, false},   // one-shots ignore the count
        {music, 99, 6.0f, 5.0f, 0.02f, false},    // more passes than are queued at once
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "loop count " << c.loops);
        // Started paused, it waits for the caller and then plays whole.
        Channel channel = Play(c.sound, true);
        EXPECT_TRUE(Silent(Render(0.05f)));
        if (c.loops != kUnset) { EXPECT_EQ(channel.setLoopCount(c.loops), OK); }
        channel.setPaused(false);
        int sounding = 0;
        for (int frame = 0; frame < int(c.seconds * 50); ++frame) {
            sounding += SoundingFrames(Render(0.02f));
            system->update();
        }
        EXPECT_NEAR(sounding, Frames(c.sounding), Frames(c.tolerance));
        EXPECT_EQ(IsPlaying(channel), c.playing);
        channel.stop();
    }
    EXPECT_EQ(Play(music).setLoopCount(-2), ERR_INVALID_PARAM);
}

// A jump in the waveform at the loop point would be heard as a click.
TEST_F(AudioChannel, MusicLoopsWithoutAClick) {
    for (const int format : {WAV, OGG}) {
        SCOPED_TRACE(format == OGG ? "ogg" : "wav");
        // 48 whole periods of 480 Hz, so the end joins the start.
        Channel channel = Play(Load(Tone{.seconds = 0.1f, .channels = 2, .format = format}, LOOP_NORMAL));
        const std::vector<float> out = Render(0.45f);
        channel.stop();
        const float steepest = Rms(out, 0) * std::sqrt(2.0f) * 2.0f * std::numbers::pi_v<float> * 480.0f / RATE;
        float largestStep = 0.0f;
        for (size_t i = 2; i < out.size(); i += 2) largestStep = std::max(largestStep, std::abs(out[i] - out[i - 2]));
        EXPECT_LT(largestStep, steepest * 1.1f);
    }
}

TEST(PlaceSound, LoudnessFallsWithTheSquareOfTheDistanceInCellsAndPanFollowsTheSide) {
    const glm::vec3 at(1000.0f, 500.0f, 0.0f);
    const struct { glm::vec3 offset; float cell, volume, pitch; SoundPlacement want; } cases[] = {
        {{0, 0, 0}, 5.0f, 0.1f, 1.0f, {2.0f, 0.0f, 1.0f}},            // loudest at the listener, capped at 2
        {{250, 0, 0}, 5.0f, 1.0f, 1.0f, {2.0f, 0.25f, 1.0f}},         // 50 cells: 10000 / 2500 = 4, capped
        {{0, -1000, 0}, 5.0f, 0.5f, 1.17f, {0.125f, 0.0f, 1.17f}},    // 200 cells, height does not pan
        {{600, 800, 0}, 5.0f, 1.0f, 1.0f, {0.25f, 0.6f, 1.0f}},
        {{600, 800, 0}, 2.5f, 1.0f, 1.0f, {0.0625f, 1.0f, 1.0f}},     // half-size cells: twice the cells
        {{0, 0, 1000}, 5.0f, 1.0f, 1.0f, {0.25f, 0.0f, 1.0f}},        // depth counts towards the distance
        {{-5000, 0, 0}, 5.0f, 1.0f, 1.0f, {0.01f, -1.0f, 1.0f}},
        {{500, 0, 0}, 0.0f, 1.0f, 1.0f, {2.0f, 0.0f, 1.0f}},          // unusable cell sizes
        {{500, 0, 0}, NAN, 1.0f, 1.0f, {2.0f, 0.0f, 1.0f}},
        {{NAN, NAN, NAN}, 5.0f, 1.0f, 1.0f, {0.0f, 0.0f, 1.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset.x << "," << c.offset.y << " cell " << c.cell);
        const SoundPlacement placed = PlaceSound(at + c.offset, at, c.cell, c.volume, c.pitch);
        EXPECT_FLOAT_EQ(placed.volume, c.want.volume);
        EXPECT_FLOAT_EQ(placed.pan, c.want.pan);
        EXPECT_FLOAT_EQ(placed.pitch, c.want.pitch);
    }
}

using PlaySoundAtTest = AudioOutput;

TEST_F(PlaySoundAtTest, PlaysIntoTheSlotPlacedAndPitched) {
    Sound* shot = Load(Tone{.frequency = 480.0f, .seconds = 1.0f});
    const glm::vec3 player(2000.0f, 300.0f, 0.0f);
    Channel slot;
    PlaySoundAt(system, shot, &slot, player + glm::vec3(1500.0f, 0, 0), player, 5.0f, 1.0f, 2.0f);  // 300 cells right
    const std::vector<float> right = Render(0.1f);
    EXPECT_GT(Rms(right, 1), 0.01f);
    EXPECT_LT(Rms(right, 0), Rms(right, 1) * 0.01f);
    EXPECT_NEAR(Frequency(right, 1, 0, Frames(0.1f)), 960.0f, 10.0f);
    slot.stop();

    // At the player: twice as loud as the same sound played plainly.
    PlaySoundAt(system, shot, &slot, player, player, 5.0f, 1.0f, 1.0f);
    const float placedRms = Rms(Render(0.05f), 0);
    slot.stop();
    Play(shot);
    EXPECT_NEAR(placedRms / Rms(Render(0.05f), 0), 2.0f, 0.02f);
}

TEST_F(PlaySoundAtTest, MissingSoundOrSlotIsHarmless) {
    Sound* shot = Load(Tone{.seconds = 0.1f});
    Channel slot = Play(shot), played = slot;
    PlaySoundAt(system, nullptr, &slot, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
    EXPECT_FALSE(IsPlaying(slot)) << "a failed play leaves the slot empty";
    played.stop();
    PlaySoundAt(nullptr, shot, &slot, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
    PlaySoundAt(system, shot, nullptr, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
    EXPECT_GT(SoundingFrames(Render(0.2f)), Frames(0.09f));
}

}  // namespace
}  // namespace audio_test
