#pragma once

#include "store/mail_stores.h"

namespace tv::store {

// The File menu's "データベースの再構築": after a confirmation, every store's records are written
// anew from its mails; the receive list is refilled and its cache written.
void D_SAIKOUTIKU_ON();

// One store's pass; false when the store held no mail.
bool REBUILD_STORE_PASS(const MailStore& store);

}  // namespace tv::store
