#include "books/import_readers.h"

#include <optional>
#include <string>

#include "common/sjis.h"

namespace tv::books {

namespace {

// An entry as the book stores it: trimmed, and nothing when the address is empty.
void keep(std::vector<AddressEntry>& entries, const std::string& name, const std::string& address) {
    AddressEntry e{trim(clean_book_value(name)), trim(clean_book_value(address))};
    if (!e.address.empty()) entries.push_back(std::move(e));
}

// The records of a CSV text: fields split at commas and records at line ends, outside double
// quotes. A field quoted from its start (blanks before the quote aside) runs to its closing quote
// and may hold commas and line breaks; "" inside it is one quote. A quote further into a field is
// taken as it stands. nullopt when a quoted field never closes or has more than blanks after its
// closing quote: a stray quote, which would join every line up to the next quote into one field.
std::optional<std::vector<std::vector<std::string>>> csv_records(std::string_view text) {
    enum class At { Start, Plain, Quoted, Closed };
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    std::string field;
    At at = At::Start;
    bool any = false;  // the record has a byte or a separator
    auto end_field = [&] {
        fields.push_back(std::move(field));
        field.clear();
        at = At::Start;
    };
    auto end_record = [&] {
        if (any) {
            end_field();
            records.push_back(std::move(fields));
        }
        fields.clear();
        field.clear();
        at = At::Start;
        any = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (at == At::Quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                at = At::Closed;
            } else {
                field.push_back(c);
            }
            continue;
        }
        if (c == ',') {
            end_field();
            any = true;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            end_record();
        } else if (at == At::Closed) {
            if (c != ' ' && c != '\t') return std::nullopt;
        } else if (at == At::Start && c == '"') {
            field.clear();  // the blanks before the quote
            at = At::Quoted;
            any = true;
        } else {
            if (c != ' ' && c != '\t') at = At::Plain;
            field.push_back(c);
            any = true;
        }
    }
    if (at == At::Quoted) return std::nullopt;
    end_record();
    return records;
}

// The lines of a vCard text with folded lines joined: a line that begins with a blank or a tab
// continues the one before it.
std::vector<std::string> unfolded_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) {
            lines.back().append(line.substr(1));
        } else {
            lines.emplace_back(line);
        }
        if (end == std::string_view::npos) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() &&
            (value[i + 1] == ',' || value[i + 1] == ';' || value[i + 1] == '\\')) {
            ++i;
        } else if (i + 1 < value.size() && is_lead_byte(static_cast<unsigned char>(value[i]))) {
            out.push_back(value[i++]);  // the second byte of a character is never an escape
        }
        out.push_back(value[i]);
    }
    return out;
}

struct Property {
    std::string name;                 // upper case, without its group
    std::vector<std::string> params;  // upper case
    std::string value;
};

std::optional<Property> property_of(const std::string& line) {
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) return std::nullopt;
    Property p;
    std::string head = upper_ascii(line.substr(0, colon));
    std::size_t semi = head.find(';');
    p.name = head.substr(0, semi);
    if (std::size_t dot = p.name.rfind('.'); dot != std::string::npos) p.name.erase(0, dot + 1);
    while (semi != std::string::npos) {
        std::size_t next = head.find(';', semi + 1);
        p.params.push_back(head.substr(semi + 1, next == std::string::npos ? std::string::npos : next - semi - 1));
        semi = next;
    }
    p.value = line.substr(colon + 1);
    return p;
}

// PREF, PREF=1, TYPE=PREF or a TYPE list holding PREF.
bool preferred(const Property& p) {
    for (const auto& param : p.params) {
        if (param == "PREF" || param.rfind("PREF=", 0) == 0) return true;
        if (param.rfind("TYPE=", 0) == 0) {
            std::string types = "," + param.substr(5) + ",";
            if (types.find(",PREF,") != std::string::npos) return true;
        }
    }
    return false;
}

}  // namespace

std::optional<std::vector<AddressEntry>> csv_entries(std::string_view text) {
    auto records = csv_records(text);
    if (!records) return std::nullopt;
    std::vector<AddressEntry> entries;
    for (std::size_t i = 1; i < records->size(); ++i) {
        const auto& fields = (*records)[i];
        keep(entries, fields[0], fields.size() > 1 ? fields[1] : "");
    }
    return entries;
}

std::optional<std::vector<AddressEntry>> vcard_entries(std::string_view text) {
    std::vector<AddressEntry> entries;
    int depth = 0;  // cards begun and not ended: 1 inside a contact's card, more inside its agent's
    std::string name, first_email, preferred_email;
    for (const auto& line : unfolded_lines(text)) {
        auto p = property_of(line);
        if (!p) continue;
        std::string value = upper_ascii(trim(p->value));
        if (p->name == "BEGIN" && value == "VCARD") {
            if (depth++ == 0) {
                name.clear();
                first_email.clear();
                preferred_email.clear();
            }
        } else if (p->name == "END" && value == "VCARD" && depth > 0) {
            if (--depth == 0) keep(entries, name, preferred_email.empty() ? first_email : preferred_email);
        } else if (depth == 1 && p->name == "FN") {
            name = unescaped(p->value);
        } else if (depth == 1 && p->name == "EMAIL") {
            std::string address = unescaped(p->value);
            if (is_blank(address)) continue;
            if (first_email.empty()) first_email = address;
            if (preferred_email.empty() && preferred(*p)) preferred_email = address;
        }
    }
    if (depth > 0) return std::nullopt;
    return entries;
}

}  // namespace tv::books
