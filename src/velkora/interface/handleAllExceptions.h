//! @file handleAllExceptions.h
//! Turns the exception in flight into a status value for a foreign caller.
#ifndef VELKORA_INTERFACE_HANDLEALLEXCEPTIONS_H
#define VELKORA_INTERFACE_HANDLEALLEXCEPTIONS_H

#include <exception>
#include <iostream>
#include <string>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/app/Application.h"

namespace Velkora
{

//! Call only from inside a catch block. Records the exception being handled
//! on the calling thread's error stack and returns `ctErrorCode` for a
//! VelkoraError, `otherErrorCode` for anything else. Exceptions that are not
//! the library's own are also reported on one line of standard error.
template <typename T>
T handleAllExceptions(T ctErrorCode, T otherErrorCode)
{
    try {
        throw;
    } catch (VelkoraError& err) {
        std::string text = err.what();
        Application::Instance()->m_threadMessages->addError(text, "");
        return ctErrorCode;
    } catch (std::exception& err) {
        std::cerr << "Velkora: caught an instance of " << err.what() << "\n";
        std::cerr.flush();
        std::string text = err.what();
        Application::Instance()->m_threadMessages->addError(text, "");
        return otherErrorCode;
    } catch (...) {
        std::cerr << "Velkora: caught an instance of an unknown exception type\n";
        std::cerr.flush();
        Application::Instance()->m_threadMessages->addError("unknown C++ exception", "");
        return otherErrorCode;
    }
}

} // namespace Velkora

#endif
