#include "app/frameRequest.h"

#include "app/GameState.h"
#include "app/game.h"
#include "scene/Registry.h"

LevelFlags currentLevelFlags()
{
    return {levelOneStarted, levelTwo, levelThree};
}

FrameRequest decideFrame(int framePhase, float deltaTime, const FrameViewport& viewport)
{
    FrameRequest frame;
    frame.framePhase = framePhase;
    frame.deltaTime = deltaTime;
    frame.level = currentLevelFlags();
    frame.helpShown = helpVisible;
    frame.titleShown = !introStarted;
    frame.levelTwoNoticeShown = levelTwo && !levelTwoNoticeDismissed;
    frame.levelThreeNoticeShown = levelThree && !levelThreeNoticeDismissed;
    frame.doorGlows = (puzzleSolved ? 1 : 0) + (levelTwoSolved ? 1 : 0);
    frame.musicGlow = musicGlowNow();
    frame.sky = levelTwo ? whiteTexture : instrumentsTexture;
    frame.wireframe = wireframe;
    frame.cullingOff = frustumCullingOff;
    frame.reportCulled = reportCulledCount;
    frame.translucentBoxes = transparencyFlag;
    frame.viewport = viewport;
    return frame;
}
