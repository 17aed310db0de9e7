// Running talvenor-mail against the test servers of tests/servers (started by the CTest fixture
// mail_servers): the servers' ports, mailboxes on the Dovecot side, and the helper as a process in
// a fresh program folder.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace tv::test {

// What the running servers wrote to their state file.
struct TestServers {
    std::map<std::string, std::string> values;
    std::string get(const std::string& key) const;
    int port(const std::string& key) const { return std::stoi(get(key)); }
    std::filesystem::path mail_root() const { return get("MAIL_ROOT"); }
};

// The servers of this test run; fails the test when they are not running.
const TestServers& servers();

// A mailbox of its own on the servers: a user name no other test uses (the servers take every name
// with their one password) and its maildir.
class TestMailbox {
public:
    TestMailbox();
    std::string user;
    std::string password;
    std::filesystem::path maildir() const;
    // Puts messages on the server, in this order.
    void add(const std::vector<std::string>& messages);
    // The messages on the server (maildir files, in server order).
    std::vector<std::string> messages() const;
    std::size_t count() const { return messages().size(); }
};

// The messages the SMTP server delivered to a local part (in arrival order).
std::vector<std::string> delivered_to(const std::string& local_part);

// A local part no other test uses.
std::string unique_name(const std::string& prefix);

struct Account {
    std::string smtp_server = "127.0.0.1";
    std::string sender_name = "Taro";
    std::string sender_address = "taro@example.com";
    std::string pop3_server = "127.0.0.1";
    std::string user_id;
    std::string password;
    std::string smtp_port;
    std::string pop3_port;
    std::string timeout = "20";
    std::string local_host = "TALVENOR MAILER";
    std::vector<std::string> lines() const;
};

// The account of the test servers for a mailbox's user.
Account server_account(const TestMailbox& mailbox);

// A program folder for the helper with its folders and the account. Its file helpers act on the
// folder of the newest Harness (the file layer has one program folder at a time).
class MailFolder {
public:
    MailFolder();
    Harness h;
    void write_account(const Account& account);
    // Runs `talvenor-mail <command>` in the folder; TALVENOR_CA_FILE names the servers' CA unless
    // `with_ca` is false. Returns the exit status.
    int run(const std::string& command, bool with_ca = true, const std::vector<std::string>& environment = {});
    // The trimmed result line of the last receive or send.
    std::string receive_result() const;
    std::string send_result() const;
    std::vector<std::string> inbox() const;   // JUSINBOX listing
    std::string inbox_file(const std::string& name) const;
    std::vector<std::string> sent_box() const;  // SOUSINBOX listing
    // Every entry of a folder, hidden ones included.
    std::vector<std::string> raw_entries(const std::string& folder) const;
};

// A script of tests/servers that listens on a free port of 127.0.0.1 until it is destroyed; the
// argument kPortFile stands for the file it names its port in.
class PortScript {
public:
    static constexpr const char* kPortFile = "<port file>";
    PortScript(const std::string& script, const std::vector<std::string>& arguments);
    ~PortScript();
    PortScript(const PortScript&) = delete;
    PortScript& operator=(const PortScript&) = delete;
    int port() const { return port_; }

private:
    int pid_ = -1;
    int port_ = 0;
};

// A relay to a server port (tests/servers/cut_proxy.py) that breaks each connection after
// `cut_after` bytes from the server; with mode "stall" it keeps it open and silent from then on;
// with mode "at:WORD" it keeps the session in plain text and breaks it when the client sends WORD.
class CutProxy : public PortScript {
public:
    CutProxy(int target_port, long cut_after, const std::string& mode = "cut");
};

// A server that misbehaves in the way `mode` names (tests/servers/misbehaving_server.py).
class MisbehavingServer : public PortScript {
public:
    explicit MisbehavingServer(const std::string& mode);
    ~MisbehavingServer();
    // The lines clients sent on one connection (numbered from 1), or on all of them with 0.
    std::vector<std::string> connection_lines(int connection = 0) const;

private:
    MisbehavingServer(const std::string& mode, const std::filesystem::path& log);
    std::filesystem::path log_;
};

// Kills (SIGKILL) the talvenor-mail of this test run that works in `folder`; false when none runs.
bool kill_mail_component_in(const std::filesystem::path& folder);

// A port of 127.0.0.1 where nothing listens.
int closed_port();

// A port of 127.0.0.1 that takes connections and never says a word.
int silent_port();

// Runs a program and waits; returns its exit status.
int run_process(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                const std::vector<std::string>& environment);

}  // namespace tv::test
