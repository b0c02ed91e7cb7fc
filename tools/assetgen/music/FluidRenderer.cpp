#include "music/FluidRenderer.h"

#include "music/MusicalTime.h"

#include <fluidsynth.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace assetgen::music {

namespace {

enum class EventKind { Program, Control, PitchWheel, NoteOff, NoteOn };

struct Event {
    int64_t frame;
    EventKind kind;
    int channel;
    int a;
    int b;
};

// Ends every note before the next one on the same key starts, so that an
// earlier note's release never cuts a later note of the same key.
std::vector<Note> withoutOverlaps(std::vector<Note> notes)
{
    std::stable_sort(notes.begin(), notes.end(), [](const Note& x, const Note& y) { return x.beat < y.beat; });
    std::map<int, size_t> lastOfKey;
    for (size_t i = 0; i < notes.size(); ++i) {
        auto previous = lastOfKey.find(notes[i].key);
        if (previous != lastOfKey.end()) {
            Note& earlier = notes[previous->second];
            earlier.length = std::min(earlier.length, notes[i].beat - earlier.beat);
        }
        lastOfKey[notes[i].key] = i;
    }
    return notes;
}

std::vector<Event> eventsOf(const Score& score)
{
    std::vector<Event> events;
    for (const Part& part : score) {
        if (part.channel < 0 || part.channel > 15)
            throw std::runtime_error("MIDI channel out of range: " + std::to_string(part.channel));
        events.push_back({0, EventKind::Program, part.channel, part.bank, part.program});
        events.push_back({0, EventKind::Control, part.channel, 7, part.volume});
        events.push_back({0, EventKind::Control, part.channel, 10, part.pan});
        for (const Control& control : part.controls) {
            if (control.controller == Control::pitchWheel)
                events.push_back({frameAtBeat(control.beat), EventKind::PitchWheel, part.channel, control.value, 0});
            else
                events.push_back({frameAtBeat(control.beat), EventKind::Control, part.channel, control.controller, control.value});
        }
        for (const Note& note : withoutOverlaps(part.notes)) {
            if (note.length <= 0.0)
                continue;
            int velocity = std::clamp(note.velocity, 1, 127);
            events.push_back({frameAtBeat(note.beat), EventKind::NoteOn, part.channel, note.key, velocity});
            events.push_back({frameAtBeat(note.beat + note.length), EventKind::NoteOff, part.channel, note.key, 0});
        }
    }
    // At one frame: set-up first, then releases, then new notes.
    std::stable_sort(events.begin(), events.end(), [](const Event& x, const Event& y) {
        if (x.frame != y.frame)
            return x.frame < y.frame;
        return static_cast<int>(x.kind) < static_cast<int>(y.kind);
    });
    return events;
}

} // namespace

FluidRenderer::FluidRenderer()
{
    // FluidSynth's own messages would interleave with the progress lines.
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);

    settings = new_fluid_settings();
    if (!settings)
        throw std::runtime_error("FluidSynth: cannot create settings");
    fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setint(settings, "synth.polyphony", 512);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    synth = new_fluid_synth(settings);
    if (!synth) {
        delete_fluid_settings(settings);
        throw std::runtime_error("FluidSynth: cannot create the synthesizer");
    }
    soundFont = fluid_synth_sfload(synth, soundFontPath, 1);
    if (soundFont == FLUID_FAILED) {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        throw std::runtime_error(std::string("FluidSynth: cannot load the SoundFont ") + soundFontPath);
    }
}

FluidRenderer::~FluidRenderer()
{
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}

void FluidRenderer::resetAndFlush()
{
    // A reset lets sounding notes ring out through their release; the voices
    // must be cut as well, or the last score's tails leak into the next one.
    fluid_synth_system_reset(synth);
    fluid_synth_all_sounds_off(synth, -1);
    // The synthesizer renders in blocks and keeps the rest of a block for the
    // next call: play out anything left from the previous score.
    std::vector<float> scratch(4096);
    fluid_synth_write_float(synth, 4096, scratch.data(), 0, 1, scratch.data(), 0, 1);
}

StereoBuffer FluidRenderer::render(const Score& score, int64_t frames)
{
    resetAndFlush();
    StereoBuffer out(frames);
    int64_t position = 0;
    auto renderUntil = [&](int64_t end) {
        end = std::min(end, frames);
        while (position < end) {
            int count = static_cast<int>(std::min<int64_t>(end - position, 8192));
            if (fluid_synth_write_float(synth, count, out.left.data(), static_cast<int>(position), 1,
                    out.right.data(), static_cast<int>(position), 1) != FLUID_OK)
                throw std::runtime_error("FluidSynth: rendering failed");
            position += count;
        }
    };
    for (const Event& event : eventsOf(score)) {
        renderUntil(event.frame);
        int result = FLUID_OK;
        switch (event.kind) {
        case EventKind::Program:
            result = fluid_synth_program_select(synth, event.channel, soundFont, event.a, event.b);
            break;
        case EventKind::Control:
            result = fluid_synth_cc(synth, event.channel, event.a, event.b);
            break;
        case EventKind::PitchWheel:
            result = fluid_synth_pitch_bend(synth, event.channel, event.a);
            break;
        case EventKind::NoteOff:
            fluid_synth_noteoff(synth, event.channel, event.a); // fails harmlessly for notes already stolen
            break;
        case EventKind::NoteOn:
            result = fluid_synth_noteon(synth, event.channel, event.a, event.b);
            break;
        }
        if (result != FLUID_OK)
            throw std::runtime_error("FluidSynth: event refused on channel " + std::to_string(event.channel)
                + " (bank " + std::to_string(event.a) + ", value " + std::to_string(event.b) + ")");
    }
    renderUntil(frames);
    return out;
}

} // namespace assetgen::music
