#include "app/GameState.h"

bool controlsEnabled = true;
bool flyMode = false;
bool introStarted = false;
bool introLaughStarted = false;
bool levelOneStarted = false;
bool levelTwo = false;
bool levelThree = false;
bool levelTwoNoticeDismissed = false;
bool levelThreeNoticeDismissed = false;
bool puzzleSolved = false;
bool levelTwoSolved = false;
bool voiceOneHeard = false;
bool voiceTwoHeard = false;
int activeTrackCount = 0;
bool jukeboxPlaying = false;
bool jukeboxLatch = false;
bool endingFlight = false;


bool helpVisible = false;
bool wireframe = false;
bool frustumCullingOff = false;
bool reportCulledCount = false;
bool transparencyFlag = false;
int culledObjectCount = 0;

bool showMusic = false;
