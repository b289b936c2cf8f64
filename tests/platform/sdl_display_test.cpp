// The SDL display backend at its edges: key codes translated from SDL's,
// display modes checked before they are taken, and an off-screen GL window
// opened and closed step by step (SDL's off-screen driver, Mesa).
#include "platform/drivers.h"
#include "platform/messages.h"
#include "platform/sdl/key_codes.h"
#include "platform/window.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

namespace {

TEST(SDLKeyCodes, LettersDigitsAndFunctionKeysMapByRange)
{
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_a), uint32_t('A'));
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_z), uint32_t('Z'));
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_0), uint32_t('0'));
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_9), uint32_t('9'));
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_F1), PLATFORM_KEY_F1);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_F12), PLATFORM_KEY_F1 + 11);
}

TEST(SDLKeyCodes, NamedKeysBothSidesAlikeAndUnknownKeysNone)
{
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_ESCAPE), 27u);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_RETURN), PLATFORM_KEY_RETURN);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_KP_ENTER), PLATFORM_KEY_RETURN);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_LSHIFT), PLATFORM_KEY_SHIFT);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_RSHIFT), PLATFORM_KEY_SHIFT);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_RALT), PLATFORM_KEY_ALT);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_PAGEDOWN), PLATFORM_KEY_PAGE_DOWN);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_DELETE), PLATFORM_KEY_DELETE);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_F13), 0u);
    EXPECT_EQ(KeyCodeOfSDLKey(SDLK_CAPSLOCK), 0u);
}

TEST(SDLWindow, OnlyListedModesAreSelected)
{
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    EXPECT_TRUE(PlatformStartVideo());  // already started: the same connection
    PLATFORMMODE modes[16];
    int count = PlatformListModes(modes, 16);
    ASSERT_GE(count, 1);
    EXPECT_TRUE(PlatformSelectFullscreenMode(modes[0]));
    PLATFORMMODE unlisted = modes[0];
    unlisted.width += 1;
    EXPECT_FALSE(PlatformSelectFullscreenMode(unlisted));
    PlatformRestoreDesktopMode();
    EXPECT_TRUE(PlatformStopVideo());
    EXPECT_FALSE(PlatformStopVideo());
}

TEST(SDLWindow, OffscreenContextOpensCurrentAndClosesStepByStep)
{
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_TRUE(PlatformOpenOffscreenGLWindow(64, 48));
    EXPECT_TRUE(PlatformHasWindow() && PlatformHasGLContext());
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 64);
    EXPECT_EQ(viewport[3], 48);
    EXPECT_TRUE(PlatformDetachGLContext());
    EXPECT_TRUE(PlatformDeleteGLContext());
    EXPECT_FALSE(PlatformDeleteGLContext());
    EXPECT_TRUE(PlatformDestroyWindow());
    EXPECT_FALSE(PlatformDestroyWindow());
    EXPECT_FALSE(PlatformHasWindow() || PlatformHasGLContext());
    EXPECT_TRUE(PlatformStopVideo());
}

}  // namespace
