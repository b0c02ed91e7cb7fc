#include "app/settings.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "app/adaptiveScale.h"
#include "app/musicVolume.h"
#include "app/player.h"

void applySettings(const Settings& settings)
{
    mouseSensitivity = settings.mouseSensitivity;
    invertMouse = settings.invertMouse;
    camera.fieldOfViewDegrees = settings.fieldOfView;
    setMusicVolume(settings.musicVolume);
    setRenderScaleSetting(settings.renderScale);
    showMusic = settings.showMusic;
}
