#include "FileResult.h"

#include <cstring>

namespace tovarin {

std::string SystemReason(int errorNumber)
{
    return std::strerror(errorNumber);
}

} // namespace tovarin
