#pragma once

#include "app/AutoplayPlan.h"
#include "platform/FrameInput.h"

#include <string>
#include <vector>

// Plays Clankora from the title to the ending the way a player would: it looks
// at what a player can see or hear (where it stands, where it looks, which
// pillars glow, which level it is in) and answers only with keys, mouse motion
// and clicks through the scripted input back-end.
class Autoplay : public platform::InputDriver {
public:
    struct Options {
        // Enter closes the level-2 notice at once; without it the bot plays level 2
        // under the notice and closes it in level 3, so both notices are seen.
        bool dismissLevelTwoNotice = true;
        // Writes each finished step with the wall time since the start on standard error.
        bool logSteps = false;
        // When set, the bot plays the benchmark tour: it skips the jukebox and
        // holds still this many frames at each view of the tour (the title,
        // all four stacks with two pillars glowing in level 1, the starts of
        // levels 2 and 3), and marks the phases title, intro, level1, level2,
        // level3 and play (the walking in between) for the frame-time record.
        long benchmarkViewFrames = 0;
        // After the ending, this many more frames of flying about with the
        // controls back on (T), clicking, and switching the help, the
        // wireframe and the frustum culling on and off: a soak.
        long soakFrames = 0;
    };

    // The whole game, from the title to the ending.
    explicit Autoplay(Options options);
    Autoplay() : Autoplay(Options()) {}
    // A plan of one's own, for tests.
    explicit Autoplay(std::vector<autoplay::Step> steps);
    ~Autoplay() override;

    bool nextFrame(platform::FrameInput& input) override;

    // True when a step could not be finished in its time; the game then ends.
    bool gaveUp() const { return failed; }
    const std::string& failure() const { return failureReason; }

private:
    std::vector<autoplay::Step> steps;
    size_t current = 0;
    long framesInStep = 0;
    bool logSteps = false;
    bool failed = false;
    std::string failureReason;
};
