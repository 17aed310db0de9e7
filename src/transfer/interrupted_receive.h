// A receive that a kill stopped: the new mail it left in the box without rows is listed at the next
// load of the main window, as the finished receive would have listed it, and every row the cache
// still holds keeps its mark.
#pragma once

namespace tv::transfer {

// Writes down, before the mail component runs, how the receive list stood: how many mails its
// cache lists and the name of the last of them, and whether an answering check receives. Nothing
// is written down when the list is not in step with its listing.
void note_receive_under_way();

// Forgets the note once the receive's rows and cache are written.
void forget_receive_under_way();

// When a receive was stopped by a kill and the cache still lists the box as it stood then, fills
// the receive list from the cache and gives each mail the kill left unlisted its record and its
// row, in order, then writes the cache. The row is marked unread, or with the answering mark when
// an answering check received it; such a mail also gets its answering-log record, unless the check
// wrote it before the kill. A mail component of the killed run that still holds the transfer lock
// is waited for first. Otherwise the main window's load decides. Run by the main window's load
// before it chooses how to fill the list.
void list_mail_of_interrupted_receive();

}  // namespace tv::transfer
