#include "mail_test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <netinet/in.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"

extern char** environ;

namespace tv::test {

namespace stdfs = std::filesystem;

namespace {

std::string slurp(const stdfs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void spill(const stdfs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Under root the mail belongs to the servers' unprivileged mail user.
void own(const stdfs::path& path) {
    if (::geteuid() != 0) return;
    uid_t uid = static_cast<uid_t>(servers().port("MAIL_UID"));
    gid_t gid = static_cast<gid_t>(servers().port("MAIL_GID"));
    if (::lchown(path.c_str(), uid, gid) != 0) ADD_FAILURE() << "cannot chown " << path;
}

std::vector<stdfs::path> sorted_files(const stdfs::path& folder) {
    std::vector<stdfs::path> found;
    std::error_code ec;
    for (stdfs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file()) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string result_of(const Harness& h, const char* path) {
    auto lines = files::split_lines(h.read(path));
    return lines.size() == 1 ? trim(lines[0]) : "(" + std::to_string(lines.size()) + " lines)";
}

}  // namespace

std::string TestServers::get(const std::string& key) const {
    auto it = values.find(key);
    if (it == values.end()) throw std::runtime_error("no " + key + " in " TALVENOR_SERVERS_STATE);
    return it->second;
}

const TestServers& servers() {
    static TestServers loaded = [] {
        TestServers s;
        std::ifstream in(TALVENOR_SERVERS_STATE);
        std::string line;
        while (std::getline(in, line)) {
            auto eq = line.find('=');
            if (eq != std::string::npos) s.values[line.substr(0, eq)] = line.substr(eq + 1);
        }
        return s;
    }();
    if (loaded.values.empty()) {
        throw std::runtime_error("the test mail servers are not running (" TALVENOR_SERVERS_STATE
                                 "): run these tests through ctest, whose fixture mail_servers starts them");
    }
    return loaded;
}

std::string unique_name(const std::string& prefix) {
    static std::mt19937_64 random{std::random_device{}()};
    static int counter = 0;
    std::ostringstream name;
    name << prefix << ::getpid() << "x" << ++counter << "x" << std::hex << (random() & 0xffffff);
    return name.str();
}

TestMailbox::TestMailbox() : user(unique_name("u")), password(servers().get("PASSWORD")) {
    stdfs::path box = maildir();
    for (const char* sub : {"", "new", "cur", "tmp"}) {
        stdfs::create_directories(box / sub);
        own(box / sub);
    }
    own(box.parent_path());
}

stdfs::path TestMailbox::maildir() const { return servers().mail_root() / user / "Maildir"; }

void TestMailbox::add(const std::vector<std::string>& messages) {
    static long serial = 1000000000;
    for (const auto& message : messages) {
        // Dovecot numbers new mail in the order of the time at the start of its file name.
        ++serial;
        std::string name = std::to_string(serial) + ".M" + std::to_string(serial) + "P" + std::to_string(::getpid()) + ".test";
        stdfs::path temp = maildir() / "tmp" / name;
        spill(temp, message);
        own(temp);
        stdfs::rename(temp, maildir() / "new" / name);
    }
}

std::vector<std::string> TestMailbox::messages() const {
    std::vector<stdfs::path> all = sorted_files(maildir() / "new");
    for (auto& path : sorted_files(maildir() / "cur")) all.push_back(path);
    std::sort(all.begin(), all.end(), [](const stdfs::path& a, const stdfs::path& b) {
        return a.filename().string() < b.filename().string();
    });
    std::vector<std::string> out;
    for (const auto& path : all) out.push_back(slurp(path));
    return out;
}

std::vector<std::string> delivered_to(const std::string& local_part) {
    std::vector<std::string> out;
    for (const auto& path : sorted_files(servers().mail_root() / local_part / "Maildir" / "new")) out.push_back(slurp(path));
    return out;
}

std::vector<std::string> Account::lines() const {
    return {smtp_server, sender_name, sender_address, pop3_server, user_id, password, smtp_port, pop3_port, timeout, local_host};
}

Account server_account(const TestMailbox& mailbox) {
    Account account;
    account.user_id = mailbox.user;
    account.password = mailbox.password;
    account.smtp_port = servers().get("SMTP_AUTH_PORT");
    account.pop3_port = servers().get("POP3_PORT");
    return account;
}

MailFolder::MailFolder() {
    for (const char* folder : {"SYSTEM_F", "JUSINBOX", "SOUSINBOX", "TENPFIL"}) h.make_folder(folder);
}

void MailFolder::write_account(const Account& account) { h.write_lines("SYSTEM_F\\MAIL_DATA.txt", account.lines()); }

int MailFolder::run(const std::string& command, bool with_ca, const std::vector<std::string>& environment) {
    std::vector<std::string> env = environment;
    if (with_ca) env.push_back("TALVENOR_CA_FILE=" + servers().get("CA_FILE"));
    return run_process({TALVENOR_MAIL_EXE, command}, h.folder, env);
}

std::string MailFolder::receive_result() const { return result_of(h, "SYSTEM_F\\T_IN_DONE.txt"); }
std::string MailFolder::send_result() const { return result_of(h, "SYSTEM_F\\T_OUT_DONE.txt"); }

std::vector<std::string> MailFolder::inbox() const { return files::list_folder_files("JUSINBOX"); }
std::string MailFolder::inbox_file(const std::string& name) const { return h.read(files::join("JUSINBOX", name)); }
std::vector<std::string> MailFolder::sent_box() const { return files::list_folder_files("SOUSINBOX"); }

std::vector<std::string> MailFolder::raw_entries(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& path : sorted_files(files::resolve(folder))) names.push_back(path.filename().string());
    return names;
}

int run_process(const std::vector<std::string>& argv, const stdfs::path& folder, const std::vector<std::string>& environment) {
    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        if (entry.rfind("TALVENOR_", 0) != 0) env_strings.push_back(entry);
    }
    for (const auto& entry : environment) env_strings.push_back(entry);
    std::vector<char*> args, env;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env_strings) env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PortScript::PortScript(const std::string& script, const std::vector<std::string>& arguments) {
    stdfs::path port_file = stdfs::temp_directory_path() / (unique_name("port-script-") + ".port");
    std::vector<std::string> argv{"/usr/bin/python3", std::string(TALVENOR_SERVERS_DIR "/") + script};
    for (const auto& a : arguments) argv.push_back(a == kPortFile ? port_file.string() : a);
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) throw std::runtime_error("cannot start " + script);
    pid_ = pid;
    for (int i = 0; i < 400 && !stdfs::exists(port_file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    port_ = std::stoi(slurp(port_file).empty() ? "0" : slurp(port_file));
    stdfs::remove(port_file);
    if (port_ == 0) throw std::runtime_error(script + " did not start");
}

PortScript::~PortScript() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

CutProxy::CutProxy(int target_port, long cut_after, const std::string& mode)
    : PortScript("cut_proxy.py", {std::to_string(target_port), std::to_string(cut_after), kPortFile, mode}) {}

MisbehavingServer::MisbehavingServer(const std::string& mode)
    : MisbehavingServer(mode, stdfs::temp_directory_path() / (unique_name("misbehaving-") + ".log")) {}

MisbehavingServer::MisbehavingServer(const std::string& mode, const stdfs::path& log)
    : PortScript("misbehaving_server.py", {mode, kPortFile, log.string(), servers().get("ROOT") + "/tls/server.pem",
                                           servers().get("ROOT") + "/tls/server.key"}),
      log_(log) {}

MisbehavingServer::~MisbehavingServer() {
    std::error_code ec;
    stdfs::remove(log_, ec);
}

std::vector<std::string> MisbehavingServer::connection_lines(int connection) const {
    std::vector<std::string> lines;
    int current = 0;
    std::string all = stdfs::exists(log_) ? slurp(log_) : std::string();
    for (std::size_t at = 0; at < all.size();) {
        std::size_t end = all.find('\n', at);
        std::string line = all.substr(at, end - at);
        at = end == std::string::npos ? all.size() : end + 1;
        if (line.rfind("CONNECT ", 0) == 0) {
            current = std::stoi(line.substr(8));
        } else if (connection == 0 || connection == current) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool kill_mail_component_in(const stdfs::path& folder) {
    std::error_code ec;
    stdfs::path exe = stdfs::canonical(TALVENOR_MAIL_EXE, ec);
    stdfs::path cwd = stdfs::canonical(folder, ec);
    for (const auto& entry : stdfs::directory_iterator("/proc", ec)) {
        std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code gone;
        if (stdfs::read_symlink(entry.path() / "exe", gone) != exe || stdfs::read_symlink(entry.path() / "cwd", gone) != cwd) {
            continue;
        }
        return ::kill(std::stoi(pid), SIGKILL) == 0;
    }
    return false;
}

namespace {

// A socket of this process on a free port of 127.0.0.1, kept for the life of the process.
int bound_port(bool listening) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (listening) ::listen(fd, 16);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

}  // namespace

int closed_port() {
    // Bound but not listening: connections are refused, and no other test can take the port.
    static int port = bound_port(false);
    return port;
}

int silent_port() {
    // Listening but never accepting: the kernel completes the connection, nobody answers.
    static int port = bound_port(true);
    return port;
}

}  // namespace tv::test
