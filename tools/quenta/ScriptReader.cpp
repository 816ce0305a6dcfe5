#include "ScriptReader.h"

namespace quenta::script {

void ReadMessages(const ScriptFile& file, const MessageSink& sink) {
    switch (file.form) {
        case ScriptForm::kPlain: ReadPlainMessages(file, sink); break;
        case ScriptForm::kCsv:
        case ScriptForm::kTsv: ReadDelimitedMessages(file, sink); break;
        case ScriptForm::kPo: ReadPoMessages(file, sink); break;
        case ScriptForm::kXliff: ReadXliffMessages(file, sink); break;
    }
}

}  // namespace quenta::script
