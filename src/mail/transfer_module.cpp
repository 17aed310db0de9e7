#include "mail/transfer_module.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

#include "common/exchange_files.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv::mail {

namespace {

constexpr const char* kModuleName = "libtalvenor-mail-transfer.so";
constexpr const char* kEntry = "talvenor_mail_transfer";

std::filesystem::path module_path() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::current_path() : self.parent_path()) / kModuleName;
}

int report_missing(const char* command, const char* why) {
    std::fprintf(stderr, "talvenor-mail: cannot load the transfer module: %s\n", why);
    const char* result = std::strcmp(command, exchange::command::kSend) == 0 ? exchange::kSendResultFile
                                                                              : exchange::kReceiveResultFile;
    try {
        files::write_lines_atomic(result, {std::string(exchange::kResultError) +
                                           sj("メール送受信コンポーネントの一部（libtalvenor-mail-transfer.so）が見つかりません。")});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvenor-mail: result not written: %s\n", e.what());
    }
    return 1;
}

}  // namespace

int run_transfer_module(const char* command) {
    void* module = ::dlopen(module_path().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) return report_missing(command, ::dlerror());
    auto* entry = reinterpret_cast<int (*)(const char*)>(::dlsym(module, kEntry));
    if (!entry) return report_missing(command, ::dlerror());
    return entry(command);  // the process ends after it: the module stays loaded
}

}  // namespace tv::mail
