// Opens documents and addresses with the desktop's programs through xdg-open, started with an
// argument list (never through a shell) and never waited for. The type questions asked of xdg-mime
// before are waited for, each at most the answer limit.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/services.h"

namespace tv::platform {

class XdgShell : public ShellService {
public:
    explicit XdgShell(std::chrono::milliseconds answer_limit = std::chrono::seconds(5)) : answer_limit_(answer_limit) {}
    ~XdgShell() override;
    // A missing file raises error 63; a file whose type no program is registered for (xdg-mime
    // knows none), or xdg-open missing, raises 55. When xdg-mime is missing or does not answer in
    // time, xdg-open is left to find a program.
    void open_document(const std::string& path) override;
    // The program xdg-mime names as the type's default is started on the file (its desktop entry
    // launched as the desktop does); none named raises 55. When xdg-mime is missing or does not
    // answer, xdg-open is left to find a program.
    void open_document_as(const std::string& path, const std::string& mime_type) override;
    // The address goes to xdg-open as it stands; only a missing xdg-open raises 55.
    void open_address(const std::string& address) override;

private:
    void start_detached(const std::string& target);
    void reap_finished();
    bool has_program_for(const std::string& disk_path) const;
    std::filesystem::path existing_file(const std::string& path) const;

    std::chrono::milliseconds answer_limit_;
    std::vector<pid_t> started_;  // reaped once they end, so none lingers as a zombie
};

}  // namespace tv::platform
