#include "Recorder.h"

#include <map>
#include <string>
#include <vector>

namespace {

// Never destroyed: doubles record their releases while the process exits,
// after function-local statics would be gone.
std::vector<std::string>& Log() {
    static auto* log = new std::vector<std::string>();
    return *log;
}

std::map<std::string, int32_t>& Settings() {
    static auto* settings = new std::map<std::string, int32_t>();
    return *settings;
}

}  // namespace

void RecordCall(const char* line) { Log().emplace_back(line ? line : ""); }
int32_t CallCount() { return static_cast<int32_t>(Log().size()); }
const char* CallAt(int32_t index) {
    if (index < 0 || index >= CallCount()) return "";
    return Log()[static_cast<size_t>(index)].c_str();
}
void ClearCalls() { Log().clear(); }
void SetSetting(const char* key, int32_t value) { Settings()[key] = value; }
int32_t GetSetting(const char* key, int32_t fallback) {
    auto found = Settings().find(key);
    return found == Settings().end() ? fallback : found->second;
}
void ClearSettings() { Settings().clear(); }
