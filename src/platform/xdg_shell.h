// Opens documents and addresses with the desktop's programs through xdg-open, started with an
// argument list (never through a shell) and never waited for.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/services.h"

namespace tv::platform {

class XdgShell : public ShellService {
public:
    ~XdgShell() override;
    // A missing file raises error 63; a file whose type no program is registered for (xdg-mime
    // knows none), or xdg-open missing, raises 55.
    void open_document(const std::string& path) override;
    // The address goes to xdg-open as it stands; only a missing xdg-open raises 55.
    void open_address(const std::string& address) override;

private:
    void start_detached(const std::string& target);
    void reap_finished();

    std::vector<pid_t> started_;  // reaped once they end, so none lingers as a zombie
};

}  // namespace tv::platform
