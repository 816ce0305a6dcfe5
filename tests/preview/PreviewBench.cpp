// How long the preview takes to answer a message: the drawing and checking
// alone, and the whole round trip over HTTP on the loopback address (the
// render call and the fetch of its picture), as the page makes it.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "MessagePreviewer.h"
#include "ModuleThread.h"
#include "PreviewServer.h"
#include "ScriptFile.h"
#include "ScriptSnapshot.h"

namespace quenta::preview {
namespace {

// A message as a writer types it: a name, two lines, a few tags.
const std::string kMessage =
    "<SPH6><C255,220,120>\xE3\x80\x90\xE6\xA1\x88\xE5\x86\x85\xE4\xBA\xBA\xE3\x80\x91</C>\n"
    "\xE3\x80\x8C\xE3\x82\x88\xE3\x81\x86\xE3\x81\x93\xE3\x81\x9D\xE3\x80\x81\xE6\x97\x85\xE3\x81\xAE\xE6\x96\xB9\xE3\x80\x82\n"
    "<C255,90,90><B>An old dragon</B></C> sleeps in the <K>forest</K> ahead.\xE3\x80\x8D</SPH>";

render::Options WindowOptions() {
    render::Options options;
    options.backgroundImage = QUENTA_SOURCE_DIR "/examples/window.png";
    options.background = {0x50, 0x30, 0x20};
    options.position = render::Point{24, 16};
    return options;
}

void BM_PreviewTypedMessage(benchmark::State& state) {
    MessagePreviewer previewer(WindowOptions(), {}, 4096);
    for (auto _ : state) {
        MessagePreview preview = previewer.PreviewTyped(kMessage);
        benchmark::DoNotOptimize(preview.png.data());
        if (preview.png.empty()) state.SkipWithError(preview.error.c_str());
    }
}
BENCHMARK(BM_PreviewTypedMessage)->Unit(benchmark::kMillisecond);

// Opening a message of a long script: the script's one pass gives each
// message the style it starts in, so message 10,000 costs what message 1
// does. Every ninth message leaves a size and a colour open, and the next
// closes them: messages 1 and 10,000 both start by closing them, message
// 10,000 in the style message 9,999 left.
script::ScriptFile LongScript() {
    script::ScriptFile file;
    file.path = "long.txt";
    for (int i = 1; i <= 10000; ++i) {
        file.bytes += i % 9 == 0 ? "<S20><C255,200,120>" : i % 9 == 1 ? "</C></S>" : "";
        file.bytes += "Message " + std::to_string(i) + ": the dragon sleeps in the forest ahead.\n\n";
    }
    return file;
}

void BM_PreviewScriptMessage(benchmark::State& state) {
    MessagePreviewer previewer(WindowOptions(), {}, 4096);
    const ScriptSnapshot snapshot = previewer.ReadScript(LongScript(), false);
    const auto number = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        MessagePreview preview = previewer.PreviewEntry(snapshot, number);
        benchmark::DoNotOptimize(preview.png.data());
        if (preview.png.empty()) state.SkipWithError(preview.error.c_str());
    }
}
BENCHMARK(BM_PreviewScriptMessage)->Arg(1)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RenderRoundTrip(benchmark::State& state) {
    MessagePreviewer previewer(WindowOptions(), {}, 4096);
    ModuleThread modules(32);
    PreviewServer server({}, modules, previewer, nullptr);
    server.Bind("127.0.0.1", 0);
    std::thread serving([&] { server.Serve(); });
    const std::string authority = server.Url().substr(7, server.Url().size() - 8);
    const auto colon = authority.rfind(':');
    httplib::Client client("127.0.0.1", std::stoi(authority.substr(colon + 1)));
    const httplib::Headers headers = {{"Host", authority}};
    int64_t round = 0;
    for (auto _ : state) {
        // Each round a different text, as typing makes it.
        const std::string body = nlohmann::json({{"text", kMessage + std::to_string(++round)}}).dump();
        auto reply = client.Post("/api/render", headers, body, "application/json");
        if (!reply || reply->status != 200) {
            state.SkipWithError("the render call failed");
            break;
        }
        const auto picture = nlohmann::json::parse(reply->body)["picture"].get<std::string>();
        auto png = client.Get(picture.c_str(), headers);
        if (!png || png->status != 200) {
            state.SkipWithError("the picture could not be fetched");
            break;
        }
        benchmark::DoNotOptimize(png->body.data());
    }
    server.Stop();
    serving.join();
}
BENCHMARK(BM_RenderRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quenta::preview

BENCHMARK_MAIN();
