#ifndef KORVANE_PINPOINTER_INPUTERROR_H
#define KORVANE_PINPOINTER_INPUTERROR_H

#include <stdexcept>
#include <string>

// An input that the pinpointer cannot use: a file that does not open, text
// that is not what its format allows, or a list it cannot work with. The
// driver reports the message and ends with a non-zero status.
class InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& message) : std::runtime_error(message) {}
};

#endif
