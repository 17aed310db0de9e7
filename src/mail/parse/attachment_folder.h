// Saving attachments into TENPFIL without ever replacing a file that is there.
//
// Names are looked up case-blind, as the program matches them, in the folder's index (kept current
// without listing the folder again), and a taken name gets the next free counter before its
// extension. Files are created exclusively, so a file that appears meanwhile is not replaced either.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tv::mail {

class AttachmentFolder {
public:
    explicit AttachmentFolder(std::string folder);

    // Creates a new file for `name` (a cleaned name) and has `write` fill it (true on success).
    // Returns the name the file got, or nullopt when it could not be saved (nothing is left then).
    std::optional<std::string> save(const std::string& name, const std::function<bool(int fd)>& write);

private:
    void find_folder();
    bool taken(const std::string& cp932_name) const;
    unsigned first_free_counter(const std::string& name) const;

    std::string folder_;
    std::filesystem::path disk_;
    bool found_ = false;
};

}  // namespace tv::mail
