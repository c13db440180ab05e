//! @file Application.h
//! The application object: the per-thread error stacks that the C interface
//! fills when a call fails.
#ifndef VELKORA_PLATFORM_APP_APPLICATION_H
#define VELKORA_PLATFORM_APP_APPLICATION_H

#include <cstddef>
#include <deque>
#include <string>

namespace Velkora
{

//! The process-wide application object. Its only state is reached per thread,
//! so it needs no lock.
class Application
{
public:
    //! The error stack of one thread. It holds at most `maxDepth` entries: a
    //! caller that never reads its errors cannot make it grow without end, the
    //! oldest entries are dropped first.
    class Messages
    {
    public:
        static constexpr size_t maxDepth = 100;

        //! Pushes `text` onto the stack. When `detail` is not empty it follows
        //! the text on a line of its own.
        void addError(const std::string& text, const std::string& detail);
        //! Number of entries.
        size_t errorCount() const { return m_errors.size(); }
        //! The newest entry, or "" when the stack is empty.
        std::string lastError() const;
        //! Removes the newest entry; does nothing on an empty stack.
        void popError();
        //! Removes every entry.
        void clearErrors() { m_errors.clear(); }

    private:
        std::deque<std::string> m_errors; //!< oldest first
    };

    //! Gives each thread its own `Messages`.
    class ThreadMessages
    {
    public:
        //! The calling thread's stack; never null.
        Messages* operator->();
    };

    //! The one application object; never null.
    static Application* Instance();

    ThreadMessages m_threadMessages;

private:
    Application() = default;
};

} // namespace Velkora

#endif
