// The songs the build generated into the game folder, decoded the way the
// game decodes them (mpg123, gapless).
#include "Asset.h"
#include "music/Biquad.h"
#include "music/Mp3Decoder.h"
#include "music/SongBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

namespace {

using assetgen::music::SongBook;
using assetgen::music::StereoBuffer;

std::vector<std::string> songPaths()
{
    std::vector<std::string> paths;
    for (const assetgen::Asset& asset : assetgen::allAssets())
        if (asset.group == assetgen::Group::Song)
            paths.push_back(asset.path);
    return paths;
}

// A song file of the game folder, decoded on first use.
const StereoBuffer& song(const std::string& path)
{
    static std::map<std::string, StereoBuffer> decoded;
    auto found = decoded.find(path);
    if (found == decoded.end()) {
        std::ifstream file(path, std::ios::binary);
        assetgen::Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (bytes.empty())
            throw std::runtime_error("the build did not generate " + path);
        found = decoded.emplace(path, assetgen::music::decodeMp3(bytes)).first;
    }
    return found->second;
}

double rmsDb(const StereoBuffer& b)
{
    return 20.0 * std::log10(std::max(b.rms(), 1e-12));
}

TEST(SongFiles, EverySongDecodesGaplesslyToExactlyItsRenderedLength)
{
    ASSERT_EQ(songPaths().size(), 15u);
    for (const std::string& path : songPaths()) {
        SCOPED_TRACE(path);
        const StereoBuffer& audio = song(path);
        ASSERT_TRUE(SongBook::makes(path));
        EXPECT_EQ(audio.frames(), SongBook::framesOf(path)) << "a gap or an overlap at every loop";
        EXPECT_GT(rmsDb(audio), -45.0) << "silent";
        EXPECT_LT(audio.peak(), 1.0f) << "clips";
    }
}

TEST(SongFiles, LoudnessFilesFollowTheirSongsAsTheyDecodeSixtyTimesASecond)
{
    int files = 0;
    for (const assetgen::Asset& asset : assetgen::allAssets()) {
        if (asset.group != assetgen::Group::Loudness)
            continue;
        ++files;
        const std::string path = asset.path;
        SCOPED_TRACE(path);
        std::ifstream file(path, std::ios::binary);
        const std::vector<unsigned char> steps((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const StereoBuffer& audio = song(path.substr(0, path.size() - std::string(".loudness").size()) + ".mp3");
        const int64_t window = 44100 / 60;
        ASSERT_EQ(static_cast<int64_t>(steps.size()), (audio.frames() + window - 1) / window);
        std::vector<double> heard;
        for (int64_t first = 0; first < audio.frames(); first += window)
            heard.push_back(audio.slice(first, std::min(window, audio.frames() - first)).rms());
        const double loudest = *std::max_element(heard.begin(), heard.end());
        EXPECT_EQ(*std::max_element(steps.begin(), steps.end()), 255);
        double worst = 0.0;
        for (size_t i = 0; i < steps.size(); ++i)
            worst = std::max(worst, std::fabs(steps[i] / 255.0 - heard[i] / loudest));
        // What LAME changes.
        EXPECT_LT(worst, 0.05) << "a step of the file says another loudness than the song has there";
    }
    EXPECT_EQ(files, 13) << "the twelve instrument tracks and completeSong2";
}

TEST(SongFiles, InstrumentTracksShareOneLoopLengthOfWholeBarsBetween8And16Seconds)
{
    const auto& tracks = SongBook::instrumentTracks();
    ASSERT_EQ(tracks.size(), 12u);
    int64_t frames = song(tracks.front()).frames();
    double seconds = frames / 44100.0;
    EXPECT_GE(seconds, 8.0);
    EXPECT_LE(seconds, 16.0);
    for (const std::string& path : tracks)
        EXPECT_EQ(song(path).frames(), frames) << path;
}

// Level in dBFS of what lies above 12 kHz, in windows of 128 frames (3 ms,
// about the length of the burst) across the loop played twice: the first
// pass only settles the filter. Returns the window centred on the join and
// the loudest of all the others.
struct SeamLevels {
    double join = 0.0;
    double elsewhere = 0.0;
};

SeamLevels highBandAroundTheJoin(const std::vector<float>& loop)
{
    // An eighth-order Butterworth high-pass: four sections with these Qs.
    assetgen::music::Biquad sections[4];
    const double qs[4] = {0.5098, 0.6013, 0.9000, 2.5629};
    for (int k = 0; k < 4; ++k)
        sections[k].setHighPass(12000.0, qs[k]);
    const size_t n = loop.size();
    std::vector<float> high(2 * n);
    for (size_t i = 0; i < 2 * n; ++i) {
        float x = loop[i % n];
        for (assetgen::music::Biquad& section : sections)
            x = section.process(x);
        high[i] = x;
    }
    const size_t window = 128;
    auto level = [&](size_t first) {
        double sum = 0.0;
        for (size_t i = first; i < first + window; ++i)
            sum += static_cast<double>(high[i]) * high[i];
        return 10.0 * std::log10(std::max(sum / window, 1e-30));
    };
    SeamLevels levels;
    levels.join = level(n - window / 2);
    levels.elsewhere = -300.0;
    for (size_t first = n + window / 2; first + window <= 2 * n - window / 2; first += window / 2)
        levels.elsewhere = std::max(levels.elsewhere, level(first));
    return levels;
}

// An encoder that sees the loop's ends as edges leaves a burst above 12 kHz
// right at the join, a tick at every loop however smooth the waveform is:
// there the join must hold no more than the loudest stretch of the rest.
TEST(SongFiles, EverySongLoopsWithoutABurstAtTheJoin)
{
    for (const std::string& path : songPaths()) {
        SCOPED_TRACE(path);
        const StereoBuffer& audio = song(path);
        ASSERT_GT(audio.frames(), 4096);
        for (const std::vector<float>* channel : {&audio.left, &audio.right}) {
            const SeamLevels levels = highBandAroundTheJoin(*channel);
            std::printf("%-40s %-5s join %7.1f dBFS, elsewhere at most %7.1f dBFS\n", path.c_str(),
                channel == &audio.left ? "left" : "right", levels.join, levels.elsewhere);
            EXPECT_LE(levels.join, levels.elsewhere) << "a burst at the join";
        }
    }
}

TEST(SongFiles, CompleteSong2IsTheMixOfItsFourParts)
{
    const StereoBuffer& reference = song("OpenGL/WAVE/Song2/completeSong2.mp3");
    StereoBuffer parts(reference.frames());
    for (const std::string& part : SongBook::completeSong2Parts()) {
        ASSERT_EQ(song(part).frames(), reference.frames()) << part;
        parts.mix(song(part));
    }
    double sxy = 0, sxx = 0, syy = 0, sx = 0, sy = 0;
    const double n = 2.0 * reference.frames();
    for (int64_t i = 0; i < reference.frames(); ++i)
        for (auto [x, y] : {std::pair{reference.left[i], parts.left[i]}, std::pair{reference.right[i], parts.right[i]}}) {
            sx += x;
            sy += y;
            sxx += double(x) * x;
            syy += double(y) * y;
            sxy += double(x) * y;
        }
    double correlation = (sxy - sx * sy / n) / std::sqrt((sxx - sx * sx / n) * (syy - sy * sy / n));
    std::printf("completeSong2 against Drum1 + Guitar1 + Voice1 + Voice2: correlation %.4f\n", correlation);
    EXPECT_GT(correlation, 0.98);
    EXPECT_NEAR(rmsDb(reference), rmsDb(parts), 0.5) << "the reference must sound as loud as its parts together";
}

TEST(SongFiles, NoCombinationOfTheTwelveTracksClips)
{
    const auto& tracks = SongBook::instrumentTracks();
    int64_t frames = song(tracks.front()).frames();
    double all = 0.0, worst = 0.0;
    for (int64_t i = 0; i < frames; ++i) {
        for (bool left : {true, false}) {
            // The loudest combination at a frame takes every track that
            // swings the same way: all positive samples, or all negative ones.
            double sum = 0.0, positive = 0.0, negative = 0.0;
            for (const std::string& path : tracks) {
                float s = left ? song(path).left[i] : song(path).right[i];
                sum += s;
                (s > 0 ? positive : negative) += std::fabs(s);
            }
            all = std::max(all, std::fabs(sum));
            worst = std::max({worst, positive, negative});
        }
    }
    std::printf("all twelve summed peak at %.3f, the loudest combination at %.3f\n", all, worst);
    EXPECT_LT(all, 1.0);
    EXPECT_LT(worst, 1.0);
}

TEST(SongFiles, NoInstrumentTrackIsBuriedBelowTheOthers)
{
    // The level-3 reference is coolSynth alone and the level-1 jukebox plays
    // smoothSynth with noiseSound1: every track must be heard clearly, so
    // none may be far quieter than the others.
    const auto& tracks = SongBook::instrumentTracks();
    double loudest = -200.0;
    for (const std::string& path : tracks)
        loudest = std::max(loudest, rmsDb(song(path)));
    for (const std::string& path : tracks) {
        if (path.find("Voice") != std::string::npos)
            continue; // the robots speak in short lines with rests between
        EXPECT_GT(rmsDb(song(path)), loudest - 9.0) << path;
    }
}

} // namespace
