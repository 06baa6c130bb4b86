// The four built-in pieces in data/: their structure as MIDI files, and their
// sound when rendered offline by the fluidsynth program with the General MIDI
// SoundFont the show prefers.
#include "pieces.h"
#include "score.h"
#include "smf_reader.h"
#include "wav_reader.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The master gain the engine sets for FluidR3_GM; the pieces must neither clip
// nor whisper at it.
constexpr double fluidr3_gain = 0.2;
// Soft piano writing at that gain measures about -36 dBFS (a single fortissimo
// piano note peaks at -18.6 dBFS); below this a piece is whispering.
constexpr double min_rms_dbfs = -37.0;
constexpr double max_peak_dbfs = -1.0;
constexpr double silence_dbfs = -60.0;
constexpr double max_silence_seconds = 2.0;
// FluidSynth keeps rendering while voices release, a few seconds past the last note.
constexpr double max_tail_seconds = 10.0;

struct Expected {
    const char* file;
    std::function<score::Piece()> compose;
    std::set<int> programs;  // program change values
    bool pedal;
};

const std::vector<Expected>& expectations()
{
    static const std::vector<Expected> table{
        {"music1.mid", pieces::first_snow, {8, 9, 48}, false},            // celesta, glockenspiel, strings
        {"music2.mid", pieces::lamplight_nocturne, {0}, true},            // piano
        {"music3.mid", pieces::music_box_lullaby, {10, 52}, false},       // music box, choir
        {"music4.mid", pieces::winter_pastorale, {46, 73, 48}, false},    // harp, flute, strings
    };
    return table;
}

// Test names and messages show the file, not the bytes of the record.
void PrintTo(const Expected& expected, std::ostream* out)
{
    *out << expected.file;
}

fs::path data_file(const char* name)
{
    return fs::path(BRISENFALL_DATA_DIR) / name;
}

// What the tests need to know about one file, gathered in one pass.
struct Summary {
    smf_reader::File file{};
    std::set<int> programs{};
    std::vector<double> tempi{};        // bpm, in order
    std::vector<std::string> faults{};  // notes left sounding, restruck or released twice
    bool pedal_used = false;
    bool pedal_down_at_end = false;
    bool every_part_has_space = true;  // reverb and chorus sends on each part track
    int note_ons = 0;
    int soft_note_ons = 0;  // velocity 40..80
    int loudest = 0;
    std::uint32_t first_note = UINT32_MAX;
    std::uint32_t last_release = 0;
};

Summary summarise(const fs::path& path)
{
    Summary summary;
    summary.file = smf_reader::parse(smf_reader::read_bytes(path));
    for (const smf_reader::Track& track : summary.file.tracks) {
        std::map<int, std::uint32_t> sounding;  // channel * 128 + key -> onset
        std::set<int> sends;
        bool pedal_down = false;
        for (const smf_reader::Event& event : track.events) {
            const int kind = event.status & 0xF0;
            const int id = (event.status & 0x0F) * 128 + event.data1;
            if (event.status == 0xFF && event.data1 == 0x51)
                summary.tempi.push_back(
                    60e6 / ((event.payload.at(0) << 16) | (event.payload.at(1) << 8) | event.payload.at(2)));
            if (kind == 0xC0)
                summary.programs.insert(event.data1);
            if (kind == 0xB0 && (event.data1 == 91 || event.data1 == 93) && event.data2 > 0)
                sends.insert(event.data1);
            if (kind == 0xB0 && event.data1 == 64) {
                summary.pedal_used = true;
                pedal_down = event.data2 >= 64;
            }
            if (kind == 0x90 && event.data2 > 0) {
                if (sounding.contains(id))
                    summary.faults.push_back("key " + std::to_string(event.data1) + " struck again while sounding at tick "
                                             + std::to_string(event.tick));
                sounding[id] = event.tick;
                ++summary.note_ons;
                summary.soft_note_ons += event.data2 >= 40 && event.data2 <= 80;
                summary.loudest = std::max<int>(summary.loudest, event.data2);
                summary.first_note = std::min(summary.first_note, event.tick);
            } else if (kind == 0x80 || kind == 0x90) {
                if (sounding.erase(id) == 0)
                    summary.faults.push_back("key " + std::to_string(event.data1) + " released without sounding at tick "
                                             + std::to_string(event.tick));
                summary.last_release = std::max(summary.last_release, event.tick);
            }
        }
        for (const auto& [id, onset] : sounding)
            summary.faults.push_back("key " + std::to_string(id % 128) + " from tick " + std::to_string(onset)
                                     + " never released");
        summary.pedal_down_at_end = summary.pedal_down_at_end || pedal_down;
        if (&track != &summary.file.tracks.front())
            summary.every_part_has_space = summary.every_part_has_space && sends.size() == 2;
    }
    return summary;
}

class MusicFile : public testing::TestWithParam<Expected> {};

TEST_P(MusicFile, IsTypeOneWithAConductorTrack)
{
    const Summary summary = summarise(data_file(GetParam().file));
    EXPECT_EQ(summary.file.format, 1);
    ASSERT_GE(summary.file.tracks.size(), 2u);

    bool tempo = false, time_signature = false;
    for (const smf_reader::Event& event : summary.file.tracks.front().events) {
        EXPECT_EQ(event.status, 0xFF) << "the conductor track holds only meta events";
        tempo = tempo || event.data1 == 0x51;
        time_signature = time_signature || event.data1 == 0x58;
    }
    EXPECT_TRUE(tempo && time_signature);

    for (std::size_t i = 1; i < summary.file.tracks.size(); ++i) {
        std::set<int> channels;
        for (const smf_reader::Event& event : summary.file.tracks[i].events)
            if (event.status < 0xF0)
                channels.insert(event.status & 0x0F);
        EXPECT_EQ(channels.size(), 1u) << "track " << i << " plays one instrument on one channel";
        EXPECT_FALSE(channels.contains(9)) << "track " << i << " is on the drum channel";
    }
}

TEST_P(MusicFile, UsesTheInstrumentsOfItsPiece)
{
    const Summary summary = summarise(data_file(GetParam().file));
    EXPECT_EQ(summary.programs, GetParam().programs);
    EXPECT_EQ(summary.pedal_used, GetParam().pedal);
    EXPECT_TRUE(summary.every_part_has_space) << "every part sends to reverb (91) and chorus (93)";
}

TEST_P(MusicFile, IsCalmAndTheRightLength)
{
    const Summary summary = summarise(data_file(GetParam().file));
    ASSERT_FALSE(summary.tempi.empty());
    EXPECT_GE(summary.tempi.front(), 60.0);
    EXPECT_LE(summary.tempi.front(), 90.0);
    for (double bpm : summary.tempi)
        EXPECT_TRUE(bpm >= 40.0 && bpm <= 90.0) << bpm << " bpm";  // a closing ritardando may go below 60

    const double length = smf_reader::seconds_at(summary.file, summary.last_release);
    EXPECT_GE(length, 90.0);
    EXPECT_LE(length, 180.0);

    ASSERT_GT(summary.note_ons, 0);
    EXPECT_GE(summary.soft_note_ons * 3, summary.note_ons * 2) << "most velocities lie in 40..80";
    EXPECT_LE(summary.loudest, 96);
}

TEST_P(MusicFile, ReleasesEveryNote)
{
    const Summary summary = summarise(data_file(GetParam().file));
    for (const std::string& fault : summary.faults)
        ADD_FAILURE() << fault;
    EXPECT_FALSE(summary.pedal_down_at_end) << "the sustain pedal is lifted at the end";
}

TEST_P(MusicFile, IsWhatTheComposerWrites)
{
    const std::vector<std::uint8_t> written = score::render(GetParam().compose());
    EXPECT_EQ(written, score::render(GetParam().compose())) << "the composer is deterministic";
    EXPECT_TRUE(written == smf_reader::read_bytes(data_file(GetParam().file)))
        << "data/" << GetParam().file << " is stale: run brisenfall-compose data";
}

// A temporary folder removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "brisenfall-music-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Renders `midi` to a 16-bit stereo WAV at 44.1 kHz; returns the exit status.
int render(const fs::path& midi, const fs::path& wav)
{
    const std::string gain = std::to_string(fluidr3_gain);
    std::vector<std::string> args{BRISENFALL_FLUIDSYNTH, "-n", "-i", "-q", "-g", gain, "-r", "44100",
                                  "-T", "wav", "-O", "s16", "-F", wav.string(), BRISENFALL_GM_SOUNDFONT,
                                  midi.string()};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        freopen("/dev/null", "w", stdout);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_P(MusicFile, SoundsCleanAndAudibleWhenRendered)
{
    ASSERT_TRUE(fs::exists(BRISENFALL_GM_SOUNDFONT)) << "install fluid-soundfont-gm";
    const Summary summary = summarise(data_file(GetParam().file));
    const double start = smf_reader::seconds_at(summary.file, summary.first_note);
    const double end = smf_reader::seconds_at(summary.file, summary.last_release);

    TemporaryFolder folder;
    const fs::path wav = folder.path() / "piece.wav";
    ASSERT_EQ(render(data_file(GetParam().file), wav), 0);
    const wav_reader::Sound sound = wav_reader::read(wav);
    EXPECT_EQ(sound.rate, 44100);
    EXPECT_GE(sound.seconds(), end);
    EXPECT_LE(sound.seconds(), end + max_tail_seconds);

    const double peak = wav_reader::peak_dbfs(sound, 0, sound.seconds());
    const double rms = wav_reader::rms_dbfs(sound, start, end);
    EXPECT_LE(peak, max_peak_dbfs) << "clipping";
    EXPECT_GE(rms, min_rms_dbfs) << "whispering";
    EXPECT_LE(wav_reader::longest_quiet(sound, start, end, silence_dbfs), max_silence_seconds);

    // The ending fades: the last three seconds are well below the piece as a whole.
    EXPECT_LE(wav_reader::rms_dbfs(sound, end - 3, end), rms - 6) << "the ending does not fade";
    // Sections differ in loudness: compare ten-second stretches before the coda.
    double loudest = -200, quietest = 0;
    for (double at = start; at + 10 <= end - 15; at += 10) {
        const double level = wav_reader::rms_dbfs(sound, at, at + 10);
        loudest = std::max(loudest, level);
        quietest = std::min(quietest, level);
    }
    EXPECT_GE(loudest - quietest, 2.0) << "the dynamics never change";
    std::printf("%s: %.1f s (notes end at %.1f s), peak %.1f dBFS, RMS %.1f dBFS\n", GetParam().file,
                sound.seconds(), end, peak, rms);
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, MusicFile, testing::ValuesIn(expectations()),
                         [](const testing::TestParamInfo<Expected>& piece) {
                             return fs::path(piece.param.file).stem().string();
                         });

}  // namespace
