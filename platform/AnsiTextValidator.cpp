#include "platform/AnsiTextValidator.h"

#include "platform/Windows1252.h"

namespace platform {

QValidator::State TAnsiTextValidator::validate(QString& input, int&) const
{
    return IsAnsiText(input) ? Acceptable : Invalid;
}

} // namespace platform
