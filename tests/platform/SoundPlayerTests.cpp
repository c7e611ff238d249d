// Playing WAV files through Qt Multimedia: without any sound output, and on
// a private PulseAudio server whose only output is a null sink. Whatever the
// file, playing returns at once and never brings the program down.
//
// Qt's audio backend keeps the first sound server it finds, so each scenario
// runs in a child process of its own, with its own QCoreApplication.
#include "platform/qt/QtSoundPlayer.h"
#include "support/EventPump.h"
#include "support/PrivateSoundServer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

namespace tiravel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::pumpUntil;
using SoundEnvironment = test::PrivateEnvironment;

// The scenarios here run without the broken-pipe and exception guards.
constexpr test::IsolationOptions kPlainChild {false, false};

// How long playAsync may take: loading and playing happen afterwards.
constexpr auto kReturnsAtOnce = 500ms;

bool installed(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

struct ScenarioApplication {
    int argc = 1;
    char name[16] = "platform_tests";
    char* argv[2] = {name, nullptr};
    QCoreApplication app {argc, argv};
};

// The sounds of the scenarios, in a folder of their own.
struct SoundFiles {
    SoundFiles()
    {
        test::writeFile(tone, test::wavBytes(sine(2.0)));
        test::writeFile(shortTone, test::wavBytes(sine(0.3)));
        std::vector<std::uint8_t> noise(4000);
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<std::uint8_t>(i * 7919 % 251);
        test::writeFile(garbage, noise);
        std::vector<std::uint8_t> cut = test::wavBytes(sine(1.0));
        cut.resize(30); // the header stops inside the format chunk
        test::writeFile(truncated, cut);
        // A WAV start whose format chunk is replaced by a chunk of 2 GB.
        std::vector<std::uint8_t> unknown = test::wavBytes(sine(0.01));
        const std::uint8_t junk[8] = {'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0x7F};
        std::copy(std::begin(junk), std::end(junk), unknown.begin() + 12);
        test::writeFile(undecodable, unknown);
        // A format chunk that claims 2 GB: Qt waits for its end.
        std::vector<std::uint8_t> endless = test::wavBytes(sine(0.01));
        const std::uint8_t claim[4] = {0xFF, 0xFF, 0xFF, 0x7F};
        std::copy(std::begin(claim), std::end(claim), endless.begin() + 16);
        test::writeFile(stalled, endless);
    }
    static std::vector<std::int16_t> sine(double seconds)
    {
        std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * 22050));
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(8000 * std::sin(2 * std::numbers::pi * 440 * i / 22050.0));
        return samples;
    }

    test::TempFolder folder;
    std::string tone = folder.path("tone.wav").string();
    std::string shortTone = folder.path("short.wav").string();
    std::string garbage = folder.path("garbage.wav").string();
    std::string truncated = folder.path("truncated.wav").string();
    std::string undecodable = folder.path("undecodable.wav").string();
    std::string stalled = folder.path("stalled.wav").string();
    std::string missing = folder.path("absent.wav").string();
};

// A player whose error messages are kept.
struct Player {
    std::vector<std::string> errors;
    QtSoundPlayer player {[this](const std::string& message) { errors.push_back(message); }};

    // playAsync, checked to return at once.
    void play(const std::string& path)
    {
        const auto start = Clock::now();
        player.playAsync(path);
        EXPECT_LT(Clock::now() - start, kReturnsAtOnce) << path;
    }
};

void playWithoutAnyOutput(const SoundEnvironment& env, const SoundFiles& files)
{
    env.applyToThisProcess();
    ScenarioApplication application;
    Player p;
    const std::vector<std::string> paths = {files.missing, files.garbage, files.truncated, files.undecodable,
        files.stalled, files.tone};
    for (const std::string& path : paths) {
        p.play(path);
        pumpUntil([] { return false; }, 200ms);
        EXPECT_FALSE(p.player.playing()) << path;
    }
    EXPECT_EQ(p.errors.size(), paths.size());
    p.player.stop();
    EXPECT_FALSE(p.player.playing());
}

void playOnTheNullSink(const SoundEnvironment& env, const SoundFiles& files)
{
    env.applyToThisProcess();
    ScenarioApplication application;
    Player p;

    p.play(files.tone);
    EXPECT_TRUE(p.player.playing());
    pumpUntil([] { return false; }, 500ms);
    EXPECT_TRUE(p.player.playing()) << "a 2 s sound stopped early";
    p.play(files.tone); // a new sound replaces the one playing
    EXPECT_TRUE(p.player.playing());
    p.player.stop();
    EXPECT_FALSE(p.player.playing());
    EXPECT_TRUE(p.errors.empty()) << p.errors.front();

    p.play(files.shortTone);
    EXPECT_TRUE(pumpUntil([&] { return !p.player.playing(); }, 5s)) << "a 0.3 s sound never ended";
    EXPECT_TRUE(p.errors.empty());

    for (const std::string& path : {files.garbage, files.truncated, files.undecodable, files.stalled, files.missing}) {
        const std::size_t before = p.errors.size();
        p.play(path);
        EXPECT_TRUE(pumpUntil([&] { return !p.player.playing(); }, 5s)) << path;
        EXPECT_EQ(p.errors.size(), before + 1) << path;
    }

    p.play(files.tone); // still usable after the failures
    pumpUntil([] { return false; }, 300ms);
    EXPECT_TRUE(p.player.playing());
}

TEST(QtSoundPlayer, WithoutASoundOutputNothingPlaysAndNothingBlocks)
{
    SoundFiles files;
    test::TempFolder folder;
    const SoundEnvironment empty {folder.path("run"), true};
    empty.create();
    test::runIsolated([&] { playWithoutAnyOutput(empty, files); }, 20, kPlainChild);
}

TEST(QtSoundPlayer, PlaysStopsAndSurvivesBadFilesOnAnOutput)
{
    if (!installed("pulseaudio") || !installed("pactl"))
        GTEST_SKIP() << "pulseaudio and pactl are needed for a virtual sound output; not installed";
    SoundFiles files;
    test::PrivateSoundServer server(test::SoundServerSetup::output(), true);
    ASSERT_TRUE(server.start()) << "the private sound server did not start";
    test::runIsolated([&] { playOnTheNullSink(server.environment(), files); }, 40, kPlainChild);
}

} // namespace
} // namespace tiravel
