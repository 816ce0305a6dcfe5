// A renderer from the static library with the double siblings loaded, so
// that SetText binds them as it would in a host.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Doubles.h"
#include "core/MessageRenderer.h"

namespace quenta::testing {

using namespace ::quenta::core;

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecorder();
        LoadAllDoubles();
        renderer = new MessageRenderer();
    }
    void TearDown() override {
        if (renderer) renderer->Release();
    }

    const std::vector<TextLine>& Lines() { return renderer->Parser().Lines().lines; }
    const TextRun& Run(size_t line, size_t index) { return Lines().at(line).runs.at(index); }

    // The texts of a line's runs joined by '|', so "<b>" reads "<||b|>".
    std::string Texts(size_t line = 0) {
        std::string joined;
        const auto& runs = Lines().at(line).runs;
        for (size_t i = 0; i < runs.size(); ++i) {
            if (i) joined += '|';
            joined += runs[i].text.data ? runs[i].text.data : "(null)";
        }
        return joined;
    }

    // Parses `text` into a fresh layout.
    std::string Parse(const char* text) {
        renderer->Clear();
        renderer->SetText(text);
        return Texts();
    }

    MessageRenderer* renderer = nullptr;
};

inline constexpr char kErrorText[] = "<|e|r|r|o|r|>";

}  // namespace quenta::testing
