#include "platform/MessageSink.h"

namespace vesk {

void MessageSink::Report(const Diagnostic& diagnostic) {
    const bool error = diagnostic.Level() == Severity::kError;
    ShowMessage(diagnostic.Japanese(), error ? kErrorCaption : kNoticeCaption,
                error ? MessageIcon::Stop : MessageIcon::Information);
}

}  // namespace vesk
