// What a receive says when the parse could not save an attachment of a mail it took: the mail is
// in the box and marked as having one, but its file is missing until a later view saves it.
#pragma once

#include <string>

#include "transfer/new_mail.h"

namespace tv::transfer {

// What the status line adds after the count of mail received; empty when every attachment was saved.
std::string unsaved_attachment_note(UnsavedAttachment unsaved);

// In a manual receive, the message box that says so; nothing otherwise, so that no box stops an
// unattended check (its status line carries the note).
void tell_unsaved_attachments(UnsavedAttachment unsaved, bool manual);

// In the viewer, whose parse of the mail met the same failure: the box that says the attachment is
// missing and how to get it, owned by `owner`.
void tell_unsaved_attachments_in_view(UnsavedAttachment unsaved, const std::string& owner);

}  // namespace tv::transfer
