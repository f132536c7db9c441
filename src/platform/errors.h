#pragma once

#include <exception>
#include <string>

#include <QString>

namespace tv {

// Base of every error the program raises on purpose. The application's
// standard error box shows message() and the program goes on.
class Error : public std::exception {
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// A text that does not convert to a number, amount, integer or date.
class EConvertError : public Error {
public:
    using Error::Error;
};

// An amount that does not fit the 64-bit money type, or a non-finite value.
class EOverflow : public Error {
public:
    using Error::Error;
};

// A table that cannot be opened, read or written, a key violation, a bad filter.
class EDatabaseError : public Error {
public:
    using Error::Error;
};

// Ends a handler silently (a before-insert check that has already told the
// operator why); the error box shows nothing for it.
class EAbort : public Error {
public:
    EAbort() : Error(QString()) {}
};

// A side file that cannot be read or written.
class EFileError : public Error {
public:
    using Error::Error;
};

} // namespace tv
