// The widths of the three text columns of a mail list row (sender or recipient, subject, date).
// Every row is those columns with the fixed gaps "  " flag "   " and "   " between them, so the
// lists differ only in these widths.
#pragma once

#include <cstddef>

namespace tv {

struct RowColumns {
    std::size_t address;  // sender of a received mail, recipient of a sent one
    std::size_t subject;
    std::size_t date;
    constexpr std::size_t width() const { return address + 2 + 1 + 3 + subject + 3 + date; }
};

inline constexpr RowColumns kReceiveColumns{50, 60, 20};  // the receive list and F_JU.txt
inline constexpr RowColumns kSendColumns{50, 60, 20};     // the send list
inline constexpr RowColumns kFolderColumns{46, 54, 20};   // the trash and folder lists and their caches

}  // namespace tv
