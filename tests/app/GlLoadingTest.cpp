// Which answers of glewInit end the game: only GLEW's missing GLX display on
// a context whose entry points are all loaded (an EGL context) is let through.
#include "app/glLoading.h"

#include <gtest/gtest.h>

TEST(GlLoading, OnlyTheMissingGlxDisplayOfALoadedContextPassesBesideOk)
{
    EXPECT_TRUE(glewLoadSucceeded(GLEW_OK, true, true));
    EXPECT_TRUE(glewLoadSucceeded(GLEW_ERROR_NO_GLX_DISPLAY, true, true));

    EXPECT_FALSE(glewLoadSucceeded(GLEW_ERROR_NO_GLX_DISPLAY, false, true)) << "no context";
    EXPECT_FALSE(glewLoadSucceeded(GLEW_ERROR_NO_GLX_DISPLAY, true, false)) << "no entry points";
    for (GLenum other : std::initializer_list<GLenum>{GLEW_ERROR_NO_GL_VERSION, GLEW_ERROR_GL_VERSION_10_ONLY,
             GLEW_ERROR_GLX_VERSION_11_ONLY, GLenum(99)})
        EXPECT_FALSE(glewLoadSucceeded(other, true, true)) << other;
}
