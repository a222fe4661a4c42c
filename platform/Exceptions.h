#pragma once
// The errors the framework would raise: failed file input or output, and text that is no number.
#include <stdexcept>
#include <string>

namespace platform {

class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace platform
