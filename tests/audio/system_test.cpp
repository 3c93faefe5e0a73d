// Start-up, sound loading and the life of channel handles and voices.

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "tests/audio/support.h"

namespace audio_test {
namespace {


int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

TEST(AudioResult, EveryCodeHasItsOwnTextAndUnknownCodesShareOne) {
    std::set<std::string> texts;  // a null text would throw here
    for (int code = -1; code <= RESULT_COUNT; ++code) texts.insert(ResultString(Result(code)));
    EXPECT_EQ(int(texts.size()), RESULT_COUNT + 1);
    EXPECT_FALSE(texts.contains(""));
}

using AudioStartup = AudioOutput;

// The game's own call must never end the program, with or without a sound card.
TEST_F(AudioStartup, GameStartUpAlwaysWorksFallingBackToSilenceThatKeepsTime) {
    const std::string path = File("blip.wav");
    ASSERT_TRUE(WriteTone(path, Tone{.seconds = 0.05f}));
    Start(0);
    Sound* sound = reinterpret_cast<Sound*>(this);
    EXPECT_EQ(system->createSound(path.c_str(), DEFAULT, nullptr, &sound), ERR_UNINITIALIZED);
    EXPECT_EQ(sound, nullptr);
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
    float frames[2];
    EXPECT_EQ(system->renderSamples(frames, 1), ERR_UNSUPPORTED);
}

using AudioSounds = AudioOutput;

TEST_F(AudioSounds, DecodesOggMp3AndWavAndPlaysThemAtTheirPitch) {
    for (const int format : {OGG, MP3, WAV}) {
        for (const int channels : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "format " << std::hex << format << " channels " << channels);
            Sound* sound = Load(Tone{.frequency = 440.0f, .seconds = 0.3f, .channels = channels, .format = format});
            ASSERT_NE(sound, nullptr);
            // MP3 frames pad the end; the others keep the exact length.
            EXPECT_NEAR(double(sound->frameCount()), Frames(0.3f), format == MP3 ? 2400 : 0);
            Play(sound);
            const std::vector<float> out = Render(0.2f);
            EXPECT_NEAR(Frequency(out, 0, Frames(0.05f), Frames(0.2f)), 440.0f, 440.0f * 0.01f);
            EXPECT_GT(Rms(out, 0), 0.05f);
            EXPECT_EQ(sound->release(), OK);
        }
    }
}

TEST_F(AudioSounds, BadFilesReportOneLineNamingTheFileAndGiveNoSound) {
    ASSERT_TRUE(WriteTone(File("real.ogg"), Tone{.format = OGG}));
    ASSERT_TRUE(WriteTone(File("surround.wav"), Tone{.channels = 6}));
    std::ostringstream ogg;
    ogg << std::ifstream(File("real.ogg"), std::ios::binary).rdbuf();
    std::ofstream(File("text.ogg")) << "this is not audio at all";
    std::ofstream(File("empty.mp3")).flush();
    std::ofstream(File("truncated.ogg"), std::ios::binary) << ogg.str().substr(0, 300);

    const struct { std::string name; Result expected; } cases[] = {
        {"missing.ogg", ERR_FILE_NOTFOUND}, {"text.ogg", ERR_FORMAT}, {"empty.mp3", ERR_FORMAT},
        {"truncated.ogg", ERR_FORMAT}, {"surround.wav", ERR_FORMAT}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sound* sound = reinterpret_cast<Sound*>(this);
        CaptureStdout();
        EXPECT_EQ(system->createSound(File(c.name).c_str(), DEFAULT, nullptr, &sound), c.expected);
        const std::string printed = GetCapturedStdout();
        EXPECT_EQ(sound, nullptr);
        EXPECT_EQ(Lines(printed), 1) << printed;
        EXPECT_NE(printed.find(File(c.name)), std::string::npos) << printed;
    }
    EXPECT_TRUE(Silent(Render(0.05f)));
}

using AudioHandles = AudioOutput;

// Every call through a dead handle does nothing and says so.
void ExpectDead(Channel channel) {
    bool playing = true, paused = true;
    float volume = 5.0f;
    for (const Result result : {channel.isPlaying(&playing), channel.getPaused(&paused), channel.getVolume(&volume),
                                channel.setVolume(0.5f), channel.setPaused(false), channel.setPan(1.0f),
                                channel.setPitch(2.0f), channel.setLoopCount(-1), channel.stop()})
        EXPECT_EQ(result, ERR_INVALID_HANDLE);
    EXPECT_FALSE(playing || paused);
    EXPECT_EQ(volume, 0.0f);
}

TEST_F(AudioHandles, EndStopAndReleaseKillTheHandleAndFreeTheVoice) {
    Start(1);
    ExpectDead(Channel{});
    Sound* effect = Load(Tone{.seconds = 0.05f});
    for (const int how : {0, 1, 2}) {  // the sound ends, is stopped, is released
        SCOPED_TRACE(how);
        Sound* music = Load(Tone{}, LOOP_NORMAL);
        Channel channel = Play(how == 0 ? effect : music);
        // Music is never cut off for a one-shot: with no voice left, the one-shot is dropped.
        Channel dropped;
        if (how != 0) { EXPECT_EQ(system->playSound(effect, nullptr, false, &dropped), ERR_CHANNEL_ALLOC); }
        if (how == 0) { Render(0.1f); }
        if (how == 1) { EXPECT_EQ(channel.stop(), OK); }
        if (how == 2) { EXPECT_EQ(music->release(), OK); }
        ExpectDead(channel);  // which tries to restart it too
        ExpectDead(dropped);
        EXPECT_TRUE(Silent(Render(0.05f)));
        Play(effect).stop();
    }
}

TEST_F(AudioHandles, BusyVoicesGoQuietestThenOldestFirstAndOldHandlesCannotTouchThem) {
    Start(2);
    Sound* low = Load(Tone{.frequency = 440.0f, .seconds = 1.0f});
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
    EXPECT_NEAR(Rms(out, 0), Rms(out, 1), 1e-4f);
    EXPECT_GT(Rms(out, 0), 0.1f);
}

TEST_F(AudioHandles, FloodOfRequestsKeepsTheNewestAndNeverFails) {
    Start(512);
    Channel music = Play(Load(Tone{.frequency = 440.0f}, LOOP_NORMAL));
    Sound* effect = Load(Tone{.seconds = 0.5f});
    std::vector<Channel> channels(2000);
    for (Channel& channel : channels) ASSERT_EQ(system->playSound(effect, nullptr, false, &channel), OK);
    EXPECT_EQ(system->update(), OK);
    EXPECT_EQ(std::count_if(channels.begin(), channels.end(), IsPlaying), system->voiceCount() - 1);
    EXPECT_TRUE(IsPlaying(channels.back()));
    EXPECT_TRUE(IsPlaying(music));
    ExpectDead(channels.front());
    Render(0.01f);
}

}  // namespace
}  // namespace audio_test
