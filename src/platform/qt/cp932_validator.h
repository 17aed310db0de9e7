// Refuses a change of a one-line edit that CP932 cannot hold or that is over a byte limit, with a
// beep; the edit then undoes the keystroke or paste. The text last accepted always passes, so
// texts the program sets are never refused.
#pragma once

#include <QValidator>
#include <cstddef>
#include <functional>
#include <optional>

namespace tv::platform::qt {

class Cp932Validator : public QValidator {
public:
    // `limit` gives the byte limit (0: none), or nothing while no check applies.
    Cp932Validator(QObject* parent, std::function<void()> beep, std::function<std::optional<std::size_t>()> limit,
                   const QString& accepted);
    State validate(QString& input, int& position) const override;

private:
    std::function<void()> beep_;
    std::function<std::optional<std::size_t>()> limit_;
    const QString& accepted_;
};

// Whether a typed text fits: CP932 holds it and it is within the limit (0: none).
bool fits_cp932(const std::optional<std::string>& bytes, std::size_t limit);

}  // namespace tv::platform::qt
