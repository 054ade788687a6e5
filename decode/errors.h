#pragma once
// Errors a decoder raises to its caller. The report catches them one line at
// a time and leaves that line out, so they must be distinct from programming
// errors (std::logic_error and friends are never thrown for bad EDID bytes).
#include <stdexcept>
#include <string>

namespace tessarin {

class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A position outside a block, a slot outside 1..10, a record outside 1..8.
class IndexError : public DecodeError {
public:
    using DecodeError::DecodeError;
};

// An arithmetic result that does not fit its type.
class OverflowError : public DecodeError {
public:
    using DecodeError::DecodeError;
};

} // namespace tessarin
