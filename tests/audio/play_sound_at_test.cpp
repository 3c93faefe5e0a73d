// Positional one-shots: loudness by distance, pan by side, pitch as given.

#include <cmath>

#include "tests/audio/support.h"

namespace audio_test {
namespace {

using namespace audio;

TEST(PlaceSound, LoudnessFallsWithTheSquareOfTheDistanceInCellsCappedAtTwo) {
    const glm::vec3 listener(1000.0f, 500.0f, 0.0f);
    // At the listener the sound is at its loudest whatever volume was asked for.
    EXPECT_EQ(PlaceSound(listener, listener, 5.0f, 0.1f, 1.0f).volume, 2.0f);
    // 50 cells: 10000 / 2500 = 4, capped.
    EXPECT_EQ(PlaceSound(listener + glm::vec3(250.0f, 0, 0), listener, 5.0f, 1.0f, 1.0f).volume, 2.0f);
    // 200 cells: 10000 / 40000 x 0.5.
    EXPECT_FLOAT_EQ(PlaceSound(listener + glm::vec3(0, -1000.0f, 0), listener, 5.0f, 0.5f, 1.0f).volume, 0.125f);
    // The same world distance is twice as many cells when cells are half as big.
    EXPECT_FLOAT_EQ(PlaceSound(listener + glm::vec3(600.0f, 800.0f, 0), listener, 5.0f, 1.0f, 1.0f).volume, 0.25f);
    EXPECT_FLOAT_EQ(PlaceSound(listener + glm::vec3(600.0f, 800.0f, 0), listener, 2.5f, 1.0f, 1.0f).volume,
                    0.0625f);
    // Depth counts towards the distance.
    EXPECT_FLOAT_EQ(PlaceSound(listener + glm::vec3(0, 0, 1000.0f), listener, 5.0f, 1.0f, 1.0f).volume, 0.25f);
}

TEST(PlaceSound, PanFollowsTheHorizontalOffsetAndPitchPassesThrough) {
    const glm::vec3 listener(0.0f);
    const auto pan = [&](float dx, float dy) { return PlaceSound(glm::vec3(dx, dy, 0), listener, 4.0f, 1, 1).pan; };
    EXPECT_FLOAT_EQ(pan(400.0f, 0.0f), 0.5f);     // 100 cells right
    EXPECT_FLOAT_EQ(pan(-200.0f, 900.0f), -0.25f);  // height does not pan
    EXPECT_EQ(pan(0.0f, 900.0f), 0.0f);
    EXPECT_EQ(pan(801.0f, 0.0f), 1.0f);
    EXPECT_EQ(pan(-5000.0f, 0.0f), -1.0f);
    EXPECT_EQ(PlaceSound(glm::vec3(10.0f), listener, 4.0f, 1.0f, 1.17f).pitch, 1.17f);
}

TEST(PlaceSound, UnusableInputsGiveSafeResults) {
    const glm::vec3 listener(0.0f);
    const glm::vec3 right(500.0f, 0.0f, 0.0f);
    for (const float cellSize : {0.0f, -2.0f, NAN, INFINITY}) {
        const SoundPlacement placed = PlaceSound(right, listener, cellSize, 1.0f, 1.0f);
        EXPECT_EQ(placed.volume, 2.0f) << cellSize;
        EXPECT_EQ(placed.pan, 0.0f) << cellSize;
    }
    const SoundPlacement broken = PlaceSound(glm::vec3(NAN), listener, 4.0f, 1.0f, 1.0f);
    EXPECT_EQ(broken.volume, 0.0f);
    EXPECT_EQ(broken.pan, 0.0f);
}

using PlaySoundAtTest = AudioOutput;

TEST_F(PlaySoundAtTest, PlaysIntoTheSlotPlacedAndPitched) {
    Sound* shot = Load(Tone{.frequency = 480.0f, .seconds = 1.0f});
    const glm::vec3 player(2000.0f, 300.0f, 0.0f);
    const float cell = 5.0f;

    Channel slot;
    PlaySoundAt(system, shot, &slot, player + glm::vec3(300.0f * cell, 0, 0), player, cell, 1.0f, 2.0f);
    float volume = 0.0f;
    ASSERT_EQ(slot.getVolume(&volume), OK);
    EXPECT_FLOAT_EQ(volume, 10000.0f / 300.0f / 300.0f);
    const std::vector<float> right = Render(0.1f);
    EXPECT_GT(Rms(right, 1), 0.01f);
    EXPECT_LT(Rms(right, 0), Rms(right, 1) * 0.01f);
    EXPECT_NEAR(Frequency(right, 1, 0, Frames(0.1f)), 960.0f, 10.0f);
    slot.stop();

    // At the player: twice as loud as the same sound played plainly.
    PlaySoundAt(system, shot, &slot, player, player, cell, 1.0f, 1.0f);
    const float placedRms = Rms(Render(0.05f), 0);
    slot.stop();
    Channel plain;
    system->playSound(shot, nullptr, false, &plain);
    EXPECT_NEAR(placedRms / Rms(Render(0.05f), 0), 2.0f, 0.02f);
}

TEST_F(PlaySoundAtTest, MissingSoundOrSlotIsHarmless) {
    Sound* shot = Load(Tone{.seconds = 0.1f});
    Channel slot;
    system->playSound(shot, nullptr, false, &slot);
    PlaySoundAt(system, nullptr, &slot, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
    bool playing = true;
    EXPECT_EQ(slot.isPlaying(&playing), ERR_INVALID_HANDLE) << "a failed play leaves the slot empty";
    PlaySoundAt(nullptr, shot, &slot, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
    PlaySoundAt(system, shot, nullptr, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
    EXPECT_GT(SoundingFrames(Render(0.2f)), Frames(0.09f));
}

}  // namespace
}  // namespace audio_test
