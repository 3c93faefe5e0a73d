// Start-up, sound loading and the life of channel handles and voices.

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "tests/audio/support.h"

namespace audio_test {
namespace {

using namespace audio;

int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

TEST(AudioResult, EveryCodeHasItsOwnTextAndUnknownCodesStillGetOne) {
    std::set<std::string> texts;
    for (int code = 0; code < RESULT_COUNT; ++code) {
        const char* text = ResultString(Result(code));
        ASSERT_NE(text, nullptr) << code;
        EXPECT_STRNE(text, "") << code;
        texts.insert(text);
    }
    EXPECT_EQ(int(texts.size()), int(RESULT_COUNT));
    EXPECT_STRNE(ResultString(Result(RESULT_COUNT)), "");
    EXPECT_STRNE(ResultString(Result(-1)), "");
}

class AudioStartup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(System_Create(&system), OK); }
    void TearDown() override { system->release(); }
    System* system = nullptr;
};

TEST_F(AudioStartup, RejectsMisuseBeforeAndDuringInit) {
    EXPECT_EQ(System_Create(nullptr), ERR_INVALID_PARAM);

    Sound* sound = reinterpret_cast<Sound*>(this);
    EXPECT_EQ(system->createSound("Assets//SFX//Explosion.ogg", DEFAULT, nullptr, &sound), ERR_UNINITIALIZED);
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(system->update(), ERR_UNINITIALIZED);
    float frames[2];
    EXPECT_EQ(system->renderSamples(frames, 1), ERR_UNINITIALIZED);
    EXPECT_EQ(system->voiceCount(), 0);

    EXPECT_EQ(system->init(0, INIT_NORMAL, nullptr), ERR_INVALID_PARAM);
    EXPECT_EQ(system->init(512, 0x40, nullptr), ERR_INVALID_PARAM);
    EXPECT_EQ(system->initLoopback(8, 100), ERR_INVALID_PARAM);
    ASSERT_EQ(system->initLoopback(8, RATE), OK);
    EXPECT_EQ(system->initLoopback(8, RATE), ERR_INITIALIZED);
    EXPECT_EQ(system->init(512, INIT_NORMAL, nullptr), ERR_INITIALIZED);
    EXPECT_EQ(system->voiceCount(), 8);
}

// The game's own call must never end the program, with or without a sound card.
TEST_F(AudioStartup, GameStartUpCallSucceedsOnAnyMachine) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(system->init(512, INIT_NORMAL, nullptr), OK);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(system->voiceCount(), 512);
    EXPECT_EQ(Lines(printed), system->isSilentFallback() ? 1 : 0) << printed;
    EXPECT_EQ(system->update(), OK);
}

TEST_F(AudioStartup, MissingDeviceFallsBackToSilentOutputThatKeepsTime) {
    testing::internal::CaptureStdout();
    ASSERT_EQ(system->init(512, INIT_NORMAL, const_cast<char*>("sandrift-no-such-device")), OK);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(Lines(printed), 1) << printed;
    EXPECT_NE(printed.find("sandrift-no-such-device"), std::string::npos) << printed;
    EXPECT_TRUE(system->isSilentFallback());

    TempDir dir;
    const std::string path = dir.file("blip.wav");
    ASSERT_TRUE(WriteTone(path, Tone{.seconds = 0.05f}));
    Sound* sound = nullptr;
    ASSERT_EQ(system->createSound(path.c_str(), DEFAULT, nullptr, &sound), OK);
    Channel channel;
    ASSERT_EQ(system->playSound(sound, nullptr, false, &channel), OK);
    bool playing = false;
    EXPECT_EQ(channel.isPlaying(&playing), OK);
    EXPECT_TRUE(playing);

    // The silent device mixes the elapsed time on update, so a short sound ends.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(system->update(), OK);
    EXPECT_EQ(channel.isPlaying(&playing), ERR_INVALID_HANDLE);
    EXPECT_FALSE(playing);
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
            EXPECT_EQ(sound->channelCount(), channels);
            EXPECT_EQ(sound->sampleRate(), RATE);
            // MP3 frames pad the end; the others keep the exact length.
            EXPECT_NEAR(double(sound->frameCount()), Frames(0.3f), format == MP3 ? 2400 : 0);

            ASSERT_EQ(system->playSound(sound, nullptr, false, nullptr), OK);
            const std::vector<float> out = Render(0.2f);
            EXPECT_NEAR(Frequency(out, 0, Frames(0.05f), Frames(0.2f)), 440.0f, 440.0f * 0.01f);
            EXPECT_GT(Rms(out, 0), 0.05f);
            EXPECT_EQ(sound->release(), OK);
        }
    }
}

TEST_F(AudioSounds, BadFilesReportOneLineNamingTheFileAndGiveNoSound) {
    const std::string ogg = dir.file("real.ogg");
    ASSERT_TRUE(WriteTone(ogg, Tone{.format = OGG}));
    std::string oggBytes;
    {
        std::ifstream in(ogg, std::ios::binary);
        oggBytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::string sixChannels = dir.file("surround.wav");
    ASSERT_TRUE(WriteTone(sixChannels, Tone{.channels = 6}));
    WriteBytes(dir.file("text.ogg"), "this is not audio at all");
    WriteBytes(dir.file("empty.mp3"), "");
    WriteBytes(dir.file("truncated.ogg"), oggBytes.substr(0, 300));

    const struct {
        std::string path;
        Result expected;
    } cases[] = {
        {dir.file("missing.ogg"), ERR_FILE_NOTFOUND},
        {dir.file("text.ogg"), ERR_FORMAT},
        {dir.file("empty.mp3"), ERR_FORMAT},
        {dir.file("truncated.ogg"), ERR_FORMAT},
        {sixChannels, ERR_FORMAT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Sound* sound = reinterpret_cast<Sound*>(this);
        testing::internal::CaptureStdout();
        EXPECT_EQ(system->createSound(c.path.c_str(), DEFAULT, nullptr, &sound), c.expected);
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(sound, nullptr);
        EXPECT_EQ(Lines(printed), 1) << printed;
        EXPECT_NE(printed.find(c.path), std::string::npos) << printed;

        // The caller goes on with the null sound: playing it does nothing.
        Channel channel;
        EXPECT_EQ(system->playSound(sound, nullptr, false, &channel), ERR_INVALID_PARAM);
        bool playing = true;
        EXPECT_EQ(channel.isPlaying(&playing), ERR_INVALID_HANDLE);
        EXPECT_FALSE(playing);
    }
    EXPECT_EQ(Peak(Render(0.05f)), 0.0f);
}

using AudioHandles = AudioOutput;

void ExpectDead(const Channel& channel) {
    Channel copy = channel;
    bool flag = true;
    float volume = 5.0f;
    EXPECT_EQ(copy.isPlaying(&flag), ERR_INVALID_HANDLE);
    EXPECT_FALSE(flag);
    EXPECT_EQ(copy.getVolume(&volume), ERR_INVALID_HANDLE);
    EXPECT_EQ(volume, 0.0f);
    flag = true;
    EXPECT_EQ(copy.getPaused(&flag), ERR_INVALID_HANDLE);
    EXPECT_FALSE(flag);
    EXPECT_EQ(copy.setVolume(0.5f), ERR_INVALID_HANDLE);
    EXPECT_EQ(copy.setPaused(false), ERR_INVALID_HANDLE);
    EXPECT_EQ(copy.setPan(1.0f), ERR_INVALID_HANDLE);
    EXPECT_EQ(copy.setPitch(2.0f), ERR_INVALID_HANDLE);
    EXPECT_EQ(copy.setLoopCount(-1), ERR_INVALID_HANDLE);
    EXPECT_EQ(copy.stop(), ERR_INVALID_HANDLE);
}

TEST_F(AudioHandles, EmptyHandleDoesNothing) {
    ExpectDead(Channel{});
}

TEST_F(AudioHandles, HandleOfAnEndedSoundIsDeadAndCannotRestartIt) {
    Sound* blip = Load(Tone{.seconds = 0.05f});
    Channel channel;
    ASSERT_EQ(system->playSound(blip, nullptr, false, &channel), OK);
    Render(0.1f);
    ExpectDead(channel);
    EXPECT_EQ(Peak(Render(0.1f)), 0.0f);
}

TEST_F(AudioHandles, StaleHandleCannotTouchTheVoiceThatReplacedIt) {
    Start(1);
    Sound* low = Load(Tone{.frequency = 440.0f, .seconds = 1.0f});
    Sound* high = Load(Tone{.frequency = 880.0f, .seconds = 1.0f});
    Channel first;
    Channel second;
    ASSERT_EQ(system->playSound(low, nullptr, false, &first), OK);
    ASSERT_EQ(system->playSound(high, nullptr, false, &second), OK);

    ExpectDead(first);
    bool playing = false;
    EXPECT_EQ(second.isPlaying(&playing), OK);
    EXPECT_TRUE(playing);
    const std::vector<float> out = Render(0.1f);
    EXPECT_NEAR(Frequency(out, 0, 0, Frames(0.1f)), 880.0f, 9.0f);
    EXPECT_GT(Rms(out, 0), 0.05f);
}

TEST_F(AudioHandles, StopAndReleaseFreeTheVoiceForTheNextSound) {
    Start(1);
    Sound* music = Load(Tone{.frequency = 440.0f}, LOOP_NORMAL);
    Sound* effect = Load(Tone{.frequency = 880.0f});
    Channel musicChannel;
    Channel effectChannel;
    ASSERT_EQ(system->playSound(music, nullptr, false, &musicChannel), OK);

    // A one-shot never cuts off looping music: with no voice left it is dropped.
    EXPECT_EQ(system->playSound(effect, nullptr, false, &effectChannel), ERR_CHANNEL_ALLOC);
    ExpectDead(effectChannel);
    EXPECT_NEAR(Frequency(Render(0.1f), 0, 0, Frames(0.1f)), 440.0f, 5.0f);

    EXPECT_EQ(musicChannel.stop(), OK);
    ExpectDead(musicChannel);
    EXPECT_EQ(Peak(Render(0.02f)), 0.0f);
    ASSERT_EQ(system->playSound(effect, nullptr, false, &effectChannel), OK);
    EXPECT_NEAR(Frequency(Render(0.1f), 0, 0, Frames(0.1f)), 880.0f, 9.0f);
    effectChannel.stop();

    ASSERT_EQ(system->playSound(music, nullptr, false, &musicChannel), OK);
    EXPECT_EQ(music->release(), OK);
    ExpectDead(musicChannel);
    EXPECT_EQ(Peak(Render(0.02f)), 0.0f);
    EXPECT_EQ(system->playSound(effect, nullptr, false, &effectChannel), OK);
}

TEST_F(AudioHandles, BusyVoicesGoToNewSoundsQuietestThenOldestFirst) {
    Start(3);
    Sound* effect = Load(Tone{.seconds = 1.0f});
    Channel oldLoud, quiet, newLoud, next;
    ASSERT_EQ(system->playSound(effect, nullptr, false, &oldLoud), OK);
    ASSERT_EQ(system->playSound(effect, nullptr, false, &quiet), OK);
    ASSERT_EQ(system->playSound(effect, nullptr, false, &newLoud), OK);
    quiet.setVolume(0.1f);

    ASSERT_EQ(system->playSound(effect, nullptr, false, &next), OK);
    ExpectDead(quiet);
    bool playing = false;
    EXPECT_EQ(oldLoud.isPlaying(&playing), OK);

    ASSERT_EQ(system->playSound(effect, nullptr, false, &next), OK);
    ExpectDead(oldLoud);
    EXPECT_EQ(newLoud.isPlaying(&playing), OK);
}

TEST_F(AudioHandles, FloodOfRequestsKeepsTheNewestAndNeverFails) {
    Start(512);
    Sound* music = Load(Tone{.frequency = 440.0f}, LOOP_NORMAL);
    Sound* effect = Load(Tone{.seconds = 0.5f});
    Channel musicChannel;
    ASSERT_EQ(system->playSound(music, nullptr, false, &musicChannel), OK);
    std::vector<Channel> channels(2000);
    for (Channel& channel : channels) ASSERT_EQ(system->playSound(effect, nullptr, false, &channel), OK);
    EXPECT_EQ(system->update(), OK);

    int live = 0;
    for (const Channel& channel : channels) {
        bool playing = false;
        live += channel.isPlaying(&playing) == OK && playing;
    }
    EXPECT_EQ(live, system->voiceCount() - 1);
    bool playing = false;
    EXPECT_EQ(channels.back().isPlaying(&playing), OK);
    EXPECT_EQ(musicChannel.isPlaying(&playing), OK);
    ExpectDead(channels.front());
    Render(0.01f);
}

}  // namespace
}  // namespace audio_test
