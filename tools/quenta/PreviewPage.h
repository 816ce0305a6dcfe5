// The preview's one page, HTML with its styles and script, built into the
// program so that it needs nothing from elsewhere.
#pragma once

namespace quenta::preview {

extern const char kPreviewPage[];

}  // namespace quenta::preview
