// Checks the frames the SDL example wrote: PREFIX-0.bmp after the loading
// screen, PREFIX-1.bmp ... after each key press. The background stays as
// painted, the message window is empty before the first press and holds
// white text after each, a different text each time.
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640, kHeight = 360;
constexpr SDL_Rect kBox{24, 232, 592, 112};

struct Frame {
    std::vector<uint32_t> pixels;  // 0x00RRGGBB
    uint32_t At(int x, int y) const { return pixels[y * kWidth + x]; }
};

bool InBox(int x, int y) { return x >= kBox.x && x < kBox.x + kBox.w && y >= kBox.y && y < kBox.y + kBox.h; }

bool Load(const std::string& path, Frame& frame) {
    SDL_Surface* read = SDL_LoadBMP(path.c_str());
    if (!read) return false;
    SDL_Surface* pixels = SDL_ConvertSurfaceFormat(read, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(read);
    if (!pixels || pixels->w != kWidth || pixels->h != kHeight) return false;
    frame.pixels.resize(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pixels->pixels) + y * pixels->pitch);
        for (int x = 0; x < kWidth; ++x) frame.pixels[y * kWidth + x] = row[x] & 0xFFFFFF;
    }
    SDL_FreeSurface(pixels);
    return true;
}

int failures = 0;
void Expect(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what.c_str());
        ++failures;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::vector<Frame> frames(4);
    for (int i = 0; i < 4; ++i) {
        const std::string path = std::string(argv[1]) + "-" + std::to_string(i) + ".bmp";
        if (!Load(path, frames[i])) {
            std::printf("FAILED: cannot read %s as a %dx%d picture\n", path.c_str(), kWidth, kHeight);
            return 1;
        }
    }
    constexpr uint32_t kBoxColour = 0x101028;
    // The sky as painted: (40, 60 + y / 4, 120 + y / 3).
    for (int y : {0, 100, 231, 359}) {
        const uint32_t sky = 40u << 16 | uint32_t(60 + y / 4) << 8 | uint32_t(120 + y / 3);
        Expect(frames[0].At(4, y) == sky, "the sky's colour at row " + std::to_string(y));
    }
    int empty = 0;
    for (int y = kBox.y; y < kBox.y + kBox.h; ++y) {
        for (int x = kBox.x; x < kBox.x + kBox.w; ++x) empty += frames[0].At(x, y) != kBoxColour;
    }
    Expect(empty == 0, "the window is empty before the first key press");
    for (int i = 1; i < 4; ++i) {
        const std::string name = "frame " + std::to_string(i);
        int text = 0, white = 0, outside = 0, changed = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const uint32_t p = frames[i].At(x, y);
                if (!InBox(x, y)) {
                    outside += p != frames[0].At(x, y);
                    continue;
                }
                text += p != kBoxColour;
                white += p == 0xFFFFFF;
                changed += p != frames[i - 1].At(x, y);
            }
        }
        Expect(outside == 0, name + ": the background outside the window is as painted");
        Expect(text > 300, name + ": the window holds text (" + std::to_string(text) + " pixels)");
        Expect(white > 50, name + ": the text is white");
        Expect(changed > 100, name + ": the window shows a new message");
    }
    if (failures == 0) std::printf("the SDL example's 4 frames are as drawn\n");
    return failures == 0 ? 0 : 1;
}
