#include "common/private_files.h"

#include <sys/stat.h>

#include "common/exchange_files.h"
#include "common/paths.h"

namespace tv::files {

void keep_files_private() {
    ::umask(077);
    std::filesystem::path account = resolve(exchange::kAccountFile);
    struct stat st {};
    if (::stat(account.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077) != 0) {
        ::chmod(account.c_str(), st.st_mode & 0700);
    }
}

}  // namespace tv::files
