// How input line breaks become Quenta's <R>.
#include <gtest/gtest.h>

#include "InputText.h"

namespace quenta::render {
namespace {

TEST(LineBreaks, EachBreakBecomesOneTagAndTheLastOneGoes) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a\nb", "a<R>b"},
        {"a\nb\n", "a<R>b"},
        {"a\r\nb\r\n", "a<R>b"},
        {"a\rb", "a<R>b"},
        {"a\n\nb", "a<R><R>b"},
        {"a\n\n", "a<R>"},
        {"\n", ""},
        // Shift-JIS second bytes are never CR or LF: 0x82 0x0A cannot occur,
        // but 0x82 0xA0 ("あ") must pass through whole.
        {"\x82\xA0\n\x82\xA0", "\x82\xA0<R>\x82\xA0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LineBreaksToTags(c.in), c.out) << c.in;
    }
}

}  // namespace
}  // namespace quenta::render
