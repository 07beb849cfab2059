#include "core/platform/Signals.h"

#include <csignal>

void Signals::ignoreFileSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
}
