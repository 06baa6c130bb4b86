// Music theory helpers: note and chord names, modes, voicing search.
#include "theory.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>

namespace theory {
namespace {

[[noreturn]] void reject(std::string_view what, std::string_view text)
{
    throw std::invalid_argument("not a " + std::string(what) + ": \"" + std::string(text) + "\"");
}

// Reads a letter and its accidentals from the front of `text`; returns the
// pitch class (possibly outside 0..11 before wrapping) and consumes the characters.
bool read_pitch(std::string_view& text, int& pitch)
{
    static constexpr std::array<int, 7> letter_classes{9, 11, 0, 2, 4, 5, 7};  // A..G
    if (text.empty())
        return false;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    if (letter < 'A' || letter > 'G')
        return false;
    pitch = letter_classes[static_cast<std::size_t>(letter - 'A')];
    text.remove_prefix(1);
    while (!text.empty() && (text.front() == '#' || text.front() == 'b')) {
        pitch += text.front() == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    return true;
}

int wrap(int pitch)
{
    return ((pitch % 12) + 12) % 12;
}

const std::array<int, 7>& mode_steps(Mode mode)
{
    static constexpr std::array<std::array<int, 7>, 6> steps{{
        {0, 2, 4, 5, 7, 9, 11},  // ionian
        {0, 2, 3, 5, 7, 9, 10},  // dorian
        {0, 1, 3, 5, 7, 8, 10},  // phrygian
        {0, 2, 4, 6, 7, 9, 11},  // lydian
        {0, 2, 4, 5, 7, 9, 10},  // mixolydian
        {0, 2, 3, 5, 7, 8, 10},  // aeolian
    }};
    return steps[static_cast<std::size_t>(mode)];
}

bool in_scale(const Scale& scale, int key)
{
    const auto& steps = mode_steps(scale.mode);
    return std::find(steps.begin(), steps.end(), wrap(key - scale.tonic)) != steps.end();
}

// How much a chord tone matters when there are fewer voices than tones:
// third (or suspension) first, then the colour tone, the root, the fifth.
int tone_priority(int interval)
{
    switch (wrap(interval)) {
    case 3: case 4: case 5: return 0;
    case 2: case 9: case 10: case 11: return 1;
    case 6: return 2;
    case 0: return 3;
    default: return 4;
    }
}

struct Quality {
    std::string_view suffix;
    std::vector<int> intervals;
};

const std::vector<Quality>& qualities()
{
    static const std::vector<Quality> table{
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}},   {"m7", {0, 3, 7, 10}},     {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},      {"sus2", {0, 2, 7}},       {"sus4", {0, 5, 7}},
        {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}},  {"maj9", {0, 4, 7, 11, 14}},
        {"m9", {0, 3, 7, 10, 14}}, {"dim", {0, 3, 6}},        {"m7b5", {0, 3, 6, 10}},
    };
    return table;
}

// Cost of a candidate voicing: movement from the previous chord plus spacing faults.
int voicing_cost(const std::vector<int>& keys, const std::vector<int>& previous, int root, int low, int high)
{
    int cost = 0;
    if (previous.size() == keys.size()) {
        for (std::size_t i = 0; i < keys.size(); ++i)
            cost += std::abs(keys[i] - previous[i]);
    } else {
        int sum = 0;
        for (int key : keys)
            sum += key;
        cost += std::abs(2 * sum / static_cast<int>(keys.size()) - (low + high));
    }
    for (std::size_t i = 1; i < keys.size(); ++i) {
        const int gap = keys[i] - keys[i - 1];
        if (gap == 1)
            cost += 10;
        else if (gap == 2)
            cost += 2;
        if (gap > 12)
            cost += 2 * (gap - 12);
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
        for (std::size_t j = i + 1; j < keys.size(); ++j)
            if (wrap(keys[i]) == wrap(keys[j]) && wrap(keys[i]) != root)
                cost += 3;  // double the root rather than another tone
    return cost;
}

}  // namespace

int note(std::string_view name)
{
    std::string_view rest = name;
    int pitch = 0;
    if (!read_pitch(rest, pitch))
        reject("note", name);
    int octave = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), octave);
    if (error != std::errc{} || end != rest.data() + rest.size())
        reject("note", name);
    const int key = (octave + 1) * 12 + pitch;
    if (key < 0 || key > 127)
        reject("note in the MIDI range", name);
    return key;
}

int pitch_class(std::string_view name)
{
    std::string_view rest = name;
    int pitch = 0;
    if (!read_pitch(rest, pitch) || !rest.empty())
        reject("pitch class", name);
    return wrap(pitch);
}

std::vector<int> scale_keys(const Scale& scale, int low, int high)
{
    std::vector<int> keys;
    for (int key = low; key <= high; ++key)
        if (in_scale(scale, key))
            keys.push_back(key);
    return keys;
}

int scale_step(const Scale& scale, int key, int steps)
{
    if (!in_scale(scale, key))
        throw std::invalid_argument("key " + std::to_string(key) + " is not in the scale");
    const int direction = steps < 0 ? -1 : 1;
    for (int remaining = std::abs(steps); remaining > 0; --remaining) {
        do
            key += direction;
        while (!in_scale(scale, key));
    }
    return key;
}

Chord chord(std::string_view symbol)
{
    std::string_view rest = symbol;
    int root = 0;
    if (!read_pitch(rest, root))
        reject("chord symbol", symbol);
    std::string_view suffix = rest.substr(0, rest.find('/'));
    int bass = wrap(root);
    if (suffix.size() < rest.size())
        bass = pitch_class(rest.substr(suffix.size() + 1));
    for (const Quality& quality : qualities())
        if (quality.suffix == suffix)
            return {wrap(root), quality.intervals, bass};
    reject("chord symbol", symbol);
}

std::vector<int> chord_classes(const Chord& chord)
{
    std::vector<int> classes;
    for (int interval : chord.intervals)
        classes.push_back(wrap(chord.root + interval));
    return classes;
}

int key_at_or_above(int pitch, int low)
{
    return low + wrap(pitch - low);
}

std::vector<int> voice(const Chord& chord, int voices, int low, int high, const std::vector<int>& previous)
{
    if (voices < 1 || high - low < 12)
        throw std::invalid_argument("a voicing needs at least one voice and an octave of range");

    std::vector<int> intervals = chord.intervals;
    std::stable_sort(intervals.begin(), intervals.end(),
                     [](int a, int b) { return tone_priority(a) < tone_priority(b); });
    intervals.resize(std::min(intervals.size(), static_cast<std::size_t>(voices)));
    std::vector<int> required;
    for (int interval : intervals)
        required.push_back(wrap(chord.root + interval));

    const std::vector<int> classes = chord_classes(chord);
    std::vector<int> candidates;
    for (int key = low; key <= high; ++key)
        if (std::find(classes.begin(), classes.end(), wrap(key)) != classes.end())
            candidates.push_back(key);

    // Walk every ascending choice of `voices` candidates (a few hundred at most).
    std::vector<int> best;
    int best_cost = std::numeric_limits<int>::max();
    std::vector<std::size_t> pick(static_cast<std::size_t>(voices));
    const std::size_t n = candidates.size();
    const std::size_t k = pick.size();
    if (n < k)
        throw std::invalid_argument("the range is too narrow for the voicing");
    for (std::size_t i = 0; i < k; ++i)
        pick[i] = i;
    while (true) {
        std::vector<int> keys;
        for (std::size_t index : pick)
            keys.push_back(candidates[index]);
        const bool complete = std::all_of(required.begin(), required.end(), [&](int pitch) {
            return std::any_of(keys.begin(), keys.end(), [&](int key) { return wrap(key) == pitch; });
        });
        if (complete) {
            const int cost = voicing_cost(keys, previous, chord.root, low, high);
            if (cost < best_cost) {
                best_cost = cost;
                best = keys;
            }
        }
        std::size_t i = k;
        while (i > 0 && pick[i - 1] == n - k + (i - 1))
            --i;
        if (i == 0)
            break;
        ++pick[i - 1];
        for (std::size_t j = i; j < k; ++j)
            pick[j] = pick[j - 1] + 1;
    }
    return best;
}

}  // namespace theory
