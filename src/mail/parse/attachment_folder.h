// Saving attachments into TENPFIL without ever replacing a file that is there.
//
// Names are looked up case-blind, as the program matches them, in the folder's index (kept current
// without listing the folder again), and a taken name gets the next free counter before its
// extension. Files are created exclusively, so a file that appears meanwhile is not replaced either.
// A mail parsed again (each view, reply and forward parses it) finds its attachments there already:
// a file under the name or one of its numbered names that holds the same bytes is used as it is.
// Each name's numbered files are listed once, and each of them read at most once per parse (its
// head only, unless it starts as the content does), so a mail of thousands of parts that share one
// name costs in step with its parts, not their square.
// One folder object serves one parse, so nothing it learns outlives the parse. It remembers what
// kept an attachment from its file, so that the parse can tell that the mail has one all the same.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "mail/parse/content_match.h"

namespace tv::mail {

class AttachmentFolder {
public:
    explicit AttachmentFolder(std::string folder);

    // Saves the bytes `content` writes under `name` (a cleaned name), or finds them saved already.
    // Returns the name of the file that holds them, or nullopt when they could not be saved
    // (nothing is left then). No file this parse has given is given again.
    std::optional<std::string> save(const std::string& name, const ContentWriter& content);

    // What went wrong in this parse's saves.
    struct Trouble {
        bool unsaved = false;    // an attachment could not be saved
        bool disk_full = false;  // one of them for want of room on the disk
    };
    const Trouble& trouble() const { return trouble_; }

private:
    // What this parse knows of one name's files: the counters taken, and the regular files not
    // given yet that may hold a content. A file moves on as far as a content asks: by its size
    // alone, then by the print of its head (read once a content of its size is looked for), then by
    // the print of the whole (read once a content of its size and head is looked for).
    struct Family {
        std::set<unsigned> counters;
        std::multimap<std::uint64_t, unsigned> unread;   // size, counter
        std::multimap<HeadPrint, unsigned> by_head;
        std::multimap<WholePrint, unsigned> by_print;
        std::set<HeadPrint> heads_read_whole;            // heads whose files are all in by_print
    };

    void find_folder();
    bool taken(const std::string& cp932_name) const;
    Family& family_of(const std::string& name);
    std::set<unsigned> counters_taken(const std::string& name) const;
    // Moves the files of `from` (a range of one key) into `to` by the print `read` gives of each.
    template <typename Range, typename Print, typename Read>
    void read_files(const std::string& name, Range from, std::multimap<Print, unsigned>& to, Read read);
    std::optional<std::string> earlier_copy(const std::string& name, Family& family, const ContentWriter& content);
    std::optional<std::string> write_new(const std::string& name, unsigned& counter, const ContentWriter& content);
    // Notes a save that failed with `error` (0: no error of the disk's).
    void note_failure(int error);
    std::string claim(std::string name);

    std::string folder_;
    std::filesystem::path disk_;
    bool found_ = false;
    std::set<std::string> given_;  // folded disk names of the files this parse has given
    std::map<std::string, Family> families_;  // by the folded disk name
    Trouble trouble_;
};

}  // namespace tv::mail
