// Writes res/music/tidewar.mid, the game's own background music: a sea shanty in D dorian
// for fiddle, tin whistle, accordion, bass and a stamping crew, about 80 seconds, made to
// loop (the game restarts it when it ends).
//   tools/tune/build.sh   builds this generator and rewrites the committed file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const int kTicksPerQuarter = 480;
const int kBeatsPerMinute = 104;
const int kBar = 4 * kTicksPerQuarter;

// --- Writing the score ---------------------------------------------------------------------

struct NoteEvent {
    int tick, length, key, velocity;
};

struct Part {
    const char* name;
    int channel, program, volume, pan;
    std::vector<NoteEvent> notes;
};

// "A4" -> 69; accidentals '#' and 'b' after the letter.
int keyOf(const std::string& name) {
    static const int kLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') throw std::runtime_error("bad note " + name);
    int key = kLetter[name[0] - 'A'];
    size_t at = 1;
    for (; at < name.size() && (name[at] == '#' || name[at] == 'b'); ++at) key += name[at] == '#' ? 1 : -1;
    return key + 12 * (std::stoi(name.substr(at)) + 1);
}

// Lengths: w h q e s, a trailing '.' adds half.
int lengthOf(const std::string& code) {
    int ticks = 0;
    switch (code.at(0)) {
    case 'w': ticks = 4 * kTicksPerQuarter; break;
    case 'h': ticks = 2 * kTicksPerQuarter; break;
    case 'q': ticks = kTicksPerQuarter; break;
    case 'e': ticks = kTicksPerQuarter / 2; break;
    case 's': ticks = kTicksPerQuarter / 4; break;
    default: throw std::runtime_error("bad length " + code);
    }
    return code.size() > 1 && code[1] == '.' ? ticks * 3 / 2 : ticks;
}

struct Phrase {
    std::vector<NoteEvent> notes;  // ticks from the phrase's start
    int length = 0;
};

// "A4:q G4:e r:e" - notes and rests; '|' marks bars and is checked.
Phrase parse(const std::string& text) {
    Phrase phrase;
    std::istringstream in(text);
    std::string token;
    int barStart = 0;
    while (in >> token) {
        if (token == "|") {
            if (phrase.length - barStart != kBar) throw std::runtime_error("bar of wrong length before tick " + std::to_string(phrase.length));
            barStart = phrase.length;
            continue;
        }
        const size_t colon = token.find(':');
        const std::string pitch = token.substr(0, colon);
        const int length = lengthOf(token.substr(colon + 1));
        if (pitch != "r") phrase.notes.push_back({phrase.length, length, keyOf(pitch), 0});
        phrase.length += length;
    }
    return phrase;
}

// Places a phrase at `tick`: notes sound for `legato` of their length, the first beat of a
// bar is leant on, and the whole is moved by `transpose` semitones.
void play(Part& part, const Phrase& phrase, int tick, int velocity, double legato = 0.9, int transpose = 0) {
    for (const NoteEvent& n : phrase.notes) {
        const bool downbeat = (tick + n.tick) % kBar == 0;
        part.notes.push_back({tick + n.tick, std::max(1, int(n.length * legato)), n.key + transpose,
                              std::min(127, velocity + (downbeat ? 12 : 0))});
    }
}

// The scale of D dorian, for harmony a third below the tune.
int dorianThirdBelow(int key) {
    static const int kScale[] = {2, 4, 5, 7, 9, 11, 12};  // D E F G A B C (C up an octave)
    const int octave = (key - 2) / 12, within = key - 12 * octave;
    for (int degree = 0; degree < 7; ++degree) {
        if (kScale[degree] == within) {
            const int target = degree - 2;
            return target >= 0 ? 12 * octave + kScale[target] : 12 * (octave - 1) + kScale[target + 7];
        }
    }
    return key - 3;  // not in the scale: a minor third
}

Phrase thirdBelow(const Phrase& phrase) {
    Phrase harmony = phrase;
    for (NoteEvent& n : harmony.notes) n.key = dorianThirdBelow(n.key);
    return harmony;
}

// --- The tune ------------------------------------------------------------------------------

// Verse: a call that climbs and falls back to D.
const char* kVerse =
    "A4:q A4:e G4:e F4:q D4:q | E4:q F4:e G4:e A4:h | C5:q C5:e B4:e A4:q G4:q | A4:q. G4:e E4:h |"
    " A4:q A4:e G4:e F4:q D4:q | E4:q F4:e G4:e A4:q D5:q | C5:e B4:e A4:e G4:e E4:q C4:q | D4:h. r:q |";
// Chorus: the crew's answer, higher and heavier on the beat.
const char* kChorus =
    "D5:q. D5:e C5:q A4:q | C5:q. C5:e G4:q E4:q | D5:q D5:e E5:e F5:q E5:e D5:e | C5:q A4:q A4:h |"
    " D5:q. D5:e C5:q A4:q | C5:q B4:e C5:e D5:q E5:q | F5:q E5:e D5:e C5:q E4:q | D4:h. r:q |";

// Two chords a bar, as root names with 'm' for minor.
const char* kVerseChords[] = {"Dm", "Dm", "C", "Am", "C", "F", "Am", "Am",
                              "Dm", "Dm", "C", "Dm", "C", "C", "Dm", "Dm"};
const char* kChorusChords[] = {"Dm", "F", "C", "C", "Dm", "Dm", "Am", "Am",
                               "Dm", "F", "C", "G", "Dm", "C", "Dm", "Dm"};
const char* kIntroChords[] = {"Dm", "Dm", "Dm", "Dm"};

struct Chord {
    int root;  // MIDI key in the octave below middle C
    bool minor;
};
Chord chordOf(const std::string& name) {
    return {keyOf(name.substr(0, 1) + "3"), name.size() > 1 && name[1] == 'm'};
}

// Accordion: off-beat stabs, the bellows' push and pull of a shanty.
void accompany(Part& accordion, Part& bass, const char* const* chords, int bars, int tick, int velocity) {
    for (int half = 0; half < 2 * bars; ++half) {
        const Chord c = chordOf(chords[half]);
        const int at = tick + half * 2 * kTicksPerQuarter;
        const int third = c.root + (c.minor ? 3 : 4), fifth = c.root + 7;
        // Voiced around middle C so the chords change by small steps.
        for (int key : {c.root < 57 ? c.root + 12 : c.root, third < 60 ? third + 12 : third, fifth < 62 ? fifth + 12 : fifth}) {
            accordion.notes.push_back({at, kTicksPerQuarter / 2, key, velocity - 8});
            accordion.notes.push_back({at + kTicksPerQuarter, kTicksPerQuarter * 3 / 4, key, velocity});
        }
        // Bass: root, then the fifth below on the second beat of the half.
        bass.notes.push_back({at, kTicksPerQuarter * 9 / 10, c.root - 12, velocity + 15});
        bass.notes.push_back({at + kTicksPerQuarter, kTicksPerQuarter * 9 / 10, c.root - 17, velocity + 5});
    }
}

// The crew stamps on 1 and 3 and claps on 2 and 4; a tambourine joins in the choruses.
void stamp(Part& drums, int bars, int tick, bool chorus) {
    const int kStamp = 36, kClap = 39, kTambourine = 54;
    for (int beat = 0; beat < 4 * bars; ++beat) {
        const int at = tick + beat * kTicksPerQuarter;
        drums.notes.push_back({at, kTicksPerQuarter / 4, beat % 2 == 0 ? kStamp : kClap, beat % 4 == 0 ? 96 : 78});
        if (chorus) drums.notes.push_back({at + kTicksPerQuarter / 2, kTicksPerQuarter / 4, kTambourine, 58});
    }
}

std::vector<Part> compose() {
    Part fiddle{"Fiddle", 0, 40, 100, 50, {}};
    Part whistle{"Tin whistle", 1, 78, 88, 78, {}};
    Part accordion{"Accordion", 2, 21, 80, 40, {}};
    Part bass{"Bass", 3, 32, 100, 64, {}};
    Part drums{"Crew", 9, 0, 90, 64, {}};

    const Phrase verse = parse(kVerse), chorus = parse(kChorus);
    const int sectionBars = verse.length / kBar;
    int tick = 0;

    // Two bars of accordion and stamping before the tune comes in.
    accompany(accordion, bass, kIntroChords, 2, tick, 70);
    stamp(drums, 2, tick, false);
    tick += 2 * kBar;

    // Verse on the fiddle.
    play(fiddle, verse, tick, 88);
    accompany(accordion, bass, kVerseChords, sectionBars, tick, 66);
    stamp(drums, sectionBars, tick, false);
    tick += verse.length;

    // Chorus: the whistle doubles the fiddle an octave up.
    play(fiddle, chorus, tick, 96);
    play(whistle, chorus, tick, 72, 0.8, 12);
    accompany(accordion, bass, kChorusChords, sectionBars, tick, 72);
    stamp(drums, sectionBars, tick, true);
    tick += chorus.length;

    // Verse again: the whistle takes the tune, the fiddle sings a third below.
    play(whistle, verse, tick, 84, 0.85);
    play(fiddle, thirdBelow(verse), tick, 70);
    accompany(accordion, bass, kVerseChords, sectionBars, tick, 64);
    stamp(drums, sectionBars, tick, false);
    tick += verse.length;

    // Last chorus, everyone.
    play(fiddle, chorus, tick, 104);
    play(fiddle, thirdBelow(chorus), tick, 76);
    play(whistle, chorus, tick, 80, 0.8, 12);
    accompany(accordion, bass, kChorusChords, sectionBars, tick, 78);
    stamp(drums, sectionBars, tick, true);
    tick += chorus.length;

    // A held D to close, short enough that the loop starts again without a gap.
    for (int key : {62, 65, 69}) accordion.notes.push_back({tick, kBar * 3 / 4, key, 70});
    fiddle.notes.push_back({tick, kBar * 3 / 4, 74, 90});
    bass.notes.push_back({tick, kBar * 3 / 4, 38, 90});
    drums.notes.push_back({tick, kTicksPerQuarter / 4, 36, 100});
    drums.notes.push_back({tick, kTicksPerQuarter, 49, 70});  // crash cymbal

    return {fiddle, whistle, accordion, bass, drums};
}

// --- Standard MIDI File --------------------------------------------------------------------

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v >> 16);
    put16(out, v & 0xFFFF);
}
void putVariable(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = uint8_t(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n > 1) out.push_back(uint8_t(bytes[--n] | 0x80));
    out.push_back(bytes[0]);
}
void putMeta(std::vector<uint8_t>& out, uint8_t type, const std::string& data) {
    out.push_back(0xFF);
    out.push_back(type);
    putVariable(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

struct Event {
    int tick;
    int order;  // at the same tick: set-up first, then note-offs, then note-ons
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> trackChunk(std::vector<Event> events, int endTick) {
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    std::vector<uint8_t> body;
    int last = 0;
    for (const Event& e : events) {
        putVariable(body, uint32_t(e.tick - last));
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        last = e.tick;
    }
    putVariable(body, uint32_t(std::max(0, endTick - last)));
    putMeta(body, 0x2F, "");

    std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
    put32(chunk, uint32_t(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

// Messages at tick 0 that set the scene before any note; each becomes an event of its own.
void setUp(std::vector<Event>& events, const std::vector<uint8_t>& message) { events.push_back({0, 0, message}); }

std::vector<uint8_t> metaEvent(uint8_t type, const std::string& data) {
    std::vector<uint8_t> bytes;
    putMeta(bytes, type, data);
    return bytes;
}

std::vector<uint8_t> conductorTrack(int endTick) {
    std::vector<Event> events;
    const uint32_t microsPerQuarter = 60000000 / kBeatsPerMinute;
    setUp(events, metaEvent(0x03, "Tidewar"));
    setUp(events, metaEvent(0x51, {char(microsPerQuarter >> 16), char(microsPerQuarter >> 8), char(microsPerQuarter)}));
    setUp(events, metaEvent(0x58, {4, 2, 24, 8}));  // 4/4
    setUp(events, metaEvent(0x59, {char(-1), 1}));  // one flat, minor: D minor signature
    return trackChunk(events, endTick);
}

std::vector<uint8_t> partTrack(const Part& part, int endTick) {
    std::vector<Event> events;
    const uint8_t ch = uint8_t(part.channel);
    setUp(events, metaEvent(0x03, part.name));
    if (part.channel != 9) setUp(events, {uint8_t(0xC0 | ch), uint8_t(part.program)});
    setUp(events, {uint8_t(0xB0 | ch), 7, uint8_t(part.volume)});
    setUp(events, {uint8_t(0xB0 | ch), 10, uint8_t(part.pan)});
    setUp(events, {uint8_t(0xB0 | ch), 91, 40});  // a little reverb where the synth has it
    for (const NoteEvent& n : part.notes) {
        events.push_back({n.tick, 2, {uint8_t(0x90 | ch), uint8_t(n.key), uint8_t(n.velocity)}});
        events.push_back({n.tick + n.length, 1, {uint8_t(0x80 | ch), uint8_t(n.key), 64}});
    }
    return trackChunk(events, endTick);
}

std::vector<uint8_t> midiFile(const std::vector<Part>& parts, int& endTick) {
    endTick = 0;
    for (const Part& p : parts)
        for (const NoteEvent& n : p.notes) endTick = std::max(endTick, n.tick + n.length);
    endTick = (endTick + kBar - 1) / kBar * kBar;

    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    put32(out, 6);
    put16(out, 1);  // format 1: a conductor track and one track a part
    put16(out, uint16_t(parts.size() + 1));
    put16(out, kTicksPerQuarter);
    std::vector<std::vector<uint8_t>> tracks{conductorTrack(endTick)};
    for (const Part& p : parts) tracks.push_back(partTrack(p, endTick));
    for (const auto& track : tracks) out.insert(out.end(), track.begin(), track.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "res/music/tidewar.mid";
    try {
        int endTick = 0;
        const std::vector<Part> parts = compose();
        const std::vector<uint8_t> bytes = midiFile(parts, endTick);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
            throw std::runtime_error("cannot write " + path);
        size_t notes = 0;
        for (const Part& p : parts) notes += p.notes.size();
        std::printf("%s: %zu bytes, %zu notes, %.1f s\n", path.c_str(), bytes.size(), notes,
                    endTick / double(kTicksPerQuarter) * 60.0 / kBeatsPerMinute);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tune: %s\n", e.what());
        return 1;
    }
    return 0;
}
