// The subcommands of talvenor-mail. Each runs in the program folder (the current folder), reads
// its request files and always writes its result files; the exit status is not used.
#pragma once

namespace tv::mail {

int run_check();    // the script-host check
int run_parse();    // one received mail to SYSTEM_F\YOMITORI.txt
int run_parse_stopped();    // the unreadable result for a parse the program stopped
int run_parse_resident();  // run_parse or run_parse_stopped for each request line on standard input
int run_receive();  // POP3 into JUSINBOX
int run_send();     // SYSTEM_F\DEL_SOUSIN.txt over SMTP

}  // namespace tv::mail
