#pragma once

#include <QString>
#include <stdexcept>

namespace varnel {

// An import file that cannot be opened or read; its text is what the operator sees in the
// application's error message.
class ImportError : public std::runtime_error {
public:
    explicit ImportError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text)
    {
    }
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

} // namespace varnel
