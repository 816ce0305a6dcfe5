// A message window over a background, in an SDL2 window: each key press
// draws the next message of a script (a blank line ends a message; UTF-8,
// converted to Shift-JIS with iconv). Quenta draws straight into an SDL
// surface through a 25-line Surface adapter, and the font is warmed while
// a loading screen shows.
//
//   sdl-window [-m MODULE_DIR] [-f GOTHIC_FONT] [-s SCRIPT]
//              [--steps N --dump PREFIX]
//
// --steps N presses N keys itself, in order, as the player would, and with
// --dump writes the window after the loading screen and after each press
// (PREFIX-0.bmp ... PREFIX-N.bmp), then ends: a test drives it so, with no
// waiting on a clock.
#include <SDL.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "quenta/Host.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr SDL_Rect kWindowBox{24, 232, 592, 112};  // the message window

// Quenta draws onto a rectangle of an SDL surface of 32-bit pixels whose
// bytes run blue, green, red, unused (SDL_PIXELFORMAT_XRGB8888 on a
// little-endian machine), and clips to it. It borrows the surface for each
// Draw; SDL owns the pixels.
class SdlSurface final : public quenta::RefCounted<SdlSurface, quenta::Surface> {
public:
    static SdlSurface* Over(SDL_Surface* pixels, SDL_Rect area) {
        auto* surface = new SdlSurface();
        surface->pixels_ = pixels;
        surface->area_ = area;
        return surface;
    }
    uint8_t* GetPixelAddress(int32_t x, int32_t y) override {
        return static_cast<uint8_t*>(pixels_->pixels) + (area_.y + y) * pixels_->pitch + (area_.x + x) * 4;
    }
    uint8_t* GetAlphaAddress(int32_t, int32_t) override { return nullptr; }
    int32_t GetWidth() override { return area_.w; }
    int32_t GetHeight() override { return area_.h; }
    int32_t GetDepth() override { return 32; }
    int32_t GetPitch() override { return pixels_->pitch; }
    int32_t GetAlphaPitch() override { return 0; }
    bool HasPixels() override { return true; }
    bool HasAlpha() override { return false; }

private:
    friend RefCounted;
    SdlSurface() = default;
    ~SdlSurface() = default;
    SDL_Surface* pixels_ = nullptr;
    SDL_Rect area_{};
};

// The script's messages in Shift-JIS, each line break as <R>.
std::vector<std::string> ReadMessages(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> messages;
    std::string line, message;
    iconv_t toSjis = iconv_open("CP932", "UTF-8");
    if (toSjis == reinterpret_cast<iconv_t>(-1)) return messages;
    const auto convert = [&](std::string text) {
        std::string out(text.size() * 2 + 1, '\0');
        char* in = text.data();
        char* to = out.data();
        size_t inLeft = text.size(), outLeft = out.size();
        while (inLeft > 0 && iconv(toSjis, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1)) {
            ++in, --inLeft;  // a character Shift-JIS lacks is left out
        }
        out.resize(out.size() - outLeft);
        return out;
    };
    const auto finish = [&] {
        if (!message.empty()) messages.push_back(convert(message));
        message.clear();
    };
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) {
            finish();
        } else {
            message += (message.empty() ? "" : "<R>") + line;
        }
    }
    finish();
    iconv_close(toSjis);
    return messages;
}

void PaintBackground(SDL_Surface* frame) {
    // A dusk sky, darker towards the top, and the message window on it.
    for (int y = 0; y < kHeight; ++y) {
        const SDL_Rect row{0, y, kWidth, 1};
        SDL_FillRect(frame, &row, SDL_MapRGB(frame->format, 40, 60 + y / 4, 120 + y / 3));
    }
    SDL_FillRect(frame, &kWindowBox, SDL_MapRGB(frame->format, 16, 16, 40));
}

int Fail(const std::string& what) {
    std::fprintf(stderr, "sdl-window: error: %s\n", what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quenta;
    std::string moduleDir = QUENTA_MODULE_DIR, font, script = QUENTA_SCENE, dump;
    int steps = -1;
    for (int i = 1; i < argc; i += 2) {
        const std::string flag = argv[i];
        if (i + 1 == argc) return Fail("option " + flag + " needs a value"), 2;
        if (flag == "-m") moduleDir = argv[i + 1];
        else if (flag == "-f") font = argv[i + 1];
        else if (flag == "-s") script = argv[i + 1];
        else if (flag == "--dump") dump = argv[i + 1];
        else if (flag == "--steps") steps = std::atoi(argv[i + 1]);
        else return Fail("usage: sdl-window [-m DIR] [-f FONT] [-s SCRIPT] [--steps N --dump PREFIX]"), 2;
    }
    const std::vector<std::string> messages = ReadMessages(script);
    if (messages.empty()) return Fail("no message in " + script);

    if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail(SDL_GetError());
    SDL_Window* window = SDL_CreateWindow("Quenta", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight, 0);
    if (!window) return Fail(SDL_GetError());
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_XRGB8888);
    if (!frame) return Fail(SDL_GetError());
    const auto show = [&] {
        SDL_BlitSurface(frame, nullptr, SDL_GetWindowSurface(window), nullptr);
        SDL_UpdateWindowSurface(window);
    };

    // The loading screen: load the modules and warm the font behind it.
    SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 0));
    show();
    host::ModuleSet modules;
    if (host::Result<void> loaded = modules.Load(moduleDir); !loaded) return Fail(loaded.Error().Describe());
    host::Result<Ref<IMessageRenderer>> made = modules.NewRenderer();
    if (!made) return Fail(made.Error().Describe());
    Ref<IMessageRenderer> renderer = made.Take();
    if (!font.empty()) {
        if (host::Result<void> set = host::SetFontFile(*renderer, host::Face::kGothic, font); !set) {
            return Fail(set.Error().Describe());
        }
    }
    {
        // One character drawn in the face the game uses loads its font now,
        // not on the first message; the scratch surface is thrown away.
        BitmapPtr scratch(BitmapSurface::Create(64, 64, 24, true, false));
        renderer->SetText("<S20><F0>A");
        renderer->Draw(scratch.get(), 0, 0);
        renderer->Clear();
    }

    // The message window's text area: what Quenta draws stays inside it.
    SurfacePtr target(SdlSurface::Over(frame, kWindowBox));
    PaintBackground(frame);
    show();
    const auto save = [&](int shown) {
        if (dump.empty()) return true;
        const std::string path = dump + "-" + std::to_string(shown) + ".bmp";
        return SDL_SaveBMP(SDL_GetWindowSurface(window), path.c_str()) == 0;
    };
    if (!save(0)) return Fail(SDL_GetError());
    // The scripted key presses go into the queue ahead of the player's.
    for (int i = 0; i < steps; ++i) {
        SDL_Event press{};
        press.type = SDL_KEYDOWN;
        press.key.keysym.sym = SDLK_SPACE;
        SDL_PushEvent(&press);
    }

    int shown = 0;
    SDL_Event event;
    while (SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT) break;
        if (event.type != SDL_KEYDOWN) continue;
        if (event.key.keysym.sym == SDLK_ESCAPE) break;
        // The next message, alone in the window, in the default style.
        PaintBackground(frame);
        renderer->Clear();
        renderer->SetText("<S20><C255,255,255>");
        renderer->SetText(messages[shown % messages.size()].c_str());
        if (SDL_MUSTLOCK(frame)) SDL_LockSurface(frame);
        renderer->Draw(target.get(), 16, 12);
        if (SDL_MUSTLOCK(frame)) SDL_UnlockSurface(frame);
        show();
        ++shown;
        if (!save(shown)) return Fail(SDL_GetError());
        if (shown == steps) break;
    }
    // The renderer before the modules it runs on; they stay to the end.
    target.reset();
    renderer.reset();
    SDL_FreeSurface(frame);
    SDL_DestroyWindow(window);
    SDL_Quit();
    std::printf("sdl-window: showed %d messages\n", shown);
    return 0;
}
