// The setup dialog: an SDL window with a GL context drawn by Dear ImGui.
#include "platform/dialog.h"

#include "platform/sdl/display_watch.h"
#include "platform/termination.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <imgui.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>

namespace {

enum { DIALOG_OPEN = -2 };

struct DialogWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    GLuint texture = 0;
};

bool OpenWindow(const PLATFORMDIALOG& d, DialogWindow* w)
{
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    w->window = SDL_CreateWindow("plumora", d.frame.x, d.frame.y, d.frame.width, d.frame.height,
                                 SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (!w->window) return false;
    w->context = SDL_GL_CreateContext(w->window);
    if (!w->context) return false;
    SDL_GL_MakeCurrent(w->window, w->context);
    SDL_RaiseWindow(w->window);
    WatchWindow(w->window);
    return true;
}

void UploadPicture(const PLATFORMDIALOG& d, DialogWindow* w)
{
    if (!d.picture || d.pictureWidth <= 0 || d.pictureHeight <= 0) return;
    glGenTextures(1, &w->texture);
    glBindTexture(GL_TEXTURE_2D, w->texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, d.pictureWidth, d.pictureHeight, 0, GL_BGR, GL_UNSIGNED_BYTE,
                 d.picture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

void CloseWindow(DialogWindow* w)
{
    if (w->texture) glDeleteTextures(1, &w->texture);
    // With the display connection gone these would wait for answers.
    bool connected = !DisplayConnectionLost();
    if (w->context && connected) SDL_GL_DeleteContext(w->context);
    if (w->window) {
        if (connected) SDL_DestroyWindow(w->window);
        ForgetWindow();
    }
}

int Accept(PLATFORMDIALOG* d, bool (*acceptOk)(int))
{
    return acceptOk(d->selected) ? 1 : DIALOG_OPEN;
}

// Keys the dialog handles itself: Return, Escape, Up, Down.
int HandleKey(SDL_Keycode key, PLATFORMDIALOG* d, bool (*acceptOk)(int))
{
    bool listOpen = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId);
    if (key == SDLK_ESCAPE && !listOpen) return 0;
    if ((key == SDLK_RETURN || key == SDLK_KP_ENTER) && !listOpen) return Accept(d, acceptOk);
    if (!listOpen && key == SDLK_UP && d->selected > 0) --d->selected;
    if (!listOpen && key == SDLK_DOWN && d->selected + 1 < d->itemCount) ++d->selected;
    return DIALOG_OPEN;
}

int PumpEvents(PLATFORMDIALOG* d, bool (*acceptOk)(int))
{
    if (PlatformTerminationRequested() != 0) return 0;
    if (WatchedWindowLost()) return -1;
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, 50)) return DIALOG_OPEN;
    do {
        ImGui_ImplSDL2_ProcessEvent(&event);
        if (event.type == SDL_QUIT ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE))
            return 0;
        if (event.type == SDL_KEYDOWN) {
            int result = HandleKey(event.key.keysym.sym, d, acceptOk);
            if (result != DIALOG_OPEN) return result;
        }
    } while (SDL_PollEvent(&event));
    return DIALOG_OPEN;
}

void Place(const PLATFORMRECT& r)
{
    ImGui::SetCursorPos(ImVec2(static_cast<float>(r.x), static_cast<float>(r.y)));
}

void DrawList(PLATFORMDIALOG* d)
{
    Place(d->list);
    ImGui::SetNextItemWidth(static_cast<float>(d->list.width));
    const char* preview = d->selected >= 0 ? d->items[d->selected] : "";
    if (!ImGui::BeginCombo("##modes", preview, ImGuiComboFlags_HeightLarge)) return;
    for (int i = 0; i < d->itemCount; ++i) {
        ImGui::PushID(i);
        if (ImGui::Selectable(d->items[i], i == d->selected)) d->selected = i;
        if (i == d->selected) ImGui::SetItemDefaultFocus();
        ImGui::PopID();
    }
    ImGui::EndCombo();
}

bool Button(const char* text, const PLATFORMRECT& r)
{
    Place(r);
    return ImGui::Button(text, ImVec2(static_cast<float>(r.width), static_cast<float>(r.height)));
}

int DrawDialog(PLATFORMDIALOG* d, const DialogWindow& w, bool (*acceptOk)(int))
{
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(d->frame.width), static_cast<float>(d->frame.height)));
    ImGui::Begin("setup", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings);
    if (w.texture) {
        Place(d->pictureArea);
        ImGui::Image(
            reinterpret_cast<ImTextureID>(static_cast<intptr_t>(w.texture)),
            ImVec2(static_cast<float>(d->pictureArea.width), static_cast<float>(d->pictureArea.height)),
            ImVec2(0, 1), ImVec2(1, 0));
    }
    DrawList(d);
    int result = DIALOG_OPEN;
    if (Button("Cancel", d->cancel)) result = 0;
    if (Button("OK", d->ok)) result = Accept(d, acceptOk);
    ImGui::End();
    return result;
}

void Render(const PLATFORMDIALOG& d, const DialogWindow& w)
{
    ImGui::Render();
    glViewport(0, 0, d.frame.width, d.frame.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(w.window);
}

void StyleDialog()
{
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowPadding = ImVec2(0, 0);
    style.WindowBorderSize = 0.0f;
    style.FrameBorderSize = 1.0f;
    style.Colors[ImGuiCol_WindowBg] = ImVec4(0.05f, 0.06f, 0.07f, 1.0f);
    style.Colors[ImGuiCol_Button] = ImVec4(0.16f, 0.30f, 0.20f, 1.0f);
    style.Colors[ImGuiCol_ButtonHovered] = ImVec4(0.22f, 0.45f, 0.28f, 1.0f);
    style.Colors[ImGuiCol_ButtonActive] = ImVec4(0.30f, 0.60f, 0.36f, 1.0f);
}

}  // namespace

int PlatformRunDialog(PLATFORMDIALOG* d, bool (*acceptOk)(int selected))
{
    DialogWindow w;
    if (!OpenWindow(*d, &w)) {
        CloseWindow(&w);
        return -1;
    }
    UploadPicture(*d, &w);
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    StyleDialog();
    ImGui_ImplSDL2_InitForOpenGL(w.window, w.context);
    ImGui_ImplOpenGL2_Init();
    int result = DIALOG_OPEN;
    while (result == DIALOG_OPEN) {
        result = PumpEvents(d, acceptOk);
        ImGui_ImplOpenGL2_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        ImGui::NewFrame();
        int clicked = DrawDialog(d, w, acceptOk);
        if (result == DIALOG_OPEN) result = clicked;
        Render(*d, w);
    }
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    CloseWindow(&w);
    return result;
}
