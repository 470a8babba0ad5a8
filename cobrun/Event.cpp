#include "cobrun/Event.h"

#include <cstdio>

namespace cobrun {

std::string TimelineLine(const Event& event, std::size_t scriptWidth) {
    char head[32];
    std::snprintf(head, sizeof head, "%7lld ms  ", static_cast<long long>(event.ms));
    std::string thread = event.thread == 0 ? "-" : "#" + std::to_string(event.thread);
    thread.resize(std::max<std::size_t>(thread.size(), 3), ' ');
    thread += ' ';
    std::string script = event.script;
    script.resize(std::max(script.size(), scriptWidth), ' ');
    const char* prefix = event.kind == EventKind::kFault ? "fault: " : event.kind == EventKind::kWarning ? "warning: " : "";
    return head + thread + script + "  " + prefix + event.text + "\n";
}

}  // namespace cobrun
