//! @file VelkoraError.h
//! The library's exception type.
#ifndef VELKORA_INTERFACE_VELKORAERROR_H
#define VELKORA_INTERFACE_VELKORAERROR_H

#include <exception>
#include <string>

#include <fmt/format.h>

#include "velkora/export.h"

namespace Velkora
{

//! The exception the library throws for its own errors. It names the
//! procedure that raised it ("Class::operation") and carries a message, which
//! the constructor can format from an fmt format string. Thrown by value,
//! caught by reference.
class VELKORA_EXPORT VelkoraError : public std::exception
{
public:
    //! Builds the error raised by `procedure`. With further arguments,
    //! `message` is an fmt format string and the arguments fill its
    //! placeholders; a malformed format string makes fmt's own exception leave
    //! the constructor. Without further arguments `message` is taken as it
    //! stands, braces included.
    template <typename... Args>
    VelkoraError(const std::string& procedure, const std::string& message, const Args&... args)
        : VelkoraError(procedure)
    {
        if constexpr (sizeof...(Args) == 0) {
            m_message = message;
        } else {
            m_message = fmt::vformat(message, fmt::make_format_args(args...));
        }
    }

    ~VelkoraError() noexcept override {}

    //! "procedure: message".
    const char* what() const noexcept override;
    //! The message.
    virtual std::string errorDetail() const;
    //! "VelkoraError thrown by procedure".
    virtual std::string errorHeading() const;

protected:
    //! The error raised by `procedure`, with an empty message.
    explicit VelkoraError(const std::string& procedure);

    std::string m_procedure;     //!< the procedure that raised the error
    std::string m_typeName;      //!< the class name shown in the heading
    std::string m_message;       //!< what went wrong
    mutable std::string m_what;  //!< the text of what(), built when first asked for
};

} // namespace Velkora

#endif
