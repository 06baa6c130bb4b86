// Arranging helpers: turning progressions, note text and patterns into notes.
#include "arrange.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace arrange {
namespace {

std::vector<std::string_view> words(std::string_view text, char separator)
{
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(separator, at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view word = text.substr(at, end - at);
        while (!word.empty() && word.front() == ' ')
            word.remove_prefix(1);
        while (!word.empty() && word.back() == ' ')
            word.remove_suffix(1);
        if (!word.empty())
            out.push_back(word);
        at = end + 1;
    }
    return out;
}

// A positive number of beats written in `word` (which is named in the error).
double beats(std::string_view text, std::string_view word)
{
    // from_chars for double wants a leading digit: accept ".5" as "0.5".
    std::string number = text.starts_with('.') ? "0" + std::string(text) : std::string(text);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size() || value <= 0)
        throw std::invalid_argument("not a number of beats in \"" + std::string(word) + "\"");
    return value;
}

int clamp_velocity(double velocity)
{
    return std::clamp(static_cast<int>(std::lround(velocity)), 1, 127);
}

}  // namespace

std::vector<ChordSpan> progression(std::string_view bars, double start, double beats_per_bar)
{
    std::vector<ChordSpan> spans;
    double beat = start;
    for (std::string_view bar : words(bars, '|')) {
        // Symbols with ":BEATS" take that much; the others share what is left.
        const std::vector<std::string_view> symbols = words(bar, ' ');
        double given = 0;
        int shared = 0;
        for (std::string_view symbol : symbols) {
            const std::size_t colon = symbol.find(':');
            if (colon == std::string_view::npos)
                ++shared;
            else
                given += beats(symbol.substr(colon + 1), symbol);
        }
        const double remaining = beats_per_bar - given;
        if (remaining < -1e-9 || (shared > 0 && remaining <= 0) || (shared == 0 && remaining > 1e-9))
            throw std::invalid_argument("chords do not fill the bar: \"" + std::string(bar) + "\"");
        for (std::string_view symbol : symbols) {
            const std::size_t colon = symbol.find(':');
            const double length = colon == std::string_view::npos ? remaining / shared : beats(symbol.substr(colon + 1), symbol);
            spans.push_back({beat, length, theory::chord(symbol.substr(0, colon))});
            beat += length;
        }
    }
    return spans;
}

double end_of(const std::vector<ChordSpan>& spans)
{
    return spans.empty() ? 0.0 : spans.back().beat + spans.back().length;
}

double melody(score::Part& part, double start, std::string_view text, int velocity, int swell, int transpose)
{
    struct Word {
        std::vector<int> keys;
        double length;
    };
    std::vector<Word> parsed;
    double total = 0;
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), '|', ' ');  // bar lines are for the reader
    for (std::string_view word : words(plain, ' ')) {
        const std::size_t colon = word.find(':');
        if (colon == std::string_view::npos)
            throw std::invalid_argument("not a melody word (KEY:BEATS): \"" + std::string(word) + "\"");
        Word entry{{}, beats(word.substr(colon + 1), word)};
        const std::string_view keys = word.substr(0, colon);
        if (keys != "r")
            for (std::string_view name : words(keys, '+'))
                entry.keys.push_back(theory::note(name) + transpose);
        total += entry.length;
        parsed.push_back(std::move(entry));
    }

    double beat = start;
    for (const Word& word : parsed) {
        // A phrase arc: rises to the middle, relaxes toward the end.
        const double arc = std::sin(std::numbers::pi * (beat - start + word.length / 2) / total);
        for (int key : word.keys)
            part.notes.push_back({beat, word.length, key, clamp_velocity(velocity + swell * arc)});
        beat += word.length;
    }
    return beat;
}

void double_below(score::Part& part, std::size_t first, const theory::Scale& scale, int steps, int softer)
{
    const std::size_t end = part.notes.size();
    for (std::size_t i = first; i < end; ++i) {
        const score::Note note = part.notes[i];
        part.notes.push_back({note.beat, note.length, theory::scale_step(scale, note.key, -steps),
                              std::max(1, note.velocity - softer)});
    }
}

void pad(score::Part& part, const std::vector<ChordSpan>& spans, Voices& voices, int velocity, double overlap)
{
    for (const ChordSpan& span : spans) {
        voices.last = theory::voice(span.chord, voices.count, voices.low, voices.high, voices.last);
        for (int key : voices.last)
            part.notes.push_back({span.beat, span.length + overlap, key, velocity});
    }
}

void bass(score::Part& part, const std::vector<ChordSpan>& spans, int low, int velocity, double fraction)
{
    for (const ChordSpan& span : spans)
        part.notes.push_back(
            {span.beat, span.length * fraction, theory::key_at_or_above(span.chord.bass, low), velocity});
}

void arpeggio(score::Part& part, const std::vector<ChordSpan>& spans, Voices& voices,
              const std::vector<int>& pattern, double step, int velocity, double ring)
{
    for (const ChordSpan& span : spans) {
        voices.last = theory::voice(span.chord, voices.count, voices.low, voices.high, voices.last);
        std::size_t index = 0;
        for (double beat = span.beat; beat < span.beat + span.length - 1e-9; beat += step) {
            const int voice = pattern[index++ % pattern.size()];
            if (voice == rest)
                continue;
            if (voice < 0 || voice >= static_cast<int>(voices.last.size()))
                throw std::out_of_range("arpeggio pattern names voice " + std::to_string(voice)
                                        + " of a " + std::to_string(voices.last.size()) + "-voice chord");
            const int accent = beat == span.beat ? 4 : 0;
            part.notes.push_back({beat, step * ring, voices.last[static_cast<std::size_t>(voice)], velocity + accent});
        }
    }
}

double run(score::Part& part, const theory::Scale& scale, int from, int to, double start, double step,
           int velocity, double ring)
{
    std::vector<int> keys = theory::scale_keys(scale, std::min(from, to), std::max(from, to));
    if (from > to)
        std::reverse(keys.begin(), keys.end());
    double beat = start;
    for (int key : keys) {
        part.notes.push_back({beat, step * ring, key, velocity});
        beat += step;
    }
    return beat;
}

void ramp(score::Part& part, int controller, double from_beat, double to_beat, int from, int to)
{
    const double length = to_beat - from_beat;
    for (double beat = from_beat; beat <= to_beat + 1e-9; beat += 0.25) {
        const double t = length > 0 ? (beat - from_beat) / length : 1.0;
        part.controls.push_back({beat, controller, static_cast<int>(std::lround(from + (to - from) * t))});
    }
}

void pedal(score::Part& part, const std::vector<ChordSpan>& spans)
{
    constexpr int sustain = 64;
    for (const ChordSpan& span : spans) {
        if (span.beat > 0.05)
            part.controls.push_back({span.beat - 0.03, sustain, 0});
        part.controls.push_back({span.beat + 0.12, sustain, 127});
    }
    part.controls.push_back({end_of(spans), sustain, 0});
}

void ritardando(score::Piece& piece, double from_beat, double to_beat, double from_bpm, double to_bpm)
{
    for (double beat = from_beat; beat < to_beat - 1e-9; beat += 1.0) {
        const double t = (beat - from_beat) / (to_beat - from_beat);
        piece.tempo.push_back({beat, from_bpm + (to_bpm - from_bpm) * t});
    }
}

}  // namespace arrange
