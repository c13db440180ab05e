//! @file ChemkinInput.h
//! What the CHEMKIN readers share: lines of an input file, numbers in
//! Fortran's notation, and errors that point into the file.
#ifndef VELKORA_PLATFORM_INPUT_CHEMKININPUT_H
#define VELKORA_PLATFORM_INPUT_CHEMKININPUT_H

#include <string>
#include <vector>

namespace Velkora
{

//! One line of an input file, with the file's name and its number (from 1).
struct InputLine
{
    const std::string* file = nullptr;
    int number = 0;
    std::string text;
};

//! The lines of `text`, read from `file` (a name for messages; kept by
//! pointer, so it must outlive the lines). Line ends \n, \r\n and \r.
std::vector<InputLine> splitLines(const std::string& file, const std::string& text);

//! The contents of the file at `path`; throws when it cannot be read.
std::string readFile(const std::string& path, const char* what);

//! Throws the VelkoraError of a faulty input, procedure "ChemkinReader::read":
//! "FILE, line N, column C: WHAT." (the column from 1; left out when 0).
[[noreturn]] void inputError(const InputLine& line, size_t column, const std::string& what);

//! Parses a whole token as a number in Fortran's notation ("1.5", ".5",
//! "2.", "1E5", "1.0D-3", "-2.4e+08"); false for anything else or a value
//! that is not finite.
bool parseNumber(const std::string& token, double& value);

//! `text` in capitals.
std::string upperCase(const std::string& text);

//! A blank-separated token of a line and the column (from 1) it starts at.
struct Token
{
    std::string text;
    size_t column;
};

//! The blank-separated tokens of `text`.
std::vector<Token> tokens(const std::string& text);

//! `text` without what follows the first '!' (a comment).
std::string withoutComment(const std::string& text);

} // namespace Velkora

#endif
