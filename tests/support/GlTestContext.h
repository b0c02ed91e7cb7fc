#pragma once

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

struct GLFWwindow;

namespace testing_support {

// One hidden 3.2 core window per test process, made current and with GLEW
// initialised. Created on first use; null when no display is available.
GLFWwindow* glContext(int width = 64, int height = 64);

// The GL errors raised since the last call, as text ("" when none).
std::string drainGlErrors();

} // namespace testing_support

// Fails the test when GL reported an error since the last check.
#define EXPECT_NO_GL_ERROR() EXPECT_EQ(::testing_support::drainGlErrors(), "")
#define ASSERT_GL_CONTEXT()                                                        \
    do {                                                                           \
        if (!::testing_support::glContext())                                       \
            GTEST_FAIL() << "no GL context: run the GL tests under xvfb-run";      \
    } while (0)
