// Start-up, sound loading, the life of channel handles and voices, and what a
// channel's controls and positional one-shots do to the rendered output.

#include <AL/al.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

#include "tests/audio/support.h"

namespace audio_test {
namespace {

int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

std::string Bytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

// Every call through a dead handle does nothing and says so.
void ExpectDead(Channel channel) {
  bool playing = true, paused = true;
  float volume = 5.0f;
  for (const Result result : {channel.isPlaying(&playing), channel.getPaused(&paused), channel.getVolume(&volume),
                              channel.setVolume(0.5f), channel.setPaused(false), channel.setPan(1.0f),
                              channel.setPitch(2.0f), channel.setLoopCount(-1), channel.stop()})
    EXPECT_EQ(result, ERR_INVALID_HANDLE);
  EXPECT_EQ(std::tuple(playing, paused, volume), std::tuple(false, false, 0.0f));
}

TEST(AudioResult, EveryCodeHasItsOwnTextAndUnknownCodesShareOne) {
  std::set<std::string> texts;  // building a string from a null text fails
  for (int code = -1; code <= RESULT_COUNT; ++code) texts.insert(ResultString(Result(code)));
  EXPECT_EQ(int(texts.size()), RESULT_COUNT + 1);
  EXPECT_FALSE(texts.contains(""));
}

// The game's own call must never end the program, with or without a sound card.
TEST_F(AudioOutput, GameStartUpAlwaysWorksFallingBackToSilenceThatKeepsTime) {
  const std::string path = File("blip.wav");
  ASSERT_TRUE(WriteTone(path, Tone{.seconds = 0.05f}));
  Start(0);
  Sound sound;
  EXPECT_EQ(system->createSound(path.c_str(), DEFAULT, nullptr, &sound), ERR_UNINITIALIZED);
  EXPECT_FALSE(sound);
  EXPECT_EQ(system->init(512, INIT_NORMAL, nullptr), OK);
  EXPECT_EQ(system->voiceCount(), 512);
  EXPECT_EQ(system->init(512, INIT_NORMAL, nullptr), ERR_INITIALIZED);

  Start(0);
  CaptureStdout();
  ASSERT_EQ(system->init(512, INIT_NORMAL, const_cast<char*>("sandrift-no-such-device")), OK);
  const std::string printed = GetCapturedStdout();
  EXPECT_EQ(Lines(printed), 1) << printed;
  EXPECT_NE(printed.find("sandrift-no-such-device"), std::string::npos) << printed;
  EXPECT_TRUE(system->isSilentFallback());
  ASSERT_EQ(system->createSound(path.c_str(), DEFAULT, nullptr, &sound), OK);
  Channel channel = Play(sound);
  EXPECT_TRUE(IsPlaying(channel));
  // The silent device mixes the elapsed time on update, so a short sound ends.
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(system->update(), OK);
  EXPECT_FALSE(IsPlaying(channel));
  EXPECT_EQ(system->renderSamples(nullptr, 1), ERR_UNSUPPORTED);
}

// A headphone user's OpenAL Soft would filter binaurally and limit the output;
// the game quits without releasing its system. A wave file stands in for the device.
TEST_F(AudioOutput, GameDeviceIsUnfilteredAndClosedAtExit) {
  const std::string tone = File("tone.wav"), played = File("played.wav"), config = File("alsoft.conf");
  ASSERT_TRUE(WriteTone(tone, Tone{.seconds = 1.0f}));
  std::ofstream(config) << "[general]\ndrivers = wave\nstereo-mode = headphones\nsample-type = float32\n"
                        << "[wave]\nfile = " << played << "\n";
  const int status = std::system(
      ("ALSOFT_CONF=" + config + " " AUDIO_EXIT_PROBE " " + tone + " >" + File("log") + " 2>&1").c_str());
  const std::string printed = Bytes(File("log"));
  EXPECT_EQ(status, 0) << printed;
  EXPECT_EQ(printed.find("not closed"), std::string::npos) << printed;

  SF_INFO info{};
  SNDFILE* file = sf_open(played.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << printed;
  ASSERT_EQ(info.channels, 2);
  std::vector<float> out(size_t(info.frames) * 2);
  sf_readf_float(file, out.data(), info.frames);
  sf_close(file);
  EXPECT_LT(Rms(out, 0), Rms(out, 1) * 1e-3f) << "pan +1 is fully right";
  EXPECT_GT(*std::max_element(out.begin(), out.end()), 1.5f) << "gain 16 is not limited";
}

TEST_F(AudioOutput, DecodesOggMp3AndWavAndPlaysThemAtTheirPitch) {
  for (const int format : {OGG, MP3, WAV}) {
    for (const int channels : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "format " << std::hex << format << " channels " << channels);
      Sound sound = Load(Tone{.frequency = 440.0f, .seconds = 0.3f, .channels = channels, .format = format});
      ASSERT_TRUE(sound);
      // MP3 frames pad the end; the others keep the exact length.
      EXPECT_NEAR(double(sound.frameCount()), Frames(0.3f), format == MP3 ? 2400 : 0);
      Play(sound);
      const std::vector<float> out = Render(0.2f);
      EXPECT_NEAR(Frequency(out, 0, Frames(0.05f), Frames(0.2f)), 440.0f, 440.0f * 0.01f);
      EXPECT_GT(Rms(out, 0), 0.05f);
      EXPECT_EQ(sound.release(), OK);
    }
  }
}

TEST_F(AudioOutput, BadFilesReportOneLineNamingTheFileAndGiveNoSound) {
  ASSERT_TRUE(WriteTone(File("real.ogg"), Tone{.format = OGG}));
  ASSERT_TRUE(WriteTone(File("surround.wav"), Tone{.channels = 6}));
  std::ofstream(File("text.ogg")) << "this is not audio at all";
  std::ofstream(File("empty.mp3")).flush();
  const auto cut = [&](const std::string& from, size_t bytes, const std::string& name) {
    const std::string whole = Bytes(from);
    ASSERT_GT(whole.size(), bytes) << from;
    std::ofstream(File(name), std::ios::binary) << whole.substr(0, bytes);
  };
  cut(File("real.ogg"), 300, "truncated.ogg");
  cut("Assets/BGM/Explore.ogg", 60000, "Explore.ogg");  // these two decode well up to the cut
  cut("Assets/SFX/Explosion.mp3", 15000, "Explosion.mp3");

  const struct { std::string name; Result expected; } cases[] = {
      {"missing.ogg", ERR_FILE_NOTFOUND}, {"text.ogg", ERR_FORMAT}, {"empty.mp3", ERR_FORMAT},
      {"truncated.ogg", ERR_FORMAT}, {"surround.wav", ERR_FORMAT}, {"Explore.ogg", ERR_FORMAT},
      {"Explosion.mp3", ERR_FORMAT}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Sound sound;
    CaptureStdout();
    EXPECT_EQ(system->createSound(File(c.name).c_str(), DEFAULT, nullptr, &sound), c.expected);
    const std::string printed = GetCapturedStdout();
    EXPECT_FALSE(sound);
    EXPECT_EQ(Lines(printed), 1) << printed;
    EXPECT_NE(printed.find(File(c.name)), std::string::npos) << printed;
  }
  EXPECT_TRUE(Silent(Render(0.05f)));
}

// OpenAL buffer names in use by the current context, the system's after its calls.
size_t BuffersInUse() {
  size_t count = 0;
  for (ALuint name = 1; name < 4096; ++name) count += alIsBuffer(name) ? 1 : 0;
  return count;
}

// A screen change: a chime or death cry is heard to the end, music stops, audio
// is freed once silent, and stale handles touch nothing, not even the next
// screen's sounds made in the records the old ones left.
TEST_F(AudioOutput, ReleaseLetsOneShotsFinishAndLeavesTheHandleDead) {
  Sound shot = Load(Tone{.seconds = 0.2f});
  Sound music = Load(Tone{}, LOOP_NORMAL);
  Sound idle = Load(Tone{});
  Play(shot);
  Channel waiting = Play(shot, true), loop = Play(music);
  Render(0.05f);
  for (Sound sound : {shot, music, idle}) EXPECT_EQ(sound.release(), OK);
  ExpectDead(waiting);
  ExpectDead(loop);
  EXPECT_EQ(BuffersInUse(), 1u);
  EXPECT_NEAR(SoundingFrames(Render(0.3f)), Frames(0.15f), Frames(0.005f));
  system->update();
  EXPECT_EQ(BuffersInUse(), 0u);

  const Sound fresh[] = {Load(Tone{}), Load(Tone{}), Load(Tone{})};
  EXPECT_EQ(system->soundStats().records, 3) << "no record grows while a released one is free";
  for (Sound sound : {shot, music, idle}) {
    Channel channel;
    EXPECT_EQ(system->playSound(sound, nullptr, false, &channel), ERR_INVALID_HANDLE);
    EXPECT_EQ(sound.release(), ERR_INVALID_HANDLE);
    ExpectDead(channel);
  }
  EXPECT_TRUE(Silent(Render(0.05f)));
  for (Sound sound : fresh) EXPECT_TRUE(IsPlaying(Play(sound)));
}

TEST_F(AudioOutput, EndAndStopKillTheHandleAndFreeTheVoice) {
  Start(1);
  ExpectDead(Channel{});
  Sound effect = Load(Tone{.seconds = 0.05f});
  for (const int how : {0, 1}) {  // the sound ends, is stopped (release: see above)
    SCOPED_TRACE(how);
    Sound music = Load(Tone{}, LOOP_NORMAL);
    Channel channel = Play(how == 0 ? effect : music);
    // Music is never cut off for a one-shot: with no voice left, the one-shot is dropped.
    Channel dropped;
    if (how != 0) { EXPECT_EQ(system->playSound(effect, nullptr, false, &dropped), ERR_CHANNEL_ALLOC); }
    if (how == 0) { Render(0.1f); }
    if (how == 1) { EXPECT_EQ(channel.stop(), OK); }
    ExpectDead(channel);  // which tries to restart it too
    ExpectDead(dropped);
    EXPECT_TRUE(Silent(Render(0.05f)));
    Play(effect).stop();
  }
}

TEST_F(AudioOutput, BusyVoicesGoQuietestThenOldestFirstAndOldHandlesCannotTouchThem) {
  Start(2);
  Sound low = Load(Tone{.frequency = 440.0f, .seconds = 1.0f});
  Channel oldLoud = Play(low), quiet = Play(low);
  quiet.setVolume(0.1f);
  Channel high = Play(Load(Tone{.frequency = 880.0f, .seconds = 1.0f}));
  ExpectDead(quiet);  // which tries to quieten, pan, pitch and stop the voice it lost
  EXPECT_TRUE(IsPlaying(oldLoud));
  Play(low).stop();
  ExpectDead(oldLoud);
  EXPECT_TRUE(IsPlaying(high));
  const std::vector<float> out = Render(0.1f);
  EXPECT_NEAR(Frequency(out, 0, 0, Frames(0.1f)), 880.0f, 9.0f);
  EXPECT_NEAR(Rms(out, 0), Rms(out, 1), 1e-4f) << "centred";
  EXPECT_GT(Rms(out, 0), 0.1f) << "and loud";
}

// Levels over those of the centred tone at volume 1.
TEST_F(AudioOutput, VolumeScalesTheLevelAndPanMovesItToOneSide) {
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
      EXPECT_NEAR(l / left, (c.leftMin + c.leftMax) / 2, (c.leftMax - c.leftMin) / 2) << "left";
      EXPECT_NEAR(r / right, (c.rightMin + c.rightMax) / 2, (c.rightMax - c.rightMin) / 2) << "right";
    }
    EXPECT_EQ(channel.setVolume(NAN), ERR_INVALID_PARAM);
    EXPECT_EQ(channel.setPitch(NAN), ERR_INVALID_PARAM);
    channel.stop();
  }
}

TEST_F(AudioOutput, PauseHoldsThePositionAndResumesFromIt) {
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

TEST_F(AudioOutput, LoopCountMinusOneLoopsForEverAndNPlaysNPlusOneTimes) {
  Sound music = Load(Tone{.seconds = 0.05f}, LOOP_NORMAL);
  Sound shot = Load(Tone{.seconds = 0.05f});
  const int kUnset = -9;
  const struct { Sound sound; int loops; float seconds, sounding, tolerance; bool playing; } cases[] = {
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
    for (long frame = 0; frame < std::lround(c.seconds * 50); ++frame) {  // 50 frames a second
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
TEST_F(AudioOutput, MusicLoopsWithoutAClick) {
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
    EXPECT_EQ(std::tuple(placed.pan, placed.pitch), std::tuple(c.want.pan, c.want.pitch));
  }
}

TEST_F(AudioOutput, PlaySoundAtPlaysIntoTheSlotPlacedAndPitched) {
  Sound shot = Load(Tone{.frequency = 480.0f, .seconds = 1.0f});
  const glm::vec3 player(2000.0f, 300.0f, 0.0f);
  Channel slot;
  PlaySoundAt(system, shot, &slot, player + glm::vec3(1500.0f, 0, 0), player, 5.0f, 1.0f, 2.0f);  // 300 cells right
  const std::vector<float> right = Render(0.1f);
  EXPECT_GT(Rms(right, 1), 0.01f);
  EXPECT_LT(Rms(right, 0), Rms(right, 1) * 0.01f) << "fully right";
  EXPECT_NEAR(Frequency(right, 1, 0, Frames(0.1f)), 960.0f, 10.0f);
  slot.stop();

  // At the player: twice as loud as the same sound played plainly.
  PlaySoundAt(system, shot, &slot, player, player, 5.0f, 1.0f, 1.0f);
  const float placedRms = Rms(Render(0.05f), 0);
  slot.stop();
  Play(shot);
  EXPECT_NEAR(placedRms / Rms(Render(0.05f), 0), 2.0f, 0.02f);
}

TEST_F(AudioOutput, PlaySoundAtWithoutASoundOrSlotIsHarmless) {
  Sound shot = Load(Tone{.seconds = 0.1f});
  Channel slot = Play(shot), played = slot;
  PlaySoundAt(system, Sound{}, &slot, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
  EXPECT_FALSE(IsPlaying(slot)) << "a failed play leaves the slot empty";
  played.stop();
  PlaySoundAt(nullptr, shot, &slot, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
  PlaySoundAt(system, shot, nullptr, glm::vec3(0.0f), glm::vec3(0.0f), 4.0f, 1.0f, 1.0f);
  EXPECT_GT(SoundingFrames(Render(0.2f)), Frames(0.09f));
}

}  // namespace
}  // namespace audio_test
